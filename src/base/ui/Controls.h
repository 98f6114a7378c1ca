#pragma once
// The small control kinds the windows are built from.
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <filesystem>

class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QPainter;
class QRegion;
class QPushButton;

namespace zv {

constexpr int kTwipsPerPixel = 15;
// Twips to pixels, to the nearest pixel.
constexpr int Px(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// A picture control: shows its picture unscaled at its top-left corner and takes the picture's
// size; transparent pixels show what lies below. Without a picture it shows nothing.
class ImageControl final : public QLabel {
    Q_OBJECT
public:
    ImageControl(const QString& name, QWidget* parent, int left, int top, int width, int height);

    void setPicture(const QPixmap& picture);
    void clearPicture(); // the empty picture
    bool hasPicture() const { return !m_picture.isNull(); }
    const QPixmap& picture() const { return m_picture; }

    // Position in twips, as the layout tables give it.
    int leftTwips() const { return m_leftTwips; }
    int topTwips() const { return m_topTwips; }
    void moveTwips(int left, int top);

    // The keyboard's way to a picture that takes the focus: Space or Enter clicks it; the
    // context-menu key or Shift+F10 works as a right click in its middle, which opens the
    // pop-up menu of a picture that has one. Its focus shows as a frame.
    void press();
    void requestContextMenu();

signals:
    void Click();
    void MouseUp(int button, int shift, int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QSize m_designSize;
    int m_leftTwips = 0;
    int m_topTwips = 0;
    bool m_pressed = false;
};

// A drop-down item list. Its "edit text" is the chosen entry, or a caption such as "Helmets"
// while nothing is chosen. Click fires when the user picks an entry (also the same one again)
// and when code selects an index; setting the text never fires it.
class ItemList final : public QComboBox {
    Q_OBJECT
public:
    ItemList(const QString& name, QWidget* parent, int left, int top, int width, int height);

    QString editText() const;
    void setEditText(const QString& text);
    void selectIndex(int index);

    void showPopup() override;

signals:
    void Click();
    // The drop-down is about to open. Its part (view()) is built at the first opening, not at
    // start-up: what watches it hooks itself on here.
    void PopupOpening();
};

// Draws `picture` at `at` within `region` (a paint event's region). A region of several
// rectangles is drawn rectangle by rectangle: clipped to one rectangle the picture is a plain copy,
// where a clip of several would send it pixel span by pixel span through the painter's general
// path, handed out to worker threads and waited for.
void DrawPictureIn(QPainter& painter, const QRegion& region, QPoint at, const QPixmap& picture);

// Makes a window's default button show the keyboard focus. The usual style draws a default
// button with the same highlighted outline whether or not it has the focus, so a keyboard user
// could not tell that Tab has reached it; with this, a focused button reached from the keyboard
// also shows a frame inside its edge.
void ShowFocusOnDefaultButton(QPushButton* button);

// A picture file; a null pixmap when it is missing or cannot be read. The bytes are read here,
// so any file name works, also one that is not valid UTF-8.
QPixmap LoadPicture(const std::filesystem::path& path);

// Button value of a mouse event as the handlers expect it: 1 left, 2 right, 4 middle.
int ButtonValue(Qt::MouseButton button);
// Shift state: 1 shift, 2 ctrl, 4 alt.
int ShiftValue(Qt::KeyboardModifiers modifiers);

} // namespace zv

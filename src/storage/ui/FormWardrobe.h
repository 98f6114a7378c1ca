#pragma once
// The wardrobe window: the items the user keeps for the chosen gender. Double-clicking a name
// puts the item on (handed to the main window through the wardrobe flags), its pop-up menu
// removes the selected one. Topmost and not modal; it remembers where it stood.
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

class QListWidget;
class QMenu;

namespace zv {

struct MainControls;
struct WardrobeEntry;

class FormWardrobe final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormWardrobe)

public:
    FormWardrobe(MainControls& controls, QWidget* mainWindow);
    // Gone with the main window without being closed: the wardrobe counts as closed.
    ~FormWardrobe() override;

    // Skin, topmost, position, and the lists of the chosen gender from its two files.
    void Form_Load();
    // Rewrites both files of WardrobeGender from the two lists. False (after telling the user)
    // when they could not be written.
    bool SaveWardrobe();

    // Closed and about to go.
    bool unloaded() const { return m_unloaded; }
    // The name selected in the list, when there is one.
    std::optional<QString> selectedName() const;

    void lstWardrobe_DblClick();
    void lstWardrobe_MouseUp(int button, int shift, int x, int y);
    void removeitem_Click();

    // The wardrobe number (1 male, 2 female) of the lists on show, fixed at load.
    int16_t WardrobeGender = 0;

    QListWidget* lstWardrobe = nullptr;
    QListWidget* lstWardrobe2 = nullptr;
    QMenu* lstmnu = nullptr;
    QAction* removeitem = nullptr;

signals:
    // A double-click has set WardrobePickPending and asked for the main window.
    void pickHandedOver();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Unload();
    void placeWindow();
    std::vector<WardrobeEntry> listedEntries() const;
    void showEntries(const std::vector<WardrobeEntry>& entries);
    bool write(const std::vector<WardrobeEntry>& entries);

    MainControls& c;
    QWidget* m_mainWindow;
    bool m_unloaded = false;
    // The files could not be read at load: nothing is written back over them.
    bool m_readFailed = false;
};

// Where a window of `size` goes when the stored position is missing or off every screen: to the
// right of `beside` when it fits on that screen, otherwise in the middle of it.
QPoint DefaultWindowPosition(const QWidget* beside, QSize size);

// Whether a window at `topLeft` of `size` shows enough of itself on some screen to be grabbed.
bool IsOnSomeScreen(QPoint topLeft, QSize size);

} // namespace zv

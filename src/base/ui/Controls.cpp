#include "base/ui/Controls.h"

#include "base/FileBytes.h"
#include "base/ui/PictureBytes.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>
#include <optional>
#include <string>

namespace zv {

ImageControl::ImageControl(const QString& name, QWidget* parent, int left, int top, int width,
                           int height)
    : QLabel(parent)
    , m_designSize(Px(width), Px(height)) {
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    moveTwips(left, top);
    resize(m_designSize);
}

void ImageControl::setPicture(const QPixmap& picture) {
    // The picture it shows already (or no picture again): nothing changes, nothing is repainted.
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    setPixmap(picture);
    resize(picture.isNull() ? m_designSize : picture.size());
}

void ImageControl::clearPicture() {
    setPicture(QPixmap());
}

void ImageControl::paintEvent(QPaintEvent* event) {
    // The picture unscaled at the top-left corner is all an enabled control shows: drawn
    // directly, without the label's style, frame and alignment work, which every layer under a
    // changed picture would otherwise pay at every click. Without a picture nothing is drawn.
    if (!isEnabled()) {
        QLabel::paintEvent(event);
        return;
    }
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void ImageControl::moveTwips(int left, int top) {
    m_leftTwips = left;
    m_topTwips = top;
    move(Px(left), Px(top));
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseUp(ButtonValue(event->button()), ShiftValue(event->modifiers()),
                 at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
    if (event->button() == Qt::LeftButton && m_pressed && rect().contains(at))
        emit Click();
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
}

ItemList::ItemList(const QString& name, QWidget* parent, int left, int top, int width, int height)
    : QComboBox(parent) {
    setObjectName(name);
    setGeometry(Px(left), Px(top), Px(width), Px(height));
    setMaxVisibleItems(20);
    // The size comes from the layout table, never from the entries. (No size policy is set: that
    // would build the drop-down part of every list at start-up rather than at its first opening.)
    // activated() also fires when the entry picked is the one already shown.
    connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
}

QString ItemList::editText() const {
    return currentIndex() >= 0 ? currentText() : placeholderText();
}

void ItemList::setEditText(const QString& text) {
    const QSignalBlocker block(this);
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setPlaceholderText(text);
    setCurrentIndex(index);
}

void ItemList::selectIndex(int index) {
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    emit Click();
}

QPixmap LoadPicture(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    return bytes ? PictureFromBytes(*bytes) : QPixmap();
}

int ButtonValue(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ShiftValue(Qt::KeyboardModifiers modifiers) {
    int value = 0;
    if (modifiers & Qt::ShiftModifier)
        value |= 1;
    if (modifiers & Qt::ControlModifier)
        value |= 2;
    if (modifiers & Qt::AltModifier)
        value |= 4;
    return value;
}

} // namespace zv

#include "base/ui/Controls.h"

#include "base/FileBytes.h"
#include "base/ui/PictureBytes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
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

void ImageControl::press() {
    emit Click();
}

void ImageControl::requestContextMenu() {
    const QPoint middle = rect().center();
    emit MouseUp(2, 0, middle.x() * kTwipsPerPixel, middle.y() * kTwipsPerPixel);
}

void ImageControl::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        press();
        return;
    }
    if ((key == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
        (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        requestContextMenu();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ImageControl::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's right click is handled on release; this is the keyboard's (or an assistive
    // tool's) request for the menu.
    // A menu the key itself already opened gets the platform's own request for it.
    if (event->reason() != QContextMenuEvent::Mouse && !QApplication::activePopupWidget())
        requestContextMenu();
    event->accept();
}

void DrawPictureIn(QPainter& painter, const QRegion& region, QPoint at, const QPixmap& picture) {
    if (region.rectCount() <= 1) {
        painter.drawPixmap(at, picture);
        return;
    }
    const QRect covered(at, picture.deviceIndependentSize().toSize());
    painter.save();
    for (const QRect& part : region) {
        if (!part.intersects(covered))
            continue;
        painter.setClipRect(part);
        painter.drawPixmap(at, picture);
    }
    painter.restore();
}

void ImageControl::paintEvent(QPaintEvent* event) {
    // Nothing to draw: no painter either. Every empty layer under a changed picture (the anchor,
    // an unused mobile or special layer, the preview's click area) is repainted at every click.
    if (m_picture.isNull() && !hasFocus())
        return;
    QPainter painter(this);
    if (!m_picture.isNull()) {
        // Pixel art: on a high-density screen each pixel becomes a block of pixels, not a blur.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (isEnabled()) {
            DrawPictureIn(painter, event->region(), QPoint(0, 0), m_picture);
        } else {
            QStyleOption option;
            option.initFrom(this);
            painter.drawPixmap(0, 0,
                               style()->generatedIconPixmap(QIcon::Disabled, m_picture, &option));
        }
    }
    if (!hasFocus())
        return;
    // Light on dark and dark on light: seen on any picture.
    // Within what the parent shows of the control: a click area may reach past its edge.
    QRect shown = rect();
    if (const QWidget* holder = parentWidget())
        shown &= QRect(mapFromParent(QPoint(0, 0)), holder->size());
    const QRect frame = shown.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(QColor(20, 16, 40), 1));
    painter.drawRect(frame);
    painter.setPen(QPen(QColor(255, 215, 94), 1, Qt::DashLine));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
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

void ItemList::showPopup() {
    emit PopupOpening();
    QComboBox::showPopup();
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

namespace {

// The application's style, with a focus frame on a focused button once the keyboard has moved
// the focus in its window.
class FocusFramedButtonStyle final : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        const QStyle::State wanted = State_HasFocus | State_KeyboardFocusChange;
        if (element != CE_PushButton || (option->state & wanted) != wanted)
            return;
        painter->save();
        QPen pen(option->palette.color(QPalette::Active, QPalette::Highlight));
        pen.setWidth(1);
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(3, 3, -4, -4));
        painter->restore();
    }
};

} // namespace

void ShowFocusOnDefaultButton(QPushButton* button) {
    auto* style = new FocusFramedButtonStyle;
    style->setParent(button);
    button->setStyle(style);
}

} // namespace zv

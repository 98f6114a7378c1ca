#include "desktop/ui/TrayIcon.h"

#include "desktop/TrayMouse.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

namespace zv {
namespace {

// The control's own picture, used while no icon is given: a blue tile with a white "Z".
QIcon FallbackIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(32, 72, 160));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QPen pen(Qt::white, 4);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPointF zigzag[] = {{9, 9}, {23, 9}, {9, 23}, {23, 23}};
    painter.drawPolyline(zigzag, 4);
    painter.end();
    return QIcon(pixmap);
}

// The keyboard state as the events pass it: 1 Shift, 2 Ctrl, 4 Alt.
short ShiftState() {
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    short shift = 0;
    if (mods & Qt::ShiftModifier)
        shift |= 1;
    if (mods & Qt::ControlModifier)
        shift |= 2;
    if (mods & Qt::AltModifier)
        shift |= 4;
    return shift;
}

// Whether the session has a StatusNotifier host, asked as Qt asks when it chooses how to show
// the icon: Qt puts it there whenever one is registered with the watcher.
bool StatusNotifierHostPresent() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.kde.StatusNotifierWatcher")
         << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage &&
           reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
}

// A tool tip of kInfoTipMax characters, never ending in half a surrogate pair.
QString CutTip(const QString& tip) {
    const auto max = static_cast<qsizetype>(kInfoTipMax);
    if (tip.size() <= max)
        return tip;
    qsizetype length = max;
    if (tip.at(length - 1).isHighSurrogate())
        --length;
    return tip.left(length);
}

} // namespace

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent)
    , tray_(new QSystemTrayIcon(this)) {
    setObjectName(QStringLiteral("TrayIcon"));
    tray_->setIcon(Icon());
    connect(tray_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

TrayIcon::~TrayIcon() {
    HideIcon();
}

void TrayIcon::setInfoTip(const QString& tip) {
    tip_ = CutTip(tip);
    UpdateShownIcon();
}

QIcon TrayIcon::Icon() const {
    if (!icon_.isNull())
        return icon_;
    static const QIcon fallback = FallbackIcon();
    return fallback;
}

void TrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    UpdateShownIcon();
}

bool TrayIcon::ShowIcon() {
    if (!available())
        return false;
    UpdateShownIcon();
    tray_->show();
    shown_ = tray_->isVisible();
    statusNotifier_ = shown_ && StatusNotifierHostPresent();
    return shown_;
}

bool TrayIcon::HideIcon() {
    if (!shown_)
        return false;
    tray_->hide();
    shown_ = false;
    return true;
}

bool TrayIcon::available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::setContextMenu(QMenu* menu) {
    tray_->setContextMenu(menu);
}

void TrayIcon::HandleMouseNumber(int number, short shift) {
    const std::optional<TrayMouseEvent> event = DecodeTrayMouse(number);
    if (!event)
        return;
    switch (event->kind) {
    case TrayMouseKind::MouseDown:
        emit MouseDown(event->button, shift);
        break;
    case TrayMouseKind::MouseUp:
        emit MouseUp(event->button, shift);
        break;
    case TrayMouseKind::DblClick:
        emit DblClick(event->button, shift);
        break;
    }
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    // The desktop reports whole clicks; they are replayed as the press and release messages
    // so that one table decides every event.
    const short shift = ShiftState();
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        HandleMouseNumber(kTrayLeftDouble, shift);
        break;
    case QSystemTrayIcon::Trigger:
        // A StatusNotifier host's activation is the user's whole gesture on the icon.
        if (statusNotifier_) {
            HandleMouseNumber(kTrayLeftDouble, shift);
            break;
        }
        HandleMouseNumber(kTrayLeftDown, shift);
        HandleMouseNumber(kTrayLeftUp, shift);
        break;
    case QSystemTrayIcon::Context:
        HandleMouseNumber(kTrayRightDown, shift);
        HandleMouseNumber(kTrayRightUp, shift);
        break;
    case QSystemTrayIcon::MiddleClick:
        HandleMouseNumber(kTrayMiddleDown, shift);
        HandleMouseNumber(kTrayMiddleUp, shift);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void TrayIcon::UpdateShownIcon() {
    // Changing the picture or the tip of a hidden icon must not show it: QSystemTrayIcon only
    // appears on show().
    tray_->setIcon(Icon());
    tray_->setToolTip(tip_);
}

} // namespace zv

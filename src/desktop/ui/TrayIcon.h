#pragma once
// The notification-area icon of a window: one icon with a tool tip, shown and hidden on request,
// whose mouse actions arrive as MouseDown / MouseUp / DblClick events with the button number
// (1 left, 2 right, 4 middle) and the keyboard state (1 Shift, 2 Ctrl, 4 Alt).
//
// Notification areas that speak the StatusNotifier protocol over D-Bus (KDE Plasma, GNOME with
// the AppIndicator extension, every Wayland session) report no mouse buttons at all: the user's
// activation of the icon arrives as one call. On such a host that activation raises the left
// double-click, the icon's restoring gesture; hosts that report clicks keep them as they are.
#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QMenu;

namespace zv {

class TrayIcon : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString InfoTip READ InfoTip WRITE setInfoTip)
    Q_PROPERTY(QIcon Icon READ Icon WRITE setIcon)

public:
    explicit TrayIcon(QObject* parent = nullptr);
    // The icon disappears with its control.
    ~TrayIcon() override;

    // The tool tip, cut to its first 63 characters.
    QString InfoTip() const { return tip_; }
    void setInfoTip(const QString& tip);

    // The stored picture, or the control's own picture when none is stored.
    QIcon Icon() const;
    void setIcon(const QIcon& icon);

    // Puts the icon into the notification area. False when the desktop has none.
    bool ShowIcon();
    // Removes the icon. False when it was not shown.
    bool HideIcon();
    bool isShown() const { return shown_; }

    // Whether the desktop has a notification area at all.
    static bool available();

    // The menu the notification area shows for the icon (the holder keeps it).
    void setContextMenu(QMenu* menu);

    // Whether the shown icon lives in a StatusNotifier host (see above).
    bool onStatusNotifierHost() const { return statusNotifier_; }

    // Raises the event for a mouse message number (513-521); other numbers are ignored.
    void HandleMouseNumber(int number, short shift);

signals:
    void MouseUp(short Button, short Shift);
    void MouseDown(short Button, short Shift);
    void DblClick(short Button, short Shift);

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void UpdateShownIcon();

    QSystemTrayIcon* tray_;
    QString tip_;
    QIcon icon_;
    bool shown_ = false;
    bool statusNotifier_ = false;
};

} // namespace zv

#pragma once
// The notification-area icon of a window: one icon with a tool tip, shown and hidden on request,
// whose mouse actions arrive as MouseDown / MouseUp / DblClick events with the button number
// (1 left, 2 right, 4 middle) and the keyboard state (1 Shift, 2 Ctrl, 4 Alt).
#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

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
};

} // namespace zv

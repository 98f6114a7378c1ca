#pragma once
// The update check: fetches the published version number from the project's web site without
// holding up the window, and tells the user in one message box whether a newer version is out.
// It gives up with "Connection Error!" after a deadline, on more than kMaxBodyBytes, on any
// answer but 200 and on a redirect.
#include "app/UpdateVerdict.h"
#include "app/ui/HttpGet.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <memory>

class QAction;
class QWidget;

namespace zv {

class InternetTransfer;

class UpdateCheck final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateCheck)

public:
    static constexpr std::chrono::milliseconds kDeadline{10'000};
    static constexpr qint64 kMaxBodyBytes = 64 * 1024;

    // Messages are shown over `window`; `trigger` (the menu entry) is disabled while a check runs.
    UpdateCheck(InternetTransfer* network, QWidget* window, QAction* trigger,
                QObject* parent = nullptr);
    ~UpdateCheck() override;

    // Starts a check against the installed version; nothing when one is running already.
    void Start(int16_t installedVersion);
    // Ends a running check without a message.
    void Abort();
    bool isRunning() const { return m_get != nullptr; }

    // The whole check, from the start, may take this long (tests use a shorter one).
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }

    // The last body fetched; kept until the next check fetches one.
    QString UpdateText;

signals:
    // A check has ended and its message has been answered.
    void finished(zv::UpdateVerdict verdict);

private:
    void onMetaData();
    void onReadyRead();
    void onFinished();
    void Conclude(UpdateVerdict verdict);
    void Tell(UpdateVerdict verdict);
    void Release();

    InternetTransfer* m_network;
    QPointer<QWidget> m_window;
    QPointer<QAction> m_trigger;
    std::unique_ptr<HttpGet> m_get;
    QTimer m_deadlineTimer;
    std::chrono::milliseconds m_deadline = kDeadline;
    int16_t m_installedVersion = 0;
};

} // namespace zv

#include "app/ui/UpdateCheck.h"

#include "app/WebSite.h"
#include "app/ui/InternetTransfer.h"
#include "base/ui/MessageBox.h"

#include <QAction>
#include <QWidget>

namespace zv {
namespace {

constexpr int kHttpOk = 200;

} // namespace

UpdateCheck::UpdateCheck(InternetTransfer* network, QWidget* window, QAction* trigger,
                         QObject* parent)
    : QObject(parent)
    , m_network(network)
    , m_window(window)
    , m_trigger(trigger) {
    setObjectName(QStringLiteral("updateCheck"));
    m_deadlineTimer.setSingleShot(true);
    connect(&m_deadlineTimer, &QTimer::timeout, this,
            [this] { Conclude(UpdateVerdict::ConnectionError); });
}

UpdateCheck::~UpdateCheck() {
    Release();
}

void UpdateCheck::Start(int16_t installedVersion) {
    if (isRunning() || !m_network)
        return;
    m_installedVersion = installedVersion;

    // One byte more than a body may have: a full buffer means the body is too long, and the
    // transfer stops reading from the network there.
    m_get = m_network->Get(SiteAddress(kUpdatePath), QStringLiteral("Zorvex"), kMaxBodyBytes + 1,
                           {[this] { onMetaData(); }, [this] { onReadyRead(); },
                            [this] {
                                onFinished();
                            }});
    if (!m_get) {
        // The network module is missing: nothing can be fetched.
        Tell(UpdateVerdict::ConnectionError);
        return;
    }

    // The deadline counts from the start, however slowly the bytes arrive.
    m_deadlineTimer.start(m_deadline);
    if (m_trigger)
        m_trigger->setEnabled(false);
}

void UpdateCheck::onMetaData() {
    const int status = m_get->status();
    if ((status != 0 && status != kHttpOk) || m_get->contentLength() > kMaxBodyBytes)
        Conclude(UpdateVerdict::ConnectionError);
}

void UpdateCheck::onReadyRead() {
    if (m_get->bytesAvailable() > kMaxBodyBytes)
        Conclude(UpdateVerdict::ConnectionError);
}

void UpdateCheck::onFinished() {
    if (m_get->failed() || m_get->status() != kHttpOk || m_get->bytesAvailable() > kMaxBodyBytes) {
        Conclude(UpdateVerdict::ConnectionError);
        return;
    }
    UpdateText = QString::fromUtf8(m_get->readAll());
    Conclude(JudgeUpdate(ParseUpdateText(UpdateText), m_installedVersion));
}

void UpdateCheck::Release() {
    m_deadlineTimer.stop();
    m_get.reset(); // a transfer still running ends without a word
    if (m_trigger)
        m_trigger->setEnabled(true);
}

void UpdateCheck::Abort() {
    if (isRunning())
        Release();
}

void UpdateCheck::Conclude(UpdateVerdict verdict) {
    if (!isRunning())
        return;
    Release();
    Tell(verdict);
}

void UpdateCheck::Tell(UpdateVerdict verdict) {
    const UpdateMessage message = UpdateMessageFor(verdict, SiteRoot());
    ShowMessage(m_window, message.title, message.text,
                message.isError ? MessageIcon::Critical : MessageIcon::Information);
    emit finished(verdict);
}

} // namespace zv

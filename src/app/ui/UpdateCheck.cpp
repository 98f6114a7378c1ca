#include "app/ui/UpdateCheck.h"

#include "app/WebSite.h"
#include "base/ui/MessageBox.h"

#include <QAction>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <QWidget>

namespace zv {
namespace {

constexpr int kHttpOk = 200;

int StatusOf(const QNetworkReply* reply) {
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

UpdateCheck::UpdateCheck(QNetworkAccessManager* network, QWidget* window, QAction* trigger,
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

    QNetworkRequest request(QUrl(SiteAddress(kUpdatePath)));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Zorvex"));
    m_reply = m_network->get(request);
    // One byte more than a body may have: a full buffer means the body is too long, and the
    // reply stops reading from the network there.
    m_reply->setReadBufferSize(kMaxBodyBytes + 1);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &UpdateCheck::onMetaData);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateCheck::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateCheck::onFinished);

    // The deadline counts from the start, however slowly the bytes arrive.
    m_deadlineTimer.start(m_deadline);
    if (m_trigger)
        m_trigger->setEnabled(false);
}

void UpdateCheck::onMetaData() {
    const int status = StatusOf(m_reply);
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if ((status != 0 && status != kHttpOk) ||
        (length.isValid() && length.toLongLong() > kMaxBodyBytes))
        Conclude(UpdateVerdict::ConnectionError);
}

void UpdateCheck::onReadyRead() {
    if (m_reply->bytesAvailable() > kMaxBodyBytes)
        Conclude(UpdateVerdict::ConnectionError);
}

void UpdateCheck::onFinished() {
    if (m_reply->error() != QNetworkReply::NoError || StatusOf(m_reply) != kHttpOk ||
        m_reply->bytesAvailable() > kMaxBodyBytes) {
        Conclude(UpdateVerdict::ConnectionError);
        return;
    }
    UpdateText = QString::fromUtf8(m_reply->readAll());
    Conclude(JudgeUpdate(ParseUpdateText(UpdateText), m_installedVersion));
}

void UpdateCheck::Release() {
    m_deadlineTimer.stop();
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        // Aborting emits finished at once: nobody may listen any more.
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
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
    const UpdateMessage message = UpdateMessageFor(verdict, SiteRoot());
    ShowMessage(m_window, message.title, message.text,
                message.isError ? MessageIcon::Critical : MessageIcon::Information);
    emit finished(verdict);
}

} // namespace zv

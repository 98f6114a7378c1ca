// The network module: HttpGet over QtNetwork, loaded by the program at its first update check so
// that a start without one never loads the network library and what it needs.
#include "app/ui/HttpGet.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>
#include <memory>
#include <type_traits>

namespace {

// The owner's network access object, made at its first fetch and deleted with it.
QNetworkAccessManager* NetworkOf(QObject* owner) {
    auto* network = owner->findChild<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly);
    return network ? network : new QNetworkAccessManager(owner);
}

class ReplyGet final : public zv::HttpGet {
public:
    ReplyGet(QNetworkReply* reply, zv::HttpGetEvents events)
        : m_reply(reply)
        , m_listener(std::make_unique<QObject>()) {
        // Each event runs a copy, so that the HttpGet may be destroyed from inside it.
        auto shared = std::make_shared<const zv::HttpGetEvents>(std::move(events));
        QObject::connect(reply, &QNetworkReply::metaDataChanged, m_listener.get(), [shared] {
            if (auto call = shared->metaData)
                call();
        });
        QObject::connect(reply, &QNetworkReply::readyRead, m_listener.get(), [shared] {
            if (auto call = shared->readyRead)
                call();
        });
        QObject::connect(reply, &QNetworkReply::finished, m_listener.get(), [shared] {
            if (auto call = shared->finished)
                call();
        });
    }
    ~ReplyGet() override {
        // Aborting emits finished at once: nobody may listen any more.
        m_listener.reset();
        if (QNetworkReply* reply = m_reply) {
            reply->abort();
            reply->deleteLater();
        }
    }
    ReplyGet(const ReplyGet&) = delete;
    ReplyGet& operator=(const ReplyGet&) = delete;

    int status() const override {
        return m_reply ? m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
    }
    qint64 contentLength() const override {
        const QVariant length =
            m_reply ? m_reply->header(QNetworkRequest::ContentLengthHeader) : QVariant();
        return length.isValid() ? length.toLongLong() : -1;
    }
    qint64 bytesAvailable() const override { return m_reply ? m_reply->bytesAvailable() : 0; }
    QByteArray readAll() override { return m_reply ? m_reply->readAll() : QByteArray(); }
    bool failed() const override { return !m_reply || m_reply->error() != QNetworkReply::NoError; }

private:
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QObject> m_listener; // the context of the connections to the reply
};

} // namespace

extern "C" __attribute__((visibility("default"))) zv::HttpGet*
zv_StartHttpGet(QObject* owner, const QString& url, const QString& userAgent, qint64 bufferLimit,
                zv::HttpGetEvents events) {
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    QNetworkReply* reply = NetworkOf(owner)->get(request);
    reply->setReadBufferSize(bufferLimit);
    return new ReplyGet(reply, std::move(events));
}

static_assert(std::is_same_v<decltype(&zv_StartHttpGet), zv::StartHttpGetFunction>);

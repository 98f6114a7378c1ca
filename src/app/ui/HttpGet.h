#pragma once
// One HTTP GET as the update check needs it. The program itself does not link the network
// library, which only the check uses: the network module (libzorvex_net.so beside the program,
// loaded by InternetTransfer when the first check starts) implements this.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

namespace zv {

// Called on the user-interface thread; the HttpGet may be destroyed from any of them.
struct HttpGetEvents {
    std::function<void()> metaData;  // the status and the headers have arrived
    std::function<void()> readyRead; // body bytes are waiting
    std::function<void()> finished;  // the transfer has ended, however
};

class HttpGet {
public:
    virtual ~HttpGet() = default;             // aborts a transfer still running, without events
    virtual int status() const = 0;           // the HTTP status, 0 until it has arrived
    virtual qint64 contentLength() const = 0; // -1 when the head announces none
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray readAll() = 0;
    virtual bool failed() const = 0; // a network or protocol error ended it
};

// The module's one entry point, "zv_StartHttpGet": a GET of `url` that follows no redirect,
// uses no cache, sends `userAgent` and reads no more than `bufferLimit` bytes ahead of the caller.
// Its network connections belong to `owner` and end with it.
using StartHttpGetFunction = HttpGet* (*)(QObject* owner, const QString& url,
                                          const QString& userAgent, qint64 bufferLimit,
                                          HttpGetEvents events);
inline constexpr const char* kStartHttpGetSymbol = "zv_StartHttpGet";
inline constexpr const char* kNetworkModuleFile = "libzorvex_net.so";

} // namespace zv

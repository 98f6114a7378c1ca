#pragma once
// The main window's internet transfer control `Inet1`: fetches for the update check through the
// network module, which it loads at the first fetch (never at start-up).
#include "app/ui/HttpGet.h"

#include <QObject>
#include <memory>

namespace zv {

class InternetTransfer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InternetTransfer)

public:
    explicit InternetTransfer(QObject* parent = nullptr);
    ~InternetTransfer() override;

    // Starts a GET (see HttpGet.h); nullptr when the network module cannot be loaded.
    std::unique_ptr<HttpGet> Get(const QString& url, const QString& userAgent, qint64 bufferLimit,
                                 HttpGetEvents events);

    // Whether this process has loaded the network module.
    static bool moduleLoaded();
};

} // namespace zv

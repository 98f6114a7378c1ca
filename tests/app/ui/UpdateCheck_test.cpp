// The update check against a real HTTP server on 127.0.0.1: the three answers, and every way a
// server can fail, stall, flood or redirect ending in "Connection Error!" without freezing the
// window.
#include "AppFixture.h"
#include "app/ui/InternetTransfer.h"
#include "app/ui/UpdateCheck.h"
#include "support/LoadedObjects.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

using namespace std::chrono_literals;
using zv::UpdateCheck;
using zv::UpdateVerdict;

namespace {

// Answers each request once its head has arrived, as the test says.
class TestServer {
public:
    using Answer = std::function<void(QTcpSocket*)>;

    explicit TestServer(Answer answer)
        : m_answer(std::move(answer)) {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                auto head = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
                    if (head->contains("\r\n\r\n"))
                        return;
                    *head += socket->readAll();
                    if (head->contains("\r\n\r\n")) {
                        requests << QString::fromLatin1(head->left(head->indexOf("\r\n")));
                        m_answer(socket);
                    }
                });
            }
        });
    }

    QString root() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }

    QStringList requests; // request lines, e.g. "GET /update.dat HTTP/1.1"

private:
    QTcpServer m_server;
    Answer m_answer;
};

QByteArray Head(int status, const char* reason, const QByteArray& fields = {}) {
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n" + fields +
           "Connection: close\r\n\r\n";
}

TestServer::Answer Body(const QByteArray& body, int status = 200, const char* reason = "OK") {
    return [=](QTcpSocket* socket) {
        socket->write(
            Head(status, reason, "Content-Length: " + QByteArray::number(body.size()) + "\r\n") +
            body);
        socket->disconnectFromHost();
    };
}

// Sends `total` bytes in `chunk`-byte pieces, one every `every`, counting what it has sent.
TestServer::Answer Trickle(const QByteArray& head, qint64 total, qint64 chunk,
                           std::chrono::milliseconds every, std::shared_ptr<qint64> sent) {
    return [=](QTcpSocket* socket) {
        socket->write(head);
        auto* timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, socket, [=] {
            if (socket->state() != QAbstractSocket::ConnectedState || *sent >= total) {
                timer->stop();
                return;
            }
            const qint64 piece = std::min(chunk, total - *sent);
            socket->write(QByteArray(piece, '1'));
            *sent += piece;
        });
        timer->start(every);
    };
}

class UpdateCheckTest : public zvtest::AppFixture {
protected:
    void TearDown() override {
        qunsetenv("ZORVEX_SITE_ROOT");
        AppFixture::TearDown();
    }

    // Runs one check against `server` with installed version 12 and returns its verdict, after
    // checking that the window ran on meanwhile and that the verdict's message box came, word for
    // word.
    UpdateVerdict run(TestServer& server, std::chrono::milliseconds deadline = 10s) {
        qputenv("ZORVEX_SITE_ROOT", server.root().toLatin1());
        check.setDeadline(deadline);
        QSignalSpy done(&check, &UpdateCheck::finished);
        messages.clear();
        check.Start(12);
        EXPECT_TRUE(check.isRunning());
        EXPECT_FALSE(trigger.isEnabled());
        EXPECT_TRUE(messages.empty()); // nothing waits for the answer
        if (!done.wait(static_cast<int>(deadline.count()) + 5000)) {
            ADD_FAILURE() << "the check never ended";
            return UpdateVerdict::ConnectionError;
        }
        EXPECT_FALSE(check.isRunning());
        EXPECT_TRUE(trigger.isEnabled());
        const auto verdict = done.first().first().value<UpdateVerdict>();
        EXPECT_EQ(messages.size(), 1u);
        if (!messages.empty()) {
            const zv::MessageRequest expected = Expected(verdict, server.root());
            EXPECT_EQ(messages[0].title, expected.title);
            EXPECT_EQ(messages[0].text, expected.text);
            EXPECT_EQ(messages[0].icon, expected.icon);
        }
        return verdict;
    }
    static zv::MessageRequest Expected(UpdateVerdict verdict, const QString& root) {
        switch (verdict) {
        case UpdateVerdict::NewVersion:
            return {QStringLiteral("New Version!"),
                    QStringLiteral("There is a new version ready for download.\r\nPlease visit ") +
                        root + QStringLiteral(".  "),
                    zv::MessageIcon::Information};
        case UpdateVerdict::NoNewVersion:
            return {QStringLiteral("There is currently no new version for download."),
                    QStringLiteral("At the moment there is no new version available for "
                                   "download.\r\nPlease visit ") +
                        root + QStringLiteral(" for more information.  "),
                    zv::MessageIcon::Information};
        case UpdateVerdict::ConnectionError:
            break;
        }
        return {QStringLiteral("Connection Error!"),
                QStringLiteral("An error has occurred, a possible solution would be\r\n"
                               "to check your internet connection to make sure you\r\n"
                               "are connected to the internet.  "),
                zv::MessageIcon::Critical};
    }

    zv::InternetTransfer network;
    QWidget window;
    QAction trigger{QStringLiteral("Check For Updates")};
    UpdateCheck check{&network, &window, &trigger};
};

// The network module is loaded by the first check, not before (this test's own server needs
// the network library; the program's start without it is checked on the real program).
TEST_F(UpdateCheckTest, TheNetworkModuleLoadsAtTheFirstCheck) {
    if (zv::InternetTransfer::moduleLoaded())
        GTEST_SKIP() << "an earlier test of this process made a check";
    EXPECT_FALSE(zvtest::IsLoaded("libzorvex_net"));
    TestServer server(Body("12"));
    EXPECT_EQ(run(server), UpdateVerdict::NoNewVersion);
    EXPECT_TRUE(zv::InternetTransfer::moduleLoaded());
    EXPECT_TRUE(zvtest::IsLoaded("libzorvex_net"));
}

TEST_F(UpdateCheckTest, BodiesAreComparedAsNumbers) {
    const std::pair<QByteArray, UpdateVerdict> cases[] = {
        {"13", UpdateVerdict::NewVersion},         {"12.5", UpdateVerdict::NewVersion},
        {"12", UpdateVerdict::NoNewVersion},       {" 12 ", UpdateVerdict::NoNewVersion},
        {"12\r\n", UpdateVerdict::NoNewVersion},   {"11.9", UpdateVerdict::NoNewVersion},
        {"", UpdateVerdict::ConnectionError},      {"words", UpdateVerdict::ConnectionError},
        {"1e400", UpdateVerdict::ConnectionError}, {"12 13", UpdateVerdict::ConnectionError}};
    for (const auto& [body, verdict] : cases) {
        TestServer server(Body(body));
        EXPECT_EQ(run(server), verdict) << body.toStdString();
        EXPECT_EQ(server.requests, QStringList{QStringLiteral("GET /update.dat HTTP/1.1")});
        EXPECT_EQ(check.UpdateText, QString::fromLatin1(body)); // kept, also when not a number
    }
}

TEST_F(UpdateCheckTest, OnlyAPlainOkAnswerCounts) {
    TestServer failing(Body("13", 500, "Internal Server Error"));
    EXPECT_EQ(run(failing), UpdateVerdict::ConnectionError);
    // A redirect is not followed, even to a file that would say "13".
    std::unique_ptr<TestServer> server;
    server = std::make_unique<TestServer>([&server](QTcpSocket* socket) {
        if (server->requests.last().contains(QLatin1String("/moved.dat"))) {
            Body("13")(socket);
            return;
        }
        socket->write(
            Head(302, "Found",
                 "Location: " + server->root().toLatin1() + "/moved.dat\r\nContent-Length: 0\r\n"));
        socket->disconnectFromHost();
    });
    EXPECT_EQ(run(*server), UpdateVerdict::ConnectionError);
    EXPECT_EQ(server->requests, QStringList{QStringLiteral("GET /update.dat HTTP/1.1")});
}

TEST_F(UpdateCheckTest, SilentServerEndsAtTheDeadlineWhileTheWindowKeepsRunning) {
    TestServer silent([](QTcpSocket*) {});
    int ticks = 0;
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout, [&ticks] { ++ticks; });
    beat.start(20);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(run(silent, 800ms), UpdateVerdict::ConnectionError);
    EXPECT_GE(clock.elapsed(), 700);
    EXPECT_GT(ticks, 10); // the event loop ran all the while
}

TEST_F(UpdateCheckTest, DeadlineCountsFromTheStartWhileBytesKeepTrickling) {
    // One byte every fifth of the deadline, of a body that would take a minute: no pause is long
    // enough for a transfer time-out, yet the check must end at its deadline.
    auto sent = std::make_shared<qint64>(0);
    TestServer dripping(Trickle(Head(200, "OK", "Content-Length: 300\r\n"), 300, 1, 200ms, sent));
    EXPECT_EQ(run(dripping, 1000ms), UpdateVerdict::ConnectionError);
    EXPECT_GE(*sent, 3);
    EXPECT_LT(*sent, 300);
}

TEST_F(UpdateCheckTest, LongBodiesAreRefusedWithoutReadingThemWhole) {
    constexpr qint64 kTenMegabytes = 10 * 1024 * 1024;
    // Announced in the head.
    auto announcedSent = std::make_shared<qint64>(0);
    TestServer announced(Trickle(Head(200, "OK", "Content-Length: 10485760\r\n"), kTenMegabytes,
                                 64 * 1024, 10ms, announcedSent));
    EXPECT_EQ(run(announced), UpdateVerdict::ConnectionError);
    EXPECT_LT(*announcedSent, kTenMegabytes);

    // Unannounced, up to the end of the connection.
    auto sent = std::make_shared<qint64>(0);
    TestServer flooding(Trickle(Head(200, "OK"), kTenMegabytes, 64 * 1024, 10ms, sent));
    EXPECT_EQ(run(flooding), UpdateVerdict::ConnectionError);
    EXPECT_LT(*sent, kTenMegabytes);

    // 64 KiB exactly is still read.
    QByteArray padded(UpdateCheck::kMaxBodyBytes, ' ');
    padded.replace(0, 2, "13");
    TestServer full(Body(padded));
    EXPECT_EQ(run(full), UpdateVerdict::NewVersion);
}

TEST_F(UpdateCheckTest, AbortEndsTheCheckWithoutAMessage) {
    TestServer silent([](QTcpSocket*) {});
    qputenv("ZORVEX_SITE_ROOT", silent.root().toLatin1());
    check.setDeadline(300ms);
    QSignalSpy done(&check, &UpdateCheck::finished);
    check.Start(12);
    EXPECT_FALSE(trigger.isEnabled());
    check.Abort();
    EXPECT_TRUE(trigger.isEnabled());
    EXPECT_FALSE(done.wait(800));
    EXPECT_TRUE(messages.empty());
}

} // namespace

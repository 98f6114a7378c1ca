// The main window's About entries: web pages open in the browser at the site root, and an update
// check still running when the window closes ends without a word.
#include "AppFixture.h"
#include "app/WebSite.h"
#include "app/ui/UpdateCheck.h"

#include <QAction>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>

using namespace std::chrono_literals;
using zv::FormMain;

namespace {

// Stands in for the user's browser.
class Browser final : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class ShellCommandsTest : public zvtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        qunsetenv("ZORVEX_SITE_ROOT");
        AppFixture::TearDown();
    }
    static QAction* entry(FormMain& form, const char* name) {
        auto* action = form.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }

    Browser browser;
};

TEST_F(ShellCommandsTest, LinksOpenTheSitesPagesInTheBrowser) {
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    for (const char* name : {"visit", "credits", "donate", "manual", "bug"})
        entry(form, name)->trigger();
    const QString root = QString::fromLatin1(zv::kBuiltInSiteRoot);
    EXPECT_TRUE(root.startsWith(QLatin1String("http://")));
    EXPECT_EQ(browser.opened,
              (QList<QUrl>{QUrl(root), QUrl(root + QStringLiteral("/credits.php")),
                           QUrl(root + QStringLiteral("/donate.php")),
                           QUrl(root + QStringLiteral("/manuals.php")),
                           QUrl(root + QStringLiteral("/forum/viewforum.php?f=2"))}));
    EXPECT_TRUE(messages.empty());

    // A mirror replaces the root, with or without a closing slash.
    browser.opened.clear();
    qputenv("ZORVEX_SITE_ROOT", "http://mirror.test:8080/zorvex/");
    entry(form, "visit")->trigger();
    entry(form, "bug")->trigger();
    EXPECT_EQ(browser.opened,
              (QList<QUrl>{QUrl(QStringLiteral("http://mirror.test:8080/zorvex")),
                           QUrl(QStringLiteral("http://mirror.test:8080/zorvex/forum/"
                                               "viewforum.php?f=2"))}));
}

TEST_F(ShellCommandsTest, CheckAsksTheSiteRootAndComparesWithTheInstalledVersion) {
    setSetting("Zorvex", "Version", "13");
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QByteArray request;
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &request] {
            request += socket->readAll();
            if (request.contains("\r\n\r\n")) {
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n13\n");
                socket->disconnectFromHost();
            }
        });
    });
    const QString root = QStringLiteral("http://127.0.0.1:%1/mirror").arg(server.serverPort());
    qputenv("ZORVEX_SITE_ROOT", root.toLatin1());

    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    auto* check = form.findChild<zv::UpdateCheck*>();
    ASSERT_NE(check, nullptr);
    QSignalSpy done(check, &zv::UpdateCheck::finished);
    entry(form, "check")->trigger();
    EXPECT_FALSE(entry(form, "check")->isEnabled());
    ASSERT_TRUE(done.wait(10000));
    EXPECT_TRUE(request.startsWith("GET /mirror/update.dat HTTP/1.1\r\n"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("There is currently no new version for download."));
    EXPECT_TRUE(messages[0].text.contains(root + QStringLiteral(" for more information.  ")));
    EXPECT_TRUE(entry(form, "check")->isEnabled());
}

TEST_F(ShellCommandsTest, ClosingTheWindowEndsARunningCheckWithoutAMessage) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    QPointer<QTcpSocket> client;
    QObject::connect(&silent, &QTcpServer::newConnection, &silent,
                     [&] { client = silent.nextPendingConnection(); });
    qputenv("ZORVEX_SITE_ROOT",
            QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()).toLatin1());

    auto form = std::make_unique<FormMain>();
    ASSERT_TRUE(form->Form_Load());
    auto* check = form->findChild<zv::UpdateCheck*>();
    ASSERT_NE(check, nullptr);
    check->setDeadline(300ms);
    entry(*form, "check")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !client.isNull(); }, 5000));
    form->close();
    EXPECT_FALSE(check->isRunning());
    // The connection is dropped, and nothing speaks up after the deadline has passed.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !client || client->state() == QAbstractSocket::UnconnectedState; }, 5000));
    QTest::qWait(600);
    form.reset();
    QTest::qWait(50);
    EXPECT_TRUE(messages.empty());
}

} // namespace

#include "ShellCommands_test.moc"

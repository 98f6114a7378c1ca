#include "app/ui/Application.h"

#include "app/ui/AccessibleControls.h"
#include "app/ui/FormMain.h"
#include "app/ui/ProgramStart.h"
#include "base/ProgramPaths.h"
#include "base/ui/FirstFrameProbe.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"
#include "outfit/ui/OutfitFeatures.h"

#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>
#include <filesystem>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace zv {
namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalPipe[0], &byte, 1);
}

// Test runs of the whole program answer message boxes by writing them to a file.
void AnswerMessagesIntoFile(const QString& path) {
    SetMessageAnswerer([path](const MessageRequest& request) {
        QFile log(path);
        if (log.open(QIODevice::Append)) {
            log.write((request.title + QLatin1Char('\n') + request.text + QStringLiteral("\n\n"))
                          .toUtf8());
        }
    });
}

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments())
        arguments.push_back(argument.toLocal8Bit().toStdString());
    return arguments;
}

} // namespace

int RunZorvex(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvex"));
    // Wayland desktops find the entry and icon of the window's program by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORVEX_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);
    InstallZorvexAccessibility();
    FirstFrameProbe::InstallIfAsked(app);

    const QByteArray messageLog = qgetenv("ZORVEX_MESSAGE_LOG");
    if (!messageLog.isEmpty())
        AnswerMessagesIntoFile(QString::fromLocal8Bit(messageLog));

    // Every file lies in the program folder; without it nothing can be found, and files written
    // anywhere else (the working folder) would be strays.
    const std::filesystem::path folder = ExecutableFolder();
    if (folder.empty()) {
        ShowMessage(nullptr, QString(),
                    QStringLiteral("The program folder cannot be determined, so Zorvex cannot "
                                   "find its files and stops."),
                    MessageIcon::Critical);
        return 1;
    }
    SetProgramFolder(folder);

    ProgramStart start;
    QObject::connect(&start, &ProgramStart::finished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (const std::optional<std::string> code = OutfitCodeArgument(Arguments())) {
        // Once the main window is up (after the splash, when it shows).
        QObject::connect(
            &start, &ProgramStart::mainWindowLoaded, &start,
            [&start, code = QString::fromLocal8Bit(*code)] {
                if (FormMain* window = start.mainWindow())
                    window->outfit().PutOnCode(code, OutfitCodeSource::CommandLine);
            },
            Qt::QueuedConnection);
    }

    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(g_signalPipe[1], QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, &start, [&start] {
            char byte = 0;
            [[maybe_unused]] const auto got = ::read(g_signalPipe[1], &byte, 1);
            start.CloseAll();
        });
        std::signal(SIGTERM, OnTerminationSignal);
        std::signal(SIGINT, OnTerminationSignal);
    }
    // A full disk or a file-size limit must make a write fail, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);

    if (!start.Start())
        return 0;
    const int status = app.exec();
    // Closing the splash without opening the main window leaves the intro's sound library open.
    FSOUND_Close();
    return status;
}

} // namespace zv

#pragma once
// For start-up measurements only: with the environment variable ZORVEX_FIRST_FRAME set, the
// process writes one line to standard output once its first window has shown its first frame:
//   first-frame <window objectName> <CLOCK_MONOTONIC in nanoseconds>
// The first frame is the first paint of a main window's client area (its central widget), or of
// any other top-level window, after it is shown; the line is written by the first event handled
// after that paint, so the frame has been handed to the window system by then. With the value
// "exit" the process then ends at once, without its shutdown (instruction counts of the start
// alone).
//
// Header-only and QtWidgets-only, so that the bare reference window of the start-up benchmark
// measures itself with the very same code.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMetaObject>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace zv {

class FirstFrameProbe final : public QObject {
public:
    explicit FirstFrameProbe(bool quitAfter, QObject* parent = nullptr)
        : QObject(parent)
        , m_quitAfter(quitAfter) {}

    // Installs the probe on the application when the environment asks for it.
    static void InstallIfAsked(QApplication& app) {
        const QByteArray mode = qgetenv("ZORVEX_FIRST_FRAME");
        if (mode.isEmpty())
            return;
        app.installEventFilter(new FirstFrameProbe(mode == "exit", &app));
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_seen || event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const auto* main = qobject_cast<const QMainWindow*>(widget->parentWidget());
        const bool client = main && main->centralWidget() == widget;
        if (!client && !(widget->isWindow() && !qobject_cast<QMainWindow*>(widget)))
            return false;
        m_seen = true;
        const QString name = widget->window()->objectName();
        QMetaObject::invokeMethod(
            this,
            [this, name] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("first-frame %s %lld\n", qPrintable(name),
                            static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
                std::fflush(stdout);
                if (m_quitAfter)
                    std::_Exit(0);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    bool m_quitAfter;
    bool m_seen = false;
};

} // namespace zv

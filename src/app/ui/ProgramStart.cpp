#include "app/ui/ProgramStart.h"

#include "app/ui/FormMain.h"
#include "app/ui/FormSplash.h"
#include "base/SingleInstance.h"

#include <QApplication>

namespace zv {

ProgramStart::ProgramStart(QObject* parent)
    : QObject(parent) {}

ProgramStart::~ProgramStart() {
    delete m_splash;
}

bool ProgramStart::Start() {
    // Before the splash: a refused start must not show it, play the intro or count it down.
    // The main window's own check then reports the refusal and ends.
    m_lock = FormMain::MakeInstanceLock();
    if (!m_lock->tryAcquire())
        return OpenMainWindow();

    m_splash = new FormSplash;
    connect(m_splash, &FormSplash::ShowMainWindow, this, [this] {
        m_splash->deleteLater();
        if (!OpenMainWindow())
            emit finished();
    });
    connect(m_splash, &FormSplash::ClosedWithoutMainWindow, this, [this] {
        m_splash->deleteLater();
        emit finished();
    });
    m_splash->Form_Load();
    return true;
}

bool ProgramStart::OpenMainWindow() {
    m_main = std::make_unique<FormMain>();
    connect(m_main.get(), &FormMain::unloaded, this, &ProgramStart::finished);
    m_main->AdoptInstanceLock(std::move(m_lock));
    if (!m_main->Form_Load())
        return false;
    emit mainWindowLoaded();
    return true;
}

void ProgramStart::CloseAll() {
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (!modal->close())
            break;
    }
    if (m_main)
        m_main->close();
    else if (m_splash)
        m_splash->close(); // also while it is still loading, before it shows
    else
        emit finished();
}

} // namespace zv

#pragma once
// The start of the process and the end of its windows: a second instance is refused before
// anything shows, then the splash runs and opens the main window. `finished` tells when no
// window is left and the process may end.
#include "app/ui/FormSplash.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace zv {

class FormMain;
class SingleInstanceLock;

class ProgramStart final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgramStart)

public:
    explicit ProgramStart(QObject* parent = nullptr);
    ~ProgramStart() override;

    // Returns false when the process ends at once (a refused second instance).
    bool Start();

    // A termination request: a waiting message box goes first, then the open window closes
    // the way its own close does.
    void CloseAll();

    FormSplash* splash() const { return m_splash; }
    FormMain* mainWindow() const { return m_main.get(); }

signals:
    void finished();
    // The main window has run its start-up and is in use.
    void mainWindowLoaded();

private:
    bool OpenMainWindow();

    std::unique_ptr<SingleInstanceLock> m_lock;
    QPointer<FormSplash> m_splash;
    std::unique_ptr<FormMain> m_main;
};

} // namespace zv

#pragma once
// The main window's shell entries: "&Properties" in the File menu and the About menu's web pages
// and update check.
#include <QObject>

namespace zv {

class FormMain;
class UpdateCheck;

class ShellCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShellCommands)

public:
    // Wires the entries of `form`'s menus; lives as long as the window.
    explicit ShellCommands(FormMain& form);

    // Shows the properties dialog, or brings the open one to the front.
    void prop_Click();
    // Starts the update check against the installed version.
    void check_Click();
    // Opens the site root followed by `path` in the user's browser; a failure is silent.
    void OpenSitePage(const char* path);

    UpdateCheck& updateCheck() { return *m_update; }

private:
    FormMain& m_form;
    UpdateCheck* m_update;
};

} // namespace zv

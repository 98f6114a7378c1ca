#include "app/ui/ShellCommands.h"

#include "app/WebSite.h"
#include "app/ui/FormMain.h"
#include "app/ui/FormProperties.h"
#include "app/ui/UpdateCheck.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>

namespace zv {

ShellCommands::ShellCommands(FormMain& form)
    : QObject(&form)
    , m_form(form) {
    setObjectName(QStringLiteral("shellCommands"));
    MainControls& c = form.controls();
    m_update = new UpdateCheck(c.Inet1, &form, c.check, this);

    connect(c.prop, &QAction::triggered, this, &ShellCommands::prop_Click);
    connect(c.check, &QAction::triggered, this, &ShellCommands::check_Click);
    for (const WebLink& link : kWebLinks) {
        auto* entry = form.findChild<QAction*>(QString::fromLatin1(link.menu));
        if (entry) {
            const char* path = link.path;
            connect(entry, &QAction::triggered, this, [this, path] { OpenSitePage(path); });
        }
    }
    // No answer may arrive once the window has gone.
    connect(&form, &FormMain::unloaded, m_update, &UpdateCheck::Abort);
}

void ShellCommands::prop_Click() {
    if (!m_form.formProperties)
        m_form.formProperties = new FormProperties(&m_form);
    QWidget* dialog = m_form.formProperties;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void ShellCommands::check_Click() {
    m_update->Start(m_form.InstalledVersion);
}

void ShellCommands::OpenSitePage(const char* path) {
    QDesktopServices::openUrl(QUrl(SiteAddress(path)));
}

} // namespace zv

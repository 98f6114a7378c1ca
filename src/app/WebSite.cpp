#include "app/WebSite.h"

#include <QtGlobal>

namespace zv {

QString SiteRoot() {
    QString root = qEnvironmentVariable("ZORVEX_SITE_ROOT").trimmed();
    if (root.isEmpty())
        root = QString::fromLatin1(kBuiltInSiteRoot);
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

QString SiteAddress(const char* path) {
    return SiteRoot() + QString::fromLatin1(path);
}

} // namespace zv

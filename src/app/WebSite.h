#pragma once
// The project's web site: its root address, the pages the About menu opens and the file the
// update check fetches.
#include <QString>
#include <array>

namespace zv {

// The site root, built in. The environment variable ZORVEX_SITE_ROOT, when set, replaces it for
// the links and the update check alike (mirrors, tests).
inline constexpr char kBuiltInSiteRoot[] = "http://www.zorvex-planner.example";

// The site root in use, without a trailing slash.
QString SiteRoot();

// The site root followed by `path` ("/credits.php"; empty for the root itself).
QString SiteAddress(const char* path);

// The pages behind the About menu's entries, by the entry's name.
struct WebLink {
    const char* menu;
    const char* path;
};
inline constexpr std::array<WebLink, 5> kWebLinks{{{"visit", ""},
                                                   {"credits", "/credits.php"},
                                                   {"donate", "/donate.php"},
                                                   {"manual", "/manuals.php"},
                                                   {"bug", "/forum/viewforum.php?f=2"}}};

// Holds the newest published version number as text.
inline constexpr char kUpdatePath[] = "/update.dat";

} // namespace zv

// The reference of the start-up benchmark: a bare main window of the program's size with the
// program's menu bar (the same menus and entries, so that both pay for fonts and menus) and
// nothing else, built with the same flags. It reports its first frame the way the program does
// (ZORVEX_FIRST_FRAME, base/ui/FirstFrameProbe.h).
#include "base/ui/FirstFrameProbe.h"
#include "planner/Mobiles.h"

#include <QApplication>
#include <QKeySequence>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <initializer_list>

namespace {

// One menu: its caption and entries ("-" a separator, ">" starts a submenu of five slots).
void AddMenu(QMenuBar* bar, const char* caption, std::initializer_list<const char*> entries) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    for (const char* entry : entries) {
        const QString text = QString::fromLatin1(entry);
        if (text == QLatin1String("-")) {
            menu->addSeparator();
        } else if (text.startsWith(QLatin1Char('>'))) {
            QMenu* sub = menu->addMenu(text.mid(1));
            for (int slot = 1; slot <= 5; ++slot)
                sub->addAction(QStringLiteral("Slot &%1").arg(slot))
                    ->setShortcut(QKeySequence(Qt::Key_F1 + slot - 1));
        } else {
            menu->addAction(text);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zv::FirstFrameProbe::InstallIfAsked(app);

    QMainWindow window;
    window.setObjectName(QStringLiteral("bareWindow"));
    window.setWindowTitle(QStringLiteral("Zorvex [RC 1.2b]"));
    auto* client = new QWidget(&window);
    client->setFixedSize(642, 403); // 9630 x 6045 twips
    window.setCentralWidget(client);

    QMenuBar* bar = window.menuBar();
    AddMenu(bar, "&File",
            {">&Save", ">&Load", "Music", "-", "&Save Avatar Image", "&Copy Image To Clipboard",
             "-", "&Properties", "&Exit"});
    QMenu* mobile = bar->addMenu(QStringLiteral("&Mobile"));
    mobile->addAction(QStringLiteral("Hide Mobile"));
    mobile->addSeparator();
    for (const zv::MobileRow& row : zv::Mobiles)
        mobile->addAction(QString::fromLatin1(row.Caption));
    AddMenu(bar, "&Time Calculator", {"&Basic", "&Advanced"});
    AddMenu(bar, "&Wardrobe", {"View Wardrobe"});
    AddMenu(bar, "&Planner", {"Outfit &Finder..."});
    AddMenu(bar, "&About",
            {"Credits", "-", "Check For Updates", "-", "Donate", "Online Manual", "Visit Website",
             "-", "Report Bugs"});
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return app.exec();
}

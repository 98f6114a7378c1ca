#pragma once
// The shipped item catalogues: every item's name, picture names, look and effects.
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <array>

namespace zvdata {

enum class Slot { Helmet, Armor, Goggles, Accessory };
enum class Gender { Male, Female };

// How an item is drawn: a style of its slot and three colours.
struct Look {
    int style = 0;
    QColor main, second, accent;
};

// Effects in the order the planner holds them.
enum Stat { Stars, Shield, Delay, Attack, Hearts, ItemDelay, Shovel, ShieldRegen, StatCount };

struct Item {
    QByteArray name;
    QByteArray itemPicture;    // base name under avatargraphics/
    QByteArray previewPicture; // base name under avatarpreview/ ("VO-Flag-" is added for flags)
    Slot slot = Slot::Helmet;
    Gender gender = Gender::Male; // accessories are drawn once, for both genders
    Look look;
    int tier = 0; // 0 cheap .. 5 top of the shop
    std::array<int, StatCount> stats{};
    int cost = 0;
};

// One list catalogue and its detail catalogue.
struct Catalogue {
    QString listFile;   // e.g. "male01.dat"
    QString detailFile; // e.g. "male11.dat"
    QList<Item> items;
};

// The seven catalogues in the order of the file table.
QList<Catalogue> ShippedCatalogues();

// The same catalogues blown up to `count` items each (names numbered, pictures reused).
QList<Catalogue> ScaledCatalogues(int count);

// List file and detail file bytes: 8-bit text, CR LF.
QByteArray ListFileBytes(const Catalogue& catalogue);
QByteArray DetailFileBytes(const Catalogue& catalogue);

} // namespace zvdata

#pragma once
// The mobiles of the "&Mobile" menu as one table: every entry is the same operation (show the
// picture, seat the figure on the anchor) with its row as data. The data generator draws each
// mobile around the seat given here, so the figure always sits in it.
#include <array>
#include <string>

namespace zv {

struct MobileRow {
    const char* Entry;   // objectName of the menu entry
    const char* Caption; // its text
    const char* Picture; // file name under avatarpreview/
    int AnchorLeft;      // where the figure's anchor goes, in twips inside picboxAvatar
    int AnchorTop;
};

// In menu order, top to bottom (below "Hide Mobile" and a separator).
inline constexpr std::array<MobileRow, 17> Mobiles{{
    {"evorn", "E.Vorn", "Mobile-Evorn.gif", 420, 450},
    {"ovaru", "Ovaru", "Mobile-Ovaru.gif", 360, 440},
    {"armormobile", "Armor Mobile", "Mobile-ArmorMobile.gif", 550, 420},
    {"bigfoot", "Bigfoot", "Mobile-Bigfoot.gif", 470, 350},
    {"boomer", "Boomer Launcher", "Mobile-Boomer.gif", 500, 430},
    {"dragon", "Dragon", "Mobile-Dragon.gif", 520, 220},
    {"grub", "Grub", "Mobile-Grub.gif", 550, 270},
    {"ice", "Ice", "Mobile-Ice.gif", 500, 240},
    {"qx", "QX", "Mobile-QX.gif", 490, 330},
    {"knight", "Knight", "Mobile-Knight.gif", 580, 300},
    {"lightning", "Lightning", "Mobile-Lightning.gif", 560, 420},
    {"mage", "Mage", "Mobile-Mage.gif", 460, 380},
    {"tovik", "Tovik Machine", "Mobile-TovikMachine.gif", 380, 400},
    // The game's random pick has a picture of its own; choosing it draws nothing.
    {"random", "Random", "Mobile-Random.gif", 590, 300},
    {"vesk", "Vesk Launcher", "Mobile-Vesk.gif", 560, 380},
    {"sorvi", "Sorvi", "Mobile-Sorvi.gif", 440, 270},
    {"turtle", "Turtle", "Mobile-Turtle.gif", 470, 320},
}};

// The anchor's place without a mobile (also where imgMobile always stands).
inline constexpr int kAnchorHomeLeft = 360;
inline constexpr int kAnchorHomeTop = 460;

// Program-folder path of the row's picture: "\avatarpreview\" + its name.
std::string MobilePicturePath(const MobileRow& row);

} // namespace zv

// The "&Mobile" menu: its entries, the picture and seat of each mobile, hiding, and that the
// mobile never touches the outfit or its totals.
#include "PlannerWindowFixture.h"
#include "planner/Totals.h"
#include "planner/Variables.h"

#include <QAction>
#include <QMenu>

using namespace zvtest;

namespace {

class MobileMenuTest : public PlannerWindowFixture {
protected:
    void pick(const char* entry) {
        QAction* action = form->findChild<QAction*>(QString::fromLatin1(entry));
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
    }
    // The anchor, the four figure layers and imgSpecial all stand at (left, top) twips.
    void expectFigureAt(int left, int top) {
        for (const zv::ImageControl* layer : {c().imgAvatarBase, c().imgAccessories, c().imgArmor,
                                              c().imgHelmet, c().imgGoggles, c().imgSpecial}) {
            const std::string name = layer->objectName().toStdString();
            EXPECT_EQ(layer->leftTwips(), left) << name;
            EXPECT_EQ(layer->topTwips(), top) << name;
            EXPECT_EQ(layer->pos(), QPoint(zv::Px(left), zv::Px(top))) << name;
        }
    }
    QImage mobileShown() { return shown(c().imgMobile); }
};

struct ExpectedMobile {
    const char* entry;
    const char* caption;
    const char* picture;
    int left, top;
};

// The menu as the players know it, top to bottom below "Hide Mobile" and the separator.
const ExpectedMobile kMenu[] = {
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
    {"random", "Random", "Mobile-Random.gif", 590, 300},
    {"vesk", "Vesk Launcher", "Mobile-Vesk.gif", 560, 380},
    {"sorvi", "Sorvi", "Mobile-Sorvi.gif", 440, 270},
    {"turtle", "Turtle", "Mobile-Turtle.gif", 470, 320},
};

TEST_F(MobileMenuTest, EveryEntryInMenuOrderShowsItsMobileAndSeatsTheFigure) {
    EXPECT_EQ(c().mobile->title(), QStringLiteral("&Mobile"));
    const QList<QAction*> actions = c().mobile->actions();
    ASSERT_EQ(actions.size(), 2 + qsizetype(std::size(kMenu)));
    EXPECT_EQ(actions[0]->objectName(), QStringLiteral("hide"));
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Hide Mobile"));
    EXPECT_EQ(actions[1]->objectName(), QStringLiteral("mnubar"));
    EXPECT_TRUE(actions[1]->isSeparator());

    chooseGender(1);
    for (size_t i = 0; i < std::size(kMenu); ++i) {
        const ExpectedMobile& mobile = kMenu[i];
        SCOPED_TRACE(mobile.entry);
        QAction* action = actions[qsizetype(i) + 2];
        EXPECT_EQ(action->objectName(), QString::fromLatin1(mobile.entry));
        EXPECT_EQ(action->text(), QString::fromLatin1(mobile.caption));
        action->trigger();
        const QImage expected = plain(("\\avatarpreview\\" + std::string(mobile.picture)).c_str());
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(mobileShown(), expected);
        EXPECT_EQ(c().imgMobile->pos(), QPoint(24, 31)); // the mobile itself never moves
        expectFigureAt(mobile.left, mobile.top);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(MobileMenuTest, TheFigureKeepsItsItemsAndTotalsInAMobileAndAfterHiding) {
    chooseGender(0);
    choose(HelmMale, 3);
    choose(ArmorMale, 5);
    choose(GogglesMale, indexOf(GogglesMale, "Snorkel"));
    const zv::PlannerTotals totals = zv::Totals();
    const QString cost = c().labelTotalCost->text();
    auto figure = [this] {
        std::vector<QImage> pictures;
        for (const zv::ImageControl* layer : {c().imgHelmet, c().imgArmor, c().imgGoggles,
                                              c().imgAccessories, c().imgSpecial, c().imageHelm})
            pictures.push_back(shown(layer));
        return pictures;
    };
    const std::vector<QImage> dressed = figure();
    ASSERT_FALSE(dressed[4].isNull()); // the Snorkel's second copy

    pick("ice");
    expectFigureAt(500, 240);
    EXPECT_EQ(figure(), dressed);
    EXPECT_EQ(zv::Totals(), totals);
    EXPECT_EQ(c().labelTotalCost->text(), cost);
    EXPECT_EQ(planner().listFor(HelmMale)->currentIndex(), 3);

    pick("hide");
    EXPECT_FALSE(c().imgMobile->hasPicture());
    expectFigureAt(360, 460);
    EXPECT_EQ(figure(), dressed);
    EXPECT_EQ(zv::Totals(), totals);
}

TEST_F(MobileMenuTest, AnotherMobileReplacesTheFirstAndAGenderChoiceRemovesIt) {
    chooseGender(0);
    pick("mage");
    pick("dragon");
    EXPECT_EQ(mobileShown(), plain("\\avatarpreview\\Mobile-Dragon.gif"));
    expectFigureAt(520, 220);

    chooseGender(1);
    EXPECT_FALSE(c().imgMobile->hasPicture());
    expectFigureAt(360, 460);

    pick("knight");
    chooseGender(1); // the same gender again starts afresh too
    EXPECT_FALSE(c().imgMobile->hasPicture());
    expectFigureAt(360, 460);
}

TEST_F(MobileMenuTest, AMissingPictureLeavesNoMobileButStillSeatsTheFigure) {
    chooseGender(0);
    pick("ovaru");
    std::filesystem::remove(folder.file("avatarpreview/Mobile-Grub.gif"));
    pick("grub");
    EXPECT_FALSE(c().imgMobile->hasPicture());
    expectFigureAt(550, 270);
    EXPECT_TRUE(messages.empty());
}

} // namespace

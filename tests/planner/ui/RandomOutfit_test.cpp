// The dice button: one number of the program's generator per list, the picks going through the
// ordinary selection so the figure, shop pictures and totals follow.
#include "PlannerWindowFixture.h"
#include "base/Random.h"
#include "planner/Totals.h"
#include "planner/Variables.h"

#include <QTest>

using namespace zvtest;

namespace {

class RandomOutfitTest : public PlannerWindowFixture {
protected:
    // The first `count` numbers the generator gives after SeedRandom(seed).
    static std::vector<float> numbers(uint32_t seed, int count) {
        zv::SeedRandom(seed);
        std::vector<float> drawn;
        for (int i = 0; i < count; ++i)
            drawn.push_back(zv::NextRandom());
        return drawn;
    }
    void clickDice() { QTest::mouseClick(c().imgRandom, Qt::LeftButton); }

    // Everything the user sees of an outfit.
    struct Seen {
        zv::PlannerTotals totals;
        QString cost, efficiency;
        std::vector<QImage> pictures;
        std::vector<bool> markers;
        bool operator==(const Seen&) const = default;
    };
    Seen seen() {
        Seen s{zv::Totals(), c().labelTotalCost->text(), c().lblAvatarEfficiency->text(), {}, {}};
        for (const zv::ImageControl* picture :
             {c().imageHelm, c().imageArmor, c().imageGoggles, c().imageAccessories, c().imgHelmet,
              c().imgArmor, c().imgGoggles, c().imgAccessories, c().imgSpecial, c().imgStars,
              c().imgShield, c().imgdelay1, c().imgAttack, c().imgHearts, c().imgDelay2,
              c().imgShovel, c().imgShieldRe})
            s.pictures.push_back(shown(picture));
        for (const zv::ImageControl* marker :
             {c().imgNegativeStar, c().imgNegativeArmor, c().imgNegativeDelay,
              c().imgNegativeAttack, c().imgNegativeHeart, c().imgNegativeDelay2,
              c().imgNegativeShovel, c().imgNegativeShieldRegen})
            s.markers.push_back(marker->isVisibleTo(form.get()));
        return s;
    }
};

int Scaled(float r, int count) {
    return static_cast<int>(static_cast<double>(r) * count);
}

TEST_F(RandomOutfitTest, WithoutAGenderNothingChangesAndNoNumberIsTaken) {
    const std::vector<float> expected = numbers(7, 1);
    const Seen before = seen();
    zv::SeedRandom(7);
    clickDice();
    EXPECT_EQ(seen(), before);
    for (const ItemFamily& family : ItemFamilies)
        EXPECT_EQ(planner().listFor(family)->currentIndex(), -1) << family.ListName;
    EXPECT_EQ(zv::NextRandom(), expected[0]);
}

TEST_F(RandomOutfitTest, FourPicksInListOrderEqualChoosingThemByHand) {
    chooseGender(1);
    c().imgMobile->setPicture(QPixmap(8, 8)); // the mobile is not touched
    const std::vector<float> r = numbers(11, 5);
    const ItemFamily* lists[] = {&HelmFemale, &ArmorFemale, &GogglesFemale, &Accessories};
    std::vector<int> expected;
    for (int i = 0; i < 4; ++i)
        expected.push_back(Scaled(r[size_t(i)], planner().listFor(*lists[i])->count()));

    zv::SeedRandom(11);
    clickDice();
    EXPECT_EQ(zv::NextRandom(), r[4]) << "exactly four numbers per click";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(planner().listFor(*lists[i])->currentIndex(), expected[size_t(i)]);
    EXPECT_TRUE(c().imgMobile->hasPicture());
    const Seen random = seen();

    chooseGender(1);
    for (int i = 0; i < 4; ++i)
        choose(*lists[i], expected[size_t(i)]);
    EXPECT_EQ(seen(), random);
    EXPECT_TRUE(messages.empty());
}

TEST_F(RandomOutfitTest, OneEntryListAlwaysGetsItAndAnEmptyListTakesNoNumber) {
    chooseGender(0);
    zv::ItemList* helmets = planner().listFor(HelmMale);
    const QString only = helmets->itemText(4);
    helmets->clear();
    helmets->addItem(only);
    planner().listFor(GogglesMale)->clear();
    const int armors = planner().listFor(ArmorMale)->count();
    const int accessories = planner().listFor(Accessories)->count();

    const std::vector<float> r = numbers(3, 10);
    zv::SeedRandom(3);
    for (int click = 0; click < 3; ++click) {
        clickDice();
        EXPECT_EQ(helmets->editText(), only);
        // Three numbers a click: helmet, armor, accessory.
        EXPECT_EQ(planner().listFor(ArmorMale)->currentIndex(),
                  Scaled(r[size_t(click * 3 + 1)], armors));
        EXPECT_EQ(planner().listFor(Accessories)->currentIndex(),
                  Scaled(r[size_t(click * 3 + 2)], accessories));
        EXPECT_FALSE(c().imageGoggles->hasPicture());
        EXPECT_FALSE(c().imgGoggles->hasPicture());
    }
    EXPECT_EQ(zv::NextRandom(), r[9]);
    EXPECT_TRUE(c().imageHelm->hasPicture());
    EXPECT_TRUE(messages.empty());
}

} // namespace

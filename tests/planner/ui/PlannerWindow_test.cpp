// The planner on the main window with the shipped data: gender, item choice, pictures, totals,
// the composed preview and the pop-up menus.
#include "PlannerWindowFixture.h"
#include "planner/Totals.h"
#include "planner/Variables.h"

#include <QMenu>
#include <QPainter>
#include <QTest>

using namespace zvtest;

namespace {

class PlannerWindowTest : public PlannerWindowFixture {};

TEST_F(PlannerWindowTest, StartsWithNoGenderHiddenListsAndZeroTotals) {
    EXPECT_EQ(c().GenderBox->editText(), QStringLiteral("Gender"));
    EXPECT_EQ(c().GenderBox->currentIndex(), -1);
    for (const ItemFamily& family : ItemFamilies) {
        zv::ItemList* list = planner().listFor(family);
        EXPECT_FALSE(list->isVisibleTo(form.get())) << family.ListName;
        EXPECT_EQ(list->editText(),
                  QString::fromLatin1(family.Caption.data(), qsizetype(family.Caption.size())));
        EXPECT_GE(list->count(), 30) << family.ListName;
    }
    EXPECT_EQ(c().labelTotalCost->text(), QStringLiteral("0"));
    EXPECT_FALSE(c().imgHelmet->hasPicture());
}

TEST_F(PlannerWindowTest, ChoosingFourItemsShowsTheirPicturesAndTotals) {
    chooseGender(0);
    const zv::ItemRecord helm = choose(HelmMale, 3);
    const zv::ItemRecord armor = choose(ArmorMale, 5);
    const zv::ItemRecord goggles = choose(GogglesMale, 1);
    const zv::ItemRecord accessory = choose(Accessories, 7);

    EXPECT_EQ(shown(c().imageHelm), unwrapped(zv::ItemPicturePath(helm)));
    EXPECT_EQ(shown(c().imgHelmet), unwrapped(zv::PreviewPicturePath(HelmMale, helm)));
    EXPECT_EQ(shown(c().imageArmor), unwrapped(zv::ItemPicturePath(armor)));
    EXPECT_EQ(shown(c().imgArmor), unwrapped(zv::PreviewPicturePath(ArmorMale, armor)));
    EXPECT_EQ(shown(c().imgGoggles), unwrapped(zv::PreviewPicturePath(GogglesMale, goggles)));
    EXPECT_EQ(shown(c().imageAccessories), unwrapped(zv::ItemPicturePath(accessory)));
    EXPECT_EQ(shown(c().imgAccessories),
              unwrapped("\\avatarpreview\\VO-Flag-" + accessory.PreviewPicture + ".qvp"));
    EXPECT_EQ(c().imageHelm->size(), QSize(160, 156));

    const long cost = std::stol(helm.Cost) + std::stol(armor.Cost) + std::stol(goggles.Cost) +
                      std::stol(accessory.Cost);
    EXPECT_EQ(c().labelTotalCost->text(), QString::number(cost));
    EXPECT_EQ(zv::Totals().TotalCost, cost);
    const long stars = std::min(50L, std::stol(helm.Stars) + std::stol(armor.Stars) +
                                         std::stol(goggles.Stars) + std::stol(accessory.Stars));
    EXPECT_EQ(zv::Totals().TotalStars, stars);
    if (stars >= 0) {
        EXPECT_EQ(shown(c().imgStars),
                  plain(("\\avatarpreview\\" + std::to_string(stars) + ".gif").c_str()));
    }
    EXPECT_EQ(c().imgNegativeStar->isVisibleTo(form.get()), stars < 0);

    // No temporary picture is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(zv::PrivateTempFolder()))
        ADD_FAILURE() << "left behind: " << entry.path();
}

TEST_F(PlannerWindowTest, ThePreviewIsTheLayersStackedInOrder) {
    chooseGender(1);
    choose(HelmFemale, 2);
    choose(ItemFamilies[4], 4);
    choose(GogglesFemale, indexOf(GogglesFemale, "Snorkel"));
    choose(Accessories, 0);
    planner().PlaceAvatar(500, 240); // as a mobile would

    QImage expected = plain("\\graphics\\preview-background.gif");
    {
        QPainter painter(&expected);
        for (int row = 0; row < 8; ++row) {
            const zv::ImageControl* bars[] = {c().imgStars,  c().imgShield,  c().imgdelay1,
                                              c().imgAttack, c().imgHearts,  c().imgDelay2,
                                              c().imgShovel, c().imgShieldRe};
            painter.drawImage(QPoint(136, 22 + 13 * row), shown(bars[row]));
        }
        const QPoint anchor(zv::Px(500), zv::Px(240));
        for (const zv::ImageControl* layer :
             {c().imgAccessories, c().imgHelmet, c().imgGoggles, c().imgArmor})
            painter.drawImage(anchor, shown(layer));
        painter.drawImage(QPoint(0, 0), plain("\\graphics\\preview-frame.gif"));
        painter.drawImage(anchor, shown(c().imgGoggles)); // the Snorkel, above the frame
        for (const zv::ImageControl* marker :
             {c().imgNegativeStar, c().imgNegativeArmor, c().imgNegativeDelay,
              c().imgNegativeAttack, c().imgNegativeHeart, c().imgNegativeDelay2,
              c().imgNegativeShovel, c().imgNegativeShieldRegen}) {
            if (marker->isVisibleTo(form.get()))
                painter.drawImage(marker->pos(), shown(marker));
        }
    }
    const QImage grabbed =
        c().picboxAvatar->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(grabbed.size(), QSize(240, 132));
    EXPECT_TRUE(grabbed == expected.convertToFormat(QImage::Format_ARGB32))
        << "the composed preview differs from its layers";
}

TEST_F(PlannerWindowTest, SwitchingGenderResetsOutfitListsCaptionsAndAnchor) {
    chooseGender(0);
    choose(HelmMale, 1);
    choose(ArmorMale, 2);
    c().imgMobile->setPicture(QPixmap(10, 10));
    planner().PlaceAvatar(520, 220);

    chooseGender(1);
    for (const ItemFamily& family : ItemFamilies) {
        const bool visible = family.Gender != zv::FamilyGender::Male;
        EXPECT_EQ(planner().listFor(family)->isVisibleTo(form.get()), visible) << family.ListName;
    }
    EXPECT_EQ(planner().listFor(HelmFemale)->editText(), QStringLiteral("Helmets"));
    EXPECT_EQ(planner().listFor(ItemFamilies[4])->editText(), QStringLiteral("Armor"));
    EXPECT_EQ(planner().listFor(GogglesFemale)->editText(), QStringLiteral("Goggles"));
    EXPECT_EQ(planner().listFor(Accessories)->editText(), QStringLiteral("Accessories"));
    EXPECT_EQ(shown(c().imgHelmet), plain("\\avatarpreview\\VO-Female-Headnone.gif"));
    EXPECT_EQ(shown(c().imgArmor), plain("\\avatarpreview\\VO-Female-BodyNone.gif"));
    for (const zv::ImageControl* layer : {c().imgHelmet, c().imgArmor, c().imgGoggles,
                                          c().imgAccessories, c().imgSpecial, c().imgAvatarBase})
        EXPECT_EQ(layer->pos(), QPoint(24, 31)) << layer->objectName().toStdString();
    for (const zv::ImageControl* cleared :
         {c().imgMobile, c().imageHelm, c().imageArmor, c().imgGoggles, c().imgAccessories})
        EXPECT_FALSE(cleared->hasPicture()) << cleared->objectName().toStdString();
    EXPECT_EQ(c().labelTotalCost->text(), QStringLiteral("0"));
    EXPECT_EQ(c().lblAvatarEfficiency->text(), QStringLiteral("0"));
    EXPECT_EQ(zv::Totals(), zv::PlannerTotals{});
    EXPECT_TRUE(c().mobile->menuAction()->isEnabled());
    EXPECT_TRUE(c().save->menuAction()->isEnabled());

    // The same gender again also starts afresh.
    choose(HelmFemale, 1);
    chooseGender(1);
    EXPECT_FALSE(c().imageHelm->hasPicture());
    EXPECT_EQ(zv::Totals(), zv::PlannerTotals{});
}

TEST_F(PlannerWindowTest, SnorkelIsDrawnTwiceOtherGogglesOnce) {
    chooseGender(0);
    const int snorkel = indexOf(GogglesMale, "Snorkel");
    ASSERT_GE(snorkel, 0);
    choose(GogglesMale, snorkel);
    ASSERT_TRUE(c().imgSpecial->hasPicture());
    EXPECT_EQ(shown(c().imgSpecial), shown(c().imgGoggles));
    choose(GogglesMale, snorkel == 0 ? 1 : 0);
    EXPECT_FALSE(c().imgSpecial->hasPicture());
}

TEST_F(PlannerWindowTest, ChoosingTheSameItemTwiceChangesNothing) {
    chooseGender(0);
    choose(ArmorMale, 6);
    const zv::PlannerTotals once = zv::Totals();
    const QImage layer = shown(c().imgArmor);
    choose(ArmorMale, 6);
    EXPECT_EQ(zv::Totals(), once);
    EXPECT_EQ(shown(c().imgArmor), layer);
}

TEST_F(PlannerWindowTest, RightClicksOpenTheirMenusLeftClicksNothing) {
    chooseGender(0);
    QTest::mouseClick(c().imageGoggles, Qt::LeftButton);
    EXPECT_EQ(planner().WardrobeSlot, 0);
    EXPECT_FALSE(c().wardrobe->isVisible());

    QTest::mouseClick(c().imageGoggles, Qt::RightButton);
    EXPECT_EQ(planner().WardrobeSlot, 3);
    EXPECT_TRUE(c().wardrobe->isVisible());
    c().wardrobe->hide();
    QTest::mouseClick(c().imageArmor, Qt::RightButton);
    EXPECT_EQ(planner().WardrobeSlot, 2);
    c().wardrobe->hide();

    QTest::mouseClick(c().imgSaveZone1, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(c().savezone1->isVisible());
    QTest::mouseClick(c().imgSaveZone1, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_TRUE(c().savezone1->isVisible());
    c().savezone1->hide();
}

TEST_F(PlannerWindowTest, AMissingDetailCatalogueIsNamedOnceAndZeroesTheSlot) {
    chooseGender(0);
    choose(HelmMale, 0);
    std::filesystem::remove(folder.file("data/male11.dat"));
    choose(HelmMale, 1);
    choose(HelmMale, 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("male11.dat")))
        << messages[0].text.toStdString();
    EXPECT_EQ(planner().HelmetEffects, zv::ItemEffects{});
}

} // namespace

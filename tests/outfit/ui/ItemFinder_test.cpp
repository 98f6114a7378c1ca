// Type to find: part of a name, in any letter case, finds an entry; Enter chooses it through the
// list's own selection; the lists themselves never change.
#include "OutfitFixture.h"
#include "base/Random.h"
#include "outfit/ui/ItemFinder.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace zvtest;

namespace {

class ItemFinderTest : public OutfitWindowTest {
protected:
    zv::ItemFinder& finder() { return features().finder(); }
    QLineEdit* field() { return form->findChild<QLineEdit*>(QStringLiteral("txtFind")); }
    QCompleter* completer(const zv::ItemFamily& family) { return finder().completerFor(family); }
    // Types `text` as a user does: the first key on the list, the rest into the find field.
    void type(const zv::ItemFamily& family, const QString& text) {
        QTest::keyClick(planner().listFor(family), text.at(0).toLatin1());
        ASSERT_TRUE(field()->isVisibleTo(form.get()));
        QTest::keyClicks(field(), text.mid(1));
    }
    // The entries the finder offers, by their names.
    QStringList offered(const zv::ItemFamily& family) {
        QStringList names;
        QCompleter* found = completer(family);
        for (int row = 0; found->setCurrentRow(row); ++row)
            names << found->currentCompletion();
        return names;
    }
    QStringList entries(const zv::ItemFamily& family) {
        QStringList names;
        const zv::ItemList* list = planner().listFor(family);
        for (int row = 0; row < list->count(); ++row)
            names << list->itemText(row);
        return names;
    }
    QStringList catalogueEntries(const zv::ItemFamily& family) {
        QStringList names;
        for (const std::string& line : catalogue(family.ListCatalog))
            names << QString::fromLatin1(line.data(), qsizetype(line.size()));
        return names;
    }
};

TEST_F(ItemFinderTest, SnorkFindsTheSnorkelAndEnterPutsItOn) {
    chooseGender(0);
    const int before = steps();
    type(GogglesMale, QStringLiteral("snork"));
    EXPECT_EQ(field()->text(), QStringLiteral("snork"));
    EXPECT_EQ(field()->geometry(), planner().listFor(GogglesMale)->geometry());
    EXPECT_EQ(offered(GogglesMale), QStringList{QStringLiteral("Snorkel")});

    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_FALSE(field()->isVisibleTo(form.get()));
    EXPECT_EQ(textOf(GogglesMale), QStringLiteral("Snorkel"));
    EXPECT_EQ(planner().listFor(GogglesMale)->currentIndex(),
              catalogueEntries(GogglesMale).indexOf(QStringLiteral("Snorkel")));
    // The ordinary selection ran: pictures, the Snorkel's second layer, totals, one step.
    EXPECT_TRUE(c().imageGoggles->hasPicture());
    EXPECT_TRUE(c().imgSpecial->hasPicture());
    EXPECT_NE(planner().GogglesEffects, zv::ItemEffects{});
    EXPECT_EQ(steps(), before + 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ItemFinderTest, AnyPartInAnyCaseFindsEveryMatchInCatalogueOrder) {
    chooseGender(1);
    type(HelmFemale, QStringLiteral("CIRCLET"));
    QStringList expected;
    for (const QString& name : catalogueEntries(HelmFemale)) {
        if (name.contains(QStringLiteral("circlet"), Qt::CaseInsensitive))
            expected << name;
    }
    ASSERT_GE(expected.size(), 2);
    EXPECT_EQ(offered(HelmFemale), expected);

    // Down twice to the second match: its deltas show; Enter chooses it.
    QCompleter* found = completer(HelmFemale);
    ASSERT_TRUE(found->popup()->isVisible());
    QTest::keyClick(found->popup(), Qt::Key_Down);
    QTest::keyClick(found->popup(), Qt::Key_Down);
    const auto* title = form->findChild<QLabel*>(QStringLiteral("lblDeltaTitle"));
    EXPECT_TRUE(title->isVisibleTo(form.get()));
    EXPECT_EQ(title->text(), QStringLiteral("If chosen: ") + expected[1]);
    QTest::keyClick(found->popup(), Qt::Key_Return);
    EXPECT_EQ(textOf(HelmFemale), expected[1]);
    EXPECT_FALSE(title->isVisibleTo(form.get()));

    // Enter without a highlighted match takes the whole name over a part of another.
    type(Accessories, QStringLiteral("flag"));
    const int exact = catalogueEntries(Accessories).indexOf(QStringLiteral("Harbor Flag"));
    field()->setText(QStringLiteral("harbor flag"));
    completer(Accessories)->popup()->hide();
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(planner().listFor(Accessories)->currentIndex(), exact);
}

TEST_F(ItemFinderTest, EscapeAndNoMatchChooseNothing) {
    chooseGender(0);
    choose(HelmMale, 2);
    const Seen before = seen();
    const int taken = steps();

    type(HelmMale, QStringLiteral("cap"));
    QTest::keyClick(completer(HelmMale)->popup(), Qt::Key_Escape);
    EXPECT_FALSE(field()->isVisibleTo(form.get()));

    type(ArmorMale, QStringLiteral("qqqq"));
    EXPECT_TRUE(offered(ArmorMale).isEmpty());
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_TRUE(field()->isVisibleTo(form.get())); // nothing to choose: the field stays
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(field()->isVisibleTo(form.get()));

    EXPECT_TRUE(seen() == before) << before.differences(seen());
    EXPECT_EQ(steps(), taken);
}

// Start-up builds no drop-down part and no finder list: they come with a list's first opening
// and its first search, and work from then on.
TEST_F(ItemFinderTest, TypingInTheOpenDropDownSearchesToo) {
    EXPECT_EQ(form->findChildren<QAbstractItemView*>().size(), 0);
    EXPECT_EQ(form->findChildren<QCompleter*>().size(), 0);
    chooseGender(0);
    zv::ItemList* list = planner().listFor(ArmorMale);
    list->showPopup();
    QTest::keyClick(list->view(), 'c');
    EXPECT_FALSE(list->view()->window()->isVisible());
    EXPECT_TRUE(field()->isVisibleTo(form.get()));
    EXPECT_EQ(field()->text(), QStringLiteral("c"));
    // The blank still opens the drop-down, and arrows still step through the list itself.
    QTest::keyClick(field(), Qt::Key_Escape);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_TRUE(list->view()->window()->isVisible());
    list->hidePopup();
}

TEST_F(ItemFinderTest, ListsKeepTheirEntriesIndexesAndTheRandomOutfitsPicks) {
    // The dice's picks for a female figure from a fixed seed.
    auto dice = [this] {
        chooseGender(1);
        zv::SeedRandom(42);
        QTest::mouseClick(c().imgRandom, Qt::LeftButton);
        std::vector<int> picks;
        for (const zv::ItemFamily* family :
             {&HelmFemale, &ArmorFemale, &GogglesFemale, &Accessories})
            picks.push_back(planner().listFor(*family)->currentIndex());
        return picks;
    };
    const std::vector<int> picks = dice();

    // Searches in every list: chosen, cancelled, missed.
    for (const int gender : {0, 1}) {
        chooseGender(gender);
        for (const zv::ItemFamily& family : zv::ItemFamilies) {
            if (!zv::FamilyShownFor(family, gender))
                continue;
            type(family, QStringLiteral("e"));
            QTest::keyClick(field(), Qt::Key_Return);
            type(family, QStringLiteral("o"));
            QTest::keyClick(field(), Qt::Key_Escape);
        }
    }
    for (const zv::ItemFamily& family : zv::ItemFamilies)
        EXPECT_EQ(entries(family), catalogueEntries(family)) << family.ListName;

    EXPECT_EQ(dice(), picks);
}

} // namespace

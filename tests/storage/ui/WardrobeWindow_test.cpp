// The wardrobe on the main window: adding from the shop pictures' pop-up, the wardrobe window
// with its two lists, putting an item on, removing one, gender changes and the position.
#include "base/Settings.h"
#include "planner/Variables.h"
#include "storage/Wardrobe.h"
#include "storage/WardrobeState.h"
#include "storage/ui/FormWardrobe.h"
#include "storage/ui/StorageFixture.h"

#include <QListWidget>
#include <QMenu>
#include <QTest>

using namespace zvtest;

namespace {

class WardrobeTest : public StorageWindowTest {
protected:
    zv::FormWardrobe* wardrobe() { return storage().wardrobeWindow(); }
    static QStringList texts(const QListWidget* list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i)
            all << list->item(i)->text();
        return all;
    }
    // Right-click on the shop picture, then "Add item to wardrobe".
    void addFrom(zv::ImageControl* shopPicture) {
        QTest::mouseClick(shopPicture, Qt::RightButton);
        c().wardrobe->hide();
        c().addwardrobe->trigger();
    }
    zv::FormWardrobe* view() {
        c().wardview->trigger();
        return wardrobe();
    }
    void doubleClick(zv::FormWardrobe* window, int row) {
        QListWidget* list = window->lstWardrobe;
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // As a real double click arrives: a click, then the second press as a double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(WardrobeTest, AddingAppendsTheWornItemAndItsKindToTheGendersFiles) {
    chooseGender(1);
    const QString goggles = choose(GogglesFemale, 2);
    addFrom(c().imageGoggles);
    EXPECT_EQ(planner().WardrobeSlot, 3);
    EXPECT_EQ(folder.read("data/wardrobe02.dat"), goggles.toStdString() + "\r\n");
    EXPECT_EQ(folder.read("data/wardrobe12.dat"), " 3 \r\n");

    // The same again, and an empty helmet slot (its caption text is what is added).
    addFrom(c().imageGoggles);
    addFrom(c().imageHelm);
    EXPECT_EQ(folder.read("data/wardrobe02.dat"),
              goggles.toStdString() + "\r\n" + goggles.toStdString() + "\r\nHelmets\r\n");
    EXPECT_EQ(folder.read("data/wardrobe12.dat"), " 3 \r\n 3 \r\n 1 \r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("data/wardrobe01.dat")));
    EXPECT_EQ(wardrobe(), nullptr); // adding does not open the window
    EXPECT_TRUE(messages.empty());
}

TEST_F(WardrobeTest, TheWindowListsTheGendersWardrobeAndReopensForTheOtherGender) {
    folder.write("data/wardrobe01.dat", "Frost Cap\r\nKnight Cape\r\n");
    folder.write("data/wardrobe11.dat", " 1 \r\n 2 \r\n");
    folder.write("data/wardrobe02.dat", "Moon Robe\r\n");
    folder.write("data/wardrobe12.dat", "2\r\n");

    c().viewwardrobe->trigger(); // no gender yet: nothing opens
    EXPECT_EQ(wardrobe(), nullptr);
    chooseGender(0);
    zv::FormWardrobe* male = view();
    ASSERT_NE(male, nullptr);
    EXPECT_TRUE(male->isVisible());
    EXPECT_EQ(male->windowTitle(), QStringLiteral("Wardrobe"));
    EXPECT_TRUE(male->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(zv::WardrobeOpen);
    EXPECT_EQ(texts(male->lstWardrobe),
              (QStringList{QStringLiteral("Frost Cap"), QStringLiteral("Knight Cape")}));
    EXPECT_EQ(texts(male->lstWardrobe2),
              (QStringList{QStringLiteral(" 1 "), QStringLiteral(" 2 ")}));
    EXPECT_FALSE(male->lstWardrobe2->isVisibleTo(male));
    EXPECT_EQ(male->lstmnu->title(), QStringLiteral("ListMenu"));
    EXPECT_EQ(male->removeitem->text(), QStringLiteral("Remove Selected Item"));

    male->move(150, 90);
    chooseGender(1);
    zv::FormWardrobe* female = wardrobe();
    ASSERT_NE(female, nullptr);
    EXPECT_NE(female, male);
    EXPECT_TRUE(female->isVisible());
    EXPECT_EQ(female->WardrobeGender, 2);
    EXPECT_EQ(texts(female->lstWardrobe), QStringList{QStringLiteral("Moon Robe")});
    EXPECT_EQ(texts(female->lstWardrobe2), QStringList{QStringLiteral("2")}); // as read
    EXPECT_EQ(female->pos(), QPoint(150, 90));
    // Reopening wrote nothing new into the files.
    EXPECT_EQ(folder.read("data/wardrobe12.dat"), "2\r\n");

    female->close();
    EXPECT_FALSE(zv::WardrobeOpen);
    chooseGender(0);
    EXPECT_EQ(wardrobe(), nullptr);
}

TEST_F(WardrobeTest, AddingWhileOpenReopensWithTheNewEntryLastInPlace) {
    chooseGender(0);
    const QString helm = choose(HelmMale, 4);
    addFrom(c().imageHelm);
    zv::FormWardrobe* before = view();
    ASSERT_NE(before, nullptr);
    before->move(123, 77);
    const QString armor = choose(ArmorMale, 2);
    addFrom(c().imageArmor);

    zv::FormWardrobe* after = wardrobe();
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before);
    EXPECT_TRUE(after->isVisible());
    EXPECT_EQ(texts(after->lstWardrobe), (QStringList{helm, armor}));
    EXPECT_EQ(texts(after->lstWardrobe2),
              (QStringList{QStringLiteral(" 1 "), QStringLiteral(" 2 ")}));
    EXPECT_EQ(after->pos(), QPoint(123, 77));
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Wardrobe", "PosX"), "1845");
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Wardrobe", "PosY"), "1155");
}

TEST_F(WardrobeTest, DoubleClickPutsTheItemOnThroughItsList) {
    const QString armor = planner().listFor(ArmorMale)->itemText(5);
    const QString helm = planner().listFor(HelmMale)->itemText(1);
    folder.write("data/wardrobe01.dat",
                 helm.toStdString() + "\r\n" + armor.toStdString() + "\r\nNo Such Thing\r\n");
    folder.write("data/wardrobe11.dat", " 1 \r\n 2 \r\n not a kind\r\n");
    chooseGender(0);
    zv::FormWardrobe* window = view();
    ASSERT_NE(window, nullptr);

    doubleClick(window, 1);
    EXPECT_EQ(zv::WardrobePickKind, 2);
    ASSERT_TRUE(waitFor([&] { return !zv::WardrobePickPending; }));
    EXPECT_EQ(textOf(ArmorMale), armor);
    EXPECT_TRUE(c().imageArmor->hasPicture());
    EXPECT_NE(planner().ArmorEffects, zv::ItemEffects{});
    EXPECT_EQ(zv::Totals().TotalCost, planner().ArmorEffects.Cost);

    doubleClick(window, 0);
    ASSERT_TRUE(waitFor([&] { return !zv::WardrobePickPending; }));
    EXPECT_EQ(textOf(HelmMale), helm);
    EXPECT_EQ(textOf(ArmorMale), armor); // the armor stays on

    // An entry whose kind is no number puts nothing on.
    const zv::PlannerTotals worn = zv::Totals();
    doubleClick(window, 2);
    ASSERT_TRUE(waitFor([&] { return !zv::WardrobePickPending; }));
    EXPECT_EQ(zv::Totals(), worn);
    EXPECT_EQ(textOf(HelmMale), helm);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WardrobeTest, RemovingTakesTheSelectedEntryOutOfBothFiles) {
    folder.write("data/wardrobe02.dat", "A\r\nB\r\nC\r\nD\r\nE\r\n");
    folder.write("data/wardrobe12.dat", " 1 \r\n 2 \r\n 3 \r\n 4 \r\n 1 \r\n");
    chooseGender(1);
    zv::FormWardrobe* window = view();
    ASSERT_NE(window, nullptr);

    // Nothing selected: nothing changes, nothing is said.
    window->lstWardrobe->clearSelection();
    window->removeitem->trigger();
    EXPECT_EQ(window->lstWardrobe->count(), 5);
    EXPECT_EQ(folder.read("data/wardrobe02.dat"), "A\r\nB\r\nC\r\nD\r\nE\r\n");

    // A right click pops up the list's menu; "Remove Selected Item" removes the third.
    const QPoint third = window->lstWardrobe->visualItemRect(window->lstWardrobe->item(2)).center();
    QTest::mouseClick(window->lstWardrobe->viewport(), Qt::LeftButton, {}, third);
    QTest::mouseClick(window->lstWardrobe->viewport(), Qt::RightButton, {}, third);
    EXPECT_TRUE(window->lstmnu->isVisible());
    window->lstmnu->hide();
    window->removeitem->trigger();
    EXPECT_EQ(folder.read("data/wardrobe02.dat"), "A\r\nB\r\nD\r\nE\r\n");
    EXPECT_EQ(folder.read("data/wardrobe12.dat"), " 1 \r\n 2 \r\n 4 \r\n 1 \r\n");
    EXPECT_EQ(texts(window->lstWardrobe), (QStringList{QStringLiteral("A"), QStringLiteral("B"),
                                                       QStringLiteral("D"), QStringLiteral("E")}));
    EXPECT_EQ(window->lstWardrobe2->count(), 4);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WardrobeTest, ThePositionSurvivesARestartAndABadOneFallsBackToAVisiblePlace) {
    chooseGender(0);
    zv::FormWardrobe* empty = view();
    ASSERT_NE(empty, nullptr);
    // A double click on the empty list does nothing and says nothing.
    QTest::mouseDClick(empty->lstWardrobe->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    empty->lstWardrobe_DblClick();
    EXPECT_FALSE(zv::WardrobePickPending);
    empty->move(210, 135);
    form->close(); // the program ends: the open wardrobe stores where it stood
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Wardrobe", "PosX"), "3150");
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Wardrobe", "PosY"), "2025");

    start();
    chooseGender(0);
    zv::FormWardrobe* window = view();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->pos(), QPoint(210, 135));
    window->close();
    EXPECT_FALSE(std::filesystem::exists(folder.file("data/wardrobe01.dat")));
    EXPECT_TRUE(messages.empty());

    for (const auto& [x, y] :
         {std::pair{"-150000", "1500"}, {"abc", "1500"}, {"1500", ""}, {"99999999", "99999999"}}) {
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Wardrobe", "PosX", x));
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Wardrobe", "PosY", y));
        window = view();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(zv::IsOnSomeScreen(window->pos(), window->size()))
            << x << "," << y << " gave " << window->pos().x() << "," << window->pos().y();
        window->close();
    }
}

TEST_F(WardrobeTest, FailedWritesChangeNoFileAndTellOnce) {
    folder.write("data/wardrobe01.dat", "A\r\nB\r\nC\r\n");
    folder.write("data/wardrobe11.dat", " 1 \r\n 2 \r\n 3 \r\n");
    chooseGender(0);
    choose(HelmMale, 3);
    zv::FormWardrobe* window = view();
    ASSERT_NE(window, nullptr);
    const auto before = dataFiles();

    auto addAndRemove = [&] {
        addFrom(c().imageHelm);
        window = wardrobe();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->lstWardrobe->count(), 3);
        window->lstWardrobe->setCurrentRow(1);
        window->removeitem->trigger();
        EXPECT_EQ(window->lstWardrobe->count(), 3); // the list keeps what the files keep
    };
    {
        FileSizeLimit full(4);
        addAndRemove();
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("wardrobe11.dat")));
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("wardrobe11.dat")));
    {
        ReadOnlyDataFolder readOnly(folder);
        if (!readOnly.active())
            GTEST_SKIP() << "the data folder cannot be made read-only here";
        addAndRemove();
    }
    EXPECT_EQ(messages.size(), 4u);
    auto now = dataFiles();
    now.erase("settings.ini"); // the window's position may be stored meanwhile
    auto expected = before;
    expected.erase("settings.ini");
    EXPECT_EQ(now, expected);
}

} // namespace

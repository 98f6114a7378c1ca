// The five save slots on the main window: the Save dialog, the file it writes, the captions,
// and loading an outfit back.
#include "base/Settings.h"
#include "planner/Variables.h"
#include "storage/ui/FormSaveName.h"
#include "storage/ui/StorageFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace zvtest;

namespace {

class SaveSlotsTest : public StorageWindowTest {
protected:
    zv::FormSaveName* dialog() { return storage().saveNameWindow(); }
    std::string bytes(const QString& text) { return text.toLatin1().toStdString(); }
    QStringList captions() {
        QStringList texts;
        for (int slot = 0; slot < 5; ++slot)
            texts << c().saveslot[slot]->text() << c().loadslot[slot]->text();
        return texts;
    }

    // Everything a load must restore.
    struct Outfit {
        int gender;
        QStringList texts;
        zv::PlannerTotals totals;
        QString cost, efficiency;
        std::vector<QImage> pictures;
        bool operator==(const Outfit&) const = default;
    };
    Outfit outfit() {
        Outfit now{c().GenderBox->currentIndex(),   {}, zv::Totals(), c().labelTotalCost->text(),
                   c().lblAvatarEfficiency->text(), {}};
        for (const zv::ItemFamily& family : zv::ItemFamilies)
            now.texts << textOf(family);
        for (const zv::ImageControl* picture :
             {c().imageHelm, c().imageArmor, c().imageGoggles, c().imageAccessories, c().imgHelmet,
              c().imgArmor, c().imgGoggles, c().imgAccessories, c().imgSpecial, c().imgStars,
              c().imgShield, c().imgAttack, c().imgHearts})
            now.pictures.push_back(picture->picture().toImage());
        return now;
    }
};

TEST_F(SaveSlotsTest, StartLabelsTheSlotsFromTheirFiles) {
    EXPECT_EQ(c().saveslot[0]->text(), QStringLiteral("Iron Scout"));
    EXPECT_EQ(c().loadslot[4]->text(), QStringLiteral("Big Spender"));
    EXPECT_EQ(c().saveslot[0]->shortcut(), QKeySequence(Qt::Key_F1)); // shortcuts stay
}

TEST_F(SaveSlotsTest, SavingWritesTheSlotByteForByteAndRelabelsItsEntries) {
    chooseGender(1);
    const QString helm = choose(HelmFemale, 2);
    const QString armor = choose(ArmorFemale, 4);
    const QString accessory = choose(Accessories, 0);

    c().saveslot[2]->trigger(); // F3
    zv::FormSaveName* d = dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->objectName(), QStringLiteral("formSaveName"));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Save Description"));
    EXPECT_EQ(d->cmdOk->text(), QStringLiteral("Ok"));
    // Nothing chosen in the goggles list: its caption text is part of the proposal.
    EXPECT_EQ(d->txtSaveName->text(),
              helm + QStringLiteral(",") + armor + QStringLiteral(",Goggles,") + accessory);

    // Typed text is stored as 8-bit text; a pasted line break does not split the record.
    d->txtSaveName->setText(QStringLiteral("&Garden \u00e9t\u00e9\n5\u20ac"));
    QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    EXPECT_EQ(folder.read("data/save03.dat"), "&Garden \xE9t\xE9 5?\r\n 1 \r\n" + bytes(helm) +
                                                  "\r\n" + bytes(armor) + "\r\nGoggles\r\n" +
                                                  bytes(accessory) + "\r\n");
    const QString caption = QStringLiteral("&Garden \u00e9t\u00e9 5?");
    EXPECT_EQ(c().saveslot[2]->text(), caption);
    EXPECT_EQ(c().loadslot[2]->text(), caption);
    EXPECT_EQ(QKeySequence::mnemonic(c().loadslot[2]->text()), QKeySequence(Qt::ALT | Qt::Key_G));
    EXPECT_EQ(dialog(), nullptr);

    // Male, "Ok" without editing: the proposal is the description.
    chooseGender(0);
    const QString maleHelm = choose(HelmMale, 1);
    const QString goggles = choose(GogglesMale, 3);
    c().saveslot[0]->trigger();
    ASSERT_NE(dialog(), nullptr);
    QTest::keyClick(dialog()->txtSaveName, Qt::Key_Return);
    const std::string proposal = bytes(maleHelm) + ",Armor," + bytes(goggles) + ",Accessories";
    EXPECT_EQ(folder.read("data/save01.dat"), proposal + "\r\n 0 \r\n" + bytes(maleHelm) +
                                                  "\r\nArmor\r\n" + bytes(goggles) +
                                                  "\r\nAccessories\r\n");
    EXPECT_EQ(c().saveslot[0]->text(), QString::fromLatin1(proposal));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveSlotsTest, ASecondSlotChosenWhileTheDialogIsOpenIsTheOneWritten) {
    chooseGender(0);
    const QString helm = choose(HelmMale, 1);
    const std::string slot1 = folder.read("data/save01.dat");
    c().saveslot[0]->trigger();
    zv::FormSaveName* d = dialog();
    ASSERT_NE(d, nullptr);
    const QString proposal = d->txtSaveName->text();
    d->txtSaveName->setText(QStringLiteral("Kept"));

    // The items worn at "Ok" are saved; the proposal was made when the dialog loaded.
    const QString armor = choose(ArmorMale, 3);
    c().saveslot[3]->trigger();
    EXPECT_EQ(dialog(), d);
    EXPECT_EQ(d->txtSaveName->text(), QStringLiteral("Kept"));
    EXPECT_EQ(proposal, helm + QStringLiteral(",Armor,Goggles,Accessories"));
    d->cmdOk->click();

    EXPECT_EQ(folder.read("data/save04.dat"), "Kept\r\n 0 \r\n" + bytes(helm) + "\r\n" +
                                                  bytes(armor) + "\r\nGoggles\r\nAccessories\r\n");
    EXPECT_EQ(folder.read("data/save01.dat"), slot1);
    EXPECT_EQ(c().loadslot[3]->text(), QStringLiteral("Kept"));
    EXPECT_EQ(c().loadslot[0]->text(), QStringLiteral("Iron Scout"));
}

TEST_F(SaveSlotsTest, OnlyOkWritesAndWithoutAGenderNothingIsWritten) {
    const auto before = dataFiles();
    // Closed any other way: nothing written, and the next Save starts afresh.
    c().saveslot[1]->trigger();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->txtSaveName->text(), QStringLiteral("Enter save description"));
    dialog()->txtSaveName->setText(QStringLiteral("discarded"));
    QTest::keyClick(dialog(), Qt::Key_Escape);
    EXPECT_EQ(dialog(), nullptr);
    c().saveslot[1]->trigger();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->txtSaveName->text(), QStringLiteral("Enter save description"));

    // "Ok" with no gender chosen writes nothing, yet relabels every slot from its file.
    EXPECT_EQ(dataFiles(), before);
    folder.write("data/save05.dat", "Changed elsewhere\r\n 0 \r\nA\r\nB\r\nC\r\nD\r\n");
    const auto changed = dataFiles();
    dialog()->cmdOk->click();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(dataFiles(), changed);
    EXPECT_EQ(c().saveslot[4]->text(), QStringLiteral("Changed elsewhere"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveSlotsTest, LoadingPutsTheSavedOutfitBackAndWritesNothing) {
    chooseGender(1);
    choose(HelmFemale, 3);
    choose(ArmorFemale, 1);
    choose(GogglesFemale, planner().listFor(GogglesFemale)->findText(QStringLiteral("Snorkel")));
    choose(Accessories, 5);
    const Outfit saved = outfit();
    c().saveslot[1]->trigger();
    dialog()->cmdOk->click();

    chooseGender(0);
    choose(HelmMale, 2);
    choose(Accessories, 1);
    const auto files = dataFiles();
    const QStringList labels = captions();

    c().loadslot[1]->trigger(); // Ctrl+F2
    EXPECT_EQ(outfit(), saved);
    EXPECT_TRUE(planner().listFor(HelmFemale)->isVisibleTo(form.get()));
    EXPECT_FALSE(planner().listFor(HelmMale)->isVisibleTo(form.get()));
    EXPECT_EQ(dataFiles(), files);
    EXPECT_EQ(captions(), labels);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveSlotsTest, AStoredCaptionTextGoesThroughItsHandlerUnchanged) {
    const QString armor = planner().listFor(ArmorMale)->itemText(2);
    folder.write("data/save05.dat",
                 "Partial\r\n 0 \r\nHelmets\r\n" + bytes(armor) + "\r\nGoggles\r\nAccessories\r\n");
    // Loading works before any gender is chosen, and chooses it.
    c().loadslot[4]->trigger();
    EXPECT_EQ(c().GenderBox->currentIndex(), 0);
    EXPECT_TRUE(c().save->menuAction()->isEnabled());
    EXPECT_EQ(textOf(HelmMale), QStringLiteral("Helmets"));
    EXPECT_EQ(textOf(ArmorMale), armor);
    EXPECT_FALSE(c().imageHelm->hasPicture());
    EXPECT_TRUE(c().imageArmor->hasPicture());
    EXPECT_EQ(planner().HelmetEffects, zv::ItemEffects{});
    EXPECT_NE(planner().ArmorEffects, zv::ItemEffects{});
}

TEST_F(SaveSlotsTest, MissingShortAndOddSlotFilesLoseNothing) {
    std::filesystem::remove(folder.file("data/save02.dat"));
    folder.write("data/save03.dat", "Half\r\n 0 \r\nHelm\r\n");
    folder.write("data/save04.dat", "Odd\r\nFemale\r\nA\r\nB\r\nC\r\nD\r\n");
    storage().RefreshSlotCaptions();
    EXPECT_EQ(c().saveslot[1]->text(), QStringLiteral("Slot &2"));
    EXPECT_EQ(c().loadslot[2]->text(), QStringLiteral("Half"));

    chooseGender(0);
    choose(HelmMale, 4);
    const Outfit worn = outfit();
    // A missing file is an empty slot: nothing happens, nothing is said.
    c().loadslot[1]->trigger();
    EXPECT_EQ(outfit(), worn);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("data/save02.dat")));
    // A short file is named in one message and the outfit stays.
    c().loadslot[2]->trigger();
    EXPECT_EQ(outfit(), worn);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("save03.dat")));
    // A gender line that is no number resets the planner and puts nothing on.
    c().loadslot[3]->trigger();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(textOf(HelmMale), QStringLiteral("Helmets"));
    EXPECT_FALSE(c().imageHelm->hasPicture());
    EXPECT_EQ(zv::Totals(), zv::PlannerTotals{});
}

TEST_F(SaveSlotsTest, AFailedSaveTellsOnceAndKeepsFileAndDescription) {
    chooseGender(0);
    choose(HelmMale, 1);
    const auto before = dataFiles();
    c().saveslot[2]->trigger();
    dialog()->txtSaveName->setText(QStringLiteral("Full disk"));
    {
        FileSizeLimit full(16);
        dialog()->cmdOk->click();
    }
    EXPECT_EQ(dataFiles(), before);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(
        messages[0].text.contains(QString::fromStdString(folder.file("data/save03.dat").string())))
        << messages[0].text.toStdString();
    ASSERT_NE(dialog(), nullptr); // still there with the text typed, to try again
    EXPECT_EQ(dialog()->txtSaveName->text(), QStringLiteral("Full disk"));

    {
        ReadOnlyDataFolder readOnly(folder);
        if (!readOnly.active())
            GTEST_SKIP() << "the data folder cannot be made read-only here";
        dialog()->cmdOk->click();
    }
    EXPECT_EQ(dataFiles(), before);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("save03.dat")));

    dialog()->cmdOk->click();
    EXPECT_EQ(folder.read("data/save03.dat").substr(0, 11), "Full disk\r\n");
    EXPECT_EQ(messages.size(), 2u);
}

} // namespace

// Undo and redo: one step per user action, every state put back exactly, no file touched.
#include "OutfitFixture.h"
#include "base/Random.h"
#include "finder/ui/FormFinder.h"
#include "outfit/ui/OutfitCodes.h"
#include "storage/WardrobeState.h"
#include "storage/ui/FormWardrobe.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <random>

using namespace zvtest;

namespace {

class OutfitHistoryTest : public OutfitWindowTest {
protected:
    void SetUp() override {
        OutfitWindowTest::SetUp();
        if (IsSkipped())
            return;
        const std::vector<std::string> maleHelmets = catalogue("\\data\\male01.dat");
        const std::vector<std::string> femaleArmor = catalogue("\\data\\female02.dat");
        folder.write("data/save01.dat", std::string("Knightly\r\n 0 \r\n") + maleHelmets[3] +
                                            "\r\nArmor\r\nSnorkel\r\nHarbor Flag\r\n");
        folder.write("data/save02.dat", std::string("Gala\r\n 1 \r\nHelmets\r\n") + femaleArmor[5] +
                                            "\r\nGoggles\r\nGoggles\r\n");
        folder.write("data/save03.dat", "Old\r\n 0 \r\nLost Helm\r\nArmor\r\nGoggles\r\nAcc\r\n");
        folder.write("data/save04.dat", "Odd\r\n 5 \r\nHelmets\r\nArmor\r\nGoggles\r\nAcc\r\n");
        folder.write("data/wardrobe01.dat", maleHelmets[7] + "\r\nSnorkel\r\nHarbor Flag\r\n");
        folder.write("data/wardrobe11.dat", " 1 \r\n 3 \r\n 4 \r\n");
        folder.write("data/wardrobe02.dat", femaleArmor[2] + "\r\n");
        folder.write("data/wardrobe12.dat", " 2 \r\n");
    }

    int gender() { return c().GenderBox->currentIndex(); }

    void putOnFromWardrobe(int row) {
        zv::FormWardrobe* window = storage().wardrobeWindow();
        if (!window) {
            c().wardview->trigger();
            window = storage().wardrobeWindow();
        }
        ASSERT_NE(window, nullptr);
        row %= window->lstWardrobe->count();
        window->lstWardrobe->setCurrentRow(row);
        zv::WardrobePickKind =
            static_cast<int16_t>(window->lstWardrobe2->item(row)->text().trimmed().toShort());
        storage().ApplyWardrobePick(); // as the main window's activation runs it
    }

    QString randomCode(std::mt19937& rng) {
        zv::CodedOutfit outfit;
        outfit.Gender = static_cast<int>(rng() % 2);
        for (size_t slot = 0; slot < 4; ++slot) {
            const zv::SlotKind kind = static_cast<zv::SlotKind>(slot + 1);
            const zv::ItemList* list = planner().listFor(*zv::ItemFamilyFor(outfit.Gender, kind));
            if (rng() % 4 != 0)
                outfit.Items[slot] =
                    list->itemText(int(rng() % unsigned(list->count()))).toLatin1().toStdString();
        }
        return QString::fromStdString(*zv::EncodeOutfitCode(outfit));
    }

    // One user action, drawn at random.
    void act(std::mt19937& rng) {
        if (gender() < 0 || rng() % 10 == 0) {
            chooseGender(static_cast<int>(rng() % 2));
            return;
        }
        switch (rng() % 6) {
        case 0:
        case 1: {
            const zv::ItemFamily* family =
                zv::ItemFamilyFor(gender(), static_cast<zv::SlotKind>(1 + rng() % 4));
            choose(*family, int(rng() % unsigned(planner().listFor(*family)->count())));
            break;
        }
        case 2:
            zv::SeedRandom(static_cast<uint32_t>(rng()));
            QTest::mouseClick(c().imgRandom, Qt::LeftButton);
            break;
        case 3:
            c().loadslot[rng() % 4]->trigger();
            break;
        case 4:
            putOnFromWardrobe(static_cast<int>(rng() % 3));
            break;
        default:
            features().codes().PutOnCode(randomCode(rng), zv::OutfitCodeSource::Clipboard);
            break;
        }
    }
};

TEST_F(OutfitHistoryTest, TwoHundredActionsUndoneAndRedoneThroughEveryState) {
    struct Step {
        Seen before, after;
    };
    std::vector<Step> taken;
    std::mt19937 rng(20240611);
    for (int i = 0; i < 200; ++i) {
        const Seen before = seen();
        const int count = steps();
        act(rng);
        const Seen after = seen();
        if (steps() == count + 1) {
            taken.push_back({before, after});
        } else {
            // Only an action that changed nothing takes no step.
            ASSERT_EQ(steps(), count) << "action " << i;
            ASSERT_TRUE(after == before) << "action " << i << ": " << before.differences(after);
        }
    }
    ASSERT_GE(taken.size(), 150u);
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();

    const auto files = dataFiles();
    for (size_t k = taken.size(); k-- > 0;) {
        ASSERT_TRUE(c().undo->isEnabled());
        c().undo->trigger();
        ASSERT_TRUE(seen() == taken[k].before)
            << "undo " << k << ": " << taken[k].before.differences(seen());
    }
    EXPECT_FALSE(c().undo->isEnabled());
    for (size_t k = 0; k < taken.size(); ++k) {
        ASSERT_TRUE(c().redo->isEnabled());
        c().redo->trigger();
        ASSERT_TRUE(seen() == taken[k].after)
            << "redo " << k << ": " << taken[k].after.differences(seen());
    }
    EXPECT_FALSE(c().redo->isEnabled());
    EXPECT_EQ(dataFiles(), files);
    EXPECT_TRUE(temporaryFiles().empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(OutfitHistoryTest, ASlotLoadIsOneStepAndANewActionDropsTheRedo) {
    EXPECT_EQ(c().undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(c().redo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_FALSE(c().undo->isEnabled());
    const Seen start = seen();

    chooseGender(1);
    choose(HelmFemale, 3);
    const Seen dressed = seen();
    c().loadslot[0]->trigger(); // a male slot: a gender change, a reset and four items
    EXPECT_EQ(steps(), 3);
    EXPECT_EQ(textOf(HelmMale), QString::fromStdString(catalogue("\\data\\male01.dat")[3]));

    c().undo->trigger();
    EXPECT_TRUE(seen() == dressed) << dressed.differences(seen());
    EXPECT_TRUE(c().redo->isEnabled());
    choose(ArmorFemale, 1);
    EXPECT_FALSE(c().redo->isEnabled());

    // Back to the very start: no gender, hidden lists, the menus as they were.
    c().undo->trigger();
    c().undo->trigger();
    c().undo->trigger();
    EXPECT_TRUE(seen() == start) << start.differences(seen());
    EXPECT_FALSE(c().mobile->menuAction()->isEnabled());
}

TEST_F(OutfitHistoryTest, TheMobileStaysUnlessTheUndoneStepDroppedIt) {
    chooseGender(0);
    choose(HelmMale, 1);
    c().mobileEntry[7]->trigger(); // Ice
    const QImage ice = c().imgMobile->picture().toImage();
    choose(ArmorMale, 2);

    // The armor goes; the mobile chosen since stays, the figure seated in it.
    c().undo->trigger();
    EXPECT_FALSE(c().imageArmor->hasPicture());
    EXPECT_EQ(c().imgMobile->picture().toImage(), ice);
    for (const zv::ImageControl* layer :
         {c().imgHelmet, c().imgArmor, c().imgGoggles, c().imgAccessories, c().imgAvatarBase})
        EXPECT_EQ(layer->pos(), QPoint(zv::Px(500), zv::Px(240)));

    // A gender change drops the mobile; undoing it brings the mobile and the seat back.
    c().mobileEntry[5]->trigger(); // Dragon
    const Seen seated = seen();
    chooseGender(1);
    EXPECT_FALSE(c().imgMobile->hasPicture());
    c().undo->trigger();
    EXPECT_TRUE(seen() == seated) << seated.differences(seen());
    EXPECT_EQ(c().imgHelmet->pos(), QPoint(zv::Px(520), zv::Px(220)));
}

TEST_F(OutfitHistoryTest, TheFindersPutOnIsOneStep) {
    chooseGender(0);
    choose(ArmorMale, 12);
    const Seen before = seen();
    const int taken = steps();

    c().outfitfinder->trigger();
    auto* finder = form->findChild<zv::FormFinder*>(QStringLiteral("formFinder"));
    ASSERT_NE(finder, nullptr);
    if (finder->searching()) {
        QSignalSpy done(finder, &zv::FormFinder::searchFinished);
        ASSERT_TRUE(done.wait(60000));
    }
    auto* results = finder->findChild<QTableWidget*>(QStringLiteral("lstResults"));
    ASSERT_GT(results->rowCount(), 0);
    results->selectRow(0);
    QTest::mouseClick(finder->findChild<QPushButton*>(QStringLiteral("cmdPutOn")), Qt::LeftButton);
    EXPECT_EQ(steps(), taken + 1);
    EXPECT_FALSE(seen() == before);

    c().undo->trigger();
    EXPECT_TRUE(seen() == before) << before.differences(seen());
    finder->close();
}

} // namespace

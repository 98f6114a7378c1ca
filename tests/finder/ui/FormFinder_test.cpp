// The "Outfit Finder" window on the main window: the menu that opens it, the inputs and their
// checks, the table, "Put On", and a search that runs off the user-interface thread.
#include "app/ui/FormMain.h"
#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "base/ui/MessageBox.h"
#include "calc/TimeCalc.h"
#include "finder/ui/FormFinder.h"
#include "planner/Variables.h"
#include "planner/ui/PlannerController.h"
#include "support/ProgramFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <random>

using zv::FormFinder;
using zv::FormMain;
using zvtest::ProgramFolder;

namespace {

class FinderWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        FormMain::SetInstanceLockPath(lockDir.filePath(QStringLiteral("zorvex.lock")));
        zv::SetMessageAnswerer([this](const zv::MessageRequest& m) { messages.push_back(m); });
    }
    void TearDown() override {
        form.reset();
        zv::SetMessageAnswerer({});
    }

    // The main window on the assembled program folder, loaded as at start-up.
    bool loadShipped() {
        if (!std::filesystem::exists(ProgramFolder::assembled() / "data" / "male11.dat"))
            return false;
        shipped = std::make_unique<ProgramFolder>(ProgramFolder::Contents::Assembled);
        shipped->activate();
        form = std::make_unique<FormMain>();
        EXPECT_TRUE(form->Form_Load());
        EXPECT_TRUE(messages.empty());
        return true;
    }

    FormFinder* open() {
        form->controls().outfitfinder->trigger();
        return form->findChild<FormFinder*>(QStringLiteral("formFinder"));
    }
    template <typename T> T* child(FormFinder* finder, const char* name) {
        T* found = finder->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static bool settle(FormFinder* finder, int ms = 60000) {
        if (!finder->searching())
            return true;
        QSignalSpy done(finder, &FormFinder::searchFinished);
        return done.wait(ms);
    }
    QString status(FormFinder* finder) { return child<QLabel>(finder, "lblStatus")->text(); }

    QTemporaryDir lockDir;
    std::unique_ptr<ProgramFolder> shipped;
    std::unique_ptr<FormMain> form;
    std::vector<zv::MessageRequest> messages;
};

TEST_F(FinderWindowTest, ThePlannerMenuBeforeAboutOpensOneFinder) {
    if (!loadShipped())
        GTEST_SKIP() << "the assembled program folder has no catalogues";
    QStringList bar;
    for (QAction* action : form->menuBar()->actions())
        bar << action->objectName();
    EXPECT_EQ(bar.indexOf(QStringLiteral("plannermnu")) + 1, bar.indexOf(QStringLiteral("about")));
    const auto& c = form->controls();
    EXPECT_EQ(c.plannermnu->title(), QStringLiteral("&Planner"));
    ASSERT_FALSE(c.plannermnu->actions().isEmpty());
    EXPECT_EQ(c.plannermnu->actions().front(), c.outfitfinder);
    EXPECT_EQ(c.outfitfinder->objectName(), QStringLiteral("outfitfinder"));
    EXPECT_EQ(c.outfitfinder->text(), QStringLiteral("Outfit &Finder..."));
    EXPECT_EQ(c.outfitfinder->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));

    FormFinder* finder = open();
    ASSERT_NE(finder, nullptr);
    EXPECT_TRUE(finder->isVisible());
    EXPECT_TRUE(finder->isWindow());
    EXPECT_FALSE(finder->isModal());
    EXPECT_EQ(finder->windowTitle(), QStringLiteral("Outfit Finder"));
    EXPECT_EQ(open(), finder) << "a second click shows the same window";
    EXPECT_EQ(form->findChildren<FormFinder*>().size(), 1);
    EXPECT_TRUE(settle(finder));
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->findChild<FormFinder*>(), nullptr) << "closed with the main window";
}

TEST_F(FinderWindowTest, ShowsTheBestOutfitsForTheWornOutfitsCostAndPutsOneOn) {
    if (!loadShipped())
        GTEST_SKIP() << "the assembled program folder has no catalogues";
    auto& c = form->controls();
    c.GenderBox->selectIndex(1);
    c.ArmorFemale->selectIndex(12);
    const int32_t worn = zv::Totals().TotalCost;
    ASSERT_GT(worn, 0);

    FormFinder* finder = open();
    ASSERT_NE(finder, nullptr);
    EXPECT_EQ(child<QLineEdit>(finder, "txtBudget")->text(), QString::number(worn));
    EXPECT_EQ(child<QComboBox>(finder, "lstGender")->currentIndex(), 1);
    ASSERT_TRUE(settle(finder));

    // The same answer as the core gives for the same inputs.
    zv::FinderRequest request;
    request.Budget = worn;
    const auto catalog = zv::LoadFinderCatalog(1);
    ASSERT_TRUE(catalog);
    const zv::FinderResult expected = zv::FindOutfits(*catalog, request);
    ASSERT_EQ(finder->outfits(), expected.Outfits);
    EXPECT_TRUE(
        status(finder).startsWith(QStringLiteral("Best of 1,185,921 outfits, proven optimal, ")))
        << status(finder).toStdString();

    auto* table = child<QTableWidget>(finder, "lstResults");
    ASSERT_EQ(table->rowCount(), 10);
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("Helmet"));
    EXPECT_EQ(table->item(0, 1)->text(), QString::fromLatin1(expected.Outfits[0].Names[0]));
    EXPECT_EQ(table->item(0, 5)->data(Qt::DisplayRole).toLongLong(), expected.Outfits[0].Cost);
    EXPECT_TRUE(table->isColumnHidden(6)) << "the efficiency is the objective already";

    // Sorted by cost, the cheapest of the ten comes first; "Put On" takes the row chosen.
    table->sortByColumn(5, Qt::AscendingOrder);
    for (int row = 1; row < table->rowCount(); ++row)
        EXPECT_LE(table->item(row - 1, 5)->data(Qt::DisplayRole).toLongLong(),
                  table->item(row, 5)->data(Qt::DisplayRole).toLongLong());
    auto* putOn = child<QPushButton>(finder, "cmdPutOn");
    EXPECT_FALSE(putOn->isEnabled());
    table->selectRow(0);
    ASSERT_TRUE(putOn->isEnabled());
    const int index = table->item(0, 0)->data(Qt::UserRole).toInt();
    const zv::FoundOutfit& chosen = expected.Outfits[static_cast<size_t>(index)];
    QTest::mouseClick(putOn, Qt::LeftButton);

    EXPECT_EQ(c.GenderBox->currentIndex(), 1);
    EXPECT_EQ(c.HelmFemale->editText(), QString::fromLatin1(chosen.Names[0]));
    EXPECT_EQ(c.ArmorFemale->editText(), QString::fromLatin1(chosen.Names[1]));
    EXPECT_EQ(c.GogglesFemale->editText(), QString::fromLatin1(chosen.Names[2]));
    EXPECT_EQ(c.Accessories->editText(), QString::fromLatin1(chosen.Names[3]));
    EXPECT_EQ(zv::Totals(), chosen.Totals);
    EXPECT_EQ(c.labelTotalCost->text(), QString::number(chosen.Totals.TotalCost));
    EXPECT_EQ(c.lblAvatarEfficiency->text(), QString::number(chosen.Efficiency));
    EXPECT_EQ(chosen.Names[0] != "Helmets", c.imageHelm->hasPicture());
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinderWindowTest, InvalidInputIsMarkedAndExplainedWithoutAMessageBox) {
    if (!loadShipped())
        GTEST_SKIP() << "the assembled program folder has no catalogues";
    FormFinder* finder = open();
    ASSERT_TRUE(settle(finder));
    auto* budget = child<QLineEdit>(finder, "txtBudget");
    auto* attack = child<QLineEdit>(finder, "txtMinAttack");

    budget->setText(QStringLiteral("12.5"));
    EXPECT_TRUE(budget->property("invalid").toBool());
    EXPECT_FALSE(finder->searching());
    EXPECT_EQ(status(finder),
              QStringLiteral("The budget must be a whole number of gold, 0 or more (or empty for "
                             "no limit)."));
    attack->setText(QStringLiteral("51"));
    EXPECT_TRUE(attack->property("invalid").toBool());
    EXPECT_TRUE(status(finder).endsWith(QStringLiteral("(1 more fields are marked.)")));

    budget->setText(QStringLiteral("50000"));
    EXPECT_FALSE(budget->property("invalid").toBool());
    EXPECT_EQ(status(finder),
              QStringLiteral("The minimum for Attack must be a whole number from -32768 to 50."));
    attack->setText(QStringLiteral("20"));
    EXPECT_FALSE(attack->property("invalid").toBool());
    ASSERT_TRUE(settle(finder));
    for (const zv::FoundOutfit& outfit : finder->outfits()) {
        EXPECT_GE(outfit.Totals.TotalAttack, 20);
        EXPECT_LE(outfit.Cost, 50000);
    }

    // Minimums no outfit meets are said in words, not with an empty table alone.
    child<QLineEdit>(finder, "txtMinShield")->setText(QStringLiteral("50"));
    child<QLineEdit>(finder, "txtMinHearts")->setText(QStringLiteral("50"));
    ASSERT_TRUE(settle(finder));
    EXPECT_EQ(status(finder), QStringLiteral("No outfit meets these minimums."));
    EXPECT_EQ(child<QTableWidget>(finder, "lstResults")->rowCount(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinderWindowTest, KeepsWornItemsCountsTheWardrobeAndWeighsStats) {
    if (!loadShipped())
        GTEST_SKIP() << "the assembled program folder has no catalogues";
    auto& c = form->controls();
    c.GenderBox->selectIndex(0);
    c.HelmMale->selectIndex(0); // the first item of every list is free
    const std::string helmet = c.HelmMale->editText().toStdString();
    shipped->write("data/wardrobe01.dat", "Snorkel\r\n");
    shipped->write("data/wardrobe11.dat", " 3 \r\n");

    FormFinder* finder = open();
    ASSERT_TRUE(settle(finder));
    auto* helmetLock = child<QComboBox>(finder, "lstLockHelmet");
    EXPECT_EQ(helmetLock->itemText(1), QStringLiteral("Keep: ") + QString::fromStdString(helmet));
    helmetLock->setCurrentIndex(1);
    child<QComboBox>(finder, "lstLockAccessory")->setCurrentIndex(2);
    child<QLineEdit>(finder, "txtBudget")->setText(QStringLiteral("0"));
    child<QCheckBox>(finder, "chkOwned")->setChecked(true);
    ASSERT_TRUE(settle(finder));
    ASSERT_FALSE(finder->outfits().empty());
    const zv::FoundOutfit& best = finder->outfits().front();
    EXPECT_EQ(best.Names[0], helmet);
    EXPECT_EQ(best.Names[3], "Accessories");
    bool snorkel = false;
    for (const zv::FoundOutfit& outfit : finder->outfits()) {
        EXPECT_EQ(outfit.Cost, 0);
        if (outfit.Names[2] == "Snorkel") {
            snorkel = true;
            EXPECT_GT(outfit.Totals.TotalCost, 0) << "owned, not free in the shop";
        }
    }
    EXPECT_TRUE(snorkel);

    // A single stat is ranked by its own column; a weighted sum gets a column of its own.
    child<QComboBox>(finder, "lstObjective")->setCurrentIndex(1 + zv::kAttack);
    ASSERT_TRUE(settle(finder));
    auto* table = child<QTableWidget>(finder, "lstResults");
    EXPECT_TRUE(table->isColumnHidden(6));
    EXPECT_EQ(finder->outfits().front().Value, finder->outfits().front().Totals.TotalAttack);
    auto* weights = child<QLineEdit>(finder, "txtWeightHearts");
    EXPECT_FALSE(weights->isVisibleTo(finder));
    child<QComboBox>(finder, "lstObjective")->setCurrentIndex(1 + zv::kStatCount);
    EXPECT_TRUE(weights->isVisibleTo(finder));
    weights->setText(QStringLiteral("3"));
    child<QLineEdit>(finder, "txtWeightDelay")->setText(QStringLiteral("-1"));
    ASSERT_TRUE(settle(finder));
    EXPECT_FALSE(table->isColumnHidden(6));
    EXPECT_EQ(table->horizontalHeaderItem(6)->text(), QStringLiteral("Weighted"));
    const zv::PlannerTotals& t = finder->outfits().front().Totals;
    EXPECT_EQ(finder->outfits().front().Value, 3 * t.TotalHearts - t.TotalDelay);
}

TEST_F(FinderWindowTest, TheChosenOutfitsBuyingPlanShowsBelowTheResults) {
    if (!loadShipped())
        GTEST_SKIP() << "the assembled program folder has no catalogues";
    // The basic calculator's kept figures: 75 gold a game, 10 minutes each.
    for (const auto& [key, value] :
         {std::pair{"SaveLoad", "1"}, std::pair{"GameTime", "10"}, std::pair{"WinRate", "50"},
          std::pair{"GoldPerWin", "100"}, std::pair{"GoldPerLoss", "50"}})
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Time Calculator", key, value));
    auto& c = form->controls();
    c.GenderBox->selectIndex(1);
    c.ArmorFemale->selectIndex(12);
    const std::array<zv::ItemList*, 4> lists{c.HelmFemale, c.ArmorFemale, c.GogglesFemale,
                                             c.Accessories};
    const std::array<const char*, 4> captions{"Helmets", "Armor", "Goggles", "Accessories"};

    FormFinder* finder = open();
    child<QLineEdit>(finder, "txtBudget")->setText(QStringLiteral("250000"));
    ASSERT_TRUE(settle(finder));
    auto* plan = child<QWidget>(finder, "picboxBuyingPlan");
    auto* steps = child<QTableWidget>(finder, "lstBuyingPlan");
    auto* summary = child<QLabel>(finder, "lblBuyingPlan");
    auto* note = child<QLabel>(finder, "lblPlanNote");
    EXPECT_FALSE(plan->isVisible()) << "no outfit chosen yet";

    auto* results = child<QTableWidget>(finder, "lstResults");
    results->selectRow(2);
    ASSERT_TRUE(plan->isVisible());
    const zv::FoundOutfit& chosen =
        finder->outfits()[static_cast<size_t>(results->item(2, 0)->data(Qt::UserRole).toInt())];
    // One step for every slot where the chosen outfit differs from what is worn.
    QStringList expected;
    for (int slot = 0; slot < 4; ++slot) {
        const QString want = QString::fromLatin1(chosen.Names[slot]);
        const QString have = lists[slot]->editText();
        if (want != have)
            expected << (want == QLatin1String(captions[slot]) ? QStringLiteral("Take off ") + have
                                                               : want);
    }
    ASSERT_GE(expected.size(), 2);
    ASSERT_EQ(steps->rowCount(), expected.size());
    QStringList shown;
    for (int row = 0; row < steps->rowCount(); ++row)
        shown << steps->item(row, 2)->text();
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown, expected);

    // The last step reaches the chosen outfit; its gold so far takes what the calculator says.
    const int last = steps->rowCount() - 1;
    EXPECT_EQ(steps->horizontalHeaderItem(6)->text(), QStringLiteral("Efficiency after"));
    EXPECT_EQ(steps->item(last, 6)->data(Qt::DisplayRole).toLongLong(), chosen.Efficiency);
    const qlonglong gold = steps->item(last, 4)->data(Qt::DisplayRole).toLongLong();
    EXPECT_GT(gold, 0);
    EXPECT_LE(gold, chosen.Cost);
    zv::BasicInputs figures{QString::number(gold), QStringLiteral("50"), QStringLiteral("100"),
                            QStringLiteral("50"), QStringLiteral("10")};
    const auto calculator = zv::CalculateBasic(figures, QLocale());
    ASSERT_TRUE(calculator.ok());
    EXPECT_FALSE(steps->isColumnHidden(9));
    EXPECT_EQ(steps->item(last, 9)->data(Qt::DisplayRole).toLongLong(), calculator->RequiredGames);
    EXPECT_EQ(steps->item(last, 10)->data(Qt::DisplayRole).toLongLong(), calculator->RequiredHours);
    EXPECT_TRUE(summary->text().startsWith(QStringLiteral("From the outfit worn now: ")))
        << summary->text().toStdString();
    EXPECT_FALSE(note->isVisible());

    // Once it is on, nothing is left to buy.
    QTest::mouseClick(child<QPushButton>(finder, "cmdPutOn"), Qt::LeftButton);
    EXPECT_EQ(summary->text(),
              QStringLiteral("From the outfit worn now: Everything of this outfit is worn "
                             "already."));
    EXPECT_FALSE(steps->isVisible());

    // Without the calculator's figures the plan says so in one line, and shows no times.
    ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Time Calculator", "GoldPerLoss", ""));
    results->selectRow(0);
    ASSERT_TRUE(steps->isVisible());
    EXPECT_TRUE(steps->isColumnHidden(9));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), QStringLiteral("For games and hours, open Time Calculator > Basic and "
                                           "fill in your figures first; they are kept when it "
                                           "closes."));
    EXPECT_TRUE(messages.empty());
}

// A program folder with lists of 2,000 items each whose every item is good at one of five stats
// only: with a minimum on all five, no outfit of four items qualifies, yet the bounds, which
// take each stat's best from a different item, cannot tell before weighing nearly everything.
void WriteEndlessScaleSet(const ProgramFolder& folder) {
    std::mt19937 random(99);
    const int lines[] = {8, 9, 4, 5, 11}; // Stars, Shield, Delay, Attack, ShieldRegen
    const char* files[][2] = {{"male01.dat", "male11.dat"},
                              {"male02.dat", "male12.dat"},
                              {"male03.dat", "male13.dat"},
                              {"acce01.dat", "acce11.dat"}};
    for (const auto& file : files) {
        std::string list, detail;
        for (int i = 0; i < 2000; ++i) {
            const std::string name = "Item " + std::to_string(i);
            list += name + "\r\n";
            std::array<int, 13> field{};
            field[static_cast<size_t>(lines[i % 5])] = 1 + static_cast<int>(random() % 40);
            field[12] = static_cast<int>(random() % 100000);
            detail += name + "\r\npic\r\nlayer\r\n";
            for (int line = 4; line <= 12; ++line)
                detail += std::to_string(field[static_cast<size_t>(line)]) + "\r\n";
        }
        folder.write(std::string("data/") + file[0], list);
        folder.write(std::string("data/") + file[1], detail);
    }
}

TEST_F(FinderWindowTest, ALongSearchLeavesTheWindowResponsiveAndStopsWhenCancelled) {
    ProgramFolder scale;
    WriteEndlessScaleSet(scale);
    scale.activate();
    form = std::make_unique<FormMain>();
    FormFinder* finder = open();
    ASSERT_NE(finder, nullptr);
    ASSERT_TRUE(settle(finder, 120000)) << "without minimums the answer comes";
    ASSERT_FALSE(finder->outfits().empty());
    for (const char* name : {"txtMinStars", "txtMinShield", "txtMinDelay", "txtMinAttack"})
        child<QLineEdit>(finder, name)->setText(QStringLiteral("1"));
    child<QLineEdit>(finder, "txtMinShieldRegen")->setText(QStringLiteral("1"));
    ASSERT_TRUE(finder->searching());

    // The user-interface thread goes on serving events while the search runs.
    bool firedWhileSearching = false;
    QTimer::singleShot(20, finder, [&] { firedWhileSearching = finder->searching(); });
    QTRY_VERIFY_WITH_TIMEOUT(firedWhileSearching, 5000);
    QTest::qWait(200);
    ASSERT_TRUE(finder->searching());
    EXPECT_TRUE(child<QPushButton>(finder, "cmdCancel")->isEnabled());

    QSignalSpy done(finder, &FormFinder::searchFinished);
    QTest::mouseClick(child<QPushButton>(finder, "cmdCancel"), Qt::LeftButton);
    ASSERT_TRUE(done.wait(10000));
    EXPECT_FALSE(finder->searching());
    EXPECT_FALSE(child<QPushButton>(finder, "cmdCancel")->isEnabled());
    EXPECT_EQ(status(finder), QStringLiteral("The search stopped before it found an outfit."));

    // A new request replaces a running one: only the answer to the last is shown.
    child<QLineEdit>(finder, "txtMinStars")->setText(QStringLiteral("2"));
    ASSERT_TRUE(finder->searching());
    for (const char* name : {"txtMinStars", "txtMinShield", "txtMinDelay", "txtMinShieldRegen"})
        child<QLineEdit>(finder, name)->clear();
    ASSERT_TRUE(settle(finder, 120000));
    EXPECT_TRUE(status(finder).startsWith(
        QStringLiteral("Best of 16,032,024,008,001 outfits, proven optimal")))
        << status(finder).toStdString();
    ASSERT_FALSE(finder->outfits().empty());
    EXPECT_GE(finder->outfits().front().Totals.TotalAttack, 1);
}

} // namespace

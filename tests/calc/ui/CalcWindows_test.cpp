// The two calculator windows as a player uses them: the controls over the background picture,
// the three ways to calculate, results and rank picture, the error message, the figures kept in
// the settings file.
#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "base/ui/Controls.h"
#include "base/ui/MessageBox.h"
#include "calc/ui/Calculators.h"
#include "calc/ui/FormAdv.h"
#include "calc/ui/FormBasic.h"
#include "planner/Variables.h"
#include "support/ProgramFolder.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

using zvtest::ProgramFolder;

namespace {

using Figures = std::initializer_list<std::pair<const char*, const char*>>;
// The worked examples: 134 games for 10000 gold, and 101 games to 1102 GP.
const Figures kBasicExample = {{"txtWinRate", "50"},
                               {"txtGoldPerGame", "100"},
                               {"txtGoldPerGame2", "50"},
                               {"txtGameTime", "10"}};
const Figures kAdvancedExample = {{"txtCurrentGold", "2500"}, {"txtWinRate", "50"},
                                  {"txtGoldPerGame", "100"},  {"txtGoldPerGame2", "50"},
                                  {"txtGameTime", "10"},      {"txtCurrentGP", "1000"},
                                  {"txtGPWin", "3"},          {"txtGPLoss", "-1"}};
const std::initializer_list<const char*> kBasicResults = {"lblReqGames", "lblWins", "lblLosses",
                                                          "lblReqTime"};
const std::initializer_list<const char*> kAdvancedResults = {"lblReqGames", "lblWins", "lblLosses",
                                                             "lblTotalGP", "lblReqTime"};

class CalcWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(ProgramFolder::assembled() / "graphics" / "calc-basic.gif"))
            GTEST_SKIP() << "the assembled program folder has no calculator pictures";
        folder.activate();
        zv::SetMessageAnswerer([this](const zv::MessageRequest& m) { messages.push_back(m); });
        setCost(10000);
    }
    void TearDown() override {
        zv::SetMessageAnswerer({});
        zv::StoreTotals({});
    }

    static void setCost(int32_t cost) {
        zv::PlannerTotals totals;
        totals.TotalCost = cost;
        zv::StoreTotals(totals);
    }
    template <typename T> static T* child(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Types the figures into their text boxes, replacing what they held.
    static void type(QWidget* window, Figures figures) {
        for (const auto& [name, figure] : figures) {
            auto* edit = child<QLineEdit>(window, name);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, QString::fromUtf8(figure));
        }
    }
    static QString texts(QWidget* window, std::initializer_list<const char*> names) {
        QStringList all;
        for (const char* name : names)
            all << child<QLabel>(window, name)->text();
        return all.join(QLatin1Char(','));
    }
    static QImage image(const QPixmap& picture) {
        return picture.toImage().convertToFormat(QImage::Format_ARGB32);
    }
    static QImage shown(QWidget* window, const char* name) {
        return image(child<zv::ImageControl>(window, name)->picture());
    }
    static QImage programPicture(const std::string& path) {
        return image(zv::LoadPicture(zv::ProgramPath(path)));
    }
    void expectErrorMessage(const char* what) {
        ASSERT_EQ(messages.size(), 1u) << what;
        EXPECT_EQ(messages[0].title, QStringLiteral("An error has occurred!"));
        EXPECT_EQ(messages[0].text,
                  QStringLiteral("Please make sure that you have filled in all the values "
                                 "needed\r\nand that they are in the right format!  "));
        EXPECT_EQ(messages[0].icon, zv::MessageIcon::Information);
        messages.clear();
    }

    ProgramFolder folder{ProgramFolder::Contents::Assembled};
    std::vector<zv::MessageRequest> messages;
};

// Every field sits on a calm, dark well of the background picture, clear of the row labels.
void ExpectControlsOnWells(QWidget* window) {
    const QImage background =
        window->findChild<zv::ImageControl*>(QStringLiteral("imgBasicCalc"))->picture().toImage();
    ASSERT_EQ(background.size(), window->size());
    int fields = 0;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!name.startsWith(QLatin1String("txt")) && !name.startsWith(QLatin1String("lbl")) &&
            name != QLatin1String("imgLevel"))
            continue;
        ++fields;
        const QRect inside = control->geometry().adjusted(2, 2, -2, -2);
        const QRgb well = background.pixel(inside.topLeft());
        EXPECT_LT(qRed(well) + qGreen(well) + qBlue(well), 100) << name.toStdString();
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                ASSERT_EQ(background.pixel(x, y), well) << name.toStdString() << " at " << x;
    }
    EXPECT_GE(fields, 9);
}

// The widgets Tab visits from `first`, in order, until it comes back.
QString TabOrder(QWidget* window, const char* first) {
    QStringList order;
    QWidget* start = window->findChild<QWidget*>(QString::fromLatin1(first));
    start->setFocus();
    do {
        order << window->focusWidget()->objectName();
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    } while (window->focusWidget() != start && order.size() < 20);
    return order.join(QLatin1Char(','));
}

TEST_F(CalcWindowTest, ControlsLieOverTheirRowsOfTheBackground) {
    zv::FormBasic basic;
    EXPECT_EQ(basic.objectName(), QStringLiteral("formBasic"));
    EXPECT_EQ(basic.windowTitle(), QStringLiteral("Basic Time Calculation"));
    EXPECT_EQ(shown(&basic, "imgBasicCalc"), programPicture("\\graphics\\calc-basic.gif"));
    EXPECT_EQ(shown(&basic, "imgCalc"), programPicture("\\graphics\\calc-button.gif"));
    EXPECT_EQ(child<QPushButton>(&basic, "cmdCalc")->text(), QStringLiteral("Calculate"));
    ExpectControlsOnWells(&basic);
    EXPECT_EQ(TabOrder(&basic, "txtWinRate"),
              QStringLiteral("txtWinRate,txtGoldPerGame,txtGoldPerGame2,txtGameTime,cmdCalc"));

    zv::FormAdv advanced;
    EXPECT_EQ(advanced.objectName(), QStringLiteral("FormAdv"));
    EXPECT_EQ(advanced.windowTitle(), QStringLiteral("Advanced Time Calculation"));
    EXPECT_EQ(shown(&advanced, "imgBasicCalc"), programPicture("\\graphics\\calc-advanced.gif"));
    EXPECT_EQ(shown(&advanced, "imgLevel"), programPicture("\\avatarpreview\\calc-chick.gif"));
    ExpectControlsOnWells(&advanced);
    EXPECT_EQ(TabOrder(&advanced, "txtCurrentGold"),
              QStringLiteral("txtCurrentGold,txtWinRate,txtGoldPerGame,txtGoldPerGame2,"
                             "txtGameTime,txtCurrentGP,txtGPWin,txtGPLoss,cmdCalc"));
}

TEST_F(CalcWindowTest, TotalCostIsTakenWhenTheWindowOpens) {
    setCost(12345678);
    auto window = std::make_unique<zv::FormBasic>();
    setCost(500);
    EXPECT_EQ(texts(window.get(), {"lblTotalcost"}), QStringLiteral("12345678"));
    window = std::make_unique<zv::FormBasic>();
    EXPECT_EQ(texts(window.get(), {"lblTotalcost"}), QStringLiteral("500"));
}

TEST_F(CalcWindowTest, ButtonPictureAndEnterAllCalculateAndErrorsKeepTheResults) {
    zv::FormBasic window;
    type(&window, kBasicExample);
    auto calculatesWith = [&](auto&& act) {
        for (const char* name : kBasicResults)
            child<QLabel>(&window, name)->clear();
        act();
        return texts(&window, kBasicResults) == QLatin1String("134,67,67,22");
    };
    EXPECT_TRUE(calculatesWith(
        [&] { QTest::mouseClick(child<QPushButton>(&window, "cmdCalc"), Qt::LeftButton); }));
    EXPECT_TRUE(calculatesWith(
        [&] { QTest::mouseClick(child<zv::ImageControl>(&window, "imgCalc"), Qt::LeftButton); }));
    for (const auto& [input, figure] : kBasicExample)
        EXPECT_TRUE(calculatesWith([&] {
            QTest::keyClick(child<QLineEdit>(&window, input), Qt::Key_Return);
        })) << input;
    EXPECT_TRUE(messages.empty());

    const Figures faults = {{"txtWinRate", ""},
                            {"txtGoldPerGame", "lots"},
                            {"txtGoldPerGame2", "3000000000"},
                            {"txtGameTime", "20000000"}, // x 134 games is beyond 32 bits
                            {"txtWinRate", "52,5"}};     // a comma where the locale has a point
    for (const auto& fault : faults) {
        type(&window, {fault});
        window.cmdCalc_Click();
        expectErrorMessage(fault.first);
        EXPECT_EQ(texts(&window, kBasicResults), QStringLiteral("134,67,67,22")) << fault.first;
        type(&window, kBasicExample);
    }
}

TEST_F(CalcWindowTest, AdvancedShowsTheRankAndKeepsItOnErrors) {
    zv::FormAdv window;
    type(&window, kAdvancedExample);
    QTest::keyClick(child<QLineEdit>(&window, "txtGPLoss"), Qt::Key_Enter);
    EXPECT_EQ(texts(&window, kAdvancedResults), QStringLiteral("101,50,50,1102,17"));
    EXPECT_EQ(shown(&window, "imgLevel"), programPicture("\\avatarpreview\\calc-wood.gif"));
    // The label keeps the full price; only the calculation takes the gold owned off it.
    EXPECT_EQ(texts(&window, {"lblTotalcost"}), QStringLiteral("10000"));
    type(&window, {{"txtCurrentGP", "8000"}, {"txtGPLoss", "5"}});
    window.cmdCalc_Click();
    EXPECT_EQ(texts(&window, kAdvancedResults), QStringLiteral("101,50,50,8404,17"));
    EXPECT_EQ(shown(&window, "imgLevel"), programPicture("\\avatarpreview\\calc-Bmetal2.gif"));
    ASSERT_TRUE(messages.empty());

    type(&window, kAdvancedExample);
    const QImage wood = programPicture("\\avatarpreview\\calc-wood.gif");
    window.cmdCalc_Click();
    auto expectRefused = [&](const char* what) {
        window.cmdCalc_Click();
        expectErrorMessage(what);
        EXPECT_EQ(texts(&window, kAdvancedResults), QStringLiteral("101,50,50,1102,17")) << what;
        EXPECT_EQ(shown(&window, "imgLevel"), wood) << what;
    };
    type(&window, {{"txtCurrentGP", "2147483600"}});
    expectRefused("GP beyond 32 bits");
    type(&window, {{"txtCurrentGP", "8200"}, {"txtCurrentGold", "x"}});
    expectRefused("letters");
    // A rank picture that is missing or not a picture fails the calculation as well.
    type(&window, {{"txtCurrentGold", "2500"}});
    std::filesystem::remove(folder.file("avatarpreview/calc-Bmetal2.gif"));
    expectRefused("missing picture");
    folder.write("avatarpreview/calc-Bmetal2.gif", "GIF89a but not really");
    expectRefused("damaged picture");
}

TEST_F(CalcWindowTest, FiguresAreReadAndWrittenInTheWindowsLocale) {
    setCost(7499999);
    zv::FormBasic window;
    window.setLocale(QLocale(QLocale::German, QLocale::Germany));
    type(&window, {{"txtWinRate", "50,0"},
                   {"txtGoldPerGame", "100"},
                   {"txtGoldPerGame2", "50,5"}, // rounds to the even 50
                   {"txtGameTime", "1"}});
    window.cmdCalc_Click();
    ASSERT_TRUE(messages.empty());
    // No group separators in the results either.
    EXPECT_EQ(texts(&window, {"lblTotalcost", "lblReqGames", "lblWins", "lblLosses", "lblReqTime"}),
              QStringLiteral("7499999,100000,50000,50000,1667"));
}

// Opens the window as the menu does, types and closes it as the user does.
void OpenTypeAndClose(void (*open)(QPointer<QWidget>&, QWidget*), Figures figures) {
    QPointer<QWidget> window;
    open(window, nullptr);
    for (const auto& [name, figure] : figures)
        window->findChild<QLineEdit*>(QString::fromLatin1(name))
            ->setText(QString::fromUtf8(figure));
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "a closed window is gone";
}

QString Inputs(QWidget* window, std::initializer_list<const char*> names) {
    QStringList all;
    for (const char* name : names)
        all << window->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    return all.join(QLatin1Char(','));
}

TEST_F(CalcWindowTest, FiguresAreKeptBetweenOpeningsWhenAsked) {
    // New keys each become the section's first entry: the file shows the storing order reversed.
    folder.write("data/settings.ini",
                 "[Zorvex]\r\nSkin=Midnight\r\n\r\n[Time Calculator]\r\nSaveLoad=1\r\n");
    OpenTypeAndClose(zv::ShowBasicCalculator, {{"txtWinRate", "52.5"},
                                               {"txtGoldPerGame", "100"},
                                               {"txtGoldPerGame2", "not yet"},
                                               {"txtGameTime", "12"}});
    EXPECT_EQ(folder.read("data/settings.ini"),
              "[Zorvex]\r\nSkin=Midnight\r\n\r\n[Time Calculator]\r\nGoldPerLoss=not yet\r\n"
              "GoldPerWin=100\r\nWinRate=52.5\r\nGameTime=12\r\nSaveLoad=1\r\n");

    // Both open: the advanced window shares the first four and, closed last, decides them.
    QPointer<QWidget> basic, advanced;
    zv::ShowBasicCalculator(basic, nullptr);
    zv::ShowAdvancedCalculator(advanced, nullptr);
    EXPECT_EQ(Inputs(basic, {"txtWinRate", "txtGoldPerGame", "txtGoldPerGame2", "txtGameTime"}),
              QStringLiteral("52.5,100,not yet,12"));
    EXPECT_EQ(Inputs(advanced, {"txtWinRate", "txtGameTime", "txtCurrentGold"}),
              QStringLiteral("52.5,12,"));
    basic->findChild<QLineEdit*>(QStringLiteral("txtWinRate"))->setText(QStringLiteral("40"));
    basic->close();
    advanced->findChild<QLineEdit*>(QStringLiteral("txtCurrentGP"))->setText(QStringLiteral("900"));
    advanced->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    zv::ShowAdvancedCalculator(advanced, nullptr);
    EXPECT_EQ(Inputs(advanced, {"txtWinRate", "txtCurrentGP"}), QStringLiteral("52.5,900"));
    advanced->close();
}

TEST_F(CalcWindowTest, NothingIsKeptUnlessAsked) {
    for (const char* saveLoad : {"0", "", "yes", "2"}) {
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Time Calculator", "SaveLoad", saveLoad));
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Time Calculator", "WinRate", "77"));
        const std::string before = folder.read("data/settings.ini");
        QPointer<QWidget> advanced;
        zv::ShowAdvancedCalculator(advanced, nullptr);
        EXPECT_EQ(Inputs(advanced, {"txtWinRate"}), QString()) << "SaveLoad=" << saveLoad;
        OpenTypeAndClose(zv::ShowBasicCalculator, {{"txtWinRate", "60"}, {"txtGameTime", "9"}});
        advanced->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(folder.read("data/settings.ini"), before) << "SaveLoad=" << saveLoad;
    }
}

} // namespace

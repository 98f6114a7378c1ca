// The two calculator windows as a player uses them: the controls over the background picture,
// the three ways to calculate, the results and the rank picture, the error message, the
// figures kept in the settings file.
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
#include <memory>
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

const char* const kErrorText = "Please make sure that you have filled in all the values needed\r\n"
                               "and that they are in the right format!  ";

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
    void setSetting(const char* key, const char* value) {
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Time Calculator", key, value));
    }
    template <typename T> static T* child(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString text(QWidget* window, const char* name) {
        return child<QLabel>(window, name)->text();
    }
    // Types the figures into the named text boxes, replacing what they held.
    static void type(QWidget* window, Figures figures) {
        for (const auto& [name, figure] : figures) {
            auto* edit = child<QLineEdit>(window, name);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, QString::fromUtf8(figure));
        }
    }
    static QStringList texts(QWidget* window, std::initializer_list<const char*> names) {
        QStringList all;
        for (const char* name : names)
            all << text(window, name);
        return all;
    }
    static QImage image(const QPixmap& picture) {
        return picture.toImage().convertToFormat(QImage::Format_ARGB32);
    }
    QImage programPicture(const char* path) const {
        return image(zv::LoadPicture(zv::ProgramPath(path)));
    }

    ProgramFolder folder{ProgramFolder::Contents::Assembled};
    std::vector<zv::MessageRequest> messages;
};

struct Place {
    const char* name;
    QRect rect;
};

void ExpectPlaces(QWidget* window, std::initializer_list<Place> places) {
    for (const Place& place : places) {
        QWidget* widget = window->findChild<QWidget*>(QString::fromLatin1(place.name));
        ASSERT_NE(widget, nullptr) << place.name;
        EXPECT_EQ(widget->geometry(), place.rect) << place.name;
        EXPECT_TRUE(widget->isVisibleTo(window)) << place.name;
    }
}

// The widgets Tab visits from `first`, in order, until it comes back.
QStringList TabOrder(QWidget* window, QWidget* first) {
    QStringList order;
    first->setFocus();
    for (int step = 0; step < 20; ++step) {
        QWidget* focus = window->focusWidget();
        if (!order.isEmpty() && focus == first)
            break;
        order << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return order;
}

TEST_F(CalcWindowTest, BasicWindowPlacesItsControlsOverTheRowLabels) {
    zv::FormBasic window;
    EXPECT_EQ(window.objectName(), QStringLiteral("formBasic"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Basic Time Calculation"));
    EXPECT_EQ(window.size(), QSize(400, 364));
    ExpectPlaces(&window, {{"imgBasicCalc", {0, 0, 400, 364}},
                           {"lblTotalcost", {214, 38, 111, 21}},
                           {"txtWinRate", {214, 64, 111, 21}},
                           {"txtGoldPerGame", {214, 90, 111, 21}},
                           {"txtGoldPerGame2", {214, 116, 111, 21}},
                           {"txtGameTime", {214, 142, 111, 21}},
                           {"lblReqGames", {214, 210, 111, 21}},
                           {"lblWins", {214, 236, 111, 21}},
                           {"lblLosses", {214, 262, 111, 21}},
                           {"lblReqTime", {214, 288, 111, 21}},
                           {"imgCalc", {150, 324, 100, 30}},
                           {"cmdCalc", {290, 326, 90, 26}}});
    EXPECT_EQ(image(child<zv::ImageControl>(&window, "imgBasicCalc")->picture()),
              programPicture("\\graphics\\calc-basic.gif"));
    EXPECT_EQ(image(child<zv::ImageControl>(&window, "imgCalc")->picture()),
              programPicture("\\graphics\\calc-button.gif"));
    EXPECT_EQ(child<QPushButton>(&window, "cmdCalc")->text(), QStringLiteral("Calculate"));
    EXPECT_EQ(TabOrder(&window, child<QWidget>(&window, "txtWinRate")).join(QLatin1Char(',')),
              QStringLiteral("txtWinRate,txtGoldPerGame,txtGoldPerGame2,txtGameTime,cmdCalc"));
}

TEST_F(CalcWindowTest, AdvancedWindowPlacesItsControlsOverTheRowLabels) {
    zv::FormAdv window;
    EXPECT_EQ(window.objectName(), QStringLiteral("FormAdv"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Advanced Time Calculation"));
    EXPECT_EQ(window.size(), QSize(640, 330));
    ExpectPlaces(&window, {{"imgBasicCalc", {0, 0, 640, 330}},
                           {"lblTotalcost", {192, 38, 91, 21}},
                           {"txtCurrentGold", {192, 64, 91, 21}},
                           {"txtWinRate", {192, 90, 91, 21}},
                           {"txtGoldPerGame", {192, 116, 91, 21}},
                           {"txtGoldPerGame2", {192, 142, 91, 21}},
                           {"txtGameTime", {192, 168, 91, 21}},
                           {"txtCurrentGP", {192, 194, 91, 21}},
                           {"txtGPWin", {192, 220, 91, 21}},
                           {"txtGPLoss", {192, 246, 91, 21}},
                           {"lblReqGames", {508, 38, 78, 21}},
                           {"lblWins", {508, 64, 78, 21}},
                           {"lblLosses", {508, 90, 78, 21}},
                           {"lblTotalGP", {508, 116, 78, 21}},
                           {"imgLevel", {510, 144, 40, 40}},
                           {"lblReqTime", {508, 190, 78, 21}},
                           {"imgCalc", {432, 236, 100, 30}},
                           {"cmdCalc", {437, 280, 90, 26}}});
    EXPECT_EQ(image(child<zv::ImageControl>(&window, "imgBasicCalc")->picture()),
              programPicture("\\graphics\\calc-advanced.gif"));
    // Before any calculation the lowest rank shows.
    EXPECT_EQ(image(child<zv::ImageControl>(&window, "imgLevel")->picture()),
              programPicture("\\avatarpreview\\calc-chick.gif"));
    EXPECT_EQ(TabOrder(&window, child<QWidget>(&window, "txtCurrentGold")).join(QLatin1Char(',')),
              QStringLiteral("txtCurrentGold,txtWinRate,txtGoldPerGame,txtGoldPerGame2,"
                             "txtGameTime,txtCurrentGP,txtGPWin,txtGPLoss,cmdCalc"));
}

TEST_F(CalcWindowTest, TotalCostIsTakenWhenTheWindowOpens) {
    setCost(12345678);
    auto window = std::make_unique<zv::FormBasic>();
    EXPECT_EQ(text(window.get(), "lblTotalcost"), QStringLiteral("12345678"));
    setCost(500);
    EXPECT_EQ(text(window.get(), "lblTotalcost"), QStringLiteral("12345678"));
    window = std::make_unique<zv::FormBasic>();
    EXPECT_EQ(text(window.get(), "lblTotalcost"), QStringLiteral("500"));
    zv::FormAdv advanced;
    EXPECT_EQ(text(&advanced, "lblTotalcost"), QStringLiteral("500"));
}

TEST_F(CalcWindowTest, ButtonPictureAndEnterAllCalculate) {
    zv::FormBasic window;
    window.show();
    type(&window, kBasicExample);
    const QStringList results{QStringLiteral("134"), QStringLiteral("67"), QStringLiteral("67"),
                              QStringLiteral("22")};
    auto shown = [&] {
        return texts(&window, {"lblReqGames", "lblWins", "lblLosses", "lblReqTime"});
    };
    auto clear = [&] {
        for (const char* name : {"lblReqGames", "lblWins", "lblLosses", "lblReqTime"})
            child<QLabel>(&window, name)->clear();
    };
    QTest::mouseClick(child<QPushButton>(&window, "cmdCalc"), Qt::LeftButton);
    EXPECT_EQ(shown(), results);
    clear();
    QTest::mouseClick(child<zv::ImageControl>(&window, "imgCalc"), Qt::LeftButton);
    EXPECT_EQ(shown(), results);
    for (const char* input : {"txtWinRate", "txtGoldPerGame", "txtGoldPerGame2", "txtGameTime"}) {
        clear();
        QTest::keyClick(child<QLineEdit>(&window, input), Qt::Key_Return);
        EXPECT_EQ(shown(), results) << input;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(CalcWindowTest, BasicErrorsShowTheMessageAndKeepThePreviousResults) {
    zv::FormBasic window;
    type(&window, kBasicExample);
    window.cmdCalc_Click();
    const QStringList before =
        texts(&window, {"lblReqGames", "lblWins", "lblLosses", "lblReqTime"});
    ASSERT_EQ(before.join(QLatin1Char(',')), QStringLiteral("134,67,67,22"));

    const std::pair<const char*, const char*> faults[] = {
        {"txtWinRate", ""},                // empty
        {"txtGoldPerGame", "lots"},        // letters
        {"txtGoldPerGame2", "3000000000"}, // beyond 32 bits
        {"txtGameTime", "20000000"},       // game time x games beyond 32 bits
        {"txtWinRate", "52,5"},            // a comma where the locale has a point
    };
    for (const auto& [name, figure] : faults) {
        auto* edit = child<QLineEdit>(&window, name);
        const QString good = edit->text();
        type(&window, {{name, figure}});
        messages.clear();
        window.imgCalc_Click();
        ASSERT_EQ(messages.size(), 1u) << name << " = " << figure;
        EXPECT_EQ(messages[0].title, QStringLiteral("An error has occurred!"));
        EXPECT_EQ(messages[0].text, QString::fromLatin1(kErrorText));
        EXPECT_EQ(messages[0].icon, zv::MessageIcon::Information);
        EXPECT_EQ(texts(&window, {"lblReqGames", "lblWins", "lblLosses", "lblReqTime"}), before)
            << name << " = " << figure;
        edit->setText(good);
    }
}

TEST_F(CalcWindowTest, AdvancedShowsTheRankReached) {
    zv::FormAdv window;
    type(&window, kAdvancedExample);
    const auto results = [&] {
        return texts(&window, {"lblReqGames", "lblWins", "lblLosses", "lblTotalGP", "lblReqTime"})
            .join(QLatin1Char(','));
    };
    auto* level = child<zv::ImageControl>(&window, "imgLevel");
    QTest::keyClick(child<QLineEdit>(&window, "txtGPLoss"), Qt::Key_Enter);
    EXPECT_EQ(results(), QStringLiteral("101,50,50,1102,17"));
    EXPECT_EQ(image(level->picture()), programPicture("\\avatarpreview\\calc-wood.gif"));
    // The label keeps the full price; only the calculation takes the gold owned off it.
    EXPECT_EQ(text(&window, "lblTotalcost"), QStringLiteral("10000"));

    type(&window, {{"txtCurrentGP", "8000"}, {"txtGPLoss", "5"}});
    window.cmdCalc_Click();
    EXPECT_EQ(results(), QStringLiteral("101,50,50,8404,17"));
    EXPECT_EQ(image(level->picture()), programPicture("\\avatarpreview\\calc-Bmetal2.gif"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(CalcWindowTest, AdvancedErrorsLeaveResultsAndRankPicture) {
    zv::FormAdv window;
    type(&window, kAdvancedExample);
    window.cmdCalc_Click();
    auto* level = child<zv::ImageControl>(&window, "imgLevel");
    const QImage rank = image(level->picture());
    const std::initializer_list<const char*> labels = {"lblReqGames", "lblWins", "lblLosses",
                                                       "lblTotalGP", "lblReqTime"};
    const QStringList before = texts(&window, labels);

    auto expectRefused = [&](const char* what) {
        messages.clear();
        window.cmdCalc_Click();
        ASSERT_EQ(messages.size(), 1u) << what;
        EXPECT_EQ(messages[0].title, QStringLiteral("An error has occurred!"));
        EXPECT_EQ(messages[0].text, QString::fromLatin1(kErrorText));
        EXPECT_EQ(texts(&window, labels), before) << what;
        EXPECT_EQ(image(level->picture()), rank) << what;
    };
    // GP beyond 32 bits, with a rank that would change.
    type(&window, {{"txtCurrentGP", "2147483600"}});
    expectRefused("GP overflow");
    type(&window, {{"txtCurrentGP", "9000"}, {"txtCurrentGold", "x"}});
    expectRefused("letters");
    type(&window, {{"txtCurrentGold", "2500"}});

    // A rank picture that is missing, or not a picture, fails the calculation as well.
    const auto picture = folder.file("avatarpreview/calc-Bmetal2.gif");
    std::filesystem::remove(picture);
    expectRefused("missing picture");
    folder.write("avatarpreview/calc-Bmetal2.gif", "GIF89a but not really");
    expectRefused("damaged picture");
}

TEST_F(CalcWindowTest, FiguresAreReadAndWrittenInTheWindowsLocale) {
    zv::FormBasic window;
    window.setLocale(QLocale(QLocale::German, QLocale::Germany));
    type(&window, {{"txtWinRate", "52,5"},
                   {"txtGoldPerGame", "100"},
                   {"txtGoldPerGame2", "50,5"},
                   {"txtGameTime", "10"}});
    window.cmdCalc_Click();
    ASSERT_TRUE(messages.empty());
    // 50,5 rounds to 50: the same games as with 50.
    EXPECT_EQ(texts(&window, {"lblReqGames", "lblWins", "lblLosses", "lblReqTime"})
                  .join(QLatin1Char(',')),
              QStringLiteral("132,69,63,22"));

    // Large results carry no group separators.
    setCost(7499999);
    zv::FormBasic large;
    large.setLocale(QLocale(QLocale::German, QLocale::Germany));
    type(&large, {{"txtWinRate", "50"},
                  {"txtGoldPerGame", "100"},
                  {"txtGoldPerGame2", "50"},
                  {"txtGameTime", "1"}});
    large.cmdCalc_Click();
    EXPECT_EQ(texts(&large, {"lblTotalcost", "lblReqGames", "lblWins", "lblLosses", "lblReqTime"})
                  .join(QLatin1Char(' ')),
              QStringLiteral("7499999 100000 50000 50000 1667"));
}

// Opens the window as the menu does, types, and closes it as the user does.
template <typename Open> void OpenTypeAndClose(Open open, Figures figures) {
    QPointer<QWidget> window;
    open(window, nullptr);
    for (const auto& [name, figure] : figures)
        window->findChild<QLineEdit*>(QString::fromLatin1(name))
            ->setText(QString::fromUtf8(figure));
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "a closed window is gone";
}

QStringList Shown(QWidget* window, std::initializer_list<const char*> names) {
    QStringList all;
    for (const char* name : names)
        all << window->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    return all;
}

TEST_F(CalcWindowTest, FiguresAreKeptBetweenOpeningsWhenAsked) {
    // A section without the keys yet: each new key becomes the section's first entry, so the
    // order below is the reverse of the storing order.
    folder.write("data/settings.ini", "[Zorvex]\r\nSkin=Midnight\r\n\r\n"
                                      "[Time Calculator]\r\nSaveLoad=1\r\n");
    OpenTypeAndClose(zv::ShowBasicCalculator, {{"txtWinRate", "52.5"},
                                               {"txtGoldPerGame", "100"},
                                               {"txtGoldPerGame2", "not yet"},
                                               {"txtGameTime", "12"}});
    EXPECT_EQ(folder.read("data/settings.ini"),
              "[Zorvex]\r\nSkin=Midnight\r\n\r\n[Time Calculator]\r\n"
              "GoldPerLoss=not yet\r\nGoldPerWin=100\r\nWinRate=52.5\r\nGameTime=12\r\n"
              "SaveLoad=1\r\n");

    QPointer<QWidget> basic;
    zv::ShowBasicCalculator(basic, nullptr);
    EXPECT_EQ(Shown(basic, {"txtWinRate", "txtGoldPerGame", "txtGoldPerGame2", "txtGameTime"}),
              (QStringList{QStringLiteral("52.5"), QStringLiteral("100"), QStringLiteral("not yet"),
                           QStringLiteral("12")}));

    // The advanced window shares the first four and adds its own; closed last, it decides.
    QPointer<QWidget> advanced;
    zv::ShowAdvancedCalculator(advanced, nullptr);
    EXPECT_EQ(Shown(advanced, {"txtWinRate", "txtGameTime", "txtCurrentGold"}),
              (QStringList{QStringLiteral("52.5"), QStringLiteral("12"), QString()}));
    basic->findChild<QLineEdit*>(QStringLiteral("txtWinRate"))->setText(QStringLiteral("40"));
    basic->close();
    advanced->findChild<QLineEdit*>(QStringLiteral("txtCurrentGP"))->setText(QStringLiteral("900"));
    advanced->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Time Calculator", "WinRate"), "52.5");
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Time Calculator", "CurrentGP"), "900");

    zv::ShowAdvancedCalculator(advanced, nullptr);
    EXPECT_EQ(Shown(advanced, {"txtCurrentGP", "txtGoldPerGame2"}),
              (QStringList{QStringLiteral("900"), QStringLiteral("not yet")}));
    advanced->close();
}

TEST_F(CalcWindowTest, NothingIsKeptUnlessAsked) {
    for (const char* saveLoad : {"0", "", "yes", "2"}) {
        setSetting("SaveLoad", saveLoad);
        setSetting("WinRate", "77");
        const std::string before = folder.read("data/settings.ini");
        QPointer<QWidget> window;
        zv::ShowAdvancedCalculator(window, nullptr);
        EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("txtWinRate"))->text(), QString())
            << "SaveLoad=" << saveLoad;
        OpenTypeAndClose(zv::ShowBasicCalculator, {{"txtWinRate", "60"}, {"txtGameTime", "9"}});
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(folder.read("data/settings.ini"), before) << "SaveLoad=" << saveLoad;
    }
}

TEST_F(CalcWindowTest, OpeningAgainBringsTheSameWindowForward) {
    QPointer<QWidget> window;
    zv::ShowBasicCalculator(window, nullptr);
    QWidget* first = window;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->showMinimized();
    zv::ShowBasicCalculator(window, nullptr);
    EXPECT_EQ(window.data(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(first->isModal());
    window->close();
}

} // namespace

// The time calculators reached from the main window's menu, and their figures surviving the
// end of the program.
#include "app/ui/FormMain.h"
#include "base/Settings.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"
#include "support/ProgramFolder.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using zv::FormMain;
using zvtest::ProgramFolder;

namespace {

class MainCalculatorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.activate();
        ASSERT_TRUE(lockDir.isValid());
        FormMain::SetInstanceLockPath(lockDir.filePath(QStringLiteral("zorvex.lock")));
        zv::SetMessageAnswerer([](const zv::MessageRequest&) {});
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    void TearDown() override {
        zv::SetMessageAnswerer({});
        zv::FSOUND_Close();
    }

    // A main window as the program starts it.
    static std::unique_ptr<FormMain> start() {
        auto form = std::make_unique<FormMain>();
        EXPECT_TRUE(form->Form_Load());
        return form;
    }
    static QLineEdit* input(QWidget* window, const char* name) {
        auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    static std::string setting(const char* key) {
        return zv::ReadSetting(zv::SettingsPath(), "Time Calculator", key);
    }

    ProgramFolder folder{ProgramFolder::Contents::Assembled};
    QTemporaryDir lockDir;
};

TEST_F(MainCalculatorsTest, MenuOpensEachCalculatorOnce) {
    auto form = start();
    EXPECT_TRUE(form->formBasic.isNull());
    form->controls().basic->trigger();
    ASSERT_FALSE(form->formBasic.isNull());
    QWidget* basic = form->formBasic;
    EXPECT_EQ(basic->objectName(), QStringLiteral("formBasic"));
    EXPECT_TRUE(basic->isVisible());
    EXPECT_TRUE(basic->isWindow());
    form->controls().basic->trigger();
    EXPECT_EQ(form->formBasic.data(), basic);

    form->controls().advanced->trigger();
    ASSERT_FALSE(form->FormAdv.isNull());
    EXPECT_EQ(form->FormAdv->objectName(), QStringLiteral("FormAdv"));
    EXPECT_TRUE(form->FormAdv->isVisible());
    EXPECT_TRUE(basic->isVisible()) << "both calculators may be open at once";
    form->close();
}

TEST_F(MainCalculatorsTest, FiguresSurviveTheEndOfTheProgram) {
    ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Time Calculator", "SaveLoad", "1"));
    {
        auto form = start();
        form->controls().basic->trigger();
        form->controls().advanced->trigger();
        input(form->formBasic, "txtWinRate")->setText(QStringLiteral("45"));
        input(form->formBasic, "txtGameTime")->setText(QStringLiteral("8"));
        input(form->FormAdv, "txtWinRate")->setText(QStringLiteral("55"));
        input(form->FormAdv, "txtCurrentGold")->setText(QStringLiteral("1200"));
        form->controls().exit->trigger();
    }
    // The main window closes the basic calculator first, so the advanced one decides the
    // shared figures.
    EXPECT_EQ(setting("WinRate"), "55");
    EXPECT_EQ(setting("GameTime"), "");
    EXPECT_EQ(setting("CurrentGold"), "1200");

    auto form = start();
    form->controls().basic->trigger();
    EXPECT_EQ(input(form->formBasic, "txtWinRate")->text(), QStringLiteral("55"));
    form->controls().advanced->trigger();
    EXPECT_EQ(input(form->FormAdv, "txtCurrentGold")->text(), QStringLiteral("1200"));
    form->close();
}

} // namespace

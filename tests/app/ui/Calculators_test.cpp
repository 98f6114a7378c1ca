// The time calculators reached from the main window's menu.
#include "app/ui/FormMain.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"
#include "support/ProgramFolder.h"

#include <QAction>
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
    EXPECT_FALSE(basic->isModal());
    basic->showMinimized();
    form->controls().basic->trigger();
    EXPECT_EQ(form->formBasic.data(), basic);
    EXPECT_FALSE(basic->windowState() & Qt::WindowMinimized);

    form->controls().advanced->trigger();
    ASSERT_FALSE(form->FormAdv.isNull());
    EXPECT_EQ(form->FormAdv->objectName(), QStringLiteral("FormAdv"));
    EXPECT_TRUE(form->FormAdv->isVisible());
    EXPECT_TRUE(basic->isVisible()) << "both calculators may be open at once";
    form->close();
}

} // namespace

// The time calculators reached from the main window's menu.
#include "AppFixture.h"
#include "app/ui/FormMain.h"

#include <QAction>
#include <gtest/gtest.h>

using zv::FormMain;

namespace {

using MainCalculatorsTest = zvtest::AppFixture;

TEST_F(MainCalculatorsTest, MenuOpensEachCalculatorOnce) {
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    EXPECT_TRUE(form.formBasic.isNull());
    form.controls().basic->trigger();
    ASSERT_FALSE(form.formBasic.isNull());
    QWidget* basic = form.formBasic;
    EXPECT_EQ(basic->objectName(), QStringLiteral("formBasic"));
    EXPECT_TRUE(basic->isVisible());
    EXPECT_TRUE(basic->isWindow());
    EXPECT_FALSE(basic->isModal());
    basic->showMinimized();
    form.controls().basic->trigger();
    EXPECT_EQ(form.formBasic.data(), basic);
    EXPECT_FALSE(basic->windowState() & Qt::WindowMinimized);

    form.controls().advanced->trigger();
    ASSERT_FALSE(form.FormAdv.isNull());
    EXPECT_EQ(form.FormAdv->objectName(), QStringLiteral("FormAdv"));
    EXPECT_TRUE(form.FormAdv->isVisible());
    EXPECT_TRUE(basic->isVisible()) << "both calculators may be open at once";
    form.close();
}

} // namespace

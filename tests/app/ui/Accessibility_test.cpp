// Every window as the keyboard and a screen reader meet it: Tab visits every control in reading
// order and shows where it is, every control has a name and says what it shows, and a whole
// session (gender, four items, a saved slot, a calculator) works with key events alone.
#include "AppFixture.h"
#include "app/ui/AccessibleControls.h"
#include "app/ui/FormMain.h"
#include "app/ui/FormSplash.h"
#include "planner/ui/PlannerController.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using zv::FormMain;

namespace {

// The menu entries that open the secondary windows; a new window adds its entry here.
const char* const kWindowOpeners[] = {"prop",     "saveslot1", "basic",
                                      "advanced", "wardview",  "compareslot1"};

class AccessibilityTest : public zvtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        zv::InstallZorvexAccessibility();
    }

    // The main window with the gender chosen and, when asked, one item in every list.
    void load(FormMain& form, bool dressed) {
        ASSERT_TRUE(form.Form_Load());
        auto& c = form.controls();
        c.GenderBox->selectIndex(0);
        if (dressed) {
            for (zv::ItemList* list : {c.HelmMale, c.ArmorMale, c.GogglesMale, c.Accessories})
                list->selectIndex(2);
        }
    }

    static void activate(QWidget* window) {
        window->activateWindow();
        for (int i = 0; i < 50 && QApplication::activeWindow() != window; ++i)
            QTest::qWait(20);
        ASSERT_EQ(QApplication::activeWindow(), window) << window->objectName().toStdString();
    }

    // Sends a key where the keyboard is: an open menu, else the focused control.
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, k, modifiers);
    }

    // The controls Tab visits, in order, once round, starting at `first`.
    static std::vector<std::string> tabCycle(QWidget* window, const std::string& first) {
        activate(window);
        std::vector<std::string> names;
        for (int i = 0; i < 40; ++i) {
            key(Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            if (!focus || (!names.empty() && focus->objectName().toStdString() == names.front()))
                break;
            names.push_back(focus->objectName().toStdString());
        }
        std::rotate(names.begin(), std::find(names.begin(), names.end(), first), names.end());
        return names;
    }
};

// Every interface below `iface` whose widget is shown.
void Walk(QAccessibleInterface* iface, std::vector<QAccessibleInterface*>& found) {
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child || child->state().invisible)
            continue;
        found.push_back(child);
        Walk(child, found);
    }
}

bool Interactive(const QAccessibleInterface* iface) {
    static const std::set<QAccessible::Role> roles{
        QAccessible::Button,   QAccessible::PushButton,   QAccessible::CheckBox,
        QAccessible::ComboBox, QAccessible::EditableText, QAccessible::List,
        QAccessible::MenuItem};
    return iface->state().focusable || roles.contains(iface->role());
}

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasANameAndEveryPictureButtonARole) {
    showSplashEveryTime();
    zv::FormSplash splash;
    splash.Form_Load();
    splash.Timer1_Timer();
    FormMain form;
    load(form, true);
    for (const char* opener : kWindowOpeners)
        form.findChild<QAction*>(QString::fromLatin1(opener))->trigger();

    std::set<std::string> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || qobject_cast<QMenu*>(window))
            continue;
        windows.insert(window->objectName().toStdString());
        std::vector<QAccessibleInterface*> all;
        Walk(QAccessible::queryAccessibleInterface(window), all);
        for (QAccessibleInterface* iface : all) {
            if (!Interactive(iface))
                continue;
            EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
                << window->objectName().toStdString() << ": "
                << (iface->object() ? iface->object()->objectName().toStdString() : "?");
        }
    }
    EXPECT_EQ(windows,
              (std::set<std::string>{"formSplash", "formMAIN", "formProperties", "formSaveName",
                                     "formBasic", "FormAdv", "formWardrobe", "formCompare"}));

    // The picture buttons are buttons that can be pressed; the shop pictures open their menu.
    for (const char* name : {"imgSoundOff", "imgRandom"}) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(
            form.findChild<QWidget*>(QString::fromLatin1(name)));
        EXPECT_EQ(iface->role(), QAccessible::Button) << name;
        EXPECT_TRUE(iface->state().focusable) << name;
        EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()))
            << name;
    }
    QAccessibleInterface* ok = QAccessible::queryAccessibleInterface(
        splash.findChild<QWidget*>(QStringLiteral("imgOKon")));
    EXPECT_EQ(ok->role(), QAccessible::Button);
    EXPECT_EQ(ok->text(QAccessible::Name), QStringLiteral("OK"));
    QAccessibleInterface* helm = QAccessible::queryAccessibleInterface(form.controls().imageHelm);
    helm->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_EQ(QApplication::activePopupWidget(), form.controls().wardrobe);
    form.controls().wardrobe->close();
    form.close();
}

TEST_F(AccessibilityTest, BarsAndLabelsSayWhatTheyShow) {
    FormMain form;
    load(form, true);
    auto& c = form.controls();
    auto& p = form.planner();
    auto announced = [](QWidget* control) -> QString {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        return iface->text(QAccessible::Name) + QLatin1Char(' ') + iface->text(QAccessible::Value);
    };
    auto sum = [&](int16_t zv::ItemEffects::*stat) -> QString {
        return QString::number(p.HelmetEffects.*stat + p.ArmorEffects.*stat +
                               p.GogglesEffects.*stat + p.AccessoryEffects.*stat);
    };
    const QString attack = sum(&zv::ItemEffects::Attack);
    ASSERT_NE(attack, QStringLiteral("0")) << "choose items that change the attack";
    EXPECT_EQ(announced(c.imgAttack), QString(QStringLiteral("Attack ") + attack));
    EXPECT_EQ(announced(c.imgShield),
              QString(QStringLiteral("Shield ") + sum(&zv::ItemEffects::Shield)));
    EXPECT_EQ(announced(c.imgShieldRe),
              QString(QStringLiteral("Shield regeneration ") + sum(&zv::ItemEffects::ShieldRegen)));
    EXPECT_EQ(announced(c.labelTotalCost),
              QString(QStringLiteral("Total cost ") + c.labelTotalCost->text()));
    EXPECT_NE(c.labelTotalCost->text(), QStringLiteral("0"));
    EXPECT_EQ(announced(c.lblAvatarEfficiency),
              QString(QStringLiteral("Efficiency ") + c.lblAvatarEfficiency->text()));

    form.controls().basic->trigger();
    QWidget* total = form.formBasic->findChild<QWidget*>(QStringLiteral("lblTotalcost"));
    EXPECT_EQ(announced(total), QString(QStringLiteral("Total cost ") + c.labelTotalCost->text()));

    // A new choice is what the next reading says.
    p.ResetPreview();
    EXPECT_EQ(announced(c.imgAttack), QStringLiteral("Attack 0"));
    form.close();
}

TEST_F(AccessibilityTest, TabVisitsEveryControlInReadingOrderAndShowsTheFocus) {
    showSplashEveryTime(); // the splash box can be changed, so Tab visits it
    FormMain form;
    load(form, false);
    EXPECT_EQ(
        tabCycle(&form, "imgSaveZone1"),
        (std::vector<std::string>{"imgSaveZone1", "GenderBox", "HelmMale", "ArmorMale",
                                  "GogglesMale", "Accessories", "imgSoundOff", "imgRandom",
                                  "imageHelm", "imageArmor", "imageGoggles", "imageAccessories"}));

    // Focus shows on every picture that takes it.
    for (const char* name : {"imgSaveZone1", "imgSoundOff", "imgRandom", "imageHelm"}) {
        auto* picture = form.findChild<QWidget*>(QString::fromLatin1(name));
        form.controls().GenderBox->setFocus();
        const QImage without = picture->grab().toImage();
        picture->setFocus();
        EXPECT_NE(picture->grab().toImage(), without) << name;
    }

    struct Window {
        const char* opener;
        const char* name;
        std::vector<std::string> order;
    };
    const Window windows[] = {
        {"prop",
         "formProperties",
         {"chkMusic", "chkMinimize", "chkTimeCalc", "chkSplash", "cmdSave", "cmdCancel"}},
        {"saveslot1", "formSaveName", {"txtSaveName", "cmdOk"}},
        {"basic",
         "formBasic",
         {"txtWinRate", "txtGoldPerGame", "txtGoldPerGame2", "txtGameTime", "imgCalc", "cmdCalc"}},
        {"advanced",
         "FormAdv",
         {"txtCurrentGold", "txtWinRate", "txtGoldPerGame", "txtGoldPerGame2", "txtGameTime",
          "txtCurrentGP", "txtGPWin", "txtGPLoss", "imgCalc", "cmdCalc"}},
        {"wardview", "formWardrobe", {"lstWardrobe"}},
    };
    for (const Window& w : windows) {
        form.findChild<QAction*>(QString::fromLatin1(w.opener))->trigger();
        QWidget* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->objectName() == QLatin1String(w.name))
                window = top;
        }
        ASSERT_NE(window, nullptr) << w.name;
        EXPECT_EQ(tabCycle(window, w.order.front()), w.order) << w.name;
        window->close();
    }
    form.close();
}

TEST_F(AccessibilityTest, KeyboardAloneChoosesAnOutfitSavesItAndOpensACalculator) {
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    auto& c = form.controls();
    activate(&form);
    auto tabTo = [&](QWidget* control) {
        for (int i = 0; i < 20 && QApplication::focusWidget() != control; ++i)
            key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), control) << control->objectName().toStdString();
    };

    tabTo(c.GenderBox);
    key(Qt::Key_Down);
    ASSERT_EQ(c.GenderBox->currentIndex(), 0);
    for (zv::ItemList* list : {c.HelmMale, c.ArmorMale, c.GogglesMale, c.Accessories}) {
        key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), list);
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        EXPECT_EQ(list->currentIndex(), 1) << list->objectName().toStdString();
    }
    EXPECT_TRUE(c.imageHelm->hasPicture());
    EXPECT_TRUE(c.imageAccessories->hasPicture());
    const QString cost = c.labelTotalCost->text();
    EXPECT_NE(cost, QStringLiteral("0"));

    // The music and dice pictures work from the keyboard too.
    tabTo(c.imgSoundOff);
    key(Qt::Key_Space);
    EXPECT_TRUE(c.imgSoundOn->isVisibleTo(&form));
    tabTo(c.imgSoundOn);
    key(Qt::Key_Return);
    EXPECT_TRUE(c.imgSoundOff->isVisibleTo(&form));

    // The shop picture's menu, by the context-menu key: add the helmet to the wardrobe.
    tabTo(c.imageHelm);
    key(Qt::Key_Menu);
    ASSERT_EQ(QApplication::activePopupWidget(), c.wardrobe);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(folder.read("data/wardrobe01.dat"), c.HelmMale->editText().toStdString() + "\r\n");
    // The preview's menu, by Shift+F10.
    tabTo(c.imgSaveZone1);
    key(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), c.savezone1);
    key(Qt::Key_Escape);
    activate(&form);

    // F1 opens the description with the proposal; Enter saves it.
    key(Qt::Key_F1);
    ASSERT_FALSE(form.formSaveName.isNull());
    activate(form.formSaveName);
    key(Qt::Key_Return);
    const std::string saved = folder.read("data/save01.dat");
    const std::string items[] = {
        c.HelmMale->editText().toStdString(), c.ArmorMale->editText().toStdString(),
        c.GogglesMale->editText().toStdString(), c.Accessories->editText().toStdString()};
    EXPECT_EQ(saved, items[0] + "," + items[1] + "," + items[2] + "," + items[3] + "\r\n 0 \r\n" +
                         items[0] + "\r\n" + items[1] + "\r\n" + items[2] + "\r\n" + items[3] +
                         "\r\n");

    // Alt+T, B: the basic calculator, showing the outfit's price.
    activate(&form);
    key(Qt::Key_T, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.timecalc);
    key(Qt::Key_B);
    ASSERT_FALSE(form.formBasic.isNull());
    EXPECT_TRUE(form.formBasic->isVisible());
    EXPECT_EQ(form.formBasic->findChild<QLabel*>(QStringLiteral("lblTotalcost"))->text(), cost);
    form.close();
}

} // namespace

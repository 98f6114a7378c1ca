// Every window as the keyboard and a screen reader meet it: Tab visits every control in reading
// order and shows where it is, every control has a name and says what it shows, and a whole
// session (gender, four items, a saved slot, a calculator) works with key events alone.
#include "AppFixture.h"
#include "app/ui/AccessibleControls.h"
#include "app/ui/FormMain.h"
#include "app/ui/FormSplash.h"
#include "finder/ui/FormFinder.h"
#include "planner/ui/PlannerController.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using zv::FormMain;

namespace {

// The menu entries that open the secondary windows; a new window adds its entry here.
const char* const kWindowOpeners[] = {"prop",     "saveslot1",    "basic",       "advanced",
                                      "wardview", "compareslot1", "outfitfinder"};

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
        [[maybe_unused]] const bool active =
            QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 30000);
        ASSERT_EQ(QApplication::activeWindow(), window) << window->objectName().toStdString();
    }

    // The shown top-level window of that name, once it has settled (a finder's first search has
    // ended: its Cancel button is one stop of Tab only while it searches).
    static QWidget* shownWindow(const char* name) {
        QWidget* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->objectName() == QLatin1String(name))
                window = top;
        }
        auto* finder = qobject_cast<zv::FormFinder*>(window);
        if (finder && !QTest::qWaitFor([finder] { return !finder->searching(); }, 120000))
            ADD_FAILURE() << "the finder's search never ended";
        return window;
    }

    // Whether `control` looks different with the keyboard focus than without it.
    // (Reached by Tab, as a keyboard user reaches it: a window shows focus frames only then.)
    static bool showsFocus(QWidget* control, QWidget* elsewhere) {
        elsewhere->setFocus(Qt::TabFocusReason);
        const QImage without = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        return control->hasFocus() && control->grab().toImage() != without;
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
    EXPECT_EQ(windows, (std::set<std::string>{"formSplash", "formMAIN", "formProperties",
                                              "formSaveName", "formBasic", "FormAdv",
                                              "formWardrobe", "formCompare", "formFinder"}));

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
        // No row chosen yet: Put On and the buying plan are passed over.
        {"outfitfinder",
         "formFinder",
         {"lstGender", "txtBudget", "lstObjective", "txtTop", "txtMinStars", "txtMinShield",
          "txtMinDelay", "txtMinAttack", "txtMinHearts", "txtMinItemDelay", "txtMinShovel",
          "txtMinShieldRegen", "lstLockHelmet", "lstLockArmor", "lstLockGoggles",
          "lstLockAccessory", "chkOwned", "cmdFind", "lstResults"}},
    };
    for (const Window& w : windows) {
        form.findChild<QAction*>(QString::fromLatin1(w.opener))->trigger();
        QWidget* window = shownWindow(w.name);
        ASSERT_NE(window, nullptr) << w.name;
        EXPECT_EQ(tabCycle(window, w.order.front()), w.order) << w.name;
        // Every stop of Tab shows that it has the focus.
        for (const std::string& name : w.order) {
            if (w.order.size() < 2)
                break; // a window with one stop
            auto* control = window->findChild<QWidget*>(QString::fromStdString(name));
            QWidget* other =
                window->findChild<QWidget*>(QString::fromStdString(w.order[name == w.order[0]]));
            EXPECT_TRUE(showsFocus(control, other)) << w.name << "/" << name;
        }
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

// The finder from the keyboard alone: opened from the menu, a budget typed after its mnemonic,
// a result chosen with the arrow keys and put on with Enter, the table sorted from its menu.
TEST_F(AccessibilityTest, TheFinderWorksFromTheKeyboardAlone) {
    FormMain form;
    load(form, false);
    auto& c = form.controls();
    activate(&form);
    key(Qt::Key_P, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.plannermnu);
    key(Qt::Key_F);
    auto* finder = qobject_cast<zv::FormFinder*>(shownWindow("formFinder"));
    ASSERT_NE(finder, nullptr);
    activate(finder);
    auto* results = finder->findChild<QTableWidget*>(QStringLiteral("lstResults"));
    auto* putOn = finder->findChild<QPushButton*>(QStringLiteral("cmdPutOn"));

    key(Qt::Key_B, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtBudget"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("250000"));
    ASSERT_TRUE(QTest::qWaitFor([finder] { return !finder->searching(); }, 120000));
    ASSERT_FALSE(finder->outfits().empty());

    // Tab to the results, Down chooses the best: Put On and the buying plan join the tab order.
    for (int i = 0; i < 30 && QApplication::focusWidget() != results; ++i)
        key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), results);
    key(Qt::Key_Down);
    ASSERT_EQ(results->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(putOn->isEnabled());
    const std::vector<std::string> withPlan = tabCycle(finder, "lstGender");
    ASSERT_GE(withPlan.size(), 3u);
    EXPECT_EQ((std::vector<std::string>(withPlan.end() - 3, withPlan.end())),
              (std::vector<std::string>{"cmdPutOn", "lstResults", "lstBuyingPlan"}));

    // Shift+F10 opens the table's menu: sorted by cost, cheapest first, then the other way.
    auto costs = [results] {
        std::vector<qlonglong> shown;
        for (int row = 0; row < results->rowCount(); ++row)
            shown.push_back(results->item(row, 5)->data(Qt::DisplayRole).toLongLong());
        return shown;
    };
    for (const bool ascending : {true, false}) {
        results->setFocus();
        key(Qt::Key_F10, Qt::ShiftModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), QStringLiteral("mnuSort"));
        for (int i = 0; i < 20 && (!menu->activeAction() ||
                                   menu->activeAction()->text() != QStringLiteral("Sort by Cost"));
             ++i)
            key(Qt::Key_Down);
        ASSERT_EQ(menu->activeAction()->text(), QStringLiteral("Sort by Cost"));
        key(Qt::Key_Return);
        const std::vector<qlonglong> shown = costs();
        EXPECT_TRUE(ascending ? std::is_sorted(shown.begin(), shown.end())
                              : std::is_sorted(shown.rbegin(), shown.rend()))
            << (ascending ? "cheapest first" : "dearest first");
    }

    // Enter on the chosen row puts it on in the main window.
    results->setFocus();
    const int row = results->currentRow();
    ASSERT_GE(row, 0);
    key(Qt::Key_Return);
    const zv::ItemList* worn[] = {c.HelmMale, c.ArmorMale, c.GogglesMale, c.Accessories};
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(worn[slot]->editText(), results->item(row, 1 + slot)->text()) << slot;
    finder->close();
    form.close();
}

} // namespace

// The comparison window: the outfit worn now beside a save slot, read without changing anything.
#include "OutfitFixture.h"
#include "desktop/ui/Skin.h"
#include "outfit/WornOutfit.h"
#include "outfit/ui/FormCompare.h"

#include <QLabel>

using namespace zvtest;

namespace {

class FormCompareTest : public OutfitWindowTest {
protected:
    zv::FormCompare* compare(int slot) {
        c().compareslot[size_t(slot - 1)]->trigger();
        return features().compareWindow();
    }
    QString shown(const char* name) {
        const auto* label = features().compareWindow()->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }
    QString shown(const char* column, std::string_view figure) {
        return shown(
            (QLatin1String(column) + QString::fromLatin1(figure.data(), qsizetype(figure.size())))
                .toLatin1()
                .constData());
    }
    // The figures the window must show for slot record `record` against the planner.
    std::array<zv::FigureChange, zv::kFigureCount> expectedFigures(const zv::SlotRecord& record) {
        return zv::CompareFigures(zv::DisplayTotals(planner().HelmetEffects, planner().ArmorEffects,
                                                    planner().GogglesEffects,
                                                    planner().AccessoryEffects),
                                  zv::OutfitOfSlot(record).Shown);
    }
    void expectFigures(const std::array<zv::FigureChange, zv::kFigureCount>& figures) {
        for (size_t i = 0; i < zv::kFigureCount; ++i) {
            const std::string_view name = zv::Figures[i].Name;
            EXPECT_EQ(shown("lblNow", name), QString::number(figures[i].Now)) << name;
            EXPECT_EQ(shown("lblSlot", name), QString::number(figures[i].Then)) << name;
            EXPECT_EQ(shown("lblChange", name),
                      QString::fromStdString(zv::ChangeText(figures[i].Change)))
                << name;
            const auto* change = features().compareWindow()->findChild<QLabel*>(
                QStringLiteral("lblChange") +
                QString::fromLatin1(name.data(), qsizetype(name.size())));
            const char* verdict = figures[i].Judged == zv::Verdict::Better  ? "better"
                                  : figures[i].Judged == zv::Verdict::Worse ? "worse"
                                                                            : "same";
            EXPECT_EQ(change->property("verdict").toString(), QLatin1String(verdict)) << name;
        }
    }
};

TEST_F(FormCompareTest, TheOutfitWornNowBesideASlotOfEitherGender) {
    const auto male = catalogue("\\data\\male01.dat");
    const auto female = catalogue("\\data\\female02.dat");
    const zv::SlotRecord femaleSlot{"Gala & Ball", " 1 ",     "Helmets",
                                    female[6],     "Goggles", "Harbor Flag"};
    const zv::SlotRecord maleSlot{"Knight", " 0 ", male[9], "Armor", "Snorkel", "Accessories"};
    ASSERT_TRUE(zv::WriteSlotFile(2, femaleSlot));
    ASSERT_TRUE(zv::WriteSlotFile(5, maleSlot));
    storage().RefreshSlotCaptions();
    EXPECT_EQ(c().compareslot[1]->text(), QStringLiteral("Gala & Ball"));
    EXPECT_EQ(c().compareslot[4]->text(), QStringLiteral("Knight"));

    chooseGender(0);
    const QString helmet = choose(HelmMale, 4);
    const QString armor = choose(ArmorMale, 11);
    choose(Accessories, 3);
    const Seen before = seen();
    const auto files = dataFiles();

    zv::FormCompare* window = compare(2);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->objectName(), QStringLiteral("formCompare"));
    EXPECT_FALSE(window->isModal());
    EXPECT_FALSE(zv::BackgroundPicture(window).isNull()) << "not skinned";
    EXPECT_EQ(shown("lblSlotTitle"), QStringLiteral("Slot 2: Gala & Ball"));
    EXPECT_EQ(shown("lblNowGender"), QStringLiteral("Male"));
    EXPECT_EQ(shown("lblSlotGender"), QStringLiteral("Female"));
    EXPECT_EQ(shown("lblNowHelmet"), helmet);
    EXPECT_EQ(shown("lblNowArmor"), armor);
    EXPECT_EQ(shown("lblNowGoggles"), QStringLiteral("(none)"));
    EXPECT_EQ(shown("lblSlotHelmet"), QStringLiteral("(none)"));
    EXPECT_EQ(shown("lblSlotArmor"), QString::fromStdString(female[6]));
    EXPECT_EQ(shown("lblSlotAccessory"), QStringLiteral("Harbor Flag"));
    expectFigures(expectedFigures(femaleSlot));

    // The other way round, and the window follows the outfit while it is open.
    chooseGender(1);
    choose(GogglesFemale, 2);
    compare(5);
    EXPECT_EQ(shown("lblSlotTitle"), QStringLiteral("Slot 5: Knight"));
    EXPECT_EQ(shown("lblNowGender"), QStringLiteral("Female"));
    EXPECT_EQ(shown("lblSlotHelmet"), QString::fromStdString(male[9]));
    EXPECT_EQ(shown("lblSlotGoggles"), QStringLiteral("Snorkel"));
    expectFigures(expectedFigures(maleSlot));
    choose(ArmorFemale, 7);
    expectFigures(expectedFigures(maleSlot));
    c().undo->trigger();
    expectFigures(expectedFigures(maleSlot));

    // Reading the slots changed neither the planner nor any file.
    c().undo->trigger();
    c().undo->trigger();
    EXPECT_TRUE(seen() == before) << before.differences(seen());
    EXPECT_EQ(dataFiles(), files);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FormCompareTest, MissingShortAndOutdatedSlotsAreToldInTheWindow) {
    chooseGender(1);
    choose(HelmFemale, 1);
    const Seen before = seen();
    std::filesystem::remove(folder.file("data/save04.dat"));
    folder.write("data/save03.dat", "Half\r\n 1 \r\n");
    folder.write("data/save01.dat",
                 "Old times\r\n 1 \r\nLost Bonnet\r\nArmor\r\nGoggles\r\nHarbor Flag\r\n");
    storage().RefreshSlotCaptions();

    compare(4);
    EXPECT_EQ(shown("lblSlotTitle"), QStringLiteral("Slot 4"));
    EXPECT_EQ(shown("lblSlotStatus"), QStringLiteral("Slot 4 is empty: it has no file yet."));
    EXPECT_EQ(shown("lblSlotStars"), QStringLiteral("\u2014"));
    EXPECT_EQ(shown("lblChangeStars"), QString());
    EXPECT_EQ(shown("lblNowStars"), QString::number(zv::Totals().TotalStars));

    compare(3);
    EXPECT_TRUE(shown("lblSlotStatus").contains(QStringLiteral("is damaged: it holds 2 lines")))
        << shown("lblSlotStatus").toStdString();
    EXPECT_EQ(shown("lblSlotHelmet"), QStringLiteral("\u2014"));

    // An item the catalogue no longer has counts as nothing, as a load would put it on.
    compare(1);
    EXPECT_EQ(shown("lblSlotHelmet"), QStringLiteral("Lost Bonnet *"));
    EXPECT_EQ(shown("lblSlotAccessory"), QStringLiteral("Harbor Flag"));
    EXPECT_TRUE(shown("lblSlotStatus").startsWith(QStringLiteral("* Not in this installation")));
    expectFigures(expectedFigures(
        zv::SlotRecord{"", " 1 ", "Lost Bonnet", "Armor", "Goggles", "Harbor Flag"}));

    EXPECT_TRUE(seen() == before) << before.differences(seen());
    EXPECT_TRUE(messages.empty()); // the window tells, no message box
    features().compareWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(features().compareWindow(), nullptr);
}

} // namespace

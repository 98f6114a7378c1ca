// Item deltas: what the drop-down's highlighted entry would do, shown before it is chosen.
#include "OutfitFixture.h"
#include "outfit/Figures.h"
#include "outfit/ui/ItemDeltas.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QLabel>
#include <QTest>

using namespace zvtest;

namespace {

class ItemDeltasTest : public OutfitWindowTest {
protected:
    zv::ItemDeltas& deltas() { return features().deltas(); }
    QFrame* panel() { return form->findChild<QFrame*>(QStringLiteral("fraDeltas")); }
    QLabel* label(const QString& name) { return form->findChild<QLabel*>(name); }
    QString panelText(const char* column, std::string_view figure) {
        return label(QLatin1String(column) +
                     QString::fromLatin1(figure.data(), qsizetype(figure.size())))
            ->text();
    }
    std::vector<QLabel*> overlays() {
        std::vector<QLabel*> found;
        for (const zv::StatDisplay& stat : zv::StatDisplays)
            found.push_back(
                form->findChild<QLabel*>(QLatin1String(stat.BarName) + QLatin1String("WouldBe")));
        return found;
    }
    bool anyOverlayShows() {
        for (QLabel* overlay : overlays()) {
            if (overlay->isVisibleTo(form.get()))
                return true;
        }
        return false;
    }
    // The drop-down is open and the user moves onto entry `row`.
    void highlight(zv::ItemList* list, int row) {
        if (!list->view()->window()->isVisible())
            list->showPopup();
        emit list->highlighted(row);
    }
};

TEST_F(ItemDeltasTest, EveryHighlightShowsWhatChoosingTheEntryGivesAndChangesNothing) {
    const auto filesBefore = dataFiles();
    for (const int gender : {0, 1}) {
        chooseGender(gender);
        for (const zv::ItemFamily& family : zv::ItemFamilies) {
            if (!zv::FamilyShownFor(family, gender))
                continue;
            zv::ItemList* list = planner().listFor(family);
            for (int row = 0; row < list->count(); ++row) {
                const Seen before = seen();
                highlight(list, row);
                ASSERT_TRUE(panel()->isVisibleTo(form.get()));
                ASSERT_TRUE(seen() == before)
                    << family.ListName << " " << row << ": " << before.differences(seen());
                ASSERT_TRUE(temporaryFiles().empty()) << "a picture was unwrapped";
                const zv::TotalsDisplay wouldBe = deltas().wouldBe();
                std::vector<QImage> looks;
                for (size_t i = 0; i < zv::kStatBars; ++i) {
                    looks.push_back(deltas().wouldBeLook(i));
                    // An overlay exactly where the bar (or its marker) would change.
                    EXPECT_EQ(overlays()[i]->isVisibleTo(form.get()),
                              looks.back() != deltas().shownLook(i));
                }
                QStringList shownThen, shownChange;
                for (const zv::FigureInfo& figure : zv::Figures) {
                    shownThen << panelText("lblDeltaThen", figure.Name);
                    shownChange << panelText("lblDeltaChange", figure.Name);
                }

                list->hidePopup();
                const Seen now = seen();
                choose(family, row);
                // The figures, the labels and every bar with its marker as the choice gives.
                EXPECT_EQ(zv::Totals(), wouldBe.Totals) << family.ListName << " " << row;
                EXPECT_EQ(c().labelTotalCost->text().toStdString(), wouldBe.CostText);
                EXPECT_EQ(c().lblAvatarEfficiency->text().toStdString(), wouldBe.EfficiencyText);
                for (size_t i = 0; i < zv::kStatBars; ++i) {
                    EXPECT_TRUE(deltas().shownLook(i) == looks[i])
                        << family.ListName << " " << row << ": bar " << zv::StatDisplays[i].BarName;
                }
                const auto figures =
                    zv::CompareFigures(zv::DisplayTotals(now.records[0], now.records[1],
                                                         now.records[2], now.records[3]),
                                       wouldBe);
                for (size_t i = 0; i < zv::kFigureCount; ++i) {
                    EXPECT_EQ(shownThen[qsizetype(i)], QString::number(figures[i].Then));
                    EXPECT_EQ(shownChange[qsizetype(i)],
                              QString::fromStdString(zv::ChangeText(figures[i].Change)));
                }
            }
        }
    }
    EXPECT_EQ(dataFiles(), filesBefore);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ItemDeltasTest, ChangesAreColouredAndClosingTheDropDownRestoresTheDisplay) {
    chooseGender(0);
    choose(HelmMale, 4);
    choose(ArmorMale, 20);
    choose(Accessories, 2);
    zv::ItemList* list = planner().listFor(ArmorMale);
    const Seen before = seen();
    const QImage preview = c().picboxAvatar->grab().toImage();
    const QImage window = form->grab().toImage();

    // The keyboard in the open drop-down: down to the first entry, then on to a costly one.
    list->showPopup();
    ASSERT_TRUE(list->view()->window()->isVisible());
    for (int i = 0; i <= 25; ++i)
        QTest::keyClick(list->view(), Qt::Key_Down);
    ASSERT_TRUE(panel()->isVisibleTo(form.get()));
    ASSERT_TRUE(anyOverlayShows());
    EXPECT_EQ(label(QStringLiteral("lblDeltaTitle"))->text(),
              QStringLiteral("If chosen: ") + list->itemText(list->view()->currentIndex().row()));
    for (size_t i = 0; i < zv::kFigureCount; ++i) {
        const QString name =
            QString::fromLatin1(zv::Figures[i].Name.data(), qsizetype(zv::Figures[i].Name.size()));
        const long change = panelText("lblDeltaChange", zv::Figures[i].Name).toLong();
        const bool better = (change > 0) == zv::Figures[i].MoreIsBetter;
        const QString verdict = change == 0 ? QStringLiteral("same")
                                : better    ? QStringLiteral("better")
                                            : QStringLiteral("worse");
        QLabel* shown = label(QStringLiteral("lblDeltaChange") + name);
        EXPECT_EQ(shown->property("verdict").toString(), verdict) << name.toStdString();
        const QString colour = verdict == QLatin1String("better")  ? QStringLiteral("#5fd36a")
                               : verdict == QLatin1String("worse") ? QStringLiteral("#ff6b6b")
                                                                   : QStringLiteral("#e6e6ee");
        EXPECT_TRUE(shown->styleSheet().contains(colour)) << name.toStdString();
    }
    EXPECT_TRUE(seen() == before) << before.differences(seen());

    QTest::keyClick(list->view(), Qt::Key_Escape);
    EXPECT_FALSE(list->view()->window()->isVisible());
    EXPECT_FALSE(panel()->isVisibleTo(form.get()));
    EXPECT_FALSE(anyOverlayShows());
    EXPECT_TRUE(seen() == before) << before.differences(seen());
    EXPECT_EQ(c().picboxAvatar->grab().toImage(), preview);
    EXPECT_EQ(form->grab().toImage(), window);
    EXPECT_EQ(steps(), 4); // the gender and three items: highlighting took no step
}

} // namespace

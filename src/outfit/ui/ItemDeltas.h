#pragma once
// What an item would do before it is chosen. While an item list's drop-down (or the find field's
// list of matches) highlights an entry, each stat bar shows the would-be bar as a faint overlay,
// green where the change is for the better and red where it is for the worse, and a small panel
// over the shop pictures lists the would-be figures and their changes. The figures come from the
// planner's own lookup and totals; no picture is unwrapped and nothing the window shows is
// changed, so closing the drop-down leaves the display exactly as it was.
#include "outfit/Figures.h"
#include "planner/ItemFamily.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <array>
#include <map>
#include <optional>

class QWidget;

namespace zv {

struct MainControls;
class ImageControl;
class ItemList;
class PlannerController;

class ItemDeltas final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ItemDeltas)

public:
    ItemDeltas(MainControls& controls, PlannerController& planner, QWidget* window);

    // Shows what choosing entry `row` of the family's list would do.
    void preview(const ItemFamily& family, int row);
    // Takes the overlays and the panel away.
    void endPreview();

    bool previewing() const;
    // The would-be figures last shown (valid while previewing).
    const TotalsDisplay& wouldBe() const { return m_wouldBe; }
    // Row `stat` of the bars as the previewed choice would leave it (the bar and its negative
    // marker over the preview's background), and as the window shows it now.
    const QImage& wouldBeLook(size_t stat) const { return m_wouldBeLooks.at(stat); }
    QImage shownLook(size_t stat) const;

    // The overlay: the pixels of `then` that differ from `now`, faint and tinted green or red.
    static QImage OverlayPicture(const QImage& now, const QImage& then, Verdict verdict);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanel(QWidget* client);
    QRect lookArea(size_t stat) const;
    QImage BarLook(size_t stat, const QPixmap& bar, bool marker) const;

    MainControls& c;
    PlannerController& m_planner;
    std::array<const ImageControl*, kStatBars> m_bars{};
    std::array<const ImageControl*, kStatBars> m_markers{};
    std::array<QImage, kStatBars> m_wouldBeLooks{};
    // Guarded: a drop-down may close while the window takes its controls down.
    std::array<QPointer<QLabel>, kStatBars> m_overlays{};
    QPointer<QFrame> m_panel;
    QLabel* m_title = nullptr;
    std::array<QLabel*, kFigureCount> m_then{};
    std::array<QLabel*, kFigureCount> m_change{};
    TotalsDisplay m_wouldBe;
    // Each list's drop-down window, once it has opened.
    std::map<const ItemList*, QWidget*> m_popups;
};

} // namespace zv

#include "outfit/ui/ItemDeltas.h"

#include "outfit/WornOutfit.h"
#include "outfit/ui/FigureLabels.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace zv {
namespace {

// Over the helmet's shop picture, beside the preview's bars.
constexpr int kPanelLeftTwips = 3930;
constexpr int kPanelTopTwips = 930;
// How much of the would-be bar shows over the one on screen.
constexpr double kOverlayOpacity = 0.9;
constexpr double kTintShare = 0.35;
// The panel's title (the item's name) is cut to this width.
constexpr int kTitleWidth = 150;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

size_t SlotIndex(SlotKind slot) {
    return static_cast<size_t>(slot) - 1;
}

} // namespace

ItemDeltas::ItemDeltas(MainControls& controls, PlannerController& planner, QWidget* window)
    : QObject(window)
    , c(controls)
    , m_planner(planner) {
    for (size_t i = 0; i < kStatBars; ++i) {
        const StatDisplay& stat = StatDisplays[i];
        m_bars[i] = c.picboxAvatar->findChild<ImageControl*>(QLatin1String(stat.BarName));
        m_markers[i] = c.picboxAvatar->findChild<ImageControl*>(QLatin1String(stat.MarkerName));
        auto* overlay = new QLabel(c.picboxAvatar);
        overlay->setObjectName(QLatin1String(stat.BarName) + QLatin1String("WouldBe"));
        overlay->setAccessibleName(Latin1(Figures[i].Caption) + QStringLiteral(" if chosen"));
        overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
        overlay->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        overlay->hide();
        m_overlays[i] = overlay;
    }
    buildPanel(c.picboxAvatar->parentWidget());

    for (const ItemFamily& family : ItemFamilies) {
        ItemList* list = m_planner.listFor(family);
        if (!list)
            continue;
        // The drop-down is watched from its first opening (it does not exist before).
        connect(list, &ItemList::PopupOpening, this, [this, list] {
            QWidget*& popup = m_popups[list];
            if (!popup) {
                popup = list->view()->window();
                popup->installEventFilter(this);
            }
        });
        connect(list, &QComboBox::highlighted, this, [this, list, family = &family](int row) {
            // Only the open drop-down previews; the keys of a closed list choose at once.
            const auto popup = m_popups.find(list);
            if (popup != m_popups.end() && popup->second->isVisible() && row >= 0 &&
                row < list->count())
                preview(*family, row);
        });
    }
}

void ItemDeltas::buildPanel(QWidget* client) {
    m_panel = new QFrame(client);
    m_panel->setObjectName(QStringLiteral("fraDeltas"));
    m_panel->setAccessibleName(QStringLiteral("Changes if chosen"));
    m_panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_panel->setStyleSheet(QStringLiteral(
        "QFrame#fraDeltas { background: rgba(18, 18, 30, 232); border: 1px solid #6a6aa0;"
        " border-radius: 4px; }"
        "QLabel { color: #e6e6ee; font-size: 10px; background: transparent; border: none; }"
        "QLabel#lblDeltaTitle { color: #ffd75e; font-weight: bold; }"));
    auto* grid = new QGridLayout(m_panel);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);

    m_title =
        NamedLabel(m_panel, QStringLiteral("lblDeltaTitle"), QStringLiteral("Item"), Qt::AlignLeft);
    grid->addWidget(m_title, 0, 0, 1, 3);
    for (size_t i = 0; i < kFigureCount; ++i) {
        const QString name = Latin1(Figures[i].Name);
        const QString caption = Latin1(Figures[i].Caption);
        const int row = static_cast<int>(i) + 1;
        QLabel* label =
            NamedLabel(m_panel, QStringLiteral("lblDeltaCaption") + name, caption, Qt::AlignLeft);
        label->setText(caption);
        grid->addWidget(label, row, 0);
        m_then[i] = NamedLabel(m_panel, QStringLiteral("lblDeltaThen") + name,
                               caption + QStringLiteral(" if chosen"), Qt::AlignRight);
        grid->addWidget(m_then[i], row, 1);
        m_change[i] = NamedLabel(m_panel, QStringLiteral("lblDeltaChange") + name,
                                 caption + QStringLiteral(" change"), Qt::AlignRight);
        grid->addWidget(m_change[i], row, 2);
    }
    m_panel->hide();
}

bool ItemDeltas::previewing() const {
    return m_panel && m_panel->isVisible();
}

QImage ItemDeltas::OverlayPicture(const QImage& now, const QImage& then, Verdict verdict) {
    const QImage before = now.convertToFormat(QImage::Format_ARGB32);
    const QImage after = then.convertToFormat(QImage::Format_ARGB32);
    QImage overlay(after.size(), QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    const QColor tint = VerdictColour(verdict);
    auto mix = [](int a, int b) {
        return static_cast<int>(a * (1.0 - kTintShare) + b * kTintShare + 0.5);
    };
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            const QRgb pixel = after.pixel(x, y);
            if (before.valid(x, y) && before.pixel(x, y) == pixel)
                continue;
            overlay.setPixel(x, y,
                             qRgba(mix(qRed(pixel), tint.red()), mix(qGreen(pixel), tint.green()),
                                   mix(qBlue(pixel), tint.blue()),
                                   static_cast<int>(qAlpha(pixel) * kOverlayOpacity + 0.5)));
        }
    }
    return overlay;
}

QRect ItemDeltas::lookArea(size_t stat) const {
    const ImageControl* bar = m_bars[stat];
    const ImageControl* marker = m_markers[stat];
    QRect area = bar->geometry();
    for (const int number : {0, int{MaxStatTotal}})
        area |= QRect(bar->pos(), m_planner.barPicture(number).size());
    return marker ? area | marker->geometry() : area;
}

QImage ItemDeltas::BarLook(size_t stat, const QPixmap& bar, bool marker) const {
    const QRect area = lookArea(stat);
    QImage look(area.size(), QImage::Format_ARGB32_Premultiplied);
    look.fill(Qt::transparent);
    QPainter painter(&look);
    painter.drawPixmap(-area.topLeft(), c.picboxAvatar->pixmap());
    painter.drawPixmap(m_bars[stat]->pos() - area.topLeft(), bar);
    if (marker && m_markers[stat])
        painter.drawPixmap(m_markers[stat]->pos() - area.topLeft(), m_markers[stat]->picture());
    painter.end();
    return look.convertToFormat(QImage::Format_ARGB32);
}

QImage ItemDeltas::shownLook(size_t stat) const {
    const ImageControl* marker = m_markers[stat];
    return BarLook(stat, m_bars[stat]->picture(), marker && !marker->isHidden());
}

void ItemDeltas::preview(const ItemFamily& family, int row) {
    ItemList* list = m_planner.listFor(family);
    if (!m_panel || !list || row < 0 || row >= list->count())
        return;
    const std::string name = list->itemText(row).toLatin1().toStdString();
    std::array<ItemEffects, 4> effects{m_planner.HelmetEffects, m_planner.ArmorEffects,
                                       m_planner.GogglesEffects, m_planner.AccessoryEffects};
    const TotalsDisplay now = DisplayTotals(effects[0], effects[1], effects[2], effects[3]);
    ItemEffects& slot = effects[SlotIndex(family.Slot)];
    slot = EffectsIfChosen(family, name, slot);
    m_wouldBe = DisplayTotals(effects[0], effects[1], effects[2], effects[3]);
    const std::array<FigureChange, kFigureCount> figures = CompareFigures(now, m_wouldBe);

    for (size_t i = 0; i < kStatBars; ++i) {
        QLabel* overlay = m_overlays[i];
        if (!overlay || !m_bars[i])
            continue;
        // The bar as the choice would leave it: a total out of the pictures' range keeps the
        // picture on show, as the totals' update does.
        const std::optional<int> number = m_wouldBe.BarNumbers[i];
        const QPixmap& bar = number ? m_planner.barPicture(*number) : m_bars[i]->picture();
        m_wouldBeLooks[i] = BarLook(i, bar, m_wouldBe.Markers[i]);
        const QImage shown = shownLook(i);
        if (m_wouldBeLooks[i] == shown) {
            overlay->hide();
            continue;
        }
        const Verdict verdict = figures[i].Judged;
        overlay->setPixmap(QPixmap::fromImage(OverlayPicture(shown, m_wouldBeLooks[i], verdict)));
        overlay->setGeometry(lookArea(i));
        overlay->show();
        overlay->raise();
    }

    const QString title = QStringLiteral("If chosen: ") + list->itemText(row);
    m_title->setText(m_title->fontMetrics().elidedText(title, Qt::ElideRight, kTitleWidth));
    m_title->setToolTip(title);
    for (size_t i = 0; i < kFigureCount; ++i) {
        m_then[i]->setText(QString::number(figures[i].Then));
        ShowChange(m_change[i], figures[i]);
    }
    m_panel->adjustSize();
    m_panel->move(Px(kPanelLeftTwips), Px(kPanelTopTwips));
    m_panel->show();
    m_panel->raise();
}

void ItemDeltas::endPreview() {
    for (const QPointer<QLabel>& overlay : m_overlays) {
        if (overlay)
            overlay->hide();
    }
    if (m_panel)
        m_panel->hide();
}

bool ItemDeltas::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide)
        endPreview();
    return QObject::eventFilter(watched, event);
}

} // namespace zv

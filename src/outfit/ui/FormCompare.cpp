#include "outfit/ui/FormCompare.h"

#include "desktop/ui/Skin.h"
#include "outfit/WornOutfit.h"
#include "outfit/ui/FigureLabels.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"
#include "storage/EightBitText.h"
#include "storage/SaveSlots.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zv {
namespace {

// Item names and the slot's description are cut to this width (a name may be any catalogue
// line); the whole text is in the tool tip.
constexpr int kNameWidth = 170;
constexpr std::array<const char*, 4> kItemCaptions{"Helmet", "Armor", "Goggles", "Accessory"};
constexpr std::array<SlotKind, 4> kKinds{SlotKind::Helmet, SlotKind::Armor, SlotKind::Goggles,
                                         SlotKind::Accessory};
const QString kNone = QStringLiteral("(none)");
const QString kDash = QStringLiteral("\u2014");

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString GenderText(int gender) {
    if (gender == 0)
        return QStringLiteral("Male");
    if (gender == 1)
        return QStringLiteral("Female");
    return kNone;
}

void SetElided(QLabel* label, const QString& text) {
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, kNameWidth));
    label->setToolTip(text.size() == label->text().size() ? QString() : text);
}

} // namespace

FormCompare::FormCompare(MainControls& controls, PlannerController& planner, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , c(controls)
    , m_planner(planner) {
    setObjectName(QStringLiteral("formCompare"));
    setWindowTitle(QStringLiteral("Compare"));
    setAccessibleName(QStringLiteral("Compare with a save slot"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 10);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("fraCompare"));
    panel->setStyleSheet(QStringLiteral(
        "QFrame#fraCompare { background: rgba(18, 18, 30, 225); border: 1px solid #6a6aa0;"
        " border-radius: 5px; }"
        "QLabel { color: #e6e6ee; background: transparent; border: none; }"
        "QLabel[heading=\"true\"] { color: #ffd75e; font-weight: bold; }"));
    outer->addWidget(panel);
    auto* grid = new QGridLayout(panel);
    m_grid = grid;
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(2);

    const std::pair<const char*, const char*> headings[] = {
        {"lblNowTitle", "Worn now"}, {"lblSlotTitle", "Slot"}, {"lblChangeTitle", "Change"}};
    for (int column = 0; column < 3; ++column) {
        const QString caption = QLatin1String(headings[column].second);
        QLabel* heading = NamedLabel(panel, QLatin1String(headings[column].first), caption,
                                     column == 2 ? Qt::AlignRight : Qt::AlignLeft);
        heading->setText(caption);
        heading->setProperty("heading", true);
        grid->addWidget(heading, 0, column + 1);
        if (column == 1)
            m_slotTitle = heading;
    }
    int row = 1;
    m_gender = addRow(row++, QStringLiteral("Gender"), QStringLiteral("Gender"), false);
    for (size_t i = 0; i < m_items.size(); ++i) {
        m_items[i] =
            addRow(row++, QLatin1String(kItemCaptions[i]), QLatin1String(kItemCaptions[i]), false);
    }
    grid->setRowMinimumHeight(row++, 8);
    for (size_t i = 0; i < kFigureCount; ++i)
        m_figures[i] = addRow(row++, Latin1(Figures[i].Name), Latin1(Figures[i].Caption), true);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblSlotStatus"));
    m_status->setAccessibleName(QStringLiteral("About the slot"));
    m_status->setWordWrap(true);
    m_status->setStyleSheet(QStringLiteral(
        "QLabel { color: #f0f0f4; background: rgba(18, 18, 30, 200); padding: 3px; }"));
    outer->addWidget(m_status);
}

FormCompare::Row FormCompare::addRow(int row, const QString& name, const QString& caption,
                                     bool withChange) {
    QGridLayout* grid = m_grid;
    QWidget* panel = grid->parentWidget();
    QLabel* label = NamedLabel(panel, QStringLiteral("lblCaption") + name, caption, Qt::AlignLeft);
    label->setText(caption);
    grid->addWidget(label, row, 0);
    const Qt::Alignment values = withChange ? Qt::AlignRight : Qt::AlignLeft;
    Row made;
    made.now = NamedLabel(panel, QStringLiteral("lblNow") + name,
                          caption + QStringLiteral(" worn now"), values);
    grid->addWidget(made.now, row, 1);
    made.then = NamedLabel(panel, QStringLiteral("lblSlot") + name,
                           caption + QStringLiteral(" in the slot"), values);
    grid->addWidget(made.then, row, 2);
    if (withChange) {
        made.change = NamedLabel(panel, QStringLiteral("lblChange") + name,
                                 caption + QStringLiteral(" change"), Qt::AlignRight);
        grid->addWidget(made.change, row, 3);
    }
    return made;
}

void FormCompare::Form_Load() {
    // A broken skin has been reported by the main window; this window goes without it.
    ApplySkin(this);
}

void FormCompare::showSlot(int slot) {
    m_slot = slot;
    refresh();
}

void FormCompare::clearSlotSide(const QString& status) {
    for (Row* row : {&m_gender, &m_items[0], &m_items[1], &m_items[2], &m_items[3]})
        row->then->setText(kDash);
    for (Row& figure : m_figures) {
        figure.then->setText(kDash);
        figure.change->clear();
        figure.change->setAccessibleDescription(QString());
        figure.change->setProperty("verdict", QVariant());
    }
    m_status->setText(status);
}

void FormCompare::refresh() {
    // The outfit worn now, as the planner holds it.
    const int gender = c.GenderBox->currentIndex();
    m_gender.now->setText(GenderText(gender));
    for (size_t i = 0; i < kKinds.size(); ++i) {
        const ItemFamily* family = ItemFamilyFor(gender, kKinds[i]);
        const ItemList* list = family ? m_planner.listFor(*family) : nullptr;
        if (!list)
            m_items[i].now->setText(kNone);
        else if (list->currentIndex() >= 0)
            SetElided(m_items[i].now, list->currentText());
        else if (list->editText() == Latin1(family->Caption))
            m_items[i].now->setText(kNone);
        else
            SetElided(m_items[i].now, list->editText() + QStringLiteral(" *"));
    }
    const TotalsDisplay now = DisplayTotals(m_planner.HelmetEffects, m_planner.ArmorEffects,
                                            m_planner.GogglesEffects, m_planner.AccessoryEffects);

    // The slot, read afresh: what loading it would put on.
    const std::optional<std::string> description = ReadSlotDescription(SlotFile(m_slot));
    SetElided(m_slotTitle,
              QStringLiteral("Slot %1").arg(m_slot) +
                  (description ? QStringLiteral(": ") + FromEightBit(*description) : QString()));
    const SlotReadResult read = ReadSlotFile(SlotFile(m_slot));
    const SlotOutfit slot = read.Record ? OutfitOfSlot(*read.Record) : SlotOutfit{};
    const std::array<FigureChange, kFigureCount> figures = CompareFigures(now, slot.Shown);
    for (size_t i = 0; i < kFigureCount; ++i)
        m_figures[i].now->setText(QString::number(figures[i].Now));
    if (!read.Record) {
        clearSlotSide(read.Missing
                          ? QStringLiteral("Slot %1 is empty: it has no file yet.").arg(m_slot)
                          : QFile::decodeName(QByteArray::fromStdString(read.Error)));
        return;
    }

    m_gender.then->setText(GenderText(slot.Gender));
    bool missing = false;
    for (size_t i = 0; i < slot.Items.size(); ++i) {
        const WornItem& item = slot.Items[i];
        switch (item.Status) {
        case WornStatus::Nothing:
            m_items[i].then->setText(kNone);
            break;
        case WornStatus::Found:
            SetElided(m_items[i].then, FromEightBit(item.Name));
            break;
        case WornStatus::NotInCatalogue:
            missing = true;
            SetElided(m_items[i].then, FromEightBit(item.Name) + QStringLiteral(" *"));
            break;
        case WornStatus::Ignored:
            m_items[i].then->setText(kDash);
            break;
        }
    }
    for (size_t i = 0; i < kFigureCount; ++i) {
        m_figures[i].then->setText(QString::number(figures[i].Then));
        ShowChange(m_figures[i].change, figures[i]);
    }
    QStringList notes;
    if (slot.Gender < 0)
        notes << QStringLiteral("The slot holds no gender: loading it leaves the outfit empty.");
    if (missing) {
        notes << QStringLiteral("* Not in this installation's catalogues: it counts as nothing, "
                                "as it would when the slot is loaded.");
    }
    if (notes.isEmpty())
        notes << QStringLiteral("Change: the slot against the outfit worn now.");
    m_status->setText(notes.join(QLatin1Char('\n')));
}

} // namespace zv

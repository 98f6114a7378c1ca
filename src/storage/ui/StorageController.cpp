#include "storage/ui/StorageController.h"

#include "base/ui/MessageBox.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"
#include "planner/ui/WearOutfit.h"
#include "storage/EightBitText.h"
#include "storage/Wardrobe.h"
#include "storage/WardrobeState.h"
#include "storage/ui/FormSaveName.h"
#include "storage/ui/FormWardrobe.h"
#include "storage/ui/GenderLists.h"

#include <QAction>
#include <QFile>
#include <QTimer>

namespace zv {
namespace {

// How long a wardrobe pick waits for the main window's activation before it is applied anyway
// (some desktops do not let a window take the focus when asked).
constexpr int kPickFallbackMs = 400;

QString ShownError(const std::string& error) {
    return QFile::decodeName(QByteArray::fromStdString(error));
}

} // namespace

StorageController::StorageController(MainControls& controls, PlannerController& planner,
                                     QWidget* mainWindow, QPointer<QWidget>& formSaveName,
                                     QPointer<QWidget>& formWardrobe)
    : QObject(mainWindow)
    , c(controls)
    , m_planner(planner)
    , m_mainWindow(mainWindow)
    , m_formSaveName(formSaveName)
    , m_formWardrobe(formWardrobe) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        connect(c.saveslot[slot - 1], &QAction::triggered, this,
                [this, slot] { saveslot_Click(slot); });
        connect(c.loadslot[slot - 1], &QAction::triggered, this,
                [this, slot] { loadslot_Click(slot); });
    }
    connect(c.addwardrobe, &QAction::triggered, this, &StorageController::addwardrobe_Click);
    connect(c.viewwardrobe, &QAction::triggered, this, &StorageController::viewwardrobe_Click);
    connect(c.wardview, &QAction::triggered, this, &StorageController::wardview_Click);
    m_planner.reopenWardrobe = [this] {
        reopenWardrobe();
    };
}

FormSaveName* StorageController::saveNameWindow() const {
    auto* window = qobject_cast<FormSaveName*>(m_formSaveName.data());
    return window && !window->unloaded() ? window : nullptr;
}

FormWardrobe* StorageController::wardrobeWindow() const {
    auto* window = qobject_cast<FormWardrobe*>(m_formWardrobe.data());
    return window && !window->unloaded() ? window : nullptr;
}

// Save slots ----------------------------------------------------------------------------------

void StorageController::saveslot_Click(int slot) {
    // 1.
    PendingSaveSlot = static_cast<int16_t>(slot);
    // 2.
    FormSaveName* dialog = saveNameWindow();
    if (!dialog) {
        dialog = new FormSaveName(
            c, m_planner, PendingSaveSlot, [this] { RefreshSlotCaptions(); }, m_mainWindow);
        m_formSaveName = dialog;
        dialog->Form_Load();
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    // 3.
    RefreshSlotCaptions();
}

void StorageController::loadslot_Click(int slot) {
    const SlotReadResult read = ReadSlotFile(SlotFile(slot));
    if (!read.Error.empty()) {
        ShowMessage(m_mainWindow, QString(),
                    ShownError(read.Error) + QStringLiteral("\n\nThe outfit was left as it is."),
                    MessageIcon::Warning);
    }
    if (!read.Record)
        return; // an empty slot, or one that cannot be loaded: the outfit stays
    SlotRecord = *read.Record;
    ApplySlotRecord();
}

void StorageController::RefreshSlotCaptions() {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::optional<std::string> description = ReadSlotDescription(SlotFile(slot));
        const QString caption = FromEightBit(description ? *description : DesignSlotCaption(slot));
        c.saveslot[slot - 1]->setText(caption);
        c.loadslot[slot - 1]->setText(caption);
    }
}

void StorageController::ApplySlotRecord() {
    const zv::SlotRecord& record = SlotRecord;
    // Reset, the gender chosen as a user would (its lists show and the preview is reset once
    // more), the four texts, then the four handlers, helmet first.
    WearOutfit(c, m_planner, SlotGenderIndex(record.Gender),
               {record.Helmet, record.Armor, record.Goggles, record.Accessory});
}

// Wardrobe ------------------------------------------------------------------------------------

FormWardrobe* StorageController::loadWardrobe() {
    auto* window = new FormWardrobe(c, m_mainWindow);
    m_formWardrobe = window;
    connect(window, &FormWardrobe::pickHandedOver, this, [this] {
        QTimer::singleShot(kPickFallbackMs, this, [this] {
            if (WardrobePickPending) {
                WardrobePickPending = false;
                ApplyWardrobePick();
            }
        });
    });
    window->Form_Load();
    return window;
}

void StorageController::showWardrobe() {
    if (c.GenderBox->currentIndex() < 0)
        return;
    FormWardrobe* window = wardrobeWindow();
    if (!window)
        window = loadWardrobe();
    window->show();
    window->raise();
    window->activateWindow();
}

void StorageController::reopenWardrobeAt(QPoint at) {
    FormWardrobe* window = loadWardrobe();
    // Where the old one stood, also when the settings file could not take the position.
    window->move(at);
    window->show();
}

void StorageController::reopenWardrobe() {
    if (FormWardrobe* old = wardrobeWindow()) {
        const QPoint at = old->pos();
        old->close(); // saves the lists and the position
        reopenWardrobeAt(at);
    }
}

void StorageController::addwardrobe_Click() {
    // 1.
    const int gender = c.GenderBox->currentIndex();
    const int16_t kind = m_planner.WardrobeSlot;
    ItemList* list = kind >= 1 && kind <= 4
                         ? GenderList(m_planner, gender, static_cast<SlotKind>(kind))
                         : nullptr;
    // 2.
    if (gender < 0 || !list)
        return;
    WardrobeItem = ToEightBit(list->editText());
    // 3.
    FormWardrobe* open = wardrobeWindow();
    const QPoint at = open ? open->pos() : QPoint();
    if (open)
        open->close();
    // 4.
    std::string error;
    const bool added =
        AddToWardrobe(WardrobeGenderFor(gender), MakeWardrobeEntry(WardrobeItem, kind), &error);
    // 5.
    if (open)
        reopenWardrobeAt(at);
    if (!added) {
        ShowMessage(m_mainWindow, QString(),
                    QStringLiteral("The item could not be added to the wardrobe.\n\n%1\n\nThe "
                                   "wardrobe files were left as they were.")
                        .arg(ShownError(error)),
                    MessageIcon::Warning);
    }
}

void StorageController::ApplyWardrobePick() {
    const OutfitChange step(m_planner.outfitSteps, "Put On Wardrobe Item");
    const FormWardrobe* window = wardrobeWindow();
    const std::optional<QString> name = window ? window->selectedName() : std::nullopt;
    const int16_t kind = WardrobePickKind;
    if (!name || kind < 1 || kind > 4)
        return;
    const int gender = c.GenderBox->currentIndex();
    const ItemFamily* family = ItemFamilyFor(gender, static_cast<SlotKind>(kind));
    ItemList* list = family ? m_planner.listFor(*family) : nullptr;
    if (!list)
        return;
    list->setEditText(*name);
    m_planner.ItemClick(*family);
}

} // namespace zv

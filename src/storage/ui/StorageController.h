#pragma once
// Save slots and the wardrobe on the main window: the Save and Load entries of the File menu,
// the slot captions, putting a slot on, and the wardrobe entries (add, view, put on).
#include "storage/SaveSlots.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <string>

class QWidget;

namespace zv {

struct MainControls;
class PlannerController;
class FormSaveName;
class FormWardrobe;

class StorageController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StorageController)

public:
    // `formSaveName` and `formWardrobe` are the main window's handles on the two windows; they
    // are set here when a window is made, and the main window closes through them.
    StorageController(MainControls& controls, PlannerController& planner, QWidget* mainWindow,
                      QPointer<QWidget>& formSaveName, QPointer<QWidget>& formWardrobe);

    // Save > Slot N and Load > Slot N (N = 1 to 5).
    void saveslot_Click(int slot);
    void loadslot_Click(int slot);

    // Relabels the Save and Load entries of every slot with the first line of its file.
    void RefreshSlotCaptions();

    // Puts SlotRecord on the planner: a fresh preview, the stored gender chosen as a user would
    // choose it (which resets once more), the four names set, then their four selections,
    // helmet first. A gender line other than 0 or 1 leaves the planner reset and empty.
    void ApplySlotRecord();

    void addwardrobe_Click();
    void viewwardrobe_Click() { showWardrobe(); }
    void wardview_Click() { showWardrobe(); }

    // Puts the item picked in the wardrobe on, through its list's selection.
    void ApplyWardrobePick();

    // Builds the wardrobe window afresh (for the gender now chosen) when it is open.
    void reopenWardrobe();

    FormSaveName* saveNameWindow() const;
    FormWardrobe* wardrobeWindow() const;

    // The slot whose Save entry was chosen last (1 to 5).
    int16_t PendingSaveSlot = 0;
    // The last slot read by a load.
    zv::SlotRecord SlotRecord;
    // The name of the item last added to the wardrobe.
    std::string WardrobeItem;

private:
    void showWardrobe();
    FormWardrobe* loadWardrobe();
    void reopenWardrobeAt(QPoint at);

    MainControls& c;
    PlannerController& m_planner;
    QWidget* m_mainWindow;
    QPointer<QWidget>& m_formSaveName;
    QPointer<QWidget>& m_formWardrobe;
};

} // namespace zv

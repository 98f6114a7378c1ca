#pragma once
// The planner on the main window: item lists, item selection, totals and the composed preview.
#include "base/ui/PictureBytes.h"
#include "planner/ItemEffects.h"
#include "planner/ItemFamily.h"
#include "planner/OutfitChange.h"
#include "planner/Totals.h"

#include <QObject>
#include <QPixmap>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

class QWidget;

namespace zv {

struct MainControls;
class ImageControl;
class ItemList;

class PlannerController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PlannerController)

public:
    PlannerController(MainControls& controls, QWidget* window);

    void setImageKey(const QString& key) { m_imageKey = key.toStdString(); }

    // Fills the seven item lists from their catalogues (once, at start-up).
    void LoadItemLists();

    // The selection handler of every item list: the family says which list, catalogue,
    // pictures and record.
    void ItemClick(const ItemFamily& family);
    void HelmMale_Click() { ItemClick(ItemFamilies[0]); }
    void ArmorMale_Click() { ItemClick(ItemFamilies[1]); }
    void GogglesMale_Click() { ItemClick(ItemFamilies[2]); }
    void HelmFemale_Click() { ItemClick(ItemFamilies[3]); }
    void ArmorFemale_Click() { ItemClick(ItemFamilies[4]); }
    void GogglesFemale_Click() { ItemClick(ItemFamilies[5]); }
    void Accessories_Click() { ItemClick(ItemFamilies[6]); }

    void UpdateTotals();
    void ResetPreview();
    void PlaceAvatar(int left, int top);
    void GenderBox_Click();

    ItemList* listFor(const ItemFamily& family) const;
    ItemEffects& effectsFor(SlotKind slot);

    // Forgets the item pictures decoded before (for measuring a first choice of every item).
    void ForgetDecodedPictures() { m_decoded.clear(); }

    ItemEffects HelmetEffects;
    ItemEffects ArmorEffects;
    ItemEffects GogglesEffects;
    ItemEffects AccessoryEffects;
    // The slot whose shop picture was right-clicked last (0 before the first).
    int16_t WardrobeSlot = 0;

    // Run by ResetPreview when the wardrobe window is open, so it is rebuilt for the gender.
    std::function<void()> reopenWardrobe;
    // Every user action that changes the outfit is announced here (for the undo history).
    OutfitSteps outfitSteps;

    // Bar picture `number` ("\avatarpreview\" + number + ".gif"), read once.
    const QPixmap& barPicture(int number);

private:
    void shopPictureMouseUp(int16_t slot, ImageControl* picture, int button, int x, int y);
    void imgSaveZone1_MouseUp(int button, int x, int y);
    // Decodes and shows a picture file's bytes, unless the control shows those very bytes.
    void showPicture(ImageControl* control, const std::optional<std::string>& bytes);
    // The window's picture control of that name.
    ImageControl* pictureControl(std::string_view name) const;
    void reportOnce(const std::string& error);

    MainControls& c;
    QWidget* m_window;
    std::string m_imageKey;
    std::map<std::string_view, ItemList*> m_lists;
    std::map<std::string_view, ImageControl*> m_pictures;
    struct StatControls {
        const StatDisplay* display = nullptr;
        ImageControl* bar = nullptr;
        ImageControl* marker = nullptr;
    };
    std::array<StatControls, 8> m_stats{};
    std::map<int, QPixmap> m_barPictures;
    // Item pictures decoded before: an item chosen again is not decoded again.
    DecodedPictures m_decoded;
    std::set<std::string> m_reported;
};

} // namespace zv

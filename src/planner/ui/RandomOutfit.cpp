#include "planner/ui/RandomOutfit.h"

#include "planner/OutfitChange.h"
#include "planner/RandomPick.h"
#include "planner/ui/MainControls.h"

namespace zv {

RandomOutfit::RandomOutfit(MainControls& controls, OutfitSteps& steps, QWidget* window)
    : QObject(window)
    , c(controls)
    , m_steps(steps) {
    connect(c.imgRandom, &ImageControl::Click, this, &RandomOutfit::imgRandom_Click);
}

void RandomOutfit::imgRandom_Click() {
    const OutfitChange step(m_steps, "Random Outfit");
    auto draw = [](std::initializer_list<ItemList*> lists) {
        for (ItemList* list : lists) {
            // Selecting runs the list's selection handler before the next list is drawn.
            if (const auto index = DrawEntryIndex(list->count()))
                list->selectIndex(*index);
        }
    };
    // The gender box's text is read once per gender; before a choice it shows "Gender".
    if (c.GenderBox->editText() == QLatin1String("Male"))
        draw({c.HelmMale, c.ArmorMale, c.GogglesMale, c.Accessories});
    if (c.GenderBox->editText() == QLatin1String("Female"))
        draw({c.HelmFemale, c.ArmorFemale, c.GogglesFemale, c.Accessories});
}

} // namespace zv

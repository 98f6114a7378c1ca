#pragma once
// Putting a whole outfit on at once, the way loading a save slot does it.
#include <array>
#include <string>

namespace zv {

struct MainControls;
class PlannerController;

// Resets the preview, chooses the gender in the gender box (its handler runs, so the gender's
// lists show), sets the four list texts (helmet, armor, goggles, accessory; a caption leaves the
// slot empty) and then runs the four selection handlers, helmet first. A gender other than 0 or
// 1 leaves the preview reset and empty. One call is one change of outfit: one step of the undo
// history (slot loads, the finder's put-on and pasted outfit codes all come through here).
void WearOutfit(MainControls& c, PlannerController& planner, int gender,
                const std::array<std::string, 4>& names);

} // namespace zv

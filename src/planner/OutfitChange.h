#pragma once
// User actions that change the outfit (an item choice, a gender change, a random outfit, a slot
// load, a wardrobe put-on, an outfit code ...) announce themselves here, so that the undo history
// can take one step per action. An action that runs others (a slot load runs a gender change and
// four item choices) is still one step: only the outermost announcement counts.
//
//     const OutfitChange step(planner.outfitSteps, "Load Slot");
//     ... change the outfit through the ordinary handlers ...
//
// or RecordOutfitStep(planner.outfitSteps, "Load Slot", [&] { ... });
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace zv {

class OutfitSteps {
public:
    // Told when the outermost action begins (with its label) and when it has ended.
    std::function<void(std::string_view label)> began;
    std::function<void()> ended;

    // Whether an action is running.
    bool inStep() const { return m_depth > 0; }

private:
    friend class OutfitChange;
    int m_depth = 0;
};

class OutfitChange {
public:
    OutfitChange(OutfitSteps& steps, std::string_view label);
    ~OutfitChange();
    OutfitChange(const OutfitChange&) = delete;
    OutfitChange& operator=(const OutfitChange&) = delete;

private:
    OutfitSteps& m_steps;
};

template <typename Action>
void RecordOutfitStep(OutfitSteps& steps, std::string_view label, Action&& action) {
    const OutfitChange step(steps, label);
    std::forward<Action>(action)();
}

} // namespace zv

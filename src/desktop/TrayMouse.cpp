#include "desktop/TrayMouse.h"

namespace zv {

std::optional<TrayMouseEvent> DecodeTrayMouse(int number) {
    if (number < kTrayLeftDown || number > kTrayMiddleDouble)
        return std::nullopt;
    // Three messages per button (down, up, double-click), buttons in the order left, right,
    // middle; the button numbers are bit values.
    static constexpr TrayMouseKind kKinds[] = {TrayMouseKind::MouseDown, TrayMouseKind::MouseUp,
                                               TrayMouseKind::DblClick};
    static constexpr short kButtons[] = {1, 2, 4};
    const int index = number - kTrayLeftDown;
    return TrayMouseEvent{kKinds[index % 3], kButtons[index / 3]};
}

} // namespace zv

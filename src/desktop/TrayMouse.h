#pragma once
// What the notification-area icon reports: mouse message numbers turned into the icon control's
// events, and the limit on its tool tip.
#include <cstddef>
#include <optional>

namespace zv {

enum class TrayMouseKind { MouseDown, MouseUp, DblClick };

struct TrayMouseEvent {
    TrayMouseKind kind;
    short button; // 1 left, 2 right, 4 middle
    bool operator==(const TrayMouseEvent&) const = default;
};

// Mouse message numbers as the desktop reports them for the icon.
constexpr int kTrayMouseMove = 512;
constexpr int kTrayLeftDown = 513;
constexpr int kTrayLeftUp = 514;
constexpr int kTrayLeftDouble = 515;
constexpr int kTrayRightDown = 516;
constexpr int kTrayRightUp = 517;
constexpr int kTrayRightDouble = 518;
constexpr int kTrayMiddleDown = 519;
constexpr int kTrayMiddleUp = 520;
constexpr int kTrayMiddleDouble = 521;

// The event for a message number 513-521; anything else (a mouse move, 512) raises nothing.
std::optional<TrayMouseEvent> DecodeTrayMouse(int number);

// The tool tip holds at most this many characters.
constexpr std::size_t kInfoTipMax = 63;

} // namespace zv

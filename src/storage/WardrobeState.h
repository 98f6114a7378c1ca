#pragma once
// Shared between the wardrobe window and the main window: the wardrobe hands a picked item over
// by setting these and showing the main window, whose next activation applies it.
#include <cstdint>

namespace zv {

inline bool WardrobeOpen = false;
inline bool WardrobePickPending = false;
inline int16_t WardrobePickKind = 0;

} // namespace zv

#pragma once
// Every window's controls as the keyboard and screen readers know them: names, values, the
// pictures that work as buttons or open menus, and each window's tab order (Accessibility.h).
// A new window adds its rows here.
#include "base/ui/Accessibility.h"

#include <span>

namespace zv {

std::span<const AccessibleControl> ZorvexAccessibleControls();
std::span<const ReadingOrder> ZorvexReadingOrders();

// Applies both tables to every window shown from now on.
void InstallZorvexAccessibility();

} // namespace zv

#pragma once
// Opening the time calculators from the main window's menu.
#include <QPointer>
#include <QWidget>

namespace zv {

// Creates the window in `window` on first use, as a window of `owner`, and shows it, not modal;
// one already open comes to the front.
void ShowBasicCalculator(QPointer<QWidget>& window, QWidget* owner);
void ShowAdvancedCalculator(QPointer<QWidget>& window, QWidget* owner);

} // namespace zv

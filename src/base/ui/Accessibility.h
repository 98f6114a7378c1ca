#pragma once
// What each control is to the keyboard and to assistive technology (screen readers), kept in
// tables by objectName instead of in every window: as a window is shown, its controls get their
// accessible names, values and roles, the pictures that act as buttons take the focus, and the
// window gets its tab order. A new window is covered by adding its rows.
#include <QString>
#include <span>

class QWidget;

namespace zv {

enum class AccessKind {
    Named,       // a name only (a list, a text box, a check box)
    Button,      // a picture clicked like a button: focus, Space or Enter
    MenuPicture, // a picture with a pop-up menu: focus, context-menu key or Shift+F10
    Display,     // shows a value and takes no input (a label, a bar)
};

// The value a control shows, read when it is asked for; null for none.
using AccessibleValue = QString (*)(const QWidget* control);

struct AccessibleControl {
    const char* ObjectName;
    const char* Name;
    AccessKind Kind = AccessKind::Named;
    AccessibleValue Value = nullptr;
};

// A window's controls in the order Tab visits them (hidden or disabled ones are passed over).
struct ReadingOrder {
    const char* Window;
    std::span<const char* const> Controls;
};

// Applies the tables to every window of the application from now on, as it is shown. The
// tables must outlive the application.
void InstallAccessibility(std::span<const AccessibleControl> controls,
                          std::span<const ReadingOrder> orders);

// The text a label shows, as a value.
QString LabelText(const QWidget* control);

} // namespace zv

#include "calc/ui/Calculators.h"

#include "calc/ui/FormAdv.h"
#include "calc/ui/FormBasic.h"

#include <QScreen>
#include <algorithm>

namespace zv {
namespace {

template <typename Window> void ShowCalculator(QPointer<QWidget>& window, QWidget* owner) {
    if (!window) {
        window = new Window(owner);
        if (owner) {
            // Over the middle of the main window, but whole on its screen.
            QRect place(QPoint(), window->size());
            place.moveCenter(owner->frameGeometry().center());
            if (const QScreen* screen = owner->screen()) {
                const QRect area = screen->availableGeometry();
                place.moveLeft(std::clamp(place.left(), area.left(),
                                          std::max(area.left(), area.right() - place.width())));
                place.moveTop(std::clamp(place.top(), area.top(),
                                         std::max(area.top(), area.bottom() - place.height())));
            }
            window->move(place.topLeft());
        }
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void ShowBasicCalculator(QPointer<QWidget>& window, QWidget* owner) {
    ShowCalculator<FormBasic>(window, owner);
}

void ShowAdvancedCalculator(QPointer<QWidget>& window, QWidget* owner) {
    ShowCalculator<FormAdv>(window, owner);
}

} // namespace zv

#include "planner/ui/MobileMenu.h"

#include "base/ProgramPaths.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"

#include <QAction>

namespace zv {

MobileMenu::MobileMenu(MainControls& controls, PlannerController& planner, QWidget* window)
    : QObject(window)
    , c(controls)
    , m_planner(planner) {
    connect(c.hide, &QAction::triggered, this, &MobileMenu::hide_Click);
    for (size_t i = 0; i < Mobiles.size(); ++i) {
        connect(c.mobileEntry[i], &QAction::triggered, this,
                [this, row = &Mobiles[i]] { MobileClick(*row); });
    }
}

void MobileMenu::MobileClick(const MobileRow& row) {
    // 1. A missing picture leaves no mobile rather than the previous one.
    const std::string path = ProgramPath(MobilePicturePath(row)).string();
    c.imgMobile->setPicture(QPixmap(QString::fromStdString(path)));
    // 2.
    m_planner.PlaceAvatar(row.AnchorLeft, row.AnchorTop);
}

void MobileMenu::hide_Click() {
    c.imgMobile->clearPicture();
    m_planner.PlaceAvatar(kAnchorHomeLeft, kAnchorHomeTop);
}

} // namespace zv

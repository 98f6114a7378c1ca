#pragma once
// The "&Mobile" menu: seats the figure in a mobile or takes the mobile away. The mobile is no
// part of the outfit: it is never stored and never changes the totals.
#include "planner/Mobiles.h"

#include <QObject>

class QWidget;

namespace zv {

struct MainControls;
class PlannerController;

class MobileMenu final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MobileMenu)

public:
    MobileMenu(MainControls& controls, PlannerController& planner, QWidget* window);

    // The handler behind every mobile entry (evorn_Click ... turtle_Click): its row says which.
    void MobileClick(const MobileRow& row);
    void hide_Click();

private:
    MainControls& c;
    PlannerController& m_planner;
};

} // namespace zv

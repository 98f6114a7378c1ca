#pragma once
// The basic time calculator: games, wins, losses and hours of play that earn the outfit's price.
#include "calc/ui/CalcWindow.h"

namespace zv {

class FormBasic final : public CalcWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormBasic)

public:
    explicit FormBasic(QWidget* owner = nullptr);

private:
    bool calculate() override;
};

} // namespace zv

#pragma once
// The advanced time calculator: the basic one less the gold already owned, plus the ranking
// points the games bring and the rank they reach.
#include "calc/ui/CalcWindow.h"

namespace zv {

class FormAdv final : public CalcWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormAdv)

public:
    explicit FormAdv(QWidget* owner = nullptr);

private:
    bool calculate() override;
};

} // namespace zv

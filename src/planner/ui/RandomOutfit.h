#pragma once
// The dice button imgRandom: one random entry of each of the chosen gender's four item lists,
// picked through the lists' ordinary selection handlers. The mobile is not touched.
#include <QObject>

class QWidget;

namespace zv {

struct MainControls;
class OutfitSteps;

class RandomOutfit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RandomOutfit)

public:
    RandomOutfit(MainControls& controls, OutfitSteps& steps, QWidget* window);

    // Draws exactly one number per non-empty list, helmet, armor, goggles, accessory: the four
    // picks are one outfit change.
    void imgRandom_Click();

private:
    MainControls& c;
    OutfitSteps& m_steps;
};

} // namespace zv

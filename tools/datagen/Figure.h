#pragma once
// The player's figure and the items worn on it. Everything is drawn in the coordinates of one
// preview layer (87 x 70 px): all layers share the anchor, so a helmet drawn here sits on the
// head drawn here. Shop pictures draw the same shapes enlarged.
#include "Catalogue.h"

#include <QImage>
#include <QPainter>

namespace zvdata {

constexpr int kLayerWidth = 87;
constexpr int kLayerHeight = 70;
constexpr int kShopWidth = 160;
constexpr int kShopHeight = 156;

// Where the figure stands inside its layer; vehicles are drawn around this.
constexpr double kFigureX = 36;     // centre line
constexpr double kFigureWaist = 52; // a vehicle's rim covers the figure from here down

QImage BareHeadLayer(Gender gender);
QImage BareBodyLayer(Gender gender);
QImage ItemLayer(const Item& item);
QImage ShopPicture(const Item& item);

} // namespace zvdata

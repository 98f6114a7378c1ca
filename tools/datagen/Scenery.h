#pragma once
// The fixed pictures of the program: preview box, bars and markers, mobiles, ranks, window
// artwork, splash, buttons, calculator backgrounds and skins.
#include "Catalogue.h"

#include <QImage>
#include <QList>
#include <QString>

namespace zvdata {

// A seat: where the figure's anchor goes when the mobile is shown, in twips inside the box.
struct Mobile {
    const char* picture; // file name under avatarpreview/
    int anchorLeft, anchorTop;
};
const QList<Mobile>& Mobiles();
QImage MobilePicture(int index);

// The rank ladder's pictures from the lowest rank to the highest.
QList<QString> RankPictureNames();
QImage RankPicture(int index);

QImage BarPicture(int value);                  // 96 x 11
QImage NegativeMarker(int stat);               // 13 x 11, stat as in `Stat`
QString NegativeMarkerName(int stat);          // "neg-stars.gif" ...
QImage PreviewBackground();                    // 240 x 132 (already reduced to GIF colours)
QImage PreviewFrame(const QImage& background); // 129 x 102, transparent over the figure area

QImage MainBase();  // 642 x 403
QImage MenuStrip(); // 172 x 31
QImage SoundButton(bool on);
QImage RandomButton();
QImage Splash(); // 400 x 400, magenta outside
QImage OkButton(bool active);
QImage CalculatorBackground(bool advanced);
QImage CalcButton();
QImage ProgramIcon(int size = 64);

struct Skin {
    QString name;
    QString background; // file name inside graphics/
    QImage picture;
};
QList<Skin> Skins();

QByteArray WhatsNew();

// Pixel position of a preview layer for an anchor given in twips.
QPoint AnchorPixels(int twipsLeft, int twipsTop);

} // namespace zvdata

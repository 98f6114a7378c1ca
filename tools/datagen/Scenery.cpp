#include "Scenery.h"

#include "Figure.h"
#include "GifFile.h"
#include "Shapes.h"
#include "planner/Mobiles.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdint>
#include <initializer_list>

namespace zvdata {
namespace {

const QColor kInk(44, 30, 46);
const QColor kPanel(36, 38, 60);
const QColor kPanelLight(58, 62, 96);
const QColor kGold(240, 196, 80);
const QColor kText(236, 236, 248);

QPainterPath RoundRect(QRectF r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void Shape(QPainter& p, const QPainterPath& path, const QColor& fill, double ink = 1.0) {
    const QRectF box = path.boundingRect();
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, fill.lighter(118));
    g.setColorAt(1, fill.darker(112));
    p.setBrush(g);
    p.setPen(ink > 0 ? QPen(kInk, ink, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                     : QPen(Qt::NoPen));
    p.drawPath(path);
}

void Flat(QPainter& p, const QPainterPath& path, const QColor& fill) {
    p.setBrush(fill);
    p.setPen(Qt::NoPen);
    p.drawPath(path);
}

void Stroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void Band(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
    Stroke(p, path, kInk, width + 2);
    Stroke(p, path, colour, width);
}

QFont Font(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void Text(QPainter& p, const QRectF& box, const QString& text, int pixels, bool bold,
          const QColor& colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter,
          bool shadow = true) {
    p.setFont(Font(pixels, bold));
    if (shadow) {
        p.setPen(QColor(0, 0, 0, 150));
        p.drawText(box.translated(1, 1), align, text);
    }
    p.setPen(colour);
    p.drawText(box, align, text);
}

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A raised panel: gradient face, light top edge, dark outline.
void Panel(QPainter& p, const QRectF& r, double radius, const QColor& face) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, face.lighter(125));
    g.setColorAt(1, face.darker(115));
    p.setBrush(g);
    p.setPen(QPen(QColor(14, 12, 24), 1));
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

// A sunken field behind a label or a list: calm, one colour.
void Well(QPainter& p, const QRectF& r, const QColor& face = QColor(22, 22, 36)) {
    p.setPen(QPen(QColor(10, 8, 18), 1));
    p.setBrush(face);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.drawLine(QPointF(r.left() + 3, r.bottom() + 0.5), QPointF(r.right() - 3, r.bottom() + 0.5));
}

uint32_t Hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// ---------------------------------------------------------------- stat icons

void StatIcon(QPainter& p, int stat, const QRectF& r) {
    const double cx = r.center().x(), cy = r.center().y();
    switch (stat) {
    case Stars:
        Shape(p, Star(cx, cy + 0.4, 5.6, 2.5), QColor(250, 210, 60), 0.8);
        break;
    case Shield:
        Shape(p,
              Poly({{cx - 4.5, cy - 4.5},
                    {cx + 4.5, cy - 4.5},
                    {cx + 4, cy + 1},
                    {cx, cy + 5},
                    {cx - 4, cy + 1}}),
              QColor(80, 140, 230), 0.8);
        break;
    case Delay:
        Shape(p, Ellipse(cx, cy, 4.8, 4.8), QColor(240, 240, 250), 0.8);
        Stroke(p, Line({cx, cy}, {cx, cy - 3.2}), kInk, 0.9);
        Stroke(p, Line({cx, cy}, {cx + 2.4, cy + 0.8}), kInk, 0.9);
        break;
    case Attack:
        Stroke(p, Line({cx - 4, cy + 4}, {cx + 4.5, cy - 4.5}), kInk, 3);
        Stroke(p, Line({cx - 3.5, cy + 3.5}, {cx + 4.2, cy - 4.2}), QColor(220, 224, 236), 1.4);
        Stroke(p, Line({cx - 4.5, cy + 0.5}, {cx - 0.5, cy + 4.5}), QColor(200, 60, 50), 1.6);
        break;
    case Hearts:
        Shape(p, Heart(cx, cy + 0.5, 4.2), QColor(230, 60, 80), 0.8);
        break;
    case ItemDelay:
        Shape(p,
              Poly({{cx - 3.6, cy - 5},
                    {cx + 3.6, cy - 5},
                    {cx, cy},
                    {cx + 3.6, cy + 5},
                    {cx - 3.6, cy + 5},
                    {cx, cy}}),
              QColor(180, 130, 230), 0.8);
        Flat(p, Poly({{cx - 2, cy + 4}, {cx + 2, cy + 4}, {cx, cy + 1.5}}), QColor(250, 220, 120));
        break;
    case Shovel:
        Stroke(p, Line({cx + 4, cy - 4.5}, {cx - 0.5, cy}), QColor(150, 100, 60), 1.6);
        Shape(
            p,
            Poly({{cx - 1.5, cy - 1}, {cx + 1, cy + 1.5}, {cx - 2.5, cy + 5}, {cx - 5, cy + 2.5}}),
            QColor(190, 196, 210), 0.8);
        break;
    default: // shield regeneration
        Shape(p,
              Poly({{cx - 4.5, cy - 4.5},
                    {cx + 4.5, cy - 4.5},
                    {cx + 4, cy + 1},
                    {cx, cy + 5},
                    {cx - 4, cy + 1}}),
              QColor(80, 190, 110), 0.8);
        Stroke(p, Line({cx, cy - 2.6}, {cx, cy + 1.8}), Qt::white, 1.2);
        Stroke(p, Line({cx - 2.2, cy - 0.4}, {cx + 2.2, cy - 0.4}), Qt::white, 1.2);
        break;
    }
}

// Rows of the stat area, top to bottom.
constexpr int kIconX = 122;
constexpr int kBarX = 136;
int RowY(int i) {
    return 22 + 13 * i;
}

const QRectF kFigureArea(16, 30, 102, 71);

QPainterPath FigureAreaPath() {
    return RoundRect(kFigureArea, 8);
}

// ---------------------------------------------------------------- mobiles

// The program's own table, so every mobile is drawn around the seat the program puts the
// figure on.
const QList<Mobile> kMobiles = [] {
    QList<Mobile> mobiles;
    for (const zv::MobileRow& row : zv::Mobiles)
        mobiles.append({row.Picture, row.AnchorLeft, row.AnchorTop});
    return mobiles;
}();

void Wheel(QPainter& p, double x, double y, double r, const QColor& hub) {
    Shape(p, Ellipse(x, y, r, r), QColor(50, 48, 56));
    Shape(p, Ellipse(x, y, r * 0.5, r * 0.5), hub);
}

void Eye(QPainter& p, double x, double y, double r) {
    Shape(p, Ellipse(x, y, r, r), Qt::white, 0.7);
    Flat(p, Ellipse(x + r * 0.25, y, r * 0.55, r * 0.55), kInk);
}

// Draws mobile `index`; the figure stands with its centre line at fx and is covered from the
// rim down, so the hull always spans at least fx - 9 .. fx + 9 from the rim to the feet.
void DrawMobile(QPainter& p, int index, double fx, double rim) {
    const double feet = rim + 18;
    switch (index) {
    case 0: { // small kart with a short barrel
        Band(p, Line({fx + 16, rim + 2}, {fx + 30, rim - 9}), QColor(90, 96, 110), 3.5);
        Shape(p,
              Poly({{fx - 22, rim},
                    {fx + 20, rim},
                    {fx + 29, rim + 7},
                    {fx + 24, feet - 3},
                    {fx - 24, feet - 3},
                    {fx - 26, rim + 5}}),
              QColor(90, 190, 90));
        Stroke(p, Line({fx - 20, rim + 4}, {fx + 22, rim + 4}), QColor(250, 220, 70), 1.6);
        Wheel(p, fx - 15, feet - 2, 5, QColor(250, 220, 70));
        Wheel(p, fx + 17, feet - 2, 5, QColor(250, 220, 70));
        break;
    }
    case 1: { // round bird
        Shape(p,
              Poly({{fx - 22, rim + 4},
                    {fx - 33, rim - 2},
                    {fx - 30, rim + 6},
                    {fx - 34, rim + 9},
                    {fx - 22, rim + 10}}),
              QColor(60, 120, 200));
        Shape(p, Ellipse(fx + 2, rim + 11, 24, 11.5), QColor(110, 180, 240));
        Shape(p, Ellipse(fx + 2, rim + 15, 15, 6), QColor(240, 236, 220), 0);
        Shape(
            p,
            Poly({{fx - 16, rim + 4}, {fx - 4, rim + 7}, {fx - 8, rim + 14}, {fx - 19, rim + 12}}),
            QColor(70, 140, 220));
        Shape(p, Ellipse(fx + 29, rim - 6, 7.5, 7.5), QColor(110, 180, 240));
        Shape(p, Poly({{fx + 34, rim - 8}, {fx + 41, rim - 5}, {fx + 34, rim - 2}}),
              QColor(250, 160, 50));
        Eye(p, fx + 30, rim - 8, 2);
        Shape(p, Poly({{fx + 25, rim - 13}, {fx + 27, rim - 19}, {fx + 30, rim - 13}}),
              QColor(250, 160, 50), 0.8);
        break;
    }
    case 2: { // tracked tank, barrel over the back
        Band(p, Line({fx - 18, rim + 2}, {fx - 40, rim - 10}), QColor(90, 110, 70), 4.5);
        Shape(p, RoundRect(QRectF(fx - 36, rim + 10, 72, 10), 5), QColor(60, 60, 66));
        for (int i = 0; i < 6; ++i) {
            Shape(p, Ellipse(fx - 29 + i * 11.6, rim + 15, 3.2, 3.2), QColor(140, 140, 150), 0.8);
        }
        Shape(p, Poly({{fx - 30, rim}, {fx + 28, rim}, {fx + 34, rim + 11}, {fx - 35, rim + 11}}),
              QColor(120, 140, 80));
        Flat(p, Star(fx + 18, rim + 5.5, 3.4, 1.4), QColor(250, 230, 120));
        break;
    }
    case 3: { // big-wheeled truck
        Wheel(p, fx - 21, feet - 8, 10.5, QColor(200, 200, 210));
        Wheel(p, fx + 23, feet - 8, 10.5, QColor(200, 200, 210));
        Shape(p,
              Poly({{fx - 31, rim + 1},
                    {fx - 12, rim},
                    {fx + 24, rim},
                    {fx + 35, rim + 5},
                    {fx + 34, rim + 15},
                    {fx - 32, rim + 15}}),
              QColor(220, 60, 60));
        Stroke(p, Line({fx - 28, rim + 8}, {fx + 31, rim + 8}), QColor(250, 250, 250), 1.4);
        Shape(p, RoundRect(QRectF(fx - 9, rim + 14, 18, 5), 2), QColor(60, 58, 66));
        break;
    }
    case 4: { // launcher with a fat tube
        Band(p, Line({fx - 16, rim + 4}, {fx - 34, rim - 15}), QColor(240, 140, 50), 7);
        Shape(p, Ellipse(fx - 34, rim - 15, 4.5, 4.5), QColor(70, 60, 60));
        Shape(p, RoundRect(QRectF(fx - 29, rim, 58, 15), 4), QColor(150, 156, 170));
        Stroke(p, Line({fx - 26, rim + 5}, {fx + 26, rim + 5}), QColor(240, 140, 50), 2);
        for (int i = 0; i < 3; ++i) {
            Wheel(p, fx - 19 + i * 19, feet - 1, 4.2, QColor(240, 140, 50));
        }
        break;
    }
    case 5: { // dragon: wing behind, neck and head up to the right
        QPainterPath wing(QPointF(fx - 10, rim + 2));
        wing.quadTo(fx - 26, rim - 10, fx - 40, rim - 21);
        wing.quadTo(fx - 33, rim - 8, fx - 36, rim - 3);
        wing.quadTo(fx - 28, rim - 3, fx - 28, rim + 3);
        wing.closeSubpath();
        Shape(p, wing, QColor(180, 60, 60));
        Shape(p,
              Poly({{fx - 22, rim + 13},
                    {fx - 44, rim + 24},
                    {fx - 36, rim + 16},
                    {fx - 20, rim + 7}}),
              QColor(200, 60, 50));
        Shape(p, RoundRect(QRectF(fx - 16, rim + 18, 7, 12), 2), QColor(180, 50, 45));
        Shape(p, RoundRect(QRectF(fx + 11, rim + 18, 7, 12), 2), QColor(180, 50, 45));
        QPainterPath neck(QPointF(fx + 14, rim + 3));
        neck.quadTo(fx + 22, rim - 4, fx + 24, rim - 12);
        neck.lineTo(fx + 31, rim - 10);
        neck.quadTo(fx + 30, rim + 2, fx + 22, rim + 11);
        neck.closeSubpath();
        Shape(p, neck, QColor(210, 70, 60));
        Shape(p, Ellipse(fx, rim + 11, 24, 12.5), QColor(210, 70, 60));
        Shape(p, Ellipse(fx + 1, rim + 16, 16, 6), QColor(250, 210, 110), 0);
        Shape(
            p,
            Poly(
                {{fx + 22, rim - 17}, {fx + 38, rim - 14}, {fx + 39, rim - 9}, {fx + 24, rim - 7}}),
            QColor(210, 70, 60));
        Shape(p, Poly({{fx + 23, rim - 16}, {fx + 21, rim - 23}, {fx + 27, rim - 16}}),
              QColor(250, 210, 110), 0.8);
        Eye(p, fx + 29, rim - 13, 1.8);
        break;
    }
    case 6: { // segmented crawler
        for (int i = 0; i < 3; ++i) {
            Shape(p, Ellipse(fx - 36 + i * 9, rim + 13 - i * 2, 8 + i, 8 + i),
                  QColor(110, 190, 70));
        }
        Shape(p, Ellipse(fx, rim + 10, 16, 12), QColor(120, 200, 80));
        for (QPointF pt : {QPointF(fx - 8, rim + 8), QPointF(fx + 3, rim + 14),
                           QPointF(fx + 9, rim + 5), QPointF(fx - 24, rim + 10)}) {
            Flat(p, Ellipse(pt.x(), pt.y(), 2.2, 2.2), QColor(250, 220, 70));
        }
        Stroke(p, Line({fx + 24, rim - 10}, {fx + 21, rim - 18}), kInk, 1);
        Stroke(p, Line({fx + 30, rim - 10}, {fx + 33, rim - 18}), kInk, 1);
        Shape(p, Ellipse(fx + 21, rim - 18, 1.8, 1.8), QColor(250, 100, 120), 0.8);
        Shape(p, Ellipse(fx + 33, rim - 18, 1.8, 1.8), QColor(250, 100, 120), 0.8);
        Shape(p, Ellipse(fx + 27, rim - 2, 10, 9.5), QColor(140, 210, 90));
        Eye(p, fx + 24, rim - 4, 2.2);
        Eye(p, fx + 31, rim - 4, 2.2);
        QPainterPath smile(QPointF(fx + 24, rim + 2));
        smile.quadTo(fx + 28, rim + 5, fx + 32, rim + 2);
        Stroke(p, smile, kInk, 0.9);
        break;
    }
    case 7: { // ice crystal sled
        const QColor ice(170, 220, 250);
        Shape(p, Poly({{fx - 30, rim - 4}, {fx - 24, rim - 18}, {fx - 19, rim + 1}}), ice);
        Shape(p, Poly({{fx + 19, rim + 1}, {fx + 25, rim - 16}, {fx + 31, rim - 2}}), ice);
        Shape(p,
              Poly({{fx - 31, rim + 2},
                    {fx - 16, rim - 1},
                    {fx + 16, rim - 1},
                    {fx + 31, rim + 2},
                    {fx + 27, feet},
                    {fx - 27, feet}}),
              QColor(150, 206, 246));
        Stroke(p, Line({fx - 20, rim + 4}, {fx - 12, rim + 14}), QColor(255, 255, 255), 1.3);
        Stroke(p, Line({fx + 8, rim + 3}, {fx + 16, rim + 12}), QColor(255, 255, 255), 1.3);
        Shape(p, RoundRect(QRectF(fx - 33, feet - 1, 66, 4), 2), QColor(90, 130, 200));
        break;
    }
    case 8: { // hovering saucer
        Flat(p, Ellipse(fx, feet + 2, 18, 3), QColor(120, 240, 250));
        Shape(p, Ellipse(fx, rim + 10, 17, 9), QColor(150, 120, 210));
        Shape(p, Ellipse(fx, rim + 4, 32, 7), QColor(200, 204, 220));
        for (int i = -2; i <= 2; ++i) {
            Flat(p, Ellipse(fx + i * 11, rim + 5, 1.8, 1.8), QColor(120, 240, 250));
        }
        break;
    }
    case 9: { // armoured steed
        QPainterPath tail(QPointF(fx - 20, rim + 4));
        tail.quadTo(fx - 33, rim + 2, fx - 31, rim + 16);
        Band(p, tail, QColor(80, 60, 50), 2.5);
        for (double x : {fx - 16, fx - 8, fx + 8, fx + 16}) {
            Shape(p, RoundRect(QRectF(x - 2.2, rim + 12, 4.4, 17), 1.5), QColor(150, 156, 170));
        }
        QPainterPath neck(QPointF(fx + 12, rim + 4));
        neck.lineTo(fx + 20, rim - 10);
        neck.lineTo(fx + 27, rim - 8);
        neck.lineTo(fx + 23, rim + 8);
        neck.closeSubpath();
        Shape(p, neck, QColor(170, 176, 190));
        Shape(
            p,
            Poly({{fx + 18, rim - 12}, {fx + 33, rim - 8}, {fx + 34, rim - 3}, {fx + 24, rim - 4}}),
            QColor(170, 176, 190));
        Shape(p, Poly({{fx + 20, rim - 12}, {fx + 21, rim - 17}, {fx + 24, rim - 11}}),
              QColor(150, 156, 170), 0.8);
        Eye(p, fx + 26, rim - 9, 1.4);
        Shape(p, Ellipse(fx, rim + 9, 22, 10), QColor(170, 176, 190));
        Shape(
            p,
            Poly(
                {{fx - 20, rim + 6}, {fx + 20, rim + 6}, {fx + 18, rim + 16}, {fx - 18, rim + 16}}),
            QColor(190, 40, 50));
        Flat(p, Star(fx, rim + 11, 3.2, 1.3), kGold);
        break;
    }
    case 10: { // coil car
        Shape(p, RoundRect(QRectF(fx - 40, rim - 20, 9, 22), 2), QColor(120, 110, 100));
        for (int i = 0; i < 4; ++i) {
            Stroke(p, Line({fx - 41, rim - 16 + i * 5}, {fx - 30, rim - 16 + i * 5}),
                   QColor(220, 140, 60), 1.4);
        }
        Shape(p, Ellipse(fx - 35.5, rim - 22, 4.5, 4.5), QColor(120, 220, 250));
        Stroke(p,
               Poly({{fx - 37, rim - 27},
                     {fx - 33, rim - 30},
                     {fx - 36, rim - 31},
                     {fx - 31, rim - 35}}),
               QColor(250, 250, 140), 0.9);
        Shape(p,
              Poly({{fx - 34, rim},
                    {fx + 24, rim},
                    {fx + 34, rim + 9},
                    {fx + 32, rim + 14},
                    {fx - 35, rim + 14}}),
              QColor(250, 210, 60));
        Flat(p,
             Poly({{fx + 4, rim + 2},
                   {fx - 1, rim + 8},
                   {fx + 2, rim + 8},
                   {fx - 2, rim + 13},
                   {fx + 7, rim + 6},
                   {fx + 4, rim + 6},
                   {fx + 8, rim + 2}}),
             QColor(60, 60, 80));
        Wheel(p, fx - 22, feet - 2, 5, QColor(250, 210, 60));
        Wheel(p, fx + 20, feet - 2, 5, QColor(250, 210, 60));
        break;
    }
    case 11: { // floating cauldron with a staff
        Stroke(p, Line({fx - 27, rim - 26}, {fx - 25, rim + 14}), QColor(110, 70, 40), 2.4);
        Shape(p, Star(fx - 27, rim - 27, 5, 2.2, 4), QColor(200, 140, 250));
        Flat(p, Ellipse(fx, feet + 2, 16, 2.5), QColor(200, 140, 250, 200));
        Shape(p, Ellipse(fx, rim + 9, 21, 12), QColor(90, 70, 130));
        Shape(p, Ellipse(fx, rim + 1, 22, 3.5), QColor(130, 100, 180));
        for (QPointF pt :
             {QPointF(fx - 12, rim + 9), QPointF(fx + 6, rim + 13), QPointF(fx + 14, rim + 7)}) {
            Flat(p, Star(pt.x(), pt.y(), 2.4, 1, 4), QColor(250, 230, 140));
        }
        break;
    }
    case 12: { // steam machine
        Shape(p, RoundRect(QRectF(fx - 30, rim - 20, 8, 22), 1.5), QColor(90, 80, 80));
        Shape(p, Ellipse(fx - 24, rim - 25, 4.5, 3.5), QColor(230, 230, 236), 0.7);
        Shape(p, Ellipse(fx - 18, rim - 30, 5.5, 4), QColor(236, 236, 240), 0.7);
        Shape(p, RoundRect(QRectF(fx - 32, rim, 56, 15), 3), QColor(170, 110, 60));
        for (int i = 0; i < 10; ++i) {
            const double a = i * M_PI / 5;
            Flat(p, Ellipse(fx + 28 + 9.5 * std::cos(a), rim + 8 + 9.5 * std::sin(a), 1.8, 1.8),
                 QColor(210, 170, 80));
        }
        Shape(p, Ellipse(fx + 28, rim + 8, 9, 9), QColor(210, 170, 80));
        Shape(p, Ellipse(fx + 28, rim + 8, 3, 3), QColor(120, 80, 50));
        for (double x : {fx - 24, fx - 6, fx + 10}) {
            Flat(p, Ellipse(x, rim + 4, 1.1, 1.1), QColor(240, 210, 140));
        }
        Wheel(p, fx - 20, feet, 4.5, QColor(210, 170, 80));
        Wheel(p, fx + 8, feet, 4.5, QColor(210, 170, 80));
        break;
    }
    case 13: { // mystery crate
        Shape(p, RoundRect(QRectF(fx - 25, rim, 50, 20), 3), QColor(250, 200, 70));
        const QColor stripes[4] = {QColor(240, 80, 80), QColor(90, 170, 240), QColor(110, 200, 90),
                                   QColor(190, 110, 230)};
        for (int i = 0; i < 4; ++i) {
            Flat(p, RoundRect(QRectF(fx - 24 + i * 12.2, rim + 1, 5, 18), 1), stripes[i]);
        }
        Shape(p, Ellipse(fx, rim + 10, 7.5, 7.5), QColor(255, 255, 255));
        Text(p, QRectF(fx - 8, rim + 2, 16, 16), QStringLiteral("?"), 13, true, kInk,
             Qt::AlignCenter, false);
        Wheel(p, fx - 17, feet + 0.5, 3.5, QColor(200, 200, 210));
        Wheel(p, fx + 17, feet + 0.5, 3.5, QColor(200, 200, 210));
        break;
    }
    case 14: { // rocket rack
        for (int i = 0; i < 3; ++i) {
            const double x = fx - 17 - i * 5, y = rim + 2 - i * 1.5;
            Band(p, Line({x, y}, {x - 14, y - 18}), QColor(236, 236, 240), 3.4);
            Shape(p, Poly({{x - 16.5, y - 21}, {x - 12.5, y - 18.5}, {x - 15.5, y - 16}}),
                  QColor(230, 60, 60), 0.7);
        }
        Shape(p,
              Poly({{fx - 30, rim},
                    {fx + 26, rim},
                    {fx + 33, rim + 8},
                    {fx + 28, rim + 16},
                    {fx - 31, rim + 16}}),
              QColor(70, 120, 210));
        Stroke(p, Line({fx - 27, rim + 5}, {fx + 27, rim + 5}), QColor(240, 240, 250), 1.5);
        Shape(p, RoundRect(QRectF(fx - 30, rim + 15, 60, 6), 3), QColor(60, 60, 70));
        break;
    }
    case 15: { // spider walker
        for (int side = -1; side <= 1; side += 2) {
            for (int k = 0; k < 3; ++k) {
                const double x0 = fx + side * (10 + k * 3), y0 = rim + 8;
                QPainterPath leg(QPointF(x0, y0));
                leg.lineTo(x0 + side * (10 + k * 5), y0 - 8 + k * 2);
                leg.lineTo(x0 + side * (14 + k * 7), feet + 12);
                Band(p, leg, QColor(150, 90, 200), 2);
            }
        }
        Shape(p, Ellipse(fx, rim + 8, 20, 10), QColor(130, 80, 190));
        for (int i = -2; i <= 2; ++i) {
            Flat(p, Ellipse(fx + i * 7, rim + 10, 1.6, 1.6), QColor(250, 120, 200));
        }
        break;
    }
    default: { // turtle
        Shape(p, Ellipse(fx + 30, rim + 11, 6.5, 5.5), QColor(120, 190, 100));
        Eye(p, fx + 32, rim + 9, 1.6);
        for (double x : {fx - 17, fx + 15}) {
            Shape(p, RoundRect(QRectF(x - 3.5, rim + 17, 7, 9), 3), QColor(120, 190, 100));
        }
        Shape(p, Ellipse(fx, rim + 12, 26, 12.5), QColor(70, 140, 70));
        for (int i = -2; i <= 2; ++i) {
            const double x = fx + i * 9.5, y = rim + 11 + (i % 2 ? 3 : 0);
            Shape(p,
                  Poly({{x - 4, y},
                        {x - 2, y - 3.5},
                        {x + 2, y - 3.5},
                        {x + 4, y},
                        {x + 2, y + 3.5},
                        {x - 2, y + 3.5}}),
                  QColor(130, 190, 90), 0.7);
        }
        Shape(p, RoundRect(QRectF(fx - 27, rim + 19, 54, 5), 2.5), QColor(230, 210, 140));
        break;
    }
    }
}

// ---------------------------------------------------------------- ranks

const char* const kRankNames[24] = {
    "calc-chick.gif",   "calc-wood.gif",    "calc-wood2.gif",    "calc-stone.gif",
    "calc-stone2.gif",  "calc-metal.gif",   "calc-metal2.gif",   "calc-silver.gif",
    "calc-silver2.gif", "calc-gold.gif",    "calc-gold2.gif",    "calc-Bmetal.gif",
    "calc-Bmetal2.gif", "calc-Bsilver.gif", "calc-Bsilver2.gif", "calc-Bgold.gif",
    "calc-Bgold2.gif",  "calc-wand.gif",    "calc-wand2.gif",    "calc-wand3.gif",
    "calc-wand4.gif",   "calc-dragon.gif",  "calc-dragon2.gif",  "calc-dragon3.gif"};

constexpr int kRankSize = 40;

void Badge(QPainter& p, double scale, const QColor& face, int marks, bool wings,
           const QColor& wingColour) {
    const double c = kRankSize / 2.0;
    p.save();
    p.translate(c, c + 1);
    p.scale(scale, scale);
    if (wings) {
        for (int side = -1; side <= 1; side += 2) {
            QPainterPath wing(QPointF(side * 8, -6));
            wing.quadTo(side * 22, -14, side * 19, -2);
            wing.quadTo(side * 17, 6, side * 8, 4);
            wing.closeSubpath();
            Shape(p, wing, wingColour, 1.2);
            Stroke(p, Line({side * 12.0, -4}, {side * 18.0, -5}), wingColour.darker(140), 0.8);
        }
    }
    QPainterPath shield(QPointF(-10, -12));
    shield.lineTo(10, -12);
    shield.quadTo(11, 4, 0, 13);
    shield.quadTo(-11, 4, -10, -12);
    shield.closeSubpath();
    Shape(p, shield, face, 1.2);
    Stroke(p, QTransform::fromScale(0.72, 0.72).map(shield), face.lighter(140), 1);
    for (int i = 0; i < marks; ++i) {
        QPainterPath chevron(QPointF(-6, -3 + i * 5));
        chevron.lineTo(0, -7 + i * 5);
        chevron.lineTo(6, -3 + i * 5);
        Stroke(p, chevron, kInk, 3);
        Stroke(p, chevron, QColor(250, 250, 250), 1.6);
    }
    p.restore();
}

} // namespace

QPoint AnchorPixels(int twipsLeft, int twipsTop) {
    return {qRound(twipsLeft / 15.0), qRound(twipsTop / 15.0)};
}

const QList<Mobile>& Mobiles() {
    return kMobiles;
}

QImage MobilePicture(int index) {
    QImage image = Blank(kLayerWidth, kLayerHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const Mobile& m = kMobiles[index];
    const QPoint home = AnchorPixels(360, 460);
    const QPoint seat = AnchorPixels(m.anchorLeft, m.anchorTop);
    DrawMobile(p, index, kFigureX + seat.x() - home.x(), kFigureWaist + seat.y() - home.y());
    return image;
}

QList<QString> RankPictureNames() {
    QList<QString> names;
    for (const char* name : kRankNames) {
        names.append(QString::fromLatin1(name));
    }
    return names;
}

QImage RankPicture(int index) {
    QImage image = Blank(kRankSize, kRankSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double c = kRankSize / 2.0;
    if (index >= 13) { // the higher ranks glow
        QRadialGradient glow(QPointF(c, c), c);
        const QColor tint = index >= 21   ? QColor(250, 120, 60)
                            : index >= 17 ? QColor(190, 120, 250)
                                          : QColor(250, 220, 120);
        glow.setColorAt(0, tint);
        glow.setColorAt(0.6, QColor(tint.red(), tint.green(), tint.blue(), 150));
        glow.setColorAt(1, QColor(tint.red(), tint.green(), tint.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(c, c), c, c);
    }
    if (index == 0) { // a chick
        Shape(p, Ellipse(20, 25, 10, 9), QColor(250, 220, 70), 1.2);
        Shape(p, Ellipse(22, 14, 7, 7), QColor(250, 224, 80), 1.2);
        Shape(p, Poly({{28, 13}, {33, 15}, {28, 17}}), QColor(250, 140, 40), 1);
        Flat(p, Ellipse(24, 12.5, 1.4, 1.4), kInk);
        Shape(p, Poly({{12, 22}, {17, 24}, {13, 28}}), QColor(240, 200, 60), 1);
        Stroke(p, Line({17, 33}, {16, 37}), QColor(250, 140, 40), 1.5);
        Stroke(p, Line({23, 33}, {24, 37}), QColor(250, 140, 40), 1.5);
        return image;
    }
    if (index <= 16) {
        static const QColor materials[8] = {QColor(170, 120, 70),  QColor(150, 150, 156),
                                            QColor(110, 130, 150), QColor(210, 214, 226),
                                            QColor(250, 200, 60),  QColor(90, 140, 220),
                                            QColor(200, 220, 250), QColor(250, 180, 40)};
        const int step = index - 1; // 0 .. 15
        const int material = step / 2;
        const bool wings = index >= 11;
        Badge(p, 0.82 + step * 0.012, materials[material], 1 + step % 2, wings,
              wings ? materials[material].lighter(120) : QColor());
        if (index >= 15) {
            Shape(p, Star(20, 5.5, 4.5, 2), QColor(250, 230, 110), 1);
        }
        return image;
    }
    if (index <= 20) { // staffs with one to four gems
        const int gems = index - 16;
        Band(p, Line({12, 35}, {27, 9}), QColor(130, 80, 50), 2.5);
        Shape(p, Star(28, 8, 7, 3), QColor(200, 150, 250), 1.1);
        static const QColor gemColours[4] = {QColor(250, 80, 110), QColor(80, 200, 250),
                                             QColor(120, 230, 110), QColor(250, 220, 80)};
        for (int i = 0; i < gems; ++i) {
            Shape(p, Ellipse(8 + i * 7.5, 36 - (i % 2) * 3, 3, 3), gemColours[i], 0.9);
        }
        return image;
    }
    // dragon crests with one to three crowns
    const int crowns = index - 20;
    QPainterPath head(QPointF(8, 30));
    head.quadTo(10, 14, 22, 12);
    head.lineTo(34, 16);
    head.lineTo(33, 22);
    head.lineTo(24, 22);
    head.quadTo(22, 30, 28, 35);
    head.closeSubpath();
    Shape(p, head, QColor(210, 60, 50), 1.2);
    Shape(p, Poly({{14, 15}, {10, 5}, {19, 12}}), QColor(250, 210, 100), 1);
    Eye(p, 24, 16, 2);
    for (int i = 0; i < crowns; ++i) {
        const double x = 27 + (i - (crowns - 1) / 2.0) * 7.5;
        Shape(p,
              Poly({{x - 3.5, 8},
                    {x - 3.5, 2.5},
                    {x - 1.5, 5},
                    {x, 1.5},
                    {x + 1.5, 5},
                    {x + 3.5, 2.5},
                    {x + 3.5, 8}}),
              QColor(250, 210, 60), 0.9);
    }
    return image;
}

QImage BarPicture(int value) {
    QImage image(96, 11, QImage::Format_ARGB32_Premultiplied);
    image.fill(kPanel);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(0.5, 1.5, 72, 8);
    p.setPen(QPen(QColor(12, 10, 20), 1));
    p.setBrush(QColor(20, 20, 32));
    p.drawRoundedRect(track, 3, 3);
    const int v = qBound(0, value, 50);
    if (v > 0) {
        const double width = 71.0 * v / 50.0;
        QLinearGradient g(QPointF(1, 0), QPointF(72, 0));
        g.setColorAt(0.0, QColor(70, 160, 240));
        g.setColorAt(0.4, QColor(80, 210, 120));
        g.setColorAt(0.75, QColor(250, 210, 60));
        g.setColorAt(1.0, QColor(250, 100, 60));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(1, 2, std::max(width, 3.0), 7), 2.5, 2.5);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRoundedRect(QRectF(2, 2.5, std::max(width - 2, 1.0), 2), 1, 1);
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    Text(p, QRectF(74, -1, 21, 13), QString::number(value), 10, true, kText,
         Qt::AlignRight | Qt::AlignVCenter, false);
    return image;
}

QString NegativeMarkerName(int stat) {
    static const char* const names[StatCount] = {
        "neg-stars.gif",  "neg-shield.gif",    "neg-delay.gif",  "neg-attack.gif",
        "neg-hearts.gif", "neg-itemdelay.gif", "neg-shovel.gif", "neg-shieldregen.gif"};
    return QString::fromLatin1(names[stat]);
}

QImage NegativeMarker(int stat) {
    QImage image = Blank(13, 11);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        StatIcon(p, stat, QRectF(0, 0, 13, 11));
    }
    // The icon turns red, then a minus badge goes in its corner.
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(std::min(255, 90 + grey), grey / 4, grey / 4, qAlpha(line[x]));
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(60, 0, 0));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRect(6, 6, 6, 4));
    p.fillRect(QRect(7, 8, 5, 1), QColor(210, 20, 20));
    return image;
}

QImage PreviewBackground() {
    QImage image(240, 132, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(QPointF(0, 0), QPointF(0, 132));
    body.setColorAt(0, kPanelLight);
    body.setColorAt(1, kPanel);
    p.fillRect(image.rect(), kPanel);
    p.setBrush(body);
    p.setPen(QPen(QColor(12, 10, 22), 1));
    p.drawRect(QRectF(0.5, 0.5, 239, 131));
    // Title bar.
    QLinearGradient title(QPointF(0, 1), QPointF(0, 15));
    title.setColorAt(0, QColor(110, 96, 200));
    title.setColorAt(1, QColor(56, 44, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(title);
    p.drawRect(QRectF(1, 1, 238, 14));
    p.setPen(QColor(20, 14, 40));
    p.drawLine(QPointF(1, 15.5), QPointF(239, 15.5));
    Text(p, QRectF(6, 1, 200, 14), QStringLiteral("AVATAR PREVIEW"), 9, true, kText);
    Flat(p, Star(230, 8, 4, 1.8), kGold);
    // Figure stage: a sky that fades into a floor.
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient sky(QPointF(0, kFigureArea.top()), QPointF(0, kFigureArea.bottom()));
    sky.setColorAt(0, QColor(150, 190, 240));
    sky.setColorAt(0.72, QColor(206, 222, 246));
    sky.setColorAt(0.73, QColor(170, 200, 150));
    sky.setColorAt(1, QColor(120, 170, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(FigureAreaPath());
    p.setRenderHint(QPainter::Antialiasing);
    p.save();
    p.setClipPath(FigureAreaPath());
    for (QPointF cloud : {QPointF(34, 40), QPointF(98, 50)}) {
        Flat(p, Ellipse(cloud.x(), cloud.y(), 8, 3.2), QColor(246, 248, 255));
        Flat(p, Ellipse(cloud.x() + 5, cloud.y() - 2, 5, 3), QColor(246, 248, 255));
    }
    Flat(p, Ellipse(60, 99, 16, 2.6), QColor(90, 130, 90));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(14, 10, 26), 2));
    p.drawPath(RoundRect(kFigureArea.adjusted(-1, -1, 1, 1), 9));
    p.setPen(QPen(QColor(140, 130, 220), 1));
    p.drawPath(RoundRect(kFigureArea.adjusted(-2.5, -2.5, 2.5, 2.5), 10));
    // Stat rows: icon and bar place.
    for (int i = 0; i < StatCount; ++i) {
        const int y = RowY(i);
        if (i % 2 == 0) {
            p.fillRect(QRectF(kIconX - 2, y - 1, 240 - kIconX, 13), QColor(255, 255, 255, 14));
        }
        StatIcon(p, i, QRectF(kIconX, y, 13, 11));
    }
    p.end();
    return QuantiseForGif(image, GifOptions{}).convertToFormat(QImage::Format_ARGB32);
}

QImage PreviewFrame(const QImage& background) {
    QImage frame = background.copy(0, 0, 129, 102).convertToFormat(QImage::Format_ARGB32);
    const QPainterPath inside = FigureAreaPath();
    for (int y = 0; y < frame.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            if (inside.contains(QPointF(x + 0.5, y + 0.5))) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return frame;
}

QImage MainBase() {
    QImage image = Blank(642, 403);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Behind the preview box.
    Panel(p, QRectF(3.5, 3.5, 249, 141), 8, kPanelLight);
    // Shop: cost line and four item shelves.
    Panel(p, QRectF(250.5, 12.5, 362, 380), 12, kPanel);
    Text(p, QRectF(262, 23, 136, 21), QStringLiteral("Total cost"), 13, true, kText,
         Qt::AlignRight | Qt::AlignVCenter);
    Well(p, QRectF(403.5, 22.5, 102, 22));
    Text(p, QRectF(510, 23, 60, 21), QStringLiteral("gold"), 12, false, kGold);
    Flat(p, Ellipse(586, 33.5, 7, 7), QColor(200, 150, 40));
    Flat(p, Ellipse(586, 33.5, 5.5, 5.5), kGold);
    for (QPointF at : {QPointF(262, 62), QPointF(440, 62), QPointF(262, 224), QPointF(440, 224)}) {
        p.setPen(QPen(QColor(10, 8, 18), 1));
        p.setBrush(QColor(18, 18, 30));
        p.drawRoundedRect(QRectF(at.x() - 3.5, at.y() - 3.5, 167, 163), 6, 6);
    }
    // Outfit column: gender and the four item lists.
    Panel(p, QRectF(40.5, 152.5, 172, 158), 10, kPanel);
    Text(p, QRectF(56, 158, 140, 22), QStringLiteral("Outfit"), 14, true, kGold);
    for (int i = 0; i < 5; ++i) {
        Well(p, QRectF(55.5, 183.5 + 24 * i, 138, 22));
    }
    // Name plate between the outfit column and the menu strip.
    Panel(p, QRectF(40.5, 316.5, 172, 44), 10, QColor(70, 56, 150));
    Text(p, QRectF(40, 316, 172, 30), QStringLiteral("ZORVEX"), 22, true, kText, Qt::AlignCenter);
    Text(p, QRectF(40, 341, 172, 16), QStringLiteral("outfit planner"), 11, false,
         QColor(200, 190, 250), Qt::AlignCenter);
    return image;
}

QImage MenuStrip() {
    QImage image = Blank(172, 31);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Panel(p, QRectF(0.5, 0.5, 171, 30), 14, kPanelLight);
    Text(p, QRectF(58, 6, 76, 19), QStringLiteral("Efficiency"), 11, true, kText,
         Qt::AlignRight | Qt::AlignVCenter);
    Well(p, QRectF(135.5, 6.5, 27, 18));
    return image;
}

QImage SoundButton(bool on) {
    QImage image = Blank(22, 19);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Shape(p, RoundRect(QRectF(0.5, 0.5, 21, 18), 5),
          on ? QColor(80, 170, 110) : QColor(120, 110, 130));
    Shape(p, Poly({{4, 7}, {7, 7}, {11, 3.5}, {11, 15.5}, {7, 12}, {4, 12}}), kText, 0.8);
    if (on) {
        QPainterPath wave1(QPointF(13.5, 7));
        wave1.quadTo(15.5, 9.5, 13.5, 12);
        QPainterPath wave2(QPointF(15.5, 5));
        wave2.quadTo(19.5, 9.5, 15.5, 14);
        Stroke(p, wave1, kText, 1.3);
        Stroke(p, wave2, kText, 1.3);
    } else {
        Stroke(p, Line({13.5, 6.5}, {18.5, 12.5}), QColor(250, 90, 90), 1.8);
        Stroke(p, Line({18.5, 6.5}, {13.5, 12.5}), QColor(250, 90, 90), 1.8);
    }
    return image;
}

QImage RandomButton() {
    QImage image = Blank(20, 19);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Shape(p, RoundRect(QRectF(1.5, 1.5, 17, 16), 4), QColor(246, 246, 250), 1.2);
    for (QPointF pt :
         {QPointF(6, 6), QPointF(10, 9.5), QPointF(14, 13), QPointF(14, 6), QPointF(6, 13)}) {
        Flat(p, Ellipse(pt.x(), pt.y(), 1.5, 1.5), QColor(200, 40, 60));
    }
    return image;
}

QImage Splash() {
    QImage image = Blank(400, 400);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath outline = RoundRect(QRectF(2, 22, 396, 376), 24);
        outline.addPath(RoundRect(QRectF(40, 2, 320, 46), 16));
        outline.setFillRule(Qt::WindingFill);
        outline = outline.simplified();
        QLinearGradient body(QPointF(0, 0), QPointF(0, 400));
        body.setColorAt(0, QColor(70, 56, 150));
        body.setColorAt(1, QColor(30, 26, 70));
        p.setBrush(body);
        p.setPen(QPen(QColor(14, 10, 30), 2));
        p.drawPath(outline);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(170, 150, 250), 1.2));
        p.drawPath(QTransform::fromTranslate(200, 200)
                       .scale(0.985, 0.985)
                       .translate(-200, -200)
                       .map(outline));
        Text(p, QRectF(40, 2, 320, 32), QStringLiteral("ZORVEX"), 26, true, kText, Qt::AlignCenter);
        Text(p, QRectF(40, 30, 320, 16), QStringLiteral("outfit planner for Korvane"), 10, false,
             QColor(210, 200, 255), Qt::AlignCenter);
        // The notes panel behind the news text.
        p.setPen(QPen(QColor(10, 8, 24), 1));
        p.setBrush(QColor(20, 18, 40));
        p.drawRoundedRect(QRectF(18.5, 50.5, 363, 242), 8, 8);
        for (int i = 0; i < 28; ++i) {
            const uint32_t h = Hash(static_cast<uint32_t>(i) + 77);
            const double x = 24 + (h % 350), y = 300 + ((h >> 9) % 40);
            if (x > 140 && x < 380 && y > 296) {
                continue;
            }
            Flat(p, Star(x, y, 1.6, 0.6, 4), QColor(250, 240, 200));
        }
        // Two figures dressed up, in the corner beside the OK button.
        const QList<Catalogue> shop = ShippedCatalogues();
        auto wear = [&](Gender g, QPointF at, const Item& helmet, const Item& armor,
                        const Item& goggles, const Item& flag) {
            p.save();
            p.translate(at);
            p.scale(1.0, 1.0);
            p.drawImage(0, 0, ItemLayer(flag));
            p.drawImage(0, 0, ItemLayer(helmet));
            p.drawImage(0, 0, ItemLayer(goggles));
            p.drawImage(0, 0, ItemLayer(armor));
            (void)g;
            p.restore();
        };
        // Outfits without tall hats, so nothing reaches up into the two notes above.
        wear(Gender::Male, QPointF(150, 326), shop[0].items[12], shop[1].items[16],
             shop[2].items[6], shop[6].items[2]);
        wear(Gender::Female, QPointF(200, 326), shop[3].items[6], shop[4].items[16],
             shop[5].items[8], shop[6].items[11]);
    }
    // Everything outside the outline is the exact cut-out colour, nothing inside is.
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            line[x] = qAlpha(line[x]) < 128 ? qRgb(255, 0, 255)
                                            : qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
        }
    }
    return out;
}

QImage OkButton(bool active) {
    QImage image = Blank(80, 34);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor face = active ? QColor(80, 190, 110) : QColor(96, 92, 110);
    Shape(p, RoundRect(QRectF(1, 1, 78, 32), 12), face, 1.5);
    p.setPen(QPen(QColor(255, 255, 255, active ? 120 : 50), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3.5, 3.5, 73, 27), 10, 10);
    Text(p, QRectF(0, 0, 80, 34), QStringLiteral("OK"), 18, true,
         active ? QColor(255, 255, 255) : QColor(170, 166, 180), Qt::AlignCenter, active);
    return image;
}

QImage CalcButton() {
    QImage image = Blank(100, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Shape(p, RoundRect(QRectF(1, 1, 98, 28), 10), QColor(230, 150, 50), 1.5);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3.5, 3.5, 93, 23), 8, 8);
    Text(p, QRectF(0, 0, 100, 30), QStringLiteral("CALC"), 16, true, Qt::white, Qt::AlignCenter);
    return image;
}

QImage CalculatorBackground(bool advanced) {
    // Each row: a label on the left, a calm well for the window's own control, a unit after it.
    // The control places are listed in calculator-layout.md beside this file.
    struct Row {
        const char* label;
        const char* unit;
        bool picture; // the rank picture's square instead of a field
    };
    struct Column {
        int x, y, width, fieldX, fieldWidth;
        const char* heading;
        QList<Row> rows;
        bool inputs;
    };
    const QList<Row> basicInputs = {{"Total item cost", "gold", false},
                                    {"% Win rate", "%", false},
                                    {"Average gold per win", "gold", false},
                                    {"Average gold per loss", "gold", false},
                                    {"Average time per game", "min", false}};
    const QList<Row> basicResults = {{"Required number of games", "", false},
                                     {"Wins", "", false},
                                     {"Losses", "", false},
                                     {"Required playtime", "hours", false}};
    const QList<Row> advancedInputs = {{"Total item cost", "gold", false},
                                       {"Current gold", "gold", false},
                                       {"% Win rate", "%", false},
                                       {"Average gold per win", "gold", false},
                                       {"Average gold per loss", "gold", false},
                                       {"Average time per game", "min", false},
                                       {"Current GP", "GP", false},
                                       {"Average GP per win", "GP", false},
                                       {"Average GP per loss", "GP", false}};
    const QList<Row> advancedResults = {{"Required number of games", "", false},
                                        {"Wins", "", false},
                                        {"Losses", "", false},
                                        {"Total GP", "", false},
                                        {"Level", "", true},
                                        {"Required playtime", "hours", false}};
    const QList<Column> columns =
        advanced ? QList<Column>{{8, 8, 316, 184, 91, "Your figures", advancedInputs, true},
                                 {332, 8, 300, 176, 78, "Results", advancedResults, false}}
                 : QList<Column>{{10, 8, 380, 204, 111, "Your figures", basicInputs, true},
                                 {10, 180, 380, 204, 111, "Results", basicResults, false}};
    QImage image = advanced ? Blank(640, 330) : Blank(400, 364);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Column& c : columns) {
        int height = 32;
        for (const Row& row : c.rows) {
            height += row.picture ? 48 : 26;
        }
        Panel(p, QRectF(c.x + 0.5, c.y + 0.5, c.width, height), 10,
              c.inputs ? kPanel : kPanelLight);
        Text(p, QRectF(c.x + 12, c.y + 4, 300, 22), QString::fromLatin1(c.heading), 13, true,
             kGold);
        int y = c.y + 30;
        for (const Row& row : c.rows) {
            Text(p, QRectF(c.x + 12, y, c.fieldX - 16, 21), QString::fromLatin1(row.label),
                 c.fieldX < 200 ? 11 : 12, false, kText);
            const int fx = c.x + c.fieldX;
            if (row.picture) {
                Well(p, QRectF(fx - 0.5, y - 0.5, 44, 44), QColor(28, 26, 44));
                y += 48;
                continue;
            }
            Well(p, QRectF(fx - 0.5, y - 0.5, c.fieldWidth + 1, 22));
            Text(p, QRectF(fx + c.fieldWidth + 6, y, c.width - c.fieldX - c.fieldWidth - 6, 21),
                 QString::fromLatin1(row.unit), 11, false, QColor(200, 196, 230));
            y += 26;
        }
    }
    return image;
}

QImage ProgramIcon(int size) {
    QImage image = Blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Drawn on a 64-unit grid at any size, so every size is as sharp as its pixels allow.
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient g(QPointF(0, 0), QPointF(0, 64));
    g.setColorAt(0, QColor(120, 96, 220));
    g.setColorAt(1, QColor(40, 30, 100));
    p.setBrush(g);
    p.setPen(QPen(QColor(20, 12, 40), 2));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    Text(p, QRectF(0, 2, 64, 60), QStringLiteral("Z"), 46, true, kText, Qt::AlignCenter);
    Shape(p, Star(49, 15, 8, 3.4), kGold, 1.4);
    return image;
}

QList<Skin> Skins() {
    const int w = 720, h = 480;
    QList<Skin> skins;
    { // Midnight: a starry night over dark hills
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(QPointF(0, 0), QPointF(0, h));
        sky.setColorAt(0, QColor(12, 14, 40));
        sky.setColorAt(0.7, QColor(34, 30, 84));
        sky.setColorAt(1, QColor(60, 40, 100));
        p.fillRect(image.rect(), sky);
        for (int i = 0; i < 220; ++i) {
            const uint32_t r = Hash(static_cast<uint32_t>(i) * 2654435761U + 7);
            const double x = r % w, y = (r >> 10) % (h - 90);
            const double size = 0.5 + ((r >> 20) % 10) / 7.0;
            Flat(p, Ellipse(x, y, size, size),
                 QColor(255, 250, 230, 120 + static_cast<int>((r >> 24) % 120)));
        }
        Flat(p, Ellipse(640, 70, 30, 30), QColor(250, 244, 210));
        Flat(p, Ellipse(654, 62, 28, 28), QColor(22, 22, 58));
        QPainterPath hills(QPointF(0, h));
        hills.lineTo(0, h - 70);
        hills.cubicTo(150, h - 130, 260, h - 40, 400, h - 90);
        hills.cubicTo(520, h - 130, 620, h - 60, w, h - 100);
        hills.lineTo(w, h);
        hills.closeSubpath();
        Flat(p, hills, QColor(18, 16, 40));
        p.end();
        skins.append({QStringLiteral("Midnight"), QStringLiteral("midnight-sky.gif"), image});
    }
    { // Meadow: a bright day with soft hills
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(QPointF(0, 0), QPointF(0, h));
        sky.setColorAt(0, QColor(110, 170, 230));
        sky.setColorAt(0.75, QColor(200, 226, 248));
        p.fillRect(image.rect(), sky);
        for (int i = 0; i < 9; ++i) {
            const uint32_t r = Hash(static_cast<uint32_t>(i) + 1234);
            const double x = r % w, y = 40 + (r >> 12) % 220;
            for (int k = 0; k < 4; ++k) {
                Flat(p, Ellipse(x + k * 18, y - (k % 2) * 8, 26, 14), QColor(255, 255, 255, 210));
            }
        }
        QPainterPath far(QPointF(0, h));
        far.lineTo(0, h - 120);
        far.cubicTo(200, h - 200, 380, h - 90, w, h - 150);
        far.lineTo(w, h);
        far.closeSubpath();
        Flat(p, far, QColor(120, 180, 100));
        QPainterPath near(QPointF(0, h));
        near.lineTo(0, h - 60);
        near.cubicTo(240, h - 110, 480, h - 30, w, h - 80);
        near.lineTo(w, h);
        near.closeSubpath();
        Flat(p, near, QColor(80, 150, 70));
        p.end();
        skins.append({QStringLiteral("Meadow"), QStringLiteral("meadow-day.gif"), image});
    }
    return skins;
}

QByteArray WhatsNew() {
    const char* const lines[] = {
        "Zorvex 1.2 - what is new",
        "",
        "- 32 new items in every list: helmets, armor and goggles",
        "  for both figures, and 32 flags to carry.",
        "- Every item has its own shop picture and preview layer.",
        "- Seventeen mobiles: choose one in the Mobile menu and",
        "  the figure takes its seat.",
        "- The advanced calculator shows all 24 ranks.",
        "- Two skins: Midnight and Meadow.",
        "- New music for the shop.",
        "",
        "Have fun planning your next outfit!",
    };
    QByteArray text;
    for (const char* line : lines) {
        text += QByteArray(line) + "\r\n";
    }
    return text;
}

} // namespace zvdata

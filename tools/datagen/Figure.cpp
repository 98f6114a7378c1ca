#include "Figure.h"

#include "Shapes.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <initializer_list>

namespace zvdata {
namespace {

const QColor kInk(44, 30, 46);
const QColor kSkin(247, 208, 172);
const QColor kDummy(196, 200, 214);
const QColor kMaleHair(98, 62, 36);
const QColor kFemaleHair(136, 56, 44);

// One drawing pass: where to draw and how thick outlines are in layer units.
struct Ctx {
    QPainter& p;
    Gender gender;
    double ink = 1.0;       // outline width in layer pixels
    bool mannequin = false; // shop pictures show items on a plain dummy
    QColor skin() const { return mannequin ? kDummy : kSkin; }
};

QPainterPath RoundRect(double x1, double y1, double x2, double y2, double r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)), r, r);
    return path;
}

// Mirror image across the figure's centre line (left arm -> right arm).
QPainterPath Mirror(const QPainterPath& path) {
    return QTransform(-1, 0, 0, 1, 2 * kFigureX, 0).map(path);
}

QPainterPath Both(const QPainterPath& left) {
    QPainterPath path = left;
    path.addPath(Mirror(left));
    return path;
}

// Fills with a soft top-light and outlines in ink.
void Shape(Ctx& c, const QPainterPath& path, const QColor& fill, bool outline = true) {
    const QRectF box = path.boundingRect();
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, fill.lighter(118));
    g.setColorAt(1, fill.darker(112));
    c.p.setBrush(g);
    c.p.setPen(outline ? QPen(kInk, c.ink, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                       : QPen(Qt::NoPen));
    c.p.drawPath(path);
}

void Flat(Ctx& c, const QPainterPath& path, const QColor& fill) {
    c.p.setBrush(fill);
    c.p.setPen(Qt::NoPen);
    c.p.drawPath(path);
}

void Stroke(Ctx& c, const QPainterPath& path, const QColor& colour, double width) {
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.drawPath(path);
}

// A thick coloured line with an ink edge (straps, tubes, arches).
void Band(Ctx& c, const QPainterPath& path, const QColor& colour, double width) {
    Stroke(c, path, kInk, width + 2 * c.ink);
    Stroke(c, path, colour, width);
}

// ---------------------------------------------------------------- heads

void BackHair(Ctx& c) {
    if (c.gender == Gender::Female && !c.mannequin) {
        Shape(c, RoundRect(22.5, 18, 49.5, 48, 10), kFemaleHair);
    }
}

void Face(Ctx& c) {
    Shape(c, Ellipse(36, 29, 11, 11), c.skin());
    if (c.mannequin) {
        return;
    }
    Flat(c, Ellipse(29.6, 34.4, 1.5, 1.0), QColor(240, 160, 150));
    Flat(c, Ellipse(42.4, 34.4, 1.5, 1.0), QColor(240, 160, 150));
    Flat(c, Ellipse(32, 31, 1.45, 1.9), kInk);
    Flat(c, Ellipse(40, 31, 1.45, 1.9), kInk);
    Flat(c, Ellipse(32.5, 30.3, 0.55, 0.55), Qt::white);
    Flat(c, Ellipse(40.5, 30.3, 0.55, 0.55), Qt::white);
    QPainterPath mouth(QPointF(34.4, 35.8));
    mouth.quadTo(36, 37.2, 37.6, 35.8);
    Stroke(c, mouth, QColor(170, 80, 70), 0.7);
}

void FrontHair(Ctx& c) {
    if (c.mannequin) {
        return;
    }
    QPainterPath hair;
    if (c.gender == Gender::Male) {
        hair.moveTo(24.6, 31);
        hair.cubicTo(23, 13, 49, 13, 47.4, 31);
        for (QPointF pt : {QPointF(46.2, 26.5), QPointF(43.5, 24.5), QPointF(41.5, 26),
                           QPointF(38.5, 23.5), QPointF(36, 25.5), QPointF(33, 23.5),
                           QPointF(30.5, 26), QPointF(28, 24.5), QPointF(25.8, 27)}) {
            hair.lineTo(pt);
        }
        hair.closeSubpath();
        Shape(c, hair, kMaleHair);
    } else {
        hair.moveTo(24.3, 37);
        hair.cubicTo(22, 13, 50, 13, 47.7, 37);
        for (QPointF pt : {QPointF(46, 33), QPointF(45.3, 26.5), QPointF(41, 24), QPointF(37, 26.5),
                           QPointF(32, 23.5), QPointF(27.8, 26.8), QPointF(26.4, 33)}) {
            hair.lineTo(pt);
        }
        hair.closeSubpath();
        Shape(c, hair, kFemaleHair);
    }
}

void Dome(Ctx& c, const QColor& colour, double top = 12, double bottom = 27) {
    QPainterPath dome(QPointF(24.5, bottom));
    dome.cubicTo(23.6, top, 48.4, top, 47.5, bottom);
    dome.closeSubpath();
    Shape(c, dome, colour);
}

void Helmet(Ctx& c, const Look& l) {
    switch (l.style) {
    case 0: { // cap
        Dome(c, l.main, 13, 26);
        Shape(c, Ellipse(36, 26.3, 12.5, 2.3), l.second);
        Shape(c, Ellipse(36, 20.5, 2.2, 2.2), l.accent);
        break;
    }
    case 1: { // knitted hat with a bobble
        Dome(c, l.main, 10.5, 27);
        Shape(c, RoundRect(24, 23.5, 48, 28, 1.5), l.second);
        for (double x = 26.5; x < 47; x += 2.5) {
            Stroke(c, Line({x, 24.3}, {x, 27.2}), l.second.darker(130), 0.6);
        }
        Shape(c, Ellipse(36, 12.5, 3.2, 3.2), l.accent);
        break;
    }
    case 2: { // crown
        FrontHair(c);
        Shape(c,
              Poly({{26, 25},
                    {26, 21},
                    {26.5, 13},
                    {30.5, 18},
                    {36, 10.5},
                    {41.5, 18},
                    {45.5, 13},
                    {46, 21},
                    {46, 25}}),
              l.main);
        Shape(c, Ellipse(36, 22.5, 1.8, 1.8), l.second);
        Shape(c, Ellipse(30.5, 22.5, 1.2, 1.2), l.accent);
        Shape(c, Ellipse(41.5, 22.5, 1.2, 1.2), l.accent);
        for (QPointF pt : {QPointF(26.5, 13), QPointF(36, 10.5), QPointF(45.5, 13)}) {
            Shape(c, Ellipse(pt.x(), pt.y(), 1.1, 1.1), l.accent);
        }
        break;
    }
    case 3: { // horned helm
        QPainterPath horn(QPointF(26.5, 21));
        horn.quadTo(18, 20, 16.5, 8.5);
        horn.quadTo(21.5, 15, 28.5, 16.5);
        horn.closeSubpath();
        Shape(c, Both(horn), l.accent);
        Dome(c, l.main, 11.5, 27);
        Shape(c, RoundRect(24, 24, 48, 28, 1.2), l.second);
        for (double x = 27; x < 47; x += 4.5) {
            Flat(c, Ellipse(x, 26, 0.7, 0.7), l.second.lighter(150));
        }
        break;
    }
    case 4: { // knight's helm with a plume
        QPainterPath plume(QPointF(34, 15));
        plume.cubicTo(30, 4, 44, 1.5, 51, 9.5);
        plume.cubicTo(45, 7.5, 40.5, 9, 38.5, 15);
        plume.closeSubpath();
        Shape(c, plume, l.accent);
        Dome(c, l.main, 11, 27);
        Shape(c, Both(Poly({{24.2, 25.5}, {24.8, 34}, {27.8, 33}, {28.2, 25.5}})), l.main);
        Shape(c, RoundRect(34.9, 23.5, 37.1, 31.5, 0.8), l.second);
        Shape(c, RoundRect(24, 24, 48, 26.5, 1), l.second);
        break;
    }
    case 5: { // pointed hat
        Shape(c, Ellipse(36, 24.5, 14, 3), l.second);
        QPainterPath cone(QPointF(26.5, 24));
        cone.lineTo(45.5, 24);
        cone.quadTo(41, 12, 47, 2.5);
        cone.quadTo(31, 8, 26.5, 24);
        cone.closeSubpath();
        Shape(c, cone, l.main);
        Shape(c, Poly({{26.2, 23.5}, {45.8, 23.5}, {44.8, 20.2}, {27.5, 20.2}}), l.second);
        Flat(c, Star(36, 14.5, 2.6, 1.1), l.accent);
        Flat(c, Star(40.5, 9.5, 1.4, 0.6), l.accent);
        break;
    }
    case 6: { // tall hat
        Shape(c, Ellipse(36, 22.5, 13, 2.6), l.main);
        Shape(c, RoundRect(28, 6, 44, 22.5, 1.2), l.main);
        Shape(c, Poly({{28, 17.5}, {44, 17.5}, {44, 21}, {28, 21}}), l.second);
        Shape(c, RoundRect(38, 17, 41.5, 21.5, 0.5), l.accent);
        break;
    }
    case 7: { // head scarf with a knot
        QPainterPath tail1 = Poly({{47.5, 25.5}, {55, 29.5}, {53.5, 32.5}, {47, 28.5}});
        QPainterPath tail2 = Poly({{47.5, 26}, {54, 22.5}, {55.5, 25.5}, {48, 27.5}});
        Shape(c, tail1, l.main.darker(110));
        Shape(c, tail2, l.main.darker(110));
        QPainterPath cloth(QPointF(24.8, 28));
        cloth.cubicTo(23, 12.5, 49, 12.5, 47.2, 28);
        cloth.quadTo(36, 23.5, 24.8, 28);
        cloth.closeSubpath();
        Shape(c, cloth, l.main);
        for (QPointF pt : {QPointF(30, 19), QPointF(36, 17), QPointF(42, 19), QPointF(33, 23),
                           QPointF(39, 23), QPointF(27.5, 24.5), QPointF(44.5, 24.5)}) {
            Flat(c, Ellipse(pt.x(), pt.y(), 0.9, 0.9), l.accent);
        }
        Shape(c, Ellipse(47.8, 26.5, 2, 2), l.main);
        break;
    }
    case 8: { // circlet
        FrontHair(c);
        Shape(c, Poly({{25.5, 23}, {36, 19.5}, {46.5, 23}, {46.5, 25}, {36, 21.5}, {25.5, 25}}),
              l.main);
        Shape(c, Poly({{33, 21}, {36, 13}, {39, 21}}), l.main);
        Shape(c, Ellipse(36, 18, 1.8, 2.2), l.second);
        Shape(c, Ellipse(29.5, 22.7, 1, 1), l.accent);
        Shape(c, Ellipse(42.5, 22.7, 1, 1), l.accent);
        break;
    }
    case 9: { // big bow
        FrontHair(c);
        QTransform t;
        t.translate(43, 17);
        t.rotate(-15);
        QPainterPath loops;
        loops.addEllipse(QPointF(-4.5, 0), 4.5, 3.2);
        loops.addEllipse(QPointF(4.5, 0), 4.5, 3.2);
        QPainterPath tails =
            Poly({{-1, 1}, {-4, 7}, {-1.5, 6.5}, {0, 2}, {1.5, 6.5}, {4, 7}, {1, 1}});
        Shape(c, t.map(tails), l.main.darker(115));
        Shape(c, t.map(loops), l.main);
        Flat(c, t.map(Ellipse(-5, 0, 0.9, 0.9)), l.accent);
        Flat(c, t.map(Ellipse(5, 0, 0.9, 0.9)), l.accent);
        Shape(c, t.map(Ellipse(0, 0, 1.9, 1.9)), l.second);
        break;
    }
    case 10: { // hood with ears
        QPainterPath ear = Poly({{24.5, 22}, {25.5, 9.5}, {33, 16.5}});
        Shape(c, Both(ear), l.main);
        Flat(c, Both(Poly({{26, 19.5}, {26.6, 12.5}, {31, 16.8}})), l.second);
        QPainterPath hood = Ellipse(36, 29, 13.5, 13.5).subtracted(Ellipse(36, 31.5, 9, 8.5));
        Shape(c, hood, l.main);
        Flat(c, Ellipse(36, 17.3, 1.3, 1.3), l.accent);
        break;
    }
    case 11: { // brimmed hat with a feather
        QPainterPath feather(QPointF(43, 20));
        feather.cubicTo(53, 12, 51, 2, 41.5, 2.5);
        feather.cubicTo(48, 7, 47.5, 13.5, 41.5, 19);
        feather.closeSubpath();
        Shape(c, feather, l.accent);
        Shape(c, Ellipse(36, 22, 16, 3.4), l.main);
        QPainterPath crown(QPointF(27.5, 22));
        crown.cubicTo(27, 9.5, 45, 9.5, 44.5, 22);
        crown.closeSubpath();
        Shape(c, crown, l.main);
        Shape(c, Poly({{27.6, 17.5}, {44.4, 17.5}, {44.5, 20.5}, {27.5, 20.5}}), l.second);
        break;
    }
    case 12: { // headphones
        FrontHair(c);
        QPainterPath arch(QPointF(24.5, 29));
        arch.cubicTo(22.5, 11, 49.5, 11, 47.5, 29);
        Band(c, arch, l.main, 2);
        Shape(c, RoundRect(21.5, 25, 27, 35, 2.2), l.second);
        Shape(c, RoundRect(45, 25, 50.5, 35, 2.2), l.second);
        Flat(c, Ellipse(24.2, 30, 1.2, 2.4), l.accent);
        Flat(c, Ellipse(47.8, 30, 1.2, 2.4), l.accent);
        break;
    }
    case 13: { // halo
        FrontHair(c);
        Shape(c, Ellipse(36, 11.5, 9.5, 2.8).subtracted(Ellipse(36, 11.5, 6.6, 1.4)), l.main);
        Flat(c, Star(25.5, 13, 1.8, 0.6, 4), l.accent);
        Flat(c, Star(47, 9.5, 1.4, 0.5, 4), l.accent);
        break;
    }
    case 14: { // tall puffed cook's hat
        QPainterPath puff;
        puff.addEllipse(QPointF(30, 13.5), 5, 5);
        puff.addEllipse(QPointF(36, 10), 6, 6);
        puff.addEllipse(QPointF(42, 13.5), 5, 5);
        puff.addRect(QRectF(QPointF(28, 13), QPointF(44, 21)));
        puff.setFillRule(Qt::WindingFill);
        Shape(c, puff.simplified(), l.main);
        Shape(c, RoundRect(26.8, 19.5, 45.2, 24.5, 1), l.second);
        Flat(c, Ellipse(36, 22, 1.1, 1.1), l.accent);
        break;
    }
    case 15: { // three-cornered hat
        QPainterPath hat(QPointF(21.5, 24.5));
        hat.quadTo(36, 17.5, 50.5, 24.5);
        hat.lineTo(46.5, 13);
        hat.quadTo(36, 7, 25.5, 13);
        hat.closeSubpath();
        Shape(c, hat, l.main);
        QPainterPath trim(QPointF(22.8, 23.3));
        trim.quadTo(36, 17, 49.2, 23.3);
        Stroke(c, trim, l.accent, 1.1);
        Shape(c, Ellipse(36, 15.5, 2.2, 2.2), l.second);
        break;
    }
    case 16: { // flower wreath
        FrontHair(c);
        for (int i = 0; i < 7; ++i) {
            const double a = qDegreesToRadians(196.0 + i * 24.7);
            const double x = 36 + 11.5 * std::cos(a), y = 29 + 11.5 * std::sin(a);
            const QColor petal = (i % 2) ? l.second : l.main;
            for (int k = 0; k < 5; ++k) {
                const double b = k * 2 * M_PI / 5;
                Shape(c, Ellipse(x + 1.4 * std::cos(b), y + 1.4 * std::sin(b), 1.2, 1.2), petal,
                      false);
            }
            Flat(c, Ellipse(x, y, 0.9, 0.9), l.accent);
        }
        break;
    }
    case 17: { // glass bubble with an aerial
        FrontHair(c);
        Stroke(c, Line({36, 14.5}, {36, 8}), kInk, 1.1);
        Shape(c, Ellipse(36, 7.5, 1.9, 1.9), l.accent);
        Shape(c, Ellipse(36, 28.5, 14.5, 14.5).subtracted(Ellipse(36, 28.5, 13.2, 13.2)), l.main);
        QPainterPath shine(QPointF(26, 25));
        shine.quadTo(27, 18.5, 32.5, 16.5);
        Stroke(c, shine, Qt::white, 1.2);
        break;
    }
    case 18: { // crested helm
        QPainterPath crest(QPointF(29.5, 16));
        for (int i = 0; i < 6; ++i) {
            crest.lineTo(30.5 + i * 2.2, 4.5 + (i % 2) * 3 + std::abs(i - 2.5) * 1.2);
            crest.lineTo(31.6 + i * 2.2, 13.5);
        }
        crest.lineTo(42.5, 16);
        crest.closeSubpath();
        Shape(c, crest, l.accent);
        Dome(c, l.main, 11.5, 27);
        Shape(c, RoundRect(24, 24, 48, 27.5, 1.2), l.second);
        break;
    }
    case 19: { // wrapped turban
        Shape(c, Ellipse(36, 19.5, 13, 7.5), l.main);
        QPainterPath fold1(QPointF(25, 20));
        fold1.quadTo(36, 13.5, 47, 21);
        QPainterPath fold2(QPointF(26, 24.5));
        fold2.quadTo(38, 17, 46.5, 16);
        Stroke(c, fold1, l.second, 1.1);
        Stroke(c, fold2, l.second, 1.1);
        QPainterPath plumeT(QPointF(36, 18));
        plumeT.quadTo(34, 9, 39, 6.5);
        plumeT.quadTo(37.5, 11, 37.5, 18);
        Shape(c, plumeT, l.second.lighter(130));
        Shape(c, Ellipse(36, 19.5, 2.2, 2.4), l.accent);
        break;
    }
    case 20: { // bouncing feelers
        FrontHair(c);
        QPainterPath left(QPointF(30, 19));
        left.cubicTo(27, 15, 31, 12, 27, 7);
        Stroke(c, left, kInk, 1.2);
        Stroke(c, Mirror(left), kInk, 1.2);
        Shape(c, Ellipse(27, 6.5, 2.4, 2.4), l.accent);
        Shape(c, Ellipse(45, 6.5, 2.4, 2.4), l.accent);
        QPainterPath band(QPointF(25, 24));
        band.cubicTo(25, 14.5, 47, 14.5, 47, 24);
        Band(c, band, l.main, 1.6);
        break;
    }
    default: { // flying cap with ear flaps
        Shape(c, Both(Poly({{24.2, 23}, {24.6, 36.5}, {27.2, 37.5}, {28.6, 23}})), l.second);
        Dome(c, l.main, 11.5, 26);
        Shape(c, RoundRect(24.5, 23.5, 47.5, 26.5, 1.2), l.second);
        Shape(c, RoundRect(29, 19.5, 34.5, 23.5, 1.5), l.accent);
        Shape(c, RoundRect(37.5, 19.5, 43, 23.5, 1.5), l.accent);
        break;
    }
    }
}

void Head(Ctx& c) {
    BackHair(c);
    Face(c);
}

// ---------------------------------------------------------------- goggles

void Goggles(Ctx& c, const Look& l) {
    const QPointF eyes[2] = {{32, 31}, {40, 31}};
    switch (l.style) {
    case 0: { // round flying goggles
        Shape(c, RoundRect(24, 29, 48, 32.6, 1), l.second);
        for (QPointF e : eyes) {
            Shape(c, Ellipse(e.x(), e.y() - 0.2, 4.2, 4.2), l.main);
            Shape(c, Ellipse(e.x(), e.y() - 0.2, 2.9, 2.9), l.accent);
            Flat(c, Ellipse(e.x() - 1, e.y() - 1.3, 0.9, 0.7), Qt::white);
        }
        break;
    }
    case 1: { // visor band
        Shape(c, RoundRect(24.5, 27.5, 47.5, 34, 3), l.second);
        Shape(c, RoundRect(26.5, 28.5, 45.5, 33, 2.2), l.main);
        Stroke(c, Line({28.5, 29.8}, {35, 29.8}), Qt::white, 0.8);
        break;
    }
    case 2: { // dark glasses
        Stroke(c, Line({24.4, 30}, {27.5, 30}), l.second, 1);
        Stroke(c, Line({44.5, 30}, {47.6, 30}), l.second, 1);
        Stroke(c, Line({35.5, 30}, {36.5, 30}), l.second, 1.2);
        Shape(c, RoundRect(27.3, 28.4, 35.6, 33.8, 2), l.main);
        Shape(c, RoundRect(36.4, 28.4, 44.7, 33.8, 2), l.main);
        Flat(c, Poly({{28.5, 29.5}, {30.5, 29.5}, {29, 32}}), l.accent);
        Flat(c, Poly({{37.6, 29.5}, {39.6, 29.5}, {38.1, 32}}), l.accent);
        break;
    }
    case 3: { // monocle
        QPainterPath chain(QPointF(42.5, 34));
        chain.quadTo(46, 40, 47.5, 37);
        Stroke(c, chain, l.accent, 0.8);
        Shape(c, Ellipse(40, 31, 3.8, 3.8).subtracted(Ellipse(40, 31, 2.7, 2.7)), l.main);
        Stroke(c, Line({38.6, 29.6}, {39.4, 29.1}), Qt::white, 0.7);
        break;
    }
    case 4: { // star glasses
        Stroke(c, Line({36.8, 30}, {35.2, 30}), l.second, 1.2);
        for (QPointF e : eyes) {
            Shape(c, Star(e.x(), e.y(), 5.2, 2.5), l.main);
            Flat(c, Ellipse(e.x(), e.y() + 0.3, 1.4, 1.4), l.accent);
        }
        break;
    }
    case 5: { // mask around the eyes
        QPainterPath mask(QPointF(25.5, 29));
        mask.cubicTo(30, 25.3, 33, 27, 36, 28.5);
        mask.cubicTo(39, 27, 42, 25.3, 46.5, 29);
        mask.cubicTo(45.5, 34.5, 40, 35.5, 36, 32.6);
        mask.cubicTo(32, 35.5, 26.5, 34.5, 25.5, 29);
        Shape(c, mask, l.main);
        for (QPointF e : eyes) {
            Flat(c, Ellipse(e.x(), e.y(), 1.9, 1.4), l.accent);
            Flat(c, Ellipse(e.x(), e.y(), 0.9, 0.9), kInk);
        }
        break;
    }
    case 6: { // wide snow goggles
        Shape(c, RoundRect(24, 29, 48, 32.4, 0.8), l.second);
        QPainterPath lens = RoundRect(26, 26.8, 46, 35, 4);
        Shape(c, lens, l.accent);
        Shape(c, RoundRect(27.3, 28, 44.7, 33.8, 3), l.main);
        Stroke(c, Line({29, 33}, {33, 29}), QColor(255, 255, 255, 220), 0.9);
        break;
    }
    case 7: { // heart glasses
        Stroke(c, Line({36.8, 30.2}, {35.2, 30.2}), l.second, 1.2);
        Stroke(c, Line({24.4, 30}, {27.5, 30}), l.second, 1);
        Stroke(c, Line({44.5, 30}, {47.6, 30}), l.second, 1);
        for (QPointF e : eyes) {
            Shape(c, Heart(e.x(), e.y(), 3.8), l.main);
            Flat(c, Ellipse(e.x() - 1.2, e.y() - 1.2, 0.8, 0.6), l.accent);
        }
        break;
    }
    case 8: { // one-slit visor
        Shape(c, RoundRect(24.2, 27.8, 47.8, 34.2, 2), l.main);
        Flat(c, RoundRect(27.5, 30, 44.5, 32, 1), l.accent);
        Flat(c, Ellipse(45.5, 31, 0.8, 0.8), l.second);
        Flat(c, Ellipse(26.5, 31, 0.8, 0.8), l.second);
        break;
    }
    case 9: { // round reading glasses
        Stroke(c, Line({24.4, 30}, {28.5, 30.3}), l.main, 0.9);
        Stroke(c, Line({43.5, 30.3}, {47.6, 30}), l.main, 0.9);
        QPainterPath bridge(QPointF(35, 30.5));
        bridge.quadTo(36, 29.2, 37, 30.5);
        Stroke(c, bridge, l.main, 0.9);
        for (QPointF e : eyes) {
            Stroke(c, Ellipse(e.x(), e.y(), 3.3, 3.3), l.main, 1.1);
        }
        break;
    }
    case 10: { // patch over one eye
        Stroke(c, Line({25, 25.5}, {46.8, 34.5}), l.second, 1.1);
        Shape(c, Ellipse(40.2, 31, 3.6, 3.3), l.main);
        Flat(c, Star(40.2, 31, 1.6, 0.7), l.accent);
        break;
    }
    case 11: { // snorkel: a diving mask and a breathing tube beside the head
        Shape(c, RoundRect(24, 29.3, 48, 32.3, 0.8), l.second);
        QPainterPath tube(QPointF(41, 36.4));
        tube.lineTo(47.5, 36.4);
        tube.cubicTo(51.5, 36.4, 52, 33, 52, 29);
        tube.lineTo(52, 17.5);
        Band(c, tube, l.main, 2.2);
        Shape(c, RoundRect(50.2, 14.5, 53.8, 18, 1), l.accent);
        Shape(c, RoundRect(25.8, 26.6, 46.2, 35.2, 3.8), l.main);
        Shape(c, RoundRect(27.6, 28, 44.4, 33.8, 2.8), l.second.lighter(150));
        Flat(c, Ellipse(32, 31, 1.2, 1.5), kInk);
        Flat(c, Ellipse(40, 31, 1.2, 1.5), kInk);
        Stroke(c, Line({29, 32.8}, {32.5, 29}), Qt::white, 0.8);
        Shape(c, RoundRect(39.5, 35.2, 42.5, 37.6, 0.8), l.accent);
        break;
    }
    case 12: { // paper glasses with a red and a blue lens
        Shape(c, RoundRect(26, 28, 46, 34, 1), l.main);
        Flat(c, RoundRect(27.6, 29.2, 34.9, 32.8, 0.6), QColor(224, 50, 50));
        Flat(c, RoundRect(37.1, 29.2, 44.4, 32.8, 0.6), QColor(50, 130, 230));
        Stroke(c, Line({24.4, 30}, {26, 30}), l.main, 1);
        Stroke(c, Line({46, 30}, {47.6, 30}), l.main, 1);
        break;
    }
    case 13: { // cloth over nose and mouth, eyes left free
        QPainterPath cloth(QPointF(24.8, 32.2));
        cloth.quadTo(36, 30.6, 47.2, 32.2);
        cloth.lineTo(46.2, 37.2);
        cloth.quadTo(36, 44, 25.8, 37.2);
        cloth.closeSubpath();
        Shape(c, cloth, l.main);
        for (QPointF pt : {QPointF(31, 35), QPointF(36, 37.5), QPointF(41, 35)}) {
            Flat(c, Ellipse(pt.x(), pt.y(), 0.9, 0.9), l.accent);
        }
        Shape(c, Poly({{46.5, 33}, {51, 36.5}, {49.5, 38}, {46, 35}}), l.main);
        break;
    }
    case 14: { // pointed frames
        for (int side = 0; side < 2; ++side) {
            QPainterPath frame(QPointF(28, 29));
            frame.lineTo(25.5, 26.8);
            frame.lineTo(35.3, 28.7);
            frame.quadTo(35.5, 34, 31.5, 34);
            frame.quadTo(27, 34, 28, 29);
            frame.closeSubpath();
            Shape(c, side ? Mirror(frame) : frame, l.main);
            QPainterPath glass = Ellipse(31.8, 31, 2.6, 2.2);
            Flat(c, side ? Mirror(glass) : glass, l.second);
        }
        Flat(c, Ellipse(26, 27.2, 0.7, 0.7), l.accent);
        Flat(c, Ellipse(46, 27.2, 0.7, 0.7), l.accent);
        break;
    }
    default: { // one-eye scanner with an ear piece
        Shape(c, RoundRect(45.5, 26.5, 50, 35.5, 1.5), l.second);
        Stroke(c, Line({46, 28}, {42, 28.5}), l.second, 1.2);
        Shape(c, RoundRect(36.2, 27.6, 44.8, 34.2, 1.6), l.main);
        Flat(c, Ellipse(40, 31, 1.3, 1.3), l.accent);
        break;
    }
    }
}

// ---------------------------------------------------------------- bodies

bool IsFemale(const Ctx& c) {
    return c.gender == Gender::Female;
}

QPainterPath TorsoPath(const Ctx& c) {
    if (IsFemale(c)) {
        return Poly({{33.5, 40.5},
                     {28, 42.8},
                     {30, 50.5},
                     {29, 56.2},
                     {43, 56.2},
                     {42, 50.5},
                     {44, 42.8},
                     {38.5, 40.5}});
    }
    return Poly({{33, 40.5}, {26.8, 42.8}, {28.4, 56.2}, {43.6, 56.2}, {45.2, 42.8}, {39, 40.5}});
}

QPainterPath ArmPath(const Ctx& c) {
    const double s = IsFemale(c) ? 0.8 : 0;
    return Poly({{26 + s, 42.6}, {29.3 + s, 44.3}, {26.9 + s, 54.2}, {23.2 + s, 53.4}});
}

QPainterPath SleevePath(const Ctx& c, bool full) {
    const double s = IsFemale(c) ? 0.8 : 0;
    if (full) {
        return Poly({{26 + s, 42.6}, {29.3 + s, 44.3}, {26.9 + s, 54}, {23.2 + s, 53.2}});
    }
    return Poly({{26 + s, 42.6}, {29.3 + s, 44.3}, {28.4 + s, 48.3}, {24.6 + s, 47.7}});
}

QPointF HandPoint(const Ctx& c) {
    return {IsFemale(c) ? 25.8 : 25, 55.2};
}

void Neck(Ctx& c) {
    Shape(c, RoundRect(33.4, 37.5, 38.6, 43.5, 1), c.skin());
}

// Legs in `legColour` from the hip down to `to`, bare skin below, then shoes.
void Legs(Ctx& c, const QColor& legColour, double to, const QColor& shoes) {
    const double in = IsFemale(c) ? 1 : 0;
    QPainterPath leg = RoundRect(29.4 + in, 54.5, 35.6, 66.5, 1);
    Shape(c, Both(leg), c.skin());
    if (to > 54.5) {
        Shape(c, Both(RoundRect(29.4 + in, 54.5, 35.6, to, 1)), legColour);
    }
    Shape(c, Both(RoundRect(28.4 + in, 64.6, 35.8, 69, 1.8)), shoes);
}

void Arms(Ctx& c, const QColor& sleeve, bool fullSleeve, bool sleeves = true) {
    Shape(c, Both(ArmPath(c)), c.skin());
    if (sleeves) {
        Shape(c, Both(SleevePath(c, fullSleeve)), sleeve);
    }
    const QPointF h = HandPoint(c);
    Shape(c, Both(Ellipse(h.x(), h.y(), 2.1, 2.1)), c.skin());
}

void Belt(Ctx& c, const QColor& colour, const QColor& buckle) {
    const double in = IsFemale(c) ? 0.8 : 0;
    Shape(c, Poly({{28.3 + in, 51.3}, {43.7 - in, 51.3}, {43.8 - in, 53.6}, {28.2 + in, 53.6}}),
          colour);
    Shape(c, RoundRect(34.6, 51, 37.4, 53.9, 0.5), buckle);
}

void BareBody(Ctx& c) {
    Neck(c);
    const QColor shorts = IsFemale(c) ? QColor(120, 110, 180) : QColor(90, 110, 150);
    Legs(c, shorts, 59.5, QColor(70, 60, 70));
    Shape(c, TorsoPath(c), IsFemale(c) ? QColor(250, 236, 240) : QColor(236, 240, 246));
    Arms(c, IsFemale(c) ? QColor(250, 236, 240) : QColor(236, 240, 246), false, !IsFemale(c));
    Stroke(c, Line({33.5, 41.5}, {38.5, 41.5}), QColor(200, 200, 210), 0.6);
}

// Long garment from the shoulders to a hem (robes, coats, dresses).
QPainterPath LongGarment(const Ctx& c, double hem, double flare) {
    const double sh = IsFemale(c) ? 28 : 26.8;
    const double waist = IsFemale(c) ? 30 : 28.4;
    return Poly({{33.2, 40.5},
                 {sh, 42.8},
                 {waist, 51},
                 {waist - flare, hem},
                 {2 * kFigureX - waist + flare, hem},
                 {2 * kFigureX - waist, 51},
                 {2 * kFigureX - sh, 42.8},
                 {38.8, 40.5}});
}

void Armor(Ctx& c, const Look& l) {
    const QColor dark = l.main.darker(170);
    switch (l.style) {
    case 0: // tunic and belt
        Neck(c);
        Legs(c, l.second, 64.5, l.accent.darker(150));
        Shape(c, TorsoPath(c), l.main);
        Arms(c, l.main, true);
        Belt(c, l.accent, l.second.lighter(140));
        break;
    case 1: // plate
        Neck(c);
        Legs(c, l.main.darker(120), 64.5, dark);
        Shape(c, TorsoPath(c), l.main);
        Stroke(c, Line({36, 44}, {36, 55.5}), l.main.darker(140), 0.7);
        Arms(c, l.main, true);
        Shape(c, Both(Ellipse(27.4, 43.6, 3.8, 2.8)), l.second);
        Shape(c, Ellipse(36, 47.5, 2.4, 2.4), l.accent);
        Shape(c, Both(RoundRect(28.8, 58.5, 35.7, 61, 0.6)), l.second);
        break;
    case 2: { // robe
        Neck(c);
        Legs(c, l.main, 60, l.second.darker(160));
        Shape(c, LongGarment(c, 66, 3.2), l.main);
        Flat(c, RoundRect(34.9, 42, 37.1, 66, 0.4), l.second);
        Shape(c, Poly({{25.8, 63.5}, {46.2, 63.5}, {46.4, 66}, {25.6, 66}}), l.second);
        Arms(c, l.main, true);
        Shape(c, Both(Poly({{23.5, 50.5}, {27.5, 51.5}, {27.8, 54.8}, {21.8, 54}})), l.main);
        Belt(c, l.accent, l.accent.lighter(130));
        break;
    }
    case 3: // open jacket
        Neck(c);
        Legs(c, l.second.darker(120), 64.5, QColor(60, 50, 50));
        Shape(c, TorsoPath(c), l.accent);
        Shape(c, Both(Poly({{33.2, 40.8}, {27, 42.8}, {28.6, 56.2}, {34.3, 56.2}, {34.6, 46}})),
              l.main);
        Arms(c, l.main, true);
        Shape(c, Both(Poly({{33.2, 40.8}, {31.5, 44.5}, {34.6, 46}})), l.main.lighter(115));
        break;
    case 4: // suit and tie
        Neck(c);
        Legs(c, l.main, 64.5, QColor(40, 34, 40));
        Shape(c, TorsoPath(c), l.main);
        Shape(c, Poly({{33.4, 41}, {38.6, 41}, {36, 48.5}}), QColor(245, 245, 250));
        Shape(c, Poly({{35.2, 42}, {36.8, 42}, {37.4, 48}, {36, 50}, {34.6, 48}}), l.accent);
        Arms(c, l.main, true);
        Flat(c, Ellipse(36, 52, 0.6, 0.6), l.second);
        Flat(c, Ellipse(36, 54.5, 0.6, 0.6), l.second);
        break;
    case 5: // vest over a shirt
        Neck(c);
        Legs(c, l.accent, 64.5, QColor(70, 50, 40));
        Shape(c, TorsoPath(c), l.second);
        Shape(c, Both(Poly({{33.4, 41}, {28.6, 43}, {29.3, 56.2}, {35.5, 56.2}, {35.5, 46}})),
              l.main);
        Arms(c, l.second, true);
        Flat(c, Ellipse(34, 50, 0.6, 0.6), l.accent);
        Flat(c, Ellipse(34, 53, 0.6, 0.6), l.accent);
        break;
    case 6: // hooded top
        Neck(c);
        Legs(c, l.second, 64.5, QColor(230, 230, 236));
        Shape(c, TorsoPath(c), l.main);
        Shape(c, Ellipse(36, 41.6, 5.4, 2), l.main.darker(115));
        Shape(c, RoundRect(31, 50.3, 41, 54.8, 1.5), l.main.darker(108));
        Stroke(c, Line({34.3, 42.5}, {34, 47}), l.accent, 0.7);
        Stroke(c, Line({37.7, 42.5}, {38, 47}), l.accent, 0.7);
        Arms(c, l.main, true);
        break;
    case 7: // sailor top
        Neck(c);
        Legs(c, l.second, 60, QColor(40, 40, 70));
        Shape(c, TorsoPath(c), l.main);
        Shape(c, Poly({{31, 40.6}, {41, 40.6}, {43.8, 45.5}, {36, 49}, {28.2, 45.5}}), l.second);
        Stroke(c, Poly({{31.8, 41.8}, {40.2, 41.8}, {42.3, 45.2}, {36, 47.6}, {29.7, 45.2}}),
               l.accent, 0.6);
        Shape(c, Poly({{35, 47.5}, {37, 47.5}, {36, 50}}), l.accent);
        Arms(c, l.main, false);
        break;
    case 8: // wrapped dark suit with a sash
        Neck(c);
        Legs(c, l.main, 66, l.main.darker(140));
        Shape(c, TorsoPath(c), l.main);
        Stroke(c, Line({32, 41.5}, {40, 50}), l.main.lighter(140), 0.7);
        Arms(c, l.main, true);
        Belt(c, l.accent, l.accent);
        Shape(c, Poly({{43, 52}, {47.5, 57.5}, {45.5, 58.5}, {42, 53.5}}), l.accent);
        break;
    case 9: { // long open coat
        Neck(c);
        Legs(c, l.second, 64.5, QColor(60, 50, 56));
        Shape(c, TorsoPath(c), l.accent);
        QPainterPath coat = LongGarment(c, 62.5, 2.5);
        coat = coat.subtracted(Poly({{34.8, 44}, {37.2, 44}, {37.2, 63}, {34.8, 63}}));
        Shape(c, coat, l.main);
        Shape(c, Both(RoundRect(29.4, 54.5, 32.8, 57.5, 0.5)), l.main.darker(108));
        Arms(c, l.main, true);
        break;
    }
    case 10: { // dress
        Neck(c);
        Legs(c, l.main, 54.5, l.accent);
        QPainterPath skirt = IsFemale(c) ? Poly({{30, 50}, {42, 50}, {47.5, 63.5}, {24.5, 63.5}})
                                         : Poly({{28.4, 50}, {43.6, 50}, {47, 61}, {25, 61}});
        Shape(c, skirt, l.main);
        Shape(c, TorsoPath(c).intersected(Poly({{20, 40}, {52, 40}, {52, 51}, {20, 51}})), l.main);
        Flat(c, Both(Poly({{27.5, 62}, {29.5, 56}, {30.5, 62}})), l.main.darker(115));
        Arms(c, l.main, false, !IsFemale(c));
        Shape(c, RoundRect(29.4, 49, 42.6, 51.4, 0.6), l.second);
        Shape(c, Ellipse(36, 44.2, 1.5, 1.5), l.accent);
        break;
    }
    case 11: // top and pleated skirt
        Neck(c);
        Legs(c, l.accent, 54.5, l.accent.darker(140));
        Shape(c, Both(RoundRect(29.4, 62.2, 35.6, 66, 1)), l.accent);
        Shape(c, TorsoPath(c), l.second);
        Shape(c, Poly({{28.6, 52}, {43.4, 52}, {46, 61}, {26, 61}}), l.main);
        for (double x = 30.5; x < 42; x += 2.8) {
            Stroke(c, Line({x + 0.2, 53}, {x - 0.6 + (x - 36) * 0.25, 60.5}), l.main.darker(130),
                   0.5);
        }
        Arms(c, l.second, false);
        break;
    case 12: // dungarees
        Neck(c);
        Legs(c, l.main, 64.5, QColor(110, 70, 40));
        Shape(c, TorsoPath(c), l.second);
        Shape(c, RoundRect(30.8, 46, 41.2, 56.4, 1), l.main);
        Stroke(c, Line({31.8, 46.5}, {30.5, 41.5}), l.main, 1.1);
        Stroke(c, Line({40.2, 46.5}, {41.5, 41.5}), l.main, 1.1);
        Flat(c, Ellipse(32.2, 47.2, 0.8, 0.8), l.accent);
        Flat(c, Ellipse(39.8, 47.2, 0.8, 0.8), l.accent);
        Arms(c, l.second, false);
        break;
    case 13: { // machine suit
        Neck(c);
        Shape(c, Both(RoundRect(28.8, 54.5, 35.8, 65.5, 1.2)), l.main.darker(118));
        Shape(c, Both(RoundRect(27.8, 63.5, 36, 69, 1.5)), l.second);
        Shape(c, RoundRect(25.8, 41.2, 46.2, 57, 3), l.main);
        Shape(c, Ellipse(36, 48, 3, 3), l.accent.darker(130));
        Flat(c, Ellipse(36, 48, 1.8, 1.8), l.accent.lighter(140));
        Shape(c, Both(Poly({{25, 47}, {28.5, 47.5}, {27, 55}, {22.6, 54.2}})), l.main);
        Shape(c, Both(RoundRect(21.6, 40.8, 29, 46.2, 1.5)), l.second);
        const QPointF h = HandPoint(c);
        Shape(c, Both(Ellipse(h.x() - 0.4, h.y() + 0.3, 2.4, 2.2)), l.second);
        break;
    }
    case 14: { // wrap robe and wide sash
        Neck(c);
        Legs(c, l.main, 60, l.second);
        Shape(c, LongGarment(c, 66, 2), l.main);
        Stroke(c, Line({33, 41}, {39.5, 50}), l.second, 1.2);
        Shape(c, Both(Poly({{26.6, 42.8}, {29.4, 44.3}, {28.4, 54}, {21.5, 52.6}})), l.main);
        const QPointF h = HandPoint(c);
        Shape(c, Both(Ellipse(h.x(), h.y() - 0.4, 1.9, 1.9)), c.skin());
        Shape(c, Poly({{28.6, 50}, {43.4, 50}, {43.6, 54.3}, {28.4, 54.3}}), l.accent);
        Stroke(c, Line({29.5, 52.2}, {42.5, 52.2}), l.second, 0.5);
        break;
    }
    case 15: { // armour with a cape
        Shape(c, Poly({{29, 41.5}, {43, 41.5}, {50, 66.5}, {22, 66.5}}), l.second);
        Neck(c);
        Legs(c, l.main.darker(125), 64.5, QColor(60, 46, 40));
        Shape(c, TorsoPath(c), l.main);
        Arms(c, l.main, true);
        Shape(c, Both(Ellipse(30.5, 42.6, 1.7, 1.7)), l.accent);
        Flat(c, Star(36, 48, 2.6, 1.1), l.accent);
        break;
    }
    case 16: { // tracksuit
        Neck(c);
        Legs(c, l.main, 66, QColor(245, 245, 245));
        Shape(c, Both(RoundRect(29.6, 55, 30.6, 65.5, 0.3)), l.second);
        Shape(c, TorsoPath(c), l.main);
        Stroke(c, Line({36, 41.2}, {36, 56}), l.accent, 0.7);
        Arms(c, l.main, true);
        const double s = IsFemale(c) ? 0.8 : 0;
        Stroke(c, Both(Line({26.7 + s, 43.6}, {24.3 + s, 53.4})), l.second, 0.9);
        break;
    }
    default: { // poncho
        Neck(c);
        Legs(c, l.second, 64.5, QColor(90, 60, 40));
        Arms(c, l.main, false, false);
        Shape(c, Poly({{33, 40.5}, {22.5, 53}, {36, 57.5}, {49.5, 53}, {39, 40.5}}), l.main);
        QPainterPath zig(QPointF(25, 51.5));
        for (int i = 1; i <= 11; ++i) {
            zig.lineTo(25 + i * 2, (i % 2) ? 53.5 + i * 0.1 : 51.5 + i * 0.15);
        }
        Stroke(c, zig, l.accent, 0.8);
        Shape(c, Ellipse(36, 41.3, 3.5, 1.4), l.second);
        break;
    }
    }
}

// ---------------------------------------------------------------- flags

QPainterPath FlagCloth(int style) {
    QPainterPath cloth(QPointF(21.6, 15));
    if (style == 10) { // pennant
        cloth.quadTo(12, 16.5, 2.5, 21.8);
        cloth.quadTo(12, 25, 21.6, 28.5);
    } else {
        cloth.cubicTo(16, 13, 10, 17.2, 4.5, 15.5);
        if (style == 9) { // swallowtail
            cloth.lineTo(10, 22);
        }
        cloth.lineTo(4.5, 28.5);
        cloth.cubicTo(10, 30.2, 16, 26, 21.6, 28.5);
    }
    cloth.closeSubpath();
    return cloth;
}

void Flag(Ctx& c, const Look& l) {
    Shape(c, RoundRect(21.6, 13.5, 23.3, 67, 0.6), QColor(150, 108, 66));
    Shape(c, Ellipse(22.45, 13, 1.7, 1.7), QColor(235, 190, 60));
    const QPainterPath cloth = FlagCloth(l.style);
    Shape(c, cloth, l.main, false);
    c.p.save();
    c.p.setClipPath(cloth);
    const double x0 = 3, x1 = 21.6, y0 = 12.5, y1 = 31;
    const double w = x1 - x0, h = y1 - y0, cx = (x0 + x1) / 2, cy = 22;
    switch (l.style) {
    case 0: // three bands across
        Flat(c, RoundRect(x0, y0 + h / 3 + 1, x1, y0 + 2 * h / 3 - 0.5, 0), l.second);
        Flat(c, RoundRect(x0, y0 + 2 * h / 3 - 0.5, x1, y1, 0), l.accent);
        break;
    case 1: // three bands down
        Flat(c, RoundRect(x0 + w / 3, y0, x0 + 2 * w / 3, y1, 0), l.second);
        Flat(c, RoundRect(x0, y0, x0 + w / 3, y1, 0), l.accent);
        break;
    case 2: // offset cross
        Flat(c, RoundRect(x0, cy - 2, x1, cy + 2, 0), l.second);
        Flat(c, RoundRect(14, y0, 18, y1, 0), l.second);
        Flat(c, RoundRect(x0, cy - 0.9, x1, cy + 0.9, 0), l.accent);
        Flat(c, RoundRect(15.1, y0, 16.9, y1, 0), l.accent);
        break;
    case 3: // diagonal cross
        Stroke(c, Line({x0, y0}, {x1, y1}), l.second, 2.6);
        Stroke(c, Line({x0, y1}, {x1, y0}), l.second, 2.6);
        break;
    case 4: // disc
        Flat(c, Ellipse(cx, cy, 4.2, 4.2), l.second);
        Flat(c, Ellipse(cx, cy, 2, 2), l.accent);
        break;
    case 5: // star
        Flat(c, Star(cx, cy, 5, 2.1), l.second);
        break;
    case 6: // triangle at the pole
        Flat(c, Poly({{x1, y0}, {11, cy}, {x1, y1}}), l.second);
        Flat(c, Star(17.6, cy, 2, 0.9), l.accent);
        break;
    case 7: // chequers
        for (int i = 0; i < 6; ++i) {
            for (int k = 0; k < 6; ++k) {
                if ((i + k) % 2) {
                    Flat(c,
                         RoundRect(x0 + i * w / 6, y0 + k * h / 6, x0 + (i + 1) * w / 6,
                                   y0 + (k + 1) * h / 6, 0),
                         l.second);
                }
            }
        }
        break;
    case 8: // split corner to corner
        Flat(c, Poly({{x0, y1}, {x1, y0}, {x1, y1}}), l.second);
        Flat(c, Ellipse(8.5, 18, 1.8, 1.8), l.accent);
        break;
    case 9: // swallowtail with a stripe
        Flat(c, RoundRect(x0, cy - 1.6, x1, cy + 1.6, 0), l.second);
        break;
    case 10: // pennant with a ring
        Stroke(c, Ellipse(15.5, cy, 2.3, 2.3), l.second, 1.2);
        break;
    case 11: { // crescent
        Flat(c, Ellipse(cx, cy, 4.3, 4.3).subtracted(Ellipse(cx - 1.7, cy - 0.8, 3.6, 3.6)),
             l.second);
        Flat(c, Star(cx - 2, cy - 0.5, 1.4, 0.6), l.accent);
        break;
    }
    case 12: // quarters
        Flat(c, RoundRect(x0, y0, cx, cy, 0), l.second);
        Flat(c, RoundRect(cx, cy, x1, y1, 0), l.second);
        Flat(c, Ellipse(cx, cy, 1.6, 1.6), l.accent);
        break;
    case 13: // border
        Stroke(c, cloth, l.second, 3.2);
        Flat(c, Heart(cx, cy, 2.4), l.accent);
        break;
    case 14: // many stripes
        for (int i = 0; i < 7; i += 2) {
            Flat(c, RoundRect(x0, y0 + 2 + i * 2.2, x1, y0 + 2 + (i + 1) * 2.2, 0), l.second);
        }
        Flat(c, RoundRect(14, y0, x1, cy - 0.5, 0), l.accent);
        break;
    case 15: // sun rays
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            Flat(c,
                 Poly({{cx, cy},
                       {cx + 14 * std::cos(a), cy + 14 * std::sin(a)},
                       {cx + 14 * std::cos(a + 0.26), cy + 14 * std::sin(a + 0.26)}}),
                 l.second);
        }
        Flat(c, Ellipse(cx, cy, 2.6, 2.6), l.accent);
        break;
    case 16: // heart
        Flat(c, Heart(cx, cy, 3.6), l.second);
        break;
    case 17: // bolt
        Flat(
            c,
            Poly(
                {{15, y0}, {9.5, 22.5}, {13, 22.5}, {9, y1}, {17.5, 20.5}, {13.5, 20.5}, {17, y0}}),
            l.second);
        break;
    case 18: { // waves
        for (int k = 0; k < 3; ++k) {
            QPainterPath wave(QPointF(x0, 18 + k * 3.5));
            for (double x = x0; x < x1; x += 3) {
                wave.quadTo(x + 0.75, 16.8 + k * 3.5, x + 1.5, 18 + k * 3.5);
                wave.quadTo(x + 2.25, 19.2 + k * 3.5, x + 3, 18 + k * 3.5);
            }
            Stroke(c, wave, k == 1 ? l.accent : l.second, 1.1);
        }
        break;
    }
    default: // diamond
        Flat(c, Poly({{cx, y0 + 1}, {x1 - 1, cy}, {cx, y1 - 1}, {x0 + 1.5, cy}}), l.second);
        Flat(c, Ellipse(cx, cy, 1.7, 1.7), l.accent);
        break;
    }
    c.p.restore();
    Stroke(c, cloth, kInk, c.ink);
}

// ---------------------------------------------------------------- pictures

QImage NewLayer() {
    QImage image(kLayerWidth, kLayerHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
}

void DrawItem(Ctx& c, const Item& item) {
    switch (item.slot) {
    case Slot::Helmet:
        Head(c);
        Helmet(c, item.look);
        break;
    case Slot::Armor:
        Armor(c, item.look);
        break;
    case Slot::Goggles:
        Goggles(c, item.look);
        break;
    case Slot::Accessory:
        Flag(c, item.look);
        break;
    }
}

} // namespace

QImage BareHeadLayer(Gender gender) {
    QImage image = NewLayer();
    QPainter p(&image);
    Begin(p);
    Ctx c{p, gender};
    Head(c);
    FrontHair(c);
    return image;
}

QImage BareBodyLayer(Gender gender) {
    QImage image = NewLayer();
    QPainter p(&image);
    Begin(p);
    Ctx c{p, gender};
    BareBody(c);
    return image;
}

QImage ItemLayer(const Item& item) {
    QImage image = NewLayer();
    QPainter p(&image);
    Begin(p);
    Ctx c{p, item.gender};
    DrawItem(c, item);
    return image;
}

QImage ShopPicture(const Item& item) {
    QImage image(kShopWidth, kShopHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    Begin(p);
    // A shop shelf: a soft spot light on a tinted card, its edge in the colour of the price tier.
    static const QColor tierEdge[6] = {QColor(150, 120, 96), QColor(150, 156, 166),
                                       QColor(90, 160, 110), QColor(80, 130, 210),
                                       QColor(160, 90, 200), QColor(230, 170, 40)};
    const QColor base =
        QColor::fromHsv(item.look.main.hsvHue() < 0 ? 220 : item.look.main.hsvHue(), 40, 70);
    image.fill(QColor(24, 22, 34));
    QRadialGradient glow(QPointF(80, 70), 95);
    glow.setColorAt(0, base.lighter(260));
    glow.setColorAt(1, base);
    p.setPen(QPen(tierEdge[qBound(0, item.tier, 5)], 3));
    p.setBrush(glow);
    p.drawRoundedRect(QRectF(2.5, 2.5, kShopWidth - 5, kShopHeight - 5), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawEllipse(QPointF(80, 134), 52, 9);
    for (int i = 0; i <= item.tier; ++i) {
        const double x = 14 + i * 11;
        QPainterPath gem = Poly({{x, 140}, {x + 4, 144}, {x, 148}, {x - 4, 144}});
        p.setPen(QPen(QColor(30, 20, 30), 1));
        p.setBrush(tierEdge[qBound(0, item.tier, 5)].lighter(130));
        p.drawPath(gem);
    }

    // What part of the layer to show, and how large.
    QRectF source;
    switch (item.slot) {
    case Slot::Helmet:
        source = QRectF(13, 0, 46, 44);
        break;
    case Slot::Armor:
        source = QRectF(12, 38, 48, 33);
        break;
    case Slot::Goggles:
        source = QRectF(19, 16, 36, 29);
        break;
    case Slot::Accessory:
        source = QRectF(0, 9, 27, 26);
        break;
    }
    const QRectF target(12, 10, 136, 124);
    const double scale =
        std::min(target.width() / source.width(), target.height() / source.height());
    p.save();
    p.setClipRect(QRectF(5, 5, kShopWidth - 10, kShopHeight - 10));
    p.translate(target.center());
    p.scale(scale, scale);
    p.translate(-source.center());
    Ctx c{p, item.gender, 2.2 / scale, true};
    if (item.slot == Slot::Goggles) {
        Face(c);
    }
    DrawItem(c, item);
    p.restore();
    return image;
}

} // namespace zvdata

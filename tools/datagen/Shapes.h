#pragma once
// Outlines the artwork is built from, shared by the figure and the scenery.
#include <QPainterPath>
#include <initializer_list>

namespace zvdata {

// A closed polygon through the points.
QPainterPath Poly(std::initializer_list<QPointF> points);
QPainterPath Ellipse(double cx, double cy, double rx, double ry);
// A star with `points` tips, the first one straight up.
QPainterPath Star(double cx, double cy, double outer, double inner, int points = 5);
QPainterPath Heart(double cx, double cy, double s);
// An open path from a to b.
QPainterPath Line(QPointF a, QPointF b);

} // namespace zvdata

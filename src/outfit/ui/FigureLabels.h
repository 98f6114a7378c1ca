#pragma once
// The labels of the outfit windows and panels: named for tests and screen readers, and coloured
// by verdict the same way everywhere (green better, red worse).
#include "outfit/Figures.h"

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

namespace zv {

// A label with its objectName and accessible name, aligned and centred vertically.
QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& accessible,
                   Qt::Alignment alignment);

// The colour of a verdict on the dark panels, and its name ("better", "worse", "same").
QColor VerdictColour(Verdict verdict);
QString VerdictName(Verdict verdict);

// Shows a change ("+3") in the colour of its verdict; the verdict's name is the label's
// "verdict" property and accessible description.
void ShowChange(QLabel* label, const FigureChange& figure);

} // namespace zv

#include "outfit/ui/FigureLabels.h"

#include <QLabel>

namespace zv {

QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& accessible,
                   Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(accessible);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QColor VerdictColour(Verdict verdict) {
    switch (verdict) {
    case Verdict::Better:
        return QColor(0x5f, 0xd3, 0x6a);
    case Verdict::Worse:
        return QColor(0xff, 0x6b, 0x6b);
    case Verdict::Same:
        break;
    }
    return QColor(0xe6, 0xe6, 0xee);
}

QString VerdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Better:
        return QStringLiteral("better");
    case Verdict::Worse:
        return QStringLiteral("worse");
    case Verdict::Same:
        break;
    }
    return QStringLiteral("same");
}

void ShowChange(QLabel* label, const FigureChange& figure) {
    label->setText(QString::fromStdString(ChangeText(figure.Change)));
    const QString name = VerdictName(figure.Judged);
    // A new style sheet costs a restyle: only when the colour changes.
    if (label->property("verdict").toString() == name)
        return;
    label->setStyleSheet(QStringLiteral("color: %1;").arg(VerdictColour(figure.Judged).name()));
    label->setProperty("verdict", name);
    label->setAccessibleDescription(name);
}

} // namespace zv

#include "calc/ui/CalcWindow.h"

#include "base/ProgramPaths.h"
#include "base/ui/Controls.h"
#include "base/ui/MessageBox.h"
#include "calc/Conversions.h"
#include "desktop/ui/Skin.h"
#include "planner/Variables.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace zv {

const char* const CalcErrorTitle = "An error has occurred!";
const char* const CalcErrorText = "Please make sure that you have filled in all the values "
                                  "needed\r\nand that they are in the right format!  ";

namespace {

// Light text on the dark wells of the background picture.
const char* const kInputStyle =
    "QLineEdit { background: transparent; color: #ececf8; border: 1px solid transparent;"
    " border-radius: 3px; padding: 0 4px; font-size: 12px;"
    " selection-background-color: #e69632; selection-color: #15131f; }"
    "QLineEdit:focus { border-color: #e69632; }";
const char* const kLabelStyle =
    "QLabel { color: #f0c450; font-weight: bold; font-size: 12px; padding: 0 5px; }";

ImageControl* AddPicture(QWidget* window, const char* name, const QRect& place,
                         const QPixmap& picture) {
    // ImageControl is placed in twips; these places are whole pixels.
    auto* control = new ImageControl(QString::fromLatin1(name), window, place.x() * kTwipsPerPixel,
                                     place.y() * kTwipsPerPixel, place.width() * kTwipsPerPixel,
                                     place.height() * kTwipsPerPixel);
    control->setPicture(picture);
    return control;
}

} // namespace

CalcWindow::CalcWindow(QWidget* owner, const CalcWindowLayout& layout)
    : QWidget(owner, Qt::Window)
    , m_remembered(layout.Remembered) {
    setObjectName(QString::fromLatin1(layout.Name));
    setWindowTitle(QString::fromLatin1(layout.Caption));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(layout.Client);

    AddPicture(this, "imgBasicCalc", QRect(QPoint(0, 0), layout.Client),
               LoadPicture(ProgramPath(layout.Background)));

    QWidget* previous = nullptr;
    for (const CalcControl& control : layout.Controls) {
        const QString name = QString::fromLatin1(control.Name);
        QWidget* widget = nullptr;
        switch (control.Kind) {
        case CalcControlKind::Input: {
            auto* edit = new QLineEdit(this);
            edit->setStyleSheet(QString::fromLatin1(kInputStyle));
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            connect(edit, &QLineEdit::returnPressed, this, &CalcWindow::cmdCalc_Click);
            if (previous)
                setTabOrder(previous, edit);
            previous = edit;
            widget = edit;
            break;
        }
        case CalcControlKind::Total:
        case CalcControlKind::Result: {
            auto* label = new QLabel(this);
            label->setStyleSheet(QString::fromLatin1(kLabelStyle));
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            widget = label;
            break;
        }
        case CalcControlKind::Level:
            // At first the lowest rank.
            widget = AddPicture(this, control.Name, control.Place,
                                LoadPicture(ProgramPath(RankPicturePath(INT32_MIN))));
            break;
        }
        widget->setObjectName(name);
        widget->setGeometry(control.Place);
        if (control.Tip)
            widget->setToolTip(QString::fromLatin1(control.Tip));
    }

    ImageControl* imgCalc = AddPicture(this, "imgCalc", layout.ImgCalc,
                                       LoadPicture(ProgramPath("\\graphics\\calc-button.gif")));
    imgCalc->setCursor(Qt::PointingHandCursor);
    imgCalc->setToolTip(QStringLiteral("Calculate"));
    connect(imgCalc, &ImageControl::Click, this, &CalcWindow::imgCalc_Click);

    auto* cmdCalc = new QPushButton(QStringLiteral("Calculate"), this);
    cmdCalc->setObjectName(QStringLiteral("cmdCalc"));
    cmdCalc->setGeometry(layout.CmdCalc);
    connect(cmdCalc, &QPushButton::clicked, this, &CalcWindow::cmdCalc_Click);
    if (previous)
        setTabOrder(previous, cmdCalc);

    Form_Load();
}

void CalcWindow::Form_Load() {
    // Without its skin the window still works; the main window has reported the broken skin.
    ApplySkin(this);
    // The price as it is now; later item changes show when the window is opened again.
    if (auto* total = findChild<QLabel*>(QStringLiteral("lblTotalcost")))
        total->setText(IntegerText(Totals().TotalCost, locale()));
    if (!CalculatorInputsRemembered())
        return;
    for (const RememberedInput& input : m_remembered) {
        if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(input.Control)))
            edit->setText(ReadRememberedInput(input.Key));
    }
}

void CalcWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void CalcWindow::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (!CalculatorInputsRemembered())
        return;
    // Valid or not, the figures are kept as typed; a settings file that cannot be written loses
    // only them.
    for (const RememberedInput& input : m_remembered)
        StoreRememberedInput(input.Key, text(input.Control));
}

void CalcWindow::cmdCalc_Click() {
    if (!calculate())
        ShowMessage(this, QString::fromLatin1(CalcErrorTitle), QString::fromLatin1(CalcErrorText),
                    MessageIcon::Information);
}

void CalcWindow::imgCalc_Click() {
    cmdCalc_Click();
}

QString CalcWindow::text(const char* name) const {
    const QString objectName = QString::fromLatin1(name);
    if (const auto* edit = findChild<QLineEdit*>(objectName))
        return edit->text();
    if (const auto* label = findChild<QLabel*>(objectName))
        return label->text();
    return {};
}

void CalcWindow::showResults(std::initializer_list<std::pair<const char*, int32_t>> results) {
    for (const auto& [name, value] : results) {
        if (auto* label = findChild<QLabel*>(QString::fromLatin1(name)))
            label->setText(IntegerText(value, locale()));
    }
}

} // namespace zv

#include "storage/ui/FormSaveName.h"

#include "base/ui/Controls.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/Skin.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"
#include "storage/EightBitText.h"
#include "storage/SaveSlots.h"
#include "storage/ui/GenderLists.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace zv {
namespace {

// The current texts of the gender's four lists, helmet first.
std::array<QString, 4> WornTexts(const PlannerController& planner, int genderIndex) {
    std::array<QString, 4> texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (const ItemList* list = GenderList(planner, genderIndex, kWornKinds[i]))
            texts[i] = list->editText();
    }
    return texts;
}

} // namespace

FormSaveName::FormSaveName(MainControls& controls, PlannerController& planner,
                           const int16_t& pendingSaveSlot,
                           std::function<void()> refreshSlotCaptions, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Dialog)
    , c(controls)
    , m_planner(planner)
    , m_pendingSaveSlot(pendingSaveSlot)
    , m_refreshSlotCaptions(std::move(refreshSlotCaptions)) {
    setObjectName(QStringLiteral("formSaveName"));
    setWindowTitle(QStringLiteral("Save Description"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(4200), Px(1500));

    txtSaveName = new QLineEdit(QStringLiteral("Enter save description"), this);
    txtSaveName->setObjectName(QStringLiteral("txtSaveName"));
    txtSaveName->setGeometry(Px(180), Px(180), Px(3840), Px(360));
    cmdOk = new QPushButton(QStringLiteral("Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(Px(1560), Px(780), Px(1080), Px(420));
    cmdOk->setDefault(true);
    ShowFocusOnDefaultButton(cmdOk);

    connect(cmdOk, &QPushButton::clicked, this, &FormSaveName::cmdOk_Click);
    connect(txtSaveName, &QLineEdit::returnPressed, this, &FormSaveName::cmdOk_Click);
}

void FormSaveName::keyPressEvent(QKeyEvent* event) {
    // Escape closes the dialog as its frame's close box would: nothing is written.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void FormSaveName::Form_Load() {
    // The main window has already reported a broken skin; this dialog just goes without it.
    ApplySkin(this);
    const int gender = c.GenderBox->currentIndex();
    if (gender == 0 || gender == 1) {
        const std::array<QString, 4> worn = WornTexts(m_planner, gender);
        txtSaveName->setText(DefaultSlotDescription(worn[0], worn[1], worn[2], worn[3]));
    }
    txtSaveName->selectAll();
    txtSaveName->setFocus();
}

void FormSaveName::cmdOk_Click() {
    if (m_unloaded)
        return;
    const int gender = c.GenderBox->currentIndex();
    bool saved = true;
    if (gender == 0 || gender == 1) {
        const std::array<QString, 4> worn = WornTexts(m_planner, gender);
        const SlotRecord record =
            MakeSlotRecord(ToEightBit(txtSaveName->text()), gender, ToEightBit(worn[0]),
                           ToEightBit(worn[1]), ToEightBit(worn[2]), ToEightBit(worn[3]));
        std::string error;
        saved = WriteSlotFile(m_pendingSaveSlot, record, &error);
        if (!saved) {
            ShowMessage(this, QString(),
                        QStringLiteral("The outfit could not be saved in slot %1.\n\n%2\n\nThe "
                                       "slot file was left as it was.")
                            .arg(m_pendingSaveSlot)
                            .arg(QFile::decodeName(QByteArray::fromStdString(error))),
                        MessageIcon::Warning);
        }
    }
    if (m_refreshSlotCaptions)
        m_refreshSlotCaptions();
    // After a failed write the dialog stays, so the description typed is not lost.
    if (saved)
        close();
}

void FormSaveName::closeEvent(QCloseEvent* event) {
    m_unloaded = true;
    event->accept();
}

} // namespace zv

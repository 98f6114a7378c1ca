#pragma once
// The save description dialog: asks for the name of the outfit being saved into a slot. Not
// modal; "Ok" writes the slot, any other way of closing it writes nothing.
#include <QWidget>
#include <cstdint>
#include <functional>

class QLineEdit;
class QPushButton;

namespace zv {

struct MainControls;
class PlannerController;

class FormSaveName final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormSaveName)

public:
    // `pendingSaveSlot` is the slot chosen last in the Save menu, read when "Ok" is pressed;
    // `refreshSlotCaptions` relabels the slot menus after a save.
    FormSaveName(MainControls& controls, PlannerController& planner, const int16_t& pendingSaveSlot,
                 std::function<void()> refreshSlotCaptions, QWidget* mainWindow);

    // Skin, then the proposed description for the outfit worn now.
    void Form_Load();
    void cmdOk_Click();

    // Closed (by "Ok" or otherwise) and about to go.
    bool unloaded() const { return m_unloaded; }

    QLineEdit* txtSaveName = nullptr;
    QPushButton* cmdOk = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    MainControls& c;
    PlannerController& m_planner;
    const int16_t& m_pendingSaveSlot;
    std::function<void()> m_refreshSlotCaptions;
    bool m_unloaded = false;
};

} // namespace zv

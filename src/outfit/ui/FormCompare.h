#pragma once
// The comparison window: the outfit worn now beside a save slot, item by item and figure by
// figure, with the slot's changes coloured as better or worse. It reads the slot file each time
// it shows it and never changes the planner or any file. Modeless; it follows the outfit while
// it is open.
#include "outfit/Figures.h"

#include <QWidget>
#include <array>

class QGridLayout;
class QLabel;

namespace zv {

struct MainControls;
class PlannerController;

class FormCompare final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormCompare)

public:
    FormCompare(MainControls& controls, PlannerController& planner, QWidget* mainWindow);

    // Skin and size.
    void Form_Load();
    // Compares with slot 1 to 5.
    void showSlot(int slot);
    // Reads the slot again and shows it against the outfit worn now.
    void refresh();
    int slot() const { return m_slot; }

private:
    struct Row {
        QLabel* now = nullptr;
        QLabel* then = nullptr;
        QLabel* change = nullptr;
    };
    Row addRow(int row, const QString& name, const QString& caption, bool withChange);
    void clearSlotSide(const QString& status);

    MainControls& c;
    PlannerController& m_planner;
    int m_slot = 1;
    QGridLayout* m_grid = nullptr;
    QLabel* m_slotTitle = nullptr;
    QLabel* m_status = nullptr;
    Row m_gender;
    std::array<Row, 4> m_items{};
    std::array<Row, kFigureCount> m_figures{};
};

} // namespace zv

#include "outfit/ui/OutfitFeatures.h"

#include "outfit/ui/FormCompare.h"
#include "outfit/ui/ItemDeltas.h"
#include "outfit/ui/ItemFinder.h"
#include "outfit/ui/OutfitCodes.h"
#include "outfit/ui/OutfitHistory.h"
#include "planner/ui/MainControls.h"

#include <QAction>
#include <QEvent>

namespace zv {

OutfitFeatures::OutfitFeatures(MainControls& controls, PlannerController& planner,
                               QWidget* mainWindow)
    : QObject(mainWindow)
    , c(controls)
    , m_planner(planner)
    , m_mainWindow(mainWindow)
    , m_history(new OutfitHistory(controls, planner, this))
    , m_deltas(new ItemDeltas(controls, planner, mainWindow))
    , m_finder(new ItemFinder(controls, planner, *m_deltas, mainWindow))
    , m_codes(new OutfitCodes(controls, planner, mainWindow)) {
    c.undo->setEnabled(false);
    c.redo->setEnabled(false);
    const QUndoStack& stack = m_history->stack();
    connect(&stack, &QUndoStack::canUndoChanged, c.undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, c.redo, &QAction::setEnabled);
    connect(c.undo, &QAction::triggered, m_history, &OutfitHistory::undo);
    connect(c.redo, &QAction::triggered, m_history, &OutfitHistory::redo);
    connect(m_history, &OutfitHistory::changed, this, &OutfitFeatures::refreshCompare);

    for (size_t i = 0; i < c.compareslot.size(); ++i) {
        const int slot = static_cast<int>(i) + 1;
        connect(c.compareslot[i], &QAction::triggered, this,
                [this, slot] { compareslot_Click(slot); });
        // The slot's caption, whenever the File menu's Load entry gets a new one.
        QAction* load = c.loadslot[i];
        connect(load, &QAction::changed, this, [this, load, i] {
            if (c.compareslot[i]->text() != load->text()) {
                c.compareslot[i]->setText(load->text());
                refreshCompare();
            }
        });
        c.compareslot[i]->setText(load->text());
    }
    // The comparison goes with the main window (closed, or hidden behind the tray icon).
    m_mainWindow->installEventFilter(this);
}

void OutfitFeatures::compareslot_Click(int slot) {
    if (!m_compare) {
        m_compare = new FormCompare(c, m_planner, m_mainWindow);
        m_compare->Form_Load();
    }
    m_compare->showSlot(slot);
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}

FormCompare* OutfitFeatures::compareWindow() const {
    return m_compare;
}

void OutfitFeatures::refreshCompare() {
    if (m_compare && m_compare->isVisible())
        m_compare->refresh();
}

bool OutfitFeatures::PutOnCode(const QString& code, OutfitCodeSource source) {
    return m_codes->PutOnCode(code, source);
}

bool OutfitFeatures::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mainWindow && event->type() == QEvent::Hide && !event->spontaneous() &&
        m_compare)
        m_compare->close();
    return QObject::eventFilter(watched, event);
}

} // namespace zv

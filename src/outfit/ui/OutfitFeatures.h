#pragma once
// The planner's helpers beyond choosing items, on the main window: item deltas, type to find,
// the comparison with a save slot, undo and redo, outfit codes; and the entries of the
// "&Planner" menu that reach them.
#include "outfit/OutfitCode.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace zv {

struct MainControls;
class PlannerController;
class OutfitHistory;
class ItemDeltas;
class ItemFinder;
class OutfitCodes;
class FormCompare;

class OutfitFeatures final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutfitFeatures)

public:
    OutfitFeatures(MainControls& controls, PlannerController& planner, QWidget* mainWindow);

    OutfitHistory& history() { return *m_history; }
    ItemDeltas& deltas() { return *m_deltas; }
    ItemFinder& finder() { return *m_finder; }
    OutfitCodes& codes() { return *m_codes; }

    // "&Compare With" > slot N: the comparison window, made on first use.
    void compareslot_Click(int slot);
    FormCompare* compareWindow() const;

    // Puts on the outfit of a code (after the main window has loaded, for "--outfit CODE").
    bool PutOnCode(const QString& code, OutfitCodeSource source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshCompare();

    MainControls& c;
    PlannerController& m_planner;
    QWidget* m_mainWindow;
    OutfitHistory* m_history;
    ItemDeltas* m_deltas;
    ItemFinder* m_finder;
    OutfitCodes* m_codes;
    QPointer<FormCompare> m_compare;
};

} // namespace zv

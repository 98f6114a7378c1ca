#pragma once
// Undo and redo of outfit changes. Every user action that changes the outfit announces itself
// through the planner's OutfitSteps; the history takes what the main window shows before and
// after it as one step. Undo and redo put those states back as they were (the item lists'
// texts and indexes, the preview's pictures and places, the records, totals and labels) without
// running any handler, so they never read a catalogue, decode a picture or write a file.
//
// The mobile is no part of the outfit: a step that did not change it leaves the mobile chosen
// since as it is; a step that did (a gender change or a slot load drops it) brings it back.
#include <QObject>
#include <QPixmap>
#include <QUndoStack>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zv {

struct MainControls;
class PlannerController;
struct OutfitState;
struct ListStates;

class OutfitHistory final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutfitHistory)

public:
    // Steps kept for undo; older ones are dropped.
    static constexpr int kStepLimit = 500;

    OutfitHistory(MainControls& controls, PlannerController& planner, QObject* parent);
    ~OutfitHistory() override;

    void undo();
    void redo();
    const QUndoStack& stack() const { return m_stack; }

signals:
    // The outfit changed: a step was taken, undone or redone.
    void changed();

private:
    friend class OutfitStep;

    void began(std::string_view label);
    void ended();
    OutfitState capture();
    ListStates captureLists() const;
    void restore(const OutfitState& state, bool withMobile);
    // The same picture object for equal pictures, so states compare by the pictures' keys and
    // a long history keeps each distinct picture once.
    QPixmap intern(const QPixmap& picture);

    MainControls& c;
    PlannerController& m_planner;
    QUndoStack m_stack;
    std::unique_ptr<OutfitState> m_before;
    // The lists as the last action or undo left them.
    std::unique_ptr<ListStates> m_settledLists;
    std::string m_label;
    std::unordered_map<qint64, QPixmap> m_byKey;
    std::unordered_map<size_t, std::vector<QPixmap>> m_byContent;
};

} // namespace zv

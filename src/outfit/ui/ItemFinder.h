#pragma once
// Type to find. Typing on an item list (closed or open) opens a find field over it; every entry
// whose name holds the typed text, in any letter case, is offered below it in the list's own
// order. Enter (or a click) chooses the entry through the list's ordinary selection, by its
// index, so the list itself is never filtered, sorted or changed: its entries keep the order
// and indexes of the catalogue, which the random outfit and the save slots rely on. Escape, or
// leaving the field, chooses nothing.
#include "planner/ItemFamily.h"

#include <QObject>
#include <map>

class QCompleter;
class QLineEdit;
class QWidget;

namespace zv {

struct MainControls;
class ItemDeltas;
class ItemList;
class PlannerController;

class ItemFinder final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ItemFinder)

public:
    ItemFinder(MainControls& controls, PlannerController& planner, ItemDeltas& deltas,
               QWidget* window);

    // Opens the find field over the family's list with `text` already typed.
    void find(const ItemFamily& family, const QString& text);
    // Closes the field without choosing.
    void cancel();
    bool finding() const { return m_family != nullptr; }

    QLineEdit* field() const { return m_field; }
    // The list's completer, made at its first search.
    QCompleter* completerFor(const ItemFamily& family);

    // The entry Enter chooses for `text`: the first whose name equals it in any letter case,
    // else the first whose name holds it; -1 when none does.
    static int BestMatch(const ItemList* list, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);
    void enterPressed();

    MainControls& c;
    PlannerController& m_planner;
    ItemDeltas& m_deltas;
    QLineEdit* m_field = nullptr;
    std::map<const QObject*, const ItemFamily*> m_watched; // lists and their drop-downs
    std::map<const ItemFamily*, QCompleter*> m_completers;
    const ItemFamily* m_family = nullptr; // the list being searched, while the field is open
};

} // namespace zv

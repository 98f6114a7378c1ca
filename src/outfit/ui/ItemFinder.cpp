#include "outfit/ui/ItemFinder.h"

#include "outfit/ui/ItemDeltas.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace zv {
namespace {

// The list's row of an entry offered by the completer.
int SourceRow(const QCompleter* completer, const QModelIndex& index) {
    if (!index.isValid())
        return -1;
    if (index.model() == completer->model())
        return index.row();
    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(completer->completionModel());
    return proxy ? proxy->mapToSource(index).row() : -1;
}

// A key that starts a search: a printable character other than the blank (which opens the
// drop-down), without Ctrl, Alt or Meta (shortcuts).
bool StartsSearch(const QKeyEvent* key) {
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace() &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

ItemFinder::ItemFinder(MainControls& controls, PlannerController& planner, ItemDeltas& deltas,
                       QWidget* window)
    : QObject(window)
    , c(controls)
    , m_planner(planner)
    , m_deltas(deltas) {
    m_field = new QLineEdit(c.picboxAvatar->parentWidget());
    m_field->setObjectName(QStringLiteral("txtFind"));
    m_field->setAccessibleName(QStringLiteral("Find an item"));
    m_field->setPlaceholderText(QStringLiteral("Part of a name"));
    m_field->hide();
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::returnPressed, this, &ItemFinder::enterPressed);
    connect(m_field, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (QCompleter* completer = m_field->completer()) {
            completer->setCompletionPrefix(text);
            completer->complete();
        }
    });

    for (const ItemFamily& family : ItemFamilies) {
        ItemList* list = m_planner.listFor(family);
        if (!list)
            continue;
        m_watched[list] = &family;
        list->installEventFilter(this);
        // Typing into the open drop-down finds as well; it is watched from its first opening.
        connect(list, &ItemList::PopupOpening, this, [this, list, family = &family] {
            QAbstractItemView* view = list->view();
            if (m_watched.emplace(view, family).second)
                view->installEventFilter(this);
        });
    }
}

// Made at the first search of the list.
QCompleter* ItemFinder::completerFor(const ItemFamily& family) {
    if (const auto found = m_completers.find(&family); found != m_completers.end())
        return found->second;
    ItemList* list = m_planner.listFor(family);
    if (!list)
        return nullptr;
    auto* completer = new QCompleter(list->model(), this);
    completer->setCompletionColumn(list->modelColumn());
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setModelSorting(QCompleter::UnsortedModel);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(list->maxVisibleItems());
    QAbstractItemView* popup = completer->popup();
    popup->setObjectName(QStringLiteral("lstFound"));
    popup->setAccessibleName(QStringLiteral("Matching items"));
    popup->installEventFilter(this);
    connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this, completer](const QModelIndex& index) {
                if (const int row = SourceRow(completer, index); row >= 0)
                    choose(row);
            });
    connect(completer, qOverload<const QModelIndex&>(&QCompleter::highlighted), this,
            [this, completer, family = &family](const QModelIndex& index) {
                if (const int row = SourceRow(completer, index); row >= 0 && m_family)
                    m_deltas.preview(*family, row);
            });
    m_completers[&family] = completer;
    return completer;
}

int ItemFinder::BestMatch(const ItemList* list, const QString& text) {
    if (text.isEmpty())
        return -1;
    int first = -1;
    for (int row = 0; row < list->count(); ++row) {
        const QString name = list->itemText(row);
        if (name.compare(text, Qt::CaseInsensitive) == 0)
            return row;
        if (first < 0 && name.contains(text, Qt::CaseInsensitive))
            first = row;
    }
    return first;
}

void ItemFinder::find(const ItemFamily& family, const QString& text) {
    ItemList* list = m_planner.listFor(family);
    QCompleter* completer = completerFor(family);
    if (!list || !completer || !list->isVisible())
        return;
    if (m_family && m_family != &family)
        cancel();
    m_family = &family;
    m_field->setCompleter(completer);
    m_field->setGeometry(list->geometry());
    m_field->setText(text);
    m_field->show();
    m_field->raise();
    m_field->setFocus(Qt::ShortcutFocusReason);
    completer->setCompletionPrefix(text);
    completer->complete();
}

void ItemFinder::cancel() {
    if (!m_family)
        return;
    const ItemFamily* family = m_family;
    m_family = nullptr;
    if (QCompleter* completer = m_field->completer())
        completer->popup()->hide();
    m_field->setCompleter(nullptr);
    m_field->hide();
    m_field->clear();
    m_deltas.endPreview();
    if (ItemList* list = m_planner.listFor(*family))
        list->setFocus(Qt::OtherFocusReason);
}

void ItemFinder::choose(int row) {
    if (!m_family)
        return;
    ItemList* list = m_planner.listFor(*m_family);
    cancel();
    // As if the entry had been picked in the list: its ordinary selection runs.
    if (list && row >= 0 && row < list->count())
        list->selectIndex(row);
}

void ItemFinder::enterPressed() {
    if (!m_family)
        return;
    // A match highlighted in the list below is chosen by the completer right after this.
    if (const QCompleter* completer = m_field->completer();
        completer && completer->popup()->isVisible() &&
        completer->popup()->currentIndex().isValid())
        return;
    const int row = BestMatch(m_planner.listFor(*m_family), m_field->text());
    if (row >= 0)
        choose(row);
    else
        QApplication::beep();
}

bool ItemFinder::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_field) {
        if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel();
            return true;
        }
        if (type == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // After the event: the completer may still be at work on the field.
            QTimer::singleShot(0, this, [this] {
                if (m_family && !m_field->hasFocus())
                    cancel();
            });
        }
        return false;
    }
    if (const auto* popup = qobject_cast<const QAbstractItemView*>(watched);
        popup && popup->objectName() == QLatin1String("lstFound")) {
        if (type == QEvent::Hide)
            m_deltas.endPreview();
        if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel();
            return true;
        }
        return false;
    }
    if (type == QEvent::KeyPress) {
        const auto found = m_watched.find(watched);
        if (found != m_watched.end() && StartsSearch(static_cast<QKeyEvent*>(event))) {
            ItemList* list = m_planner.listFor(*found->second);
            if (list && watched != list)
                list->hidePopup();
            find(*found->second, static_cast<QKeyEvent*>(event)->text());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zv

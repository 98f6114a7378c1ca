#include "finder/ui/FormFinder.h"

#include "desktop/ui/Skin.h"
#include "planner/ItemFamily.h"
#include "planner/Variables.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"
#include "planner/ui/WearOutfit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zv {
namespace {

// The stats as people read them.
constexpr std::array<const char*, kStatCount> kStatTitles{
    "Stars", "Shield", "Delay", "Attack", "Hearts", "Item Delay", "Shovel", "Shield Regen"};
constexpr std::array<const char*, kItemSlotCount> kSlotTitles{"Helmet", "Armor", "Goggles",
                                                              "Accessory"};
constexpr int kObjectiveWeighted = 1 + kStatCount; // after "Efficiency" and the eight stats
constexpr int kLockAny = 0;
constexpr int kLockWorn = 1;
constexpr int kLockEmpty = 2;

// Table columns: "#", the four slots, cost, the objective, efficiency, the eight stats.
constexpr int kColumnCost = 5;
constexpr int kColumnObjective = 6;
constexpr int kColumnEfficiency = 7;
constexpr int kColumnStats = 8;

// Buying plan columns: step, slot, item, price, gold so far, the objective before and after, and
// the games and hours for the step's price and for the gold so far.
constexpr int kPlanColumnBefore = 5;
constexpr int kPlanColumnAfter = 6;
constexpr int kPlanColumnTimes = 7;
constexpr int kPlanColumns = 11;

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString Title(const char* text) {
    return QString::fromLatin1(text);
}

// A whole number typed in the user's locale (digits alone are fine everywhere); nullopt for an
// empty field. `ok` is false for anything else or a value outside low..high.
std::optional<int64_t> WholeNumber(const QString& typed, int64_t low, int64_t high, bool& ok) {
    const QString text = typed.trimmed();
    ok = true;
    if (text.isEmpty())
        return std::nullopt;
    qlonglong value = QLocale().toLongLong(text, &ok);
    if (!ok)
        value = QLocale::c().toLongLong(text, &ok);
    ok = ok && value >= low && value <= high;
    return value;
}

void MarkInvalid(QWidget* field, bool invalid) {
    if (field->property("invalid").toBool() == invalid)
        return;
    field->setProperty("invalid", invalid);
    field->style()->unpolish(field);
    field->style()->polish(field);
}

QTableWidgetItem* NumberItem(int64_t value) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, QVariant::fromValue<qlonglong>(value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

FormFinder::FormFinder(MainControls& controls, PlannerController& planner, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , c(controls)
    , m_planner(planner) {
    setObjectName(QStringLiteral("formFinder"));
    setWindowTitle(QStringLiteral("Outfit Finder"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    // A broken skin is reported by the main window already; this window works without one. The
    // window is larger than the skin's picture, which carries on past its edges.
    ApplySkin(this);
    resize(1140, 620);

    const int gender = c.GenderBox->currentIndex();
    lstGender->setCurrentIndex(gender == 1 ? 1 : 0);
    if (Totals().TotalCost != 0)
        txtBudget->setText(QString::number(Totals().TotalCost));
    refreshLockCaptions();
}

FormFinder::~FormFinder() {
    stopWorker();
}

void FormFinder::buildControls() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(8);

    // The inputs on a light panel, so that they read well on any skin.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("picboxInputs"));
    panel->setStyleSheet(QStringLiteral(
        "#picboxInputs { background: rgba(250, 248, 240, 225); border-radius: 6px; }"
        "QLineEdit[invalid=\"true\"] { border: 2px solid #c62828; background: #fdecea; }"));
    root->addWidget(panel);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(6);

    auto label = [panel](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, panel);
        l->setBuddy(buddy);
        return l;
    };
    auto field = [panel](const char* name, int width) {
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaximumWidth(width);
        return edit;
    };

    lstGender = new QComboBox(panel);
    lstGender->setObjectName(QStringLiteral("lstGender"));
    lstGender->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
    txtBudget = field("txtBudget", 140);
    txtBudget->setPlaceholderText(QStringLiteral("no limit"));
    lstObjective = new QComboBox(panel);
    lstObjective->setObjectName(QStringLiteral("lstObjective"));
    lstObjective->addItem(QStringLiteral("Efficiency"));
    for (const char* stat : kStatTitles)
        lstObjective->addItem(Title(stat));
    lstObjective->addItem(QStringLiteral("Weighted sum"));
    txtTop = new QSpinBox(panel);
    txtTop->setObjectName(QStringLiteral("txtTop"));
    txtTop->setRange(1, 100);
    txtTop->setValue(10);

    auto* first = new QHBoxLayout;
    first->addWidget(label(QStringLiteral("&Gender"), lstGender));
    first->addWidget(lstGender);
    first->addSpacing(12);
    first->addWidget(label(QStringLiteral("&Budget"), txtBudget));
    first->addWidget(txtBudget);
    first->addWidget(new QLabel(QStringLiteral("gold"), panel));
    first->addSpacing(12);
    first->addWidget(label(QStringLiteral("Best by"), lstObjective));
    first->addWidget(lstObjective);
    first->addSpacing(12);
    first->addWidget(label(QStringLiteral("Show"), txtTop));
    first->addWidget(txtTop);
    first->addStretch();
    grid->addLayout(first, 0, 0, 1, 9);

    // One row of eight stat fields: minimums, and the weights of a weighted sum.
    auto statRow = [&](int row, const QString& caption, const char* prefix,
                       std::array<QLineEdit*, kStatCount>& fields) {
        auto* holder = new QWidget(panel);
        auto* line = new QHBoxLayout(holder);
        line->setContentsMargins(0, 0, 0, 0);
        auto* title = new QLabel(caption, holder);
        title->setMinimumWidth(70);
        line->addWidget(title);
        for (int s = 0; s < kStatCount; ++s) {
            const QByteArray name = QByteArray(prefix) + QByteArray(FinderStats[s].Name.data(),
                                                                    FinderStats[s].Name.size());
            fields[s] = field(name.constData(), 52);
            fields[s]->setParent(holder);
            line->addWidget(label(Title(kStatTitles[s]), fields[s]));
            line->addWidget(fields[s]);
        }
        line->addStretch();
        grid->addWidget(holder, row, 0, 1, 9);
        return holder;
    };
    statRow(1, QStringLiteral("At least"), "txtMin", txtMin);
    for (QLineEdit* edit : txtMin)
        edit->setPlaceholderText(QStringLiteral("any"));
    weightsRow = statRow(2, QStringLiteral("Weights"), "txtWeight", txtWeight);
    for (QLineEdit* edit : txtWeight)
        edit->setPlaceholderText(QStringLiteral("0"));
    weightsRow->hide();

    auto* locks = new QHBoxLayout;
    auto* keep = new QLabel(QStringLiteral("Slots"), panel);
    keep->setMinimumWidth(70);
    locks->addWidget(keep);
    for (int slot = 0; slot < kItemSlotCount; ++slot) {
        lstLock[slot] = new QComboBox(panel);
        lstLock[slot]->setObjectName(QStringLiteral("lstLock") + Title(kSlotTitles[slot]));
        lstLock[slot]->addItems(
            {QStringLiteral("Any"), QStringLiteral("Keep worn"), QStringLiteral("Empty")});
        lstLock[slot]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        locks->addWidget(label(Title(kSlotTitles[slot]), lstLock[slot]));
        locks->addWidget(lstLock[slot]);
    }
    locks->addStretch();
    grid->addLayout(locks, 3, 0, 1, 9);

    chkOwned = new QCheckBox(QStringLiteral("Count the wardrobe's items as &owned (free)"), panel);
    chkOwned->setObjectName(QStringLiteral("chkOwned"));
    grid->addWidget(chkOwned, 4, 0, 1, 9);

    auto* buttons = new QHBoxLayout;
    cmdFind = new QPushButton(QStringLiteral("&Find"), this);
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setEnabled(false);
    cmdPutOn = new QPushButton(QStringLiteral("&Put On"), this);
    cmdPutOn->setObjectName(QStringLiteral("cmdPutOn"));
    cmdPutOn->setEnabled(false);
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    buttons->addWidget(cmdPutOn);
    root->addLayout(buttons);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(250, 248, 240, 225); border-radius: 4px; padding: 3px; }"));
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    root->addWidget(lblStatus);

    lstResults = new QTableWidget(0, kColumnStats + kStatCount, this);
    lstResults->setObjectName(QStringLiteral("lstResults"));
    QStringList headers{QStringLiteral("#")};
    for (const char* slot : kSlotTitles)
        headers << Title(slot);
    headers << QStringLiteral("Cost") << QStringLiteral("Objective")
            << QStringLiteral("Efficiency");
    for (const char* stat : kStatTitles)
        headers << Title(stat);
    lstResults->setHorizontalHeaderLabels(headers);
    lstResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstResults->setSelectionMode(QAbstractItemView::SingleSelection);
    // Rows are chosen with the arrow keys; Tab moves on to the next control.
    lstResults->setTabKeyNavigation(false);
    lstResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstResults->verticalHeader()->hide();
    lstResults->setSortingEnabled(true);
    lstResults->sortByColumn(0, Qt::AscendingOrder);
    lstResults->setColumnHidden(kColumnObjective, true);
    // For the keyboard as for the mouse: Enter puts the chosen row on, the table's menu
    // (context-menu key, Shift+F10, right click) sorts it by any column.
    lstResults->installEventFilter(this);
    lstResults->setContextMenuPolicy(Qt::CustomContextMenu);
    mnuSort = new QMenu(this);
    mnuSort->setObjectName(QStringLiteral("mnuSort"));
    root->addWidget(lstResults, 1);

    // The order to buy the chosen outfit's missing items in, shown while a row is chosen.
    picboxBuyingPlan = new QFrame(this);
    picboxBuyingPlan->setObjectName(QStringLiteral("picboxBuyingPlan"));
    picboxBuyingPlan->setStyleSheet(QStringLiteral(
        "#picboxBuyingPlan { background: rgba(250, 248, 240, 225); border-radius: 6px; }"));
    auto* plan = new QVBoxLayout(picboxBuyingPlan);
    plan->setContentsMargins(6, 4, 6, 6);
    plan->setSpacing(4);
    lblBuyingPlan = new QLabel(picboxBuyingPlan);
    lblBuyingPlan->setObjectName(QStringLiteral("lblBuyingPlan"));
    lblBuyingPlan->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plan->addWidget(lblBuyingPlan);
    lstBuyingPlan = new QTableWidget(0, kPlanColumns, picboxBuyingPlan);
    lstBuyingPlan->setObjectName(QStringLiteral("lstBuyingPlan"));
    lstBuyingPlan->setHorizontalHeaderLabels(
        {QStringLiteral("Step"), QStringLiteral("Slot"), QStringLiteral("Item"),
         QStringLiteral("Price"), QStringLiteral("Gold so far"), QString(), QString(),
         QStringLiteral("Games"), QStringLiteral("Hours"), QStringLiteral("Games so far"),
         QStringLiteral("Hours so far")});
    lstBuyingPlan->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstBuyingPlan->setSelectionMode(QAbstractItemView::NoSelection);
    lstBuyingPlan->setFocusPolicy(Qt::TabFocus);
    lstBuyingPlan->setTabKeyNavigation(false);
    lstBuyingPlan->verticalHeader()->hide();
    lstBuyingPlan->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for the four slots without a scroll bar.
    lstBuyingPlan->setFixedHeight(lstBuyingPlan->horizontalHeader()->sizeHint().height() +
                                  kItemSlotCount *
                                      lstBuyingPlan->verticalHeader()->defaultSectionSize() +
                                  2 * lstBuyingPlan->frameWidth());
    plan->addWidget(lstBuyingPlan);
    lblPlanNote = new QLabel(picboxBuyingPlan);
    lblPlanNote->setObjectName(QStringLiteral("lblPlanNote"));
    lblPlanNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plan->addWidget(lblPlanNote);
    picboxBuyingPlan->hide();
    root->addWidget(picboxBuyingPlan);

    // Any change of the inputs asks again; a request still running is cancelled.
    auto again = [this] {
        cmdFind_Click();
    };
    connect(lstGender, &QComboBox::currentIndexChanged, this, [this] {
        refreshLockCaptions();
        cmdFind_Click();
    });
    connect(lstObjective, &QComboBox::currentIndexChanged, this, [this] {
        weightsRow->setVisible(lstObjective->currentIndex() == kObjectiveWeighted);
        cmdFind_Click();
    });
    connect(txtTop, &QSpinBox::valueChanged, this, again);
    connect(chkOwned, &QCheckBox::toggled, this, again);
    connect(txtBudget, &QLineEdit::textChanged, this, again);
    for (QLineEdit* edit : txtMin)
        connect(edit, &QLineEdit::textChanged, this, again);
    for (QLineEdit* edit : txtWeight)
        connect(edit, &QLineEdit::textChanged, this, again);
    for (QComboBox* lock : lstLock)
        connect(lock, &QComboBox::currentIndexChanged, this, again);
    connect(cmdFind, &QPushButton::clicked, this, &FormFinder::cmdFind_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FormFinder::cmdCancel_Click);
    connect(cmdPutOn, &QPushButton::clicked, this, &FormFinder::cmdPutOn_Click);
    connect(lstResults, &QTableWidget::itemSelectionChanged, this, [this] {
        cmdPutOn->setEnabled(!lstResults->selectedItems().isEmpty());
        showBuyingPlan();
    });
    connect(lstResults, &QTableWidget::cellDoubleClicked, this, &FormFinder::cmdPutOn_Click);
    connect(lstResults, &QWidget::customContextMenuRequested, this, &FormFinder::showSortMenu);
}

bool FormFinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lstResults || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier && selectedOutfit()) {
        cmdPutOn_Click();
        return true;
    }
    if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
        (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        const QModelIndex current = lstResults->currentIndex();
        showSortMenu(current.isValid() ? lstResults->visualRect(current).center() : QPoint(0, 0));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// One entry per column on show; the column the table is sorted by turns its order round.
void FormFinder::showSortMenu(QPoint at) {
    mnuSort->clear();
    const QHeaderView* header = lstResults->horizontalHeader();
    for (int column = 0; column < lstResults->columnCount(); ++column) {
        if (lstResults->isColumnHidden(column))
            continue;
        const QString title =
            column == 0 ? QStringLiteral("rank") : lstResults->horizontalHeaderItem(column)->text();
        QAction* entry = mnuSort->addAction(QStringLiteral("Sort by ") + title);
        entry->setObjectName(QStringLiteral("sortby%1").arg(column));
        entry->setCheckable(true);
        entry->setChecked(header->sortIndicatorSection() == column);
        connect(entry, &QAction::triggered, this, [this, column] {
            const QHeaderView* sorted = lstResults->horizontalHeader();
            const bool again = sorted->sortIndicatorSection() == column &&
                               sorted->sortIndicatorOrder() == Qt::AscendingOrder;
            lstResults->sortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
        });
    }
    mnuSort->popup(lstResults->viewport()->mapToGlobal(at));
}

// "Keep worn" shows what the main window wears in that slot for the chosen gender.
void FormFinder::refreshLockCaptions() {
    const int gender = lstGender->currentIndex();
    for (int slot = 0; slot < kItemSlotCount; ++slot) {
        const ItemFamily* family = ItemFamilyFor(gender, kSlotKinds[slot]);
        const ItemList* list = family ? m_planner.listFor(*family) : nullptr;
        const QString worn = list ? list->editText() : QString();
        lstLock[slot]->setItemText(kLockWorn, QStringLiteral("Keep: ") + worn);
        lstLock[slot]->setItemData(kLockWorn, worn);
    }
}

bool FormFinder::readRequest(FinderRequest& request) {
    QStringList problems;
    auto check = [&problems](QLineEdit* field, bool ok, const QString& problem) {
        MarkInvalid(field, !ok);
        if (!ok)
            problems << problem;
    };
    bool ok = true;
    request.Budget = WholeNumber(txtBudget->text(), 0, int64_t{1} << 53, ok);
    check(txtBudget, ok,
          QStringLiteral("The budget must be a whole number of gold, 0 or more (or empty for no "
                         "limit)."));
    for (int s = 0; s < kStatCount; ++s) {
        const auto minimum = WholeNumber(txtMin[s]->text(), -32768, MaxStatTotal, ok);
        check(txtMin[s], ok,
              QStringLiteral("The minimum for %1 must be a whole number from -32768 to %2.")
                  .arg(Title(kStatTitles[s]))
                  .arg(MaxStatTotal));
        if (ok && minimum)
            request.Minimums[s] = static_cast<int>(*minimum);
    }
    const int objective = lstObjective->currentIndex();
    if (objective == kObjectiveWeighted) {
        request.Goal.Kind = ObjectiveKind::Weighted;
        for (int s = 0; s < kStatCount; ++s) {
            const auto weight = WholeNumber(txtWeight[s]->text(), -1000, 1000, ok);
            check(txtWeight[s], ok,
                  QStringLiteral("The weight of %1 must be a whole number from -1000 to 1000.")
                      .arg(Title(kStatTitles[s])));
            request.Goal.Weights[s] = ok && weight ? static_cast<int>(*weight) : 0;
        }
    } else {
        for (QLineEdit* edit : txtWeight)
            MarkInvalid(edit, false);
        if (objective > 0) {
            request.Goal.Kind = ObjectiveKind::Stat;
            request.Goal.Stat = objective - 1;
        }
    }
    request.Top = txtTop->value();
    request.CountOwned = chkOwned->isChecked();
    for (int slot = 0; slot < kItemSlotCount; ++slot) {
        switch (lstLock[slot]->currentIndex()) {
        case kLockWorn:
            request.Locks[slot] = {
                LockKind::Keep,
                lstLock[slot]->itemData(kLockWorn).toString().toLatin1().toStdString()};
            break;
        case kLockEmpty:
            request.Locks[slot] = {LockKind::Empty, {}};
            break;
        case kLockAny:
        default:
            break;
        }
    }
    if (problems.isEmpty())
        return true;
    lblStatus->setText(
        problems.size() == 1
            ? problems.front()
            : problems.front() +
                  QStringLiteral(" (%1 more fields are marked.)").arg(problems.size() - 1));
    return false;
}

void FormFinder::cmdFind_Click() {
    refreshLockCaptions();
    FinderRequest request;
    if (!readRequest(request)) {
        // Whatever is still on its way answers inputs that are gone.
        ++m_lastId;
        cmdCancel_Click();
        m_searching = false;
        cmdCancel->setEnabled(false);
        lstResults->setEnabled(false);
        cmdPutOn->setEnabled(false);
        showBuyingPlan();
        return;
    }
    startSearch(lstGender->currentIndex(), std::move(request));
}

void FormFinder::startSearch(int gender, FinderRequest request) {
    const uint64_t id = ++m_lastId;
    m_searching = true;
    cmdCancel->setEnabled(true);
    lblStatus->setText(QStringLiteral("Searching..."));
    std::shared_ptr<const FinderCatalog> catalog = m_catalogs[gender];
    // Replacing the worker cancels the search before and waits for it: it checks often.
    m_worker = std::jthread(
        [this, id, gender, catalog, request = std::move(request)](std::stop_token stop) mutable {
            Outcome outcome;
            outcome.Id = id;
            outcome.Gender = gender;
            outcome.Goal = request.Goal;
            outcome.Catalog = std::move(catalog);
            if (!outcome.Catalog) {
                if (auto loaded = LoadFinderCatalog(gender, &outcome.Error))
                    outcome.Catalog = std::make_shared<const FinderCatalog>(std::move(*loaded));
            }
            if (outcome.Catalog) {
                if (request.CountOwned)
                    request.Owned = ReadOwnedItems(gender);
                outcome.Result = FindOutfits(*outcome.Catalog, request, stop);
                outcome.Owned = std::move(request.Owned);
            }
            QMetaObject::invokeMethod(
                this, [this, outcome = std::move(outcome)] { searchDone(outcome); },
                Qt::QueuedConnection);
        });
}

void FormFinder::searchDone(const Outcome& outcome) {
    if (outcome.Catalog)
        m_catalogs[outcome.Gender] = outcome.Catalog;
    if (outcome.Id != m_lastId)
        return; // an answer to an older request
    m_searching = false;
    cmdCancel->setEnabled(false);
    if (!outcome.Error.empty()) {
        m_shown = {};
        lstResults->setRowCount(0);
        lblStatus->setText(Latin1(outcome.Error));
        showBuyingPlan();
    } else {
        m_shownGender = outcome.Gender;
        m_shownCatalog = outcome.Catalog;
        m_shownGoal = outcome.Goal;
        m_shownOwned = outcome.Owned;
        showResults(outcome.Result, outcome.Goal);
    }
    emit searchFinished();
}

void FormFinder::showResults(const FinderResult& result, const Objective& goal) {
    m_shown = result;
    lblStatus->setText(Latin1(FinderSummary(result)));
    lstResults->setEnabled(true);
    // The efficiency and single stats have columns of their own already.
    const bool ownColumn = goal.Kind == ObjectiveKind::Weighted;
    lstResults->setColumnHidden(kColumnObjective, !ownColumn);
    lstResults->horizontalHeaderItem(kColumnObjective)->setText(Latin1(ObjectiveTitle(goal)));

    lstResults->setSortingEnabled(false);
    lstResults->clearContents();
    lstResults->setRowCount(static_cast<int>(result.Outfits.size()));
    for (int row = 0; row < lstResults->rowCount(); ++row) {
        const FoundOutfit& o = result.Outfits[static_cast<size_t>(row)];
        QTableWidgetItem* rank = NumberItem(row + 1);
        rank->setData(Qt::UserRole, row);
        lstResults->setItem(row, 0, rank);
        for (int slot = 0; slot < kItemSlotCount; ++slot)
            lstResults->setItem(row, 1 + slot, new QTableWidgetItem(Latin1(o.Names[slot])));
        lstResults->setItem(row, kColumnCost, NumberItem(o.Cost));
        lstResults->setItem(row, kColumnObjective, NumberItem(o.Value));
        lstResults->setItem(row, kColumnEfficiency, NumberItem(o.Efficiency));
        for (int s = 0; s < kStatCount; ++s)
            lstResults->setItem(row, kColumnStats + s, NumberItem(o.Totals.*FinderStats[s].Total));
    }
    lstResults->setSortingEnabled(true);
    lstResults->resizeColumnsToContents();
    cmdPutOn->setEnabled(!lstResults->selectedItems().isEmpty());
    showBuyingPlan();
}

void FormFinder::cmdCancel_Click() {
    if (m_worker.joinable())
        m_worker.request_stop();
}

const FoundOutfit* FormFinder::selectedOutfit() const {
    const QList<QTableWidgetItem*> selected = lstResults->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const QTableWidgetItem* rank = lstResults->item(selected.front()->row(), 0);
    const int index = rank ? rank->data(Qt::UserRole).toInt() : -1;
    if (index < 0 || index >= static_cast<int>(m_shown.Outfits.size()))
        return nullptr;
    return &m_shown.Outfits[static_cast<size_t>(index)];
}

void FormFinder::cmdPutOn_Click() {
    const FoundOutfit* outfit = selectedOutfit();
    if (!outfit)
        return;
    WearOutfit(c, m_planner, m_shownGender, outfit->Names);
    refreshLockCaptions();
    showBuyingPlan();
}

// What the main window wears in the gender of the outfits on show; `bare` when it dresses the
// other gender (or none), whose items a player of this gender does not have.
WornOutfit FormFinder::wornOutfit(bool& bare) const {
    WornOutfit worn;
    bare = c.GenderBox->currentIndex() != m_shownGender;
    if (bare)
        return worn;
    for (int slot = 0; slot < kItemSlotCount; ++slot) {
        const ItemFamily* family = ItemFamilyFor(m_shownGender, kSlotKinds[slot]);
        const ItemList* list = family ? m_planner.listFor(*family) : nullptr;
        if (list)
            worn.Names[slot] = list->editText().toLatin1().toStdString();
        worn.Effects[slot] = m_planner.effectsFor(kSlotKinds[slot]);
    }
    return worn;
}

void FormFinder::showBuyingPlan() {
    const FoundOutfit* outfit = lstResults->isEnabled() ? selectedOutfit() : nullptr;
    if (!outfit || !m_shownCatalog) {
        picboxBuyingPlan->hide();
        return;
    }
    bool bare = false;
    const WornOutfit worn = wornOutfit(bare);
    BuyingPlan plan = PlanPurchases(*m_shownCatalog, *outfit, worn, m_shownGoal, m_shownOwned);
    AddKeptEarningTimes(plan, QLocale());

    const bool otherGender = bare && c.GenderBox->currentIndex() >= 0;
    const QString from = !bare         ? QStringLiteral("From the outfit worn now: ")
                         : otherGender ? QStringLiteral("From the bare figure (the main window "
                                                        "dresses the other gender): ")
                                       : QStringLiteral("From the bare figure: ");
    lblBuyingPlan->setText(from + Latin1(PlanSummary(plan, m_shownGoal)));
    const QString objective = Latin1(ObjectiveTitle(m_shownGoal));
    lstBuyingPlan->horizontalHeaderItem(kPlanColumnBefore)
        ->setText(objective + QStringLiteral(" before"));
    lstBuyingPlan->horizontalHeaderItem(kPlanColumnAfter)
        ->setText(objective + QStringLiteral(" after"));
    for (int column = kPlanColumnTimes; column < kPlanColumns; ++column)
        lstBuyingPlan->setColumnHidden(column, !plan.HasTimes);

    auto timeItem = [](const std::optional<EarningTime>& time, bool hours) {
        auto* item = new QTableWidgetItem(Latin1(EarningText(time, hours)));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    lstBuyingPlan->clearContents();
    lstBuyingPlan->setRowCount(static_cast<int>(plan.Steps.size()));
    for (int row = 0; row < lstBuyingPlan->rowCount(); ++row) {
        const PlanStep& step = plan.Steps[static_cast<size_t>(row)];
        lstBuyingPlan->setItem(row, 0, NumberItem(row + 1));
        lstBuyingPlan->setItem(row, 1, new QTableWidgetItem(Title(kSlotTitles[step.Slot])));
        lstBuyingPlan->setItem(row, 2, new QTableWidgetItem(Latin1(PlanStepText(step))));
        lstBuyingPlan->setItem(row, 3, NumberItem(step.Price));
        lstBuyingPlan->setItem(row, 4, NumberItem(step.Gold));
        lstBuyingPlan->setItem(row, kPlanColumnBefore, NumberItem(step.ValueBefore));
        lstBuyingPlan->setItem(row, kPlanColumnAfter, NumberItem(step.ValueAfter));
        lstBuyingPlan->setItem(row, kPlanColumnTimes, timeItem(step.StepTime, false));
        lstBuyingPlan->setItem(row, kPlanColumnTimes + 1, timeItem(step.StepTime, true));
        lstBuyingPlan->setItem(row, kPlanColumnTimes + 2, timeItem(step.TotalTime, false));
        lstBuyingPlan->setItem(row, kPlanColumnTimes + 3, timeItem(step.TotalTime, true));
    }
    lstBuyingPlan->resizeColumnsToContents();
    lstBuyingPlan->setVisible(!plan.Steps.empty());
    lblPlanNote->setText(Latin1(plan.TimeNote));
    lblPlanNote->setVisible(!plan.TimeNote.empty() && !plan.Steps.empty());
    picboxBuyingPlan->show();
}

void FormFinder::stopWorker() {
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
    m_worker = std::jthread();
}

void FormFinder::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshLockCaptions();
    if (m_lastId == 0)
        cmdFind_Click();
}

// Coming back to the window after wearing other items or filling in the calculator: the plan
// starts from what is worn now and counts with the figures kept now.
void FormFinder::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showBuyingPlan();
}

void FormFinder::closeEvent(QCloseEvent* event) {
    stopWorker();
    event->accept();
}

} // namespace zv

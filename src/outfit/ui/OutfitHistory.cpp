#include "outfit/ui/OutfitHistory.h"

#include "planner/ItemFamily.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QUndoCommand>
#include <array>

namespace zv {

namespace {

constexpr int kHashedRowStep = 8;

// What a picture control stands for in a state.
enum class Role {
    Outfit, // a shop picture or the extra Snorkel layer: picture only
    Figure, // a layer that stands on the anchor (the anchor itself too): picture and place
    Mobile, // the mobile's picture
    Bar,    // a stat bar: its picture (a total below -15 keeps an older one)
};

struct PictureControl {
    ImageControl* control;
    Role role;
};

std::vector<PictureControl> PictureControls(const MainControls& c) {
    return {{c.imageHelm, Role::Outfit},    {c.imageArmor, Role::Outfit},
            {c.imageGoggles, Role::Outfit}, {c.imageAccessories, Role::Outfit},
            {c.imgHelmet, Role::Figure},    {c.imgArmor, Role::Figure},
            {c.imgGoggles, Role::Figure},   {c.imgAccessories, Role::Figure},
            {c.imgSpecial, Role::Figure},   {c.imgAvatarBase, Role::Figure},
            {c.imgMobile, Role::Mobile},    {c.imgStars, Role::Bar},
            {c.imgShield, Role::Bar},       {c.imgdelay1, Role::Bar},
            {c.imgAttack, Role::Bar},       {c.imgHearts, Role::Bar},
            {c.imgDelay2, Role::Bar},       {c.imgShovel, Role::Bar},
            {c.imgShieldRe, Role::Bar}};
}

struct ListState {
    int index = -1;
    QString caption;
    bool hidden = false;
    bool operator==(const ListState&) const = default;
};

struct PictureState {
    QPixmap picture; // interned
    int left = 0;
    int top = 0;
    bool operator==(const PictureState& other) const {
        return picture.cacheKey() == other.picture.cacheKey() && left == other.left &&
               top == other.top;
    }
};

ListState ListStateOf(const ItemList* list) {
    return {list->currentIndex(), list->placeholderText(), list->isHidden()};
}

void PutListState(ItemList* list, const ListState& state) {
    const QSignalBlocker block(list);
    list->setPlaceholderText(state.caption);
    list->setCurrentIndex(state.index);
    list->setHidden(state.hidden);
}

} // namespace

// The gender box and the seven item lists.
struct ListStates {
    ListState gender;
    std::array<ListState, ItemFamilies.size()> lists;
    bool operator==(const ListStates&) const = default;
};

struct OutfitState {
    ListStates lists;
    std::vector<PictureState> pictures; // in the order of PictureControls
    ItemEffects helmet, armor, goggles, accessory;
    QString cost, efficiency;
    std::array<bool, 3> menus{}; // mobile, save, load enabled
    bool operator==(const OutfitState&) const = default;

    // The mobile's picture and the anchor's place (the figure's layers stand on it).
    bool sameMobile(const OutfitState& other, const std::vector<PictureControl>& controls) const {
        for (size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].role == Role::Mobile && !(pictures[i] == other.pictures[i]))
                return false;
            if (controls[i].role == Role::Figure && (pictures[i].left != other.pictures[i].left ||
                                                     pictures[i].top != other.pictures[i].top))
                return false;
        }
        return true;
    }
};

// One user action: the states before and after it.
class OutfitStep final : public QUndoCommand {
public:
    OutfitStep(OutfitHistory& history, OutfitState before, OutfitState after, const QString& label,
               bool touchesMobile)
        : QUndoCommand(label)
        , m_history(history)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_touchesMobile(touchesMobile) {}

    void undo() override { m_history.restore(m_before, m_touchesMobile); }
    void redo() override {
        // Pushing the step redoes it: the action itself has done that already.
        if (m_done) {
            m_done = false;
            return;
        }
        m_history.restore(m_after, m_touchesMobile);
    }

private:
    OutfitHistory& m_history;
    OutfitState m_before;
    OutfitState m_after;
    bool m_touchesMobile;
    bool m_done = true;
};

OutfitHistory::OutfitHistory(MainControls& controls, PlannerController& planner, QObject* parent)
    : QObject(parent)
    , c(controls)
    , m_planner(planner)
    , m_settledLists(std::make_unique<ListStates>(captureLists())) {
    m_stack.setUndoLimit(kStepLimit);
    m_planner.outfitSteps.began = [this](std::string_view label) {
        began(label);
    };
    m_planner.outfitSteps.ended = [this] {
        ended();
    };
}

// The planner goes before the window's children: it never calls a history that is gone.
OutfitHistory::~OutfitHistory() = default;

QPixmap OutfitHistory::intern(const QPixmap& picture) {
    if (picture.isNull())
        return QPixmap();
    if (const auto known = m_byKey.find(picture.cacheKey()); known != m_byKey.end())
        return known->second;
    const QImage image = picture.toImage();
    // Every eighth row is enough to tell pictures apart; equal ones are compared whole below.
    size_t hash = qHash(image.width() * 65537 + image.height());
    for (int y = 0; y < image.height(); y += kHashedRowStep)
        hash = qHashBits(image.constScanLine(y), static_cast<size_t>(image.bytesPerLine()), hash);
    std::vector<QPixmap>& alike = m_byContent[hash];
    QPixmap interned = picture;
    for (const QPixmap& candidate : alike) {
        if (candidate.toImage() == image) {
            interned = candidate;
            break;
        }
    }
    if (interned.cacheKey() == picture.cacheKey())
        alike.push_back(picture);
    m_byKey.emplace(picture.cacheKey(), interned);
    return interned;
}

ListStates OutfitHistory::captureLists() const {
    ListStates states;
    states.gender = ListStateOf(c.GenderBox);
    for (size_t i = 0; i < ItemFamilies.size(); ++i)
        states.lists[i] = ListStateOf(m_planner.listFor(ItemFamilies[i]));
    return states;
}

OutfitState OutfitHistory::capture() {
    OutfitState state;
    state.lists = captureLists();
    for (const PictureControl& picture : PictureControls(c)) {
        state.pictures.push_back({intern(picture.control->picture()), picture.control->leftTwips(),
                                  picture.control->topTwips()});
    }
    state.helmet = m_planner.HelmetEffects;
    state.armor = m_planner.ArmorEffects;
    state.goggles = m_planner.GogglesEffects;
    state.accessory = m_planner.AccessoryEffects;
    state.cost = c.labelTotalCost->text();
    state.efficiency = c.lblAvatarEfficiency->text();
    state.menus = {c.mobile->menuAction()->isEnabled(), c.save->menuAction()->isEnabled(),
                   c.load->menuAction()->isEnabled()};
    return state;
}

void OutfitHistory::restore(const OutfitState& state, bool withMobile) {
    PutListState(c.GenderBox, state.lists.gender);
    for (size_t i = 0; i < ItemFamilies.size(); ++i)
        PutListState(m_planner.listFor(ItemFamilies[i]), state.lists.lists[i]);
    *m_settledLists = state.lists;

    m_planner.HelmetEffects = state.helmet;
    m_planner.ArmorEffects = state.armor;
    m_planner.GogglesEffects = state.goggles;
    m_planner.AccessoryEffects = state.accessory;
    // The totals, markers and labels follow from the records as they always do.
    m_planner.UpdateTotals();

    const std::vector<PictureControl> controls = PictureControls(c);
    for (size_t i = 0; i < controls.size(); ++i) {
        ImageControl* control = controls[i].control;
        const PictureState& picture = state.pictures[i];
        if (controls[i].role == Role::Mobile && !withMobile)
            continue;
        if (control->picture().cacheKey() != picture.picture.cacheKey())
            control->setPicture(picture.picture);
        if (controls[i].role == Role::Figure && withMobile)
            control->moveTwips(picture.left, picture.top);
    }
    c.mobile->menuAction()->setEnabled(state.menus[0]);
    c.save->menuAction()->setEnabled(state.menus[1]);
    c.load->menuAction()->setEnabled(state.menus[2]);
    emit changed();
}

void OutfitHistory::began(std::string_view label) {
    m_before = std::make_unique<OutfitState>(capture());
    // A list shows the entry picked before its handler runs: what it showed before the action
    // is what the last action (or undo) left in it.
    m_before->lists = *m_settledLists;
    m_label.assign(label);
}

void OutfitHistory::ended() {
    if (!m_before)
        return;
    const std::unique_ptr<OutfitState> before = std::move(m_before);
    OutfitState after = capture();
    *m_settledLists = after.lists;
    if (after == *before)
        return;
    const bool touchesMobile = !before->sameMobile(after, PictureControls(c));
    m_stack.push(new OutfitStep(*this, std::move(*before), std::move(after),
                                QString::fromStdString(m_label), touchesMobile));
    emit changed();
}

void OutfitHistory::undo() {
    if (!m_planner.outfitSteps.inStep())
        m_stack.undo();
}

void OutfitHistory::redo() {
    if (!m_planner.outfitSteps.inStep())
        m_stack.redo();
}

} // namespace zv

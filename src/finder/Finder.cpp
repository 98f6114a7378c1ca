#include "finder/Finder.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace zv {
namespace {

using Clock = std::chrono::steady_clock;

const ItemEffects kNothing{};
constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max() / 4;

// One item of a list, or nothing.
struct Choice {
    const std::string* Name = nullptr;
    const ItemEffects* Effects = nullptr;
    int64_t Cost = 0;
    int Position = -1; // place in the list; -1 for nothing
};

// Choices of one slot that rank alike: the same cost and the same values in every stat that
// counts. The search weighs them once; only their list places tell their outfits apart.
struct Group {
    const ItemEffects* Effects = nullptr; // the first member's
    int64_t Cost = 0;
    int Position = -1;           // the first member's
    int64_t Bound = 0;           // no outfit with this group scores higher
    int64_t Gain = 0;            // it adds at most this much to any outfit's objective
    std::vector<Choice> Members; // by list place
};

// How the stats matter: which ones the objective wants high or low, and which ones must reach
// a minimum.
struct Directions {
    std::array<int, kStatCount> Objective{}; // +1 higher is better, -1 lower is better, 0 no matter
    std::array<bool, kStatCount> Minimum{};
};

Directions DirectionsOf(const FinderRequest& request) {
    Directions d;
    const Objective& goal = request.Goal;
    switch (goal.Kind) {
    case ObjectiveKind::Efficiency:
        // The efficiency figure only grows with the Shield, Attack and Hearts totals.
        d.Objective[kShield] = d.Objective[kAttack] = d.Objective[kHearts] = 1;
        break;
    case ObjectiveKind::Stat:
        d.Objective[goal.Stat] = 1;
        break;
    case ObjectiveKind::Weighted:
        for (int s = 0; s < kStatCount; ++s)
            d.Objective[s] = goal.Weights[s] > 0 ? 1 : goal.Weights[s] < 0 ? -1 : 0;
        break;
    }
    for (int s = 0; s < kStatCount; ++s)
        d.Minimum[s] = request.Minimums[s].has_value();
    return d;
}

// The stats that count, each with the sign that makes "larger" mean "at least as good"; a stat
// wanted high for a minimum and low by the objective takes two lanes, so it must be equal.
struct Lanes {
    std::array<std::pair<int, int>, 2 * kStatCount> Lane{};
    int Width = 0;
    using Key = std::array<int, 2 * kStatCount>;
    Key keyOf(const ItemEffects& e) const {
        Key key{};
        for (int l = 0; l < Width; ++l)
            key[l] = Lane[l].second * (e.*FinderStats[Lane[l].first].Effect);
        return key;
    }
    bool atLeast(const Key& a, const Key& b) const {
        for (int l = 0; l < Width; ++l) {
            if (a[l] < b[l])
                return false;
        }
        return true;
    }
};

Lanes LanesOf(const Directions& d) {
    Lanes lanes;
    for (int s = 0; s < kStatCount; ++s) {
        if (d.Objective[s] > 0 || d.Minimum[s])
            lanes.Lane[lanes.Width++] = {s, 1};
        if (d.Objective[s] < 0)
            lanes.Lane[lanes.Width++] = {s, -1};
    }
    return lanes;
}

// Ranking: higher objective, then lower cost, then earlier in the lists (helmet first).
struct Rank {
    int64_t Value = 0;
    int64_t Cost = 0;
    std::array<int, kItemSlotCount> Positions{};
};
bool Before(const Rank& a, const Rank& b) {
    if (a.Value != b.Value)
        return a.Value > b.Value;
    if (a.Cost != b.Cost)
        return a.Cost < b.Cost;
    return a.Positions < b.Positions;
}

struct Entry {
    Rank Key;
    std::array<const Choice*, kItemSlotCount> Worn{};
};
bool EntryBefore(const Entry& a, const Entry& b) {
    return Before(a.Key, b.Key);
}

ItemEffects Combine(const ItemEffects& a, const ItemEffects& b, bool high) {
    ItemEffects out = a;
    for (const FinderStat& stat : FinderStats)
        out.*stat.Effect = high ? std::max(a.*stat.Effect, b.*stat.Effect)
                                : std::min(a.*stat.Effect, b.*stat.Effect);
    return out;
}

PlannerTotals Totals4(const std::array<const ItemEffects*, kItemSlotCount>& e) {
    return ComputeTotals(*e[0], *e[1], *e[2], *e[3]);
}

bool MeetsMinimums(const FinderRequest& request, const PlannerTotals& totals) {
    for (int s = 0; s < kStatCount; ++s) {
        if (request.Minimums[s] && totals.*FinderStats[s].Total < *request.Minimums[s])
            return false;
    }
    return true;
}

class Search {
public:
    Search(const FinderCatalog& catalog, const FinderRequest& request, std::stop_token stop)
        : m_catalog(catalog)
        , m_request(request)
        , m_dir(DirectionsOf(request))
        , m_lanes(LanesOf(m_dir))
        , m_stop(std::move(stop))
        , m_top(static_cast<size_t>(std::max(1, request.Top)))
        , m_budget(request.Budget ? *request.Budget : kNoLimit) {
        if (request.TimeLimit.count() > 0)
            m_deadline = Clock::now() + request.TimeLimit;
        for (int s = 0; s < kStatCount; ++s)
            m_anyLow = m_anyLow || m_dir.Objective[s] < 0;
    }

    FinderResult run() {
        FinderResult result;
        std::array<std::vector<Choice>, kItemSlotCount> choices;
        result.Combinations = collect(choices);
        int64_t cheapest = 0;
        for (const std::vector<Choice>& slot : choices) {
            cheapest +=
                std::min_element(slot.begin(), slot.end(), [](const Choice& a, const Choice& b) {
                    return a.Cost < b.Cost;
                })->Cost;
        }
        const bool affordable = cheapest <= m_budget;
        if (affordable && prepare(choices))
            descend(0, 0, std::numeric_limits<int64_t>::max());
        result.Examined = m_examined;
        result.Optimal = !m_stopped;

        std::sort_heap(m_best.begin(), m_best.end(), EntryBefore);
        for (const Entry& entry : m_best)
            result.Outfits.push_back(outfitOf(entry));
        if (result.Outfits.empty()) {
            const bool anyMinimum =
                std::any_of(m_dir.Minimum.begin(), m_dir.Minimum.end(), [](bool m) { return m; });
            if (m_stopped)
                result.Problem = "The search stopped before it found an outfit.";
            else if (!affordable || !anyMinimum)
                result.Problem = "The kept items cost more than the budget.";
            else
                result.Problem = "No outfit meets these minimums.";
        }
        return result;
    }

private:
    struct SlotChoices {
        std::vector<Group> Groups;        // the most promising first
        std::vector<const Group*> ByCost; // the cheapest first
        std::vector<const Group*> ByGain; // the largest gain first
        std::vector<int64_t> Costs;       // their costs
        std::vector<ItemEffects> High;    // per stat the highest among ByCost[0..k]
        std::vector<ItemEffects> Low;     // ... and the lowest
        int64_t MinCost = 0;
        int MinPosition = 0;
    };

    // Every choice the locks leave for each slot; returns how many outfits they make.
    uint64_t collect(std::array<std::vector<Choice>, kItemSlotCount>& choices) const {
        uint64_t combinations = 1;
        for (int slot = 0; slot < kItemSlotCount; ++slot) {
            std::vector<Choice>& items = choices[slot];
            const std::vector<FinderItem>& list = m_catalog.Slots[slot];
            const SlotLock& lock = m_request.Locks[slot];
            const Choice nothing{&m_catalog.Captions[slot], &kNothing, 0, -1};
            if (lock.Kind == LockKind::Free) {
                items.push_back(nothing);
                for (size_t i = 0; i < list.size(); ++i)
                    items.push_back(choiceOf(slot, list[i], static_cast<int>(i)));
            } else if (lock.Kind == LockKind::Empty) {
                items.push_back(nothing);
            } else {
                const auto found =
                    std::find_if(list.begin(), list.end(), [&lock](const FinderItem& item) {
                        return item.Name == lock.Name;
                    });
                if (found != list.end())
                    items.push_back(choiceOf(slot, *found, static_cast<int>(found - list.begin())));
                else if (lock.Name == m_catalog.Captions[slot])
                    items.push_back(nothing);
                else // a name the catalogue does not know: the planner wears it with no effects
                    items.push_back({&lock.Name, &kNothing, 0, -1});
            }
            const uint64_t count = items.size();
            combinations = combinations > std::numeric_limits<uint64_t>::max() / count
                               ? std::numeric_limits<uint64_t>::max()
                               : combinations * count;
        }
        return combinations;
    }

    Choice choiceOf(int slot, const FinderItem& item, int position) const {
        int64_t cost = item.Effects.Cost;
        if (m_request.CountOwned && IsOwned(m_request.Owned, kSlotKinds[slot], item.Name))
            cost = 0;
        return {&item.Name, &item.Effects, cost, position};
    }

    // Leaves for each slot only what can be part of a best outfit, in groups. False when some
    // slot has nothing left.
    bool prepare(std::array<std::vector<Choice>, kItemSlotCount>& choices) {
        // Alone too dear, or unable to reach a minimum even with the best of the other slots.
        std::array<int64_t, kItemSlotCount> minCost{};
        std::array<ItemEffects, kItemSlotCount> high{};
        for (int slot = 0; slot < kItemSlotCount; ++slot) {
            minCost[slot] = choices[slot].front().Cost;
            high[slot] = *choices[slot].front().Effects;
            for (const Choice& c : choices[slot]) {
                minCost[slot] = std::min(minCost[slot], c.Cost);
                high[slot] = Combine(high[slot], *c.Effects, true);
            }
        }
        for (int slot = 0; slot < kItemSlotCount; ++slot) {
            int64_t othersCost = 0;
            std::array<const ItemEffects*, kItemSlotCount> best{};
            for (int other = 0; other < kItemSlotCount; ++other) {
                best[other] = &high[other];
                if (other != slot)
                    othersCost += minCost[other];
            }
            std::vector<Choice> kept;
            for (const Choice& c : choices[slot]) {
                best[slot] = c.Effects;
                if (c.Cost + othersCost <= m_budget && MeetsMinimums(m_request, Totals4(best)))
                    kept.push_back(c);
            }
            if (kept.empty())
                return false;
            m_slots[slot].Groups = groupsOf(kept);
        }
        for (SlotChoices& s : m_slots) {
            pruneDominated(s.Groups);
            refresh(s);
        }
        // Each group's bound with the best of everything else; the most promising go first.
        for (int slot = 0; slot < kItemSlotCount; ++slot) {
            std::array<const ItemEffects*, kItemSlotCount> best{}, worst{};
            for (int other = 0; other < kItemSlotCount; ++other) {
                best[other] = &m_slots[other].High.back();
                worst[other] = &m_slots[other].Low.back();
            }
            for (Group& g : m_slots[slot].Groups) {
                best[slot] = worst[slot] = g.Effects;
                g.Bound = boundOf(best, worst);
                g.Gain = gainOf(*g.Effects);
            }
        }
        for (SlotChoices& s : m_slots) {
            std::sort(s.Groups.begin(), s.Groups.end(), [](const Group& a, const Group& b) {
                if (a.Bound != b.Bound)
                    return a.Bound > b.Bound;
                return a.Cost != b.Cost ? a.Cost < b.Cost : a.Position < b.Position;
            });
            refresh(s);
        }
        // Short lists high in the tree, the longest one in the innermost loop.
        for (int i = 0; i < kItemSlotCount; ++i)
            m_order[i] = i;
        std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) {
            return m_slots[a].Groups.size() < m_slots[b].Groups.size();
        });
        for (int depth = kItemSlotCount - 1; depth >= 0; --depth) {
            const SlotChoices& s = m_slots[m_order[depth]];
            m_restMinCost[depth] = m_restMinCost[depth + 1] + s.MinCost;
            m_restMaxGain[depth] = m_restMaxGain[depth + 1] + s.ByGain.front()->Gain;
        }
        return true;
    }

    std::vector<Group> groupsOf(std::vector<Choice>& choices) const {
        std::vector<std::pair<Lanes::Key, const Choice*>> keyed;
        keyed.reserve(choices.size());
        for (const Choice& c : choices)
            keyed.emplace_back(m_lanes.keyOf(*c.Effects), &c);
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            if (a.second->Cost != b.second->Cost)
                return a.second->Cost < b.second->Cost;
            if (a.first != b.first)
                return a.first < b.first;
            return a.second->Position < b.second->Position;
        });
        std::vector<Group> groups;
        for (size_t i = 0; i < keyed.size(); ++i) {
            const Choice& c = *keyed[i].second;
            if (i == 0 || keyed[i].first != keyed[i - 1].first ||
                c.Cost != keyed[i - 1].second->Cost)
                groups.push_back({c.Effects, c.Cost, c.Position, 0, 0, {}});
            groups.back().Members.push_back(c);
        }
        return groups;
    }

    // A choice with at least Top others in its slot that are no dearer (and, when as dear, earlier
    // in the list) and at least as good in every stat that counts can never be in the answer:
    // each of those others, worn instead, gives an outfit that ranks before it.
    void pruneDominated(std::vector<Group>& groups) const {
        std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
            return a.Cost != b.Cost ? a.Cost < b.Cost : a.Position < b.Position;
        });
        std::vector<Group> kept;
        std::vector<Lanes::Key> keys;
        for (Group& g : groups) {
            const Lanes::Key key = m_lanes.keyOf(*g.Effects);
            size_t dominators = 0;
            for (size_t k = 0; k < kept.size() && dominators < m_top; ++k) {
                if (!m_lanes.atLeast(keys[k], key))
                    continue;
                const std::vector<Choice>& others = kept[k].Members;
                if (kept[k].Cost < g.Cost) {
                    dominators += others.size();
                } else { // as dear: only those earlier in the list
                    dominators += static_cast<size_t>(
                        std::count_if(others.begin(), others.end(),
                                      [&g](const Choice& o) { return o.Position < g.Position; }));
                }
            }
            // Only kept choices are counted: a dropped one has Top kept ones above it already.
            // Within the group each member also has the earlier members above it.
            if (dominators >= m_top)
                continue;
            if (g.Members.size() > m_top - dominators)
                g.Members.resize(m_top - dominators);
            keys.push_back(key);
            kept.push_back(std::move(g));
        }
        groups = std::move(kept);
    }

    // Cost order, the cheapest-k tables and the smallest cost and list place.
    static void refresh(SlotChoices& s) {
        s.ByCost.clear();
        for (const Group& g : s.Groups)
            s.ByCost.push_back(&g);
        std::sort(s.ByCost.begin(), s.ByCost.end(), [](const Group* a, const Group* b) {
            return a->Cost != b->Cost ? a->Cost < b->Cost : a->Position < b->Position;
        });
        s.ByGain = s.ByCost;
        std::stable_sort(s.ByGain.begin(), s.ByGain.end(),
                         [](const Group* a, const Group* b) { return a->Gain > b->Gain; });
        s.Costs.clear();
        s.High.clear();
        s.Low.clear();
        s.MinPosition = std::numeric_limits<int>::max();
        for (const Group* g : s.ByCost) {
            s.Costs.push_back(g->Cost);
            s.High.push_back(s.High.empty() ? *g->Effects
                                            : Combine(s.High.back(), *g->Effects, true));
            s.Low.push_back(s.Low.empty() ? *g->Effects
                                          : Combine(s.Low.back(), *g->Effects, false));
            s.MinPosition = std::min(s.MinPosition, g->Position);
        }
        s.MinCost = s.Costs.front();
    }

    // The highest objective any completion can reach: each stat at its best end.
    int64_t boundOf(const std::array<const ItemEffects*, kItemSlotCount>& high,
                    const std::array<const ItemEffects*, kItemSlotCount>& low) const {
        PlannerTotals totals = Totals4(high);
        if (m_anyLow) {
            const PlannerTotals lows = Totals4(low);
            for (int s = 0; s < kStatCount; ++s) {
                if (m_dir.Objective[s] < 0)
                    totals.*FinderStats[s].Total = lows.*FinderStats[s].Total;
            }
        }
        return ObjectiveValue(m_request.Goal, totals);
    }

    // How much an item can add to the objective of any other items: every limited total moves
    // by at most the item's value, and the efficiency figure's Shield part grows at most four
    // times as fast as the Shield total below the limit of 50 (100 x 100 / (100 - 50)^2).
    int64_t gainOf(const ItemEffects& e) const {
        auto up = [&e](int s) {
            return int64_t{std::max<int16_t>(e.*FinderStats[s].Effect, 0)};
        };
        auto down = [&e](int s) {
            return std::max(-int64_t{e.*FinderStats[s].Effect}, int64_t{0});
        };
        const Objective& goal = m_request.Goal;
        switch (goal.Kind) {
        case ObjectiveKind::Efficiency:
            return 4 * up(kShield) + up(kAttack) + up(kHearts);
        case ObjectiveKind::Stat:
            return up(goal.Stat);
        case ObjectiveKind::Weighted:
            break;
        }
        int64_t gain = 0;
        for (int s = 0; s < kStatCount; ++s)
            gain += goal.Weights[s] > 0 ? goal.Weights[s] * up(s) : -goal.Weights[s] * down(s);
        return gain;
    }

    // The objective of the slots chosen so far (order[0..depth-1]) with the others left empty,
    // plus what rounding the efficiency figure can add on top of the gains.
    int64_t baseValue(int depth) const {
        std::array<const ItemEffects*, kItemSlotCount> worn{};
        for (int d = 0; d < kItemSlotCount; ++d)
            worn[m_order[d]] = d < depth ? m_chosen[m_order[d]]->Effects : &kNothing;
        const int64_t slack = m_request.Goal.Kind == ObjectiveKind::Efficiency ? 1 : 0;
        return ObjectiveValue(m_request.Goal, Totals4(worn)) + slack;
    }

    bool full() const { return m_best.size() >= m_top; }
    const Rank& worst() const { return m_best.front().Key; }

    bool shouldStop() {
        if ((++m_ticks & 1023) != 0)
            return m_stopped;
        if (m_stop.stop_requested() || (m_deadline && Clock::now() >= *m_deadline))
            m_stopped = true;
        return m_stopped;
    }

    // The best and worst each open slot (order[depth..]) can bring when the outfit may cost
    // `limit` and `cost` is spent already. False when nothing fits.
    bool reach(int depth, int64_t cost, int64_t limit,
               std::array<const ItemEffects*, kItemSlotCount>& high,
               std::array<const ItemEffects*, kItemSlotCount>& low) const {
        for (int d = 0; d < kItemSlotCount; ++d) {
            const int slot = m_order[d];
            if (d < depth) {
                high[slot] = low[slot] = m_chosen[slot]->Effects;
                continue;
            }
            const SlotChoices& s = m_slots[slot];
            // What this slot may cost when every other open slot takes its cheapest choice.
            const int64_t allowance = limit - cost - (m_restMinCost[depth] - s.MinCost);
            const auto affordable =
                std::upper_bound(s.Costs.begin(), s.Costs.end(), allowance) - s.Costs.begin();
            if (affordable == 0)
                return false;
            high[slot] = &s.High[static_cast<size_t>(affordable - 1)];
            low[slot] = &s.Low[static_cast<size_t>(affordable - 1)];
        }
        return true;
    }

    // Whether the outfits below a node (slots order[0..depth-1] chosen, spending `cost`) can
    // still meet the minimums and rank among the best found; `bound` is their best objective.
    bool promising(int depth, int64_t cost, int64_t& bound) const {
        std::array<const ItemEffects*, kItemSlotCount> high{}, low{};
        if (!reach(depth, cost, m_budget, high, low) || !MeetsMinimums(m_request, Totals4(high)))
            return false;
        bound = boundOf(high, low);
        if (!full())
            return true;
        Rank best;
        best.Value = bound;
        best.Cost = cost + m_restMinCost[depth];
        for (int d = 0; d < kItemSlotCount; ++d) {
            const int slot = m_order[d];
            best.Positions[slot] = d < depth ? m_chosen[slot]->Position : m_slots[slot].MinPosition;
        }
        if (!Before(best, worst()))
            return false;
        if (bound > worst().Value)
            return true;
        // Only a tie can still win, and only one that costs no more than the last of the best.
        const int64_t limit = std::min(m_budget, worst().Cost);
        return reach(depth, cost, limit, high, low) && MeetsMinimums(m_request, Totals4(high)) &&
               boundOf(high, low) >= worst().Value;
    }

    void descend(int depth, int64_t cost, int64_t bound) {
        const SlotChoices& s = m_slots[m_order[depth]];
        // No outfit below gets more than this plus the gain of the group chosen here.
        const int64_t base = baseValue(depth) + m_restMaxGain[depth + 1];
        if (full() && bound <= worst().Value) {
            // Nothing below beats the value of the last of the best, so only a cheaper tie can
            // win: the cheapest first, and stop where the cost rules a tie out.
            for (const Group* g : s.ByCost) {
                if (shouldStop())
                    return;
                const int64_t spent = cost + g->Cost;
                if (spent + m_restMinCost[depth + 1] > std::min(m_budget, worst().Cost))
                    return;
                if (g->Bound >= worst().Value && base + g->Gain >= worst().Value)
                    visit(depth, *g, spent);
            }
            return;
        }
        for (const Group* g : s.ByGain) {
            if (shouldStop())
                return;
            // Sorted by gain: once one cannot reach the best found, none after it can.
            if (full() && base + g->Gain < worst().Value)
                return;
            const int64_t spent = cost + g->Cost;
            if ((!full() || g->Bound >= worst().Value) &&
                spent + m_restMinCost[depth + 1] <= m_budget)
                visit(depth, *g, spent);
        }
    }

    void visit(int depth, const Group& g, int64_t spent) {
        m_chosen[m_order[depth]] = &g;
        int64_t bound = 0;
        if (depth == kItemSlotCount - 1)
            weigh(spent);
        else if (promising(depth + 1, spent, bound))
            descend(depth + 1, spent, bound);
    }

    void weigh(int64_t cost) {
        ++m_examined;
        const PlannerTotals totals = ComputeTotals(*m_chosen[0]->Effects, *m_chosen[1]->Effects,
                                                   *m_chosen[2]->Effects, *m_chosen[3]->Effects);
        if (!MeetsMinimums(m_request, totals))
            return;
        Entry entry;
        entry.Key.Value = ObjectiveValue(m_request.Goal, totals);
        entry.Key.Cost = cost;
        for (int slot = 0; slot < kItemSlotCount; ++slot)
            entry.Key.Positions[slot] = m_chosen[slot]->Position;
        if (full() && !Before(entry.Key, worst()))
            return;
        // The outfits of these groups differ only in their list places: take them in that order
        // while they still make the list.
        const auto& m0 = m_chosen[0]->Members;
        const auto& m1 = m_chosen[1]->Members;
        const auto& m2 = m_chosen[2]->Members;
        const auto& m3 = m_chosen[3]->Members;
        for (const Choice& a : m0) {
            for (const Choice& b : m1) {
                for (const Choice& c : m2) {
                    for (const Choice& d : m3) {
                        entry.Key.Positions = {a.Position, b.Position, c.Position, d.Position};
                        entry.Worn = {&a, &b, &c, &d};
                        if (!keep(entry))
                            return;
                    }
                }
            }
        }
    }

    // Adds the outfit to the best found when it makes the list.
    bool keep(const Entry& entry) {
        if (!full()) {
            m_best.push_back(entry);
            std::push_heap(m_best.begin(), m_best.end(), EntryBefore);
            return true;
        }
        if (!Before(entry.Key, worst()))
            return false;
        std::pop_heap(m_best.begin(), m_best.end(), EntryBefore);
        m_best.back() = entry;
        std::push_heap(m_best.begin(), m_best.end(), EntryBefore);
        return true;
    }

    FoundOutfit outfitOf(const Entry& entry) const {
        FoundOutfit outfit;
        for (int slot = 0; slot < kItemSlotCount; ++slot) {
            outfit.Names[slot] = *entry.Worn[slot]->Name;
            outfit.Positions[slot] = entry.Worn[slot]->Position;
        }
        // Members of a group may differ in the stats that do not count.
        outfit.Totals = ComputeTotals(*entry.Worn[0]->Effects, *entry.Worn[1]->Effects,
                                      *entry.Worn[2]->Effects, *entry.Worn[3]->Effects);
        outfit.Cost = entry.Key.Cost;
        outfit.Value = entry.Key.Value;
        outfit.Efficiency = AvatarEfficiency(outfit.Totals);
        return outfit;
    }

    const FinderCatalog& m_catalog;
    const FinderRequest& m_request;
    const Directions m_dir;
    const Lanes m_lanes;
    const std::stop_token m_stop;
    const size_t m_top;
    const int64_t m_budget;
    std::optional<Clock::time_point> m_deadline;
    bool m_anyLow = false;

    std::array<SlotChoices, kItemSlotCount> m_slots;
    std::array<int, kItemSlotCount> m_order{};
    std::array<int64_t, kItemSlotCount + 1> m_restMinCost{};
    std::array<int64_t, kItemSlotCount + 1> m_restMaxGain{};
    std::array<const Group*, kItemSlotCount> m_chosen{};
    std::vector<Entry> m_best; // a heap: the one that ranks last on top
    uint64_t m_examined = 0;
    uint64_t m_ticks = 0;
    bool m_stopped = false;
};

} // namespace

std::optional<int> FinderStatIndex(std::string_view key) {
    auto same = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            auto lower = [](char c) {
                return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            };
            return lower(x) == lower(y);
        });
    };
    for (int s = 0; s < kStatCount; ++s) {
        if (same(key, FinderStats[s].Key))
            return s;
    }
    return std::nullopt;
}

int64_t ObjectiveValue(const Objective& objective, const PlannerTotals& totals) {
    switch (objective.Kind) {
    case ObjectiveKind::Efficiency:
        return AvatarEfficiency(totals);
    case ObjectiveKind::Stat:
        return totals.*FinderStats[objective.Stat].Total;
    case ObjectiveKind::Weighted:
        break;
    }
    int64_t sum = 0;
    for (int s = 0; s < kStatCount; ++s)
        sum += int64_t{objective.Weights[s]} * (totals.*FinderStats[s].Total);
    return sum;
}

std::string ObjectiveTitle(const Objective& objective) {
    switch (objective.Kind) {
    case ObjectiveKind::Efficiency:
        return "Efficiency";
    case ObjectiveKind::Stat:
        return std::string(FinderStats[objective.Stat].Name);
    case ObjectiveKind::Weighted:
        break;
    }
    return "Weighted";
}

FinderResult FindOutfits(const FinderCatalog& catalog, const FinderRequest& request,
                         std::stop_token stop) {
    const Clock::time_point start = Clock::now();
    if (request.Goal.Kind == ObjectiveKind::Stat &&
        (request.Goal.Stat < 0 || request.Goal.Stat >= kStatCount)) {
        FinderResult result;
        result.Problem = "There is no stat number " + std::to_string(request.Goal.Stat) + ".";
        return result;
    }
    FinderResult result = Search(catalog, request, std::move(stop)).run();
    result.Milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return result;
}

std::string GroupedNumber(uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string FinderSummary(const FinderResult& result) {
    if (result.Outfits.empty())
        return result.Problem;
    char time[32];
    if (result.Milliseconds < 10)
        std::snprintf(time, sizeof time, "%.1f ms", result.Milliseconds);
    else
        std::snprintf(time, sizeof time, "%.0f ms", result.Milliseconds);
    const std::string how = result.Optimal ? "Best of " : "Best found so far of ";
    const std::string proof = result.Optimal ? "proven optimal" : "stopped before the proof";
    return how + GroupedNumber(result.Combinations) + " outfits, " + proof + ", " + time + " (" +
           GroupedNumber(result.Examined) + " examined)";
}

} // namespace zv

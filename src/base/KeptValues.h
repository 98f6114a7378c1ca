#pragma once
// Values kept by a text key up to a bound on their total weight (bytes, pixels: what the owner
// counts). Finding a value makes it the most recently used; keeping one beyond the bound lets the
// least recently used go. A value heavier than a quarter of the bound is not kept at all, so that
// one value never empties the store. Not thread-safe: an owner shared by threads locks around it.
#include <cstddef>
#include <iterator>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace zv {

template <class Value> class KeptValues {
public:
    explicit KeptValues(std::size_t bound)
        : m_bound(bound) {}
    KeptValues(const KeptValues&) = delete;
    KeptValues& operator=(const KeptValues&) = delete;

    // The value kept for `key`, or nullptr.
    Value* find(std::string_view key) {
        const auto found = m_index.find(key);
        if (found == m_index.end())
            return nullptr;
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return &found->second->value;
    }

    // Keeps `value` for `key` in place of what was kept for it.
    void keep(std::string key, Value value, std::size_t weight) {
        forget(key);
        if (weight > m_bound / 4)
            return;
        m_entries.push_front({std::move(key), std::move(value), weight});
        m_index.emplace(m_entries.front().key, m_entries.begin());
        m_weight += weight;
        while (m_weight > m_bound)
            drop(std::prev(m_entries.end()));
    }

    void forget(std::string_view key) {
        if (const auto found = m_index.find(key); found != m_index.end())
            drop(found->second);
    }

    void clear() {
        m_index.clear();
        m_entries.clear();
        m_weight = 0;
    }

private:
    struct Entry {
        std::string key;
        Value value;
        std::size_t weight;
    };
    using Place = typename std::list<Entry>::iterator;

    void drop(Place place) {
        m_weight -= place->weight;
        m_index.erase(place->key);
        m_entries.erase(place);
    }

    std::size_t m_bound;
    std::size_t m_weight = 0;
    std::list<Entry> m_entries;                          // most recently used first
    std::unordered_map<std::string_view, Place> m_index; // views of the entries' keys
};

} // namespace zv

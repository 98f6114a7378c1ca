#pragma once
// Many records of one detail catalogue at once, for features that weigh every item of a list
// (the outfit finder) instead of the one just chosen.
#include "planner/Catalog.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

// For every name, the record FindItemRecord gives for it (same matching rule, same last-match
// and short-record behaviour), reading the catalogue once. A missing or unreadable catalogue
// gives empty records and `error` names the file; `error` is cleared otherwise.
std::vector<ItemRecord> FindItemRecords(const std::filesystem::path& detailCatalog,
                                        const std::vector<std::string>& names,
                                        std::string* error = nullptr);

} // namespace zv

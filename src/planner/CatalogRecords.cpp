#include "planner/CatalogRecords.h"

#include <string_view>
#include <unordered_map>

namespace zv {

std::vector<ItemRecord> FindItemRecords(const std::filesystem::path& detailCatalog,
                                        const std::vector<std::string>& names, std::string* error) {
    std::vector<ItemRecord> records(names.size());
    std::string readError;
    const std::vector<std::string> lines = ReadListCatalog(detailCatalog, &readError);
    if (error)
        *error = readError;
    if (!readError.empty())
        return records;

    // Where each wanted name stands as a whole line, in file order; one pass over the file
    // instead of one per name.
    std::unordered_map<std::string_view, std::vector<size_t>> where;
    for (const std::string& name : names)
        where.try_emplace(name);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto found = where.find(lines[i]); found != where.end())
            found->second.push_back(i);
    }

    for (size_t n = 0; n < names.size(); ++n) {
        ItemRecord& record = records[n];
        // The lines after a match are its fields, so the next match starts after them.
        size_t next = 0;
        for (const size_t at : where.at(names[n])) {
            if (at < next)
                continue;
            record.Name = names[n];
            size_t line = at + 1;
            for (auto field : ItemRecordFieldLines) {
                if (line >= lines.size())
                    break;
                record.*field = lines[line++];
            }
            next = line;
        }
    }
    return records;
}

} // namespace zv

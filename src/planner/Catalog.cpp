#include "planner/Catalog.h"

#include "base/FileBytes.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zv {
namespace {

// Walks 8-bit text line by line (CR LF, a lone CR or a lone LF ends a line). The first bytes of
// a line are looked at one by one (catalogue lines are mostly short numbers, for which a library
// search costs more than the line); past them the next CR and the next LF are each found with
// memchr and remembered until passed, so every byte is looked at a fixed number of times: a walk
// is linear in the text's size however its lines end.
class LineWalker {
public:
    explicit LineWalker(std::string_view text)
        : text_(text) {}

    bool done() const { return pos_ >= text_.size(); }

    // The next line, without its line end.
    std::string_view next() {
        const size_t size = text_.size();
        size_t end = pos_;
        const size_t near = std::min(size, pos_ + kShortLine);
        while (end < near && text_[end] != '\r' && text_[end] != '\n')
            ++end;
        if (end == near && end < size) {
            if (cr_ < end)
                cr_ = Find('\r', end);
            if (lf_ < end)
                lf_ = Find('\n', end);
            end = std::min(cr_, lf_);
        }
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end;
        if (pos_ < size)
            pos_ += (text_[pos_] == '\r' && pos_ + 1 < size && text_[pos_ + 1] == '\n') ? 2 : 1;
        return line;
    }

private:
    static constexpr size_t kShortLine = 24;

    // Position of the next `c` at or after `from`, or the text's size.
    size_t Find(char c, size_t from) const {
        const size_t left = text_.size() - from;
        const void* hit = left == 0 ? nullptr : std::memchr(text_.data() + from, c, left);
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text_.data())
                   : text_.size();
    }

    std::string_view text_;
    size_t pos_ = 0;
    size_t cr_ = 0; // the next CR at or after where it was last looked for
    size_t lf_ = 0;
};

} // namespace

std::string CatalogReadError(const std::filesystem::path& file) {
    return "Cannot read the item catalogue \"" + file.string() + "\".";
}

std::vector<std::string_view> SplitCatalogLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (LineWalker walker(text); !walker.done();)
        lines.push_back(walker.next());
    return lines;
}

ItemRecord FindItemRecord(const std::filesystem::path& detailCatalog, const std::string& name,
                          std::string* error) {
    ItemRecord record;
    std::string text;
    if (const int err = ReadFileInto(detailCatalog, text); err != 0) {
        if (error)
            *error = CatalogReadError(detailCatalog) + " " + std::strerror(err);
        return record;
    }
    if (error)
        error->clear();
    // A name holding a line end can never equal a line.
    if (name.find_first_of("\r\n") != std::string::npos)
        return record;

    // Every line outside the eleven taken after a match is compared as a whole; nothing is
    // searched inside a line, so a name that is part of a longer line never matches there.
    LineWalker walker(text);
    while (!walker.done()) {
        if (walker.next() != name)
            continue;
        record.Name = name;
        for (auto field : ItemRecordFieldLines) {
            if (walker.done())
                break;
            record.*field = walker.next();
        }
    }
    return record;
}

std::vector<std::string> ReadListCatalog(const std::filesystem::path& listCatalog,
                                         std::string* error) {
    std::vector<std::string> entries;
    std::string text;
    if (const int err = ReadFileInto(listCatalog, text); err != 0) {
        if (error)
            *error = CatalogReadError(listCatalog) + " " + std::strerror(err);
        return entries;
    }
    if (error)
        error->clear();
    for (std::string_view line : SplitCatalogLines(text))
        entries.emplace_back(line);
    return entries;
}

} // namespace zv

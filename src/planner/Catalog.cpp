#include "planner/Catalog.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

// Reads the whole file with as few system calls as possible: the detail catalogue is read
// again on every item click. Returns 0 or the errno of the failure.
int ReadWholeFile(const std::filesystem::path& file, std::string& out) {
    out.clear();
    // Non-blocking, so that a named pipe in place of a catalogue cannot hang the program.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    struct stat info {};
    int err = 0;
    if (::fstat(fd, &info) != 0)
        err = errno;
    else if (!S_ISREG(info.st_mode))
        err = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    if (err != 0) {
        ::close(fd);
        return err;
    }
    // The size is only a hint: the file may change while it is read.
    out.resize(static_cast<size_t>(info.st_size) + 1);
    size_t used = 0;
    for (;;) {
        if (used == out.size())
            out.resize(out.size() * 2);
        const ssize_t got = ::read(fd, out.data() + used, out.size() - used);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            ::close(fd);
            out.clear();
            return err;
        }
        if (got == 0)
            break;
        used += static_cast<size_t>(got);
    }
    ::close(fd);
    out.resize(used);
    return 0;
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The position after the line end at `pos` (CR LF counts as one).
size_t SkipLineEnd(std::string_view text, size_t pos) {
    if (pos >= text.size())
        return text.size();
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

// The line starting at `pos`; `pos` moves to the start of the next line.
std::string_view NextLine(std::string_view text, size_t& pos) {
    size_t end = pos;
    while (end < text.size() && !IsLineEnd(text[end]))
        ++end;
    const std::string_view line = text.substr(pos, end - pos);
    pos = SkipLineEnd(text, end);
    return line;
}

// Position of the next line at or after `pos` (itself the start of a line) that equals `name`,
// or npos. `name` is not empty and holds no line-end character, so a hit of the plain text
// search that is bounded by line ends (or the file's ends) is a whole line.
size_t FindNameLine(std::string_view text, std::string_view name, size_t pos) {
    while (pos < text.size()) {
        const size_t hit = text.find(name, pos);
        if (hit == std::string_view::npos)
            return hit;
        const size_t after = hit + name.size();
        const bool startsLine = hit == pos || IsLineEnd(text[hit - 1]);
        const bool endsLine = after == text.size() || IsLineEnd(text[after]);
        if (startsLine && endsLine)
            return hit;
        pos = hit + 1;
    }
    return std::string_view::npos;
}

// Finds the next line equal to `name` by walking line by line (for the empty name, which the
// text search cannot anchor).
size_t FindNameLineSlow(std::string_view text, std::string_view name, size_t pos) {
    while (pos < text.size()) {
        const size_t start = pos;
        if (NextLine(text, pos) == name)
            return start;
    }
    return std::string_view::npos;
}

} // namespace

std::string CatalogReadError(const std::filesystem::path& file) {
    return "Cannot read the item catalogue \"" + file.string() + "\".";
}

std::vector<std::string_view> SplitCatalogLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size())
        lines.push_back(NextLine(text, pos));
    return lines;
}

ItemRecord FindItemRecord(const std::filesystem::path& detailCatalog, const std::string& name,
                          std::string* error) {
    ItemRecord record;
    std::string text;
    if (const int err = ReadWholeFile(detailCatalog, text); err != 0) {
        if (error)
            *error = CatalogReadError(detailCatalog) + " " + std::strerror(err);
        return record;
    }
    if (error)
        error->clear();
    // A name holding a line end can never equal a line.
    if (name.find_first_of("\r\n") != std::string::npos)
        return record;

    const std::string_view all(text);
    size_t pos = 0;
    for (;;) {
        const size_t hit =
            name.empty() ? FindNameLineSlow(all, name, pos) : FindNameLine(all, name, pos);
        if (hit == std::string_view::npos)
            break;
        pos = hit;
        NextLine(all, pos);
        record.Name = name;
        for (auto field : ItemRecordFieldLines) {
            if (pos >= all.size())
                break;
            record.*field = NextLine(all, pos);
        }
    }
    return record;
}

std::vector<std::string> ReadListCatalog(const std::filesystem::path& listCatalog,
                                         std::string* error) {
    std::vector<std::string> entries;
    std::string text;
    if (const int err = ReadWholeFile(listCatalog, text); err != 0) {
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

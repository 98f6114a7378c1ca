#include "planner/Catalog.h"

#include <algorithm>
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

// Walks 8-bit text line by line (CR LF, a lone CR or a lone LF ends a line). The next CR and the
// next LF are each found with memchr and remembered until passed, so every byte is looked at a
// fixed number of times: a walk is linear in the text's size however its lines end.
class LineWalker {
public:
    explicit LineWalker(std::string_view text)
        : text_(text)
        , cr_(Find('\r'))
        , lf_(Find('\n')) {}

    bool done() const { return pos_ >= text_.size(); }

    // The next line, without its line end.
    std::string_view next() {
        if (cr_ < pos_)
            cr_ = Find('\r');
        if (lf_ < pos_)
            lf_ = Find('\n');
        const size_t end = std::min(cr_, lf_);
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end;
        if (pos_ < text_.size())
            pos_ += (text_[pos_] == '\r' && lf_ == pos_ + 1) ? 2 : 1;
        return line;
    }

private:
    // Position of the next `c` at or after pos_, or the text's size.
    size_t Find(char c) const {
        const size_t left = text_.size() - pos_;
        const void* hit = left == 0 ? nullptr : std::memchr(text_.data() + pos_, c, left);
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text_.data())
                   : text_.size();
    }

    std::string_view text_;
    size_t pos_ = 0;
    size_t cr_;
    size_t lf_;
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

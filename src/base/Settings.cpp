#include "base/Settings.h"

#include "base/AtomicFile.h"
#include "base/ProgramPaths.h"
#include "base/UserFiles.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Lower case for 8-bit text: ASCII and the Latin-1 capitals, byte for byte, so that positions
// found in the lower-cased copy are valid in the original.
char LowerChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 0x20);
    return c;
}

std::string Lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = LowerChar(c);
    return result;
}

// Both operations first make sure the file exists (created empty) and that its owner may write
// it. Returns false when the file can neither be found nor created.
bool PrepareFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        struct stat info {};
        return ::stat(file.c_str(), &info) == 0; // exists but unreadable: let the caller fail
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0)
        ::fchmod(fd, (info.st_mode & 07777) | S_IWUSR);
    ::close(fd);
    return true;
}

// 1-based position of `pattern` in `text` at or after position `start`, 0 when absent.
size_t InStr(size_t start, const std::string& text, std::string_view pattern) {
    if (start == 0 || start > text.size())
        return 0;
    const size_t found = text.find(pattern, start - 1);
    return found == std::string::npos ? 0 : found + 1;
}

// The first `count` characters, and everything from 1-based position `start` on.
std::string Left(const std::string& text, size_t count) {
    return text.substr(0, count);
}
std::string From(const std::string& text, size_t start) {
    return start > text.size() ? std::string() : text.substr(start - 1);
}

// Text glued together from pieces. (GCC 12 at -O3 warns wrongly about overlapping copies in
// "literal" + std::string, which -Werror turns into a failed build.)
std::string Concat(std::initializer_list<std::string_view> pieces) {
    std::string result;
    size_t size = 0;
    for (std::string_view piece : pieces)
        size += piece.size();
    result.reserve(size);
    for (std::string_view piece : pieces)
        result.append(piece);
    return result;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) <= 13;
}

} // namespace

std::filesystem::path SettingsPath() {
    return UserFilePath("\\data\\settings.ini");
}

std::filesystem::path InstalledSettingsPath() {
    return ProgramPath("\\data\\settings.ini");
}

std::string ReadSetting(const std::filesystem::path& file, std::string_view section,
                        std::string_view key) {
    if (!PrepareFile(file))
        return {};
    std::string bytes;
    if (!ReadWholeFile(file, bytes))
        return {};

    const std::string header = Concat({"[", Lower(section), "]"});
    const std::string prefix = Concat({Lower(key), "="});
    bool inSection = false;
    size_t pos = 0;
    while (pos < bytes.size()) {
        // A line ends at CR LF or at a lone CR.
        size_t end = bytes.find('\r', pos);
        size_t next;
        if (end == std::string::npos) {
            end = bytes.size();
            next = end;
        } else {
            next = end + 1;
            if (next < bytes.size() && bytes[next] == '\n')
                ++next;
        }
        const std::string_view line(bytes.data() + pos, end - pos);
        pos = next;

        const std::string lower = Lower(line);
        const bool hasBracket = lower.find('[') != std::string::npos;
        if (hasBracket)
            inSection = false;
        if (lower == header)
            inSection = true;
        if (hasBracket || !inSection)
            continue;
        if (lower.compare(0, prefix.size(), prefix) == 0)
            return std::string(line.substr(prefix.size()));
    }
    return {};
}

bool WriteSetting(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value, std::string* error) {
    std::string contents;
    if (!PrepareFile(file) || !ReadWholeFile(file, contents)) {
        if (error)
            *error = "Cannot read " + file.string() + ": " + std::strerror(errno);
        return false;
    }

    // Positions below count from 1, searches run on the lower-cased copy.
    std::string w = Concat({kCrLf, contents, "[]"}); // "[]" ends the last section
    const std::string wl = Lower(w);
    const std::string h = Concat({"\r\n[", Lower(section), "]\r"});
    const std::string k = Concat({"\n", Lower(key), "="});
    const size_t d = InStr(1, wl, h);
    w.resize(w.size() - 2);

    const std::string entry = std::string(key) + "=" + std::string(value);
    if (d != 0) {
        const size_t s = InStr(d + h.size(), wl, "[");
        const size_t at = InStr(d, wl, k);
        if (at == 0 || at > s) {
            // New key: the first entry of its section, right below the header line.
            w = Left(w, d + h.size()) + entry + std::string(kCrLf) + From(w, d + h.size() + 1);
        } else {
            // Existing key: only the first matching line changes.
            size_t c = InStr(at, w, "\r");
            if (c == 0)
                c = w.size() + 1;
            w = Left(w, at) + entry + From(w, c);
        }
    } else {
        w += "\r\n\r\n[" + std::string(section) + "]\r\n" + entry;
    }

    // Tidy: no leading line break, at most one blank line anywhere, no trailing control
    // characters and no leading ones.
    w.erase(0, 1);
    static constexpr std::string_view kThree = "\r\n\r\n\r\n";
    while (w.find(kThree) != std::string::npos) {
        std::string merged;
        size_t from = 0;
        for (size_t at = w.find(kThree); at != std::string::npos; at = w.find(kThree, from)) {
            merged.append(w, from, at - from);
            merged += "\r\n\r\n";
            from = at + kThree.size();
        }
        merged.append(w, from, std::string::npos);
        w = std::move(merged);
    }
    while (!w.empty() && IsControl(w.back()))
        w.pop_back();
    size_t lead = 0;
    while (lead < w.size() && IsControl(w[lead]))
        ++lead;
    w.erase(0, lead);

    w += kCrLf;
    return WriteFileAtomically(file, w, error);
}

double SettingNumber(std::string_view text) {
    return ParseNumber(text).value_or(0);
}

std::optional<double> ParseNumber(std::string_view text) {
    auto blank = [](char c) {
        return c == ' ' || c == '\t';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only plain decimal numbers count; "inf", "nan" and hexadecimal are not numbers here.
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace zv

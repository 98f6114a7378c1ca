#include "base/WholeNumber.h"

#include <algorithm>
#include <limits>

namespace zv {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses exactly (no binary floating point, so "2.5" is a true half and "2.50001" is not) and
// rounds half to even; nullopt for text that is not a number or a value outside low..high.
std::optional<int64_t> ConvertRounded(std::string_view field, int64_t low, int64_t high) {
    size_t begin = 0;
    size_t end = field.size();
    while (begin < end && IsBlank(field[begin]))
        ++begin;
    while (end > begin && IsBlank(field[end - 1]))
        --end;
    std::string_view text = field.substr(begin, end - begin);
    // Only blanks, or nothing at all: an empty field, which is 0.
    if (text.empty())
        return 0;

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const int64_t cap = std::max(-low, high) + 1; // any magnitude above this is out of range
    int64_t whole = 0;
    size_t pos = 0;
    size_t digits = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits)
        whole = std::min(cap, whole * 10 + (text[pos] - '0'));

    // The fraction decides the rounding: above a half, below, or exactly a half.
    int firstFraction = 0;
    bool restNonZero = false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        for (size_t i = 0; pos < text.size() && IsDigit(text[pos]); ++pos, ++i, ++digits) {
            if (i == 0)
                firstFraction = text[pos] - '0';
            else if (text[pos] != '0')
                restNonZero = true;
        }
    }
    // Whatever follows the digits ("1e3", "0x10", "5 gold") makes the field no number.
    if (digits == 0 || pos != text.size())
        return std::nullopt;

    const bool roundUp = firstFraction > 5 || (firstFraction == 5 && restNonZero) ||
                         (firstFraction == 5 && !restNonZero && whole % 2 != 0);
    if (roundUp)
        whole = std::min(cap, whole + 1);
    const int64_t value = negative ? -whole : whole;
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

template <typename T> std::optional<T> ConvertTo(std::string_view field) {
    const auto value =
        ConvertRounded(field, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    if (!value)
        return std::nullopt;
    return static_cast<T>(*value);
}

} // namespace

std::optional<int16_t> ConvertToInt16(std::string_view text) {
    return ConvertTo<int16_t>(text);
}

std::optional<int32_t> ConvertToInt32(std::string_view text) {
    return ConvertTo<int32_t>(text);
}

} // namespace zv

#pragma once
// Whole numbers as the program reads them from its own text files (catalogue fields, settings):
// decimal digits with an optional sign and fraction, blanks around them allowed; a fraction is
// rounded to the nearest whole number, a half to the even neighbour.
//
// Two choices the file formats leave open, made here once for every reader:
// - a field of only blanks counts as empty, and an empty field is 0;
// - exponent notation ("1e3"), hexadecimal and anything else that is not plain decimal digits is
//   not a number.
// Text that is not a number, or a value outside the type's range after rounding, gives nullopt:
// the caller decides what that means (keep the old value, or 0).
#include <cstdint>
#include <optional>
#include <string_view>

namespace zv {

std::optional<int16_t> ConvertToInt16(std::string_view text);
std::optional<int32_t> ConvertToInt32(std::string_view text);

} // namespace zv

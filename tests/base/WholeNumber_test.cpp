#include "base/WholeNumber.h"

#include <gtest/gtest.h>
#include <utility>

namespace zv {
namespace {

TEST(ConvertToInt16, RoundsHalvesToTheEvenNeighbour) {
    const std::pair<const char*, int16_t> cases[] = {
        {"2.5", 2},   {"3.5", 4},  {"-2.5", -2},     {"-3.5", -4},       {"0.5", 0},
        {"2.51", 3},  {"2.49", 2}, {"2.5000001", 3}, {"-0.4", 0},        {"12", 12},
        {" -7 ", -7}, {"+3", 3},   {"32767", 32767}, {"-32768", -32768}, {"-32768.5", -32768},
        {"", 0},      {"   ", 0},  {".5", 0},        {"5.", 5},          {"007", 7},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ConvertToInt16(text), expected) << '"' << text << '"';
}

TEST(ConvertToInt16, RejectsTextThatIsNotANumberOrOutOfRange) {
    for (const char* text : {"abc", "1a", "-", ".", "1.2.3", "1 2", "0x10", "1e3", "40000",
                             "32767.5", "-32769", "99999999999999999999"})
        EXPECT_EQ(ConvertToInt16(text), std::nullopt) << '"' << text << '"';
}

TEST(ConvertToInt32, CoversTheCostRange) {
    EXPECT_EQ(ConvertToInt32("40000"), 40000);
    EXPECT_EQ(ConvertToInt32("2147483647"), 2147483647);
    EXPECT_EQ(ConvertToInt32("2147483647.5"), std::nullopt);
    EXPECT_EQ(ConvertToInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(ConvertToInt32("1500.5"), 1500);
    EXPECT_EQ(ConvertToInt32("gold"), std::nullopt);
}

} // namespace
} // namespace zv

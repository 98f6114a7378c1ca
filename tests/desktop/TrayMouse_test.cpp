#include "desktop/TrayMouse.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(TrayMouse, DecodesTheWholeTable) {
    using K = TrayMouseKind;
    const struct {
        int number;
        TrayMouseEvent event;
    } table[] = {
        {513, {K::MouseDown, 1}}, {514, {K::MouseUp, 1}}, {515, {K::DblClick, 1}},
        {516, {K::MouseDown, 2}}, {517, {K::MouseUp, 2}}, {518, {K::DblClick, 2}},
        {519, {K::MouseDown, 4}}, {520, {K::MouseUp, 4}}, {521, {K::DblClick, 4}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.number);
        const auto event = DecodeTrayMouse(row.number);
        ASSERT_TRUE(event.has_value());
        EXPECT_EQ(*event, row.event);
    }
}

TEST(TrayMouse, OtherNumbersRaiseNothing) {
    for (int number : {0, -1, 511, 512, 522, 1024, 513 + 65536})
        EXPECT_FALSE(DecodeTrayMouse(number).has_value()) << number;
}

} // namespace
} // namespace zv

// Reading the published version number in the user's number format.
#include "app/UpdateVerdict.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(UpdateText, NumbersInTheUsersFormatAndThePlainOne) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    struct Case {
        const char* text;
        std::optional<double> english;
        std::optional<double> german;
    };
    const Case cases[] = {
        {"13", 13, 13},
        {"12.5", 12.5, 12.5}, // the plain form serves every locale
        {"12,5", std::nullopt, 12.5},
        {" 12 ", 12, 12},
        {"\t12\r\n", 12, 12},
        {"1.000", 1, 1000}, // the user's format comes first
        {"", std::nullopt, std::nullopt},
        {"words", std::nullopt, std::nullopt},
        {"12 13", std::nullopt, std::nullopt},
        {"1e400", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(ParseUpdateText(text, english), c.english) << c.text;
        EXPECT_EQ(ParseUpdateText(text, german), c.german) << c.text;
    }
}

} // namespace
} // namespace zv

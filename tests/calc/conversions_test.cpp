// Reading typed figures and writing them back, in the locales people type them in.
#include "calc/Conversions.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

namespace zv {
namespace {

const QLocale kC = QLocale::c();
const QLocale kGerman(QLocale::German, QLocale::Germany);
constexpr int64_t kError = INT64_MIN; // expected: no whole number

TEST(IntegerFromText, RoundsHalvesToEvenKeepsTo32BitsAndReadsTheLocale) {
    const struct {
        const QLocale& locale;
        const char16_t* text;
        int64_t expected;
    } cases[] = {
        {kC, u"2.5", 2},
        {kC, u"3.5", 4},
        {kC, u"-2.5", -2},
        {kC, u"2.51", 3},
        {kC, u" +12 ", 12},
        {kC, u"1,000", 1000},
        {kC, u"1e3", 1000},
        {kC, u"-2147483648.5", INT32_MIN}, // the even neighbour fits
        {kC, u"2147483647", INT32_MAX},
        {kC, u"2147483647.5", kError},
        {kC, u"-2147483649", kError},
        {kC, u"", kError},
        {kC, u"   ", kError},
        {kC, u"12abc", kError},
        {kC, u"0x10", kError},
        {kC, u"52,5", kError},
        {kC, u"inf", kError},
        {kC, u"1e400", kError},
        {kGerman, u"52,5", 52},
        {kGerman, u"53,5", 54},
        {kGerman, u"1.234.567", 1234567},
        {kGerman, u"52.5", kError}, // a dot groups digits here
        {QLocale(QLocale::French, QLocale::France), u"12\u00a0345", 12345},
        {QLocale(QLocale::Arabic, QLocale::Egypt), u"\u061c-\u0661\u0662", -12},
    };
    for (const auto& [locale, text, expected] : cases) {
        const auto value = IntegerFromText(QString::fromUtf16(text), locale);
        const QString shown = QString::fromUtf16(text) + QLatin1Char(' ') + locale.name();
        if (expected == kError)
            EXPECT_FALSE(value.ok()) << shown.toStdString() << " gave " << *value;
        else
            EXPECT_EQ(value.ok() ? *value : kError, expected) << shown.toStdString();
    }
    EXPECT_EQ(IntegerFromText(QStringLiteral("x"), kC).error(), CalcError::NotANumber);
    EXPECT_EQ(IntegerFromText(QStringLiteral("3e9"), kC).error(), CalcError::OutOfRange);
}

TEST(TextFromNumber, FifteenSignificantDigitsNoTrailingZerosNoGroups) {
    const struct {
        double value;
        const QLocale& locale;
        const char* text;
    } cases[] = {
        {0.55, kC, "0.55"},
        {0.1 + 0.2, kC, "0.3"},
        {2.0 / 3, kC, "0.666666666666667"},
        {-0.0, kC, "0"},
        {1234567.25, QLocale(QLocale::English, QLocale::UnitedStates), "1234567.25"},
        {0.475, kGerman, "0,475"},
    };
    for (const auto& [value, locale, text] : cases)
        EXPECT_EQ(TextFromNumber(value, locale), QString::fromLatin1(text)) << text;
    EXPECT_EQ(IntegerText(-1234567, kGerman), QStringLiteral("-1234567"));
}

TEST(TextFromNumber, ReadsBackInTheSameLocale) {
    // Some locales write signs and exponents in forms their own reader does not take back.
    const QLocale locales[] = {kC,
                               kGerman,
                               QLocale(QLocale::French, QLocale::France),
                               QLocale(QLocale::German, QLocale::Switzerland),
                               QLocale(QLocale::Arabic, QLocale::Egypt),
                               QLocale(QLocale::Persian, QLocale::Iran),
                               QLocale(QLocale::Hindi, QLocale::India)};
    for (const QLocale& locale : locales) {
        for (const double value : {0.475, -1e18, 1e-7, 123456789012.5}) {
            const QString text = TextFromNumber(value, locale);
            const auto back = NumberFromText(text, locale);
            ASSERT_TRUE(back.ok()) << locale.name().toStdString() << ' ' << text.toStdString();
            EXPECT_NEAR(*back, value, std::abs(value) * 1e-14) << locale.name().toStdString();
        }
        for (const int32_t value : {INT32_MIN, -1234567, 0, INT32_MAX}) {
            const QString text = IntegerText(value, locale);
            EXPECT_EQ(IntegerFromText(text, locale).ok() ? *IntegerFromText(text, locale) : 0,
                      value)
                << locale.name().toStdString() << ' ' << text.toStdString();
        }
    }
}

} // namespace
} // namespace zv

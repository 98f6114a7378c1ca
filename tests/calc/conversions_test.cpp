// Reading typed figures and writing them back, in the locales people type them in.
#include "calc/Conversions.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>
#include <variant>

namespace zv {
namespace {

const QLocale kC = QLocale::c();
const QLocale kGerman(QLocale::German, QLocale::Germany);

using Expected = std::variant<int32_t, CalcError>;

void ExpectOutcome(const CalcOutcome<int32_t>& outcome, const Expected& expected,
                   const char* text) {
    if (const auto* value = std::get_if<int32_t>(&expected)) {
        ASSERT_TRUE(outcome.ok()) << '"' << text << '"';
        EXPECT_EQ(*outcome, *value) << '"' << text << '"';
    } else {
        ASSERT_FALSE(outcome.ok()) << '"' << text << "\" gave " << *outcome;
        EXPECT_EQ(outcome.error(), std::get<CalcError>(expected)) << '"' << text << '"';
    }
}

TEST(IntegerFromText, RoundsHalvesToEvenAndKeepsTo32Bits) {
    const struct {
        const char* text;
        Expected expected;
    } cases[] = {
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"-3.5", -4},
        {"2.51", 3},
        {"0.5", 0},
        {" 12 ", 12},
        {"+7", 7},
        {"1,000", 1000}, // the C locale's group separator
        {"1e3", 1000},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-2147483648.5", std::numeric_limits<int32_t>::min()}, // the even neighbour fits
        {"2147483647.5", CalcError::OutOfRange},
        {"2147483648", CalcError::OutOfRange},
        {"-2147483649", CalcError::OutOfRange},
        {"99999999999999999999", CalcError::OutOfRange},
        {"", CalcError::NotANumber},
        {"   ", CalcError::NotANumber},
        {"abc", CalcError::NotANumber},
        {"12abc", CalcError::NotANumber},
        {"1 2", CalcError::NotANumber},
        {"0x10", CalcError::NotANumber},
        {"52,5", CalcError::NotANumber},
        {"inf", CalcError::NotANumber},
        {"nan", CalcError::NotANumber},
        {"1e400", CalcError::NotANumber},
    };
    for (const auto& [text, expected] : cases)
        ExpectOutcome(IntegerFromText(QString::fromLatin1(text), kC), expected, text);
}

TEST(IntegerFromText, ReadsTheLocalesSeparators) {
    const struct {
        const char* text;
        Expected expected;
    } german[] = {
        {"52,5", 52},
        {"53,5", 54},
        {"10.000", 10000},
        {"1.234.567", 1234567},
        {"0,51", 1},
        {"-2,5", -2},
        {"2,5e3", 2500},
        {"52.5", CalcError::NotANumber},
        {"1,2,3", CalcError::NotANumber},
    };
    for (const auto& [text, expected] : german)
        ExpectOutcome(IntegerFromText(QString::fromLatin1(text), kGerman), expected, text);

    // Where digits are grouped with a space, any space the keyboard gives is taken.
    const QLocale french(QLocale::French, QLocale::France);
    for (const char16_t* text : {u"12 345", u"12\u00a0345", u"12\u202f345"})
        ExpectOutcome(IntegerFromText(QString::fromUtf16(text), french), 12345, "12 345");
}

TEST(NumberFromText, KeepsTheFraction) {
    EXPECT_DOUBLE_EQ(*NumberFromText(QStringLiteral("52.5"), kC), 52.5);
    EXPECT_DOUBLE_EQ(*NumberFromText(QStringLiteral("52,5"), kGerman), 52.5);
    EXPECT_DOUBLE_EQ(*NumberFromText(QStringLiteral("-0.001"), kC), -0.001);
    EXPECT_EQ(NumberFromText(QString(), kC).error(), CalcError::NotANumber);
    EXPECT_EQ(NumberFromText(QStringLiteral("fifty"), kGerman).error(), CalcError::NotANumber);
}

TEST(IntegerFromNumber, ReportsWhatDoesNotFit) {
    EXPECT_EQ(*IntegerFromNumber(151.5), 152);
    EXPECT_EQ(*IntegerFromNumber(-50.5), -50);
    EXPECT_EQ(*IntegerFromNumber(22.5), 22);
    EXPECT_EQ(*IntegerFromNumber(-0.4), 0);
    EXPECT_EQ(IntegerFromNumber(2147483647.5).error(), CalcError::OutOfRange);
    EXPECT_EQ(IntegerFromNumber(-1e10).error(), CalcError::OutOfRange);
    EXPECT_EQ(IntegerFromNumber(std::numeric_limits<double>::infinity()).error(),
              CalcError::FloatingPointFault);
    EXPECT_EQ(IntegerFromNumber(std::numeric_limits<double>::quiet_NaN()).error(),
              CalcError::FloatingPointFault);
}

TEST(TextFromNumber, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
    const struct {
        double value;
        const QLocale& locale;
        const char* text;
    } cases[] = {
        {0.55, kC, "0.55"},
        {0.45, kC, "0.45"},
        {0.1 + 0.2, kC, "0.3"},
        {1.0 / 3, kC, "0.333333333333333"},
        {2.0 / 3, kC, "0.666666666666667"},
        {1, kC, "1"},
        {0, kC, "0"},
        {-0.0, kC, "0"},
        {-0.5, kC, "-0.5"},
        {1234567.25, QLocale(QLocale::English, QLocale::UnitedStates), "1234567.25"},
        {0.475, kGerman, "0,475"},
        {1234567.25, kGerman, "1234567,25"},
    };
    for (const auto& [value, locale, text] : cases)
        EXPECT_EQ(TextFromNumber(value, locale), QString::fromLatin1(text)) << text;
}

TEST(TextFromNumber, ReadsBackInTheSameLocale) {
    const QLocale locales[] = {kC,
                               kGerman,
                               QLocale(QLocale::English, QLocale::UnitedStates),
                               QLocale(QLocale::French, QLocale::France),
                               QLocale(QLocale::German, QLocale::Switzerland),
                               QLocale(QLocale::Arabic, QLocale::Egypt),
                               QLocale(QLocale::Persian, QLocale::Iran),
                               QLocale(QLocale::Hindi, QLocale::India)};
    const double values[] = {0.475, -1e18, 1e-7, 123456789012.5, 0.3333333333333333};
    for (const QLocale& locale : locales) {
        for (const double value : values) {
            const QString text = TextFromNumber(value, locale);
            const auto back = NumberFromText(text, locale);
            ASSERT_TRUE(back.ok()) << locale.name().toStdString() << ' ' << text.toStdString();
            EXPECT_NEAR(*back, value, std::abs(value) * 1e-14) << locale.name().toStdString();
        }
        for (const int32_t value : {std::numeric_limits<int32_t>::min(), -1234567, 0, 10000,
                                    std::numeric_limits<int32_t>::max()}) {
            const QString text = IntegerText(value, locale);
            EXPECT_EQ(*IntegerFromText(text, locale), value) << text.toStdString();
        }
    }
    EXPECT_EQ(IntegerText(-1234567, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("-1234567"));
    EXPECT_EQ(IntegerText(1234567, kGerman), QStringLiteral("1234567"));
}

} // namespace
} // namespace zv

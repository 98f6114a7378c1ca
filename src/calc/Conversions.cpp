#include "calc/Conversions.h"

#include "base/Rounding.h"

#include <cmath>
#include <limits>

namespace zv {
namespace {

// The locale without group separators in what it writes.
QLocale Plain(const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain;
}

// Without the invisible direction marks some locales put around signs and exponents.
QString WithoutMarks(QString text) {
    text.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    return text;
}

} // namespace

CalcOutcome<double> NumberFromText(const QString& text, const QLocale& locale) {
    // The locale's own writing does not always read back as it is (the direction marks around
    // a minus sign, a localised exponent), and people mix in plain digits and signs: reduce
    // those to the plain forms, keeping the locale's decimal and group separators.
    QString number = WithoutMarks(text).trimmed();
    if (number.isEmpty())
        return CalcError::NotANumber;
    if (const QString exponent = WithoutMarks(locale.exponential());
        !exponent.isEmpty() && exponent.compare(QLatin1String("e"), Qt::CaseInsensitive) != 0)
        number.replace(exponent, QStringLiteral("e"));
    // Where the locale groups digits with a space, any space the keyboard gives will do.
    const QString group = locale.groupSeparator();
    const bool spaceGroups = group.size() == 1 && group.front().isSpace();
    for (QChar& c : number) {
        if (c.isDigit())
            c = QLatin1Char(static_cast<char>('0' + c.digitValue()));
        else if (c == QChar(0x2212))
            c = QLatin1Char('-');
        else if (spaceGroups && c.isSpace())
            c = group.front();
    }
    bool ok = false;
    const double value = locale.toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return CalcError::NotANumber;
    return value;
}

CalcOutcome<int32_t> IntegerFromNumber(double value) {
    if (!std::isfinite(value))
        return CalcError::FloatingPointFault;
    const double rounded = RoundHalfToEven(value);
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max())
        return CalcError::OutOfRange;
    return static_cast<int32_t>(rounded);
}

CalcOutcome<int32_t> IntegerFromText(const QString& text, const QLocale& locale) {
    const CalcOutcome<double> number = NumberFromText(text, locale);
    if (!number)
        return number.error();
    return IntegerFromNumber(*number);
}

QString TextFromNumber(double value, const QLocale& locale) {
    if (value == 0)
        value = 0; // no "-0"
    return Plain(locale).toString(value, 'g', 15);
}

QString IntegerText(int32_t value, const QLocale& locale) {
    return Plain(locale).toString(value);
}

CalcOutcome<int32_t> CheckedAdd(int32_t a, int32_t b) {
    int32_t result = 0;
    if (__builtin_add_overflow(a, b, &result))
        return CalcError::Overflow;
    return result;
}

CalcOutcome<int32_t> CheckedSubtract(int32_t a, int32_t b) {
    int32_t result = 0;
    if (__builtin_sub_overflow(a, b, &result))
        return CalcError::Overflow;
    return result;
}

CalcOutcome<int32_t> CheckedMultiply(int32_t a, int32_t b) {
    int32_t result = 0;
    if (__builtin_mul_overflow(a, b, &result))
        return CalcError::Overflow;
    return result;
}

} // namespace zv

#pragma once
// How the time calculators read the figures typed into them and write figures back: texts are
// numbers in the user's locale (its decimal and group separators), whole numbers are signed
// 32-bit with halves rounded to the even neighbour, and a fraction kept as text has at most 15
// significant digits. Every conversion reports a failure as a value, never by throwing.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

namespace zv {

// Why a calculation stopped.
enum class CalcError {
    NotANumber,         // an empty text, or one that is not a number in the locale
    OutOfRange,         // a whole number beyond the signed 32-bit range
    Overflow,           // signed 32-bit arithmetic beyond its range
    FloatingPointFault, // a double-precision result that is not a finite number
};

// A result, or the reason there is none.
template <typename T> class CalcOutcome {
public:
    CalcOutcome(T value)
        : m_value(std::move(value)) {}
    CalcOutcome(CalcError error)
        : m_error(error) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *m_value; }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }
    // Meaningful only when !ok().
    CalcError error() const { return m_error; }

private:
    std::optional<T> m_value;
    CalcError m_error = CalcError::NotANumber;
};

// A text as a double: blanks around it allowed, the locale's decimal and group separators, an
// optional sign and exponent. Empty text, anything else, and infinities are NotANumber.
CalcOutcome<double> NumberFromText(const QString& text, const QLocale& locale);

// A number rounded to a whole number (a half to the even neighbour); OutOfRange when the result
// does not fit in 32 bits, FloatingPointFault for an infinity or NaN.
CalcOutcome<int32_t> IntegerFromNumber(double value);

// NumberFromText, then IntegerFromNumber.
CalcOutcome<int32_t> IntegerFromText(const QString& text, const QLocale& locale);

// A number as decimal text in the locale, rounded to 15 significant digits, without trailing
// zeros and without group separators: 0.55 gives "0.55", 0.1 + 0.2 gives "0.3". Reads back with
// NumberFromText in the same locale.
QString TextFromNumber(double value, const QLocale& locale);

// A whole number as plain text in the locale: no group separators.
QString IntegerText(int32_t value, const QLocale& locale);

// Signed 32-bit arithmetic that reports Overflow instead of wrapping.
CalcOutcome<int32_t> CheckedAdd(int32_t a, int32_t b);
CalcOutcome<int32_t> CheckedSubtract(int32_t a, int32_t b);
CalcOutcome<int32_t> CheckedMultiply(int32_t a, int32_t b);

} // namespace zv

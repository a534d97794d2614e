#pragma once

#include <QChar>
#include <QString>

class LocaleFormats;

// Numbers written the way report templates ask for them: a format, a
// precision (significant digits) and a number of digits, in the locale's
// decimal separator.
namespace FloatFormat {

enum Kind {
    General = 0,  // shortest form within `precision` significant digits; scientific
                  // for values from 10^precision up and below 0.00001, with at
                  // least `digits` (0-4) exponent digits
    Exponent = 1, // d.ddd…E+dd: `precision` digits in all, `digits` (0-4) exponent digits at least
    Fixed = 2,    // `digits` decimals (0-18), rounded to `precision` significant digits;
                  // scientific when the integer part needs more than `precision` digits
    Number = 3,   // Fixed with thousands separators
    Currency = 4, // Number followed by the currency symbol: 1 234,50 Kč
};

// The currency the Currency kind writes. Czech by default; the program sets
// the company's symbol when it knows it.
struct CurrencyStyle
{
    QString symbol = QStringLiteral("Kč");
    bool symbolAfter = true;  // "1 234,50 Kč"; false: "Kč 1 234,50"
    bool blankBetween = true; // a blank between amount and symbol

    static const CurrencyStyle &current();
    static void setCurrent(const CurrencyStyle &style);
};

// The locale's thousands separator: a no-break space beside a decimal comma,
// a comma beside a decimal point.
QChar thousandSeparator(const LocaleFormats &locale);

// Kinds outside 0-4 are Fixed; precision is kept within 1-18. Not-a-number
// and infinities are written "NAN", "INF", "-INF".
QString format(double value, int kind, int precision, int digits);

} // namespace FloatFormat

#include "report/core/expr/FloatFormat.h"

#include "common/LocaleFormats.h"

#include <algorithm>
#include <cmath>

namespace FloatFormat {

namespace {

CurrencyStyle &installedStyle()
{
    static CurrencyStyle style;
    return style;
}

// A value rounded to `precision` significant digits: value = 0.digits × 10^exponent.
struct Decimal
{
    QString digits; // without trailing zeros; empty for zero
    int exponent = 0;
};

Decimal decimalOf(double magnitude, int precision)
{
    Decimal d;
    if (magnitude == 0.0)
        return d;
    const QString scientific = QString::number(magnitude, 'e', precision - 1); // d.ddde±xx
    const qsizetype e = scientific.indexOf(u'e');
    d.digits = scientific.left(e).remove(u'.');
    d.exponent = scientific.mid(e + 1).toInt() + 1;
    while (d.digits.endsWith(u'0'))
        d.digits.chop(1);
    return d;
}

QString exponentText(int exponent, int minDigits, bool plusSign)
{
    QString digits = QString::number(std::abs(exponent));
    while (digits.size() < minDigits)
        digits.prepend(u'0');
    const QString sign = exponent < 0 ? QStringLiteral("-") : (plusSign ? QStringLiteral("+") : QString());
    return u'E' + sign + digits;
}

// "d.dddE-xx" with the digits as they are (General) or padded to `total` (Exponent).
QString scientific(const Decimal &d, int total, int minExponentDigits, bool plusSign, QChar point)
{
    QString digits = d.digits.isEmpty() ? QStringLiteral("0") : d.digits;
    while (digits.size() < total)
        digits += u'0';
    QString text = digits.left(1);
    if (digits.size() > 1)
        text += point + digits.mid(1);
    return text + exponentText(d.digits.isEmpty() ? 0 : d.exponent - 1, minExponentDigits, plusSign);
}

QString withThousands(const QString &integer, QChar separator)
{
    QString text = integer;
    for (qsizetype pos = text.size() - 3; pos > 0; pos -= 3)
        text.insert(pos, separator);
    return text;
}

// Integer and fraction digits of a fixed-point text, rounded at `digits`
// decimals or at `precision` significant digits, whichever comes first.
void fixedDigits(double magnitude, int precision, int digits, QString &integer, QString &fraction)
{
    const Decimal d = decimalOf(magnitude, precision);
    if (d.exponent + digits < precision || d.digits.isEmpty()) {
        const QString text = QString::number(magnitude, 'f', digits);
        const qsizetype dot = text.indexOf(u'.');
        integer = dot < 0 ? text : text.left(dot);
        fraction = dot < 0 ? QString() : text.mid(dot + 1);
        return;
    }
    if (d.exponent <= 0) {
        integer = QStringLiteral("0");
        fraction = QString(-d.exponent, u'0') + d.digits;
    } else {
        integer = d.digits.left(d.exponent);
        while (integer.size() < d.exponent)
            integer += u'0';
        fraction = d.digits.mid(d.exponent);
    }
    while (fraction.size() < digits)
        fraction += u'0';
    fraction.truncate(digits);
}

bool hasNonZeroDigit(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
}

} // namespace

const CurrencyStyle &CurrencyStyle::current()
{
    return installedStyle();
}

void CurrencyStyle::setCurrent(const CurrencyStyle &style)
{
    installedStyle() = style;
}

QChar thousandSeparator(const LocaleFormats &locale)
{
    return locale.decimalSeparator == u'.' ? QChar(u',') : QChar(u'\xA0');
}

QString format(double value, int kind, int precision, int digits)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (kind < General || kind > Currency)
        kind = Fixed;
    precision = std::clamp(precision, 1, 18);
    const LocaleFormats &locale = LocaleFormats::current();
    const QChar point = locale.decimalSeparator;
    const double magnitude = std::fabs(value);
    const QString minus = value < 0 ? QStringLiteral("-") : QString();

    if (kind == General || kind == Exponent) {
        const int exponentDigits = std::clamp(digits, 0, 4);
        const Decimal d = decimalOf(magnitude, precision);
        if (d.digits.isEmpty())
            return kind == General ? QStringLiteral("0") : scientific(d, precision, exponentDigits, true, point);
        if (kind == Exponent)
            return minus + scientific(d, precision, exponentDigits, true, point);
        if (d.exponent > precision || magnitude < 0.00001)
            return minus + scientific(d, 0, exponentDigits, false, point);
        QString integer, fraction;
        fixedDigits(magnitude, precision, std::max(0, int(d.digits.size()) - d.exponent), integer, fraction);
        return minus + integer + (fraction.isEmpty() ? QString() : point + fraction);
    }

    digits = std::clamp(digits, 0, 18);
    if (decimalOf(magnitude, precision).exponent > precision)
        return minus + scientific(decimalOf(magnitude, precision), 0, 0, false, point);
    QString integer, fraction;
    fixedDigits(magnitude, precision, digits, integer, fraction);
    if (kind != Fixed)
        integer = withThousands(integer, thousandSeparator(locale));
    QString amount = integer + (fraction.isEmpty() ? QString() : point + fraction);
    // A value that rounds to zero shows no sign.
    if (hasNonZeroDigit(amount))
        amount.prepend(minus);
    if (kind != Currency)
        return amount;
    const CurrencyStyle &currency = CurrencyStyle::current();
    const QString blank = currency.blankBetween ? QStringLiteral(" ") : QString();
    return currency.symbolAfter ? amount + blank + currency.symbol : currency.symbol + blank + amount;
}

} // namespace FloatFormat

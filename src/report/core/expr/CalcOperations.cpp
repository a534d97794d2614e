#include "report/core/expr/CalcOperations.h"

#include "report/core/expr/DateTimeFormat.h"
#include "report/core/expr/ExpressionEvaluator.h"
#include "report/core/expr/FloatFormat.h"

#include "common/CodePage.h"
#include "common/LocaleFormats.h"
#include "common/TextUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace CalcOperations {

namespace {

// Function codes, in the order of the template's function table.
enum Code {
    Abs = 1,
    Int,
    Sgn,
    Max,
    Min,
    Iif,
    Left,
    Right,
    Substr,
    Upper,
    Lower,
    Ltrim,
    Rtrim,
    Alltrim,
    Format,
    Sin,
    Cos,
    Tan,
    Cotg,
    Exp,
    Log,
    Asin,
    Acos,
    Atan,
    Acotg,
    Chr,
    Ord,
    Length,
    Pos,
    IsNull,
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Secunde,
    FormatDt,
    StrToNum,
    NumToStr,
    Round,
};

// "true" is number 1, "false" number 0; logical values are of kind 0.
TCalcType logical(bool value, bool null)
{
    TCalcType result;
    result.kind = TCalcType::Other;
    result.number = value ? 1.0 : 0.0;
    result.text = value ? QStringLiteral("1") : QStringLiteral("0");
    result.null = null;
    return result;
}

// A number result; an overflow is outside the function's domain.
int number(double value, bool null, TCalcType &result)
{
    if (!std::isfinite(value))
        return CalcError::Domain;
    result = TCalcType::fromNumber(value, null);
    return CalcError::None;
}

TCalcType text(const QString &value, bool null)
{
    return TCalcType::fromText(value, null);
}

// A text result that keeps the number it was made from (FORMAT, NUMTOSTR, UPPER).
TCalcType textKeepingNumber(const QString &value, double number, bool null)
{
    TCalcType result;
    result.kind = TCalcType::Text;
    result.number = number;
    result.text = value;
    result.null = null;
    return result;
}

// round(n) of the text functions: half to even, kept within int.
int roundToInt(double value)
{
    if (!std::isfinite(value))
        return 0;
    return int(std::nearbyint(std::clamp(value, -1.0e9, 1.0e9)));
}

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= u' ';
}

QString trimmed(const QString &text, bool leading, bool trailing)
{
    qsizetype start = 0, end = text.size();
    while (leading && start < end && isBlankOrControl(text.at(start)))
        ++start;
    while (trailing && end > start && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

bool bothTexts(const TCalcType &a, const TCalcType &b)
{
    return a.kind == TCalcType::Text && b.kind == TCalcType::Text;
}

// One item of an IN list: a number, a quoted text, a reference, or any other
// text up to the next comma.
TCalcType listItem(const QString &item)
{
    ExpressionTokenizer tokens(item);
    ExpressionToken first = tokens.next();
    bool negative = false;
    if (first.type == ExpressionToken::Operator && first.op == CalcOperator::Subtract) {
        negative = true;
        first = tokens.next();
        if (first.type != ExpressionToken::Number)
            first.type = ExpressionToken::Error;
    }
    const bool single = tokens.next().type == ExpressionToken::End;
    if (single && first.type == ExpressionToken::Number)
        return TCalcType::fromNumber(negative ? -first.number : first.number);
    if (single && first.type == ExpressionToken::Text)
        return TCalcType::fromText(first.text);
    if (single && first.type == ExpressionToken::Reference && first.prefix != u'%') {
        TCalcType value;
        // A reference that names nothing is taken as plain text.
        if (resolveReference(first, value) == CalcError::None)
            return value;
    }
    TCalcType other;
    other.kind = TCalcType::Text;
    other.text = item;
    return other;
}

// The items of a list, split at the commas outside quoted texts.
QStringList listItems(const QString &list)
{
    QStringList items;
    QString current;
    ListQuotes quotes;
    for (const QChar c : list) {
        if (quotes.outsideQuote(c) && c == u',') {
            items.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    items.append(current.trimmed());
    return items;
}

bool isIn(const TCalcType &value, const TCalcType &list)
{
    for (const QString &itemText : listItems(list.text)) {
        const TCalcType item = listItem(itemText);
        if (item.text == value.text || (item.number != 0.0 && item.number == value.number))
            return true;
    }
    return false;
}

int applyOperatorUnchecked(CalcOperator op, const TCalcType &l, const TCalcType &r, bool null, TCalcType &result)
{
    switch (op) {
    case CalcOperator::Negate:
        return number(-r.number, r.null, result);
    case CalcOperator::Not:
        result = logical(r.number <= 0.0, r.null);
        return CalcError::None;
    case CalcOperator::Power:
        if (l.number <= 0.0)
            return CalcError::Domain;
        return number(std::exp(r.number * std::log(l.number)), null, result);
    case CalcOperator::Multiply:
        return number(l.number * r.number, null, result);
    case CalcOperator::Divide:
        if (r.number == 0.0)
            return CalcError::Domain;
        return number(l.number / r.number, null, result);
    case CalcOperator::And:
        result = logical(l.number > 0.0 && r.number > 0.0, null);
        return CalcError::None;
    case CalcOperator::Or:
        result = logical(l.number > 0.0 || r.number > 0.0, null);
        return CalcError::None;
    case CalcOperator::Add: {
        if (const int error = number(l.number + r.number, null, result))
            return error;
        // A text operand joins the texts ('A'+'B' is AB, 1+'2' is 3 with
        // the text 12); two numbers keep the text of their sum.
        if (l.kind == TCalcType::Text || r.kind == TCalcType::Text) {
            result.text = l.text + r.text;
            if (bothTexts(l, r))
                result.kind = TCalcType::Text;
        }
        return CalcError::None;
    }
    case CalcOperator::Subtract:
        return number(l.number - r.number, null, result);
    case CalcOperator::Equal:
        result = logical(bothTexts(l, r) ? l.text == r.text : l.number == r.number, null);
        return CalcError::None;
    case CalcOperator::NotEqual:
        result = logical(bothTexts(l, r) ? l.text != r.text : l.number != r.number, null);
        return CalcError::None;
    case CalcOperator::Less:
        result = logical(l.number < r.number, null);
        return CalcError::None;
    case CalcOperator::Greater:
        result = logical(l.number > r.number, null);
        return CalcError::None;
    case CalcOperator::LessOrEqual:
        result = logical(l.number <= r.number, null);
        return CalcError::None;
    case CalcOperator::GreaterOrEqual:
        result = logical(l.number >= r.number, null);
        return CalcError::None;
    case CalcOperator::In:
        result = logical(isIn(l, r), null);
        return CalcError::None;
    }
    return CalcError::NotAllowed;
}

int applyFunctionUnchecked(int code, std::span<const TCalcType> a, bool null, TCalcType &result)
{
    const double x = a[0].number;
    switch (code) {
    case Abs:
        return number(std::fabs(x), null, result);
    case Int:
        return number(std::trunc(x), null, result);
    case Sgn:
        return number(x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0), null, result);
    case Max:
        return number(a[1].number > x ? a[1].number : x, null, result);
    case Min:
        return number(a[1].number < x ? a[1].number : x, null, result);
    case Iif: {
        const TCalcType &chosen = x > 0.0 ? a[1] : a[2];
        result = chosen;
        result.kind = bothTexts(a[1], a[2]) ? TCalcType::Text : TCalcType::Number;
        result.null = null;
        return CalcError::None;
    }
    case Left:
        result = text(a[0].text.left(std::max(roundToInt(a[1].number), 0)), null);
        return CalcError::None;
    case Right:
        result = text(a[0].text.right(std::max(roundToInt(a[1].number), 0)), null);
        return CalcError::None;
    case Substr: {
        // As the host copies: a start before the first character counts from
        // the first, a negative count gives nothing.
        const int from = std::max(roundToInt(a[1].number), 1);
        const int count = roundToInt(a[2].number);
        result = text(count <= 0 || from > a[0].text.size() ? QString() : a[0].text.mid(from - 1, count), null);
        return CalcError::None;
    }
    case Upper:
        result = textKeepingNumber(a[0].text.toUpper(), x, null);
        return CalcError::None;
    case Lower:
        result = text(a[0].text.toLower(), null);
        return CalcError::None;
    case Ltrim:
        result = text(trimmed(a[0].text, true, false), null);
        return CalcError::None;
    case Rtrim:
        result = text(trimmed(a[0].text, false, true), null);
        return CalcError::None;
    case Alltrim:
        result = text(trimmed(a[0].text, true, true), null);
        return CalcError::None;
    case Format: {
        const LocaleFormats &locale = LocaleFormats::current();
        const QString formatted =
            TextUtils::formatFloat(a[1].text, x, locale.decimalSeparator, FloatFormat::thousandSeparator(locale));
        result = textKeepingNumber(formatted, x, null);
        return CalcError::None;
    }
    case Sin:
        return number(std::sin(x), null, result);
    case Cos:
        return number(std::cos(x), null, result);
    case Tan:
        if (std::cos(x) == 0.0)
            return CalcError::Domain;
        return number(std::sin(x) / std::cos(x), null, result);
    case Cotg:
        if (std::sin(x) == 0.0)
            return CalcError::Domain;
        return number(std::cos(x) / std::sin(x), null, result);
    case Exp:
        return number(std::exp(x), null, result);
    case Log:
        if (x <= 0.0)
            return CalcError::Domain;
        return number(std::log(x), null, result);
    // ASIN and ACOS accept -1 to 1 and return the principal values, so that
    // ASIN(1) is pi/2 and ACOS(-1) is pi.
    case Asin:
        if (x < -1.0 || x > 1.0)
            return CalcError::Domain;
        return number(std::asin(x), null, result);
    case Acos:
        if (x < -1.0 || x > 1.0)
            return CalcError::Domain;
        return number(std::acos(x), null, result);
    case Atan:
        return number(std::atan(x), null, result);
    case Acotg:
        return number(std::numbers::pi / 2.0 - std::atan(x), null, result);
    case Chr: {
        // Codes are those of the host's code page (Windows-1250).
        const int charCode = roundToInt(x);
        QString character;
        if (charCode > 0 && charCode < 256)
            character = CodePage::windows1250().decode(QByteArray(1, char(charCode)));
        result = text(character, null);
        return CalcError::None;
    }
    case Ord: {
        double charCode = 0.0;
        if (!a[0].text.isEmpty()) {
            const QChar first = a[0].text.at(0);
            // The host's code page where it has the character, else its Unicode value.
            charCode = CodePage::windows1250().canEncode(first)
                           ? double(quint8(CodePage::windows1250().encode(QStringView(&first, 1)).at(0)))
                           : double(first.unicode());
        }
        return number(charCode, null, result);
    }
    case Length:
        if (const int error = number(double(a[0].text.size()), null, result))
            return error;
        result.text.clear();
        return CalcError::None;
    case Pos:
        return number(a[0].text.isEmpty() ? 0.0 : double(a[1].text.indexOf(a[0].text.at(0)) + 1), null, result);
    case IsNull:
        result = logical(a[0].null, false);
        return CalcError::None;
    case Year:
    case Month:
    case Day:
    case Hour:
    case Minute:
    case Secunde: {
        const auto dateTime = DateTimeFormat::toDateTime(x);
        if (!dateTime)
            return CalcError::Domain;
        const QDate &d = dateTime->date;
        const QTime &t = dateTime->time;
        const int parts[] = {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
        return number(parts[code - Year], null, result);
    }
    case FormatDt: {
        if (!DateTimeFormat::toDateTime(x))
            return CalcError::Domain;
        result = textKeepingNumber(DateTimeFormat::format(a[1].text, x), x, null);
        return CalcError::None;
    }
    case StrToNum:
        return number(strToNum(a[0].text), null, result);
    case NumToStr:
        result = textKeepingNumber(LocaleFormats::current().formatGeneral(x), x, null);
        return CalcError::None;
    case Round:
        return number(std::nearbyint(x), null, result); // half to even
    }
    return CalcError::UnknownName;
}

// A null operand makes the result null. Where the operand's stand-in value
// (0 for an empty field) lies outside the domain, the result is null rather
// than an error: 10/#Pocet over an empty field is "no value", not a failure.
int nullInsteadOfDomainError(int error, bool null, TCalcType &result)
{
    if (error != CalcError::Domain || !null)
        return error;
    result.clear();
    result.null = true;
    return CalcError::None;
}

} // namespace

int applyOperator(CalcOperator op, const TCalcType &left, const TCalcType &right, TCalcType &result)
{
    const bool unary = op == CalcOperator::Negate || op == CalcOperator::Not;
    const bool null = right.null || (!unary && left.null);
    return nullInsteadOfDomainError(applyOperatorUnchecked(op, left, right, null, result), null, result);
}

int applyFunction(int code, std::span<const TCalcType> arguments, TCalcType &result)
{
    bool null = false;
    for (const TCalcType &argument : arguments)
        null = null || argument.null;
    return nullInsteadOfDomainError(applyFunctionUnchecked(code, arguments, null, result), null, result);
}

int resolveReference(const ExpressionToken &token, TCalcType &result)
{
    int base = CalcRef::Field;
    int findKind = CalcRef::FindField;
    switch (token.prefix.unicode()) {
    case u'&':
        base = CalcRef::Parameter;
        findKind = 0;
        break;
    case u'@':
        base = CalcRef::UserFunction;
        findKind = CalcRef::FindFunction;
        break;
    case u'%':
        base = CalcRef::SystemVariable;
        findKind = 0;
        break;
    default:
        break;
    }
    CalcResolver *resolver = calcResolver();
    int index = token.index;
    if (token.byName) {
        if (findKind == 0 || !resolver)
            return CalcError::UnknownName;
        try {
            index = resolver->findName(findKind, token.name);
        } catch (...) {
            index = -1;
        }
    }
    // "#0" names no item either: indexes count from 1.
    if (index < 0)
        return CalcError::UnknownName;
    result.clear();
    result.null = true; // what a failing (or missing) report gives
    if (resolver) {
        try {
            result = resolver->resolve(base + index);
        } catch (...) {
            result.clear();
            result.null = true;
        }
    }
    return CalcError::None;
}

} // namespace CalcOperations

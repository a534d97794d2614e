#include "report/core/expr/ExpressionEvaluator.h"

#include "report/core/expr/CalcOperations.h"
#include "report/core/expr/ExpressionTokenizer.h"

#include "common/LocaleFormats.h"

#include <QHash>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

CalcResolver *g_resolver = nullptr;

constexpr std::array<CalcFunction, 40> kFunctions{{
    {1, u"ABS", 1},      {2, u"INT", 1},       {3, u"SGN", 1},       {4, u"MAX", 2},       {5, u"MIN", 2},
    {6, u"IIF", 3},      {7, u"LEFT", 2},      {8, u"RIGHT", 2},     {9, u"SUBSTR", 3},    {10, u"UPPER", 1},
    {11, u"LOWER", 1},   {12, u"LTRIM", 1},    {13, u"RTRIM", 1},    {14, u"ALLTRIM", 1},  {15, u"FORMAT", 2},
    {16, u"SIN", 1},     {17, u"COS", 1},      {18, u"TAN", 1},      {19, u"COTG", 1},     {20, u"EXP", 1},
    {21, u"LOG", 1},     {22, u"ASIN", 1},     {23, u"ACOS", 1},     {24, u"ATAN", 1},     {25, u"ACOTG", 1},
    {26, u"CHR", 1},     {27, u"ORD", 1},      {28, u"LENGTH", 1},   {29, u"POS", 2},      {30, u"ISNULL", 1},
    {31, u"YEAR", 1},    {32, u"MONTH", 1},    {33, u"DAY", 1},      {34, u"HOUR", 1},     {35, u"MINUTE", 1},
    {36, u"SECUNDE", 1}, {37, u"FORMATDT", 2}, {38, u"STRTONUM", 1}, {39, u"NUMTOSTR", 1}, {40, u"ROUND", 1},
}};

constexpr int kStackSize = 40;

// The one-pass evaluator: operands on one stack, operators and open
// parentheses (with the function they belong to) on the other; no syntax
// tree is kept.
class Evaluator
{
public:
    explicit Evaluator(const QString &expression) : m_expression(expression), m_tokens(expression) {}

    CalcResult run();

private:
    struct Pending
    {
        bool paren = false;
        CalcOperator op = CalcOperator::Add;
        int function = 0;      // a paren's function code, 0 for a plain group
        int allowedCommas = 0; // arguments - 1
        int commas = 0;
    };

    CalcResult failure(int error, int position) const
    {
        CalcResult result;
        result.error = error;
        result.position = position;
        return result;
    }

    int pushOperand(const TCalcType &value)
    {
        if (m_operandCount == kStackSize)
            return CalcError::TooComplex;
        m_operands[m_operandCount++] = value;
        return CalcError::None;
    }

    int pushPending(const Pending &pending)
    {
        if (m_pendingCount == kStackSize)
            return CalcError::TooComplex;
        m_pending[m_pendingCount++] = pending;
        return CalcError::None;
    }

    int innermostParen() const
    {
        for (int i = m_pendingCount - 1; i >= 0; --i) {
            if (m_pending[i].paren)
                return i;
        }
        return -1;
    }

    // Applies the topmost stacked operator.
    int applyTop()
    {
        const CalcOperator op = m_pending[--m_pendingCount].op;
        const bool unary = op == CalcOperator::Negate || op == CalcOperator::Not;
        TCalcType &right = m_operands[m_operandCount - 1];
        TCalcType result;
        if (unary) {
            if (const int error = CalcOperations::applyOperator(op, right, right, result))
                return error;
            right = result;
            return CalcError::None;
        }
        TCalcType &left = m_operands[m_operandCount - 2];
        if (const int error = CalcOperations::applyOperator(op, left, right, result))
            return error;
        --m_operandCount;
        left = result;
        return CalcError::None;
    }

    // Applies stacked operators down to the innermost "(" (not including it)
    // while they bind at least as tightly as `rank`.
    int applyDownTo(int rank)
    {
        while (m_pendingCount > 0 && !m_pending[m_pendingCount - 1].paren &&
               calcOperatorRank(m_pending[m_pendingCount - 1].op) <= rank) {
            if (const int error = applyTop())
                return error;
        }
        return CalcError::None;
    }

    int applyFunction(int code, int arguments)
    {
        TCalcType result;
        const std::span<const TCalcType> values(m_operands.data() + m_operandCount - arguments, size_t(arguments));
        if (const int error = CalcOperations::applyFunction(code, values, result))
            return error;
        m_operandCount -= arguments - 1;
        m_operands[m_operandCount - 1] = result;
        return CalcError::None;
    }

    int step(const ExpressionToken &token);
    int operand(const ExpressionToken &token);
    int closeParen();
    int comma();
    int binaryOperator(CalcOperator op);

    const QString &m_expression;
    ExpressionTokenizer m_tokens;
    std::array<TCalcType, kStackSize> m_operands;
    std::array<Pending, kStackSize> m_pending;
    int m_operandCount = 0;
    int m_pendingCount = 0;
    bool m_expectOperand = true;
    bool m_unaryMinusAllowed = true; // at the start, after "(" and after ","
};

CalcResult Evaluator::run()
{
    // Longer expressions are refused as too complex at the first character
    // beyond the limit: reading only a part of one would give a wrong value
    // without a word.
    if (m_expression.size() > MaxExpressionLength)
        return failure(CalcError::TooComplex, MaxExpressionLength);
    for (bool first = true;; first = false) {
        const ExpressionToken token = m_tokens.next();
        if (token.type == ExpressionToken::Error)
            return failure(token.error, token.errorPosition);
        if (token.type == ExpressionToken::End) {
            if (first)
                return CalcResult(); // an empty expression: a cleared value
            if (innermostParen() >= 0)
                return failure(CalcError::ParenNotClosed, token.position);
            if (m_expectOperand)
                return failure(CalcError::NotAllowed, token.position);
            if (const int error = applyDownTo(5))
                return failure(error, token.position);
            CalcResult result;
            result.value = m_operands[0];
            result.position = token.position;
            return result;
        }
        if (const int error = step(token))
            return failure(error, token.position);
    }
}

int Evaluator::step(const ExpressionToken &token)
{
    switch (token.type) {
    case ExpressionToken::Number:
    case ExpressionToken::Text:
    case ExpressionToken::List:
    case ExpressionToken::Reference:
        return operand(token);
    case ExpressionToken::Function: {
        if (!m_expectOperand)
            return CalcError::NotAllowed;
        const ExpressionToken paren = m_tokens.next();
        if (paren.type != ExpressionToken::OpenParen)
            return CalcError::NotAllowed; // a function name must be followed by "("
        Pending pending;
        pending.paren = true;
        pending.function = token.function;
        pending.allowedCommas = calcFunctions()[size_t(token.function - 1)].arguments - 1;
        m_unaryMinusAllowed = true;
        return pushPending(pending);
    }
    case ExpressionToken::OpenParen: {
        if (!m_expectOperand)
            return CalcError::NotAllowed;
        Pending pending;
        pending.paren = true;
        m_unaryMinusAllowed = true;
        return pushPending(pending);
    }
    case ExpressionToken::CloseParen:
        return closeParen();
    case ExpressionToken::Comma:
        return comma();
    case ExpressionToken::Operator:
        if (m_expectOperand) {
            // Prefix operators: NOT anywhere an operand may stand, minus only
            // at the start, after "(" and after ",".
            if (token.op == CalcOperator::Not || (token.op == CalcOperator::Subtract && m_unaryMinusAllowed)) {
                Pending pending;
                pending.op = token.op == CalcOperator::Not ? CalcOperator::Not : CalcOperator::Negate;
                m_unaryMinusAllowed = false;
                return pushPending(pending);
            }
            return CalcError::NotAllowed; // two binary operators in a row
        }
        if (token.op == CalcOperator::Not)
            return CalcError::NotAllowed;
        return binaryOperator(token.op);
    case ExpressionToken::End:
    case ExpressionToken::Error:
        break;
    }
    return CalcError::NotAllowed;
}

int Evaluator::operand(const ExpressionToken &token)
{
    if (!m_expectOperand)
        return CalcError::NotAllowed;
    TCalcType value;
    switch (token.type) {
    case ExpressionToken::Number:
        value = TCalcType::fromNumber(token.number);
        break;
    case ExpressionToken::Text:
        value = TCalcType::fromText(token.text);
        break;
    case ExpressionToken::List:
        value.kind = TCalcType::List;
        value.text = token.text;
        break;
    default:
        if (const int error = CalcOperations::resolveReference(token, value))
            return error;
        break;
    }
    m_expectOperand = false;
    m_unaryMinusAllowed = false;
    return pushOperand(value);
}

int Evaluator::closeParen()
{
    const int paren = innermostParen();
    if (paren < 0)
        return CalcError::NoOpenParen;
    if (m_expectOperand)
        return CalcError::NotAllowed;
    if (const int error = applyDownTo(5))
        return error;
    const Pending open = m_pending[--m_pendingCount];
    if (open.commas != open.allowedCommas)
        return CalcError::ArgumentCount;
    if (open.function != 0)
        return applyFunction(open.function, open.allowedCommas + 1);
    return CalcError::None;
}

int Evaluator::comma()
{
    const int paren = innermostParen();
    if (paren < 0 || m_expectOperand)
        return CalcError::Comma;
    if (const int error = applyDownTo(5))
        return error;
    Pending &open = m_pending[m_pendingCount - 1];
    if (open.commas == open.allowedCommas)
        return CalcError::Comma;
    ++open.commas;
    m_expectOperand = true;
    m_unaryMinusAllowed = true;
    return CalcError::None;
}

int Evaluator::binaryOperator(CalcOperator op)
{
    if (const int error = applyDownTo(calcOperatorRank(op)))
        return error;
    Pending pending;
    pending.op = op;
    m_expectOperand = true;
    m_unaryMinusAllowed = false;
    return pushPending(pending);
}

} // namespace

TCalcType TCalcType::fromNumber(double value, bool null)
{
    TCalcType result;
    result.kind = Number;
    result.number = value;
    // Whole numbers (counts, row numbers, most amounts) are written directly:
    // the general format gives the same digits, only far slower.
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        result.text = QString::number(qint64(value));
    else
        result.text = LocaleFormats::current().formatGeneral(value);
    result.null = null;
    return result;
}

TCalcType TCalcType::fromText(const QString &text, bool null)
{
    TCalcType result;
    result.kind = Text;
    result.number = strToNum(text);
    result.text = text;
    result.null = null;
    return result;
}

void setCalcResolver(CalcResolver *resolver)
{
    g_resolver = resolver;
}

CalcResolver *calcResolver()
{
    return g_resolver;
}

QString calcErrorText(int error)
{
    switch (error) {
    case CalcError::None:
        return QString();
    case CalcError::UnknownName:
        return u"Neznámý název"_s;
    case CalcError::NotAllowed:
        return u"Nepřípustný prvek výrazu"_s;
    case CalcError::TooComplex:
        return u"Výraz je příliš dlouhý nebo složitý"_s;
    case CalcError::NoOpenParen:
        return u"Uzavírací závorka bez otevírací"_s;
    case CalcError::ParenNotClosed:
        return u"Neuzavřená závorka"_s;
    case CalcError::Domain:
        return u"Argument mimo definiční obor"_s;
    case CalcError::BadNumber:
        return u"Chybně zapsané číslo"_s;
    case CalcError::ArgumentCount:
        return u"Chybný počet argumentů"_s;
    case CalcError::Comma:
        return u"Čárka na nepřípustném místě"_s;
    case CalcError::TextNotClosed:
        return u"Neukončený text"_s;
    case CalcError::ListNotClosed:
        return u"Neukončený seznam"_s;
    default:
        return u"Chyba %1"_s.arg(error);
    }
}

CalcResult evaluateExpression(const QString &expression)
{
    try {
        return Evaluator(expression).run();
    } catch (...) {
        // Whatever failed inside (memory, a broken resolver): a cleared value.
        CalcResult result;
        result.error = CalcError::Domain;
        return result;
    }
}

std::span<const CalcFunction> calcFunctions()
{
    return kFunctions;
}

const CalcFunction *findCalcFunction(QStringView name)
{
    // Every identifier of every evaluation is looked up here.
    static const QHash<QStringView, const CalcFunction *> byName = [] {
        QHash<QStringView, const CalcFunction *> names;
        for (const CalcFunction &function : kFunctions)
            names.insert(QStringView(function.name), &function);
        return names;
    }();
    return byName.value(name, nullptr);
}

// Leading blanks are dropped (and, unlike a bare conversion, trailing ones
// too: a parameter line or a padded text field "12 " is still 12). The first
// "." becomes the decimal separator when the locale uses ",", the first ","
// when it uses "."; the text must then start with a digit or "-" and hold
// only digits, "E", "e" and the decimal separator.
double strToNum(const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    const QChar separator = LocaleFormats::current().decimalSeparator;
    qsizetype start = 0, end = text.size();
    // Leading blanks are dropped; anything after the number, trailing blanks
    // included, makes the text no number.
    while (start < end && text.at(start).unicode() <= u' ')
        ++start;
    QString t = text.mid(start, end - start);
    if (t.isEmpty())
        return 0.0;
    const QChar other = separator == u',' ? u'.' : (separator == u'.' ? u',' : QChar());
    if (!other.isNull()) {
        const qsizetype first = t.indexOf(other);
        if (first >= 0)
            t[first] = separator;
    }
    if (!(t.at(0) == u'-' || (t.at(0) >= u'0' && t.at(0) <= u'9')))
        return 0.0;
    for (qsizetype i = 1; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (!((c >= u'0' && c <= u'9') || c == u'E' || c == u'e' || c == separator))
            return 0.0;
    }
    const auto value = LocaleFormats::current().parseFloat(t);
    if (!value)
        return 0.0;
    if (ok)
        *ok = true;
    return *value;
}

#include "report/core/expr/ExpressionTokenizer.h"

#include "report/core/expr/ExpressionEvaluator.h"

using namespace Qt::StringLiterals;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isReferencePrefix(QChar c)
{
    return c == u'#' || c == u'&' || c == u'@' || c == u'%';
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == u'$' || c == u'_';
}

} // namespace

int calcOperatorRank(CalcOperator op)
{
    switch (op) {
    case CalcOperator::Negate:
    case CalcOperator::Not:
        return 1;
    case CalcOperator::Power:
        return 2;
    case CalcOperator::Multiply:
    case CalcOperator::Divide:
    case CalcOperator::And:
        return 3;
    case CalcOperator::Add:
    case CalcOperator::Subtract:
    case CalcOperator::Or:
        return 4;
    case CalcOperator::Equal:
    case CalcOperator::Less:
    case CalcOperator::Greater:
    case CalcOperator::NotEqual:
    case CalcOperator::LessOrEqual:
    case CalcOperator::GreaterOrEqual:
    case CalcOperator::In:
        return 5;
    }
    return 5;
}

ExpressionToken ExpressionTokenizer::error(int code, qsizetype position)
{
    ExpressionToken token;
    token.type = ExpressionToken::Error;
    token.position = int(position);
    token.error = code;
    token.errorPosition = int(position);
    return token;
}

ExpressionToken ExpressionTokenizer::next()
{
    // Blanks (and tabs, which a pasted expression may carry) between tokens.
    while (m_pos < m_text.size() && (m_text.at(m_pos) == u' ' || m_text.at(m_pos) == u'\t'))
        ++m_pos;
    ExpressionToken token;
    token.position = int(m_pos);
    if (m_pos >= m_text.size())
        return token; // End
    const QChar c = m_text.at(m_pos);
    if (isDigit(c))
        return readNumber();
    if (c == u'\'')
        return readQuoted(u'\'', ExpressionToken::Text, CalcError::TextNotClosed);
    if (c == u'[')
        return readQuoted(u']', ExpressionToken::List, CalcError::ListNotClosed);
    if (isReferencePrefix(c))
        return readReference();
    if (isAsciiLetter(c))
        return readIdentifier();

    ++m_pos;
    token.type = ExpressionToken::Operator;
    const QChar following = m_pos < m_text.size() ? m_text.at(m_pos) : QChar();
    switch (c.unicode()) {
    case u'(':
        token.type = ExpressionToken::OpenParen;
        return token;
    case u')':
        token.type = ExpressionToken::CloseParen;
        return token;
    case u',':
        token.type = ExpressionToken::Comma;
        return token;
    case u'+':
        token.op = CalcOperator::Add;
        return token;
    case u'-':
        token.op = CalcOperator::Subtract;
        return token;
    case u'*':
        token.op = CalcOperator::Multiply;
        return token;
    case u'/':
        token.op = CalcOperator::Divide;
        return token;
    case u'^':
        token.op = CalcOperator::Power;
        return token;
    case u'=':
        token.op = CalcOperator::Equal;
        return token;
    case u'<':
        if (following == u'>') {
            ++m_pos;
            token.op = CalcOperator::NotEqual;
        } else if (following == u'=') {
            ++m_pos;
            token.op = CalcOperator::LessOrEqual;
        } else {
            token.op = CalcOperator::Less;
        }
        return token;
    case u'>':
        if (following == u'=') {
            ++m_pos;
            token.op = CalcOperator::GreaterOrEqual;
        } else {
            token.op = CalcOperator::Greater;
        }
        return token;
    default:
        return error(CalcError::NotAllowed, m_pos - 1);
    }
}

// Digits, optionally a point and digits, optionally "E" or "e", a sign and at
// most two digits. The point is the decimal point whatever the locale says.
ExpressionToken ExpressionTokenizer::readNumber()
{
    const qsizetype start = m_pos;
    const qsizetype size = m_text.size();
    while (m_pos < size && isDigit(m_text.at(m_pos)))
        ++m_pos;
    if (m_pos < size && m_text.at(m_pos) == u'.') {
        ++m_pos;
        if (m_pos >= size || !isDigit(m_text.at(m_pos)))
            return error(CalcError::BadNumber, m_pos);
        while (m_pos < size && isDigit(m_text.at(m_pos)))
            ++m_pos;
    }
    if (m_pos < size && (m_text.at(m_pos) == u'E' || m_text.at(m_pos) == u'e')) {
        ++m_pos;
        if (m_pos < size && (m_text.at(m_pos) == u'+' || m_text.at(m_pos) == u'-'))
            ++m_pos;
        int digits = 0;
        while (m_pos < size && isDigit(m_text.at(m_pos))) {
            if (++digits > 2)
                return error(CalcError::BadNumber, m_pos);
            ++m_pos;
        }
        if (digits == 0)
            return error(CalcError::BadNumber, m_pos);
    }
    if (m_pos < size && (m_text.at(m_pos).isLetter() || isReferencePrefix(m_text.at(m_pos))))
        return error(CalcError::BadNumber, m_pos);

    bool ok = false;
    const double value = m_text.mid(start, m_pos - start).toDouble(&ok);
    if (!ok || !qIsFinite(value))
        return error(CalcError::BadNumber, start);
    ExpressionToken token;
    token.type = ExpressionToken::Number;
    token.position = int(start);
    token.number = value;
    return token;
}

// A text literal ends at the next quote (there is no escape). A list literal
// ends at the first "]" outside a quoted item, so that ['a]'] is one list.
ExpressionToken ExpressionTokenizer::readQuoted(QChar close, ExpressionToken::Type type, int errorCode)
{
    const qsizetype start = m_pos;
    qsizetype i = m_pos + 1;
    ListQuotes quotes;
    for (; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        const bool outside = type != ExpressionToken::List || quotes.outsideQuote(c);
        if (c == close && outside)
            break;
    }
    if (i >= m_text.size()) {
        m_pos = m_text.size();
        return error(errorCode, m_pos); // reading stopped at the end
    }
    ExpressionToken token;
    token.type = type;
    token.position = int(start);
    token.text = m_text.mid(start + 1, i - start - 1).toString();
    m_pos = i + 1;
    return token;
}

// "#", "&", "@" or "%" followed by one to three digits (1-based) or a name.
ExpressionToken ExpressionTokenizer::readReference()
{
    ExpressionToken token;
    token.type = ExpressionToken::Reference;
    token.position = int(m_pos);
    token.prefix = m_text.at(m_pos);
    ++m_pos;
    const qsizetype size = m_text.size();
    if (m_pos < size && isDigit(m_text.at(m_pos))) {
        int value = 0;
        for (int n = 0; n < 3 && m_pos < size && isDigit(m_text.at(m_pos)); ++n, ++m_pos)
            value = value * 10 + (m_text.at(m_pos).unicode() - u'0');
        token.index = value - 1;
        return token;
    }
    if (m_pos < size && isNameStart(m_text.at(m_pos))) {
        const qsizetype nameStart = m_pos;
        while (m_pos < size && isNamePart(m_text.at(m_pos)))
            ++m_pos;
        token.byName = true;
        token.name = m_text.mid(nameStart, m_pos - nameStart).toString();
        return token;
    }
    return error(CalcError::UnknownName, token.position); // a prefix naming nothing
}

// A run of the letters A-Z: a function name or an operator word.
ExpressionToken ExpressionTokenizer::readIdentifier()
{
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && isAsciiLetter(m_text.at(m_pos)))
        ++m_pos;
    const QString word = m_text.mid(start, m_pos - start).toString().toUpper();
    ExpressionToken token;
    token.position = int(start);
    if (const CalcFunction *function = findCalcFunction(word)) {
        token.type = ExpressionToken::Function;
        token.function = function->code;
        return token;
    }
    token.type = ExpressionToken::Operator;
    if (word == u"NOT"_s)
        token.op = CalcOperator::Not;
    else if (word == u"AND"_s)
        token.op = CalcOperator::And;
    else if (word == u"OR"_s)
        token.op = CalcOperator::Or;
    else if (word == u"IN"_s)
        token.op = CalcOperator::In;
    else
        return error(CalcError::UnknownName, start);
    return token;
}

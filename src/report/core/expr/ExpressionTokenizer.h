#pragma once

#include <QString>
#include <QStringView>

// The operators of the expression language. Minus is read as one token; the
// evaluator decides whether it is unary or binary.
enum class CalcOperator : quint8 {
    Negate, // unary minus
    Not,
    Power,
    Multiply,
    Divide,
    And,
    Add,
    Subtract,
    Or,
    Equal,
    Less,
    Greater,
    NotEqual,
    LessOrEqual,
    GreaterOrEqual,
    In,
};

// Binding rank: 1 binds tightest; operators of equal rank apply left to right.
int calcOperatorRank(CalcOperator op);

struct ExpressionToken
{
    enum Type : quint8 {
        End,
        Number,
        Text,      // a text literal; `text` is its inside
        List,      // a list literal; `text` is its inside
        Reference, // `prefix` with `index` (0-based, -1 for #0) or `name`
        Function,  // `function` is its code
        Operator,
        OpenParen,
        CloseParen,
        Comma,
        Error, // `error` at `errorPosition`
    };

    Type type = End;
    int position = 0; // the token's first character
    double number = 0.0;
    QString text;
    QChar prefix;   // "#", "&", "@" or "%"
    int index = -1; // a reference by number
    QString name;   // a reference by name
    bool byName = false;
    int function = 0;
    CalcOperator op = CalcOperator::Add;
    int error = 0;
    int errorPosition = 0;
};

// Quotes inside a list literal: an apostrophe opens a quoted item only where
// an item starts (after "[" or "," and blanks), so ['a]',b] is one list of two
// items while [O'Neil,X] keeps the apostrophe as part of its plain item.
class ListQuotes
{
public:
    // Feeds the next character of the list's inside; true when it stands
    // outside a quoted item (a "]" or "," there ends the list or the item).
    bool outsideQuote(QChar c)
    {
        if (m_inQuote) {
            if (c == u'\'')
                m_inQuote = false;
            return false;
        }
        if (c == u'\'' && m_atItemStart) {
            m_inQuote = true;
            m_atItemStart = false;
            return false;
        }
        if (c == u',')
            m_atItemStart = true;
        else if (c != u' ')
            m_atItemStart = false;
        return true;
    }

private:
    bool m_inQuote = false;
    bool m_atItemStart = true;
};

// Reads an expression token by token, left to right, skipping blanks.
class ExpressionTokenizer
{
public:
    explicit ExpressionTokenizer(QStringView expression) : m_text(expression) {}

    ExpressionToken next();

private:
    ExpressionToken readNumber();
    ExpressionToken readQuoted(QChar close, ExpressionToken::Type type, int error);
    ExpressionToken readReference();
    ExpressionToken readIdentifier();
    ExpressionToken error(int code, qsizetype position);

    QStringView m_text;
    qsizetype m_pos = 0;
};

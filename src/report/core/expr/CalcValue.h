#pragma once

#include <QString>

// A value of the report's expression language, passed by value. Every
// operation fills both the number and the text of its result.
struct TCalcType
{
    enum Kind : quint8 { Other = 0, Number = 1, Text = 2, List = 5 };

    quint8 kind = Other; // 0 other (date, time, logical, unknown), 1 number, 2 text, 5 list literal
    double number = 0.0; // 0 for a text that is not a number
    QString text;        // numbers: the shortest general format of the locale
    bool null = false;   // the value comes from an empty data field

    void clear() { *this = TCalcType(); }

    // Kind 1, the text in the locale's general format.
    static TCalcType fromNumber(double value, bool null = false);
    // Kind 2, the number read from the text as STRTONUM reads it.
    static TCalcType fromText(const QString &text, bool null = false);
};

// Reference codes: base + 0-based index.
namespace CalcRef {
constexpr int Parameter = 2000;      // &n
constexpr int Field = 4000;          // #n or #name
constexpr int UserFunction = 6000;   // @n or @name
constexpr int SystemVariable = 8000; // %n
constexpr int FindField = 2;         // findName kinds
constexpr int FindFunction = 3;
} // namespace CalcRef

// What an expression reads through: the report being laid out or edited.
class CalcResolver
{
public:
    virtual ~CalcResolver() = default;
    // The value for a reference code; may throw, which the evaluator turns
    // into a null value.
    virtual TCalcType resolve(int code) = 0;
    // Index of a field (kind 2) or user function (kind 3) by name, or -1.
    virtual int findName(int kind, const QString &name) = 0;
};

// The evaluator's error codes.
namespace CalcError {
constexpr int None = 0;
constexpr int UnknownName = 1;
constexpr int NotAllowed = 2;     // a token where it may not stand, an unknown character
constexpr int TooComplex = 3;     // a stack is full, or the expression is too long
constexpr int NoOpenParen = 4;    // ")" without "("
constexpr int ParenNotClosed = 5; // "(" left open at the end
constexpr int Domain = 6;         // division by zero, logarithm, power, poles, overflow
constexpr int BadNumber = 7;
constexpr int ArgumentCount = 10;
constexpr int Comma = 11; // misplaced comma
constexpr int TextNotClosed = 12;
constexpr int ListNotClosed = 13;
} // namespace CalcError

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
class TCalcResolver
{
public:
    virtual ~TCalcResolver() = default;
    // The value for a reference code; may throw, which the evaluator turns
    // into a null value.
    virtual TCalcType resolve(int code) = 0;
    // Index of a field (kind 2) or user function (kind 3) by name, or -1.
    virtual int findName(int kind, const QString &name) = 0;
};

// The process-wide registration: the report last laid out, printed or edited.
void setCalcResolver(TCalcResolver *resolver);
TCalcResolver *calcResolver();

struct TCalcResult
{
    TCalcType value;  // cleared when error != 0
    int error = 0;    // the evaluator's error code, 0 = success
    int position = 0; // 0-based index of the character where evaluation stopped
};

// Evaluates one expression against the registered resolver.
TCalcResult evaluateExpression(const QString &expression);

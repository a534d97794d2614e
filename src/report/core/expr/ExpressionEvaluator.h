#pragma once

#include "report/core/expr/CalcValue.h"

#include <QString>

#include <span>

// The process-wide registration: the report last laid out, printed or edited.
void setCalcResolver(CalcResolver *resolver);
CalcResolver *calcResolver();

struct CalcResult
{
    TCalcType value;  // cleared when error != 0
    int error = 0;    // the evaluator's error code, 0 = success
    int position = 0; // 0-based index of the character where evaluation stopped
};

// A short Czech description of an error code, for the expression editor.
QString calcErrorText(int error);

// Expressions longer than this are refused (see evaluateExpression).
constexpr int MaxExpressionLength = 255;

// Evaluates one expression against the registered resolver.
CalcResult evaluateExpression(const QString &expression);

// A built-in function: its code (the position in the table, from 1), its
// name and its number of arguments.
struct CalcFunction
{
    int code;
    const char16_t *name;
    int arguments;
};

// The 40 built-in functions in code order.
std::span<const CalcFunction> calcFunctions();
// The function of that (upper-case) name, or nullptr.
const CalcFunction *findCalcFunction(QStringView name);

// STRTONUM: the text read as a number whichever decimal separator it uses
// ("." or the locale's); 0 when it is not a number (`ok` false).
double strToNum(const QString &text, bool *ok = nullptr);

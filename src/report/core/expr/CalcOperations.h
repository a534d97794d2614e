#pragma once

#include "report/core/expr/CalcValue.h"
#include "report/core/expr/ExpressionTokenizer.h"

#include <span>

// What the evaluator does with values: operators, built-in functions and
// references. Each returns the evaluator's error code (0 = success) and fills
// `result` only on success.
namespace CalcOperations {

// `left` is ignored by the unary operators (minus, NOT).
int applyOperator(CalcOperator op, const TCalcType &left, const TCalcType &right, TCalcType &result);
// `arguments` holds exactly the function's number of arguments.
int applyFunction(int code, std::span<const TCalcType> arguments, TCalcType &result);
// A reference token through the registered resolver: by number, or by name
// for "#" and "@" (unknown names and names after "&" or "%" are error 1).
// A resolver that fails gives number 0, empty text, kind 0, null.
int resolveReference(const ExpressionToken &token, TCalcType &result);

} // namespace CalcOperations

#pragma once

#include <QString>

#include <optional>

// Formats with one integer argument, as templates write them for counters
// ("Strana %d", "%3d. řádek", "%.4d"): a placeholder is "%", an optional
// argument index "0:", an optional "-" (left-justify), a width, an optional
// "." and a number of digits, and one of the types d, u, x (x: upper-case
// hexadecimal), without regard to case; "%%" is a percent sign. Nothing when
// the format asks for anything else: another type, a "*", a second argument,
// or a "%" at the end.
namespace IntegerFormat {

std::optional<QString> format(const QString &pattern, qint64 value);

} // namespace IntegerFormat

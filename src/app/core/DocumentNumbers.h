#pragma once

#include <QString>

// The width of a document number field (`Doklad`, `CisloDokla`).
constexpr int kDocumentNumberWidth = 10;

struct ComposedNumber
{
    QString number; // empty when the counter exceeds the series' digits
    bool ok = false;
};

// A document number of a series: the prefix, then the counter in decimal,
// zero-padded to `digitCount` when the series asks for leading zeros. With
// leading zeros a digit count of 1 to 5 limits the counter (9 … 99999; a
// larger one fails with an empty number); 0 or 6 and more set no limit.
// A number longer than the field fails but keeps the composed text, so the
// sequence check can still name it. Renumbering and the sequence check share
// this rule.
ComposedNumber composeDocumentNumber(const QString &prefix, int digitCount, bool leadingZeros, qint64 counter);

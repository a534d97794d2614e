#pragma once

#include "hostdb/HostTableDef.h"

#include <QString>
#include <QVariant>

#include <optional>

// Conversions between what callers read and write through the engine, what a
// table file stores, and the plain text form the table tool and the fixtures
// use.
//
// Stored forms: text and memo as QString (text cut to the field's size),
// integer as qint64 (within 32 bits: a written value beyond them does not
// convert), float as double, boolean as qint64 0/1, date-time as the
// day number (double, 0 = empty). A variant field stores what it is given
// (booleans as 0/1, dates as day numbers); a null stays null.
namespace HostValues {

// The stored form of a written value; nullopt when it does not convert to the
// field's kind (the engine raises its exception then). A null QVariant is the
// field's empty value.
std::optional<QVariant> toStored(const HostField &field, const QVariant &value);
// What a read returns for a stored value: QString, int, double, bool,
// QDateTime (invalid for an empty date), or the variant's own value.
QVariant fromStored(HostFieldType type, const QVariant &stored);
// The form a seek value takes before it becomes a key part: like toStored,
// but nothing is cut or rounded to fit the field, so a value the field could
// not hold finds no record (a text longer than the field, a fraction sought
// in a whole-number field). nullopt when it does not convert.
std::optional<QVariant> toSeekValue(const HostField &field, const QVariant &value);
// The empty value of a field kind, stored form.
QVariant emptyStored(HostFieldType type);
// The form a stored value takes in an index key (text upper-cased without
// trailing blanks; everything else as stored).
QVariant keyPart(HostFieldType type, const QVariant &stored);

// Text form: text as it is; integers in decimal; floats in plain decimal
// notation with a "." and as many digits as needed (never an exponent); booleans "1"/"0"; date-times "yyyy-MM-dd", with
// "Thh:mm:ss[.zzz]" when they carry a time, empty for an empty date.
QString toText(HostFieldType type, const QVariant &stored);
// Parses the text form (booleans also "true"/"false", "T"/"F", "Y"/"N",
// "A"/"N", "ano"/"ne"); nullopt when it does not parse, with the reason in
// `why` ("is longer than the field's 10 characters", "is no integer").
// Variant fields keep the text as text. The text form is exact: text longer
// than its field, a NUL character, an infinite number or NaN, an integer
// beyond 32 bits and a date with a time-zone offset are refused.
std::optional<QVariant> fromText(const HostField &field, const QString &text, QString *why = nullptr);

} // namespace HostValues

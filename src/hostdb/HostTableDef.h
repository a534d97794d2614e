#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Field kinds of a host table, as the host's engine stores them.
enum class HostFieldType {
    Text,     // text(n): at most `size` characters
    Integer,  // whole number
    Float,    // floating point
    Boolean,  // logical
    DateTime, // a day number (days since 30 December 1899, the fraction the time)
    Memo,     // text of any length, not indexable
    Variant,  // holds whatever is written (the table form of the host's ini files)
};

struct HostField
{
    QString name; // as the host defines it, trailing blanks included ("Zkratka   ")
    HostFieldType type = HostFieldType::Text;
    int size = 0; // text: the most characters kept; 0 for other kinds
};

// Where a host table lives in the host's data tree.
enum class HostLocation {
    DataRoot, // host-wide tables (action log, user rights)
    Agenda,   // company-wide tables in AGENDA.nnn
    Year,     // tables of one accounting year in ROK.yyyy
};

// The description of one host table: its fields in order and the key
// expressions of its indexes ("Zdroj+ZRadek+Cislo").
struct HostTableDef
{
    QString name; // the file name without ".DAT", upper-case
    HostLocation location = HostLocation::Year;
    QList<HostField> fields;
    QStringList indexes;
    QString description;

    // The field of that name (case and trailing blanks ignored), -1 when none.
    int fieldIndex(QStringView fieldName) const;
    bool hasField(QStringView fieldName) const { return fieldIndex(fieldName) >= 0; }
    // The field positions an expression names, in order; nullopt when a part
    // names no field or the expression is empty.
    std::optional<QList<int>> expressionFields(const QString &expression) const;
    // The declared index that the expression selects (parts compared the way
    // field names are), -1 when none.
    int indexOf(const QString &expression) const;
};

// How the host compares names and text keys.
namespace HostNames {

// A field name as lookups compare it: upper-cased, trailing blanks removed.
QString fieldKey(QStringView name);
// A key expression's parts normalised like field names, joined by "+".
QString expressionKey(QStringView expression);
// A text key part: upper-cased (Unicode rules, so Czech letters fold too),
// trailing blanks removed.
QString keyText(QStringView text);
// Whether a text read from a record equals a key the way a seek compares
// them: without regard to case and trailing blanks.
bool sameKeyText(QStringView stored, QStringView key);
// Text without its trailing blanks.
QStringView withoutTrailingBlanks(QStringView text);

QString typeName(HostFieldType type);                        // "text", "integer", …
std::optional<HostFieldType> typeFromName(QStringView name); // the reverse

} // namespace HostNames

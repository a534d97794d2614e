#pragma once

#include "hostdb/HostTableDef.h"

#include <QList>
#include <QString>

#include <optional>

class SqlDatabase;

// The file format of the SQLite-backed engine: each NAME.DAT is one SQLite
// database (WAL journal) holding
//   tbf_table    the table's name and the format version,
//   tbf_fields   the fields in order: name as the host defines it, kind, size,
//   tbf_indexes  the declared key expressions in order,
//   tbf_data     the records: "recno" (the physical record number, never
//                reused), one column "f<n>" per field and, for every text
//                field that is part of an index, a column "k<n>" with its key
//                form (upper-cased, trailing blanks removed),
// and one SQLite index per declared key expression over its key columns.
// Any table can thus be opened without the catalogue.
namespace SqliteTableFile {

constexpr int kFormatVersion = 1;

// Creates the file from the definition. Fails (with the reason) when the file
// exists or the definition is unusable (an index over an unknown field, a
// memo or a variant).
bool create(const QString &path, const HostTableDef &definition, QString *error = nullptr);

// Reads the stored definition of an open file; nullopt (with the reason) when
// the file is not a table of this engine or its description is damaged.
std::optional<HostTableDef> readDefinition(SqlDatabase &db, QString *error = nullptr);

QString fieldColumn(int field); // "f3"
QString keyColumn(int field);   // "k3"
// The columns an index orders by: the key column of a text field, the field's
// own column otherwise.
QStringList indexColumns(const HostTableDef &definition, const QList<int> &parts);
// The text fields that carry a key column (they are part of some index).
QList<bool> keyedFields(const HostTableDef &definition);

} // namespace SqliteTableFile

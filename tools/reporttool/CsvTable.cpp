#include "reporttool/CsvTable.h"

#include "common/FileNames.h"
#include "common/MemTable.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostTableDef.h"
#include "hostdb/HostValues.h"
#include "tabletool/Csv.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace CsvTable {

namespace {

FieldType memKind(HostFieldType type)
{
    switch (type) {
    case HostFieldType::Integer:
        return FieldType::Integer;
    case HostFieldType::Float:
        return FieldType::Float;
    case HostFieldType::Boolean:
        return FieldType::Boolean;
    case HostFieldType::DateTime:
        return FieldType::DateTime;
    case HostFieldType::Memo:
        return FieldType::Memo;
    case HostFieldType::Text:
    case HostFieldType::Variant:
        break;
    }
    return FieldType::String;
}

// "Name", "Name:kind" or "Name:text(n)".
bool parseColumn(const QString &header, HostField &field, QString &error)
{
    static const QRegularExpression pattern(u"^([^:]+?)\\s*(?::\\s*([A-Za-z]+)\\s*(?:\\(\\s*(\\d+)\\s*\\))?)?\\s*$"_s);
    const QRegularExpressionMatch match = pattern.match(header);
    if (!match.hasMatch()) {
        error = u"column \"%1\" is not \"Name\" or \"Name:kind\""_s.arg(header);
        return false;
    }
    field.name = match.captured(1).trimmed();
    field.type = HostFieldType::Text;
    field.size = 0;
    if (!match.captured(2).isEmpty()) {
        const std::optional<HostFieldType> type = HostNames::typeFromName(match.captured(2));
        if (!type || *type == HostFieldType::Variant) {
            error = u"column \"%1\": unknown kind \"%2\" (text, integer, float, boolean, datetime, memo)"_s.arg(
                field.name, match.captured(2));
            return false;
        }
        field.type = *type;
    }
    if (!match.captured(3).isEmpty())
        field.size = match.captured(3).toInt();
    return true;
}

} // namespace

bool loadCsv(const QString &path, MemTable &table, QString &error, Csv::Encoding encoding)
{
    QFile file(FileNames::resolve(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = u"cannot read "_s + path;
        return false;
    }
    // The table tool's reader: bytes that are not text in the encoding are
    // refused with their line (a Windows-1250 file read as UTF-8 would turn
    // every Czech letter into a replacement character).
    Csv::Reader reader(file, encoding);
    Csv::Result csv;
    for (QStringList record; reader.next(record);)
        csv.records.append(record);
    if (!reader.error().isEmpty()) {
        error = u"%1, line %2: %3"_s.arg(path).arg(reader.errorLine()).arg(reader.error());
        return false;
    }
    if (csv.records.isEmpty()) {
        error = path + u": no header row"_s;
        return false;
    }
    std::vector<HostField> fields;
    for (const QString &header : csv.records.first()) {
        HostField field;
        if (!parseColumn(header, field, error)) {
            error = path + u": "_s + error;
            return false;
        }
        fields.push_back(field);
    }
    // Every value is checked before the table takes any.
    QList<QList<QVariant>> rows;
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const QStringList &record = csv.records.at(r);
        if (record.size() != qsizetype(fields.size())) {
            error =
                u"%1, record %2: %3 fields, the header has %4"_s.arg(path).arg(r).arg(record.size()).arg(fields.size());
            return false;
        }
        QList<QVariant> row;
        for (size_t c = 0; c < fields.size(); ++c) {
            const HostField &field = fields.at(c);
            const QString &text = record.at(qsizetype(c));
            if (text.isEmpty() && field.type != HostFieldType::Text && field.type != HostFieldType::Memo) {
                row.append(QVariant()); // empty: a null value
                continue;
            }
            const auto value = HostValues::fromText(field, text);
            if (!value) {
                error = u"%1, record %2: \"%3\" is no %4 for field \"%5\""_s.arg(path).arg(r).arg(
                    text, HostNames::typeName(field.type), field.name);
                return false;
            }
            row.append(*value);
        }
        rows.append(row);
    }
    for (const HostField &field : fields)
        table.addField(field.name, memKind(field.type), field.size);
    table.beginUpdate();
    for (const QList<QVariant> &row : rows) {
        const int index = table.append();
        for (qsizetype c = 0; c < row.size(); ++c)
            table.setValue(index, int(c), row.at(c));
    }
    table.endUpdate();
    table.first();
    return true;
}

bool loadHostTable(const QString &path, MemTable &table, QString &error)
{
    TBFTable host;
    if (host.Open(path) != HostResult::Ok) {
        error = u"cannot open %1: %2"_s.arg(host.fileName(), host.errorText());
        return false;
    }
    const HostTableDef definition = host.definition();
    for (const HostField &field : definition.fields)
        table.addField(field.name, memKind(field.type), field.type == HostFieldType::Text ? field.size : 0);
    table.beginUpdate();
    host.GoTop();
    while (!host.Eof()) {
        const int row = table.append();
        for (qsizetype f = 0; f < definition.fields.size(); ++f)
            table.setValue(row, int(f), host.Value(definition.fields.at(f).name));
        host.Skip();
    }
    table.endUpdate();
    table.first();
    return true;
}

} // namespace CsvTable

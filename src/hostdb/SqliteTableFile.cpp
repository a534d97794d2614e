#include "hostdb/SqliteTableFile.h"

#include "hostdb/SqliteSupport.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace SqliteTableFile {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString quoted(const QString &text)
{
    QString result = text;
    result.replace(u'\'', u"''"_s);
    return u'\'' + result + u'\'';
}

QString columnDeclaration(const HostField &field)
{
    switch (field.type) {
    case HostFieldType::Text:
    case HostFieldType::Memo:
        return u"TEXT NOT NULL DEFAULT ''"_s;
    case HostFieldType::Integer:
    case HostFieldType::Boolean:
        return u"INTEGER NOT NULL DEFAULT 0"_s;
    case HostFieldType::Float:
    case HostFieldType::DateTime:
        return u"REAL NOT NULL DEFAULT 0"_s;
    case HostFieldType::Variant:
        return QString(); // no affinity: keeps what it is given
    }
    return QString();
}

bool validate(const HostTableDef &definition, QString *error)
{
    if (definition.fields.isEmpty()) {
        setError(error, u"tabulka %1 nemá žádná pole"_s.arg(definition.name));
        return false;
    }
    for (qsizetype i = 0; i < definition.fields.size(); ++i) {
        const HostField &field = definition.fields.at(i);
        if (HostNames::fieldKey(field.name).isEmpty()) {
            setError(error, u"pole bez jména v tabulce %1"_s.arg(definition.name));
            return false;
        }
        if (definition.fieldIndex(field.name) != i) {
            setError(error, u"pole \"%1\" je v tabulce %2 dvakrát"_s.arg(field.name, definition.name));
            return false;
        }
    }
    for (const QString &expression : definition.indexes) {
        const auto parts = definition.expressionFields(expression);
        if (!parts) {
            setError(error, u"index \"%1\" tabulky %2 uvádí neznámé pole"_s.arg(expression, definition.name));
            return false;
        }
        for (const int part : *parts) {
            const HostFieldType type = definition.fields.at(part).type;
            if (type == HostFieldType::Memo || type == HostFieldType::Variant) {
                setError(error, u"index \"%1\" tabulky %2 nemůže obsahovat pole typu %3"_s.arg(
                                    expression, definition.name, HostNames::typeName(type)));
                return false;
            }
        }
    }
    return true;
}

} // namespace

QString fieldColumn(int field)
{
    return u"f"_s + QString::number(field);
}

QString keyColumn(int field)
{
    return u"k"_s + QString::number(field);
}

QList<bool> keyedFields(const HostTableDef &definition)
{
    QList<bool> keyed(definition.fields.size(), false);
    for (const QString &expression : definition.indexes) {
        if (const auto parts = definition.expressionFields(expression)) {
            for (const int part : *parts) {
                if (definition.fields.at(part).type == HostFieldType::Text)
                    keyed[part] = true;
            }
        }
    }
    return keyed;
}

QStringList indexColumns(const HostTableDef &definition, const QList<int> &parts)
{
    QStringList columns;
    for (const int part : parts)
        columns.append(definition.fields.at(part).type == HostFieldType::Text ? keyColumn(part) : fieldColumn(part));
    return columns;
}

bool create(const QString &path, const HostTableDef &definition, QString *error)
{
    if (!validate(definition, error))
        return false;
    if (QFileInfo::exists(path)) {
        setError(error, u"soubor %1 již existuje"_s.arg(path));
        return false;
    }

    QStringList columns{u"recno INTEGER PRIMARY KEY AUTOINCREMENT"_s};
    const QList<bool> keyed = keyedFields(definition);
    for (qsizetype i = 0; i < definition.fields.size(); ++i)
        columns.append(fieldColumn(int(i)) + u' ' + columnDeclaration(definition.fields.at(i)));
    for (qsizetype i = 0; i < definition.fields.size(); ++i) {
        if (keyed.at(i))
            columns.append(keyColumn(int(i)) + u" TEXT NOT NULL DEFAULT ''"_s);
    }

    QStringList script{
        u"CREATE TABLE tbf_table(name TEXT NOT NULL, format INTEGER NOT NULL, description TEXT NOT NULL)"_s,
        u"CREATE TABLE tbf_fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL, "
        "size INTEGER NOT NULL)"_s,
        u"CREATE TABLE tbf_indexes(pos INTEGER PRIMARY KEY, expression TEXT NOT NULL)"_s,
        u"CREATE TABLE tbf_data("_s + columns.join(u", "_s) + u')',
        u"INSERT INTO tbf_table VALUES(%1, %2, %3)"_s.arg(quoted(definition.name.toUpper()))
            .arg(kFormatVersion)
            .arg(quoted(definition.description)),
    };
    for (qsizetype i = 0; i < definition.fields.size(); ++i) {
        const HostField &field = definition.fields.at(i);
        script.append(u"INSERT INTO tbf_fields VALUES(%1, %2, %3, %4)"_s.arg(i)
                          .arg(quoted(field.name), quoted(HostNames::typeName(field.type)))
                          .arg(field.type == HostFieldType::Text ? field.size : 0));
    }
    for (qsizetype i = 0; i < definition.indexes.size(); ++i) {
        const QString &expression = definition.indexes.at(i);
        script.append(u"INSERT INTO tbf_indexes VALUES(%1, %2)"_s.arg(i).arg(quoted(expression)));
        script.append(u"CREATE INDEX tbf_index%1 ON tbf_data(%2)"_s.arg(i).arg(
            indexColumns(definition, *definition.expressionFields(expression)).join(u", "_s)));
    }

    SqlDatabase db;
    bool ok = db.open(path, true) && db.exec(u"PRAGMA journal_mode=WAL"_s) &&
              db.exec(u"PRAGMA application_id=1413629489"_s) // "TBF1"
              && db.exec(u"BEGIN"_s);
    for (qsizetype i = 0; ok && i < script.size(); ++i)
        ok = db.exec(script.at(i));
    ok = ok && db.exec(u"COMMIT"_s);
    if (!ok) {
        setError(error, u"soubor %1 nelze vytvořit: %2"_s.arg(path, db.error()));
        db.close();
        QFile::remove(path);
        QFile::remove(path + u"-wal"_s);
        QFile::remove(path + u"-shm"_s);
        return false;
    }
    return true;
}

std::optional<HostTableDef> readDefinition(SqlDatabase &db, QString *error)
{
    const QString notATable = u"soubor není tabulkou databáze"_s;
    HostTableDef definition;
    {
        SqlStatement head;
        if (!head.prepare(db, u"SELECT name, format, description FROM tbf_table"_s) || !head.step()) {
            setError(error, head.failed() ? notATable + u" ("_s + db.error() + u')' : notATable);
            return std::nullopt;
        }
        if (head.columnInt(1) != kFormatVersion) {
            setError(error, u"neznámá verze formátu tabulky: %1"_s.arg(head.columnInt(1)));
            return std::nullopt;
        }
        definition.name = head.columnText(0);
        definition.description = head.columnText(2);
    }
    {
        SqlStatement fields;
        if (!fields.prepare(db, u"SELECT name, type, size FROM tbf_fields ORDER BY pos"_s)) {
            setError(error, notATable);
            return std::nullopt;
        }
        while (fields.step()) {
            const auto type = HostNames::typeFromName(fields.columnText(1));
            if (!type) {
                setError(error, u"neznámý typ pole \"%1\""_s.arg(fields.columnText(1)));
                return std::nullopt;
            }
            definition.fields.append(HostField{fields.columnText(0), *type, int(fields.columnInt(2))});
        }
        if (fields.failed()) {
            setError(error, db.error());
            return std::nullopt;
        }
    }
    {
        SqlStatement indexes;
        if (!indexes.prepare(db, u"SELECT expression FROM tbf_indexes ORDER BY pos"_s)) {
            setError(error, notATable);
            return std::nullopt;
        }
        while (indexes.step())
            definition.indexes.append(indexes.columnText(0));
        if (indexes.failed()) {
            setError(error, db.error());
            return std::nullopt;
        }
    }
    if (!validate(definition, error))
        return std::nullopt;

    // The record table must carry every column the description promises.
    SqlStatement columns;
    if (!columns.prepare(db, u"SELECT name FROM pragma_table_info('tbf_data')"_s)) {
        setError(error, db.error());
        return std::nullopt;
    }
    QStringList present;
    while (columns.step())
        present.append(columns.columnText(0));
    const QList<bool> keyed = keyedFields(definition);
    QStringList expected{u"recno"_s};
    for (qsizetype i = 0; i < definition.fields.size(); ++i) {
        expected.append(fieldColumn(int(i)));
        if (keyed.at(i))
            expected.append(keyColumn(int(i)));
    }
    for (const QString &column : expected) {
        if (!present.contains(column)) {
            setError(error, u"záznamům tabulky chybí sloupec %1"_s.arg(column));
            return std::nullopt;
        }
    }
    return definition;
}

} // namespace SqliteTableFile

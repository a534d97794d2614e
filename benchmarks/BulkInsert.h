#pragma once

// Filling large host tables for benchmarks: rows go straight into the
// engine's file in one transaction (the fixture builder posts row by row,
// too slow for these sizes).

#include "hostdb/HostTableDef.h"
#include "hostdb/HostValues.h"
#include "hostdb/SqliteSupport.h"
#include "hostdb/SqliteTableFile.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

// Appends rows to an existing table in one transaction, straight into the
// engine's file (the fixture builder posts row by row, too slow for this
// size). Each row gives values for the named fields.
inline void bulkInsert(const QString &path, const QStringList &fields, int count,
                       const std::function<QVariantList(int)> &row)
{
    SqlDatabase db;
    db.open(path, false);
    const HostTableDef definition = *SqliteTableFile::readDefinition(db);
    const QList<bool> keyed = SqliteTableFile::keyedFields(definition);
    QStringList columns;
    QList<int> positions;
    for (const QString &name : fields) {
        const int field = definition.fieldIndex(name);
        positions.append(field);
        columns.append(SqliteTableFile::fieldColumn(field));
        if (keyed.at(field))
            columns.append(SqliteTableFile::keyColumn(field));
    }
    QStringList parameters;
    for (int i = 1; i <= columns.size(); ++i)
        parameters.append(u'?' + QString::number(i));
    db.exec(QStringLiteral("BEGIN"));
    SqlStatement insert;
    insert.prepare(
        db, QStringLiteral("INSERT INTO tbf_data(%1) VALUES(%2)").arg(columns.join(u','), parameters.join(u',')));
    for (int r = 0; r < count; ++r) {
        const QVariantList values = row(r);
        int parameter = 1;
        for (int i = 0; i < positions.size(); ++i) {
            const HostField &field = definition.fields.at(positions.at(i));
            const QVariant stored = *HostValues::toStored(field, values.at(i));
            insert.bind(parameter++, stored);
            if (keyed.at(positions.at(i)))
                insert.bind(parameter++, HostValues::keyPart(field.type, stored));
        }
        insert.step();
        insert.reset();
    }
    insert.finalize();
    db.exec(QStringLiteral("COMMIT"));
}

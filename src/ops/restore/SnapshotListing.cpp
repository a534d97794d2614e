#include "ops/restore/SnapshotListing.h"

#include "app/core/RunContext.h"
#include "app/core/RunSnapshot.h"
#include "common/FileNames.h"
#include "hostdb/SnapshotStore.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace SnapshotListing {

namespace {

QString cleanDir(const QString &dir)
{
    return QDir::cleanPath(FileNames::resolve(dir));
}

// "dokončeno" when the run recorded its end without a failure and every
// table is as the run left it.
QString stateOf(const QString &folder, const QList<SnapshotTableRow> &tables, const QString &dataRoot)
{
    const auto finish = SnapshotStore::readFinish(folder);
    if (!finish || finish->result != 0)
        return u"nedokončeno – běh byl přerušen"_s;
    for (const SnapshotTableRow &table : tables) {
        const auto atEnd = std::find_if(finish->tables.begin(), finish->tables.end(),
                                        [&](const SnapshotTable &t) { return t.relativePath == table.relativePath; });
        const auto now = TableSnapshot::summarize(dataRoot + table.relativePath);
        if (atEnd == finish->tables.end() || !now || *now != atEnd->summary)
            return u"tabulky od té doby změněny"_s;
    }
    return u"dokončeno"_s;
}

} // namespace

QList<SnapshotRow> list(const RunContext &context)
{
    const QString company = cleanDir(context.agendaDir);
    const QString dataRoot = cleanDir(context.dataRoot) + u'/';
    QList<SnapshotRow> rows;
    for (const SnapshotStore::Snapshot &snapshot : SnapshotStore::list(RunSnapshot::snapshotsRoot(context))) {
        const SnapshotManifest &manifest = snapshot.manifest;
        if (QDir::cleanPath(manifest.agendaDir) != company)
            continue;
        SnapshotRow row{snapshot.folder, manifest.created, manifest.operation, manifest.year, manifest.user, {}, {}};
        for (const SnapshotTable &table : manifest.tables) {
            const auto now = TableSnapshot::summarize(dataRoot + table.relativePath);
            row.tables.append(
                {table.relativePath, table.summary.records, now ? std::optional<qint64>(now->records) : std::nullopt});
        }
        row.state = stateOf(snapshot.folder, row.tables, dataRoot);
        rows.prepend(row);
    }
    return rows;
}

QString operationCaption(const QString &operation)
{
    if (operation == u"precislovani"_s)
        return u"přečíslování"_s;
    if (operation == u"odstraneni"_s)
        return u"odstranění smazaných dokladů"_s;
    if (operation == u"obnoveni"_s)
        return u"obnovení"_s;
    return operation;
}

QList<int> rightsCodes(const SnapshotManifest &manifest)
{
    if (manifest.operation != u"precislovani"_s)
        return {2};
    QList<int> codes;
    for (const SnapshotTable &table : manifest.tables) {
        const QString name = QFileInfo(table.relativePath).fileName().toUpper();
        const int code = name == u"POKLKNIH.DAT"_s ? 101 : name == u"INTDOKL.DAT"_s ? 102 : 0;
        if (code && !codes.contains(code))
            codes.append(code);
    }
    // A renumbering writes its documents' table: one without either is not
    // a renumbering Tarnek took, and needs the right every change needs.
    return codes.isEmpty() ? QList<int>{2} : codes;
}

} // namespace SnapshotListing

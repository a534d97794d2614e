#include "app/core/RunSnapshot.h"

#include "app/core/RunContext.h"
#include "common/Clock.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "common/UiSeam.h"
#include "hostdb/SnapshotRestore.h"
#include "hostdb/SnapshotStore.h"
#include "hostdb/TableWriteLog.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int kDefaultKept = 10;

QString resolvedDir(const QString &dir)
{
    return FileNames::withTrailingDelimiter(QDir::cleanPath(FileNames::resolve(dir)));
}
} // namespace

RunSnapshot::RunSnapshot(const RunContext &context, const QString &operation)
    : m_context(context), m_operation(operation)
{}

QString RunSnapshot::snapshotsRoot(const RunContext &context)
{
    // The settings directory lies in the add-on's directory: a context filled
    // without `addOnRoot` (a tool, a test) still finds the same folder.
    const QString addOnRoot = context.addOnRoot.isEmpty()
                                  ? FileNames::withTrailingDelimiter(context.settingsDir) + u"../"_s
                                  : context.addOnRoot;
    return FileNames::resolve(QDir::cleanPath(addOnRoot + u"Zalohy"_s));
}

int RunSnapshot::keepCount(const RunContext &context)
{
    // Fewer than one would remove the snapshot just taken: the net cannot be
    // switched off, only made smaller.
    return std::max(1, IniFile(mainIniPath(context)).ReadInteger(u"ZALOHY"_s, u"POCET"_s, kDefaultKept));
}

int RunSnapshot::take(const QStringList &tables)
{
    QStringList existing;
    for (const QString &table : tables) {
        const QString path = FileNames::resolve(FileNames::extension(table).isEmpty() ? table + u".DAT"_s : table);
        if (QFileInfo(path).isFile() && !existing.contains(path))
            existing.append(path);
    }
    m_manifest.operation = m_operation;
    m_manifest.company = m_context.companyName;
    m_manifest.agendaDir = resolvedDir(m_context.agendaDir);
    m_manifest.year = m_context.yearName;
    m_manifest.user = m_context.userName;
    m_manifest.dataRoot = resolvedDir(m_context.dataRoot);
    m_manifest.created = Clock::current().now();
    QString error;
    // A context without its directories has nowhere to keep the snapshot.
    if (m_context.dataRoot.isEmpty() || (m_context.addOnRoot.isEmpty() && m_context.settingsDir.isEmpty()))
        error = u"adresář dat nebo adresář doplňku není znám"_s;
    // A restore cut short left tables partly put back: nothing is to build
    // on them until a restore has returned them.
    else if (QFileInfo::exists(SnapshotRestore::journalPath(snapshotsRoot(m_context))))
        error = u"předchozí obnova tabulek ze zálohy nebyla dokončena (byla přerušena nebo ještě probíhá); "
                u"spusťte nejprve znovu „obnovit tabulky ze zálohy“, která tabulky vrátí do stavu před ní"_s;
    else
        m_folder = SnapshotStore::take(snapshotsRoot(m_context), m_manifest, existing, &error);
    if (m_folder.isEmpty()) {
        m_tables.clear();
        ui().error(u"Před zahájením změn se nepodařilo pořídit zálohu dotčených tabulek, operace proto nebyla "
                   u"spuštěna a žádná data nebyla změněna.\r\r"_s +
                   error);
        return -1;
    }
    // From here on the records the run writes to these tables are its own.
    m_tables = existing;
    TableWriteLog::start(m_tables);
    return 0;
}

void RunSnapshot::finish(int result)
{
    if (m_folder.isEmpty() || m_finished)
        return;
    m_finished = true;
    const QHash<QString, QList<qint64>> recorded = TableWriteLog::stop();
    QHash<QString, QList<qint64>> written;
    for (qsizetype i = 0; i < m_tables.size() && i < m_manifest.tables.size(); ++i)
        written.insert(m_manifest.tables.at(i).relativePath, recorded.value(m_tables.at(i)));
    // An end record that cannot be written only means that a restore of this
    // snapshot has to be forced: the run's own result stands.
    SnapshotStore::writeFinish(m_folder, m_manifest, result, written);
    if (result == 0)
        SnapshotStore::prune(snapshotsRoot(m_context), m_manifest.agendaDir, keepCount(m_context));
}

QString RunSnapshot::protocolLine() const
{
    return u"Záloha tabulek před změnami: "_s + QDir::toNativeSeparators(m_folder);
}

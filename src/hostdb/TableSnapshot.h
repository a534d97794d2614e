#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What one host table holds, independent of how SQLite lays it out on disk:
// the number of records and a checksum (SHA-256, hex) over its field
// definitions, every record in record-number order with all its columns, and
// the last record number handed out. Two files with the same summary hold the
// same table, whatever their pages look like (a copy, a vacuum, a restore).
struct TableSummary
{
    qint64 records = 0;
    QString checksum;

    bool operator==(const TableSummary &) const = default;
};

// One table of a snapshot: where it lives in the data root (relative, with
// "/"), and its summary.
struct SnapshotTable
{
    QString relativePath; // "AGENDA.001/ROK.2018/POKLKNIH.DAT"
    TableSummary summary;
};

// The manifest of a snapshot (SnapshotStore reads and writes it): what run
// it was taken before, and the tables it holds.
struct SnapshotManifest
{
    QString operation; // "odstraneni", "precislovani"
    QString company;   // the company's name
    QString agendaDir; // the company's directory: snapshots are kept per company
    QString year;      // the accounting year's name
    QString user;      // the host's user
    QString dataRoot;  // where the tables are put back (ends with "/")
    QDateTime created; // when the snapshot was taken
    QList<SnapshotTable> tables;
};

// The record written when the run a snapshot was taken for has ended: the
// summary of each table as the run left it. A restore compares the tables
// with it to learn whether anybody changed them since.
struct SnapshotFinish
{
    QDateTime finished;
    int result = 0; // the run's result: 0 finished, -1 stopped on a failure
    QList<SnapshotTable> tables;
};

// The snapshot engine over the SQLite-backed host tables.
//
// A snapshot copies each table with SQLite's online backup: the source is
// only read, inside one read transaction per table, so other users go on
// reading and writing it meanwhile and the copy is the table as it stood at
// one moment. All tables' read transactions are opened before the first copy
// starts. The copies are single files (no WAL beside them).
namespace TableSnapshot {

// Called after each table is copied (tests pause or kill a run there).
using TableHook = std::function<void(const QString &relativePath)>;
void setAfterTableHook(TableHook hook);

// The summary of a table file; nullopt (with the reason) when it cannot be
// read as a table of the engine.
std::optional<TableSummary> summarize(const QString &path, QString *error = nullptr);

// Copies the tables (absolute paths below dataRoot) into `folder`, which must
// not exist yet, keeping their paths relative to the data root. Fills the
// manifest's tables; false (with the reason, and the folder removed as far as
// possible) when a table cannot be read or a copy cannot be written.
bool copyTables(const QString &folder, const QString &dataRoot, const QStringList &tables, QList<SnapshotTable> *copied,
                QString *error);

// Why the table cannot be put back now because another process uses it: it
// is open in another connection, a record of it is locked (one line each).
// Empty when nobody uses it. (SQLite connections to a WAL table hold a read
// lock on byte 128 of its "-shm" file while open; record locks are byte locks
// in NAME.LCK. A reader that opened the file as immutable holds neither and
// is not seen.) Only for a process without a connection of its own to the
// table (the table tool): closing the probe's file would drop the POSIX locks
// such a connection holds.
QString usedByOthers(const QString &path);

// The record numbers in which two files of one table differ: a record only
// one of them holds, or one whose fields differ; ascending. nullopt (with
// the reason) when either cannot be read or their fields differ.
std::optional<QList<qint64>> differingRecords(const QString &path, const QString &otherPath, QString *error = nullptr);

// Whether this process could write the table now: it opens for writing and
// its write lock can be taken (and is given up at once). Empty, or why not.
QString writeProblem(const QString &path);

// Puts the snapshot's copy back into the live table with the online backup,
// as one transaction of the live file (readers see the table before or
// after, never half of it). A missing live table is created from the copy.
bool restoreTable(const QString &copy, const QString &live, QString *error);

} // namespace TableSnapshot

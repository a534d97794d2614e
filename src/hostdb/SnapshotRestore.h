#pragma once

#include "hostdb/TableSnapshot.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Why a snapshot cannot be put back now. Some refusals stand whatever the
// user says (the copy is damaged, a table is in use); the others name what
// putting the snapshot back would take away, and a user who accepts that
// loss may force the restore.
struct RestoreProblem
{
    enum class Kind {
        NotASnapshot,    // the folder holds no complete manifest
        OutsideCompany,  // a table's path leads out of the company's directory
        CopyDamaged,     // a copy no longer matches its manifest
        InUse,           // a table is open in another process or a record of it locked
        Unwritable,      // a table cannot be written
        RestoreRunning,  // another restore of the same data runs now
        NeverEnded,      // the run never recorded its end: later changes cannot be told
        ChangedSinceRun, // a table was changed after the run ended
        ChangedByOthers, // records the run did not write differ from the snapshot
    };
    Kind kind;
    QString table; // relative to the data root; empty when the problem is not one table's
    QString text;

    bool canBeForced() const { return kind >= Kind::NeverEnded; }
};

// One table put back: its records before the restore (nullopt when the
// restore created it) and after.
struct RestoredTable
{
    QString relativePath;
    std::optional<qint64> recordsBefore;
    qint64 recordsAfter = 0;
};

// Puts a snapshot's tables back into the data root it is run for, all of
// them or none. Used by the table tool's "restore" and by the wizard's
// snapshot window alike.
//
// All or nothing: every refusal is checked before anything is written, then
// a snapshot of the tables as they are now is taken (operation "obnoveni",
// kept among the snapshots, so that the restore itself can be undone), the
// restore journal "obnova.ini" beside the snapshots names it, and only then
// are the tables switched, each in one transaction of its file. When a
// switch fails or the user interrupts, the tables already switched are put
// back from that snapshot. A restore killed half-way leaves its journal: the
// next restore of the same data root first puts every table back from the
// snapshot the journal names (each table whole, as it was before the killed
// restore) and then goes on with its own work. One restore at a time holds
// "obnova.lck" beside the snapshots.
//
// Other users' work: a snapshot holds the tables as they were before a run,
// and other users may have written to the same tables while the run went on
// or later. The run records the records it wrote itself ("zapsano.txt");
// the restore compares each table with its copy record by record and
// refuses, naming them, when records the run did not write differ
// (ChangedByOthers), as it does when a table changed after the run ended.
// A record-by-record undo of the run alone would keep such work, but it
// would also leave documents and their journal lines half of one state and
// half of the other (a renumbering writes both); refusing and naming what
// would be lost leaves that choice to the user, who may force the restore.
class SnapshotRestore
{
public:
    SnapshotRestore(const QString &folder, const QString &dataRoot);

    // Who restores (kept in the snapshot taken before the restore).
    void setUser(const QString &user) { m_user = user; }

    // Called before each table is switched and once at the end
    // (done == total); returning false interrupts the restore, which then
    // puts back what it had already replaced.
    using Progress = std::function<bool(int done, int total, const QString &relativePath)>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Every refusal that stands now; changes nothing.
    QList<RestoreProblem> check();

    // Restores after the checks; problems that can be forced are accepted
    // with `force`. False (with error()) when refused or when it failed; then
    // no table differs from what it was before.
    bool restore(bool force);
    // The same, accepting only the losses the user was shown (their texts, as
    // an earlier check() gave them): one that came up since refuses.
    bool restore(const QStringList &acceptedLosses);

    const std::optional<SnapshotManifest> &manifest() const { return m_manifest; }
    const QList<RestoreProblem> &problems() const { return m_problems; }
    QString error() const { return m_error; }
    // Set when the restore began by rolling back an earlier one that had been
    // killed half-way.
    QString recovered() const { return m_recovered; }
    const QList<RestoredTable> &restored() const { return m_restored; }
    // The snapshot of the tables taken just before they were switched.
    QString undoFolder() const { return m_undoFolder; }

    // Where the journal and the claim lie (the folder the snapshots are in).
    static QString journalPath(const QString &snapshotsRoot);

    // A fault seam for tests: called before each table is switched (Switch)
    // and before each is put back after a failure (Undo); a non-empty answer
    // makes that step fail with it as the reason.
    enum class Step { Switch, Undo };
    using FaultHook = std::function<QString(Step, const QString &relativePath)>;
    static void setFaultHook(FaultHook hook);

private:
    bool restoreAccepting(const std::function<bool(const RestoreProblem &)> &accepted);
    bool loadManifest();
    void checkChanges();
    bool recoverPending();
    bool takeUndoSnapshot();
    bool switchTables();
    bool rollBack(qsizetype switched, const QString &reason);
    QString live(const QString &relativePath) const;

    QString m_folder;
    QString m_dataRoot; // cleaned, ends with "/"
    QString m_root;     // the snapshots folder
    QString m_user;
    Progress m_progress;
    std::optional<SnapshotManifest> m_manifest;
    QList<RestoreProblem> m_problems;
    QString m_error;
    QString m_recovered;
    QList<RestoredTable> m_restored;
    QString m_undoFolder;
    SnapshotManifest m_undoManifest;
    QStringList m_created; // tables the restore creates (missing before)
};

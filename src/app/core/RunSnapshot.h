#pragma once

#include "hostdb/TableSnapshot.h"

#include <QString>
#include <QStringList>

struct RunContext;

// The snapshot a data-changing run takes of exactly the tables it may write,
// just before its first write, and the record of how the run left them.
//
// The host only tells the user to back up first; this makes sure a copy
// exists. The snapshot goes into a new folder under the add-on's directory
// in the data root ("Zalohy", one folder per run named by date, time and
// operation, see SnapshotStore). When it cannot be taken the run must not
// start: `take` shows why and returns -1, and nothing has been written.
//
// From the snapshot on, the records the run writes to those tables are
// recorded (TableWriteLog), so that a restore can tell the run's own changes
// from other users' work. When the run ends (whatever its result) `finish`
// records the tables as the run left them and the records it wrote, so that a later restore can tell whether anybody
// changed them since; after a run that ended without a failure the company's oldest snapshots beyond the number kept
// are removed. The number kept is main.ini [ZALOHY] "POCET", 10 when missing.
class RunSnapshot
{
public:
    RunSnapshot(const RunContext &context, const QString &operation);

    // Takes the snapshot of these tables (paths with or without ".DAT"); a
    // table that does not exist is left out (a run cannot write it). 0, or -1
    // after the message.
    int take(const QStringList &tables);
    // The run has ended with `result` (0: without a failure). Only the first
    // call counts.
    void finish(int result);

    QString folder() const { return m_folder; }
    // The protocol's last line, naming the snapshot folder.
    QString protocolLine() const;

    // Where the snapshots of the run context's data root are kept.
    static QString snapshotsRoot(const RunContext &context);
    // How many snapshots per company are kept (at least 1).
    static int keepCount(const RunContext &context);

private:
    const RunContext &m_context;
    QString m_operation;
    QString m_folder;
    QStringList m_tables; // the tables copied, in the manifest's order
    SnapshotManifest m_manifest;
    bool m_finished = false;
};

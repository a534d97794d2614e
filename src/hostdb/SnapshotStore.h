#pragma once

#include "hostdb/TableSnapshot.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The snapshots kept in one folder (the add-on's "Zalohy" in the data root):
// one sub-folder per run, named by date, time and operation
// ("2018-06-30_140509_odstraneni"), holding the tables under their paths
// relative to the data root, the manifest "manifest.ini" and, once the run
// has ended, "dokonceno.ini".
//
// The manifest is written last, to a temporary name and renamed: a folder
// whose snapshot was not taken to the end (the process was killed, the disk
// filled up) has no manifest and is neither listed, restored nor counted.
// A manifest is complete when it names its tables, ends with its closing
// section, and every table it names is there. A manifest (or end record)
// larger than 1 MiB is refused without being read.
namespace SnapshotStore {

struct Snapshot
{
    QString folder; // absolute, without a trailing "/"
    SnapshotManifest manifest;
};

QString folderName(const QDateTime &when, const QString &operation);
QString manifestPath(const QString &folder);
QString finishPath(const QString &folder);

// Takes a snapshot of the tables into a new folder under `root` (created
// when missing): the copies, then the manifest, whose tables are filled in.
// The folder's path on success; empty (with the reason) otherwise.
QString take(const QString &root, SnapshotManifest &manifest, const QStringList &tables, QString *error);

bool writeManifest(const QString &folder, const SnapshotManifest &manifest, QString *error = nullptr);
// nullopt (with the reason) when the folder holds no complete manifest.
std::optional<SnapshotManifest> readManifest(const QString &folder, QString *error = nullptr);

// Records the tables as the run left them (their summaries now).
bool writeFinish(const QString &folder, const SnapshotManifest &manifest, int result, QString *error = nullptr);
// nullopt when the run never recorded its end.
std::optional<SnapshotFinish> readFinish(const QString &folder);

// The complete snapshots under root, oldest first.
QList<Snapshot> list(const QString &root);

// Removes the oldest complete snapshots of the company beyond `keep`
// (at least one is always kept), and every folder named as a snapshot that
// has no manifest and that no process is taking (a snapshot being taken
// holds a lock on "<folder>.lck" beside its folder until its manifest is
// written; the kernel drops it when the process dies). The folders removed.
QStringList prune(const QString &root, const QString &agendaDir, int keep);

// Puts the snapshot's tables back into `dataRoot`, the data root the restore
// is run for (never the one the manifest names: the manifest lies in a shared
// directory anybody with access to the data can write). Refuses, changing
// nothing, when the folder has no complete manifest, when a table's path
// leads out of the snapshot's company directory below `dataRoot` or out of
// the snapshot's folder (a "..", an absolute path, a symbolic link), when a
// copy no longer matches its manifest, or when another process has one of
// the tables open or a record of it locked. Without `force` it also refuses
// when the run never recorded its end, or when a table differs from what the
// run left (somebody changed it since: putting the snapshot back would lose
// that change). `restored` gets one line per table put back.
//
// "Changed since the run ended" is told by content, not by file dates or
// sizes: the end record keeps each table's summary (record count and
// checksum of all records) taken when the run ended, and the restore compares
// the tables' summaries now. A checkpoint, a vacuum or a reader never counts
// as a change; any record written, added or deleted does.
bool restore(const QString &folder, const QString &dataRoot, bool force, QStringList *restored, QString *error);

} // namespace SnapshotStore

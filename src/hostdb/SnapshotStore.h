#pragma once

#include "hostdb/TableSnapshot.h"

#include <QDateTime>
#include <QHash>
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
QString writtenPath(const QString &folder);

// Takes a snapshot of the tables into a new folder under `root` (created
// when missing): the copies, then the manifest, whose tables are filled in.
// The folder's path on success; empty (with the reason) otherwise.
QString take(const QString &root, SnapshotManifest &manifest, const QStringList &tables, QString *error);

bool writeManifest(const QString &folder, const SnapshotManifest &manifest, QString *error = nullptr);
// nullopt (with the reason) when the folder holds no complete manifest.
std::optional<SnapshotManifest> readManifest(const QString &folder, QString *error = nullptr);

// Records the tables as the run left them (their summaries now) and the
// records the run itself wrote to each (by path relative to the data root).
bool writeFinish(const QString &folder, const SnapshotManifest &manifest, int result,
                 const QHash<QString, QList<qint64>> &written = {}, QString *error = nullptr);
// nullopt when the run never recorded its end.
std::optional<SnapshotFinish> readFinish(const QString &folder);
// The record numbers the run itself added, changed or deleted, per table of
// the manifest (relative path), kept in "zapsano.txt" beside the end record;
// nullopt when the run did not record them.
std::optional<QHash<QString, QList<qint64>>> readWritten(const QString &folder, const SnapshotManifest &manifest);

// The complete snapshots under root, oldest first.
QList<Snapshot> list(const QString &root);

// Removes the oldest complete snapshots of the company beyond `keep`
// (at least one is always kept), and every folder named as a snapshot that
// has no manifest and that no process is taking (a snapshot being taken
// holds a lock on "<folder>.lck" beside its folder until its manifest is
// written; the kernel drops it when the process dies). The folders removed.
QStringList prune(const QString &root, const QString &agendaDir, int keep);

// Why the manifest's tables cannot be put back into `dataRoot`, the data
// root a restore is run for (never the one the manifest names: the manifest
// lies in a shared directory anybody with access to the data can write):
// each must lie in the snapshot's own company directory below `dataRoot`
// (or, for a host-wide table of the catalogue such as the action log,
// directly in `dataRoot`) and inside the snapshot's folder, with no "..", no absolute path and no
// symbolic link leading out. Empty when they all do.
QString pathProblems(const QString &folder, const QString &dataRoot, const SnapshotManifest &manifest);

} // namespace SnapshotStore

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

struct RunContext;
struct SnapshotManifest;

// One table of a snapshot as the snapshot window shows it: its records in
// the snapshot and now (nullopt when the table cannot be read now).
struct SnapshotTableRow
{
    QString relativePath;
    qint64 recordsThen = 0;
    std::optional<qint64> recordsNow;
};

// One snapshot of the open company, as a row of the snapshot window.
struct SnapshotRow
{
    QString folder;
    QDateTime created;
    QString operation; // the manifest's code: "precislovani", "odstraneni", "obnoveni"
    QString year;
    QString user;
    QString state;
    QList<SnapshotTableRow> tables;
};

// The company's snapshots for the snapshot window: what they are, their
// state and their tables, without any widget.
namespace SnapshotListing {

// The snapshots of the run context's company, newest first.
QList<SnapshotRow> list(const RunContext &context);

// "přečíslování", "odstranění smazaných dokladů", "obnovení"; an unknown
// code is shown as it is.
QString operationCaption(const QString &operation);

// The rights a user needs to put the snapshot back: those of the operation
// that took it (a renumbering of cash documents 101, of internal documents
// 102, a removal 2). A restore's own snapshot may stand for any of them;
// it asks for the data-verification right (2) that every data-changing
// operation requires.
QList<int> rightsCodes(const SnapshotManifest &manifest);

} // namespace SnapshotListing

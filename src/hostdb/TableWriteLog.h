#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The records this process writes to a few tables while a data-changing run
// goes on: the run's own changes, told apart from what other users write to
// the same tables meanwhile. A restore uses it to see whether putting a
// snapshot back would take away somebody else's work.
//
// The engine notes every record it adds, changes or deletes; while nothing
// is recorded a note costs one comparison. One recording at a time (runs
// are one at a time, on the user-interface thread).
namespace TableWriteLog {

// Starts recording the records written to these table files (absolute
// paths; matched by the file, whatever spelling opens it).
void start(const QStringList &tables);
// Stops; the record numbers written per table (keyed as given to start),
// in ascending order. Tables nothing was written to are left out.
QHash<QString, QList<qint64>> stop();
bool isRecording();

// Called by the engine after each record it added, changed or deleted.
void note(const QString &fileName, qint64 recNo);

// "1-5,9,12-13" and back; nullopt-like empty list with `ok` false for text
// that is not such a list.
QString rangesText(const QList<qint64> &sortedRecNos);
QList<qint64> parseRanges(const QString &text, bool *ok);

} // namespace TableWriteLog

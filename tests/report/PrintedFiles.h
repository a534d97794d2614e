#pragma once

#include <QString>
#include <QStringList>

class TPrinterList;

// What the printing tests read back from printed files and the print queues.

// Whether the program is on the path.
bool hasTool(const QString &program);
// The program's standard output (it may run up to a minute).
QString runTool(const QString &program, const QStringList &arguments);
// pdfinfo's "Pages:" line; -1 when it has none.
int pdfPages(const QString &file);
// The CUPS queues scripts/start-printer.sh sets up: the first graphic
// queue, or the first text-only one; -1 when there is none.
int cupsQueue(const TPrinterList &list, bool textOnly);

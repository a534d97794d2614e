#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class MemTable;

// The host starts the add-on with parameters written as "?NAME=value?NAME".
namespace CommandLine {

// The parameter list `mtParametry`: `Nazev` (upper-cased name without "?")
// and `Hodnota` (the value as written), each at most 255 characters.
void defineParameterTable(MemTable &mtParametry);

// Joins the arguments (the executable's name excluded), each followed by one
// blank, and fills the parameter list in the order the parameters stand.
void scanCommandLine(const QStringList &arguments, MemTable &mtParametry);

// The first parameter of that name (whole name, without regard to case);
// nullopt when it is absent. A parameter that is present but empty is "".
std::optional<QString> parameterValue(const MemTable &mtParametry, const QString &name);

} // namespace CommandLine

// 1-based distance of the last `pattern` in `text` counted from the end (1 when
// it is the last character); 0 when absent or the text is empty.
int findLastFromEnd(const QString &text, QChar pattern);

// The data root (level 1) or the agenda directory (level 2) above a year
// directory "…/AGENDA.nnn/ROK.yyyy/", upper-cased, with a trailing delimiter;
// empty when the year directory does not have that shape.
QString deriveAgendaPath(const QString &yearDir, int level);

// The text with each of " * / : < > ? \ | replaced by `replacement`.
QString sanitizeFileName(const QString &text, QChar replacement);

// The extension of a directory's last component without its dot
// ("…/AGENDA.001/" gives "001"); empty when the name has no dot.
QString directoryCode(const QString &dir);

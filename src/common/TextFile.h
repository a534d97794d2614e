#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Host text files (ini files, templates, protocols): Windows-1250, CR LF.
// Paths are resolved against the disk without regard to case, so a file under
// an upper-cased host directory lands in (and is read from) the directory that
// exists.
namespace TextFile {

// The whole file decoded; nullopt when it cannot be read.
std::optional<QString> read(const QString &path);
// The file's lines without their CR LF (a lone LF or CR also ends a line).
std::optional<QStringList> readLines(const QString &path);
// Splits text into lines the way readLines does.
QStringList splitLines(const QString &text);

// Writes the lines, each ended by CR LF. Returns false when the file cannot be
// written; an existing file is then left as it was (written through a temporary).
bool writeLines(const QString &path, const QStringList &lines);
// Writes the text as it stands (callers supply their own line ends).
bool write(const QString &path, const QString &text);

} // namespace TextFile

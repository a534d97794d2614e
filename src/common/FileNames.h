#pragma once

#include <QString>

// The host spells its file names variously ("AGENDA.INI", "agenda.ini"); Linux
// file systems are case-sensitive. These helpers find what exists on disk.
namespace FileNames {

// The path with every component that exists spelt as on disk (first match in
// directory order when several differ only in case). Components that do not
// exist are kept as given, so the result can be used to create a file.
QString resolve(const QString &path);
bool exists(const QString &path);
bool isFile(const QString &path);
bool isDirectory(const QString &path);

// Path helpers for the host's style of directories (ending with a delimiter).
QString withTrailingDelimiter(const QString &dir);
QString withoutTrailingDelimiter(const QString &dir);
QString changeExtension(const QString &path, const QString &extension); // extension with its dot
QString extension(const QString &path);                                 // with its dot, may be empty

} // namespace FileNames

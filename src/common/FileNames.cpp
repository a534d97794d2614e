#include "common/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace FileNames {

namespace {
QString matchInDirectory(const QString &dir, const QString &name)
{
    const QDir directory(dir.isEmpty() ? QStringLiteral(".") : dir);
    if (QFileInfo::exists(directory.filePath(name)))
        return name;
    const QStringList entries =
        directory.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}
} // namespace

QString resolve(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith(u'/');
    const QStringList parts = path.split(u'/');
    QString current = absolute ? QStringLiteral("/") : QString();
    bool resolving = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (part.isEmpty() || part == u'.' || part == QStringLiteral("..")) {
            if (!part.isEmpty())
                current += part + u'/';
            continue;
        }
        QString name = part;
        if (resolving) {
            const QString found = matchInDirectory(current, part);
            if (found.isEmpty())
                resolving = false;
            else
                name = found;
        }
        current += name;
        if (i + 1 < parts.size())
            current += u'/';
    }
    if (path.endsWith(u'/') && !current.endsWith(u'/'))
        current += u'/';
    return current;
}

bool exists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(resolve(path));
}

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(resolve(path)).isFile();
}

bool isDirectory(const QString &path)
{
    return !path.isEmpty() && QFileInfo(resolve(path)).isDir();
}

QString withTrailingDelimiter(const QString &dir)
{
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

QString withoutTrailingDelimiter(const QString &dir)
{
    QString result = dir;
    while (result.size() > 1 && result.endsWith(u'/'))
        result.chop(1);
    return result;
}

QString extension(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? path.mid(dot) : QString();
}

QString changeExtension(const QString &path, const QString &newExtension)
{
    const QString old = extension(path);
    return path.left(path.size() - old.size()) + newExtension;
}

} // namespace FileNames

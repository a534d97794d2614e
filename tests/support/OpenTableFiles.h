#pragma once

#include <QDir>
#include <QFileInfo>
#include <QStringList>

// The host table files ("….DAT") under `dir` that this process holds open,
// read from the process's open file descriptors. A table object that was
// closed, or destroyed, holds none; so a test can tell that no table of an
// operation stayed open, whichever object had opened it.
inline QStringList openTableFiles(const QString &dir)
{
    const QString root = QFileInfo(dir).canonicalFilePath() + u'/';
    QStringList open;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &descriptor : descriptors.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = descriptor.symLinkTarget();
        if (target.startsWith(root) && target.endsWith(QStringLiteral(".DAT"), Qt::CaseInsensitive))
            open.append(target.mid(root.size()));
    }
    open.sort();
    return open;
}

#include "report/core/output/OutputFiles.h"

#include "report/core/model/ReportResult.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

// A hidden name beside `target` that nothing uses yet.
QString unusedNameBeside(const QString &target)
{
    const QFileInfo info(target);
    for (;;) {
        QString name = info.dir().filePath(
            u"."_s + info.fileName() + u".%1.part"_s.arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0')));
        if (!QFileInfo::exists(name))
            return name;
    }
}

// Renames `from` to `to`, replacing a file of that name in one step.
bool replaceWith(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), error);
    return !error;
}

} // namespace

OutputFileSet::~OutputFileSet()
{
    for (const Entry &entry : m_entries)
        QFile::remove(entry.temporary);
}

int OutputFileSet::write(const QString &target, const std::function<int(QIODevice &)> &write)
{
    const QString temporary = unusedNameBeside(target);
    QFile file(temporary);
    // Created here and only here (a name taken meanwhile fails the open).
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return seOutputWrite;
    m_entries.push_back({target, temporary});
    int result = write(file);
    if (result == seOK && (!file.flush() || file.error() != QFileDevice::NoError))
        result = seOutputWrite;
    file.close();
    if (result == seOK && file.error() != QFileDevice::NoError)
        result = seOutputWrite;
    return result;
}

int OutputFileSet::commit()
{
    // Each target replaced is first kept under a name of its own, so that a
    // rename refused half-way (a directory or another user's file in the
    // target's place) can put back everything renamed before it.
    struct Placed
    {
        const Entry *entry;
        QString kept; // the previous file, empty when there was none
    };
    std::vector<Placed> placed;
    bool ok = true;
    for (const Entry &entry : m_entries) {
        const QFileInfo existing(entry.target);
        if (existing.isDir()) {
            ok = false;
            break;
        }
        QString kept;
        if (existing.exists() || existing.isSymLink()) {
            kept = unusedNameBeside(entry.target);
            if (!replaceWith(entry.target, kept)) {
                ok = false;
                break;
            }
        }
        if (!replaceWith(entry.temporary, entry.target)) {
            if (!kept.isEmpty())
                replaceWith(kept, entry.target);
            ok = false;
            break;
        }
        placed.push_back({&entry, kept});
    }
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        if (ok) {
            if (!it->kept.isEmpty())
                QFile::remove(it->kept);
        } else if (it->kept.isEmpty()) {
            QFile::remove(it->entry->target);
        } else {
            replaceWith(it->kept, it->entry->target);
        }
    }
    // Whatever was renamed is gone from its temporary name; the rest the
    // destructor removes.
    return ok ? seOK : seOutputWrite;
}

int writeOutputFile(const QString &target, const std::function<int(QIODevice &)> &write)
{
    OutputFileSet files;
    const int result = files.write(target, write);
    return result == seOK ? files.commit() : result;
}

int writeBytes(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size() ? seOK : seOutputWrite;
}

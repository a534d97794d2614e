#include "app/core/InsLedraCopyWorker.h"

#include "common/FileNames.h"
#include "common/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

QString readSignature(const QString &setupIni)
{
    return IniFile(setupIni).ReadString(u"INSTALL"_s, u"SIGN"_s, QString());
}

// Overwrites read-only files too.
bool copyFile(const QString &source, const QString &target)
{
    const QString resolvedTarget = FileNames::resolve(target);
    if (QFileInfo(resolvedTarget).isFile()) {
        QFile existing(resolvedTarget);
        existing.setPermissions(existing.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
        if (!existing.remove())
            return false;
    }
    return QFile::copy(source, resolvedTarget);
}

} // namespace

InsLedraCopyWorker::InsLedraCopyWorker(const QString &programDir, const QString &addOnRoot, const QString &dataRoot)
    : m_setupSource(programDir + u"SetupDat/"_s), m_copyList(programDir + u"InsLedra.ini"_s), m_addOnRoot(addOnRoot),
      m_dataRoot(dataRoot)
{}

QString InsLedraCopyWorker::expandDestination(const QString &destination) const
{
    return FileNames::withTrailingDelimiter(
        QString(destination).replace(u"%LEDRADATA%"_s, m_dataRoot, Qt::CaseInsensitive));
}

int InsLedraCopyWorker::run()
{
    m_errorMessage.clear();
    m_copiedFiles = 0;
    const QString signature = readSignature(m_setupSource + u"setup.ini"_s);
    if (signature == readSignature(m_addOnRoot + u"setup.ini"_s))
        return 0;

    const IniFile copyList(m_copyList);
    for (int n = 1; n <= MaxPairs; ++n) {
        const QString source = copyList.ReadString(u"COPY"_s, u"Source%1"_s.arg(n), QString());
        if (source.isEmpty())
            break;
        const QString destination = copyList.ReadString(u"COPY"_s, u"Dest%1"_s.arg(n), QString());
        if (destination.isEmpty())
            break;
        if (copyPair(source, expandDestination(destination)) != 0)
            return -1;
    }

    // The add-on's tree exists once start-up has made its settings directory;
    // made sure of here as well, so that the signature can be kept.
    QDir().mkpath(FileNames::resolve(m_addOnRoot));
    IniFile(m_addOnRoot + u"setup.ini"_s).WriteString(u"INSTALL"_s, u"SIGN"_s, signature);
    return 0;
}

int InsLedraCopyWorker::copyPair(const QString &sourceName, const QString &destination)
{
    if (!FileNames::isDirectory(destination)) {
        QDir().mkpath(FileNames::resolve(destination));
        if (!FileNames::isDirectory(destination)) {
            m_errorMessage = u"Nelze vytvořit adresář "_s + destination;
            return -1;
        }
    }
    const QString sourceDir = FileNames::withTrailingDelimiter(m_setupSource + sourceName);
    const QFileInfoList files =
        QDir(FileNames::resolve(sourceDir)).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString target = destination + file.fileName();
        if (!copyFile(file.absoluteFilePath(), target)) {
            m_errorMessage = u"Při kopírování souboru %1 do %2 došlo k chybě."_s.arg(file.absoluteFilePath(), target);
            return -1;
        }
        ++m_copiedFiles;
    }
    return 0;
}

SetupCopyResult runSetupCopy(const QString &programDir, const QString &addOnRoot, const QString &dataRoot)
{
    InsLedraCopyWorker worker(programDir, addOnRoot, dataRoot);
    const int code = worker.run();
    return {code, worker.errorMessage()};
}

#include "AppTestSupport.h"

#include "common/TextFile.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

TextHostTree::TextHostTree() = default;

QString TextHostTree::root() const
{
    return m_dir.path() + u'/';
}

QString TextHostTree::yearDir(const QString &year) const
{
    return agendaDir() + u"rok."_s + year + u'/';
}

void TextHostTree::write(const QString &relativePath, const QStringList &lines) const
{
    const QString path = root() + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    TextFile::writeLines(path, lines);
}

void TextHostTree::makeDir(const QString &relativePath) const
{
    QDir().mkpath(root() + relativePath);
}

QString TextHostTree::makeProgramDir(const QString &signature) const
{
    write(u"program/SetupDat/setup.ini"_s, {u"[INSTALL]"_s, u"SIGN="_s + signature});
    write(u"program/SetupDat/PrintFrm/_PROTOKOL.PTS"_s, {u"template"_s});
    write(u"program/InsLedra.ini"_s,
          {u"[COPY]"_s, u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s});
    return root() + u"program/"_s;
}

QStringList hostArguments(const QString &yearDir, const QString &version, const QString &configName)
{
    return {u"?MAIN=/opt/ledra?MAIN"_s,
            u"?AKTROK="_s + yearDir + u"?AKTROK"_s,
            u"?MVERZE="_s + version + u"?MVERZE"_s,
            u"?AKTHESLO=tajne?AKTHESLO"_s,
            u"?AKTJMENO=Jana"_s,
            u"Nováková?AKTJMENO"_s,
            u"?AKTCFGNAME="_s + configName + u"?AKTCFGNAME"_s};
}

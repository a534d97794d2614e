#include "common/FileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(FileNames, ResolvesEveryComponentWithoutRegardToCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"Agenda.001/Rok.2018"_s));
    QFile file(dir.filePath(u"Agenda.001/Rok.2018/rok.ini"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const QString asHostSpellsIt = dir.path() + u"/AGENDA.001/ROK.2018/ROK.INI"_s;
    EXPECT_EQ(FileNames::resolve(asHostSpellsIt), file.fileName());
    EXPECT_TRUE(FileNames::isFile(asHostSpellsIt));
    EXPECT_TRUE(FileNames::isDirectory(dir.path() + u"/agenda.001/"_s));
    // A missing last component keeps its spelling under the resolved directory.
    EXPECT_EQ(FileNames::resolve(dir.path() + u"/AGENDA.001/NEW.INI"_s), dir.path() + u"/Agenda.001/NEW.INI"_s);
    EXPECT_FALSE(FileNames::exists(dir.path() + u"/AGENDA.002"_s));
}

TEST(FileNames, PathHelpers)
{
    EXPECT_EQ(FileNames::withTrailingDelimiter(u"/a/b"_s), u"/a/b/"_s);
    EXPECT_EQ(FileNames::withoutTrailingDelimiter(u"/a/b//"_s), u"/a/b"_s);
    EXPECT_EQ(FileNames::changeExtension(u"/x/ROK.INI"_s, u".DAT"_s), u"/x/ROK.DAT"_s);
    EXPECT_EQ(FileNames::changeExtension(u"/x.d/ROK"_s, u".DAT"_s), u"/x.d/ROK.DAT"_s);
    EXPECT_EQ(FileNames::extension(u"/a/ROK.2018"_s), u".2018"_s);
    EXPECT_EQ(FileNames::extension(u"/a.b/ROK"_s), QString());
}

} // namespace

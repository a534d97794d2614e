#include "common/IniFile.h"
#include "common/TextFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class IniFileTest : public testing::Test
{
protected:
    QString write(const QStringList &lines)
    {
        const QString path = m_dir.filePath(u"test.ini"_s);
        EXPECT_TRUE(TextFile::writeLines(path, lines));
        return path;
    }
    QStringList linesOf(const QString &path) { return TextFile::readLines(path).value_or(QStringList()); }

    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutRegardToCaseAndValuesAreTrimmed)
{
    IniFile ini(write({u"[Global]"_s, u"Účetní rok =  2018  "_s, u"Podvojné účetnictví=y"_s}));
    EXPECT_EQ(ini.ReadString(u"GLOBAL"_s, u"účetní ROK"_s, u"---"_s), u"2018"_s);
    EXPECT_EQ(ini.ReadString(u"global"_s, u"Podvojné Účetnictví"_s, QString()), u"y"_s);
}

TEST_F(IniFileTest, FirstOccurrenceWins)
{
    IniFile ini(write({u"[A]"_s, u"Key=first"_s, u"key=second"_s, u"[a]"_s, u"KEY=third"_s, u"Other=x"_s}));
    EXPECT_EQ(ini.ReadString(u"A"_s, u"Key"_s, QString()), u"first"_s);
    // Only the first section of that name is read.
    EXPECT_EQ(ini.ReadString(u"A"_s, u"Other"_s, u"none"_s), u"none"_s);
    EXPECT_EQ(ini.ReadSections(), QStringList{u"A"_s});
}

TEST_F(IniFileTest, SameKeyInTwoSectionsIsTwoValues)
{
    IniFile ini(write({u"[One]"_s, u"Key=1"_s, u"[Two]"_s, u"Key=2"_s}));
    EXPECT_EQ(ini.ReadInteger(u"One"_s, u"Key"_s, 0), 1);
    EXPECT_EQ(ini.ReadInteger(u"Two"_s, u"Key"_s, 0), 2);
    EXPECT_EQ(ini.ReadInteger(u"Three"_s, u"Key"_s, 7), 7);
}

TEST_F(IniFileTest, MissingFileReadsAsEmpty)
{
    IniFile ini(m_dir.filePath(u"none.ini"_s));
    EXPECT_EQ(ini.ReadString(u"S"_s, u"K"_s, u"def"_s), u"def"_s);
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    EXPECT_TRUE(ini.ReadSection(u"S"_s).isEmpty());
}

TEST_F(IniFileTest, TypedReadsFallBackToTheDefault)
{
    IniFile ini(write({u"[S]"_s, u"Int=42"_s, u"Hex=$1F"_s, u"Bad=4x"_s, u"Bool=1"_s, u"BoolNo=0"_s, u"Float=12,5"_s,
                       u"FloatDot=12.5"_s, u"Date=31.12.2017"_s, u"Time=8:05:30"_s, u"DateTime=1.2.2018 13:45:00"_s,
                       u"Empty="_s}));
    EXPECT_EQ(ini.ReadInteger(u"S"_s, u"Int"_s, 0), 42);
    EXPECT_EQ(ini.ReadInteger(u"S"_s, u"Hex"_s, 0), 31);
    EXPECT_EQ(ini.ReadInteger(u"S"_s, u"Bad"_s, -1), -1);
    EXPECT_EQ(ini.ReadInteger(u"S"_s, u"Empty"_s, -1), -1);
    EXPECT_TRUE(ini.ReadBool(u"S"_s, u"Bool"_s, false));
    EXPECT_FALSE(ini.ReadBool(u"S"_s, u"BoolNo"_s, true));
    EXPECT_TRUE(ini.ReadBool(u"S"_s, u"Missing"_s, true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat(u"S"_s, u"Float"_s, 0), 12.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(u"S"_s, u"FloatDot"_s, -1), -1); // "." is not the Czech separator
    EXPECT_EQ(ini.ReadDate(u"S"_s, u"Date"_s, QDate()), QDate(2017, 12, 31));
    EXPECT_EQ(ini.ReadTime(u"S"_s, u"Time"_s, QTime()), QTime(8, 5, 30));
    EXPECT_EQ(ini.ReadDateTime(u"S"_s, u"DateTime"_s, QDateTime()), QDateTime(QDate(2018, 2, 1), QTime(13, 45)));
    EXPECT_EQ(ini.ReadDate(u"S"_s, u"Int"_s, QDate(2000, 1, 1)), QDate(2000, 1, 1));
}

TEST_F(IniFileTest, WritingKeepsWhatItDoesNotTouch)
{
    const QString path =
        write({u"; comment"_s, u"[First]"_s, u"A=1"_s, u"junk line"_s, u""_s, u"[Second]"_s, u"B = 2"_s});
    IniFile ini(path);
    ASSERT_TRUE(ini.WriteString(u"first"_s, u"a"_s, u"10"_s));
    ASSERT_TRUE(ini.WriteBool(u"First"_s, u"New"_s, true));
    ASSERT_TRUE(ini.WriteInteger(u"Third"_s, u"C"_s, 3));
    EXPECT_EQ(linesOf(path), QStringList({u"; comment"_s, u"[First]"_s, u"a=10"_s, u"junk line"_s, u"New=1"_s, u""_s,
                                          u"[Second]"_s, u"B = 2"_s, u"[Third]"_s, u"C=3"_s}));
    // A fresh reader sees the writes.
    IniFile again(path);
    EXPECT_EQ(again.ReadString(u"FIRST"_s, u"A"_s, QString()), u"10"_s);
    EXPECT_EQ(again.ReadSection(u"First"_s), QStringList({u"a"_s, u"New"_s}));
    EXPECT_EQ(again.ReadSectionValues(u"Second"_s), QStringList{u"B=2"_s});
}

TEST_F(IniFileTest, DeleteKeyAndEraseSection)
{
    const QString path = write({u"[A]"_s, u"X=1"_s, u"Y=2"_s, u"[B]"_s, u"Z=3"_s});
    IniFile ini(path);
    ASSERT_TRUE(ini.DeleteKey(u"a"_s, u"x"_s));
    ASSERT_TRUE(ini.EraseSection(u"b"_s));
    ASSERT_TRUE(ini.DeleteKey(u"None"_s, u"x"_s));
    EXPECT_EQ(linesOf(path), QStringList({u"[A]"_s, u"Y=2"_s}));
}

TEST_F(IniFileTest, WritesWindows1250AndFindsTheFileWithoutRegardToCase)
{
    write({u"[Údaje o firmě]"_s, u"Název-obchodní=Pekárna Šťastný s.r.o."_s});
    IniFile ini(m_dir.filePath(u"TEST.INI"_s));
    EXPECT_EQ(ini.ReadString(u"ÚDAJE O FIRMĚ"_s, u"název-obchodní"_s, QString()), u"Pekárna Šťastný s.r.o."_s);
}

TEST_F(IniFileTest, WriteToAnUnwritablePlaceFails)
{
    IniFile ini(m_dir.filePath(u"missing/dir/x.ini"_s));
    EXPECT_FALSE(ini.WriteString(u"S"_s, u"K"_s, u"V"_s));
}

// Each write reads the file as it stands, as the platform's profile functions
// do: two readers of one settings file (an operation's window and the print
// dialog it opens) keep each other's keys.
TEST_F(IniFileTest, WritesKeepWhatAnotherReaderWroteMeanwhile)
{
    const QString path = write({u"[KONTRPOSL001]"_s, u"Rady=PK;"_s});
    IniFile operation(path);
    IniFile printDialog(path);
    ASSERT_TRUE(printDialog.WriteString(u"PRINT001"_s, u"Printer"_s, u"PDF"_s));
    EXPECT_EQ(operation.ReadString(u"PRINT001"_s, u"Printer"_s, QString()), u"PDF"_s);
    ASSERT_TRUE(operation.WriteString(u"KONTRPOSL001"_s, u"Rady"_s, u"PK;VP;"_s));
    IniFile fresh(path);
    EXPECT_EQ(fresh.ReadString(u"PRINT001"_s, u"Printer"_s, QString()), u"PDF"_s);
    EXPECT_EQ(fresh.ReadString(u"KONTRPOSL001"_s, u"Rady"_s, QString()), u"PK;VP;"_s);
}

// A reader made before its directory existed writes into the directory made
// later, under the spelling found on disk.
TEST_F(IniFileTest, DirectoryMadeAfterTheReaderIsFoundWithoutRegardToCase)
{
    IniFile ini(m_dir.path() + u"/SETTING/main.ini"_s);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"setting"_s));
    ASSERT_TRUE(ini.WriteString(u"VERSION"_s, u"LASTLEDRAVER"_s, u"13.100"_s));
    EXPECT_EQ(linesOf(m_dir.filePath(u"setting/main.ini"_s)), QStringList({u"[VERSION]"_s, u"LASTLEDRAVER=13.100"_s}));
}

} // namespace

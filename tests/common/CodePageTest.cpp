#include "common/CodePage.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const CodePage &cp1250 = CodePage::windows1250();

TEST(CodePage1250, CzechTextRoundTrips)
{
    const QString text = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy – „Ř“ € §");
    const QByteArray bytes = cp1250.encode(text);
    EXPECT_EQ(bytes.size(), text.size()); // one byte per character
    EXPECT_EQ(cp1250.decode(bytes), text);
}

TEST(CodePage1250, KnownBytes)
{
    struct Case
    {
        char16_t unicode;
        unsigned char byte;
    };
    for (const Case c : {Case{u'Š', 0x8A}, Case{u'š', 0x9A}, Case{u'Ž', 0x8E}, Case{u'ž', 0x9E}, Case{u'Č', 0xC8},
                         Case{u'č', 0xE8}, Case{u'Ř', 0xD8}, Case{u'ř', 0xF8}, Case{u'Ů', 0xD9}, Case{u'ů', 0xF9},
                         Case{u'€', 0x80}, Case{u'\u00A0', 0xA0}, Case{u'ť', 0x9D}, Case{u'ě', 0xEC}}) {
        const QByteArray encoded = cp1250.encode(QString(QChar(c.unicode)));
        ASSERT_EQ(encoded.size(), 1);
        EXPECT_EQ(static_cast<unsigned char>(encoded.at(0)), c.byte) << "U+" << std::hex << int(c.unicode);
        EXPECT_EQ(cp1250.decode(encoded), QString(QChar(c.unicode)));
    }
}

TEST(CodePage1250, EveryByteDecodesAndEncodesBack)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(cp1250.encode(cp1250.decode(all)), all);
}

TEST(CodePage1250, MissingCharactersBecomeTheReplacement)
{
    EXPECT_EQ(cp1250.encode(QStringLiteral("a€ß→ŋ"), '?'), QByteArray("a\x80\xDF??"));
    EXPECT_FALSE(cp1250.canEncode(QChar(u'→')));
}

TEST(TextFile, WritesCp1250WithCrLfAndReadsAnyLineEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    ASSERT_TRUE(TextFile::writeLines(path, {QStringLiteral("Účetní rok"), QString(), QStringLiteral("ž")}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xDA\xE8"
                                      "etn\xED rok\r\n\r\n\x9E\r\n"));
    EXPECT_EQ(TextFile::splitLines(u"a\r\nb\nc\rd"_s), QStringList({u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
    EXPECT_EQ(*TextFile::readLines(path), QStringList({u"Účetní rok"_s, QString(), u"ž"_s}));
    EXPECT_FALSE(TextFile::read(dir.filePath(QStringLiteral("missing.txt"))).has_value());
    EXPECT_FALSE(TextFile::writeLines(dir.filePath(QStringLiteral("no/such/dir/x.txt")), {}));
}

// Protocols and settings lie under upper-cased host paths; files there are
// written into, and read from, the directories that exist on disk.
TEST(TextFile, UpperCasedHostPathReachesTheLowerCaseTree)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("velmar/tarnek/setting")));
    const QString hostDir = dir.path().toUpper() + QStringLiteral("/VELMAR/TARNEK/SETTING/");
    ASSERT_TRUE(TextFile::writeLines(hostDir + QStringLiteral("~precisl.txt"), {QStringLiteral("PK0001 >> PK0002")}));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("velmar/tarnek/setting/~precisl.txt"))));
    EXPECT_FALSE(QFileInfo::exists(dir.path().toUpper() + QStringLiteral("/VELMAR")));
    EXPECT_EQ(TextFile::readLines(hostDir + QStringLiteral("~PRECISL.TXT")).value_or(QStringList()),
              QStringList{QStringLiteral("PK0001 >> PK0002")});
}

} // namespace

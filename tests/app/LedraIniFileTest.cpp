// The host ini reader: which form of an ini file it reads (text or table) and
// the conversions of the table form's variant values.

#include "app/core/LedraIniFile.h"
#include "AppTestSupport.h"
#include "common/DayNumber.h"
#include "common/LocaleFormats.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

struct ModeCase
{
    const char *name;
    QChar decimalSeparator;
    QString version;
    bool tableMode;
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class LedraIniMode : public testing::TestWithParam<ModeCase>
{
};

// With an explicit version the mode follows the number alone, whichever
// files exist.
TEST_P(LedraIniMode, FollowsTheVersionNumber)
{
    const ModeCase &c = GetParam();
    LocaleFormats formats = LocaleFormats::czech();
    formats.decimalSeparator = c.decimalSeparator;
    LocaleFormats::setCurrent(formats);
    TextHostTree tree;
    tree.write(u"ROK.INI"_s, {u"[Global]"_s, u"Účetní rok=2018"_s});
    const TLedraIniFile ini(tree.root() + u"ROK.INI"_s, c.version);
    EXPECT_EQ(ini.isTableMode(), c.tableMode);
    EXPECT_EQ(ini.path(), tree.root() + (c.tableMode ? u"ROK.DAT"_s : u"ROK.INI"_s));
    EXPECT_EQ(ini.version(), c.version);
}

INSTANTIATE_TEST_SUITE_P(Versions, LedraIniMode,
                         testing::Values(ModeCase{"OldHostCommaLocale", u',', u"11,5"_s, false},
                                         ModeCase{"JustBelowTheTableForm", u',', u"12,09"_s, false},
                                         ModeCase{"TableFormFrom12Point1", u',', u"12,1"_s, true},
                                         ModeCase{"NewHost", u',', u"13"_s, true},
                                         ModeCase{"PointInCommaLocaleCounts12Point1", u',', u"11.5"_s, true},
                                         ModeCase{"PointLocale", u'.', u"11.5"_s, false},
                                         ModeCase{"CommaInPointLocaleCounts12Point1", u'.', u"11,5"_s, true},
                                         ModeCase{"NoNumber", u'.', u"beta"_s, true},
                                         ModeCase{"Empty", u'.', QString(), true}),
                         TestSupport::rowName);

TEST(LedraIniMode, AutomaticModeReadsTheTextFileWhenNoTableExists)
{
    TextHostTree tree;
    tree.write(u"rok.ini"_s, {u"[Global]"_s, u"Účetní rok=2018"_s, u"Počet=12"_s, u"Příznak=1"_s});
    const TLedraIniFile ini(tree.root() + u"ROK.INI"_s);
    EXPECT_FALSE(ini.isTableMode());
    EXPECT_EQ(ini.version(), u"00.000"_s);
    EXPECT_EQ(ini.ReadString(u"global"_s, u"účetní rok"_s, u"---"_s), u"2018"_s);
    EXPECT_EQ(ini.ReadInteger(u"Global"_s, u"Počet"_s, 0), 12);
    EXPECT_TRUE(ini.ReadBool(u"Global"_s, u"Příznak"_s, false));
    EXPECT_EQ(ini.ReadSections(), QStringList{u"Global"_s});
}

TEST(LedraIniMode, NeitherFormReadsDefaults)
{
    TextHostTree tree;
    const TLedraIniFile ini(tree.root() + u"ROK.INI"_s);
    EXPECT_FALSE(ini.isTableMode());
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Účetní rok"_s, u"---"_s), u"---"_s);
    EXPECT_EQ(ini.ReadInteger(u"Global"_s, u"Hospodářský rok od"_s, 7), 7);
    EXPECT_TRUE(ini.ReadBool(u"Global"_s, u"X"_s, true));
}

TEST(HostVariant, TextsOfTheVariantKinds)
{
    EXPECT_EQ(HostVariant::toText(QVariant(u"abc"_s)), u"abc"_s);
    EXPECT_EQ(HostVariant::toText(QVariant(12)), u"12"_s);
    EXPECT_EQ(HostVariant::toText(QVariant(2.5)), u"2,5"_s);
    EXPECT_EQ(HostVariant::toText(QVariant(true)), u"True"_s);
    EXPECT_EQ(HostVariant::toText(QVariant()), QString());
}

TEST(HostVariant, IntegersOnlyFromWhatConverts)
{
    EXPECT_EQ(HostVariant::toInteger(QVariant(u" 42 "_s)), 42);
    EXPECT_EQ(HostVariant::toInteger(QVariant(u"$1F"_s)), 31);
    EXPECT_EQ(HostVariant::toInteger(QVariant(u"abc"_s)), std::nullopt);
    EXPECT_EQ(HostVariant::toInteger(QVariant(u"4,5"_s)), std::nullopt);
    EXPECT_EQ(HostVariant::toInteger(QVariant(2.5)), 2); // halves to even
    EXPECT_EQ(HostVariant::toInteger(QVariant(3.5)), 4);
    EXPECT_EQ(HostVariant::toInteger(QVariant(true)), -1);
    EXPECT_EQ(HostVariant::toInteger(QVariant(1e12)), std::nullopt);
    EXPECT_EQ(HostVariant::toInteger(QVariant()), std::nullopt);
}

TEST(HostVariant, BooleansAndDates)
{
    EXPECT_EQ(HostVariant::toBoolean(QVariant(u"true"_s)), true);
    EXPECT_EQ(HostVariant::toBoolean(QVariant(u"0"_s)), false);
    EXPECT_EQ(HostVariant::toBoolean(QVariant(1)), true);
    EXPECT_EQ(HostVariant::toBoolean(QVariant(u"Y"_s)), std::nullopt);
    EXPECT_EQ(HostVariant::toDateTime(QVariant(43465.5)), QDateTime(QDate(2018, 12, 31), QTime(12, 0)));
    EXPECT_EQ(HostVariant::toDateTime(QVariant(u"31.12.2018"_s)), QDateTime(QDate(2018, 12, 31), QTime(0, 0)));
    EXPECT_EQ(HostVariant::toFloat(QVariant(QDateTime(QDate(2018, 12, 31), QTime(0, 0)))), 43465.0);
    EXPECT_EQ(HostVariant::toFloat(QVariant(u"1,25"_s)), 1.25);
}

// Binary values as hexadecimal text, the way the platform's ini class keeps
// them.
TEST(LedraIniBinary, TextModeWritesHexAndReadsItBack)
{
    TextHostTree tree;
    tree.write(u"ROK.INI"_s, {u"[Global]"_s, u"Lichý=ABC"_s, u"Cizí=00ZZ"_s});
    TLedraIniFile ini(tree.root() + u"ROK.INI"_s);
    QByteArray source("xy\x00\xff\x41", 5);
    QBuffer in(&source);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    in.seek(2); // from the position to the end
    EXPECT_TRUE(ini.WriteBinaryStream(u"Global"_s, u"Data"_s, in));
    EXPECT_EQ(in.pos(), 2) << "the position stays";
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Data"_s, QString()), u"00FF41"_s);

    QByteArray target("ab");
    QBuffer out(&target);
    ASSERT_TRUE(out.open(QIODevice::ReadWrite));
    out.seek(1);
    EXPECT_EQ(ini.ReadBinaryStream(u"global"_s, u"DATA"_s, out), 3);
    EXPECT_EQ(target, QByteArray("a\x00\xff\x41", 4)) << "written at the position";
    EXPECT_EQ(ini.ReadBinaryStream(u"Global"_s, u"Chybí"_s, out), 0);
    EXPECT_EQ(ini.ReadBinaryStream(u"Global"_s, u"Lichý"_s, out), 0) << "an odd number of digits";
    EXPECT_EQ(ini.ReadBinaryStream(u"Global"_s, u"Cizí"_s, out), 0) << "no hexadecimal text";
    EXPECT_EQ(target.size(), 4);

    QBuffer empty;
    ASSERT_TRUE(empty.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.WriteBinaryStream(u"Global"_s, u"Data"_s, empty));
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Data"_s, u"-"_s), QString()) << "an empty stream writes an empty value";
}

TEST(LedraIniBinary, TableModeReadsNothingAndWritesNothing)
{
    TextHostTree tree;
    const TLedraIniFile probe(tree.root() + u"ROK.INI"_s, u"13"_s);
    ASSERT_TRUE(probe.isTableMode());
    TLedraIniFile ini(tree.root() + u"ROK.INI"_s, u"13"_s);
    QByteArray bytes("\x01\x02", 2);
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadWrite));
    EXPECT_TRUE(ini.WriteBinaryStream(u"Global"_s, u"Data"_s, buffer));
    EXPECT_FALSE(QFile::exists(tree.root() + u"ROK.INI"_s)) << "nothing written as text";
    EXPECT_EQ(ini.ReadBinaryStream(u"Global"_s, u"Data"_s, buffer), 0);
    EXPECT_EQ(bytes, QByteArray("\x01\x02", 2));
}

} // namespace

// The host ini reader over the table form of AGENDA.INI and ROK.INI, on host
// trees built with the real table engine.

#include "app/core/HostIniFiles.h"
#include "app/core/LedraIniFile.h"
#include "common/DayNumber.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "fixture/HostTreeBuilder.h"
#include "support/OtherUser.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class LedraIniTable : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    YearBuilder &year(IniForm form)
    {
        YearBuilder &year = m_tree.agenda(u"001"_s).year(u"2018"_s);
        year.iniForm(form);
        return year;
    }
    QString rokIni() { return m_tree.agenda(u"001"_s).year(u"2018"_s).dir() + u"ROK.INI"_s; }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree{m_dir.path()};
};

TEST_F(LedraIniTable, TableFormAloneIsRead)
{
    year(IniForm::Table)
        .yearName(u"2018"_s)
        .ini(u"Global"_s, u"Počet"_s, 12)
        .ini(u"Global"_s, u"Zapnuto"_s, true)
        .ini(u"Global"_s, u"Den"_s, QDate(2018, 12, 31))
        .ini(u"Global"_s, u"Text"_s, u"abc"_s);
    const TLedraIniFile ini(rokIni());
    ASSERT_TRUE(ini.isTableMode());
    EXPECT_EQ(ini.path(), FileNames::changeExtension(rokIni(), u".DAT"_s));
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Účetní rok"_s, u"---"_s), u"2018"_s);
    EXPECT_EQ(ini.ReadInteger(u"Global"_s, u"Počet"_s, 0), 12);
    EXPECT_TRUE(ini.ReadBool(u"Global"_s, u"Zapnuto"_s, false));
    EXPECT_EQ(ini.ReadDate(u"Global"_s, u"Den"_s, QDate()), QDate(2018, 12, 31));
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Chybí"_s, u"def"_s), u"def"_s);
    // Text that is no number reads as the default.
    EXPECT_EQ(ini.ReadInteger(u"Global"_s, u"Text"_s, 7), 7);
    // Section-wide reads have nothing to list in the table form.
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    EXPECT_TRUE(ini.ReadSection(u"Global"_s).isEmpty());
    EXPECT_FALSE(ini.ValueExists(u"Global"_s, u"Počet"_s));
}

TEST_F(LedraIniTable, TableWinsOverTheTextFile)
{
    year(IniForm::Both).yearName(u"2018"_s);
    IniFile(rokIni()).WriteString(u"Global"_s, u"Účetní rok"_s, u"text"_s);
    EXPECT_EQ(readYearName(m_tree.agenda(u"001"_s).year(u"2018"_s).dir()), u"2018"_s);
}

TEST_F(LedraIniTable, SectionAndKeyCompareAsTheEngineCompares)
{
    year(IniForm::Table).yearName(u"2019"_s);
    const TLedraIniFile ini(rokIni());
    EXPECT_EQ(ini.ReadString(u"GLOBAL"_s, u"účetní rok  "_s, u"---"_s), u"2019"_s);
}

TEST_F(LedraIniTable, AccessorsReadTheTableForm)
{
    m_tree.agenda(u"001"_s).iniForm(IniForm::Table).name(u"Demo s.r.o."_s).exchangeState(u"Pobočka"_s);
    year(IniForm::Table)
        .doubleEntry(false)
        .currencySymbol(u"Kč"_s)
        .fiscalYear(QDate(2018, 1, 1), QDate(2018, 12, 31))
        .postsStockMovements(true);
    const QString yearDir = m_tree.agenda(u"001"_s).year(u"2018"_s).dir();
    const QString agendaDir = m_tree.agenda(u"001"_s).dir();
    EXPECT_FALSE(isDoubleEntry(yearDir));
    EXPECT_EQ(readCurrencySymbol(yearDir), u"Kč"_s);
    EXPECT_EQ(fiscalYear(yearDir).from, QDate(2018, 1, 1));
    EXPECT_EQ(fiscalYear(yearDir).to, QDate(2018, 12, 31));
    EXPECT_TRUE(postsStockMovements(yearDir));
    EXPECT_EQ(readYearName(yearDir), u"---"_s);
    EXPECT_EQ(readCompanyName(agendaDir), u"Demo s.r.o."_s);
    EXPECT_TRUE(isBranchExchange(agendaDir));
}

// Company data the user may only read (a read-only share, another user's
// files): the table form is read all the same, never the defaults.
TEST_F(LedraIniTable, ReadOnlyDataIsReadFromTheTable)
{
    m_tree.agenda(u"001"_s).iniForm(IniForm::Table).name(u"Demo s.r.o."_s);
    year(IniForm::Table).doubleEntry(false).currencySymbol(u"EUR"_s);
    const QString yearDir = m_tree.agenda(u"001"_s).year(u"2018"_s).dir();
    const QString agendaDir = m_tree.agenda(u"001"_s).dir();
    OtherUser::openPathTo(yearDir);
    for (const QString &dir : {yearDir, agendaDir}) {
        const QString table = FileNames::resolve(dir + (dir == yearDir ? u"ROK.DAT"_s : u"AGENDA.DAT"_s));
        ASSERT_TRUE(QFile::setPermissions(table, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        ASSERT_TRUE(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                                   QFile::ReadOther | QFile::ExeOther));
    }
    const QString seen = OtherUser::run([&]() -> QString {
        return u"%1 %2 %3"_s.arg(isDoubleEntry(yearDir) ? u"podvojné"_s : u"jednoduché"_s, readCurrencySymbol(yearDir),
                                 readCompanyName(agendaDir));
    });
    for (const QString &dir : {yearDir, agendaDir})
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(seen, u"jednoduché EUR Demo s.r.o."_s);
}

TEST_F(LedraIniTable, WritesAddUpdateAndDeleteRecords)
{
    year(IniForm::Table).yearName(u"2018"_s);
    {
        TLedraIniFile ini(rokIni());
        EXPECT_TRUE(ini.WriteString(u"Global"_s, u"Účetní rok"_s, u"2018b"_s));
        EXPECT_TRUE(ini.WriteInteger(u"Nové"_s, u"Číslo"_s, 5));
        EXPECT_TRUE(ini.WriteDate(u"Nové"_s, u"Den"_s, QDate(2018, 3, 1)));
        EXPECT_TRUE(ini.WriteBool(u"Nové"_s, u"Příznak"_s, true));
    }
    TLedraIniFile ini(rokIni());
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Účetní rok"_s, u"---"_s), u"2018b"_s);
    EXPECT_EQ(ini.ReadInteger(u"Nové"_s, u"Číslo"_s, 0), 5);
    EXPECT_EQ(ini.ReadDate(u"Nové"_s, u"Den"_s, QDate()), QDate(2018, 3, 1));
    EXPECT_TRUE(ini.ReadBool(u"Nové"_s, u"Příznak"_s, false));
    EXPECT_TRUE(ini.DeleteKey(u"Nové"_s, u"Číslo"_s));
    EXPECT_EQ(ini.ReadInteger(u"Nové"_s, u"Číslo"_s, -3), -3);

    // The record a write added carries an empty type marker.
    TBFTable table;
    ASSERT_EQ(table.Open(ini.path()), 0);
    ASSERT_EQ(table.SetIndex(u"Section1+Variable"_s), 0);
    ASSERT_EQ(table.Seek2(u"Nové"_s, u"Den"_s), HostResult::Found);
    EXPECT_EQ(table.Value(u"TypeVar"_s).toString(), QString());
    EXPECT_EQ(table.Value(u"Value"_s).toDouble(), DayNumber::fromDate(QDate(2018, 3, 1)).value());
}

TEST_F(LedraIniTable, ExplicitNewVersionWithoutTableReadsDefaultsAndDropsWrites)
{
    year(IniForm::Text).yearName(u"2018"_s);
    TLedraIniFile ini(rokIni(), u"13"_s);
    ASSERT_TRUE(ini.isTableMode());
    EXPECT_EQ(ini.versionNumber(), 13.0);
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Účetní rok"_s, u"---"_s), u"---"_s);
    EXPECT_EQ(ini.ReadInteger(u"Global"_s, u"X"_s, 4), 4);
    EXPECT_FALSE(ini.WriteString(u"Global"_s, u"Účetní rok"_s, u"x"_s));
    EXPECT_FALSE(ini.DeleteKey(u"Global"_s, u"Účetní rok"_s));
    EXPECT_FALSE(QFile::exists(ini.path()));
    // The text file is left as it was.
    EXPECT_EQ(IniFile(rokIni()).ReadString(u"Global"_s, u"Účetní rok"_s, QString()), u"2018"_s);
}

TEST_F(LedraIniTable, DamagedTableFallsBackSilently)
{
    year(IniForm::Text).yearName(u"2018"_s);
    QFile damaged(FileNames::changeExtension(rokIni(), u".DAT"_s));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("this is no table file at all");
    damaged.close();
    TLedraIniFile ini(rokIni());
    ASSERT_TRUE(ini.isTableMode());
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Účetní rok"_s, u"---"_s), u"---"_s);
    EXPECT_FALSE(ini.ReadBool(u"Global"_s, u"X"_s, false));
    EXPECT_FALSE(ini.WriteInteger(u"Global"_s, u"X"_s, 1));
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(LedraIniTable, ExplicitOldVersionReadsTheTextEvenWhenTheTableExists)
{
    year(IniForm::Both).yearName(u"2018"_s);
    IniFile(rokIni()).WriteString(u"Global"_s, u"Účetní rok"_s, u"text"_s);
    const TLedraIniFile ini(rokIni(), u"11,5"_s);
    EXPECT_FALSE(ini.isTableMode());
    EXPECT_EQ(ini.ReadString(u"Global"_s, u"Účetní rok"_s, u"---"_s), u"text"_s);
}

} // namespace

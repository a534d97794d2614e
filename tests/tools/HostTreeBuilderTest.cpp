// The fixture builder every later test relies on.

#include "fixture/HostTreeBuilder.h"

#include "common/DayNumber.h"
#include "common/IniFile.h"
#include "hostdb/HostCatalogue.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class TreeTest : public testing::Test
{
protected:
    QTemporaryDir m_dir;
    HostTreeBuilder m_tree{m_dir.path() + u"/data"_s};
};

TEST_F(TreeTest, DirectoriesAreSpeltAsTheHostCreatesThem)
{
    YearBuilder &year = m_tree.agenda(u"001"_s).year(u"2018"_s);
    EXPECT_EQ(m_tree.dataRoot(), m_dir.path() + u"/data/"_s);
    EXPECT_EQ(year.dir(), m_dir.path() + u"/data/AGENDA.001/ROK.2018/"_s);
    EXPECT_TRUE(QDir(year.dir()).exists());
    EXPECT_EQ(&m_tree.agenda(u"001"_s).year(u"2018"_s), &year) << "the same year on a second call";
    EXPECT_EQ(year.agenda().code(), u"001"_s);
}

TEST_F(TreeTest, TextIniFilesCarryTheHostKeys)
{
    AgendaBuilder &agenda = m_tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).exchangeState(u"CENTRALA"_s);
    agenda.year(u"2018"_s)
        .yearName(u"2018"_s)
        .doubleEntry(false)
        .fiscalYear(QDate(2018, 1, 1), QDate(2018, 12, 31))
        .postsStockMovements(true);
    const IniFile agendaIni(agenda.dir() + u"AGENDA.INI"_s);
    EXPECT_EQ(agendaIni.ReadString(u"Údaje o firmě"_s, u"Název-obchodní"_s, QString()), u"Demo s.r.o."_s);
    EXPECT_EQ(agendaIni.ReadString(u"Export/Import"_s, u"Stav"_s, QString()), u"CENTRALA"_s);
    const IniFile yearIni(agenda.year(u"2018"_s).dir() + u"ROK.INI"_s);
    EXPECT_EQ(yearIni.ReadString(u"Global"_s, u"Účetní rok"_s, QString()), u"2018"_s);
    EXPECT_EQ(yearIni.ReadString(u"Global"_s, u"Podvojné účetnictví"_s, QString()), u"N"_s);
    // The host stores the day number less one.
    EXPECT_EQ(yearIni.ReadInteger(u"Global"_s, u"Hospodářský rok od"_s, 0),
              DayNumber::fromDate(QDate(2018, 1, 1)).day() - 1);
    EXPECT_EQ(yearIni.ReadInteger(u"Global"_s, u"Hospodářský rok do"_s, 0), 43464);
    EXPECT_TRUE(yearIni.ReadBool(u"Účetnictví"_s, u"Sklad/UctovatPohyby"_s, false));
}

QVariant tableIniValue(const QString &path, const QString &section, const QString &key)
{
    TBFTable table;
    if (table.Open(path) != HostResult::Ok || table.SetIndex(u"Section1+Variable"_s) != HostResult::Ok)
        return u"<no table>"_s;
    return table.Seek2(section, key) == HostResult::Found ? table.Value(u"Value"_s) : QVariant(u"<none>"_s);
}

TEST_F(TreeTest, TheTableFormTakesEveryKeyWrittenBefore)
{
    YearBuilder &year = m_tree.agenda(u"001"_s).year(u"2018"_s);
    year.yearName(u"2018"_s).doubleEntry(true);
    year.iniForm(IniForm::Table).yearName(u"2018/19"_s).currencySymbol(u"Kč"_s);
    EXPECT_FALSE(QFile::exists(year.dir() + u"ROK.INI"_s));
    const QString table = year.dir() + u"ROK.DAT"_s;
    EXPECT_EQ(tableIniValue(table, u"Global"_s, u"Účetní rok"_s), QVariant(u"2018/19"_s)) << "rewritten in place";
    EXPECT_EQ(tableIniValue(table, u"Global"_s, u"Podvojné účetnictví"_s), QVariant(u"Y"_s));
    EXPECT_EQ(tableIniValue(table, u"Global"_s, u"Symbol měny"_s), QVariant(u"Kč"_s));
    TBFTable rows;
    ASSERT_EQ(rows.Open(table), HostResult::Ok);
    EXPECT_EQ(rows.RecordCount(), 3) << "one record per key";
}

TEST_F(TreeTest, BothFormsCanBeKept)
{
    AgendaBuilder &agenda = m_tree.agenda(u"002"_s).iniForm(IniForm::Both).name(u"Obě s.r.o."_s);
    EXPECT_EQ(IniFile(agenda.dir() + u"AGENDA.INI"_s).ReadString(u"Údaje o firmě"_s, u"Název-obchodní"_s, QString()),
              u"Obě s.r.o."_s);
    EXPECT_EQ(tableIniValue(agenda.dir() + u"AGENDA.DAT"_s, u"Údaje o firmě"_s, u"Název-obchodní"_s),
              QVariant(u"Obě s.r.o."_s));
}

TEST_F(TreeTest, RowsAreStoredWithTheirKinds)
{
    YearBuilder &year = m_tree.agenda(u"001"_s).year(u"2018"_s);
    auto cash = year.table(u"POKLKNIH"_s);
    cash.row({{"Doklad", "PP0001"}, {"Cislo", 1}, {"DatVyst", QDate(2018, 1, 5)}, {"Celkem", 120.5}, {"Del", true}});
    EXPECT_EQ(cash.lastRecNo(), 1);
    cash.rows(R"(
        Doklad | Cislo | DatVyst    | Celkem | Del | Popis
        PP0002 | 2     | 2018-01-06 | 99     | ne  | Tržba
    )");
    EXPECT_EQ(cash.lastRecNo(), 2);

    TBFTable table;
    ASSERT_EQ(table.Open(year.dir() + u"POKLKNIH"_s), HostResult::Ok);
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.Value(u"DatVyst"_s).toDateTime().date(), QDate(2018, 1, 5));
    EXPECT_EQ(table.Value(u"Del"_s), QVariant(true));
    table.Skip();
    EXPECT_EQ(table.Value(u"Celkem"_s), QVariant(99.0));
    EXPECT_EQ(table.Value(u"Del"_s), QVariant(false));
    EXPECT_EQ(table.Value(u"Popis"_s), QVariant(u"Tržba"_s));
}

// Mistakes in a fixture stop the test at the line that made them.
struct MistakeCase
{
    const char *name;
    void (*build)(HostTreeBuilder &tree);
    QString message;
};

class FixtureMistakeTest : public TreeTest, public testing::WithParamInterface<MistakeCase>
{
};

TEST_P(FixtureMistakeTest, Throws)
{
    try {
        GetParam().build(m_tree);
        FAIL() << "no exception";
    } catch (const std::runtime_error &error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, FixtureMistakeTest,
    testing::Values(MistakeCase{"TableInTheWrongDirectory",
                                [](HostTreeBuilder &tree) { tree.agenda(u"001"_s).year(u"2018"_s).table(u"GLAKCE"_s); },
                                u"table GLAKCE lives in the data root directory, not in the year directory"_s},
                    MistakeCase{"UnknownTable", [](HostTreeBuilder &tree) { tree.table(u"NENI"_s); },
                                u"the catalogue has no table NENI"_s},
                    MistakeCase{"UnknownFieldInRows",
                                [](HostTreeBuilder &tree) { tree.table(u"GLAKCE"_s).rows("Agenda|Dokl\n001|X"); },
                                u"table GLAKCE has no field \"Dokl\""_s},
                    MistakeCase{"CellCount",
                                [](HostTreeBuilder &tree) { tree.table(u"GLAKCE"_s).rows("Agenda|Rok\n001"); },
                                u"line 2 of the rows for GLAKCE has 1 cells, the header 2"_s},
                    MistakeCase{"BadValue",
                                [](HostTreeBuilder &tree) { tree.table(u"GLAKCE"_s).rows("Agenda|Cislo\n001|jedna"); },
                                u"line 2 of the rows for GLAKCE: \"jedna\" is no value for Cislo"_s}),
    TestSupport::rowName);

TEST_F(TreeTest, CustomDefinitionsGoWhereTheTestPutsThem)
{
    HostTableDef odd = HostCatalogue::table(u"POKLKNIH");
    odd.fields.removeIf([](const HostField &field) { return field.name == u"Del"_s; });
    auto builder = m_tree.agenda(u"001"_s).year(u"2018"_s).table(odd);
    builder.row({{"Doklad", "PP0001"}});
    EXPECT_THROW(builder.row({{"Del", true}}), HostEngineError);
}

TEST_F(TreeTest, TheCommandLineLedraPasses)
{
    YearBuilder &year = m_tree.agenda(u"001"_s).year(u"2018"_s);
    HostLogin login;
    login.password = u"tajne"_s;
    login.user = u"Jana Nováková"_s;
    login.configuration = u"Účetní"_s;
    const QString root = m_dir.path() + u"/data"_s;
    EXPECT_EQ(m_tree.commandLine(year, login),
              (QStringList{u"?MAIN="_s + root + u"?MAIN"_s, u"?AKTROK="_s + root + u"/AGENDA.001/ROK.2018?AKTROK"_s,
                           u"?MVERZE=13.100?MVERZE"_s, u"?AKTHESLO=tajne?AKTHESLO"_s,
                           u"?AKTJMENO=Jana Nováková?AKTJMENO"_s, u"?AKTCFGNAME=Účetní?AKTCFGNAME"_s}));
}

TEST(HostTreeBuilder, ARelativeRootBecomesAbsolute)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    HostTreeBuilder tree(u"rel"_s);
    QDir::setCurrent(previous);
    EXPECT_EQ(tree.dataRoot(), QDir(dir.path()).canonicalPath() + u"/rel/"_s);
}

} // namespace

// The table tool: CSV, dump and import, errors.

#include "tabletool/TableTool.h"
#include "tabletool/Csv.h"

#include "fixture/HostTreeBuilder.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct CsvCase
{
    const char *name;
    QString text;
    QList<QStringList> records;
};

class CsvParseTest : public testing::TestWithParam<CsvCase>
{
};

TEST_P(CsvParseTest, Records)
{
    const Csv::Result result = Csv::parse(GetParam().text);
    EXPECT_EQ(result.error, QString());
    EXPECT_EQ(result.records, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvParseTest,
    testing::Values(CsvCase{"Plain", u"a,b\n1,2\n"_s, {{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}}},
                    CsvCase{"CrLfAndNoLastLineEnd", u"a,b\r\n1,2"_s, {{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}}},
                    CsvCase{"EmptyFields", u",x,\n"_s, {{QString(), u"x"_s, QString()}}},
                    CsvCase{
                        "QuotedDelimiterAndQuote", u"\"a,b\",\"say \"\"hi\"\"\"\n"_s, {{u"a,b"_s, u"say \"hi\""_s}}},
                    CsvCase{"LineBreakInQuotes", u"\"two\nlines\",x\n"_s, {{u"two\nlines"_s, u"x"_s}}},
                    CsvCase{"BlanksKept", u" a , b \n"_s, {{u" a "_s, u" b "_s}}},
                    CsvCase{"EmptyLinesSkipped", u"a\n\n\nb\n"_s, {{u"a"_s}, {u"b"_s}}},
                    CsvCase{"ByteOrderMark", u"\uFEFFa,b\n"_s, {{u"a"_s, u"b"_s}}}),
    TestSupport::rowName);

struct CsvErrorCase
{
    const char *name;
    QString text;
    QString error;
    int line;
};

class CsvErrorTest : public testing::TestWithParam<CsvErrorCase>
{
};

TEST_P(CsvErrorTest, NamesTheLine)
{
    const Csv::Result result = Csv::parse(GetParam().text);
    EXPECT_EQ(result.error, GetParam().error);
    EXPECT_EQ(result.errorLine, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvErrorTest,
    testing::Values(CsvErrorCase{"Unterminated", u"a\nb,\"open\nstill\n"_s, u"unterminated quoted field"_s, 2},
                    CsvErrorCase{"QuoteInsideField", u"a\nab\"c\n"_s, u"quote inside an unquoted field"_s, 2},
                    CsvErrorCase{"TextAfterClosingQuote", u"\"a\"b\n"_s, u"text after a closing quote"_s, 1}),
    TestSupport::rowName);

TEST(Csv, QuotesOnlyWhereNeeded)
{
    EXPECT_EQ(Csv::formatRecord({u"PP0001"_s, u"a,b"_s, u"\"x\""_s, u" lead"_s, QString()}),
              u"PP0001,\"a,b\",\"\"\"x\"\"\",\" lead\",\r\n"_s);
    EXPECT_EQ(Csv::formatRecord({u"a;b"_s, u"c"_s}, u';'), u"\"a;b\";c\r\n"_s);
}

// Runs the tool in this process.
struct ToolRun
{
    int code = 0;
    QString out, err;
};

ToolRun runTool(const QStringList &arguments)
{
    ToolRun run;
    QTextStream out(&run.out), err(&run.err);
    run.code = TableTool::run(arguments, out, err);
    out.flush();
    err.flush();
    return run;
}

class TableToolTest : public testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void writeFile(const QString &name, const QString &text)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    QTemporaryDir m_dir;
};

TEST_F(TableToolTest, ImportThenDumpGivesTheRecordsBack)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"SKDOKTYP"_s}).code, 0);
    writeFile(u"types.csv"_s, u"zkratka,\"Popis     \",TYP\nPRO,\"Prodejka, hotově\",P\nDL,Dodací list,D\n"_s);
    const ToolRun import = runTool({u"import"_s, path(u"skdoktyp"_s), path(u"types.csv"_s)});
    ASSERT_EQ(import.code, 0) << import.err.toStdString();
    EXPECT_EQ(import.out, u"2 records imported into %1\n"_s.arg(path(u"SKDOKTYP.DAT"_s)));

    const ToolRun dump = runTool({u"dump"_s, path(u"SKDOKTYP.DAT"_s), u"--recno"_s});
    ASSERT_EQ(dump.code, 0);
    const QString expected = u"RecNo,\"Zkratka   \",\"Popis     \",\"TYP       \"\r\n"
                             "1,PRO,\"Prodejka, hotově\",P\r\n"
                             "2,DL,Dodací list,D\r\n"_s;
    EXPECT_EQ(dump.out, expected);

    // A dump with record numbers imports again (the numbers are not copied).
    writeFile(u"again.csv"_s, dump.out);
    ASSERT_EQ(runTool({u"create"_s, path(u"copy"_s), u"SKDOKTYP"_s}).code, 1) << "no such directory";
    ASSERT_TRUE(QDir().mkpath(path(u"copy"_s)));
    ASSERT_EQ(runTool({u"create"_s, path(u"copy"_s), u"SKDOKTYP"_s}).code, 0);
    ASSERT_EQ(runTool({u"import"_s, path(u"copy/SKDOKTYP"_s), path(u"again.csv"_s)}).code, 0);
    EXPECT_EQ(runTool({u"dump"_s, path(u"copy/SKDOKTYP"_s), u"--recno"_s}).out, expected);
}

TEST_F(TableToolTest, DumpFollowsAnIndex)
{
    HostTreeBuilder tree(path(u"data"_s));
    tree.table(u"GLAKCE"_s).rows("Agenda|DoklZkrat|Cislo\n001|PP2|1\n001|pp1|2\n000|PP3|3");
    const ToolRun dump = runTool({u"dump"_s, tree.dataRoot() + u"GLAKCE"_s, u"--index"_s,
                                  u"Agenda+Rok+KodSezn+DoklZkrat+Cislo"_s, u"--delimiter"_s, u";"_s});
    ASSERT_EQ(dump.code, 0);
    const QStringList lines = dump.out.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.at(0), u"Agenda;Rok;KodSezn;DoklZkrat;Cislo;KodAkce;Cena;Datum;Cas;Uzivatel;Popis;Stanice"_s);
    EXPECT_TRUE(lines.at(1).startsWith(u"000;;;PP3;3;"_s));
    EXPECT_TRUE(lines.at(2).startsWith(u"001;;;pp1;2;"_s));
    EXPECT_TRUE(lines.at(3).startsWith(u"001;;;PP2;1;"_s));
    const ToolRun noIndex = runTool({u"dump"_s, tree.dataRoot() + u"GLAKCE"_s, u"--index"_s, u"Cislo"_s});
    EXPECT_EQ(noIndex.code, 1);
    EXPECT_EQ(noIndex.err, u"table %1GLAKCE has no index Cislo\n"_s.arg(tree.dataRoot()));
}

TEST_F(TableToolTest, AnImportWithABadValueWritesNothing)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s}).code, 0);
    writeFile(u"cash.csv"_s, u"Doklad,Cislo,DatVyst\nPP0001,1,2018-01-05\nPP0002,dva,2018-01-06\n"_s);
    const ToolRun import = runTool({u"import"_s, path(u"POKLKNIH"_s), path(u"cash.csv"_s)});
    EXPECT_EQ(import.code, 1);
    EXPECT_EQ(import.err, u"%1, record 2: \"dva\" is no integer for field \"Cislo\"\n"_s.arg(path(u"cash.csv"_s)));
    TBFTable table;
    ASSERT_EQ(table.Open(path(u"POKLKNIH"_s)), HostResult::Ok);
    EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(TableToolTest, ListsFieldsIndexesAndTheCatalogue)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"UCDENIK"_s, u"SKDOKTYP"_s}).code, 0);
    EXPECT_EQ(runTool({u"indexes"_s, path(u"UCDENIK"_s)}).out, u"Zdroj+ZRadek+Cislo\n"_s);
    EXPECT_EQ(runTool({u"fields"_s, path(u"SKDOKTYP"_s)}).out,
              u"\"Zkratka   \"\ttext(10)\n\"Popis     \"\ttext(50)\n\"TYP       \"\ttext(1)\n"_s);
    const ToolRun catalogue = runTool({u"catalogue"_s});
    EXPECT_TRUE(catalogue.out.contains(u"GLAKCE\tdata root\t"_s));
    EXPECT_TRUE(catalogue.out.contains(u"POKLKNIH\tyear\t"_s));
}

TEST_F(TableToolTest, Failures)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s}).code, 0);
    const ToolRun twice = runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s});
    EXPECT_EQ(twice.code, 1);
    EXPECT_EQ(twice.err, u"cannot create %1/POKLKNIH.DAT: it exists\n"_s.arg(m_dir.path()));
    EXPECT_EQ(runTool({u"create"_s, m_dir.path(), u"NENI"_s}).err, u"the catalogue has no table NENI\n"_s);
    const ToolRun missing = runTool({u"dump"_s, path(u"NENI"_s)});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, u"cannot open %1: soubor neexistuje\n"_s.arg(path(u"NENI.DAT"_s)));
    EXPECT_EQ(runTool({}).code, 2);
    EXPECT_EQ(runTool({u"dump"_s}).code, 2);
    EXPECT_EQ(runTool({u"dump"_s, path(u"POKLKNIH"_s), u"--delimiter"_s, u"\""_s}).code, 2);
    EXPECT_EQ(runTool({u"shred"_s, path(u"POKLKNIH"_s)}).code, 2);
}

} // namespace

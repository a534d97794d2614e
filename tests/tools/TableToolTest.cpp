// The table tool: CSV, dump and import, errors.

#include "tabletool/TableTool.h"
#include "tabletool/Csv.h"

#include "fixture/HostTreeBuilder.h"
#include "hostdb/SqliteSupport.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>

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

// An import is one transaction: a row that cannot be stored, wherever it
// stands, leaves the table as it was, and the message names its line and
// field and says that nothing was imported.
struct BadImportCase
{
    const char *name;
    QByteArray badRow; // after two good rows (lines 2 and 3)
    QString error;     // after "<csv>, line 4"
};

class BadImportTest : public TableToolTest, public testing::WithParamInterface<BadImportCase>
{
};

TEST_P(BadImportTest, WritesNothingAndSaysWhere)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s}).code, 0);
    QFile csv(path(u"cash.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Doklad,Cislo,DatVyst,Celkem,Popis\nPP0001,1,2018-01-05,100.5,první\nPP0002,2,2018-01-06,200,druhý\n" +
              GetParam().badRow + "\nPP0004,4,2018-01-08,1,poslední\n");
    csv.close();
    const ToolRun import = runTool({u"import"_s, path(u"POKLKNIH"_s), path(u"cash.csv"_s)});
    EXPECT_EQ(import.code, 1);
    EXPECT_EQ(import.err, path(u"cash.csv"_s) + u", line 4"_s + GetParam().error + u"; nothing was imported\n"_s);
    TBFTable table;
    ASSERT_EQ(table.Open(path(u"POKLKNIH"_s)), HostResult::Ok);
    EXPECT_EQ(table.RecordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadImportTest,
    testing::Values(
        BadImportCase{"NoInteger", "PP0003,dva,2018-01-07,3,x", u", field \"Cislo\": \"dva\" is no integer"_s},
        BadImportCase{"NotANumber", "PP0003,3,2018-01-07,nan,x", u", field \"Celkem\": \"nan\" is no finite number"_s},
        BadImportCase{"Infinity", "PP0003,3,2018-01-07,inf,x", u", field \"Celkem\": \"inf\" is no finite number"_s},
        BadImportCase{"IntegerBeyond32Bits", "PP0003,4294967297,2018-01-07,3,x",
                      u", field \"Cislo\": \"4294967297\" is beyond the range of an integer field"_s},
        BadImportCase{"KeyTextTooLong", "PP000000003,3,2018-01-07,3,x",
                      u", field \"Doklad\": \"PP000000003\" is longer than the field's 10 characters"_s},
        BadImportCase{"TextTooLong", "PP0003,3,2018-01-07,3,\"" + QByteArray(51, 'x') + "\"",
                      u", field \"Popis\": \"%1\" is longer than the field's 50 characters"_s.arg(QString(51, u'x'))},
        BadImportCase{"NulByte", QByteArray("PP0003,3,2018-01-07,3,a\0b", 25),
                      u", field \"Popis\": \"a\\0b\" contains a NUL character"_s},
        BadImportCase{"TimeZoneOffset", "PP0003,3,2018-01-07T10:00:00+01:00,3,x",
                      u", field \"DatVyst\": \"2018-01-07T10:00:00+01:00\" carries a time-zone offset (host dates are "
                      "local)"_s},
        BadImportCase{"WrongFieldCount", "PP0003,3", u": 2 fields, the header has 5"_s},
        // A message quotes the first 80 characters of what it refuses.
        BadImportCase{"LongValueQuotedShort", "PP0003," + QByteArray(200, 'x') + ",2018-01-07,3,x",
                      u", field \"Cislo\": \"%1…\" is no integer"_s.arg(QString(80, u'x'))},
        // A field no field of the table could take is refused while it is
        // read, before it is held whole.
        BadImportCase{"FieldBeyondAnyOfTheTable", "PP0003,3,2018-01-07,3,\"" + QByteArray(70000, 'x') + "\"",
                      u": a field longer than 65536 characters"_s},
        BadImportCase{"NotUtf8", "PP0003,3,2018-01-07,3,p\xf8\xedjem",
                      u": bytes that are not UTF-8 (a Windows-1250 file needs --encoding windows-1250)"_s}),
    TestSupport::rowName);

TEST_F(TableToolTest, AWindows1250ExportImportsWithItsEncoding)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s}).code, 0);
    QFile csv(path(u"cash.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Doklad;Popis\r\nPP0001;P\xf8\xedjem \x9a\xe8\r\n"); // "Příjem šč" in Windows-1250
    csv.close();
    const ToolRun import = runTool({u"import"_s, path(u"POKLKNIH"_s), path(u"cash.csv"_s), u"--delimiter"_s, u";"_s,
                                    u"--encoding"_s, u"windows-1250"_s});
    ASSERT_EQ(import.code, 0) << import.err.toStdString();
    TBFTable table;
    ASSERT_EQ(table.Open(path(u"POKLKNIH"_s)), HostResult::Ok);
    EXPECT_EQ(table.Value(u"Popis"_s).toString(), u"Příjem šč"_s);
}

TEST_F(TableToolTest, AnImportWaitsForAnotherWriterThenWritesNothing)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s}).code, 0);
    writeFile(u"cash.csv"_s, u"Doklad\nPP0001\nPP0002\n"_s);
    SqlDatabase other;
    ASSERT_TRUE(other.open(path(u"POKLKNIH.DAT"_s), false));
    ASSERT_TRUE(other.exec(u"BEGIN IMMEDIATE"_s)); // holds the table past the busy timeout
    const ToolRun import = runTool({u"import"_s, path(u"POKLKNIH"_s), path(u"cash.csv"_s)});
    other.exec(u"ROLLBACK"_s);
    EXPECT_EQ(import.code, 1);
    EXPECT_EQ(import.err,
              u"cannot write %1: database is locked; nothing was imported\n"_s.arg(path(u"POKLKNIH.DAT"_s)));
    TBFTable table;
    ASSERT_EQ(table.Open(path(u"POKLKNIH"_s)), HostResult::Ok);
    EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(TableToolTest, DumpWritesNumbersWithADecimalPoint)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s}).code, 0);
    writeFile(u"cash.csv"_s, u"Doklad,Celkem,ValutyKUhr\nPP0001,200,0.5\nPP0002,12345678.25,-0.00001\n"_s);
    ASSERT_EQ(runTool({u"import"_s, path(u"POKLKNIH"_s), path(u"cash.csv"_s)}).code, 0);
    const ToolRun dump = runTool({u"dump"_s, path(u"POKLKNIH"_s)});
    const QStringList lines = dump.out.split(u"\r\n"_s);
    ASSERT_GE(lines.size(), 3);
    const QStringList header = lines.at(0).split(u',');
    const qsizetype celkem = header.indexOf(u"Celkem"_s);
    const qsizetype valuty = header.indexOf(u"ValutyKUhr"_s);
    EXPECT_EQ(lines.at(1).split(u',').at(celkem), u"200"_s);
    EXPECT_EQ(lines.at(1).split(u',').at(valuty), u"0.5"_s);
    EXPECT_EQ(lines.at(2).split(u',').at(celkem), u"12345678.25"_s);
    EXPECT_EQ(lines.at(2).split(u',').at(valuty), u"-0.00001"_s);
}

// Records are read one at a time and know the line they began on.
TEST(CsvReader, RecordsKnowTheirFirstLine)
{
    QByteArray bytes("a,b\n\n\"two\nlines\",x\r\nlast,y");
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    Csv::Reader reader(buffer);
    QStringList record;
    QList<int> lines;
    QList<QStringList> records;
    while (reader.next(record)) {
        records.append(record);
        lines.append(reader.recordLine());
    }
    EXPECT_EQ(reader.error(), QString());
    EXPECT_EQ(records, (QList<QStringList>{{u"a"_s, u"b"_s}, {u"two\nlines"_s, u"x"_s}, {u"last"_s, u"y"_s}}));
    EXPECT_EQ(lines, (QList<int>{1, 3, 5}));
}

// A line longer than the reader's chunk, with a Czech letter cut by the
// chunk's end, reads as it would in one piece.
TEST(CsvReader, ALongLineReadsWholeAcrossItsChunks)
{
    const QString longText = QString(65536, u'x') + u"čř"_s;
    QByteArray bytes = "a,b\n" + longText.toUtf8() + ",y\n";
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    Csv::Reader reader(buffer);
    QStringList record;
    ASSERT_TRUE(reader.next(record));
    ASSERT_TRUE(reader.next(record)) << reader.error().toStdString();
    EXPECT_EQ(record, (QStringList{longText, u"y"_s}));
    EXPECT_EQ(reader.recordLine(), 2);
    EXPECT_FALSE(reader.next(record));
    EXPECT_EQ(reader.error(), QString());
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
}

// Every usage error exits 2 and prints the usage.
struct UsageCase
{
    const char *name;
    QStringList arguments;
};

class UsageTest : public TableToolTest, public testing::WithParamInterface<UsageCase>
{
};

TEST_P(UsageTest, PrintsTheUsage)
{
    ASSERT_EQ(runTool({u"create"_s, m_dir.path(), u"POKLKNIH"_s}).code, 0);
    QStringList arguments;
    for (const QString &argument : GetParam().arguments)
        arguments.append(QString(argument).replace(u"DIR"_s, m_dir.path()));
    const ToolRun run = runTool(arguments);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(u"usage:\n  tarnek-table catalogue\n"_s)) << run.err.toStdString();
    EXPECT_EQ(run.out, QString());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageTest,
    testing::Values(UsageCase{"Nothing", {}}, UsageCase{"DumpWithoutFile", {u"dump"_s}},
                    UsageCase{"QuoteAsDelimiter", {u"dump"_s, u"DIR/POKLKNIH"_s, u"--delimiter"_s, u"\""_s}},
                    UsageCase{"UnknownCommand", {u"shred"_s, u"DIR/POKLKNIH"_s}},
                    UsageCase{"UnknownOption", {u"dump"_s, u"DIR/POKLKNIH"_s, u"--fast"_s}},
                    UsageCase{"UnknownEncoding",
                              {u"import"_s, u"DIR/POKLKNIH"_s, u"DIR/x.csv"_s, u"--encoding"_s, u"latin2"_s}},
                    UsageCase{"LockWithoutNumber", {u"lock"_s, u"DIR/POKLKNIH"_s, u"abc"_s}},
                    UsageCase{"LockRecordZero", {u"lock"_s, u"DIR/POKLKNIH"_s, u"0"_s}},
                    UsageCase{"CreateWithoutTables", {u"create"_s, u"DIR"_s}},
                    UsageCase{"SnapshotsWithoutDir", {u"snapshots"_s}},
                    UsageCase{"RestoreWithoutSnapshot", {u"restore"_s, u"--force"_s}},
                    UsageCase{"RestoreOfTwoSnapshots", {u"restore"_s, u"DIR"_s, u"DIR"_s}}),
    TestSupport::rowName);

} // namespace

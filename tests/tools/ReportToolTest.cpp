// The report tool: rendering a template over typed CSV data, and its errors;
// the preview and the designer it opens.

#include "reporttool/ReportTool.h"

#include "common/MemTable.h"
#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/ReportWindows.h"
#include "report/core/designer/DesignerDocument.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/PageDump.h"
#include "report/core/output/Printers.h"
#include "report/ui/designer/DesignerWindow.h"
#include "report/ui/preview/PreviewWindow.h"
#include "reporttool/CsvTable.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ReportToolTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        pageSetup() = PageSetup();
    }
    void TearDown() override { pageSetup() = PageSetup(); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void writeText(const QString &name, const QString &text) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    // A list template: a body with the fields Cislo and Castka, a page footer
    // with the page number, parameter 0 in the report header.
    void writeTemplate(const QString &name) const
    {
        TSestava model;
        auto add = [&model](int sectionId, int kind, int reference, int left) {
            TRastelReportElement &e = model.sections().find(sectionId)->addElement();
            e.kind = kind;
            e.reference = reference;
            e.left = left;
            e.width = 100;
            e.height = 20;
        };
        model.sections().find(TOddilSestavy::ReportHeader)->height = 20;
        add(TOddilSestavy::ReportHeader, ElementKind::Parameter, 0, 0);
        model.sections().find(TOddilSestavy::Body)->height = 20;
        add(TOddilSestavy::Body, ElementKind::Field, 0, 0);
        add(TOddilSestavy::Body, ElementKind::Field, 1, 200);
        model.sections().find(TOddilSestavy::PageFooter)->height = 20;
        add(TOddilSestavy::PageFooter, ElementKind::SystemVariable, SystemVariable::PageNumber, 0);
        ASSERT_TRUE(TextFile::writeLines(path(name), model.writeTemplate()));
    }
    int run(const QStringList &arguments)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        const int result = ReportTool::run(arguments, out, err);
        out.flush();
        err.flush();
        return result;
    }

    QTemporaryDir m_dir;
    QString m_out;
    QString m_err;
};

TEST_F(ReportToolTest, RendersTypedCsvToAPageDump)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"data.csv"_s,
              u"Cislo:integer,Castka:float,Datum:datetime,Poznamka\n7,12.5,2018-01-05,\"a, b\"\n8,,,\n"_s);
    ASSERT_EQ(run({u"render"_s, path(u"SEZNAM.PTS"_s), u"--data"_s, path(u"data.csv"_s), u"--param"_s, u"0=Přehled"_s,
                   u"--format"_s, u"dump"_s, u"-o"_s, path(u"out.dump"_s)}),
              0)
        << m_err.toStdString();
    QFile file(path(u"out.dump"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString dump = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(dump.startsWith(u"pages 1\npage 1 (6 items)\n"_s)) << dump.toStdString();
    for (const QString &shown : {u"\"Přehled\""_s, u"\"7\""_s, u"\"8\""_s, u"\"1\""_s})
        EXPECT_TRUE(dump.contains(shown)) << shown.toStdString() << '\n' << dump.toStdString();
}

struct ToolErrorCase
{
    const char *name;
    QString csv;          // the data file's text
    bool templateMissing; // render a template that does not exist
    int exitCode;
    QString message; // the first line on the error stream (%1: the temporary directory)
};

class ReportToolErrors : public ReportToolTest, public testing::WithParamInterface<ToolErrorCase>
{
};

TEST_P(ReportToolErrors, ExitWithTheMessage)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"data.csv"_s, GetParam().csv);
    const QString templ = path(GetParam().templateMissing ? u"chybi.pts"_s : u"seznam.pts"_s);
    EXPECT_EQ(run({u"render"_s, templ, u"--data"_s, path(u"data.csv"_s), u"-o"_s, path(u"out.dump"_s)}),
              GetParam().exitCode);
    EXPECT_EQ(m_err.section(u'\n', 0, 0), GetParam().message.arg(m_dir.path()));
    EXPECT_FALSE(QFile::exists(path(u"out.dump"_s)));
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ReportToolErrors,
    testing::Values(
        // The report's own message and its result code 4.
        ToolErrorCase{"MissingTemplate", u"Cislo:integer\n1\n"_s, true, 4,
                      u"Chyba: Nebyl nalezen soubor s předlohou tiskové sestavy \"%1/chybi.pts\""_s},
        ToolErrorCase{"WrongType", u"Cislo:integer,Castka:float\n1,2.5\n2,dvě\n"_s, false, 1,
                      u"%1/data.csv, record 2: \"dvě\" is no float for field \"Castka\""_s},
        ToolErrorCase{"UnknownKind", u"Cislo:cislo\n1\n"_s, false, 1,
                      u"%1/data.csv: column \"Cislo\": unknown kind \"cislo\" (text, integer, float, boolean, "
                      "datetime, memo)"_s},
        ToolErrorCase{"ShortRecord", u"Cislo:integer,Nazev\n1\n"_s, false, 1,
                      u"%1/data.csv, record 1: 1 fields, the header has 2"_s}),
    TestSupport::rowName);

TEST_F(ReportToolTest, UsageErrors)
{
    EXPECT_EQ(run({u"render"_s, u"x.pts"_s}), 2);
    EXPECT_TRUE(m_err.startsWith(u"give the report's data with either --data FILE.csv or --table DIR/NAME\n"_s));
    EXPECT_EQ(run({u"render"_s, u"x.pts"_s, u"--data"_s, u"a.csv"_s, u"--format"_s, u"odt"_s}), 2);
    EXPECT_TRUE(m_err.startsWith(u"unknown format odt (dump, txt, rtf, html, pdf, emf or wmf)\n"_s));
    EXPECT_EQ(run({u"render"_s, u"x.pts"_s, u"--data"_s, u"a.csv"_s, u"--format"_s, u"pdf"_s}), 2);
    EXPECT_TRUE(m_err.startsWith(u"--format pdf needs -o FILE.pdf\n"_s));
    EXPECT_EQ(run({u"render"_s, u"x.pts"_s, u"--data"_s, u"a.csv"_s, u"--format"_s, u"wmf"_s, u"-o"_s, u"-"_s}), 2);
    EXPECT_TRUE(m_err.startsWith(u"--format wmf needs -o FILE.wmf\n"_s));
}

TEST_F(ReportToolTest, PreviewOpensTheWindowOnTheLaidOutReport)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"data.csv"_s, u"Cislo:integer,Castka:float\n7,12.5\n8,1\n"_s);
    const ReportWindows saved = ReportWindows::current();
    QStringList shown;
    ReportWindows::current().preview = [&](TSestava &report) {
        for (const TVystPrvek &item : report.output().pages.at(0).items())
            shown << item.text;
        return int(seOK);
    };
    EXPECT_EQ(
        run({u"preview"_s, path(u"seznam.pts"_s), u"--data"_s, path(u"data.csv"_s), u"--param"_s, u"0=Přehled"_s}), 0)
        << m_err.toStdString();
    for (const QString &text : {u"Přehled"_s, u"7"_s, u"8"_s})
        EXPECT_TRUE(shown.contains(text)) << text.toStdString();

    // The window's own result comes back; no output options.
    ReportWindows::current().preview = [](TSestava &) { return int(seDataOrNothing); };
    EXPECT_EQ(run({u"preview"_s, path(u"seznam.pts"_s), u"--data"_s, path(u"data.csv"_s)}), int(seDataOrNothing));
    ReportWindows::current() = saved;
    EXPECT_EQ(run({u"preview"_s, u"x.pts"_s, u"--data"_s, u"a.csv"_s, u"-o"_s, u"x.pdf"_s}), 2);
    EXPECT_TRUE(m_err.startsWith(u"preview writes no output: --format, -o and --print belong to render\n"_s));
}

TEST_F(ReportToolTest, WritesTextRtfHtmlPdfAndMetafiles)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"data.csv"_s, u"Cislo:integer,Castka:float,Datum:datetime,Poznamka\n7,12.5,2018-01-05,x\n"_s);
    struct Format
    {
        QString name, file;
        QByteArray expected;
    };
    for (const Format &f :
         {Format{u"txt"_s, u"out.txt"_s, "P\xF8\x65hled"}, Format{u"rtf"_s, u"out.rtf"_s, "{\\rtf1"},
          Format{u"html"_s, u"out.html"_s, "<HTML>"}, Format{u"pdf"_s, u"out.pdf"_s, "%PDF"},
          Format{u"emf"_s, u"out.emf"_s, " EMF"}, Format{u"wmf"_s, u"out.wmf"_s, "\xD7\xCD\xC6\x9A"}}) {
        ASSERT_EQ(run({u"render"_s, path(u"SEZNAM.PTS"_s), u"--data"_s, path(u"data.csv"_s), u"--param"_s,
                       u"0=Přehled"_s, u"--format"_s, f.name, u"-o"_s, path(f.file)}),
                  0)
            << m_err.toStdString();
        // HTML and the metafiles write page n to the name with n before the extension.
        const bool perPage = f.name == u"html"_s || f.name == u"emf"_s || f.name == u"wmf"_s;
        QFile file(path(perPage ? u"out1."_s + f.name : f.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << f.name.toStdString();
        EXPECT_TRUE(file.readAll().contains(f.expected)) << f.name.toStdString();
    }
}

// A Windows-1250 CSV read as UTF-8 is refused with its line, as the table
// tool refuses it; --encoding windows-1250 reads it with its Czech letters.
TEST_F(ReportToolTest, ACsvThatIsNotUtf8IsRefusedUnlessItsEncodingIsGiven)
{
    writeTemplate(u"seznam.pts"_s);
    QFile csv(path(u"data.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Cislo:integer,Nazev\r\n1,Pokladna\r\n2,P\xF8\xEDjem\r\n");
    csv.close();
    const QStringList render{u"render"_s,         path(u"seznam.pts"_s), u"--data"_s,
                             path(u"data.csv"_s), u"--param"_s,          u"0=x"_s};
    for (const QStringList &detail : {QStringList(), QStringList{u"--data"_s, u"polozky="_s + path(u"data.csv"_s)}}) {
        const QString utf8 = path(u"utf8.csv"_s);
        QFile good(utf8);
        ASSERT_TRUE(good.open(QIODevice::WriteOnly));
        good.write("Cislo:integer\n1\n");
        good.close();
        // The main data or a detail's: the same refusal.
        QStringList arguments = render;
        if (!detail.isEmpty())
            arguments[3] = utf8;
        EXPECT_EQ(run(arguments + detail + QStringList{u"-o"_s, path(u"out.dump"_s)}), 1);
        EXPECT_EQ(m_err, path(u"data.csv"_s) +
                             u", line 3: bytes that are not UTF-8 (a Windows-1250 file needs --encoding "
                             "windows-1250)\n"_s);
        EXPECT_FALSE(QFile::exists(path(u"out.dump"_s)));
    }
    ASSERT_EQ(run(render + QStringList{u"--encoding"_s, u"windows-1250"_s, u"-o"_s, path(u"out.dump"_s)}), 0)
        << m_err.toStdString();
    QFile dump(path(u"out.dump"_s));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(dump.readAll()).contains(u"\"Příjem\""_s));
    MemTable table;
    QString error;
    ASSERT_TRUE(CsvTable::loadCsv(path(u"data.csv"_s), table, error, Csv::Encoding::Windows1250));
    EXPECT_EQ(table.value(1, 1), QVariant(u"Příjem"_s));

    EXPECT_EQ(run(render + QStringList{u"--encoding"_s, u"latin-2"_s}), 2);
    EXPECT_TRUE(m_err.startsWith(u"unknown encoding latin-2 (utf-8 or windows-1250)\n"_s)) << m_err.toStdString();
}

// An empty or unreadable template is a valid report of blank pages; the tool
// says why nothing shows, and an export of one file per page that has no
// page writes nothing and answers "nothing to export".
TEST_F(ReportToolTest, ATemplateWithoutElementsIsReportedOnTheErrorStream)
{
    writeText(u"data.csv"_s, u"Cislo:integer\n1\n"_s);
    struct Case
    {
        const char *name;
        QByteArray bytes;
    };
    for (const Case &c :
         {Case{"empty", QByteArray()}, Case{"random", QByteArray("\x8F\x01\xFFqz\x00\x13\xE2 ,,\"", 12)}}) {
        QFile templ(path(u"prazdna.pts"_s));
        ASSERT_TRUE(templ.open(QIODevice::WriteOnly));
        templ.write(c.bytes);
        templ.close();
        EXPECT_EQ(run({u"render"_s, path(u"prazdna.pts"_s), u"--data"_s, path(u"data.csv"_s), u"--format"_s, u"pdf"_s,
                       u"-o"_s, path(u"out.pdf"_s)}),
                  0)
            << c.name;
        EXPECT_EQ(m_err, u"předloha neobsahuje žádné prvky\n"_s) << c.name;
        EXPECT_TRUE(QFile::exists(path(u"out.pdf"_s))) << c.name;
        // No page: the exports of one file per page write nothing.
        for (const QString &format : {u"html"_s, u"emf"_s, u"wmf"_s}) {
            const QString output = path(u"out."_s + format);
            EXPECT_EQ(run({u"render"_s, path(u"prazdna.pts"_s), u"--data"_s, path(u"data.csv"_s), u"--format"_s, format,
                           u"-o"_s, output}),
                      int(seDataOrNothing))
                << c.name << ' ' << format.toStdString();
            EXPECT_EQ(m_err, u"předloha neobsahuje žádné prvky\nno page to write to "_s + output + u'\n');
            EXPECT_FALSE(QFile::exists(path(u"out1."_s + format)));
        }
    }
}

// A failed export leaves no partial file and keeps the one from before, for
// every format (a file-size limit stands in for a full disk).
TEST_F(ReportToolTest, AFailedExportLeavesNoPartialFileAndKeepsTheEarlierOne)
{
    writeTemplate(u"seznam.pts"_s);
    QString rows = u"Cislo:integer,Castka:float\n"_s;
    for (int i = 1; i <= 200; ++i)
        rows += u"%1,%2.5\n"_s.arg(i).arg(i * 3);
    writeText(u"data.csv"_s, rows);
    QDir out(path(u"out"_s));
    ASSERT_TRUE(out.mkpath(u"."_s));
    for (const QString &format : {u"dump"_s, u"txt"_s, u"rtf"_s, u"html"_s, u"pdf"_s, u"emf"_s, u"wmf"_s}) {
        // HTML and the metafiles write page n to the name with n before the extension.
        const bool perPage = format == u"html"_s || format == u"emf"_s || format == u"wmf"_s;
        const QString earlier = out.filePath(perPage ? u"zprava1."_s + format : u"zprava."_s + format);
        QFile good(earlier);
        ASSERT_TRUE(good.open(QIODevice::WriteOnly));
        good.write("earlier");
        good.close();
        const QStringList before = out.entryList(QDir::Files | QDir::Hidden);
        int result = 0;
        {
            const FileSizeLimit limit(400);
            ASSERT_TRUE(limit.isActive());
            result = run({u"render"_s, path(u"seznam.pts"_s), u"--data"_s, path(u"data.csv"_s), u"--format"_s, format,
                          u"-o"_s, out.filePath(u"zprava."_s + format)});
        }
        EXPECT_EQ(result, 1) << format.toStdString();
        EXPECT_TRUE(m_err.startsWith(u"cannot write "_s)) << m_err.toStdString();
        EXPECT_EQ(out.entryList(QDir::Files | QDir::Hidden), before) << format.toStdString();
        ASSERT_TRUE(good.open(QIODevice::ReadOnly));
        EXPECT_EQ(good.readAll(), QByteArray("earlier")) << format.toStdString();
        good.close();
    }
}

TEST(CsvTableTest, TypedColumnsBecomeTableFields)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"t.csv"_s);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Doklad:text(4),Pocet:integer,Zapl:boolean,Text:memo\nABCD,3,1,\"x\ny\"\n");
    f.close();
    MemTable table;
    QString error;
    ASSERT_TRUE(CsvTable::loadCsv(file, table, error)) << error.toStdString();
    ASSERT_EQ(table.fieldCount(), 4);
    EXPECT_EQ(table.field(0).type, FieldType::String);
    EXPECT_EQ(table.field(1).type, FieldType::Integer);
    EXPECT_EQ(table.field(2).type, FieldType::Boolean);
    EXPECT_EQ(table.field(3).type, FieldType::Memo);
    EXPECT_EQ(table.value(0, 0), QVariant(u"ABCD"_s));
    EXPECT_EQ(table.value(0, 1).toInt(), 3);
    EXPECT_EQ(table.value(0, 3), QVariant(u"x\ny"_s));
}

TEST(CsvTableTest, TextLongerThanItsColumnIsRefusedWithRecordAndField)
{
    // The same rule as the table tool's import: nothing is cut silently.
    QTemporaryDir dir;
    const QString file = dir.filePath(u"t.csv"_s);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Doklad:text(4)\nABCD\nABCDEF\n");
    f.close();
    MemTable table;
    QString error;
    EXPECT_FALSE(CsvTable::loadCsv(file, table, error));
    EXPECT_TRUE(error.contains(u"record 2"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"\"Doklad\""_s)) << error.toStdString();
}

} // namespace

namespace {

// Two printers the tool can be told to print on: an A4 laser and a
// text-only line printer.
class ToolPrinters final : public PrinterList
{
public:
    QStringList names() const override { return {u"Laser"_s, u"Jehličková"_s}; }
    int defaultIndex() const override { return 0; }
    QString driverName(int index) const override { return index == 1 ? u"Generic / Text Only"_s : u"HP LaserJet 4"_s; }
    std::optional<PrinterFacts> facts(int index, int orientation) const override
    {
        if (index < 0 || index > 1)
            return std::nullopt;
        PrinterFacts f;
        f.resolutionX = f.resolutionY = 300;
        f.offsetX = f.offsetY = 0;
        f.physicalWidth = f.printableWidth = orientation == 1 ? 3508 : 2480;
        f.physicalHeight = f.printableHeight = orientation == 1 ? 2480 : 3508;
        f.orientation = orientation;
        return f;
    }
};

struct ToolPrintCase
{
    const char *name;
    QString printer;
    QByteArray start; // what the printed file starts with
    QByteArray contains;
};

class ReportToolPrint : public ReportToolTest, public testing::WithParamInterface<ToolPrintCase>
{
protected:
    void SetUp() override
    {
        ReportToolTest::SetUp();
        CurrentPrinter::current().setPrinterList(&m_printers);
    }
    void TearDown() override
    {
        CurrentPrinter::current().setPrinterList(nullptr);
        ReportToolTest::TearDown();
    }
    ToolPrinters m_printers;
};

// With -o the job goes into the file: PDF from a graphic printer, the
// character text (a form feed after each page) from a text-only one.
TEST_P(ReportToolPrint, PrintsOnTheNamedPrinterIntoTheFile)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"data.csv"_s, u"Cislo:integer,Castka:float\n7,12.5\n"_s);
    ASSERT_EQ(run({u"render"_s, path(u"seznam.pts"_s), u"--data"_s, path(u"data.csv"_s), u"--param"_s, u"0=Přehled"_s,
                   u"--print"_s, GetParam().printer, u"-o"_s, path(u"tisk.out"_s)}),
              0)
        << m_err.toStdString();
    QFile file(path(u"tisk.out"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray printed = file.readAll();
    EXPECT_TRUE(printed.startsWith(GetParam().start)) << printed.left(40).toStdString();
    EXPECT_TRUE(printed.contains(GetParam().contains));
}

INSTANTIATE_TEST_SUITE_P(Tool, ReportToolPrint,
                         testing::Values(ToolPrintCase{"Graphic", u"Laser"_s, "%PDF", "%%EOF"},
                                         ToolPrintCase{"TextOnly", u"Jehličková"_s, "\r\n\r\n\r\n", "P\xF8\x65hled"}),
                         TestSupport::rowName);

TEST_F(ReportToolPrint, UnknownPrinterOrAFormatBesidePrintingIsRefused)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"data.csv"_s, u"Cislo:integer\n1\n"_s);
    EXPECT_EQ(run({u"render"_s, path(u"seznam.pts"_s), u"--data"_s, path(u"data.csv"_s), u"--print"_s, u"Nikde"_s}), 1);
    EXPECT_EQ(m_err, u"no printer Nikde (installed: Laser, Jehličková)\n"_s);
    EXPECT_EQ(
        run({u"render"_s, u"x.pts"_s, u"--data"_s, u"a.csv"_s, u"--print"_s, u"Laser"_s, u"--format"_s, u"txt"_s}), 2);
    EXPECT_TRUE(m_err.startsWith(u"--print and --format exclude each other\n"_s));
}

} // namespace

namespace {

// "design": the real designer window over a template and CSV data, with the
// windows the program's main installs, answered by the scripted seam.
class ReportToolDesign : public ReportToolTest
{
protected:
    void SetUp() override
    {
        ReportToolTest::SetUp();
        m_saved = ReportWindows::current();
        TFormSestP::install();
        TFormSestE::install();
        writeText(u"data.csv"_s, u"Cislo:integer,Castka:float\n7,12.5\n8,1\n"_s);
    }
    void TearDown() override
    {
        ReportWindows::current() = m_saved;
        ReportToolTest::TearDown();
    }
    QStringList design(const QString &templateName) const
    {
        return {u"design"_s, path(templateName), u"--data"_s, path(u"data.csv"_s)};
    }
    QStringList readTemplate(const QString &name) const
    {
        return TextFile::readLines(path(name)).value_or(QStringList());
    }
    static QAction *action(QWidget &window, const QString &name) { return TestSupport::child<QAction>(window, name); }
    // A graphic text "Přehled" inserted into the report header of the designer's copy.
    static void insertTitle(DesignerDocument &editor)
    {
        TRastelReportElement *title =
            editor.insertElement(DesignerTool::GraphicText, TOddilSestavy::ReportHeader, QPoint(200, 0));
        ASSERT_NE(title, nullptr);
        ASSERT_TRUE(editor.setText(title, u"Přehled"_s));
    }

    ReportWindows m_saved;
};

TEST_F(ReportToolDesign, TheDesignerShowsTheDataPreviewsTheCopyAndSaves)
{
    writeTemplate(u"seznam.pts"_s);
    QStringList fields;
    QString dump;
    scriptedUi().onWindow(u"FormSestE"_s, [&](QDialog &window) {
        auto &designer = static_cast<TFormSestE &>(window);
        fields = designer.editor().model().fieldNames();
        insertTitle(designer.editor());
        // The preview of the copy over the tool's data, then back.
        scriptedUi().onWindow(u"TFormSestP"_s, [&](QDialog &preview) {
            dump = dumpOutput(designer.editor().report().output());
            action(preview, u"ActionEdit"_s)->trigger();
        });
        action(designer, u"ActionNahled"_s)->trigger();
        action(designer, u"ActionUlozit"_s)->trigger();
        action(designer, u"ActionKonec"_s)->trigger();
    });
    EXPECT_EQ(run(design(u"seznam.pts"_s)), 0) << m_err.toStdString();
    EXPECT_EQ(fields, (QStringList{u"Cislo"_s, u"Castka"_s}));
    for (const QString &shown : {u"\"Přehled\""_s, u"\"7\""_s, u"\"8\""_s})
        EXPECT_TRUE(dump.contains(shown)) << shown.toStdString() << '\n' << dump.toStdString();
    EXPECT_TRUE(readTemplate(u"seznam.pts"_s).join(u'\n').contains(u"\"Přehled\""_s));
    EXPECT_TRUE(m_err.isEmpty()) << m_err.toStdString();
}

TEST_F(ReportToolDesign, DroppedChangesLeaveTheFileAndExitZero)
{
    writeTemplate(u"seznam.pts"_s);
    const QStringList before = readTemplate(u"seznam.pts"_s);
    scriptedUi().onWindow(u"FormSestE"_s, [&](QDialog &window) {
        insertTitle(static_cast<TFormSestE &>(window).editor());
        scriptedUi().answer(MessageAnswer::No); // "V předloze sestavy byly provedeny změny. Uložit?"
        action(window, u"ActionKonec"_s)->trigger();
    });
    EXPECT_EQ(run(design(u"seznam.pts"_s)), 0) << m_err.toStdString();
    EXPECT_EQ(readTemplate(u"seznam.pts"_s), before);
}

// A template that is not there: the report offers to create it; refused, the
// tool ends with the report's code 4, accepted, the designer opens on the new
// empty file.
TEST_F(ReportToolDesign, AMissingTemplateIsOfferedAndRefusingEnds)
{
    const QString question =
        u"Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\". Založit nový?"_s.arg(path(u"novy.pts"_s));
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(run(design(u"novy.pts"_s)), int(seTemplateLoad));
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Confirmation, question, u"Potvrzení"_s}}));
    EXPECT_FALSE(QFile::exists(path(u"novy.pts"_s)));
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"FormSestE"_s));

    scriptedUi().reset();
    scriptedUi().answer(MessageAnswer::Yes);
    scriptedUi().onWindow(u"FormSestE"_s, [](QDialog &window) { action(window, u"ActionKonec"_s)->trigger(); });
    EXPECT_EQ(run(design(u"novy.pts"_s)), 0) << m_err.toStdString();
    EXPECT_TRUE(QFile::exists(path(u"novy.pts"_s)));
}

struct DesignBadInputRow
{
    const char *name;
    QStringList arguments; // after "design" (%1: the temporary directory)
    int exitCode;
    QString message; // the first line on the error stream
};

class ReportToolDesignBadInput : public ReportToolDesign, public testing::WithParamInterface<DesignBadInputRow>
{
};

TEST_P(ReportToolDesignBadInput, EndsWithTheMessageBeforeAnyWindow)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"spatna.csv"_s, u"Cislo:cislo\n1\n"_s);
    QStringList arguments{u"design"_s};
    for (const QString &argument : GetParam().arguments)
        arguments << QString(argument).replace(u"%1"_s, m_dir.path());
    EXPECT_EQ(run(arguments), GetParam().exitCode);
    EXPECT_EQ(m_err.section(u'\n', 0, 0), QString(GetParam().message).replace(u"%1"_s, m_dir.path()));
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ReportToolDesignBadInput,
    testing::Values(DesignBadInputRow{"MissingData",
                                      {u"%1/seznam.pts"_s, u"--data"_s, u"%1/chybi.csv"_s},
                                      1,
                                      u"cannot read %1/chybi.csv"_s},
                    DesignBadInputRow{"BadColumnKind",
                                      {u"%1/seznam.pts"_s, u"--data"_s, u"%1/spatna.csv"_s},
                                      1,
                                      u"%1/spatna.csv: column \"Cislo\": unknown kind \"cislo\" (text, integer, "
                                      "float, boolean, datetime, memo)"_s},
                    DesignBadInputRow{"NoData",
                                      {u"%1/seznam.pts"_s},
                                      2,
                                      u"give the report's data with either --data FILE.csv or --table DIR/NAME"_s},
                    DesignBadInputRow{"OutputOption",
                                      {u"%1/seznam.pts"_s, u"--data"_s, u"%1/x.csv"_s, u"-o"_s, u"x"_s},
                                      2,
                                      u"design writes no output: --format, -o and --print belong to render"_s}),
    TestSupport::rowName);

} // namespace

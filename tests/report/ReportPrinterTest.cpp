// Printing a report: the sheets of a small printer page, the print options
// window, graphic pages to a file and to a CUPS queue, character text on a
// text-only printer, and the Print operation's printer selection.
#include "DataFixture.h"

#include "report/core/ReportCaptions.h"
#include "report/core/ReportWindows.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/PrintSheets.h"
#include "report/core/output/TextExport.h"
#include "report/ui/printing/PrintScalingDialog.h"
#include "report/ui/printing/QtPrinterList.h"
#include "report/ui/printing/ReportPrinter.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include <functional>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using TestSupport::click;

namespace {

const PrinterMargins kMargins{50, 70, 50, 70};

// ---------------------------------------------------------------- the sheets

struct SheetCase
{
    const char *name;
    QSize paper;
    QSize printerPage;
    PrintSheets::Option option;
    bool rotated;
    int zoom;
    int across;
    int down;
    QSize usedPage;
    QPoint lastSheet; // where the last sheet starts on the paper
};

class PrintSheetsTest : public testing::TestWithParam<SheetCase>
{
};

TEST_P(PrintSheetsTest, ZoomSheetsAndPageFollowTheOption)
{
    const SheetCase &c = GetParam();
    PrintSheets sheets(c.paper, c.printerPage, kMargins);
    sheets.setOption(c.option);
    sheets.setRotated(c.rotated);
    EXPECT_EQ(sheets.zoom(), c.zoom);
    EXPECT_EQ(sheets.across(), c.across);
    EXPECT_EQ(sheets.down(), c.down);
    EXPECT_EQ(sheets.printerPage(), c.usedPage);
    EXPECT_EQ(sheets.sheetOffset(c.down - 1, c.across - 1), c.lastSheet);
}

const QSize kA3(1169, 1652);
const QSize kA4(826, 1169);

INSTANTIATE_TEST_SUITE_P(
    ReportPrinter, PrintSheetsTest,
    testing::Values(
        SheetCase{"CropA3OnA4", kA3, kA4, PrintSheets::Crop, false, 100, 1, 1, kA4, {0, 0}},
        SheetCase{"ScaleA3OnA4", kA3, kA4, PrintSheets::Scale, false, 70, 1, 1, kA4, {0, 0}},
        // Across: 826 covered, then 726 more; down: 1169, then 1029 more.
        SheetCase{"SheetsA3OnA4", kA3, kA4, PrintSheets::MultipleSheets, false, 100, 2, 2, kA4, {726, 1029}},
        SheetCase{"SheetsA3OnTurnedA4", kA3, kA4, PrintSheets::MultipleSheets, true, 100, 1, 3, {1169, 826}, {0, 1372}},
        SheetCase{"ScaleA3OnTurnedA4", kA3, kA4, PrintSheets::Scale, true, 50, 1, 1, {1169, 826}, {0, 0}},
        // 8 units left over is under 1 % of 826; 10 units is over.
        SheetCase{
            "SheetsWithinOnePercent", {834, 1169}, kA4, PrintSheets::MultipleSheets, false, 100, 1, 1, kA4, {0, 0}},
        SheetCase{
            "SheetsBeyondOnePercent", {836, 1169}, kA4, PrintSheets::MultipleSheets, false, 100, 2, 1, kA4, {726, 0}},
        // A page smaller than the margins is taken as the margins plus one.
        SheetCase{
            "TinyPageCropGrowsToTheMargins", kA4, {50, 50}, PrintSheets::Crop, false, 100, 1, 1, {101, 141}, {0, 0}},
        SheetCase{"TinyPageScaleKeepsItsPage", kA4, {50, 50}, PrintSheets::Scale, false, 4, 1, 1, {50, 50}, {0, 0}},
        // Each further sheet then covers one unit: the count still ends.
        SheetCase{"TinyPageSheetsOneUnitEach",
                  kA4,
                  {50, 50},
                  PrintSheets::MultipleSheets,
                  false,
                  100,
                  725,
                  1028,
                  {101, 141},
                  {724, 1027}},
        SheetCase{"ScaleNeverEnlarges", kA4, kA3, PrintSheets::Scale, false, 100, 1, 1, kA3, {0, 0}}),
    TestSupport::rowName);

struct NeedsOptionsCase
{
    const char *name;
    QSize paper;
    QSize printerPage;
    bool needed;
};

class PrintOptionsNeeded : public testing::TestWithParam<NeedsOptionsCase>
{
};

TEST_P(PrintOptionsNeeded, WhenThePrinterPageIsUnderNinetyNinePercent)
{
    EXPECT_EQ(PrintSheets::needsOptions(GetParam().paper, GetParam().printerPage), GetParam().needed);
}

INSTANTIATE_TEST_SUITE_P(ReportPrinter, PrintOptionsNeeded,
                         testing::Values(NeedsOptionsCase{"A3OnA4", kA3, kA4, true},
                                         NeedsOptionsCase{"A4OnA4", kA4, kA4, false},
                                         NeedsOptionsCase{"A4OnA3", kA4, kA3, false},
                                         NeedsOptionsCase{"WiderWithinOnePercent", {834, 1169}, kA4, false},
                                         NeedsOptionsCase{"WiderBeyondOnePercent", {835, 1169}, kA4, true},
                                         NeedsOptionsCase{"TallerBeyondOnePercent", {826, 1200}, kA4, true},
                                         NeedsOptionsCase{"LandscapePaperOnPortraitPage", {1169, 826}, kA4, true}),
                         TestSupport::rowName);

TEST(ReportPrinterUnits, PrinterPixelsBecomeUnitsRoundedDown)
{
    EXPECT_EQ(PrintSheets::pageInUnits(2480, 3508, 300, 300), QSize(826, 1169));
    EXPECT_EQ(PrintSheets::pageInUnits(1000, 1000, 600, 300), QSize(166, 333));
}

// ---------------------------------------------------------------- the window

QString labelText(QWidget &window, const QString &name)
{
    QLabel *label = TestSupport::child<QLabel>(window, name);
    return label ? label->text() : QString();
}

TEST(PrintOptionsWindow, OptionsShowTheirZoomAndTheTurnedMediumTurnsThePrinter)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    ASSERT_EQ(TFormRastelReportZoom::printerPage(printer), kA4);
    TFormRastelReportZoom window(printer, PrintSheets(kA3, kA4, kMargins));
    EXPECT_EQ(window.windowTitle(), u"Rastel - možnosti tisku"_s);
    EXPECT_EQ(labelText(window, u"lblFormatSestavy"_s), u"1169 x 1652"_s);
    EXPECT_EQ(labelText(window, u"lblFormatMedia"_s), u"826 x 1169"_s);
    EXPECT_EQ(labelText(window, u"lblZoom"_s), u"100 %"_s);

    click(window, u"rbZmensit"_s);
    EXPECT_EQ(labelText(window, u"lblZoom"_s), u"70 %"_s);
    click(window, u"cbOtocit"_s);
    EXPECT_EQ(labelText(window, u"lblZoom"_s), u"50 %"_s);
    EXPECT_EQ(labelText(window, u"lblFormatMedia"_s), u"1169 x 826"_s);
    click(window, u"rbViceListu"_s);
    EXPECT_EQ(labelText(window, u"lblZoom"_s), u"100 %"_s);
    EXPECT_EQ(window.sheets().across(), 1);
    EXPECT_EQ(window.sheets().down(), 3);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait); // only confirming turns it

    click(window, u"btnTisknout"_s);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(TFormRastelReportZoom::printerPage(printer), QSize(1169, 826));
}

TEST(PrintOptionsWindow, CancelLeavesThePrinterAsItWas)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    TFormRastelReportZoom window(printer, PrintSheets(kA3, kA4, kMargins));
    click(window, u"cbOtocit"_s);
    click(window, u"btnStorno"_s);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

// ---------------------------------------------------------------- printing

// pdfinfo's "Pages:" line.
int pdfPages(const QString &file)
{
    const QRegularExpressionMatch m = QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption)
                                          .match(programOutput(u"pdfinfo"_s, {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// pdfinfo's page size in points, rounded.
QSize pdfPageSize(const QString &file)
{
    const QRegularExpressionMatch m =
        QRegularExpression(u"^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s, QRegularExpression::MultilineOption)
            .match(programOutput(u"pdfinfo"_s, {file}));
    return m.hasMatch() ? QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())) : QSize();
}

QString pdfText(const QString &file)
{
    return programOutput(u"pdftotext"_s, {u"-layout"_s, file, u"-"_s});
}

const QSize kA4Points(595, 842);

// A two-page protocol on A4: a page header and one line per record.
class Printing : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        m_savedWindows = ReportWindows::current();
    }
    void TearDown() override
    {
        ReportWindows::current() = m_savedWindows;
        CurrentPrinter::current().setPrinterList(nullptr);
        DataFixture::TearDown();
    }

    void buildProtocol(int records = 60)
    {
        setHeight(TOddilSestavy::PageHeader, 40);
        add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, {0, 0, 500, 20}, u"Účetní protokol"_s);
        setHeight(TOddilSestavy::Body, 20);
        add(TOddilSestavy::Body, ElementKind::Field, Doklad, {0, 0, 150, 20});
        addRecords(records);
        m_report.setPredloha(m_report.writeTemplate());
    }
    void prepare(int pages = 2)
    {
        ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
        ASSERT_EQ(m_report.output().pageCount(), pages);
    }

    // Printers: two A4 lasers and a text-only one (the system's current).
    void installFakePrinters()
    {
        m_printers.printers << FakePrinterList::a4(u"Kancelář"_s, 50, 50, 50, 50)
                            << FakePrinterList::a4(u"Sklad"_s, 75, 60, 40, 90);
        m_printers.printers << FakePrinterList::textOnly(u"Jehličková"_s, 826, 1169, 0, 0);
        m_printers.systemDefault = 2;
        CurrentPrinter::current().setPrinterList(&m_printers);
    }

    ReportWindows m_savedWindows;
    FakePrinterList m_printers;
};

TEST_F(Printing, EveryPageGoesToTheFileWithTheReportsTitle)
{
    if (!hasProgram(u"pdfinfo"_s))
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    buildProtocol();
    prepare();
    PrintRun run;
    run.outputFile = tempPath(u"tisk.pdf"_s);
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    EXPECT_EQ(pdfPages(run.outputFile), 2);
    EXPECT_EQ(pdfPageSize(run.outputFile), kA4Points);
    EXPECT_TRUE(programOutput(u"pdfinfo"_s, {run.outputFile}).contains(u"Tisková úloha RASTEL"_s));
    const QString text = pdfText(run.outputFile);
    EXPECT_EQ(text.count(u"Účetní protokol"_s), 2);
    for (const QString &doklad : {u"D001"_s, u"D049"_s, u"D050"_s, u"D060"_s})
        EXPECT_TRUE(text.contains(doklad)) << doklad.toStdString();
    // The second page holds the records after the first page's.
    EXPECT_GT(text.indexOf(u"D060"_s), text.indexOf(u'\f'));
}

struct RangeCase
{
    const char *name;
    int firstPage;
    int lastPage;
    int copies;
    int pages; // printed; 0: no job at all
};

class PrintRanges : public Printing, public testing::WithParamInterface<RangeCase>
{
};

TEST_P(PrintRanges, PagesAreClampedAndCopiesRepeatTheDocument)
{
    if (!hasProgram(u"pdfinfo"_s))
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    buildProtocol();
    prepare();
    PrintRun run;
    run.firstPage = GetParam().firstPage;
    run.lastPage = GetParam().lastPage;
    run.copies = GetParam().copies;
    run.jobTitle = u"Rozsah"_s;
    run.outputFile = tempPath(u"rozsah.pdf"_s);
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    if (GetParam().pages == 0) {
        EXPECT_FALSE(QFile::exists(run.outputFile));
        return;
    }
    EXPECT_EQ(pdfPages(run.outputFile), GetParam().pages);
    EXPECT_TRUE(programOutput(u"pdfinfo"_s, {run.outputFile}).contains(u"Rozsah"_s));
}

INSTANTIATE_TEST_SUITE_P(ReportPrinter, PrintRanges,
                         testing::Values(RangeCase{"All", 1, 9999, 1, 2}, RangeCase{"SecondOnly", 2, 2, 1, 1},
                                         RangeCase{"FromZero", 0, 1, 1, 1},
                                         RangeCase{"ThreeCopiesOfTheFirst", 1, 1, 3, 3},
                                         RangeCase{"TwoCopiesOfAll", -5, 50, 2, 4},
                                         RangeCase{"BeyondTheOutput", 3, 9999, 1, 0},
                                         RangeCase{"Reversed", 2, 1, 1, 0}),
                         TestSupport::rowName);

struct OptionsCase
{
    const char *name;
    const char *button; // clicked before "Tisknout"; "btnStorno" cancels
    int result;
    int sheetsPerPage; // 0: nothing printed
};

class PrintOptionsOnASmallerPrinter : public Printing, public testing::WithParamInterface<OptionsCase>
{
};

// An A3 report printed on an A4 printer asks for the options first; the
// sheets come out as A4 pages.
TEST_P(PrintOptionsOnASmallerPrinter, TheChosenOptionDecidesTheSheets)
{
    if (!hasProgram(u"pdfinfo"_s))
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    installFakePrinters();
    pageSetup().paperWidth = kA3.width();
    pageSetup().paperHeight = kA3.height();
    buildProtocol(100);
    ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
    const int reportPages = m_report.output().pageCount();
    ASSERT_GE(reportPages, 2);
    const QString button = QString::fromLatin1(GetParam().button);
    scriptedUi().onWindow(u"TFormRastelReportZoom"_s, [&](QDialog &window) {
        EXPECT_EQ(labelText(window, u"lblFormatSestavy"_s), u"1169 x 1652"_s);
        EXPECT_EQ(labelText(window, u"lblFormatMedia"_s), u"826 x 1169"_s);
        click(window, button);
        if (button != u"btnStorno"_s)
            click(window, u"btnTisknout"_s);
    });
    PrintRun run;
    run.printerIndex = 0;
    run.outputFile = tempPath(u"a3.pdf"_s);
    EXPECT_EQ(ReportPrinter::printOutput(m_report, run), GetParam().result);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TFormRastelReportZoom"_s});
    if (GetParam().sheetsPerPage == 0) {
        EXPECT_FALSE(QFile::exists(run.outputFile));
        return;
    }
    EXPECT_EQ(pdfPages(run.outputFile), reportPages * GetParam().sheetsPerPage);
    EXPECT_EQ(pdfPageSize(run.outputFile), kA4Points);
}

INSTANTIATE_TEST_SUITE_P(ReportPrinter, PrintOptionsOnASmallerPrinter,
                         testing::Values(OptionsCase{"Crop", "rbOriznout", seOK, 1},
                                         OptionsCase{"Scale", "rbZmensit", seOK, 1},
                                         OptionsCase{"MultipleSheets", "rbViceListu", seOK, 4},
                                         OptionsCase{"Cancel", "btnStorno", seCancelled, 0}),
                         TestSupport::rowName);

TEST_F(Printing, AnA4ReportOnAnA4PrinterAsksNothing)
{
    if (!hasProgram(u"pdfinfo"_s))
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    installFakePrinters();
    buildProtocol();
    prepare();
    PrintRun run;
    run.printerIndex = 1;
    run.outputFile = tempPath(u"a4.pdf"_s);
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
    EXPECT_EQ(pdfPages(run.outputFile), 2);
}

struct OrientationCase
{
    const char *name;
    int orientation;
    bool allowChange; // "Povolit změnu orientace"
    bool asksForOptions;
    QSize pagePoints;
};

class PrintOrientation : public Printing, public testing::WithParamInterface<OrientationCase>
{
};

// The printer takes the report's orientation unless the printer's own may
// stand; a landscape report on a portrait printer then asks, and turning the
// medium there prints it across.
TEST_P(PrintOrientation, ThePrinterFollowsTheReportUnlessItMayKeepItsOwn)
{
    if (!hasProgram(u"pdfinfo"_s))
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    installFakePrinters();
    pageSetup().orientation = GetParam().orientation;
    pageSetup().allowOrientationChange = GetParam().allowChange;
    buildProtocol(20);
    ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
    if (GetParam().asksForOptions) {
        scriptedUi().onWindow(u"TFormRastelReportZoom"_s, [](QDialog &window) {
            EXPECT_EQ(labelText(window, u"lblFormatSestavy"_s), u"1169 x 826"_s);
            EXPECT_EQ(labelText(window, u"lblFormatMedia"_s), u"826 x 1169"_s);
            click(window, u"cbOtocit"_s);
            click(window, u"btnTisknout"_s);
        });
    }
    PrintRun run;
    run.printerIndex = 0;
    run.outputFile = tempPath(u"otoceni.pdf"_s);
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    EXPECT_EQ(scriptedUi().windowsShown().size(), GetParam().asksForOptions ? 1 : 0);
    EXPECT_EQ(pdfPageSize(run.outputFile), GetParam().pagePoints);
}

INSTANTIATE_TEST_SUITE_P(
    ReportPrinter, PrintOrientation,
    testing::Values(OrientationCase{"Portrait", PageSetup::Portrait, false, false, kA4Points},
                    OrientationCase{"Landscape", PageSetup::Landscape, false, false, kA4Points.transposed()},
                    OrientationCase{"PortraitPrinterMayStay", PageSetup::Portrait, true, false, kA4Points},
                    OrientationCase{"LandscapeOnAPrinterThatKeepsPortrait", PageSetup::Landscape, true, true,
                                    kA4Points.transposed()}),
    TestSupport::rowName);

// The background picture prints only when asked for.
TEST_F(Printing, TheBackgroundPictureIsDrawnOnlyWhenAskedFor)
{
    if (!hasProgram(u"pdfimages"_s))
        GTEST_SKIP() << "pdfimages (poppler-utils) is not installed";
    QImage picture(40, 60, QImage::Format_RGB32);
    picture.fill(QColor(0xC0, 0xE0, 0xFF));
    const QString pictureFile = tempPath(u"pozadi.png"_s);
    ASSERT_TRUE(picture.save(pictureFile));
    m_report.setBackground(pictureFile);
    buildProtocol();
    prepare();
    for (const bool background : {false, true}) {
        PrintRun run;
        run.printBackground = background;
        run.outputFile = tempPath(u"pozadi.pdf"_s);
        ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
        // pdfimages -list: two heading lines, then one line per image drawn.
        const QStringList images =
            programOutput(u"pdfimages"_s, {u"-list"_s, run.outputFile}).split(u'\n', Qt::SkipEmptyParts).mid(2);
        EXPECT_EQ(images.size(), background ? 2 : 0) << "background " << background;
    }
}

// Closing the window "Odesílám data do tiskárny ..." aborts the job: the
// file of the printer's port is not left behind.
TEST_F(Printing, ClosingTheProgressWindowAbortsTheJob)
{
    buildProtocol();
    prepare();
    QString shownText;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *window = qobject_cast<QDialog *>(w);
            if (window && window->objectName() == u"frmProgress"_s && window->isVisible()) {
                shownText = labelText(*window, u"lblText"_s);
                window->reject();
            }
        }
    });
    PrintRun run;
    run.outputFile = tempPath(u"preruseno.pdf"_s);
    EXPECT_EQ(ReportPrinter::printOutput(m_report, run), seCancelled);
    EXPECT_EQ(shownText, u"Odesílám data do tiskárny ..."_s);
    EXPECT_FALSE(QFile::exists(run.outputFile));
}

TEST_F(Printing, WithoutAPrinterOrAFileNothingPrints)
{
    buildProtocol();
    prepare();
    EXPECT_EQ(ReportPrinter::printOutput(m_report, PrintRun{}), seNoPrinter);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning, u"V systému není nainstalovaná žádná tiskárna."_s, SestCaption::varovani()}}));
}

// The text a text-only printer gets: per page the rows from the printable
// area's top (the margin of 70 units is 4 rows at 6 per inch), every row
// ending in CR LF, then a form feed.
TEST_F(Printing, ATextOnlyPrinterGetsTheCharacterTextPageByPage)
{
    installFakePrinters();
    buildProtocol();
    m_report.setExportLanguage(slASCII);
    prepare();
    PrintRun run;
    run.printerIndex = 2;
    run.copies = 2;
    run.outputFile = tempPath(u"jehlickova.txt"_s);
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    QFile file(run.outputFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const QList<QByteArray> pages = text.split('\f');
    ASSERT_EQ(pages.size(), 5); // two copies of two pages, each ending in a form feed
    EXPECT_TRUE(pages.last().isEmpty());
    EXPECT_EQ(pages.at(0), pages.at(2));
    EXPECT_EQ(pages.at(1), pages.at(3));
    for (int p = 0; p < 2; ++p) {
        const QList<QByteArray> rows = pages.at(p).split('\n');
        ASSERT_GT(rows.size(), 6);
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(rows.at(r), "\r") << "page " << p << " row " << r;
        EXPECT_EQ(rows.at(4).trimmed(), "Ucetni protokol") << "page " << p;
        EXPECT_TRUE(pages.at(p).endsWith("\r\n"));
    }
    // The first record is the first body row (the header is 40 units, 2 rows high).
    EXPECT_EQ(pages.at(0).split('\n').at(6).trimmed(), "D001");
    EXPECT_TRUE(pages.at(1).contains("D060"));
    EXPECT_FALSE(pages.at(0).contains("D060"));
}

// Print with an index outside the list takes the system's current printer
// (here the text-only one, whose queue does not exist), and the printer
// selected before is selected again afterwards.
TEST_F(Printing, PrintOutsideTheListUsesTheCurrentPrinterAndRestoresTheSelection)
{
    installFakePrinters();
    buildProtocol();
    ReportPrinter::install();
    ASSERT_TRUE(CurrentPrinter::current().selectPrinter(0));
    EXPECT_EQ(m_report.Print(7), seOutputWrite);
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Error, u"Tiskovou úlohu se nepodařilo odeslat do tiskárny \"Jehličková\"."_s,
                             SestCaption::chyba()}}));
    EXPECT_EQ(CurrentPrinter::current().selectedIndex(), 0);
}

TEST_F(Printing, PrintWithoutPrintersWarnsAndReturnsTwo)
{
    buildProtocol();
    ReportPrinter::install();
    EXPECT_EQ(m_report.Print(-1), seNoPrinter);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning, u"V systému není nainstalovaná žádná tiskárna."_s, SestCaption::varovani()}}));
}

// ---------------------------------------------------------------- CUPS

// The CUPS queues scripts/start-printer.sh sets up: the first graphic
// queue, or the first text-only one; -1 when there is none.
int cupsQueue(const QtPrinterList &list, bool textOnly)
{
    const QStringList names = list.names();
    for (int i = 0; i < names.size(); ++i) {
        if (CurrentPrinter::isTextOnlyDriver(list.driverName(i)) == textOnly)
            return i;
    }
    return -1;
}

// Waits up to a minute for the first file of `dir` whose name starts with
// `prefix` and that `complete` accepts (the queue may still be writing it).
QString waitForFile(const QString &dir, const QString &prefix, const std::function<bool(const QString &)> &complete)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        const QStringList found = QDir(dir).entryList({prefix + u"*"_s}, QDir::Files);
        if (!found.isEmpty() && complete(QDir(dir).filePath(found.first())))
            return QDir(dir).filePath(found.first());
        QThread::msleep(250);
    }
    return QString();
}

QString uniqueTitle(const char *what)
{
    return u"Tarnek%1_%2_%3"_s.arg(QString::fromUtf8(what))
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

// The PDF that CUPS-PDF writes for a job named `fileTitle` into the PDF
// folder of the user who printed; empty when none comes within a minute.
QString queuedPdf(const QString &fileTitle)
{
    const passwd *user = getpwuid(getuid());
    if (!user)
        return QString();
    return waitForFile(QDir(QString::fromLocal8Bit(user->pw_dir)).filePath(u"PDF"_s), fileTitle,
                       [](const QString &file) { return pdfPages(file) > 0; });
}

TEST_F(Printing, TheCupsPdfQueuePrintsBothPages)
{
    QtPrinterList list;
    CurrentPrinter::current().setPrinterList(&list);
    const int queue = cupsQueue(list, false);
    TARNEK_REQUIRE_PRINTER(queue >= 0);
    ASSERT_TRUE(hasProgram(u"pdfinfo"_s)) << "poppler-utils is needed beside the printer";
    buildProtocol();
    ASSERT_TRUE(CurrentPrinter::current().selectPrinter(queue));
    prepare();
    // The printer's file port gives the page the queue prints on.
    PrintRun file;
    file.printerIndex = queue;
    file.outputFile = tempPath(u"expected.pdf"_s);
    ASSERT_EQ(ReportPrinter::printOutput(m_report, file), seOK);
    const QString expected = file.outputFile;
    PrintRun run;
    run.printerIndex = queue;
    run.jobTitle = uniqueTitle("Tisková");
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    // The file is named after the job's title, which reaches CUPS without accents.
    const QString pdf = queuedPdf(QString(run.jobTitle).replace(u"á"_s, u"a"_s));
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of " << run.jobTitle.toStdString() << " from the queue "
                                << list.names().at(queue).toStdString();
    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_EQ(pdfPageSize(pdf), pdfPageSize(expected));
    // The queue's conversion keeps the characters of Windows-1252 only.
    const QString text = pdfText(pdf);
    EXPECT_EQ(text.count(u"etní protokol"_s), 2);
    for (const QString &doklad : {u"D001"_s, u"D049"_s, u"D050"_s, u"D060"_s})
        EXPECT_TRUE(text.contains(doklad)) << doklad.toStdString();
    QFile::remove(pdf);
}

// A landscape report reaches the PDF queue as a landscape page (a viewer
// shows it wider than tall), not as an upright page with the content turned.
TEST_F(Printing, ALandscapeReportReachesTheCupsPdfQueueAsALandscapePage)
{
    QtPrinterList list;
    CurrentPrinter::current().setPrinterList(&list);
    const int queue = cupsQueue(list, false);
    TARNEK_REQUIRE_PRINTER(queue >= 0);
    ASSERT_TRUE(hasProgram(u"pdfinfo"_s)) << "poppler-utils is needed beside the printer";
    pageSetup().orientation = PageSetup::Landscape;
    buildProtocol(20);
    ASSERT_TRUE(CurrentPrinter::current().selectPrinter(queue));
    prepare(1);
    PrintRun run;
    run.printerIndex = queue;
    run.jobTitle = uniqueTitle("Sirka");
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    const QString pdf = queuedPdf(run.jobTitle);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of " << run.jobTitle.toStdString();
    QSize shown = pdfPageSize(pdf);
    const QRegularExpressionMatch rotation =
        QRegularExpression(u"^Page rot:\\s+(\\d+)"_s, QRegularExpression::MultilineOption)
            .match(programOutput(u"pdfinfo"_s, {pdf}));
    if (rotation.hasMatch() && rotation.captured(1).toInt() % 180 == 90)
        shown.transpose();
    EXPECT_GT(shown.width(), shown.height()) << "shown " << shown.width() << " x " << shown.height();
    QFile::remove(pdf);
}

// The text-only queue writes each job to /var/spool/tarnek-text/TITLE.txt.
TEST_F(Printing, TheCupsTextQueueGetsTheCharacterText)
{
    QtPrinterList list;
    CurrentPrinter::current().setPrinterList(&list);
    const int queue = cupsQueue(list, true);
    TARNEK_REQUIRE_PRINTER(queue >= 0);
    buildProtocol();
    m_report.setExportLanguage(slCP1250);
    ASSERT_TRUE(CurrentPrinter::current().selectPrinter(queue));
    prepare();
    PrintRun file;
    file.printerIndex = queue;
    file.outputFile = tempPath(u"expected.txt"_s);
    ASSERT_EQ(ReportPrinter::printOutput(m_report, file), seOK);
    QFile expectedFile(file.outputFile);
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly));
    const QByteArray expected = expectedFile.readAll();
    ASSERT_EQ(expected.count('\f'), 2);
    ASSERT_TRUE(expected.contains(OutputText::toCodePage(u"Účetní protokol"_s, slCP1250)));

    PrintRun run;
    run.printerIndex = queue;
    run.jobTitle = uniqueTitle("Text");
    ASSERT_EQ(ReportPrinter::printOutput(m_report, run), seOK);
    // The backend renames the finished file to its name.
    const QString printed =
        waitForFile(u"/var/spool/tarnek-text"_s, run.jobTitle + u".txt"_s, [](const QString &) { return true; });
    ASSERT_FALSE(printed.isEmpty()) << "no text of " << run.jobTitle.toStdString();
    QFile out(printed);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), expected);
    out.remove();
}

} // namespace

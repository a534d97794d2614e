// The preview window over a prepared report, driven by its actions: paging,
// the page query, zoom, the save menu, keys, the custom action, the print
// dialog's stacking and a screenshot of a protocol's first page.
#include "DataFixture.h"

#include "report/core/ReportWindows.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/HtmlWriter.h"
#include "report/core/output/PageImage.h"
#include "report/ui/preview/PreviewWindow.h"
#include "report/ui/printing/PrintDialogTyp.h"
#include "report/ui/printing/PrintSetupDialog.h"
#include "report/ui/printing/QtPrinterList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using TestSupport::child;

namespace {

// pdfinfo's "Pages:" line; -1 when it has none.
int pdfPages(const QString &file)
{
    const QRegularExpressionMatch m = QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption)
                                          .match(programOutput(u"pdfinfo"_s, {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The first graphic CUPS queue scripts/start-printer.sh sets up; -1 when there is none.
int graphicQueue(const PrinterList &list)
{
    const QStringList names = list.names();
    for (int i = 0; i < names.size(); ++i) {
        if (!CurrentPrinter::isTextOnlyDriver(list.driverName(i)))
            return i;
    }
    return -1;
}

QAction *action(QWidget &window, const QString &name)
{
    QAction *found = window.findChild<QAction *>(name);
    if (!found)
        ADD_FAILURE() << "no action " << name.toStdString();
    return found;
}

QString panel(QWidget &window, const QString &name)
{
    QLabel *label = child<QLabel>(window, name);
    return label ? label->text() : QString();
}

// What the page actions offer: First, Previous, Next, Last.
QString pageMoves(QWidget &window)
{
    QString moves;
    for (const QString &name : {u"ActionPgFi"_s, u"ActionPgUp"_s, u"ActionPgDn"_s, u"ActionPgLa"_s})
        moves += action(window, name)->isEnabled() ? u'+' : u'-';
    return moves;
}

class PreviewWindow : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        m_saved = ReportWindows::current();
        TFormSestP::install();
    }
    void TearDown() override
    {
        ReportWindows::current() = m_saved;
        DataFixture::TearDown();
    }

    // A report of `pages` pages: one document per page.
    void pages(int count)
    {
        addRecords(count);
        m_report.setPredloha(templateOf({element(u"T"_s, 2, u"Doklad"_s)}));
        m_report.settings().newBodyOnNewPage = true;
        m_report.setPredloha(m_report.writeTemplate());
    }

    // Runs the report's preview; `body` acts in the open window.
    void preview(const std::function<void(TFormSestP &)> &body)
    {
        bool shown = false;
        scriptedUi().onWindow(u"TFormSestP"_s, [&](QDialog &window) {
            shown = true;
            body(static_cast<TFormSestP &>(window));
        });
        EXPECT_EQ(m_report.Preview(), seOK);
        EXPECT_TRUE(shown);
    }

    ReportWindows m_saved;
};

TEST_F(PreviewWindow, AOnePageReportShowsOneOfOneWithNoPageToMoveTo)
{
    pages(1);
    preview([](TFormSestP &w) {
        EXPECT_EQ(w.windowTitle(), u"Prohlížení sestavy před tiskem"_s);
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"1"_s);
        EXPECT_EQ(panel(w, u"panCelkemStran"_s), u"1"_s);
        EXPECT_EQ(pageMoves(w), u"----"_s);
        EXPECT_TRUE(action(w, u"ActionZ100"_s)->isChecked());
        EXPECT_TRUE(action(w, u"ActionPrint"_s)->isEnabled());
        EXPECT_FALSE(action(w, u"ActionEdit"_s)->isEnabled());
        EXPECT_FALSE(action(w, u"ActionUser"_s)->isVisible());
        EXPECT_EQ(action(w, u"ActionKonec"_s)->toolTip(), u"Zavřít náhled"_s);
        EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    });
}

TEST_F(PreviewWindow, PagingMovesThroughTheRangeAndEnablesOnlyPossibleMoves)
{
    pages(5);
    preview([](TFormSestP &w) {
        EXPECT_EQ(panel(w, u"panCelkemStran"_s), u"5"_s);
        EXPECT_EQ(pageMoves(w), u"--++"_s);
        action(w, u"ActionPgDn"_s)->trigger();
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"2"_s);
        EXPECT_EQ(pageMoves(w), u"++++"_s);
        action(w, u"ActionPgLa"_s)->trigger();
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"5"_s);
        EXPECT_EQ(pageMoves(w), u"++--"_s);
        action(w, u"ActionPgUp"_s)->trigger();
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"4"_s);
        action(w, u"ActionPgFi"_s)->trigger();
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"1"_s);
    });
}

TEST_F(PreviewWindow, ThePageRangeOfTheReportBoundsPaging)
{
    pages(6);
    m_report.setStartPage(2);
    m_report.setEndPage(4);
    preview([](TFormSestP &w) {
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"2"_s);
        EXPECT_EQ(panel(w, u"panCelkemStran"_s), u"4"_s); // nothing is laid out after EndPage
        action(w, u"ActionPgLa"_s)->trigger();
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"4"_s);
        EXPECT_EQ(pageMoves(w), u"++--"_s);
    });
}

struct PageQueryRow
{
    const char *name;
    QString answer;
    QString shown;
};

class PreviewPageQuery : public PreviewWindow, public testing::WithParamInterface<PageQueryRow>
{
};

TEST_P(PreviewPageQuery, ShowsTheChosenPageClampedToThePages)
{
    pages(5);
    preview([](TFormSestP &w) {
        action(w, u"ActionPgLa"_s)->trigger();
        QString proposal;
        scriptedUi().onWindow(u"dlgVyberStranky"_s, [&](QDialog &query) {
            EXPECT_EQ(query.windowTitle(), u"Výběr stránky"_s);
            QLineEdit *edit = child<QLineEdit>(query, u"edtStranka"_s);
            proposal = edit->text();
            edit->setText(GetParam().answer);
            TestSupport::click(query, u"btnOK"_s);
        });
        action(w, u"ActionPage"_s)->trigger();
        EXPECT_EQ(proposal, u"1"_s); // the first page of the range, not the current one
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), GetParam().shown);
    });
}

INSTANTIATE_TEST_SUITE_P(Answers, PreviewPageQuery,
                         testing::Values(PageQueryRow{"BeyondTheLast", u"99"_s, u"5"_s},
                                         PageQueryRow{"Zero", u"0"_s, u"1"_s}, PageQueryRow{"Three", u"3"_s, u"3"_s},
                                         PageQueryRow{"NotANumberKeepsTheProposal", u"x"_s, u"1"_s}),
                         TestSupport::rowName);

TEST_F(PreviewWindow, CancellingThePageQueryStaysOnThePage)
{
    pages(5);
    preview([](TFormSestP &w) {
        action(w, u"ActionPgDn"_s)->trigger();
        scriptedUi().onWindow(u"dlgVyberStranky"_s, [](QDialog &query) {
            child<QLineEdit>(query, u"edtStranka"_s)->setText(u"4"_s);
            TestSupport::click(query, u"btnStorno"_s);
        });
        action(w, u"ActionPage"_s)->trigger();
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"2"_s);
    });
}

TEST_F(PreviewWindow, ZoomChecksItsEntryAndSizesThePaper)
{
    pages(1);
    pageSetup().paperWidth = 800;
    pageSetup().paperHeight = 600;
    m_report.setPredloha(m_report.writeTemplate());
    preview([](TFormSestP &w) {
        QWidget *paper = child<QWidget>(w, u"panStranka"_s);
        EXPECT_EQ(paper->size(), QSize(800, 600));
        action(w, u"ActionZ50"_s)->trigger();
        EXPECT_EQ(paper->size(), QSize(400, 300));
        EXPECT_TRUE(action(w, u"ActionZ50"_s)->isChecked());
        EXPECT_FALSE(action(w, u"ActionZ100"_s)->isChecked());
        action(w, u"ActionZ300"_s)->trigger();
        EXPECT_EQ(paper->size(), QSize(2400, 1800));
        EXPECT_EQ(w.state().zoom(), 300);
    });
}

TEST_F(PreviewWindow, ExportingAllPagesAsHtmlReturnsToTheCurrentPage)
{
    pages(5);
    const QString file = tempPath(u"strany.html"_s);
    preview([&](TFormSestP &w) {
        action(w, u"ActionPgDn"_s)->trigger();
        action(w, u"ActionPgDn"_s)->trigger();
        scriptedUi().chooseFile(file);
        action(w, u"ActionUlozHtmlVse"_s)->trigger();
        EXPECT_EQ(panel(w, u"panAktualniStranka"_s), u"3"_s);
        EXPECT_EQ(w.state().currentPage(), 3);
    });
    ASSERT_EQ(scriptedUi().fileRequests().size(), 1);
    EXPECT_EQ(scriptedUi().fileRequests().at(0).title, u"Výběr souboru"_s);
    EXPECT_EQ(scriptedUi().fileRequests().at(0).filter, u"Soubor HTML (*.html)|*.HTML|Všechny soubory (*.*)|*.*"_s);
    for (int page = 1; page <= 5; ++page) {
        QFile html(OutputHtml::replaceExtension(file, u"%1.html"_s.arg(page)));
        ASSERT_TRUE(html.open(QIODevice::ReadOnly)) << page;
        EXPECT_TRUE(html.readAll().contains(u"D%1"_s.arg(page, 3, 10, QChar(u'0')).toLatin1())) << page;
    }
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

struct SaveRow
{
    const char *name;
    QString action;
    QString filter;
    QString fileName;
    QByteArray contains; // in the written file; empty: written at all
};

class PreviewSave : public PreviewWindow, public testing::WithParamInterface<SaveRow>
{
};

TEST_P(PreviewSave, WritesTheCurrentOutputWithoutLayingOutAgain)
{
    const SaveRow &row = GetParam();
    pages(3);
    int layouts = 0;
    m_report.OnTiskOddilu = [&](TSestavaTyp *, int index, bool &) { layouts += index == TOddilSestavy::Body; };
    const QString file = tempPath(row.fileName);
    preview([&](TFormSestP &w) {
        const int laidOut = layouts;
        action(w, u"ActionPgLa"_s)->trigger();
        scriptedUi().chooseFile(file);
        action(w, row.action)->trigger();
        EXPECT_EQ(layouts, laidOut);
        EXPECT_EQ(w.state().currentPage(), 3);
    });
    ASSERT_EQ(scriptedUi().fileRequests().size(), 1);
    EXPECT_EQ(scriptedUi().fileRequests().at(0).filter, row.filter);
    EXPECT_EQ(scriptedUi().fileRequests().at(0).title, u"Výběr souboru"_s);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.contains(row.contains)) << bytes.left(200).toStdString();
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PreviewSave,
    testing::Values(SaveRow{"Text", u"ActionUlozTxt"_s, u"Textový soubor (*.txt)|*.TXT|Všechny soubory (*.*)|*.*"_s,
                            u"sestava.txt"_s, "D002"},
                    SaveRow{"Rtf", u"ActionUlozRtf"_s, u"Soubor RTF (*.rtf)|*.RTF|Všechny soubory (*.*)|*.*"_s,
                            u"sestava.rtf"_s, "{\\rtf1"},
                    SaveRow{"CurrentPageHtml", u"ActionUlozHtml"_s,
                            u"Soubor HTML (*.html)|*.HTML|Všechny soubory (*.*)|*.*"_s, u"strana.html"_s, "D003"},
                    SaveRow{"CurrentPageEmf", u"ActionUlozEmf"_s,
                            u"Enhanced meta file (*.emf)|*.EMF|Windows meta file (*.wmf)|*.WMF"_s, u"strana.emf"_s,
                            " EMF"},
                    SaveRow{"CurrentPageWmf", u"ActionUlozEmf"_s,
                            u"Enhanced meta file (*.emf)|*.EMF|Windows meta file (*.wmf)|*.WMF"_s, u"strana.wmf"_s,
                            "\xD7\xCD\xC6\x9A"},
                    SaveRow{"Pdf", u"ActionUlozPdf"_s, u"Soubor PDF (*.pdf)|*.PDF|Všechny soubory (*.*)|*.*"_s,
                            u"sestava.pdf"_s, "%PDF"}),
    TestSupport::rowName);

TEST_F(PreviewWindow, AFileThatCannotBeWrittenIsReportedAndCancellingWritesNothing)
{
    pages(2);
    preview([&](TFormSestP &w) {
        scriptedUi().chooseFile(tempPath(u"chybi/sestava.rtf"_s));
        action(w, u"ActionUlozRtf"_s)->trigger();
        scriptedUi().chooseFile(QString());
        action(w, u"ActionUlozTxt"_s)->trigger();
    });
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, u"Výstupní soubor se nepodařilo uložit."_s, u"Chyba"_s}}));
    EXPECT_FALSE(QFile::exists(tempPath(u"chybi/sestava.rtf"_s)));
}

TEST_F(PreviewWindow, TheSaveMenuHoldsItsEntriesAndAllPagesGoToNumberedMetafiles)
{
    pages(3);
    const QString file = tempPath(u"strany.wmf"_s);
    preview([&](TFormSestP &w) {
        QStringList entries;
        for (QAction *entry : child<QMenu>(w, u"MenuUlozit"_s)->actions())
            entries << entry->text();
        EXPECT_EQ(entries, (QStringList{u"Textový soubor..."_s, u"Soubor ve formátu RTF..."_s,
                                        u"Aktuální stránku jako EMF/WMF..."_s, u"Všechny stránky jako EMF/WMF..."_s,
                                        u"Aktuální stránku jako HTML..."_s, u"Všechny stránky jako HTML..."_s,
                                        u"Soubor PDF..."_s}));
        EXPECT_EQ(child<QMenu>(w, u"MenuUlozit"_s)->title(), u"Uložit do souboru"_s);
        action(w, u"ActionPgDn"_s)->trigger();
        scriptedUi().chooseFile(file);
        action(w, u"ActionUlozEmfVse"_s)->trigger();
        EXPECT_EQ(w.state().currentPage(), 2);
    });
    for (int page = 1; page <= 3; ++page) {
        QFile metafile(OutputHtml::replaceExtension(file, u"%1.wmf"_s.arg(page)));
        ASSERT_TRUE(metafile.open(QIODevice::ReadOnly)) << page;
        EXPECT_TRUE(metafile.read(4) == QByteArray("\xD7\xCD\xC6\x9A")) << page;
    }
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(PreviewWindow, TheCustomActionShowsTheApplicationsHintAndRaisesItsEventWithThePage)
{
    pages(4);
    PreviewOptions::setOn(m_report, u"Odeslat e-mailem"_s, true);
    QList<int> raised;
    m_report.OnPreviewCustomEvent = [&](TSestavaTyp *sender, int page) {
        EXPECT_EQ(sender, &m_report);
        raised << page;
    };
    preview([](TFormSestP &w) {
        QAction *user = action(w, u"ActionUser"_s);
        EXPECT_TRUE(user->isVisible());
        EXPECT_EQ(user->toolTip(), u"Odeslat e-mailem"_s);
        EXPECT_FALSE(action(w, u"ActionPrint"_s)->isEnabled());
        action(w, u"ActionPgDn"_s)->trigger();
        user->trigger();
    });
    EXPECT_EQ(raised, QList<int>{2});
}

struct KeyRow
{
    const char *name;
    bool fromDesigner;
    TFormSestP::Answer answer;
};

class PreviewEscape : public PreviewWindow, public testing::WithParamInterface<KeyRow>
{
};

TEST_P(PreviewEscape, EscReturnsToTheDesignerWhenItCanElseCloses)
{
    pages(3);
    PreviewOptions options;
    options.fromDesigner = GetParam().fromDesigner;
    scriptedUi().onWindow(u"TFormSestP"_s, [](QDialog &w) {
        QTest::keyClick(&w, Qt::Key_PageDown);
        EXPECT_EQ(static_cast<TFormSestP &>(w).state().currentPage(), 2);
        QTest::keyClick(&w, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(static_cast<TFormSestP &>(w).state().currentPage(), 3);
        QTest::keyClick(&w, Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(static_cast<TFormSestP &>(w).state().currentPage(), 1);
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    });
    ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
    EXPECT_EQ(TFormSestP::showPreview(m_report, options), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Openers, PreviewEscape,
                         testing::Values(KeyRow{"FromTheApplication", false, TFormSestP::Answer::Closed},
                                         KeyRow{"FromTheDesigner", true, TFormSestP::Answer::Edit}),
                         TestSupport::rowName);

TEST_F(PreviewWindow, FromTheDesignerTheCloseActionEndsTheEditingAndCtrlEReturns)
{
    pages(1);
    PreviewOptions options;
    options.fromDesigner = true;
    scriptedUi().onWindow(u"TFormSestP"_s, [](QDialog &w) {
        EXPECT_EQ(action(w, u"ActionKonec"_s)->toolTip(), u"Ukončit opravu předlohy"_s);
        EXPECT_TRUE(action(w, u"ActionEdit"_s)->isEnabled());
        QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    });
    ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
    EXPECT_EQ(TFormSestP::showPreview(m_report, options), TFormSestP::Answer::Edit);
}

TEST_F(PreviewWindow, PrintingWithoutAPrinterWarnsAndRaisesNoEvent)
{
    pages(1);
    bool raised = false;
    m_report.BeforePrintPreview = [&](TSestavaTyp *) { raised = true; };
    preview([](TFormSestP &w) { action(w, u"ActionPrint"_s)->trigger(); });
    EXPECT_FALSE(raised);
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Warning, u"V systému není nainstalovaná žádná tiskárna."_s, u"Varování"_s}}));
}

TEST_F(PreviewWindow, ThePrintDialogOffersTheRangeAndCopiesAndCancellingPrintsNothing)
{
    FakePrinterList printers;
    printers.printers = {FakePrinterList::a4(u"Kancelář"_s, 0, 0, 0, 0), FakePrinterList::a4(u"Sklad"_s, 0, 0, 0, 0)};
    printers.systemDefault = 1;
    CurrentPrinter::current().setPrinterList(&printers);
    pages(5);
    m_report.setStartPage(2);
    m_report.setPrintCopies(3);
    QStringList events;
    m_report.BeforePrintPreview = [&](TSestavaTyp *) { events << u"BeforePrintPreview"_s; };
    m_report.AfterPrintPreview = [&](TSestavaTyp *) { events << u"AfterPrintPreview"_s; };
    preview([](TFormSestP &w) {
        scriptedUi().onWindow(u"TSestPrintDlg"_s, [](QDialog &d) {
            EXPECT_EQ(child<QComboBox>(d, u"cbTiskarna"_s)->currentText(), u"Sklad"_s);
            EXPECT_EQ(child<QSpinBox>(d, u"edtOd"_s)->value(), 2);
            EXPECT_EQ(child<QSpinBox>(d, u"edtDo"_s)->value(), 5);
            EXPECT_EQ(child<QSpinBox>(d, u"edtKopie"_s)->value(), 3);
            EXPECT_FALSE(child<QGroupBox>(d, u"grpFormular"_s)->isVisible());
            EXPECT_FALSE(child<QPushButton>(d, u"btnNahled"_s)->isEnabled());
            EXPECT_FALSE(child<QCheckBox>(d, u"chckPozadi"_s)->isVisible()); // the report has no background
            EXPECT_FALSE(child<QCheckBox>(d, u"chckDoSouboru"_s)->isVisible());
            TestSupport::click(d, u"btnStorno"_s);
        });
        action(w, u"ActionPrint"_s)->trigger();
    });
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(scriptedUi().windowsShown(), (QStringList{u"TFormSestP"_s, u"TSestPrintDlg"_s}));
}

// Pages 2 and 3 of five through the CUPS-PDF queue: a PDF of two pages.
TEST_F(PreviewWindow, PrintingPagesTwoAndThreeOnTheCupsPdfQueueGivesTwoPages)
{
    QtPrinterList list;
    CurrentPrinter::current().setPrinterList(&list);
    const int queue = graphicQueue(list);
    TARNEK_REQUIRE_PRINTER(queue >= 0);
    ASSERT_TRUE(hasProgram(u"pdfinfo"_s)) << "poppler-utils is needed beside the printer";
    pages(5);
    QStringList events;
    m_report.BeforePrintPreview = [&](TSestavaTyp *) { events << u"BeforePrintPreview"_s; };
    m_report.AfterPrintPreview = [&](TSestavaTyp *) { events << u"AfterPrintPreview"_s; };
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    preview([&](TFormSestP &w) {
        scriptedUi().onWindow(u"TSestPrintDlg"_s, [&](QDialog &d) {
            child<QComboBox>(d, u"cbTiskarna"_s)->setCurrentIndex(queue);
            child<QSpinBox>(d, u"edtOd"_s)->setValue(2);
            child<QSpinBox>(d, u"edtDo"_s)->setValue(3);
            TestSupport::click(d, u"btnTisk"_s);
        });
        action(w, u"ActionPrint"_s)->trigger();
    });
    EXPECT_EQ(events, (QStringList{u"BeforePrintPreview"_s, u"AfterPrintPreview"_s}));
    // CUPS-PDF writes the job, named after its title "Tisková sestava", into
    // the PDF folder of the user who printed.
    const passwd *user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const QDir folder(QDir(QString::fromLocal8Bit(user->pw_dir)).filePath(u"PDF"_s));
    QString pdf;
    QElapsedTimer timer;
    timer.start();
    while (pdf.isEmpty() && timer.elapsed() < 60000) {
        for (const QFileInfo &file : folder.entryInfoList({u"Tiskov*sestava*.pdf"_s}, QDir::Files)) {
            if (file.lastModified() >= started && pdfPages(file.filePath()) > 0)
                pdf = file.filePath();
        }
        if (pdf.isEmpty())
            QThread::msleep(250);
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of the print from the queue " << list.names().at(queue).toStdString();
    EXPECT_EQ(pdfPages(pdf), 2);
    const QString text = programOutput(u"pdftotext"_s, {pdf, u"-"_s});
    EXPECT_TRUE(text.contains(u"D002"_s));
    EXPECT_TRUE(text.contains(u"D003"_s));
    EXPECT_FALSE(text.contains(u"D001"_s));
    QFile::remove(pdf);
}

// ---- What the page looks like

// Pixels of two pictures of one size whose colours differ by more than a
// trace of anti-aliasing.
int differingPixels(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int d = std::max({std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                                    std::abs(qBlue(p[col]) - qBlue(q[col]))});
            differing += d > 64 ? 1 : 0;
        }
    }
    return differing;
}

class PreviewPicture : public PreviewWindow
{
protected:
    // A protocol: a title and the page number over a rule, a framed line
    // per document with its amount and text, a shaded closing box.
    void protocol()
    {
        pageSetup().paperWidth = 826;
        pageSetup().paperHeight = 500;
        setHeight(TOddilSestavy::PageHeader, 40);
        add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, {0, 0, 500, 20}, u"Protokol o přečíslování"_s)
            .font.size = 12;
        add(TOddilSestavy::PageHeader, ElementKind::SystemVariable, SystemVariable::PageNumber, {600, 0, 100, 20},
            u"Strana %d"_s);
        add(TOddilSestavy::PageHeader, ElementKind::Line, 0, {0, 30, 726, 5}).optionFlags = 0x08;
        setHeight(TOddilSestavy::Body, 20);
        add(TOddilSestavy::Body, ElementKind::Field, Doklad, {0, 0, 150, 20}).optionFlags = 0x0F;
        add(TOddilSestavy::Body, ElementKind::Field, Castka, {150, 0, 150, 20}).alignmentValue =
            TRastelReportElement::AlignRight;
        add(TOddilSestavy::Body, ElementKind::GraphicText, 0, {320, 0, 400, 20}, u"Účetní doklad >> přečíslován"_s);
        setHeight(TOddilSestavy::ReportFooter, 30);
        add(TOddilSestavy::ReportFooter, ElementKind::Rectangle, 0, {0, 0, 726, 25}).fillColour =
            QColor(0xC0, 0xC0, 0xC0); // "stříbrná"
        add(TOddilSestavy::ReportFooter, ElementKind::GraphicText, 0, {10, 2, 500, 20}, u"Konec protokolu"_s);
        addRecords(12);
        m_report.setPredloha(m_report.writeTemplate());
    }

    // The paper as the window shows it at that zoom.
    QImage shown(int zoom)
    {
        QImage image;
        preview([&](TFormSestP &w) {
            action(w, u"ActionZ%1"_s.arg(zoom))->trigger();
            image = child<QWidget>(w, u"panStranka"_s)->grab().toImage();
        });
        return image;
    }
};

TEST_F(PreviewPicture, TheFirstPageOfAProtocolAtFullSizeLooksAsReviewed)
{
    protocol();
    const QImage image = shown(100);
    ASSERT_EQ(image.size(), QSize(826, 500));
    const QString reference = TestSupport::dataPath(u"preview/protocol-page1.png"_s);
    if (qEnvironmentVariableIsSet("TARNEK_WRITE_REFERENCE")) {
        QDir().mkpath(QFileInfo(reference).path());
        ASSERT_TRUE(image.save(reference));
    }
    const QImage expected(reference);
    ASSERT_FALSE(expected.isNull()) << reference.toStdString();
    ASSERT_EQ(expected.size(), image.size());
    const int differing = differingPixels(image, expected);
    if (differing > 0)
        image.save(QDir::temp().filePath(u"protocol-page1-shown.png"_s));
    // Font rendering may move a few edge pixels; a missing or moved item moves thousands.
    EXPECT_LT(differing, image.width() * image.height() / 500) << "see protocol-page1-shown.png in the temp directory";
}

TEST_F(PreviewPicture, AtThreeTimesTheSizeThePageIsDrawnAfreshNotEnlarged)
{
    protocol();
    const QImage image = shown(300);
    ASSERT_EQ(image.size(), QSize(2478, 1500));
    ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
    const TSestVystup &out = m_report.output();
    // The items drawn directly at 3 pixels per unit.
    const QImage direct = OutputPageImage::pageBitmap(out, 0, 3, false);
    const QImage area =
        image.copy(out.page.setup.leftMargin * 3, out.page.setup.topMargin * 3, direct.width(), direct.height());
    EXPECT_LT(differingPixels(area, direct), direct.width() * direct.height() / 500);
    if (qEnvironmentVariableIsSet("TARNEK_DUMP_PREVIEW")) {
        area.save(QDir::temp().filePath(u"preview-300-shown.png"_s));
        direct.save(QDir::temp().filePath(u"preview-300-direct.png"_s));
    }
    // The page enlarged from its picture at 100 % differs from that.
    const QImage enlarged = OutputPageImage::pageBitmap(out, 0, 1, false)
                                .scaled(direct.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(differingPixels(enlarged, direct), direct.width() * direct.height() / 500);
}

// ---- The print dialog

struct StackRow
{
    const char *name;
    std::array<bool, TPrintDialogTyp::GroupCount> visible;
};

class PrintDialogStacking : public ReportFixture, public testing::WithParamInterface<StackRow>
{
};

TEST_P(PrintDialogStacking, VisibleGroupsStackFromTheTopWithTheButtonsBelow)
{
    TPrintDialogTyp settings;
    settings.groupVisible = GetParam().visible;
    settings.checkVisible[TPrintDialogTyp::CheckBackground] = true;
    TSestPrintDlg dialog;
    dialog.load(settings);
    const QStringList names{u"grpTiskarna"_s, u"grpStranky"_s, u"grpFormular"_s};
    int top = 0;
    for (int g = 0; g < TPrintDialogTyp::GroupCount; ++g) {
        QGroupBox *group = child<QGroupBox>(dialog, names.at(g));
        EXPECT_EQ(group->isVisibleTo(&dialog), GetParam().visible[size_t(g)]) << g;
        if (!GetParam().visible[size_t(g)])
            continue;
        EXPECT_EQ(group->y(), top) << g;
        top += group->height();
    }
    for (const QString &name : {u"btnTisk"_s, u"btnNahled"_s, u"btnStorno"_s})
        EXPECT_EQ(child<QPushButton>(dialog, name)->y(), top + 6) << name.toStdString();
    EXPECT_EQ(child<QCheckBox>(dialog, u"chckPozadi"_s)->y(), top + 10);
    EXPECT_EQ(dialog.height(), top + 33);
}

INSTANTIATE_TEST_SUITE_P(Groups, PrintDialogStacking,
                         testing::Values(StackRow{"All", {true, true, true}},
                                         StackRow{"AsThePreviewShowsIt", {true, true, false}},
                                         StackRow{"PagesOnly", {false, true, false}},
                                         StackRow{"PrinterAndTemplate", {true, false, true}},
                                         StackRow{"None", {false, false, false}}),
                         TestSupport::rowName);

TEST_F(ReportFixture, PrintDialogAnswersAndTakesTheChoiceBackOnlyWhenNotCancelled)
{
    FakePrinterList list;
    list.printers = {FakePrinterList::a4(u"Laser"_s, 0, 0, 0, 0), FakePrinterList::a4(u"Jehličková"_s, 0, 0, 0, 0)};
    list.printers[1].driver = u"Generic / Text Only"_s;
    CurrentPrinter::current().setPrinterList(&list);

    TPrintDialogTyp settings;
    settings.firstPage = 2;
    settings.lastPage = 4;
    settings.printerIndex = 0;
    settings.checkVisible[TPrintDialogTyp::CheckCurrentPage] = true;
    scriptedUi().onWindow(u"TSestPrintDlg"_s, [](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), u"Nastavení tisku"_s);
        EXPECT_EQ(child<QLabel>(d, u"lblTyp"_s)->text(), u"HP LaserJet 4"_s);
        auto *printer = child<QComboBox>(d, u"cbTiskarna"_s);
        printer->setCurrentIndex(1);
        EXPECT_EQ(child<QLabel>(d, u"lblTyp"_s)->text(), u"Generic / Text Only"_s);
        child<QSpinBox>(d, u"edtKopie"_s)->setValue(3);
        child<QCheckBox>(d, u"chckAktualniStranka"_s)->setChecked(true);
        EXPECT_FALSE(child<QSpinBox>(d, u"edtOd"_s)->isEnabled());
        EXPECT_FALSE(child<QSpinBox>(d, u"edtDo"_s)->isEnabled());
        TestSupport::click(d, u"btnStorno"_s);
    });
    EXPECT_EQ(settings.execute(), TPrintDialogTyp::Answer::Cancelled);
    EXPECT_EQ(settings.printerIndex, 0);
    EXPECT_EQ(settings.copies, 1);
    EXPECT_FALSE(settings.checked[TPrintDialogTyp::CheckCurrentPage]);

    scriptedUi().onWindow(u"TSestPrintDlg"_s, [](QDialog &d) {
        EXPECT_EQ(child<QSpinBox>(d, u"edtOd"_s)->value(), 2);
        EXPECT_EQ(child<QSpinBox>(d, u"edtDo"_s)->value(), 4);
        child<QComboBox>(d, u"cbTiskarna"_s)->setCurrentIndex(1);
        child<QSpinBox>(d, u"edtDo"_s)->setValue(3);
        child<QSpinBox>(d, u"edtKopie"_s)->setValue(2);
        TestSupport::click(d, u"btnTisk"_s);
    });
    EXPECT_EQ(settings.execute(), TPrintDialogTyp::Answer::Print);
    EXPECT_EQ(settings.printerIndex, 1);
    EXPECT_EQ(settings.lastPage, 3);
    EXPECT_EQ(settings.copies, 2);
}

TEST_F(ReportFixture, PrintDialogWithoutAPrinterOffersNeitherPrintNorTheSetUp)
{
    TPrintDialogTyp settings;
    settings.checkVisible[TPrintDialogTyp::CheckToFile] = true;
    TSestPrintDlg dialog;
    dialog.load(settings);
    EXPECT_FALSE(child<QPushButton>(dialog, u"btnTisk"_s)->isEnabled());
    EXPECT_FALSE(child<QPushButton>(dialog, u"btnVlastnosti"_s)->isEnabled());
    EXPECT_FALSE(child<QComboBox>(dialog, u"cbTiskarna"_s)->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(dialog, u"chckDoSouboru"_s)->isEnabled());
    EXPECT_TRUE(child<QPushButton>(dialog, u"btnStorno"_s)->isEnabled());
}

} // namespace

#include "report/ui/printing/ReportPrinter.h"

#include "common/TextUtils.h"
#include "common/UiSeam.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/ReportWindows.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/output/PageImage.h"
#include "report/core/output/PrintSheets.h"
#include "report/core/output/Printers.h"
#include "report/core/output/TextExport.h"
#include "report/ui/preview/LayoutProgressWindow.h"
#include "report/ui/printing/PrintScalingDialog.h"

#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The printer of the run: its index in the list, -1 when none is installed.
// An index outside the list takes the system's current printer.
int printerOfRun(const PrintRun &run)
{
    const CurrentPrinter &printers = CurrentPrinter::current();
    if (run.printerIndex == -1)
        return printers.selectedIndex();
    if (run.printerIndex >= 0 && run.printerIndex < printers.count())
        return run.printerIndex;
    return printers.printerList() ? printers.printerList()->defaultIndex() : -1;
}

// The windows need a widget application; the command-line tool prints
// without them.
bool hasWidgets()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

// "Odesílám data do tiskárny ..." while the pages go out; it has no
// interrupt button, but closing it stops the job.
class SendProgress
{
public:
    SendProgress()
    {
        if (!hasWidgets())
            return;
        m_window = std::make_unique<LayoutProgressWindow>();
        QObject::connect(m_window.get(), &QDialog::rejected, m_window.get(), [this] { m_closed = true; });
        m_window->start(SestCaption::informace(), u"Odesílám data do tiskárny ..."_s, QString());
    }
    ~SendProgress()
    {
        if (m_window)
            m_window->finish();
    }
    // Lets the message queue run; true once the window was closed.
    bool interrupted() { return m_window && (m_window->interrupted() || m_closed); }

private:
    std::unique_ptr<LayoutProgressWindow> m_window;
    bool m_closed = false;
};

struct PageRange
{
    int first = 1;
    int last = 0;
};

PageRange pagesOf(const TSestVystup &output, const PrintRun &run)
{
    return {std::max(run.firstPage, 1), std::min(run.lastPage, output.pageCount())};
}

QString titleOf(const TSestava &report, const PrintRun &run)
{
    return run.jobTitle.isEmpty() ? report.popis() : run.jobTitle;
}

// The title a print queue gets, in ASCII: the PDF queue names its file after
// it and would spell "Tisková sestava" as "Tiskov_303_241_sestava". A file
// written by the program itself keeps the title as it is.
QString queueTitleOf(const TSestava &report, const PrintRun &run)
{
    return TextUtils::toAscii(titleOf(report, run));
}

void jobFailed(const QString &printerName)
{
    ui().error(u"Tiskovou úlohu se nepodařilo odeslat do tiskárny \"%1\"."_s.arg(printerName), SestCaption::chyba());
}

// Character mode on a text-only printer. A CUPS queue for such a printer
// takes the text as it is (a raw job), which is what the host's generic
// text-only driver sends: every row of the grid as a line ending in CR LF,
// in the report's code page, and a form feed ending each page.
int printText(TSestava &report, const PrintRun &run, int printerIndex)
{
    const TSestVystup &output = report.output();
    const PageRange pages = pagesOf(output, run);
    const int lpi = OutputText::linesPerInch(report.settings().lineSpacing);
    // The rows start at the printable area: the top margin less what the
    // printer cannot reach.
    int rowOffset = 0;
    const PrinterList *list = CurrentPrinter::current().printerList();
    if (const std::optional<PrinterFacts> found =
            list ? list->facts(printerIndex, output.page.setup.orientation) : std::nullopt) {
        const PrinterFacts &facts = *found;
        const double offsetUnits = facts.resolutionY > 0 ? facts.offsetY * 100.0 / facts.resolutionY : 0.0;
        rowOffset = std::max(0, int(std::lround((output.page.setup.topMargin - offsetUnits) * lpi / 100.0)));
    }
    QByteArray document;
    for (int p = pages.first; p <= pages.last; ++p) {
        document += QByteArray("\r\n").repeated(rowOffset);
        // Every page ends with a form feed, so the rows below the lowest used one are not needed.
        document += OutputText::pageText(OutputText::charPage(output, p - 1, lpi), output.codePage, true);
        document += '\f';
    }
    const int copies = std::max(run.copies, 1);
    SendProgress progress;
    if (!run.outputFile.isEmpty()) {
        QSaveFile file(run.outputFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(document.repeated(copies)) != document.size() * copies ||
            !file.commit()) {
            ui().error(u"Soubor \"%1\" se nepodařilo zapsat."_s.arg(run.outputFile), SestCaption::chyba());
            return seOutputWrite;
        }
        return seOK;
    }
    const QString name = CurrentPrinter::current().names().value(printerIndex);
    // The document is sent once per copy: a raw queue does not make copies.
    for (int copy = 0; copy < copies; ++copy) {
        if (progress.interrupted())
            return seCancelled;
        QProcess lp;
        lp.start(u"lp"_s, {u"-d"_s, name, u"-o"_s, u"raw"_s, u"-t"_s, queueTitleOf(report, run)});
        const bool sent = lp.waitForStarted(10000) && lp.write(document) == document.size() &&
                          (lp.closeWriteChannel(), lp.waitForFinished(30000)) &&
                          lp.exitStatus() == QProcess::NormalExit && lp.exitCode() == 0;
        if (!sent) {
            lp.kill();
            lp.waitForFinished(1000);
            jobFailed(name);
            return seOutputWrite;
        }
    }
    return seOK;
}

// A landscape page goes to a printer as its paper turned: width and height
// swapped, the orientation upright. The queue then gets a landscape page
// (the paper with a rotation); given as the printer's landscape orientation,
// a PDF queue turns the content onto an upright page instead.
void turnPaper(QPrinter &printer)
{
    const QSizeF upright = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(
        QPageSize(QSizeF(std::max(upright.width(), upright.height()), std::min(upright.width(), upright.height())),
                  QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
}

int printGraphic(TSestava &report, const PrintRun &run, int printerIndex)
{
    const TSestVystup &output = report.output();
    const LayoutPage &page = output.page;
    const PageRange pages = pagesOf(output, run);
    const QString name = CurrentPrinter::current().names().value(printerIndex);

    QPrinter printer(QPrinter::HighResolution);
    if (run.outputFile.isEmpty()) {
        printer.setPrinterName(name);
    } else {
        // A file gets the page of the chosen printer, as the printer's file
        // port would; without a printer the report's own paper.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(run.outputFile);
        QSizeF inches(page.setup.paperWidth / 100.0, page.setup.paperHeight / 100.0);
        const PrinterList *list = CurrentPrinter::current().printerList();
        if (const std::optional<PrinterFacts> facts =
                printerIndex >= 0 && list ? list->facts(printerIndex, PageSetup::Portrait) : std::nullopt;
            facts && facts->resolutionX > 0 && facts->resolutionY > 0 && facts->physicalWidth > 0 &&
            facts->physicalHeight > 0) {
            inches = QSizeF(double(facts->physicalWidth) / facts->resolutionX,
                            double(facts->physicalHeight) / facts->resolutionY);
        }
        printer.setPageSize(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::FuzzyMatch));
    }
    if (!page.setup.allowOrientationChange) {
        if (page.setup.orientation == PageSetup::Landscape && run.outputFile.isEmpty())
            turnPaper(printer);
        else
            printer.setPageOrientation(page.setup.orientation == PageSetup::Landscape ? QPageLayout::Landscape
                                                                                      : QPageLayout::Portrait);
    }
    // The painter's origin is the sheet's corner, so the page is placed at
    // the margins (the printer's own offset needs no correction).
    printer.setFullPage(true);

    const QSize paper(page.paperWidth(), page.paperHeight());
    const QSize printerPage = TFormRastelReportZoom::printerPage(printer);
    PrintSheets sheets(
        paper, printerPage,
        PrinterMargins{page.setup.leftMargin, page.setup.topMargin, page.setup.rightMargin, page.setup.bottomMargin});
    // Without windows (the command-line tool) the options cannot be asked
    // and their default applies: what does not fit is cut off.
    if (PrintSheets::needsOptions(paper, printerPage) && hasWidgets()) {
        TFormRastelReportZoom options(printer, sheets);
        if (ui().execModal(options) != QDialog::Accepted)
            return seCancelled;
        sheets = options.sheets();
    }

    const int copies = std::max(run.copies, 1);
    printer.setCopyCount(copies);
    // A printer that keeps one copy gets the document that many times.
    const int documents = printer.supportsMultipleCopies() ? 1 : copies;
    if (documents > 1)
        printer.setCopyCount(1);
    printer.setDocName(run.outputFile.isEmpty() ? queueTitleOf(report, run) : titleOf(report, run));

    SendProgress progress;
    QPainter painter;
    if (!painter.begin(&printer)) {
        jobFailed(run.outputFile.isEmpty() ? name : run.outputFile);
        return seOutputWrite;
    }
    // An aborted job leaves no file behind.
    const auto abortJob = [&] {
        printer.abort();
        if (painter.isActive())
            painter.end();
        if (!run.outputFile.isEmpty())
            QFile::remove(run.outputFile);
    };
    const double scale = printer.resolution() / 100.0 * sheets.zoom() / 100.0;
    bool firstSheet = true;
    for (int document = 0; document < documents; ++document) {
        for (int p = pages.first; p <= pages.last; ++p) {
            for (int row = 0; row < sheets.down(); ++row) {
                for (int column = 0; column < sheets.across(); ++column) {
                    if (progress.interrupted()) {
                        abortJob();
                        return seCancelled;
                    }
                    if (!firstSheet && !printer.newPage()) {
                        abortJob();
                        jobFailed(name);
                        return seOutputWrite;
                    }
                    firstSheet = false;
                    const QPoint shift = sheets.sheetOffset(row, column);
                    painter.save();
                    painter.translate((page.setup.leftMargin - shift.x()) * scale,
                                      (page.setup.topMargin - shift.y()) * scale);
                    OutputPageImage::paintPage(painter, output, p - 1, {scale, run.printBackground});
                    painter.restore();
                }
            }
        }
    }
    if (!painter.end()) {
        jobFailed(run.outputFile.isEmpty() ? name : run.outputFile);
        return seOutputWrite;
    }
    return seOK;
}

} // namespace

int ReportPrinter::printOutput(TSestava &report, const PrintRun &run)
{
    const int printerIndex = printerOfRun(run);
    // A file needs no installed printer: without one the pages go to it as PDF.
    if (printerIndex < 0 && run.outputFile.isEmpty()) {
        ui().warning(TSestava::noPrinterMessage(), SestCaption::varovani());
        return seNoPrinter;
    }
    // Nothing in the range: no job at all.
    const PageRange pages = pagesOf(report.output(), run);
    if (pages.first > pages.last)
        return seOK;
    const PrinterList *list = CurrentPrinter::current().printerList();
    if (printerIndex >= 0 && list && CurrentPrinter::isTextOnlyDriver(list->driverName(printerIndex)))
        return printText(report, run, printerIndex);
    return printGraphic(report, run, printerIndex);
}

void ReportPrinter::install()
{
    ReportWindows::current().print = [](TSestava &report, int printerIndex) {
        CurrentPrinter &printers = CurrentPrinter::current();
        const int previous = printers.selectedIndex();
        // An index outside the list selects the system's current printer.
        int index = printerIndex;
        if (index != -1 && (index < 0 || index >= printers.count()))
            index = printers.printerList() ? printers.printerList()->defaultIndex() : -1;
        if (!printers.selectPrinter(index)) {
            printers.selectPrinter(previous);
            ui().warning(TSestava::noPrinterMessage(), SestCaption::varovani());
            return int(seNoPrinter);
        }
        std::unique_ptr<LayoutProgressWindow> window;
        if (hasWidgets())
            window = std::make_unique<LayoutProgressWindow>();
        int result = ReportLayout::prepare(report, window.get());
        window.reset();
        if (result == seOK) {
            PrintRun run;
            run.printerIndex = printers.selectedIndex();
            run.firstPage = report.startPage();
            run.lastPage = report.endPage();
            run.copies = report.printCopies();
            // The template chooses whether its own background prints; otherwise PrintBackground.
            run.printBackground =
                report.settings().ownBackground ? report.settings().printBackground : report.printBackground();
            result = ReportPrinter::printOutput(report, run);
        }
        printers.selectPrinter(previous);
        return result;
    };
}

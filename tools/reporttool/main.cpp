// tarnek-report: lays a report template out over CSV data or a host table
// and writes the result (ReportTool.h).

#include "common/DayNumber.h"
#include "common/FileSizeLimit.h"
#include "common/widgets/QtUiSeam.h"
#include "report/core/layout/LayoutProgress.h"
#include "report/core/output/Printers.h"
#include "report/ui/designer/DesignerWindow.h"
#include "report/ui/preview/PreviewWindow.h"
#include "report/ui/printing/QtPrinterList.h"
#include "report/ui/printing/ReportPrinter.h"
#include "reporttool/ReportTool.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>
#include <QTranslator>

#include <cstdio>
#include <unistd.h>

namespace {

// The progress window as one line on a terminal, a few times a second.
class TerminalProgress final : public LayoutProgress
{
public:
    explicit TerminalProgress(QTextStream &err) : m_err(err) {}
    void start(const QString &, const QString &text, const QString &) override
    {
        m_timer.start();
        show(text);
    }
    void setText(const QString &text) override
    {
        if (m_timer.elapsed() >= 200) {
            m_timer.restart();
            show(text);
        }
    }
    bool interrupted() override { return false; }
    void finish() override
    {
        if (m_shown)
            m_err << '\n' << Qt::flush;
    }

private:
    void show(const QString &text)
    {
        m_err << '\r' << text << Qt::flush;
        m_shown = true;
    }
    QTextStream &m_err;
    QElapsedTimer m_timer;
    bool m_shown = false;
};

// "preview" and "design": the report's own windows on the desktop, with the
// program's message boxes, file dialogs and printers.
int runPreview(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnek"));
    QTranslator qtCzech;
    installQtCzechTranslations(qtCzech);
    QtUiSeam seam;
    UiSeam::setCurrent(&seam);
    QtPrinterList printers;
    CurrentPrinter::current().setPrinterList(&printers);
    ReportPrinter::install();
    TFormSestP::install();
    TFormSestE::install();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int result = ReportTool::run(QCoreApplication::arguments().mid(1), out, err);
    err.flush();
    CurrentPrinter::current().setPrinterList(nullptr);
    UiSeam::setCurrent(nullptr);
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    DayNumber::cacheLocalTimeZone();
    if (argc > 1 && (qstrcmp(argv[1], "preview") == 0 || qstrcmp(argv[1], "design") == 0))
        return runPreview(argc, argv);
    // Text is measured with the system's fonts; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    TerminalProgress terminal(err);
    QtPrinterList printers;
    CurrentPrinter::current().setPrinterList(&printers);
    ReportPrinter::install();
    const int result =
        ReportTool::run(QCoreApplication::arguments().mid(1), out, err, isatty(fileno(stderr)) ? &terminal : nullptr);
    out.flush();
    err.flush();
    CurrentPrinter::current().setPrinterList(nullptr);
    return result;
}

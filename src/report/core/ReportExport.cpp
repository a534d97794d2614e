// The output operations of a main report: prepare, then hand the pages to a
// back-end.
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/layout/LayoutProgress.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/output/HtmlWriter.h"
#include "report/core/output/MetafileWriter.h"
#include "report/core/output/OutputFiles.h"
#include "report/core/output/PdfWriter.h"
#include "report/core/output/RtfDocument.h"
#include "report/core/output/TextExport.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// Prepares the report and runs `write` when that succeeded; one run at a
// time in the process. The text exports raise BeforePrint and AfterPrint
// around it, as printing does.
int runOutput(TSestava &report, LayoutProgress *progress, bool printEvents, const std::function<int()> &write)
{
    return TSestavaTyp::runExclusive([&] {
        if (printEvents && report.BeforePrint)
            report.BeforePrint(&report);
        int result = ReportLayout::prepare(report, progress);
        if (result == seOK)
            result = write();
        if (printEvents && report.AfterPrint)
            report.AfterPrint(&report);
        return result;
    });
}

QString joined(const QString &dir, const QString &fileName)
{
    return dir.isEmpty() ? fileName : QDir(dir).filePath(fileName);
}

} // namespace

int TSestava::PrintToStream(QIODevice &stream, LayoutProgress *progress)
{
    return runOutput(*this, progress, true, [&] {
        return OutputText::exportText(output(), stream, {settings().lineSpacing, {}});
    });
}

bool TSestava::drawsBackground() const
{
    return settings().ownBackground ? settings().printBackground : printBackground();
}

int TSestava::WriteTextFile(const QString &fileName, LayoutProgress *progress) const
{
    return writeOutputFile(fileName, [&](QIODevice &file) {
        OutputText::TextExport options{settings().lineSpacing, {}};
        if (progress) {
            progress->start(SestCaption::informace(), u"Ukládám stránku 1"_s, u"Přerušit"_s);
            options.progress = [progress](int done, int) {
                progress->setText(u"Ukládám stránku %1"_s.arg(done + 1));
                return !progress->interrupted();
            };
        }
        const int result = OutputText::exportText(output(), file, options);
        if (progress)
            progress->finish();
        return result;
    });
}

int TSestava::WriteRtfFile(const QString &fileName) const
{
    return writeOutputFile(fileName, [&](QIODevice &file) { return writeBytes(file, SestRtf::exportRtf(output())); });
}

int TSestava::WritePageHtmlFile(const QString &fileName, int page) const
{
    return OutputHtml::exportPageFile(output(), page, fileName);
}

int TSestava::WriteAllHtmlFile(const QString &fileName) const
{
    return OutputHtml::exportAll(output(), fileName);
}

int TSestava::WritePdfFile(const QString &fileName) const
{
    return OutputPdf::exportPdf(output(), fileName, popis(), drawsBackground());
}

int TSestava::WritePageMetafileFile(const QString &fileName, int page, bool plainWindows) const
{
    // A page outside the output writes nothing.
    return OutputMetafile::exportPageFile(output(), page, fileName,
                                          plainWindows ? OutputMetafile::Format::Wmf : OutputMetafile::Format::Emf,
                                          drawsBackground());
}

int TSestava::WriteAllMetafileFiles(const QString &fileName, bool plainWindows) const
{
    return OutputMetafile::exportAll(output(), fileName,
                                     plainWindows ? OutputMetafile::Format::Wmf : OutputMetafile::Format::Emf,
                                     drawsBackground());
}

int TSestava::PrintToFile(const QString &fileName, LayoutProgress *progress)
{
    return runOutput(*this, progress, true, [&] { return WriteTextFile(fileName, progress); });
}

int TSestava::ExportRtf(QIODevice &stream, LayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] { return writeBytes(stream, SestRtf::exportRtf(output())); });
}

int TSestava::ExportRtf(const QString &dir, const QString &fileName, LayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] { return WriteRtfFile(joined(dir, fileName)); });
}

int TSestava::ExportPageHtml(QIODevice &stream, int page, LayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] {
        QByteArray html;
        OutputHtml::exportPage(output(), page - 1, QString(), html);
        return writeBytes(stream, html);
    });
}

int TSestava::ExportPageHtml(const QString &dir, const QString &fileName, int page, LayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] { return WritePageHtmlFile(joined(dir, fileName), page); });
}

int TSestava::ExportAllHtml(const QString &dir, const QString &fileName, LayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] { return WriteAllHtmlFile(joined(dir, fileName)); });
}

int TSestava::ExportPdf(QIODevice &stream, LayoutProgress *progress)
{
    return runOutput(*this, progress, false,
                     [&] { return OutputPdf::exportPdf(output(), stream, popis(), drawsBackground()); });
}

int TSestava::ExportPdf(const QString &dir, const QString &fileName, LayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] { return WritePdfFile(joined(dir, fileName)); });
}

namespace {

int exportPageMetafile(TSestava &report, QIODevice &stream, int page, OutputMetafile::Format format,
                       LayoutProgress *progress)
{
    return runOutput(report, progress, false, [&] {
        return OutputMetafile::exportPage(report.output(), page, stream, format, report.drawsBackground());
    });
}

int exportPageMetafile(TSestava &report, const QString &fileName, int page, OutputMetafile::Format format,
                       LayoutProgress *progress)
{
    return runOutput(report, progress, false, [&] {
        return report.WritePageMetafileFile(fileName, page, format == OutputMetafile::Format::Wmf);
    });
}

int exportAllMetafiles(TSestava &report, const QString &fileName, OutputMetafile::Format format,
                       LayoutProgress *progress)
{
    return runOutput(report, progress, false,
                     [&] { return report.WriteAllMetafileFiles(fileName, format == OutputMetafile::Format::Wmf); });
}

} // namespace

int TSestava::ExportPageEmf(QIODevice &stream, int page, LayoutProgress *progress)
{
    return exportPageMetafile(*this, stream, page, OutputMetafile::Format::Emf, progress);
}

int TSestava::ExportPageEmf(const QString &fileName, int page, LayoutProgress *progress)
{
    return exportPageMetafile(*this, fileName, page, OutputMetafile::Format::Emf, progress);
}

int TSestava::ExportPageWmf(QIODevice &stream, int page, LayoutProgress *progress)
{
    return exportPageMetafile(*this, stream, page, OutputMetafile::Format::Wmf, progress);
}

int TSestava::ExportPageWmf(const QString &fileName, int page, LayoutProgress *progress)
{
    return exportPageMetafile(*this, fileName, page, OutputMetafile::Format::Wmf, progress);
}

int TSestava::ExportAllEmf(const QString &fileName, LayoutProgress *progress)
{
    return exportAllMetafiles(*this, fileName, OutputMetafile::Format::Emf, progress);
}

int TSestava::ExportAllWmf(const QString &fileName, LayoutProgress *progress)
{
    return exportAllMetafiles(*this, fileName, OutputMetafile::Format::Wmf, progress);
}

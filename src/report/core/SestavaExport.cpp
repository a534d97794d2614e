// The output operations of a main report: prepare, then hand the pages to a
// back-end.
#include "report/core/LayoutProgress.h"
#include "report/core/OutputHtml.h"
#include "report/core/OutputMetafile.h"
#include "report/core/OutputPdf.h"
#include "report/core/OutputText.h"
#include "report/core/ReportCaptions.h"
#include "report/core/ReportLayout.h"
#include "report/core/sest_rtf.h"
#include "report/core/sestavy.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// Prepares the report and runs `write` when that succeeded; one run at a
// time in the process. The text exports raise BeforePrint and AfterPrint
// around it, as printing does.
int runOutput(TSestava &report, TLayoutProgress *progress, bool printEvents, const std::function<int()> &write)
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

// Writes through a save file: a failed or interrupted export leaves any
// earlier file of that name as it was.
int writeFile(const QString &path, const std::function<int(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return seOutputWrite;
    const int result = write(file);
    if (result != seOK) {
        file.cancelWriting();
        return result;
    }
    return file.commit() ? seOK : seOutputWrite;
}

int writeBytes(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size() ? seOK : seOutputWrite;
}

// The template chooses whether its own background prints; otherwise PrintBackground.
bool drawsBackground(const TSestava &report)
{
    return report.settings().ownBackground ? report.settings().printBackground : report.printBackground();
}

QString joined(const QString &dir, const QString &fileName)
{
    return dir.isEmpty() ? fileName : QDir(dir).filePath(fileName);
}

} // namespace

int TSestava::PrintToStream(QIODevice &stream, TLayoutProgress *progress)
{
    return runOutput(*this, progress, true, [&] {
        return OutputText::exportText(vystup(), stream, {settings().lineSpacing, {}});
    });
}

int TSestava::PrintToFile(const QString &fileName, TLayoutProgress *progress)
{
    return runOutput(*this, progress, true, [&] {
        return writeFile(fileName, [&](QIODevice &file) {
            OutputText::TTextExport options{settings().lineSpacing, {}};
            if (progress) {
                progress->start(SestCaption::informace(), u"Ukládám stránku 1"_s, u"Přerušit"_s);
                options.progress = [progress](int done, int) {
                    progress->setText(u"Ukládám stránku %1"_s.arg(done + 1));
                    return !progress->interrupted();
                };
            }
            const int result = OutputText::exportText(vystup(), file, options);
            if (progress)
                progress->finish();
            return result;
        });
    });
}

int TSestava::ExportRtf(QIODevice &stream, TLayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] { return writeBytes(stream, SestRtf::exportRtf(vystup())); });
}

int TSestava::ExportRtf(const QString &dir, const QString &fileName, TLayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] {
        return writeFile(joined(dir, fileName),
                         [&](QIODevice &file) { return writeBytes(file, SestRtf::exportRtf(vystup())); });
    });
}

int TSestava::ExportPageHtml(QIODevice &stream, int page, TLayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] {
        QByteArray html;
        OutputHtml::exportPage(vystup(), page - 1, QString(), html);
        return writeBytes(stream, html);
    });
}

int TSestava::ExportPageHtml(const QString &dir, const QString &fileName, int page, TLayoutProgress *progress)
{
    return runOutput(*this, progress, false,
                     [&] { return OutputHtml::exportPageFile(vystup(), page, joined(dir, fileName)); });
}

int TSestava::ExportAllHtml(const QString &dir, const QString &fileName, TLayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] { return OutputHtml::exportAll(vystup(), joined(dir, fileName)); });
}

int TSestava::ExportPdf(QIODevice &stream, TLayoutProgress *progress)
{
    return runOutput(*this, progress, false,
                     [&] { return OutputPdf::exportPdf(vystup(), stream, popis(), drawsBackground(*this)); });
}

int TSestava::ExportPdf(const QString &dir, const QString &fileName, TLayoutProgress *progress)
{
    return runOutput(*this, progress, false, [&] {
        return writeFile(joined(dir, fileName), [&](QIODevice &file) {
            return OutputPdf::exportPdf(vystup(), file, popis(), drawsBackground(*this));
        });
    });
}

namespace {

int exportPageMetafile(TSestava &report, QIODevice &stream, int page, OutputMetafile::Format format,
                       TLayoutProgress *progress)
{
    return runOutput(report, progress, false, [&] {
        return OutputMetafile::exportPage(report.vystup(), page, stream, format, drawsBackground(report));
    });
}

int exportPageMetafile(TSestava &report, const QString &fileName, int page, OutputMetafile::Format format,
                       TLayoutProgress *progress)
{
    return runOutput(report, progress, false, [&] {
        // A page outside the output cancels the save file: nothing is written.
        return writeFile(fileName, [&](QIODevice &file) {
            return OutputMetafile::exportPage(report.vystup(), page, file, format, drawsBackground(report));
        });
    });
}

int exportAllMetafiles(TSestava &report, const QString &fileName, OutputMetafile::Format format,
                       TLayoutProgress *progress)
{
    return runOutput(report, progress, false, [&] {
        return OutputMetafile::exportAll(report.vystup(), fileName, format, drawsBackground(report));
    });
}

} // namespace

int TSestava::ExportPageEmf(QIODevice &stream, int page, TLayoutProgress *progress)
{
    return exportPageMetafile(*this, stream, page, OutputMetafile::Format::Emf, progress);
}

int TSestava::ExportPageEmf(const QString &fileName, int page, TLayoutProgress *progress)
{
    return exportPageMetafile(*this, fileName, page, OutputMetafile::Format::Emf, progress);
}

int TSestava::ExportPageWmf(QIODevice &stream, int page, TLayoutProgress *progress)
{
    return exportPageMetafile(*this, stream, page, OutputMetafile::Format::Wmf, progress);
}

int TSestava::ExportPageWmf(const QString &fileName, int page, TLayoutProgress *progress)
{
    return exportPageMetafile(*this, fileName, page, OutputMetafile::Format::Wmf, progress);
}

int TSestava::ExportAllEmf(const QString &fileName, TLayoutProgress *progress)
{
    return exportAllMetafiles(*this, fileName, OutputMetafile::Format::Emf, progress);
}

int TSestava::ExportAllWmf(const QString &fileName, TLayoutProgress *progress)
{
    return exportAllMetafiles(*this, fileName, OutputMetafile::Format::Wmf, progress);
}

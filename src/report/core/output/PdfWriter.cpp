#include "report/core/output/PdfWriter.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/model/ReportResult.h"
#include "report/core/output/OutputFiles.h"
#include "report/core/output/PageImage.h"

#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace OutputPdf {

int exportPdf(const TSestVystup &output, QIODevice &device, const QString &title, bool background)
{
    const LayoutPage &page = output.page;
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Tarnek report generator"));
    writer.setTitle(title);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QSizeF(page.paperWidth() / 100.0, page.paperHeight() / 100.0), QPageSize::Inch,
                                 QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const int first = std::max(output.firstPage, 1);
    const int last = std::min(output.lastPage, output.pageCount());
    QPainter painter;
    if (!painter.begin(&writer))
        return seOutputWrite;
    const double scale = 6; // 600 dots per inch
    for (int p = first; p <= last; ++p) {
        if (p > first)
            writer.newPage();
        painter.save();
        painter.translate(page.setup.leftMargin * scale, page.setup.topMargin * scale);
        OutputPageImage::paintPage(painter, output, p - 1, {scale, background});
        painter.restore();
    }
    // No page at all still makes a valid document of one empty page.
    return painter.end() ? seOK : seOutputWrite;
}

int exportPdf(const TSestVystup &output, const QString &file, const QString &title, bool background)
{
    return writeOutputFile(file, [&](QIODevice &out) { return exportPdf(output, out, title, background); });
}

} // namespace OutputPdf

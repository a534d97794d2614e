#pragma once

#include <QString>

class QIODevice;
struct TSestVystup;

// PDF output: the pages from the output's first to last page drawn by the
// page image at the paper's size (orientation applied), 600 dots per inch,
// fonts embedded and text selectable.
namespace OutputPdf {

// seOK, or seOutputWrite when the device fails.
int exportPdf(const TSestVystup &output, QIODevice &device, const QString &title, bool background);
int exportPdf(const TSestVystup &output, const QString &file, const QString &title, bool background);

} // namespace OutputPdf

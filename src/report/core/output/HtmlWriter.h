#pragma once

#include <QByteArray>
#include <QString>

class OutputFileSet;
struct TSestVystup;

// HTML output: one file per page, every item an absolutely placed DIV.
namespace OutputHtml {

// The page (index from 0). Pictures, barcodes and paint boxes are drawn into
// bitmaps named after `pictureFile` with its extension replaced by the item's
// number on the page, `pictureSuffix` and ".bmp", written into `pictures`
// (none when it is null). Returns false when a picture cannot be written.
bool exportPage(const TSestVystup &output, int pageIndex, const QString &pictureFile, QByteArray &html,
                const QString &pictureSuffix = QString(), OutputFileSet *pictures = nullptr);
// Every page from the output's first to last page: page n as `file` with its
// extension replaced by n and ".html", its pictures ending in n and "_.bmp".
// seOK; seDataOrNothing when the range holds no page; seOutputWrite when a
// file cannot be written, and then none is (OutputFiles.h).
int exportAll(const TSestVystup &output, const QString &file);
// Page n (from 1) to `file`, its pictures beside it: seOK or seOutputWrite.
int exportPageFile(const TSestVystup &output, int page, const QString &file);
// Text for HTML: "<", ">", "&" and the double quote as character references;
// Windows-1250 characters as bytes, others as numeric references.
QByteArray escapeHtml(const QString &text);
// `file` with its extension replaced by `suffix` ("a/b.html", "3.html" -> "a/b3.html").
QString replaceExtension(const QString &file, const QString &suffix);

} // namespace OutputHtml

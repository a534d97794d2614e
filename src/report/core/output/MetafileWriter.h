#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
struct TSestVystup;

// Metafile output: a page as an enhanced metafile (EMF) or a plain Windows
// metafile (WMF) of the content area at the page image's 6 pixels per unit
// (600 per inch): the same items in the same order as the page image, as
// metafile records (texts with their fonts, lines, rectangles, rounded
// rectangles, ellipses, polygons and bitmaps). The writers walk the placed
// items themselves; they read nothing back from the page image.
namespace OutputMetafile {

enum class Format { Emf, Wmf };

// The file extension of the format: ".emf" or ".wmf".
QString extension(Format format);

// The page (index from 0) as metafile bytes; empty when the page does not exist.
QByteArray pageMetafile(const TSestVystup &output, int pageIndex, Format format, bool background);

// Writes page `page` (from 1) of an output already laid out. A page outside
// the output (outside its pages or its print range) writes nothing and gives
// seDataOrNothing; a device that fails gives seOutputWrite (a file variant
// leaves no part of the file behind).
int exportPage(const TSestVystup &output, int page, QIODevice &device, Format format, bool background);
int exportPageFile(const TSestVystup &output, int page, const QString &file, Format format, bool background);
// Every page of the print range to its own file: page n as `file` with its
// extension replaced by n and ".emf"/".wmf". seOK; seDataOrNothing when the
// range holds no page; seOutputWrite when a file cannot be written, and then
// none is (OutputFiles.h).
int exportAll(const TSestVystup &output, const QString &file, Format format, bool background);

} // namespace OutputMetafile

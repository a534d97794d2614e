#pragma once

#include "report/core/model/ReportResult.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QIODevice;
struct TSestVystup;

// One page on the character grid of a line printer: every row holds 24 text
// layers, three pitches (10, 12, 17 characters per inch) times the eight
// combinations of bold, italic and underline.
struct CharPage
{
    static constexpr int Layers = 24;
    static constexpr int MaxLine = 255;

    std::vector<std::array<QString, Layers>> rows;
    int lowestUsedRow = -1;

    // The row's layers merged into one line: a later layer fills only the
    // positions that are still blank.
    QString line(int row) const;
};

// Character output: the grid, the code pages and the text export.
namespace OutputText {

// Rows per inch for the template's line spacing 0, 1, 2 (6, 4, 3).
int linesPerInch(int lineSpacing);
// The rows of a page of `contentHeight` units: a partial last row counts
// (1029 units at 6 lines per inch are 62 rows, the last one 0.74 of a row).
int rowsOnPage(int contentHeight, int linesPerInch);
// The pitch of a font size: 8 or less 17 per inch, 9-10 12 per inch, else 10.
int pitchOfSize(int pointSize);
// The layer of a pitch and font style (FontDef::Style bits).
int layerOf(int cpi, int fontStyle);

// The text written into `columns` columns with the alignment (0 left, 1 right,
// 2 centre, 3 justified = left): the column offset it starts at and the part
// that fits (cut at the end, at the start, or on both sides).
QString fitColumns(const QString &text, int columns, int alignment, int *offset);

// The text in Windows-1250 (characters it does not have become "?"), then the
// accented letters moved to the target code page.
QByteArray toCodePage(const QString &text, TSestLanguage language);
// The character's Windows-1250 code, -1 when the code page does not have it.
int cp1250Code(QChar c);
// The character of a Windows-1250 code (U+FFFD where the code page has none).
QChar fromCp1250(int code);

// The page (index from 0) on the grid; `rowOffset` rows are added to every row
// (a printer's physical offset; 0 for text export).
CharPage charPage(const TSestVystup &output, int pageIndex, int linesPerInch, int rowOffset = 0);

// The page as text: every row (on the last page only up to the lowest used
// row) converted to the code page, each followed by CR LF; no form feed.
QByteArray pageText(const CharPage &page, TSestLanguage language, bool lastPage);

struct TextExport
{
    int lineSpacing = 0;
    // Called after each page with the pages written and the pages to write;
    // returning false interrupts the export.
    std::function<bool(int done, int total)> progress;
};

// Writes the pages from the output's first to last page (clamped to the pages
// there are), as many times as its copies: seOK, seCancelled when
// interrupted, seOutputWrite when the device fails.
int exportText(const TSestVystup &output, QIODevice &device, const TextExport &options);

} // namespace OutputText

#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>

#include <vector>

struct TSestVystup;

// RTF output: the whole report as one document of positioned frames.
namespace SestRtf {

// The web address written into the document comment.
inline constexpr char GeneratorAddress[] = "tarnek.invalid/report";

// The document for the pages from the output's first to last page.
QByteArray exportRtf(const TSestVystup &output);
// A text for RTF: backslash and braces escaped with a backslash; Windows-1250
// characters as bytes, others as Unicode escapes.
QByteArray escapeRtf(const QString &text);

// The character formatting of RTF text.
struct RtfCharFormat
{
    QString fontName;
    int charset = 0;
    double size = 12; // points, times the reader's scale
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor colour = QColor(Qt::black);

    friend bool operator==(const RtfCharFormat &, const RtfCharFormat &) = default;
};

// Paragraph properties in twips.
struct RtfParaFormat
{
    enum Alignment { Left = 0, Right = 1, Centre = 2, Justify = 3 };
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0; // first line only
    int listIndent = 0;  // \pnindent; 0 reads as 200
    int alignment = Left;

    friend bool operator==(const RtfParaFormat &, const RtfParaFormat &) = default;
};

// A piece of text in one formatting; tabs as '\t'.
struct RtfRun
{
    QString text;
    RtfCharFormat format;
    bool listText = false; // the text of \pntext (a list number or bullet)
};

struct RtfParagraph
{
    RtfParaFormat format;
    std::vector<RtfRun> runs;
    bool ended = false; // ended by \par or \row (such lines are never stretched)

    QString text() const;
};

struct RtfDocument
{
    std::vector<RtfParagraph> paragraphs;
    int tabWidth = 720; // twips, \deftab
};

// Reads the RTF text of an item with the RTF flag: one state per group
// (an opening brace resets the character formatting to plain Arial-less
// font 0 at 12 points, keeping the colour; the closing brace restores all
// but the list indent), character and paragraph properties, font and colour
// tables, \pntext, \bin, \* and \'hh; the destinations that hold no text
// (information, headers, footers, footnotes, style sheet, pictures …) are
// skipped and unknown keywords ignored. The formatting of the state reaches
// the text only when \b, \i, \ul, \ulnone, \f, \fcharset, \fs or \cf is
// read (outside the tables). `scale` multiplies the font sizes.
RtfDocument readRtf(const QByteArray &rtf, double scale = 1);

// One character of RTF text laid into a line: its place from the item's left
// edge in units and the format (an index into RtfLines::formats).
struct RtfGlyph
{
    QChar c;
    double x = 0;
    int format = 0;
};

struct RtfLine
{
    std::vector<RtfGlyph> glyphs;
    double height = 0;
    double ascent = 0;
};

struct RtfLines
{
    std::vector<RtfCharFormat> formats;
    std::vector<RtfLine> lines;
};

// The document laid into lines of `width` units (twips at 15 per unit): the
// text-flow rules with the paragraph's indents, tab stops every \deftab,
// alignment, list text one list indent left of the first line, and justified
// paragraphs stretching the lines that wrapping broke (not those \par ended).
RtfLines flowRtf(const RtfDocument &document, double width);
// The font of a format on the measuring canvas (100 pixels per inch).
QFont rtfFont(const RtfCharFormat &format);

} // namespace SestRtf

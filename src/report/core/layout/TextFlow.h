#pragma once

#include "report/core/template/ReportFonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QString>

#include <array>
#include <memory>
#include <vector>

// One line of a flowed text: a range of the text and its size in units.
struct TextLine
{
    int start = 0;  // first character in the text
    int length = 0; // characters of the line (without the line feed ending it)
    double width = 0;
    double height = 0;
    bool paragraphEnd = false; // ended by a line feed or the end of the text
};

// A text flowed into lines of one width.
struct TextLines
{
    QString text;
    std::vector<TextLine> lines;

    int count() const { return int(lines.size()); }
    QString line(int index) const;
    // The height of lines first..last (inclusive).
    double height(int first, int last) const;
    double height() const { return height(0, count() - 1); }
};

// The text flow that the layout measures with and the back-ends draw by,
// on the measuring canvas of 100 pixels per inch (one pixel per unit):
// characters are laid into lines within a width; a line feed ends the line
// and starts a paragraph; a carriage return takes no room; a tab moves to the
// next stop, the stops lying every 48 units from the line's start (when the
// position is left of the paragraph's left indent and the next stop lies
// beyond it, the tab stops at the indent); when a character passes the right
// edge the line breaks after its last blank and the started word moves to the
// next line, and a line with no blank ends with the character that passed the
// edge. A line is as tall as its tallest character (one font: the font's height).
class TextFlow
{
public:
    static constexpr double TabWidth = 48; // 720 twips at 15 twips per unit

    TextFlow(const FontDef &font, int spacing);

    // Lays the text into lines of `width` units.
    TextLines flow(const QString &text, double width, double leftIndent = 0) const;
    // A text that is not multi-line keeps its first line, ending before the
    // first character that does not fit.
    int firstLineLength(const QString &text, double width) const;

    double advance(QChar c) const;
    double lineHeight() const { return m_lineHeight; }
    const QFont &font() const { return m_font; }

    // The font an element's font stands for on the canvas: the line-printer
    // device fonts ("Roman 10cpi" …) are drawn as Courier New 11, 10 or 8.
    // `pitch` is set to the device font's character pitch in units (0 otherwise).
    static QFont canvasFont(const FontDef &font, double *pitch = nullptr);
    // The measuring canvas: 100 pixels per inch.
    static const QImage &canvas();

private:
    QFont m_font;
    std::unique_ptr<QFontMetricsF> m_metrics;
    double m_fixedPitch = 0; // a character spacing or a device font's pitch
    double m_lineHeight = 0;
    mutable std::array<float, 0x180> m_widths; // Latin-1 and Latin Extended-A, NaN until measured
    mutable QHash<char16_t, double> m_otherWidths;
};

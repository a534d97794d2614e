#include "report/core/sest_rtf.h"

#include "report/core/OutputText.h"
#include "report/core/ReportOutput.h"
#include "report/core/sestavyt.h"

#include <algorithm>
#include <cmath>

namespace SestRtf {

namespace {

int twips(double units)
{
    return int(std::lround(units * 1440.0 / 100.0));
}

QByteArray number(int n)
{
    return QByteArray::number(n);
}

// The font and colour tables, in order of first use.
struct Tables
{
    QStringList fonts;
    QList<QRgb> colours;

    int font(const QString &name)
    {
        qsizetype i = fonts.indexOf(name);
        if (i < 0) {
            fonts.append(name);
            i = fonts.size() - 1;
        }
        return int(i);
    }
    int colour(const QColor &c)
    {
        const QRgb rgb = c.rgb() & 0xFFFFFF;
        qsizetype i = colours.indexOf(rgb);
        if (i < 0) {
            colours.append(rgb);
            i = colours.size() - 1;
        }
        return int(i);
    }
};

QByteArray position(int w, int h, int y, int x)
{
    return "\\pvpg\\phpg\\absw" + number(w) + "\\absh" + number(-h) + "\\posy" + number(y) + "\\posx" + number(x);
}

// Font, colour, size, styles, the text and the closing styles.
QByteArray styledText(Tables &t, const TVystStyl &style, const QString &text)
{
    QByteArray out = "\\f" + number(t.font(style.font.name)) + "\\cf" + number(t.colour(style.font.colour)) + "\\fs"
                     + number(style.font.size * 2) + ' ';
    const int s = style.font.style;
    if (s & TFontDef::Bold)
        out += "\\b";
    if (s & TFontDef::Underline)
        out += "\\ul";
    if (s & TFontDef::Italic)
        out += "\\i";
    if (s & TFontDef::StrikeOut)
        out += "\\strike";
    static const char *const alignments[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
    out += alignments[std::clamp(style.alignment, 0, 3)];
    out += ' ' + escapeRtf(text) + ' ';
    if (s & TFontDef::StrikeOut)
        out += "\\strike0";
    if (s & TFontDef::Italic)
        out += "\\i0";
    if (s & TFontDef::Underline)
        out += "\\ul0";
    if (s & TFontDef::Bold)
        out += "\\b0";
    return out;
}

QByteArray penStyleWord(int style)
{
    switch (style) {
    case 1:
        return "\\brdrdash";
    case 2:
        return "\\brdrdot";
    case 3:
        return "\\brdrdashd";
    case 4:
        return "\\brdrdashdd";
    default:
        return QByteArray();
    }
}

QByteArray item(Tables &t, const TVystPrvek &item, const TLayoutPage &page)
{
    const TVystStyl &style = *item.style;
    const int x = twips(page.setup.leftMargin + item.left);
    const int y = twips(page.setup.topMargin + item.top);
    const int w = twips(item.width);
    const int h = twips(item.height);
    const int f = style.optionFlags;
    const int kind = item.kind();
    QByteArray out;
    if (ElementKind::isText(kind)) {
        if (item.hasLines()) {
            double offset = 0;
            for (int l = item.firstLine; l <= item.lastLine && l < item.lines->count(); ++l) {
                const double lineHeight = item.lines->lines.at(size_t(l)).height;
                out += "\r\n\\par\\pard" + position(w, twips(lineHeight), twips(page.setup.topMargin + item.top + offset), x);
                out += styledText(t, style, item.lines->line(l));
                offset += lineHeight;
            }
            return out;
        }
        out += "\\par\\pard";
        if (f & TRastelReportElement::FrameTop)
            out += "\\brdrt\\brdrs\\brdrw20 ";
        if (f & TRastelReportElement::FrameLeft)
            out += "\\brdrl\\brdrs\\brdrw20 ";
        if (f & TRastelReportElement::FrameBottom)
            out += "\\brdrb\\brdrs\\brdrw20 ";
        if (f & TRastelReportElement::FrameRight)
            out += "\\brdrr\\brdrs\\brdrw20 ";
        out += position(w, h, y, x) + styledText(t, style, item.text);
        return out;
    }
    if (kind == ElementKind::Line) {
        const QByteArray tail =
            "\\brdrs" + penStyleWord(style.penStyle) + "\\brdrw" + number(style.penWidth * 12) + "\\brdrcf"
            + number(t.colour(style.penColour)) + ' ';
        out += "\\par\\pard";
        if (f & 0x02)
            out += "\\brdrt" + tail;
        if (f & 0x01)
            out += "\\brdrl" + tail;
        if (f & 0x08)
            out += "\\brdrb" + tail;
        if (f & 0x04)
            out += "\\brdrr" + tail;
        return out + position(w, h, y, x);
    }
    if (kind >= ElementKind::Rectangle && kind <= ElementKind::Ellipse) {
        const int pen = t.colour(style.penColour); // listed even when no outline is drawn
        out += "\\par\\pard";
        if (style.penWidth > 0) {
            const QByteArray tail = "\\brdrs\\brdrw" + number(style.penWidth * 12) + "\\brdrcf" + number(pen) + ' ';
            out += "\\brdrt" + tail + "\\brdrl" + tail + "\\brdrb" + tail + "\\brdrr" + tail;
        }
        return out + position(w, h, y, x) + "\\cbpat" + number(t.colour(style.fillColour));
    }
    // Pictures, barcodes and paint boxes have no RTF form here.
    return out;
}

} // namespace

QByteArray escapeRtf(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c.unicode());
            continue;
        }
        const int code = OutputText::cp1250Code(c);
        if (code >= 0)
            out += char(code);
        else
            out += "\\u" + number(qint16(c.unicode())) + '?';
    }
    return out;
}

QByteArray exportRtf(const TSestVystup &output)
{
    const TLayoutPage &page = output.page;
    const int first = std::max(output.firstPage, 1);
    const int last = std::min(output.lastPage, output.pageCount());
    // The body first: the tables list what it used.
    Tables t;
    QByteArray body;
    for (int p = first; p <= last; ++p) {
        body += '{';
        for (const TVystPrvek &it : output.pages.at(size_t(p - 1)).items()) {
            if (it.style)
                body += item(t, it, page);
        }
        body += p == last ? "\\par}" : "\\par\\page}";
    }
    // Kinds 8-10 add their fill colour after the pen colour: the item writer
    // asks for the pen colour first, so the order of first use holds.
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720{\\fonttbl";
    for (qsizetype i = 0; i < t.fonts.size(); ++i)
        out += "\\f" + number(int(i)) + "\\fnil " + escapeRtf(t.fonts.at(i)) + ';';
    out += "}{\\colortbl";
    for (const QRgb c : t.colours)
        out += "\\red" + number(qRed(c)) + "\\green" + number(qGreen(c)) + "\\blue" + number(qBlue(c)) + ';';
    out += "}{\\info{\\doccomm Produced by: RASTEL Report Generator (";
    out += GeneratorAddress;
    out += ")}}";
    out += "\\viewkind1\\paperw" + number(twips(page.paperWidth())) + "\\paperh" + number(twips(page.paperHeight()))
           + "\\margl" + number(twips(page.setup.leftMargin)) + "\\margr" + number(twips(page.setup.rightMargin))
           + "\\margt" + number(twips(page.setup.topMargin)) + "\\margb" + number(twips(page.setup.bottomMargin))
           + "\\headery0\\footery0\r\n";
    out += body;
    out += '}';
    return out;
}

} // namespace SestRtf

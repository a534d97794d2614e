#include "report/core/output/RtfDocument.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/layout/TextFlow.h"
#include "report/core/model/ReportElement.h"
#include "report/core/model/ReportSections.h"
#include "report/core/output/TextExport.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

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
QByteArray styledText(Tables &t, const ItemStyle &style, const QString &text)
{
    QByteArray out = "\\f" + number(t.font(style.font.name)) + "\\cf" + number(t.colour(style.font.colour)) + "\\fs" +
                     number(style.font.size * 2) + ' ';
    const int s = style.font.style;
    if (s & FontDef::Bold)
        out += "\\b";
    if (s & FontDef::Underline)
        out += "\\ul";
    if (s & FontDef::Italic)
        out += "\\i";
    if (s & FontDef::StrikeOut)
        out += "\\strike";
    static const char *const alignments[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
    out += alignments[std::clamp(style.alignment, 0, 3)];
    out += ' ' + escapeRtf(text) + ' ';
    if (s & FontDef::StrikeOut)
        out += "\\strike0";
    if (s & FontDef::Italic)
        out += "\\i0";
    if (s & FontDef::Underline)
        out += "\\ul0";
    if (s & FontDef::Bold)
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

QByteArray item(Tables &t, const TVystPrvek &item, const LayoutPage &page)
{
    const ItemStyle &style = *item.style;
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
                out +=
                    "\r\n\\pard" + position(w, twips(lineHeight), twips(page.setup.topMargin + item.top + offset), x);
                out += styledText(t, style, item.lines->line(l)) + "\\par";
                offset += lineHeight;
            }
            return out;
        }
        out += "\\pard";
        if (f & TRastelReportElement::FrameTop)
            out += "\\brdrt\\brdrs\\brdrw20 ";
        if (f & TRastelReportElement::FrameLeft)
            out += "\\brdrl\\brdrs\\brdrw20 ";
        if (f & TRastelReportElement::FrameBottom)
            out += "\\brdrb\\brdrs\\brdrw20 ";
        if (f & TRastelReportElement::FrameRight)
            out += "\\brdrr\\brdrs\\brdrw20 ";
        return out + position(w, h, y, x) + styledText(t, style, item.text) + "\\par";
    }
    if (kind == ElementKind::Line) {
        const QByteArray tail = "\\brdrs" + penStyleWord(style.penStyle) + "\\brdrw" + number(style.penWidth * 12) +
                                "\\brdrcf" + number(t.colour(style.penColour)) + ' ';
        out += "\\pard";
        if (f & 0x02)
            out += "\\brdrt" + tail;
        if (f & 0x01)
            out += "\\brdrl" + tail;
        if (f & 0x08)
            out += "\\brdrb" + tail;
        if (f & 0x04)
            out += "\\brdrr" + tail;
        return out + position(w, h, y, x) + "\\par";
    }
    if (kind >= ElementKind::Rectangle && kind <= ElementKind::Ellipse) {
        const int pen = t.colour(style.penColour); // listed even when no outline is drawn
        out += "\\pard";
        if (style.penWidth > 0) {
            const QByteArray tail = "\\brdrs\\brdrw" + number(style.penWidth * 12) + "\\brdrcf" + number(pen) + ' ';
            out += "\\brdrt" + tail + "\\brdrl" + tail + "\\brdrb" + tail + "\\brdrr" + tail;
        }
        return out + position(w, h, y, x) + "\\cbpat" + number(t.colour(style.fillColour)) + "\\par";
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
        // 7-bit text as it is, the rest of the code page as \'hh: readers
        // that take raw 8-bit bytes as another code page lose no letter.
        const int code = OutputText::cp1250Code(c);
        if (code >= 0 && code < 0x80)
            out += char(code);
        else if (code >= 0)
            out += "\\'" + QByteArray::number(code, 16).rightJustified(2, '0');
        else
            out += "\\u" + number(qint16(c.unicode())) + '?';
    }
    return out;
}

QByteArray exportRtf(const TSestVystup &output)
{
    const LayoutPage &page = output.page;
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
        // Each item is a paragraph in a frame placed on the page; a reader
        // anchors frames to the next paragraph of the text, so every page
        // ends with one (without it a word processor starts with a blank
        // page, shows page n as n + 1 and lays the last two over each other).
        body += p == last ? "\\pard\\par}" : "\\pard\\par\\page}";
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
    out += "\\viewkind1\\paperw" + number(twips(page.paperWidth())) + "\\paperh" + number(twips(page.paperHeight())) +
           "\\margl" + number(twips(page.setup.leftMargin)) + "\\margr" + number(twips(page.setup.rightMargin)) +
           "\\margt" + number(twips(page.setup.topMargin)) + "\\margb" + number(twips(page.setup.bottomMargin)) +
           "\\headery0\\footery0\r\n";
    out += body;
    out += '}';
    return out;
}

} // namespace SestRtf

// ---------------------------------------------------------------- the reader

namespace SestRtf {

QString RtfParagraph::text() const
{
    QString all;
    for (const RtfRun &run : runs)
        all += run.text;
    return all;
}

namespace {

enum class Destination { Normal, Skip, FontTable, ColourTable, ListText };

struct CharState
{
    int font = 0;
    int charset = -1; // -1: the font table's
    double size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor colour = QColor(Qt::black);
};

struct State
{
    CharState chars;
    RtfParaFormat para;
    Destination destination = Destination::Normal;
};

struct FontEntry
{
    QString name;
    int charset = 0;
};

// The destinations of the reader's table that hold no text of the document.
bool isSkippedDestination(const QByteArray &word)
{
    static const QByteArray words[] = {"author",
                                       "buptim",
                                       "comment",
                                       "creatim",
                                       "doccomm",
                                       "footer",
                                       "footerf",
                                       "footerl",
                                       "footerr",
                                       "footnote",
                                       "ftncn",
                                       "ftnsep",
                                       "ftnsepc",
                                       "header",
                                       "headerf",
                                       "headerl",
                                       "headerr",
                                       "info",
                                       "keywords",
                                       "operator",
                                       "pict",
                                       "printim",
                                       "private1",
                                       "revtim",
                                       "rxe",
                                       "stylesheet",
                                       "subject",
                                       "tc",
                                       "title",
                                       "txe",
                                       "xe",
                                       "object",
                                       "fldinst",
                                       "themedata",
                                       "colorschememapping",
                                       "latentstyles",
                                       "listtable",
                                       "listoverridetable",
                                       "rsidtbl",
                                       "generator",
                                       "datastore",
                                       "xmlnstbl"};
    for (const QByteArray &w : words) {
        if (w == word)
            return true;
    }
    return false;
}

class Reader
{
public:
    Reader(const QByteArray &rtf, double scale) : m_in(rtf), m_scale(scale) { m_state.chars.size = 12 * scale; }

    RtfDocument read()
    {
        m_doc.paragraphs.emplace_back();
        applyFormat(); // the text before any keyword: font 0 at 12 points
        qsizetype i = 0;
        const qsizetype n = m_in.size();
        while (i < n) {
            const char c = m_in.at(i);
            if (m_binLeft > 0) {
                --m_binLeft;
                ++i;
                continue;
            }
            if (c == '{') {
                m_stack.push_back(m_state);
                m_state.chars.bold = m_state.chars.italic = m_state.chars.underline = false;
                m_state.chars.font = 0;
                m_state.chars.charset = -1;
                m_state.chars.size = 12 * m_scale;
                ++i;
            } else if (c == '}') {
                if (!m_stack.empty()) {
                    const int listIndent = m_state.para.listIndent;
                    const Destination left = m_state.destination;
                    m_state = m_stack.back();
                    m_stack.pop_back();
                    m_state.para.listIndent = listIndent;
                    if (left == Destination::FontTable && m_state.destination == Destination::FontTable)
                        m_fontEntry = -1;
                }
                ++i;
            } else if (c == '\\') {
                i = keyword(i + 1);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                character(QChar::fromLatin1(c), uchar(c) >= 0x80);
                ++i;
            }
        }
        if (m_doc.paragraphs.back().runs.empty() && m_doc.paragraphs.size() > 1)
            m_doc.paragraphs.pop_back();
        return std::move(m_doc);
    }

private:
    // Reads a keyword after the backslash at `i`; returns the next position.
    qsizetype keyword(qsizetype i)
    {
        const qsizetype n = m_in.size();
        if (i >= n)
            return i;
        const char c = m_in.at(i);
        if (!std::isalpha(uchar(c))) {
            // Control symbols.
            if (c == '\'') {
                if (i + 2 < n) {
                    bool ok = false;
                    const int code = m_in.mid(i + 1, 2).toInt(&ok, 16);
                    if (ok)
                        character(OutputText::fromCp1250(code), true);
                    return std::min(i + 3, n);
                }
                return n;
            }
            if (c == '*') {
                m_starred = true;
                return i + 1;
            }
            if (c == '~')
                character(QChar(u' '), false);
            else if (c == '\\' || c == '{' || c == '}')
                character(QChar::fromLatin1(c), false);
            else if (c == '\r' || c == '\n')
                paragraphEnd();
            return i + 1;
        }
        qsizetype j = i;
        while (j < n && std::isalpha(uchar(m_in.at(j))) && j - i < 32)
            ++j;
        const QByteArray word = m_in.mid(i, j - i);
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (j < n && m_in.at(j) == '-') {
            negative = true;
            ++j;
        }
        const qsizetype digits = j;
        while (j < n && std::isdigit(uchar(m_in.at(j))) && j - digits < 10) {
            param = param * 10 + (m_in.at(j) - '0');
            hasParam = true;
            ++j;
        }
        if (negative)
            param = -param;
        if (j < n && m_in.at(j) == ' ')
            ++j;
        const bool starred = m_starred;
        m_starred = false;
        apply(word, hasParam, int(std::clamp(param, -1000000000LL, 1000000000LL)), starred);
        return j;
    }

    bool inTables() const
    {
        return m_state.destination == Destination::FontTable || m_state.destination == Destination::ColourTable;
    }

    void apply(const QByteArray &w, bool hasParam, int p, bool starred)
    {
        if (m_state.destination == Destination::Skip) {
            if (w == "bin" && hasParam && p > 0)
                m_binLeft = p;
            return;
        }
        CharState &ch = m_state.chars;
        RtfParaFormat &para = m_state.para;
        const int on = hasParam ? p : 1;
        if (w == "bin") {
            if (hasParam && p > 0)
                m_binLeft = p;
        } else if (w == "b" || w == "i" || w == "ul" || w == "ulnone" || w == "fs" || w == "cf") {
            if (w == "b")
                ch.bold = on != 0;
            else if (w == "i")
                ch.italic = on != 0;
            else if (w == "ul")
                ch.underline = on != 0;
            else if (w == "ulnone")
                ch.underline = false;
            else if (w == "fs") {
                // A size is positive: \fs0 or a negative one keeps the size there is.
                const int halfPoints = hasParam ? p : 24;
                if (halfPoints > 0)
                    ch.size = halfPoints / 2.0 * m_scale;
            } else
                ch.colour = (p >= 0 && p < m_colours.size()) ? m_colours.at(p) : QColor(Qt::black);
            if (!inTables())
                applyFormat();
        } else if (w == "f") {
            if (m_state.destination == Destination::FontTable) {
                m_fontEntry = p;
                m_fonts[p] = FontEntry{};
                m_fontName.clear();
            } else {
                ch.font = p;
                ch.charset = -1;
                applyFormat();
            }
        } else if (w == "fcharset") {
            if (m_state.destination == Destination::FontTable) {
                if (m_fontEntry >= 0)
                    m_fonts[m_fontEntry].charset = p;
            } else {
                ch.charset = p;
                applyFormat();
            }
        } else if (w == "plain") {
            ch.bold = ch.italic = ch.underline = false;
            ch.colour = QColor(Qt::black);
        } else if (w == "fonttbl") {
            m_state.destination = Destination::FontTable;
            m_fontEntry = -1;
        } else if (w == "colortbl") {
            m_state.destination = Destination::ColourTable;
        } else if (w == "red") {
            m_red = std::clamp(p, 0, 255);
        } else if (w == "green") {
            m_green = std::clamp(p, 0, 255);
        } else if (w == "blue") {
            m_blue = std::clamp(p, 0, 255);
        } else if (w == "pntext") {
            m_state.destination = Destination::ListText;
        } else if (w == "li") {
            para.leftIndent = p;
        } else if (w == "ri") {
            para.rightIndent = p;
        } else if (w == "fi") {
            para.firstIndent = p;
        } else if (w == "pnindent") {
            para.listIndent = p == 0 ? 200 : p;
        } else if (w == "pard") {
            para = RtfParaFormat{};
        } else if (w == "ql") {
            para.alignment = RtfParaFormat::Left;
        } else if (w == "qr") {
            para.alignment = RtfParaFormat::Right;
        } else if (w == "qc") {
            para.alignment = RtfParaFormat::Centre;
        } else if (w == "qj") {
            para.alignment = RtfParaFormat::Justify;
        } else if (w == "deftab") {
            if (p > 0)
                m_doc.tabWidth = p;
        } else if (w == "par" || w == "row") {
            paragraphEnd();
        } else if (w == "tab" || w == "cell") {
            character(QChar(u'\t'), false);
        } else if (w == "ldblquote" || w == "rdblquote") {
            character(QChar(u'\''), false);
        } else if (isSkippedDestination(w) || starred) {
            // A destination without document text, or an unknown one marked with \*.
            m_state.destination = Destination::Skip;
        }
        // Any other keyword (section and document properties among them) has no effect.
    }

    void applyFormat()
    {
        const auto font = m_fonts.find(m_state.chars.font);
        m_applied.fontName = font == m_fonts.end() ? QString() : font->second.name;
        m_applied.charset =
            m_state.chars.charset >= 0 ? m_state.chars.charset : (font == m_fonts.end() ? 0 : font->second.charset);
        m_applied.size = m_state.chars.size;
        m_applied.bold = m_state.chars.bold;
        m_applied.italic = m_state.chars.italic;
        m_applied.underline = m_state.chars.underline;
        m_applied.colour = m_state.chars.colour;
    }

    void character(QChar c, bool highByte)
    {
        switch (m_state.destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (c == u';') {
                if (m_fontEntry >= 0)
                    m_fonts[m_fontEntry].name = m_fontName.trimmed();
                m_fontName.clear();
            } else {
                m_fontName +=
                    highByte && c.unicode() >= 0x80 && c.unicode() < 0x100 ? OutputText::fromCp1250(c.unicode()) : c;
            }
            return;
        case Destination::ColourTable:
            if (c == u';')
                m_colours.append(QColor(m_red, m_green, m_blue));
            return;
        default:
            break;
        }
        if (highByte && c.unicode() >= 0x80 && c.unicode() < 0x100)
            c = OutputText::fromCp1250(c.unicode());
        RtfParagraph &paragraph = m_doc.paragraphs.back();
        const bool listText = m_state.destination == Destination::ListText;
        if (paragraph.runs.empty() || !(paragraph.runs.back().format == m_applied) ||
            paragraph.runs.back().listText != listText)
            paragraph.runs.push_back(RtfRun{QString(), m_applied, listText});
        paragraph.runs.back().text += c;
        paragraph.format = m_state.para;
    }

    void paragraphEnd()
    {
        if (m_state.destination == Destination::Skip || inTables())
            return;
        RtfParagraph &paragraph = m_doc.paragraphs.back();
        paragraph.format = m_state.para;
        paragraph.ended = true;
        m_doc.paragraphs.emplace_back();
    }

    const QByteArray &m_in;
    double m_scale;
    RtfDocument m_doc;
    State m_state;
    std::vector<State> m_stack;
    RtfCharFormat m_applied;
    std::map<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    QString m_fontName;
    QList<QColor> m_colours;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    long long m_binLeft = 0;
    bool m_starred = false;
};

} // namespace

RtfDocument readRtf(const QByteArray &rtf, double scale)
{
    return Reader(rtf, scale).read();
}

QFont rtfFont(const RtfCharFormat &format)
{
    FontDef def;
    def.name = format.fontName.isEmpty() ? u"Arial"_s : format.fontName;
    def.style = (format.bold ? FontDef::Bold : 0) | (format.italic ? FontDef::Italic : 0) |
                (format.underline ? FontDef::Underline : 0);
    QFont font = TextFlow::canvasFont(def);
    font.setPointSizeF(std::max(format.size, 1.0));
    return font;
}

RtfLines flowRtf(const RtfDocument &document, double width)
{
    constexpr double TwipsPerUnit = 15;
    RtfLines out;
    std::vector<std::unique_ptr<QFontMetricsF>> metrics;
    auto formatIndex = [&](const RtfCharFormat &f) {
        for (size_t i = 0; i < out.formats.size(); ++i) {
            if (out.formats[i] == f)
                return int(i);
        }
        out.formats.push_back(f);
        metrics.push_back(std::make_unique<QFontMetricsF>(rtfFont(f), &TextFlow::canvas()));
        return int(out.formats.size() - 1);
    };
    const double tab = std::max(document.tabWidth / TwipsPerUnit, 1.0);
    for (const RtfParagraph &paragraph : document.paragraphs) {
        const RtfParaFormat &pf = paragraph.format;
        const double left = pf.leftIndent / TwipsPerUnit;
        const double right = width - pf.rightIndent / TwipsPerUnit;
        const double list = pf.listIndent / TwipsPerUnit;
        RtfLine line;
        double x = left + pf.firstIndent / TwipsPerUnit + list;
        double lineStart = x;
        bool firstLine = true;
        double listX = x - list;
        auto finish = [&](bool broken) {
            if (line.glyphs.empty()) {
                if (line.height <= 0 && !metrics.empty())
                    line.height = metrics.back()->height();
            } else {
                const double end = x;
                double shift = 0;
                if (pf.alignment == RtfParaFormat::Right)
                    shift = right - end;
                else if (pf.alignment == RtfParaFormat::Centre)
                    shift = (left + right - (end - lineStart)) / 2 - lineStart + list;
                const double factor = (pf.alignment == RtfParaFormat::Justify && broken && end > lineStart)
                                          ? (right - lineStart) / (end - lineStart)
                                          : 1;
                for (RtfGlyph &g : line.glyphs)
                    g.x = lineStart + (g.x - lineStart) * factor + shift;
            }
            out.lines.push_back(std::move(line));
            line = RtfLine{};
            firstLine = false;
            x = lineStart = left;
        };
        for (const RtfRun &run : paragraph.runs) {
            const int f = formatIndex(run.format);
            const QFontMetricsF &m = *metrics[size_t(f)];
            if (run.listText && firstLine)
                std::swap(x, listX); // the list text starts one list indent to the left
            for (const QChar c : run.text) {
                double advance = 0;
                if (c == u'\t') {
                    double next = (std::floor(x / tab) + 1) * tab;
                    if (x < left && next > left)
                        next = left;
                    advance = next - x;
                } else if (c != u'\r') {
                    advance = m.horizontalAdvance(c);
                }
                if (x + advance > right && !line.glyphs.empty() && !run.listText) {
                    // Break after the line's last blank; the started word moves on.
                    qsizetype blank = qsizetype(line.glyphs.size()) - 1;
                    while (blank >= 0 && line.glyphs[size_t(blank)].c != u' ')
                        --blank;
                    std::vector<RtfGlyph> carried;
                    const double before = x;
                    if (blank >= 0) {
                        carried.assign(line.glyphs.begin() + blank + 1, line.glyphs.end());
                        line.glyphs.resize(size_t(blank + 1));
                        if (!carried.empty())
                            x = carried.front().x;
                    }
                    auto measure = [&](RtfLine &l) {
                        l.height = l.ascent = 0;
                        for (const RtfGlyph &g : l.glyphs) {
                            l.height = std::max(l.height, metrics[size_t(g.format)]->height());
                            l.ascent = std::max(l.ascent, metrics[size_t(g.format)]->ascent());
                        }
                    };
                    measure(line);
                    finish(true);
                    if (!carried.empty()) {
                        const double from = carried.front().x;
                        for (RtfGlyph g : carried) {
                            g.x = g.x - from + x;
                            line.glyphs.push_back(g);
                        }
                        x = before - from + x;
                        measure(line);
                    }
                }
                line.glyphs.push_back(RtfGlyph{c, x, f});
                line.height = std::max(line.height, m.height());
                line.ascent = std::max(line.ascent, m.ascent());
                x += advance;
            }
            if (run.listText && firstLine)
                std::swap(x, listX); // the paragraph's text goes on from its own start
        }
        finish(false);
    }
    return out;
}

} // namespace SestRtf

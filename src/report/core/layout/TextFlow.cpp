#include "report/core/layout/TextFlow.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

QString TextLines::line(int index) const
{
    if (index < 0 || index >= count())
        return QString();
    const TextLine &l = lines.at(size_t(index));
    QString result = text.mid(l.start, l.length);
    result.remove(u'\r');
    return result;
}

double TextLines::height(int first, int last) const
{
    double sum = 0;
    for (int i = std::max(first, 0); i <= last && i < count(); ++i)
        sum += lines.at(size_t(i)).height;
    return sum;
}

const QImage &TextFlow::canvas()
{
    static const QImage image = [] {
        QImage canvas(1, 1, QImage::Format_RGB32);
        // 100 pixels per inch: one pixel per unit.
        canvas.setDotsPerMeterX(3937);
        canvas.setDotsPerMeterY(3937);
        return canvas;
    }();
    return image;
}

QFont TextFlow::canvasFont(const FontDef &def, double *pitch)
{
    if (pitch)
        *pitch = 0;
    QFont font;
    if (def.name.startsWith(u"Roman "_s)) {
        // The line-printer device fonts, drawn as Courier New at their pitch.
        int size = 11;
        double cpi = 10;
        if (def.name.contains(u"12"_s)) {
            size = 10;
            cpi = 12;
        } else if (def.name.contains(u"17"_s)) {
            size = 8;
            cpi = 17;
        }
        font.setFamily(u"Courier New"_s);
        font.setPointSize(size);
        font.setFixedPitch(true);
        if (pitch)
            *pitch = 100.0 / cpi;
    } else {
        QString name = def.name;
        int charset = def.charset;
        ReportFonts::resolveSuffix(name, charset);
        font.setFamily(name);
        font.setPointSize(def.size > 0 ? def.size : 10);
    }
    font.setBold(def.style & FontDef::Bold);
    font.setItalic(def.style & FontDef::Italic);
    font.setUnderline(def.style & FontDef::Underline);
    font.setStrikeOut(def.style & FontDef::StrikeOut);
    // Whole-pixel glyph advances would make the measure depend on hinting.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

TextFlow::TextFlow(const FontDef &def, int spacing)
{
    double devicePitch = 0;
    m_font = canvasFont(def, &devicePitch);
    m_metrics = std::make_unique<QFontMetricsF>(m_font, &canvas());
    if (spacing > 0)
        m_fixedPitch = devicePitch > 0 ? devicePitch : spacing;
    m_lineHeight = m_metrics->height();
    m_widths.fill(std::numeric_limits<float>::quiet_NaN());
}

double TextFlow::advance(QChar c) const
{
    if (m_fixedPitch > 0)
        return m_fixedPitch;
    const char16_t code = c.unicode();
    if (code < m_widths.size()) {
        float &w = m_widths[code];
        if (std::isnan(w))
            w = float(m_metrics->horizontalAdvance(c));
        return w;
    }
    auto it = m_otherWidths.constFind(code);
    if (it == m_otherWidths.constEnd())
        it = m_otherWidths.insert(code, m_metrics->horizontalAdvance(c));
    return *it;
}

namespace {
double tabStop(double x, double leftIndent)
{
    const double next = (std::floor(x / TextFlow::TabWidth) + 1) * TextFlow::TabWidth;
    return (x < leftIndent && next > leftIndent) ? leftIndent : next;
}
} // namespace

TextLines TextFlow::flow(const QString &text, double width, double leftIndent) const
{
    TextLines result;
    result.text = text;
    const int n = int(text.size());
    const QChar *chars = text.constData();
    auto push = [&](int start, int end, double lineWidth, bool paragraphEnd) {
        result.lines.push_back(TextLine{start, end - start, lineWidth, m_lineHeight, paragraphEnd});
    };
    auto widthOf = [&](int start, int end) {
        double x = 0;
        for (int k = start; k < end; ++k) {
            if (chars[k] == u'\t')
                x = tabStop(x, leftIndent);
            else if (chars[k] != u'\r')
                x += advance(chars[k]);
        }
        return x;
    };

    int lineStart = 0;
    int lastBlank = -1;
    double x = 0;
    int i = 0;
    while (i < n) {
        const QChar c = chars[i];
        if (c == u'\n') {
            push(lineStart, i, x, true);
            lineStart = i + 1;
            x = 0;
            lastBlank = -1;
            ++i;
            continue;
        }
        if (c == u'\r') {
            ++i;
            continue;
        }
        const double w = c == u'\t' ? tabStop(x, leftIndent) - x : advance(c);
        if (x + w > width) {
            if (lastBlank >= lineStart) {
                // The line ends after its last blank; the started word moves on.
                const int end = lastBlank + 1;
                push(lineStart, end, widthOf(lineStart, end), false);
                lineStart = end;
                lastBlank = -1;
                x = widthOf(lineStart, i);
                continue; // the same character again, on the new line
            }
            // No blank: the line ends with the character that passed the edge.
            push(lineStart, i + 1, x + w, false);
            lineStart = i + 1;
            x = 0;
            ++i;
            continue;
        }
        x += w;
        if (c == u' ')
            lastBlank = i;
        ++i;
    }
    if (lineStart < n)
        push(lineStart, n, x, true);
    return result;
}

int TextFlow::firstLineLength(const QString &text, double width) const
{
    double x = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n')
            return i;
        if (c == u'\r')
            continue;
        const double w = c == u'\t' ? tabStop(x, 0) - x : advance(c);
        if (x + w > width)
            return i;
        x += w;
    }
    return int(text.size());
}

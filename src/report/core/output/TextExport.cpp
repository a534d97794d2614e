#include "report/core/output/TextExport.h"

#include "common/CodePage.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/model/ReportElement.h"

#include <QIODevice>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The 44 accented letters: Windows-1250, ASCII, Kamenický, code page 852.
struct Letter
{
    unsigned char cp1250, ascii, kamenicky, cp852;
};
constexpr Letter kLetters[] = {
    {0xE1, 'a', 0xA0, 0xA0}, {0xE4, 'a', 0x84, 0x84}, {0xE8, 'c', 0x87, 0x9F}, {0xEF, 'd', 0x83, 0xD4},
    {0xE9, 'e', 0x82, 0x82}, {0xEC, 'e', 0x88, 0xD8}, {0xED, 'i', 0xA1, 0xA1}, {0xE5, 'l', 0x8D, 0x92},
    {0xBE, 'l', 0x8C, 0x96}, {0xF2, 'n', 0xA4, 0xE5}, {0xF3, 'o', 0xA2, 0xA2}, {0xF4, 'o', 0x93, 0x93},
    {0xF6, 'o', 0x94, 0x94}, {0xE0, 'r', 0xAA, 0xEA}, {0xF8, 'r', 0xA9, 0xFD}, {0x9A, 's', 0xA8, 0xE7},
    {0x9D, 't', 0x9F, 0x9C}, {0xFA, 'u', 0xA3, 0xA3}, {0xF9, 'u', 0x96, 0x85}, {0xFC, 'u', 0x81, 0x81},
    {0xFD, 'y', 0x98, 0xEC}, {0x9E, 'z', 0x91, 0xA7}, {0xC1, 'A', 0x8F, 0xB5}, {0xC4, 'A', 0x8E, 0x8E},
    {0xC8, 'C', 0x80, 0xAC}, {0xCF, 'D', 0x85, 0xD2}, {0xC9, 'E', 0x90, 0x90}, {0xCC, 'E', 0x89, 0xB7},
    {0xCD, 'I', 0x8B, 0xD6}, {0xC5, 'L', 0x8A, 0x91}, {0xBC, 'L', 0x9C, 0x95}, {0xD2, 'N', 0xA5, 0xD5},
    {0xD3, 'O', 0x95, 0xE0}, {0xD4, 'O', 0xA7, 0xE2}, {0xD6, 'O', 0x99, 0x99}, {0xC0, 'R', 0xAB, 0xE8},
    {0xD8, 'R', 0x9E, 0xFC}, {0x8A, 'S', 0x9B, 0xE6}, {0x8D, 'T', 0x86, 0x9B}, {0xDA, 'U', 0x97, 0xE9},
    {0xD9, 'U', 0xA6, 0xDE}, {0xDC, 'U', 0x9A, 0x9A}, {0xDD, 'Y', 0x9D, 0xED}, {0x8E, 'Z', 0x92, 0xA6},
};

struct Tables
{
    std::array<unsigned char, 0x10000> fromUnicode{};
    std::array<char16_t, 0x100> toUnicode{}; // 0 where the code page has no character
    std::array<std::array<unsigned char, 256>, 5> toTarget{};
};

const Tables &tables()
{
    static const Tables built = [] {
        Tables t;
        for (int c = 0; c < 0x80; ++c)
            t.fromUnicode[size_t(c)] = static_cast<unsigned char>(c);
        const CodePage &cp1250 = CodePage::windows1250();
        for (int b = 0x80; b < 0x100; ++b) {
            const char byte = char(b);
            const QString decoded = cp1250.decode(QByteArrayView(&byte, 1));
            if (decoded.size() == 1 && cp1250.canEncode(decoded.at(0))) {
                t.fromUnicode[decoded.at(0).unicode()] = static_cast<unsigned char>(b);
                t.toUnicode[size_t(b)] = decoded.at(0).unicode();
            }
        }
        for (auto &target : t.toTarget) {
            for (int b = 0; b < 256; ++b)
                target[size_t(b)] = static_cast<unsigned char>(b);
        }
        for (const Letter &l : kLetters) {
            t.toTarget[slASCII][l.cp1250] = l.ascii;
            t.toTarget[slCP867][l.cp1250] = l.kamenicky;
            t.toTarget[slCP852][l.cp1250] = l.cp852;
        }
        return t;
    }();
    return built;
}

// Writes `text` into the layer from column `column`, padding with blanks.
void put(QString &layer, int column, const QString &text)
{
    if (layer.size() < column + text.size())
        layer.resize(column + text.size(), u' ');
    for (qsizetype i = 0; i < text.size(); ++i)
        layer[column + i] = text.at(i);
}

} // namespace

QString CharPage::line(int row) const
{
    QString merged;
    for (const QString &layer : rows.at(size_t(row))) {
        if (merged.size() < layer.size())
            merged.resize(layer.size(), u' ');
        for (qsizetype i = 0; i < layer.size(); ++i) {
            if (merged.at(i) == u' ')
                merged[i] = layer.at(i);
        }
    }
    return merged;
}

namespace OutputText {

int linesPerInch(int lineSpacing)
{
    switch (lineSpacing) {
    case 1:
        return 4;
    case 2:
        return 3;
    default:
        return 6;
    }
}

int rowsOnPage(int contentHeight, int linesPerInch)
{
    // A partial last row is a row: content at the bottom of the printable
    // area (the page footer) must not fall off the grid.
    return std::max(0, (contentHeight * linesPerInch + 99) / 100);
}

int pitchOfSize(int pointSize)
{
    if (pointSize <= 8)
        return 17;
    return pointSize <= 10 ? 12 : 10;
}

int layerOf(int cpi, int fontStyle)
{
    const int pitch = cpi == 10 ? 0 : (cpi == 12 ? 1 : 2);
    const int style = ((fontStyle & FontDef::Bold) ? 1 : 0) | ((fontStyle & FontDef::Italic) ? 2 : 0) |
                      ((fontStyle & FontDef::Underline) ? 4 : 0);
    return pitch * 8 + style;
}

QString fitColumns(const QString &text, int columns, int alignment, int *offset)
{
    columns = std::max(columns, 0);
    const int excess = int(text.size()) - columns;
    if (excess >= 0) {
        *offset = 0;
        if (alignment == TRastelReportElement::AlignRight)
            return text.right(columns);
        if (alignment == TRastelReportElement::AlignCenter)
            return text.mid(excess / 2, columns);
        return text.left(columns);
    }
    if (alignment == TRastelReportElement::AlignRight)
        *offset = -excess;
    else if (alignment == TRastelReportElement::AlignCenter)
        *offset = -excess / 2;
    else
        *offset = 0;
    return text;
}

QByteArray toCodePage(const QString &text, TSestLanguage language)
{
    const Tables &t = tables();
    const auto &target = t.toTarget.at(size_t(language >= slUndefined && language <= slCP1250 ? language : 0));
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        unsigned char b = t.fromUnicode[c.unicode()];
        if (b == 0 && c.unicode() != 0)
            b = '?';
        bytes.append(char(target[b]));
    }
    return bytes;
}

int cp1250Code(QChar c)
{
    const unsigned char b = tables().fromUnicode[c.unicode()];
    return (b == 0 && c.unicode() != 0) ? -1 : b;
}

QChar fromCp1250(int code)
{
    if (code < 0x80)
        return QChar(char16_t(std::max(code, 0)));
    const char16_t c = code > 0xFF ? 0 : tables().toUnicode[size_t(code)];
    return c ? QChar(c) : QChar(QChar::ReplacementCharacter);
}

CharPage charPage(const TSestVystup &output, int pageIndex, int lpi, int rowOffset)
{
    CharPage page;
    const int rows = rowsOnPage(output.page.contentHeight(), lpi);
    page.rows.resize(size_t(rows));
    if (pageIndex < 0 || pageIndex >= output.pageCount())
        return page;
    for (const TVystPrvek &item : output.pages.at(size_t(pageIndex)).items()) {
        // Nothing below the printable area has a row.
        if (!ElementKind::isText(item.kind()) || item.top >= output.page.contentHeight())
            continue;
        const ItemStyle &style = *item.style;
        const int cpi = pitchOfSize(style.font.size);
        const int firstColumn = int(std::lround(item.left * cpi / 100.0));
        const int columns = int(std::lround(item.width * cpi / 100.0));
        // A line never grows beyond 255 characters: an item reaching past it is dropped.
        if (firstColumn < 0 || firstColumn + columns > CharPage::MaxLine)
            continue;
        const int layer = layerOf(cpi, style.font.style);
        QStringList shown;
        if (item.hasLines()) {
            for (int l = item.firstLine; l <= item.lastLine; ++l)
                shown << item.lines->line(l);
        } else {
            shown << item.text;
        }
        // Each shown line of a wrapped item on its own row, from the item's
        // row down. Rows are a little taller than most lines and rounding
        // moves an item down by up to half a row: an item at the bottom of
        // the area moves up until its last line has a row rather than lose it.
        const int row = std::min(int(std::lround(item.top * lpi / 100.0)) + rowOffset, rows - int(shown.size()));
        for (qsizetype l = 0; l < shown.size(); ++l) {
            const int r = row + int(l);
            if (r < 0)
                continue;
            QString text = shown.at(l);
            text.replace(u'\t', u' ').remove(u'\r').replace(u'\n', u' ');
            int offset = 0;
            const QString fitted = fitColumns(text, columns, style.alignment, &offset);
            put(page.rows[size_t(r)][size_t(layer)], firstColumn + offset, fitted);
            page.lowestUsedRow = std::max(page.lowestUsedRow, r);
        }
    }
    return page;
}

QByteArray pageText(const CharPage &page, TSestLanguage language, bool lastPage)
{
    const int rows = lastPage ? page.lowestUsedRow + 1 : int(page.rows.size());
    QByteArray text;
    for (int r = 0; r < rows; ++r) {
        text += toCodePage(page.line(r), language);
        text += "\r\n";
    }
    return text;
}

int exportText(const TSestVystup &output, QIODevice &device, const TextExport &options)
{
    const int first = std::max(output.firstPage, 1);
    const int last = std::min(output.lastPage, output.pageCount());
    const int copies = std::max(output.copies, 1);
    const int perCopy = std::max(last - first + 1, 0);
    const int lpi = linesPerInch(options.lineSpacing);
    int done = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (int p = first; p <= last; ++p) {
            const QByteArray text = pageText(charPage(output, p - 1, lpi), output.codePage, p == last);
            if (device.write(text) != text.size())
                return seOutputWrite;
            ++done;
            if (options.progress && !options.progress(done, perCopy * copies))
                return seCancelled;
        }
    }
    return seOK;
}

} // namespace OutputText

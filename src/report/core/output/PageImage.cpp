#include "report/core/output/PageImage.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/layout/TextFlow.h"
#include "report/core/model/ReportElement.h"
#include "report/core/model/ReportSections.h"
#include "report/core/output/Barcode.h"
#include "report/core/output/RtfDocument.h"
#include "report/core/output/TextExport.h"

#include <QGlyphRun>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace OutputPageImage {

namespace {

Qt::PenStyle penStyleOf(int style)
{
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle brushStyleOf(int style)
{
    static constexpr Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                                Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                                Qt::CrossPattern, Qt::DiagCrossPattern};
    return style >= 0 && style < 8 ? styles[style] : Qt::SolidPattern;
}

// The element's font on a device drawn in units: sized so that one point
// takes 100/72 units whatever the device's resolution.
QFont unitFont(const QFont &canvasFont, const QPaintDevice *device)
{
    QFont font = canvasFont;
    const int dpi = device ? device->logicalDpiY() : 100;
    font.setPointSizeF(font.pointSizeF() * 100.0 / dpi);
    return font;
}

// The text flows and device fonts of the items drawn on one page. A page
// repeats a few styles over many items, and building them per item (the font
// name resolved against the installed fonts, the flow's advances measured
// afresh, the device font resolved) took most of the time of a page. Kept for
// one page only, so it can never outlive the fonts installed or a paint
// device; a page of unusually many fonts starts over rather than grow.
class PageFonts
{
public:
    struct TEntry
    {
        FontDef def;
        int spacing = 0;
        std::unique_ptr<TextFlow> flow;
        QFont deviceFont;
        double ascent = 0; // on the canvas, units
        // The device font's own glyphs, for drawing a line as one glyph run
        // (see drawTextLine); set on the first line drawn, glyphs as met.
        QRawFont rawFont;
        QHash<char16_t, quint32> glyphs;

        // The glyph the text layout would draw `c` with, or 0 when `c` must
        // go through the text layout: a character of another script (the
        // layout may pick another font for it), one that is not the font's
        // own (font fallback), a mark or half of a surrogate pair (shaping).
        quint32 glyphOf(QChar c)
        {
            auto it = glyphs.constFind(c.unicode());
            if (it != glyphs.constEnd())
                return *it;
            quint32 glyph = 0;
            const QChar::Script script = c.script();
            if ((script == QChar::Script_Common || script == QChar::Script_Latin) && !c.isSurrogate() && !c.isMark() &&
                rawFont.isValid()) {
                const QList<quint32> found = rawFont.glyphIndexesForString(QString(c));
                glyph = found.size() == 1 ? found.front() : 0;
            }
            return *glyphs.insert(c.unicode(), glyph);
        }
    };

    TEntry &of(const FontDef &def, int spacing, const QPaintDevice *device)
    {
        for (TEntry &e : m_entries)
            if (e.spacing == spacing && e.def == def)
                return e;
        if (m_entries.size() >= MaxEntries)
            m_entries.clear();
        TEntry e;
        e.def = def;
        e.spacing = spacing;
        e.flow = std::make_unique<TextFlow>(def, spacing);
        e.deviceFont = unitFont(e.flow->font(), device);
        e.ascent = QFontMetricsF(e.flow->font(), &TextFlow::canvas()).ascent();
        m_entries.push_back(std::move(e));
        return m_entries.back();
    }

private:
    static constexpr size_t MaxEntries = 32; // a linear search stays cheap
    std::vector<TEntry> m_entries;
};

void drawFrame(QPainter &p, const TVystPrvek &item, double scale)
{
    const int flags = item.style->optionFlags;
    if (!(flags & 0x0F))
        return;
    QPen pen(Qt::black);
    pen.setWidthF(1.0 / scale);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF r(item.left, item.top, item.width, item.height);
    if (flags & TRastelReportElement::FrameLeft)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (flags & TRastelReportElement::FrameTop)
        p.drawLine(r.topLeft(), r.topRight());
    if (flags & TRastelReportElement::FrameRight)
        p.drawLine(r.topRight(), r.bottomRight());
    if (flags & TRastelReportElement::FrameBottom)
        p.drawLine(r.bottomLeft(), r.bottomRight());
}

// Whether text may be drawn as glyph runs: the PDF writer (and the printer,
// which writes PDF) turns a run into the same glyphs of the same embedded
// font at the same places as single characters, selectable as before, for a
// fraction of the cost of laying out each character as a text of its own.
// Other devices keep the text layout: a recorded picture, for one, would keep
// a glyph run as outlines rather than text.
bool drawsGlyphRuns(const QPainter &p)
{
    return p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Pdf;
}

// One line of text within [x0, x0 + width] at baseline y: aligned, laid at a
// fixed pitch or stretched when justified. Each character is placed on its
// own at the flow's position; where the device allows, the characters the
// font draws plainly go out as one glyph run, the rest one by one.
void drawTextLine(QPainter &p, PageFonts::TEntry &font, const QString &line, double x0, double width, double y,
                  int alignment, bool stretch)
{
    const std::vector<double> xs = linePositions(*font.flow, line, x0, width, alignment, stretch);
    // Underlines and strike-outs are drawn per character (gaps between
    // stretched characters stay open), which a run would close.
    const bool runs = drawsGlyphRuns(p) && !font.deviceFont.underline() && !font.deviceFont.strikeOut();
    if (runs && !font.rawFont.isValid())
        font.rawFont = QRawFont::fromFont(p.font()); // the font as the painter resolved it for the device
    QVarLengthArray<quint32, 128> glyphs;
    QVarLengthArray<QPointF, 128> positions;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'\t' || c == u'\r')
            continue;
        const QPointF at(xs[size_t(i)], y);
        const quint32 glyph = runs ? font.glyphOf(c) : 0;
        if (glyph) {
            glyphs.append(glyph);
            positions.append(at);
        } else {
            p.drawText(at, QString(c));
        }
    }
    if (glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(font.rawFont);
    run.setRawData(glyphs.constData(), positions.constData(), int(glyphs.size()));
    p.drawGlyphRun(QPointF(0, 0), run);
}

// A wrapped item with the RTF flag: its text read as RTF and flowed into the
// item's width. The layout measured the text's own lines; the RTF lines are
// drawn from the item's first shown line on, as far as the box reaches.
void drawRtf(QPainter &p, const TVystPrvek &item)
{
    const QString source = item.text.isEmpty() && item.lines ? item.lines->text : item.text;
    const SestRtf::RtfLines flow =
        SestRtf::flowRtf(SestRtf::readRtf(OutputText::toCodePage(source, slCP1250)), item.width);
    const int dpi = p.device() ? p.device()->logicalDpiY() : 100;
    std::vector<QFont> fonts;
    for (const SestRtf::RtfCharFormat &f : flow.formats) {
        QFont font = SestRtf::rtfFont(f);
        font.setPointSizeF(font.pointSizeF() * 100.0 / dpi);
        fonts.push_back(font);
    }
    double y = item.top;
    for (size_t l = size_t(std::max(item.firstLine, 0)); l < flow.lines.size() && y < item.top + item.height; ++l) {
        const SestRtf::RtfLine &line = flow.lines[l];
        for (const SestRtf::RtfGlyph &g : line.glyphs) {
            if (g.c == u'\t' || g.c == u' ')
                continue;
            p.setFont(fonts[size_t(g.format)]);
            p.setPen(flow.formats[size_t(g.format)].colour);
            p.drawText(QPointF(item.left + g.x, y + line.ascent), QString(g.c));
        }
        y += line.height;
    }
}

void drawText(QPainter &p, const TVystPrvek &item, PageFonts &fonts)
{
    const ItemStyle &style = *item.style;
    if ((style.textFlags & TRastelReportElement::RtfText) && item.hasLines()) {
        p.save();
        p.setClipRect(QRectF(item.left, item.top, item.width, item.height), Qt::IntersectClip);
        drawRtf(p, item);
        p.restore();
        return;
    }
    PageFonts::TEntry &font = fonts.of(style.font, style.spacing, p.device());
    const TextFlow &flow = *font.flow;
    p.save();
    p.setClipRect(QRectF(item.left, item.top, item.width, item.height), Qt::IntersectClip);
    p.setFont(font.deviceFont);
    p.setPen(style.font.colour);
    if (style.angle != 0) {
        p.translate(item.left, item.top);
        p.rotate(-style.angle); // counter-clockwise, as the host draws angles
        p.translate(-item.left, -item.top);
    }
    const bool justified = style.alignment == TRastelReportElement::AlignJustify;
    if (item.hasLines()) {
        double y = item.top;
        for (int l = item.firstLine; l <= item.lastLine && l < item.lines->count(); ++l) {
            const TextLine &line = item.lines->lines.at(size_t(l));
            drawTextLine(p, font, item.lines->line(l), item.left, item.width, y + font.ascent, style.alignment,
                         justified && !line.paragraphEnd);
            y += line.height;
        }
    } else {
        const QString text = item.text.left(flow.firstLineLength(item.text, item.width));
        drawTextLine(p, font, text, item.left, item.width, item.top + font.ascent, style.alignment, false);
    }
    p.restore();
}

void drawLines(QPainter &p, const TVystPrvek &item, double scale)
{
    const ItemStyle &style = *item.style;
    QPen pen(style.penColour, scaledPenWidth(style.penWidth, scale) / scale, penStyleOf(style.penStyle));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double half = pen.widthF() / 2;
    const QRectF r = QRectF(item.left, item.top, item.width, item.height).adjusted(half, half, -half, -half);
    const int f = style.optionFlags;
    if (f & 0x01)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (f & 0x02)
        p.drawLine(r.topLeft(), r.topRight());
    if (f & 0x04)
        p.drawLine(r.topRight(), r.bottomRight());
    if (f & 0x08)
        p.drawLine(r.bottomLeft(), r.bottomRight());
    if (f & 0x10)
        p.drawLine(r.bottomLeft(), r.topRight());
    if (f & 0x20)
        p.drawLine(r.topLeft(), r.bottomRight());
    if (f & 0x40)
        p.drawEllipse(r);
}

void drawShape(QPainter &p, const TVystPrvek &item, double scale)
{
    const ItemStyle &style = *item.style;
    double half = 0;
    if (style.penWidth > 0) {
        QPen pen(style.penColour, scaledPenWidth(style.penWidth, scale) / scale);
        p.setPen(pen);
        half = pen.widthF() / 2;
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(QBrush(style.fillColour, brushStyleOf(style.fillStyle)));
    const QRectF r = QRectF(item.left, item.top, item.width, item.height).adjusted(half, half, -half, -half);
    if (style.kind == ElementKind::RoundRectangle) {
        // The corner size is the corner ellipse's diameter.
        const double corner = cornerSize(r.height());
        p.drawRoundedRect(r, corner / 2, corner / 2);
    } else if (style.kind == ElementKind::Ellipse) {
        p.drawEllipse(r);
    } else {
        p.drawRect(r);
    }
}

void drawPicture(QPainter &p, const TVystPrvek &item, double scale)
{
    if (item.picture.isNull())
        return;
    const QRectF box(item.left, item.top, item.width, item.height);
    const QRectF target = pictureTarget(item, scale);
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    p.drawImage(target, item.picture);
    p.restore();
}

// Bars as black polygons on the symbol's white area, the text (option 0x20)
// black on white at the top-left corner.
void drawBarcode(QPainter &p, const TVystPrvek &item, double scale)
{
    const ItemStyle &style = *item.style;
    const BarcodeSymbol symbol =
        BarcodeEncoder::encode(style.penStyle, item.text, style.optionFlags & TRastelReportElement::Stretch);
    const int module = BarcodeDrawing::nextModuleWidth(scale, style.penWidth);
    const BarcodePicture d =
        BarcodeDrawing::layout(symbol, QRectF(item.left, item.top, item.width, item.height), style.angle, module, scale,
                               style.optionFlags & TRastelReportElement::KeepAspect);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(d.background);
    p.setBrush(Qt::black);
    for (const QPolygonF &bar : d.bars)
        p.drawPolygon(bar);
    if (!d.text.isEmpty()) {
        QFont font(u"Arial"_s);
        font.setPixelSize(std::max(1, int(std::lround(d.textPixelSize * scale))));
        p.translate(d.textOrigin);
        p.scale(1 / scale, 1 / scale);
        p.rotate(-d.angle);
        p.setFont(font);
        const QFontMetricsF metrics(font, p.device());
        const QRectF textBox(0, 0, metrics.horizontalAdvance(d.text), metrics.height());
        p.fillRect(textBox, Qt::white);
        p.setPen(Qt::black);
        p.drawText(QPointF(0, metrics.ascent()), d.text);
    }
    p.restore();
}

void drawItem(QPainter &painter, const TVystPrvek &item, double scale, PageFonts &fonts)
{
    if (!item.style)
        return;
    const int kind = item.kind();
    if (ElementKind::isText(kind) && item.picture.isNull()) {
        drawText(painter, item, fonts);
        drawFrame(painter, item, scale);
    } else if (kind == ElementKind::Line) {
        drawLines(painter, item, scale);
    } else if (kind >= ElementKind::Rectangle && kind <= ElementKind::Ellipse) {
        drawShape(painter, item, scale);
    } else if (kind == ElementKind::Picture || kind == ElementKind::PaintBox || !item.picture.isNull()) {
        drawPicture(painter, item, scale);
        drawFrame(painter, item, scale);
    } else if (kind == ElementKind::Barcode) {
        drawBarcode(painter, item, scale);
        drawFrame(painter, item, scale);
    }
}

} // namespace

std::vector<double> linePositions(const TextFlow &flow, const QString &line, double x0, double width, int alignment,
                                  bool stretch)
{
    double natural = 0;
    for (const QChar c : line)
        natural += flow.advance(c);
    double x = x0;
    if (alignment == TRastelReportElement::AlignRight)
        x = x0 + width - natural;
    else if (alignment == TRastelReportElement::AlignCenter)
        x = x0 + (width - natural) / 2;
    const double factor = stretch && natural > 0 ? width / natural : 1;
    std::vector<double> xs;
    xs.reserve(size_t(line.size()) + 1);
    for (const QChar c : line) {
        xs.push_back(x);
        x += flow.advance(c) * factor;
    }
    xs.push_back(x);
    return xs;
}

QRectF pictureTarget(const TVystPrvek &item, double scale)
{
    const ItemStyle &style = *item.style;
    const QRectF box(item.left, item.top, item.width, item.height);
    if ((style.optionFlags & TRastelReportElement::Stretch) && !(style.optionFlags & TRastelReportElement::KeepAspect))
        return box;
    QSizeF size;
    if (style.optionFlags & TRastelReportElement::Stretch) {
        size = QSizeF(item.picture.size()).scaled(box.size(), Qt::KeepAspectRatio);
    } else {
        // Natural size: the picture's own resolution, else one pixel per device pixel.
        const double dpmX = item.picture.dotsPerMeterX() > 0 ? item.picture.dotsPerMeterX() : 0;
        const double dpmY = item.picture.dotsPerMeterY() > 0 ? item.picture.dotsPerMeterY() : 0;
        size = QSizeF(dpmX > 0 ? item.picture.width() * 3937.0 / dpmX : item.picture.width() / scale,
                      dpmY > 0 ? item.picture.height() * 3937.0 / dpmY : item.picture.height() / scale);
    }
    double x = box.left();
    if (style.alignment == TRastelReportElement::AlignRight)
        x = box.right() - size.width();
    else if (style.alignment == TRastelReportElement::AlignCenter)
        x = box.left() + (box.width() - size.width()) / 2;
    return QRectF(QPointF(x, box.top()), size);
}

double cornerSize(double height)
{
    return std::min(40.0, height / 2);
}

int scaledPenWidth(int penWidth, double scale)
{
    return int(std::lround((penWidth - 1) * scale)) + 1;
}

void paintItem(QPainter &painter, const TVystPrvek &item, double scale)
{
    PageFonts fonts;
    drawItem(painter, item, scale, fonts);
}

void paintPage(QPainter &painter, const TSestVystup &output, int pageIndex, const PaintOptions &options)
{
    if (pageIndex < 0 || pageIndex >= output.pageCount())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(options.scale, options.scale);
    const QImage background = options.background && output.background.isNull() && !output.backgroundFile.isEmpty()
                                  ? QImage(output.backgroundFile)
                                  : output.background;
    if (options.background && !background.isNull()) {
        // Placed on the paper; the drawing origin is the margins' corner.
        const LayoutPage &page = output.page;
        QRect r = output.backgroundRect;
        if (r.width() <= 0)
            r.setWidth(page.paperWidth());
        if (r.height() <= 0)
            r.setHeight(page.paperHeight());
        painter.drawImage(QRectF(r.translated(-page.setup.leftMargin, -page.setup.topMargin)), background);
    }
    PageFonts fonts;
    for (const TVystPrvek &item : output.pages.at(size_t(pageIndex)).items()) {
        // The character grid has no barcodes.
        if (!(output.characterMode && item.kind() == ElementKind::Barcode))
            drawItem(painter, item, options.scale, fonts);
    }
    painter.restore();
}

QPicture pageImage(const TSestVystup &output, int pageIndex, bool background)
{
    QPicture picture;
    QPainter painter(&picture);
    paintPage(painter, output, pageIndex, {ImageScale, background});
    painter.end();
    picture.setBoundingRect(
        QRect(0, 0, int(output.page.contentWidth() * ImageScale), int(output.page.contentHeight() * ImageScale)));
    return picture;
}

QImage pageBitmap(const TSestVystup &output, int pageIndex, double scale, bool background)
{
    QImage image(int(std::ceil(output.page.contentWidth() * scale)),
                 int(std::ceil(output.page.contentHeight() * scale)), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(scale * 3937)));
    image.setDotsPerMeterY(int(std::lround(scale * 3937)));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, output, pageIndex, {scale, background});
    return image;
}

} // namespace OutputPageImage

#include "report/core/output/MetafileWriter.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/layout/TextFlow.h"
#include "report/core/model/ReportElement.h"
#include "report/core/model/ReportResult.h"
#include "report/core/model/ReportSections.h"
#include "report/core/output/Barcode.h"
#include "report/core/output/HtmlWriter.h"
#include "report/core/output/OutputFiles.h"
#include "report/core/output/PageImage.h"
#include "report/core/output/RtfDocument.h"
#include "report/core/output/TextExport.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace OutputMetafile {

namespace {

constexpr double Scale = OutputPageImage::ImageScale;

// ---------------------------------------------------------------- drawing objects

struct PenSpec
{
    int style = 0; // 0 solid … 4 dash-dot-dot, 5 none (the GDI pen styles)
    int width = 1; // device pixels
    QRgb colour = 0;
    bool operator==(const PenSpec &) const = default;
};

struct BrushSpec
{
    int style = 0; // 0 solid, 1 none, 2 hatched
    QRgb colour = 0;
    int hatch = 0;
    bool operator==(const BrushSpec &) const = default;
};

struct FontSpec
{
    QString face;
    int height = 0; // negative: the em height in device pixels
    int escapement = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1;
    bool operator==(const FontSpec &) const = default;
};

quint32 colorRef(QRgb c)
{
    return quint32(qRed(c)) | quint32(qGreen(c)) << 8 | quint32(qBlue(c)) << 16;
}

// Little-endian record bytes.
class Bytes
{
public:
    void u8(quint8 v) { m_data.append(char(v)); }
    void u16(quint16 v)
    {
        u8(quint8(v));
        u8(quint8(v >> 8));
    }
    void i16(int v) { u16(quint16(qint16(std::clamp(v, -32768, 32767)))); }
    void u32(quint32 v)
    {
        u16(quint16(v));
        u16(quint16(v >> 16));
    }
    void i32(qint32 v) { u32(quint32(v)); }
    void f32(float v)
    {
        quint32 bits;
        std::memcpy(&bits, &v, 4);
        u32(bits);
    }
    void raw(const QByteArray &b) { m_data.append(b); }
    void pad(int alignment)
    {
        while (m_data.size() % alignment)
            u8(0);
    }
    QByteArray &data() { return m_data; }
    int size() const { return int(m_data.size()); }

private:
    QByteArray m_data;
};

// A DIB of the image: BITMAPINFOHEADER and 24-bit bottom-up rows.
QByteArray dibHeader(const QImage &image)
{
    Bytes b;
    b.u32(40);
    b.i32(image.width());
    b.i32(image.height());
    b.u16(1);
    b.u16(24);
    b.u32(0); // BI_RGB
    b.u32(0);
    b.i32(3937 * 6);
    b.i32(3937 * 6);
    b.u32(0);
    b.u32(0);
    return b.data();
}

QByteArray dibBits(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QByteArray bits;
    const int stride = (image.width() * 3 + 3) / 4 * 4;
    bits.reserve(qsizetype(stride) * image.height());
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        const qsizetype start = bits.size();
        for (int x = 0; x < image.width(); ++x) {
            bits.append(char(qBlue(line[x])));
            bits.append(char(qGreen(line[x])));
            bits.append(char(qRed(line[x])));
        }
        while (bits.size() - start < stride)
            bits.append('\0');
    }
    return bits;
}

// What the item walker draws with, in device pixels; the formats write it.
// One pen, one brush and one font are selected at a time; a new one is
// created in the lowest free object slot and the one it replaces deleted.
class Recorder
{
public:
    virtual ~Recorder() = default;

    void pen(const PenSpec &p)
    {
        if (m_pen == p)
            return;
        m_pen = p;
        replace(m_penSlot, [&](int slot) { createPen(slot, p); });
    }
    void brush(const BrushSpec &b)
    {
        if (m_brush == b)
            return;
        m_brush = b;
        replace(m_brushSlot, [&](int slot) { createBrush(slot, b); });
    }
    void font(const FontSpec &f)
    {
        if (m_font == f)
            return;
        m_font = f;
        replace(m_fontSlot, [&](int slot) { createFont(slot, f); });
    }
    void textColour(QRgb c)
    {
        if (m_textColour == c)
            return;
        m_textColour = c;
        setTextColour(c);
    }
    // The background mode: opaque fills the gaps of text cells, hatches and
    // dashes with the background colour (white). Solid fills are drawn in it
    // (GDI draws them alike either way; some readers show fills drawn in
    // the transparent mode half transparent), texts, hatches and pens not.
    void opaque(bool on)
    {
        if (m_opaque == on)
            return;
        m_opaque = on;
        setBackgroundMode(on);
    }

    virtual void begin(int width, int height) = 0;
    virtual QByteArray finish() = 0;
    virtual void line(QPoint a, QPoint b) = 0;
    virtual void rectangle(const QRect &r) = 0;
    virtual void roundRectangle(const QRect &r, int corner) = 0;
    virtual void ellipse(const QRect &r) = 0;
    virtual void polygon(const QPolygon &points) = 0;
    // Text on its baseline from `origin`, each character `dx` pixels after
    // the one before it; clipped to `clip` when it is valid. `placed` tells
    // that the characters stand at a pitch of their own (character spacing,
    // device fonts, justified lines) rather than at the font's advances.
    virtual void text(QPoint origin, const QString &text, const std::vector<int> &dx, const QRect &clip,
                      bool placed) = 0;
    virtual void bitmap(const QRect &target, const QImage &image, const QRect &clip) = 0;

protected:
    virtual void createPen(int slot, const PenSpec &p) = 0;
    virtual void createBrush(int slot, const BrushSpec &b) = 0;
    virtual void createFont(int slot, const FontSpec &f) = 0;
    virtual void select(int slot) = 0;
    virtual void deleteObject(int slot) = 0;
    virtual void setTextColour(QRgb c) = 0;
    virtual void setBackgroundMode(bool opaque) = 0;

    int slotCount() const { return m_slotsUsed; }

private:
    template<typename Create> void replace(std::optional<int> &current, Create create)
    {
        int slot = 0;
        while (m_taken[size_t(slot)])
            ++slot;
        m_taken[size_t(slot)] = true;
        m_slotsUsed = std::max(m_slotsUsed, slot + 1);
        create(slot);
        select(slot);
        if (current) {
            deleteObject(*current);
            m_taken[size_t(*current)] = false;
        }
        current = slot;
    }

    std::optional<PenSpec> m_pen;
    std::optional<BrushSpec> m_brush;
    std::optional<FontSpec> m_font;
    std::optional<QRgb> m_textColour;
    std::optional<bool> m_opaque;
    std::optional<int> m_penSlot, m_brushSlot, m_fontSlot;
    std::array<bool, 8> m_taken{};
    int m_slotsUsed = 0;
};

// ---------------------------------------------------------------- EMF

class EmfRecorder : public Recorder
{
public:
    void begin(int width, int height) override
    {
        m_width = width;
        m_height = height;
        record(17, [](Bytes &b) { b.u32(1); }); // SETMAPMODE MM_TEXT
        setBackgroundMode(false);
        record(22, [](Bytes &b) { b.u32(24); });       // SETTEXTALIGN TA_BASELINE | TA_LEFT
        record(25, [](Bytes &b) { b.u32(0xFFFFFF); }); // SETBKCOLOR white
    }

    QByteArray finish() override
    {
        record(14, [](Bytes &b) { // EOF
            b.u32(0);
            b.u32(16);
            b.u32(20);
        });
        Bytes header;
        header.u32(1);
        header.u32(108);
        rect(header, QRect(0, 0, m_width, m_height));
        // The frame in hundredths of a millimetre: 600 pixels per inch.
        header.i32(0);
        header.i32(0);
        header.i32(int(std::lround(m_width * 2540.0 / 600)) - 1);
        header.i32(int(std::lround(m_height * 2540.0 / 600)) - 1);
        header.u32(0x464D4520); // " EMF"
        header.u32(0x10000);
        header.u32(quint32(108 + m_body.size()));
        header.u32(quint32(m_records + 1));
        header.u16(quint16(slotCount() + 1));
        header.u16(0);
        header.u32(0); // no description
        header.u32(0);
        header.u32(0); // no palette
        // The reference device: the page at 600 pixels per inch.
        header.i32(m_width);
        header.i32(m_height);
        header.i32(int(std::lround(m_width * 25.4 / 600)));
        header.i32(int(std::lround(m_height * 25.4 / 600)));
        header.u32(0); // no pixel format
        header.u32(0);
        header.u32(0); // not OpenGL
        header.i32(int(std::lround(m_width * 25400.0 / 600)));
        header.i32(int(std::lround(m_height * 25400.0 / 600)));
        return header.data() + m_body.data();
    }

    void line(QPoint a, QPoint b) override
    {
        record(27, [&](Bytes &r) { point(r, a); }); // MOVETOEX
        record(54, [&](Bytes &r) { point(r, b); }); // LINETO
    }
    void rectangle(const QRect &r) override
    {
        record(43, [&](Bytes &b) { box(b, r); });
    }
    void roundRectangle(const QRect &r, int corner) override
    {
        record(44, [&](Bytes &b) {
            box(b, r);
            b.i32(corner);
            b.i32(corner);
        });
    }
    void ellipse(const QRect &r) override
    {
        record(42, [&](Bytes &b) { box(b, r); });
    }
    void polygon(const QPolygon &points) override
    {
        record(86, [&](Bytes &b) { // POLYGON16
            rect(b, points.boundingRect());
            b.u32(quint32(points.size()));
            for (const QPoint &p : points) {
                b.i16(p.x());
                b.i16(p.y());
            }
        });
    }
    void text(QPoint origin, const QString &text, const std::vector<int> &dx, const QRect &clip, bool) override
    {
        const int n = int(text.size());
        record(84, [&](Bytes &b) { // EXTTEXTOUTW
            rect(b, clip.isValid() ? clip : QRect(origin, QSize(1, 1)));
            b.u32(1); // GM_COMPATIBLE
            b.f32(0);
            b.f32(0);
            point(b, origin);
            b.u32(quint32(n));
            const int stringOffset = 76;
            const int dxOffset = stringOffset + (2 * n + 3) / 4 * 4;
            b.u32(quint32(stringOffset));
            b.u32(clip.isValid() ? 0x04 : 0); // ETO_CLIPPED
            rect(b, clip.isValid() ? clip : QRect());
            b.u32(quint32(dxOffset));
            for (const QChar c : text)
                b.u16(c.unicode());
            b.pad(4);
            for (int i = 0; i < n; ++i)
                b.i32(i < int(dx.size()) ? dx[size_t(i)] : 0);
        });
    }
    void bitmap(const QRect &target, const QImage &image, const QRect &clip) override
    {
        record(33, [](Bytes &) {});                                        // SAVEDC
        record(30, [&](Bytes &b) { rect(b, clip.adjusted(0, 0, 1, 1)); }); // INTERSECTCLIPRECT (exclusive)
        const QByteArray info = dibHeader(image);
        const QByteArray bits = dibBits(image);
        record(81, [&](Bytes &b) { // STRETCHDIBITS
            rect(b, target);
            b.i32(target.x());
            b.i32(target.y());
            b.i32(0);
            b.i32(0);
            b.i32(image.width());
            b.i32(image.height());
            b.u32(80);
            b.u32(quint32(info.size()));
            b.u32(quint32(80 + info.size()));
            b.u32(quint32(bits.size()));
            b.u32(0);          // DIB_RGB_COLORS
            b.u32(0x00CC0020); // SRCCOPY
            b.i32(target.width());
            b.i32(target.height());
            b.raw(info);
            b.raw(bits);
        });
        record(34, [](Bytes &b) { b.i32(-1); }); // RESTOREDC
    }

protected:
    void createPen(int slot, const PenSpec &p) override
    {
        record(38, [&](Bytes &b) {
            b.u32(quint32(slot + 1));
            b.u32(quint32(p.style));
            b.i32(p.width);
            b.i32(0);
            b.u32(colorRef(p.colour));
        });
    }
    void createBrush(int slot, const BrushSpec &s) override
    {
        record(39, [&](Bytes &b) {
            b.u32(quint32(slot + 1));
            b.u32(quint32(s.style));
            b.u32(colorRef(s.colour));
            b.u32(quint32(s.hatch));
        });
    }
    void createFont(int slot, const FontSpec &f) override
    {
        record(82, [&](Bytes &b) { // EXTCREATEFONTINDIRECTW with a LOGFONTW
            b.u32(quint32(slot + 1));
            b.i32(f.height);
            b.i32(0);
            b.i32(f.escapement);
            b.i32(f.escapement);
            b.i32(f.weight);
            b.u8(f.italic);
            b.u8(f.underline);
            b.u8(f.strikeOut);
            b.u8(quint8(f.charset));
            b.u8(0);
            b.u8(0);
            b.u8(0);
            b.u8(0);
            const QString face = f.face.left(31);
            for (int i = 0; i < 32; ++i)
                b.u16(i < face.size() ? face[i].unicode() : 0);
        });
    }
    void select(int slot) override
    {
        record(37, [&](Bytes &b) { b.u32(quint32(slot + 1)); });
    }
    void deleteObject(int slot) override
    {
        record(40, [&](Bytes &b) { b.u32(quint32(slot + 1)); });
    }
    void setTextColour(QRgb c) override
    {
        record(24, [&](Bytes &b) { b.u32(colorRef(c)); });
    }
    void setBackgroundMode(bool opaque) override
    {
        record(18, [&](Bytes &b) { b.u32(opaque ? 2 : 1); });
    }

private:
    template<typename Fill> void record(quint32 type, Fill fill)
    {
        Bytes params;
        fill(params);
        params.pad(4);
        m_body.u32(type);
        m_body.u32(quint32(8 + params.size()));
        m_body.raw(params.data());
        ++m_records;
    }
    static void point(Bytes &b, QPoint p)
    {
        b.i32(p.x());
        b.i32(p.y());
    }
    // An inclusive rectangle (bounds).
    static void rect(Bytes &b, const QRect &r)
    {
        b.i32(r.left());
        b.i32(r.top());
        b.i32(r.right());
        b.i32(r.bottom());
    }
    // A drawing box: right and bottom exclusive, as GDI draws them.
    static void box(Bytes &b, const QRect &r)
    {
        b.i32(r.left());
        b.i32(r.top());
        b.i32(r.left() + r.width());
        b.i32(r.top() + r.height());
    }

    Bytes m_body;
    int m_records = 0;
    int m_width = 0;
    int m_height = 0;
};

// ---------------------------------------------------------------- WMF

class WmfRecorder : public Recorder
{
public:
    void begin(int width, int height) override
    {
        m_width = width;
        m_height = height;
        record(0x020B, {0, 0});          // SETWINDOWORG (y, x)
        record(0x020C, {height, width}); // SETWINDOWEXT (y, x)
        setBackgroundMode(false);
        record(0x012E, {24});             // SETTEXTALIGN TA_BASELINE
        record(0x0201, {0xFFFF, 0x00FF}); // SETBKCOLOR white
    }

    QByteArray finish() override
    {
        record(0x0000, {}); // EOF
        Bytes file;
        // The placeable header: the bounds at 600 pixels per inch.
        Bytes placeable;
        placeable.u32(0x9AC6CDD7);
        placeable.u16(0);
        placeable.i16(0);
        placeable.i16(0);
        placeable.i16(m_width);
        placeable.i16(m_height);
        placeable.u16(600);
        placeable.u32(0);
        quint16 checksum = 0;
        for (int i = 0; i < 20; i += 2)
            checksum ^= quint16(quint8(placeable.data()[i]) | quint8(placeable.data()[i + 1]) << 8);
        placeable.u16(checksum);
        file.raw(placeable.data());
        file.u16(1);      // memory metafile
        file.u16(9);      // header words
        file.u16(0x0300); // version
        file.u32(quint32(9 + m_body.size() / 2));
        file.u16(quint16(slotCount()));
        file.u32(quint32(m_maxRecord));
        file.u16(0);
        file.raw(m_body.data());
        return file.data();
    }

    void line(QPoint a, QPoint b) override
    {
        record(0x0214, {a.y(), a.x()}); // MOVETO
        record(0x0213, {b.y(), b.x()}); // LINETO
    }
    void rectangle(const QRect &r) override { record(0x041B, box(r)); }
    void roundRectangle(const QRect &r, int corner) override
    {
        std::vector<int> params{corner, corner};
        const std::vector<int> b = box(r);
        params.insert(params.end(), b.begin(), b.end());
        record(0x061C, params);
    }
    void ellipse(const QRect &r) override { record(0x0418, box(r)); }
    void polygon(const QPolygon &points) override
    {
        std::vector<int> params{int(points.size())};
        for (const QPoint &p : points) {
            params.push_back(p.x());
            params.push_back(p.y());
        }
        record(0x0324, params);
    }
    void text(QPoint origin, const QString &text, const std::vector<int> &dx, const QRect &clip, bool placed) override
    {
        // Eight-bit text in Windows-1250, the fonts' character set 238. The
        // character widths are written only where the characters stand at a
        // pitch of their own: readers draw a text with widths character by
        // character, one without them as one text in the (metric-compatible)
        // font.
        const QByteArray bytes = OutputText::toCodePage(text, slCP1250);
        Bytes b;
        b.i16(origin.y());
        b.i16(origin.x());
        b.i16(int(bytes.size()));
        b.u16(clip.isValid() ? 0x04 : 0);
        if (clip.isValid()) {
            b.i16(clip.left());
            b.i16(clip.top());
            b.i16(clip.left() + clip.width());
            b.i16(clip.top() + clip.height());
        }
        b.raw(bytes);
        b.pad(2);
        if (placed)
            for (int i = 0; i < int(bytes.size()); ++i)
                b.i16(i < int(dx.size()) ? dx[size_t(i)] : 0);
        rawRecord(0x0A32, b);
    }
    void bitmap(const QRect &target, const QImage &image, const QRect &clip) override
    {
        record(0x001E, {}); // SAVEDC
        record(0x0416, {clip.top() + clip.height(), clip.left() + clip.width(), clip.top(), clip.left()});
        Bytes b;
        b.u32(0x00CC0020); // SRCCOPY
        b.u16(0);          // DIB_RGB_COLORS
        b.i16(image.height());
        b.i16(image.width());
        b.i16(0);
        b.i16(0);
        b.i16(target.height());
        b.i16(target.width());
        b.i16(target.y());
        b.i16(target.x());
        b.raw(dibHeader(image));
        b.raw(dibBits(image));
        rawRecord(0x0F43, b); // STRETCHDIB
        record(0x0127, {-1}); // RESTOREDC
    }

protected:
    void createPen(int, const PenSpec &p) override
    {
        const quint32 c = colorRef(p.colour);
        record(0x02FA, {p.style, p.width, 0, int(c & 0xFFFF), int(c >> 16)});
    }
    void createBrush(int, const BrushSpec &s) override
    {
        const quint32 c = colorRef(s.colour);
        record(0x02FC, {s.style, int(c & 0xFFFF), int(c >> 16), s.hatch});
    }
    void createFont(int, const FontSpec &f) override
    {
        Bytes b;
        b.i16(f.height);
        b.i16(0);
        b.i16(f.escapement);
        b.i16(f.escapement);
        b.i16(f.weight);
        b.u8(f.italic);
        b.u8(f.underline);
        b.u8(f.strikeOut);
        b.u8(238); // the text is written in Windows-1250
        b.u8(0);
        b.u8(0);
        b.u8(0);
        b.u8(0);
        QByteArray face = OutputText::toCodePage(f.face.left(31), slCP1250);
        face.resize(32, '\0');
        b.raw(face);
        rawRecord(0x02FB, b);
    }
    void select(int slot) override { record(0x012D, {slot}); }
    void deleteObject(int slot) override { record(0x01F0, {slot}); }
    void setTextColour(QRgb c) override
    {
        const quint32 v = colorRef(c);
        record(0x0209, {int(v & 0xFFFF), int(v >> 16)});
    }
    void setBackgroundMode(bool opaque) override { record(0x0102, {opaque ? 2 : 1}); }

private:
    static std::vector<int> box(const QRect &r)
    {
        return {r.top() + r.height(), r.left() + r.width(), r.top(), r.left()};
    }
    void record(quint16 function, const std::vector<int> &words)
    {
        Bytes b;
        for (const int w : words)
            b.u16(quint16(std::clamp(w, -32768, 65535))); // negative values as their two's complement
        rawRecord(function, b);
    }
    void rawRecord(quint16 function, Bytes &params)
    {
        params.pad(2);
        const int words = 3 + params.size() / 2;
        m_body.u32(quint32(words));
        m_body.u16(function);
        m_body.raw(params.data());
        m_maxRecord = std::max(m_maxRecord, words);
    }

    Bytes m_body;
    int m_maxRecord = 3;
    int m_width = 0;
    int m_height = 0;
};

// ---------------------------------------------------------------- the items

int px(double units)
{
    return int(std::lround(units * Scale));
}

QPoint px(QPointF p)
{
    return {px(p.x()), px(p.y())};
}

QRect px(const QRectF &r)
{
    const QPoint a = px(r.topLeft());
    const QPoint b = px(r.bottomRight());
    return QRect(a, QSize(b.x() - a.x(), b.y() - a.y()));
}

FontSpec fontSpec(const QFont &font, double pointSize, int angle, int charset)
{
    FontSpec f;
    f.face = font.family();
    // Points to units (100/72) to device pixels.
    f.height = -int(std::lround(pointSize * 100.0 / 72.0 * Scale));
    f.escapement = angle * 10;
    f.weight = font.bold() ? 700 : 400;
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    f.charset = charset;
    return f;
}

class PageWalker
{
public:
    explicit PageWalker(Recorder &r) : m_r(r) {}

    void item(const TVystPrvek &item)
    {
        if (!item.style)
            return;
        const int kind = item.kind();
        if (ElementKind::isText(kind) && item.picture.isNull()) {
            text(item);
            frame(item);
        } else if (kind == ElementKind::Line) {
            lines(item);
        } else if (kind >= ElementKind::Rectangle && kind <= ElementKind::Ellipse) {
            shape(item);
        } else if (kind == ElementKind::Picture || kind == ElementKind::PaintBox || !item.picture.isNull()) {
            picture(item);
            frame(item);
        } else if (kind == ElementKind::Barcode) {
            barcode(item);
            frame(item);
        }
    }

    void background(const QImage &image, const QRectF &r)
    {
        const QRect target = px(r);
        m_r.bitmap(target, image, target);
    }

private:
    void frame(const TVystPrvek &item)
    {
        const int flags = item.style->optionFlags;
        if (!(flags & 0x0F))
            return;
        m_r.pen({0, 1, qRgb(0, 0, 0)});
        const QRect r = px(QRectF(item.rect()));
        const QPoint tl = r.topLeft(), tr(r.left() + r.width(), r.top()), bl(r.left(), r.top() + r.height()),
                     br(r.left() + r.width(), r.top() + r.height());
        if (flags & TRastelReportElement::FrameLeft)
            m_r.line(tl, bl);
        if (flags & TRastelReportElement::FrameTop)
            m_r.line(tl, tr);
        if (flags & TRastelReportElement::FrameRight)
            m_r.line(tr, br);
        if (flags & TRastelReportElement::FrameBottom)
            m_r.line(bl, br);
    }

    // One run of characters at the given unit positions (baseline y), rotated
    // around the item's corner.
    void run(const QString &chars, const std::vector<double> &xs, double end, double y, const QTransform &t,
             const QRect &clip, bool placed)
    {
        if (chars.isEmpty())
            return;
        QString shown = chars;
        for (QChar &c : shown)
            if (c == u'\t' || c == u'\r' || c == u'\n')
                c = u' ';
        std::vector<int> dx;
        for (size_t i = 0; i < xs.size(); ++i) {
            const double next = i + 1 < xs.size() ? xs[i + 1] : end;
            dx.push_back(px(next) - px(xs[i]));
        }
        m_r.text(px(t.map(QPointF(xs.front(), y))), shown, dx, clip, placed);
    }

    void textLine(const TextFlow &flow, const QString &line, double x0, double width, double y, int alignment,
                  bool stretch, bool pitch, const QTransform &t, const QRect &clip)
    {
        std::vector<double> xs = OutputPageImage::linePositions(flow, line, x0, width, alignment, stretch);
        const double end = xs.back();
        xs.pop_back();
        run(line, xs, end, y, t, clip, pitch || stretch);
    }

    void text(const TVystPrvek &item)
    {
        const ItemStyle &style = *item.style;
        const QRect clip = style.angle == 0 ? px(QRectF(item.rect())) : QRect();
        if ((style.textFlags & TRastelReportElement::RtfText) && item.hasLines()) {
            rtf(item, clip);
            return;
        }
        const TextFlow flow(style.font, style.spacing);
        const QFont &font = flow.font();
        double devicePitch = 0;
        TextFlow::canvasFont(style.font, &devicePitch);
        const bool pitch = style.spacing > 0 || devicePitch > 0;
        m_r.font(fontSpec(font, font.pointSizeF(), style.angle, style.font.charset));
        m_r.textColour(style.font.colour.rgb());
        m_r.opaque(false);
        QTransform t;
        t.translate(item.left, item.top);
        t.rotate(-style.angle);
        t.translate(-item.left, -item.top);
        const QFontMetricsF metrics(font, &TextFlow::canvas());
        const bool justified = style.alignment == TRastelReportElement::AlignJustify;
        if (item.hasLines()) {
            double y = item.top;
            for (int l = item.firstLine; l <= item.lastLine && l < item.lines->count(); ++l) {
                const TextLine &line = item.lines->lines.at(size_t(l));
                textLine(flow, item.lines->line(l), item.left, item.width, y + metrics.ascent(), style.alignment,
                         justified && !line.paragraphEnd, pitch, t, clip);
                y += line.height;
            }
        } else {
            const QString shown = item.text.left(flow.firstLineLength(item.text, item.width));
            textLine(flow, shown, item.left, item.width, item.top + metrics.ascent(), style.alignment, false, pitch, t,
                     clip);
        }
    }

    void rtf(const TVystPrvek &item, const QRect &clip)
    {
        const QString source = item.text.isEmpty() && item.lines ? item.lines->text : item.text;
        const SestRtf::RtfLines flow =
            SestRtf::flowRtf(SestRtf::readRtf(OutputText::toCodePage(source, slCP1250)), item.width);
        m_r.opaque(false);
        double y = item.top;
        for (size_t l = size_t(std::max(item.firstLine, 0)); l < flow.lines.size() && y < item.top + item.height; ++l) {
            const SestRtf::RtfLine &line = flow.lines[l];
            // Runs of one format; blanks and tabs only move the position.
            size_t g = 0;
            while (g < line.glyphs.size()) {
                const int format = line.glyphs[g].format;
                QString chars;
                std::vector<double> xs;
                size_t e = g;
                for (; e < line.glyphs.size() && line.glyphs[e].format == format; ++e) {
                    chars += line.glyphs[e].c;
                    xs.push_back(item.left + line.glyphs[e].x);
                }
                const double end = e < line.glyphs.size() ? item.left + line.glyphs[e].x : xs.back() + 1;
                const SestRtf::RtfCharFormat &f = flow.formats[size_t(format)];
                const QFont font = SestRtf::rtfFont(f);
                m_r.font(fontSpec(font, font.pointSizeF(), 0, f.charset));
                m_r.textColour(f.colour.rgb());
                run(chars, xs, end, y + line.ascent, QTransform(), clip, false);
                g = e;
            }
            y += line.height;
        }
    }

    void lines(const TVystPrvek &item)
    {
        const ItemStyle &style = *item.style;
        const int width = OutputPageImage::scaledPenWidth(style.penWidth, Scale);
        m_r.pen({std::clamp(style.penStyle, 0, 5), width, style.penColour.rgb()});
        m_r.brush({1, 0, 0});
        m_r.opaque(false); // the gaps of dashed lines stay clear
        const double half = width / Scale / 2;
        const QRectF r = QRectF(item.rect()).adjusted(half, half, -half, -half);
        const int f = style.optionFlags;
        if (f & 0x01)
            m_r.line(px(r.topLeft()), px(r.bottomLeft()));
        if (f & 0x02)
            m_r.line(px(r.topLeft()), px(r.topRight()));
        if (f & 0x04)
            m_r.line(px(r.topRight()), px(r.bottomRight()));
        if (f & 0x08)
            m_r.line(px(r.bottomLeft()), px(r.bottomRight()));
        if (f & 0x10)
            m_r.line(px(r.bottomLeft()), px(r.topRight()));
        if (f & 0x20)
            m_r.line(px(r.topLeft()), px(r.bottomRight()));
        if (f & 0x40)
            m_r.ellipse(px(r));
    }

    void shape(const TVystPrvek &item)
    {
        const ItemStyle &style = *item.style;
        double half = 0;
        if (style.penWidth > 0) {
            const int width = OutputPageImage::scaledPenWidth(style.penWidth, Scale);
            m_r.pen({0, width, style.penColour.rgb()});
            half = width / Scale / 2;
        } else {
            m_r.pen({5, 1, 0});
        }
        // Fill styles: 0 solid, 1 none, 2-7 the hatches horizontal, vertical,
        // forward and backward diagonal, cross, diagonal cross.
        const int fill = style.fillStyle;
        if (fill == 1)
            m_r.brush({1, 0, 0});
        else if (fill >= 2 && fill <= 7)
            m_r.brush({2, style.fillColour.rgb(), fill - 2});
        else
            m_r.brush({0, style.fillColour.rgb(), 0});
        m_r.opaque(fill == 0);
        const QRectF r = QRectF(item.rect()).adjusted(half, half, -half, -half);
        if (style.kind == ElementKind::RoundRectangle)
            m_r.roundRectangle(px(r), px(OutputPageImage::cornerSize(r.height())));
        else if (style.kind == ElementKind::Ellipse)
            m_r.ellipse(px(r));
        else
            m_r.rectangle(px(r));
    }

    // Where the page image puts it.
    void picture(const TVystPrvek &item)
    {
        if (item.picture.isNull())
            return;
        const QRectF box(item.rect());
        const QRectF target = OutputPageImage::pictureTarget(item, Scale);
        m_r.bitmap(px(target), item.picture, px(box));
    }

    void barcode(const TVystPrvek &item)
    {
        const ItemStyle &style = *item.style;
        const BarcodeSymbol symbol =
            BarcodeEncoder::encode(style.penStyle, item.text, style.optionFlags & TRastelReportElement::Stretch);
        const int module = BarcodeDrawing::nextModuleWidth(Scale, style.penWidth);
        const BarcodePicture d = BarcodeDrawing::layout(symbol, QRectF(item.rect()), style.angle, module, Scale,
                                                        style.optionFlags & TRastelReportElement::KeepAspect);
        m_r.pen({5, 1, 0});
        m_r.opaque(true);
        m_r.brush({0, qRgb(255, 255, 255), 0});
        m_r.polygon(toDevice(d.background));
        m_r.brush({0, qRgb(0, 0, 0), 0});
        for (const QPolygonF &bar : d.bars)
            m_r.polygon(toDevice(bar));
        if (!d.text.isEmpty()) {
            QFont font(u"Arial"_s);
            FontSpec f = fontSpec(font, 0, d.angle, 1);
            f.height = -std::max(1, px(d.textPixelSize));
            m_r.font(f);
            m_r.textColour(qRgb(0, 0, 0));
            m_r.opaque(true);
            // The page image puts the text's top at the corner: the baseline
            // lies one ascent below it.
            font.setPixelSize(std::max(1, px(d.textPixelSize)));
            const QFontMetricsF metrics(font);
            QTransform t;
            t.translate(d.textOrigin.x(), d.textOrigin.y());
            t.rotate(-d.angle);
            std::vector<int> dx;
            for (const QChar c : d.text)
                dx.push_back(int(std::lround(metrics.horizontalAdvance(c))));
            m_r.text(px(t.map(QPointF(0, metrics.ascent() / Scale))), d.text, dx, QRect(), false);
        }
        m_r.opaque(false);
    }

    static QPolygon toDevice(const QPolygonF &p)
    {
        QPolygon out;
        for (const QPointF &point : p)
            out << px(point);
        return out;
    }

    Recorder &m_r;
};

std::unique_ptr<Recorder> recorder(Format format)
{
    if (format == Format::Emf)
        return std::make_unique<EmfRecorder>();
    return std::make_unique<WmfRecorder>();
}

bool inRange(const TSestVystup &output, int page)
{
    return page >= std::max(output.firstPage, 1) && page <= std::min(output.lastPage, output.pageCount());
}

} // namespace

QString extension(Format format)
{
    return format == Format::Emf ? u".emf"_s : u".wmf"_s;
}

QByteArray pageMetafile(const TSestVystup &output, int pageIndex, Format format, bool background)
{
    if (pageIndex < 0 || pageIndex >= output.pageCount())
        return {};
    const std::unique_ptr<Recorder> r = recorder(format);
    r->begin(px(output.page.contentWidth()), px(output.page.contentHeight()));
    PageWalker walker(*r);
    const QImage image = background && output.background.isNull() && !output.backgroundFile.isEmpty()
                             ? QImage(output.backgroundFile)
                             : output.background;
    if (background && !image.isNull()) {
        // Placed on the paper; the origin is the margins' corner.
        const LayoutPage &page = output.page;
        QRect rect = output.backgroundRect;
        if (rect.width() <= 0)
            rect.setWidth(page.paperWidth());
        if (rect.height() <= 0)
            rect.setHeight(page.paperHeight());
        walker.background(image, QRectF(rect.translated(-page.setup.leftMargin, -page.setup.topMargin)));
    }
    for (const TVystPrvek &item : output.pages.at(size_t(pageIndex)).items()) {
        // The character grid has no barcodes.
        if (!(output.characterMode && item.kind() == ElementKind::Barcode))
            walker.item(item);
    }
    return r->finish();
}

int exportPage(const TSestVystup &output, int page, QIODevice &device, Format format, bool background)
{
    if (!inRange(output, page))
        return seDataOrNothing;
    return writeBytes(device, pageMetafile(output, page - 1, format, background));
}

int exportPageFile(const TSestVystup &output, int page, const QString &file, Format format, bool background)
{
    if (!inRange(output, page))
        return seDataOrNothing;
    return writeOutputFile(file, [&](QIODevice &out) { return exportPage(output, page, out, format, background); });
}

int exportAll(const TSestVystup &output, const QString &file, Format format, bool background)
{
    const int first = std::max(output.firstPage, 1);
    const int last = std::min(output.lastPage, output.pageCount());
    if (first > last)
        return seDataOrNothing;
    OutputFileSet files;
    for (int p = first; p <= last; ++p) {
        const QString name = OutputHtml::replaceExtension(file, QString::number(p) + extension(format));
        const int result =
            files.write(name, [&](QIODevice &out) { return exportPage(output, p, out, format, background); });
        if (result != seOK)
            return result;
    }
    return files.commit();
}

} // namespace OutputMetafile

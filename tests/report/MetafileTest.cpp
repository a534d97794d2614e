// EMF and WMF pages read back by independent readers (emf2svg-conv,
// wmf2svg): the SVG holds the page's texts at their places and its boxes,
// compared with the placed items within a tolerance; the records' frame;
// the page range and the file names of the per-page exports.
#include "support/TestSupport.h"

#include "common/CodePage.h"
#include "report/core/layout/ReportOutput.h"
#include "report/core/model/ReportElement.h"
#include "report/core/model/ReportResult.h"
#include "report/core/model/ReportSections.h"
#include "report/core/output/Barcode.h"
#include "report/core/output/MetafileWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using OutputMetafile::Format;

namespace {

std::shared_ptr<ItemStyle> style(int kind)
{
    auto s = std::make_shared<ItemStyle>();
    s->kind = kind;
    s->penColour = Qt::black;
    s->fillColour = Qt::white;
    return s;
}

TVystPrvek placed(std::shared_ptr<const ItemStyle> s, QRect box, const QString &text = QString())
{
    TVystPrvek item;
    item.style = std::move(s);
    item.left = box.left();
    item.top = box.top();
    item.width = box.width();
    item.height = box.height();
    item.text = text;
    return item;
}

// A page of every kind the writers draw.
TSestVystup samplePage()
{
    TSestVystup out;
    out.page.setup = PageSetup{};
    TStranaPrvku &page = out.pageAt(0);
    auto text = style(ElementKind::GraphicText);
    text->font.size = 12;
    page.items().push_back(placed(text, {100, 50, 300, 25}, u"Pokladní doklad"_s));
    auto right = style(ElementKind::GraphicText);
    right->alignment = TRastelReportElement::AlignRight;
    page.items().push_back(placed(right, {400, 100, 200, 20}, u"1 234,50"_s));
    auto rectangle = style(ElementKind::Rectangle);
    rectangle->fillColour = QColor(0xEE, 0xEE, 0xEE);
    page.items().push_back(placed(rectangle, {50, 200, 300, 100}));
    auto rounded = style(ElementKind::RoundRectangle);
    rounded->penColour = Qt::blue;
    page.items().push_back(placed(rounded, {400, 200, 200, 30}));
    auto ellipse = style(ElementKind::Ellipse);
    ellipse->fillColour = Qt::yellow;
    page.items().push_back(placed(ellipse, {100, 350, 200, 80}));
    auto line = style(ElementKind::Line);
    line->optionFlags = 0x08;
    page.items().push_back(placed(line, {50, 450, 500, 10}));
    auto barcode = style(ElementKind::Barcode);
    barcode->penStyle = BarcodeType::Code128B;
    barcode->penWidth = 8;
    page.items().push_back(placed(barcode, {50, 500, 300, 50}, u"AB1"_s));
    TVystPrvek picture = placed(style(ElementKind::Picture), {400, 500, 100, 50});
    picture.picture = QImage(20, 10, QImage::Format_RGB32);
    picture.picture.fill(Qt::red);
    page.items().push_back(picture);
    return out;
}

struct SvgText
{
    QString text;
    double x = 0;
    double y = 0;
};

struct Svg
{
    QByteArray source;
    double width = 0; // the SVG's own size
    double height = 0;
    std::vector<SvgText> texts;
    std::vector<QRectF> boxes;     // rectangles, ellipses and paths by their extent
    std::vector<QString> boxFills; // the fill of each box
};

double number(const QString &s)
{
    static const QRegularExpression re(u"-?[0-9.]+(e-?[0-9]+)?"_s);
    const QRegularExpressionMatch m = re.match(s);
    return m.hasMatch() ? m.captured().toDouble() : 0;
}

// The points of a path or polygon: every pair of numbers.
QRectF extent(const QString &points)
{
    static const QRegularExpression re(u"-?[0-9.]+(e-?[0-9]+)?"_s);
    std::vector<double> v;
    for (auto it = re.globalMatch(points); it.hasNext();)
        v.push_back(it.next().captured().toDouble());
    QRectF r;
    for (size_t i = 0; i + 1 < v.size(); i += 2)
        r = r.united(QRectF(v[i], v[i + 1], 0.0001, 0.0001));
    return r;
}

Svg readSvg(const QByteArray &source)
{
    Svg svg;
    svg.source = source;
    QXmlStreamReader xml(source);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView name = xml.name();
        // The fill: an attribute (emf2svg) or part of the style (wmf2svg).
        static const QRegularExpression styleFill(u"(^|;)\\s*fill:\\s*([^;]+)"_s);
        QString fill = a.value(u"fill"_s).toString();
        if (const QRegularExpressionMatch m = styleFill.match(a.value(u"style"_s)); fill.isEmpty() && m.hasMatch())
            fill = m.captured(2).trimmed();
        const size_t boxes = svg.boxes.size();
        if (name == u"svg"_s) {
            svg.width = number(a.value(u"width"_s).toString());
            svg.height = number(a.value(u"height"_s).toString());
        } else if (name == u"text"_s) {
            SvgText t;
            t.x = number(a.value(u"x"_s).toString());
            t.y = number(a.value(u"y"_s).toString());
            // A matrix transform moves the text by its last two numbers.
            static const QRegularExpression matrix(u"matrix\\(([^)]*)\\)"_s);
            if (const QRegularExpressionMatch m = matrix.match(a.value(u"transform"_s)); m.hasMatch()) {
                const QStringList v = m.captured(1).split(QRegularExpression(u"[ ,]+"_s), Qt::SkipEmptyParts);
                if (v.size() == 6) {
                    t.x += v[4].toDouble();
                    t.y += v[5].toDouble();
                }
            }
            t.text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            svg.texts.push_back(t);
            continue;
        } else if (name == u"rect"_s) {
            svg.boxes.push_back(QRectF(number(a.value(u"x"_s).toString()), number(a.value(u"y"_s).toString()),
                                       number(a.value(u"width"_s).toString()),
                                       number(a.value(u"height"_s).toString())));
        } else if (name == u"ellipse"_s) {
            const double rx = number(a.value(u"rx"_s).toString()), ry = number(a.value(u"ry"_s).toString());
            svg.boxes.push_back(QRectF(number(a.value(u"cx"_s).toString()) - rx,
                                       number(a.value(u"cy"_s).toString()) - ry, 2 * rx, 2 * ry));
        } else if (name == u"path"_s) {
            svg.boxes.push_back(extent(a.value(u"d"_s).toString()));
        } else if (name == u"line"_s) {
            const QPointF a1(number(a.value(u"x1"_s).toString()), number(a.value(u"y1"_s).toString()));
            const QPointF a2(number(a.value(u"x2"_s).toString()), number(a.value(u"y2"_s).toString()));
            svg.boxes.push_back(QRectF(a1, a2).normalized());
        } else if (name == u"polygon"_s || name == u"polyline"_s) {
            svg.boxes.push_back(extent(a.value(u"points"_s).toString()));
        }
        if (svg.boxes.size() > boxes)
            svg.boxFills.push_back(fill.toLower());
    }
    return svg;
}

QString reader(Format format)
{
    return format == Format::Emf ? u"emf2svg-conv"_s : u"wmf2svg"_s;
}

Svg converted(const QByteArray &metafile, Format format)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"strana"_s + OutputMetafile::extension(format));
    const QString svg = dir.filePath(u"strana.svg"_s);
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(metafile);
    f.close();
    QProcess process;
    if (format == Format::Emf)
        process.start(reader(format), {u"-i"_s, file, u"-o"_s, svg});
    else
        process.start(reader(format), {u"-o"_s, svg, file});
    process.waitForFinished(60000);
    QFile out(svg);
    if (!out.open(QIODevice::ReadOnly))
        return {};
    // wmf2svg copies the text's bytes (Windows-1250) into the SVG as they are.
    return readSvg(format == Format::Wmf ? CodePage::windows1250().decode(out.readAll()).toUtf8() : out.readAll());
}

struct MetafileCase
{
    const char *name;
    Format format;
};

class MetafileRead : public testing::TestWithParam<MetafileCase>
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(reader(GetParam().format)).isEmpty()) {
            if (TestSupport::isCi())
                FAIL() << reader(GetParam().format).toStdString() << " is missing: scripts/install-deps.sh installs it";
            GTEST_SKIP() << reader(GetParam().format).toStdString() << " is not installed";
        }
    }
};

} // namespace

TEST_P(MetafileRead, TheReaderFindsTheTextsAtTheirPlacesAndTheBoxes)
{
    const TSestVystup out = samplePage();
    const QByteArray bytes = OutputMetafile::pageMetafile(out, 0, GetParam().format, false);
    ASSERT_FALSE(bytes.isEmpty());
    const Svg svg = converted(bytes, GetParam().format);
    ASSERT_GT(svg.width, 0) << svg.source.left(2000).toStdString();
    // The readers map the page linearly but each to a frame of its own
    // (wmf2svg fits the drawing's extent into the picture's size, each axis
    // on its own): the mapping is taken from the rectangle and every other
    // place is checked through it.
    // The rectangle is the one box filled light grey (#EEEEEE, "whitesmoke").
    QRectF anchor;
    for (size_t i = 0; i < svg.boxes.size(); ++i)
        if (svg.boxFills[i] == u"#eeeeee"_s || svg.boxFills[i] == u"whitesmoke"_s)
            anchor = svg.boxes[i];
    ASSERT_TRUE(anchor.isValid()) << svg.source.left(3000).toStdString();
    const double sx = anchor.width() / 300, sy = anchor.height() / 100;
    const auto units = [&](double x, double y) {
        return QPointF((x - anchor.left()) / sx + 50, (y - anchor.top()) / sy + 200);
    };

    // Texts: left-aligned at the item's left edge, the right-aligned one
    // ending at the item's right edge, baselines inside their boxes.
    const auto findText = [&](const QString &text) -> const SvgText * {
        for (const SvgText &t : svg.texts)
            if (t.text == text)
                return &t;
        return nullptr;
    };
    const SvgText *title = findText(u"Pokladní doklad"_s);
    ASSERT_NE(title, nullptr) << svg.source.left(3000).toStdString();
    EXPECT_NEAR(units(title->x, title->y).x(), 100, 1.5);
    EXPECT_GT(units(title->x, title->y).y(), 50);
    EXPECT_LT(units(title->x, title->y).y(), 75);
    const SvgText *amount = findText(u"1 234,50"_s);
    ASSERT_NE(amount, nullptr);
    EXPECT_GT(units(amount->x, amount->y).x(), 400 + 100); // pushed to the right edge
    EXPECT_LT(units(amount->x, amount->y).x(), 600);
    EXPECT_GT(units(amount->x, amount->y).y(), 100);
    EXPECT_LT(units(amount->x, amount->y).y(), 120);

    // Boxes: rounded rectangle, ellipse, the barcode's area.
    const auto hasBox = [&](const QRectF &expected, double tolerance) {
        for (const QRectF &b : svg.boxes) {
            const QRectF r(units(b.left(), b.top()), units(b.right(), b.bottom()));
            if (std::abs(r.left() - expected.left()) <= tolerance && std::abs(r.top() - expected.top()) <= tolerance &&
                std::abs(r.right() - expected.right()) <= tolerance &&
                std::abs(r.bottom() - expected.bottom()) <= tolerance)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(hasBox(QRectF(400, 200, 200, 30), 1.5)) << "rounded rectangle";
    EXPECT_TRUE(hasBox(QRectF(100, 350, 200, 80), 1.5)) << "ellipse";
    // Code 128 "AB1": start, three characters, check (11 modules each) and
    // the 13-module stop: 68 modules of 8/6 units.
    EXPECT_TRUE(hasBox(QRectF(50, 500, 68 * 8 / 6.0, 50), 1.5)) << "barcode";
    // The line along the bottom edge (bit 3).
    EXPECT_TRUE(hasBox(QRectF(50, 459.9, 500, 0.2), 1.5)) << "line";
}

INSTANTIATE_TEST_SUITE_P(Metafiles, MetafileRead,
                         testing::Values(MetafileCase{"Emf", Format::Emf}, MetafileCase{"Wmf", Format::Wmf}),
                         TestSupport::rowName);

TEST(Metafiles, HeadersCarryTheContentAreaAt600PixelsPerInch)
{
    const TSestVystup out = samplePage();
    const int w = out.page.contentWidth() * 6, h = out.page.contentHeight() * 6;
    const QByteArray emf = OutputMetafile::pageMetafile(out, 0, Format::Emf, false);
    const auto i32 = [](const QByteArray &b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); };
    const auto u16 = [](const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    ASSERT_GT(emf.size(), 108);
    EXPECT_EQ(i32(emf, 0), 1);                     // EMR_HEADER
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF")); // signature
    EXPECT_EQ(i32(emf, 48), emf.size());           // nBytes
    EXPECT_EQ(i32(emf, 16), w - 1);                // bounds right
    EXPECT_EQ(i32(emf, 72), w);                    // reference device in pixels
    EXPECT_EQ(i32(emf, 76), h);
    // The last record is the end of file.
    EXPECT_EQ(i32(emf, int(emf.size()) - 20), 14);

    const QByteArray wmf = OutputMetafile::pageMetafile(out, 0, Format::Wmf, false);
    ASSERT_GT(wmf.size(), 40);
    EXPECT_EQ(quint32(i32(wmf, 0)), 0x9AC6CDD7u);
    EXPECT_EQ(u16(wmf, 10), w);
    EXPECT_EQ(u16(wmf, 12), h);
    EXPECT_EQ(u16(wmf, 14), 600); // units per inch
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= u16(wmf, i);
    EXPECT_EQ(u16(wmf, 20), checksum);
    // The size in the header counts the words after the placeable header.
    EXPECT_EQ(qint64(i32(wmf, 22 + 6)) * 2, wmf.size() - 22);
    EXPECT_EQ(u16(wmf, int(wmf.size()) - 2), 0); // META_EOF
}

TEST(Metafiles, PagesOutsideTheOutputAreNotWritten)
{
    TSestVystup out = samplePage();
    out.pageAt(2); // three pages
    out.firstPage = 2;
    out.lastPage = 3;
    QTemporaryDir dir;
    for (const Format format : {Format::Emf, Format::Wmf}) {
        const QString ext = OutputMetafile::extension(format);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_EQ(OutputMetafile::exportPage(out, 1, buffer, format, false), seDataOrNothing);
        EXPECT_EQ(OutputMetafile::exportPage(out, 4, buffer, format, false), seDataOrNothing);
        EXPECT_TRUE(bytes.isEmpty());
        EXPECT_EQ(OutputMetafile::exportPageFile(out, 0, dir.filePath(u"nic"_s + ext), format, false), seDataOrNothing);
        EXPECT_FALSE(QFile::exists(dir.filePath(u"nic"_s + ext)));
        EXPECT_EQ(OutputMetafile::exportPage(out, 2, buffer, format, false), seOK);
        EXPECT_FALSE(bytes.isEmpty());

        ASSERT_EQ(OutputMetafile::exportAll(out, dir.filePath(u"strana.pdf"_s), format, false), seOK);
        EXPECT_FALSE(QFile::exists(dir.filePath(u"strana1"_s + ext)));
        EXPECT_TRUE(QFile::exists(dir.filePath(u"strana2"_s + ext)));
        EXPECT_TRUE(QFile::exists(dir.filePath(u"strana3"_s + ext)));
        EXPECT_FALSE(QFile::exists(dir.filePath(u"strana4"_s + ext)));
    }
}

TEST(Metafiles, CharacterModeLeavesBarcodesOut)
{
    TSestVystup out = samplePage();
    const QByteArray graphic = OutputMetafile::pageMetafile(out, 0, Format::Emf, false);
    out.characterMode = true;
    const QByteArray character = OutputMetafile::pageMetafile(out, 0, Format::Emf, false);
    // Code 128 "AB1" has 19 bars (three a character, four in the stop), one
    // polygon record (type 86) each, plus its white area.
    const auto polygons = [](const QByteArray &emf) {
        int count = 0;
        for (int at = 108; at + 8 <= emf.size();) {
            const quint32 type = qFromLittleEndian<quint32>(emf.constData() + at);
            const quint32 size = qFromLittleEndian<quint32>(emf.constData() + at + 4);
            count += type == 86 ? 1 : 0;
            if (size < 8)
                break;
            at += int(size);
        }
        return count;
    };
    EXPECT_EQ(polygons(graphic), 20);
    EXPECT_EQ(polygons(character), 0);
}

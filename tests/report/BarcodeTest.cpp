// Barcodes: every symbology a reader knows drawn by the page image and read
// back by zbarimg; the others against bar patterns written out from their
// published tables; the content rules, module widths, rotation, PostNet's
// short bars and the human-readable text.
#include "support/TestSupport.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/model/ReportElement.h"
#include "report/core/model/ReportSections.h"
#include "report/core/output/Barcode.h"
#include "report/core/output/PageImage.h"

#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<ItemStyle> barcodeStyle(int type, bool check, int barWidthCode = 12, int angle = 0, int options = 0)
{
    auto style = std::make_shared<ItemStyle>();
    style->kind = ElementKind::Barcode;
    style->penStyle = type;
    style->penWidth = barWidthCode;
    style->angle = angle;
    style->optionFlags = options | (check ? TRastelReportElement::Stretch : 0);
    return style;
}

// The barcode drawn by the page image at 3 pixels per unit (module width
// round(3 x 12 / 6) = 6 pixels) with a quiet zone around it.
QImage rendered(const std::shared_ptr<ItemStyle> &style, const QString &content)
{
    const double scale = 3;
    const BarcodeSymbol symbol = BarcodeEncoder::encode(style->penStyle, content, style->optionFlags & 0x10);
    const int symbolUnits = int(symbol.modules * 6 / scale) + 1;
    const int quiet = 40;
    const bool upright = style->angle == 0;
    TVystPrvek item;
    item.style = style;
    item.text = content;
    item.width = symbolUnits;
    item.height = 60;
    // Rotated by 90 degrees the symbol runs upwards from the top-left corner.
    item.left = quiet;
    item.top = upright ? quiet : quiet + symbolUnits;
    const int w = upright ? symbolUnits + 2 * quiet : item.height + 2 * quiet;
    const int h = upright ? item.height + 2 * quiet : symbolUnits + 2 * quiet;
    QImage image(int(w * scale), int(h * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    OutputPageImage::paintItem(painter, item, scale);
    return image;
}

// What zbarimg reads in the image: "TYPE:data" lines.
QStringList decoded(const QImage &image)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"code.png"_s);
    image.save(file);
    QProcess zbar;
    // UPC-A is read as the EAN-13 it is part of (a leading zero).
    zbar.start(u"zbarimg"_s, {u"-q"_s, u"-Supce.enable"_s, u"-Si25.enable"_s, u"-Scode93.enable"_s,
                              u"-Scodabar.enable"_s, u"-Scode39.enable"_s, file});
    zbar.waitForFinished(60000);
    return QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

#define REQUIRE_ZBAR()                                                                                                 \
    do {                                                                                                               \
        if (QStandardPaths::findExecutable(u"zbarimg"_s).isEmpty()) {                                                  \
            if (TestSupport::isCi())                                                                                   \
                FAIL() << "zbarimg (zbar-tools) is missing: scripts/install-deps.sh installs it";                      \
            GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";                                                   \
        }                                                                                                              \
    } while (false)

} // namespace

// ---------------------------------------------------------------- read back by a reader

struct ReadableCase
{
    const char *name;
    int type;
    QString content;
    bool check;
    QString expected; // zbarimg's "TYPE:data"
    int angle = 0;
};

class ReadableBarcodes : public testing::TestWithParam<ReadableCase>
{
};

TEST_P(ReadableBarcodes, ZbarReadsWhatThePageImageDraws)
{
    REQUIRE_ZBAR();
    const ReadableCase &c = GetParam();
    const QStringList read = decoded(rendered(barcodeStyle(c.type, c.check, 12, c.angle), c.content));
    EXPECT_EQ(read, QStringList{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Barcodes, ReadableBarcodes,
    testing::Values(
        ReadableCase{"Ean8WithCheckFlag", BarcodeType::Ean8, u"9638507"_s, true, u"EAN-8:96385074"_s},
        ReadableCase{"Ean8Given", BarcodeType::Ean8, u"96385074"_s, false, u"EAN-8:96385074"_s},
        ReadableCase{"Ean13TwelveDigitsWithCheckFlag", BarcodeType::Ean13, u"400638133393"_s, true,
                     u"EAN-13:4006381333931"_s},
        ReadableCase{"Ean13PaddedWithZeros", BarcodeType::Ean13, u"12345"_s, true, u"EAN-13:0000000123457"_s},
        ReadableCase{"TypeOutsideTheListIsEan13", 42, u"400638133393"_s, true, u"EAN-13:4006381333931"_s},
        ReadableCase{"UpcAGiven", BarcodeType::UpcA, u"036000291452"_s, false, u"EAN-13:0036000291452"_s},
        ReadableCase{"UpcA", BarcodeType::UpcA, u"03600029145"_s, true, u"EAN-13:0036000291452"_s},
        ReadableCase{"UpcE0", BarcodeType::UpcE0, u"123456"_s, false, u"UPC-E:01234565"_s},
        ReadableCase{"Code39", BarcodeType::Code39, u"TARNEK-2018"_s, false, u"CODE-39:TARNEK-2018"_s},
        ReadableCase{"Code39LowerCaseAsCapitals", BarcodeType::Code39, u"abc $/+%"_s, false, u"CODE-39:ABC $/+%"_s},
        ReadableCase{"Code39WithCheckCharacter", BarcodeType::Code39, u"CODE39"_s, true, u"CODE-39:CODE39W"_s},
        ReadableCase{"Code39FullAscii", BarcodeType::Code39Full, u"Ab"_s, false, u"CODE-39:A+B"_s},
        ReadableCase{"Code93", BarcodeType::Code93, u"TEST93"_s, false, u"CODE-93:TEST93"_s},
        ReadableCase{"Code93Full", BarcodeType::Code93Full, u"Tarnek 1.0"_s, false, u"CODE-93:Tarnek 1.0"_s},
        ReadableCase{"Code128A", BarcodeType::Code128A, u"ABC-123"_s, false, u"CODE-128:ABC-123"_s},
        ReadableCase{"Code128B", BarcodeType::Code128B, u"Tarnek 1.0"_s, false, u"CODE-128:Tarnek 1.0"_s},
        ReadableCase{"Code128C", BarcodeType::Code128C, u"12345678"_s, false, u"CODE-128:12345678"_s},
        ReadableCase{"Code128CLetterBecomesZero", BarcodeType::Code128C, u"12A4"_s, false, u"CODE-128:1204"_s},
        ReadableCase{"Code128COddGetsLeadingZero", BarcodeType::Code128C, u" 123 "_s, false, u"CODE-128:0123"_s},
        ReadableCase{"Interleaved2of5", BarcodeType::Interleaved2of5, u"123456"_s, false, u"I2/5:123456"_s},
        ReadableCase{"Interleaved2of5WithCheckDigit", BarcodeType::Interleaved2of5, u"1234567"_s, true,
                     u"I2/5:12345670"_s},
        ReadableCase{"Interleaved2of5OddPadded", BarcodeType::Interleaved2of5, u"12345"_s, false, u"I2/5:012345"_s},
        ReadableCase{"Codabar", BarcodeType::Codabar, u"A40156B"_s, false, u"Codabar:A40156B"_s},
        ReadableCase{"CodabarFramedByAAndB", BarcodeType::Codabar, u"31117013206375"_s, false,
                     u"Codabar:A31117013206375B"_s},
        ReadableCase{"Ean13Rotated", BarcodeType::Ean13, u"400638133393"_s, true, u"EAN-13:4006381333931"_s, 90},
        ReadableCase{"Code128Rotated", BarcodeType::Code128B, u"Nahoru"_s, false, u"CODE-128:Nahoru"_s, 90}),
    TestSupport::rowName);

// ---------------------------------------------------------------- bar patterns

struct PatternCase
{
    const char *name;
    int type;
    QString content;
    bool check;
    QString text;    // the characters encoded
    QString modules; // "1" a dark module, "," a short bar, "0" light; blanks and "|" only separate
};

class BarPatterns : public testing::TestWithParam<PatternCase>
{
};

TEST_P(BarPatterns, FollowThePublishedTables)
{
    const PatternCase &c = GetParam();
    const BarcodeSymbol symbol = BarcodeEncoder::encode(c.type, c.content, c.check);
    EXPECT_EQ(symbol.text, c.text);
    QString expected = c.modules;
    expected.remove(u' ').remove(u'|');
    EXPECT_EQ(symbol.moduleString(), expected);
}

// Wide elements are two modules. Industrial 2 of 5: only bars carry the
// digit (start wide-wide-narrow, stop wide-narrow-wide, a narrow space after
// each bar); matrix 2 of 5: five elements and a narrow space per digit,
// start and stop wide-narrow-narrow (bars); MSI: 1 = wide bar + narrow
// space, 0 = narrow bar + wide space, start "1", stop narrow bar, wide space,
// narrow bar; PostNet: two tall bars of five, frame bars, the correction digit.
INSTANTIATE_TEST_SUITE_P(
    Barcodes, BarPatterns,
    testing::Values(
        // start W W N | 1 = wnnnw | 2 = nwnnw | stop W N W
        PatternCase{"Industrial2of5", BarcodeType::Industrial2of5, u"12"_s, false, u"12"_s,
                    u"110 110 10 | 110 10 10 10 110 | 10 110 10 10 110 | 110 10 11"_s},
        // start | 1 | check 7 = nnnww | stop
        PatternCase{"Industrial2of5WithCheckDigit", BarcodeType::Industrial2of5, u"1"_s, true, u"17"_s,
                    u"110 110 10 | 110 10 10 10 110 | 10 10 10 110 110 | 110 10 11"_s},
        // start | 1 = wnnnw + gap | 2 = nwnnw + gap | stop
        PatternCase{"Matrix2of5", BarcodeType::Matrix2of5, u"12"_s, false, u"12"_s,
                    u"11 0 1 0 1 0 | 11 0 1 0 11 0 | 1 00 1 0 11 0 | 11 0 1 0 1"_s},
        // start | 1 = 0001 | 2 = 0010 | stop
        PatternCase{"Msi", BarcodeType::Msi, u"12"_s, false, u"12"_s,
                    u"110 | 100 100 100 110 | 100 100 110 100 | 1001"_s},
        // start | 1 | 2 | 3 | 4 | check digit 4 = 0100 | stop
        PatternCase{"MsiWithLuhnCheckDigit", BarcodeType::Msi, u"1234"_s, true, u"12344"_s,
                    u"110 | 100100100110 | 100100110100 | 100100110110 | 100110100100 | 100110100100 | 1001"_s},
        PatternCase{"MsiDigitsOnly", BarcodeType::Msi, u" 9x"_s, false, u"90"_s,
                    u"110 | 110100100110 | 100100100100 | 1001"_s},
        // frame | 1 = 00011 | 2 = 00101 | correction 7 = 10001 | frame
        PatternCase{"PostNet", BarcodeType::PostNet, u"12"_s, false, u"127"_s,
                    u"10 | ,0,0,01010 | ,0,010,010 | 10,0,0,010 | 1"_s},
        // 12 mod 4 = 0: L L
        PatternCase{"UpcSupp2", BarcodeType::UpcSupp2, u"12"_s, false, u"12"_s, u"1011 0011001 01 0010011"_s},
        // 7 mod 4 = 3: G G
        PatternCase{"UpcSupp2Parity", BarcodeType::UpcSupp2, u"7"_s, false, u"07"_s, u"1011 0100111 01 0010001"_s},
        // 3 x (5 + 4 + 5) + 9 x (2 + 9) = 141: parities G L G L L
        PatternCase{"UpcSupp5", BarcodeType::UpcSupp5, u"52495"_s, false, u"52495"_s,
                    u"1011 0111001 01 0010011 01 0011101 01 0001011 01 0110001"_s},
        // check 2 of 11234500006; number system 1 takes E0's "GGLLGL" inverted: L L G G L G
        PatternCase{"UpcE1InvertsTheParity", BarcodeType::UpcE1, u"123456"_s, false, u"11234562"_s,
                    u"101 0011001 0010011 0100001 0011101 0110001 0000101 010101"_s},
        // 4: L G L L G G | right half
        PatternCase{"Ean13WrongCheckDigitKept", BarcodeType::Ean13, u"4006381333930"_s, false, u"4006381333930"_s,
                    u"101 0001101 0100111 0101111 0111101 0001001 0110011 01010 "
                    u"1000010 1000010 1000010 1110100 1000010 1110010 101"_s},
        PatternCase{"Ean13CheckFlagReplacesTheLastDigit", BarcodeType::Ean13, u"4006381333930"_s, true,
                    u"4006381333931"_s,
                    u"101 0001101 0100111 0101111 0111101 0001001 0110011 01010 "
                    u"1000010 1000010 1000010 1110100 1000010 1100110 101"_s}),
    TestSupport::rowName);

// ---------------------------------------------------------------- content rules

TEST(BarcodeContent, DigitsOnlyTypesTrimAndTurnOtherCharactersIntoZeros)
{
    for (int type = 0; type < BarcodeType::Count; ++type) {
        const QString prepared = BarcodeEncoder::prepared(type, u" 1a-2 "_s);
        EXPECT_EQ(prepared, BarcodeType::digitsOnly(type) ? u"1002"_s : u" 1a-2 "_s) << type;
    }
    EXPECT_FALSE(BarcodeType::digitsOnly(BarcodeType::Codabar));
    EXPECT_TRUE(BarcodeType::digitsOnly(BarcodeType::Code128C));
    EXPECT_EQ(BarcodeType::name(BarcodeType::Codabar), u"Codebar"_s);
    EXPECT_EQ(BarcodeType::name(-1), u"EAN 13"_s);
    EXPECT_EQ(BarcodeType::name(20), u"EAN 13"_s);
}

TEST(BarcodeContent, OptionalCheckCharactersOnlyWithTheFlag)
{
    struct Row
    {
        int type;
        QString content;
        QString without;
        QString with;
    };
    const Row rows[] = {
        {BarcodeType::Code39, u"CODE39"_s, u"CODE39"_s, u"CODE39W"_s},
        // Codabar's modulo 16: A(16) 4 0 1 5 6 B(17) = 49, check 16 - 1 = 15, "+", before the stop.
        {BarcodeType::Codabar, u"A40156B"_s, u"A40156B"_s, u"A40156+B"_s},
        {BarcodeType::Interleaved2of5, u"123"_s, u"0123"_s, u"1236"_s},
        // Mandatory check characters whatever the flag: Code 128, Code 93, PostNet.
        {BarcodeType::Code128B, u"ab"_s, u"ab"_s, u"ab"_s},
        {BarcodeType::PostNet, u"555"_s, u"5555"_s, u"5555"_s},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(BarcodeEncoder::encode(row.type, row.content, false).text, row.without) << row.type;
        EXPECT_EQ(BarcodeEncoder::encode(row.type, row.content, true).text, row.with) << row.type;
    }
    // Code 93 always carries its two check characters: the flag changes nothing.
    EXPECT_EQ(BarcodeEncoder::encode(BarcodeType::Code93, u"X"_s, true).moduleString(),
              BarcodeEncoder::encode(BarcodeType::Code93, u"X"_s, false).moduleString());
}

struct ModuleWidthCase
{
    const char *name;
    double scale;
    int code;
    int previous;
    int expected;
};

class ModuleWidths : public testing::TestWithParam<ModuleWidthCase>
{
};

TEST_P(ModuleWidths, RoundScaleTimesCodeBySixElseThePreviousWidth)
{
    const ModuleWidthCase &c = GetParam();
    int previous = c.previous;
    EXPECT_EQ(BarcodeDrawing::moduleWidth(c.scale, c.code, previous), c.expected);
    EXPECT_EQ(previous, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Barcodes, ModuleWidths,
                         testing::Values(ModuleWidthCase{"PageImageCode8", 6, 8, 1, 8},
                                         ModuleWidthCase{"PageImageCode4", 6, 4, 1, 4},
                                         ModuleWidthCase{"PrinterAt300Dpi", 3, 9, 1, 5}, // 4.5 rounds up
                                         ModuleWidthCase{"ScreenRoundsToOne", 1, 4, 7, 1},
                                         ModuleWidthCase{"ZeroKeepsThePrevious", 1, 2, 7, 7},
                                         ModuleWidthCase{"FiftyKeepsThePrevious", 6, 50, 3, 3},
                                         ModuleWidthCase{"FortyNineIsTaken", 6, 49, 3, 49},
                                         ModuleWidthCase{"NegativeCodeKeepsThePrevious", 6, -8, 2, 2}),
                         TestSupport::rowName);

// ---------------------------------------------------------------- drawing

TEST(BarcodeDrawing, PostNetShortBarsAreTwoFifthsOfTheHeightAtTheBottom)
{
    const BarcodeSymbol symbol = BarcodeEncoder::encode(BarcodeType::PostNet, u"1"_s, false);
    const BarcodePicture d = BarcodeDrawing::layout(symbol, QRectF(100, 200, 300, 50), 0, 6, 6, false);
    ASSERT_EQ(d.bars.size(), symbol.bars.size());
    int shortBars = 0;
    for (size_t i = 0; i < d.bars.size(); ++i) {
        const QRectF r = d.bars[i].boundingRect();
        EXPECT_DOUBLE_EQ(r.bottom(), 250);
        EXPECT_DOUBLE_EQ(r.width(), symbol.bars[i].width * 1.0);
        EXPECT_DOUBLE_EQ(r.top(), symbol.bars[i].tall ? 200 : 230) << i;
        shortBars += symbol.bars[i].tall ? 0 : 1;
    }
    EXPECT_EQ(shortBars, 6); // digits 1 and 9: three short bars each
}

TEST(BarcodeDrawing, RotationTurnsAroundTheTopLeftCornerCounterClockwise)
{
    const BarcodeSymbol symbol = BarcodeEncoder::encode(BarcodeType::Ean8, u"96385074"_s, false);
    const BarcodePicture d = BarcodeDrawing::layout(symbol, QRectF(100, 200, 300, 50), 90, 12, 6, false);
    const QRectF area = d.background.boundingRect();
    // 67 modules of 2 units now run upwards from the corner; the height goes right.
    EXPECT_NEAR(area.left(), 100, 1e-9);
    EXPECT_NEAR(area.bottom(), 200, 1e-9);
    EXPECT_NEAR(area.height(), 67 * 2, 1e-9);
    EXPECT_NEAR(area.width(), 50, 1e-9);
}

TEST(BarcodeDrawing, TextOptionPrintsTheEncodedCharactersInBlackOnWhite)
{
    const BarcodeSymbol symbol = BarcodeEncoder::encode(BarcodeType::Ean13, u"400638133393"_s, true);
    const BarcodePicture plain = BarcodeDrawing::layout(symbol, QRectF(10, 20, 300, 50), 0, 8, 6, false);
    EXPECT_TRUE(plain.text.isEmpty());
    const BarcodePicture d = BarcodeDrawing::layout(symbol, QRectF(10, 20, 300, 50), 0, 8, 6, true);
    EXPECT_EQ(d.text, u"4006381333931"_s);
    EXPECT_EQ(d.textOrigin, QPointF(10, 20));
    EXPECT_NEAR(d.textPixelSize * 6, 3 * 8 * 100 / 72.0, 1e-9);

    // Drawn: the text's white box covers the bars' top-left, with black glyphs in it.
    const QImage image =
        rendered(barcodeStyle(BarcodeType::Ean13, true, 12, 0, TRastelReportElement::KeepAspect), u"400638133393"_s);
    const QImage bare = rendered(barcodeStyle(BarcodeType::Ean13, true), u"400638133393"_s);
    EXPECT_NE(image, bare);
}

TEST(BarcodeDrawing, CharacterModeLeavesBarcodesOut)
{
    TSestVystup out;
    out.page.setup = PageSetup{};
    TVystPrvek item;
    item.style = barcodeStyle(BarcodeType::Code128B, false);
    item.text = u"X1"_s;
    item.left = 10;
    item.top = 10;
    item.width = 200;
    item.height = 50;
    out.pageAt(0).items().push_back(item);
    const auto darkPixels = [](const QImage &image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        return dark;
    };
    EXPECT_GT(darkPixels(OutputPageImage::pageBitmap(out, 0, 1, false)), 100);
    out.characterMode = true;
    EXPECT_EQ(darkPixels(OutputPageImage::pageBitmap(out, 0, 1, false)), 0);
}

// The output back-ends over placed pages: the character grid and its code
// pages, RTF and HTML pieces and escaping, the page image, PDF, golden files
// of two reports and one contract that every back-end shows every text.
#include "DataFixture.h"

#include "common/Clock.h"
#include "common/CodePage.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/layout/ReportOutput.h"
#include "report/core/layout/TextFlow.h"
#include "report/core/model/PageSetup.h"
#include "report/core/model/ReportElement.h"
#include "report/core/model/ReportSections.h"
#include "report/core/output/Barcode.h"
#include "report/core/output/HtmlWriter.h"
#include "report/core/output/MetafileWriter.h"
#include "report/core/output/PageImage.h"
#include "report/core/output/PdfWriter.h"
#include "report/core/output/RtfDocument.h"
#include "report/core/output/TextExport.h"
#include "support/FileSizeLimit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<ItemStyle> textStyle(int size = 10, int alignment = 0, int options = 0)
{
    auto style = std::make_shared<ItemStyle>();
    style->kind = ElementKind::GraphicText;
    style->font.size = size;
    style->alignment = alignment;
    style->optionFlags = options;
    return style;
}

TVystPrvek placed(std::shared_ptr<const ItemStyle> style, int left, int top, int width, int height,
                  const QString &text = QString())
{
    TVystPrvek item;
    item.style = std::move(style);
    item.left = left;
    item.top = top;
    item.width = width;
    item.height = height;
    item.text = text;
    return item;
}

// One A4 page (margins 50/70) holding the given items.
TSestVystup onePage(std::vector<TVystPrvek> items)
{
    TSestVystup out;
    out.page.setup = PageSetup{};
    for (TVystPrvek &item : items)
        out.pageAt(0).items().push_back(std::move(item));
    return out;
}

QByteArray cp1250(const QString &text)
{
    return OutputText::toCodePage(text, slCP1250);
}

} // namespace

// ---------------------------------------------------------------- code pages

struct CodePageCase
{
    const char *name;
    TSestLanguage language;
    QString text;
    QByteArray expected;
};

class CodePages : public testing::TestWithParam<CodePageCase>
{
};

TEST_P(CodePages, ConvertTheAccentedLetters)
{
    EXPECT_EQ(OutputText::toCodePage(GetParam().text, GetParam().language), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    OutputText, CodePages,
    testing::Values(
        CodePageCase{"AsciiDropsTheAccents", slASCII, u"Účetní doklad č."_s, "Ucetni doklad c."},
        CodePageCase{"Cp1250Unchanged", slCP1250, u"Účetní doklad č."_s, "\xDA\xE8\x65tn\xED doklad \xE8."},
        CodePageCase{"UndefinedUnchanged", slUndefined, u"žluťoučký kůň"_s, "\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"},
        CodePageCase{"Cp852", slCP852, u"žluťoučký kůň ÚŘ"_s, "\xA7lu\x9Cou\x9Fk\xEC k\x85\xE5 \xE9\xFC"},
        CodePageCase{"Kamenicky", slCP867, u"žluťoučký kůň ÚŘ"_s, "\x91lu\x9Fou\x87k\x98 k\x96\xA4 \x97\x9E"},
        CodePageCase{"AsciiAllLetters", slASCII, u"áäčďéěíĺľňóôöŕřšťúůüýž ÁÄČĎÉĚÍĹĽŇÓÔÖŔŘŠŤÚŮÜÝŽ"_s,
                     "aacdeeillnooorrstuuuyz AACDEEILLNOOORRSTUUUYZ"},
        // Other characters of Windows-1250 pass; ones it lacks become "?".
        CodePageCase{"OthersPassOrQuestionMark", slASCII, u"Łódź € 日"_s, "\xA3od\x9F \x80 ?"}),
    TestSupport::rowName);

// ---------------------------------------------------------------- character grid

struct FitCase
{
    const char *name;
    QString text;
    int columns;
    int alignment;
    QString expected;
    int offset;
};

class FitColumns : public testing::TestWithParam<FitCase>
{
};

TEST_P(FitColumns, AlignsAndCuts)
{
    int offset = -1;
    EXPECT_EQ(OutputText::fitColumns(GetParam().text, GetParam().columns, GetParam().alignment, &offset),
              GetParam().expected);
    EXPECT_EQ(offset, GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(OutputText, FitColumns,
                         testing::Values(FitCase{"LeftShort", u"abc"_s, 6, 0, u"abc"_s, 0},
                                         FitCase{"RightShort", u"abc"_s, 6, 1, u"abc"_s, 3},
                                         FitCase{"CentreShort", u"abc"_s, 6, 2, u"abc"_s, 1},
                                         FitCase{"LeftCutAtTheEnd", u"abcdef"_s, 4, 0, u"abcd"_s, 0},
                                         FitCase{"RightCutAtTheStart", u"abcdef"_s, 4, 1, u"cdef"_s, 0},
                                         FitCase{"CentreCutOnBothSides", u"abcdef"_s, 2, 2, u"cd"_s, 0},
                                         FitCase{"JustifiedAsLeft", u"abcdef"_s, 4, 3, u"abcd"_s, 0}),
                         TestSupport::rowName);

TEST(OutputTextGrid, PitchFollowsTheFontSize)
{
    EXPECT_EQ(OutputText::pitchOfSize(8), 17);
    EXPECT_EQ(OutputText::pitchOfSize(9), 12);
    EXPECT_EQ(OutputText::pitchOfSize(10), 12);
    EXPECT_EQ(OutputText::pitchOfSize(11), 10);
    EXPECT_EQ(OutputText::linesPerInch(0), 6);
    EXPECT_EQ(OutputText::linesPerInch(1), 4);
    EXPECT_EQ(OutputText::linesPerInch(2), 3);
}

TEST(OutputTextGrid, ItemsLandOnTheirRowsColumnsAndLayers)
{
    auto bold = textStyle(12);
    bold->font.style = FontDef::Bold;
    TSestVystup out = onePage({
        placed(textStyle(10), 10, 20, 100, 20, u"Ahoj"_s),     // 12 cpi: column 1, row 1
        placed(bold, 0, 20, 50, 20, u"ABCDEFGHIJ"_s),          // 10 cpi bold: columns 0-4, same row
        placed(textStyle(8, 1), 100, 50, 60, 20, u"vpravo"_s), // 17 cpi right: columns 17-26, row 3
        placed(textStyle(10), 2100, 60, 100, 20, u"mimo"_s),   // would reach past 255: dropped
        placed(textStyle(10), 0, 80, 100, 20, u"Účet"_s),
    });
    out.codePage = slASCII;
    const CharPage page = OutputText::charPage(out, 0, 6);
    ASSERT_EQ(int(page.rows.size()), 62); // 1029 units at 6 per inch: 61.74 rows
    // Layers merge in their order: the 12 cpi layer only fills what the 10 cpi bold one left blank.
    EXPECT_EQ(page.rows[1][OutputText::layerOf(12, 0)], u" Ahoj"_s);
    EXPECT_EQ(page.rows[1][OutputText::layerOf(10, FontDef::Bold)], u"ABCDE"_s);
    EXPECT_EQ(page.line(1), u"ABCDE"_s);
    EXPECT_EQ(page.line(3), u"                     vpravo"_s);
    EXPECT_EQ(page.line(4), QString());
    EXPECT_EQ(page.lowestUsedRow, 5);
    EXPECT_EQ(OutputText::pageText(page, out.codePage, true),
              QByteArray("\r\nABCDE\r\n\r\n                     vpravo\r\n\r\nUcet\r\n"));
    // A page that is not the last writes every row.
    EXPECT_EQ(OutputText::pageText(page, out.codePage, false).count("\r\n"), qsizetype(page.rows.size()));
}

// A partial last row is a row; an item that rounding or rows taller than its
// lines push below it moves up until its last line has a row.
struct LastRowCase
{
    const char *name;
    int contentHeight;
    int lpi;
    int rows;
};

class TextGridLastRow : public testing::TestWithParam<LastRowCase>
{
};

TEST_P(TextGridLastRow, ContentAtTheBottomOfTheAreaKeepsItsRow)
{
    const LastRowCase &c = GetParam();
    EXPECT_EQ(OutputText::rowsOnPage(c.contentHeight, c.lpi), c.rows);
    TSestVystup out = onePage({
        placed(textStyle(10), 0, c.contentHeight - 20, 200, 20, u"strana 1"_s), // the page footer
        placed(textStyle(10), 0, c.contentHeight, 200, 20, u"pod plochou"_s),   // below the area: no row
    });
    out.page.setup.paperHeight = c.contentHeight + out.page.setup.topMargin + out.page.setup.bottomMargin;
    // Four wrapped lines of 4 units each from 16 units above the bottom: more rows than room.
    auto lines = std::make_shared<TextLines>();
    lines->text = u"jedna dva tri ctyri"_s;
    for (const auto &[start, length] : {std::pair{0, 5}, {6, 3}, {10, 3}, {14, 5}})
        lines->lines.push_back({start, length, 30, 4, false});
    TVystPrvek wrapped = placed(textStyle(10), 500, c.contentHeight - 16, 300, 16);
    wrapped.lines = lines;
    wrapped.lastLine = 3;
    out.pageAt(0).items().push_back(wrapped);
    const CharPage page = OutputText::charPage(out, 0, c.lpi);
    ASSERT_EQ(int(page.rows.size()), c.rows);
    const QString text = QString::fromLatin1(OutputText::pageText(page, slCP1250, false));
    for (const QString &shown : {u"strana 1"_s, u"jedna"_s, u"dva"_s, u"tri"_s, u"ctyri"_s})
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << " in\n" << text.toStdString();
    EXPECT_FALSE(text.contains(u"pod plochou"_s));
    EXPECT_EQ(page.lowestUsedRow, c.rows - 1);
    EXPECT_EQ(page.line(c.rows - 1).mid(60).trimmed(), u"ctyri"_s);
    EXPECT_EQ(page.line(c.rows - 4).mid(60).trimmed(), u"jedna"_s);
}

INSTANTIATE_TEST_SUITE_P(OutputText, TextGridLastRow,
                         testing::Values(LastRowCase{"A4SixPerInch", 1029, 6, 62},
                                         LastRowCase{"A4FourPerInch", 1029, 4, 42},
                                         LastRowCase{"A4ThreePerInch", 1029, 3, 31},
                                         LastRowCase{"WholeRows", 1000, 6, 60}),
                         TestSupport::rowName);

TEST(OutputTextGrid, ExportWritesTheRangeAsManyTimesAsTheCopiesAndStopsWhenInterrupted)
{
    TSestVystup out = onePage({placed(textStyle(), 0, 0, 100, 20, u"jedna"_s)});
    out.pageAt(1).items().push_back(placed(textStyle(), 0, 0, 100, 20, u"dva"_s));
    out.pageAt(2).items().push_back(placed(textStyle(), 0, 0, 100, 20, u"tri"_s));
    out.firstPage = 2;
    out.copies = 2;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QList<int> seen;
    EXPECT_EQ(OutputText::exportText(out, buffer,
                                     {0,
                                      [&](int done, int total) {
                                          seen << done * 10 + total;
                                          return true;
                                      }}),
              seOK);
    EXPECT_EQ(seen, (QList<int>{14, 24, 34, 44}));
    EXPECT_EQ(bytes.count("dva"), 2);
    EXPECT_EQ(bytes.count("tri"), 2);
    EXPECT_FALSE(bytes.contains("jedna"));
    EXPECT_FALSE(bytes.contains('\f'));

    buffer.seek(0);
    EXPECT_EQ(OutputText::exportText(out, buffer, {0, [](int done, int) { return done < 1; }}), seCancelled);

    QBuffer closed;
    EXPECT_EQ(OutputText::exportText(out, closed, {}), seOutputWrite);
}

// ---------------------------------------------------------------- RTF and HTML pieces

TEST(OutputRtf, WritesTheDocumentPieces)
{
    auto framed = textStyle(10, 0, TRastelReportElement::FrameTop | TRastelReportElement::FrameRight);
    framed->font.style = FontDef::Bold | FontDef::StrikeOut;
    auto line = std::make_shared<ItemStyle>();
    line->kind = ElementKind::Line;
    line->optionFlags = 0x0A;
    line->penStyle = 2;
    line->penWidth = 2;
    line->penColour = QColor(255, 0, 0);
    auto box = std::make_shared<ItemStyle>();
    box->kind = ElementKind::RoundRectangle;
    box->penWidth = 0;
    box->penColour = QColor(Qt::black);
    box->fillColour = QColor(0, 0, 255);
    TSestVystup out =
        onePage({placed(textStyle(), 10, 20, 100, 20, u"Ahoj"_s), placed(framed, 0, 0, 50, 10, u"a{b}\\c"_s),
                 placed(line, 0, 40, 100, 5), placed(box, 0, 50, 100, 30)});
    out.pageAt(1).items().push_back(placed(textStyle(12, 2), 0, 0, 100, 20, u"č"_s));
    const QByteArray expected =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720{\\fonttbl\\f0\\fnil Arial;}"
        "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\info{\\doccomm Produced by: RASTEL Report Generator (tarnek.invalid/report)}}"
        "\\viewkind1\\paperw11894\\paperh16834\\margl720\\margr720\\margt1008\\margb1008\\headery0\\footery0\r\n"
        "{\\pard\\pvpg\\phpg\\absw1440\\absh-288\\posy1296\\posx864\\f0\\cf0\\fs20 \\ql Ahoj \\par"
        "\\pard\\brdrt\\brdrs\\brdrw20 \\brdrr\\brdrs\\brdrw20 \\pvpg\\phpg\\absw720\\absh-144\\posy1008\\posx720"
        "\\f0\\cf0\\fs20 \\b\\strike\\ql a\\{b\\}\\\\c \\strike0\\b0\\par"
        "\\pard\\brdrt\\brdrs\\brdrdot\\brdrw24\\brdrcf1 \\brdrb\\brdrs\\brdrdot\\brdrw24\\brdrcf1 "
        "\\pvpg\\phpg\\absw1440\\absh-72\\posy1584\\posx720\\par"
        "\\pard\\pvpg\\phpg\\absw1440\\absh-432\\posy1728\\posx720\\cbpat2\\par"
        // The page's frames anchor to a plain paragraph that ends the page.
        "\\pard\\par\\page}"
        "{\\pard\\pvpg\\phpg\\absw1440\\absh-288\\posy1008\\posx720\\f0\\cf0\\fs24 \\qc \\'e8 \\par\\pard\\par}}";
    EXPECT_EQ(SestRtf::exportRtf(out), expected);
}

TEST(OutputRtf, EscapesBackslashAndBraces)
{
    EXPECT_EQ(SestRtf::escapeRtf(u"a{b}\\c"_s), QByteArray("a\\{b\\}\\\\c"));
    // The code page's 8-bit characters as \'hh, a character it lacks as a
    // Unicode escape with "?" for readers that know none.
    EXPECT_EQ(SestRtf::escapeRtf(u"€Příliš日\U0001F600"_s),
              QByteArray("\\'80P\\'f8\\'edli\\'9a\\u26085?\\u-10179?\\u-8704?"));
}

TEST(OutputHtmlPage, WritesTheDivsOfEveryKind)
{
    auto framed = textStyle(10, 1, TRastelReportElement::FrameTop | TRastelReportElement::FrameLeft);
    framed->font.style = FontDef::Underline | FontDef::Italic;
    auto spaced = textStyle(10, 2);
    spaced->spacing = 20;
    auto line = std::make_shared<ItemStyle>();
    line->kind = ElementKind::Line;
    line->optionFlags = 0x09;
    line->penStyle = 3;
    line->penWidth = 2;
    line->penColour = QColor(255, 0, 0);
    auto box = std::make_shared<ItemStyle>();
    box->kind = ElementKind::Ellipse;
    box->penWidth = 1;
    box->penColour = QColor(Qt::black);
    box->fillColour = QColor(0x12, 0x34, 0x56);
    const TSestVystup out =
        onePage({placed(textStyle(), 10, 20, 300, 20, u"a<b & c \"d\""_s), placed(framed, 0, 0, 300, 20, u"vpravo"_s),
                 placed(spaced, 0, 30, 300, 20, u"x"_s), placed(line, 0, 40, 100, 5), placed(box, 0, 50, 100, 30)});
    QByteArray html;
    ASSERT_TRUE(OutputHtml::exportPage(out, 0, QString(), html));
    const QByteArray expected =
        "<HTML> <HEAD> <META CHARSET=\"windows-1250\"> <TITLE> </TITLE>\n"
        "<META NAME=\"Creator\" CONTENT=\"RastelReportGenerator\">\n"
        "</HEAD> <BODY BGCOLOR = \"#FFFFFF\"><PRE>\n"
        "<DIV STYLE=\"position: absolute; top: 20px; left: 10px; width: 300px; height: 20px; font: 10pt Arial; "
        "color: #000000\">a&lt;b &amp; c &quot;d&quot;</DIV>\n"
        "<DIV STYLE=\"position: absolute; top: 0px; left: 0px; width: 300px; height: 20px; border-top: 1px solid "
        "#000000; border-Left: 1px solid #000000; font: 10pt Arial; color: #000000\"><p align=\"right\" "
        "style=\"margin: 0\"><u><i>vpravo"
        "</i></u></DIV>\n"
        "<DIV STYLE=\"position: absolute; top: 30px; left: 0px; width: 300px; height: 20px; letter-spacing: 14px; "
        "font: 10pt Arial; color: #000000\"><p align=\"center\" style=\"margin: 0\">x</DIV>\n"
        "<DIV STYLE=\"font: 0pt; position: absolute; top: 40px; left: 0px; width: 100px; height: 5px; border-bottom: "
        "2px dashed #ff0000; border-Left: 2px dashed #ff0000;\"></DIV>\n"
        "<DIV STYLE=\"font: 0pt; background-color: #123456; position: absolute; top: 50px; left: 0px; width: 100px; "
        "height: 30px; border-top: 1px solid #000000; border-right: 1px solid #000000; border-bottom: 1px solid "
        "#000000; border-Left: 1px solid #000000;\"></DIV>\n"
        "</PRE></BODY> </HTML>\n";
    EXPECT_EQ(html, expected);
}

TEST(OutputHtmlPage, EscapesMarkupCharactersAndCutsTextToTheWidth)
{
    EXPECT_EQ(OutputHtml::escapeHtml(u"a<b & c"_s), QByteArray("a&lt;b &amp; c"));
    EXPECT_EQ(OutputHtml::escapeHtml(u"\"x\" > 日"_s), QByteArray("&quot;x&quot; &gt; &#26085;"));
    QByteArray html;
    OutputHtml::exportPage(onePage({placed(textStyle(), 0, 0, 20, 20, u"abcdefghijklmnop"_s)}), 0, QString(), html);
    const QRegularExpression text(u"\">([a-p]*)</DIV>"_s);
    const auto match = text.match(QString::fromLatin1(html));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_GT(match.captured(1).size(), 0);
    EXPECT_LT(match.captured(1).size(), 16);
    EXPECT_TRUE(u"abcdefghijklmnop"_s.startsWith(match.captured(1)));
}

TEST(OutputHtmlPage, ReplacesTheExtension)
{
    EXPECT_EQ(OutputHtml::replaceExtension(u"/tmp/a.b/zprava.html"_s, u"3.html"_s), u"/tmp/a.b/zprava3.html"_s);
    EXPECT_EQ(OutputHtml::replaceExtension(u"zprava"_s, u"1_.bmp"_s), u"zprava1_.bmp"_s);
}

// ---------------------------------------------------------------- page image

namespace {
// The rows and columns of the image's dark pixels.
QRect darkArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}
} // namespace

TEST(OutputPageImageTest, LineWithBottomEdgeOnlyDrawsOneHorizontalLineAlongTheBottom)
{
    auto line = std::make_shared<ItemStyle>();
    line->kind = ElementKind::Line;
    line->optionFlags = 0x08;
    line->penColour = QColor(Qt::black);
    const TSestVystup out = onePage({placed(line, 10, 10, 50, 5)});
    const QImage image = OutputPageImage::pageBitmap(out, 0, 6, false);
    const QRect dark = darkArea(image);
    ASSERT_FALSE(dark.isEmpty());
    EXPECT_LE(dark.height(), 2);
    EXPECT_GE(dark.top(), 15 * 6 - 2);
    EXPECT_LE(dark.bottom(), 15 * 6);
    EXPECT_LE(dark.left(), 10 * 6 + 1);
    EXPECT_GE(dark.right(), 60 * 6 - 2);
}

TEST(OutputPageImageTest, RoundedCornersAreCappedAtHalfTheHeight)
{
    EXPECT_EQ(OutputPageImage::cornerSize(30), 15);
    EXPECT_EQ(OutputPageImage::cornerSize(200), 40);
    EXPECT_EQ(OutputPageImage::scaledPenWidth(1, 6), 1);
    EXPECT_EQ(OutputPageImage::scaledPenWidth(3, 6), 13);
}

TEST(OutputPageImageTest, TextIsClippedToItsBoxAndFramed)
{
    const TSestVystup out = onePage({placed(textStyle(20, 0, 0x0F), 10, 10, 30, 20, u"WWWWWWWWWW"_s)});
    const QImage image = OutputPageImage::pageBitmap(out, 0, 2, false);
    const QRect dark = darkArea(image);
    EXPECT_EQ(dark, QRect(20, 20, 61, 41)); // the frame; the text stays inside it
    EXPECT_LT(qGray(image.pixel(30, 35)) + qGray(image.pixel(50, 35)) + qGray(image.pixel(70, 35)), 3 * 255);
}

TEST(OutputPageImageTest, TabAfterHundredUnitsLandsAt144)
{
    auto style = textStyle();
    style->spacing = 10; // ten characters make 100 units
    const TextFlow flow(style->font, style->spacing);
    const TextLines lines = flow.flow(u"0123456789\tX"_s, 400);
    ASSERT_EQ(lines.count(), 1);
    EXPECT_DOUBLE_EQ(lines.lines.at(0).width, 144 + 10);
}

// ---------------------------------------------------------------- reports through the layout

namespace {

// The metafile read by an independent reader: emf2svg-conv for EMF, wmf2svg for WMF.
QByteArray metafileSvg(const QString &file)
{
    const QString svg = file + u".svg"_s;
    QProcess process;
    if (file.endsWith(u".emf"_s))
        process.start(u"emf2svg-conv"_s, {u"-i"_s, file, u"-o"_s, svg});
    else
        process.start(u"wmf2svg"_s, {u"-o"_s, svg, file});
    process.waitForFinished(60000);
    QFile f(svg);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    // wmf2svg copies the text's bytes (Windows-1250) into the SVG as they are.
    return file.endsWith(u".wmf"_s) ? CodePage::windows1250().decode(f.readAll()).toUtf8() : f.readAll();
}

// The texts of an SVG's text elements, in order. Read by pattern, not as
// XML: wmf2svg copies "<" and "&" of a text into the SVG as they are.
QStringList svgTexts(const QByteArray &svg)
{
    static const QRegularExpression text(u"<text\\b[^>]*>(.*?)</text>"_s,
                                         QRegularExpression::DotMatchesEverythingOption);
    QStringList texts;
    for (auto it = text.globalMatch(QString::fromUtf8(svg)); it.hasNext();) {
        QString t = it.next().captured(1).trimmed();
        if (t.startsWith(u"<![CDATA["_s) && t.endsWith(u"]]>"_s))
            t = t.mid(9, t.size() - 12);
        texts << t;
    }
    return texts;
}

} // namespace

class ReportBackends : public DataFixture
{
public:
    enum class Report { Protocol, GroupedList, Labels };

protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 3, 5), QTime(10, 30))));
        pageSetup().paperWidth = 826;
        pageSetup().paperHeight = 500;
    }
    void TearDown() override
    {
        Clock::setCurrent(nullptr);
        DataFixture::TearDown();
    }

    // A protocol: a title with the page number, a framed line per record with
    // number, amount and text, lines under the header, a closing line.
    void protocol(int records)
    {
        setHeight(TOddilSestavy::PageHeader, 40);
        add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, {0, 0, 500, 20}, u"Protokol kontroly dokladů"_s)
            .font.size = 12;
        add(TOddilSestavy::PageHeader, ElementKind::SystemVariable, SystemVariable::PageNumber, {600, 0, 100, 20});
        TRastelReportElement &rule = add(TOddilSestavy::PageHeader, ElementKind::Line, 0, {0, 30, 726, 5});
        rule.optionFlags = 0x08;
        setHeight(TOddilSestavy::Body, 20);
        add(TOddilSestavy::Body, ElementKind::Field, Doklad, {0, 0, 150, 20}).optionFlags = 0x0F;
        add(TOddilSestavy::Body, ElementKind::Field, Castka, {150, 0, 150, 20}).alignmentValue =
            TRastelReportElement::AlignRight;
        add(TOddilSestavy::Body, ElementKind::GraphicText, 0, {320, 0, 400, 20}, u"Účetní doklad č. <ok> & {x}"_s);
        setHeight(TOddilSestavy::ReportFooter, 30);
        TRastelReportElement &box = add(TOddilSestavy::ReportFooter, ElementKind::Rectangle, 0, {0, 0, 726, 25});
        box.fillColour = QColor(0xEE, 0xEE, 0xEE);
        add(TOddilSestavy::ReportFooter, ElementKind::GraphicText, 0, {10, 2, 500, 20}, u"Konec protokolu"_s);
        addRecords(records);
    }

    // A list grouped by Skupina with a header and a footer per group.
    void groupedList()
    {
        setHeight(TOddilSestavy::PageHeader, 20);
        add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, {0, 0, 400, 20}, u"Seznam dokladů podle skupin"_s);
        setHeight(TOddilSestavy::Body, 20);
        add(TOddilSestavy::Body, ElementKind::Field, Doklad, {40, 0, 150, 20});
        add(TOddilSestavy::Body, ElementKind::Field, Castka, {200, 0, 150, 20});
        TPolSkup &g = m_report.model().addGroup(Skupina);
        g.header->height = 25;
        g.footer->height = 25;
        add(g.header->id, ElementKind::GraphicText, 0, {0, 0, 100, 20}, u"Skupina"_s).font.style = FontDef::Bold;
        add(g.header->id, ElementKind::Field, Skupina, {100, 0, 100, 20});
        TRastelReportElement &under = add(g.footer->id, ElementKind::Line, 0, {0, 0, 400, 3});
        under.optionFlags = 0x02;
        add(g.footer->id, ElementKind::SystemVariable, SystemVariable::groupCount(g.number), {0, 3, 100, 20});
        for (int i = 1; i <= 30; ++i)
            addRecord(u"D%1"_s.arg(i, 3, 10, QChar(u'0')), i * 10.5, i <= 12 ? u"A"_s : (i <= 25 ? u"B"_s : u"C"_s));
    }

    // Labels: a document number and its Code 128 barcode per record.
    void labels()
    {
        setHeight(TOddilSestavy::PageHeader, 20);
        add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, {0, 0, 400, 20}, u"Štítky dokladů"_s);
        setHeight(TOddilSestavy::Body, 70);
        add(TOddilSestavy::Body, ElementKind::Field, Doklad, {0, 0, 150, 20});
        TRastelReportElement &code = add(TOddilSestavy::Body, ElementKind::Barcode, 0, {200, 5, 300, 55}, u"#Doklad"_s);
        code.penStyle = BarcodeType::Code128B;
        code.penWidth = 8;
        addRecords(12);
    }

    void build(Report report)
    {
        if (report == Report::Protocol)
            protocol(40);
        else if (report == Report::GroupedList)
            groupedList();
        else
            labels();
        m_report.setPredloha(m_report.writeTemplate());
        ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
        ASSERT_GE(m_report.output().pageCount(), 2);
    }

    // Every text shown on the pages, one per item line.
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const TStranaPrvku &page : m_report.output().pages) {
            for (const TVystPrvek &item : page.items()) {
                if (!ElementKind::isText(item.kind()))
                    continue;
                if (item.hasLines()) {
                    for (int l = item.firstLine; l <= item.lastLine; ++l)
                        texts << item.lines->line(l).trimmed();
                } else {
                    texts << item.text.trimmed();
                }
            }
        }
        texts.removeAll(QString());
        return texts;
    }

    void compareGolden(const QString &name, const QByteArray &actual)
    {
        const QString path = TestSupport::dataPath(u"output/"_s + name);
        if (qEnvironmentVariableIsSet("TARNEK_UPDATE_GOLDEN")) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(actual);
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_EQ(actual, file.readAll()) << name.toStdString();
    }
};

struct GoldenOutputCase
{
    const char *name;
    ReportBackends::Report report;
};

class ReportBackendsGolden : public ReportBackends, public testing::WithParamInterface<GoldenOutputCase>
{
};

TEST_P(ReportBackendsGolden, TextRtfAndHtmlMatchTheGoldenFiles)
{
    build(GetParam().report);
    const QString name = QString::fromLatin1(GetParam().name);
    QByteArray text;
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(OutputText::exportText(m_report.output(), buffer, {}), seOK);
    compareGolden(name + u".txt"_s, text);
    compareGolden(name + u".rtf"_s, SestRtf::exportRtf(m_report.output()));
    QByteArray html;
    ASSERT_TRUE(OutputHtml::exportPage(m_report.output(), 0, QString(), html));
    compareGolden(name + u"1.html"_s, html);
}

INSTANTIATE_TEST_SUITE_P(OutputBackends, ReportBackendsGolden,
                         testing::Values(GoldenOutputCase{"Protocol", ReportBackends::Report::Protocol},
                                         GoldenOutputCase{"GroupedList", ReportBackends::Report::GroupedList}),
                         TestSupport::rowName);

// The readers users open the exports with.
namespace {

// The lines of a page as a reader shows them: the texts that share a top,
// left to right, blanks collapsed.
QStringList pageLines(const TStranaPrvku &page)
{
    std::map<int, std::map<int, QString>> rows;
    for (const TVystPrvek &item : page.items()) {
        if (ElementKind::isText(item.kind()) && !item.text.trimmed().isEmpty())
            rows[item.top][item.left] = item.text;
    }
    QStringList lines;
    for (const auto &[top, items] : rows) {
        QStringList texts;
        for (const auto &[left, text] : items)
            texts << text;
        lines << texts.join(u' ').simplified();
    }
    return lines;
}

// The ink (pixels darker than mid grey) inside `box`, as a rectangle.
QRect inkIn(const QImage &image, const QRect &box)
{
    QRect ink;
    const QRect area = box.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

class ReaderOfExport : public ReportBackends, public testing::WithParamInterface<GoldenOutputCase>
{
};

// LibreOffice Writer opens the RTF export with the report's pages: no blank
// first page, page n as page n, every line once, in order, on its page.
TEST_P(ReaderOfExport, WriterShowsEveryRtfPageAndLineInOrder)
{
    TARNEK_REQUIRE_PROGRAM(u"soffice"_s);
    TARNEK_REQUIRE_PROGRAM(u"pdftotext"_s);
    build(GetParam().report);
    const TSestVystup &out = m_report.output();
    ASSERT_EQ(m_report.ExportRtf(m_temp.path(), u"zprava.rtf"_s), seOK);
    programOutput(u"soffice"_s,
                  {u"-env:UserInstallation=file://"_s + tempPath(u"profil"_s), u"--headless"_s, u"--convert-to"_s,
                   u"pdf"_s, u"--outdir"_s, m_temp.path(), tempPath(u"zprava.rtf"_s)},
                  240000);
    ASSERT_TRUE(QFile::exists(tempPath(u"zprava.pdf"_s))) << "soffice wrote no PDF";
    QStringList pages = programOutput(u"pdftotext"_s, {u"-layout"_s, tempPath(u"zprava.pdf"_s), u"-"_s}).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // after the last page's form feed
    ASSERT_EQ(pages.size(), out.pageCount());
    for (int p = 0; p < out.pageCount(); ++p) {
        QStringList shown;
        for (const QString &line : pages.at(p).split(u'\n')) {
            if (!line.trimmed().isEmpty())
                shown << line.simplified();
        }
        EXPECT_EQ(shown, pageLines(out.pages.at(size_t(p)))) << "page " << p + 1;
    }
}

// Chromium shows the HTML page as the page image shows it: every text in its
// box, right-aligned texts on their own line. Compared at one pixel per unit
// within each text's box (2 pixels in from its edges, clear of frame lines):
// the ink of the screenshot and of the page image starts and ends within 3
// pixels of each other vertically and within 4 at the aligned side (measured:
// 1 and 2; the other side of a long text differs by up to 11 pixels, as CSS
// points are 96 to the inch and the page image's 100). A paragraph's margin
// puts a right-aligned text 13 pixels lower: its ink ends 5 pixels lower in
// its box, the text above reaching into it.
TEST_P(ReaderOfExport, ChromiumShowsTheHtmlPageAsThePageImage)
{
    TARNEK_REQUIRE_PROGRAM(u"chromium"_s);
    build(GetParam().report);
    const TSestVystup &out = m_report.output();
    ASSERT_EQ(m_report.ExportAllHtml(m_temp.path(), u"zprava.html"_s), seOK);
    const QSize size(out.page.contentWidth(), out.page.contentHeight());
    const QString shot = tempPath(u"strana1.png"_s);
    programOutput(u"chromium"_s,
                  {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--hide-scrollbars"_s,
                   u"--force-device-scale-factor=1"_s, u"--user-data-dir="_s + tempPath(u"chromium"_s),
                   u"--window-size=%1,%2"_s.arg(size.width()).arg(size.height()), u"--screenshot="_s + shot,
                   QUrl::fromLocalFile(tempPath(u"zprava1.html"_s)).toString()},
                  120000);
    const QImage screen(shot);
    ASSERT_FALSE(screen.isNull()) << "chromium wrote no screenshot";
    const QImage image = OutputPageImage::pageBitmap(out, 0, 1, false);
    int aligned[3] = {0, 0, 0};
    for (const TVystPrvek &item : out.pages.at(0).items()) {
        if (!ElementKind::isText(item.kind()) || item.text.trimmed().isEmpty())
            continue;
        const QRect box = QRect(item.left, item.top, item.width, item.height).adjusted(2, 2, -2, -2);
        const QRect expected = inkIn(image, box);
        const QRect shown = inkIn(screen, box);
        const std::string what = item.text.toStdString();
        ASSERT_FALSE(expected.isEmpty()) << what;
        ASSERT_FALSE(shown.isEmpty()) << what << " is not in its box";
        EXPECT_LE(std::abs(shown.top() - expected.top()), 3) << what;
        EXPECT_LE(std::abs(shown.bottom() - expected.bottom()), 3) << what;
        const int alignment = item.style->alignment;
        if (alignment == TRastelReportElement::AlignRight)
            EXPECT_LE(std::abs(shown.right() - expected.right()), 4) << what;
        else if (alignment == TRastelReportElement::AlignCenter)
            EXPECT_LE(std::abs(shown.center().x() - expected.center().x()), 4) << what;
        else
            EXPECT_LE(std::abs(shown.left() - expected.left()), 4) << what;
        ++aligned[std::clamp(alignment, 0, 2)];
    }
    EXPECT_GT(aligned[0], 0);
    if (GetParam().report == Report::Protocol) {
        EXPECT_GT(aligned[TRastelReportElement::AlignRight], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(OutputBackends, ReaderOfExport,
                         testing::Values(GoldenOutputCase{"Protocol", ReportBackends::Report::Protocol},
                                         GoldenOutputCase{"GroupedList", ReportBackends::Report::GroupedList}),
                         TestSupport::rowName);

// The contract: every back-end shows every text of every page, page for page.
struct ContractCase
{
    const char *name;
    ReportBackends::Report report;
    const char *backend;
};

class BackendContract : public ReportBackends, public testing::WithParamInterface<ContractCase>
{
};

TEST_P(BackendContract, EveryBackendShowsEveryTextOnItsPages)
{
    build(GetParam().report);
    const TSestVystup &out = m_report.output();
    const QString backend = QString::fromLatin1(GetParam().backend);
    QStringList texts = shownTexts();
    ASSERT_FALSE(texts.isEmpty());
    QString all;
    int pages = 0;
    if (backend == u"txt"_s) {
        m_report.setExportLanguage(slCP1250);
        const QString file = tempPath(u"out.txt"_s);
        ASSERT_EQ(m_report.PrintToFile(file), seOK);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        all = QString::fromLatin1(bytes);
        for (QString &t : texts)
            t = QString::fromLatin1(cp1250(t));
        // Character text has no page break: the rows of all but the last page.
        const int rows = OutputText::rowsOnPage(out.page.contentHeight(), OutputText::linesPerInch(0));
        pages = int((bytes.count("\r\n") + rows - 1) / rows);
    } else if (backend == u"rtf"_s) {
        const QByteArray bytes = SestRtf::exportRtf(out);
        all = QString::fromLatin1(bytes);
        for (QString &t : texts)
            t = QString::fromLatin1(SestRtf::escapeRtf(t));
        pages = int(bytes.count("\\page}")) + 1;
    } else if (backend == u"html"_s) {
        ASSERT_EQ(m_report.ExportAllHtml(m_temp.path(), u"zprava.html"_s), seOK);
        for (int p = 1; QFile::exists(tempPath(u"zprava%1.html"_s.arg(p))); ++p) {
            QFile f(tempPath(u"zprava%1.html"_s.arg(p)));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            all += QString::fromLatin1(f.readAll());
            ++pages;
        }
        for (QString &t : texts)
            t = QString::fromLatin1(OutputHtml::escapeHtml(t)).replace(u"  "_s, u" "_s);
    } else if (backend == u"pdf"_s) {
        if (!hasProgram(u"pdftotext"_s))
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        ASSERT_EQ(m_report.ExportPdf(m_temp.path(), u"zprava.pdf"_s), seOK);
        all = programOutput(u"pdftotext"_s, {tempPath(u"zprava.pdf"_s), u"-"_s});
        pages = int(all.count(u'\f'));
        all.replace(QRegularExpression(u"\\s+"_s), u" "_s);
        // pdftotext may break lines anywhere; compare with blanks as one.
        for (QString &t : texts)
            t.replace(QRegularExpression(u"\\s+"_s), u" "_s);
        const QString fonts = programOutput(u"pdffonts"_s, {tempPath(u"zprava.pdf"_s)});
        const QStringList rows = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
        ASSERT_FALSE(rows.isEmpty()) << fonts.toStdString();
        for (const QString &row : rows) {
            const QStringList cells = row.simplified().split(u' ');
            // name type [encoding…] emb sub uni object-id: "emb" is the fifth from the end.
            ASSERT_GE(cells.size(), 6) << row.toStdString();
            EXPECT_EQ(cells.at(cells.size() - 5), u"yes"_s) << row.toStdString();
        }
    } else if (backend == u"emf"_s || backend == u"wmf"_s) {
        const bool emf = backend == u"emf"_s;
        const QString reader = emf ? u"emf2svg-conv"_s : u"wmf2svg"_s;
        if (!hasProgram(reader)) {
            if (TestSupport::isCi())
                FAIL() << reader.toStdString() << " is missing: scripts/install-deps.sh installs it";
            GTEST_SKIP() << reader.toStdString() << " is not installed";
        }
        ASSERT_EQ(emf ? m_report.ExportAllEmf(tempPath(u"zprava.emf"_s))
                      : m_report.ExportAllWmf(tempPath(u"zprava.wmf"_s)),
                  seOK);
        for (int p = 1; QFile::exists(tempPath(u"zprava%1.%2"_s.arg(p).arg(backend))); ++p) {
            all += svgTexts(metafileSvg(tempPath(u"zprava%1.%2"_s.arg(p).arg(backend)))).join(u'\n');
            ++pages;
        }
        // One text record per line: the SVG holds each text whole.
    }
    EXPECT_EQ(pages, out.pageCount());
    for (const QString &t : texts)
        EXPECT_TRUE(all.contains(t)) << backend.toStdString() << ": " << t.toStdString();
}

INSTANTIATE_TEST_SUITE_P(OutputBackends, BackendContract,
                         testing::Values(ContractCase{"ProtocolTxt", ReportBackends::Report::Protocol, "txt"},
                                         ContractCase{"ProtocolRtf", ReportBackends::Report::Protocol, "rtf"},
                                         ContractCase{"ProtocolHtml", ReportBackends::Report::Protocol, "html"},
                                         ContractCase{"ProtocolPdf", ReportBackends::Report::Protocol, "pdf"},
                                         ContractCase{"GroupedListTxt", ReportBackends::Report::GroupedList, "txt"},
                                         ContractCase{"GroupedListRtf", ReportBackends::Report::GroupedList, "rtf"},
                                         ContractCase{"GroupedListHtml", ReportBackends::Report::GroupedList, "html"},
                                         ContractCase{"GroupedListPdf", ReportBackends::Report::GroupedList, "pdf"},
                                         ContractCase{"ProtocolEmf", ReportBackends::Report::Protocol, "emf"},
                                         ContractCase{"ProtocolWmf", ReportBackends::Report::Protocol, "wmf"},
                                         ContractCase{"GroupedListEmf", ReportBackends::Report::GroupedList, "emf"},
                                         ContractCase{"GroupedListWmf", ReportBackends::Report::GroupedList, "wmf"},
                                         ContractCase{"LabelsTxt", ReportBackends::Report::Labels, "txt"},
                                         ContractCase{"LabelsEmf", ReportBackends::Report::Labels, "emf"}),
                         TestSupport::rowName);

// Every back-end that draws pictures shows every barcode, read back by zbarimg:
// the page image (printer, preview), PDF, HTML's pictures and both metafiles.
class BarcodeContract : public ReportBackends, public testing::WithParamInterface<ContractCase>
{
};

TEST_P(BarcodeContract, EveryBackendShowsEveryBarcodeReadably)
{
    const QString backend = QString::fromLatin1(GetParam().backend);
    QStringList needed{u"zbarimg"_s};
    if (backend == u"pdf"_s)
        needed << u"pdftoppm"_s;
    if (backend == u"emf"_s)
        needed << u"emf2svg-conv"_s << u"rsvg-convert"_s;
    if (backend == u"wmf"_s)
        needed << u"wmf2svg"_s << u"rsvg-convert"_s;
    for (const QString &t : needed) {
        if (!hasProgram(t)) {
            if (TestSupport::isCi())
                FAIL() << t.toStdString() << " is missing: scripts/install-deps.sh installs it";
            GTEST_SKIP() << t.toStdString() << " is not installed";
        }
    }
    build(GetParam().report);
    const TSestVystup &out = m_report.output();
    QStringList expected;
    for (const TStranaPrvku &page : out.pages)
        for (const TVystPrvek &item : page.items())
            if (item.kind() == ElementKind::Barcode)
                expected << u"CODE-128:"_s + item.text;
    ASSERT_EQ(expected.size(), 12);
    QStringList images;
    if (backend == u"image"_s) {
        for (int p = 0; p < out.pageCount(); ++p) {
            images << tempPath(u"strana%1.png"_s.arg(p + 1));
            ASSERT_TRUE(OutputPageImage::pageBitmap(out, p, 2, false).save(images.back()));
        }
    } else if (backend == u"pdf"_s) {
        ASSERT_EQ(m_report.ExportPdf(m_temp.path(), u"zprava.pdf"_s), seOK);
        programOutput(u"pdftoppm"_s, {u"-r"_s, u"200"_s, u"-png"_s, tempPath(u"zprava.pdf"_s), tempPath(u"strana"_s)});
        for (const QString &f : QDir(m_temp.path()).entryList({u"strana*.png"_s}))
            images << tempPath(f);
    } else if (backend == u"html"_s) {
        ASSERT_EQ(m_report.ExportAllHtml(m_temp.path(), u"zprava.html"_s), seOK);
        for (const QString &f : QDir(m_temp.path()).entryList({u"zprava*.bmp"_s}))
            images << tempPath(f);
    } else {
        const bool emf = backend == u"emf"_s;
        ASSERT_EQ(emf ? m_report.ExportAllEmf(tempPath(u"zprava.emf"_s))
                      : m_report.ExportAllWmf(tempPath(u"zprava.wmf"_s)),
                  seOK);
        for (int p = 1; p <= out.pageCount(); ++p) {
            const QString svg = tempPath(u"strana%1.svg"_s.arg(p));
            QFile f(svg);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(metafileSvg(tempPath(u"zprava%1.%2"_s.arg(p).arg(backend))));
            f.close();
            images << tempPath(u"strana%1.png"_s.arg(p));
            // Drawn at 150 pixels per inch of the page (the SVGs have sizes of
            // their own: wmf2svg fits the drawing into it).
            programOutput(u"rsvg-convert"_s,
                          {u"-b"_s, u"white"_s, u"-w"_s, QString::number(out.page.contentWidth() * 3 / 2), u"-h"_s,
                           QString::number(out.page.contentHeight() * 3 / 2), u"-o"_s, images.back(), svg});
        }
    }
    ASSERT_FALSE(images.isEmpty());
    QStringList read = programOutput(u"zbarimg"_s, QStringList{u"-q"_s} + images).split(u'\n', Qt::SkipEmptyParts);
    read.sort();
    expected.sort();
    EXPECT_EQ(read, expected);
}

INSTANTIATE_TEST_SUITE_P(OutputBackends, BarcodeContract,
                         testing::Values(ContractCase{"PageImage", ReportBackends::Report::Labels, "image"},
                                         ContractCase{"Pdf", ReportBackends::Report::Labels, "pdf"},
                                         ContractCase{"Html", ReportBackends::Report::Labels, "html"},
                                         ContractCase{"Emf", ReportBackends::Report::Labels, "emf"},
                                         ContractCase{"Wmf", ReportBackends::Report::Labels, "wmf"}),
                         TestSupport::rowName);

TEST_F(ReportBackends, PagesOutsideTheOutputAreNotWritten)
{
    protocol(3);
    m_report.setPredloha(m_report.writeTemplate());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(m_report.ExportPageEmf(buffer, 2), seDataOrNothing); // one page only
    EXPECT_EQ(m_report.ExportPageWmf(buffer, 0), seDataOrNothing);
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(m_report.ExportPageEmf(tempPath(u"b.emf"_s), 2), seDataOrNothing);
    EXPECT_FALSE(QFile::exists(tempPath(u"b.emf"_s)));
    ASSERT_EQ(m_report.ExportPageEmf(buffer, 1), seOK);
    EXPECT_EQ(bytes.mid(40, 4), QByteArray(" EMF"));
    // A range without pages writes no file at all: nothing to export.
    m_report.setStartPage(2);
    EXPECT_EQ(m_report.ExportAllEmf(tempPath(u"c.emf"_s)), seDataOrNothing);
    EXPECT_EQ(m_report.ExportAllWmf(tempPath(u"c.wmf"_s)), seDataOrNothing);
    EXPECT_EQ(m_report.ExportAllHtml(m_temp.path(), u"c.html"_s), seDataOrNothing);
    EXPECT_EQ(QDir(m_temp.path()).entryList({u"c*"_s, u".c*"_s}, QDir::Files | QDir::Hidden), QStringList());
    m_report.setStartPage(1);
    ASSERT_EQ(m_report.ExportPageWmf(tempPath(u"a.wmf"_s), 1), seOK);
    QFile wmf(tempPath(u"a.wmf"_s));
    ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
    EXPECT_EQ(wmf.read(4), QByteArray("\xD7\xCD\xC6\x9A"));
}

// The PDF writer draws the characters a font has as glyph runs and the rest
// (other scripts, fallback fonts) one by one, keeping fonts per page: every
// font, size, style, pitch and script still comes out as selectable text.
TEST_F(ReportBackends, PdfKeepsTheTextOfEveryFontAndScriptSelectable)
{
    if (!hasProgram(u"pdftotext"_s))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    struct FontText
    {
        QString text;
        QString font;
        int size;
        int style;
        int spacing;
    };
    const std::vector<FontText> texts{
        {u"Prostý řádek Arial"_s, u"Arial"_s, 10, 0, 0},
        {u"Tučný a velký"_s, u"Arial CE"_s, 16, FontDef::Bold, 0},
        {u"Podtržená kurzíva"_s, u"Times New Roman"_s, 9, FontDef::Italic | FontDef::Underline, 0},
        {u"Rozteč znaků"_s, u"Arial"_s, 10, 0, 12},
        {u"Tiskárna 12cpi"_s, u"Roman 12cpi"_s, 10, 0, 1},
        {u"Протокол Πρωτόκολλο"_s, u"Arial"_s, 10, 0, 0},
        {u"Přeškrtnutý Courier"_s, u"Courier New"_s, 10, FontDef::StrikeOut, 0},
    };
    setHeight(TOddilSestavy::Body, 300);
    int top = 0;
    for (const FontText &t : texts) {
        TRastelReportElement &e = add(TOddilSestavy::Body, ElementKind::GraphicText, 0, {0, top, 500, 30}, t.text);
        e.font.name = t.font;
        e.font.size = t.size;
        e.font.style = t.style;
        e.spacing = t.spacing;
        top += 35;
    }
    addRecords(1);
    m_report.setPredloha(m_report.writeTemplate());
    ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
    ASSERT_EQ(m_report.ExportPdf(m_temp.path(), u"fonty.pdf"_s), seOK);
    // Characters set apart by a pitch may be read with blanks between them.
    QString all = programOutput(u"pdftotext"_s, {tempPath(u"fonty.pdf"_s), u"-"_s});
    all.remove(QRegularExpression(u"\\s+"_s));
    for (const FontText &t : texts)
        EXPECT_TRUE(all.contains(QString(t.text).remove(u' '))) << t.text.toStdString() << " in " << all.toStdString();
}

TEST_F(ReportBackends, ExportToAFileThatCannotBeWrittenGivesSix)
{
    protocol(3);
    m_report.setPredloha(m_report.writeTemplate());
    const QString missing = tempPath(u"missing/dir"_s);
    EXPECT_EQ(m_report.PrintToFile(missing + u"/a.txt"_s), seOutputWrite);
    EXPECT_EQ(m_report.ExportRtf(missing, u"a.rtf"_s), seOutputWrite);
    EXPECT_EQ(m_report.ExportAllHtml(missing, u"a.html"_s), seOutputWrite);
    EXPECT_EQ(m_report.ExportPdf(missing, u"a.pdf"_s), seOutputWrite);
    EXPECT_EQ(m_report.ExportAllEmf(missing + u"/a.emf"_s), seOutputWrite);
    EXPECT_EQ(m_report.ExportPageWmf(missing + u"/a.wmf"_s, 1), seOutputWrite);
}

// On an A4 page (1029 units high, 61.74 rows at 6 per inch) the page footer
// at the bottom of the area keeps its row: the text export holds every item
// of the page dump, page for page.
TEST_F(ReportBackends, TextExportHoldsEveryItemOfEveryPage)
{
    pageSetup().paperHeight = 1169;
    setHeight(TOddilSestavy::PageHeader, 20);
    add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, {0, 0, 400, 20}, u"Seznam dokladů"_s);
    setHeight(TOddilSestavy::Body, 20);
    add(TOddilSestavy::Body, ElementKind::Field, Doklad, {0, 0, 150, 20});
    add(TOddilSestavy::Body, ElementKind::Field, Castka, {200, 0, 150, 20}).alignmentValue =
        TRastelReportElement::AlignRight;
    setHeight(TOddilSestavy::PageFooter, 20);
    add(TOddilSestavy::PageFooter, ElementKind::GraphicText, 0, {500, 0, 100, 20}, u"strana"_s);
    add(TOddilSestavy::PageFooter, ElementKind::SystemVariable, SystemVariable::PageNumber, {600, 0, 100, 20});
    addRecords(120);
    m_report.setPredloha(m_report.writeTemplate());
    m_report.setExportLanguage(slCP1250);
    ASSERT_EQ(m_report.PrintToFile(tempPath(u"seznam.txt"_s)), seOK);
    const TSestVystup &out = m_report.output();
    ASSERT_EQ(out.page.contentHeight(), 1029);
    ASSERT_GE(out.pageCount(), 3);
    QFile file(tempPath(u"seznam.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    const int rowsPerPage = OutputText::rowsOnPage(1029, 6);
    EXPECT_EQ(rowsPerPage, 62);
    for (int p = 0; p < out.pageCount(); ++p) {
        const QByteArray pageText = rows.mid(qsizetype(p) * rowsPerPage, rowsPerPage).join('\n');
        for (const TVystPrvek &item : out.pages.at(size_t(p)).items()) {
            if (ElementKind::isText(item.kind()) && !item.text.trimmed().isEmpty()) {
                EXPECT_TRUE(pageText.contains(cp1250(item.text.trimmed())))
                    << "page " << p + 1 << ": " << item.text.toStdString();
            }
        }
    }
}

// A failed export leaves no part of a file behind and never replaces a good
// one: on a full disk (a file-size limit) and when a later page cannot be put
// in place (a directory where its file should go).
struct FailedExportCase
{
    const char *name;
    QString target; // the file name the export is given
    QString first;  // the file of the first page
    QString second; // the file of the second page ("" for one-file formats)
    std::function<int(TSestava &, const QString &dir, const QString &target)> run;
};

class FailedExport : public ReportBackends, public testing::WithParamInterface<FailedExportCase>
{
protected:
    // Every file in the directory, hidden ones too, with its content.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> found;
        const QDir dir(m_temp.path());
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
            QFile f(dir.filePath(name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            found.insert(name, f.readAll());
        }
        return found;
    }
    // The first page's file holding an earlier good export.
    void writeGoodFile() const
    {
        QFile good(tempPath(GetParam().first));
        ASSERT_TRUE(good.open(QIODevice::WriteOnly));
        good.write("good");
    }
};

TEST_P(FailedExport, OnAFullDiskLeavesNoPartialFileAndKeepsTheGoodOne)
{
    protocol(40);
    m_report.setPredloha(m_report.writeTemplate());
    writeGoodFile();
    const QMap<QString, QByteArray> before = files();
    int result = seOK;
    {
        const FileSizeLimit limit(300);
        ASSERT_TRUE(limit.isActive());
        result = GetParam().run(m_report, m_temp.path(), GetParam().target);
    }
    EXPECT_EQ(result, seOutputWrite);
    EXPECT_EQ(files(), before);
    // With room on the disk the same export replaces the file.
    ASSERT_EQ(GetParam().run(m_report, m_temp.path(), GetParam().target), seOK);
    EXPECT_NE(files().value(GetParam().first), QByteArray("good"));
}

class FailedExportOfPages : public FailedExport
{
};

TEST_P(FailedExportOfPages, APageThatCannotBePutInPlaceTakesBackTheOthers)
{
    protocol(40);
    m_report.setPredloha(m_report.writeTemplate());
    writeGoodFile();
    ASSERT_TRUE(QDir(m_temp.path()).mkdir(GetParam().second));
    const QMap<QString, QByteArray> before = files();
    EXPECT_EQ(GetParam().run(m_report, m_temp.path(), GetParam().target), seOutputWrite);
    EXPECT_EQ(files(), before);
}

namespace {

const FailedExportCase kFailedExports[] = {
    FailedExportCase{
        "Text", u"a.txt"_s, u"a.txt"_s, QString(),
        [](TSestava &r, const QString &dir, const QString &name) { return r.PrintToFile(QDir(dir).filePath(name)); }},
    FailedExportCase{"Rtf", u"a.rtf"_s, u"a.rtf"_s, QString(),
                     [](TSestava &r, const QString &dir, const QString &name) { return r.ExportRtf(dir, name); }},
    FailedExportCase{
        "HtmlPage", u"a.html"_s, u"a.html"_s, QString(),
        [](TSestava &r, const QString &dir, const QString &name) { return r.ExportPageHtml(dir, name, 1); }},
    FailedExportCase{"HtmlAll", u"a.html"_s, u"a1.html"_s, u"a2.html"_s,
                     [](TSestava &r, const QString &dir, const QString &name) { return r.ExportAllHtml(dir, name); }},
    FailedExportCase{"Pdf", u"a.pdf"_s, u"a.pdf"_s, QString(),
                     [](TSestava &r, const QString &dir, const QString &name) { return r.ExportPdf(dir, name); }},
    FailedExportCase{"EmfPage", u"a.emf"_s, u"a.emf"_s, QString(),
                     [](TSestava &r, const QString &dir, const QString &name) {
                         return r.ExportPageEmf(QDir(dir).filePath(name), 1);
                     }},
    FailedExportCase{
        "EmfAll", u"a.emf"_s, u"a1.emf"_s, u"a2.emf"_s,
        [](TSestava &r, const QString &dir, const QString &name) { return r.ExportAllEmf(QDir(dir).filePath(name)); }},
    FailedExportCase{"WmfPage", u"a.wmf"_s, u"a.wmf"_s, QString(),
                     [](TSestava &r, const QString &dir, const QString &name) {
                         return r.ExportPageWmf(QDir(dir).filePath(name), 1);
                     }},
    FailedExportCase{
        "WmfAll", u"a.wmf"_s, u"a1.wmf"_s, u"a2.wmf"_s,
        [](TSestava &r, const QString &dir, const QString &name) { return r.ExportAllWmf(QDir(dir).filePath(name)); }}};

} // namespace

INSTANTIATE_TEST_SUITE_P(OutputBackends, FailedExport, testing::ValuesIn(kFailedExports), TestSupport::rowName);

// The exports of one file per page.
std::vector<FailedExportCase> failedExportsOfPages()
{
    std::vector<FailedExportCase> cases;
    for (const FailedExportCase &c : kFailedExports) {
        if (!c.second.isEmpty())
            cases.push_back(c);
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(OutputBackends, FailedExportOfPages, testing::ValuesIn(failedExportsOfPages()),
                         TestSupport::rowName);

// ---------------------------------------------------------------- RTF reader

TEST(RtfReader, BraceResetsTheFormattingButOnlyKeywordsApplyIt)
{
    const SestRtf::RtfDocument doc =
        SestRtf::readRtf("{\\rtf1{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0\\fs20 a{\\b b}\\b0 c}");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    const auto &runs = doc.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, u"a"_s);
    EXPECT_EQ(runs[1].text, u"b"_s);
    EXPECT_EQ(runs[2].text, u"c"_s);
    for (const SestRtf::RtfRun &run : runs) {
        EXPECT_EQ(run.format.fontName, u"Arial"_s);
        EXPECT_EQ(run.format.charset, 238);
    }
    EXPECT_EQ(runs[0].format.size, 10);
    EXPECT_FALSE(runs[0].format.bold);
    EXPECT_EQ(runs[1].format.size, 12);
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_EQ(runs[2].format.size, 10);
    EXPECT_FALSE(runs[2].format.bold);
}

// Found by the fuzzer: a font size of zero or below keeps the size there is.
TEST(RtfReader, AFontSizeThatIsNotPositiveKeepsTheSize)
{
    const SestRtf::RtfDocument doc = SestRtf::readRtf("{\\rtf1\\fs20 a\\fs-100 b\\fs0 c\\fs d}");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    EXPECT_EQ(doc.paragraphs.at(0).text(), u"abcd"_s);
    const auto sizeOf = [&doc](QChar c) {
        for (const SestRtf::RtfRun &run : doc.paragraphs.at(0).runs) {
            if (run.text.contains(c))
                return run.format.size;
        }
        return -1.0;
    };
    EXPECT_EQ(sizeOf(u'a'), 10);
    EXPECT_EQ(sizeOf(u'b'), 10);
    EXPECT_EQ(sizeOf(u'c'), 10);
    EXPECT_EQ(sizeOf(u'd'), 12); // \fs without a number: 24 half points
}

TEST(RtfReader, ReadsColoursParagraphsListTextAndSkipsDestinations)
{
    const SestRtf::RtfDocument doc =
        SestRtf::readRtf("{\\rtf1\\deftab360{\\colortbl;\\red255\\green0\\blue0;\\blue255;}{\\info{\\title Nic}}"
                         "{\\*\\unknown nic}\\li300\\fi-100\\qj\\cf1 \\'e8erven\\'fd\\tab x\\par"
                         "\\pard\\qc{\\pntext 1.\\tab}\\cf9 \\ldblquote z\\rdblquote\\~\\{\\}\\\\\\plain p\\cf2 q\\par"
                         "{\\pict 0102}{\\*\\unknown \\bin2 }}x}abc\\bin2 {}d}",
                         2);
    ASSERT_EQ(doc.tabWidth, 360);
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    const SestRtf::RtfParagraph &first = doc.paragraphs[0];
    EXPECT_TRUE(first.ended);
    EXPECT_EQ(first.text(), u"červený\tx"_s);
    EXPECT_EQ(first.format.leftIndent, 300);
    EXPECT_EQ(first.format.firstIndent, -100);
    EXPECT_EQ(first.format.alignment, SestRtf::RtfParaFormat::Justify);
    EXPECT_EQ(first.runs.at(0).format.colour, QColor(255, 0, 0));
    EXPECT_EQ(first.runs.at(0).format.size, 24); // 12 points times the scale 2

    const SestRtf::RtfParagraph &second = doc.paragraphs[1];
    EXPECT_EQ(second.format.leftIndent, 0);
    EXPECT_EQ(second.format.alignment, SestRtf::RtfParaFormat::Centre);
    ASSERT_GE(second.runs.size(), 3u);
    EXPECT_TRUE(second.runs.at(0).listText);
    EXPECT_EQ(second.runs.at(0).text, u"1.\t"_s);
    EXPECT_EQ(second.runs.at(1).format.colour, QColor(Qt::black)); // colour 9 is outside the table
    // \plain alone does not reach the text; the next \cf does (colour 2: red kept, blue 255).
    EXPECT_EQ(second.text(), u"1.\t'z' {}\\pq"_s);
    EXPECT_EQ(second.runs.back().text, u"q"_s);
    EXPECT_EQ(second.runs.back().format.colour, QColor(255, 0, 255));

    // The picture and the starred group are skipped, braces inside binary data included.
    const SestRtf::RtfParagraph &third = doc.paragraphs[2];
    EXPECT_FALSE(third.ended);
    EXPECT_EQ(third.text(), u"abcd"_s);
}

TEST(RtfReader, FlowsParagraphsWithIndentsTabsAndJustification)
{
    // 15 twips per unit: \li300 is 20 units, \deftab1440 a stop every 96.
    const SestRtf::RtfDocument doc = SestRtf::readRtf(
        "{\\rtf1\\deftab1440\\li300\\qj a\\tab b aaaa bbbb cccc dddd eeee ffff gggg hhhh\\par\\pard\\qr x\\par}");
    const SestRtf::RtfLines flow = SestRtf::flowRtf(doc, 150);
    ASSERT_GE(flow.lines.size(), 3u);
    const auto &first = flow.lines.at(0).glyphs;
    ASSERT_GE(first.size(), 3u);
    EXPECT_DOUBLE_EQ(first.at(0).x, 20);
    EXPECT_EQ(first.at(2).c, u'b');
    // The tab goes from the indent's text to the stop at 96; the stretched line scales it a little.
    EXPECT_GE(first.at(2).x, 96);
    // A justified line broken by wrapping reaches the right edge; the last line of the paragraph does not.
    const SestRtf::RtfLine &broken = flow.lines.at(1);
    EXPECT_GT(broken.glyphs.back().x, 120);
    const SestRtf::RtfLine &right = flow.lines.back();
    ASSERT_EQ(right.glyphs.size(), 1u);
    EXPECT_NEAR(right.glyphs.at(0).x +
                    QFontMetricsF(SestRtf::rtfFont(flow.formats.at(0)), &TextFlow::canvas()).horizontalAdvance(u'x'),
                150, 0.01);
}

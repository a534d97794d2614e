// The layout into pages of placed items: golden dumps of the edge cases that
// can go wrong, the item order rule, the text flow and the progress window.
#include "DataFixture.h"

#include "common/Clock.h"
#include "common/TextFile.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/layout/LayoutProgress.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/layout/TextFlow.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/PageDump.h"
#include "report/ui/preview/LayoutProgressWindow.h"

#include <QLabel>

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// The progress window as the layout sees it: what it was told, and a
// "Přerušit" pressed at the n-th look (0: never).
class FakeProgress final : public LayoutProgress
{
public:
    QStringList shown;
    int interruptAt = 0;
    int polls = 0;
    bool finished = false;

    void start(const QString &caption, const QString &text, const QString &button) override
    {
        shown << caption + u'|' + text + u'|' + button;
    }
    void setText(const QString &text) override { shown << text; }
    bool interrupted() override { return interruptAt > 0 && ++polls >= interruptAt; }
    void finish() override { finished = true; }
};

// The page used by every case: 726 x 260 units of content.
void smallPage()
{
    pageSetup().paperWidth = 826;
    pageSetup().paperHeight = 400;
}

} // namespace

class LayoutFixture : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 3, 5), QTime(10, 30))));
        smallPage();
        // The page header, body and page footer every case starts with.
        setHeight(TOddilSestavy::PageHeader, 30);
        add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, 0, 0, 200, 20).text = u"Hlava"_s;
        add(TOddilSestavy::PageHeader, ElementKind::SystemVariable, SystemVariable::PageNumber, 600, 0, 100, 20);
        setHeight(TOddilSestavy::PageFooter, 20);
        add(TOddilSestavy::PageFooter, ElementKind::GraphicText, 0, 0, 0, 200, 20).text = u"Pata"_s;
        setHeight(TOddilSestavy::Body, 20);
        add(TOddilSestavy::Body, ElementKind::Field, Doklad, 0, 0, 100, 20);
        for (int s : {TOddilSestavy::ReportHeader, TOddilSestavy::ReportFooter})
            setHeight(s, 0);
    }
    void TearDown() override
    {
        Clock::setCurrent(nullptr);
        DataFixture::TearDown();
    }

    using DataFixture::add;
    TRastelReportElement &add(int sectionId, int kind, int reference, int left, int top, int width, int height)
    {
        return add(sectionId, kind, reference, QRect(left, top, width, height));
    }
    TPolSkup &group(int field, int headerHeight, int footerHeight)
    {
        TPolSkup &g = m_report.model().addGroup(field);
        g.header->height = headerHeight;
        g.footer->height = footerHeight;
        const int n = g.number + 1;
        add(g.header->id, ElementKind::GraphicText, 0, 0, 0, 100, headerHeight).text = u"Začátek %1"_s.arg(n);
        add(g.header->id, ElementKind::SystemVariable, SystemVariable::groupCount(g.number), 100, 0, 50, headerHeight);
        add(g.footer->id, ElementKind::GraphicText, 0, 0, 0, 100, footerHeight).text = u"Konec %1"_s.arg(n);
        return g;
    }

    // The model goes through the template text, as a run reads it.
    int layout(LayoutProgress *progress = nullptr)
    {
        m_report.setPredloha(m_report.writeTemplate());
        return ReportLayout::prepare(m_report, progress);
    }
    QString dump() const { return dumpOutput(m_report.output()); }
};

// ---------------------------------------------------------------- golden dumps

struct GoldenCase
{
    const char *name;
    std::function<void(LayoutFixture &, TSestava &)> setup;
    int result = seOK;
};

class LayoutGolden : public LayoutFixture, public testing::WithParamInterface<GoldenCase>
{
public:
    using LayoutFixture::add;
    using LayoutFixture::addRecord;
    using LayoutFixture::addRecords;
    using LayoutFixture::group;
    using LayoutFixture::m_table;
    using LayoutFixture::setHeight;
};

namespace {
void records(LayoutFixture &f, int count);
}

TEST_P(LayoutGolden, MatchesTheGoldenDump)
{
    GetParam().setup(*this, m_report);
    FakeProgress progress;
    progress.interruptAt = GetParam().result == seCancelled ? 40 : 0;
    EXPECT_EQ(layout(&progress), GetParam().result);
    EXPECT_TRUE(progress.finished);

    const QString path = TestSupport::dataPath(u"layout/"_s + QString::fromLatin1(GetParam().name) + u".dump"_s);
    const QString actual = dump();
    if (qEnvironmentVariableIsSet("TARNEK_UPDATE_GOLDEN")) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(actual.toUtf8());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_EQ(actual, QString::fromUtf8(file.readAll()));
}

namespace {
LayoutGolden &self(LayoutFixture &f)
{
    return static_cast<LayoutGolden &>(f);
}
void records(LayoutFixture &f, int count)
{
    self(f).addRecords(count);
}
QString memoText(int words)
{
    QStringList list;
    for (int i = 1; i <= words; ++i)
        list << u"slovo%1"_s.arg(i, 3, 10, QChar(u'0'));
    return list.join(u' ');
}
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Layout, LayoutGolden,
    testing::Values(
        // Page 1 shows the report header, then the page header below it.
        GoldenCase{"ReportHeaderAbovePageHeader",
                   [](LayoutFixture &f, TSestava &) {
                       self(f).setHeight(TOddilSestavy::ReportHeader, 40);
                       self(f).add(TOddilSestavy::ReportHeader, ElementKind::GraphicText, 0, 0, 0, 300, 40).text =
                           u"Začátek sestavy"_s;
                       records(f, 12);
                   }},
        // The report header stands alone on page 1 (with its page footer).
        GoldenCase{"BreakAfterReportHeader",
                   [](LayoutFixture &f, TSestava &r) {
                       self(f).setHeight(TOddilSestavy::ReportHeader, 40);
                       self(f).add(TOddilSestavy::ReportHeader, ElementKind::GraphicText, 0, 0, 0, 300, 40).text =
                           u"Začátek sestavy"_s;
                       r.settings().breakAfterReportHeader = true;
                       records(f, 3);
                   }},
        // Page 1 has no page header, page 2 has one; the last page no footer,
        // and the report footer may stand where the footer would.
        GoldenCase{"FirstAndLastPageSwitches",
                   [](LayoutFixture &f, TSestava &r) {
                       r.settings().noPageHeaderOnFirstPage = true;
                       r.settings().noPageFooterOnLastPage = true;
                       self(f).setHeight(TOddilSestavy::ReportFooter, 40);
                       self(f).add(TOddilSestavy::ReportFooter, ElementKind::GraphicText, 0, 0, 0, 300, 40).text =
                           u"Konec sestavy"_s;
                       records(f, 21); // the report footer fits only where the page footer would stand
                   }},
        // Outer group changes: footers inner first, headers outer first, the
        // inner group count restarts at 1.
        GoldenCase{"TwoGroupsChangeTogether",
                   [](LayoutFixture &f, TSestava &) {
                       self(f).group(DataFixture::Skupina, 20, 20);
                       self(f).group(DataFixture::Pocet, 20, 20);
                       const struct
                       {
                           const char16_t *doklad;
                           const char16_t *skupina;
                           int pocet;
                       } rows[] = {{u"D1", u"A", 1}, {u"D2", u"A", 2}, {u"D3", u"B", 2}, {u"D4", u"B", 2}};
                       for (const auto &row : rows) {
                           self(f).addRecord(QString::fromUtf16(row.doklad), 1, QString::fromUtf16(row.skupina));
                           self(f).m_table.setValue(self(f).m_table.currentRow(), DataFixture::Pocet, row.pocet);
                       }
                       self(f).m_table.first();
                   }},
        // Three records side by side; the group change after two finishes the row.
        GoldenCase{"ThreeColumnsGroupAfterTwo",
                   [](LayoutFixture &f, TSestava &r) {
                       r.settings().printColumns = 3;
                       r.settings().columnGap = 24;
                       self(f).group(DataFixture::Skupina, 20, 20);
                       for (int i = 1; i <= 6; ++i)
                           self(f).addRecord(u"D%1"_s.arg(i), i, i <= 2 ? u"A"_s : u"B"_s);
                       self(f).m_table.first();
                   }},
        // A memo of two and a half pages continues below the page headers;
        // the element below it follows its end.
        GoldenCase{"MemoOverPages",
                   [](LayoutFixture &f, TSestava &) {
                       self(f).setHeight(TOddilSestavy::Body, 60);
                       TRastelReportElement &memo =
                           self(f).add(TOddilSestavy::Body, ElementKind::Field, DataFixture::Text, 100, 20, 200, 20);
                       memo.textFlags = TRastelReportElement::VariableHeight | TRastelReportElement::MultiLine;
                       memo.spacing = 10; // 20 characters a line, whatever the font's widths
                       self(f).add(TOddilSestavy::Body, ElementKind::GraphicText, 0, 300, 40, 100, 20).text =
                           u"pod textem"_s;
                       self(f).addRecord(u"M1"_s, 1);
                       self(f).m_table.setValue(0, DataFixture::Text, memoText(70));
                       self(f).addRecord(u"M2"_s, 2);
                       self(f).m_table.first();
                   }},
        // The page count bare and through a format.
        GoldenCase{"PageCount",
                   [](LayoutFixture &f, TSestava &) {
                       self(f).add(TOddilSestavy::PageFooter, ElementKind::SystemVariable, SystemVariable::PageCount,
                                   300, 0, 100, 20);
                       self(f)
                           .add(TOddilSestavy::PageFooter, ElementKind::SystemVariable, SystemVariable::PageCount, 500,
                                0, 200, 20)
                           .text = u"z celkem %d stran"_s;
                       records(f, 25);
                   }},
        // EndPage 2: no page after the second is built.
        GoldenCase{"EndPage2",
                   [](LayoutFixture &f, TSestava &r) {
                       r.setEndPage(2);
                       records(f, 40);
                   }},
        // "Přerušit" at the 40th section: the pages built so far stay, result 3.
        GoldenCase{"InterruptKeepsPages", [](LayoutFixture &f, TSestava &) { records(f, 40); }, seCancelled},
        // The report footer meets the page footer.
        GoldenCase{"ReportFooterAtPageFooter",
                   [](LayoutFixture &f, TSestava &r) {
                       r.settings().reportFooterAtPageFooter = true;
                       self(f).setHeight(TOddilSestavy::ReportFooter, 40);
                       self(f).add(TOddilSestavy::ReportFooter, ElementKind::GraphicText, 0, 0, 0, 300, 40).text =
                           u"Konec sestavy"_s;
                       records(f, 3);
                   }},
        // Character mode: the line position is rounded up to whole rows of 17.
        GoldenCase{"CharacterModeRows",
                   [](LayoutFixture &f, TSestava &r) {
                       r.settings().gridType = 1;
                       r.settings().gridY = 17;
                       records(f, 3);
                   }}),
    TestSupport::rowName);

// ---------------------------------------------------------------- run details

TEST_F(LayoutFixture, ProgressWindowCountsTheRecords)
{
    addRecords(3);
    FakeProgress progress;
    ASSERT_EQ(layout(&progress), seOK);
    EXPECT_EQ(progress.shown,
              (QStringList{u"Informace|Připravuji tisk položky číslo: 1|Přerušit"_s,
                           u"Připravuji tisk položky číslo: 2"_s, u"Připravuji tisk položky číslo: 3"_s}));
    EXPECT_TRUE(progress.finished);
}

TEST_F(LayoutFixture, OnTiskOdddiluVetoTakesNoRoomAndRequestNewPageBreaks)
{
    addRecords(4);
    m_report.OnTiskOddilu = [](TSestavaTyp *sender, int index, bool &print) {
        TSestavaTyp &r = *sender;
        if (index == TOddilSestavy::Body) {
            // The second body is skipped; before the fourth a new page is asked for.
            print = r.rowNumber() != 2;
            if (r.rowNumber() == 4)
                r.RequestNewPage();
        }
    };
    ASSERT_EQ(layout(), seOK);
    const TSestVystup &out = m_report.output();
    ASSERT_EQ(out.pageCount(), 2);
    QStringList page1;
    for (const TVystPrvek &item : out.pages.at(0).items())
        if (item.sectionId == TOddilSestavy::Body)
            page1 << item.text + u'@' + QString::number(item.top);
    // Newest first among equal texts.
    EXPECT_EQ(page1, (QStringList{u"D003@50"_s, u"D001@30"_s}));
    QStringList page2;
    for (const TVystPrvek &item : out.pages.at(1).items())
        if (item.sectionId == TOddilSestavy::Body)
            page2 << item.text + u'@' + QString::number(item.top);
    EXPECT_EQ(page2, QStringList{u"D004@30"_s});
}

TEST_F(LayoutFixture, EmptyDataLaysOutOneBodyWithEmptyFields)
{
    ASSERT_EQ(layout(), seOK);
    const TSestVystup &out = m_report.output();
    ASSERT_EQ(out.pageCount(), 1);
    int bodies = 0;
    for (const TVystPrvek &item : out.pages.at(0).items())
        bodies += item.sectionId == TOddilSestavy::Body ? 1 : 0;
    EXPECT_EQ(bodies, 1);
}

TEST_F(LayoutFixture, LayoutTakesThePageAsAValue)
{
    addRecords(30);
    m_report.setPredloha(m_report.writeTemplate());
    LayoutPage page = LayoutPage::current();
    page.setup.paperHeight = 1169; // content 1029: one page holds every body
    ASSERT_EQ(ReportLayout::prepare(m_report, nullptr, page), seOK);
    EXPECT_EQ(m_report.output().pageCount(), 1);
    EXPECT_EQ(pageSetup().paperHeight, 400); // the process-wide setup is untouched
}

// ---------------------------------------------------------------- item order

struct OrderCase
{
    const char *name;
    std::vector<std::pair<int, int>> added; // kind, text flags, in the order added
    QString expected;                       // kind/flags#order in list order
};

class ItemOrder : public testing::TestWithParam<OrderCase>
{
};

// The page keeps its drawing order whether it is read once at the end or
// between the additions (the back-ends read it after the layout; the page
// count is filled in by a pass over it).
TEST_P(ItemOrder, FollowsTheRankRule)
{
    for (const bool readBetween : {false, true}) {
        TStranaPrvku page;
        for (const auto &[kind, flags] : GetParam().added) {
            auto style = std::make_shared<ItemStyle>();
            style->kind = kind;
            style->textFlags = flags;
            TVystPrvek item;
            item.style = style;
            item.text = QString::number(page.count());
            page.add(item);
            if (readBetween) {
                EXPECT_EQ(page.items().size(), size_t(page.count()));
            }
        }
        QStringList actual;
        for (const TVystPrvek &item : page.items())
            actual << u"%1/%2#%3:%4"_s.arg(item.kind()).arg(item.style->textFlags).arg(item.order).arg(item.text);
        EXPECT_EQ(actual.join(u' '), GetParam().expected) << (readBetween ? "read between" : "read at the end");
    }
}

INSTANTIATE_TEST_SUITE_P(Layout, ItemOrder,
                         testing::Values(
                             // A rectangle added after a text goes under it, with a new number.
                             OrderCase{"GraphicUnderText", {{1, 0}, {8, 0}}, u"8/0#1:1 1/0#0:0"_s},
                             // Equal texts: the newer precedes the older and takes its number.
                             OrderCase{"NewerEqualTextFirst", {{1, 0}, {2, 0}, {5, 0}}, u"5/0#0:2 2/0#0:1 1/0#0:0"_s},
                             // Texts by their flags: smaller first.
                             OrderCase{"TextsByFlags", {{1, 0x40}, {1, 0}, {1, 0x10}}, u"1/0#1:1 1/16#2:2 1/64#0:0"_s},
                             // Kinds 7-12 rank equal among themselves.
                             OrderCase{"GraphicsEqual", {{8, 0}, {11, 0}, {7, 0}}, u"7/0#0:2 11/0#0:1 8/0#0:0"_s},
                             // Other non-texts: the higher kind first.
                             OrderCase{
                                 "PaintBoxBeforeRectangle", {{8, 0}, {13, 0}, {12, 0}}, u"13/0#1:1 12/0#0:2 8/0#0:0"_s},
                             // Ranks interleaved: each rank keeps its newest-first run and the
                             // number its first item was given.
                             OrderCase{"InterleavedRanks",
                                       {{1, 0}, {8, 0}, {1, 0x10}, {2, 0}, {13, 0}, {9, 0}, {1, 0x10}},
                                       u"13/0#3:4 9/0#1:5 8/0#1:1 2/0#0:3 1/0#0:0 1/16#2:6 1/16#2:2"_s}),
                         TestSupport::rowName);

// ---------------------------------------------------------------- text flow

struct FlowCase
{
    const char *name;
    QString text;
    double width;
    double leftIndent;
    QStringList lines;
    double lastWidth;
};

class TextFlowRules : public testing::TestWithParam<FlowCase>
{
};

TEST_P(TextFlowRules, LaysTheTextIntoLines)
{
    // A character spacing of 10: every character is 10 units wide.
    const TextFlow flow(FontDef{}, 10);
    const TextLines lines = flow.flow(GetParam().text, GetParam().width, GetParam().leftIndent);
    QStringList actual;
    for (int i = 0; i < lines.count(); ++i)
        actual << lines.line(i);
    EXPECT_EQ(actual, GetParam().lines);
    ASSERT_FALSE(lines.lines.empty());
    EXPECT_DOUBLE_EQ(lines.lines.back().width, GetParam().lastWidth);
    EXPECT_GT(lines.lines.back().height, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, TextFlowRules,
    testing::Values(FlowCase{"BreaksAfterTheLastBlank", u"aaa bbb ccc"_s, 75, 0, {u"aaa "_s, u"bbb ccc"_s}, 70},
                    FlowCase{
                        "NoBlankEndsWithTheCharacterPastTheEdge", u"abcdefgh"_s, 35, 0, {u"abcd"_s, u"efgh"_s}, 40},
                    FlowCase{"LineFeedStartsAParagraph", u"ab\ncd"_s, 100, 0, {u"ab"_s, u"cd"_s}, 20},
                    FlowCase{"CarriageReturnTakesNoRoom", u"ab\r\ncd\re"_s, 30, 0, {u"ab"_s, u"cde"_s}, 30},
                    FlowCase{"TabToTheNextStopOf48", u"a\tb\tc"_s, 200, 0, {u"a\tb\tc"_s}, 106},
                    FlowCase{"TabStopsAtTheLeftIndent", u"\tb"_s, 200, 30, {u"\tb"_s}, 40}),
    TestSupport::rowName);

// ---------------------------------------------------------------- the window

TEST(LayoutProgressWindowTest, PrerusitStopsTheLayout)
{
    LayoutProgressWindow window;
    window.start(u"Informace"_s, ReportLayout::progressText(1), u"Přerušit"_s);
    EXPECT_EQ(window.windowTitle(), u"Informace"_s);
    EXPECT_EQ(TestSupport::child<QLabel>(window, u"lblText"_s)->text(), u"Připravuji tisk položky číslo: 1"_s);
    EXPECT_FALSE(window.interrupted());
    TestSupport::click(window, u"btnPrerusit"_s);
    EXPECT_TRUE(window.interrupted());
    window.finish();
    EXPECT_FALSE(window.isVisible());
}

// ---------------------------------------------------------------- detail reports

TEST_F(LayoutFixture, DetailReportLaysOutInsideItsElementAndTheMasterFollows)
{
    MemTable items(u"mtPolozky"_s);
    items.addField(u"Polozka"_s, FieldType::String, 10);
    for (const QString &name : {u"P1"_s, u"P2"_s, u"P3"_s}) {
        const int row = items.append();
        items.setValue(row, 0, name);
    }
    items.first();
    MemTableDataSet itemSet(&items);
    ReportDataSource itemSource(&itemSet);
    TSestDetail detail;
    detail.setDataSource(&itemSource);
    ASSERT_TRUE(detail.setMasterSestava(&m_report));
    detail.sections().find(TOddilSestavy::Body)->height = 15;
    TRastelReportElement &field = detail.sections().find(TOddilSestavy::Body)->addElement();
    field.kind = ElementKind::Field;
    field.left = 10;
    field.width = 80;
    field.height = 15;

    // The body: the document, its items in a box at 20 and a line below them.
    setHeight(TOddilSestavy::Body, 60);
    add(TOddilSestavy::Body, ElementKind::Detail, 0, 200, 20, 300, 20);
    add(TOddilSestavy::Body, ElementKind::GraphicText, 0, 0, 40, 100, 20).text = u"Pod položkami"_s;
    // A detail number outside the list takes no room.
    add(TOddilSestavy::Body, ElementKind::Detail, 5, 0, 60, 100, 0);
    addRecords(2);
    ASSERT_EQ(layout(), seOK);

    QStringList placed;
    for (const TVystPrvek &item : m_report.output().pages.at(0).items())
        if (item.sectionId == TOddilSestavy::Body)
            placed.prepend(item.text + u'@' + QString::number(item.left) + u',' + QString::number(item.top));
    // Record 1 at 30: items from 50, 15 apart; the text follows at 95 (= 50 + 45);
    // record 2 starts at 95 + 20 = 115.
    EXPECT_EQ(placed, (QStringList{u"D001@0,30"_s, u"P1@210,50"_s, u"P2@210,65"_s, u"P3@210,80"_s,
                                   u"Pod položkami@0,95"_s, u"D002@0,115"_s, u"P1@210,135"_s, u"P2@210,150"_s,
                                   u"P3@210,165"_s, u"Pod položkami@0,180"_s}));
}

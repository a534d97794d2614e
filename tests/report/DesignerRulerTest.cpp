// The designer's rulers: the ticks of a stretch of paper at a zoom, the
// horizontal ruler counting from the bands' left edge, the vertical one
// starting again at every band, both following the scroll bars, the zoom
// and the focused element.
#include "DesignerWindowFixture.h"

#include "report/ui/designer/PaperRuler.h"

#include <QComboBox>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

using Tick = PaperRuler::Tick;

// ---------------------------------------------------------------- ticks of a stretch

struct TickRow
{
    const char *name;
    double pixelsPerUnit;
    int offset;
    int length;
    std::optional<int> centimetre; // where the 1 cm tick lies
    int last;                      // millimetres of the last tick
    int centimetres, halves, millimetres;
};

void PrintTo(const TickRow &row, std::ostream *os)
{
    *os << row.name;
}

class DesignerRulerTicks : public testing::TestWithParam<TickRow>
{
};

TEST_P(DesignerRulerTicks, MarksTheStretchInCentimetres)
{
    const TickRow &row = GetParam();
    const QList<Tick> ticks = PaperRuler::ticks(row.pixelsPerUnit, row.offset, row.length);
    ASSERT_FALSE(ticks.isEmpty());
    EXPECT_EQ(ticks.first(), (Tick{row.offset, 0, Tick::Centimetre}));
    EXPECT_EQ(ticks.last().millimetres, row.last);
    const auto count = [&](Tick::Kind kind) {
        return std::count_if(ticks.cbegin(), ticks.cend(), [kind](const Tick &t) { return t.kind == kind; });
    };
    EXPECT_EQ(count(Tick::Centimetre), row.centimetres);
    EXPECT_EQ(count(Tick::HalfCentimetre), row.halves);
    EXPECT_EQ(count(Tick::Millimetre), row.millimetres);
    const auto one = std::find_if(ticks.cbegin(), ticks.cend(), [](const Tick &t) { return t.millimetres == 10; });
    if (row.centimetre) {
        ASSERT_NE(one, ticks.cend());
        EXPECT_EQ(one->position, *row.centimetre);
        EXPECT_EQ(one->kind, Tick::Centimetre);
    } else {
        EXPECT_EQ(one, ticks.cend());
    }
    for (qsizetype i = 0; i < ticks.count(); ++i) {
        const Tick &t = ticks.at(i);
        EXPECT_GE(t.position, row.offset);
        EXPECT_LT(t.position, row.offset + row.length) << "tick off the stretch at " << t.millimetres << " mm";
        EXPECT_EQ(t.kind == Tick::Centimetre, t.millimetres % 10 == 0);
        if (i > 0) {
            EXPECT_GE(t.position - ticks.at(i - 1).position, PaperRuler::MinTickDistance)
                << "ticks too dense at " << t.millimetres << " mm";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignerRulerTicks,
    testing::Values(
        // An A4 band (827 units) at 100 %: 1 cm is 39.37 units; 21 cm would be the pixel after the paper.
        TickRow{"Zoom100", 1.0, 10, 827, 49, 209, 21, 21, 168}, TickRow{"Zoom200", 2.0, 10, 1654, 89, 209, 21, 21, 168},
        // Scrolled 100 pixels to the right: the zero lies left of the ruler.
        TickRow{"Zoom100Scrolled", 1.0, -90, 827, -51, 209, 21, 21, 168},
        // 3.27 pixels per millimetre still leave room for them, 2.95 do not.
        TickRow{"Zoom83KeepsMillimetres", 0.83, 10, 686, 43, 209, 21, 21, 168},
        TickRow{"Zoom75DropsMillimetres", 0.75, 10, 620, 40, 205, 21, 21, 0},
        TickRow{"Zoom32KeepsHalves", 0.32, 10, 265, 23, 205, 21, 21, 0},
        // A band 20 units high: five millimetres would be its lower edge.
        TickRow{"ShortBand", 1.0, 300, 20, std::nullopt, 4, 1, 0, 4}),
    TestSupport::rowName);

TEST(DesignerRulerTicksEdges, NothingToMarkGivesNoTicks)
{
    EXPECT_TRUE(PaperRuler::ticks(1.0, 10, 0).isEmpty());
    EXPECT_TRUE(PaperRuler::ticks(1.0, 10, -5).isEmpty());
    EXPECT_TRUE(PaperRuler::ticks(0.0, 10, 827).isEmpty());
}

// ---------------------------------------------------------------- the rulers in the window

class DesignerRuler : public DesignerWindowFixture
{
protected:
    void SetUp() override
    {
        DesignerWindowFixture::SetUp();
        add(TOddilSestavy::PageHeader, 1, 0, QRect(0, 20, 100, 20), u"Hlavička"_s);
        add(TOddilSestavy::Body, 1, 0, QRect(200, 40, 100, 20), u"Druhý"_s);
        // Over the band's lower edge and its right one.
        add(TOddilSestavy::Body, 1, 0, QRect(700, 90, 300, 30), u"Přesah"_s);
        m_env.zoomIndex = 6; // 100 %
    }

    PaperRuler *horizontal() { return TestSupport::child<PaperRuler>(form(), u"RulerVodorovne"_s); }
    PaperRuler *vertical() { return TestSupport::child<PaperRuler>(form(), u"RulerSvisle"_s); }
    QScrollArea *scroll() { return TestSupport::child<QScrollArea>(form(), u"ScrollBoxPapir"_s); }

    // A pixel of the paper in the ruler's pixels, along the ruler (through the window).
    int inRuler(PaperRuler *ruler, QPoint canvasPixel)
    {
        const QPoint p = canvas().mapTo(&form(), canvasPixel) - ruler->mapTo(&form(), QPoint());
        return ruler->orientation() == Qt::Horizontal ? p.x() : p.y();
    }
    static std::optional<Tick> tickAt(const PaperRuler *ruler, int millimetres, int from = INT_MIN)
    {
        for (const Tick &t : ruler->shownTicks()) {
            if (t.millimetres == millimetres && t.position >= from)
                return t;
        }
        return std::nullopt;
    }
    // A pixel of the ruler between its ticks, the first from `from` on.
    static int betweenTicks(const PaperRuler *ruler, int from)
    {
        const QList<Tick> &ticks = ruler->shownTicks();
        int x = from;
        while (std::any_of(ticks.cbegin(), ticks.cend(), [x](const Tick &t) { return t.position == x; }))
            ++x;
        return x;
    }
    TRastelReportElement *druhy()
    {
        const QList<TRastelReportElement *> body = editor().elements(TOddilSestavy::Body);
        return body.isEmpty() ? nullptr : body.first();
    }
};

TEST_F(DesignerRuler, RulersStandAboveAndLeftOfThePaper)
{
    PaperRuler *top = horizontal();
    PaperRuler *left = vertical();
    ASSERT_TRUE(top && left);
    EXPECT_EQ(top->orientation(), Qt::Horizontal);
    EXPECT_EQ(left->orientation(), Qt::Vertical);
    auto *panel = TestSupport::child<QWidget>(form(), u"PanelPapir"_s);
    ASSERT_NE(panel, nullptr);
    EXPECT_NE(TestSupport::child<QWidget>(form(), u"RulerRoh"_s), nullptr);
    // The panel holds the paper where the splitter beside the element tree had it.
    EXPECT_EQ(scroll()->parentWidget(), panel);
    auto *splitter = TestSupport::child<QSplitter>(form(), u"SplitterPrvky"_s);
    ASSERT_NE(splitter, nullptr);
    EXPECT_GE(splitter->indexOf(panel), 0);
    EXPECT_TRUE(top->isVisible() && left->isVisible() && scroll()->isVisible());
    const QRect paper = scroll()->geometry();
    EXPECT_EQ(top->geometry().bottom() + 1, paper.top());
    EXPECT_EQ(top->geometry().left(), paper.left());
    EXPECT_EQ(top->geometry().width(), paper.width());
    EXPECT_EQ(left->geometry().right() + 1, paper.left());
    EXPECT_EQ(left->geometry().top(), paper.top());
    EXPECT_EQ(left->geometry().height(), paper.height());
}

TEST_F(DesignerRuler, HorizontalRulerCountsFromTheBandsLeftEdgeAtEveryZoom)
{
    auto *zoom = TestSupport::child<QComboBox>(form(), u"ComboMeritko"_s);
    ASSERT_NE(zoom, nullptr);
    for (const int percent : {100, 200, 64}) {
        SCOPED_TRACE(percent);
        zoom->setCurrentIndex(zoom->findData(percent));
        ASSERT_EQ(canvas().zoom(), percent);
        const QRect body = canvas().layout().first().body;
        const int centimetre = int(std::lround(39.37 * canvas().scale()));
        const std::optional<Tick> zero = tickAt(horizontal(), 0);
        const std::optional<Tick> one = tickAt(horizontal(), 10);
        ASSERT_TRUE(zero && one);
        EXPECT_EQ(zero->position, inRuler(horizontal(), body.topLeft()));
        EXPECT_EQ(one->position, inRuler(horizontal(), body.topLeft() + QPoint(centimetre, 0)));
        EXPECT_EQ(one->kind, Tick::Centimetre);
        // At 64 % a millimetre is 2.5 pixels: only the halves are left between the centimetres.
        EXPECT_EQ(tickAt(horizontal(), 1).has_value(), percent != 64);
        EXPECT_TRUE(tickAt(horizontal(), 5).has_value());
    }
}

TEST_F(DesignerRuler, VerticalRulerStartsAgainAtEveryBand)
{
    const QList<DesignerPaper::BandGeometry> bands = canvas().layout();
    ASSERT_GE(bands.count(), 3);
    const QList<Tick> &ticks = vertical()->shownTicks();
    // The report header is shown with no height: it has nothing to measure.
    const auto measured = std::count_if(bands.cbegin(), bands.cend(),
                                        [](const DesignerPaper::BandGeometry &g) { return g.body.height() > 0; });
    EXPECT_EQ(measured, bands.count() - 1);
    EXPECT_EQ(std::count_if(ticks.cbegin(), ticks.cend(), [](const Tick &t) { return t.millimetres == 0; }), measured);
    for (const DesignerPaper::BandGeometry &g : bands) {
        SCOPED_TRACE(g.band.caption.toStdString());
        if (g.body.height() == 0)
            continue;
        const int top = inRuler(vertical(), g.body.topLeft());
        const std::optional<Tick> zero = tickAt(vertical(), 0, top);
        ASSERT_TRUE(zero);
        EXPECT_EQ(zero->position, top);
        // Every band here is at least 30 units high: its 5 mm mark lies 19.69 units down.
        const std::optional<Tick> half = tickAt(vertical(), 5, top);
        ASSERT_TRUE(half);
        EXPECT_EQ(half->position, top + int(std::lround(19.685)));
        // Nothing over the caption strip above the band.
        const int captionTop = inRuler(vertical(), g.caption.topLeft());
        const int captionBottom = inRuler(vertical(), g.caption.bottomLeft());
        EXPECT_TRUE(std::none_of(ticks.cbegin(), ticks.cend(), [&](const Tick &t) {
            return t.position >= captionTop && t.position <= captionBottom;
        }));
    }
}

TEST_F(DesignerRuler, ScrollingShiftsBothRulers)
{
    form(QSize(500, 350));
    const QList<Tick> across = horizontal()->shownTicks();
    const QList<Tick> down = vertical()->shownTicks();
    QScrollBar *h = scroll()->horizontalScrollBar();
    QScrollBar *v = scroll()->verticalScrollBar();
    ASSERT_GE(h->maximum(), 60);
    ASSERT_GE(v->maximum(), 40);
    const auto shifted = [](QList<Tick> ticks, int by) {
        for (Tick &t : ticks)
            t.position -= by;
        return ticks;
    };

    h->setValue(60);
    EXPECT_EQ(horizontal()->shownTicks(), shifted(across, 60));
    EXPECT_EQ(vertical()->shownTicks(), down);
    v->setValue(40);
    EXPECT_EQ(vertical()->shownTicks(), shifted(down, 40));
    EXPECT_EQ(horizontal()->shownTicks(), shifted(across, 60));
    // The zero still sits at the band's edge as the paper shows it now (the
    // report header has no height: the page header's zero is the first).
    const QRect body = canvas().layout().at(1).body;
    const std::optional<Tick> left = tickAt(horizontal(), 0);
    const std::optional<Tick> top = tickAt(vertical(), 0);
    ASSERT_TRUE(left && top);
    EXPECT_EQ(left->position, inRuler(horizontal(), body.topLeft()));
    EXPECT_EQ(top->position, inRuler(vertical(), body.topLeft()));
}

TEST_F(DesignerRuler, TheFocusedElementIsShadedOnBothRulers)
{
    EXPECT_FALSE(horizontal()->marked());
    EXPECT_FALSE(vertical()->marked());
    TRastelReportElement *element = druhy();
    ASSERT_NE(element, nullptr);
    const QRect box = canvas().elementRect(element);
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, box.center());
    ASSERT_EQ(editor().focused(), element);

    const std::optional<QPair<int, int>> across = horizontal()->marked();
    const std::optional<QPair<int, int>> down = vertical()->marked();
    ASSERT_TRUE(across && down);
    EXPECT_EQ(*across, qMakePair(inRuler(horizontal(), box.topLeft()), inRuler(horizontal(), box.bottomRight())));
    EXPECT_EQ(*down, qMakePair(inRuler(vertical(), box.topLeft()), inRuler(vertical(), box.bottomRight())));

    // Drawn: between two ticks the shaded extent differs from the plain paper beside it.
    const QImage image = horizontal()->grab().toImage();
    const int row = image.height() - 1;
    const QColor paper = image.pixelColor(betweenTicks(horizontal(), across->first - 20), row);
    const QColor shaded = image.pixelColor(betweenTicks(horizontal(), across->first + 40), row);
    EXPECT_EQ(paper, QColor(Qt::white));
    EXPECT_NE(shaded, paper);
    EXPECT_NE(shaded, QColor(Qt::black));

    // Only the part of an element on its band is shaded, as only that part is drawn.
    TRastelReportElement *over = editor().elements(TOddilSestavy::Body).at(1);
    const QRect overBox = canvas().elementRect(over);
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, overBox.topLeft() + QPoint(5, 5));
    ASSERT_EQ(editor().focused(), over);
    const QRect body = canvas().layout().at(2).body;
    ASSERT_GT(overBox.bottom(), body.bottom());
    ASSERT_GT(overBox.right(), body.right());
    EXPECT_EQ(horizontal()->marked(),
              qMakePair(inRuler(horizontal(), overBox.topLeft()), inRuler(horizontal(), body.bottomRight())));
    EXPECT_EQ(vertical()->marked(),
              qMakePair(inRuler(vertical(), overBox.topLeft()), inRuler(vertical(), body.bottomRight())));

    // A click on an empty spot drops the selection and the shading.
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, box.topLeft() + QPoint(300, 0));
    EXPECT_FALSE(editor().focused());
    EXPECT_FALSE(horizontal()->marked());
    EXPECT_FALSE(vertical()->marked());
}

// The designer's paper with the mouse beyond single elements: selecting with
// a dragged rectangle, dragging a band's lower edge to change its height, and
// the element tree beside the paper with its selection following the paper's.
#include "DesignerWindowFixture.h"

#include "report/ui/designer/ElementTree.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

class DesignerCanvas : public DesignerWindowFixture
{
protected:
    void SetUp() override
    {
        DesignerWindowFixture::SetUp();
        add(TOddilSestavy::PageHeader, 1, 0, QRect(0, 20, 100, 20), u"Hlavička"_s);
        add(TOddilSestavy::Body, 1, 0, QRect(20, 0, 100, 20), u"První"_s);
        add(TOddilSestavy::Body, 1, 0, QRect(200, 40, 100, 20), u"Druhý"_s);
        add(TOddilSestavy::Body, 1, 0, QRect(400, 70, 100, 20), u"Třetí"_s);
        add(TOddilSestavy::PageFooter, 1, 0, QRect(0, 5, 100, 20), u"Patička"_s);
        m_env.gridX = 10;
        m_env.gridY = 10;
    }

    ElementTree &tree() { return *TestSupport::child<ElementTree>(form(), u"TreePrvky"_s); }
    QAction *action(const QString &name) { return TestSupport::child<QAction>(form(), name); }

    // The band's body on the paper; a unit is a pixel at the 100 % the tests use.
    QRect bodyOf(int sectionId)
    {
        for (const DesignerPaper::BandGeometry &g : canvas().layout()) {
            if (g.band.sectionId == sectionId)
                return g.body;
        }
        ADD_FAILURE() << "no band " << sectionId;
        return {};
    }
    QPoint at(int sectionId, QPoint units) { return bodyOf(sectionId).topLeft() + units; }
    // On the band's lower edge (its last row), away from every element.
    QPoint edgeOf(int sectionId) { return QPoint(bodyOf(sectionId).left() + 300, bodyOf(sectionId).bottom()); }
    int heightOf(int sectionId) { return editor().model().sections().find(sectionId)->height; }

    // The element of the copy that shows that text.
    TRastelReportElement *named(const QString &text)
    {
        for (const DesignerBand &band : editor().bands()) {
            for (TRastelReportElement *e : editor().elements(band.sectionId)) {
                if (canvas().elementText(*e) == text)
                    return e;
            }
        }
        ADD_FAILURE() << "no element " << text.toStdString();
        return nullptr;
    }
    QStringList selectedTexts()
    {
        QStringList texts;
        for (const TRastelReportElement *e : editor().selection())
            texts << canvas().elementText(*e);
        texts.sort();
        return texts;
    }
    // A drag in two steps, as a hand moves.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(&canvas(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(&canvas(), from + (to - from) / 2);
        QTest::mouseMove(&canvas(), to);
        QTest::mouseRelease(&canvas(), Qt::LeftButton, modifiers, to);
    }
    void clickNode(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers = {})
    {
        ASSERT_NE(item, nullptr);
        tree().scrollToItem(item);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, modifiers, tree().visualItemRect(item).center());
    }
    QStringList childTexts(QTreeWidgetItem *band)
    {
        QStringList texts;
        for (int i = 0; band && i < band->childCount(); ++i)
            texts << band->child(i)->text(0);
        return texts;
    }
    QStringList selectedNodes()
    {
        QStringList texts;
        for (const QTreeWidgetItem *item : tree().selectedItems())
            texts << item->text(0);
        texts.sort();
        return texts;
    }
};

// ---------------------------------------------------------------- selecting with a rectangle

struct RubberRow
{
    const char *name;
    QString preselected; // clicked first (empty: none)
    Qt::KeyboardModifiers modifiers;
    int fromSection;
    QPoint from; // units in the band
    int toSection;
    QPoint to;
    QStringList selected; // sorted
};

void PrintTo(const RubberRow &row, std::ostream *os)
{
    *os << row.name;
}

class DesignerRubberBand : public DesignerCanvas, public testing::WithParamInterface<RubberRow>
{
};

TEST_P(DesignerRubberBand, SelectsTheElementsItMeets)
{
    const RubberRow &row = GetParam();
    if (!row.preselected.isEmpty())
        QTest::mouseClick(&canvas(), Qt::LeftButton, {}, canvas().elementRect(named(row.preselected)).center());
    drag(at(row.fromSection, row.from), at(row.toSection, row.to), row.modifiers);
    EXPECT_EQ(selectedTexts(), row.selected);
    if (!row.selected.isEmpty()) {
        EXPECT_TRUE(editor().isSelected(editor().focused()));
    }
    EXPECT_FALSE(editor().canUndo()); // selecting changes nothing
    EXPECT_EQ(action(u"ActionSmazat"_s)->isEnabled(), !row.selected.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignerRubberBand,
    testing::Values(
        RubberRow{"CoveringTwo",
                  {},
                  {},
                  TOddilSestavy::Body,
                  {150, 30},
                  TOddilSestavy::Body,
                  {450, 80},
                  {u"Druhý"_s, u"Třetí"_s}},
        // Drawn up and to the left, over the right end of the first only.
        RubberRow{
            "MeetingOnePartly", {}, {}, TOddilSestavy::Body, {150, 25}, TOddilSestavy::Body, {110, 10}, {u"První"_s}},
        RubberRow{
            "OverAnEmptySpotClears", u"Druhý"_s, {}, TOddilSestavy::Body, {320, 5}, TOddilSestavy::Body, {380, 30}, {}},
        RubberRow{"WithShiftAdds",
                  u"První"_s,
                  Qt::ShiftModifier,
                  TOddilSestavy::Body,
                  {450, 95},
                  TOddilSestavy::Body,
                  {350, 60},
                  {u"První"_s, u"Třetí"_s}},
        RubberRow{"WithoutShiftReplaces",
                  u"První"_s,
                  {},
                  TOddilSestavy::Body,
                  {350, 60},
                  TOddilSestavy::Body,
                  {450, 95},
                  {u"Třetí"_s}},
        RubberRow{"AcrossTwoBands",
                  {},
                  {},
                  TOddilSestavy::PageHeader,
                  {150, 10},
                  TOddilSestavy::Body,
                  {60, 10},
                  {u"Hlavička"_s, u"První"_s}}),
    TestSupport::rowName);

TEST_F(DesignerCanvas, TheRectangleIsDrawnWhileDraggingOnly)
{
    const QPoint from = at(TOddilSestavy::Body, {320, 5});
    const QPoint to = at(TOddilSestavy::Body, {380, 30});
    const auto inkOnTopEdge = [&] {
        const QImage image = canvas().grab().toImage();
        int dark = 0;
        for (int x = from.x(); x < to.x(); ++x)
            dark += image.pixelColor(x, from.y()).lightness() < 128;
        return dark;
    };
    EXPECT_EQ(inkOnTopEdge(), 0);
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&canvas(), to);
    const int dark = inkOnTopEdge();
    // Dashed: dark, but not all along.
    EXPECT_GT(dark, 10);
    EXPECT_LT(dark, to.x() - from.x());
    QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, to);
    EXPECT_EQ(inkOnTopEdge(), 0);
}

// ---------------------------------------------------------------- a band's height

struct HeightRow
{
    const char *name;
    int section;
    int dy; // pixels
    bool snap;
    int height;
    int zoomIndex = 6; // 100 %: a unit is a pixel
};

void PrintTo(const HeightRow &row, std::ostream *os)
{
    *os << row.name;
}

class DesignerBandHeight : public DesignerCanvas, public testing::WithParamInterface<HeightRow>
{
};

TEST_P(DesignerBandHeight, DraggingTheLowerEdgeIsOneStep)
{
    const HeightRow &row = GetParam();
    m_env.snapToGrid = row.snap;
    m_env.zoomIndex = row.zoomIndex;
    const int before = heightOf(row.section);
    const QPoint edge = edgeOf(row.section);
    drag(edge, edge + QPoint(7, row.dy));
    EXPECT_EQ(heightOf(row.section), row.height);
    EXPECT_EQ(bodyOf(row.section).height(), int(std::lround(row.height * canvas().scale())));
    ASSERT_EQ(editor().undoCount(), 1);
    EXPECT_EQ(action(u"ActionZrusit"_s)->text(), u"Zrušit změna výšky oddílu"_s);
    // The elements stay where they were in their band.
    EXPECT_EQ(named(u"Třetí"_s)->top, 70);
    action(u"ActionZrusit"_s)->trigger();
    EXPECT_EQ(heightOf(row.section), before);
    EXPECT_EQ(bodyOf(row.section).height(), int(std::lround(before * canvas().scale())));
    EXPECT_FALSE(editor().isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignerBandHeight,
    testing::Values(HeightRow{"GrowsOntoTheGrid", TOddilSestavy::Body, 23, true, 120},
                    // 46 pixels at 200 % are 23 units.
                    HeightRow{"AtTwiceTheSizeInUnits", TOddilSestavy::Body, 46, true, 120, 9},
                    HeightRow{"FollowsTheMouseWithoutSnapping", TOddilSestavy::Body, 23, false, 123},
                    HeightRow{"ShrinksOntoTheGrid", TOddilSestavy::PageFooter, -13, true, 30},
                    // "Třetí" ends at 70 + 20, "Patička" at 5 + 20.
                    HeightRow{"StopsAtItsLowestElement", TOddilSestavy::Body, -75, true, 90},
                    HeightRow{"TheLimitWinsOverTheGrid", TOddilSestavy::PageFooter, -30, true, 25},
                    HeightRow{"StopsAtItsLowestElementWithoutSnapping", TOddilSestavy::PageFooter, -37, false, 25},
                    HeightRow{"AnEmptyBandStopsAtZero", TOddilSestavy::ReportFooter, -100, true, 0}),
    TestSupport::rowName);

TEST_F(DesignerCanvas, TheLowerEdgeShowsItsCursorAndAClickOnItChangesNothing)
{
    setHeight(TOddilSestavy::Body, 95); // off the grid
    const QPoint edge = edgeOf(TOddilSestavy::Body);
    QTest::mouseMove(&canvas(), edge);
    EXPECT_EQ(canvas().cursor().shape(), Qt::SizeVerCursor);
    EXPECT_EQ(canvas().bandEdgeAt(edge + QPoint(0, 2)), std::optional<int>(TOddilSestavy::Body));
    QTest::mouseMove(&canvas(), edge - QPoint(0, 20));
    EXPECT_EQ(canvas().cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(canvas().bandEdgeAt(edge - QPoint(0, 20)), std::nullopt);

    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, edge);
    EXPECT_EQ(heightOf(TOddilSestavy::Body), 95);
    EXPECT_FALSE(editor().canUndo());

    // A chosen tool keeps its own cursor over the edge.
    action(u"ToolLine"_s)->trigger();
    QTest::mouseMove(&canvas(), edge);
    EXPECT_EQ(canvas().cursor().shape(), Qt::SplitHCursor);
}

// ---------------------------------------------------------------- the element tree

TEST_F(DesignerCanvas, TheTreeIsShownWhileTheEnvironmentAsks)
{
    EXPECT_FALSE(tree().isVisible());
    EXPECT_EQ(tree().topLevelItemCount(), 0);
    // The environment dialog hands the editor its settings; the next refresh follows them.
    DesignerSettings env = m_env;
    env.showTree = true;
    editor().setEnvironment(env);
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, canvas().elementRect(named(u"Druhý"_s)).center());
    EXPECT_TRUE(tree().isVisible());
    EXPECT_EQ(selectedNodes(), QStringList{u"Druhý"_s});
    QCoreApplication::sendPostedEvents();
    EXPECT_GT(tree().width(), 50);
    // It stands at the left of the paper.
    EXPECT_LT(tree().mapTo(&form(), QPoint()).x(), canvas().parentWidget()->mapTo(&form(), QPoint()).x());
    env.showTree = false;
    editor().setEnvironment(env);
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, canvas().elementRect(named(u"Druhý"_s)).center());
    EXPECT_FALSE(tree().isVisible());
}

TEST_F(DesignerCanvas, TheTreeShowsTheBandsAndTheirElements)
{
    m_env.showTree = true;
    EXPECT_TRUE(tree().isVisible());
    QStringList captions;
    for (const DesignerBand &band : editor().bands())
        captions << band.caption;
    QStringList shown;
    for (int i = 0; i < tree().topLevelItemCount(); ++i)
        shown << tree().topLevelItem(i)->text(0);
    EXPECT_EQ(shown, captions);
    EXPECT_TRUE(shown.contains(u"Tělo sestavy"_s));
    EXPECT_EQ(childTexts(tree().bandItem(TOddilSestavy::Body)), (QStringList{u"První"_s, u"Druhý"_s, u"Třetí"_s}));
    EXPECT_EQ(childTexts(tree().bandItem(TOddilSestavy::PageHeader)), QStringList{u"Hlavička"_s});
    EXPECT_EQ(childTexts(tree().bandItem(TOddilSestavy::ReportFooter)), QStringList());
    EXPECT_TRUE(tree().bandItem(TOddilSestavy::Body)->isExpanded());
}

TEST_F(DesignerCanvas, ThePapersSelectionShowsInTheTree)
{
    m_env.showTree = true;
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, canvas().elementRect(named(u"Druhý"_s)).center());
    EXPECT_EQ(selectedNodes(), QStringList{u"Druhý"_s});
    QTest::mouseClick(&canvas(), Qt::LeftButton, Qt::ShiftModifier,
                      canvas().elementRect(named(u"Hlavička"_s)).center());
    EXPECT_EQ(selectedNodes(), (QStringList{u"Druhý"_s, u"Hlavička"_s}));
    EXPECT_EQ(tree().currentItem(), tree().elementItem(named(u"Hlavička"_s)));
    drag(at(TOddilSestavy::Body, {150, 30}), at(TOddilSestavy::Body, {450, 80}));
    EXPECT_EQ(selectedNodes(), (QStringList{u"Druhý"_s, u"Třetí"_s}));
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, at(TOddilSestavy::Body, {600, 10}));
    EXPECT_EQ(selectedNodes(), QStringList());
}

TEST_F(DesignerCanvas, SelectingNodesSelectsTheElements)
{
    m_env.showTree = true;
    clickNode(tree().elementItem(named(u"Třetí"_s)));
    EXPECT_EQ(selectedTexts(), QStringList{u"Třetí"_s});
    EXPECT_EQ(editor().focused(), named(u"Třetí"_s));
    EXPECT_TRUE(action(u"ActionSmazat"_s)->isEnabled());
    clickNode(tree().elementItem(named(u"Hlavička"_s)), Qt::ControlModifier);
    EXPECT_EQ(selectedTexts(), (QStringList{u"Hlavička"_s, u"Třetí"_s}));
    EXPECT_EQ(editor().focused(), named(u"Hlavička"_s));
    // What the nodes selected, the keys move on the paper.
    QTest::keyClick(&canvas(), Qt::Key_Right);
    EXPECT_EQ(named(u"Třetí"_s)->left, 410);
    EXPECT_EQ(named(u"Hlavička"_s)->left, 10);
    // A band's node selects none of its elements.
    clickNode(tree().bandItem(TOddilSestavy::Body));
    EXPECT_EQ(selectedTexts(), QStringList());
    EXPECT_FALSE(action(u"ActionSmazat"_s)->isEnabled());
}

TEST_F(DesignerCanvas, TheTreeFollowsEveryChange)
{
    m_env.showTree = true;
    tree().bandItem(TOddilSestavy::PageHeader)->setExpanded(false);
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, canvas().elementRect(named(u"Druhý"_s)).center());
    QTest::keyClick(&canvas(), Qt::Key_Delete);
    EXPECT_EQ(childTexts(tree().bandItem(TOddilSestavy::Body)), (QStringList{u"První"_s, u"Třetí"_s}));
    // Built again, the tree keeps the bands the user folded.
    EXPECT_FALSE(tree().bandItem(TOddilSestavy::PageHeader)->isExpanded());
    EXPECT_TRUE(tree().bandItem(TOddilSestavy::Body)->isExpanded());
    action(u"ToolLine"_s)->trigger();
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, at(TOddilSestavy::ReportFooter, {100, 0}));
    EXPECT_EQ(childTexts(tree().bandItem(TOddilSestavy::ReportFooter)), QStringList{ElementKind::designerName(7)});

    // Undo builds the copy again; the nodes lead to its elements.
    action(u"ActionZrusit"_s)->trigger();
    action(u"ActionZrusit"_s)->trigger();
    EXPECT_EQ(childTexts(tree().bandItem(TOddilSestavy::Body)), (QStringList{u"První"_s, u"Druhý"_s, u"Třetí"_s}));
    EXPECT_EQ(childTexts(tree().bandItem(TOddilSestavy::ReportFooter)), QStringList());
    clickNode(tree().elementItem(named(u"Druhý"_s)));
    ASSERT_EQ(editor().selection().size(), 1);
    EXPECT_EQ(editor().sectionOf(editor().selection().first()), int(TOddilSestavy::Body));
    EXPECT_EQ(canvas().elementText(*editor().focused()), u"Druhý"_s);
}

TEST_F(DesignerCanvas, SelectingANodeBringsItsElementIntoView)
{
    m_env.showTree = true;
    setHeight(TOddilSestavy::Body, 600);
    form(QSize(700, 300));
    auto *scroll = TestSupport::child<QScrollArea>(form(), u"ScrollBoxPapir"_s);
    ASSERT_EQ(scroll->verticalScrollBar()->value(), 0);
    clickNode(tree().elementItem(named(u"Patička"_s)));
    EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
    const QRect box = canvas().elementRect(named(u"Patička"_s));
    const QRect seen(canvas().mapFrom(scroll->viewport(), QPoint()), scroll->viewport()->size());
    EXPECT_TRUE(seen.contains(box)) << "element not in view";
}

// ---------------------------------------------------------------- zoom

TEST_F(DesignerCanvas, TheZoomListRedrawsThePaperAndKeepsTheSelection)
{
    m_env.zoomIndex = 6; // 100 %
    auto *zoom = TestSupport::child<QComboBox>(form(), u"ComboMeritko"_s);
    EXPECT_EQ(zoom->currentText(), u"100 %"_s);
    TRastelReportElement *second = named(u"Druhý"_s);
    editor().select(second);
    const QSize before = canvas().elementRect(second).size();
    const int width = canvas().width();

    zoom->setCurrentIndex(zoom->findData(200));
    EXPECT_EQ(canvas().zoom(), 200);
    EXPECT_EQ(canvas().elementRect(second).size(), before * 2);
    EXPECT_GT(canvas().width(), width);
    EXPECT_EQ(selectedTexts(), QStringList{u"Druhý"_s});
    // A click at the new scale still finds the element under it.
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, canvas().elementRect(named(u"Třetí"_s)).center());
    EXPECT_EQ(selectedTexts(), QStringList{u"Třetí"_s});
    // The zoom is the window's: the environment still opens at its own.
    EXPECT_EQ(editor().environment().zoomIndex, 6);
}

// ---------------------------------------------------------------- pop-up menu

TEST_F(DesignerCanvas, ThePopUpMenuActsOnTheElementUnderTheMouse)
{
    auto *popup = TestSupport::child<QMenu>(form(), u"PopupPapir"_s);
    editor().select(named(u"První"_s));
    // An element outside the selection becomes the selection.
    const QPoint druhy = canvas().elementRect(named(u"Druhý"_s)).center();
    QContextMenuEvent onDruhy(QContextMenuEvent::Mouse, druhy, canvas().mapToGlobal(druhy));
    QCoreApplication::sendEvent(&canvas(), &onDruhy);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(selectedTexts(), QStringList{u"Druhý"_s});
    EXPECT_TRUE(popup->actions().contains(action(u"ActionVlastnosti"_s)));
    EXPECT_TRUE(action(u"ActionVlastnosti"_s)->isEnabled());
    popup->hide();

    // Within the selection it keeps the selection; "Vložit" goes where the menu opened.
    editor().select(named(u"Třetí"_s), true);
    QContextMenuEvent onSelected(QContextMenuEvent::Mouse, druhy, canvas().mapToGlobal(druhy));
    QCoreApplication::sendEvent(&canvas(), &onSelected);
    EXPECT_EQ(selectedTexts(), (QStringList{u"Druhý"_s, u"Třetí"_s}));
    popup->hide();
    const QPoint empty = at(TOddilSestavy::Body, QPoint(600, 10));
    QContextMenuEvent onEmpty(QContextMenuEvent::Mouse, empty, canvas().mapToGlobal(empty));
    QCoreApplication::sendEvent(&canvas(), &onEmpty);
    EXPECT_EQ(canvas().pastePoint(), std::make_pair(int(TOddilSestavy::Body), QPoint(600, 10)));
    popup->hide();
}

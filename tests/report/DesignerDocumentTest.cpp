// The template designer's editing logic: bands, inserting, moving with the
// grid and the band's edges, undo steps, the clipboard text, groups, user
// functions, and a template built from nothing, saved, read back and laid out.
#include "DataFixture.h"
#include "ModelDump.h"

#include "common/Clock.h"
#include "report/core/designer/DesignerClipboard.h"
#include "report/core/designer/DesignerDocument.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/PageDump.h"
#include "report/core/template/ReportColors.h"

#include <QFile>

#include <memory>

using namespace Qt::StringLiterals;

class DesignerFixture : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 3, 5), QTime(10, 30))));
        // 726 units between the margins.
        pageSetup().paperWidth = 826;
        pageSetup().paperHeight = 400;
        m_report.collectFields();
        m_env.gridX = 10;
        m_env.gridY = 10;
        setHeight(TOddilSestavy::PageHeader, 40);
        setHeight(TOddilSestavy::Body, 100);
        setHeight(TOddilSestavy::PageFooter, 20);
        m_report.setPredloha(m_report.writeTemplate());
    }
    void TearDown() override
    {
        m_editor.reset();
        Clock::setCurrent(nullptr);
        DataFixture::TearDown();
    }

    DesignerDocument &editor()
    {
        if (!m_editor)
            m_editor = std::make_unique<DesignerDocument>(m_report, m_env);
        return *m_editor;
    }
    TRastelReportElement *insertAt(int sectionId, QPoint at, DesignerTool tool = DesignerTool::GraphicText)
    {
        TRastelReportElement *e = editor().insertElement(tool, sectionId, at);
        EXPECT_NE(e, nullptr);
        return e;
    }
    static QPoint pos(const TRastelReportElement *e) { return {e->left, e->top}; }

    DesignerSettings m_env;
    std::unique_ptr<DesignerDocument> m_editor;
};

// ---------------------------------------------------------------- bands

TEST_F(DesignerFixture, BandsFollowThePrintOrderWithGroupsAroundTheBody)
{
    m_report.model().addGroup(Skupina);
    m_report.model().addGroup(Doklad);
    m_report.setPredloha(m_report.writeTemplate());
    QStringList shown;
    for (const DesignerBand &band : editor().bands())
        shown << u"%1 %2 %3"_s.arg(band.sectionId).arg(band.caption).arg(band.height);
    EXPECT_EQ(shown, (QStringList{u"0 Začátek sestavy 0"_s, u"1 Hlava stránky 40"_s, u"5 Začátek skupiny 1 0"_s,
                                  u"7 Začátek skupiny 2 0"_s, u"2 Tělo sestavy 100"_s, u"8 Konec skupiny 2 0"_s,
                                  u"6 Konec skupiny 1 0"_s, u"3 Konec sestavy 0"_s, u"4 Pata stránky 20"_s}));
}

// ---------------------------------------------------------------- inserting

struct InsertCase
{
    const char *name;
    DesignerTool tool;
    int reference;
    int kind;
    int expectedReference;
    int alignment; // -1: not a text kind
};

class DesignerInsert : public DesignerFixture, public testing::WithParamInterface<InsertCase>
{
};

TEST_P(DesignerInsert, MapsTheToolAndTakesTheDefaults)
{
    m_report.functions().add().resultType = TRadekFunkce::ResultText;
    m_report.functions().add().resultType = TRadekFunkce::ResultNumber;
    m_report.setPredloha(m_report.writeTemplate());
    m_env.newWidth = 150;
    m_env.newHeight = 30;
    m_env.newTextAlignment = 2;
    m_env.newNumberAlignment = 1;
    m_env.newFontName = u"Courier New CE"_s;
    m_env.newFontSize = -50; // 50 pixels at 100 per inch: 36 points
    m_env.newFontColour = 9;
    m_env.newFontStyle = FontDef::Bold;
    m_env.newFontCharset = 1;

    TRastelReportElement *e =
        editor().insertElement(GetParam().tool, TOddilSestavy::Body, QPoint(33, 17), GetParam().reference);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->kind, GetParam().kind);
    EXPECT_EQ(e->reference, GetParam().expectedReference);
    EXPECT_EQ(pos(e), QPoint(30, 20));
    EXPECT_EQ(QSize(e->width, e->height), QSize(150, 30));
    if (GetParam().alignment >= 0) {
        EXPECT_EQ(e->alignment(), GetParam().alignment);
        EXPECT_EQ(e->font.name, u"Courier New"_s);
        EXPECT_EQ(e->font.charset, 238);
        EXPECT_EQ(e->font.size, 36);
        EXPECT_EQ(e->font.colour, ReportColors::fromIndex(9));
        EXPECT_EQ(e->font.style, FontDef::Bold);
    }
    EXPECT_EQ(editor().selection(), QList<TRastelReportElement *>{e});
    EXPECT_EQ(editor().focused(), e);
    EXPECT_EQ(editor().undoName(), u"vložení prvku"_s);
    EXPECT_TRUE(editor().isModified());
    // What the template keeps of it.
    EXPECT_EQ(editor().sectionOf(e), TOddilSestavy::Body);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, DesignerInsert,
    testing::Values(InsertCase{"TextField", DesignerTool::DataField, DataFixture::Doklad, 2, 0, 2},
                    InsertCase{"NumberField", DesignerTool::DataField, DataFixture::Castka, 2, 1, 1},
                    InsertCase{"FieldLabel", DesignerTool::FieldLabel, DataFixture::Castka, 3, 1, 2},
                    InsertCase{"Parameter", DesignerTool::Parameter, 3, 4, 3, 2},
                    InsertCase{"TextFunction", DesignerTool::UserFunction, 0, 6, 0, 2},
                    InsertCase{"NumberFunction", DesignerTool::UserFunction, 1, 6, 1, 1},
                    InsertCase{"PrintDate", DesignerTool::PrintDate, 0, 5, 0, 2},
                    InsertCase{"PrintTime", DesignerTool::PrintTime, 0, 5, 1, 2},
                    InsertCase{"RowNumber", DesignerTool::RowNumber, 0, 5, 2, 1},
                    InsertCase{"PageNumber", DesignerTool::PageNumber, 0, 5, 3, 1},
                    InsertCase{"PageCount", DesignerTool::PageCount, 0, 5, 4, 1},
                    InsertCase{"RowInGroup2", DesignerTool::RowInGroup, 1, 5, 7, 1},
                    InsertCase{"GroupNumber1", DesignerTool::GroupNumber, 0, 5, 6, 1},
                    InsertCase{"GraphicText", DesignerTool::GraphicText, 0, 1, 0, 2},
                    InsertCase{"Line", DesignerTool::Line, 0, 7, 0, -1},
                    InsertCase{"Rectangle", DesignerTool::Rectangle, 0, 8, 8, -1},
                    InsertCase{"RoundRectangle", DesignerTool::RoundRectangle, 0, 9, 9, -1},
                    InsertCase{"Ellipse", DesignerTool::Ellipse, 0, 10, 10, -1},
                    InsertCase{"Picture", DesignerTool::Picture, 0, 11, 0, -1},
                    InsertCase{"Barcode", DesignerTool::Barcode, 0, 12, 0, -1},
                    InsertCase{"PaintBox", DesignerTool::PaintBox, 2, 13, 2, -1},
                    InsertCase{"Detail", DesignerTool::Detail, 1, 15, 1, -1}),
    [](const testing::TestParamInfo<InsertCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(DesignerFixture, InsertFollowsByNameWhenTheEnvironmentSaysSo)
{
    m_env.followByName = true;
    TRastelReportElement *e = insertAt(TOddilSestavy::Body, QPoint(0, 0), DesignerTool::DataField);
    EXPECT_EQ(e->referenceName, u"Doklad"_s);
    EXPECT_EQ(editor().insertElement(DesignerTool::DataField, 99, QPoint()), nullptr);
    EXPECT_EQ(editor().undoCount(), 1);
}

// ---------------------------------------------------------------- moving

struct MoveCase
{
    const char *name;
    bool snap;
    bool allowOutside;
    bool characterGrid;
    QPoint start;
    QPoint offset;
    QPoint expected;
};

class DesignerMove : public DesignerFixture, public testing::WithParamInterface<MoveCase>
{
};

TEST_P(DesignerMove, SnapsAndKeepsInsideTheBand)
{
    const MoveCase &c = GetParam();
    if (c.characterGrid) {
        // 10 characters per inch, 4 lines per inch: a cell of 10 x 25.
        m_report.settings().gridType = 1;
        m_report.settings().pitch = 0;
        m_report.settings().lineSpacing = 1;
        m_report.setPredloha(m_report.writeTemplate());
    }
    m_env.snapToGrid = false; // the start exactly where the case says
    TRastelReportElement *e = insertAt(TOddilSestavy::Body, c.start);
    ASSERT_EQ(pos(e), c.start);
    DesignerSettings env = m_env;
    env.snapToGrid = c.snap;
    env.allowMoveOutside = c.allowOutside;
    editor().setEnvironment(env);

    EXPECT_EQ(editor().moveSelection(c.offset), pos(e) != c.expected);
    EXPECT_EQ(pos(e), c.expected);
}

// Body: 726 x 100; the element 200 x 20; the grid 10 x 10.
INSTANTIATE_TEST_SUITE_P(
    Cases, DesignerMove,
    testing::Values(MoveCase{"SnapsToTheNearestCrossing", true, false, false, {10, 10}, {14, 7}, {20, 20}},
                    MoveCase{"WithoutSnapTheExactOffset", false, false, false, {10, 10}, {14, 7}, {24, 17}},
                    MoveCase{"KeptAboveTheBottomEdge", true, false, false, {10, 10}, {0, 200}, {10, 80}},
                    MoveCase{"KeptLeftOfTheRightEdge", true, false, false, {10, 10}, {700, 0}, {526, 10}},
                    MoveCase{"KeptRightOfTheLeftAndBelowTheTop", false, false, false, {10, 10}, {-50, -50}, {0, 0}},
                    MoveCase{"OutsideWhenAllowed", true, true, false, {10, 10}, {-33, 204}, {-20, 210}},
                    MoveCase{"CharacterCell", true, false, true, {0, 0}, {14, 38}, {10, 50}},
                    MoveCase{"CharacterCellKeptInside", true, false, true, {0, 0}, {0, 90}, {0, 80}},
                    MoveCase{"NoOffsetNoStep", true, false, false, {10, 10}, {2, 3}, {10, 10}}),
    [](const testing::TestParamInfo<MoveCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(DesignerFixture, SeveralElementsMoveWithTheFocusedOnTheGrid)
{
    m_env.snapToGrid = false;
    TRastelReportElement *a = insertAt(TOddilSestavy::Body, QPoint(11, 11));
    TRastelReportElement *b = insertAt(TOddilSestavy::Body, QPoint(100, 75));
    TRastelReportElement *other = insertAt(TOddilSestavy::PageHeader, QPoint(0, 0));
    DesignerSettings env = m_env;
    env.snapToGrid = true;
    editor().setEnvironment(env);
    editor().select(b);
    editor().select(a, true); // a focused
    ASSERT_TRUE(editor().moveSelection(QPoint(5, 6)));
    EXPECT_EQ(pos(a), QPoint(20, 20));
    // b keeps its distance to a, as far as the band lets it.
    EXPECT_EQ(pos(b), QPoint(109, 80));
    EXPECT_EQ(pos(other), QPoint(0, 0));
    EXPECT_EQ(editor().undoName(), u"posun prvku"_s);

    ASSERT_TRUE(editor().moveElement(other, QPoint(41, 12)));
    EXPECT_EQ(pos(other), QPoint(40, 10));
    EXPECT_EQ(editor().selection(), QList<TRastelReportElement *>{other});
}

TEST_F(DesignerFixture, ResizeSnapsTheFarEdgesAndStaysInTheBand)
{
    TRastelReportElement *e = insertAt(TOddilSestavy::Body, QPoint(20, 30));
    ASSERT_TRUE(editor().resizeElement(e, QSize(96, 33)));
    EXPECT_EQ(QSize(e->width, e->height), QSize(100, 30));
    ASSERT_TRUE(editor().resizeElement(e, QSize(2000, 500)));
    EXPECT_EQ(QSize(e->width, e->height), QSize(706, 70));
    ASSERT_TRUE(editor().resizeElement(e, QSize(-5, 0)));
    EXPECT_EQ(QSize(e->width, e->height), QSize(1, 1));
    EXPECT_EQ(editor().undoName(), u"posun prvku"_s);
}

TEST_F(DesignerFixture, AlignToGridAllOrSelectedEvenWithoutSnapping)
{
    m_env.snapToGrid = false;
    TRastelReportElement *a = insertAt(TOddilSestavy::Body, QPoint(13, 17));
    TRastelReportElement *b = insertAt(TOddilSestavy::PageHeader, QPoint(24, 6));
    editor().select(a);
    ASSERT_TRUE(editor().alignToGrid(true));
    EXPECT_EQ(pos(a), QPoint(10, 20));
    EXPECT_EQ(pos(b), QPoint(24, 6));
    ASSERT_TRUE(editor().alignToGrid(false));
    EXPECT_EQ(pos(b), QPoint(20, 10));
    EXPECT_FALSE(editor().alignToGrid(false)); // nothing left to align: no step
}

TEST_F(DesignerFixture, FrontAndBackReorderTheBandAndKeepTheSelection)
{
    for (const QString &text : {u"a"_s, u"b"_s, u"c"_s})
        insertAt(TOddilSestavy::Body, QPoint(0, 0))->text = text;
    const auto texts = [&](const QList<TRastelReportElement *> &list) {
        QString result;
        for (const TRastelReportElement *e : list)
            result += e->text;
        return result;
    };
    const auto element = [&](int index) { return editor().elements(TOddilSestavy::Body).at(index); };
    editor().select(element(0));
    ASSERT_TRUE(editor().bringToFront());
    EXPECT_EQ(texts(editor().elements(TOddilSestavy::Body)), u"bca"_s);
    EXPECT_EQ(texts(editor().selection()), u"a"_s);
    EXPECT_EQ(editor().focused(), element(2));
    editor().select(element(1));
    editor().select(element(2), true);
    ASSERT_TRUE(editor().sendToBack());
    EXPECT_EQ(texts(editor().elements(TOddilSestavy::Body)), u"cab"_s);
    EXPECT_EQ(texts(editor().selection()), u"ca"_s);
    EXPECT_EQ(editor().focused(), element(1));
    EXPECT_EQ(editor().undoName(), u"posun prvku"_s);
    EXPECT_FALSE(editor().sendToBack()); // already at the back: no step
}

TEST_F(DesignerFixture, DeleteRemovesTheSelectionAndAsksAsTheEnvironmentSays)
{
    TRastelReportElement *a = insertAt(TOddilSestavy::Body, QPoint(0, 0));
    TRastelReportElement *b = insertAt(TOddilSestavy::PageHeader, QPoint(10, 0));
    EXPECT_EQ(editor().deleteQuestion(), QString()); // one, "MazaniJedne" off
    editor().select(a, true);
    EXPECT_EQ(editor().deleteQuestion(), u"Smazat všechny vybrané prvky?"_s);
    ASSERT_TRUE(editor().deleteSelection());
    EXPECT_TRUE(editor().elements(TOddilSestavy::Body).isEmpty());
    EXPECT_TRUE(editor().elements(TOddilSestavy::PageHeader).isEmpty());
    EXPECT_TRUE(editor().selection().isEmpty());
    EXPECT_EQ(editor().focused(), nullptr);
    EXPECT_EQ(editor().undoName(), u"zrušení prvku"_s);
    EXPECT_FALSE(editor().deleteSelection());
    Q_UNUSED(b);

    DesignerSettings env = m_env;
    env.confirmDeleteOne = true;
    editor().setEnvironment(env);
    editor().select(insertAt(TOddilSestavy::Body, QPoint(0, 0)));
    EXPECT_EQ(editor().deleteQuestion(), u"Smazat vybraný prvek?"_s);
}

// ---------------------------------------------------------------- undo

TEST_F(DesignerFixture, UndoStepsAreNamedAndTakenBackAndForth)
{
    TRastelReportElement *e = insertAt(TOddilSestavy::Body, QPoint(0, 0));
    const TPredloha afterInsert = editor().model().writeTemplate();
    ASSERT_TRUE(editor().setText(e, u"Nový"_s));
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 60));
    EXPECT_EQ(editor().undoName(), u"změna výšky oddílu"_s);

    ASSERT_TRUE(editor().undo());
    EXPECT_EQ(editor().model().sections().find(TOddilSestavy::Body)->height, 100);
    EXPECT_TRUE(editor().selection().isEmpty()); // the copy was rebuilt
    EXPECT_EQ(editor().undoName(), u"změna textu"_s);
    EXPECT_EQ(editor().redoName(), u"změna výšky oddílu"_s);
    ASSERT_TRUE(editor().undo());
    EXPECT_EQ(editor().model().writeTemplate(), afterInsert);
    ASSERT_TRUE(editor().redo());
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).value(0)->text, u"Nový"_s);
    EXPECT_EQ(editor().redoName(), u"změna výšky oddílu"_s);

    // A new change clears the steps to redo.
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::PageHeader, 10));
    EXPECT_FALSE(editor().canRedo());
    EXPECT_FALSE(editor().redo());

    ASSERT_TRUE(editor().undo());
    ASSERT_TRUE(editor().undo());
    ASSERT_TRUE(editor().undo());
    EXPECT_FALSE(editor().undo());
    EXPECT_FALSE(editor().isModified()); // back where it started
}

TEST_F(DesignerFixture, UndoKeepsTheLastStepsUpToTheLimit)
{
    m_env.undoLimit = 3;
    for (int h = 1; h <= 5; ++h)
        ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, h * 10));
    EXPECT_EQ(editor().undoCount(), 3);
    while (editor().undo()) {
    }
    // The oldest steps were dropped: back to 20, not to 100.
    EXPECT_EQ(editor().model().sections().find(TOddilSestavy::Body)->height, 20);

    DesignerSettings env = m_env;
    env.undoLimit = 0;
    editor().setEnvironment(env);
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 70));
    EXPECT_FALSE(editor().canUndo());
}

TEST_F(DesignerFixture, ANoOpChangeLeavesNoStep)
{
    EXPECT_FALSE(editor().setSectionHeight(TOddilSestavy::Body, 100));
    EXPECT_FALSE(editor().setSectionHeight(42, 10));
    EXPECT_FALSE(editor().canUndo());
    EXPECT_FALSE(editor().isModified());
}

TEST_F(DesignerFixture, ABandIsNeverLowerThanItsElements)
{
    insertAt(TOddilSestavy::Body, QPoint(0, 40)); // 20 high: its bottom at 60
    EXPECT_EQ(editor().minimumSectionHeight(TOddilSestavy::Body), 60);
    EXPECT_EQ(editor().minimumSectionHeight(TOddilSestavy::PageHeader), 0);
    EXPECT_EQ(editor().minimumSectionHeight(42), -1);
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 30));
    EXPECT_EQ(editor().model().sections().find(TOddilSestavy::Body)->height, 60);
    EXPECT_FALSE(editor().setSectionHeight(TOddilSestavy::Body, -5)); // already as low as it goes
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 75));

    // An element sticking out below keeps the band where it is, no higher.
    DesignerSettings env = m_env;
    env.allowMoveOutside = true;
    editor().setEnvironment(env);
    ASSERT_TRUE(editor().moveSelection(QPoint(0, 50)));
    EXPECT_EQ(editor().minimumSectionHeight(TOddilSestavy::Body), 75);
    EXPECT_FALSE(editor().setSectionHeight(TOddilSestavy::Body, 10));
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 200));
    EXPECT_EQ(editor().minimumSectionHeight(TOddilSestavy::Body), 110);
}

TEST_F(DesignerFixture, EveryChangeIsNamedAsTheMenuShowsIt)
{
    TRastelReportElement *e = insertAt(TOddilSestavy::Body, QPoint(0, 0));
    TRastelReportElement *detail = insertAt(TOddilSestavy::Body, QPoint(0, 0), DesignerTool::Detail);
    QStringList names;
    const auto note = [&](bool done) {
        EXPECT_TRUE(done) << names.size();
        names << editor().undoName();
    };
    FontDef font;
    font.name = u"Times New Roman"_s;
    editor().select(e);
    note(editor().setFont(font));
    note(editor().setAlignment(TRastelReportElement::AlignJustify));
    note(editor().setText(e, u"x"_s));
    note(editor().setDetail(detail, 2));
    TRastelReportElement settings = *e;
    settings.angle = 90;
    note(editor().replaceElement(e, settings));
    TRadekFunkce f;
    f.name = u"Soucet"_s;
    note(editor().addFunction(f) == 0);
    f.expression = u"#Castka"_s;
    note(editor().editFunction(0, f));
    note(editor().deleteFunction(0));
    note(editor().addGroup(Skupina) == 0);
    note(editor().setSectionHeight(TOddilSestavy::Body, 50));
    note(editor().edit(u"nastavení oddílů a skupin"_s, [](TSestava &m) { m.settings().newBodyOnNewPage = true; }));
    EXPECT_EQ(names,
              (QStringList{u"změna písma"_s, u"změna zarovnávání"_s, u"změna textu"_s, u"změna detailu"_s,
                           u"nastavení prvku"_s, u"přidání funkce"_s, u"oprava funkce"_s, u"zrušení funkce"_s,
                           u"nastavení oddílů a skupin"_s, u"změna výšky oddílu"_s, u"nastavení oddílů a skupin"_s}));
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).value(0)->alignment(), TRastelReportElement::AlignJustify);
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).value(1)->reference, 2);
}

// ---------------------------------------------------------------- saving

TEST_F(DesignerFixture, SavingClearsTheStepsUnlessKeptAndAFailedSaveKeepsTheChanges)
{
    int result = seTemplateSave;
    editor().saveHandler = [&](TSestava &report) {
        EXPECT_EQ(&report, &m_report);
        return result;
    };
    insertAt(TOddilSestavy::Body, QPoint(0, 0));
    EXPECT_EQ(editor().save(), seTemplateSave);
    EXPECT_TRUE(editor().isModified());
    EXPECT_TRUE(editor().canUndo());

    result = seOK;
    EXPECT_EQ(editor().save(), seOK);
    EXPECT_FALSE(editor().isModified());
    EXPECT_FALSE(editor().canUndo());
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::Body)->count(), 1);

    DesignerSettings env = m_env;
    env.undoAfterSave = true;
    editor().setEnvironment(env);
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 30));
    EXPECT_EQ(editor().save(), seOK);
    EXPECT_TRUE(editor().canUndo());
    ASSERT_TRUE(editor().undo());
    EXPECT_TRUE(editor().isModified());
}

// ---------------------------------------------------------------- clipboard

TEST_F(DesignerFixture, CutAndPasteKeepTheElementsAroundTheAnchor)
{
    TRastelReportElement *a = insertAt(TOddilSestavy::Body, QPoint(50, 40));
    TRastelReportElement *b = insertAt(TOddilSestavy::Body, QPoint(30, 60), DesignerTool::DataField);
    a->text = u"a, \"b\""_s;
    editor().select(b);
    editor().select(a, true);

    const QString text = editor().cutSelection();
    const QStringList lines = text.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 6);
    // The anchor is the topmost element; the focused one is the first copied.
    EXPECT_EQ(lines.mid(0, 4), (QStringList{u"RastelEditor"_s, u"50"_s, u"40"_s, u"0"_s}));
    EXPECT_TRUE(lines.at(4).startsWith(u"X,1,0,50,40,200,20,"_s)) << lines.at(4).toStdString();
    EXPECT_TRUE(lines.at(5).startsWith(u"X,2,0,30,60,"_s)) << lines.at(5).toStdString();
    EXPECT_TRUE(editor().elements(TOddilSestavy::Body).isEmpty());
    EXPECT_EQ(editor().undoName(), u"vystřižení do úschovy"_s);

    ASSERT_TRUE(editor().paste(text, TOddilSestavy::PageFooter, QPoint(302, 0)));
    // Footer of 20: b would lie 20 below a, so it is kept inside.
    const QList<TRastelReportElement *> pasted = editor().elements(TOddilSestavy::PageFooter);
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_EQ(pos(pasted[0]), QPoint(300, 0));
    EXPECT_EQ(pasted[0]->text, u"a, \"b\""_s);
    EXPECT_EQ(pos(pasted[1]), QPoint(280, 0));
    EXPECT_EQ(editor().selection(), pasted);
    EXPECT_EQ(editor().focused(), pasted[0]);
    EXPECT_EQ(editor().undoName(), u"vložení z úschovy"_s);

    // Into the body they keep their distance exactly.
    ASSERT_TRUE(editor().paste(text, TOddilSestavy::Body, QPoint(100, 10)));
    const QList<TRastelReportElement *> body = editor().elements(TOddilSestavy::Body);
    ASSERT_EQ(body.size(), 2);
    EXPECT_EQ(pos(body[0]), QPoint(100, 10));
    EXPECT_EQ(pos(body[1]), QPoint(80, 30));
    EXPECT_EQ(body[1]->kind, ElementKind::Field);
}

TEST_F(DesignerFixture, CopyLeavesTheModelAndMarksNoFocusOutsideTheCopy)
{
    TRastelReportElement *a = insertAt(TOddilSestavy::Body, QPoint(0, 0));
    editor().select(a);
    const int steps = editor().undoCount();
    const QString text = editor().copySelection();
    EXPECT_EQ(editor().undoCount(), steps);
    ASSERT_TRUE(DesignerClipboard::read(text).has_value());
    EXPECT_EQ(DesignerClipboard::read(text)->focusIndex, 0);
    editor().clearSelection();
    EXPECT_EQ(editor().copySelection(), QString());
    EXPECT_EQ(editor().cutSelection(), QString());
    EXPECT_EQ(DesignerClipboard::write({a}, -1).split(u"\r\n"_s).value(3), u"-1"_s);
}

struct ForeignCase
{
    const char *name;
    const char16_t *text;
};

class DesignerForeignPaste : public DesignerFixture, public testing::WithParamInterface<ForeignCase>
{
};

TEST_P(DesignerForeignPaste, IsRefusedAndChangesNothing)
{
    insertAt(TOddilSestavy::Body, QPoint(0, 0));
    const TPredloha before = editor().model().writeTemplate();
    const int steps = editor().undoCount();
    EXPECT_FALSE(editor().paste(QString::fromUtf16(GetParam().text), TOddilSestavy::Body, QPoint(10, 10)));
    EXPECT_EQ(editor().model().writeTemplate(), before);
    EXPECT_EQ(editor().undoCount(), steps);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DesignerForeignPaste,
    testing::Values(ForeignCase{"Empty", u""}, ForeignCase{"ThreeLines", u"RastelEditor\r\n0\r\n0"},
                    ForeignCase{"OtherProgram", u"Hello\r\n0\r\n0\r\n-1\r\nX,1,0,0,0,10,10"},
                    ForeignCase{"LowerCaseHeader", u"rasteleditor\r\n0\r\n0\r\n-1\r\nX,1,0,0,0,10,10"},
                    ForeignCase{"NoElements", u"RastelEditor\r\n0\r\n0\r\n-1"},
                    ForeignCase{"AnchorNotANumber", u"RastelEditor\r\nleft\r\n0\r\n-1\r\nX,1,0,0,0,10,10"},
                    ForeignCase{"UnknownKindOnly", u"RastelEditor\r\n0\r\n0\r\n-1\r\nX,14,0,0,0,10,10"}),
    [](const testing::TestParamInfo<ForeignCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(DesignerFixture, PasteIntoAMissingBandIsRefused)
{
    TRastelReportElement *a = insertAt(TOddilSestavy::Body, QPoint(0, 0));
    editor().select(a);
    EXPECT_FALSE(editor().paste(editor().copySelection(), TOddilSestavy::groupHeaderId(0), QPoint()));
}

// ---------------------------------------------------------------- groups and functions

TEST_F(DesignerFixture, RemovingAGroupTakesItsBandsAndRenumbersTheLater)
{
    ASSERT_EQ(editor().addGroup(Skupina), 0);
    ASSERT_EQ(editor().addGroup(Doklad), 1);
    EXPECT_EQ(editor().model().sections().find(TOddilSestavy::groupFooterId(1))->height, m_env.newHeight);
    insertAt(TOddilSestavy::groupHeaderId(0), QPoint(0, 0))->text = u"první"_s;
    insertAt(TOddilSestavy::groupFooterId(1), QPoint(0, 0))->text = u"druhá"_s;
    TRastelReportElement *row2 = editor().insertElement(DesignerTool::RowInGroup, TOddilSestavy::Body, QPoint(), 1);
    TRastelReportElement *row1 = editor().insertElement(DesignerTool::GroupNumber, TOddilSestavy::Body, QPoint(), 0);
    TRadekFunkce perGroup2;
    perGroup2.resetPoint = TRadekFunkce::resetPerGroup(1);
    TRadekFunkce perGroup1;
    perGroup1.resetPoint = TRadekFunkce::resetPerGroup(0);
    editor().addFunction(perGroup2);
    editor().addFunction(perGroup1);
    editor().select(row2);

    ASSERT_TRUE(editor().removeGroup(0));
    EXPECT_EQ(editor().undoName(), u"nastavení oddílů a skupin"_s);
    const TSestava &m = editor().model();
    ASSERT_EQ(m.groups().count(), 1);
    EXPECT_EQ(m.groups().at(0).fieldIndex, int(Doklad));
    EXPECT_EQ(m.groups().at(0).header->id, TOddilSestavy::groupHeaderId(0));
    EXPECT_EQ(m.sections().count(), TOddilSestavy::FixedCount + 2);
    EXPECT_EQ(m.sections().find(TOddilSestavy::groupFooterId(0))->at(0).text, u"druhá"_s);
    EXPECT_EQ(row2->reference, SystemVariable::rowInGroup(0));
    EXPECT_EQ(row1->reference, SystemVariable::RowNumber);
    EXPECT_EQ(m.functions().at(0).resetPoint, TRadekFunkce::resetPerGroup(0));
    EXPECT_EQ(m.functions().at(1).resetPoint, TRadekFunkce::ResetPerReport);
    EXPECT_EQ(editor().selection(), QList<TRastelReportElement *>{row2});
    // The template reads back to the same groups.
    TSestava reread;
    reread.setFieldNames(m.fieldNames());
    reread.setPredloha(m.writeTemplate());
    EXPECT_EQ(dumpModel(reread), dumpModel(m));

    EXPECT_FALSE(editor().removeGroup(1));
    ASSERT_TRUE(editor().undo());
    EXPECT_EQ(editor().model().groups().count(), 2);
    EXPECT_EQ(editor().model().sections().find(TOddilSestavy::groupHeaderId(0))->at(0).text, u"první"_s);
}

TEST_F(DesignerFixture, DeletingAFunctionKeepsTheOtherElementsOnTheirFunctions)
{
    TRadekFunkce f;
    f.name = u"Prvni"_s;
    editor().addFunction(f);
    f.name = u"Druha"_s;
    editor().addFunction(f);
    f.name = QString();
    EXPECT_EQ(editor().addFunction(f), 2);
    EXPECT_EQ(editor().model().functions().at(2).name, u"Funkce3"_s);
    TRastelReportElement *first = editor().insertElement(DesignerTool::UserFunction, TOddilSestavy::Body, QPoint(), 0);
    TRastelReportElement *second = editor().insertElement(DesignerTool::UserFunction, TOddilSestavy::Body, QPoint(), 1);
    ASSERT_TRUE(editor().deleteFunction(0));
    EXPECT_EQ(editor().model().functions().count(), 2);
    EXPECT_EQ(second->reference, 0);
    EXPECT_EQ(editor().model().elementText(*second), editor().model().functions().displayText(0));
    EXPECT_EQ(editor().model().elementText(*first), u"????"_s);
    EXPECT_FALSE(editor().deleteFunction(5));
    EXPECT_FALSE(editor().editFunction(-1, f));
}

TEST_F(DesignerFixture, AScratchCopyHoldsTheEditedTemplateAndLeavesTheCopyAlone)
{
    m_report.setIniFileName(tempPath(u"SestDLL.ini"_s));
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 60));
    TSestava scratch;
    editor().copyModelTo(scratch);
    EXPECT_EQ(scratch.writeTemplate(), editor().model().writeTemplate()) << "the edited lines, not the report's";
    EXPECT_EQ(scratch.fieldNames(), m_report.fieldNames());
    EXPECT_EQ(scratch.fieldLabels(), m_report.fieldLabels());
    EXPECT_EQ(scratch.iniFilePath(), m_report.iniFilePath());
    EXPECT_EQ(scratch.dataSource(), m_report.dataSource());
    EXPECT_EQ(scratch.fieldSize(Doklad), 10);
    EXPECT_EQ(scratch.fieldSize(Skupina), 5) << "sized by the report's data";

    scratch.sections().find(TOddilSestavy::Body)->height = 5;
    scratch.functions().add();
    EXPECT_EQ(editor().model().sections().find(TOddilSestavy::Body)->height, 60);
    EXPECT_EQ(editor().model().functions().count(), 0);
    EXPECT_EQ(editor().undoCount(), 1);
}

// ---------------------------------------------------------------- a whole template

TEST_F(DesignerFixture, TemplateBuiltFromNothingSavesReadsBackAndLaysOut)
{
    m_report.setPredloha(TPredloha());
    m_report.setIsStored(false);
    m_report.setReportName(u"navrh"_s);
    addRecord(u"D001"_s, 10, u"A"_s);
    addRecord(u"D002"_s, 20, u"A"_s);
    addRecord(u"D003"_s, 5, u"B"_s);
    m_table.first();
    m_env.newWidth = 100;
    m_env.newHeight = 20;
    m_env.newFontName = u"Arial CE"_s;

    DesignerDocument &ed = editor();
    ASSERT_TRUE(ed.setSectionHeight(TOddilSestavy::ReportHeader, 30));
    ASSERT_TRUE(ed.setSectionHeight(TOddilSestavy::Body, 20));
    ASSERT_TRUE(ed.setSectionHeight(TOddilSestavy::PageFooter, 20));
    ASSERT_TRUE(ed.setText(insertAt(TOddilSestavy::ReportHeader, QPoint(0, 0)), u"Přehled, \"dokladů\""_s));
    insertAt(TOddilSestavy::Body, QPoint(0, 0), DesignerTool::DataField);
    ASSERT_NE(ed.insertElement(DesignerTool::DataField, TOddilSestavy::Body, QPoint(200, 0), Castka), nullptr);
    insertAt(TOddilSestavy::PageFooter, QPoint(600, 0), DesignerTool::PageNumber);
    TRadekFunkce sum;
    sum.name = u"Soucet"_s;
    sum.expression = u"#Castka"_s;
    sum.aggregateKind = TRadekFunkce::Sum;
    sum.resetPoint = TRadekFunkce::resetPerGroup(0);
    ASSERT_EQ(ed.addFunction(sum), 0);
    ASSERT_EQ(ed.addGroup(Skupina), 0);
    ASSERT_NE(ed.insertElement(DesignerTool::DataField, TOddilSestavy::groupHeaderId(0), QPoint(0, 0), Skupina),
              nullptr);
    ASSERT_NE(ed.insertElement(DesignerTool::UserFunction, TOddilSestavy::groupFooterId(0), QPoint(200, 0), 0),
              nullptr);
    ASSERT_TRUE(ed.isModified());

    ASSERT_EQ(ed.save(), seOK);
    EXPECT_FALSE(ed.isModified());
    ASSERT_TRUE(QFile::exists(tempPath(u"navrh.pts"_s)));

    TSestava reread;
    reread.setIsStored(false);
    reread.setFieldNames(m_report.fieldNames());
    reread.setReportName(u"navrh"_s);
    ASSERT_EQ(reread.LoadTemplate(false), seOK);
    EXPECT_EQ(dumpModel(reread), dumpModel(ed.model()));
    EXPECT_EQ(dumpModel(m_report), dumpModel(ed.model()));

    ASSERT_EQ(ReportLayout::prepare(m_report), seOK);
    // Report header, per group its header, bodies and the sum in its
    // footer, the page number at the foot of the 260-unit page.
    EXPECT_EQ(dumpOutput(m_report.output()),
              u"pages 1\n"
              u"page 1 (12 items)\n"
              u"  #0 kind 5 section 4 at 600,240 size 100x20 \"1\"\n"
              u"  #0 kind 6 section 6 at 200,150 size 100x20 \"5,00\"\n"
              u"  #0 kind 2 section 2 at 200,130 size 100x20 \"5\"\n"
              u"  #0 kind 2 section 2 at 0,130 size 100x20 \"D003\"\n"
              u"  #0 kind 2 section 5 at 0,110 size 100x20 \"B\"\n"
              u"  #0 kind 6 section 6 at 200,90 size 100x20 \"30,00\"\n"
              u"  #0 kind 2 section 2 at 200,70 size 100x20 \"20\"\n"
              u"  #0 kind 2 section 2 at 0,70 size 100x20 \"D002\"\n"
              u"  #0 kind 2 section 2 at 200,50 size 100x20 \"10\"\n"
              u"  #0 kind 2 section 2 at 0,50 size 100x20 \"D001\"\n"
              u"  #0 kind 2 section 5 at 0,30 size 100x20 \"A\"\n"
              u"  #0 kind 1 section 0 at 0,0 size 100x20 \"Přehled, \\\"dokladů\\\"\"\n"_s);
}

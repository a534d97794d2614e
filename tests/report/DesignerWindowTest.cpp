// The template designer's window over a small template: clicking, dragging
// and resizing elements, keys, deleting with the question, the undo action's
// name, the clipboard, the unsaved-changes question on closing, the hook that
// Design runs, and a screenshot of the protocol template.
#include "DataFixture.h"

#include "report/core/ReportWindows.h"
#include "report/core/designer/DesignerDocument.h"
#include "report/ui/designer/DesignerPaper.h"
#include "report/ui/designer/DesignerWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

QAction *action(QWidget &window, const QString &name)
{
    QAction *found = window.findChild<QAction *>(name);
    if (!found)
        ADD_FAILURE() << "no action " << name.toStdString();
    return found;
}

} // namespace

class DesignerWindow : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        m_saved = ReportWindows::current();
        pageSetup().paperWidth = 826;
        pageSetup().paperHeight = 400;
        m_report.collectFields();
        setHeight(TOddilSestavy::PageHeader, 40);
        setHeight(TOddilSestavy::Body, 100);
        m_first = &add(TOddilSestavy::Body, 1, 0, QRect(20, 0, 100, 20), u"První"_s);
        m_second = &add(TOddilSestavy::Body, 1, 0, QRect(200, 40, 100, 20), u"Druhý"_s);
        m_report.setIsStored(false);
        m_report.setReportName(u"navrh"_s);
        m_report.setPredloha(m_report.writeTemplate());
        m_env.gridX = 10;
        m_env.gridY = 10;
    }
    void TearDown() override
    {
        m_form.reset();
        ReportWindows::current() = m_saved;
        DataFixture::TearDown();
    }

    TFormSestE &form()
    {
        if (!m_form) {
            m_form = std::make_unique<TFormSestE>(m_report, m_env);
            m_form->resize(1000, 700);
            m_form->show();
        }
        return *m_form;
    }
    DesignerDocument &editor() { return form().editor(); }
    DesignerPaper &canvas() { return form().canvas(); }
    // Element n of the body of the designer's copy.
    TRastelReportElement *body(int index) { return editor().elements(TOddilSestavy::Body).value(index); }
    QPoint centre(const TRastelReportElement *element) { return canvas().elementRect(element).center(); }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(&canvas(), Qt::LeftButton, modifiers, at);
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&canvas(), Qt::LeftButton, {}, from);
        QTest::mouseMove(&canvas(), to);
        QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, to);
    }
    static QPoint pos(const TRastelReportElement *e) { return {e->left, e->top}; }

    DesignerSettings m_env;
    TRastelReportElement *m_first = nullptr;
    TRastelReportElement *m_second = nullptr;
    std::unique_ptr<TFormSestE> m_form;
    ReportWindows m_saved;
};

TEST_F(DesignerWindow, ShowsTheTemplateNameAndTheBandsWithTheirElements)
{
    EXPECT_EQ(form().objectName(), u"FormSestE"_s);
    EXPECT_EQ(form().windowTitle(), u"Editor sestav - navrh"_s);
    const QList<DesignerPaper::BandGeometry> bands = canvas().layout();
    ASSERT_FALSE(bands.isEmpty());
    // At 100 % a unit is a pixel: the body band is as high as the section.
    const auto bodyBand =
        std::find_if(bands.begin(), bands.end(), [](const auto &g) { return g.band.sectionId == TOddilSestavy::Body; });
    ASSERT_NE(bodyBand, bands.end());
    EXPECT_EQ(bodyBand->body.height(), 100);
    EXPECT_EQ(bodyBand->body.width(), editor().bandWidth());
    EXPECT_EQ(canvas().elementRect(body(0)), QRect(bodyBand->body.topLeft() + QPoint(20, 0), QSize(100, 20)));
    EXPECT_EQ(canvas().elementText(*body(1)), u"Druhý"_s);

    // The white paper with the element's text drawn on it.
    const QImage image = canvas().grab().toImage();
    EXPECT_EQ(image.pixelColor(bodyBand->body.topLeft() + QPoint(5, 90)), QColor(Qt::white));
    const QRect box = canvas().elementRect(body(0)).adjusted(1, 1, -1, -1);
    bool inked = false;
    for (int y = box.top(); y <= box.bottom() && !inked; ++y)
        for (int x = box.left(); x <= box.right() && !inked; ++x)
            inked = image.pixelColor(x, y).lightness() < 128;
    EXPECT_TRUE(inked) << "the element's text was not drawn";
}

TEST_F(DesignerWindow, DataFieldsShowTheFieldNameOrItsLabel)
{
    add(TOddilSestavy::Body, 2, Castka, QRect(0, 60, 100, 20));
    m_report.setPredloha(m_report.writeTemplate());
    EXPECT_EQ(canvas().elementText(*body(2)), m_report.fieldNames().at(Castka));
    m_form.reset();
    m_env.labelsForNames = true;
    EXPECT_EQ(canvas().elementText(*body(2)), u"Částka"_s);
}

TEST_F(DesignerWindow, FunctionElementsShowTheFunctionsName)
{
    m_report.functions().add().name = u"NazevFirmy"_s;
    add(TOddilSestavy::Body, ElementKind::UserFunction, 0, QRect(0, 60, 100, 20));
    add(TOddilSestavy::Body, ElementKind::UserFunction, 5, QRect(0, 80, 100, 20)); // no such function
    m_report.setPredloha(m_report.writeTemplate());
    EXPECT_EQ(canvas().elementText(*body(2)), u"NazevFirmy"_s);
    // As in print: a function outside the list shows "????".
    EXPECT_EQ(canvas().elementText(*body(3)), u"????"_s);
}

TEST_F(DesignerWindow, SystemVariablesShowTheirFormatOrTheirName)
{
    add(TOddilSestavy::Body, ElementKind::SystemVariable, SystemVariable::PageNumber, QRect(0, 60, 100, 20),
        u"strana %d"_s);
    add(TOddilSestavy::Body, ElementKind::SystemVariable, SystemVariable::PageCount, QRect(0, 80, 100, 20));
    m_report.setPredloha(m_report.writeTemplate());
    EXPECT_EQ(canvas().elementText(*body(2)), u"strana %d"_s);
    EXPECT_EQ(canvas().elementText(*body(3)), SystemVariable::caption(SystemVariable::PageCount));
}

TEST_F(DesignerWindow, ClickSelectsShiftAddsAndAClickBesideClears)
{
    click(centre(body(0)));
    EXPECT_EQ(editor().selection(), QList<TRastelReportElement *>{body(0)});
    click(centre(body(1)), Qt::ShiftModifier);
    EXPECT_EQ(editor().selection().size(), 2);
    EXPECT_EQ(editor().focused(), body(1));
    EXPECT_TRUE(action(form(), u"ActionSmazat"_s)->isEnabled());
    click(canvas().elementRect(body(0)).bottomLeft() + QPoint(0, 30));
    EXPECT_TRUE(editor().selection().isEmpty());
    EXPECT_FALSE(action(form(), u"ActionSmazat"_s)->isEnabled());
}

TEST_F(DesignerWindow, DraggingMovesTheSelectionOntoTheGrid)
{
    const QPoint from = centre(body(0));
    drag(from, from + QPoint(23, 14));
    // 20+23 → 43 and 0+14 → 14 land on the 10-unit grid.
    EXPECT_EQ(pos(body(0)), QPoint(40, 10));
    EXPECT_EQ(pos(body(1)), QPoint(200, 40));
    EXPECT_TRUE(editor().isModified());
    EXPECT_EQ(action(form(), u"ActionZrusit"_s)->text(), u"Zrušit posun prvku"_s);
}

TEST_F(DesignerWindow, DraggingTheCornerHandleResizes)
{
    click(centre(body(0)));
    const QPoint corner = canvas().elementRect(body(0)).bottomRight();
    drag(corner, corner + QPoint(31, 18));
    EXPECT_EQ(QSize(body(0)->width, body(0)->height), QSize(130, 40));
    EXPECT_EQ(pos(body(0)), QPoint(20, 0));
}

TEST_F(DesignerWindow, ArrowKeysMoveByTheGridStep)
{
    click(centre(body(1)));
    QTest::keyClick(&canvas(), Qt::Key_Right);
    QTest::keyClick(&canvas(), Qt::Key_Down);
    EXPECT_EQ(pos(body(0)), QPoint(20, 0));
    EXPECT_EQ(pos(editor().focused()), QPoint(210, 50));
}

TEST_F(DesignerWindow, ShiftWithAnArrowResizesTheFocusedElement)
{
    click(centre(body(1)));
    TRastelReportElement *element = editor().focused();
    ASSERT_NE(element, nullptr);
    const QSize before(element->width, element->height);
    const QPoint at = pos(element);
    QTest::keyClick(&canvas(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&canvas(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(QSize(element->width, element->height), before + QSize(10, 10));
    EXPECT_EQ(pos(element), at);
    QTest::keyClick(&canvas(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(element->width, before.width());
    EXPECT_EQ(editor().undoName(), u"posun prvku"_s);
    EXPECT_EQ(pos(body(0)), QPoint(20, 0));
}

TEST_F(DesignerWindow, DeleteAsksAndTheAnswerDecides)
{
    m_env.confirmDeleteOne = true;
    click(centre(body(0)));
    scriptedUi().answer(MessageAnswer::No);
    QTest::keyClick(&canvas(), Qt::Key_Delete);
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).size(), 2);
    scriptedUi().answer(MessageAnswer::Yes);
    action(form(), u"ActionSmazat"_s)->trigger();
    ASSERT_EQ(editor().elements(TOddilSestavy::Body).size(), 1);
    EXPECT_EQ(canvas().elementText(*body(0)), u"Druhý"_s);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Confirmation, u"Smazat vybraný prvek?"_s, u"Potvrzení"_s},
                                    {MessageKind::Confirmation, u"Smazat vybraný prvek?"_s, u"Potvrzení"_s}}));
}

TEST_F(DesignerWindow, UndoAndRedoNameTheStepAndTakeItBack)
{
    QAction *undo = action(form(), u"ActionZrusit"_s);
    QAction *redo = action(form(), u"ActionZnovu"_s);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), u"Zrušit"_s);
    EXPECT_EQ(undo->toolTip(), u"Zrušit změny"_s);
    EXPECT_EQ(redo->toolTip(), u"Znovu změny"_s);

    // A tool inserts where the band is clicked, then the toolbox selects again.
    QAction *tool = action(form(), u"ToolRectangle"_s);
    tool->trigger();
    EXPECT_EQ(canvas().cursor().shape(), Qt::DragCopyCursor);
    const QRect bodyBand = canvas().elementRect(body(0)).translated(-20, 0);
    click(bodyBand.topLeft() + QPoint(404, 62));
    ASSERT_EQ(editor().elements(TOddilSestavy::Body).size(), 3);
    EXPECT_EQ(pos(body(2)), QPoint(400, 60));
    EXPECT_FALSE(tool->isChecked());
    EXPECT_EQ(canvas().cursor().shape(), Qt::ArrowCursor);

    EXPECT_EQ(undo->text(), u"Zrušit vložení prvku"_s);
    EXPECT_EQ(undo->toolTip(), u"Zrušit vložení prvku"_s);
    undo->trigger();
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).size(), 2);
    EXPECT_FALSE(editor().isModified());
    EXPECT_EQ(redo->text(), u"Znovu vložení prvku"_s);
    redo->trigger();
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).size(), 3);
}

// The toolbars show pictures with the captions as tooltips, so a caption
// that grows moves no button from under the mouse.
TEST_F(DesignerWindow, ToolbarButtonsStayPutAndShowPicturesWithCaptionsAsTooltips)
{
    auto *toolBar = form().findChild<QToolBar *>(u"ToolBarHlavni"_s);
    ASSERT_NE(toolBar, nullptr);
    const auto places = [toolBar] {
        QApplication::processEvents();
        QList<QRect> rects;
        for (QAction *shown : toolBar->actions()) {
            if (QWidget *button = toolBar->widgetForAction(shown))
                rects.append(button->geometry());
        }
        return rects;
    };
    const QList<QRect> before = places();
    click(centre(body(1)));
    QTest::keyClick(&canvas(), Qt::Key_Right);
    ASSERT_EQ(action(form(), u"ActionZrusit"_s)->text(), u"Zrušit posun prvku"_s);
    EXPECT_EQ(places(), before);

    for (const QString &name : {u"ToolBarHlavni"_s, u"ToolBarPrvky"_s}) {
        auto *bar = form().findChild<QToolBar *>(name);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        for (QAction *shown : bar->actions()) {
            if (shown->isSeparator() || !qobject_cast<QToolButton *>(bar->widgetForAction(shown)))
                continue;
            EXPECT_FALSE(shown->icon().isNull()) << shown->objectName().toStdString();
            EXPECT_FALSE(shown->toolTip().isEmpty()) << shown->objectName().toStdString();
        }
    }
    EXPECT_EQ(action(form(), u"ToolEllipse"_s)->toolTip(), action(form(), u"ToolEllipse"_s)->text());
}

TEST_F(DesignerWindow, CopyAndPasteGoThroughTheClipboardText)
{
    click(centre(body(1)));
    action(form(), u"ActionKopirovat"_s)->trigger();
    EXPECT_TRUE(scriptedUi().clipboardText().startsWith(u"RastelEditor"_s));
    // Pasted at the last point clicked on a band, on the grid.
    click(canvas().elementRect(body(0)).topLeft() + QPoint(0, 72));
    action(form(), u"ActionVlozit"_s)->trigger();
    ASSERT_EQ(editor().elements(TOddilSestavy::Body).size(), 3);
    EXPECT_EQ(canvas().elementText(*body(2)), u"Druhý"_s);
    EXPECT_EQ(pos(body(2)), QPoint(20, 70));
    EXPECT_EQ(action(form(), u"ActionZrusit"_s)->text(), u"Zrušit vložení z úschovy"_s);

    // A text that is not the designer's changes nothing.
    scriptedUi().setClipboardText(u"jiný text"_s);
    action(form(), u"ActionVlozit"_s)->trigger();
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).size(), 3);

    click(centre(body(0)));
    action(form(), u"ActionVyjmout"_s)->trigger();
    EXPECT_EQ(editor().elements(TOddilSestavy::Body).size(), 2);
    EXPECT_TRUE(scriptedUi().clipboardText().startsWith(u"RastelEditor"_s));
}

struct CloseRow
{
    const char *name;
    MessageAnswer answer;
    bool closed;
    bool written;
    int outcome;
};

class DesignerClose : public DesignerWindow, public testing::WithParamInterface<CloseRow>
{
};

TEST_P(DesignerClose, UnsavedChangesAreAskedAbout)
{
    const QString file = tempPath(u"navrh.pts"_s);
    QFile::remove(file);
    drag(centre(body(0)), centre(body(0)) + QPoint(40, 0));
    scriptedUi().answer(GetParam().answer);
    action(form(), u"ActionKonec"_s)->trigger();
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Confirmation, u"V předloze sestavy byly provedeny změny. Uložit?"_s, u"Potvrzení"_s}}));
    EXPECT_EQ(!form().isVisible(), GetParam().closed);
    EXPECT_EQ(QFile::exists(file), GetParam().written);
    if (GetParam().closed) {
        EXPECT_EQ(form().outcome(), GetParam().outcome);
    }
    if (GetParam().written) {
        TSestava reread;
        reread.setIsStored(false);
        reread.setFieldNames(m_report.fieldNames());
        reread.setReportName(u"navrh"_s);
        ASSERT_EQ(reread.LoadTemplate(false), seOK);
        EXPECT_EQ(reread.sections().at(TOddilSestavy::Body).at(0).left, 60);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, DesignerClose,
                         testing::Values(CloseRow{"YesSaves", MessageAnswer::Yes, true, true, seOK},
                                         CloseRow{"NoDrops", MessageAnswer::No, true, false, seCancelled},
                                         CloseRow{"CancelStays", MessageAnswer::Cancel, false, false, seOK}),
                         TestSupport::rowName);

TEST_F(DesignerWindow, AFailedSaveKeepsTheWindowOpenAndSaysSo)
{
    m_report.OnUlozPredlohu = [](TSestavaTyp *) { return false; };
    drag(centre(body(0)), centre(body(0)) + QPoint(40, 0));
    scriptedUi().answer(MessageAnswer::Yes);
    form().reject();
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(editor().isModified());
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Confirmation, u"V předloze sestavy byly provedeny změny. Uložit?"_s, u"Potvrzení"_s},
         {MessageKind::Error, u"Předlohu se nepodařilo uložit."_s, u"Chyba"_s}}));
}

TEST_F(DesignerWindow, WithoutChangesClosingAsksNothing)
{
    action(form(), u"ActionKonec"_s)->trigger();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().outcome(), seOK);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(DesignerWindow, DesignRunsTheWindowThroughTheHook)
{
    ASSERT_EQ(m_report.SaveTemplate(), seOK);
    TFormSestE::install();
    bool shown = false;
    scriptedUi().onWindow(u"FormSestE"_s, [&](QDialog &window) {
        shown = true;
        auto &designer = static_cast<TFormSestE &>(window);
        EXPECT_TRUE(designer.windowState() & Qt::WindowMaximized);
        designer.editor().select(designer.editor().elements(TOddilSestavy::Body).value(0));
        designer.editor().moveSelection(QPoint(40, 0));
        scriptedUi().answer(MessageAnswer::No);
        action(designer, u"ActionKonec"_s)->trigger();
    });
    EXPECT_EQ(m_report.Design(), seCancelled);
    EXPECT_TRUE(shown);

    scriptedUi().onWindow(u"FormSestE"_s, [&](QDialog &window) { action(window, u"ActionKonec"_s)->trigger(); });
    EXPECT_EQ(m_report.Design(), seOK);
}

// "Náhled sestavy" and "Tisk sestavy" from the template designer: the edited
// copy laid out over the report's data while the saved template stays on
// disk, the ways back from the preview, the report and the data left as they
// were, a failed layout, and the print through the report's print path.
#include "DataFixture.h"
#include "DialogInputs.h"

#include "common/TextFile.h"
#include "report/core/ReportWindows.h"
#include "report/core/designer/DesignerDocument.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/PageDump.h"
#include "report/ui/designer/DesignerWindow.h"
#include "report/ui/preview/PreviewWindow.h"
#include "report/ui/printing/ReportPrinter.h"

#include <QAction>
#include <QFile>
#include <QTest>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using DialogInputs::action;

const QString kUlozit = u"V předloze sestavy byly provedeny změny. Uložit?"_s;

} // namespace

// A report over three documents whose template is saved as navrh.pts: a
// page header "Seznam" and the document number in the body. The designer is
// opened on it as Design leaves it: template loaded from the file, data
// open for reading.
class DesignerOutput : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        m_saved = ReportWindows::current();
        TFormSestP::install();
        addRecords(3);
        setHeight(TOddilSestavy::PageHeader, 40);
        add(TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, QRect(0, 0, 300, 20), u"Seznam"_s);
        setHeight(TOddilSestavy::Body, 20);
        add(TOddilSestavy::Body, ElementKind::Field, Doklad, QRect(0, 0, 150, 20));
        m_report.setIsStored(false);
        m_report.setReportName(u"navrh"_s);
        m_report.setPredloha(m_report.writeTemplate());
        ASSERT_EQ(m_report.SaveTemplate(), seOK);
        ASSERT_EQ(m_report.LoadTemplate(false), seOK);
        m_report.collectFields();
        m_lines = m_report.predloha();
        m_page = pageSetup();
    }
    void TearDown() override
    {
        m_form.reset();
        ReportWindows::current() = m_saved;
        CurrentPrinter::current().setPrinterList(nullptr);
        DataFixture::TearDown();
    }

    TFormSestE &form()
    {
        if (!m_form) {
            m_form = std::make_unique<TFormSestE>(m_report, DesignerSettings());
            m_form->resize(1000, 700);
            m_form->show();
        }
        return *m_form;
    }
    DesignerDocument &editor() { return form().editor(); }
    TRastelReportElement *header() { return editor().elements(TOddilSestavy::PageHeader).value(0); }

    // The edit the tests look for: the header's text changed, a second text
    // inserted into the body and selected.
    void editCopy()
    {
        ASSERT_TRUE(editor().setText(header(), u"Upraveno"_s));
        TRastelReportElement *inserted =
            editor().insertElement(DesignerTool::GraphicText, TOddilSestavy::Body, QPoint(200, 0));
        ASSERT_NE(inserted, nullptr);
        ASSERT_TRUE(editor().setText(inserted, u"Vloženo"_s));
    }
    // Opens the preview from the designer; `inside` sees the window with the
    // laid-out pages of the report and decides how it is left.
    void preview(const std::function<void(TFormSestP &)> &inside)
    {
        scriptedUi().onWindow(u"TFormSestP"_s, [&](QDialog &window) {
            m_dump = dumpOutput(m_report.output());
            inside(static_cast<TFormSestP &>(window));
        });
        action(form(), u"ActionNahled"_s)->trigger();
    }
    // Whatever the run did, the report is what Design loaded.
    void expectReportAsBefore()
    {
        EXPECT_EQ(m_report.predloha(), m_lines);
        EXPECT_EQ(m_report.writeTemplate(), m_lines);
        EXPECT_FALSE(m_report.isStored());
        EXPECT_EQ(m_report.output().pageCount(), 0);
        EXPECT_EQ(TextFile::readLines(tempPath(u"navrh.pts"_s)).value_or(QStringList()), m_lines);
    }

    ReportWindows m_saved;
    std::unique_ptr<TFormSestE> m_form;
    QStringList m_lines;
    PageSetup m_page;
    QString m_dump;
};

TEST_F(DesignerOutput, PreviewLaysOutTheEditedCopyNotTheSavedFile)
{
    editCopy();
    const int steps = editor().undoCount();
    TRastelReportElement *selected = editor().focused();
    bool canEdit = false;
    preview([&](TFormSestP &window) {
        canEdit = action(window, u"ActionEdit"_s)->isEnabled();
        EXPECT_EQ(action(window, u"ActionKonec"_s)->toolTip(), u"Ukončit opravu předlohy"_s);
        action(window, u"ActionEdit"_s)->trigger();
    });
    EXPECT_TRUE(canEdit);
    for (const QString &shown : {u"\"Upraveno\""_s, u"\"Vloženo\""_s, u"\"D001\""_s, u"\"D003\""_s})
        EXPECT_TRUE(m_dump.contains(shown)) << shown.toStdString() << '\n' << m_dump.toStdString();
    EXPECT_FALSE(m_dump.contains(u"\"Seznam\""_s)) << m_dump.toStdString();

    // Back in the designer with everything as it was.
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(editor().isModified());
    EXPECT_EQ(editor().undoCount(), steps);
    EXPECT_EQ(editor().undoName(), u"změna textu"_s);
    EXPECT_EQ(editor().focused(), selected);
    EXPECT_EQ(editor().selection(), QList<TRastelReportElement *>{selected});
    EXPECT_EQ(header()->text, u"Upraveno"_s);
    expectReportAsBefore();
    EXPECT_TRUE(scriptedUi().messages().isEmpty());

    // Undoing still works on the copy, and the next preview shows that.
    ASSERT_TRUE(editor().undo());
    preview([](TFormSestP &window) { action(window, u"ActionEdit"_s)->trigger(); });
    EXPECT_TRUE(m_dump.contains(u"\"Upraveno\""_s));
    EXPECT_FALSE(m_dump.contains(u"\"Vloženo\""_s));
}

TEST_F(DesignerOutput, SavingAfterThePreviewWritesTheCopy)
{
    editCopy();
    preview([](TFormSestP &window) { action(window, u"ActionEdit"_s)->trigger(); });
    action(form(), u"ActionUlozit"_s)->trigger();
    EXPECT_FALSE(editor().isModified());
    const QStringList written = TextFile::readLines(tempPath(u"navrh.pts"_s)).value_or(QStringList());
    EXPECT_EQ(written, editor().templateLines());
    EXPECT_EQ(m_report.predloha(), editor().templateLines());
}

// An application that loads the template itself (OnNactiPredlohu) would load
// what was saved; the run bypasses it and the report keeps it. The preview
// goes the report's own way, between BeforePreview and AfterPreview.
TEST_F(DesignerOutput, TheApplicationsLoadHandlerIsBypassedForTheRunAndKept)
{
    int loads = 0;
    m_report.OnNactiPredlohu = [&](TSestavaTyp *sender) {
        ++loads;
        sender->setPredloha(m_lines);
        return true;
    };
    int before = 0;
    int after = 0;
    m_report.BeforePreview = [&](TSestavaTyp *) { ++before; };
    m_report.AfterPreview = [&](TSestavaTyp *) { ++after; };
    editCopy();
    preview([](TFormSestP &window) { action(window, u"ActionEdit"_s)->trigger(); });
    EXPECT_TRUE(m_dump.contains(u"\"Upraveno\""_s)) << m_dump.toStdString();
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    ASSERT_TRUE(bool(m_report.OnNactiPredlohu));
    EXPECT_EQ(m_report.LoadTemplate(false), seOK);
    EXPECT_EQ(loads, 1);
}

// A report that keeps its template in Predloha keeps it too.
TEST_F(DesignerOutput, AStoredTemplateStaysStored)
{
    m_report.setIsStored(true);
    editCopy();
    preview([](TFormSestP &window) { action(window, u"ActionEdit"_s)->trigger(); });
    EXPECT_TRUE(m_dump.contains(u"\"Upraveno\""_s)) << m_dump.toStdString();
    EXPECT_TRUE(m_report.isStored());
    EXPECT_EQ(m_report.predloha(), m_lines);
    EXPECT_EQ(m_report.LoadTemplate(false), seOK);
    EXPECT_EQ(m_report.writeTemplate(), m_lines);
}

TEST_F(DesignerOutput, ThePaperOfTheDesignerIsLaidOutAndKept)
{
    // The settings dialog changes the paper of the process; the report's
    // saved header still has the old one.
    pageSetup().leftMargin = 120;
    editCopy();
    int laidOutMargin = 0;
    preview([&](TFormSestP &) { laidOutMargin = m_report.output().page.setup.leftMargin; });
    EXPECT_EQ(laidOutMargin, 120);
    EXPECT_EQ(pageSetup().leftMargin, 120);
    EXPECT_EQ(m_report.predloha(), m_lines);
}

// How the preview is left, and whether the designer is still open.
struct LeaveRow
{
    const char *name;
    std::function<void(TFormSestP &)> leave;
    bool modified;
    std::optional<MessageAnswer> answer; // the unsaved-changes question, when asked
    bool designerOpen;
    int outcome; // when closed
};

class DesignerLeavesPreview : public DesignerOutput, public testing::WithParamInterface<LeaveRow>
{
};

TEST_P(DesignerLeavesPreview, EditAndEscReturnClosingEndsTheEditing)
{
    if (GetParam().modified)
        editCopy();
    if (GetParam().answer)
        scriptedUi().answer(*GetParam().answer);
    preview(GetParam().leave);
    EXPECT_EQ(form().isVisible(), GetParam().designerOpen);
    if (GetParam().answer) {
        EXPECT_TRUE(scriptedUi().shown({{MessageKind::Confirmation, kUlozit, u"Potvrzení"_s}}));
    } else {
        EXPECT_TRUE(scriptedUi().messages().isEmpty());
    }
    if (!GetParam().designerOpen) {
        EXPECT_EQ(form().outcome(), GetParam().outcome);
    }
    EXPECT_EQ(editor().isModified(), GetParam().modified && GetParam().answer != MessageAnswer::Yes);
    if (GetParam().answer != MessageAnswer::Yes)
        expectReportAsBefore();
}

INSTANTIATE_TEST_SUITE_P(
    Designer, DesignerLeavesPreview,
    testing::Values(
        LeaveRow{"EditReturns", [](TFormSestP &w) { action(w, u"ActionEdit"_s)->trigger(); }, true, {}, true, 0},
        LeaveRow{"EscReturns", [](TFormSestP &w) { QTest::keyClick(&w, Qt::Key_Escape); }, true, {}, true, 0},
        LeaveRow{"CloseBoxReturns", [](TFormSestP &w) { w.close(); }, true, {}, true, 0},
        LeaveRow{"CloseUnchangedEnds",
                 [](TFormSestP &w) { action(w, u"ActionKonec"_s)->trigger(); },
                 false,
                 {},
                 false,
                 seOK},
        LeaveRow{"CloseAsksCancelStays", [](TFormSestP &w) { action(w, u"ActionKonec"_s)->trigger(); }, true,
                 MessageAnswer::Cancel, true, 0},
        LeaveRow{"CloseAsksNoDrops", [](TFormSestP &w) { action(w, u"ActionKonec"_s)->trigger(); }, true,
                 MessageAnswer::No, false, seCancelled},
        LeaveRow{"CloseAsksYesSaves", [](TFormSestP &w) { action(w, u"ActionKonec"_s)->trigger(); }, true,
                 MessageAnswer::Yes, false, seOK}),
    TestSupport::rowName);

TEST_F(DesignerOutput, AFailedLayoutShowsTheReportsMessageAndReturns)
{
    editCopy();
    const int steps = editor().undoCount();
    TSestError reported = seOK;
    m_report.OnError = [&](TSestavaTyp *, TSestError error) {
        reported = error;
        return true;
    };
    m_report.setDataSource(nullptr);
    action(form(), u"ActionNahled"_s)->trigger();
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, u"Není definován zdroj dat."_s, u"Chyba"_s}}));
    EXPECT_EQ(reported, seDataOrNothing);
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"TFormSestP"_s));
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(editor().isModified());
    EXPECT_EQ(editor().undoCount(), steps);
    EXPECT_EQ(header()->text, u"Upraveno"_s);
    expectReportAsBefore();
}

// Design holds the data while the designer is open; the preview's run inside
// it gives it back as it found it, and Design then ends as it would have.
TEST_F(DesignerOutput, APreviewInsideDesignLeavesTheDataToDesign)
{
    m_dataSet.close();
    TFormSestE::install();
    bool activeInside = false;
    bool blockedInside = false;
    int rowBefore = -1;
    int rowInside = -1;
    scriptedUi().answer(MessageAnswer::Yes); // "Připojená tabulka není aktivní. Zkusit otevřít?"
    scriptedUi().onWindow(u"FormSestE"_s, [&](QDialog &window) {
        scriptedUi().onWindow(u"TFormSestP"_s, [&](QDialog &preview) {
            m_dump = dumpOutput(m_report.output());
            action(preview, u"ActionEdit"_s)->trigger();
        });
        rowBefore = m_table.currentRow();
        action(window, u"ActionNahled"_s)->trigger();
        activeInside = m_dataSet.isActive();
        blockedInside = m_table.signalsBlocked();
        rowInside = m_table.currentRow();
        action(window, u"ActionKonec"_s)->trigger();
    });
    EXPECT_EQ(m_report.Design(), seOK);
    EXPECT_TRUE(m_dump.contains(u"\"D003\""_s)) << m_dump.toStdString();
    // Inside the designer the data stay open, detached, where they were.
    EXPECT_TRUE(activeInside);
    EXPECT_TRUE(blockedInside);
    EXPECT_EQ(rowInside, rowBefore);
    // Afterwards the controls are attached again and the dataset the check
    // opened is closed again.
    EXPECT_FALSE(m_table.signalsBlocked());
    EXPECT_FALSE(m_dataSet.isActive());
    EXPECT_EQ(m_table.currentRow(), rowBefore);
    EXPECT_FALSE(m_report.bridge().hasSavedPosition());
}

// The print goes the report's own way: Print on the selected printer, the
// window ReportWindows gives it; here that lays the report out and prints
// it on a text-only printer into a file.
TEST_F(DesignerOutput, PrintGoesThroughTheReportsPrintWithTheEditedCopy)
{
    FakePrinterList printers;
    printers.printers << FakePrinterList::textOnly(u"Jehličková"_s, 826, 1169, 0, 0);
    CurrentPrinter::current().setPrinterList(&printers);
    CurrentPrinter::current().selectPrinter(0);
    const QString file = tempPath(u"tisk.txt"_s);
    int printedOn = -2;
    bool guarded = false;
    ReportWindows::current().print = [&](TSestava &report, int printerIndex) {
        printedOn = printerIndex;
        guarded = TSestavaTyp::isRunning();
        const int prepared = ReportLayout::prepare(report);
        if (prepared != seOK)
            return prepared;
        PrintRun run;
        run.printerIndex = printerIndex;
        run.outputFile = file;
        return ReportPrinter::printOutput(report, run);
    };
    int before = 0;
    int after = 0;
    m_report.BeforePrint = [&](TSestavaTyp *) { ++before; };
    m_report.AfterPrint = [&](TSestavaTyp *) { ++after; };
    editCopy();
    action(form(), u"ActionTisk"_s)->trigger();
    EXPECT_EQ(printedOn, 0);
    EXPECT_TRUE(guarded);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    QFile printed(file);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray text = printed.readAll();
    EXPECT_TRUE(text.contains("Upraveno")) << text.toStdString();
    EXPECT_TRUE(text.contains("D002")) << text.toStdString();
    EXPECT_FALSE(text.contains("Seznam"));
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(editor().isModified());
    expectReportAsBefore();
}

TEST_F(DesignerOutput, PrintWithoutAPrinterWarnsAndChangesNothing)
{
    bool printed = false;
    ReportWindows::current().print = [&](TSestava &, int) {
        printed = true;
        return int(seOK);
    };
    editCopy();
    action(form(), u"ActionTisk"_s)->trigger();
    EXPECT_FALSE(printed);
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Warning, u"V systému není nainstalovaná žádná tiskárna."_s, u"Varování"_s}}));
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(editor().isModified());
    expectReportAsBefore();
}

TEST_F(DesignerOutput, BothActionsAreInTheMenuAndOnTheMainToolbar)
{
    for (const auto &[name, caption] :
         {std::pair{u"ActionNahled"_s, u"Náhled sestavy"_s}, std::pair{u"ActionTisk"_s, u"Tisk sestavy"_s}}) {
        QAction *found = action(form(), name);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->text(), caption);
        QWidget *toolBar = form().findChild<QWidget *>(u"ToolBarHlavni"_s);
        ASSERT_NE(toolBar, nullptr);
        EXPECT_TRUE(toolBar->actions().contains(found)) << name.toStdString();
        const QList<QObject *> users = found->associatedObjects();
        EXPECT_GE(users.size(), 2) << name.toStdString() << ": the menu and the toolbar";
    }
}

// The wizard's page flow and operation dispatch, driven by its widgets on a
// host tree, with the scripted seam answering the checks' messages.

#include "app/core/HostVersion.h"
#include "app/core/RightsCheck.h"
#include "app/ui/InformationWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/WorkingOverlay.h"
#include "common/IniFile.h"
#include "fixture/HostTreeBuilder.h"
#include "support/FakeSession.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

class WizardTest : public testing::Test
{
protected:
    WizardTest() : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s))
    {
        m_tree.table(u"PRISUZIV"_s); // no users: no restrictions
        RunContext &context = m_main.runContext();
        context.addOnVersion = u"2.14"_s;
        context.dataRoot = m_tree.dataRoot();
        context.agendaDir = m_year.agenda().dir();
        context.yearDir = m_year.dir();
        context.hostVersion = u"13.100"_s;
        context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
        QDir().mkpath(context.settingsDir);
        // The last run saw the same host: the update check stays silent.
        recordHostVersion(context);
        m_main.show();
    }
    ~WizardTest() override { m_main.hide(); }

    QPushButton *button(const QString &name) { return child<QPushButton>(m_main, name); }
    QString pageName() { return child<QStackedWidget>(m_main, u"pgcMain"_s)->currentWidget()->objectName(); }
    bool legendVisible()
    {
        return child<QLabel>(m_main, u"lblBezpUpozorneniGreen"_s)->isVisible() &&
               child<QLabel>(m_main, u"lblBezpUpozorneniRed"_s)->isVisible() &&
               child<QLabel>(m_main, u"imgBezpUpozorneniGreen"_s)->isVisible() &&
               child<QLabel>(m_main, u"imgBezpUpozorneniRed"_s)->isVisible();
    }
    void goToOperationPage()
    {
        click(m_main, u"btnDalsi"_s);
        ASSERT_EQ(pageName(), u"tsFinal"_s);
    }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    TfrmMain m_main;
};

TEST_F(WizardTest, WelcomePageLeadsToTheOperationPage)
{
    EXPECT_EQ(pageName(), u"tsVitejte"_s);
    EXPECT_FALSE(button(u"btnZpet"_s)->isEnabled());
    EXPECT_EQ(button(u"btnDalsi"_s)->text(), u"Další >"_s);
    EXPECT_FALSE(button(u"btnPrerusit"_s)->isVisible());
    goToOperationPage();
    EXPECT_EQ(button(u"btnDalsi"_s)->text(), u"OK"_s);
    EXPECT_TRUE(button(u"btnZpet"_s)->isEnabled());
    EXPECT_TRUE(legendVisible());
    EXPECT_FALSE(child<QProgressBar>(m_main, u"pbMain"_s)->isVisible());
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    click(m_main, u"btnZpet"_s);
    EXPECT_EQ(pageName(), u"tsVitejte"_s);
    EXPECT_EQ(button(u"btnDalsi"_s)->text(), u"Další >"_s);
}

TEST_F(WizardTest, BackAndForwardRepeatsBothChecks)
{
    m_main.runContext().hostVersion = u"13.200"_s; // the host was updated: the update check asks
    scriptedUi().answer(MessageAnswer::No);
    goToOperationPage();
    m_main.runContext().rights.rightVerifikace = u"N"_s;
    click(m_main, u"btnZpet"_s);
    scriptedUi().answer(MessageAnswer::No);
    goToOperationPage();
    EXPECT_EQ(scriptedUi().messages().size(), 2);                  // the update question, twice
    EXPECT_EQ(m_main.runContext().rights.rightVerifikace, u"A"_s); // the rights read again
}

TEST_F(WizardTest, FailedRightsCheckStaysOnTheWelcomePage)
{
    m_tree.table(u"PRISUZIV"_s).row({{"Jmeno", "Jana"}, {"Password", "tajne"}, {"ID_Pristup", 1}, {"PrihlZp", 1}});
    m_main.runContext().hostPassword = u"jine"_s;
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(pageName(), u"tsVitejte"_s);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Error, u"Aktuální uživatel nebyl nalezen v databázi přístupových práv Ledra."_s}}));
    EXPECT_FALSE(m_main.frmWorking().isVisible());
}

TEST_F(WizardTest, RowsWithoutAnEntryCannotRun)
{
    goToOperationPage();
    for (const OperationRow &row : kOperationRows)
        EXPECT_FALSE(child<QRadioButton>(m_main, QString::fromUtf16(row.radioName))->isEnabled());
    EXPECT_FALSE(button(u"btnDalsi"_s)->isEnabled());
    m_main.setOperationEntry(Operation::Purge, [](OperationSession &) { return 0; });
    EXPECT_TRUE(child<QRadioButton>(m_main, u"rbOdstrSmaz"_s)->isChecked());
    EXPECT_TRUE(button(u"btnDalsi"_s)->isEnabled());
}

// The topmost row that can run is the one selected when the window opens,
// whatever order the operations register their entries in; a row the user
// picked stays picked.
TEST_F(WizardTest, TopmostRunnableRowIsSelectedWhateverTheRegistrationOrder)
{
    const auto entry = [](OperationSession &) { return 0; };
    m_main.setOperationEntry(Operation::Balances, entry);
    m_main.setOperationEntry(Operation::Purge, entry);
    EXPECT_TRUE(child<QRadioButton>(m_main, u"rbOdstrSmaz"_s)->isChecked());
    m_main.setOperationEntry(Operation::SequenceCheck, entry);
    EXPECT_TRUE(child<QRadioButton>(m_main, u"rbKontrPosloupnosti"_s)->isChecked());
    EXPECT_FALSE(child<QRadioButton>(m_main, u"rbStavUctuPokladen"_s)->isChecked());

    goToOperationPage();
    child<QRadioButton>(m_main, u"rbStavUctuPokladen"_s)->click();
    m_main.setOperationEntry(Operation::Renumber, entry);
    EXPECT_TRUE(child<QRadioButton>(m_main, u"rbStavUctuPokladen"_s)->isChecked());
}

TEST_F(WizardTest, OperationRunsWithNavigationDisabledAndRestoresTheButtons)
{
    int calls = 0;
    m_main.setOperationEntry(Operation::SequenceCheck, [&](OperationSession &session) {
        ++calls;
        EXPECT_FALSE(button(u"btnDalsi"_s)->isEnabled());
        EXPECT_FALSE(button(u"btnZpet"_s)->isEnabled());
        EXPECT_FALSE(button(u"btnZavrit"_s)->isEnabled());
        EXPECT_TRUE(button(u"btnPrerusit"_s)->isVisible());
        EXPECT_FALSE(legendVisible());
        // The year list is rebuilt before the entry runs.
        EXPECT_EQ(session.mtYear.recordCount(), 1);
        EXPECT_EQ(session.mtYear.value(u"YearNumber"_s).toString(), u"2018"_s);
        session.progress().startProgress(10);
        TBFTable table;
        EXPECT_EQ(table.Open(m_year.dir() + u"POKLKNIH"_s), 0);
        EXPECT_TRUE(TestSupport::isFileOpenHere(m_year.dir() + u"POKLKNIH.DAT"_s));
        return -1; // a failing operation
    });
    m_year.table(u"POKLKNIH"_s);
    goToOperationPage();
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(button(u"btnDalsi"_s)->text(), u"OK"_s);
    EXPECT_TRUE(button(u"btnDalsi"_s)->isEnabled());
    EXPECT_TRUE(button(u"btnZpet"_s)->isEnabled());
    EXPECT_TRUE(button(u"btnZavrit"_s)->isEnabled());
    EXPECT_FALSE(button(u"btnPrerusit"_s)->isVisible());
    EXPECT_FALSE(child<QProgressBar>(m_main, u"pbMain"_s)->isVisible());
    EXPECT_FALSE(child<QLabel>(m_main, u"lblPBStatus"_s)->isVisible());
    EXPECT_TRUE(legendVisible());
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
    EXPECT_EQ(pageName(), u"tsFinal"_s);
}

TEST_F(WizardTest, InterruptFlagIsClearedBeforeTheNextOperation)
{
    QList<bool> flagAtStart;
    m_main.setOperationEntry(Operation::Balances, [&](OperationSession &session) {
        flagAtStart.append(session.interruptRequested);
        click(m_main, u"btnPrerusit"_s); // the user interrupts
        EXPECT_TRUE(session.interruptRequested);
        return 0;
    });
    goToOperationPage();
    m_main.selectOperation(Operation::Balances);
    click(m_main, u"btnDalsi"_s);
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(flagAtStart, QList<bool>({false, false}));
}

TEST_F(WizardTest, DispatchRunsOnlyTheSelectedEntry)
{
    QList<Operation> ran;
    for (const OperationRow &row : kOperationRows)
        m_main.setOperationEntry(row.operation, [&ran, op = row.operation](OperationSession &) {
            ran.append(op);
            return 0;
        });
    EXPECT_TRUE(child<QRadioButton>(m_main, u"rbKontrPosloupnosti"_s)->isChecked());
    m_main.selectOperation(Operation::EditedDocuments);
    EXPECT_EQ(m_main.runOperation(), 0);
    m_main.selectOperation(Operation::Renumber);
    EXPECT_EQ(m_main.runOperation(), 0);
    EXPECT_EQ(ran, QList<Operation>({Operation::EditedDocuments, Operation::Renumber}));
}

TEST_F(WizardTest, CompanyWithoutYearsStartsNothing)
{
    bool ran = false;
    m_main.setOperationEntry(Operation::SequenceCheck, [&](OperationSession &) {
        ran = true;
        return 0;
    });
    QDir(m_year.dir()).removeRecursively();
    EXPECT_EQ(m_main.runOperation(), -1);
    EXPECT_FALSE(ran);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Chyba: vybraná agenda neobsahuje žádný účetní rok."_s});
}

TEST_F(WizardTest, CloseBoxAndZavritRecordTheHostVersion)
{
    m_main.runContext().hostVersion = u"13.300 R1"_s;
    m_main.close();
    EXPECT_EQ(lastRecordedHostVersion(m_main.runContext()), u"13.300 R1"_s);
    EXPECT_FALSE(m_main.isVisible());
}

TEST_F(WizardTest, ZavritEndsTheProgram)
{
    m_main.runContext().hostVersion = u"13.400"_s;
    click(m_main, u"btnZavrit"_s);
    EXPECT_EQ(lastRecordedHostVersion(m_main.runContext()), u"13.400"_s);
    EXPECT_FALSE(m_main.isVisible());
}

TEST_F(WizardTest, Timer1RunsOnceAfterShowingAndNextCancelsIt)
{
    QTimer *timer = m_main.findChild<QTimer *>(u"Timer1"_s);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 2000);
    click(m_main, u"btnDalsi"_s);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(WizardTest, OperationRightsUseTheYearsBookkeeping)
{
    m_year.doubleEntry(false);
    RunContext &context = m_main.runContext();
    context.rights.rightCashDE = u"N"_s;
    EXPECT_EQ(testRights(context, 3), 0); // single-entry: the SE right counts
    context.rights.rightCashSE = u"N"_s;
    EXPECT_EQ(testRights(context, 3), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_TRUE(scriptedUi().messages().at(0).text.endsWith(u"Seznam pokladních dokladů"_s));
}

TEST_F(WizardTest, SessionShowsItsProtocolInTheInformationWindow)
{
    m_main.setOperationEntry(Operation::Balances, [](OperationSession &session) {
        session.protocol().clear();
        session.protocol().addLine(u"Stav účtů"_s);
        session.protocol().addLine(u"BÚ1: 100,00"_s);
        return session.showProtocol();
    });
    goToOperationPage();
    m_main.selectOperation(Operation::Balances);
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) {
        EXPECT_EQ(child<QPlainTextEdit>(w, u"reProtokol"_s)->toPlainText(), u"Stav účtů\nBÚ1: 100,00"_s);
        EXPECT_TRUE(child<QPushButton>(w, u"btnVytisknout"_s)->isEnabled());
        click(w, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmFreeText"_s});
    EXPECT_EQ(m_main.frmFreeText().lines(), (QStringList{u"Stav účtů"_s, u"BÚ1: 100,00"_s}));
}

// An engine error in an entry, after it opened a table of its own and showed
// its progress: the engine's message once, the step failed, the table closed
// as the error unwound the entry, and the wizard restores itself.
TEST_F(WizardTest, EngineErrorInAnEntryRestoresTheWizard)
{
    m_year.table(u"SZCINN"_s).row({{"Zkrat", "C1"}, {"Nazev", "Výroba"}});
    const QString yearDir = m_year.dir();
    bool tableWasOpen = false;
    m_main.setOperationEntry(Operation::Balances, [yearDir, &tableWasOpen](OperationSession &session) {
        TBFTable table;
        if (table.Open(yearDir + u"SZCINN"_s) != 0)
            return -1;
        tableWasOpen = TestSupport::isFileOpenHere(yearDir + u"SZCINN.DAT"_s);
        session.progress().startProgress(5);
        TBFTable notOpened;
        notOpened.GoTop(); // not open: the engine throws
        return 0;
    });
    goToOperationPage();
    m_main.selectOperation(Operation::Balances);
    click(m_main, u"btnDalsi"_s);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, u"Tabulka není otevřena."_s}}));
    EXPECT_TRUE(m_main.session().engineFailed()) << "the step failed";
    EXPECT_TRUE(tableWasOpen);
    EXPECT_EQ(pageName(), u"tsFinal"_s);
    EXPECT_TRUE(button(u"btnDalsi"_s)->isEnabled());
    EXPECT_TRUE(button(u"btnZpet"_s)->isEnabled());
    EXPECT_TRUE(button(u"btnZavrit"_s)->isEnabled());
    EXPECT_FALSE(button(u"btnPrerusit"_s)->isVisible());
    EXPECT_FALSE(child<QProgressBar>(m_main, u"pbMain"_s)->isVisible());
    EXPECT_FALSE(m_main.frmWorking().isVisible());
    EXPECT_TRUE(legendVisible());
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
}

// The rights check runs on a session alone: no main window, a recording
// progress sink.
class RightsCheckOnASession : public testing::Test
{
protected:
    RightsCheckOnASession() : m_tree(m_dir.path() + u"/DATA"_s) { m_fake.context.dataRoot = m_tree.dataRoot(); }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    FakeSession m_fake;
};

TEST_F(RightsCheckOnASession, NoUsersMeansNoRestrictions)
{
    m_tree.table(u"PRISUZIV"_s);
    m_fake.context.rights.rightVerifikace = u"N"_s;
    EXPECT_EQ(verifyUserRights(m_fake.session), 0);
    EXPECT_EQ(m_fake.context.rights.rightVerifikace, u"A"_s);
    EXPECT_EQ(m_fake.progress.workingTexts, QStringList{u"Ověření přístupových práv\rčekejte prosím..."_s});
    EXPECT_FALSE(m_fake.progress.working);
    // The rights table was read and closed again.
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(RightsCheckOnASession, UnknownUserIsReportedAndTheOverlayHidden)
{
    m_tree.table(u"PRISUZIV"_s).row({{"Jmeno", "Jana"}, {"Password", "tajne"}, {"ID_Pristup", 1}, {"PrihlZp", 1}});
    m_fake.context.hostPassword = u"jine"_s;
    EXPECT_EQ(verifyUserRights(m_fake.session), -1);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Error, u"Aktuální uživatel nebyl nalezen v databázi přístupových práv Ledra."_s}}));
    EXPECT_FALSE(m_fake.progress.working);
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
}

} // namespace

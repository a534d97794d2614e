// Undo from the wizard: a real removal, then "obnovit tabulky ze zálohy"
// through the snapshot window, its question and the protocol; the question's
// default answer, the refusals as the window shows them, the rights, and
// "Přerušit".

#include "ops/restore/SnapshotWindow.h"

#include "app/core/HostVersion.h"
#include "app/ui/MainWindow.h"
#include "common/LocaleFormats.h"
#include "common/TextFile.h"
#include "fixture/HostTreeBuilder.h"
#include "hostdb/TableSnapshot.h"
#include "ops/RegisterOperations.h"
#include "ops/restore/SnapshotRestoreRun.h"
#include "support/RecordHolder.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

class SnapshotWindowTest : public testing::Test
{
protected:
    SnapshotWindowTest() : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s))
    {
        m_tree.table(u"PRISUZIV"_s); // no users: no restrictions
        m_year.agenda().name(u"Demo s.r.o."_s).exchangeState(u"NORMAL"_s);
        m_year.yearName(u"2018"_s).doubleEntry(true);
        m_year.table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP01|1|1\nPP02|2|0\nPP03|3|0");
        m_year.table(u"POLUCDPK"_s).rows("CISLO|Popis\n1|a\n2|b\n3|c");
        m_year.table(u"ROZPUPK"_s);
        m_year.table(u"UCDENIK"_s).rows("Cislo|Zdroj|ZRadek|Free\n1|PK|1|0\n2|PK|2|0\n3|PK|3|0");
        RunContext &context = m_main.runContext();
        context.addOnVersion = u"2.14"_s;
        context.dataRoot = m_tree.dataRoot();
        context.agendaDir = m_year.agenda().dir();
        context.yearDir = m_year.dir();
        context.companyName = u"Demo s.r.o."_s;
        context.yearName = u"2018"_s;
        context.userName = u"Jana"_s;
        context.hostVersion = u"13.100"_s;
        context.addOnRoot = m_tree.dataRoot() + u"Velmar/Tarnek/"_s;
        context.settingsDir = context.addOnRoot + u"Setting/"_s;
        QDir().mkpath(context.settingsDir);
        recordHostVersion(context); // the update check stays silent
        registerOperations(m_main);
        m_main.show();
        click(m_main, u"btnDalsi"_s);
    }
    ~SnapshotWindowTest() override { m_main.hide(); }

    // Picks the row on the operation page and presses "OK".
    void runFromWizard(const QString &row)
    {
        auto *radio = child<QRadioButton>(m_main, row);
        ASSERT_TRUE(radio->isEnabled()) << row.toStdString();
        radio->click();
        click(m_main, u"btnDalsi"_s);
    }

    // A removal for real of the cash documents through its window.
    void removeForReal()
    {
        scriptedUi().onWindow(u"TfrmObecneVarovani"_s, [](QDialog &w) { click(w, u"btnAno"_s); });
        scriptedUi().onWindow(u"TfrmOdstraneniSmaz"_s, [](QDialog &w) {
            child<QCheckBox>(w, u"chckPokl"_s)->setChecked(true);
            child<QCheckBox>(w, u"chckTest"_s)->setChecked(false);
            click(w, u"btnOK"_s);
            click(w, u"btnStorno"_s);
        });
        scriptedUi().answer(MessageAnswer::Yes);
        scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) { click(w, u"btnZavrit"_s); });
        runFromWizard(u"rbOdstrSmaz"_s);
        ASSERT_EQ(documents(), (QStringList{u"PP02"_s, u"PP03"_s}));
        scriptedUi().reset();
    }

    // The snapshot window opened from the wizard, `action` run in it.
    void inSnapshotWindow(const std::function<void(QDialog &)> &action)
    {
        scriptedUi().onWindow(u"TfrmZalohyTabulek"_s, [&](QDialog &w) {
            EXPECT_EQ(w.windowTitle(), u"Zálohy tabulek"_s);
            action(w);
            click(w, u"btnZavrit"_s);
        });
        runFromWizard(u"rbObnovaZalohy"_s);
    }

    // Answers the question before a restore; its text is kept.
    void answerQuestion(bool yes)
    {
        scriptedUi().onWindow(u"TfrmObnovaDotaz"_s, [this, yes](QDialog &w) {
            m_question = child<QLabel>(w, u"lblDotaz"_s)->text();
            EXPECT_TRUE(child<QPushButton>(w, u"btnNe"_s)->isDefault());
            EXPECT_FALSE(child<QPushButton>(w, u"btnAno"_s)->isDefault());
            click(w, yes ? u"btnAno"_s : u"btnNe"_s);
        });
    }

    void expectProtocol()
    {
        scriptedUi().onWindow(u"TfrmFreeText"_s, [this](QDialog &w) {
            m_protocol = child<QPlainTextEdit>(w, u"reProtokol"_s)->toPlainText().split(u'\n');
            EXPECT_TRUE(child<QPushButton>(w, u"btnVytisknout"_s)->isEnabled());
            click(w, u"btnZavrit"_s);
        });
    }

    static QStringList cells(QDialog &w, const QString &grid, int column)
    {
        auto *table = child<QTableWidget>(w, grid);
        QStringList values;
        for (int row = 0; row < table->rowCount(); ++row)
            values.append(table->item(row, column)->text());
        return values;
    }

    QStringList documents() { return fieldValues(m_year.dir() + u"POKLKNIH"_s, u"Doklad"_s).value(); }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    TfrmMain m_main;
    QString m_question;
    QStringList m_protocol;
};

// At the wizard's size every operation, the restore with them, and its
// description are seen at once: nothing to scroll, no row cut by the edge.
TEST_F(SnapshotWindowTest, OperationPageShowsEveryOperationWithoutScrolling)
{
    auto *box = child<QScrollArea>(m_main, u"sbOperace"_s);
    QApplication::processEvents();
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0)
        << "rows need " << box->widget()->sizeHint().height() << " px, the box shows " << box->viewport()->height();
    ASSERT_EQ(kOperationRows.size(), 6u);
    for (const OperationRow &row : kOperationRows) {
        const QString name = QString::fromUtf16(row.radioName);
        auto *radio = child<QRadioButton>(m_main, name);
        EXPECT_TRUE(radio->isEnabled()) << name.toStdString();
        for (QWidget *part :
             {static_cast<QWidget *>(radio), static_cast<QWidget *>(child<QLabel>(m_main, name + u"Popis"_s))}) {
            const QRect inBox(part->mapTo(box->viewport(), QPoint(0, 0)), part->size());
            EXPECT_TRUE(box->viewport()->rect().contains(inBox)) << part->objectName().toStdString();
        }
    }
    EXPECT_EQ(child<QRadioButton>(m_main, u"rbObnovaZalohy"_s)->text(), u"obnovit tabulky ze zálohy"_s);
}

// The demo's path: removal for real, then the removed documents back from
// the wizard, then the restore itself undone from the same window.
TEST_F(SnapshotWindowTest, RemovedDocumentsComeBackAndTheRestoreCanBeUndone)
{
    removeForReal();
    QStringList restoredProtocol;
    inSnapshotWindow([&](QDialog &w) {
        EXPECT_EQ(cells(w, u"grZalohy"_s, 1), QStringList{u"odstranění smazaných dokladů"_s});
        EXPECT_EQ(cells(w, u"grZalohy"_s, 2), QStringList{u"2018"_s});
        EXPECT_EQ(cells(w, u"grZalohy"_s, 3), QStringList{u"Jana"_s});
        EXPECT_EQ(cells(w, u"grZalohy"_s, 4), QStringList{u"dokončeno"_s});
        // The tables with their records then and now.
        QStringList tables;
        for (int row = 0; row < child<QTableWidget>(w, u"grTabulky"_s)->rowCount(); ++row) {
            tables.append(cells(w, u"grTabulky"_s, 0).at(row) + u' ' + cells(w, u"grTabulky"_s, 1).at(row) + u' ' +
                          cells(w, u"grTabulky"_s, 2).at(row));
        }
        EXPECT_EQ(tables,
                  (QStringList{u"AGENDA.001/ROK.2018/UCDENIK.DAT 3 2"_s, u"AGENDA.001/ROK.2018/POKLKNIH.DAT 3 2"_s,
                               u"AGENDA.001/ROK.2018/POLUCDPK.DAT 3 2"_s, u"AGENDA.001/ROK.2018/ROZPUPK.DAT 0 0"_s}));

        answerQuestion(true);
        expectProtocol();
        click(w, u"btnObnovit"_s);
        EXPECT_EQ(documents(), (QStringList{u"PP01"_s, u"PP02"_s, u"PP03"_s}));
        EXPECT_TRUE(m_question.contains(u"pořízenou před operací „odstranění smazaných dokladů“ (rok 2018, "
                                        u"uživatel Jana)"_s))
            << m_question.toStdString();
        EXPECT_TRUE(m_question.endsWith(u"Chcete tabulky obnovit?"_s)) << m_question.toStdString();
        restoredProtocol = m_protocol;

        // The list read again: the snapshot taken before the restore on top.
        EXPECT_EQ(cells(w, u"grZalohy"_s, 1), (QStringList{u"obnovení"_s, u"odstranění smazaných dokladů"_s}));
        EXPECT_EQ(cells(w, u"grZalohy"_s, 4), (QStringList{u"dokončeno"_s, u"tabulky od té doby změněny"_s}));

        child<QTableWidget>(w, u"grZalohy"_s)->selectRow(0);
        answerQuestion(true);
        expectProtocol();
        click(w, u"btnObnovit"_s);
        EXPECT_EQ(documents(), (QStringList{u"PP02"_s, u"PP03"_s}));
    });

    ASSERT_GE(restoredProtocol.size(), 12);
    EXPECT_EQ(restoredProtocol.at(0), u"Agenda: Demo s.r.o."_s);
    EXPECT_EQ(restoredProtocol.at(4), u"Obnova tabulek ze zálohy"_s);
    EXPECT_TRUE(restoredProtocol.at(5).startsWith(u"Záloha: "_s + m_tree.dataRoot() + u"Velmar/Tarnek/Zalohy/"_s))
        << restoredProtocol.at(5).toStdString();
    EXPECT_TRUE(
        restoredProtocol.at(6).endsWith(u" před operací „odstranění smazaných dokladů“, rok 2018, uživatel Jana"_s))
        << restoredProtocol.at(6).toStdString();
    EXPECT_EQ(
        restoredProtocol.mid(8, 5),
        (QStringList{u"Obnovené tabulky (počet záznamů před obnovou >> po obnově):"_s,
                     u"AGENDA.001/ROK.2018/UCDENIK.DAT: 2 >> 3"_s, u"AGENDA.001/ROK.2018/POKLKNIH.DAT: 2 >> 3"_s,
                     u"AGENDA.001/ROK.2018/POLUCDPK.DAT: 2 >> 3"_s, u"AGENDA.001/ROK.2018/ROZPUPK.DAT: 0 >> 0"_s}));
    EXPECT_TRUE(restoredProtocol.last().startsWith(u"Záloha tabulek před obnovou: "_s + m_tree.dataRoot()))
        << restoredProtocol.last().toStdString();
    // The file holds the last protocol: the undo of the restore.
    EXPECT_EQ(TextFile::readLines(SnapshotRestoreRun::protocolFileName(m_main.runContext().settingsDir)), m_protocol);
}

// Enter answers "Ne": nothing changes, no protocol.
TEST_F(SnapshotWindowTest, EnterInTheQuestionKeepsTheTables)
{
    removeForReal();
    inSnapshotWindow([&](QDialog &w) {
        scriptedUi().onWindow(u"TfrmObnovaDotaz"_s, [](QDialog &question) {
            QTest::keyClick(&question, Qt::Key_Return);
            EXPECT_FALSE(question.isVisible());
            EXPECT_EQ(question.result(), QDialog::Rejected);
        });
        click(w, u"btnObnovit"_s);
    });
    EXPECT_EQ(documents(), (QStringList{u"PP02"_s, u"PP03"_s}));
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"TfrmFreeText"_s));
}

// A document changed since the run: the state says so, and the question
// names what would be lost.
TEST_F(SnapshotWindowTest, ChangeSinceTheRunIsNamedInTheQuestion)
{
    removeForReal();
    {
        TBFTable table;
        ASSERT_EQ(table.Open(m_year.dir() + u"POKLKNIH"_s), HostResult::Ok);
        table.GoTop();
        table.SetValue(u"Doklad"_s, u"PP02X"_s);
        ASSERT_EQ(table.Post(), HostResult::Ok);
    }
    inSnapshotWindow([&](QDialog &w) {
        EXPECT_EQ(cells(w, u"grZalohy"_s, 4), QStringList{u"tabulky od té doby změněny"_s});
        answerQuestion(false);
        click(w, u"btnObnovit"_s);
    });
    EXPECT_TRUE(m_question.contains(u"POZOR, obnova by ztratila tyto změny:\n- tabulka "
                                    u"AGENDA.001/ROK.2018/POKLKNIH.DAT byla po skončení běhu změněna"_s))
        << m_question.toStdString();
    EXPECT_TRUE(m_question.endsWith(u"Chcete přesto tabulky obnovit a tyto změny ztratit?"_s));
    EXPECT_EQ(documents(), (QStringList{u"PP02X"_s, u"PP03"_s}));
}

TEST_F(SnapshotWindowTest, RecordLockedElsewhereNamesTheTableAndAsksToCloseLedra)
{
    removeForReal();
    RecordHolder holder(QString::fromUtf8(TARNEK_TABLE_TOOL));
    holder.hold(m_year.dir() + u"POLUCDPK.DAT"_s, 2);
    inSnapshotWindow([&](QDialog &w) { click(w, u"btnObnovit"_s); });
    holder.release();
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning,
          u"Tabulky nelze obnovit, protože s nimi právě pracuje jiný uživatel (tabulka je otevřená nebo je v ní "
          u"zamčený záznam):\rAGENDA.001/ROK.2018/POLUCDPK.DAT\r\rUkončete prosím Ledra a Tarnek na ostatních "
          u"stanicích a obnovu spusťte znovu."_s}}));
    EXPECT_EQ(documents(), (QStringList{u"PP02"_s, u"PP03"_s}));
}

// The rights of the operation that took the snapshot (a removal: the
// data-verification right).
TEST_F(SnapshotWindowTest, WithoutTheRightsNothingIsRestored)
{
    removeForReal();
    m_main.runContext().rights.rightVerifikace = u"N"_s;
    inSnapshotWindow([&](QDialog &w) { click(w, u"btnObnovit"_s); });
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().first().kind, MessageKind::Warning);
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"TfrmObnovaDotaz"_s));
    EXPECT_EQ(documents(), (QStringList{u"PP02"_s, u"PP03"_s}));
}

// "Přerušit" while the tables are copied: what was replaced goes back.
TEST_F(SnapshotWindowTest, InterruptedRestoreLeavesTheTablesAsTheyWere)
{
    removeForReal();
    inSnapshotWindow([&](QDialog &w) {
        scriptedUi().onWindow(u"TfrmObnovaDotaz"_s, [&w](QDialog &question) {
            click(question, u"btnAno"_s);
            // Pressed as soon as the copying lets the window repaint.
            QTimer::singleShot(0, &w, [&w] {
                EXPECT_TRUE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
                EXPECT_FALSE(child<QPushButton>(w, u"btnZavrit"_s)->isEnabled());
                click(w, u"btnPrerusit"_s);
            });
        });
        click(w, u"btnObnovit"_s);
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
        EXPECT_EQ(cells(w, u"grZalohy"_s, 1), QStringList{u"odstranění smazaných dokladů"_s})
            << "no snapshot of an interrupted restore is kept";
    });
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Error, u"Tabulky nebyly obnoveny.\r\robnova byla přerušena; žádná tabulka nebyla změněna"_s}}));
    EXPECT_EQ(documents(), (QStringList{u"PP02"_s, u"PP03"_s}));
}

// The rights a snapshot asks for are those of the operation that took it.
struct RightsCase
{
    const char *name;
    const char16_t *operation;
    QStringList tables;
    QList<int> codes;
};

class SnapshotRightsTest : public testing::TestWithParam<RightsCase>
{
};

TEST_P(SnapshotRightsTest, AreThoseOfTheOperationThatTookIt)
{
    SnapshotManifest manifest;
    manifest.operation = QString::fromUtf16(GetParam().operation);
    for (const QString &table : GetParam().tables)
        manifest.tables.append({u"AGENDA.001/ROK.2018/"_s + table, {}});
    EXPECT_EQ(SnapshotListing::rightsCodes(manifest), GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    Restore, SnapshotRightsTest,
    testing::Values(RightsCase{"Removal", u"odstraneni", {u"UCDENIK.DAT"_s, u"POKLKNIH.DAT"_s}, {2}},
                    RightsCase{"CashRenumbering", u"precislovani", {u"POKLKNIH.DAT"_s, u"UCDENIK.DAT"_s}, {101}},
                    RightsCase{"InternalRenumbering", u"precislovani", {u"intdokl.dat"_s, u"UCDENIK.DAT"_s}, {102}},
                    // Not a renumbering's tables: the right every change needs.
                    RightsCase{"RenumberingOfNeither", u"precislovani", {u"UCDENIK.DAT"_s}, {2}},
                    RightsCase{"RestoresOwnSnapshot", u"obnoveni", {u"POKLKNIH.DAT"_s}, {2}}),
    TestSupport::rowName);

} // namespace

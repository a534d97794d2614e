// The pick lists of host code lists, read through the real table engine, and
// the code-list editor taking its codes from them; start-up on a host tree
// as the host lays it out.

#include "app/ui/CodeListEditor.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PickListWindow.h"
#include "app/ui/StartUp.h"
#include "app/ui/WorkingOverlay.h"
#include "common/MemTable.h"
#include "common/widgets/DataGrid.h"
#include "fixture/HostTreeBuilder.h"
#include "support/FakeSession.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

QList<std::pair<QString, QString>> rows(const MemTable &list)
{
    QList<std::pair<QString, QString>> result;
    for (int row = 0; row < list.recordCount(); ++row)
        result.append({list.value(row, 0).toString(), list.value(row, 1).toString()});
    return result;
}

class PickFromList : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_fake.context.yearDir = year().dir();
        m_fake.context.agendaDir = m_tree.agenda(u"001"_s).dir();
    }

    YearBuilder &year() { return m_tree.agenda(u"001"_s).year(u"2018"_s); }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree{m_dir.path()};
    FakeSession m_fake; // no main window: the session and a recording progress sink
};

TEST_F(PickFromList, OkReturnsTheCurrentRowsCode)
{
    year().table(u"SZCINN"_s).row({{"Zkrat", "C1"}, {"Nazev", "Výroba"}}).row({{"Zkrat", "C2"}, {"Nazev", "Obchod"}});
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Seznam činností"_s);
        auto *grid = child<DataGrid>(w, u"grSeznam1"_s);
        EXPECT_EQ(rows(*grid->table()),
                  (QList<std::pair<QString, QString>>{{u"C1"_s, u"Výroba"_s}, {u"C2"_s, u"Obchod"_s}}));
        EXPECT_EQ(grid->table()->currentRow(), 0);
        EXPECT_EQ(grid->columnTitle(1), u"Název"_s);
        EXPECT_EQ(grid->columnWidth(0), 125);
        EXPECT_EQ(grid->columnWidth(1), 346);
        grid->table()->setCurrentRow(1);
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(pickFromList(m_fake.session, 1), u"C2"_s);
    EXPECT_FALSE(m_fake.progress.working);
    EXPECT_EQ(TestSupport::openTableFiles(m_dir.path()), QStringList());
}

TEST_F(PickFromList, EnterInTheGridActsAsOk)
{
    year().table(u"SZSTRED"_s).row({{"Zkrat", "S1"}, {"Nazev", "Dílna"}});
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Seznam středisek"_s);
        QTest::keyClick(child<DataGrid>(w, u"grSeznam1"_s)->view(), Qt::Key_Return);
    });
    EXPECT_EQ(pickFromList(m_fake.session, 2), u"S1"_s);
}

TEST_F(PickFromList, EmptyTableOffersNoOk)
{
    year().table(u"ZAKAZKY"_s);
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Seznam zakázek"_s);
        EXPECT_FALSE(child<QPushButton>(w, u"btnOK"_s)->isEnabled());
        QTest::keyClick(child<DataGrid>(w, u"grSeznam1"_s)->view(), Qt::Key_Return); // nothing to choose
        EXPECT_TRUE(w.isVisible());
        click(w, u"btnZavrit"_s);
    });
    EXPECT_EQ(pickFromList(m_fake.session, 3), QString());
}

TEST_F(PickFromList, BankAccountsShowTheirDescription)
{
    year().table(u"SZUCPOKL"_s).row({{"Zkrat", "POK1"}, {"Popis", "Hlavní pokladna"}});
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Seznam bankovních účtů a pokladen"_s);
        EXPECT_EQ(rows(*child<DataGrid>(w, u"grSeznam1"_s)->table()),
                  (QList<std::pair<QString, QString>>{{u"POK1"_s, u"Hlavní pokladna"_s}}));
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(pickFromList(m_fake.session, 5), u"POK1"_s);
}

TEST_F(PickFromList, DocumentTypesComeFromThreeTablesWithTheirSuffixes)
{
    year().table(u"VFAKTTYP"_s).row({{"Zkratka", "FV"}, {"Nazev", "Faktura"}});
    year()
        .table(u"SKDOKTYP"_s)
        .rows(u"Zkratka   | Popis     | TYP       \n"
              "PR        | Příjemka  | P\n"
              "VY        | Výdejka   | V\n"
              "DL        | Dodací list | D\n"_s);
    m_tree.agenda(u"001"_s)
        .table(u"OBJTYPY"_s)
        .rows(u"Zkratka | Popis | TYP\n"
              "OP | Objednávka přijatá | R\n"
              "NA | Nabídka | N\n"
              "XX | Jiné | X\n"
              "PO | Poptávka | J\n"_s);
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Seznam typů dokladů"_s);
        EXPECT_EQ(rows(*child<DataGrid>(w, u"grSeznam1"_s)->table()),
                  (QList<std::pair<QString, QString>>{{u"FV"_s, u"Faktura [vystavené faktury]"_s},
                                                      {u"PR"_s, u"Příjemka [skladové doklady]"_s},
                                                      {u"DL"_s, u"Dodací list [skladové doklady]"_s},
                                                      {u"OP"_s, u"Objednávka přijatá [objednávky/nabídky/poptávky]"_s},
                                                      {u"NA"_s, u"Nabídka [objednávky/nabídky/poptávky]"_s},
                                                      {u"PO"_s, u"Poptávka [objednávky/nabídky/poptávky]"_s}}));
        click(w, u"btnZavrit"_s);
    });
    EXPECT_EQ(pickFromList(m_fake.session, 4), QString());
}

TEST_F(PickFromList, MissingLastTableAbandonsTheWholeList)
{
    year().table(u"VFAKTTYP"_s).row({{"Zkratka", "FV"}, {"Nazev", "Faktura"}});
    year().table(u"SKDOKTYP"_s);
    EXPECT_EQ(pickFromList(m_fake.session, 4), QString());
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Nastala chyba při otevírání databáze "_s +
                                                       m_tree.agenda(u"001"_s).dir() + u"OBJTYPY.DAT"_s});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
    EXPECT_FALSE(m_fake.progress.working);
    EXPECT_EQ(TestSupport::openTableFiles(m_dir.path()), QStringList());
}

// The list is read with a table of the pick's own, closed again before the
// list is shown: while the user chooses and afterwards no table file of the
// list stays open.
TEST_F(PickFromList, NoTableStaysOpenWhileOrAfterTheListIsShown)
{
    year().table(u"SZCINN"_s).row({{"Zkrat", "C1"}, {"Nazev", "Výroba"}});
    year().table(u"SZSTRED"_s).row({{"Zkrat", "S1"}, {"Nazev", "Dílna"}});
    QStringList openWhileShown{u"not seen"_s};
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [&](QDialog &w) {
        openWhileShown = TestSupport::openTableFiles(m_dir.path());
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(pickFromList(m_fake.session, 1), u"C1"_s);
    EXPECT_EQ(openWhileShown, QStringList());
    EXPECT_EQ(TestSupport::openTableFiles(m_dir.path()), QStringList());
}

TEST_F(PickFromList, CodeListEditorAddsThePickedCode)
{
    year().table(u"SZCINN"_s).row({{"Zkrat", "C1"}, {"Nazev", "Výroba"}}).row({{"Zkrat", "c2"}, {"Nazev", "Obchod"}});
    scriptedUi().onWindow(u"TfrmEditorPol"_s, [](QDialog &w) {
        click(w, u"btnPridat"_s);
        click(w, u"btnPridat"_s);
        click(w, u"btnOK"_s);
    });
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) {
        child<DataGrid>(w, u"grSeznam1"_s)->table()->setCurrentRow(1);
        click(w, u"btnOK"_s);
    });
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) { click(w, u"btnOK"_s); });
    EXPECT_EQ(editCodeList(m_fake.session, u"C2;"_s, 1), u"C2;C1;"_s);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Zkratka \"c2\" již v seznamu existuje."_s});
}

TEST(StartUpOnAHostTree, TheHostsCommandLineReachesTheWelcomePage)
{
    QTemporaryDir dir;
    HostTreeBuilder tree(dir.path());
    YearBuilder &year = tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).year(u"2018"_s);
    year.iniForm(IniForm::Table).yearName(u"2018"_s).currencySymbol(u"Kč"_s);
    TfrmMain main;
    ASSERT_EQ(runStartUp(main, tree.commandLine(year), QStringLiteral(TARNEK_SETUP_DIR)), 0);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(child<QStackedWidget>(main, u"pgcMain"_s)->currentIndex(), 0);
    EXPECT_EQ(child<QLabel>(main, u"lblVerze"_s)->text(), u"2.14"_s);
    EXPECT_EQ(main.runContext().companyName, u"Demo s.r.o."_s);
    EXPECT_EQ(main.runContext().yearName, u"2018"_s);
    EXPECT_EQ(main.runContext().currencySymbol, u"Kč"_s);
    EXPECT_EQ(main.runContext().agendaCode, u"001"_s);
    main.hide();
}

} // namespace

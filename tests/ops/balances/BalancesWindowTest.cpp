// The balances from the wizard's operation page through the filter, the code
// list editor and the pick list to the result window, on real widgets with
// the scripted seam answering.

#include "app/core/HostVersion.h"
#include "app/ui/MainWindow.h"
#include "common/IniFile.h"
#include "common/MemTable.h"
#include "common/widgets/DataGrid.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/RegisterOperations.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

class BalancesWindowTest : public testing::Test
{
protected:
    BalancesWindowTest() : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s))
    {
        m_tree.table(u"PRISUZIV"_s); // no users: no restrictions
        m_year.yearName(u"2018"_s).currencySymbol(u"Kč"_s).fiscalYear(QDate(2018, 1, 1), QDate(2018, 12, 31));
        m_year.table(u"SZUCPOKL"_s).rows(R"(
            Zkrat | Popis         | Mena | PocStav
            POK   | Pokladna      |      | 1000
            RBEUR | Devizový účet | EUR  | 100
        )");
        m_year.table(u"POKLKNIH"_s).rows("Doklad|DatPlat|Pokl|Celkem\nPP0001|2018-02-02|POK|500");
        m_year.table(u"BANKKNIH"_s).rows(R"(
            Doklad | DatPlat    | Ucet  | Vydej | Mena | ValutyKUhr | Celkem
            BV0001 | 2018-03-05 | RBEUR | 1     | EUR  | 30         | 750
        )");

        RunContext &context = m_main.runContext();
        context.addOnVersion = u"2.14"_s;
        context.dataRoot = m_tree.dataRoot();
        context.agendaDir = m_year.agenda().dir();
        context.yearDir = m_year.dir();
        context.agendaCode = u"001"_s;
        context.yearCode = u"2018"_s;
        context.hostVersion = u"13.100"_s;
        context.configName = u"Default"_s;
        context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
        QDir().mkpath(context.settingsDir);
        recordHostVersion(context);              // the update check stays silent
        EXPECT_EQ(checkHostVersion(context), 0); // the settings file and the currency symbol
        registerOperations(m_main);
        m_main.show();
        click(m_main, u"btnDalsi"_s);
        child<QRadioButton>(m_main, u"rbStavUctuPokladen"_s)->click();
    }
    ~BalancesWindowTest() override { m_main.hide(); }

    IniFile settings() { return IniFile(m_main.runContext().configIniPath); }
    static QString cell(DataGrid &grid, int row, int column)
    {
        const QAbstractItemModel *model = grid.view()->model();
        return model->data(model->index(row, column)).toString();
    }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    TfrmMain m_main;
};

TEST_F(BalancesWindowTest, ChosenAccountFromTheWizardToTheBalances)
{
    EXPECT_TRUE(child<QRadioButton>(m_main, u"rbStavUctuPokladen"_s)->isEnabled());
    scriptedUi().onWindow(u"TfrmStavUctuPokladenFilter"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Vstupní filtr"_s);
        auto *all = child<QRadioButton>(w, u"rbVse"_s);
        auto *codes = child<QLineEdit>(w, u"edtVybrane"_s);
        EXPECT_EQ(all->text(), u"zahrnout všechny bankovní účty a pokladny"_s);
        EXPECT_TRUE(all->isChecked());
        EXPECT_TRUE(codes->isReadOnly());
        EXPECT_FALSE(codes->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnVybrane"_s)->isEnabled());
        EXPECT_EQ(codes->palette().color(QPalette::Base), w.palette().color(QPalette::Button));

        click(w, u"rbVybrane"_s);
        EXPECT_EQ(child<QRadioButton>(w, u"rbVybrane"_s)->text(), u"jen vybrané"_s);
        EXPECT_TRUE(codes->isEnabled());
        EXPECT_EQ(codes->palette().color(QPalette::Base), w.palette().color(QPalette::Base));
        click(w, u"btnVybrane"_s);
        EXPECT_EQ(codes->text(), u"RBEUR;"_s);
        click(w, u"btnOK"_s);
    });
    scriptedUi().onWindow(u"TfrmEditorPol"_s, [](QDialog &w) {
        click(w, u"btnPridat"_s);
        click(w, u"btnOK"_s);
    });
    scriptedUi().onWindow(u"TfrmSeznam1"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Seznam bankovních účtů a pokladen"_s);
        MemTable *list = child<DataGrid>(w, u"grSeznam1"_s)->table();
        ASSERT_TRUE(list->locate(u"Zkratka"_s, u"RBEUR"_s, false));
        click(w, u"btnOK"_s);
    });
    scriptedUi().onWindow(u"TfrmStavUctuPokladenReport"_s, [this](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Stav bankovních účtů a pokladen"_s);
        EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
        EXPECT_FALSE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled()); // the operation runs
        auto *grid = child<DataGrid>(w, u"grStav"_s);
        ASSERT_EQ(grid->columnCount(), 2);
        EXPECT_EQ(grid->columnTitle(0), u"Datum"_s);
        EXPECT_EQ(grid->columnWidth(0), 100);
        EXPECT_EQ(grid->columnTitle(1), u"Celkem EUR"_s);
        EXPECT_EQ(grid->columnWidth(1), 120);
        ASSERT_EQ(grid->view()->model()->rowCount(), 2);
        EXPECT_EQ(cell(*grid, 0, 0), u"1.1.2018"_s);
        EXPECT_EQ(cell(*grid, 0, 1), u"100,00"_s);
        EXPECT_EQ(cell(*grid, 1, 0), u"5.3.2018"_s);
        EXPECT_EQ(cell(*grid, 1, 1), u"70,00"_s);
        click(w, u"btnZavrit"_s);
    });

    click(m_main, u"btnDalsi"_s); // "OK"

    EXPECT_EQ(scriptedUi().windowsShown(), (QStringList{u"TfrmStavUctuPokladenFilter"_s, u"TfrmEditorPol"_s,
                                                        u"TfrmSeznam1"_s, u"TfrmStavUctuPokladenReport"_s}));
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(settings().ReadString(u"StavUctuPokladenFilter001"_s, u"UseVybraneUctyPokladny"_s, QString()), u"1"_s);
    EXPECT_EQ(settings().ReadString(u"StavUctuPokladenFilter001"_s, u"VybraneUctyPokladny"_s, QString()), u"RBEUR;"_s);
    EXPECT_TRUE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled());
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
}

TEST_F(BalancesWindowTest, AllAccountsWithTheHomeCurrencyTitledBySymbol)
{
    IniFile(m_main.runContext().configIniPath)
        .WriteString(u"StavUctuPokladenFilter001"_s, u"VybraneUctyPokladny"_s, u"RBEUR;"_s);
    scriptedUi().onWindow(u"TfrmStavUctuPokladenFilter"_s, [](QDialog &w) {
        EXPECT_TRUE(child<QRadioButton>(w, u"rbVse"_s)->isChecked());
        EXPECT_EQ(child<QLineEdit>(w, u"edtVybrane"_s)->text(), u"RBEUR;"_s); // kept, not used
        click(w, u"btnOK"_s);
    });
    scriptedUi().onWindow(u"TfrmStavUctuPokladenReport"_s, [](QDialog &w) {
        auto *grid = child<DataGrid>(w, u"grStav"_s);
        ASSERT_EQ(grid->columnCount(), 3);
        EXPECT_EQ(grid->columnTitle(1), u"Celkem Kč"_s);
        EXPECT_EQ(grid->columnTitle(2), u"Celkem EUR"_s);
        ASSERT_EQ(grid->view()->model()->rowCount(), 3);
        EXPECT_EQ(cell(*grid, 1, 0), u"2.2.2018"_s);
        EXPECT_EQ(cell(*grid, 1, 1), u"1 500,00"_s);
        EXPECT_EQ(cell(*grid, 1, 2), u"100,00"_s);
        EXPECT_EQ(cell(*grid, 2, 1), u"1 500,00"_s);
        EXPECT_EQ(cell(*grid, 2, 2), u"70,00"_s);
        click(w, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(settings().ReadString(u"StavUctuPokladenFilter001"_s, u"UseVybraneUctyPokladny"_s, QString()), u"0"_s);
}

TEST_F(BalancesWindowTest, ZavritInTheFilterComputesAndSavesNothing)
{
    scriptedUi().onWindow(u"TfrmStavUctuPokladenFilter"_s, [](QDialog &w) {
        click(w, u"rbVybrane"_s);
        click(w, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmStavUctuPokladenFilter"_s});
    EXPECT_FALSE(settings().SectionExists(u"StavUctuPokladenFilter001"_s));
}

TEST_F(BalancesWindowTest, RefusedRightsShowOnlyTheWarning)
{
    m_main.runContext().rights.rightBankDE = u"N"_s;
    click(m_main, u"btnDalsi"_s);
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning, u"Nelze pokračovat, protože nemáte dostatečná oprávnění:\r\r- tato funkce "
                                u"vyžaduje přístup do modulu Seznam bankovních dokladů"_s}}));
}

// "Přerušit" pressed while the cash book is read: no message, no result
// window (an unscripted window would fail the test), the wizard ready again.
TEST_F(BalancesWindowTest, InterruptButtonEndsTheOperationSilently)
{
    QString rows = u"Doklad|DatPlat|Pokl|Celkem\n"_s;
    for (int i = 0; i < 30; ++i)
        rows += u"PX%1|2018-04-01|POK|1\n"_s.arg(i);
    m_year.table(u"POKLKNIH"_s).rows(rows);
    scriptedUi().onWindow(u"TfrmStavUctuPokladenFilter"_s, [this](QDialog &w) {
        QTimer::singleShot(0, &m_main, [this] { click(m_main, u"btnPrerusit"_s); });
        click(w, u"btnOK"_s);
    });
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmStavUctuPokladenFilter"_s});
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_TRUE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled());
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
}

} // namespace

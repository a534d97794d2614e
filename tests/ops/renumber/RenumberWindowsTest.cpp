// Renumbering driven through its windows: from the wizard's operation page
// through the warning, the module, the series and the list window to a
// proposal and its undo; the start-number window; the refusals at the entry.

#include "RenumberFixture.h"
#include "app/core/HostVersion.h"
#include "app/ui/MainWindow.h"
#include "app/ui/TarnekApplication.h"
#include "common/widgets/DataGrid.h"
#include "hostdb/HostCatalogue.h"
#include "ops/RegisterOperations.h"
#include "ops/renumber/NumberSeriesWindow.h"
#include "ops/renumber/RenumberListWindow.h"
#include "ops/renumber/Renumbering.h"
#include "ops/renumber/StartNumberDialog.h"
#include "support/TestSupport.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

void clickTitle(DataGrid &grid, const QString &field)
{
    QHeaderView *titles = grid.view()->horizontalHeader();
    const int column = findGridColumn(grid, field);
    ASSERT_GE(column, 0);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(titles->logicalIndex(column)) + 5, 5));
}

void clickMarker(DataGrid &grid, int row)
{
    QHeaderView *marker = grid.view()->verticalHeader();
    QTest::mouseClick(marker->viewport(), Qt::LeftButton, {},
                      QPoint(marker->width() / 2, marker->sectionViewportPosition(row) + 5));
}

QStringList numbers(MemTable &list, const QString &field = QStringLiteral("Doklad"))
{
    QStringList values;
    for (int row = 0; row < list.recordCount(); ++row)
        values.append(list.value(row, list.fieldIndex(field)).toString());
    return values;
}

QString labelText(QWidget &window, const QString &name)
{
    QLabel *label = child<QLabel>(window, name);
    return label ? label->text() : QString();
}

// The list window's state for the cash series "PD" (four digits, zeros).
RenumberState cashSeriesPD()
{
    RenumberState state;
    state.module = RenumberModule::Cash;
    state.seriesPrefix = u"PD"_s;
    state.leadingZeros = true;
    state.digitCount = 4;
    return state;
}

// The cash series of 2018 "PDrr" (PD18…) and five documents entered out of
// date order.
void cashCompany(YearBuilder &year)
{
    year.table(u"CISRADY"_s).rows(R"(
        Rada | Nazev                | Nuly | PocetMist | PP | VP | ID
        PDrr | Pokladní příjmy      | 1    | 4         | 1  | 0  | 0
        IDrr | Interní doklady      | 1    | 4         | 0  | 0  | 1
        VPrr | Pokladní výdaje      | 1    | 4         | 0  | 1  | 0
    )");
    year.table(u"POKLKNIH"_s).rows(R"(
        Doklad   | Cislo | DCislo | DatVyst    | DatUcPr    | DatPln     | Vydej
        PD180001 | 1     | 1      | 2018-05-01 | 2018-05-05 | 2018-05-01 | 0
        PD180002 | 2     | 2      | 2018-05-03 | 2018-05-04 | 2018-05-03 | 0
        PD180003 | 3     | 3      | 2018-05-02 | 2018-05-03 | 2018-05-02 | 1
        PD180004 | 4     | 4      | 2018-05-05 | 2018-05-02 | 2018-05-05 | 0
        PD180005 | 5     | 5      | 2018-05-04 | 2018-05-01 | 2018-05-04 | 0
    )");
}

class RenumberWizardTest : public testing::Test
{
protected:
    RenumberWizardTest() : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s))
    {
        m_tree.table(u"PRISUZIV"_s); // no users: no restrictions
        m_year.yearName(u"2018"_s).doubleEntry(true);
        m_year.agenda().name(u"Demo s.r.o."_s).exchangeState(u"NORMAL"_s);
        m_year.agenda().table(u"SZDPH"_s);
        cashCompany(m_year);
        RunContext &context = m_main.runContext();
        context.addOnVersion = u"2.14"_s;
        context.dataRoot = m_tree.dataRoot();
        context.agendaDir = m_year.agenda().dir();
        context.yearDir = m_year.dir();
        context.yearName = u"2018"_s;
        context.companyName = u"Demo s.r.o."_s;
        context.agendaCode = u"001"_s;
        context.yearCode = u"2018"_s;
        context.hostVersion = u"13.100"_s;
        context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
        QDir().mkpath(context.settingsDir);
        recordHostVersion(context);
        registerOperations(m_main);
        m_main.show();
        click(m_main, u"btnDalsi"_s); // to the operation page
        m_main.selectOperation(Operation::Renumber);
    }
    ~RenumberWizardTest() override { m_main.hide(); }

    void scriptWayIn(bool cash = true)
    {
        scriptedUi().onWindow(u"TfrmPrecisVarovani"_s, [](QDialog &w) { click(w, u"btnAno"_s); });
        scriptedUi().onWindow(u"TfrmVyberModuluPrecisl"_s, [cash](QDialog &w) {
            EXPECT_TRUE(child<QRadioButton>(w, u"rbPoklDokl"_s)->isChecked());
            if (!cash)
                child<QRadioButton>(w, u"rbIntDokl"_s)->setChecked(true);
            click(w, u"btnOK"_s);
        });
    }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    TfrmMain m_main;
};

TEST_F(RenumberWizardTest, ProposalFromTheWizardAndBack)
{
    scriptWayIn();
    scriptedUi().onWindow(u"TfrmCisRady"_s, [](QDialog &w) {
        auto &window = static_cast<TfrmCisRady &>(w);
        EXPECT_EQ(window.windowTitle(), u"Seznam číselných řad"_s);
        EXPECT_EQ(numbers(window.mtCisRady(), u"Rada"_s), QStringList({u"PDrr"_s, u"VPrr"_s}));
        EXPECT_EQ(window.grid().columnTitle(0), u"Prefix"_s);
        EXPECT_EQ(window.grid().columnTitle(1), u"Název"_s);
        EXPECT_EQ(window.grid().columnCount(), 2);
        click(w, u"btnOK"_s); // the first series, PDrr
    });
    bool listShown = false;
    scriptedUi().onWindow(u"TfrmPrecisDoklSeznam"_s, [&](QDialog &w) {
        listShown = true;
        auto &window = static_cast<TfrmPrecisDoklSeznam &>(w);
        MemTable &list = window.mtDoklady();
        DataGrid &grid = window.grid();
        EXPECT_EQ(window.windowTitle(), u"Prefix PD18 pokladní doklady"_s);
        EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
        EXPECT_EQ(grid.columnCount(), 12);
        EXPECT_EQ(grid.columnTitle(11), u"# Dokl."_s);
        // Sorted by the date of issue, the last row current.
        EXPECT_EQ(numbers(list),
                  QStringList({u"PD180001"_s, u"PD180003"_s, u"PD180002"_s, u"PD180005"_s, u"PD180004"_s}));
        EXPECT_TRUE(grid.hasSortMark(findGridColumn(grid, u"DatVyst"_s)));
        EXPECT_EQ(list.currentRow(), 4);
        EXPECT_TRUE(child<QPushButton>(w, u"btnNavrhPrecis"_s)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrecislovat"_s)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnVratitNavrh"_s)->isEnabled());

        // Sort by the accounting-case date: the reverse of the host's order.
        clickTitle(grid, u"DatUcPr"_s);
        EXPECT_EQ(numbers(list),
                  QStringList({u"PD180005"_s, u"PD180004"_s, u"PD180003"_s, u"PD180002"_s, u"PD180001"_s}));
        const int datUcPr = findGridColumn(grid, u"DatUcPr"_s);
        EXPECT_TRUE(grid.hasSortMark(datUcPr));
        EXPECT_FALSE(grid.hasSortMark(findGridColumn(grid, u"DatVyst"_s)));
        EXPECT_EQ(grid.columnColour(datUcPr), TfrmPrecisDoklSeznam::sortColour());
        EXPECT_EQ(window.state().sortField, u"DatUcPr"_s);

        // Mark the first two rows; propose from 6.
        clickMarker(grid, 0);
        clickMarker(grid, 1);
        EXPECT_EQ(grid.markCount(), 2);
        scriptedUi().onWindow(u"TfrmNastavPrecisl"_s, [](QDialog &d) {
            EXPECT_EQ(d.windowTitle(), u"Navrhnout přečíslování"_s);
            EXPECT_EQ(child<QLineEdit>(d, u"edtPrefix"_s)->text(), u"PD18"_s);
            EXPECT_EQ(labelText(d, u"lblAktSerazeni"_s), u"dle sloupce [Dat. úč. případu]"_s);
            EXPECT_EQ(labelText(d, u"lblPocetKPrec"_s), u"2"_s);
            child<QSpinBox>(d, u"edtPocCislo"_s)->setValue(6);
            EXPECT_EQ(labelText(d, u"lblNoveCislDolni"_s), u"PD180006"_s);
            EXPECT_EQ(labelText(d, u"lblNoveCisloHorni"_s), u"PD180007"_s);
            click(d, u"btnOK"_s);
        });
        click(w, u"btnNavrhPrecis"_s);
        EXPECT_EQ(numbers(list),
                  QStringList({u"PD180006"_s, u"PD180007"_s, u"PD180003"_s, u"PD180002"_s, u"PD180001"_s}));
        EXPECT_TRUE(window.state().proposalExists);
        EXPECT_FALSE(child<QPushButton>(w, u"btnNavrhPrecis"_s)->isEnabled());
        EXPECT_TRUE(child<QPushButton>(w, u"btnPrecislovat"_s)->isEnabled());
        EXPECT_TRUE(child<QPushButton>(w, u"btnVratitNavrh"_s)->isEnabled());
        EXPECT_TRUE(child<QPushButton>(w, u"btnKontrPosl"_s)->isEnabled());

        // "Přečíslovat" answered "Ne": nothing is written, the proposal stands.
        scriptedUi().answer(MessageAnswer::No);
        click(w, u"btnPrecislovat"_s);
        EXPECT_TRUE(window.state().proposalExists);
        EXPECT_TRUE(child<QPushButton>(w, u"btnPrecislovat"_s)->isEnabled());

        // "Původní": every number back.
        scriptedUi().answer(MessageAnswer::Yes);
        click(w, u"btnVratitNavrh"_s);
        EXPECT_EQ(numbers(list),
                  QStringList({u"PD180005"_s, u"PD180004"_s, u"PD180003"_s, u"PD180002"_s, u"PD180001"_s}));
        EXPECT_FALSE(window.state().proposalExists);
        EXPECT_TRUE(child<QPushButton>(w, u"btnNavrhPrecis"_s)->isEnabled());
        click(w, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);
    EXPECT_TRUE(listShown);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList({u"Operace byla dokončena - pokud je navrhnuté přečíslování podle vašich představ, "
                           u"stiskněte [Přečíslovat] - teprve potom se změny promítnou i do Ledra.\r\rJestliže tomu "
                           u"tak není, zrušte návrh tlačítkem [Původní]"_s,
                           u"Opravdu chcete přečíslovat doklady v Ledra podle návrhu?\r\rVAROVÁNÍ: tato operace je "
                           u"nevratná!"_s,
                           u"Chcete zrušit navrhnuté přečíslování a vrátit čísla do původního stavu?"_s}));
    // The wizard is ready for the next operation, the host tables closed.
    EXPECT_TRUE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled());
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
    QStringList documents;
    TBFTable table;
    ASSERT_EQ(table.Open(m_year.dir() + u"POKLKNIH"_s), HostResult::Ok);
    for (table.GoTop(); !table.Eof(); table.Skip())
        documents.append(table.Value(u"Doklad"_s).toString());
    EXPECT_EQ(documents, QStringList({u"PD180001"_s, u"PD180002"_s, u"PD180003"_s, u"PD180004"_s, u"PD180005"_s}));
}

// The whole way of a write-back: from the wizard's operation page through
// the warning, the module, the series and the list window to a proposal,
// "Přečíslovat", its confirmation and the protocol in the information
// window; the host's tables bear the new numbers afterwards.
TEST_F(RenumberWizardTest, WriteBackFromTheWizardToTheProtocol)
{
    m_year.table(u"UCDENIK"_s).rows("Cislo | Zdroj | ZRadek | Doklad\n 1 | PK | 2 | PD180002\n 2 | PK | 3 | PD180003");
    m_year.table(u"UHRADY"_s);
    m_year.table(u"SKSEZDOK"_s);
    m_year.agenda().table(u"MJINVPOH"_s);
    m_year.agenda().table(u"ADAKCE"_s);
    m_tree.table(u"GLAKCE"_s).rows("Agenda | Rok | KodSezn | DoklZkrat\n 001 | 2018 | UP | PD180004");
    scriptWayIn();
    scriptedUi().onWindow(u"TfrmCisRady"_s, [](QDialog &w) { click(w, u"btnOK"_s); });
    QStringList shownText;
    scriptedUi().onWindow(u"TfrmPrecisDoklSeznam"_s, [&](QDialog &w) {
        auto &window = static_cast<TfrmPrecisDoklSeznam &>(w);
        MemTable &list = window.mtDoklady();
        scriptedUi().onWindow(u"TfrmNastavPrecisl"_s, [](QDialog &d) {
            child<QSpinBox>(d, u"edtPocCislo"_s)->setValue(1);
            click(d, u"btnOK"_s);
        });
        click(w, u"btnNavrhPrecis"_s);
        EXPECT_EQ(numbers(list),
                  QStringList({u"PD180001"_s, u"PD180002"_s, u"PD180003"_s, u"PD180004"_s, u"PD180005"_s}));
        scriptedUi().answer(MessageAnswer::Yes);
        scriptedUi().onWindow(u"TfrmFreeText"_s, [&](QDialog &d) {
            shownText = child<QPlainTextEdit>(d, u"reProtokol"_s)->toPlainText().split(u'\n');
            click(d, u"btnZavrit"_s);
        });
        click(w, u"btnPrecislovat"_s);
        // Back in the state without a proposal, the rows bearing the host's numbers.
        EXPECT_FALSE(window.state().proposalExists);
        EXPECT_EQ(window.state().renumberedCount, 4);
        EXPECT_EQ(numbers(list, u"DokladPuv"_s), numbers(list));
        EXPECT_TRUE(child<QPushButton>(w, u"btnNavrhPrecis"_s)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrecislovat"_s)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnVratitNavrh"_s)->isEnabled());
        EXPECT_EQ(window.mtTempDoklady().recordCount(), 4);
        click(w, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);

    ASSERT_EQ(shownText.size(), 18);
    EXPECT_TRUE(shownText.last().startsWith(u"Záloha tabulek před změnami: "_s));
    shownText.removeLast();
    EXPECT_EQ(shownText.at(0), u"Agenda: Demo s.r.o."_s);
    EXPECT_EQ(shownText.at(8), u"Prefix PD18 pokladní doklady - seznam přečíslovaných dokladů:"_s);
    EXPECT_EQ(shownText.mid(11),
              QStringList({u"PD180003 >> PD180002"_s, u"PD180002 >> PD180003"_s, u"PD180005 >> PD180004"_s,
                           u"PD180004 >> PD180005"_s, QString(), u"Celkem přečíslováno dokladů: 4"_s}));
    const auto read = [](const QString &path, const QString &field) {
        QStringList result;
        TBFTable table;
        EXPECT_EQ(table.Open(path), HostResult::Ok);
        for (table.GoTop(); !table.Eof(); table.Skip())
            result.append(table.Value(field).toString());
        return result;
    };
    EXPECT_EQ(read(m_year.dir() + u"POKLKNIH"_s, u"Doklad"_s),
              QStringList({u"PD180001"_s, u"PD180003"_s, u"PD180002"_s, u"PD180005"_s, u"PD180004"_s}));
    EXPECT_EQ(read(m_year.dir() + u"UCDENIK"_s, u"Doklad"_s), QStringList({u"PD180003"_s, u"PD180002"_s}));
    EXPECT_EQ(read(m_tree.dataRoot() + u"GLAKCE"_s, u"DoklZkrat"_s), QStringList({u"PD180005"_s}));
    EXPECT_TRUE(QFile::exists(m_main.runContext().settingsDir + u"~precisl.txt"_s));
    EXPECT_EQ(scriptedUi().windowsShown().last(), u"TfrmFreeText"_s);
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
}

TEST_F(RenumberWizardTest, SortingByTheNumberUsesTheAuxiliaryOrder)
{
    scriptWayIn();
    scriptedUi().onWindow(u"TfrmCisRady"_s, [](QDialog &w) { click(w, u"btnOK"_s); });
    scriptedUi().onWindow(u"TfrmPrecisDoklSeznam"_s, [&](QDialog &w) {
        auto &window = static_cast<TfrmPrecisDoklSeznam &>(w);
        MemTable &list = window.mtDoklady();
        DataGrid &grid = window.grid();
        clickTitle(grid, u"DatUcPr"_s);
        clickTitle(grid, u"Doklad"_s);
        // A second click numbers the rows again from the order they now have.
        list.setValue(0, list.fieldIndex(u"XDoklad"_s), 7);
        clickTitle(grid, u"Doklad"_s);
        EXPECT_EQ(list.sortFields(), u"XDoklad"_s);
        EXPECT_EQ(window.state().sortField, u"XDoklad"_s);
        EXPECT_EQ(numbers(list),
                  QStringList({u"PD180001"_s, u"PD180002"_s, u"PD180003"_s, u"PD180004"_s, u"PD180005"_s}));
        EXPECT_EQ(numbers(list, u"XDoklad"_s), QStringList({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
        EXPECT_TRUE(grid.hasSortMark(findGridColumn(grid, u"XDoklad"_s)));
        EXPECT_FALSE(grid.hasSortMark(findGridColumn(grid, u"Doklad"_s)));
        // "Kontrola" over the whole list in that order: in sequence.
        scriptedUi().onWindow(u"TfrmNastavPrecisl"_s, [](QDialog &d) {
            EXPECT_EQ(d.windowTitle(), u"Zkontrolovat posloupnost"_s);
            EXPECT_EQ(labelText(d, u"lblAktSerazeni"_s), u"dle sloupce [# Dokl.]"_s);
            EXPECT_EQ(labelText(d, u"lblPocetKPrec"_s), u"5"_s);
            click(d, u"btnOK"_s);
        });
        click(w, u"btnKontrPosl"_s);
        click(w, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);
    ASSERT_EQ(scriptedUi().messages().size(), 3);
    for (int i : {0, 1})
        EXPECT_TRUE(scriptedUi().messages().at(i).text.startsWith(u"Sloupec \"Doklad\" bude po dokončení změněn"_s));
    EXPECT_EQ(scriptedUi().messages().at(2).text, u"Posloupnost kontrolovaných dokladů je v pořádku."_s);
}

TEST_F(RenumberWizardTest, ClosingTheSeriesListEndsTheOperation)
{
    scriptWayIn(false);
    scriptedUi().onWindow(u"TfrmCisRady"_s, [](QDialog &w) {
        auto &window = static_cast<TfrmCisRady &>(w);
        EXPECT_EQ(numbers(window.mtCisRady(), u"Rada"_s), QStringList({u"IDrr"_s}));
        click(w, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);
    EXPECT_EQ(scriptedUi().windowsShown(),
              QStringList({u"TfrmPrecisVarovani"_s, u"TfrmVyberModuluPrecisl"_s, u"TfrmCisRady"_s}));
}

// ---- Refusals at the entry -------------------------------------------------------

TEST_F(RenumberTest, ABranchExchangeCompanyIsRefused)
{
    m_agenda.exchangeState(u"POBOCKA"_s);
    EXPECT_EQ(runRenumbering(m_session), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList({u"Aktuální agenda je centrála nebo pobočka. Tuto funkci nelze použít při pobočkovém "
                           u"zpracování dat."_s}));
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
}

TEST_F(RenumberTest, TheWarningAnsweredNoStops)
{
    scriptedUi().onWindow(u"TfrmPrecisVarovani"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Informace"_s);
        click(w, u"btnNe"_s);
    });
    EXPECT_EQ(runRenumbering(m_session), -1);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList({u"TfrmPrecisVarovani"_s}));
}

TEST_F(RenumberTest, EnterOnTheWarningAnswersNo)
{
    scriptedUi().onWindow(u"TfrmPrecisVarovani"_s, [](QDialog &w) {
        EXPECT_TRUE(child<QPushButton>(w, u"btnNe"_s)->isDefault());
        w.show();
        QTest::keyClick(&w, Qt::Key_Return);
    });
    EXPECT_EQ(runRenumbering(m_session), -1);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList({u"TfrmPrecisVarovani"_s}));
}

TEST_F(RenumberTest, InternalDocumentsNeedFullRights)
{
    m_context.rights.rightInternalDE = u"R"_s;
    scriptedUi().onWindow(u"TfrmPrecisVarovani"_s, [](QDialog &w) { click(w, u"btnAno"_s); });
    scriptedUi().onWindow(u"TfrmVyberModuluPrecisl"_s, [](QDialog &w) {
        child<QRadioButton>(w, u"rbIntDokl"_s)->setChecked(true);
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(runRenumbering(m_session), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList({u"Nelze pokračovat, protože nemáte dostatečná oprávnění:\r\r- tato funkce vyžaduje "
                           u"přístup do modulu Seznam interních dokladů"_s}));
}

TEST_F(RenumberTest, AMissingSeriesTableIsReported)
{
    EXPECT_EQ(chooseNumberSeries(m_session, RenumberModule::Cash, *std::make_unique<NumberSeries>()), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList({u"Nastala chyba při otevírání databáze "_s + m_context.yearDir + u"CISRADY.DAT"_s}));
    EXPECT_FALSE(m_progress.working);
}

TEST_F(RenumberTest, AnEmptySeriesListOffersOnlyClosing)
{
    m_year.table(u"CISRADY"_s).rows("Rada|Nazev|ID\nIDrr|Interní|1");
    scriptedUi().onWindow(u"TfrmCisRady"_s, [](QDialog &w) {
        EXPECT_FALSE(child<QPushButton>(w, u"btnOK"_s)->isEnabled());
        click(w, u"btnZavrit"_s);
    });
    NumberSeries series;
    EXPECT_EQ(chooseNumberSeries(m_session, RenumberModule::Cash, series), -1);
}

// An engine error during a proposal (here: the VAT filings lack a field)
// reaches the application's event delivery: shown once, the operation's
// windows closed and the step failed; the list goes with its window.
TEST_F(RenumberTest, AnEngineErrorDuringTheProposalEndsTheOperation)
{
    HostTableDef filings = HostCatalogue::table(u"SZDPH");
    filings.fields.removeAt(filings.fieldIndex(u"DatumDo"));
    ASSERT_TRUE(QFile::remove(m_context.agendaDir + u"SZDPH.DAT"_s));
    m_agenda.table(filings).rows("DatumOd\n2018-01-01");
    documents("Doklad|Cislo|DatVyst\nPD0001|1|2018-04-01\nPD0002|2|2018-04-02");
    bool windowShown = true;
    const int result = m_session.runGuarded([&] {
        TfrmPrecisDoklSeznam window(m_session, cashSeriesPD());
        EXPECT_EQ(RenumberListLoader(m_session, RenumberModule::Cash, u"PD"_s).load(window.mtDoklady()), 0);
        window.setModal(true);
        window.show();
        scriptedUi().onWindow(u"TfrmNastavPrecisl"_s, [](QDialog &d) { click(d, u"btnOK"_s); });
        EXPECT_FALSE(TarnekApplication::deliverGuarded(&m_session, [&] {
            click(window, u"btnNavrhPrecis"_s);
            return true;
        }));
        windowShown = window.isVisible();
        return 0;
    });
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(windowShown);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_FALSE(m_progress.working);
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList());
}

// "Kontrola" with marks, answered "Ne": every row is examined and counted.
TEST_F(RenumberTest, TheCheckOfAllRowsDespiteMarks)
{
    documents("Doklad|Cislo|DatVyst\nPD0001|1|2018-04-01\nPD0003|2|2018-04-02\nPD0004|3|2018-04-03");
    TfrmPrecisDoklSeznam window(m_session, cashSeriesPD());
    window.setWindowTitle(u"Prefix PD pokladní doklady"_s);
    ASSERT_EQ(RenumberListLoader(m_session, RenumberModule::Cash, u"PD"_s).load(window.mtDoklady()), 0);
    window.sortByColumn(findGridColumn(window.grid(), u"DatVyst"_s));
    window.show();
    window.grid().setMarked(0, true);
    window.grid().setMarked(2, true);
    scriptedUi().answer(MessageAnswer::No);
    scriptedUi().onWindow(u"TfrmNastavPrecisl"_s, [](QDialog &d) {
        EXPECT_EQ(labelText(d, u"lblPocetKPrec"_s), u"3"_s);
        EXPECT_EQ(labelText(d, u"lblNoveCisloHorni"_s), u"PD0003"_s);
        click(d, u"btnOK"_s);
    });
    click(window, u"btnKontrPosl"_s);
    ASSERT_EQ(m_shownProtocols.size(), 1);
    EXPECT_EQ(m_shownProtocols.at(0).at(4), u"Prefix PD pokladní doklady"_s); // the window's caption
    EXPECT_EQ(m_shownProtocols.at(0).mid(5),
              QStringList({u"Aktuální seřazení dat: dle sloupce [Dat. vystavení]"_s, QString(),
                           u"(současné číslo >> mělo by být)"_s, u"PD0003 >> PD0002"_s, u"PD0004 >> PD0003"_s}));
    EXPECT_TRUE(child<QPushButton>(window, u"btnKontrPosl"_s)->isEnabled());
    window.hide();
}

// ---- The start-number window ------------------------------------------------------

TEST(NastavPrecislTest, ABoundThatCannotBeComposedKeepsTheWindowOpen)
{
    RenumberState state;
    state.seriesPrefix = u"PD"_s;
    state.digitCount = 3;
    state.leadingZeros = true;
    TfrmNastavPrecisl window(TfrmNastavPrecisl::Mode::Check, state, 12, u"dle sloupce [Doklad]"_s);
    window.show();
    EXPECT_TRUE(child<QLabel>(window, u"lblInformativni"_s)->isVisible());
    child<QSpinBox>(window, u"edtPocCislo"_s)->setValue(995);
    EXPECT_EQ(labelText(window, u"lblNoveCislDolni"_s), u"PD995"_s);
    EXPECT_EQ(labelText(window, u"lblNoveCisloHorni"_s), u"NELZE SESTAVIT"_s);
    click(window, u"btnOK"_s);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Warning);
    EXPECT_TRUE(scriptedUi().messages().at(0).text.startsWith(u"Novou číselnou řadu nelze sestavit"_s));
    child<QSpinBox>(window, u"edtPocCislo"_s)->setValue(988);
    EXPECT_EQ(labelText(window, u"lblNoveCisloHorni"_s), u"PD999"_s);
    click(window, u"btnOK"_s);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.startNumber(), 988);
}

} // namespace

// The removal from the wizard's operation page through its windows to the
// protocol: the gates of its entry, the window's controls during and after a
// run, "Přerušit" with its question, the confirmation outside test mode.

#include "ops/purge/RemovalWindow.h"
#include "app/core/HostVersion.h"
#include "app/ui/MainWindow.h"
#include "common/TextFile.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/RegisterOperations.h"
#include "ops/purge/RemovalRun.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

const QString kConfirm =
    u"Opravdu chcete odstranit záznamy v Ledra podle zadání?\r\rVAROVÁNÍ: tato operace je nevratná!"_s;
const QString kInterruptQuestion = u"Opravdu chcete přerušit právě probíhající operaci?"_s;

class RemovalWindowTest : public testing::Test
{
protected:
    RemovalWindowTest() : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s))
    {
        m_tree.table(u"PRISUZIV"_s); // no users: no restrictions
        m_year.agenda().name(u"Demo s.r.o."_s).exchangeState(u"NORMAL"_s);
        m_year.yearName(u"2018"_s).doubleEntry(true).postsStockMovements(true);
        m_year.table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP01|1|1\nPP02|2|0");
        m_year.table(u"POLUCDPK"_s).rows("CISLO|Popis\n1|a\n2|b");
        m_year.table(u"ROZPUPK"_s);
        m_year.table(u"UCDENIK"_s).rows("Cislo|Zdroj|ZRadek|Free\n1|PK|1|0\n2|PK|2|0\n3|PK|2|1");
        RunContext &context = m_main.runContext();
        context.addOnVersion = u"2.14"_s;
        context.dataRoot = m_tree.dataRoot();
        context.agendaDir = m_year.agenda().dir();
        context.yearDir = m_year.dir();
        context.companyName = u"Demo s.r.o."_s;
        context.yearName = u"2018"_s;
        context.hostVersion = u"13.100"_s;
        context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
        QDir().mkpath(context.settingsDir);
        recordHostVersion(context); // the update check stays silent
        registerOperations(m_main);
        m_main.show();
    }
    ~RemovalWindowTest() override { m_main.hide(); }

    // From the welcome page to the operation page, the removal's row picked,
    // then "OK".
    void runFromWizard()
    {
        click(m_main, u"btnDalsi"_s);
        auto *row = child<QRadioButton>(m_main, u"rbOdstrSmaz"_s);
        ASSERT_TRUE(row->isEnabled()) << "the removal registered its entry";
        row->click();
        click(m_main, u"btnDalsi"_s);
    }
    // The protocol in the information window, read and closed; printing is
    // offered.
    void expectProtocolWindow()
    {
        scriptedUi().onWindow(u"TfrmFreeText"_s, [this](QDialog &w) {
            m_shown.append(child<QPlainTextEdit>(w, u"reProtokol"_s)->toPlainText().split(u'\n'));
            EXPECT_TRUE(child<QPushButton>(w, u"btnVytisknout"_s)->isEnabled());
            click(w, u"btnZavrit"_s);
        });
    }
    void acceptWarning()
    {
        scriptedUi().onWindow(u"TfrmObecneVarovani"_s, [](QDialog &w) { click(w, u"btnAno"_s); });
    }
    QStringList documents() { return fieldValues(m_year.dir() + u"POKLKNIH"_s, u"Doklad"_s).value(); }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    TfrmMain m_main;
    QList<QStringList> m_shown;
};

TEST_F(RemovalWindowTest, RealRunFromTheWizardToTheProtocol)
{
    acceptWarning();
    scriptedUi().answer(MessageAnswer::Yes); // the confirmation outside test mode
    expectProtocolWindow();
    scriptedUi().onWindow(u"TfrmOdstraneniSmaz"_s, [this](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Odstranění smazaných záznamů"_s);
        EXPECT_TRUE(child<QCheckBox>(w, u"chckTest"_s)->isChecked()) << "test mode is on when the window opens";
        EXPECT_TRUE(child<QCheckBox>(w, u"chckZauctSklad"_s)->isVisible());
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
        EXPECT_EQ(child<QLabel>(w, u"lblStatus"_s)->text(), u"Operaci spustíte tlačítkem [OK]"_s);
        EXPECT_EQ(child<QCheckBox>(w, u"chckOdstranitVolne"_s)->text(),
                  u"odstranit všechny volné řádky v účetním/peněžním deníku"_s);

        child<QCheckBox>(w, u"chckPokl"_s)->setChecked(true);
        child<QCheckBox>(w, u"chckOdstranitVolne"_s)->setChecked(true);
        child<QCheckBox>(w, u"chckTest"_s)->setChecked(false);
        click(w, u"btnOK"_s);

        // The window stays open, ready for another run.
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(child<QLabel>(w, u"lblStatus"_s)->text(), u"Dokončeno"_s);
        EXPECT_EQ(child<QProgressBar>(w, u"pbMain"_s)->value(), 0);
        EXPECT_TRUE(child<QPushButton>(w, u"btnOK"_s)->isEnabled());
        EXPECT_TRUE(child<QPushButton>(w, u"btnStorno"_s)->isEnabled());
        EXPECT_TRUE(child<QCheckBox>(w, u"chckTest"_s)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
        EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
        click(w, u"btnStorno"_s);
    });
    runFromWizard();

    EXPECT_EQ(scriptedUi().windowsShown(),
              (QStringList{u"TfrmObecneVarovani"_s, u"TfrmOdstraneniSmaz"_s, u"TfrmFreeText"_s}));
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Warning);
    EXPECT_EQ(scriptedUi().messages().at(0).text, kConfirm);
    EXPECT_EQ(scriptedUi().messages().at(0).buttons, MessageButtons::YesNoDefaultNo) << "Enter must not remove";
    ASSERT_EQ(m_shown.size(), 1);
    // The protocol ends with the folder of the snapshot taken before the run.
    ASSERT_FALSE(m_shown.at(0).isEmpty());
    EXPECT_TRUE(m_shown.at(0).last().startsWith(u"Záloha tabulek před změnami: "_s + m_tree.dataRoot() +
                                                u"Velmar/Tarnek/Zalohy/"_s))
        << m_shown.at(0).last().toStdString();
    EXPECT_EQ(m_shown.at(0).mid(4, m_shown.at(0).size() - 5),
              (QStringList{u"Odstranění volných řádků v účetním deníku:"_s, u"Řádek číslo 3"_s,
                           u"Celkem odstraněno záznamů: 1"_s, QString(), u"Pokladní doklady:"_s,
                           u"Doklad číslo PP01 (řádek 1)"_s, u"Celkem odstraněno dokladů: 1"_s}));
    EXPECT_EQ(documents(), QStringList{u"PP02"_s});
    EXPECT_EQ(TextFile::readLines(RemovalRun::protocolFileName(m_main.runContext().settingsDir)), m_shown.at(0));
    EXPECT_TRUE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled());
}

TEST_F(RemovalWindowTest, InterruptAsksAndEndsTheRun)
{
    m_year.table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP03|3|1\nPP04|4|0");
    acceptWarning();
    scriptedUi().answer(MessageAnswer::Yes); // "Přerušit": yes
    expectProtocolWindow();
    scriptedUi().onWindow(u"TfrmOdstraneniSmaz"_s, [](QDialog &w) {
        child<QCheckBox>(w, u"chckPokl"_s)->setChecked(true);
        // The click lands while the run lets the message queue run.
        QTimer::singleShot(0, &w, [&w] {
            EXPECT_FALSE(child<QPushButton>(w, u"btnOK"_s)->isEnabled());
            EXPECT_FALSE(child<QCheckBox>(w, u"chckTest"_s)->isEnabled());
            click(w, u"btnPrerusit"_s);
        });
        click(w, u"btnOK"_s);
        EXPECT_EQ(child<QLabel>(w, u"lblStatus"_s)->text(), u"Operace přerušena uživatelem."_s);
        click(w, u"btnStorno"_s);
    });
    runFromWizard();

    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Confirmation);
    EXPECT_EQ(scriptedUi().messages().at(0).text, kInterruptQuestion);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown.at(0).mid(6),
              (QStringList{QString(), u"Pokladní doklady:"_s, u"Doklad číslo PP01 (řádek 1)"_s,
                           u"Celkem odstraněno dokladů: 1"_s, u"Operace přerušena uživatelem."_s}));
    EXPECT_EQ(documents().size(), 4) << "test mode removes nothing";
}

TEST_F(RemovalWindowTest, NothingChosenOrConfirmationDeclinedRunsNothing)
{
    acceptWarning();
    scriptedUi().answer(MessageAnswer::No); // the confirmation
    scriptedUi().onWindow(u"TfrmOdstraneniSmaz"_s, [](QDialog &w) {
        click(w, u"btnOK"_s);
        child<QCheckBox>(w, u"chckInt"_s)->setChecked(true);
        child<QCheckBox>(w, u"chckTest"_s)->setChecked(false);
        click(w, u"btnOK"_s);
        EXPECT_EQ(child<QLabel>(w, u"lblStatus"_s)->text(), u"Operaci spustíte tlačítkem [OK]"_s);
        click(w, u"btnStorno"_s);
    });
    runFromWizard();
    EXPECT_EQ(scriptedUi().messageTexts(), (QStringList{u"Musíte zaškrtnout alespoň jeden modul."_s, kConfirm}));
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Information);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(documents().size(), 2);
}

// The entry's gates, each refusing before the removal window opens.
TEST_F(RemovalWindowTest, BranchExchangeIsRefused)
{
    m_year.agenda().exchangeState(u"CENTRALA"_s);
    EXPECT_EQ(openRemoval(m_main.session()), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Aktuální agenda je centrála nebo pobočka. Tuto funkci nelze použít při pobočkovém "
                          u"zpracování dat."_s});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Warning);
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
}

TEST_F(RemovalWindowTest, DeclinedWarningIsRefused)
{
    scriptedUi().onWindow(u"TfrmObecneVarovani"_s, [](QDialog &w) { click(w, u"btnNe"_s); });
    EXPECT_EQ(openRemoval(m_main.session()), -1);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmObecneVarovani"_s});
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(RemovalWindowTest, MissingRightToVerifyIsRefused)
{
    acceptWarning();
    m_main.runContext().rights.rightVerifikace = u"R"_s;
    EXPECT_EQ(openRemoval(m_main.session()), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nelze pokračovat, protože nemáte dostatečná oprávnění:\r\r- tato funkce vyžaduje přístup "
                          u"do modulu Verifikace dat"_s});
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmObecneVarovani"_s});
}

struct StockBoxCase
{
    const char *name;
    bool doubleEntry;
    bool postsStock;
    bool visible;
};

class StockLinesBoxTest : public RemovalWindowTest, public testing::WithParamInterface<StockBoxCase>
{
};

// Deleted stock documents leave journal lines only where stock movements are
// posted, in a double-entry year.
TEST_P(StockLinesBoxTest, ShownOnlyWhenStockMovementsArePosted)
{
    m_year.doubleEntry(GetParam().doubleEntry).postsStockMovements(GetParam().postsStock);
    acceptWarning();
    bool visible = !GetParam().visible;
    scriptedUi().onWindow(u"TfrmOdstraneniSmaz"_s, [&](QDialog &w) {
        visible = child<QCheckBox>(w, u"chckZauctSklad"_s)->isVisible();
        click(w, u"btnStorno"_s);
    });
    EXPECT_EQ(openRemoval(m_main.session()), 0);
    EXPECT_EQ(visible, GetParam().visible);
}

INSTANTIATE_TEST_SUITE_P(Years, StockLinesBoxTest,
                         testing::Values(StockBoxCase{"DoubleEntryPostingStock", true, true, true},
                                         StockBoxCase{"DoubleEntryNotPostingStock", true, false, false},
                                         StockBoxCase{"SingleEntry", false, true, false}),
                         [](const testing::TestParamInfo<StockBoxCase> &paramInfo) {
                             return std::string(paramInfo.param.name);
                         });

} // namespace

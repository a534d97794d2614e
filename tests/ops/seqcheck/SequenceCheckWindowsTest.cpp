// The sequence check driven from the wizard's operation page through its
// windows to the protocol, on a host tree, with the scripted seam answering.

#include "SeqCheckFixture.h"

#include "app/core/HostVersion.h"
#include "app/ui/MainWindow.h"
#include "common/IniFile.h"
#include "common/MemTable.h"
#include "common/widgets/DataGrid.h"
#include "fixture/HostTreeBuilder.h"
#include "hostdb/HostCatalogue.h"
#include "ops/RegisterOperations.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

class SequenceCheckWizard : public testing::Test
{
protected:
    SequenceCheckWizard()
        : m_tree(m_dir.path() + u"/DATA"_s),
          m_year(m_tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).year(u"2018"_s).yearName(u"2018"_s))
    {
        m_tree.table(u"PRISUZIV"_s); // no users: no restrictions
        RunContext &context = m_main.runContext();
        context.addOnVersion = u"2.14"_s;
        fillDemoContext(context, m_tree, m_year);
        context.hostVersion = u"13.100"_s;
        recordHostVersion(context);
        registerOperations(m_main);

        m_year.table(u"CISRADY"_s).rows(R"(
            Rada | Nazev           | Cislo | Nuly | PocetMist | PP | VP | PU
            PPrr | Pokladní příjmy | 6     | 1    | 4         | 1  | 0  | 0
            VPrr | Pokladní výdaje | 4     | 1    | 4         | 0  | 1  | 0
            BUrr | Banka           | 3     | 1    | 4         | 0  | 0  | 1
        )");
        m_year.table(u"VOLNECIS"_s).rows("Rada|Cislo|Nenab\nPPrr|5|0");
        m_year.table(u"POKLKNIH"_s).rows(R"(
            Doklad   | Del
            PP180001 | 0
            PP180003 | 1
            PP180004 | 0
            VP180001 | 0
            VP180002 | 0
            VP180003 | 0
        )");
        m_year.table(u"BANKKNIH"_s).rows("Doklad\nBU180001\nBU180002");
        m_main.show();
    }
    ~SequenceCheckWizard() override { m_main.hide(); }

    QString setting(const QString &key)
    {
        return IniFile(m_main.runContext().configIniPath).ReadString(u"KONTRPOSL0012018"_s, key, u"<none>"_s);
    }

    // From the welcome page to the operation page, then "OK" on the sequence
    // check's row.
    void startSequenceCheck()
    {
        click(m_main, u"btnDalsi"_s);
        auto *row = child<QRadioButton>(m_main, u"rbKontrPosloupnosti"_s);
        ASSERT_TRUE(row->isEnabled());
        ASSERT_TRUE(row->isChecked());
        click(m_main, u"btnDalsi"_s);
    }

    static void clickLink(QDialog &window, const QString &name)
    {
        auto *link = child<QLabel>(window, name);
        ASSERT_TRUE(link->isEnabled());
        QTest::mouseClick(link, Qt::LeftButton);
    }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    TfrmMain m_main;
};

QStringList gridColumn(DataGrid &grid, const QString &field)
{
    QStringList values;
    MemTable &table = *grid.table();
    for (int row = 0; row < table.recordCount(); ++row)
        values.append(table.value(row, table.fieldIndex(field)).toString());
    return values;
}

TEST_F(SequenceCheckWizard, FromTheOperationPageThroughTheSeriesListToTheProtocol)
{
    QStringList protocol;
    scriptedUi().onWindow(u"TfrmKontrPosloupnosti"_s, [&](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Kontrola posloupnosti číselných řad"_s);
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
        auto *link = child<QLabel>(w, u"lblDetPokl"_s);
        EXPECT_FALSE(link->isEnabled());
        EXPECT_NE(link->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::blue));
        click(w, u"chckPokl"_s);
        EXPECT_TRUE(link->isEnabled());
        EXPECT_EQ(link->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::blue));
        EXPECT_FALSE(child<QLabel>(w, u"lblDetBank"_s)->isEnabled());

        scriptedUi().onWindow(u"TfrmKontrPoslSeznam"_s, [&](QDialog &list) {
            EXPECT_EQ(list.windowTitle(), u"Seznam číselných řad"_s);
            auto *grid = child<DataGrid>(list, u"grSeznamCR"_s);
            QStringList titles;
            for (int c = 0; c < grid->columnCount(); ++c)
                titles.append(grid->columnTitle(c));
            EXPECT_EQ(titles, (QStringList{u"K"_s, u"Řada"_s, u"Začátek"_s, u"Konec"_s, u"Název"_s}));
            // The note beside the check mark stands on one line.
            const auto *note = child<QLabel>(list, u"lblZmenaStavu"_s);
            EXPECT_LE(note->height(), 2 * note->fontMetrics().lineSpacing()) << note->width();
            EXPECT_EQ(grid->columnWidth(0), 17);
            EXPECT_EQ(grid->columnWidth(1), 77);
            EXPECT_EQ(grid->columnWidth(4), 339);
            // The cash module's series; PPrr ends before its free number 5.
            EXPECT_EQ(gridColumn(*grid, u"Rada"_s), (QStringList{u"PPrr"_s, u"VPrr"_s}));
            EXPECT_EQ(gridColumn(*grid, u"End"_s), (QStringList{u"4"_s, u"3"_s}));
            // The cursor stays out of the frozen check mark column.
            QTableView *view = grid->view();
            EXPECT_EQ(view->horizontalHeader()->visualIndex(view->currentIndex().column()), 1);
            view->setCurrentIndex(view->model()->index(0, view->horizontalHeader()->logicalIndex(0)));
            EXPECT_EQ(view->horizontalHeader()->visualIndex(view->currentIndex().column()), 1);

            // A double click toggles the row's check mark.
            const QModelIndex second = view->model()->index(1, view->horizontalHeader()->logicalIndex(2));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(second).center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(second).center());
            EXPECT_EQ(gridColumn(*grid, u"Checked"_s), (QStringList{u"true"_s, u"false"_s}));
            // The drawn check mark is told to a screen reader.
            QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view);
            ASSERT_NE(table, nullptr);
            ASSERT_NE(table->tableInterface(), nullptr);
            const int checkColumn = view->horizontalHeader()->logicalIndex(0);
            EXPECT_EQ(table->tableInterface()->cellAt(0, checkColumn)->text(QAccessible::Name), u"zaškrtnuto"_s);
            EXPECT_EQ(table->tableInterface()->cellAt(1, checkColumn)->text(QAccessible::Name), u"nezaškrtnuto"_s);
            click(list, u"btnOdznacitVse"_s);
            EXPECT_EQ(gridColumn(*grid, u"Checked"_s), (QStringList{u"false"_s, u"false"_s}));
            EXPECT_EQ(grid->table()->currentRow(), 1);
            click(list, u"btnOznacitVse"_s);
            EXPECT_EQ(gridColumn(*grid, u"Checked"_s), (QStringList{u"true"_s, u"true"_s}));
            EXPECT_EQ(grid->table()->currentRow(), 1);

            // "Upravit" on the first row: an end below the start is refused,
            // then the end is raised above the last issued number.
            grid->table()->setCurrentRow(0);
            scriptedUi().onWindow(u"TfrmKontrPoslDetail"_s, [](QDialog &detail) {
                EXPECT_EQ(detail.windowTitle(), u"Úprava hodnot"_s);
                EXPECT_EQ(child<QLineEdit>(detail, u"edtRada"_s)->text(), u"PPrr"_s);
                EXPECT_FALSE(child<QLineEdit>(detail, u"edtRada"_s)->isEnabled());
                auto *start = child<QSpinBox>(detail, u"edtZacatek"_s);
                auto *end = child<QSpinBox>(detail, u"edtKonec"_s);
                EXPECT_EQ(start->value(), 1);
                EXPECT_EQ(end->value(), 4);
                EXPECT_EQ(end->maximum(), 999999);
                EXPECT_TRUE(child<QCheckBox>(detail, u"chckKontrolovat"_s)->isChecked());
                start->setValue(3);
                end->setValue(2);
                click(detail, u"btnOk"_s);
                EXPECT_TRUE(detail.isVisible());
                EXPECT_EQ(scriptedUi().messageTexts().value(0),
                          u"Hodnota \"Konec\" nesmí být menší než \"Začátek\"."_s);
                end->setValue(6);
                click(detail, u"btnOk"_s);
                EXPECT_FALSE(detail.isVisible());
            });
            click(list, u"btnUpravit"_s);
            EXPECT_EQ(gridColumn(*grid, u"Start"_s), (QStringList{u"3"_s, u"1"_s}));
            EXPECT_EQ(gridColumn(*grid, u"End"_s), (QStringList{u"6"_s, u"3"_s}));
            click(list, u"btnZavrit"_s);
        });
        clickLink(w, u"lblDetPokl"_s);

        scriptedUi().onWindow(u"TfrmFreeText"_s, [&](QDialog &info) {
            protocol = child<QPlainTextEdit>(info, u"reProtokol"_s)->toPlainText().split(u'\n');
            EXPECT_TRUE(child<QPushButton>(info, u"btnUlozit"_s)->isEnabled());
        });
        click(w, u"btnOk"_s);
        EXPECT_TRUE(child<QPushButton>(w, u"btnOk"_s)->isEnabled());
        EXPECT_TRUE(child<QPushButton>(w, u"btnStorno"_s)->isEnabled());
        EXPECT_TRUE(child<QGroupBox>(w, u"gbModuly"_s)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
        EXPECT_TRUE(child<QLabel>(w, u"lblStatus"_s)->text().isEmpty());
        EXPECT_EQ(child<QProgressBar>(w, u"pbMain"_s)->value(), 0);
        EXPECT_TRUE(w.isVisible()); // the window stays open for another run
        click(w, u"btnStorno"_s);
    });
    startSequenceCheck();

    // PP180003 is held only by a deleted document; 5 and 6 lie above the
    // last issued number the user raised the end past.
    ASSERT_GE(protocol.size(), 5);
    EXPECT_EQ(protocol.mid(4), (QStringList{u"Kontrola posloupnosti číselných řad - chybějící čísla"_s, QString(),
                                            u"Pokladní doklady:"_s, u"PP180003"_s, u"PP180005"_s, u"PP180006"_s}));
    EXPECT_EQ(setting(u"Pokl"_s), u"1"_s);
    EXPECT_EQ(setting(u"Bank"_s), u"0"_s);
    EXPECT_EQ(setting(u"PrefixUncheck"_s), u"\";\""_s);
    EXPECT_EQ(scriptedUi().windowsShown(), (QStringList{u"TfrmKontrPosloupnosti"_s, u"TfrmKontrPoslSeznam"_s,
                                                        u"TfrmKontrPoslDetail"_s, u"TfrmFreeText"_s}));
    EXPECT_TRUE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled());
}

TEST_F(SequenceCheckWizard, StornoSavesTheChoicesWithoutRunning)
{
    IniFile(m_main.runContext().configIniPath).WriteString(u"KONTRPOSL0012018"_s, u"Bank"_s, u"1"_s);
    scriptedUi().onWindow(u"TfrmKontrPosloupnosti"_s, [&](QDialog &w) {
        EXPECT_TRUE(child<QCheckBox>(w, u"chckBank"_s)->isChecked());
        EXPECT_TRUE(child<QLabel>(w, u"lblDetBank"_s)->isEnabled());
        scriptedUi().onWindow(u"TfrmKontrPoslSeznam"_s, [](QDialog &list) {
            auto *grid = child<DataGrid>(list, u"grSeznamCR"_s);
            EXPECT_EQ(gridColumn(*grid, u"Rada"_s), QStringList{u"BUrr"_s});
            click(list, u"btnOdznacitVse"_s);
            click(list, u"btnZavrit"_s);
        });
        clickLink(w, u"lblDetBank"_s);
        click(w, u"chckVF"_s);
        click(w, u"btnStorno"_s);
    });
    startSequenceCheck();
    EXPECT_EQ(setting(u"Bank"_s), u"1"_s);
    EXPECT_EQ(setting(u"VF"_s), u"1"_s);
    EXPECT_EQ(setting(u"Pokl"_s), u"0"_s);
    EXPECT_EQ(setting(u"PrefixUncheck"_s), u"\";BUrr;\""_s);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(SequenceCheckWizard, OkWithoutAModuleAsksForOne)
{
    scriptedUi().onWindow(u"TfrmKontrPosloupnosti"_s, [&](QDialog &w) {
        click(w, u"btnOk"_s);
        EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Musíte zaškrtnout alespoň jeden modul."_s});
        EXPECT_EQ(scriptedUi().messages().first().kind, MessageKind::Information);
        click(w, u"btnStorno"_s);
    });
    startSequenceCheck();
}

TEST_F(SequenceCheckWizard, CompleteSeriesEndWithTheMessageOnly)
{
    scriptedUi().onWindow(u"TfrmKontrPosloupnosti"_s, [&](QDialog &w) {
        click(w, u"chckBank"_s);
        click(w, u"btnOk"_s);
        click(w, u"btnStorno"_s);
    });
    startSequenceCheck();
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Kontrola byla dokončena.\r\rVe vybraných číselných řadách nebylo zjištěno žádné "
                          u"chybějící číslo dokladu."_s});
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"TfrmFreeText"_s));
}

TEST_F(SequenceCheckWizard, PrerusitStopsTheRunSilently)
{
    scriptedUi().onWindow(u"TfrmKontrPosloupnosti"_s, [&](QDialog &w) {
        click(w, u"chckPokl"_s);
        // Pressed as soon as the run lets the message queue run.
        QTimer::singleShot(0, &w, [&w] {
            auto *prerusit = child<QPushButton>(w, u"btnPrerusit"_s);
            EXPECT_TRUE(prerusit->isVisible());
            EXPECT_FALSE(child<QPushButton>(w, u"btnOk"_s)->isEnabled());
            EXPECT_FALSE(child<QGroupBox>(w, u"gbModuly"_s)->isEnabled());
            prerusit->click();
        });
        click(w, u"btnOk"_s);
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
        EXPECT_TRUE(child<QPushButton>(w, u"btnOk"_s)->isEnabled());
        click(w, u"btnStorno"_s);
    });
    startSequenceCheck();
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"TfrmFreeText"_s));
}

// A table without the deletion flag makes the engine raise its error in the
// middle of the run: shown once, the tables closed, the window usable again.
TEST_F(SequenceCheckWizard, EngineErrorDuringTheCheckIsShownAndTheWindowStaysUsable)
{
    HostTableDef withoutFlag = HostCatalogue::table(u"INTDOKL");
    withoutFlag.fields.removeIf([](const HostField &field) { return field.name == u"Del"_s; });
    m_year.table(u"CISRADY"_s).row({{"Rada", "IDrr"}, {"Cislo", 3}, {"Nuly", true}, {"PocetMist", 4}, {"ID", true}});
    m_year.table(withoutFlag).rows("Doklad\nID180001");
    scriptedUi().onWindow(u"TfrmKontrPosloupnosti"_s, [&](QDialog &w) {
        click(w, u"chckInt"_s);
        click(w, u"btnOk"_s);
        EXPECT_EQ(scriptedUi().messages().size(), 1);
        EXPECT_EQ(scriptedUi().messages().value(0).kind, MessageKind::Error);
        EXPECT_EQ(TestSupport::openTableFiles(m_year.dir()), QStringList());
        EXPECT_TRUE(child<QPushButton>(w, u"btnOk"_s)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, u"btnPrerusit"_s)->isVisible());
        EXPECT_TRUE(w.isVisible());
        click(w, u"btnStorno"_s);
    });
    startSequenceCheck();
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"TfrmFreeText"_s));
    EXPECT_EQ(setting(u"Int"_s), u"1"_s);
}

TEST_F(SequenceCheckWizard, LinksUnderlineUnderTheMouse)
{
    scriptedUi().onWindow(u"TfrmKontrPosloupnosti"_s, [&](QDialog &w) {
        auto *link = child<QLabel>(w, u"lblDetObj"_s);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(link, &enter);
        EXPECT_TRUE(link->font().underline());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        EXPECT_FALSE(link->font().underline());
        click(w, u"btnStorno"_s);
    });
    startSequenceCheck();
}

TEST_F(SequenceCheckWizard, MissingSeriesTableEndsWithoutTheWindow)
{
    QFile::remove(m_year.dir() + u"CISRADY.DAT"_s);
    startSequenceCheck();
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nastala chyba při otevírání databáze "_s + m_year.dir() + u"CISRADY.DAT"_s});
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
    EXPECT_EQ(setting(u"Pokl"_s), u"<none>"_s);
    EXPECT_TRUE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled());
}

} // namespace

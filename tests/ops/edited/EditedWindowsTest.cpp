// The highlight list's windows driven through their widgets: the module
// choice, the list with its colours, sorting, search, filter and copy, the
// filter window and the action history; and the entry's flow over them.

#include "EditedTestSupport.h"
#include "common/Clock.h"
#include "common/IniFile.h"
#include "common/MemTable.h"
#include "common/TextUtils.h"
#include "common/widgets/DataGrid.h"
#include "hostdb/HostCatalogue.h"
#include "ops/edited/ActionHistoryWindow.h"
#include "ops/edited/EditedDocumentsEntry.h"
#include "ops/edited/EditedListFilterDialog.h"
#include "ops/edited/EditedListWindow.h"
#include "ops/edited/EditedModuleDialog.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

// Today is Wednesday 7 March 2018 in every test here.
class FixedToday
{
public:
    FixedToday() { Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 3, 7), QTime(10, 0)))); }
    ~FixedToday() { Clock::setCurrent(nullptr); }
};

class VyberModuluTest : public testing::Test
{
protected:
    VyberModuluTest() { m_window.show(); }
    ~VyberModuluTest() override { m_window.hide(); }
    QLineEdit *edit(const QString &name) { return child<QLineEdit>(m_window, name); }
    QComboBox *period() { return child<QComboBox>(m_window, u"cbxDatVystObdobi"_s); }

    FixedToday m_today;
    TfrmVyberModulu m_window;
};

TEST_F(VyberModuluTest, TwentyModulesWithRbPoklChecked)
{
    EXPECT_EQ(m_window.windowTitle(), u"Výběr modulu"_s);
    EXPECT_EQ(m_window.findChildren<QRadioButton *>().size(), 20);
    EXPECT_TRUE(child<QRadioButton>(m_window, u"rbPokl"_s)->isChecked());
    EXPECT_EQ(child<QRadioButton>(m_window, u"rbSkladVyr"_s)->text(), u"doklady o výrobě"_s);
    EditedSettings settings;
    settings.module = 14;
    m_window.setSettings(settings);
    EXPECT_TRUE(child<QRadioButton>(m_window, u"rbSkladVyr"_s)->isChecked());
    EXPECT_EQ(m_window.settings().module, 14);
    settings.module = 21; // outside 1-20: rbPokl
    TfrmVyberModulu fresh;
    fresh.setSettings(settings);
    EXPECT_EQ(fresh.settings().module, 1);
}

TEST_F(VyberModuluTest, PeriodSetsTheDatesWhileTheFilterIsOn)
{
    EditedSettings settings;
    settings.dateFilter = false;
    settings.period = 4;
    m_window.setSettings(settings);
    m_window.hide();
    m_window.show(); // showing applies the period
    EXPECT_FALSE(period()->isEnabled());
    EXPECT_FALSE(edit(u"edtDatumVystOd"_s)->isEnabled());
    EXPECT_EQ(edit(u"edtDatumVystOd"_s)->text(), u"26.2.2018"_s);
    EXPECT_EQ(edit(u"edtDatumVystDo"_s)->text(), u"4.3.2018"_s);
    const QColor disabledColour = edit(u"edtDatumVystOd"_s)->palette().color(QPalette::Base);

    child<QCheckBox>(m_window, u"chckDatVystaveni"_s)->click();
    EXPECT_TRUE(period()->isEnabled());
    EXPECT_TRUE(edit(u"edtDatumVystOd"_s)->isEnabled());
    EXPECT_TRUE(edit(u"edtDatumVystDo"_s)->isEnabled());
    EXPECT_NE(edit(u"edtDatumVystOd"_s)->palette().color(QPalette::Base), disabledColour);
    EXPECT_FALSE(edit(u"edtZmenaOd"_s)->isEnabled());

    period()->setCurrentIndex(3);
    EXPECT_EQ(edit(u"edtDatumVystOd"_s)->text(), u"5.3.2018"_s);
    EXPECT_EQ(edit(u"edtDatumVystDo"_s)->text(), u"11.3.2018"_s);
    period()->setCurrentIndex(0); // "období od-do" keeps them
    EXPECT_EQ(edit(u"edtDatumVystOd"_s)->text(), u"5.3.2018"_s);

    child<QCheckBox>(m_window, u"chckUseZmenaOd"_s)->click();
    EXPECT_TRUE(edit(u"edtZmenaOd"_s)->isEnabled());
}

TEST_F(VyberModuluTest, KeysInAFilterDateReturnToOdDoAndSpaceGivesToday)
{
    EditedSettings settings;
    settings.dateFilter = true;
    settings.period = 7;
    settings.useChangeFrom = true;
    m_window.setSettings(settings);
    m_window.hide();
    m_window.show();
    QLineEdit *od = edit(u"edtDatumVystOd"_s);
    EXPECT_EQ(od->text(), u"1.1.2018"_s);
    od->selectAll();
    QTest::keyClicks(od, u"2.1.2018"_s);
    EXPECT_EQ(period()->currentIndex(), 0);
    EXPECT_EQ(od->text(), u"2.1.2018"_s);

    period()->setCurrentIndex(7);
    QTest::keyClick(edit(u"edtDatumVystDo"_s), Qt::Key_Space);
    EXPECT_EQ(period()->currentIndex(), 0);
    EXPECT_EQ(edit(u"edtDatumVystDo"_s)->text(), u"7.3.2018"_s);

    period()->setCurrentIndex(7);
    m_window.calendarAction(od)->trigger();
    EXPECT_EQ(period()->currentIndex(), 0);

    edit(u"edtZmenaOd"_s)->clear();
    QTest::keyClick(edit(u"edtZmenaOd"_s), Qt::Key_Space);
    EXPECT_EQ(edit(u"edtZmenaOd"_s)->text(), u"7.3.2018"_s);
}

struct ValidationCase
{
    const char *name;
    const char *od;
    const char *doDate;
    const char *zmenaOd;
    const char *message; // nullptr: accepted
};

void PrintTo(const ValidationCase &c, std::ostream *os)
{
    *os << c.name;
}

class VyberModuluValidation : public testing::TestWithParam<ValidationCase>
{
};

TEST_P(VyberModuluValidation, OkChecksTheDatesInOrder)
{
    const ValidationCase &c = GetParam();
    FixedToday today;
    TfrmVyberModulu window;
    EditedSettings settings;
    settings.dateFilter = true;
    settings.period = 0;
    settings.useChangeFrom = true;
    window.setSettings(settings);
    window.show();
    child<QLineEdit>(window, u"edtDatumVystOd"_s)->setText(QString::fromUtf8(c.od));
    child<QLineEdit>(window, u"edtDatumVystDo"_s)->setText(QString::fromUtf8(c.doDate));
    child<QLineEdit>(window, u"edtZmenaOd"_s)->setText(QString::fromUtf8(c.zmenaOd));
    click(window, u"btnOK"_s);
    if (c.message) {
        EXPECT_EQ(scriptedUi().messageTexts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(scriptedUi().messages().value(0).kind, MessageKind::Warning);
        EXPECT_TRUE(window.isVisible());
    } else {
        EXPECT_TRUE(scriptedUi().messages().isEmpty());
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VyberModuluValidation,
    testing::Values(ValidationCase{"EmptyOd", "", "", "", "Datum vystavení OD nebyl zadán nebo má chybný formát."},
                    ValidationCase{"InvalidDo", "1.1.2018", "31.2.2018", "",
                                   "Datum vystavení DO nebyl zadán nebo má chybný formát."},
                    ValidationCase{"InvalidZmenaOd", "1.1.2018", "2.1.2018", "1.13.2018",
                                   "Datum Změna od nebyl zadán nebo má chybný formát."},
                    // "od" later than "do" is not checked.
                    ValidationCase{"OdAfterDoIsAccepted", "5.1.2018", "2.1.2018", "1.1.2018", nullptr}),
    [](const testing::TestParamInfo<ValidationCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST(VyberModuluSwitchesOff, DatesAreNotCheckedWhileTheirSwitchIsOff)
{
    TfrmVyberModulu window;
    EditedSettings settings;
    window.setSettings(settings);
    window.show();
    child<QLineEdit>(window, u"edtDatumVystOd"_s)->clear();
    child<QLineEdit>(window, u"edtZmenaOd"_s)->clear();
    click(window, u"btnOK"_s);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST(SeznamOdlisDoklFiltr, DesignStateAndTheStateSwitchStaysChecked)
{
    TfrmSeznamOdlisDoklFiltr filter;
    filter.show();
    EXPECT_EQ(filter.windowTitle(), u"Filtr"_s);
    EXPECT_TRUE(child<QCheckBox>(filter, u"chckFiltrAktivni"_s)->isChecked());
    EXPECT_EQ(child<QComboBox>(filter, u"cbxDleStavu"_s)->currentText(), u"všechny opravené doklady"_s);
    QCheckBox *dleStavu = child<QCheckBox>(filter, u"chckDleStavu"_s);
    dleStavu->click();
    EXPECT_TRUE(dleStavu->isChecked());
    EXPECT_TRUE(filter.isFilterActive());
    EXPECT_EQ(filter.choice(), EditedListRules::Choice::AllEdited);
}

// A list of cash documents of every class, loaded by hand.
class SeznamOdlisDoklTest : public testing::Test
{
protected:
    SeznamOdlisDoklTest() : m_window(m_fixture.session(), 1)
    {
        MemTable &rows = m_window.mtDoklady();
        const struct
        {
            const char *doklad;
            double celkem;
            int typBarvy;
        } documents[] = {{"PK0130", 50, 0}, {"PK0012", 300, 2}, {"PK0120", 10, 1}, {"PK0125", 20, 0}};
        for (const auto &document : documents) {
            rows.append();
            rows.setValue(u"Doklad"_s, QString::fromUtf8(document.doklad));
            rows.setValue(u"Celkem"_s, document.celkem);
            rows.setValue(u"TypBarvy"_s, document.typBarvy);
        }
        m_window.prepareRows();
        m_window.setCounts({2, 1, 1});
        m_window.show();
    }
    ~SeznamOdlisDoklTest() override { m_window.hide(); }

    QString currentDoklad() { return m_window.mtDoklady().value(u"Doklad"_s).toString(); }
    QStringList shownNumbers()
    {
        QStringList numbers;
        MemTable &rows = m_window.mtDoklady();
        for (int row = 0; row < rows.recordCount(); ++row)
            numbers.append(rows.value(row, rows.fieldIndex(u"Doklad"_s)).toString());
        return numbers;
    }
    void clickTitle(int column)
    {
        QHeaderView *header = m_window.grid().view()->horizontalHeader();
        const int logical = header->logicalIndex(column);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(logical) + 5, header->height() / 2));
    }

    EditedFixture m_fixture;
    TfrmSeznamOdlisDokl m_window;
};

TEST_F(SeznamOdlisDoklTest, ColumnsSortAndLegendOfTheLoad)
{
    EXPECT_TRUE(m_window.windowState() & Qt::WindowMaximized);
    DataGrid &grid = m_window.grid();
    ASSERT_EQ(grid.columnCount(), 12);
    EXPECT_EQ(grid.columnTitle(6), u"Pokladna"_s);
    EXPECT_EQ(grid.columnWidth(0), 108);
    EXPECT_EQ(grid.columnTitle(10), u"Druh dokladu"_s);
    EXPECT_EQ(shownNumbers(), (QStringList{u"PK0012"_s, u"PK0120"_s, u"PK0125"_s, u"PK0130"_s}));
    EXPECT_TRUE(grid.hasSortMark(0));
    EXPECT_EQ(grid.searchField(), u"Doklad"_s);
    EXPECT_EQ(currentDoklad(), u"PK0012"_s);
    EXPECT_EQ(child<QLabel>(m_window, u"lblPocetBezOpravy"_s)->text(), u"2"_s);
    EXPECT_EQ(child<QLabel>(m_window, u"lblPocetOpravenych"_s)->text(), u"1"_s);
    EXPECT_EQ(child<QLabel>(m_window, u"lblPocetZmenaCeny"_s)->text(), u"1"_s);
}

TEST_F(SeznamOdlisDoklTest, RowsAreColouredByClassWithTheSelectedStateRule)
{
    const DataGrid &grid = m_window.grid();
    // Row 0 is PK0012 (class 2), row 1 PK0120 (class 1), row 2 PK0125 (class 0).
    EXPECT_EQ(grid.cellColours(0, 0, false).background, QColor(255, 0, 0));
    EXPECT_EQ(grid.cellColours(0, 0, true, false).background, QColor(128, 0, 0));
    EXPECT_EQ(grid.cellColours(0, 0, true, true).background, QColor(255, 0, 0));
    EXPECT_EQ(grid.cellColours(0, 0, false).text, QColor(Qt::white));
    EXPECT_EQ(grid.cellColours(1, 3, false).background, QColor(159, 159, 0));
    EXPECT_EQ(grid.cellColours(1, 3, true, false).background, QColor(121, 121, 0));
    EXPECT_FALSE(grid.cellColours(2, 0, false).background.isValid());
}

TEST_F(SeznamOdlisDoklTest, TitleClickMovesTheColumnFirstAndSorts)
{
    m_window.mtDoklady().setCurrentRow(2); // PK0125
    const int celkem = findGridColumn(m_window.grid(), u"Celkem"_s);
    clickTitle(celkem);
    DataGrid &grid = m_window.grid();
    EXPECT_EQ(grid.columnField(0), u"Celkem"_s);
    EXPECT_EQ(grid.columnField(1), u"Doklad"_s);
    EXPECT_TRUE(grid.hasSortMark(0));
    EXPECT_FALSE(grid.hasSortMark(1));
    EXPECT_EQ(shownNumbers(), (QStringList{u"PK0120"_s, u"PK0125"_s, u"PK0130"_s, u"PK0012"_s}));
    EXPECT_EQ(currentDoklad(), u"PK0125"_s);
    EXPECT_EQ(grid.searchField(), u"Celkem"_s);
}

TEST_F(SeznamOdlisDoklTest, TypingSearchesTheSortedField)
{
    m_window.mtDoklady().setCurrentRow(3);
    QTest::keyClicks(m_window.grid().view(), u"p"_s); // opens the strip
    ASSERT_TRUE(m_window.grid().isSearchVisible());
    QLineEdit *box = child<QLineEdit>(m_window.grid(), u"edtHledat"_s);
    EXPECT_EQ(currentDoklad(), u"PK0012"_s);
    QTest::keyClicks(box, u"k012"_s);
    EXPECT_EQ(currentDoklad(), u"PK0120"_s);
    QTest::keyClicks(box, u"9"_s); // nothing begins with "pk0129": the row stays
    EXPECT_EQ(currentDoklad(), u"PK0120"_s);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(m_window.grid().isSearchVisible());
}

TEST_F(SeznamOdlisDoklTest, F5CopiesTheDocumentNumber)
{
    QAction *copy = m_window.copyNumberAction();
    EXPECT_EQ(copy->text(), u"Číslo dokladu do schránky"_s);
    EXPECT_EQ(copy->shortcut(), QKeySequence(Qt::Key_F5));
    m_window.mtDoklady().setCurrentRow(1);
    copy->trigger();
    EXPECT_EQ(scriptedUi().clipboardText(), u"PK0120"_s);
}

TEST_F(SeznamOdlisDoklTest, FilterShowsTheChosenClassesAndMarksTheButton)
{
    auto choose = [](int index, bool active) {
        scriptedUi().onWindow(u"TfrmSeznamOdlisDoklFiltr"_s, [index, active](QDialog &filter) {
            child<QComboBox>(filter, u"cbxDleStavu"_s)->setCurrentIndex(index);
            child<QCheckBox>(filter, u"chckFiltrAktivni"_s)->setChecked(active);
            click(filter, u"btnOK"_s);
        });
        return 0;
    };
    QPushButton *btnFiltr = child<QPushButton>(m_window, u"btnFiltr"_s);
    choose(1, true);
    click(m_window, u"btnFiltr"_s);
    EXPECT_EQ(shownNumbers(), QStringList{u"PK0012"_s});
    EXPECT_EQ(btnFiltr->text(), u"Filtr!"_s);
    EXPECT_TRUE(btnFiltr->font().bold());

    choose(0, true);
    click(m_window, u"btnFiltr"_s);
    EXPECT_EQ(shownNumbers(), (QStringList{u"PK0012"_s, u"PK0120"_s}));

    // "Zavřít" changes nothing.
    scriptedUi().onWindow(u"TfrmSeznamOdlisDoklFiltr"_s, [](QDialog &filter) { click(filter, u"btnZavrit"_s); });
    click(m_window, u"btnFiltr"_s);
    EXPECT_EQ(shownNumbers(), (QStringList{u"PK0012"_s, u"PK0120"_s}));
    EXPECT_EQ(btnFiltr->text(), u"Filtr!"_s);

    choose(2, false);
    click(m_window, u"btnFiltr"_s);
    EXPECT_EQ(shownNumbers().size(), 4);
    EXPECT_EQ(btnFiltr->text(), u"Filtr"_s);
    EXPECT_FALSE(btnFiltr->font().bold());
    // The legend keeps the load's counts.
    EXPECT_EQ(child<QLabel>(m_window, u"lblPocetBezOpravy"_s)->text(), u"2"_s);
}

TEST(EditedListRules, ActionsNeedRowsAndPrintingTheDialog)
{
    const auto none = EditedListRules::actionStates(0, true);
    EXPECT_FALSE(none.history || none.print || none.copy);
    const auto rows = EditedListRules::actionStates(3, false);
    EXPECT_TRUE(rows.history && rows.copy);
    EXPECT_FALSE(rows.print);
    EXPECT_TRUE(EditedListRules::actionStates(3, true).print);
}

class ActionHistoryTest : public testing::Test
{
protected:
    EditedFixture m_fixture;
};

TEST_F(ActionHistoryTest, ShowsTheDocumentsActionsWithTheirTexts)
{
    m_fixture.tree().table(u"GLAKCE"_s).rows(R"(
        Agenda | Rok  | KodSezn | DoklZkrat | Cislo | KodAkce | Cena    | Datum      | Cas                 | Uzivatel | Popis   | Stanice
        001    | 2018 | UP      | PK0001    | 1     | P       | 1210.5  | 2018-01-05 | 1899-12-30T09:05:00 | Eva      | Přidání | 2
        001    | 2018 | UP      | PK0002    | 2     | Z       | 1       | 2018-01-05 | 1899-12-30T09:05:00 | Eva      | Jiný    | 2
        001    | 2018 | UP      | PK0001    | 3     | Z       | 1300    | 2018-01-09 | 1899-12-30T14:30:00 | Petr     | Oprava  | 1
        001    | 2018 | UP      | PK0001    | 4     | R       | 0       | 2018-01-10 | 1899-12-30T15:00:00 | Petr     |         | 1
        001    | 2018 | UP      | PK0001    | 5     | O       | 0       | 2018-01-11 | 1899-12-30T15:00:00 | Petr     |         | 1
        001    | 2018 | UP      | PK0001    | 6     | S       | 0       | 2018-01-12 | 1899-12-30T15:00:00 | Petr     |         | 1
        001    | 2018 | UP      | PK0001    | 7     | X       | 0       | 2018-01-13 | 1899-12-30T15:00:00 | Petr     |         | 1
        001    | 2018 | UP      | PK0001    | 8     | Q       | 0       | 2018-01-14 | 1899-12-30T15:00:00 | Petr     |         | 1
        002    | 2018 | UP      | PK0001    | 9     | Z       | 0       | 2018-01-14 | 1899-12-30T15:00:00 | Petr     |         | 1)");
    QStringList texts;
    QStringList first;
    scriptedUi().onWindow(u"TfrmGlAkce"_s, [&](QDialog &window) {
        EXPECT_EQ(window.windowTitle(), u"Historie akcí"_s);
        MemTable &rows = static_cast<TfrmGlAkce &>(window).mtAkce();
        for (int row = 0; row < rows.recordCount(); ++row)
            texts.append(rows.displayText(row, rows.fieldIndex(u"Akce"_s)));
        for (int field = 0; field < rows.fieldCount(); ++field)
            first.append(rows.displayText(0, field));
        const DataGrid &grid = static_cast<TfrmGlAkce &>(window).grid();
        EXPECT_EQ(grid.columnTitle(1), u"Čas"_s);
        EXPECT_EQ(grid.columnWidth(4), 154);
        click(window, u"btnZavrit"_s);
    });
    EXPECT_EQ(showActionHistory(m_fixture.session(), u"UP"_s, u"PK0001"_s), 0);
    EXPECT_EQ(texts, (QStringList{u"Přidání"_s, u"Změna"_s, u"Zrušení"_s, u"Odstorno"_s, u"Storno"_s, u"Ostatní"_s,
                                  QString()}));
    EXPECT_EQ(first, (QStringList{u"5.1.2018"_s, u"09:05"_s, u"Přidání"_s,
                                  TextUtils::formatFloat(u"# ### ### ##0.00"_s, 1210.5, u','), u"Eva"_s, u"Přidání"_s,
                                  u"2"_s}));
    EXPECT_EQ(m_fixture.progress().workingTexts, QStringList{u"Načtení seznamu\rčekejte prosím..."_s});
    EXPECT_FALSE(m_fixture.progress().workingVisible);
    EXPECT_EQ(TestSupport::openTableFiles(m_fixture.context().dataRoot), QStringList());
}

TEST_F(ActionHistoryTest, DocumentWithoutRecordsOpensAnEmptyHistory)
{
    m_fixture.tree().table(u"GLAKCE"_s);
    int rowCount = -1;
    scriptedUi().onWindow(
        u"TfrmGlAkce"_s, [&](QDialog &window) { rowCount = static_cast<TfrmGlAkce &>(window).mtAkce().recordCount(); });
    EXPECT_EQ(showActionHistory(m_fixture.session(), u"UP"_s, u"PK0001"_s), 0);
    EXPECT_EQ(rowCount, 0);
}

TEST_F(ActionHistoryTest, MissingLogIsReportedWithoutAWindow)
{
    EXPECT_EQ(showActionHistory(m_fixture.session(), u"UP"_s, u"PK0001"_s), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nastala chyba při otevírání databáze "_s + m_fixture.context().dataRoot + u"GLAKCE.DAT"_s});
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
    EXPECT_FALSE(m_fixture.progress().workingVisible);
}

// The entry over the module choice and the list.
class EditedEntryTest : public testing::Test
{
protected:
    EditedEntryTest()
    {
        m_fixture.tree().table(u"PRISUZIV"_s); // no users: no restrictions
        m_fixture.tree().table(u"GLAKCE"_s).rows(R"(
            Agenda | Rok  | KodSezn | DoklZkrat | Cislo | KodAkce | Cena | Datum      | Uzivatel
            001    | 2018 | UB      | BK0001    | 1     | P       | 100  | 2018-01-05 | Eva
            001    | 2018 | UB      | BK0001    | 2     | Z       | 100  | 2018-01-09 | Petr)");
        for (const QString &yearCode : {u"2017"_s, u"2018"_s}) {
            auto bank = m_fixture.tree().agenda(u"001"_s).year(yearCode).table(u"BANKKNIH"_s);
            for (int n = 1; n <= 30; ++n)
                bank.row({{"Doklad", u"BK"_s + QString::number(n).rightJustified(4, u'0')},
                          {"Cislo", n},
                          {"Celkem", 100.0}});
        }
    }

    FixedToday m_today;
    EditedFixture m_fixture;
};

TEST_F(EditedEntryTest, ChoicesAreSavedForEveryYearOfTheCompany)
{
    scriptedUi().onWindow(u"TfrmVyberModulu"_s, [](QDialog &window) {
        EXPECT_EQ(child<QLabel>(window, u"lblAktUzivatel"_s)->text(), u"Jana"_s);
        child<QRadioButton>(window, u"rbBank"_s)->click();
        child<QCheckBox>(window, u"chckIgnorUzivatel"_s)->click();
        click(window, u"btnOK"_s);
    });
    QString caption;
    int rows = 0;
    scriptedUi().onWindow(u"TfrmSeznamOdlisDokl"_s, [&](QDialog &window) {
        caption = window.windowTitle();
        rows = static_cast<TfrmSeznamOdlisDokl &>(window).mtDoklady().recordCount();
        EXPECT_EQ(child<QLabel>(window, u"lblPocetOpravenych"_s)->text(), u"1"_s);
        click(window, u"btnZavrit"_s);
    });
    EXPECT_EQ(openEditedDocuments(m_fixture.session()), 0);
    EXPECT_EQ(caption, u"Seznam - bankovní doklady"_s);
    EXPECT_EQ(rows, 30);
    EXPECT_EQ(IniFile(m_fixture.context().configIniPath).ReadInteger(u"AKCEBAREV001"_s, u"Modul"_s, 0), 2);

    // Another year of the same company opens with the same choices.
    m_fixture.useYear(u"2017"_s);
    scriptedUi().onWindow(u"TfrmVyberModulu"_s, [](QDialog &window) {
        EXPECT_TRUE(child<QRadioButton>(window, u"rbBank"_s)->isChecked());
        EXPECT_TRUE(child<QCheckBox>(window, u"chckIgnorUzivatel"_s)->isChecked());
        click(window, u"btnStorno"_s);
    });
    EXPECT_EQ(openEditedDocuments(m_fixture.session()), -1);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(EditedEntryTest, InterruptedLoadShowsNoListAndNoMessage)
{
    scriptedUi().onWindow(u"TfrmVyberModulu"_s, [](QDialog &window) {
        child<QRadioButton>(window, u"rbBank"_s)->click();
        click(window, u"btnOK"_s);
    });
    m_fixture.progress().onPosition = [this](int position) {
        if (position == 10)
            m_fixture.session().interruptRequested = true;
    };
    EXPECT_NE(openEditedDocuments(m_fixture.session()), 0);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmVyberModulu"_s});
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(EditedEntryTest, RefusedRightsEndTheOperation)
{
    m_fixture.context().rights.rightBankDE = u"N"_s;
    m_fixture.context().rights.rightBankSE = u"N"_s;
    scriptedUi().onWindow(u"TfrmVyberModulu"_s, [](QDialog &window) {
        child<QRadioButton>(window, u"rbBank"_s)->click();
        click(window, u"btnOK"_s);
    });
    EXPECT_EQ(openEditedDocuments(m_fixture.session()), -1);
    EXPECT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmVyberModulu"_s});
}

} // namespace

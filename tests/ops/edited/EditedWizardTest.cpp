// The highlight list from the wizard's operation page: the module choice,
// the list, the filter to "doklady bez opravy" with no such document and
// back, on real widgets with the scripted seam answering the windows.

#include "app/core/HostVersion.h"
#include "app/ui/MainWindow.h"
#include "common/IniFile.h"
#include "common/MemTable.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/RegisterOperations.h"
#include "ops/edited/ActionHistoryWindow.h"
#include "ops/edited/EditedListWindow.h"
#include "print/PrintDialog.h"
#include "report/core/Report.h"
#include "report/core/ReportWindows.h"
#include "report/core/layout/ReportLayout.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

class EditedWizardTest : public testing::Test
{
protected:
    EditedWizardTest() : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).year(u"2018"_s))
    {
        m_tree.table(u"PRISUZIV"_s); // no users: no restrictions
        // Every cash document was edited: nothing of class 0.
        m_year.table(u"POKLKNIH"_s).rows(R"(
            Doklad | Cislo | DatVyst    | Celkem | Del
            PK0001 | 1     | 2018-01-05 | 100    | 0
            PK0002 | 2     | 2018-01-06 | 200    | 0
            PK0003 | 3     | 2018-01-07 | 300    | 1)");
        m_tree.table(u"GLAKCE"_s).rows(R"(
            Agenda | Rok  | KodSezn | DoklZkrat | Cislo | KodAkce | Cena | Datum      | Uzivatel
            001    | 2018 | UP      | PK0001    | 1     | P       | 100  | 2018-01-05 | Eva
            001    | 2018 | UP      | PK0001    | 2     | Z       | 100  | 2018-01-09 | Petr
            001    | 2018 | UP      | PK0002    | 3     | P       | 150  | 2018-01-06 | Eva)");
        RunContext &context = m_main.runContext();
        context.addOnVersion = u"2.14"_s;
        context.dataRoot = m_tree.dataRoot();
        context.agendaDir = m_year.agenda().dir();
        context.yearDir = m_year.dir();
        context.agendaCode = u"001"_s;
        context.yearCode = u"2018"_s;
        context.userName = u"Jana"_s;
        context.hostVersion = u"13.100"_s;
        context.settingsDir = m_tree.dataRoot() + u"Velmar/Tarnek/Setting/"_s;
        context.configIniPath = context.settingsDir + u"Default.ini"_s;
        QDir().mkpath(context.settingsDir);
        recordHostVersion(context); // the update check stays silent
        registerOperations(m_main);
        m_main.show();
        click(m_main, u"btnDalsi"_s);
    }
    ~EditedWizardTest() override { m_main.hide(); }

    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
    TfrmMain m_main;
};

// Chooses a class in the filter window, with the filter on or off.
void scriptFilter(int choice, bool active)
{
    scriptedUi().onWindow(u"TfrmSeznamOdlisDoklFiltr"_s, [choice, active](QDialog &filter) {
        child<QComboBox>(filter, u"cbxDleStavu"_s)->setCurrentIndex(choice);
        child<QCheckBox>(filter, u"chckFiltrAktivni"_s)->setChecked(active);
        click(filter, u"btnOK"_s);
    });
}

TEST_F(EditedWizardTest, FilterWithoutMatchingRowsDisablesTheRowActions)
{
    QRadioButton *row = child<QRadioButton>(m_main, u"rbBarOdlisOpr"_s);
    ASSERT_TRUE(row->isEnabled()); // the operation registered its entry
    row->click();

    scriptedUi().onWindow(u"TfrmVyberModulu"_s, [](QDialog &window) { click(window, u"btnOK"_s); });
    bool listShown = false;
    scriptedUi().onWindow(u"TfrmSeznamOdlisDokl"_s, [&](QDialog &window) {
        listShown = true;
        auto &list = static_cast<TfrmSeznamOdlisDokl &>(window);
        EXPECT_EQ(window.windowTitle(), u"Seznam - pokladní doklady"_s);
        EXPECT_EQ(list.mtDoklady().recordCount(), 2);
        EXPECT_EQ(child<QLabel>(window, u"lblPocetBezOpravy"_s)->text(), u"0"_s);
        EXPECT_EQ(child<QLabel>(window, u"lblPocetOpravenych"_s)->text(), u"1"_s);
        EXPECT_EQ(child<QLabel>(window, u"lblPocetZmenaCeny"_s)->text(), u"1"_s);
        QPushButton *history = child<QPushButton>(window, u"btnHistorieAkci"_s);
        QPushButton *print = child<QPushButton>(window, u"btnTiskSeznamu"_s);
        EXPECT_TRUE(history->isEnabled());
        EXPECT_TRUE(list.copyNumberAction()->isEnabled());
        EXPECT_TRUE(print->isEnabled());

        scriptFilter(2, true); // "doklady bez opravy": none
        click(window, u"btnFiltr"_s);
        EXPECT_EQ(list.mtDoklady().recordCount(), 0);
        EXPECT_EQ(child<QPushButton>(window, u"btnFiltr"_s)->text(), u"Filtr!"_s);
        EXPECT_FALSE(history->isEnabled());
        EXPECT_FALSE(print->isEnabled());
        EXPECT_FALSE(list.copyNumberAction()->isEnabled());
        list.copyNumberAction()->trigger(); // disabled: nothing copied
        EXPECT_TRUE(scriptedUi().clipboardText().isEmpty());

        scriptFilter(2, false); // the filter removed
        click(window, u"btnFiltr"_s);
        EXPECT_EQ(list.mtDoklady().recordCount(), 2);
        EXPECT_TRUE(history->isEnabled());
        EXPECT_TRUE(list.copyNumberAction()->isEnabled());
        EXPECT_TRUE(print->isEnabled());

        // The history of the current row (PK0001) through the toolbar.
        int actions = 0;
        scriptedUi().onWindow(u"TfrmGlAkce"_s, [&](QDialog &historyWindow) {
            actions = static_cast<TfrmGlAkce &>(historyWindow).mtAkce().recordCount();
            click(historyWindow, u"btnZavrit"_s);
        });
        click(window, u"btnHistorieAkci"_s);
        EXPECT_EQ(actions, 2);
        click(window, u"btnZavrit"_s);
    });

    click(m_main, u"btnDalsi"_s); // "OK" runs the operation
    EXPECT_TRUE(listShown);
    EXPECT_EQ(scriptedUi().windowsShown(),
              (QStringList{u"TfrmVyberModulu"_s, u"TfrmSeznamOdlisDokl"_s, u"TfrmSeznamOdlisDoklFiltr"_s,
                           u"TfrmSeznamOdlisDoklFiltr"_s, u"TfrmGlAkce"_s}));
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_TRUE(child<QPushButton>(m_main, u"btnDalsi"_s)->isEnabled());
    EXPECT_FALSE(child<QProgressBar>(m_main, u"pbMain"_s)->isVisible());
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.dataRoot()), QStringList());
    EXPECT_EQ(IniFile(m_main.runContext().configIniPath).ReadInteger(u"AKCEBAREV001"_s, u"Modul"_s, 0), 1);
}

// "Tisk seznamu" prints the rows as the list shows them: after the filter
// only the documents whose total changed, with the shipped list template.
TEST_F(EditedWizardTest, PrintingTheListPrintsTheFilteredRows)
{
    RunContext &context = m_main.runContext();
    context.printFormsDir = m_tree.dataRoot() + u"Velmar/Tarnek/PrintFrm/"_s;
    ASSERT_TRUE(QDir().mkpath(context.printFormsDir));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARNEK_PRINT_FORMS_DIR) + u"/_SZOPRAVDOKL.PTS"_s,
                            context.printFormsDir + u"_SZOPRAVDOKL.PTS"_s));
    const ReportWindows saved = ReportWindows::current();
    QStringList printed; // the texts at the left edge of the body: the document numbers
    QStringList listed;
    ReportWindows::current().print = [&printed](TSestava &report, int) {
        const int result = ReportLayout::prepare(report);
        for (const TStranaPrvku &page : report.output().pages)
            for (const TVystPrvek &item : page.items())
                if (item.sectionId == TOddilSestavy::Body && item.left == 0)
                    printed.prepend(item.text); // drawn newest first
        return result;
    };

    child<QRadioButton>(m_main, u"rbBarOdlisOpr"_s)->click();
    scriptedUi().onWindow(u"TfrmVyberModulu"_s, [](QDialog &window) { click(window, u"btnOK"_s); });
    scriptedUi().onWindow(u"TfrmSeznamOdlisDokl"_s, [&](QDialog &window) {
        auto &list = static_cast<TfrmSeznamOdlisDokl &>(window);
        scriptFilter(1, true); // "pouze doklady s opravenou cenou"
        click(window, u"btnFiltr"_s);
        for (list.mtDoklady().first(); !list.mtDoklady().eof(); list.mtDoklady().next())
            listed << list.mtDoklady().value(u"Doklad"_s).toString();
        scriptedUi().onWindow(u"TfrmTisk"_s, [](QDialog &dialog) {
            EXPECT_EQ(static_cast<TfrmTisk &>(dialog).sestDetail1().popis(), u"Seznam dokladů"_s);
            EXPECT_EQ(child<QLineEdit>(dialog, u"edtFormular"_s)->text(), u"_SZOPRAVDOKL"_s);
            click(dialog, u"btnTisk"_s);
        });
        click(window, u"btnTiskSeznamu"_s);
        click(window, u"btnZavrit"_s);
    });
    click(m_main, u"btnDalsi"_s);
    ReportWindows::current() = saved;

    EXPECT_EQ(listed.size(), 1);
    EXPECT_EQ(printed, listed);
    EXPECT_TRUE(scriptedUi().messages().isEmpty()) << scriptedUi().messageTexts().join(u" | "_s).toStdString();
}

} // namespace

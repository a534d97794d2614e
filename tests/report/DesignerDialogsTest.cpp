// The template designer's dialogs: the editor environment ("Prostředí
// editoru sestav"), the report settings ("Nastavení parametrů sestavy") with
// its working copy, group removal and margin check, and the user function
// ("Nastavení parametrů funkce").

#include "DataFixture.h"
#include "DialogInputs.h"

#include "report/core/designer/DesignerSettings.h"
#include "report/core/designer/ReportSetup.h"
#include "report/core/template/ReportColors.h"
#include "report/core/template/ReportFonts.h"
#include "report/ui/designer/DesignerSettingsDialog.h"
#include "report/ui/designer/ReportSettingsDialog.h"
#include "report/ui/designer/UserFunctionDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;
using namespace DialogInputs;

namespace {

const QString GroupQuestion = u"Opravdu smazat vybranou skupinu včetně případných vložených prvků sestavy?"_s;
const QString MarginQuestion = u"Nastavené okraje tisku jsou menší, než umožňuje připojená tiskárna. Upravit velikost "
                               u"okrajů podle možností tiskárny?"_s;

// ------------------------------------------------------------ environment

class EditorEnvironment : public ReportFixture
{
protected:
    QString ini() const { return tempPath(u"SestDLL.ini"_s); }
};

TEST_F(EditorEnvironment, OkWritesAValueOfEachTabToTheIniFile)
{
    DesignerSettings before;
    before.newFontName = u"Times New Roman"_s;
    ASSERT_TRUE(before.save(ini()));
    scriptedUi().onWindow(u"TSestKonfigDlg"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Prostředí editoru sestav"_s);
        check(w, u"chbMazaniJedne"_s, true);
        setSpin(w, u"sePocetUndo"_s, 25);
        choose(w, u"cbMeritko"_s, u"150 %"_s);
        setSpin(w, u"seSirka"_s, 150);
        choose(w, u"cbZarovnaniCi"_s, u"na střed"_s);
        EXPECT_EQ(child<QComboBox>(w, u"cbNazevFontu"_s)->currentText(), u"Times New Roman"_s);
        choose(w, u"cbNazevFontu"_s, u"Courier New"_s);
        check(w, u"chbTucne"_s, true);
        choose(w, u"cbBarvaFontu"_s, ReportColors::name(4));
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(TSestKonfigDlg::editIni(ini()), 0);

    DesignerSettings expected = before;
    expected.confirmDeleteOne = true;
    expected.undoLimit = 25;
    expected.zoomIndex = 8;
    expected.newWidth = 150;
    expected.newNumberAlignment = 2;
    expected.newFontName = u"Courier New"_s;
    expected.newFontStyle = FontDef::Bold;
    expected.newFontColour = 4;
    EXPECT_EQ(DesignerSettings::load(ini()), expected);
}

TEST_F(EditorEnvironment, StornoLeavesTheFileUnwritten)
{
    scriptedUi().onWindow(u"TSestKonfigDlg"_s, [](QDialog &w) {
        check(w, u"chbShowTree"_s, true);
        setSpin(w, u"seRastrX"_s, 3);
        click(w, u"btnStorno"_s);
    });
    EXPECT_EQ(TSestKonfigDlg::editIni(ini()), -1);
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(EditorEnvironment, ValuesWithoutAnInputOfTheirOwnComeBackUnchanged)
{
    // A hand-edited file: an alignment, a colour and style bits the inputs
    // do not offer, and a font that is not installed.
    DesignerSettings odd;
    odd.newTextAlignment = 7;
    odd.newFontColour = 30;
    odd.newFontStyle = FontDef::Italic | 0x40;
    odd.newFontName = u"Arial CE"_s;
    odd.newFontSize = -13;
    odd.newFontCharset = 238;
    TSestKonfigDlg dialog;
    dialog.setSettings(odd);
    EXPECT_EQ(dialog.settings(), odd);
}

TEST_F(EditorEnvironment, FontListIsAlphabeticalOnlyWhenAsked)
{
    const QStringList installed{u"Zeta"_s, u"arial"_s, u"Čárka"_s, u"Courier"_s, u"Dejavu"_s};
    EXPECT_EQ(TSestKonfigDlg::fontNames(installed, false), installed);
    EXPECT_EQ(TSestKonfigDlg::fontNames(installed, true),
              (QStringList{u"arial"_s, u"Courier"_s, u"Čárka"_s, u"Dejavu"_s, u"Zeta"_s}));

    ReportFonts::setInstalledFamilies(installed);
    DesignerSettings s;
    s.newFontName = u"Dejavu"_s;
    TSestKonfigDlg dialog;
    dialog.setSettings(s);
    auto *fonts = child<QComboBox>(dialog, u"cbNazevFontu"_s);
    ASSERT_TRUE(fonts);
    EXPECT_EQ(fonts->itemText(0), u"Zeta"_s);
    check(dialog, u"chbPismaAbec"_s, true);
    EXPECT_EQ(fonts->itemText(0), u"arial"_s);
    EXPECT_EQ(fonts->currentText(), u"Dejavu"_s) << "the choice survives the new order";
}

// ------------------------------------------------------------ report settings

class ReportSettings : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        // Two groups (on Skupina and on field 0), an element in each band, a
        // row number of the inner group in the body and a sum reset by it.
        m_report.setPredloha(templateOf({
            u"I,4,0,Skupina,1,30,1,25,0"_s,
            u"I,4,1,0,1,40,0,35,1"_s,
            element(u"S0"_s, 1, u"0"_s, u"hlava 1"_s),
            element(u"U0"_s, 1, u"0"_s, u"pata 1"_s),
            element(u"S1"_s, 1, u"0"_s, u"hlava 2"_s),
            element(u"T"_s, 5, QString::number(SystemVariable::rowInGroup(1))),
            function(1, u"Soucet"_s, 2, u"Castka"_s, TRadekFunkce::resetPerGroup(1)),
        }));
        ASSERT_EQ(m_report.groups().count(), 2);
    }

    int elementsIn(int sectionId) const
    {
        const TOddilSestavy *section = m_report.sections().find(sectionId);
        return section ? section->count() : -1;
    }
};

TEST_F(ReportSettings, OkAppliesAValueOfEachTab)
{
    scriptedUi().onWindow(u"TSestDlg"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Nastavení parametrů sestavy"_s);
        setSpin(w, u"seKopie"_s, 3);
        setSpin(w, u"seDoStrany"_s, 12);
        setText(w, u"edtPopis"_s, u"Seznam dokladů"_s);
        child<QListWidget>(w, u"lbFormaty"_s)->setCurrentRow(9); // A5
        check(w, u"rbNaSirku"_s, true);
        setSpin(w, u"seSloupcu"_s, 2);
        check(w, u"rbZnakovy"_s, true);
        choose(w, u"cbRoztec"_s, u"17 znaků/palec"_s);
        check(w, u"chbOddilHlava"_s, false);
        setSpin(w, u"seOddilTelo"_s, 55);
        check(w, u"chbStrankovani5"_s, true);
        child<QListWidget>(w, u"lbSkupiny"_s)->setCurrentRow(1);
        check(w, u"chbNovaStranka"_s, false);
        setSpin(w, u"sePataSkupiny"_s, 12);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TSestDlg::edit(m_report));

    EXPECT_EQ(m_report.printCopies(), 3);
    EXPECT_EQ(m_report.endPage(), 12);
    EXPECT_EQ(m_report.popis(), u"Seznam dokladů"_s);
    EXPECT_EQ(pageSetup().paperWidth, 584);
    EXPECT_EQ(pageSetup().paperHeight, 826);
    EXPECT_EQ(pageSetup().orientation, PageSetup::Landscape);
    EXPECT_EQ(m_report.settings().printColumns, 2);
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::Body)->columns, 2);
    EXPECT_TRUE(m_report.settings().isCharacterMode());
    EXPECT_EQ(m_report.settings().pitch, 2);
    EXPECT_FALSE(m_report.sections().find(TOddilSestavy::PageHeader)->visible);
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::Body)->height, 55);
    EXPECT_TRUE(m_report.settings().noPageHeaderOnFirstPage);
    EXPECT_FALSE(m_report.groups().at(1).newPage);
    EXPECT_EQ(m_report.groups().at(1).footer->height, 12);
    EXPECT_EQ(m_report.groups().at(0).fieldName, u"Skupina"_s) << "the other group untouched";
    EXPECT_EQ(m_report.groups().at(0).header->height, 30);
}

TEST_F(ReportSettings, StornoChangesNothing)
{
    const TPredloha before = m_report.writeTemplate();
    const PageSetup page = pageSetup();
    scriptedUi().onWindow(u"TSestDlg"_s, [](QDialog &w) {
        setSpin(w, u"seKopie"_s, 5);
        check(w, u"rbNaSirku"_s, true);
        setSpin(w, u"seRastrX"_s, 3);
        check(w, u"chbOddilTelo"_s, false);
        check(w, u"chbHlavaSkupiny"_s, false);
        click(w, u"btnPridatSkupinu"_s);
        click(w, u"btnStorno"_s);
    });
    EXPECT_FALSE(TSestDlg::edit(m_report));
    EXPECT_EQ(m_report.writeTemplate(), before);
    EXPECT_EQ(pageSetup(), page);
    EXPECT_EQ(m_report.printCopies(), 1);
}

TEST_F(ReportSettings, GroupRemovalAnsweredNoKeepsTheGroup)
{
    const TPredloha before = m_report.writeTemplate();
    scriptedUi().answer(MessageAnswer::No);
    scriptedUi().onWindow(u"TSestDlg"_s, [](QDialog &w) {
        child<QListWidget>(w, u"lbSkupiny"_s)->setCurrentRow(0);
        click(w, u"btnOdebratSkupinu"_s);
        EXPECT_EQ(child<QListWidget>(w, u"lbSkupiny"_s)->count(), 2);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TSestDlg::edit(m_report));
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Confirmation, GroupQuestion, u"Potvrzení"_s}}));
    EXPECT_EQ(m_report.writeTemplate(), before);
}

TEST_F(ReportSettings, GroupRemovalAnsweredYesRemovesItsBandsAndMovesTheLaterGroupUp)
{
    scriptedUi().answer(MessageAnswer::Yes);
    scriptedUi().onWindow(u"TSestDlg"_s, [](QDialog &w) {
        child<QListWidget>(w, u"lbSkupiny"_s)->setCurrentRow(0);
        click(w, u"btnOdebratSkupinu"_s);
        EXPECT_EQ(child<QListWidget>(w, u"lbSkupiny"_s)->count(), 1);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TSestDlg::edit(m_report));
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Confirmation, GroupQuestion, u"Potvrzení"_s}}));

    ASSERT_EQ(m_report.groups().count(), 1);
    const TPolSkup &group = m_report.groups().at(0);
    EXPECT_EQ(group.number, 0);
    EXPECT_EQ(group.fieldIndex, 0);
    EXPECT_TRUE(group.newPage);
    EXPECT_EQ(group.header->id, TOddilSestavy::groupHeaderId(0));
    EXPECT_EQ(group.header->height, 40);
    EXPECT_EQ(m_report.sections().count(), TOddilSestavy::FixedCount + 2) << "the removed group's bands are gone";
    ASSERT_EQ(elementsIn(TOddilSestavy::groupHeaderId(0)), 1);
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::groupHeaderId(0))->at(0).text, u"hlava 2"_s);
    EXPECT_EQ(elementsIn(TOddilSestavy::groupFooterId(0)), 0);
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::Body)->at(0).reference, SystemVariable::rowInGroup(0));
    EXPECT_EQ(m_report.functions().at(0).resetPoint, TRadekFunkce::resetPerGroup(0));

    // What is written reads back the same.
    const TPredloha written = m_report.writeTemplate();
    m_report.setPredloha(written);
    EXPECT_EQ(m_report.writeTemplate(), written);
}

TEST_F(ReportSettings, PaperFormatsAddedAndRemovedAreKeptInTheIniFile)
{
    m_report.setIniFileName(tempPath(u"SestDLL.ini"_s));
    scriptedUi().onWindow(u"TDlgFormatPapiru"_s, [](QDialog &w) {
        EXPECT_EQ(child<QLineEdit>(w, u"edtNazev"_s)->text(), u"uživ. formát"_s);
        EXPECT_EQ(child<QLineEdit>(w, u"edtSirka"_s)->text(), u"584"_s) << "the size of the selected format";
        setText(w, u"edtNazev"_s, u"Štítek"_s);
        setText(w, u"edtSirka"_s, u"400"_s);
        click(w, u"btnKonec"_s);
    });
    scriptedUi().onWindow(u"TSestDlg"_s, [](QDialog &w) {
        auto *formats = child<QListWidget>(w, u"lbFormaty"_s);
        EXPECT_EQ(formats->currentRow(), 8) << "A4 matched";
        EXPECT_FALSE(child<QPushButton>(w, u"btnVynech"_s)->isEnabled());
        formats->setCurrentRow(9);
        click(w, u"btnPridej"_s);
        EXPECT_EQ(formats->count(), 19);
        EXPECT_EQ(formats->currentRow(), 18);
        EXPECT_EQ(child<QPushButton>(w, u"btnOprav"_s)->text(), u"Oprav"_s);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TSestDlg::edit(m_report));
    EXPECT_EQ(pageSetup().paperWidth, 400);
    EXPECT_EQ(pageSetup().paperHeight, 826);
    TListFormatu saved;
    saved.load(m_report.iniFilePath());
    ASSERT_EQ(saved.userCount(), 1);
    EXPECT_EQ(saved.at(18), (TFormatPapiru{u"Štítek"_s, 400, 826}));

    scriptedUi().answer(MessageAnswer::Yes);
    scriptedUi().onWindow(u"TSestDlg"_s, [](QDialog &w) {
        EXPECT_EQ(child<QListWidget>(w, u"lbFormaty"_s)->currentRow(), 18);
        click(w, u"btnVynech"_s);
        EXPECT_EQ(child<QListWidget>(w, u"lbFormaty"_s)->count(), 18);
        click(w, u"btnStorno"_s);
    });
    EXPECT_FALSE(TSestDlg::edit(m_report));
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Confirmation, u"Zrušit vybraný uživatelský formát?"_s, u"Potvrzení"_s}}));
    saved.load(m_report.iniFilePath());
    EXPECT_EQ(saved.userCount(), 0);
}

TEST(ReportSetupGroups, ReferencesToARemovedGroupFallBackToTheReport)
{
    TSestava report;
    report.model().addGroup(0);
    report.model().addGroup(1);
    TOddilSestavy *body = report.sections().find(TOddilSestavy::Body);
    TRastelReportElement &counter = body->addElement();
    counter.kind = ElementKind::SystemVariable;
    counter.reference = SystemVariable::groupCount(1);
    TRadekFunkce &function = report.functions().add();
    function.resetPoint = TRadekFunkce::resetPerGroup(1);

    ReportSetup setup = ReportSetup::fromReport(report);
    EXPECT_EQ(setup.elementCount(report.model(), 1), 0);
    ASSERT_TRUE(setup.removeGroup(1));
    EXPECT_FALSE(setup.removeGroup(1));
    setup.addGroup(3);
    setup.applyTo(report);

    ASSERT_EQ(report.groups().count(), 2);
    EXPECT_EQ(report.groups().at(1).fieldIndex, 3);
    EXPECT_EQ(report.groups().at(1).header->height, 20);
    EXPECT_EQ(counter.reference, SystemVariable::RowNumber);
    EXPECT_EQ(function.resetPoint, TRadekFunkce::ResetPerReport);
}

// The margin check on OK: a printer whose left edge cannot be printed for
// 0.25 inch, a left margin of 20 units.
struct MarginCase
{
    const char *name;
    bool characterGrid;
    std::optional<MessageAnswer> answer; // nullopt: no question expected
    bool applied;
    int leftMargin; // after the dialog
};

class MarginCheck : public ReportSettings, public testing::WithParamInterface<MarginCase>
{
};

TEST_P(MarginCheck, OnOk)
{
    const MarginCase &row = GetParam();
    FakePrinterList printers;
    printers.printers = {FakePrinterList::a4(u"Kancelář"_s, 75, 0, 0, 0)};
    CurrentPrinter::current().setPrinterList(&printers);
    ASSERT_TRUE(CurrentPrinter::current().isPresent());
    pageSetup().leftMargin = 20;
    pageSetup().topMargin = 70;
    pageSetup().rightMargin = 50;
    pageSetup().bottomMargin = 70;

    if (row.answer)
        scriptedUi().answer(*row.answer);
    scriptedUi().onWindow(u"TSestDlg"_s, [&](QDialog &w) {
        check(w, row.characterGrid ? u"rbZnakovy"_s : u"rbGraficky"_s, true);
        click(w, u"btnOK"_s);
        // Cancel keeps the settings open.
        EXPECT_EQ(w.isVisible(), !row.applied);
    });
    EXPECT_EQ(TSestDlg::edit(m_report), row.applied);
    if (row.answer)
        EXPECT_TRUE(scriptedUi().shown({{MessageKind::Confirmation, MarginQuestion, u"Potvrzení"_s}}));
    else
        EXPECT_TRUE(scriptedUi().shown({}));
    EXPECT_EQ(pageSetup().leftMargin, row.leftMargin);
    EXPECT_EQ(m_report.settings().isCharacterMode(), row.applied && row.characterGrid);
    CurrentPrinter::current().setPrinterList(nullptr);
}

INSTANTIATE_TEST_SUITE_P(DesignerDialogs, MarginCheck,
                         testing::Values(MarginCase{"YesFitsTheMargins", false, MessageAnswer::Yes, true, 25},
                                         MarginCase{"NoKeepsThem", false, MessageAnswer::No, true, 20},
                                         MarginCase{"CancelKeepsTheDialogOpen", false, MessageAnswer::Cancel, false,
                                                    20},
                                         MarginCase{"CharacterGridIsNotChecked", true, std::nullopt, true, 20}),
                         TestSupport::rowName);

// ------------------------------------------------------------ user function

class FunctionSettings : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        m_report.setPredloha(templateOf({u"I,4,0,Skupina,1,30,1,25,0"_s, function(1, u"Soucet"_s, 2, u"Castka"_s),
                                         function(2, u"Pocet"_s, 1, u"Doklad"_s)}));
        ASSERT_EQ(m_report.functions().count(), 2);
    }
};

TEST_F(FunctionSettings, OkTakesTheInputsAndTheExpressionEditorsResult)
{
    scriptedUi().onWindow(u"TSest_FnEditVyraz"_s, [](QDialog &w) {
        EXPECT_EQ(child<QLineEdit>(w, u"edtVyraz"_s)->text(), u"Castka"_s);
        child<QLineEdit>(w, u"edtVyraz"_s)->setText(u"Castka*2"_s);
        click(w, u"btnOK"_s);
    });
    scriptedUi().onWindow(u"TFunkceDlg"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Nastavení parametrů funkce"_s);
        setText(w, u"edtPopis"_s, u"dvojnásobek"_s);
        click(w, u"btnVyraz"_s);
        EXPECT_EQ(child<QLineEdit>(w, u"edtVyrazFunkce"_s)->text(), u"Castka*2"_s);
        choose(w, u"cbNulovani"_s, u"Skupina 1"_s);
        choose(w, u"cbAgregace"_s, u"Maximum"_s);
        setSpin(w, u"seDesetinnaMista"_s, 0);
        click(w, u"btnOK"_s);
    });
    TRadekFunkce &function = m_report.functions().at(0);
    EXPECT_TRUE(TFunkceDlg::edit(m_report, function, 0));
    EXPECT_EQ(function.name, u"Soucet"_s);
    EXPECT_EQ(function.description, u"dvojnásobek"_s);
    EXPECT_EQ(function.expression, u"Castka*2"_s);
    EXPECT_EQ(function.resetPoint, TRadekFunkce::resetPerGroup(0));
    EXPECT_EQ(function.aggregateKind, int(TRadekFunkce::Maximum));
    EXPECT_EQ(function.digits, 0);
}

TEST_F(FunctionSettings, StornoChangesNothing)
{
    const TPredloha before = m_report.writeTemplate();
    scriptedUi().onWindow(u"TFunkceDlg"_s, [](QDialog &w) {
        setText(w, u"edtNazev"_s, u"Jina"_s);
        choose(w, u"cbTypVysledku"_s, u"Řetězcová"_s);
        click(w, u"btnStorno"_s);
    });
    EXPECT_FALSE(TFunkceDlg::edit(m_report, m_report.functions().at(1), 1));
    EXPECT_EQ(m_report.writeTemplate(), before);
}

struct NameCase
{
    const char *name;
    const char16_t *typed;
    const char16_t *message; // nullptr: accepted
};

class FunctionName : public FunctionSettings, public testing::WithParamInterface<NameCase>
{
};

TEST_P(FunctionName, IsCheckedOnOk)
{
    const NameCase &row = GetParam();
    scriptedUi().onWindow(u"TFunkceDlg"_s, [&](QDialog &w) {
        setText(w, u"edtNazev"_s, QString::fromUtf16(row.typed));
        click(w, u"btnOK"_s);
        EXPECT_EQ(w.isVisible(), row.message != nullptr);
    });
    TRadekFunkce &function = m_report.functions().at(1);
    EXPECT_EQ(TFunkceDlg::edit(m_report, function, 1), row.message == nullptr);
    if (row.message) {
        EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, QString::fromUtf16(row.message)}}));
        EXPECT_EQ(function.name, u"Pocet"_s);
    } else {
        EXPECT_TRUE(scriptedUi().shown({}));
        EXPECT_EQ(function.name, QString::fromUtf16(row.typed).trimmed());
    }
}

INSTANTIATE_TEST_SUITE_P(
    DesignerDialogs, FunctionName,
    testing::Values(NameCase{"Empty", u"  ", u"Zadejte název funkce."},
                    NameCase{"AnotherFunctions", u"soucet", u"Funkce s názvem soucet již v sestavě je."},
                    NameCase{"ItsOwn", u"Pocet", nullptr}, NameCase{"NewTrimmed", u" Prumer ", nullptr}),
    TestSupport::rowName);

TEST_F(FunctionSettings, DeleteAsksFirst)
{
    scriptedUi().answer(MessageAnswer::No);
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_FALSE(TFunkceDlg::confirmDelete());
    EXPECT_TRUE(TFunkceDlg::confirmDelete());
    const ScriptedUi::ExpectedMessage question{MessageKind::Confirmation, u"Smazat vybranou funkci?"_s, u"Potvrzení"_s};
    EXPECT_TRUE(scriptedUi().shown({question, question}));
}

} // namespace

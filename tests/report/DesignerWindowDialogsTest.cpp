// The dialogs reached from the template designer's window: "Nová předloha...",
// "Nastavení předlohy...", "Nastavení prostředí...", the element properties
// (menu and double click) and the user functions. Each case drives the real
// dialog, changes one value and checks that it reached the designer's copy
// as exactly one named undo step, or that Storno left everything alone.
#include "DataFixture.h"
#include "DialogInputs.h"

#include "report/core/designer/DesignerDocument.h"
#include "report/core/model/PageSetup.h"
#include "report/ui/designer/DesignerPaper.h"
#include "report/ui/designer/DesignerWindow.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;
using namespace DialogInputs;

namespace {

const QString NewQuestion = u"Zrušit všechny prvky a začít s návrhem nové předlohy?"_s;
const QString CloseQuestion = u"V předloze sestavy byly provedeny změny. Uložit?"_s;
const QString DeleteFunctionQuestion = u"Smazat vybranou funkci?"_s;

void trigger(TFormSestE &form, const QString &name)
{
    if (QAction *a = action(form, name)) {
        ASSERT_TRUE(a->isEnabled()) << name.toStdString();
        a->trigger();
    }
}

QStringList menuTexts(const QAction *inMenu)
{
    QStringList texts;
    for (QObject *holder : inMenu->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(holder)) {
            for (const QAction *a : menu->actions())
                texts << (a->isSeparator() ? u"-"_s : a->text());
        }
    }
    return texts;
}

// A dialog with one spin box set, closed with the button.
ScriptedUi::WindowAction spinThen(const QString &spin, int value, const QString &button)
{
    return [=](QDialog &w) {
        setSpin(w, spin, value);
        click(w, button);
    };
}

// The function dialog with a new expression, closed with the button.
ScriptedUi::WindowAction expressionThen(const QString &expression, const QString &button)
{
    return [=](QDialog &w) {
        setText(w, u"edtVyrazFunkce"_s, expression);
        click(w, button);
    };
}

// The wizard's field with that caption moved to the chosen ones.
void chooseField(QDialog &wizard, const QString &caption)
{
    auto *available = child<QListWidget>(wizard, u"lstDostupne"_s);
    ASSERT_TRUE(available);
    const auto found = available->findItems(caption, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << caption.toStdString();
    found.first()->setSelected(true);
    click(wizard, u"btnPridat"_s);
}

// The function list: `row` is expected preselected, then OK or Storno.
ScriptedUi::WindowAction pickFunction(int row, const QString &button)
{
    return [row, button](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Výběr funkce"_s);
        auto *list = child<QListWidget>(w, u"lbFunkce"_s);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), row);
        click(w, button);
    };
}

int elementCount(const TSestava &model, int sectionId)
{
    const TOddilSestavy *section = model.sections().find(sectionId);
    return section ? section->count() : -1;
}

// "Nová předloha...": Yes to the question, then the wizard with the field
// "Částka" chosen, closed with the button.
std::function<void()> newTemplateThen(const QString &button)
{
    return [=] {
        scriptedUi().answer(MessageAnswer::Yes);
        scriptedUi().onWindow(u"TDlgNovaSestava"_s, [=](QDialog &w) {
            chooseField(w, u"Částka"_s);
            click(w, button);
        });
    };
}

} // namespace

class DesignerWindowDialogs : public DataFixture
{
public:
    void SetUp() override
    {
        DataFixture::SetUp();
        pageSetup().paperWidth = 826;
        pageSetup().paperHeight = 400;
        m_report.collectFields();
        setHeight(TOddilSestavy::PageHeader, 40);
        setHeight(TOddilSestavy::Body, 100);
        TRadekFunkce &sum = m_report.functions().add();
        sum.name = u"Soucet"_s;
        sum.expression = u"Castka"_s;
        TRadekFunkce &count = m_report.functions().add();
        count.name = u"Pocet"_s;
        count.expression = u"Doklad"_s;
        add(TOddilSestavy::Body, ElementKind::GraphicText, 0, QRect(20, 0, 100, 20), u"První"_s);
        add(TOddilSestavy::Body, ElementKind::Field, Castka, QRect(200, 40, 100, 20));
        add(TOddilSestavy::PageHeader, ElementKind::UserFunction, 1, QRect(0, 0, 100, 20));
        m_report.setIsStored(false);
        m_report.setReportName(u"navrh"_s);
        m_report.setPredloha(m_report.writeTemplate());
        m_env.gridX = 10;
        m_env.gridY = 10;
        // The environment the designer opened with is the ini file's.
        ASSERT_TRUE(m_env.save(m_report.iniFilePath()));
        m_form = std::make_unique<TFormSestE>(m_report, m_env);
        m_form->resize(1000, 700);
        m_form->show();
    }
    void TearDown() override
    {
        m_form.reset();
        DataFixture::TearDown();
    }

    TFormSestE &form() { return *m_form; }
    DesignerDocument &editor() { return m_form->editor(); }
    const TSestava &model() { return editor().model(); }
    TRastelReportElement *element(int sectionId, int index) { return editor().elements(sectionId).value(index); }
    // Selects the element as the user does: a click on the paper.
    void clickOn(int sectionId, int index)
    {
        DesignerPaper &canvas = form().canvas();
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, canvas.elementRect(element(sectionId, index)).center());
    }
    QByteArray iniBytes() const
    {
        QFile file(m_report.iniFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    DesignerSettings m_env;
    std::unique_ptr<TFormSestE> m_form;
};

// ------------------------------------------------------------ OK: one named step

struct ChangeCase
{
    const char *name;
    // Scripts the answers and drives the dialogs (one value changed, OK).
    std::function<void()> script;
    // Selects what the action needs and triggers it.
    std::function<void(DesignerWindowDialogs &)> start;
    const char16_t *step;
    std::function<void(DesignerWindowDialogs &)> check;
    QList<ScriptedUi::ExpectedMessage> messages; // before the closing question
};

void PrintTo(const ChangeCase &row, std::ostream *os)
{
    *os << row.name;
}

class DesignerDialogChange : public DesignerWindowDialogs, public testing::WithParamInterface<ChangeCase>
{
};

TEST_P(DesignerDialogChange, IsOneNamedStepAndClosingAsksToSave)
{
    const ChangeCase &row = GetParam();
    const TPredloha before = model().writeTemplate();
    const PageSetup page = pageSetup();
    row.script();
    row.start(*this);
    row.check(*this);

    const QString step = QString::fromUtf16(row.step);
    EXPECT_EQ(editor().undoCount(), 1);
    EXPECT_EQ(editor().undoName(), step);
    EXPECT_EQ(action(form(), u"ActionZrusit"_s)->text(), u"Zrušit "_s + step);
    EXPECT_TRUE(editor().isModified());
    // The step takes the template (and its paper) back and forth whole.
    const TPredloha changed = model().writeTemplate();
    trigger(form(), u"ActionZrusit"_s);
    EXPECT_EQ(model().writeTemplate(), before);
    EXPECT_EQ(pageSetup(), page);
    trigger(form(), u"ActionZnovu"_s);
    EXPECT_EQ(model().writeTemplate(), changed);

    scriptedUi().answer(MessageAnswer::No);
    trigger(form(), u"ActionKonec"_s);
    QList<ScriptedUi::ExpectedMessage> expected = row.messages;
    expected.append({MessageKind::Confirmation, CloseQuestion, u"Potvrzení"_s});
    EXPECT_TRUE(scriptedUi().shown(expected));
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().outcome(), seCancelled);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DesignerDialogChange,
    testing::Values(
        ChangeCase{"ReportSettingsBodyHeight",
                   [] { scriptedUi().onWindow(u"TSestDlg"_s, spinThen(u"seOddilTelo"_s, 55, u"btnOK"_s)); },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionNastaveni"_s); },
                   u"nastavení oddílů a skupin",
                   [](DesignerWindowDialogs &fixture) {
                       EXPECT_EQ(fixture.model().sections().find(TOddilSestavy::Body)->height, 55);
                       // The paper shows the new height at once.
                       for (const DesignerPaper::BandGeometry &g : fixture.form().canvas().layout()) {
                           if (g.band.sectionId == TOddilSestavy::Body) {
                               EXPECT_EQ(g.body.height(), 55);
                           }
                       }
                   },
                   {}},
        ChangeCase{"ElementPropertiesFontSize",
                   [] { scriptedUi().onWindow(u"TDlgKonfPrvku"_s, spinThen(u"edtFontSize"_s, 14, u"btnOK"_s)); },
                   [](DesignerWindowDialogs &fixture) {
                       fixture.clickOn(TOddilSestavy::Body, 0);
                       trigger(fixture.form(), u"ActionVlastnosti"_s);
                   },
                   u"nastavení prvku",
                   [](DesignerWindowDialogs &fixture) {
                       EXPECT_EQ(fixture.element(TOddilSestavy::Body, 0)->font.size, 14);
                       EXPECT_EQ(fixture.element(TOddilSestavy::Body, 0)->text, u"První"_s);
                   },
                   {}},
        ChangeCase{"DoubleClickOpensTheElementsProperties",
                   [] { scriptedUi().onWindow(u"TDlgKonfPrvku"_s, spinThen(u"edtWidth"_s, 150, u"btnOK"_s)); },
                   [](DesignerWindowDialogs &fixture) {
                       DesignerPaper &canvas = fixture.form().canvas();
                       const QPoint at = canvas.elementRect(fixture.element(TOddilSestavy::Body, 1)).center();
                       QTest::mouseDClick(&canvas, Qt::LeftButton, {}, at);
                   },
                   u"nastavení prvku",
                   [](DesignerWindowDialogs &fixture) {
                       TRastelReportElement *field = fixture.element(TOddilSestavy::Body, 1);
                       EXPECT_EQ(field->width, 150);
                       EXPECT_EQ(QPoint(field->left, field->top), QPoint(200, 40)) << "a double click moves nothing";
                       EXPECT_EQ(fixture.editor().selection(), QList<TRastelReportElement *>{field});
                   },
                   {}},
        ChangeCase{"NewTemplateDesignedFromAChosenField",
                   newTemplateThen(u"btnNavrhnout"_s),
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionNova"_s); },
                   u"nastavení oddílů a skupin",
                   [](DesignerWindowDialogs &fixture) {
                       const QList<TRastelReportElement *> body = fixture.editor().elements(TOddilSestavy::Body);
                       const auto fields = std::count_if(body.cbegin(), body.cend(), [](const auto *e) {
                           return e->kind == ElementKind::Field && e->reference == DataFixture::Castka;
                       });
                       EXPECT_EQ(fields, 1);
                       EXPECT_TRUE(std::none_of(body.cbegin(), body.cend(), [](const auto *e) {
                           return e->kind == ElementKind::GraphicText;
                       })) << "the old elements are gone";
                       // The wizard's paper (A4, preselected) came with the template.
                       EXPECT_EQ(pageSetup().paperHeight, 1169);
                   },
                   {{MessageKind::Confirmation, NewQuestion, u"Potvrzení"_s}}},
        ChangeCase{"NewTemplateRucneEmpty",
                   newTemplateThen(u"btnRucne"_s),
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionNova"_s); },
                   u"nastavení oddílů a skupin",
                   [](DesignerWindowDialogs &fixture) {
                       EXPECT_EQ(elementCount(fixture.model(), TOddilSestavy::Body), 0);
                       EXPECT_EQ(elementCount(fixture.model(), TOddilSestavy::PageHeader), 0);
                       EXPECT_EQ(fixture.model().functions().count(), 0);
                   },
                   {{MessageKind::Confirmation, NewQuestion, u"Potvrzení"_s}}},
        ChangeCase{"AddFunctionExpression",
                   [] { scriptedUi().onWindow(u"TFunkceDlg"_s, expressionThen(u"Castka*2"_s, u"btnOK"_s)); },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionPridatFunkci"_s); },
                   u"přidání funkce",
                   [](DesignerWindowDialogs &fixture) {
                       ASSERT_EQ(fixture.model().functions().count(), 3);
                       // Under the default name the dialog offered.
                       EXPECT_EQ(fixture.model().functions().at(2).name, u"Funkce3"_s);
                       EXPECT_EQ(fixture.model().functions().at(2).expression, u"Castka*2"_s);
                   },
                   {}},
        ChangeCase{"EditFunctionOfTheSelectedElement",
                   [] {
                       scriptedUi().onWindow(u"TDlgVyberFunkce"_s, pickFunction(1, u"btnOK"_s));
                       scriptedUi().onWindow(u"TFunkceDlg"_s, expressionThen(u"Pocet+1"_s, u"btnOK"_s));
                   },
                   [](DesignerWindowDialogs &fixture) {
                       fixture.clickOn(TOddilSestavy::PageHeader, 0);
                       trigger(fixture.form(), u"ActionOpravitFunkci"_s);
                   },
                   u"oprava funkce",
                   [](DesignerWindowDialogs &fixture) {
                       EXPECT_EQ(fixture.model().functions().at(1).name, u"Pocet"_s);
                       EXPECT_EQ(fixture.model().functions().at(1).expression, u"Pocet+1"_s);
                       EXPECT_EQ(fixture.model().functions().at(0).expression, u"Castka"_s);
                   },
                   {}},
        ChangeCase{"DeleteFunctionChosenFromTheList",
                   [] {
                       scriptedUi().onWindow(u"TDlgVyberFunkce"_s, pickFunction(0, u"btnOK"_s));
                       scriptedUi().answer(MessageAnswer::Yes);
                   },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionSmazatFunkci"_s); },
                   u"zrušení funkce",
                   [](DesignerWindowDialogs &fixture) {
                       ASSERT_EQ(fixture.model().functions().count(), 1);
                       EXPECT_EQ(fixture.model().functions().at(0).name, u"Pocet"_s);
                       // The element of the function that is left follows it.
                       EXPECT_EQ(fixture.element(TOddilSestavy::PageHeader, 0)->reference, 0);
                   },
                   {{MessageKind::Confirmation, DeleteFunctionQuestion, u"Potvrzení"_s}}}),
    TestSupport::rowName);

// ------------------------------------------------------------ Storno: nothing changes

struct CancelCase
{
    const char *name;
    std::function<void()> script;
    std::function<void(DesignerWindowDialogs &)> start;
    QList<ScriptedUi::ExpectedMessage> messages;
};

void PrintTo(const CancelCase &row, std::ostream *os)
{
    *os << row.name;
}

class DesignerDialogCancel : public DesignerWindowDialogs, public testing::WithParamInterface<CancelCase>
{
};

TEST_P(DesignerDialogCancel, LeavesTheTemplateTheUndoListAndTheIniFileAlone)
{
    const CancelCase &row = GetParam();
    // A step taken before, which the cancelled dialog must leave as the last one.
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::PageHeader, 50));
    const TPredloha before = model().writeTemplate();
    const PageSetup page = pageSetup();
    const QByteArray ini = iniBytes();
    row.script();
    row.start(*this);

    EXPECT_EQ(model().writeTemplate(), before);
    EXPECT_EQ(pageSetup(), page);
    EXPECT_EQ(editor().undoCount(), 1);
    EXPECT_EQ(editor().undoName(), u"změna výšky oddílu"_s);
    EXPECT_EQ(editor().environment(), m_env);
    EXPECT_EQ(iniBytes(), ini);
    EXPECT_TRUE(scriptedUi().shown(row.messages));
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DesignerDialogCancel,
    testing::Values(
        CancelCase{"ReportSettings",
                   [] { scriptedUi().onWindow(u"TSestDlg"_s, spinThen(u"seOddilTelo"_s, 55, u"btnStorno"_s)); },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionNastaveni"_s); },
                   {}},
        CancelCase{"Environment",
                   [] { scriptedUi().onWindow(u"TSestKonfigDlg"_s, spinThen(u"seRastrX"_s, 25, u"btnStorno"_s)); },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionProstredi"_s); },
                   {}},
        CancelCase{"ElementProperties",
                   [] { scriptedUi().onWindow(u"TDlgKonfPrvku"_s, spinThen(u"edtFontSize"_s, 14, u"btnStorno"_s)); },
                   [](DesignerWindowDialogs &fixture) {
                       fixture.clickOn(TOddilSestavy::Body, 0);
                       trigger(fixture.form(), u"ActionVlastnosti"_s);
                   },
                   {}},
        CancelCase{"ElementPropertiesOkWithoutAChange",
                   [] { scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) { click(w, u"btnOK"_s); }); },
                   [](DesignerWindowDialogs &fixture) {
                       fixture.clickOn(TOddilSestavy::Body, 1);
                       trigger(fixture.form(), u"ActionVlastnosti"_s);
                   },
                   {}},
        CancelCase{"NewTemplateQuestionAnsweredNo",
                   [] { scriptedUi().answer(MessageAnswer::No); },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionNova"_s); },
                   {{MessageKind::Confirmation, NewQuestion, u"Potvrzení"_s}}},
        CancelCase{"NewTemplateWizardStorno",
                   newTemplateThen(u"btnStorno"_s),
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionNova"_s); },
                   {{MessageKind::Confirmation, NewQuestion, u"Potvrzení"_s}}},
        CancelCase{"AddFunction",
                   [] { scriptedUi().onWindow(u"TFunkceDlg"_s, expressionThen(u"Castka*2"_s, u"btnStorno"_s)); },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionPridatFunkci"_s); },
                   {}},
        CancelCase{"EditFunctionListStorno",
                   [] { scriptedUi().onWindow(u"TDlgVyberFunkce"_s, pickFunction(0, u"btnStorno"_s)); },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionOpravitFunkci"_s); },
                   {}},
        CancelCase{"EditFunctionDialogStorno",
                   [] {
                       scriptedUi().onWindow(u"TDlgVyberFunkce"_s, pickFunction(0, u"btnOK"_s));
                       scriptedUi().onWindow(u"TFunkceDlg"_s, expressionThen(u"Castka*2"_s, u"btnStorno"_s));
                   },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionOpravitFunkci"_s); },
                   {}},
        CancelCase{"DeleteFunctionAnsweredNo",
                   [] {
                       scriptedUi().onWindow(u"TDlgVyberFunkce"_s, pickFunction(0, u"btnOK"_s));
                       scriptedUi().answer(MessageAnswer::No);
                   },
                   [](DesignerWindowDialogs &fixture) { trigger(fixture.form(), u"ActionSmazatFunkci"_s); },
                   {{MessageKind::Confirmation, DeleteFunctionQuestion, u"Potvrzení"_s}}}),
    TestSupport::rowName);

// ------------------------------------------------------------ environment

TEST_F(DesignerWindowDialogs, EnvironmentOkWritesTheIniFileAndTheDesignerTakesIt)
{
    scriptedUi().onWindow(u"TSestKonfigDlg"_s, [](QDialog &w) {
        EXPECT_EQ(child<QSpinBox>(w, u"seRastrX"_s)->value(), 10) << "the ini file's grid";
        setSpin(w, u"seRastrX"_s, 25);
        click(w, u"btnOK"_s);
    });
    trigger(form(), u"ActionProstredi"_s);
    EXPECT_EQ(DesignerSettings::load(m_report.iniFilePath()).gridX, 25);
    EXPECT_EQ(editor().environment().gridX, 25);
    EXPECT_EQ(editor().gridStep(), QSize(25, 10));
    // Not a change of the template: no step, nothing to save.
    EXPECT_FALSE(editor().canUndo());
    EXPECT_FALSE(editor().isModified());

    // The next move lands on the new grid: 20 + 25 snaps to 50 (30 on the old one).
    editor().select(element(TOddilSestavy::Body, 0));
    QTest::keyClick(&form().canvas(), Qt::Key_Right);
    EXPECT_EQ(element(TOddilSestavy::Body, 0)->left, 50);
}

TEST_F(DesignerWindowDialogs, EnvironmentShowTreeShowsTheElementTreeAtOnce)
{
    auto *tree = child<QWidget>(form(), u"TreePrvky"_s);
    ASSERT_TRUE(tree);
    EXPECT_FALSE(tree->isVisible());
    scriptedUi().onWindow(u"TSestKonfigDlg"_s, [](QDialog &w) {
        check(w, u"chbShowTree"_s, true);
        click(w, u"btnOK"_s);
    });
    trigger(form(), u"ActionProstredi"_s);
    EXPECT_TRUE(DesignerSettings::load(m_report.iniFilePath()).showTree);
    EXPECT_TRUE(tree->isVisible());
}

TEST_F(DesignerWindowDialogs, EnvironmentWithoutAnIniFileHoldsForTheOpenDesigner)
{
    m_report.setIniFileName(QString());
    scriptedUi().onWindow(u"TSestKonfigDlg"_s, [](QDialog &w) {
        EXPECT_EQ(child<QSpinBox>(w, u"seRastrX"_s)->value(), 10) << "the designer's own environment";
        setSpin(w, u"sePocetUndo"_s, 1);
        click(w, u"btnOK"_s);
    });
    trigger(form(), u"ActionProstredi"_s);
    EXPECT_EQ(editor().environment().undoLimit, 1);
    EXPECT_TRUE(scriptedUi().shown({})) << "no file to fail writing";
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 60));
    ASSERT_TRUE(editor().setSectionHeight(TOddilSestavy::Body, 70));
    EXPECT_EQ(editor().undoCount(), 1);
}

// ------------------------------------------------------------ menus and enabling

TEST_F(DesignerWindowDialogs, TheDialogsSitInTheMenus)
{
    // "Předloha": the new template first, the settings before "Konec oprav".
    const QStringList file = menuTexts(action(form(), u"ActionKonec"_s));
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(file.first(), u"Nová předloha..."_s);
    const qsizetype konec = file.indexOf(u"Konec oprav"_s);
    const qsizetype settings = file.indexOf(u"Nastavení předlohy..."_s);
    EXPECT_GT(settings, file.indexOf(u"Uložit předlohu jako..."_s));
    EXPECT_EQ(file.indexOf(u"Nastavení prostředí..."_s), settings + 1);
    EXPECT_LT(settings, konec);
    EXPECT_TRUE(menuTexts(action(form(), u"ActionZrusit"_s)).contains(u"Vlastnosti prvku..."_s));
    auto *functions = form().findChild<QMenu *>(u"MenuFunkce"_s);
    ASSERT_TRUE(functions);
    EXPECT_EQ(functions->title(), u"&Funkce"_s);
    EXPECT_EQ(menuTexts(action(form(), u"ActionPridatFunkci"_s)),
              (QStringList{u"Přidat funkci..."_s, u"Opravit funkci..."_s, u"Smazat funkci"_s}));
}

TEST_F(DesignerWindowDialogs, PropertiesNeedExactlyOneElementAndFunctionsAFunction)
{
    DesignerPaper &canvas = form().canvas();
    QAction *properties = action(form(), u"ActionVlastnosti"_s);
    EXPECT_FALSE(properties->isEnabled());
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, canvas.elementRect(element(TOddilSestavy::Body, 0)).center());
    EXPECT_TRUE(properties->isEnabled());
    QTest::mouseClick(&canvas, Qt::LeftButton, Qt::ShiftModifier,
                      canvas.elementRect(element(TOddilSestavy::Body, 1)).center());
    EXPECT_FALSE(properties->isEnabled()) << "two elements selected";

    QAction *edit = action(form(), u"ActionOpravitFunkci"_s);
    QAction *remove = action(form(), u"ActionSmazatFunkci"_s);
    EXPECT_TRUE(edit->isEnabled());
    for (int n = 0; n < 2; ++n) {
        scriptedUi().onWindow(u"TDlgVyberFunkce"_s, [](QDialog &w) { click(w, u"btnOK"_s); });
        scriptedUi().answer(MessageAnswer::Yes);
        trigger(form(), u"ActionSmazatFunkci"_s);
    }
    EXPECT_EQ(model().functions().count(), 0);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(action(form(), u"ActionPridatFunkci"_s)->isEnabled());
    trigger(form(), u"ActionZrusit"_s);
    EXPECT_TRUE(remove->isEnabled());
}

TEST_F(DesignerWindowDialogs, AFunctionNameTakenIsRefusedAndTheDialogStaysOpen)
{
    scriptedUi().onWindow(u"TFunkceDlg"_s, [](QDialog &w) {
        setText(w, u"edtNazev"_s, u"pocet"_s);
        click(w, u"btnOK"_s);
        EXPECT_TRUE(w.isVisible());
        setText(w, u"edtNazev"_s, u"Prumer"_s);
        click(w, u"btnOK"_s);
    });
    trigger(form(), u"ActionPridatFunkci"_s);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, u"Funkce s názvem pocet již v sestavě je."_s}}));
    ASSERT_EQ(model().functions().count(), 3);
    EXPECT_EQ(model().functions().at(2).name, u"Prumer"_s);
}

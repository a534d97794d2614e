// The expression editor of user functions, driven by its widgets' names.

#include "FakeReport.h"

#include "report/ui/designer/ExpressionEditor.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

ExpressionEditorSources sources()
{
    ExpressionEditorSources s;
    s.fieldNames = QStringList{u"Doklad"_s, u"Castka"_s};
    s.parameterCount = 2;
    s.groupCount = 2;
    s.functionNames = QStringList{u"Soucet"_s};
    return s;
}

QStringList itemTexts(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

class ExpressionEditor : public testing::Test
{
protected:
    void SetUp() override
    {
        m_report.addField(u"Doklad"_s, FakeReport::text(u"A"_s));
        m_report.addField(u"Castka"_s, FakeReport::number(12.5));
        m_report.functions.add().name = u"Soucet"_s;
    }

    QLineEdit *edit() { return child<QLineEdit>(m_editor, u"edtVyraz"_s); }
    QString position() { return child<QLabel>(m_editor, u"lblPozice"_s)->text(); }

    // Chooses an item of a list the way a click does, then "Vložit".
    void insertFrom(const QString &list, int row)
    {
        child<QListWidget>(m_editor, list)->setCurrentRow(row);
        click(m_editor, u"btnVlozit"_s);
    }

    FakeReport m_report;
    TSest_FnEditVyraz m_editor{sources()};
};

TEST_F(ExpressionEditor, ListsShowWhatTheReportOffers)
{
    EXPECT_EQ(m_editor.windowTitle(), u"Tvorba výrazu pro výpočet funkce"_s);
    EXPECT_EQ(itemTexts(child<QListWidget>(m_editor, u"lbPolozky"_s)),
              QStringList({u"#1   Doklad"_s, u"#2   Castka"_s}));
    EXPECT_EQ(itemTexts(child<QListWidget>(m_editor, u"lbParametry"_s)),
              QStringList({u"&1   Parametr 1"_s, u"&2   Parametr 2"_s}));
    EXPECT_EQ(itemTexts(child<QListWidget>(m_editor, u"lbPromenne"_s)),
              QStringList({u"%1   Datum tisku"_s, u"%2   Čas tisku"_s, u"%3   Číslo řádku"_s, u"%4   Číslo stránky"_s,
                           u"%6   Číslo ř. ve sk. 1"_s, u"%7   Číslo skupiny 1"_s, u"%8   Číslo ř. ve sk. 2"_s,
                           u"%9   Číslo skupiny 2"_s}));
    EXPECT_EQ(itemTexts(child<QListWidget>(m_editor, u"lbFunkce"_s)), QStringList{u"@1   Soucet"_s});
    EXPECT_EQ(itemTexts(child<QListWidget>(m_editor, u"lbMatematicke"_s)),
              QStringList({u"ABS"_s, u"INT"_s, u"SGN"_s, u"MAX"_s, u"MIN"_s, u"ROUND"_s, u"SIN"_s, u"COS"_s, u"TAN"_s,
                           u"COTG"_s, u"EXP"_s, u"LOG"_s, u"ASIN"_s, u"ACOS"_s, u"ATAN"_s, u"ACOTG"_s}));
    EXPECT_EQ(
        itemTexts(child<QListWidget>(m_editor, u"lbTextove"_s)),
        QStringList({u"LEFT"_s, u"RIGHT"_s, u"SUBSTR"_s, u"LENGTH"_s, u"POS"_s, u"UPPER"_s, u"LOWER"_s, u"LTRIM"_s,
                     u"RTRIM"_s, u"ALLTRIM"_s, u"FORMAT"_s, u"CHR"_s, u"ORD"_s, u"STRTONUM"_s, u"NUMTOSTR"_s}));
    EXPECT_EQ(itemTexts(child<QListWidget>(m_editor, u"lbDatumove"_s)),
              QStringList({u"FORMATDT"_s, u"YEAR"_s, u"MONTH"_s, u"DAY"_s, u"HOUR"_s, u"MINUTE"_s, u"SECUNDE"_s}));
    EXPECT_EQ(itemTexts(child<QListWidget>(m_editor, u"lbLogicke"_s)), QStringList({u"IIF"_s, u"ISNULL"_s}));
}

TEST(ExpressionEditorLists, ADetailReportHasNoPageNumber)
{
    ExpressionEditorSources detail;
    detail.detailReport = true;
    detail.groupCount = 1;
    TSest_FnEditVyraz editor(detail);
    EXPECT_EQ(itemTexts(child<QListWidget>(editor, u"lbPromenne"_s)),
              QStringList({u"%1   Datum tisku"_s, u"%2   Čas tisku"_s, u"%3   Číslo řádku"_s,
                           u"%6   Číslo ř. ve sk. 1"_s, u"%7   Číslo skupiny 1"_s}));
    EXPECT_EQ(child<QListWidget>(editor, u"lbPolozky"_s)->count(), 0);
}

TEST_F(ExpressionEditor, FieldsAndFunctionsGoInByNumberOrByName)
{
    m_editor.setExpression(u"1+"_s);
    insertFrom(u"lbPolozky"_s, 1);
    EXPECT_EQ(edit()->text(), u"1+#2"_s);
    child<QCheckBox>(m_editor, u"chckPodleNazvu"_s)->setChecked(true);
    click(m_editor, u"btnPlus"_s);
    insertFrom(u"lbPolozky"_s, 1);
    EXPECT_EQ(edit()->text(), u"1+#2+#Castka"_s);
    click(m_editor, u"btnMinus"_s);
    insertFrom(u"lbFunkce"_s, 0);
    EXPECT_EQ(edit()->text(), u"1+#2+#Castka-@Soucet"_s);
    // Parameters and variables have no names.
    click(m_editor, u"btnKrat"_s);
    insertFrom(u"lbParametry"_s, 1);
    click(m_editor, u"btnDeleno"_s);
    insertFrom(u"lbPromenne"_s, 4);
    EXPECT_EQ(edit()->text(), u"1+#2+#Castka-@Soucet*&2/%6"_s);
}

TEST_F(ExpressionEditor, ItemsGoInAtTheCaretReplacingTheSelection)
{
    m_editor.setExpression(u"1+2"_s);
    edit()->setCursorPosition(1);
    insertFrom(u"lbPolozky"_s, 0);
    EXPECT_EQ(edit()->text(), u"1#1+2"_s);
    edit()->setSelection(3, 2); // "+2"
    insertFrom(u"lbParametry"_s, 0);
    EXPECT_EQ(edit()->text(), u"1#1&1"_s);
    EXPECT_EQ(edit()->cursorPosition(), 5);
}

TEST_F(ExpressionEditor, FunctionsGoInWithTheirCommasAndTheCaretInside)
{
    insertFrom(u"lbTextove"_s, 2);
    EXPECT_EQ(edit()->text(), u"SUBSTR(,,)"_s);
    EXPECT_EQ(edit()->cursorPosition(), 7);
    EXPECT_EQ(position(), u"8"_s);
    insertFrom(u"lbMatematicke"_s, 0);
    EXPECT_EQ(edit()->text(), u"SUBSTR(ABS(),,)"_s);
    insertFrom(u"lbLogicke"_s, 0);
    EXPECT_EQ(edit()->text(), u"SUBSTR(ABS(IIF(,,)),,)"_s);
}

TEST_F(ExpressionEditor, DoubleClickInsertsToo)
{
    QListWidget *dates = child<QListWidget>(m_editor, u"lbDatumove"_s);
    Q_EMIT dates->itemDoubleClicked(dates->item(1));
    EXPECT_EQ(edit()->text(), u"YEAR()"_s);
}

TEST_F(ExpressionEditor, VlozitInsertsTheItemOfTheListLastUsed)
{
    child<QListWidget>(m_editor, u"lbPolozky"_s)->setCurrentRow(0);
    child<QListWidget>(m_editor, u"lbLogicke"_s)->setCurrentRow(1);
    EXPECT_EQ(child<QListWidget>(m_editor, u"lbPolozky"_s)->currentRow(), -1);
    click(m_editor, u"btnVlozit"_s);
    EXPECT_EQ(edit()->text(), u"ISNULL()"_s);
}

TEST_F(ExpressionEditor, VlozitWithoutAChosenItemDoesNothing)
{
    m_editor.setExpression(u"1"_s);
    click(m_editor, u"btnVlozit"_s);
    EXPECT_EQ(edit()->text(), u"1"_s);
}

TEST_F(ExpressionEditor, OperatorButtonsInsertTheirCaption)
{
    m_editor.setExpression(u"1"_s);
    for (const QString &button :
         {u"btnMensiRovno"_s, u"btnZavorkaL"_s, u"btnNerovno"_s, u"btnZavorkaP"_s, u"btnCarka"_s, u"btnMocnina"_s,
          u"btnRovno"_s, u"btnMensi"_s, u"btnVetsi"_s, u"btnVetsiRovno"_s})
        click(m_editor, button);
    EXPECT_EQ(edit()->text(), u"1<=(<>),^=<>>="_s);
}

TEST_F(ExpressionEditor, OperatorWordsStandApartAndInOpensAList)
{
    m_editor.setExpression(u"1"_s);
    click(m_editor, u"btnAnd"_s);
    click(m_editor, u"btnNot"_s);
    edit()->insert(u"#1"_s);
    click(m_editor, u"btnIn"_s);
    EXPECT_EQ(edit()->text(), u"1 AND  NOT #1 IN[]"_s);
    EXPECT_EQ(edit()->cursorPosition(), int(edit()->text().size()) - 1); // inside the brackets
    edit()->insert(u"'A'"_s);
    click(m_editor, u"btnCarka"_s);
    EXPECT_EQ(edit()->text(), u"1 AND  NOT #1 IN['A',]"_s);
    m_editor.setExpression(u"0"_s);
    click(m_editor, u"btnOr"_s);
    EXPECT_EQ(edit()->text(), u"0 OR "_s);
    EXPECT_EQ(evaluateExpression(edit()->text() + u'1').value.number, 1.0);
}

TEST_F(ExpressionEditor, KontrolaConfirmsAGoodExpression)
{
    m_editor.setExpression(u"#Castka*2 + @1"_s);
    click(m_editor, u"btnKontrola"_s);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Information);
    EXPECT_EQ(scriptedUi().messages().at(0).text, u"Výraz je v pořádku."_s);
    EXPECT_EQ(scriptedUi().messages().at(0).caption, u"Informace"_s);
}

struct CheckCase
{
    const char *name;
    QString expression;
    QString message;
    int caret;
};

class KontrolaErrors : public ExpressionEditor, public testing::WithParamInterface<CheckCase>
{
};

TEST_P(KontrolaErrors, ShowTheErrorAndPutTheCaretThere)
{
    const CheckCase &c = GetParam();
    m_editor.setExpression(c.expression);
    edit()->setCursorPosition(0);
    click(m_editor, u"btnKontrola"_s);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(scriptedUi().messages().at(0).text, c.message);
    EXPECT_EQ(scriptedUi().messages().at(0).caption, u"Chyba"_s);
    EXPECT_EQ(edit()->cursorPosition(), c.caret);
    EXPECT_EQ(position(), QString::number(c.caret + 1));
}

INSTANTIATE_TEST_SUITE_P(
    , KontrolaErrors,
    testing::Values(CheckCase{"UnknownField", u"1+#Neni"_s, u"Chyba : \"Neznámý název\" na pozici 3"_s, 2},
                    CheckCase{"ParenNotClosed", u"(1+2"_s, u"Chyba : \"Neuzavřená závorka\" na pozici 5"_s, 4},
                    CheckCase{"ArgumentCount", u"MAX(1)"_s, u"Chyba : \"Chybný počet argumentů\" na pozici 6"_s, 5},
                    CheckCase{"Comma", u"ABS(1,2)"_s, u"Chyba : \"Čárka na nepřípustném místě\" na pozici 6"_s, 5},
                    CheckCase{"Domain", u"5/0"_s, u"Chyba : \"Argument mimo definiční obor\" na pozici 4"_s, 3},
                    CheckCase{"Number", u"12a"_s, u"Chyba : \"Chybně zapsané číslo\" na pozici 3"_s, 2},
                    CheckCase{"Text", u"'abc"_s, u"Chyba : \"Neukončený text\" na pozici 5"_s, 4}),
    TestSupport::rowName);

TEST_F(ExpressionEditor, PoziceFollowsTheCaret)
{
    m_editor.setExpression(u"ABS(1)"_s);
    edit()->setCursorPosition(0);
    EXPECT_EQ(position(), u"1"_s);
    edit()->setCursorPosition(4);
    EXPECT_EQ(position(), u"5"_s);
}

TEST(ExpressionEditorWindow, OkReturnsTheEditedExpression)
{
    scriptedUi().onWindow(u"TSest_FnEditVyraz"_s, [](QDialog &w) {
        QListWidget *fields = child<QListWidget>(w, u"lbPolozky"_s);
        fields->setCurrentRow(1);
        click(w, u"btnVlozit"_s);
        click(w, u"btnOK"_s);
    });
    QString expression = u"2*"_s;
    EXPECT_EQ(TSest_FnEditVyraz::editExpression(sources(), expression), 0);
    EXPECT_EQ(expression, u"2*#2"_s);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TSest_FnEditVyraz"_s});
}

TEST(ExpressionEditorWindow, StornoKeepsTheExpression)
{
    scriptedUi().onWindow(u"TSest_FnEditVyraz"_s, [](QDialog &w) {
        child<QLineEdit>(w, u"edtVyraz"_s)->setText(u"zmena"_s);
        click(w, u"btnStorno"_s);
    });
    QString expression = u"#1"_s;
    EXPECT_EQ(TSest_FnEditVyraz::editExpression(sources(), expression), -1);
    EXPECT_EQ(expression, u"#1"_s);
}

} // namespace

// The report as the expression resolver and as the keeper of values during a
// run, over in-memory tables: references by data type, user functions over
// records with empty values, resets per group and page, the values elements
// take per record and the texts they show, the expression editor fed from a
// report.

#include "DataFixture.h"

#include "common/DayNumber.h"
#include "common/LocaleFormats.h"
#include "report/core/expr/IntegerFormat.h"
#include "report/ui/designer/ExpressionEditor.h"
#include "support/TestSupport.h"

#include <QLineEdit>

#include <limits>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

// ---------------------------------------------------------------- references through the report

struct ReferenceCase
{
    const char *name;
    QString expression;
    quint8 kind;
    double number;
    QString text;
    bool null = false;
    int error = 0;
};

class ReportReferences : public DataFixture, public testing::WithParamInterface<ReferenceCase>
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        const int row = m_table.append();
        m_table.setValue(row, Doklad, u"PK0042"_s);
        m_table.setValue(row, Castka, 12.5);
        m_table.setValue(row, Pocet, 7);
        m_table.setValue(row, Zaplaceno, true);
        m_table.setValue(row, Datum, QDateTime(QDate(2018, 3, 15), QTime(14, 30, 45)));
        m_table.setValue(row, Text, u"poznámka"_s);
        m_report.setParametry({u"Firma s.r.o."_s, u"12.5"_s, u"2,5"_s});
    }
};

TEST_P(ReportReferences, ReadTheCurrentRecord)
{
    const ReferenceCase &c = GetParam();
    CalcResult result;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    result = evaluateExpression(c.expression);
                                    return seOK;
                                }),
              seOK);
    ASSERT_EQ(result.error, c.error) << c.expression.toStdString();
    if (c.error != 0)
        return;
    EXPECT_EQ(result.value.kind, c.kind);
    EXPECT_DOUBLE_EQ(result.value.number, c.number);
    EXPECT_EQ(result.value.text, c.text);
    EXPECT_EQ(result.value.null, c.null);
}

INSTANTIATE_TEST_SUITE_P(
    , ReportReferences,
    testing::Values(ReferenceCase{"StringFieldIsText", u"#Doklad"_s, TCalcType::Text, 0, u"PK0042"_s},
                    ReferenceCase{"FloatFieldIsNumber", u"#Castka"_s, TCalcType::Number, 12.5, u"12,5"_s},
                    ReferenceCase{"FieldByNumber", u"#2"_s, TCalcType::Number, 12.5, u"12,5"_s},
                    ReferenceCase{"FieldNameWithoutRegardToCase", u"#CASTKA*2"_s, TCalcType::Number, 25, u"25"_s},
                    ReferenceCase{"IntegerFieldIsNumber", u"#Pocet"_s, TCalcType::Number, 7, u"7"_s},
                    ReferenceCase{"BooleanIsOther", u"#Zaplaceno"_s, TCalcType::Other, 1, u"ANO"_s},
                    ReferenceCase{"DateIsOtherWithItsDayNumber", u"#Datum"_s, TCalcType::Other, 43174.6046875,
                                  u"15.3.2018 14:30:45"_s},
                    ReferenceCase{"DateFunctionsReadTheDayNumber", u"HOUR(#Datum)"_s, TCalcType::Number, 14, u"14"_s},
                    ReferenceCase{"MemoIsOther", u"#Text"_s, TCalcType::Other, 0, u"poznámka"_s},
                    ReferenceCase{"EmptyFieldIsNull", u"#Skupina"_s, TCalcType::Text, 0, QString(), true},
                    ReferenceCase{"EmptyFieldMakesTheResultNull", u"#Skupina+'x'"_s, TCalcType::Text, 0, u"x"_s, true},
                    ReferenceCase{"ParameterIsText", u"&1"_s, TCalcType::Text, 0, u"Firma s.r.o."_s},
                    ReferenceCase{"ParameterWithPointReadAsStrToNum", u"&2*2"_s, TCalcType::Number, 25, u"25"_s},
                    ReferenceCase{"ParameterWithComma", u"&3*2"_s, TCalcType::Number, 5, u"5"_s},
                    ReferenceCase{"RowNumber", u"%3"_s, TCalcType::Number, 1, u"1"_s},
                    ReferenceCase{"UnknownFieldName", u"#Neni"_s, 0, 0, QString(), false, CalcError::UnknownName}),
    TestSupport::rowName);

TEST_F(DataFixture, ParametersReadInADecimalPointLocale)
{
    LocaleFormats formats = LocaleFormats::czech();
    formats.decimalSeparator = u'.';
    LocaleFormats::setCurrent(formats);
    m_report.setParametry({u"2,5"_s, u"1.25"_s});
    m_report.registerAsResolver();
    EXPECT_EQ(evaluateExpression(u"&1+&2"_s).value.number, 3.75);
}

// ---------------------------------------------------------------- user functions over records

struct AggregateCase
{
    const char *name;
    bool allowNullValues;
    std::vector<std::optional<double>> amounts;
    QStringList footer; // Soucet, Pocet, Prumer, Minimum, Hodnota
};

class ReportAggregates : public DataFixture, public testing::WithParamInterface<AggregateCase>
{
};

TEST_P(ReportAggregates, OverTheTable)
{
    const AggregateCase &c = GetParam();
    for (const auto &amount : c.amounts)
        addRecord(u"D"_s, amount);
    m_table.first();
    m_report.setAllowNullValues(c.allowNullValues);
    m_report.setPredloha(
        templateOf({function(0, u"Soucet"_s, TRadekFunkce::Sum, u"#Castka"_s),
                    function(1, u"Pocet"_s, TRadekFunkce::Count, u"#Castka"_s, 0, 0),
                    function(2, u"Prumer"_s, TRadekFunkce::Average, u"#Castka"_s),
                    function(3, u"Minimum"_s, TRadekFunkce::Minimum, u"#Castka"_s),
                    function(4, u"Hodnota"_s, TRadekFunkce::None, u"#Castka"_s), element(u"K"_s, 6, u"Soucet"_s),
                    element(u"K"_s, 6, u"Pocet"_s), element(u"K"_s, 6, u"Prumer"_s), element(u"K"_s, 6, u"Minimum"_s),
                    element(u"K"_s, 6, u"Hodnota"_s)}));
    ASSERT_EQ(run(), seOK);
    QStringList footer;
    for (int i = 0; i < 5; ++i)
        footer.append(shown(TOddilSestavy::ReportFooter, i));
    EXPECT_EQ(footer, c.footer);
}

INSTANTIATE_TEST_SUITE_P(, ReportAggregates,
                         testing::Values(AggregateCase{"EmptyCountsAsZero",
                                                       false,
                                                       {1.0, std::nullopt, 2.0},
                                                       {u"3,00"_s, u"3"_s, u"1,00"_s, u"0,00"_s, u"2,00"_s}},
                                         AggregateCase{"AllowNullValuesSkipsEmpty",
                                                       true,
                                                       {1.0, std::nullopt, 2.0},
                                                       {u"3,00"_s, u"2"_s, u"1,50"_s, u"1,00"_s, u"2,00"_s}},
                                         AggregateCase{"AnEmptyResultPrintsZero",
                                                       false,
                                                       {1.0, 2.0, std::nullopt},
                                                       {u"3,00"_s, u"3"_s, u"1,00"_s, u"0,00"_s, u"0,00"_s}},
                                         AggregateCase{"AnEmptyResultPrintsNothingWithAllowNullValues",
                                                       true,
                                                       {1.0, 2.0, std::nullopt},
                                                       {u"3,00"_s, u"2"_s, u"1,50"_s, u"1,00"_s, QString()}},
                                         AggregateCase{"AnEmptyDataSetComputesOnceOverEmptyValues",
                                                       false,
                                                       {},
                                                       {u"0,00"_s, u"1"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s}}),
                         TestSupport::rowName);

TEST_F(DataFixture, FunctionsAreComputedPerRecordWithTheEventAfter)
{
    addRecords(3);
    m_report.setPredloha(templateOf({function(0, u"Soucet"_s, TRadekFunkce::Sum, u"#Castka"_s),
                                     function(1, u"Dvojnasobek"_s, TRadekFunkce::None, u"@Soucet*2"_s),
                                     element(u"T"_s, 6, u"Dvojnasobek"_s)}));
    QStringList seenByEvent;
    m_report.OnVypoctiFunkce = [&seenByEvent](TSestavaTyp *sender) {
        seenByEvent.append(sender->functions().displayText(0));
    };
    ASSERT_EQ(run(), seOK);
    EXPECT_EQ(seenByEvent, (QStringList{u"1,00"_s, u"3,00"_s, u"6,00"_s}));
    EXPECT_EQ(m_bodies, (QStringList{u"2,00"_s, u"6,00"_s, u"12,00"_s}));
}

// The record step of a layout with one group on Skupina: a changed group
// lays out its footer, then asks for the reset, then the record's values
// are computed and the new group's header follows.
TEST_F(DataFixture, AGroupAverageShowsTheGroupsValueInItsFooterAndRestarts)
{
    addRecord(u"D1"_s, 1, u"A"_s);
    addRecord(u"D2"_s, 3, u"A"_s);
    addRecord(u"D3"_s, 10, u"B"_s);
    addRecord(u"D4"_s, 20, u"B"_s);
    addRecord(u"D5"_s, 30, u"B"_s);
    m_table.first();
    m_report.setPredloha(
        templateOf({u"I,4,0,Skupina,1,20,1,20,0"_s, function(0, u"Prumer"_s, TRadekFunkce::Average, u"#Castka"_s, 2),
                    function(1, u"Celkem"_s, TRadekFunkce::Sum, u"#Castka"_s, 0), element(u"S0"_s, 2, u"Skupina"_s),
                    element(u"U0"_s, 6, u"Prumer"_s), element(u"U0"_s, 6, u"Celkem"_s)}));
    const int header = TOddilSestavy::groupHeaderId(0);
    const int footer = TOddilSestavy::groupFooterId(0);
    QStringList headers, footers;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    TPolSkup &group = m_report.groups().at(0);
                                    RecordLoop loop(m_report);
                                    loop.start();
                                    m_report.startFunctions();
                                    m_report.refreshValues(TSestavaTyp::Refresh::Start);
                                    group.lastValue = m_report.fieldDisplayText(group.fieldIndex);
                                    headers.append(shown(header));
                                    while (loop.next()) {
                                        const QString value = m_report.fieldDisplayText(group.fieldIndex);
                                        const bool changed = value != group.lastValue;
                                        if (changed) {
                                            footers.append(shown(footer, 0) + u" / "_s + shown(footer, 1));
                                            m_report.requestGroupReset(0);
                                        }
                                        group.lastValue = value;
                                        m_report.refreshValues(TSestavaTyp::Refresh::Record);
                                        if (changed)
                                            headers.append(shown(header));
                                    }
                                    footers.append(shown(footer, 0) + u" / "_s + shown(footer, 1));
                                    return seOK;
                                }),
              seOK);
    EXPECT_EQ(headers, (QStringList{u"A"_s, u"B"_s}));
    EXPECT_EQ(footers, (QStringList{u"2,00 / 4,00"_s, u"20,00 / 64,00"_s}));
}

TEST_F(DataFixture, ResetRequestsMarkOnlyTheirFunctions)
{
    m_report.setPredloha(
        templateOf({function(0, u"Sestava"_s, 2, u"1"_s, 0), function(1, u"Strana"_s, 2, u"1"_s, 1),
                    function(2, u"Skupina1"_s, 2, u"1"_s, 2), function(3, u"Skupina2"_s, 2, u"1"_s, 3)}));
    auto pending = [this] {
        std::vector<bool> marks;
        for (int i = 0; i < m_report.functions().count(); ++i)
            marks.push_back(m_report.functions().at(i).resetPending);
        return marks;
    };
    m_report.requestPageReset();
    EXPECT_EQ(pending(), (std::vector<bool>{false, true, false, false}));
    m_report.computeFunctions();
    m_report.requestGroupReset(1);
    EXPECT_EQ(pending(), (std::vector<bool>{false, false, false, true}));
    m_report.setAllowNullValues(true);
    m_report.startFunctions();
    EXPECT_EQ(pending(), (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(m_report.functions().at(2).skipNulls);
}

// ---------------------------------------------------------------- values per record

TEST_F(DataFixture, HeaderValuesAreTakenAtTheStartAndFooterValuesAtTheEnd)
{
    addRecords(3);
    m_report.setPredloha(templateOf({element(u"Z"_s, 2, u"Doklad"_s), element(u"H"_s, 2, u"Doklad"_s),
                                     element(u"T"_s, 2, u"Doklad"_s), element(u"K"_s, 2, u"Doklad"_s)}));
    QStringList duringWalk;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    return walk(m_report, [&] {
                                        duringWalk.append(shown(TOddilSestavy::ReportHeader) + u'|' +
                                                          shown(TOddilSestavy::PageHeader) + u'|' +
                                                          shown(TOddilSestavy::Body) + u'|' +
                                                          shown(TOddilSestavy::ReportFooter));
                                    });
                                }),
              seOK);
    EXPECT_EQ(duringWalk, (QStringList{u"D001|D001|D001|"_s, u"D001|D002|D002|"_s, u"D001|D003|D003|"_s}));
    EXPECT_EQ(shown(TOddilSestavy::ReportFooter), u"D003"_s);
}

TEST_F(DataFixture, AMemoElementTakesTheMemoTextAndEmptyFieldsTheirNullFlag)
{
    const int row = m_table.append();
    m_table.setValue(row, Text, u"Agenda: Firma\r\nRok: 2024\0"_s);
    m_report.setPredloha(templateOf({element(u"T"_s, 2, u"Text"_s), element(u"T"_s, 2, u"Castka"_s)}));
    ASSERT_EQ(run(), seOK);
    EXPECT_EQ(m_bodies, QStringList{u"Agenda: Firma\r\nRok: 2024"_s});
    const TCalcType &empty = m_report.sections().find(TOddilSestavy::Body)->at(1).value;
    EXPECT_TRUE(empty.null);
    EXPECT_EQ(empty.number, 0.0);
    EXPECT_EQ(empty.kind, TCalcType::Number);
}

// ---------------------------------------------------------------- what elements show

struct ShownCase
{
    const char *name;
    QString record;
    QString shown;
};

class ElementTexts : public DataFixture, public testing::WithParamInterface<ShownCase>
{
};

TEST_P(ElementTexts, ForTheCurrentRecord)
{
    addRecords(1);
    m_report.setParametry({u"Firma s.r.o."_s, u"12.5"_s});
    m_report.setPredloha(templateOf({u"F,0,Soucet,\"\",0,\"0\",0,\"1234.5\",0,15,2,3"_s, GetParam().record}));
    QString text;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    m_report.setPrintTimestamp(
                                        DayNumber::fromDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))));
                                    m_report.setPageNumber(3);
                                    m_report.setRowNumber(7);
                                    walk(m_report, [] {});
                                    text = shown(TOddilSestavy::Body);
                                    return seOK;
                                }),
              seOK);
    EXPECT_EQ(text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    , ElementTexts,
    testing::Values(
        ShownCase{"LiteralText", DataFixture::element(u"T"_s, 1, u"0"_s, u"Celkem:"_s), u"Celkem:"_s},
        ShownCase{"FieldValue", DataFixture::element(u"T"_s, 2, u"Castka"_s), u"1"_s},
        ShownCase{"FieldLabelByName", DataFixture::element(u"T"_s, 3, u"Castka"_s), u"Částka"_s},
        ShownCase{"FieldLabelByNumber", DataFixture::element(u"T"_s, 3, u"0"_s), u"Číslo dokladu"_s},
        ShownCase{"Parameter", DataFixture::element(u"T"_s, 4, u"1"_s), u"12.5"_s},
        ShownCase{"ParameterOutsideTheList", DataFixture::element(u"T"_s, 4, u"5"_s), QString()},
        ShownCase{"PageNumber", DataFixture::element(u"T"_s, 5, u"3"_s), u"3"_s},
        ShownCase{"PageNumberThroughAFormat", DataFixture::element(u"T"_s, 5, u"3"_s, u"Strana %d"_s), u"Strana 3"_s},
        ShownCase{"RowNumberWithAWidth", DataFixture::element(u"T"_s, 5, u"2"_s, u"%3d."_s), u"  7."_s},
        ShownCase{"AFormatForTextCannotShowANumber", DataFixture::element(u"T"_s, 5, u"3"_s, u"%s"_s), u"????"_s},
        ShownCase{"PrintDate", DataFixture::element(u"T"_s, 5, u"0"_s), u"5.3.2024"_s},
        ShownCase{"PrintDateThroughAPicture", DataFixture::element(u"T"_s, 5, u"0"_s, u"dd.mm.yyyy"_s),
                  u"05.03.2024"_s},
        ShownCase{"PrintTimeThroughAPicture", DataFixture::element(u"T"_s, 5, u"1"_s, u"hh:nn"_s), u"14:07"_s},
        ShownCase{"UserFunctionInItsFormat", DataFixture::element(u"T"_s, 6, u"Soucet"_s), u"1\u00A0234,50"_s},
        ShownCase{"UserFunctionOutsideTheList", DataFixture::element(u"T"_s, 6, u"4"_s), u"????"_s},
        ShownCase{"GraphicKindShowsNoText", u"T,8,0,0,0,30,30,,1,9,0,0,15,7"_s, QString()}),
    TestSupport::rowName);

// ---------------------------------------------------------------- integer formats

struct IntegerFormatCase
{
    const char *name;
    QString format;
    qint64 value;
    std::optional<QString> text;
};

class IntegerFormats : public testing::TestWithParam<IntegerFormatCase>
{
};

TEST_P(IntegerFormats, Fill)
{
    EXPECT_EQ(IntegerFormat::format(GetParam().format, GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(, IntegerFormats,
                         testing::Values(IntegerFormatCase{"Plain", u"Strana %d"_s, 12, u"Strana 12"_s},
                                         IntegerFormatCase{"NoPlaceholder", u"Strana"_s, 12, u"Strana"_s},
                                         IntegerFormatCase{"UpperCaseType", u"%D. řádek"_s, 3, u"3. řádek"_s},
                                         IntegerFormatCase{"Width", u"[%4d]"_s, 42, u"[  42]"_s},
                                         IntegerFormatCase{"LeftJustified", u"[%-4d]"_s, 42, u"[42  ]"_s},
                                         IntegerFormatCase{"Digits", u"%.3d"_s, 7, u"007"_s},
                                         IntegerFormatCase{"NegativeDigits", u"%.3d"_s, -7, u"-007"_s},
                                         IntegerFormatCase{"Unsigned", u"%u"_s, 9, u"9"_s},
                                         IntegerFormatCase{"Hexadecimal", u"%x"_s, 255, u"FF"_s},
                                         IntegerFormatCase{"Percent", u"%d %%"_s, 50, u"50 %"_s},
                                         IntegerFormatCase{"ArgumentIndexZero", u"%0:d/%0:d"_s, 2, u"2/2"_s},
                                         IntegerFormatCase{"ArgumentIndexOne", u"%1:d"_s, 2, std::nullopt},
                                         IntegerFormatCase{"SecondPlaceholder", u"%d z %d"_s, 2, std::nullopt},
                                         IntegerFormatCase{"TextType", u"%s"_s, 2, std::nullopt},
                                         IntegerFormatCase{"FloatType", u"%f"_s, 2, std::nullopt},
                                         IntegerFormatCase{"StarWidth", u"%*d"_s, 2, std::nullopt},
                                         IntegerFormatCase{"PercentAtTheEnd", u"100%"_s, 2, std::nullopt},
                                         IntegerFormatCase{"SmallestNumber", u"%d"_s,
                                                           std::numeric_limits<qint64>::min(),
                                                           u"-9223372036854775808"_s}),
                         TestSupport::rowName);

// ---------------------------------------------------------------- the resolver

TEST_F(DataFixture, AReportThatGoesAwayIsNoLongerAsked)
{
    {
        TSestava other;
        other.registerAsResolver();
        EXPECT_EQ(calcResolver(), static_cast<CalcResolver *>(&other));
    }
    EXPECT_EQ(calcResolver(), nullptr);
    m_report.registerAsResolver();
    {
        TSestava other; // never registered
    }
    EXPECT_EQ(calcResolver(), static_cast<CalcResolver *>(&m_report));
}

TEST_F(DataFixture, ADetailComputesAgainstItsOwnFieldsAndTheMasterAnswersAfter)
{
    addRecords(2);
    TSestDetail detail;
    MemTable items{u"mtPolozky"_s};
    items.addField(u"Mnozstvi"_s, FieldType::Float);
    items.setValue(items.append(), 0, 4.0);
    MemTableDataSet itemSet{&items};
    ReportDataSource itemSource{&itemSet};
    detail.setDataSource(&itemSource);
    detail.setMasterSestava(&m_report);
    m_report.setPredloha(templateOf({u"D0,F,0,Dvakrat,\"\",0,\"0\",0,\"#1*2\",0,15,2,2"_s}));
    int computed = 0;
    detail.OnVypoctiFunkce = [&computed](TSestavaTyp *) { ++computed; };
    double inDetail = 0;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    detail.computeFunctions();
                                    inDetail = detail.functions().at(0).result.number;
                                    return seOK;
                                }),
              seOK);
    EXPECT_EQ(inDetail, 8.0);
    EXPECT_EQ(computed, 1);
    EXPECT_EQ(calcResolver(), static_cast<CalcResolver *>(&m_report));
    EXPECT_EQ(evaluateExpression(u"#1"_s).value.text, u"D001"_s);
}

// ---------------------------------------------------------------- the expression editor

TEST_F(DataFixture, TheEditorOffersWhatTheReportHas)
{
    m_report.setParametry({u"a"_s, u"b"_s});
    m_report.setPredloha(templateOf({u"I,4,0,Skupina,1,20,1,20,0"_s, function(0, u"Soucet"_s, 2, u"#Castka"_s),
                                     function(1, u"Pocet"_s, 1, u"1"_s)}));
    m_report.collectFields();
    const ExpressionEditorSources sources = expressionEditorSources(m_report);
    EXPECT_EQ(sources.fieldNames, m_report.fieldNames());
    EXPECT_EQ(sources.fieldNames.size(), 7);
    EXPECT_EQ(sources.fieldNames.value(1), u"Castka"_s);
    EXPECT_EQ(sources.parameterCount, 2);
    EXPECT_EQ(sources.groupCount, 1);
    EXPECT_FALSE(sources.detailReport);
    EXPECT_EQ(sources.functionNames, (QStringList{u"Soucet"_s, u"Pocet"_s}));
    TSestDetail detail;
    EXPECT_TRUE(expressionEditorSources(detail).detailReport);
}

struct EditorCheckCase
{
    const char *name;
    QString expression;
    QString message;
    int caret;
};

class EditorCheck : public DataFixture, public testing::WithParamInterface<EditorCheckCase>
{
};

TEST_P(EditorCheck, EvaluatesAgainstTheReport)
{
    addRecords(1);
    m_report.collectFields();
    int caret = -1;
    const QString typed = GetParam().expression;
    scriptedUi().onWindow(u"TSest_FnEditVyraz"_s, [&caret, typed](QDialog &w) {
        child<QLineEdit>(w, u"edtVyraz"_s)->setText(typed);
        click(w, u"btnKontrola"_s);
        caret = child<QLineEdit>(w, u"edtVyraz"_s)->cursorPosition();
        click(w, u"btnOK"_s);
    });
    QString expression;
    EXPECT_EQ(TSest_FnEditVyraz::editExpression(m_report, expression), 0);
    EXPECT_EQ(expression, GetParam().expression);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{GetParam().message});
    EXPECT_EQ(caret, GetParam().caret);
    EXPECT_EQ(calcResolver(), static_cast<CalcResolver *>(&m_report));
}

INSTANTIATE_TEST_SUITE_P(
    , EditorCheck,
    testing::Values(EditorCheckCase{"FieldOfTheTable", u"#Castka*2"_s, u"Výraz je v pořádku."_s, 9},
                    EditorCheckCase{"UnknownField", u"2*#Neni"_s, u"Chyba : \"Neznámý název\" na pozici 3"_s, 2}),
    TestSupport::rowName);

} // namespace

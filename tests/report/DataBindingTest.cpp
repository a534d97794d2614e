// Data binding over real in-memory tables: what the dataset and the bridge
// answer per field type, the data check with its messages, the record loop
// (MaxRecords, TiskJedenZaznam, an empty dataset), the position and the
// controls around a run, event-driven data and unreadable fields.

#include "DataFixture.h"

#include "common/DayNumber.h"
#include "report/core/data/DataBridge.h"
#include "support/TestSupport.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

const QString kBody = DataFixture::element(u"T"_s, 2, u"Doklad"_s);

// ---------------------------------------------------------------- the dataset's fields

struct FieldCase
{
    const char *name;
    int field;
    int dataType;
    int alignment;
    int width;
    QString label;
};

class DataSetFields : public DataFixture, public testing::WithParamInterface<FieldCase>
{
};

TEST_P(DataSetFields, DescribeTheTableField)
{
    const FieldCase &c = GetParam();
    EXPECT_EQ(m_dataSet.fieldDataType(c.field), c.dataType);
    EXPECT_EQ(m_dataSet.fieldAlignment(c.field), c.alignment);
    EXPECT_EQ(m_dataSet.fieldDisplayWidth(c.field), c.width);
    EXPECT_EQ(m_dataSet.fieldLabel(c.field), c.label);
}

INSTANTIATE_TEST_SUITE_P(
    , DataSetFields,
    testing::Values(FieldCase{"TextWithItsSizeAndLabel", DataFixture::Doklad, ftString, 0, 10, u"Číslo dokladu"_s},
                    FieldCase{"FloatToTheRight", DataFixture::Castka, ftFloat, 1, 10, u"Částka"_s},
                    FieldCase{"IntegerToTheRight", DataFixture::Pocet, ftInteger, 1, 10, u"Pocet"_s},
                    FieldCase{"Boolean", DataFixture::Zaplaceno, ftBoolean, 0, 10, u"Zaplaceno"_s},
                    FieldCase{"DateTime", DataFixture::Datum, ftDateTime, 0, 10, u"Datum"_s},
                    FieldCase{"Memo", DataFixture::Text, ftMemo, 0, 10, u"Text"_s},
                    FieldCase{"OutsideTheFields", 99, ftUnknown, 0, 10, QString()}),
    TestSupport::rowName);

// ---------------------------------------------------------------- values per field type

struct ValueCase
{
    const char *name;
    int field;
    QVariant stored; // invalid: an empty field
    QString display;
    double number;
    bool null;
    QString memo;
};

class BridgeValues : public DataFixture, public testing::WithParamInterface<ValueCase>
{
protected:
    TBridge m_bridge;
};

TEST_P(BridgeValues, ByDataType)
{
    const ValueCase &c = GetParam();
    m_table.setValue(m_table.append(), c.field, c.stored);
    m_bridge.setDataSource(&m_source);
    EXPECT_EQ(m_bridge.fieldDisplayText(c.field), c.display);
    EXPECT_DOUBLE_EQ(m_bridge.fieldNumber(c.field), c.number);
    EXPECT_EQ(m_bridge.fieldIsNull(c.field), c.null);
    EXPECT_EQ(m_bridge.fieldMemoText(c.field), c.memo);
    EXPECT_TRUE(m_bridge.fieldPicture(c.field).isNull());
}

const QDateTime kDatum(QDate(2018, 3, 15), QTime(14, 30, 45));

INSTANTIATE_TEST_SUITE_P(
    , BridgeValues,
    testing::Values(
        ValueCase{"TextReadAsStrToNumWithPoint", DataFixture::Doklad, u"1.5"_s, u"1.5"_s, 1.5, false, u"1.5"_s},
        ValueCase{"TextReadAsStrToNumWithComma", DataFixture::Doklad, u"-2,25"_s, u"-2,25"_s, -2.25, false, u"-2,25"_s},
        ValueCase{"TextThatIsNoNumber", DataFixture::Doklad, u"PK0042"_s, u"PK0042"_s, 0, false, u"PK0042"_s},
        ValueCase{"EmptyText", DataFixture::Doklad, QVariant(), QString(), 0, true, QString()},
        ValueCase{"Float", DataFixture::Castka, 12.5, u"12,5"_s, 12.5, false, u"12,5"_s},
        ValueCase{"EmptyFloatReadsAsZero", DataFixture::Castka, QVariant(), QString(), 0, true, QString()},
        ValueCase{"Integer", DataFixture::Pocet, 7, u"7"_s, 7, false, u"7"_s},
        ValueCase{"True", DataFixture::Zaplaceno, true, u"ANO"_s, 1, false, u"ANO"_s},
        ValueCase{"False", DataFixture::Zaplaceno, false, u"NE"_s, 0, false, u"NE"_s},
        ValueCase{"DateAsDayNumber", DataFixture::Datum, kDatum, u"15.3.2018 14:30:45"_s, 43174.6046875, false,
                  u"15.3.2018 14:30:45"_s},
        ValueCase{"MemoHasNoNumber", DataFixture::Text, u"12"_s, u"12"_s, 0, false, u"12"_s},
        ValueCase{"MemoTextEndsAtAZero", DataFixture::Text, u"Řádek 1\r\nŘádek 2\0zbytek"_s,
                  u"Řádek 1\r\nŘádek 2\0zbytek"_s, 0, false, u"Řádek 1\r\nŘádek 2"_s}),
    TestSupport::rowName);

TEST_F(DataFixture, BridgeWithoutADataSetAnswersTheDefaults)
{
    TBridge bridge;
    EXPECT_EQ(bridge.step(sdFirst), srBof | srEof);
    EXPECT_TRUE(bridge.fieldNames().isEmpty());
    EXPECT_EQ(bridge.fieldSize(0), 10);
    EXPECT_EQ(bridge.fieldDisplayText(0), QString());
    ReportDataSource empty;
    bridge.setDataSource(&empty);
    EXPECT_EQ(bridge.step(sdNext), srBof | srEof);
    EXPECT_FALSE(bridge.hasField(0));
}

TEST_F(DataFixture, StepsReportTheBeginningAndTheEnd)
{
    addRecords(3);
    TBridge bridge;
    bridge.setDataSource(&m_source);
    EXPECT_EQ(bridge.step(sdFirst), srBof);
    EXPECT_EQ(bridge.step(sdNext), srMiddle);
    EXPECT_EQ(bridge.step(sdNext), srMiddle);
    EXPECT_EQ(m_table.currentRow(), 2);
    EXPECT_EQ(bridge.step(sdNext), srEof);
    EXPECT_EQ(bridge.step(sdPrior), srMiddle);
    EXPECT_EQ(bridge.step(sdPrior), srMiddle);
    EXPECT_EQ(bridge.step(sdPrior), srBof);
    EXPECT_EQ(bridge.step(sdLast), srMiddle);
    EXPECT_EQ(m_table.currentRow(), 2);
    m_table.clear();
    EXPECT_EQ(bridge.step(sdFirst), srBof | srEof);
}

// ---------------------------------------------------------------- the data check

struct ShownMessage
{
    MessageKind kind;
    QString text;
};

struct CheckCase
{
    const char *name;
    // The report, its data source, the table's dataset, a dataset that cannot be opened.
    std::function<void(TSestava &, ReportDataSource &, MemTableDataSet &, MemTableDataSet &)> setUp;
    std::vector<MessageAnswer> answers;
    std::vector<ShownMessage> messages;
    int result;
    bool activeDuringRun; // the report's dataset, seen from the layout
    bool activeAfter;
};

class DataCheck : public DataFixture, public testing::WithParamInterface<CheckCase>
{
protected:
    MemTable m_noFields{u"mtPrazdna"_s}; // a table without fields does not open
    MemTableDataSet m_unopenable{&m_noFields};
};

TEST_P(DataCheck, Path)
{
    const CheckCase &c = GetParam();
    addRecords(2);
    m_report.setPredloha(templateOf({kBody}));
    c.setUp(m_report, m_source, m_dataSet, m_unopenable);
    for (const MessageAnswer answer : c.answers)
        scriptedUi().answer(answer);
    std::vector<int> errors;
    m_report.OnError = [&errors](TSestavaTyp *, TSestError error) {
        errors.push_back(error);
        return true;
    };
    std::optional<bool> activeDuringRun;
    const int result = m_report.withData(TSestava::Purpose::Run, [&] {
        activeDuringRun = m_dataSet.isActive();
        return walk(m_report, [this] { m_bodies.append(shown(TOddilSestavy::Body)); });
    });

    EXPECT_EQ(result, c.result);
    const QList<ScriptedUi::Message> &shown = scriptedUi().messages();
    ASSERT_EQ(size_t(shown.size()), c.messages.size());
    for (size_t i = 0; i < c.messages.size(); ++i) {
        EXPECT_EQ(shown.at(qsizetype(i)).kind, c.messages[i].kind);
        EXPECT_EQ(shown.at(qsizetype(i)).text, c.messages[i].text);
        // The report's errors are captioned "Chyba", its questions "Potvrzení".
        EXPECT_EQ(shown.at(qsizetype(i)).caption,
                  c.messages[i].kind == MessageKind::Error ? u"Chyba"_s : u"Potvrzení"_s);
    }
    if (c.result == seOK) {
        EXPECT_TRUE(errors.empty());
        ASSERT_TRUE(activeDuringRun.has_value());
        EXPECT_EQ(*activeDuringRun, c.activeDuringRun);
    } else {
        EXPECT_EQ(errors, std::vector<int>{c.result});
        EXPECT_FALSE(activeDuringRun.has_value()) << "nothing is laid out after a failed check";
        EXPECT_TRUE(m_bodies.isEmpty());
    }
    EXPECT_EQ(m_dataSet.isActive(), c.activeAfter);
}

const QString kNoSource = u"Není definován zdroj dat."_s;
const QString kNoDataSet = u"Ke zdroji dat není připojena žádná tabulka."_s;
const QString kClosed = u"Připojená tabulka není aktivní. Zkusit otevřít?"_s;
const QString kNotOpened = u"Připojenou tabulku se nepodařilo otevřít."_s;

INSTANTIATE_TEST_SUITE_P(
    , DataCheck,
    testing::Values(CheckCase{"OpenDataSetPasses", [](auto &, auto &, auto &, auto &) {}, {}, {}, seOK, true, true},
                    CheckCase{"NoDataSource",
                              [](TSestava &r, auto &, auto &, auto &) { r.setDataSource(nullptr); },
                              {},
                              {{MessageKind::Error, kNoSource}},
                              seDataOrNothing,
                              false,
                              true},
                    CheckCase{"NoDataSet",
                              [](auto &, ReportDataSource &s, auto &, auto &) { s.setDataSet(nullptr); },
                              {},
                              {{MessageKind::Error, kNoDataSet}},
                              seDataOrNothing,
                              false,
                              true},
                    CheckCase{"ClosedAnsweredNoEndsWithoutASecondMessage",
                              [](auto &, auto &, MemTableDataSet &d, auto &) { d.close(); },
                              {MessageAnswer::No},
                              {{MessageKind::Confirmation, kClosed}},
                              seDataOrNothing,
                              false,
                              false},
                    CheckCase{"ClosedAnsweredYesIsOpenedAndClosedAfter",
                              [](auto &, auto &, MemTableDataSet &d, auto &) { d.close(); },
                              {MessageAnswer::Yes},
                              {{MessageKind::Confirmation, kClosed}},
                              seOK,
                              true,
                              false},
                    CheckCase{"ClosedThatCannotBeOpened",
                              [](auto &, ReportDataSource &s, MemTableDataSet &d, MemTableDataSet &unopenable) {
                                  d.close();
                                  unopenable.close();
                                  s.setDataSet(&unopenable);
                              },
                              {MessageAnswer::Yes},
                              {{MessageKind::Confirmation, kClosed}, {MessageKind::Error, kNotOpened}},
                              seDataOrNothing,
                              false,
                              false},
                    CheckCase{"EventDrivenNeedsNoSource",
                              [](TSestava &r, auto &, auto &, auto &) {
                                  r.setDataSource(nullptr);
                                  r.OnGetData = [](TSestavaTyp *) {};
                              },
                              {},
                              {},
                              seOK,
                              true,
                              true}),
    TestSupport::rowName);

TEST_F(DataFixture, DetailChecksFollowTheReportAndTheFirstFailureClosesWhatWasOpened)
{
    addRecords(2);
    TSestDetail first;
    TSestDetail second;
    MemTable items{u"mtPolozky"_s};
    items.addField(u"Popis"_s, FieldType::String);
    MemTableDataSet itemSet{&items};
    ReportDataSource itemSource{&itemSet};
    first.setDataSource(&itemSource);
    first.setMasterSestava(&m_report);
    second.setMasterSestava(&m_report); // no data source
    m_dataSet.close();
    itemSet.close();
    scriptedUi().answer(MessageAnswer::Yes); // the report's table
    scriptedUi().answer(MessageAnswer::Yes); // the first detail's table
    bool laidOut = false;
    EXPECT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&laidOut] {
                                    laidOut = true;
                                    return seOK;
                                }),
              seDataOrNothing);
    EXPECT_EQ(scriptedUi().messageTexts(), (QStringList{kClosed, kClosed, kNoSource}));
    EXPECT_FALSE(laidOut);
    EXPECT_FALSE(m_dataSet.isActive());
    EXPECT_FALSE(itemSet.isActive());
}

// ---------------------------------------------------------------- the record loop

struct LoopCase
{
    const char *name;
    int records;
    int maxRecords;
    QStringList bodies;
};

class RecordLimits : public DataFixture, public testing::WithParamInterface<LoopCase>
{
};

TEST_P(RecordLimits, LayOutTheRecords)
{
    const LoopCase &c = GetParam();
    addRecords(c.records);
    m_report.setMaxRecords(c.maxRecords);
    m_report.setPredloha(templateOf({kBody}));
    ASSERT_EQ(run(), seOK);
    EXPECT_EQ(m_bodies, c.bodies);
}

QStringList numbers(int from, int to)
{
    QStringList result;
    for (int i = from; i <= to; ++i)
        result.append(u"D%1"_s.arg(i, 3, 10, QChar(u'0')));
    return result;
}

INSTANTIATE_TEST_SUITE_P(, RecordLimits,
                         testing::Values(LoopCase{"MaxRecordsFiveOfTwenty", 20, 5, numbers(1, 5)},
                                         LoopCase{"MaxRecordsZeroIsAll", 20, 0, numbers(1, 20)},
                                         LoopCase{"MaxRecordsAboveTheCount", 3, 25, numbers(1, 3)},
                                         LoopCase{"MaxRecordsOne", 3, 1, numbers(1, 1)},
                                         LoopCase{"EmptyDataSetGivesOneEmptyBody", 0, 0, QStringList{QString()}}),
                         TestSupport::rowName);

TEST_F(DataFixture, TiskJedenZaznamPrintsTheCurrentRecordAndLeavesTheDataSetOnIt)
{
    addRecords(10);
    m_table.setCurrentRow(6);
    m_report.setTiskJedenZaznam(true);
    m_report.setPredloha(templateOf({kBody}));
    std::vector<int> rowsSeen;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    return walk(m_report, [&] {
                                        m_bodies.append(shown(TOddilSestavy::Body));
                                        rowsSeen.push_back(m_table.currentRow());
                                    });
                                }),
              seOK);
    EXPECT_EQ(m_bodies, QStringList{u"D007"_s});
    EXPECT_EQ(rowsSeen, std::vector<int>{6});
    EXPECT_EQ(m_table.currentRow(), 6);
}

TEST_F(DataFixture, StopEndsTheLoopAfterTheRecord)
{
    addRecords(5);
    RecordLoop loop(m_report);
    ASSERT_TRUE(loop.start());
    EXPECT_TRUE(loop.next());
    EXPECT_FALSE(loop.next(true)); // the last page passed, or "Přerušit"
    EXPECT_EQ(loop.recordCount(), 2);
    EXPECT_EQ(m_table.currentRow(), 1);
}

TEST_F(DataFixture, DetailOverAnEmptyDataSetLaysOutNothing)
{
    TSestDetail detail;
    MemTable items{u"mtPolozky"_s};
    items.addField(u"Popis"_s, FieldType::String);
    MemTableDataSet itemSet{&items};
    ReportDataSource itemSource{&itemSet};
    detail.setDataSource(&itemSource);
    RecordLoop detailLoop(detail);
    EXPECT_FALSE(detailLoop.start());
    EXPECT_TRUE(detailLoop.isEmpty());

    RecordLoop mainLoop(m_report); // the main report's table is empty too
    EXPECT_TRUE(mainLoop.start());
    EXPECT_TRUE(mainLoop.isEmpty());
    EXPECT_FALSE(mainLoop.next());
}

// ---------------------------------------------------------------- around a run

struct PositionCase
{
    const char *name;
    int maxRecords;
    bool oneRecord;
};

class PositionAfterRun : public DataFixture, public testing::WithParamInterface<PositionCase>
{
};

TEST_P(PositionAfterRun, IsThePositionBefore)
{
    addRecords(12);
    m_table.setSortFields(u"Castka"_s);
    m_table.setCurrentRow(7);
    m_report.setMaxRecords(GetParam().maxRecords);
    m_report.setTiskJedenZaznam(GetParam().oneRecord);
    m_report.setPredloha(templateOf({kBody}));
    ASSERT_EQ(run(), seOK);
    EXPECT_EQ(m_table.currentRow(), 7);
    EXPECT_EQ(m_table.value(u"Doklad"_s).toString(), u"D008"_s);
    EXPECT_FALSE(m_report.bridge().hasSavedPosition());
}

INSTANTIATE_TEST_SUITE_P(, PositionAfterRun,
                         testing::Values(PositionCase{"AfterWalkingPastTheEnd", 0, false},
                                         PositionCase{"AfterStoppingAtMaxRecords", 3, false},
                                         PositionCase{"AfterOneRecord", 0, true}),
                         TestSupport::rowName);

TEST_F(DataFixture, ControlsAreDetachedDuringARunWithoutDetails)
{
    addRecords(4);
    m_table.setCurrentRow(2);
    m_report.setPredloha(templateOf({kBody}));
    QList<int> seen;
    QObject::connect(&m_table, &MemTable::currentChanged, [&seen](int row) { seen.append(row); });
    ASSERT_EQ(run(), seOK);
    EXPECT_EQ(m_bodies.size(), 4);
    // Nothing of the walk reached the controls; they were told where the table stands at the end.
    EXPECT_EQ(seen, QList<int>{2});
    EXPECT_FALSE(m_table.signalsBlocked());
}

TEST_F(DataFixture, ControlsStayAttachedWhenTheReportHasDetails)
{
    addRecords(3);
    TSestDetail detail;
    detail.setMasterSestava(&m_report);
    detail.OnGetData = [](TSestavaTyp *) {}; // event-driven, nothing to check
    m_report.setPredloha(templateOf({kBody}));
    QList<int> seen;
    QObject::connect(&m_table, &MemTable::currentChanged, [&seen](int row) { seen.append(row); });
    ASSERT_EQ(run(), seOK);
    EXPECT_EQ(seen, (QList<int>{1, 2, 0})); // the walk, then back to the first record
}

TEST_F(DataFixture, FieldsAreCollectedForTheReportAndItsDetails)
{
    TSestDetail detail;
    MemTable items{u"mtPolozky"_s};
    items.addField(u"Popis"_s, FieldType::String, 0, u"Popis položky"_s);
    items.addField(u"Mnozstvi"_s, FieldType::Float);
    MemTableDataSet itemSet{&items};
    ReportDataSource itemSource{&itemSet};
    detail.setDataSource(&itemSource);
    detail.setMasterSestava(&m_report);
    m_report.setFieldNames({u"Stare"_s});
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run, [] { return seOK; }), seOK);
    EXPECT_EQ(m_report.fieldNames(),
              (QStringList{u"Doklad"_s, u"Castka"_s, u"Pocet"_s, u"Zaplaceno"_s, u"Datum"_s, u"Text"_s, u"Skupina"_s}));
    EXPECT_EQ(m_report.fieldLabels(), (QStringList{u"Číslo dokladu"_s, u"Částka"_s, u"Pocet"_s, u"Zaplaceno"_s,
                                                   u"Datum"_s, u"Text"_s, u"Skupina"_s}));
    EXPECT_EQ(m_report.fieldDisplayValues().value(6), u"Položka 7"_s);
    EXPECT_EQ(detail.fieldNames(), (QStringList{u"Popis"_s, u"Mnozstvi"_s}));
    EXPECT_EQ(detail.fieldLabels(), (QStringList{u"Popis položky"_s, u"Mnozstvi"_s}));
}

TEST_F(DataFixture, TheDesignerCreatesAMissingTemplateAndReadsTheFieldsFirst)
{
    m_report.setIsStored(false);
    m_report.setReportName(u"novy"_s);
    scriptedUi().answer(MessageAnswer::Yes);
    QStringList namesSeen;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Design,
                                [&] {
                                    namesSeen = m_report.fieldNames();
                                    return seOK;
                                }),
              seOK);
    EXPECT_EQ(namesSeen.value(1), u"Castka"_s);
    EXPECT_TRUE(QFile::exists(tempPath(u"novy.pts"_s)));
    EXPECT_EQ(calcResolver(), static_cast<CalcResolver *>(&m_report));
}

TEST_F(DataFixture, ATemplateThatCannotBeLoadedEndsTheRunAfterRestoringTheData)
{
    addRecords(3);
    m_table.setCurrentRow(1);
    m_dataSet.close();
    m_report.setIsStored(false);
    m_report.setReportName(u"chybi"_s);
    scriptedUi().answer(MessageAnswer::Yes);
    bool laidOut = false;
    EXPECT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&laidOut] {
                                    laidOut = true;
                                    return seOK;
                                }),
              seTemplateLoad);
    EXPECT_FALSE(laidOut);
    EXPECT_EQ(scriptedUi().messageTexts().value(1),
              u"Nebyl nalezen soubor s předlohou tiskové sestavy \""_s + tempPath(u"chybi.pts"_s) + u'"');
    EXPECT_FALSE(m_dataSet.isActive()); // the check opened it, the run closed it
    EXPECT_FALSE(m_table.signalsBlocked());
}

// ---------------------------------------------------------------- event-driven data

TEST_F(DataFixture, EventDrivenDataComesFromTheApplication)
{
    m_report.setDataSource(nullptr);
    const QList<QStringList> records{{u"A1"_s, u"10"_s}, {u"A2"_s, u"2.5"_s}, {u"A3"_s, u""_s}};
    int current = -1;
    int getData = 0;
    std::vector<int> directions;
    m_report.OnGetData = [&](TSestavaTyp *sender) {
        ++getData;
        if (sender->fieldNames().isEmpty())
            sender->setFieldNames({u"Kod"_s, u"Castka"_s});
        if (current >= 0 && current < records.size())
            sender->setFieldDisplayValues(records.at(current));
    };
    m_report.OnStepData = [&](TSestavaTyp *, TStepDir dir) {
        directions.push_back(dir);
        current = dir == sdFirst ? 0 : current + 1;
        return current < records.size() ? int(srMiddle) : int(srEof);
    };
    m_report.setPredloha(templateOf(
        {function(0, u"Soucet"_s, 2, u"#Castka"_s), element(u"T"_s, 2, u"Kod"_s), element(u"T"_s, 6, u"Soucet"_s)}));
    QStringList sums;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    return walk(m_report, [&] {
                                        m_bodies.append(shown(TOddilSestavy::Body));
                                        sums.append(shown(TOddilSestavy::Body, 1));
                                    });
                                }),
              seOK);
    EXPECT_EQ(m_bodies, (QStringList{u"A1"_s, u"A2"_s, u"A3"_s}));
    EXPECT_EQ(sums, (QStringList{u"10,00"_s, u"12,50"_s, u"12,50"_s}));
    EXPECT_EQ(directions, (std::vector<int>{sdFirst, sdNext, sdNext, sdNext}));
    EXPECT_EQ(getData, 5); // once before the layout, then after each of the four steps
    EXPECT_EQ(m_report.fieldNames(), (QStringList{u"Kod"_s, u"Castka"_s})); // nothing collected over them
}

TEST_F(DataFixture, EventDrivenWithoutStepsLaysOutTheMainReportOnce)
{
    m_report.setDataSource(nullptr);
    m_report.OnGetData = [](TSestavaTyp *sender) { sender->setFieldNames({u"Doklad"_s}); };
    m_report.setPredloha(templateOf({kBody}));
    ASSERT_EQ(run(), seOK);
    EXPECT_EQ(m_bodies, QStringList{u"Položka 1"_s});
}

TEST_F(DataFixture, TypeAndAlignmentEventsHaveTheLastWordOverTheDataSet)
{
    addRecords(1);
    m_report.setFieldNames({u"Doklad"_s, u"Castka"_s});
    EXPECT_EQ(m_report.fieldDataType(1), ftFloat);
    EXPECT_EQ(m_report.fieldAlignment(1), 1);
    EXPECT_EQ(m_report.fieldSize(0), 10);
    m_report.OnGetDataType = [](TSestavaTyp *, int index, int &type) {
        if (index == 1)
            type = ftCurrency;
    };
    m_report.OnGetAlignment = [](TSestavaTyp *, int, int &alignment) { alignment = 2; };
    EXPECT_EQ(m_report.fieldDataType(0), ftString);
    EXPECT_EQ(m_report.fieldDataType(1), ftCurrency);
    EXPECT_EQ(m_report.fieldAlignment(0), 2);
    // Outside the report's field list the field lists answer, not the table.
    EXPECT_EQ(m_report.fieldDisplayText(2), u"Položka ?"_s);
}

// ---------------------------------------------------------------- unreadable fields

// The table's dataset, except that field Castka cannot be read and the
// fields named in `dataTypes` report that data type instead of the table's.
class FailingDataSet final : public ReportDataSet
{
public:
    explicit FailingDataSet(MemTableDataSet &inner) : m_inner(inner) {}

    QHash<int, int> dataTypes;

    bool isActive() const override { return m_inner.isActive(); }
    bool open() override { return m_inner.open(); }
    void close() override { m_inner.close(); }
    int fieldCount() const override { return m_inner.fieldCount(); }
    QString fieldName(int index) const override { return m_inner.fieldName(index); }
    QString fieldLabel(int index) const override { return m_inner.fieldLabel(index); }
    int fieldDataType(int index) const override { return dataTypes.value(index, m_inner.fieldDataType(index)); }
    int fieldAlignment(int index) const override { return m_inner.fieldAlignment(index); }
    int fieldDisplayWidth(int index) const override { return m_inner.fieldDisplayWidth(index); }
    QVariant fieldValue(int index) const override { return fail(index), m_inner.fieldValue(index); }
    QString fieldDisplayText(int index) const override { return fail(index), m_inner.fieldDisplayText(index); }
    void first() override { m_inner.first(); }
    void prior() override { m_inner.prior(); }
    void next() override { m_inner.next(); }
    void last() override { m_inner.last(); }
    bool isBof() const override { return m_inner.isBof(); }
    bool isEof() const override { return m_inner.isEof(); }
    std::optional<Bookmark> bookmark() const override { throw std::runtime_error("no bookmarks"); }
    bool gotoBookmark(Bookmark mark) override { return m_inner.gotoBookmark(mark); }
    void disableControls() override { m_inner.disableControls(); }
    void enableControls() override { m_inner.enableControls(); }

private:
    static void fail(int index)
    {
        if (index == DataFixture::Castka)
            throw std::runtime_error("field cannot be read");
    }
    MemTableDataSet &m_inner;
};

TEST_F(DataFixture, AnUnreadableFieldGivesZeroNotNullAndANullValue)
{
    addRecords(3);
    m_table.setCurrentRow(1);
    FailingDataSet failing(m_dataSet);
    m_source.setDataSet(&failing);
    m_report.setPredloha(templateOf({element(u"T"_s, 2, u"Castka"_s)}));
    CalcResult expression;
    ASSERT_EQ(m_report.withData(TSestava::Purpose::Run,
                                [&] {
                                    expression = evaluateExpression(u"#Castka"_s);
                                    return walk(m_report, [this] { m_bodies.append(shown(TOddilSestavy::Body)); });
                                }),
              seOK);
    EXPECT_EQ(m_bodies, (QStringList{u"????"_s, u"????"_s, u"????"_s}));
    EXPECT_EQ(expression.error, 0);
    EXPECT_EQ(expression.value.kind, TCalcType::Other);
    EXPECT_TRUE(expression.value.null);
    EXPECT_EQ(expression.value.text, QString());
    EXPECT_EQ(m_report.fieldNumber(Castka), 0.0);
    EXPECT_FALSE(m_report.fieldIsNull(Castka));
    EXPECT_EQ(m_report.fieldDisplayText(Castka), u"????"_s);
    EXPECT_EQ(m_report.fieldDisplayText(Doklad), u"D003"_s); // no bookmark: the walk's end stays
}

// ---------------------------------------------------------------- data types the table does not have

struct DataTypeCase
{
    const char *name;
    int field;
    QVariant stored;
    int dataType;
    quint8 kind;
    double number;
};

class FieldDataTypes : public DataFixture, public testing::WithParamInterface<DataTypeCase>
{
};

TEST_P(FieldDataTypes, GiveTheExpressionKindAndNumber)
{
    const DataTypeCase &c = GetParam();
    m_table.setValue(m_table.append(), c.field, c.stored);
    FailingDataSet retyped(m_dataSet);
    retyped.dataTypes.insert(c.field, c.dataType);
    m_source.setDataSet(&retyped);
    m_report.collectFields();
    const TCalcType value = m_report.fieldValue(c.field);
    EXPECT_EQ(value.kind, c.kind);
    EXPECT_DOUBLE_EQ(value.number, c.number);
    EXPECT_EQ(m_report.fieldNumber(c.field), c.number);
}

INSTANTIATE_TEST_SUITE_P(
    , FieldDataTypes,
    testing::Values(DataTypeCase{"SmallInteger", DataFixture::Pocet, 42, ftSmallint, TCalcType::Number, 42},
                    DataTypeCase{"Word", DataFixture::Pocet, 42, ftWord, TCalcType::Number, 42},
                    DataTypeCase{"Currency", DataFixture::Pocet, 42, ftCurrency, TCalcType::Number, 42},
                    DataTypeCase{"Bcd", DataFixture::Pocet, 42, ftBCD, TCalcType::Number, 42},
                    DataTypeCase{"FmtBcd", DataFixture::Pocet, 42, ftFMTBcd, TCalcType::Number, 42},
                    // An auto-increment field is a number like any integer.
                    DataTypeCase{"AutoIncrement", DataFixture::Pocet, 42, ftAutoInc, TCalcType::Number, 42},
                    DataTypeCase{"LargeInteger", DataFixture::Pocet, 42, ftLargeint, TCalcType::Other, 42},
                    DataTypeCase{"TimeStamp", DataFixture::Datum, kDatum, ftTimeStamp, TCalcType::Other, 43174.6046875},
                    DataTypeCase{"Date", DataFixture::Datum, kDatum, ftDate, TCalcType::Other, 43174.6046875},
                    // A wide string field is a string field: it compares as a text.
                    DataTypeCase{"WideString", DataFixture::Doklad, u"1.5"_s, ftWideString, TCalcType::Text, 1.5},
                    DataTypeCase{"FormattedMemo", DataFixture::Text, u"12"_s, ftFmtMemo, TCalcType::Other, 0},
                    DataTypeCase{"TypedBinary", DataFixture::Pocet, 42, ftTypedBinary, TCalcType::Other, 0},
                    DataTypeCase{"Unknown", DataFixture::Pocet, 42, ftUnknown, TCalcType::Other, 0}),
    TestSupport::rowName);

TEST_F(DataFixture, AWideStringFieldComparesAsAText)
{
    m_table.setValue(m_table.append(), Doklad, u"PK0042"_s);
    FailingDataSet retyped(m_dataSet);
    retyped.dataTypes.insert(Doklad, ftWideString);
    m_source.setDataSet(&retyped);
    m_report.collectFields();
    m_report.registerAsResolver();
    EXPECT_EQ(evaluateExpression(u"#Doklad = 'PK0042'"_s).value.number, 1.0);
    EXPECT_EQ(evaluateExpression(u"#Doklad = 'PK0043'"_s).value.number, 0.0);
}

} // namespace

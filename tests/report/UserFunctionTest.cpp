// User functions over fixture records: aggregates with and without skipping
// empty values, reset points, references between functions, display texts.

#include "FakeReport.h"

#include "report/core/expr/FloatFormat.h"

#include "common/LocaleFormats.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The report's records: one field "Castka", std::nullopt for an empty value.
using Records = std::vector<std::optional<double>>;

class UserFunctions : public testing::Test
{
protected:
    void SetUp() override { m_report.addField(u"Castka"_s, FakeReport::null()); }

    TRadekFunkce &addFunction(const QString &name, int aggregate, const QString &expression = u"#Castka"_s)
    {
        TRadekFunkce &function = m_report.functions.add();
        function.name = name;
        function.aggregateKind = aggregate;
        function.expression = expression;
        return function;
    }

    // The start of a run: every function is reset, skip-nulls follows the report.
    void startRun(bool allowNullValues)
    {
        m_report.functions.requestReset(-1);
        m_report.functions.setSkipNulls(allowNullValues);
    }

    void record(std::optional<double> value)
    {
        m_report.setField(0, value ? FakeReport::number(*value) : FakeReport::null());
        m_report.functions.computeAll();
    }

    void run(const Records &records, bool allowNullValues)
    {
        startRun(allowNullValues);
        for (const auto &value : records)
            record(value);
    }

    const TCalcType &result(int index) { return m_report.functions.at(index).result; }

    FakeReport m_report;
};

struct AggregateCase
{
    const char *name;
    int aggregate;
    Records records;
    bool skipNulls;
    std::optional<double> expected; // nullopt: a cleared result
};

class Aggregates : public UserFunctions, public testing::WithParamInterface<AggregateCase>
{
};

TEST_P(Aggregates, OverRecords)
{
    const AggregateCase &c = GetParam();
    addFunction(u"F"_s, c.aggregate);
    run(c.records, c.skipNulls);
    if (!c.expected) {
        EXPECT_EQ(result(0).kind, TCalcType::Other);
        EXPECT_EQ(result(0).number, 0.0);
        EXPECT_TRUE(result(0).text.isEmpty());
        return;
    }
    EXPECT_NEAR(result(0).number, *c.expected, 1e-12);
    // Minimum and maximum take the record's value as it is (an empty field's text is empty).
    if (c.aggregate != TRadekFunkce::Minimum && c.aggregate != TRadekFunkce::Maximum) {
        EXPECT_EQ(result(0).text, LocaleFormats::current().formatGeneral(result(0).number));
    }
}

const Records kWithNull{1.0, std::nullopt, 2.0};
const Records kSample{2.0, 4.0, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0}; // mean 5, sample deviation 2.138…

INSTANTIATE_TEST_SUITE_P(
    , Aggregates,
    testing::Values(
        AggregateCase{"SumCountsEmptyAsZero", TRadekFunkce::Sum, kWithNull, false, 3.0},
        AggregateCase{"SumSkippingEmpty", TRadekFunkce::Sum, kWithNull, true, 3.0},
        AggregateCase{"CountWithEmpty", TRadekFunkce::Count, kWithNull, false, 3.0},
        AggregateCase{"CountSkippingEmpty", TRadekFunkce::Count, kWithNull, true, 2.0},
        AggregateCase{"AverageWithEmpty", TRadekFunkce::Average, kWithNull, false, 1.0},
        AggregateCase{"AverageSkippingEmpty", TRadekFunkce::Average, kWithNull, true, 1.5},
        AggregateCase{"AverageOfNothingIsTheSum", TRadekFunkce::Average, Records{std::nullopt}, true, 0.0},
        AggregateCase{"MinimumWithEmptyAsZero", TRadekFunkce::Minimum, kWithNull, false, 0.0},
        AggregateCase{"MinimumSkippingEmpty", TRadekFunkce::Minimum, kWithNull, true, 1.0},
        AggregateCase{"MinimumOfFirstRecord", TRadekFunkce::Minimum, Records{5.0, 7.0}, false, 5.0},
        AggregateCase{"Maximum", TRadekFunkce::Maximum, Records{-5.0, -7.0, -6.0}, false, -5.0},
        AggregateCase{"StandardDeviation", TRadekFunkce::StdDev, kSample, false, 2.138089935299395},
        AggregateCase{"StandardDeviationOfOneIsCleared", TRadekFunkce::StdDev, Records{3.0}, false, std::nullopt},
        AggregateCase{"StandardDeviationOfEqualValues", TRadekFunkce::StdDev, Records{0.1, 0.1, 0.1}, false, 0.0},
        AggregateCase{"RelativeDeviation", TRadekFunkce::RelStdDev, kSample, false, 0.427617987059879},
        AggregateCase{"RelativeDeviationOfZeroSumIsCleared", TRadekFunkce::RelStdDev, Records{-1.0, 1.0}, false,
                      std::nullopt}),
    TestSupport::rowName);

TEST_F(UserFunctions, WithoutAggregateTheResultIsTheValueWithItsNullFlag)
{
    addFunction(u"Hodnota"_s, TRadekFunkce::None);
    run(Records{2.5}, true);
    EXPECT_EQ(result(0).kind, TCalcType::Number);
    EXPECT_EQ(result(0).text, u"2,5"_s);
    record(std::nullopt);
    EXPECT_TRUE(result(0).null);
    EXPECT_EQ(m_report.functions.displayText(0), QString()); // skipped empties print nothing
}

TEST_F(UserFunctions, AnEmptyResultPrintsAsZeroWithoutAllowNullValues)
{
    addFunction(u"Hodnota"_s, TRadekFunkce::None);
    run(Records{std::nullopt}, false);
    EXPECT_TRUE(result(0).null);
    EXPECT_EQ(m_report.functions.displayText(0), u"0,00"_s);
}

TEST_F(UserFunctions, AnExpressionErrorGivesAClearedValueThatCounts)
{
    addFunction(u"Chyba"_s, TRadekFunkce::None, u"1/0"_s);
    addFunction(u"Pocet"_s, TRadekFunkce::Count, u"1/0"_s);
    run(Records{1.0, 2.0}, true);
    EXPECT_EQ(result(0).kind, TCalcType::Other);
    EXPECT_EQ(result(0).number, 0.0);
    EXPECT_FALSE(result(0).null);
    EXPECT_EQ(result(1).number, 2.0);
}

TEST_F(UserFunctions, AGroupAverageShowsInTheFooterAndRestartsInTheNextGroup)
{
    TRadekFunkce &average = addFunction(u"Prumer"_s, TRadekFunkce::Average);
    average.resetPoint = 2; // group 0
    TRadekFunkce &total = addFunction(u"Celkem"_s, TRadekFunkce::Sum);
    startRun(false);
    record(1.0);
    record(3.0);
    // The footer of the first group is laid out, then its end resets.
    m_report.functions.requestReset(2);
    EXPECT_EQ(m_report.functions.displayText(0), u"2,00"_s);
    EXPECT_TRUE(average.resetPending);
    EXPECT_FALSE(total.resetPending);
    record(10.0);
    EXPECT_FALSE(average.resetPending);
    EXPECT_EQ(m_report.functions.displayText(0), u"10,00"_s);
    record(20.0);
    EXPECT_EQ(m_report.functions.displayText(0), u"15,00"_s);
    EXPECT_EQ(m_report.functions.displayText(1), u"34,00"_s);
}

TEST_F(UserFunctions, PageResetsTouchOnlyPageFunctions)
{
    TRadekFunkce &page = addFunction(u"Stranka"_s, TRadekFunkce::Sum);
    page.resetPoint = 1;
    addFunction(u"Sestava"_s, TRadekFunkce::Sum);
    run(Records{1.0, 2.0}, false);
    m_report.functions.requestReset(1);
    record(4.0);
    EXPECT_EQ(result(0).number, 4.0);
    EXPECT_EQ(result(1).number, 7.0);
}

TEST_F(UserFunctions, TheResetStartsFromTheInitialValue)
{
    TRadekFunkce &minimum = addFunction(u"Minimum"_s, TRadekFunkce::Minimum);
    minimum.initialValue = u"5,5"_s;
    minimum.resultType = TRadekFunkce::ResultText;
    run(Records{std::nullopt}, true); // nothing counted: the initial value stays
    EXPECT_EQ(result(0).number, 5.5);
    EXPECT_EQ(m_report.functions.displayText(0), u"5,5"_s);
    minimum.initialValue = u"abc"_s;
    run(Records{std::nullopt}, true);
    EXPECT_EQ(result(0).kind, TCalcType::Other);
    EXPECT_EQ(result(0).number, 0.0);
    EXPECT_TRUE(result(0).text.isEmpty());
}

TEST_F(UserFunctions, LaterFunctionsSeeThisRecordEarlierOnesThePrevious)
{
    addFunction(u"Predchozi"_s, TRadekFunkce::None, u"@Dvojnasobek"_s); // still the previous record's
    addFunction(u"Dvojnasobek"_s, TRadekFunkce::None, u"#Castka*2"_s);
    addFunction(u"Plus"_s, TRadekFunkce::None, u"@2+1"_s); // already this record's
    run(Records{1.0, 5.0}, false);
    EXPECT_EQ(result(0).number, 2.0);
    EXPECT_EQ(result(1).number, 10.0);
    EXPECT_EQ(result(2).number, 11.0);
}

TEST_F(UserFunctions, TextResultsShowTheirText)
{
    TRadekFunkce &text = addFunction(u"Text"_s, TRadekFunkce::None, u"'Kč ' + NUMTOSTR(#Castka)"_s);
    text.resultType = TRadekFunkce::ResultText;
    run(Records{1.5}, false);
    EXPECT_EQ(m_report.functions.displayText(0), u"Kč 1,5"_s);
}

TEST_F(UserFunctions, ListFindsNamesWithoutRegardToCase)
{
    addFunction(u"Soucet"_s, TRadekFunkce::Sum);
    addFunction(u"Pocet"_s, TRadekFunkce::Count);
    EXPECT_EQ(m_report.functions.findByName(u"POCET"_s), 1);
    EXPECT_EQ(m_report.functions.findByName(u"soucet"_s), 0);
    EXPECT_EQ(m_report.functions.findByName(u"Prumer"_s), -1);
    EXPECT_EQ(m_report.functions.displayText(5), QString());
}

TEST_F(UserFunctions, DesignerCaptions)
{
    TRadekFunkce &function = addFunction(u"Soucet"_s, TRadekFunkce::Sum);
    function.description = u"součet částek"_s;
    EXPECT_EQ(m_report.functions.caption(0), u"Funkce Soucet - součet částek"_s);
    EXPECT_EQ(m_report.functions.caption(2), u"Funkce 3  ???"_s);
    EXPECT_EQ(m_report.functions.caption(-1), u"Funkce 0  ???"_s);
}

TEST_F(UserFunctions, NewFunctionsAreNamedByTheirPosition)
{
    m_report.functions.add();
    EXPECT_EQ(m_report.functions.add().name, u"Funkce2"_s);
}

// Display texts of number results: format, precision and digits.
struct DisplayCase
{
    const char *name;
    int format;
    int precision;
    int digits;
    double value;
    QString expected;
};

class DisplayFormats : public testing::TestWithParam<DisplayCase>
{
};

TEST_P(DisplayFormats, OfNumberResults)
{
    const DisplayCase &c = GetParam();
    TRadekFunkce function;
    function.format = c.format;
    function.precision = c.precision;
    function.digits = c.digits;
    function.result = TCalcType::fromNumber(c.value);
    EXPECT_EQ(function.displayText(), c.expected);
    EXPECT_EQ(FloatFormat::format(c.value, c.format, c.precision, c.digits), c.expected);
}

INSTANTIATE_TEST_SUITE_P(, DisplayFormats,
                         testing::Values(DisplayCase{"GeneralShortest", 0, 15, 2, 1234.5, u"1234,5"_s},
                                         DisplayCase{"GeneralInteger", 0, 15, 2, 42, u"42"_s},
                                         DisplayCase{"GeneralLarge", 0, 15, 0, 1e20, u"1E20"_s},
                                         DisplayCase{"GeneralSmall", 0, 15, 0, 0.000001, u"1E-6"_s},
                                         DisplayCase{"GeneralSmallStillFixed", 0, 15, 0, 0.00001, u"0,00001"_s},
                                         DisplayCase{"GeneralExponentDigits", 0, 15, 2, 0.000001, u"1E-06"_s},
                                         DisplayCase{"GeneralBeyondPrecision", 0, 3, 0, 1234.5, u"1,23E3"_s},
                                         DisplayCase{"GeneralRoundsToPrecision", 0, 4, 0, 2.71828, u"2,718"_s},
                                         DisplayCase{"GeneralNegative", 0, 15, 0, -0.25, u"-0,25"_s},
                                         DisplayCase{"GeneralZero", 0, 15, 0, 0, u"0"_s},
                                         DisplayCase{"Exponent", 1, 15, 2, 1234.5, u"1,23450000000000E+03"_s},
                                         DisplayCase{"ExponentShort", 1, 3, 0, -1234.5, u"-1,23E+3"_s},
                                         DisplayCase{"ExponentNegative", 1, 2, 3, 0.05, u"5,0E-002"_s},
                                         DisplayCase{"Fixed", 2, 15, 2, 1234.567, u"1234,57"_s},
                                         DisplayCase{"FixedPadsDigits", 2, 15, 3, 2.5, u"2,500"_s},
                                         DisplayCase{"FixedNoDigitsRoundsHalfAway", 2, 15, 0, 2.5, u"3"_s},
                                         DisplayCase{"FixedLimitedByPrecision", 2, 4, 2, 1234.567, u"1235,00"_s},
                                         DisplayCase{"FixedSmall", 2, 15, 2, 0.004, u"0,00"_s},
                                         DisplayCase{"FixedNegativeZeroHasNoSign", 2, 15, 2, -0.001, u"0,00"_s},
                                         DisplayCase{"FixedNegative", 2, 15, 2, -12.346, u"-12,35"_s},
                                         DisplayCase{"FixedTooLargeIsScientific", 2, 15, 2, 1e20, u"1E20"_s},
                                         DisplayCase{"NumberThousands", 3, 15, 2, 1234567.891,
                                                     u"1\u00A0234\u00A0567,89"_s},
                                         DisplayCase{"NumberSmall", 3, 15, 2, 999.5, u"999,50"_s},
                                         DisplayCase{"NumberNegative", 3, 15, 0, -1234, u"-1\u00A0234"_s},
                                         DisplayCase{"Currency", 4, 15, 2, 1234.5, u"1\u00A0234,50 Kč"_s},
                                         DisplayCase{"CurrencyNegative", 4, 15, 2, -1234.5, u"-1\u00A0234,50 Kč"_s},
                                         DisplayCase{"UnknownFormatIsFixed", 9, 15, 2, 1.5, u"1,50"_s}),
                         TestSupport::rowName);

TEST(DisplayFormat, FollowsTheLocaleAndTheCurrency)
{
    LocaleFormats formats = LocaleFormats::czech();
    formats.decimalSeparator = u'.';
    LocaleFormats::setCurrent(formats);
    FloatFormat::CurrencyStyle euro;
    euro.symbol = u"€"_s;
    euro.symbolAfter = false;
    euro.blankBetween = false;
    FloatFormat::CurrencyStyle::setCurrent(euro);
    EXPECT_EQ(FloatFormat::format(1234567.891, FloatFormat::Number, 15, 2), u"1,234,567.89"_s);
    EXPECT_EQ(FloatFormat::format(1234.5, FloatFormat::Currency, 15, 2), u"€1,234.50"_s);
    FloatFormat::CurrencyStyle::setCurrent(FloatFormat::CurrencyStyle());
    EXPECT_EQ(FloatFormat::format(1234.5, FloatFormat::Currency, 15, 2), u"1,234.50 Kč"_s);
}

// An expression's number text and a user function in the General format
// write a value the same way.
TEST(DisplayFormat, GeneralAgreesWithTheExpressionsNumberText)
{
    const LocaleFormats &locale = LocaleFormats::current();
    for (const double value : {0.0, 12.5, -0.25, 0.1 + 0.2, 123456.789, 0.00005, 0.00001, 0.000001, -1.5e-7, 1e20,
                               999999999999999.0, 1e15, 2.0 / 3.0}) {
        EXPECT_EQ(FloatFormat::format(value, FloatFormat::General, 15, 0), locale.formatGeneral(value)) << value;
    }
}

TEST(DisplayFormat, NotANumberAndInfinity)
{
    EXPECT_EQ(FloatFormat::format(std::nan(""), 2, 15, 2), u"NAN"_s);
    EXPECT_EQ(FloatFormat::format(-HUGE_VAL, 2, 15, 2), u"-INF"_s);
}

} // namespace

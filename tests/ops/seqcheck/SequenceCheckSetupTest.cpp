// The sequence check's set-up: the series and free numbers read from the
// host's tables, the range worked out for each series, the module filters and
// the choices kept per company and year.

#include "SeqCheckFixture.h"

#include "common/IniFile.h"
#include "ops/seqcheck/SequenceCheckSetup.h"
#include "ops/seqcheck/SequenceModules.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

struct Range
{
    int start;
    int end;
    bool operator==(const Range &) const = default;
};

void PrintTo(const Range &range, std::ostream *os)
{
    *os << range.start << " … " << range.end;
}

Range rangeOf(MemTable &series, const QString &code)
{
    series.setFilter(nullptr);
    if (!series.locate(u"Rada"_s, code, false))
        return {-99, -99};
    return {series.value(u"Start"_s).toInt(), series.value(u"End"_s).toInt()};
}

// --- Ranges: counter − 1, trimmed by free numbers at the end --------------

struct RangeCase
{
    const char *name;
    int counter;
    const char *freeNumbers; // rows of VOLNECIS; nullptr leaves it empty
    Range expected;
};

void PrintTo(const RangeCase &c, std::ostream *os)
{
    *os << c.name;
}

class SeriesRange : public testing::TestWithParam<RangeCase>
{
};

TEST_P(SeriesRange, IsWorkedOutFromTheCounterAndTheFreeNumbers)
{
    const RangeCase &c = GetParam();
    SeqCheckTree tree;
    tree.year().table(u"CISRADY"_s).row({{"Rada", "PPrr"}, {"Cislo", c.counter}, {"PP", true}});
    tree.year().table(u"VOLNECIS"_s);
    if (c.freeNumbers)
        tree.freeNumbers(c.freeNumbers);

    SequenceCheckSetup setup;
    ASSERT_EQ(setup.load(tree.session()), 0);
    EXPECT_EQ(rangeOf(setup.mtCisRady(), u"PPrr"_s), c.expected);
    EXPECT_EQ(TestSupport::openTableFiles(tree.context().yearDir), QStringList());
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    SequenceCheckSetup, SeriesRange,
    testing::Values(
        // Nothing issued: the check skips End 0; free numbers of any series
        // normalise the row to 0 … 0.
        RangeCase{"CounterOneWithFreeNumbers", 1, "Rada|Cislo|Nenab\nFVrr|3|0", {0, 0}},
        RangeCase{"CounterOneWithoutFreeNumbers", 1, nullptr, {1, 0}},
        RangeCase{"CounterZeroWithoutFreeNumbers", 0, nullptr, {1, -1}},
        RangeCase{"FreeEightNineTenTrimToSeven", 11, "Rada|Cislo|Nenab\nPPrr|8|0\nPPrr|10|0\nPPrr|9|0", {1, 7}},
        RangeCase{"FreeNineAloneLeavesTen", 11, "Rada|Cislo|Nenab\nPPrr|9|0", {1, 10}},
        RangeCase{"FreeTenNotOfferedLeavesTen", 11, "Rada|Cislo|Nenab\nPPrr|10|1", {1, 10}},
        RangeCase{"FreeTenOfAnotherSeriesLeavesTen", 11, "Rada|Cislo|Nenab\nVPrr|10|0", {1, 10}},
        RangeCase{"EveryIssuedNumberFree", 4, "Rada|Cislo|Nenab\nPPrr|3|0\nPPrr|2|0\nPPrr|1|0", {0, 0}}),
    TestSupport::rowName);

class SetupTest : public testing::Test
{
protected:
    void writeSettings(const QString &key, const QString &value)
    {
        IniFile(tree.context().configIniPath).WriteString(u"KONTRPOSL0012018"_s, key, value);
    }
    QString readSetting(const QString &key)
    {
        return IniFile(tree.context().configIniPath).ReadString(u"KONTRPOSL0012018"_s, key, u"<none>"_s);
    }
    static QStringList uncheckedCodes(MemTable &series)
    {
        series.setFilter(nullptr);
        QStringList codes;
        for (int row = 0; row < series.recordCount(); ++row) {
            if (!series.value(row, series.fieldIndex(u"Checked"_s)).toBool())
                codes.append(series.value(row, series.fieldIndex(u"Rada"_s)).toString());
        }
        return codes;
    }

    SeqCheckTree tree;
};

// The saved list is upper-cased on reading; a code is matched without regard
// to case, so series codes with small letters keep their exclusion.
TEST_F(SetupTest, ExclusionsAreReadUpperCasedAndMatchedWithoutRegardToCase)
{
    tree.series(R"(
        Rada | Cislo | PP
        PP18 | 5     | 1
        BU   | 5     | 1
        PPrr | 5     | 1
        VPrr | 5     | 1
        BUX  | 5     | 1
    )");
    tree.year().table(u"VOLNECIS"_s);
    writeSettings(u"PrefixUncheck"_s, u"\";pp18;BU;PPRR;\""_s);

    SequenceCheckSetup setup;
    setup.readSettings(tree.context());
    EXPECT_EQ(setup.exclusions, u";PP18;BU;PPRR;"_s);
    ASSERT_EQ(setup.load(tree.session()), 0);
    EXPECT_EQ(uncheckedCodes(setup.mtCisRady()), (QStringList{u"PP18"_s, u"BU"_s, u"PPrr"_s}));
}

TEST_F(SetupTest, ModuleKeysAndTheQuotedListAreReadPerCompanyAndYear)
{
    writeSettings(u"Bank"_s, u"1"_s);
    writeSettings(u"Obj"_s, u"1"_s);
    writeSettings(u"PrefixUncheck"_s, u"\";AB;\""_s);
    IniFile(tree.context().configIniPath).WriteBool(u"KONTRPOSL0012017"_s, u"Pokl"_s, true);

    SequenceCheckSetup setup;
    setup.readSettings(tree.context());
    const std::array<bool, kSequenceModuleCount> expected{false, true, false, false, false, false, false, false, true};
    EXPECT_EQ(setup.modules, expected);
    EXPECT_EQ(setup.exclusions, u";AB;"_s);
}

TEST_F(SetupTest, ChoicesAreWrittenWithTheListOfAllUncheckedSeriesQuoted)
{
    tree.series(R"(
        Rada | Cislo | PP | PU
        PPrr | 5     | 1  | 0
        BUrr | 5     | 0  | 1
        PErr | 5     | 1  | 0
    )");
    tree.year().table(u"VOLNECIS"_s);
    SequenceCheckSetup setup;
    ASSERT_EQ(setup.load(tree.session()), 0);
    MemTable &series = setup.mtCisRady();
    series.setValue(1, series.fieldIndex(u"Checked"_s), false);
    series.setValue(2, series.fieldIndex(u"Checked"_s), false);
    // The list covers every series, also those the filter hides.
    series.setFilter(seriesRowFilter(series, 1));
    setup.modules = {true, false, false, false, false, false, false, false, true};

    ASSERT_TRUE(setup.writeSettings(tree.context()));
    EXPECT_EQ(readSetting(u"PrefixUncheck"_s), u"\";BUrr;PErr;\""_s);
    EXPECT_EQ(readSetting(u"Pokl"_s), u"1"_s);
    EXPECT_EQ(readSetting(u"Bank"_s), u"0"_s);
    EXPECT_EQ(readSetting(u"Obj"_s), u"1"_s);

    // Read back, the same series stay unchecked.
    SequenceCheckSetup again;
    again.readSettings(tree.context());
    ASSERT_EQ(again.load(tree.session()), 0);
    EXPECT_EQ(uncheckedCodes(again.mtCisRady()), (QStringList{u"BUrr"_s, u"PErr"_s}));
}

TEST_F(SetupTest, NothingExcludedWritesTheSingleSemicolon)
{
    tree.series("Rada|Cislo|PP\nPPrr|5|1");
    tree.year().table(u"VOLNECIS"_s);
    SequenceCheckSetup setup;
    ASSERT_EQ(setup.load(tree.session()), 0);
    ASSERT_TRUE(setup.writeSettings(tree.context()));
    EXPECT_EQ(readSetting(u"PrefixUncheck"_s), u"\";\""_s);
    setup.readSettings(tree.context());
    EXPECT_EQ(setup.exclusions, u";"_s);
}

TEST_F(SetupTest, SeriesRowsCopyTheFieldsInTableOrder)
{
    tree.series(R"(
        Rada  | Nazev            | Cislo | Nuly | PocetMist | PP | VP | PtP
        PPrr  | Pokladní příjmy  | 42    | 1    | 4         | 1  | 0  | 0
        NArr  | Nabídky          | 6     | 0    | 0         | 0  | 0  | 1
    )");
    tree.year().table(u"VOLNECIS"_s);
    SequenceCheckSetup setup;
    ASSERT_EQ(setup.load(tree.session()), 0);
    MemTable &series = setup.mtCisRady();
    ASSERT_EQ(series.recordCount(), 2);
    EXPECT_EQ(series.currentRow(), 0);
    EXPECT_EQ(series.value(u"Rada"_s).toString(), u"PPrr"_s);
    EXPECT_EQ(series.value(u"Nazev"_s).toString(), u"Pokladní příjmy"_s);
    EXPECT_EQ(series.value(u"Cislo"_s).toInt(), 42);
    EXPECT_TRUE(series.value(u"Nuly"_s).toBool());
    EXPECT_EQ(series.value(u"PocetMist"_s).toInt(), 4);
    EXPECT_TRUE(series.value(u"PP"_s).toBool());
    EXPECT_FALSE(series.value(u"VP"_s).toBool());
    EXPECT_TRUE(series.value(u"Checked"_s).toBool());
    series.next();
    EXPECT_EQ(series.value(u"Rada"_s).toString(), u"NArr"_s);
    EXPECT_TRUE(series.value(u"PtP"_s).toBool());
    EXPECT_EQ(series.value(u"End"_s).toInt(), 5);
}

TEST_F(SetupTest, FreeNumbersAreCopiedWhenSeriesExist)
{
    tree.series("Rada|Cislo|PP\nPPrr|5|1");
    tree.freeNumbers("Rada|Cislo|Nenab\nPPrr|2|0\nVPrr|7|1");
    SequenceCheckSetup setup;
    ASSERT_EQ(setup.load(tree.session()), 0);
    MemTable &free = setup.mtVolneCis();
    ASSERT_EQ(free.recordCount(), 2);
    EXPECT_EQ(free.value(1, free.fieldIndex(u"Rada"_s)).toString(), u"VPrr"_s);
    EXPECT_EQ(free.value(1, free.fieldIndex(u"Cislo"_s)).toInt(), 7);
    EXPECT_TRUE(free.value(1, free.fieldIndex(u"Nenab"_s)).toBool());
    EXPECT_FALSE(free.isFiltered());
}

TEST_F(SetupTest, WithoutSeriesTheFreeNumbersAreNotOpened)
{
    tree.year().table(u"CISRADY"_s); // no VOLNECIS at all
    SequenceCheckSetup setup;
    EXPECT_EQ(setup.load(tree.session()), 0);
    EXPECT_TRUE(setup.mtCisRady().isEmpty());
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

struct OpenFailureCase
{
    const char *name;
    bool withSeries;
    const char *missingTable;
};

void PrintTo(const OpenFailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class SetupOpenFailure : public testing::TestWithParam<OpenFailureCase>
{
};

TEST_P(SetupOpenFailure, ShowsTheErrorAndHidesTheOverlay)
{
    const OpenFailureCase &c = GetParam();
    SeqCheckTree tree;
    if (c.withSeries)
        tree.series("Rada|Cislo|PP\nPPrr|5|1");
    SequenceCheckSetup setup;
    tree.progress().showWorking(true, u"Načtení seznamu\rčekejte prosím..."_s);
    EXPECT_EQ(setup.load(tree.session()), -1);
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Error, u"Nastala chyba při otevírání databáze "_s + tree.context().yearDir +
                                                     QString::fromUtf8(c.missingTable) + u".DAT"_s}}));
    EXPECT_FALSE(tree.progress().working);
    EXPECT_EQ(TestSupport::openTableFiles(tree.context().yearDir), QStringList());
}

INSTANTIATE_TEST_SUITE_P(SequenceCheckSetup, SetupOpenFailure,
                         testing::Values(OpenFailureCase{"NoSeriesTable", false, "CISRADY"},
                                         OpenFailureCase{"NoFreeNumberTable", true, "VOLNECIS"}),
                         TestSupport::rowName);

// --- Module filters ---------------------------------------------------------

struct FilterCase
{
    int module;
    const char16_t *filter;
};

void PrintTo(const FilterCase &c, std::ostream *os)
{
    *os << "module " << c.module;
}

class ModuleFilter : public testing::TestWithParam<FilterCase>
{
};

TEST_P(ModuleFilter, IsTheHostsFilterText)
{
    EXPECT_EQ(seriesFilterFor(GetParam().module), QString::fromUtf16(GetParam().filter));
}

INSTANTIATE_TEST_SUITE_P(
    SequenceModules, ModuleFilter,
    testing::Values(
        FilterCase{1, u"(PP = True) OR (VP = True)"}, FilterCase{2, u"(PU = True) OR (VU = True)"},
        FilterCase{3, u"ZA = True"}, FilterCase{4, u"PO = True"}, FilterCase{5, u"ID = True"},
        FilterCase{6, u"(SJ = True) OR (SV = True) OR (DL = True) OR (SM = True) OR (PD = True) OR (SD = True) OR "
                      u"(SA = True)"},
        FilterCase{7, u"VF = True"}, FilterCase{8, u"PF = True"},
        FilterCase{9, u"(PZ = True) OR (VO = True) OR (Na = True) OR (NP = True) OR (PtV = True) OR (PtP = True)"},
        FilterCase{0, u""}, FilterCase{10, u""}),
    [](const testing::TestParamInfo<FilterCase> &paramInfo) {
        return "Module" + std::to_string(paramInfo.param.module);
    });

TEST(SequenceModules, RowFilterSelectsSeriesWithAnyOfTheModulesFlags)
{
    SeqCheckTree tree;
    tree.series(R"(
        Rada | Cislo | PP | VP | PU | SD | PtV
        A    | 2     | 1  | 0  | 0  | 0  | 0
        B    | 2     | 0  | 1  | 1  | 0  | 0
        C    | 2     | 0  | 0  | 0  | 1  | 1
        D    | 2     | 0  | 0  | 0  | 0  | 0
    )");
    tree.year().table(u"VOLNECIS"_s);
    SequenceCheckSetup setup;
    ASSERT_EQ(setup.load(tree.session()), 0);
    MemTable &series = setup.mtCisRady();
    const auto codesOf = [&](int module) {
        series.setFilter(seriesRowFilter(series, module));
        QStringList codes;
        for (int row = 0; row < series.recordCount(); ++row)
            codes.append(series.value(row, series.fieldIndex(u"Rada"_s)).toString());
        return codes;
    };
    EXPECT_EQ(codesOf(1), (QStringList{u"A"_s, u"B"_s}));
    EXPECT_EQ(codesOf(2), QStringList{u"B"_s});
    EXPECT_EQ(codesOf(6), QStringList{u"C"_s});
    EXPECT_EQ(codesOf(9), QStringList{u"C"_s});
    EXPECT_EQ(codesOf(7), QStringList());
    EXPECT_FALSE(bool(seriesRowFilter(series, 0)));
}

} // namespace

// The renumbering plan as a pure rule: numbering from the start number, the
// duplicate rule and the refusals, over plain input.

#include "ops/renumber/RenumberPlan.h"
#include "hostdb/HostTableDef.h"
#include "support/TestSupport.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct Refusal
{
    RenumberRefusalKind kind;
    int row;
    const char16_t *number;
};

struct PlanCase
{
    const char *name;
    const char16_t *prefix;
    int digitCount;
    bool leadingZeros;
    qint64 start;
    std::vector<std::pair<int, const char16_t *>> rows;       // list row, its number now
    std::vector<int> kept;                                    // RecNos keeping their numbers
    std::vector<std::pair<const char16_t *, int>> holders;    // number, RecNo of its first live bearer
    std::vector<std::pair<const char16_t *, qint64>> numbers; // expected: new number, suffix, one per row
    std::optional<Refusal> refusal;
};

class RenumberPlanTest : public testing::TestWithParam<PlanCase>
{
};

TEST_P(RenumberPlanTest, NumbersTheRowsOrRefuses)
{
    const PlanCase &c = GetParam();
    RenumberState series;
    series.seriesPrefix = QString::fromUtf16(c.prefix);
    series.digitCount = c.digitCount;
    series.leadingZeros = c.leadingZeros;
    RenumberPlanInput input;
    input.start = c.start;
    for (const auto &[row, number] : c.rows)
        input.rows.push_back({row, QString::fromUtf16(number)});
    for (const int recNo : c.kept)
        input.keptRecNos.insert(recNo);
    for (const auto &[number, recNo] : c.holders)
        input.holders.insert(HostNames::keyText(QString::fromUtf16(number)), recNo);

    const RenumberPlan plan = planRenumbering(series, input);

    if (c.refusal) {
        ASSERT_TRUE(plan.refusal.has_value());
        EXPECT_EQ(*plan.refusal,
                  (RenumberRefusal{c.refusal->kind, c.refusal->row, QString::fromUtf16(c.refusal->number)}));
        EXPECT_TRUE(plan.numbers.empty());
        return;
    }
    EXPECT_FALSE(plan.refusal.has_value());
    std::vector<PlannedNumber> expected;
    for (size_t i = 0; i < c.numbers.size(); ++i)
        expected.push_back({c.rows.at(i).first, QString::fromUtf16(c.numbers[i].first), c.numbers[i].second});
    EXPECT_EQ(plan.numbers, expected);
}

using Kind = RenumberRefusalKind;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Plans, RenumberPlanTest,
    testing::Values(
        PlanCase{"EveryRowFromTheStart", u"PD", 4, true, 1,
                 {{0, u"PD0005"}, {1, u"PD0003"}, {2, u"PD0009"}}, {},
                 // A bearer that is renumbered itself does not count.
                 {{u"PD0003", 2}},
                 {{u"PD0001", 1}, {u"PD0002", 2}, {u"PD0003", 3}}, std::nullopt},
        PlanCase{"MarkedRowsTakeFreeNumbers", u"PD", 4, true, 6,
                 {{1, u"PD0002"}, {3, u"PD0004"}}, {1, 3, 5}, {},
                 {{u"PD0006", 6}, {u"PD0007", 7}}, std::nullopt},
        PlanCase{"AKeptDocumentBearsTheFirstNumber", u"PD", 4, true, 1,
                 {{1, u"PD0002"}, {3, u"PD0004"}}, {1, 3, 5}, {{u"PD0001", 1}},
                 {}, Refusal{Kind::Duplicate, 1, u"PD0001"}},
        PlanCase{"AKeptDocumentBearsTheSecondNumber", u"PD", 4, true, 2,
                 {{1, u"PD0002"}, {3, u"PD0004"}}, {1, 3, 5}, {{u"PD0002", 2}, {u"PD0003", 3}},
                 {}, Refusal{Kind::Duplicate, 3, u"PD0003"}},
        // The bearer is found by the number's key: case and trailing blanks
        // do not make another number.
        PlanCase{"TheBearersKeyIgnoresCaseAndTrailingBlanks", u"PD", 4, true, 1,
                 {{0, u"PD0002"}}, {7}, {{u"pd0001  ", 7}},
                 {}, Refusal{Kind::Duplicate, 0, u"PD0001"}},
        PlanCase{"ANumberBeyondTheDigitsNamesTheRowsNumber", u"PD", 3, true, 999,
                 {{0, u"PD0001"}, {1, u"PD0002"}}, {}, {},
                 {}, Refusal{Kind::CannotCompose, 1, u"PD0002"}},
        PlanCase{"ANumberTooLongForTheField", u"ABCDEFGH", 0, false, 99,
                 {{4, u"ABCDEFGH01"}, {5, u"ABCDEFGH02"}}, {}, {},
                 {}, Refusal{Kind::CannotCompose, 5, u"ABCDEFGH02"}},
        // The first refusing row decides, whatever a later row would meet.
        PlanCase{"TheFirstRefusalDecides", u"PD", 3, true, 998,
                 {{0, u"PD001"}, {1, u"PD002"}, {2, u"PD003"}}, {9}, {{u"PD999", 9}},
                 {}, Refusal{Kind::Duplicate, 1, u"PD999"}},
        PlanCase{"NoRowsNoNumbers", u"PD", 4, true, 1, {}, {}, {}, {}, std::nullopt}),
    TestSupport::rowName);
// clang-format on

struct CandidateCase
{
    const char *name;
    const char16_t *prefix;
    int digitCount;
    bool leadingZeros;
    qint64 start;
    int count;
    QStringList numbers;
};

class CandidateNumbersTest : public testing::TestWithParam<CandidateCase>
{
};

TEST_P(CandidateNumbersTest, ListsTheComposableNumbersInOrder)
{
    const CandidateCase &c = GetParam();
    RenumberState series;
    series.seriesPrefix = QString::fromUtf16(c.prefix);
    series.digitCount = c.digitCount;
    series.leadingZeros = c.leadingZeros;
    EXPECT_EQ(candidateNumbers(series, c.start, c.count), c.numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Candidates, CandidateNumbersTest,
    testing::Values(CandidateCase{"FromTheStart", u"PD", 4, true, 7, 3, {u"PD0007"_s, u"PD0008"_s, u"PD0009"_s}},
                    CandidateCase{"UpToTheFirstBeyondTheDigits", u"PD", 3, true, 998, 4, {u"PD998"_s, u"PD999"_s}},
                    CandidateCase{"NoRows", u"PD", 4, true, 1, 0, {}}),
    TestSupport::rowName);

} // namespace

// The sequence check's decisions without any table: which numbers count as
// issued, what the check finds at a counter, and how far a series' range
// reaches.

#include "ops/seqcheck/SequenceRules.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

using Kind = CounterFinding::Kind;

struct Document
{
    QString key;
    bool deleted;
};

struct CounterCase
{
    const char *name;
    SeriesFormat series;
    std::vector<Document> documents;
    int counter;
    CounterFinding expected;
};

class CounterFindingTest : public testing::TestWithParam<CounterCase>
{
};

TEST_P(CounterFindingTest, FindsTheCounterPresentMissingOrBeyondTheDigits)
{
    const CounterCase &c = GetParam();
    PresentNumbers present;
    for (const Document &document : c.documents)
        present.add(document.key, document.deleted);
    const CounterFinding finding = checkCounter(c.series, c.counter, present);
    EXPECT_EQ(int(finding.kind), int(c.expected.kind));
    EXPECT_EQ(finding.number, c.expected.number);
}

const SeriesFormat kCash{u"PP18"_s, 4, true};

INSTANTIATE_TEST_SUITE_P(
    SequenceRules, CounterFindingTest,
    testing::Values(
        CounterCase{"ValidDocumentMakesItPresent", kCash, {{u"PP180003"_s, false}}, 3, {Kind::Present, u"PP180003"_s}},
        CounterCase{"NoDocumentIsAGap", kCash, {{u"PP180003"_s, false}}, 2, {Kind::Missing, u"PP180002"_s}},
        CounterCase{"HeldOnlyByDeletedDocumentsIsMissing",
                    kCash,
                    {{u"PP180002"_s, true}, {u"PP180002"_s, true}},
                    2,
                    {Kind::Missing, u"PP180002"_s}},
        CounterCase{"ADeletedAndAValidHolderMakeItPresent",
                    kCash,
                    {{u"PP180002"_s, true}, {u"PP180002"_s, false}},
                    2,
                    {Kind::Present, u"PP180002"_s}},
        // The seek ignores case and trailing blanks; so does the presence.
        CounterCase{"KeyComparedWithoutCaseAndTrailingBlanks",
                    kCash,
                    {{u"pP180002 "_s, false}},
                    2,
                    {Kind::Present, u"PP180002"_s}},
        CounterCase{"WithoutLeadingZeros", SeriesFormat{u"FIN"_s, 0, false}, {}, 12, {Kind::Missing, u"FIN12"_s}},
        CounterCase{
            "WidestCounterOfTheDigitsIsChecked", SeriesFormat{u"ID18"_s, 1, true}, {}, 9, {Kind::Missing, u"ID189"_s}},
        // Nothing is composed, so nothing can be found or listed.
        CounterCase{"CounterWiderThanTheDigitsIsRefused",
                    SeriesFormat{u"ID18"_s, 1, true},
                    {{u"ID1810"_s, false}},
                    10,
                    {Kind::BeyondDigits, QString()}}),
    TestSupport::rowName);

struct TrimCase
{
    const char *name;
    SeriesBounds bounds;
    QList<qint64> offered;
    SeriesBounds expected;
};

class SeriesEndTest : public testing::TestWithParam<TrimCase>
{
};

TEST_P(SeriesEndTest, IsLoweredPastTheOfferedFreeNumbersAtTheEnd)
{
    const TrimCase &c = GetParam();
    const SeriesBounds trimmed = trimSeriesEnd(c.bounds, QSet<qint64>(c.offered.begin(), c.offered.end()));
    EXPECT_EQ(trimmed.start, c.expected.start);
    EXPECT_EQ(trimmed.end, c.expected.end);
}

INSTANTIATE_TEST_SUITE_P(SequenceRules, SeriesEndTest,
                         testing::Values(TrimCase{"NoFreeNumbers", {1, 9}, {}, {1, 9}},
                                         TrimCase{"FreeNumbersAtTheEnd", {1, 9}, {9, 8, 6}, {1, 7}},
                                         TrimCase{"FreeNumbersInsideStayInTheRange", {1, 9}, {3, 4}, {1, 9}},
                                         TrimCase{"StartTheUserRaisedStays", {4, 9}, {9}, {4, 8}},
                                         TrimCase{"EverythingOfferedLeavesNothing", {1, 3}, {1, 2, 3}, {0, 0}},
                                         TrimCase{"NothingIssuedLeavesNothing", {1, 0}, {}, {0, 0}},
                                         TrimCase{"CounterBelowOneLeavesNothing", {1, -1}, {-1}, {0, 0}}),
                         TestSupport::rowName);

} // namespace

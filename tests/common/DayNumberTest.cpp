#include "common/DayNumber.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct DayCase
{
    const char *name;
    QDate date;
    double day;
};

class DayNumberDates : public testing::TestWithParam<DayCase>
{
};

TEST_P(DayNumberDates, ConvertsBothWays)
{
    const DayCase &c = GetParam();
    EXPECT_EQ(DayNumber::fromDate(c.date).value(), c.day);
    EXPECT_EQ(DayNumber(c.day).toDate(), c.date);
}

INSTANTIATE_TEST_SUITE_P(, DayNumberDates,
                         testing::Values(DayCase{"Day1Is31Dec1899", QDate(1899, 12, 31), 1},
                                         DayCase{"Day2Is1Jan1900", QDate(1900, 1, 1), 2},
                                         DayCase{"LeapDay2000", QDate(2000, 2, 29), 36585},
                                         DayCase{"NewYear2018", QDate(2018, 1, 1), 43101},
                                         DayCase{"BeforeTheEpoch", QDate(1899, 12, 1), -29}),
                         TestSupport::rowName);

TEST(DayNumber, ZeroIsEmpty)
{
    EXPECT_TRUE(DayNumber().isEmpty());
    EXPECT_FALSE(DayNumber(0).toDate().isValid());
    EXPECT_FALSE(DayNumber(0).toDateTime().isValid());
    EXPECT_TRUE(DayNumber::fromDate(QDate()).isEmpty());
}

TEST(DayNumber, FractionIsTheTimeOfDay)
{
    const QDateTime noon(QDate(2018, 1, 1), QTime(12, 0));
    EXPECT_DOUBLE_EQ(DayNumber::fromDateTime(noon).value(), 43101.5);
    EXPECT_EQ(DayNumber(43101.5).toDateTime(), noon);
    EXPECT_EQ(DayNumber(43101.75).toTime(), QTime(18, 0));
    EXPECT_EQ(DayNumber(43101.5).day(), 43101);
    // A time just before midnight does not roll into the next day.
    const QDateTime late(QDate(2018, 1, 1), QTime(23, 59, 59, 999));
    EXPECT_EQ(DayNumber::fromDateTime(late).toDateTime(), late);
}

TEST(DayNumber, DamagedValuesStayDefined)
{
    // Values a damaged table can hold: no undefined conversion, no crash.
    for (const double value :
         {1e300, -1e300, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        const DayNumber day(value);
        EXPECT_LE(std::abs(day.day()), 100000000);
        EXPECT_TRUE(day.toTime().isValid());
        (void)day.toDateTime();
    }
}

} // namespace

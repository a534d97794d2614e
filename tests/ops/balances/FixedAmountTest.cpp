// Exact amounts: rounding a stored double to four decimals once, then integer
// sums.

#include "ops/balances/FixedAmount.h"
#include "support/TestSupport.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

struct RoundingCase
{
    const char *name;
    double stored;
    const char *exact; // empty: refused
};

class FixedAmountRoundingTest : public testing::TestWithParam<RoundingCase>
{
};

TEST_P(FixedAmountRoundingTest, StoredValueToFourDecimals)
{
    const auto amount = FixedAmount::fromDouble(GetParam().stored);
    const QString exact = QString::fromUtf8(GetParam().exact);
    if (exact.isEmpty()) {
        EXPECT_FALSE(amount.has_value());
        return;
    }
    ASSERT_TRUE(amount.has_value());
    EXPECT_EQ(amount->toString(), exact);
}

INSTANTIATE_TEST_SUITE_P(FixedAmount, FixedAmountRoundingTest,
                         testing::Values(RoundingCase{"Tenth", 0.1, "0.1000"},        // 0.1000000000000000055…
                                         RoundingCase{"Cents", 1234.56, "1234.5600"}, // 1234.5599999999999454…
                                         RoundingCase{"HalfUp", 1.23455, "1.2346"},   // nearest double above the half
                                         RoundingCase{"NegativeHalf", -0.00005, "-0.0001"},
                                         RoundingCase{"BelowTheLastDigit", 0.00004, "0.0000"},
                                         RoundingCase{"LargestTaken", 1.0e11, "100000000000.0000"},
                                         RoundingCase{"LargeWithCents", 98765432109.87, "98765432109.8700"},
                                         RoundingCase{"TooLarge", 1.0e12, ""}, RoundingCase{"TooSmall", -1.0e12, ""},
                                         RoundingCase{"Infinite", std::numeric_limits<double>::infinity(), ""},
                                         RoundingCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), ""}),
                         TestSupport::rowName);

TEST(FixedAmountTest, ManyTenthsSumExactly)
{
    FixedAmount sum;
    const FixedAmount tenth = *FixedAmount::fromDouble(0.1);
    double binary = 0.0;
    for (int i = 0; i < 1000000; ++i) {
        ASSERT_TRUE(sum.add(tenth));
        binary += 0.1;
    }
    EXPECT_EQ(sum.toString(), u"100000.0000"_s);
    EXPECT_NE(binary, 100000.0); // what the exact sum avoids
    EXPECT_EQ(sum.toDouble(), 100000.0);
}

TEST(FixedAmountTest, NegativeTextAndSubtraction)
{
    FixedAmount balance = FixedAmount::fromUnits(300000); // 30
    ASSERT_TRUE(balance.subtract(FixedAmount::fromUnits(1000005)));
    EXPECT_EQ(balance.toString(), u"-70.0005"_s);
    EXPECT_EQ(FixedAmount::fromUnits(-5).toString(), u"-0.0005"_s);
    EXPECT_EQ(FixedAmount().toString(), u"0.0000"_s);
}

TEST(FixedAmountTest, OverflowLeavesTheValueAndSaysSo)
{
    FixedAmount big = FixedAmount::fromUnits(std::numeric_limits<qint64>::max() - 1);
    EXPECT_FALSE(big.add(FixedAmount::fromUnits(2)));
    EXPECT_EQ(big.units(), std::numeric_limits<qint64>::max() - 1);
    FixedAmount low = FixedAmount::fromUnits(std::numeric_limits<qint64>::min() + 1);
    EXPECT_FALSE(low.subtract(FixedAmount::fromUnits(2)));
    EXPECT_EQ(low.units(), std::numeric_limits<qint64>::min() + 1);
    EXPECT_EQ(FixedAmount::fromUnits(std::numeric_limits<qint64>::min()).toString(), u"-922337203685477.5808"_s);
}

} // namespace

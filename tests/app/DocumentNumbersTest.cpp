#include "app/core/DocumentNumbers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct CompositionCase
{
    const char *name;
    QString prefix;
    int digitCount;
    bool leadingZeros;
    qint64 counter;
    QString number;
    bool ok;
};

class ComposeDocumentNumber : public testing::TestWithParam<CompositionCase>
{
};

TEST_P(ComposeDocumentNumber, FollowsTheSeriesRules)
{
    const CompositionCase &c = GetParam();
    const ComposedNumber composed = composeDocumentNumber(c.prefix, c.digitCount, c.leadingZeros, c.counter);
    EXPECT_EQ(composed.number, c.number);
    EXPECT_EQ(composed.ok, c.ok);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposeDocumentNumber,
    testing::Values(CompositionCase{"ZeroPadded", u"PD"_s, 4, true, 7, u"PD0007"_s, true},
                    CompositionCase{"PaddedToTheFullWidth", u"PD"_s, 4, true, 9999, u"PD9999"_s, true},
                    CompositionCase{"BeyondFourDigitsFailsEmpty", u"PD"_s, 4, true, 12345, QString(), false},
                    CompositionCase{"ThreeDigitsLastNumber", u"PD"_s, 3, true, 999, u"PD999"_s, true},
                    CompositionCase{"ThreeDigitsOneMoreFails", u"PD"_s, 3, true, 1000, QString(), false},
                    CompositionCase{"SixDigitsSetNoLimit", u"PD"_s, 6, true, 1234567, u"PD1234567"_s, true},
                    CompositionCase{"SixDigitsPadded", u"PD"_s, 6, true, 999999, u"PD999999"_s, true},
                    CompositionCase{"ZeroDigitsNoPadding", u"PD"_s, 0, true, 42, u"PD42"_s, true},
                    CompositionCase{"WithoutZeros", u"PD"_s, 4, false, 7, u"PD7"_s, true},
                    CompositionCase{"WithoutZerosNoLimit", u"PD"_s, 2, false, 12345, u"PD12345"_s, true},
                    CompositionCase{"TenCharactersFit", u"ABCDEFGH"_s, 2, true, 99, u"ABCDEFGH99"_s, true},
                    CompositionCase{"ElevenCharactersFailButKeepTheText", u"ABCDEFGH"_s, 3, true, 100, u"ABCDEFGH100"_s,
                                    false},
                    CompositionCase{"LongWithoutZeros", u"ABCDEFGH"_s, 0, false, 100, u"ABCDEFGH100"_s, false}),
    TestSupport::rowName);

} // namespace

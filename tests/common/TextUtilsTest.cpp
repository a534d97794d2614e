#include "common/TextUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(TextUtils, QuoteAndUnquote)
{
    EXPECT_EQ(TextUtils::quoteText(u"a b"_s), u"\"a b\""_s);
    EXPECT_EQ(TextUtils::unquoteText(u"\"a b\""_s), u"a b"_s);
    EXPECT_EQ(TextUtils::unquoteText(u"\"\""_s), QString());
    EXPECT_EQ(TextUtils::unquoteText(u"\""_s), u"\""_s); // one character: unchanged
    EXPECT_EQ(TextUtils::unquoteText(u"\"abc"_s), u"\"abc"_s);
    EXPECT_EQ(TextUtils::unquoteText(u"abc"_s), u"abc"_s);
}

TEST(TextUtils, CodeListMembershipIsByWholeCodes)
{
    const QString list = u"A1;B2;"_s;
    EXPECT_TRUE(TextUtils::codeListContains(list, u"A1"_s));
    EXPECT_TRUE(TextUtils::codeListContains(list, u"B2"_s));
    EXPECT_FALSE(TextUtils::codeListContains(list, u"A"_s));
    EXPECT_FALSE(TextUtils::codeListContains(list, u"1;B"_s));
    EXPECT_FALSE(TextUtils::codeListContains(list, u"a1"_s)); // case matters
    EXPECT_FALSE(TextUtils::codeListContains(QString(), u"A1"_s));
}

TEST(TextUtils, AsciiKeepsLettersWithoutTheirAccents)
{
    const std::pair<QString, QString> cases[] = {
        {u"Tisková sestava"_s, u"Tiskova sestava"_s},
        {u"Účetní protokol – přečíslování ŘÁDKŮ"_s, u"Ucetni protokol - precislovani RADKU"_s},
        {u"Kovárna Šťastný s.r.o.\u00A0№ 5"_s, u"Kovarna Stastny s.r.o. No 5"_s}, // compatibility forms
        {u"Seznam • dokladů €"_s, u"Seznam _ dokladu _"_s},
        {QString(), QString()},
    };
    for (const auto &[text, ascii] : cases)
        EXPECT_EQ(TextUtils::toAscii(text), ascii) << text.toStdString();
}

TEST(TextUtils, SplittingDropsATrailingPartWithoutSemicolon)
{
    EXPECT_EQ(TextUtils::splitCodeList(u"A;B"_s), QStringList{u"A"_s});
    EXPECT_EQ(TextUtils::splitCodeList(u"A;B;"_s), QStringList({u"A"_s, u"B"_s}));
    EXPECT_EQ(TextUtils::splitCodeList(u";"_s), QStringList{QString()});
    EXPECT_TRUE(TextUtils::splitCodeList(u"A"_s).isEmpty());
    EXPECT_EQ(TextUtils::joinCodeList(TextUtils::splitCodeList(u"A;B"_s)), u"A;"_s);
}

struct PictureCase
{
    const char *name;
    QString picture;
    double value;
    QString expected;
};

class FloatPictures : public testing::TestWithParam<PictureCase>
{
};

TEST_P(FloatPictures, Format)
{
    const PictureCase &c = GetParam();
    EXPECT_EQ(TextUtils::formatFloat(c.picture, c.value, u','), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    , FloatPictures,
    testing::Values(PictureCase{"GroupsByBlanks", u"# ### ### ##0.00"_s, 1234567.891, u"1 234 567,89"_s},
                    PictureCase{"SmallValueDropsLeadingBlanks", u"# ### ### ##0.00"_s, 5, u"5,00"_s},
                    PictureCase{"ZeroKeepsTheZeroPlaceholder", u"# ### ### ##0.00"_s, 0, u"0,00"_s},
                    PictureCase{"Negative", u"# ### ### ##0.00"_s, -1234.5, u"-1 234,50"_s},
                    PictureCase{"NegativeRoundsToZero", u"0.00"_s, -0.001, u"0,00"_s},
                    PictureCase{"OptionalDecimals", u"0.##"_s, 2.5, u"2,5"_s},
                    PictureCase{"NoDecimalsRounds", u"0"_s, 2.6, u"3"_s},
                    PictureCase{"HashOnlyHidesZero", u"#.##"_s, 0.5, u",5"_s},
                    PictureCase{"CommaThousands", u"#,##0.00"_s, 1234567.5, u"1\u00A0234\u00A0567,50"_s},
                    PictureCase{"LeadingZeros", u"0000"_s, 42, u"0042"_s},
                    PictureCase{"QuotedLiteral", u"0.00 'Kč'"_s, 10, u"10,00 Kč"_s},
                    PictureCase{"Sections", u"0.00;(0.00);'nula'"_s, -3, u"(3,00)"_s},
                    PictureCase{"ZeroSection", u"0.00;(0.00);'nula'"_s, 0, u"nula"_s},
                    PictureCase{"Exponent", u"0.00E+00"_s, 12345, u"1,23E+04"_s}),
    TestSupport::rowName);

} // namespace

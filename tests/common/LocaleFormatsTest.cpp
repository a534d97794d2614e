#include "common/LocaleFormats.h"
#include "common/Clock.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct SeparatorCase
{
    const char *name;
    QString format, separator;
    QString expectedFormat, expectedSeparator;
};

class DateSeparatorShortening : public testing::TestWithParam<SeparatorCase>
{
};

TEST_P(DateSeparatorShortening, ShortensToOneCharacter)
{
    const SeparatorCase &c = GetParam();
    LocaleFormats formats;
    formats.shortDateFormat = c.format;
    formats.dateSeparator = c.separator;
    formats.shortenDateSeparator();
    EXPECT_EQ(formats.shortDateFormat, c.expectedFormat);
    EXPECT_EQ(formats.dateSeparator, c.expectedSeparator);
}

INSTANTIATE_TEST_SUITE_P(
    , DateSeparatorShortening,
    testing::Values(SeparatorCase{"DotAndBlank", u"d. M. yyyy"_s, u". "_s, u"d.M.yyyy"_s, u"."_s},
                    SeparatorCase{"OneCharacterIsLeftAlone", u"dd/MM/yyyy"_s, u"/"_s, u"dd/MM/yyyy"_s, u"/"_s},
                    SeparatorCase{"BlankDotBlankKeepsTheDot", u"d . M . yyyy"_s, u" . "_s, u"d.M.yyyy"_s, u"."_s},
                    SeparatorCase{"TwoCharactersKeepTheFirst", u"d-/M-/yyyy"_s, u"-/"_s, u"d-M-yyyy"_s, u"-"_s},
                    // Only blanks: nothing to shorten to, so the locale's format stays.
                    SeparatorCase{"OnlyBlanks", u"d  M  yyyy"_s, u"  "_s, u"d  M  yyyy"_s, u"  "_s}),
    TestSupport::rowName);

struct ParseCase
{
    const char *name;
    QString format, separator, text;
    QDate expected; // invalid: rejected
};

class DateParsing : public testing::TestWithParam<ParseCase>
{
protected:
    void SetUp() override
    {
        Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 10), QTime(9, 0))));
    }
    void TearDown() override { Clock::setCurrent(nullptr); }
};

TEST_P(DateParsing, FollowsTheFormatsOrder)
{
    const ParseCase &c = GetParam();
    LocaleFormats formats;
    formats.shortDateFormat = c.format;
    formats.dateSeparator = c.separator;
    const auto parsed = formats.parseDate(c.text);
    if (c.expected.isValid()) {
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, c.expected);
    } else {
        EXPECT_FALSE(parsed.has_value()) << parsed->toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    , DateParsing,
    testing::Values(ParseCase{"Czech", u"d.M.yyyy"_s, u"."_s, u"31.12.2017"_s, QDate(2017, 12, 31)},
                    ParseCase{"TwoDigitYear", u"d.M.yyyy"_s, u"."_s, u"1.1.18"_s, QDate(2018, 1, 1)},
                    ParseCase{"TwoDigitYearLastCentury", u"d.M.yyyy"_s, u"."_s, u"1.1.80"_s, QDate(1980, 1, 1)},
                    ParseCase{"BlanksAround", u"d.M.yyyy"_s, u"."_s, u" 5. 6. 2019 "_s, QDate(2019, 6, 5)},
                    ParseCase{"MonthFirst", u"M/d/yyyy"_s, u"/"_s, u"12/31/2017"_s, QDate(2017, 12, 31)},
                    ParseCase{"YearFirst", u"yyyy-MM-dd"_s, u"-"_s, u"2017-12-31"_s, QDate(2017, 12, 31)},
                    ParseCase{"Letters", u"d.M.yyyy"_s, u"."_s, u"abc"_s, QDate()},
                    ParseCase{"Empty", u"d.M.yyyy"_s, u"."_s, u""_s, QDate()},
                    ParseCase{"ThreeDigitDay", u"d.M.yyyy"_s, u"."_s, u"031.12.2017"_s, QDate()},
                    ParseCase{"ThreeDigitYear", u"d.M.yyyy"_s, u"."_s, u"31.12.201"_s, QDate()},
                    ParseCase{"NoSuchDay", u"d.M.yyyy"_s, u"."_s, u"30.2.2018"_s, QDate()},
                    ParseCase{"WrongSeparator", u"d.M.yyyy"_s, u"."_s, u"31/12/2017"_s, QDate()},
                    ParseCase{"TwoParts", u"d.M.yyyy"_s, u"."_s, u"31.12"_s, QDate()}),
    TestSupport::rowName);

TEST(LocaleFormats, FormatsDatesAndTimes)
{
    LocaleFormats f = LocaleFormats::czech();
    EXPECT_EQ(f.formatDate(QDate(2018, 1, 5)), u"5.1.2018"_s);
    f.shortDateFormat = u"dd.MM.yy"_s;
    EXPECT_EQ(f.formatDate(QDate(2018, 1, 5)), u"05.01.18"_s);
    EXPECT_EQ(f.formatTime(QTime(8, 5, 3)), u"8:05:03"_s);
    f.longTimeFormat = u"h:mm:ss AP"_s;
    EXPECT_EQ(f.formatTime(QTime(13, 5, 3)), u"1:05:03 PM"_s);
    EXPECT_EQ(f.parseTime(u"1:05:03 PM"_s), QTime(13, 5, 3));
    EXPECT_EQ(f.formatDate(QDate()), QString());
}

TEST(LocaleFormats, ParsesFloatsWithTheLocaleSeparatorOnly)
{
    const LocaleFormats comma = LocaleFormats::czech();
    EXPECT_EQ(comma.parseFloat(u"12,50"_s), 12.5);
    EXPECT_EQ(comma.parseFloat(u" -3 "_s), -3.0);
    EXPECT_EQ(comma.parseFloat(u",5"_s), 0.5);
    EXPECT_EQ(comma.parseFloat(u"1,5E3"_s), 1500.0);
    EXPECT_FALSE(comma.parseFloat(u"12.50"_s).has_value());
    EXPECT_FALSE(comma.parseFloat(u""_s).has_value());
    EXPECT_FALSE(comma.parseFloat(u"1 000"_s).has_value());
    EXPECT_FALSE(comma.parseFloat(u"1e"_s).has_value());
    LocaleFormats dot = comma;
    dot.decimalSeparator = u'.';
    EXPECT_EQ(dot.parseFloat(u"12.50"_s), 12.5);
    EXPECT_FALSE(dot.parseFloat(u"12,50"_s).has_value());
}

TEST(LocaleFormats, GeneralNumberFormat)
{
    const LocaleFormats comma = LocaleFormats::czech();
    EXPECT_EQ(comma.formatGeneral(12.5), u"12,5"_s);
    EXPECT_EQ(comma.formatGeneral(13), u"13"_s);
    EXPECT_EQ(comma.formatGeneral(0), u"0"_s);
    EXPECT_EQ(comma.formatGeneral(-0.25), u"-0,25"_s);
    EXPECT_EQ(comma.formatGeneral(0.1 + 0.2), u"0,3"_s); // 15 significant digits
    EXPECT_EQ(comma.formatGeneral(1e20), u"1E20"_s);
    EXPECT_EQ(comma.formatGeneral(123456.789), u"123456,789"_s);
    EXPECT_EQ(comma.formatGeneral(999999999999999.0), u"999999999999999"_s);
    EXPECT_EQ(comma.formatGeneral(1e15), u"1E15"_s);
    // Fixed-point down to 0.00001, as the report's General number format.
    EXPECT_EQ(comma.formatGeneral(0.00005), u"0,00005"_s);
    EXPECT_EQ(comma.formatGeneral(0.00001), u"0,00001"_s);
    EXPECT_EQ(comma.formatGeneral(-0.000001), u"-1E-6"_s);
    EXPECT_EQ(comma.formatGeneral(1.5e-7), u"1,5E-7"_s);
}

struct LocaleCase
{
    const char *name;
    QLocale locale;
    QString shortDate;
    QChar decimal;
};

class FormatsOfALocale : public testing::TestWithParam<LocaleCase>
{
};

// The short date shows a four-digit year; a locale without a numeric short
// date gives the host's Czech formats.
TEST_P(FormatsOfALocale, ShortDateHasFourDigitYearsOrFallsBackToCzech)
{
    const LocaleCase &c = GetParam();
    const LocaleFormats formats = LocaleFormats::fromLocale(c.locale);
    EXPECT_EQ(formats.shortDateFormat, c.shortDate);
    EXPECT_EQ(formats.decimalSeparator, c.decimal);
    EXPECT_EQ(formats.formatDate(QDate(2026, 12, 11)).count(u"2026"_s), 1);
}

INSTANTIATE_TEST_SUITE_P(
    , FormatsOfALocale,
    testing::Values(LocaleCase{"CPosix", QLocale::c(), u"d.M.yyyy"_s, u','},
                    LocaleCase{"Czech", QLocale(QLocale::Czech, QLocale::Czechia), u"dd.MM.yyyy"_s, u','},
                    LocaleCase{"Slovak", QLocale(QLocale::Slovak, QLocale::Slovakia), u"d. M. yyyy"_s, u','},
                    LocaleCase{"German", QLocale(QLocale::German, QLocale::Germany), u"dd.MM.yyyy"_s, u','},
                    LocaleCase{"AmericanEnglish", QLocale(QLocale::English, QLocale::UnitedStates), u"M/d/yyyy"_s,
                               u'.'}),
    TestSupport::rowName);

TEST(LocaleFormats, TwoDigitYearsStillReadBackUnderAFourDigitFormat)
{
    Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 10), QTime(9, 0))));
    const LocaleFormats czech = LocaleFormats::fromLocale(QLocale(QLocale::Czech, QLocale::Czechia));
    EXPECT_EQ(czech.parseDate(u"01.03.18"_s), QDate(2018, 3, 1));
    EXPECT_EQ(czech.formatDate(QDate(2018, 3, 1)), u"01.03.2018"_s);
    Clock::setCurrent(nullptr);
}

TEST(LocaleFormats, SystemFormatsHaveNoTimeZone)
{
    const LocaleFormats system = LocaleFormats::fromSystem();
    EXPECT_FALSE(system.shortDateFormat.isEmpty());
    EXPECT_FALSE(system.longTimeFormat.contains(u't'));
    EXPECT_FALSE(system.dateSeparator.isEmpty());
}

} // namespace

// Date-time pictures of FORMATDT and of the print date and time, over
// 15.3.2018 14:30:45 (a Thursday) in Czech formats.

#include "report/core/expr/DateTimeFormat.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double kDatum = 43174.6046875;

struct PictureCase
{
    const char *name;
    QString picture;
    double value;
    QString expected;
};

class DateTimePictures : public testing::TestWithParam<PictureCase>
{
};

TEST_P(DateTimePictures, Format)
{
    const PictureCase &c = GetParam();
    EXPECT_EQ(DateTimeFormat::format(c.picture, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    , DateTimePictures,
    testing::Values(PictureCase{"DayMonthYear", u"d.m.yyyy"_s, kDatum, u"15.3.2018"_s},
                    PictureCase{"TwoDigits", u"dd.mm.yy"_s, 43102.0, u"02.01.18"_s},
                    PictureCase{"ShortNames", u"ddd d. mmm"_s, kDatum, u"čt 15. bře"_s},
                    PictureCase{"LongNames", u"dddd d. mmmm"_s, kDatum, u"čtvrtek 15. březen"_s},
                    PictureCase{"LettersInAnyCase", u"DD.MM.YYYY HH:NN"_s, kDatum, u"15.03.2018 14:30"_s},
                    PictureCase{"MinutesAfterHourMonthAfterDay", u"hh:mm dd.mm"_s, kDatum, u"14:30 15.03"_s},
                    PictureCase{"Milliseconds", u"hh:nn:ss.zzz"_s, kDatum + 0.123 / 86400, u"14:30:45.123"_s},
                    PictureCase{"ShortTime", u"t"_s, kDatum, u"14:30"_s},
                    PictureCase{"LongTime", u"tt"_s, kDatum, u"14:30:45"_s},
                    PictureCase{"ShortDate", u"ddddd"_s, kDatum, u"15.3.2018"_s},
                    PictureCase{"DateSeparator", u"d/m/yyyy"_s, kDatum, u"15.3.2018"_s},
                    PictureCase{"TwelveHourUpper", u"h AM/PM"_s, kDatum, u"2 PM"_s},
                    PictureCase{"TwelveHourShort", u"hh a/p"_s, 43174.25, u"06 a"_s},
                    PictureCase{"HalfOfDayOfTheLocale", u"h ampm"_s, kDatum, u"2 odp."_s},
                    PictureCase{"NoonIsTwelve", u"h am/pm"_s, 43174.5, u"12 pm"_s},
                    PictureCase{"QuotedLiterals", u"'rok' yyyy \"(d)\""_s, kDatum, u"rok 2018 (d)"_s},
                    PictureCase{"DateAndTime", u"c"_s, kDatum, u"15.3.2018 14:30:45"_s},
                    PictureCase{"MidnightHasNoTime", u"c"_s, 43174.0, u"15.3.2018"_s},
                    PictureCase{"EmptyPictureIsC", QString(), 43174.0, u"15.3.2018"_s},
                    PictureCase{"BeforeTheEpoch", u"d.m.yyyy hh:nn"_s, -1.25, u"29.12.1899 06:00"_s},
                    PictureCase{"OutOfRange", u"d"_s, 3e6, QString()}),
    TestSupport::rowName);

TEST(DateTimeFormat, RangeOfDays)
{
    EXPECT_EQ(DateTimeFormat::toDateTime(-693593.0)->date, QDate(1, 1, 1));
    EXPECT_EQ(DateTimeFormat::toDateTime(2958465.0)->date, QDate(9999, 12, 31));
    EXPECT_FALSE(DateTimeFormat::toDateTime(2958466.0));
    EXPECT_FALSE(DateTimeFormat::toDateTime(-693594.0));
    EXPECT_FALSE(DateTimeFormat::toDateTime(std::nan("")));
}

} // namespace

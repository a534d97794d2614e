// The module-choice settings and the period arithmetic.

#include "ops/edited/EditedSettings.h"
#include "EditedTestSupport.h"
#include "common/IniFile.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

struct PeriodCase
{
    const char *name;
    int index;
    QDate today;
    QDate from;
    QDate to;
};

void PrintTo(const PeriodCase &c, std::ostream *os)
{
    *os << c.name;
}

class PeriodTest : public testing::TestWithParam<PeriodCase>
{
};

TEST_P(PeriodTest, DatesFromToday)
{
    const PeriodCase &c = GetParam();
    const auto range = EditedPeriods::range(c.index, c.today);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->first, c.from);
    EXPECT_EQ(range->second, c.to);
}

// 2018-03-07 is a Wednesday; weeks begin on Monday.
INSTANTIATE_TEST_SUITE_P(
    Cases, PeriodTest,
    testing::Values(
        PeriodCase{"Dnes", 1, QDate(2018, 3, 7), QDate(2018, 3, 7), QDate(2018, 3, 7)},
        PeriodCase{"VceraOverTheYearsEnd", 2, QDate(2018, 1, 1), QDate(2017, 12, 31), QDate(2017, 12, 31)},
        PeriodCase{"TentoTyden", 3, QDate(2018, 3, 7), QDate(2018, 3, 5), QDate(2018, 3, 11)},
        PeriodCase{"TentoTydenOnAMonday", 3, QDate(2018, 3, 5), QDate(2018, 3, 5), QDate(2018, 3, 11)},
        PeriodCase{"TentoTydenOnASunday", 3, QDate(2018, 3, 11), QDate(2018, 3, 5), QDate(2018, 3, 11)},
        PeriodCase{"MinulyTyden", 4, QDate(2018, 3, 7), QDate(2018, 2, 26), QDate(2018, 3, 4)},
        PeriodCase{"MinulyTydenOnASunday", 4, QDate(2018, 3, 11), QDate(2018, 2, 26), QDate(2018, 3, 4)},
        PeriodCase{"TentoMesicOfFebruaryInALeapYear", 5, QDate(2020, 2, 10), QDate(2020, 2, 1), QDate(2020, 2, 29)},
        PeriodCase{"MinulyMesicInJanuary", 6, QDate(2018, 1, 15), QDate(2017, 12, 1), QDate(2017, 12, 31)},
        PeriodCase{"MinulyMesicOnTheThirtyFirst", 6, QDate(2018, 3, 31), QDate(2018, 2, 1), QDate(2018, 2, 28)},
        PeriodCase{"TentoRok", 7, QDate(2018, 3, 7), QDate(2018, 1, 1), QDate(2018, 12, 31)}),
    [](const testing::TestParamInfo<PeriodCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST(PeriodList, OdDoAndUnknownIndexesLeaveTheDates)
{
    EXPECT_FALSE(EditedPeriods::range(0, QDate(2018, 3, 7)).has_value());
    EXPECT_FALSE(EditedPeriods::range(8, QDate(2018, 3, 7)).has_value());
    EXPECT_EQ(EditedPeriods::texts().size(), 8);
    EXPECT_EQ(EditedPeriods::texts().at(0), u"období od-do"_s);
}

TEST(EditedSettingsFile, DefaultsWhenNothingIsSaved)
{
    EditedFixture fixture;
    IniFile ini(fixture.context().configIniPath);
    const EditedSettings settings = EditedSettings::read(ini, u"001"_s, QDate(2018, 3, 7));
    EXPECT_EQ(settings.module, 1);
    EXPECT_FALSE(settings.dateFilter);
    EXPECT_EQ(settings.period, 5);
    EXPECT_EQ(settings.dateFrom, QDate(2018, 3, 7));
    EXPECT_EQ(settings.dateTo, QDate(2018, 3, 7));
    EXPECT_FALSE(settings.ignoreOwn);
    EXPECT_FALSE(settings.useChangeFrom);
    EXPECT_EQ(settings.changeFrom, QDate(2018, 3, 7));
}

TEST(EditedSettingsFile, SavedPerCompanyWithDatesOnlyWhileTheirSwitchIsOn)
{
    EditedFixture fixture;
    IniFile ini(fixture.context().configIniPath);
    EditedSettings settings;
    settings.module = 9;
    settings.dateFilter = true;
    settings.period = 0;
    settings.dateFrom = QDate(2018, 2, 1);
    settings.dateTo = QDate(2018, 2, 28);
    settings.ignoreOwn = true;
    settings.useChangeFrom = false;
    settings.changeFrom = QDate(2018, 1, 1);
    ASSERT_TRUE(settings.write(ini, u"001"_s));

    EXPECT_EQ(ini.ReadSectionValues(u"AKCEBAREV001"_s), QStringList{u"Modul=9"_s});
    EXPECT_EQ(ini.ReadSectionValues(u"BAREVODLIS001"_s),
              (QStringList{u"DatVystaveni=1"_s, u"DatVystObdobi=0"_s, u"DatumVystOd=1.2.2018"_s,
                           u"DatumVystDo=28.2.2018"_s, u"IgnorUzivatel=1"_s, u"UseZmenaOd=0"_s}));
    const EditedSettings back = EditedSettings::read(ini, u"001"_s, QDate(2018, 3, 7));
    EXPECT_EQ(back.module, 9);
    EXPECT_TRUE(back.dateFilter);
    EXPECT_EQ(back.dateFrom, QDate(2018, 2, 1));
    EXPECT_EQ(back.dateTo, QDate(2018, 2, 28));
    EXPECT_TRUE(back.ignoreOwn);
    EXPECT_EQ(back.changeFrom, QDate(2018, 3, 7)); // not written: today
    // Another company has its own choices.
    EXPECT_EQ(EditedSettings::read(ini, u"002"_s, QDate(2018, 3, 7)).module, 1);
}

TEST(EditedSettingsFile, UnreadableDateFallsToToday)
{
    EditedFixture fixture;
    IniFile ini(fixture.context().configIniPath);
    ini.WriteString(u"BAREVODLIS001"_s, u"ZmenaOd"_s, u"31.2.2018"_s);
    ini.WriteString(u"BAREVODLIS001"_s, u"DatumVystOd"_s, u"zítra"_s);
    const EditedSettings settings = EditedSettings::read(ini, u"001"_s, QDate(2018, 3, 7));
    EXPECT_EQ(settings.changeFrom, QDate(2018, 3, 7));
    EXPECT_EQ(settings.dateFrom, QDate(2018, 3, 7));
}

} // namespace

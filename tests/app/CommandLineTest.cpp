// The host's command line: "?NAME=value?NAME" parameters, scanned from the
// joined process arguments; directories and codes derived from the year.

#include "app/core/CommandLine.h"
#include "common/MemTable.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

struct ScanCase
{
    const char *name;
    QStringList arguments;
    QList<std::pair<QString, QString>> expected; // Nazev, Hodnota in order
};

void PrintTo(const ScanCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScanCommandLine : public testing::TestWithParam<ScanCase>
{
};

TEST_P(ScanCommandLine, FillsTheParameterListInOrder)
{
    MemTable mtParametry;
    CommandLine::scanCommandLine(GetParam().arguments, mtParametry);
    QList<std::pair<QString, QString>> found;
    for (int row = 0; row < mtParametry.recordCount(); ++row)
        found.append({mtParametry.value(row, 0).toString(), mtParametry.value(row, 1).toString()});
    EXPECT_EQ(found, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanCommandLine,
    testing::Values(
        ScanCase{"NoArguments", {}, {}},
        ScanCase{"TwoParametersSeparatedByABlank",
                 {u"?MAIN=/data?MAIN"_s, u"?AKTROK=/data/Agenda.001/Rok.2018?AKTROK"_s},
                 {{u"MAIN"_s, u"/data"_s}, {u"AKTROK"_s, u"/data/Agenda.001/Rok.2018"_s}}},
        ScanCase{"NoClosingMarkerRecordsNothing", {u"?MAIN=x"_s}, {}},
        ScanCase{"MissingMarkerStopsTheScanThere",
                 {u"?MAIN=a?MAIN"_s, u"?AKTROK=b"_s, u"?MVERZE=13?MVERZE"_s},
                 {{u"MAIN"_s, u"a"_s}}},
        ScanCase{"NameUpperCasedMarkerFoundInAnyCase", {u"?main=/X?MAIN"_s}, {{u"MAIN"_s, u"/X"_s}}},
        ScanCase{"ValueKeepsItsCase", {u"?MAIN=/Data/x?main"_s}, {{u"MAIN"_s, u"/Data/x"_s}}},
        ScanCase{"EqualsBeforeTheFirstQuestionMarkStops", {u"a=b"_s, u"?MAIN=x?MAIN"_s}, {}},
        ScanCase{"TextBeforeAParameterIsSkipped", {u"junk"_s, u"?MAIN=x?MAIN"_s}, {{u"MAIN"_s, u"x"_s}}},
        ScanCase{"ValueSplitOverArgumentsRebuiltWithSingleBlanks",
                 {u"?AKTJMENO=Jan"_s, u"Novák?AKTJMENO"_s},
                 {{u"AKTJMENO"_s, u"Jan Novák"_s}}},
        ScanCase{
            "ValueWithEqualsAndQuestionMark", {u"?AKTCFGNAME=a=b?c?AKTCFGNAME"_s}, {{u"AKTCFGNAME"_s, u"a=b?c"_s}}},
        ScanCase{"EmptyValueIsRecorded", {u"?AKTJMENO=?AKTJMENO"_s}, {{u"AKTJMENO"_s, QString()}}},
        ScanCase{"ValueNotTrimmed", {u"?AKTHESLO= x ?AKTHESLO"_s}, {{u"AKTHESLO"_s, u" x "_s}}},
        ScanCase{"ValueRunningOverTheArgumentEndKeepsTheBlank", {u"?MAIN=x"_s, u"?MAIN"_s}, {{u"MAIN"_s, u"x "_s}}},
        ScanCase{
            "NameMayOccurTwice", {u"?MAIN=a?MAIN"_s, u"?MAIN=b?MAIN"_s}, {{u"MAIN"_s, u"a"_s}, {u"MAIN"_s, u"b"_s}}}),
    TestSupport::rowName);

TEST(ScanCommandLine, ValuesAreCutTo255Characters)
{
    MemTable mtParametry;
    CommandLine::scanCommandLine({u"?MAIN="_s + QString(300, u'x') + u"?MAIN"_s}, mtParametry);
    ASSERT_EQ(mtParametry.recordCount(), 1);
    EXPECT_EQ(mtParametry.value(0, 1).toString().size(), 255);
}

TEST(ScanCommandLine, LookupFindsTheFirstRowByWholeNameInAnyCase)
{
    MemTable mtParametry;
    CommandLine::scanCommandLine({u"?MAINX=a?MAINX"_s, u"?MAIN=b?MAIN"_s, u"?MAIN=c?MAIN"_s}, mtParametry);
    EXPECT_EQ(CommandLine::parameterValue(mtParametry, u"main"_s), std::optional<QString>(u"b"_s));
    EXPECT_EQ(CommandLine::parameterValue(mtParametry, u"MAI"_s), std::nullopt);
}

TEST(ScanCommandLine, RescanEmptiesTheList)
{
    MemTable mtParametry;
    CommandLine::scanCommandLine({u"?MAIN=a?MAIN"_s}, mtParametry);
    CommandLine::scanCommandLine({}, mtParametry);
    EXPECT_EQ(mtParametry.recordCount(), 0);
}

TEST(FindLastFromEnd, CountsFromTheEnd)
{
    EXPECT_EQ(findLastFromEnd(u"a/b/"_s, u'/'), 1);
    EXPECT_EQ(findLastFromEnd(u"a/bc"_s, u'/'), 3);
    EXPECT_EQ(findLastFromEnd(u"abc"_s, u'/'), 0);
    EXPECT_EQ(findLastFromEnd(QString(), u'/'), 0);
}

struct DeriveCase
{
    const char *name;
    QString yearDir;
    QString dataRoot; // level 1
    QString agenda;   // level 2
};

void PrintTo(const DeriveCase &c, std::ostream *os)
{
    *os << c.name;
}

class DeriveAgendaPath : public testing::TestWithParam<DeriveCase>
{
};

TEST_P(DeriveAgendaPath, GivesDataRootAndAgenda)
{
    EXPECT_EQ(deriveAgendaPath(GetParam().yearDir, 1), GetParam().dataRoot);
    EXPECT_EQ(deriveAgendaPath(GetParam().yearDir, 2), GetParam().agenda);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeriveAgendaPath,
    testing::Values(DeriveCase{"LowerCaseWithDelimiter", u"/data/agenda.001/rok.2018/"_s, u"/DATA/"_s,
                               u"/DATA/AGENDA.001/"_s},
                    DeriveCase{"WithoutDelimiter", u"/data/Agenda.001/Rok.2018"_s, u"/DATA/"_s, u"/DATA/AGENDA.001/"_s},
                    DeriveCase{"BlanksAround", u"  /data/agenda.001/rok.2018/ "_s, u"/DATA/"_s, u"/DATA/AGENDA.001/"_s},
                    DeriveCase{"DataRootIsTheFileSystemRoot", u"/agenda.002/rok.2019/"_s, u"/"_s, u"/AGENDA.002/"_s},
                    DeriveCase{"YearNotNamedRok", u"/data/agenda.001/year.2018/"_s, QString(), QString()},
                    DeriveCase{"AgendaNotNamedAgenda", u"/data/firma.001/rok.2018/"_s, QString(), QString()},
                    DeriveCase{"NoDelimiterAtAll", u"rok.2018"_s, QString(), QString()},
                    DeriveCase{"RelativeWithoutDataRoot", u"agenda.001/rok.2018"_s, QString(), QString()},
                    DeriveCase{"Empty", QString(), QString(), QString()}),
    TestSupport::rowName);

TEST(SanitizeFileName, ReplacesTheNineCharacters)
{
    EXPECT_EQ(sanitizeFileName(u"My:cfg/1"_s, u'_'), u"My_cfg_1"_s);
    EXPECT_EQ(sanitizeFileName(u"a\"b*c/d:e<f>g?h\\i|j"_s, u'_'), u"a_b_c_d_e_f_g_h_i_j"_s);
    EXPECT_EQ(sanitizeFileName(u"  ok. name "_s, u'_'), u"  ok. name "_s);
    EXPECT_EQ(sanitizeFileName(QString(), u'_'), QString());
}

TEST(DirectoryCode, IsTheExtensionOfTheLastComponent)
{
    EXPECT_EQ(directoryCode(u"/DATA/AGENDA.001/"_s), u"001"_s);
    EXPECT_EQ(directoryCode(u"/data/agenda.001/rok.2018/"_s), u"2018"_s);
    EXPECT_EQ(directoryCode(u"/data/agenda/"_s), QString());
    EXPECT_EQ(directoryCode(u"/"_s), QString());
}

} // namespace

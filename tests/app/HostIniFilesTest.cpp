// The host's ini keys read as text files, the year list, the series prefix
// placeholders and the supported-version rule.

#include "app/core/HostIniFiles.h"
#include "AppTestSupport.h"
#include "app/core/HostVersion.h"
#include "app/core/LedraIniFile.h"
#include "app/core/RunContext.h"
#include "app/core/YearList.h"
#include "common/IniFile.h"
#include "common/LocaleFormats.h"
#include "common/MemTable.h"
#include "support/TestSupport.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// One accessor read from one ini line (or none).
struct AccessorCase
{
    const char *name;
    QString file;      // "rok.ini" or "agenda.ini"
    QStringList lines; // the file's content; empty = no file at all
    std::function<QVariant(const QString &yearDir, const QString &agendaDir)> read;
    QVariant expected;
};

void PrintTo(const AccessorCase &c, std::ostream *os)
{
    *os << c.name;
}

class HostIniAccessors : public testing::TestWithParam<AccessorCase>
{
};

TEST_P(HostIniAccessors, ReadTheirKeyWithItsDefault)
{
    TextHostTree tree;
    const AccessorCase &c = GetParam();
    tree.makeDir(u"data/agenda.001/rok.2018"_s);
    if (!c.lines.isEmpty()) {
        const QString dir = c.file.compare(u"rok.ini"_s, Qt::CaseInsensitive) == 0 ? u"data/agenda.001/rok.2018/"_s
                                                                                   : u"data/agenda.001/"_s;
        tree.write(dir + c.file, c.lines);
    }
    // The agenda directory as the host derives it: upper-cased.
    EXPECT_EQ(c.read(tree.yearDir(), tree.agendaDir().toUpper()), c.expected);
}

QVariant doubleEntry(const QString &year, const QString &)
{
    return isDoubleEntry(year);
}
QVariant branch(const QString &, const QString &agenda)
{
    return isBranchExchange(agenda);
}
QVariant stock(const QString &year, const QString &)
{
    return postsStockMovements(year);
}
QVariant fiscalFrom(const QString &year, const QString &)
{
    return fiscalYear(year).from;
}
QVariant fiscalTo(const QString &year, const QString &)
{
    return fiscalYear(year).to;
}

const QString Rok = u"rok.ini"_s;
const QString Agenda = u"agenda.ini"_s;
const QString Global = u"[Global]"_s;

INSTANTIATE_TEST_SUITE_P(
    Keys, HostIniAccessors,
    testing::Values(
        AccessorCase{"YearNameDefault", Rok, {}, [](auto y, auto) { return QVariant(readYearName(y)); }, u"---"_s},
        AccessorCase{"YearName",
                     Rok,
                     {Global, u"Účetní rok=2018/19"_s},
                     [](auto y, auto) { return QVariant(readYearName(y)); },
                     u"2018/19"_s},
        AccessorCase{"YearNameFromUpperCaseFileName",
                     u"ROK.INI"_s,
                     {Global, u"účetní ROK=2019"_s},
                     [](auto y, auto) { return QVariant(readYearName(y)); },
                     u"2019"_s},
        AccessorCase{"CurrencySymbol",
                     Rok,
                     {Global, u"Symbol měny=Kč"_s},
                     [](auto y, auto) { return QVariant(readCurrencySymbol(y)); },
                     u"Kč"_s},
        AccessorCase{"DoubleEntryWhenMissing", Rok, {}, doubleEntry, true},
        AccessorCase{"DoubleEntryLowerCaseY", Rok, {Global, u"Podvojné účetnictví=y"_s}, doubleEntry, true},
        AccessorCase{"SingleEntry", Rok, {Global, u"Podvojné účetnictví=N"_s}, doubleEntry, false},
        AccessorCase{"SingleEntryWhenEmpty", Rok, {Global, u"Podvojné účetnictví="_s}, doubleEntry, false},
        AccessorCase{"StockMovementsPosted", Rok, {u"[Účetnictví]"_s, u"Sklad/UctovatPohyby=1"_s}, stock, true},
        AccessorCase{"StockMovementsNotPostedByDefault", Rok, {}, stock, false},
        AccessorCase{"FiscalYearZeroIsTheLastDayOf1899",
                     Rok,
                     {Global, u"Hospodářský rok od=0"_s},
                     fiscalFrom,
                     QDate(1899, 12, 31)},
        AccessorCase{
            "FiscalYearOneIsNewYear1900", Rok, {Global, u"Hospodářský rok od=1"_s}, fiscalFrom, QDate(1900, 1, 1)},
        AccessorCase{"FiscalYearEnd", Rok, {Global, u"Hospodářský rok do=43464"_s}, fiscalTo, QDate(2018, 12, 31)},
        AccessorCase{"FiscalYearMissing", Rok, {}, fiscalTo, QDate(1899, 12, 31)},
        AccessorCase{"CompanyName",
                     Agenda,
                     {u"[Údaje o firmě]"_s, u"Název-obchodní=Žluťoučký kůň a.s."_s},
                     [](auto, auto a) { return QVariant(readCompanyName(a)); },
                     u"Žluťoučký kůň a.s."_s},
        AccessorCase{
            "CompanyNameDefault", Agenda, {}, [](auto, auto a) { return QVariant(readCompanyName(a)); }, QString()},
        AccessorCase{"NotABranchByDefault", Agenda, {}, branch, false},
        AccessorCase{"NormalInAnyCase", Agenda, {u"[Export/Import]"_s, u"Stav=normal"_s}, branch, false},
        AccessorCase{"Centre", Agenda, {u"[Export/Import]"_s, u"Stav=CENTRALA"_s}, branch, true},
        AccessorCase{"EmptyStateIsBranchExchange", Agenda, {u"[Export/Import]"_s, u"Stav="_s}, branch, true},
        AccessorCase{"LastClosingDate",
                     Agenda,
                     {u"[Účetnictví]"_s, u"Poslední závěrka=31.12.2017"_s},
                     [](auto, auto a) { return QVariant(lastClosingDate(a)); },
                     u"31.12.2017"_s}),
    TestSupport::rowName);

TEST(HostIniAccessors, EveryReadSeesTheCurrentFile)
{
    TextHostTree tree;
    tree.write(u"data/agenda.001/rok.2018/ROK.INI"_s, {Global, u"Účetní rok=2018"_s});
    EXPECT_EQ(readYearName(tree.yearDir()), u"2018"_s);
    tree.write(u"data/agenda.001/rok.2018/ROK.INI"_s, {Global, u"Účetní rok=2018b"_s});
    EXPECT_EQ(readYearName(tree.yearDir()), u"2018b"_s);
}

struct PrefixCase
{
    const char *name;
    QString prefix;
    QString yearName;
    QString expected;
};

void PrintTo(const PrefixCase &c, std::ostream *os)
{
    *os << c.name;
}

class ExpandSeriesPrefix : public testing::TestWithParam<PrefixCase>
{
};

TEST_P(ExpandSeriesPrefix, FillsTheYearPlaceholders)
{
    EXPECT_EQ(expandSeriesPrefix(GetParam().prefix, GetParam().yearName), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpandSeriesPrefix,
                         testing::Values(PrefixCase{"TwoDigits", u"PK rr/"_s, u"2018"_s, u"PK 18/"_s},
                                         PrefixCase{"FourDigits", u"rrrr-"_s, u"2018"_s, u"2018-"_s},
                                         PrefixCase{"OnlyTheFirstSingleR", u"r-r"_s, u"2018"_s, u"8-r"_s},
                                         PrefixCase{"UpperCaseRIsNoPlaceholder", u"Rrrrr"_s, u"2018"_s, u"R2018"_s},
                                         PrefixCase{"ThreeGiveTheWholeYear", u"VP-rrr"_s, u"2018"_s, u"VP-2018"_s},
                                         PrefixCase{"AfterFourDigitsTwoMore", u"rrrrrr"_s, u"2018"_s, u"201818"_s},
                                         PrefixCase{"LastDigit", u"X/r"_s, u"2018"_s, u"X/8"_s},
                                         PrefixCase{"NoYearName", u"PPrr"_s, u"---"_s, u"PPrr"_s},
                                         PrefixCase{"SplitYear", u"PPrr"_s, u"2018/19"_s, u"PPrr"_s},
                                         PrefixCase{"FourCharactersButNoNumber", u"PPrr"_s, u"20x8"_s, u"PPrr"_s},
                                         PrefixCase{"NoPlaceholder", u"PP"_s, u"2018"_s, u"PP"_s}),
                         TestSupport::rowName);

TEST(YearList, ListsTheYearDirectoriesOnly)
{
    TextHostTree tree;
    tree.makeDir(u"data/agenda.001/rok.2018"_s);
    tree.makeDir(u"data/agenda.001/ROK.2019"_s);
    tree.makeDir(u"data/agenda.001/Rok.20201234567890"_s);
    tree.makeDir(u"data/agenda.001/archiv"_s);
    tree.write(u"data/agenda.001/Rok.2017"_s, {u"a file named like a year"_s});
    MemTable mtYear;
    ASSERT_EQ(loadYearList(tree.agendaDir().toUpper(), mtYear), 0);
    QStringList years;
    for (int row = 0; row < mtYear.recordCount(); ++row)
        years.append(mtYear.value(row, 0).toString());
    EXPECT_EQ(years, QStringList({u"2018"_s, u"2019"_s, u"2020123456"_s}));
    EXPECT_EQ(mtYear.currentRow(), 0);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST(YearList, IsRebuiltAndForgetsItsSort)
{
    TextHostTree tree;
    tree.makeDir(u"data/agenda.001/rok.2018"_s);
    MemTable mtYear;
    ASSERT_EQ(loadYearList(tree.agendaDir(), mtYear), 0);
    mtYear.setSortFields(u"YearNumber"_s);
    tree.makeDir(u"data/agenda.001/rok.2019"_s);
    ASSERT_EQ(loadYearList(tree.agendaDir(), mtYear), 0);
    EXPECT_EQ(mtYear.recordCount(), 2);
    EXPECT_EQ(mtYear.sortFields(), QString());
}

TEST(YearList, AgendaWithoutYearsIsReported)
{
    TextHostTree tree;
    tree.makeDir(u"data/agenda.001"_s);
    tree.write(u"data/agenda.001/rok.2019"_s, {u"x"_s});
    MemTable mtYear;
    EXPECT_EQ(loadYearList(tree.agendaDir(), mtYear), -1);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Chyba: vybraná agenda neobsahuje žádný účetní rok."_s});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(mtYear.recordCount(), 0);
}

TEST(HostVersionDigits, KeepsDigitsAndSeparatorsUpToTheFirstBlank)
{
    EXPECT_EQ(hostVersionDigits(u"13.100 R2"_s), u"13.100"_s);
    EXPECT_EQ(hostVersionDigits(u"V12a,5"_s), u"12,5"_s);
    EXPECT_EQ(hostVersionDigits(u" 13"_s), QString());
    EXPECT_EQ(hostVersionDigits(QString()), QString());
}

struct VersionCase
{
    const char *name;
    QChar decimalSeparator;
    QString hostVersion;
    bool accepted;
    QString shownVersion; // in the refusal
};

void PrintTo(const VersionCase &c, std::ostream *os)
{
    *os << c.name;
}

class CheckHostVersion : public testing::TestWithParam<VersionCase>
{
};

TEST_P(CheckHostVersion, RefusesHostsOlderThan13)
{
    const VersionCase &c = GetParam();
    LocaleFormats formats = LocaleFormats::czech();
    formats.decimalSeparator = c.decimalSeparator;
    LocaleFormats::setCurrent(formats);
    TextHostTree tree;
    tree.write(u"data/agenda.001/rok.2018/ROK.INI"_s, {Global, u"Symbol měny=EUR"_s});
    RunContext context;
    context.hostVersion = c.hostVersion;
    context.yearDir = tree.yearDir();
    context.settingsDir = u"/S/"_s;
    context.configName = u"Default"_s;

    if (c.accepted) {
        EXPECT_EQ(checkHostVersion(context), 0);
        EXPECT_TRUE(scriptedUi().messages().isEmpty());
        EXPECT_EQ(context.configIniPath, u"/S/Default.ini"_s);
        EXPECT_EQ(context.currencySymbol, u"EUR"_s);
    } else {
        EXPECT_EQ(checkHostVersion(context), -1);
        EXPECT_EQ(scriptedUi().messageTexts(),
                  QStringList{u"Litujeme, ale tato verze Ledra není v tomto doplňku podporována. Proveďte update na "
                              "novější verzi Ledra.\r\rAktuálně nainstalovaná verze Ledra: "_s +
                              c.shownVersion + u"\rPodporovaná verze Ledra: 13 nebo vyšší"_s});
        EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
        EXPECT_TRUE(context.configIniPath.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, CheckHostVersion,
                         testing::Values(VersionCase{"PointInCommaLocaleCountsAsZero", u',', u"12.50"_s, true, {}},
                                         VersionCase{"CommaInCommaLocaleIsRefused", u',', u"12,50"_s, false, u"12,5"_s},
                                         VersionCase{"PointInPointLocaleIsRefused", u'.', u"12.50"_s, false, u"12.5"_s},
                                         VersionCase{"CommaInPointLocaleCountsAsZero", u'.', u"12,50"_s, true, {}},
                                         VersionCase{"Thirteen", u',', u"13"_s, true, {}},
                                         VersionCase{"ThirteenPointZero", u',', u"13,0"_s, true, {}},
                                         VersionCase{"WithReleaseSuffix", u'.', u"13.100 R2"_s, true, {}},
                                         VersionCase{"LettersSkipped", u',', u"V12a,5"_s, false, u"12,5"_s},
                                         VersionCase{"Empty", u',', QString(), true, {}},
                                         VersionCase{"NoDigits", u',', u"beta"_s, true, {}},
                                         VersionCase{"Twelve", u'.', u"12"_s, false, u"12"_s}),
                         TestSupport::rowName);

TEST(RecordHostVersion, WritesTheRawVersionToMainIni)
{
    TextHostTree tree;
    RunContext context;
    context.settingsDir = tree.root();
    EXPECT_EQ(lastRecordedHostVersion(context), QString());
    context.hostVersion = u"13.100 R2"_s;
    recordHostVersion(context);
    EXPECT_EQ(IniFile(tree.root() + u"main.ini"_s).ReadString(u"VERSION"_s, u"LASTLEDRAVER"_s, u"x"_s), u"13.100 R2"_s);
    context.hostVersion.clear();
    recordHostVersion(context);
    EXPECT_EQ(IniFile(tree.root() + u"main.ini"_s).ReadString(u"VERSION"_s, u"LASTLEDRAVER"_s, u"x"_s), QString());
}

} // namespace

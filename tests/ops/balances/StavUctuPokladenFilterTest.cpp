// The balances' filter settings: where they are kept and which codes they let
// through.

#include "common/IniFile.h"
#include "ops/balances/BalancesFilter.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

TEST(StavUctuPokladenFilterTest, KeptPerCompanyInTheConfigurationFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Default.ini"_s);
    TStavUctuPokladenFilter filter;
    filter.load(path, u"001"_s); // no file: the defaults
    EXPECT_FALSE(filter.useSelected);
    EXPECT_EQ(filter.selectedCodes, QString());

    filter.useSelected = true;
    filter.selectedCodes = u"POK;KB;"_s;
    ASSERT_TRUE(filter.save(path, u"001"_s));
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString(u"StavUctuPokladenFilter001"_s, u"UseVybraneUctyPokladny"_s, QString()), u"1"_s);
    EXPECT_EQ(ini.ReadString(u"StavUctuPokladenFilter001"_s, u"VybraneUctyPokladny"_s, QString()), u"POK;KB;"_s);

    TStavUctuPokladenFilter other;
    other.load(path, u"002"_s); // another company keeps its own
    EXPECT_FALSE(other.useSelected);
    TStavUctuPokladenFilter again;
    again.load(path, u"001"_s);
    EXPECT_TRUE(again.useSelected);
    EXPECT_EQ(again.selectedCodes, u"POK;KB;"_s);
}

TEST(StavUctuPokladenFilterTest, UnwritableFileIsReported)
{
    QTemporaryDir dir;
    TStavUctuPokladenFilter filter;
    EXPECT_FALSE(filter.save(dir.filePath(u"missing/dir/Default.ini"_s), u"001"_s));
}

struct IncludesCase
{
    const char *name;
    bool useSelected;
    const char *list;
    const char *code;
    bool included;
};

class FilterIncludesTest : public testing::TestWithParam<IncludesCase>
{
};

TEST_P(FilterIncludesTest, Code)
{
    TStavUctuPokladenFilter filter;
    filter.useSelected = GetParam().useSelected;
    filter.selectedCodes = QString::fromUtf8(GetParam().list);
    EXPECT_EQ(filter.includes(QString::fromUtf8(GetParam().code)), GetParam().included);
}

INSTANTIATE_TEST_SUITE_P(Filter, FilterIncludesTest,
                         testing::Values(IncludesCase{"AllWithoutSelection", false, "", "KB", true},
                                         IncludesCase{"Listed", true, "POK;KB;", "KB", true},
                                         IncludesCase{"NotListed", true, "POK;KB;", "RB", false},
                                         IncludesCase{"OnlyAPrefixOfAListedCode", true, "POKEUR;", "POK", false},
                                         IncludesCase{"EmptyList", true, "", "POK", false},
                                         IncludesCase{"EmptyCodeNeverListed", true, "", "", false},
                                         IncludesCase{"CaseAsTheSeek", true, "pok;", "POK", true},
                                         IncludesCase{"TrailingBlanksAsTheSeek", true, "POK  ;", "pok ", true},
                                         IncludesCase{"LastCodeWithoutSemicolon", true, "POK;KB", "KB", true}),
                         TestSupport::rowName);

} // namespace

// The demo company has something for each operation to show, and the table
// tool dumps what it built.

#include "demo/DemoCompany.h"
#include "tabletool/TableTool.h"

#include "common/IniFile.h"
#include "hostdb/HostTable.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DemoCompanyTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_result = new DemoCompany::Result(DemoCompany::build(s_dir->filePath(u"demo"_s)));
    }
    static void TearDownTestSuite()
    {
        delete s_result;
        delete s_dir;
    }
    static QString root() { return s_dir->filePath(u"demo"_s) + u'/'; }
    static QString year2018() { return root() + u"AGENDA.001/ROK.2018/"_s; }

    static std::unique_ptr<TBFTable> open(const QString &path, const QString &index = QString())
    {
        auto table = std::make_unique<TBFTable>();
        EXPECT_EQ(table->Open(path), HostResult::Ok) << path.toStdString();
        if (!index.isEmpty()) {
            EXPECT_EQ(table->SetIndex(index), HostResult::Ok);
        }
        table->GoTop();
        return table;
    }

    static QString dump(const QString &path)
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        EXPECT_EQ(TableTool::run({u"dump"_s, path, u"--recno"_s}, outStream, errStream), 0) << err.toStdString();
        outStream.flush();
        return out;
    }

    static inline QTemporaryDir *s_dir = nullptr;
    static inline DemoCompany::Result *s_result = nullptr;
};

TEST_F(DemoCompanyTest, IsBuiltWithLedrasCommandLine)
{
    ASSERT_TRUE(s_result->ok) << s_result->error.toStdString();
    const QString base = s_dir->filePath(u"demo"_s);
    EXPECT_EQ(s_result->commandLine,
              (QStringList{u"?MAIN="_s + base + u"?MAIN"_s, u"?AKTROK="_s + base + u"/AGENDA.001/ROK.2018?AKTROK"_s,
                           u"?MVERZE=13.100?MVERZE"_s, u"?AKTHESLO=demo?AKTHESLO"_s, u"?AKTJMENO=Demo?AKTJMENO"_s,
                           u"?AKTCFGNAME=Default?AKTCFGNAME"_s}));
}

TEST_F(DemoCompanyTest, RefusesADirectoryThatIsNotEmpty)
{
    const DemoCompany::Result again = DemoCompany::build(s_dir->filePath(u"demo"_s));
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(again.error, u"the target directory is not empty: "_s + s_dir->filePath(u"demo"_s));
}

TEST_F(DemoCompanyTest, TwoYearsOneWithATextIniOneWithTheTableForm)
{
    EXPECT_TRUE(QFile::exists(root() + u"AGENDA.001/AGENDA.INI"_s));
    EXPECT_TRUE(QFile::exists(root() + u"AGENDA.001/ROK.2017/ROK.INI"_s));
    EXPECT_FALSE(QFile::exists(year2018() + u"ROK.INI"_s));
    auto rok = open(year2018() + u"ROK"_s, u"Section1+Variable"_s);
    ASSERT_EQ(rok->Seek2(u"Global"_s, u"Účetní rok"_s), HostResult::Found);
    EXPECT_EQ(rok->Value(u"Value"_s).toString(), u"2018"_s);
    EXPECT_EQ(
        IniFile(root() + u"AGENDA.002/ROK.2018/ROK.INI"_s).ReadString(u"Global"_s, u"Podvojné účetnictví"_s, QString()),
        u"N"_s)
        << "the second company keeps single-entry books";
    EXPECT_TRUE(QFile::exists(root() + u"AGENDA.002/ROK.2018/UCPENDEN.DAT"_s));
}

TEST_F(DemoCompanyTest, CashDocumentsHaveGapsDeletedLockedAndLateNumbers)
{
    auto cash = open(year2018() + u"POKLKNIH"_s, u"Doklad"_s);
    EXPECT_EQ(cash->Seek(u"PP180007"_s), HostResult::NotFound) << "a gap";
    ASSERT_EQ(cash->Seek(u"PP180020"_s), HostResult::Found);
    EXPECT_TRUE(cash->Value(u"Del"_s).toBool()) << "held only by a deleted document";
    ASSERT_EQ(cash->Seek(u"PP180003"_s), HostResult::Found);
    EXPECT_TRUE(cash->Value(u"Uzamceni"_s).toBool());
    ASSERT_EQ(cash->Seek(u"PP180022"_s), HostResult::Found);
    EXPECT_EQ(cash->Value(u"Doklad"_s).toString(), u"pp180022"_s);

    // Some number is dated before the number preceding it.
    ASSERT_EQ(cash->Seek(u"PP18"_s), HostResult::NotFound);
    QDateTime previous;
    int lateNumbers = 0;
    while (!cash->Eof() && cash->Value(u"Doklad"_s).toString().toUpper().startsWith(u"PP18"_s)) {
        const QDateTime date = cash->Value(u"DatVyst"_s).toDateTime();
        if (previous.isValid() && date < previous)
            ++lateNumbers;
        previous = date;
        cash->Skip();
    }
    EXPECT_GT(lateNumbers, 0);
}

TEST_F(DemoCompanyTest, JournalLinesPaymentsOfBothYearsAndEet)
{
    auto cash = open(year2018() + u"POKLKNIH"_s, u"Doklad"_s);
    ASSERT_EQ(cash->Seek(u"PP180002"_s), HostResult::Found);
    const int cislo = cash->Value(u"Cislo"_s).toInt();
    auto journal = open(year2018() + u"UCDENIK"_s, u"Zdroj+ZRadek+Cislo"_s);
    ASSERT_EQ(journal->SeekKeys({u"PK"_s, cislo}), HostResult::Found);
    EXPECT_EQ(journal->Value(u"Doklad"_s).toString(), u"PP180002"_s);

    // PP180002 pays an issued invoice of 2017.
    auto payments = open(year2018() + u"UHRADY"_s, u"TypeUDokl+CisloUDokl+URok+Poradi"_s);
    ASSERT_EQ(payments->SeekKeys({u"P"_s, cislo}), HostResult::Found);
    EXPECT_EQ(payments->Value(u"HRok"_s).toString(), u"2017"_s);
    auto invoices2017 = open(root() + u"AGENDA.001/ROK.2017/VFAKTURY"_s, u"Cislo"_s);
    ASSERT_EQ(invoices2017->Seek(payments->Value(u"CisloHDokl"_s)), HostResult::Found);
    EXPECT_EQ(invoices2017->Value(u"UDoklad"_s).toString(), u"PP180002"_s);

    auto eet = open(year2018() + u"EETDOKL"_s);
    EXPECT_GT(eet->RecordCount(), 0);

    int freeLines = 0, deletedStockLines = 0;
    ASSERT_EQ(journal->SetIndex(QString()), HostResult::Ok);
    for (journal->GoTop(); !journal->Eof(); journal->Skip()) {
        freeLines += journal->Value(u"Free"_s).toBool();
        deletedStockLines += journal->Value(u"Del"_s).toBool() && journal->Value(u"Zdroj"_s).toString() == u"SK"_s;
    }
    EXPECT_GT(freeLines, 0);
    EXPECT_GT(deletedStockLines, 0);
}

TEST_F(DemoCompanyTest, AccountsInTwoCurrenciesWithOpeningBalances)
{
    auto accounts = open(year2018() + u"SZUCPOKL"_s);
    QSet<QString> currencies;
    for (; !accounts->Eof(); accounts->Skip()) {
        currencies.insert(accounts->Value(u"Mena"_s).toString());
        EXPECT_GT(accounts->Value(u"PocStav"_s).toDouble(), 0.0);
    }
    EXPECT_EQ(currencies, (QSet<QString>{QString(), u"EUR"_s}));
    auto bank = open(year2018() + u"BANKKNIH"_s);
    EXPECT_GT(bank->RecordCount(), 30);
}

TEST_F(DemoCompanyTest, TheActionLogHasEditsAndChangedTotalsBySeveralUsers)
{
    auto log = open(root() + u"GLAKCE"_s);
    QSet<QString> editors;
    QHash<QString, double> created;
    int changedTotals = 0;
    for (; !log->Eof(); log->Skip()) {
        const QString key = log->Value(u"Agenda"_s).toString() + log->Value(u"KodSezn"_s).toString() +
                            log->Value(u"DoklZkrat"_s).toString() + log->Value(u"Rok"_s).toString();
        const QString code = log->Value(u"KodAkce"_s).toString();
        if (code == u"P"_s)
            created.insert(key, log->Value(u"Cena"_s).toDouble());
        if (code == u"Z"_s) {
            editors.insert(log->Value(u"Uzivatel"_s).toString());
            changedTotals += created.value(key) != log->Value(u"Cena"_s).toDouble();
        }
    }
    EXPECT_GE(editors.size(), 3);
    EXPECT_GT(changedTotals, 0);
}

TEST_F(DemoCompanyTest, VatFilingsRightsStockAndOrders)
{
    EXPECT_EQ(open(root() + u"AGENDA.001/SZDPH"_s)->RecordCount(), 13);
    auto users = open(root() + u"PRISUZIV"_s, u"Password"_s);
    EXPECT_EQ(users->Seek(u"demo"_s), HostResult::Found);
    auto stock = open(year2018() + u"SKSEZDOK"_s);
    QSet<QString> types;
    for (; !stock->Eof(); stock->Skip())
        types.insert(stock->Value(u"Typ"_s).toString());
    EXPECT_EQ(types.size(), 6);
    auto orders = open(year2018() + u"OBSEZOBJ"_s);
    QSet<QString> kinds;
    for (; !orders->Eof(); orders->Skip())
        kinds.insert(orders->Value(u"Druh dokl."_s).toString());
    EXPECT_EQ(kinds, (QSet<QString>{u"R"_s, u"O"_s, u"N"_s, u"P"_s, u"T"_s, u"J"_s}));
}

TEST_F(DemoCompanyTest, TheTableToolDumpsWhatItBuiltAndASecondBuildIsTheSame)
{
    QTemporaryDir other;
    ASSERT_TRUE(DemoCompany::build(other.filePath(u"demo"_s)).ok);
    for (const QString &table : {u"AGENDA.001/ROK.2018/POKLKNIH"_s, u"GLAKCE"_s, u"AGENDA.001/ROK.2017/VFAKTURY"_s}) {
        const QString first = dump(root() + table);
        EXPECT_GT(first.count(u"\r\n"_s), 10) << table.toStdString();
        EXPECT_EQ(first, dump(other.filePath(u"demo/"_s) + table)) << table.toStdString();
    }
}

} // namespace

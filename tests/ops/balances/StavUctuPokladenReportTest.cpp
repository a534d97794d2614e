// The balances by day over small host trees: which records count, how the
// currencies and days are formed, exact sums, progress, interrupt and errors.

#include "BalancesTestSupport.h"
#include "app/core/HostIniFiles.h"
#include "common/FileNames.h"
#include "common/MemTable.h"
#include "demo/DemoCompany.h"
#include "ops/balances/BalancesReport.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

struct BalancesCase
{
    const char *name;
    std::function<void(YearBuilder &)> setup;
    TStavUctuPokladenFilter filter;
    QStringList expected; // dumpDays
};

void PrintTo(const BalancesCase &row, std::ostream *os)
{
    *os << row.name;
}

TStavUctuPokladenFilter selected(const QString &codes)
{
    TStavUctuPokladenFilter filter;
    filter.useSelected = true;
    filter.selectedCodes = codes;
    return filter;
}

class BalancesCaseTest : public testing::TestWithParam<BalancesCase>
{
};

TEST_P(BalancesCaseTest, DaysAndBalances)
{
    BalancesTree tree;
    tree.createBooks();
    GetParam().setup(tree.year());
    TStavUctuPokladenReport report(tree.session(), GetParam().filter);
    ASSERT_EQ(report.run(), 0);
    EXPECT_EQ(dumpDays(report), GetParam().expected);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(TestSupport::openTableFiles(tree.context().dataRoot), QStringList());
}

const BalancesCase kCases[] = {
    {"EuroOpeningAndOneBankExpense",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nRBEUR|Devizový účet|EUR|100");
         year.table(u"BANKKNIH"_s).rows(R"(
             Doklad | DatPlat    | Ucet  | Vydej | Mena | ValutyKUhr | Celkem
             BV0001 | 2018-03-05 | RBEUR | 1     | EUR  | 30         | 750
         )");
     },
     {},
     {u"2018-01-01 | EUR 100.0000"_s, u"2018-03-05 | EUR 70.0000"_s}},

    // Days are listed in date order whatever the order of the records; a
    // day with only home-currency movements repeats the euro balance.
    {"HomeCurrencyDayRepeatsTheOtherBalances",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||1000\nRBEUR|Devizový účet|EUR|100");
         year.table(u"POKLKNIH"_s).rows(R"(
             Doklad | DatPlat    | Pokl | Vydej | Mena | ValutyKUhr | Celkem
             VP0001 | 2018-03-10 | POK  | 1     |      | 0          | 200
             PP0001 | 2018-02-02 | POK  | 0     |      | 0          | 500
         )");
         year.table(u"BANKKNIH"_s).rows(R"(
             Doklad | DatPlat    | Ucet  | Vydej | Mena | ValutyKUhr | Celkem
             BV0001 | 2018-03-05 | RBEUR | 1     | EUR  | 30         | 750
         )");
     },
     {},
     {u"2018-01-01 | Kč 1000.0000 | EUR 100.0000"_s, u"2018-02-02 | Kč 1500.0000 | EUR 100.0000"_s,
      u"2018-03-05 | Kč 1500.0000 | EUR 70.0000"_s, u"2018-03-10 | Kč 1300.0000 | EUR 70.0000"_s}},

    // No document number (also only blanks), no payment date, deleted: none
    // of them moves anything, and their days are not listed.
    {"SkippedCashRecordsChangeNothing",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||1000");
         year.table(u"POKLKNIH"_s).rows(R"(
             Doklad | DatPlat    | Pokl | Vydej | Celkem | Del
             PP0001 | 2018-02-01 | POK  | 0     | 100    | 0
                    | 2018-03-01 | POK  | 0     | 50     | 0
             PP0003 |            | POK  | 0     | 70     | 0
             PP0004 | 2018-04-01 | POK  | 0     | 90     | 1
         )");
         year.table(u"POKLKNIH"_s)
             .row({{"Doklad", "   "}, {"DatPlat", QDate(2018, 5, 1)}, {"Pokl", "POK"}, {"Celkem", 40}});
     },
     {},
     {u"2018-01-01 | Kč 1000.0000"_s, u"2018-02-01 | Kč 1100.0000"_s}},

    {"PaymentBeforeTheFiscalYearHasNoOpeningBalance",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||1000");
         year.table(u"POKLKNIH"_s).rows("Doklad|DatPlat|Pokl|Celkem\nPP0001|2017-12-28|POK|100");
     },
     {},
     {u"2017-12-28 | Kč 100.0000"_s, u"2018-01-01 | Kč 1100.0000"_s}},

    // A time of day stored with the payment date does not form a day of its
    // own.
    {"PaymentsOfOneDayFormOneRow",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||0");
         year.table(u"POKLKNIH"_s).rows(R"(
             Doklad | DatPlat             | Pokl | Celkem
             PP0001 | 2018-02-01          | POK  | 100
             PP0002 | 2018-02-01T10:30:00 | POK  | 20
         )");
     },
     {},
     {u"2018-01-01 | Kč 0.0000"_s, u"2018-02-01 | Kč 120.0000"_s}},

    {"OnlySelectedWithAnEmptyListListsTheOpeningDayWithZero",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||1000\nRBEUR|Devizový účet|EUR|100");
         year.table(u"POKLKNIH"_s).rows("Doklad|DatPlat|Pokl|Celkem\nPP0001|2018-02-01|POK|100");
         year.table(u"BANKKNIH"_s).rows("Doklad|DatPlat|Ucet|Mena|ValutyKUhr\nBP0001|2018-02-03|RBEUR|EUR|5");
     },
     selected(QString()),
     {u"2018-01-01 | Kč 0.0000"_s}},

    // The list and the books name accounts as the host's seek finds them:
    // case and trailing blanks do not matter.
    {"OnlySelectedAccountsAndTheirRecords",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||1000\nKB|Běžný účet||5000");
         year.table(u"POKLKNIH"_s).rows(R"(
             Doklad | DatPlat    | Pokl | Celkem
             PP0001 | 2018-02-01 | POK  | 100
             PP0002 | 2018-02-02 | pok  | 10
         )");
         year.table(u"BANKKNIH"_s).rows("Doklad|DatPlat|Ucet|Celkem\nBP0001|2018-02-03|KB|700");
     },
     selected(u"Pok ;"_s),
     {u"2018-01-01 | Kč 1000.0000"_s, u"2018-02-01 | Kč 1100.0000"_s, u"2018-02-02 | Kč 1110.0000"_s}},

    // One column, named after the form met first; movements written in
    // either case are summed in it (a seek for "EUR" finds "eur" too).
    {"CurrencyCodesDifferingInCaseShareOneColumn",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nRBEUR|Devizový účet|eur|100");
         year.table(u"BANKKNIH"_s).rows(R"(
             Doklad | DatPlat    | Ucet  | Vydej | Mena | ValutyKUhr
             BV0001 | 2018-03-05 | RBEUR | 1     | EUR  | 30
             BV0002 | 2018-03-06 | RBEUR | 1     | Eur  | 20
         )");
     },
     {},
     {u"2018-01-01 | eur 100.0000"_s, u"2018-03-05 | eur 70.0000"_s, u"2018-03-06 | eur 50.0000"_s}},

    // The first currency met is the first column, also when it is foreign;
    // a foreign record's amount is "ValutyKUhr", a home one's "Celkem".
    {"CurrenciesInOrderOfFirstAppearance",
     [](YearBuilder &year) {
         year.table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nRBUSD|Dolarový účet|USD|10\nPOK|Pokladna||20");
         year.table(u"BANKKNIH"_s).rows(R"(
             Doklad | DatPlat    | Ucet  | Mena | ValutyKUhr | Celkem
             BP0001 | 2018-01-02 | RBEUR | EUR  | 1.25       | 31.25
             BP0002 | 2018-01-02 | KB    |      | 99         | 7
         )");
     },
     {},
     {u"2018-01-01 | USD 10.0000 | Kč 20.0000 | EUR 0.0000"_s,
      u"2018-01-02 | USD 10.0000 | Kč 27.0000 | EUR 1.2500"_s}},
};

INSTANTIATE_TEST_SUITE_P(Balances, BalancesCaseTest, testing::ValuesIn(kCases), TestSupport::rowName);

class StavUctuPokladenReportTest : public testing::Test
{
protected:
    BalancesTree m_tree;
};

// Sums a binary floating-point walk gets wrong even in the cents: a large
// opening balance, two thousand receipts of 0.10 and two thousand expenses
// of 0.07 over two hundred days (each day twenty of one kind).
TEST_F(StavUctuPokladenReportTest, SumsOfManySmallAmountsAreExact)
{
    m_tree.createBooks();
    m_tree.year().table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nKB|Běžný účet||98765432109.87");
    QString rows = u"Doklad|DatPlat|Ucet|Vydej|Celkem\n"_s;
    for (int i = 0; i < 4000; ++i) {
        const bool expense = i % 2 == 1;
        rows += u"BD%1|%2|KB|%3|%4\n"_s.arg(i)
                    .arg(QDate(2018, 1, 2).addDays(i % 200).toString(Qt::ISODate))
                    .arg(expense ? 1 : 0)
                    .arg(expense ? u"0.07"_s : u"0.10"_s);
    }
    m_tree.year().table(u"BANKKNIH"_s).rows(rows);

    TStavUctuPokladenReport report(m_tree.session(), TStavUctuPokladenFilter());
    ASSERT_EQ(report.run(), 0);
    const int last = report.days().recordCount() - 1;
    ASSERT_EQ(last, 200);
    EXPECT_EQ(report.balance(last, 0).toString(), u"98765432169.8700"_s);
    // 2 January: twenty receipts of 0.10; 3 January: twenty expenses of 0.07.
    EXPECT_EQ(report.balance(1, 0).toString(), u"98765432111.8700"_s);
    EXPECT_EQ(report.balance(2, 0).toString(), u"98765432110.4700"_s);
    const int field = report.days().fieldIndex(u"Stav0"_s);
    EXPECT_TRUE(report.days().displayText(last, field).endsWith(u"169,87"_s))
        << report.days().displayText(last, field).toStdString();
}

// A twenty-first currency and more each get their own column: nothing is
// dropped or summed into another currency's column.
TEST_F(StavUctuPokladenReportTest, MoreThanTwentyCurrenciesEachKeepTheirColumn)
{
    m_tree.createBooks();
    QString rows = u"Zkrat|Popis|Mena|PocStav\n"_s;
    for (int i = 1; i <= 25; ++i)
        rows += u"U%1|Účet %1|C%2|%1\n"_s.arg(i).arg(i, 2, 10, QChar(u'0'));
    m_tree.year().table(u"SZUCPOKL"_s).rows(rows);
    m_tree.year().table(u"BANKKNIH"_s).rows("Doklad|DatPlat|Ucet|Vydej|Mena|ValutyKUhr\nBV1|2018-06-30|U25|1|C25|5");

    TStavUctuPokladenReport report(m_tree.session(), TStavUctuPokladenFilter());
    ASSERT_EQ(report.run(), 0);
    ASSERT_EQ(report.currencyCount(), 25);
    EXPECT_EQ(report.days().fieldCount(), 2 + 25);
    ASSERT_EQ(report.days().recordCount(), 2);
    for (int id = 0; id < 25; ++id) {
        EXPECT_EQ(report.printCode(id), u"C%1"_s.arg(id + 1, 2, 10, QChar(u'0')));
        EXPECT_EQ(report.balance(0, id), FixedAmount::fromUnits((id + 1) * FixedAmount::kScale));
    }
    EXPECT_EQ(report.balance(1, 24), FixedAmount::fromUnits(20 * FixedAmount::kScale));
    EXPECT_EQ(report.days().value(1, report.days().fieldIndex(u"Stav24"_s)).toDouble(), 20.0);
}

TEST_F(StavUctuPokladenReportTest, TablesCurrenciesAndMovementsAsBuilt)
{
    m_tree.createBooks();
    m_tree.year()
        .table(u"SZUCPOKL"_s)
        .rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||1000\nRBEUR|Devizový účet|EUR|100");
    m_tree.year().table(u"BANKKNIH"_s).rows("Doklad|DatPlat|Ucet|Vydej|Mena|ValutyKUhr\nBV1|2018-03-05|RBEUR|1|EUR|30");
    TStavUctuPokladenReport report(m_tree.session(), TStavUctuPokladenFilter());
    ASSERT_EQ(report.run(), 0);

    MemTable &accounts = report.accounts();
    ASSERT_EQ(accounts.recordCount(), 2);
    EXPECT_EQ(accounts.value(1, accounts.fieldIndex(u"Zkratka"_s)).toString(), u"RBEUR"_s);
    EXPECT_EQ(accounts.value(1, accounts.fieldIndex(u"Popis"_s)).toString(), u"Devizový účet"_s);
    EXPECT_EQ(accounts.value(1, accounts.fieldIndex(u"PocStav"_s)).toDouble(), 100.0);

    MemTable &currencies = report.currencies();
    ASSERT_EQ(currencies.recordCount(), 2);
    EXPECT_EQ(currencies.value(0, currencies.fieldIndex(u"ID"_s)).toInt(), 0);
    EXPECT_EQ(currencies.value(0, currencies.fieldIndex(u"Kod"_s)).toString(), QString());
    EXPECT_EQ(currencies.value(0, currencies.fieldIndex(u"PrintKod"_s)).toString(), u"Kč"_s);
    EXPECT_EQ(currencies.value(1, currencies.fieldIndex(u"Kod"_s)).toString(), u"EUR"_s);

    ASSERT_EQ(report.movements().size(), 3u);
    const auto &expense = report.movements().back();
    EXPECT_EQ(expense.type, TStavUctuPokladenReport::MovementType::Expense);
    EXPECT_EQ(expense.amount.toString(), u"30.0000"_s);
    EXPECT_EQ(expense.currencyId, 1);
    EXPECT_EQ(report.days().fieldCount(), 2 + TStavUctuPokladenReport::kStavColumns);
}

TEST_F(StavUctuPokladenReportTest, ProgressMovesEveryTenthRecordAndDay)
{
    m_tree.createBooks();
    m_tree.year().table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||0");
    QString rows = u"Doklad|DatPlat|Pokl|Celkem\n"_s;
    for (int i = 0; i < 25; ++i)
        rows += u"PP%1|%2|POK|1\n"_s.arg(i).arg(QDate(2018, 2, 1).addDays(i).toString(Qt::ISODate));
    m_tree.year().table(u"POKLKNIH"_s).rows(rows);
    m_tree.year().table(u"BANKKNIH"_s).rows("Doklad|DatPlat|Ucet|Celkem\nBP1|2018-02-01|KB|1");

    TStavUctuPokladenReport report(m_tree.session(), TStavUctuPokladenFilter());
    ASSERT_EQ(report.run(), 0);
    // The cash book (25 records), the bank book (1), the days (26).
    EXPECT_EQ(m_tree.progress().maximums, (QList<int>{25, 1, 26}));
    EXPECT_EQ(m_tree.progress().positions, (QList<int>{10, 20, 10, 20}));
    EXPECT_FALSE(m_tree.progress().visible);
}

TEST_F(StavUctuPokladenReportTest, InterruptStopsSilentlyWithoutResult)
{
    m_tree.createBooks();
    m_tree.year().table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||0");
    QString rows = u"Doklad|DatPlat|Pokl|Celkem\n"_s;
    for (int i = 0; i < 30; ++i)
        rows += u"PP%1|2018-02-01|POK|1\n"_s.arg(i);
    m_tree.year().table(u"POKLKNIH"_s).rows(rows);
    // "Přerušit" pressed while the queue ran at the tenth record.
    m_tree.progress().onProgress = [this](int position) {
        if (position == 10)
            m_tree.session().interruptRequested = true;
    };

    TStavUctuPokladenReport report(m_tree.session(), TStavUctuPokladenFilter());
    EXPECT_EQ(report.run(), -1);
    EXPECT_TRUE(report.isInterrupted());
    EXPECT_EQ(report.movements().size(), 1u + 9u); // the opening balance, records 1-9
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(TestSupport::openTableFiles(m_tree.context().dataRoot), QStringList());
}

TEST_F(StavUctuPokladenReportTest, InterruptWhileAccumulatingDays)
{
    m_tree.createBooks();
    m_tree.year().table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||0");
    QString rows = u"Doklad|DatPlat|Pokl|Celkem\n"_s;
    for (int i = 0; i < 5; ++i)
        rows += u"PP%1|%2|POK|1\n"_s.arg(i).arg(QDate(2018, 2, 1).addDays(i * 3).toString(Qt::ISODate));
    for (int i = 5; i < 15; ++i)
        rows += u"PP%1|%2|POK|1\n"_s.arg(i).arg(QDate(2018, 3, 1).addDays(i).toString(Qt::ISODate));
    m_tree.year().table(u"POKLKNIH"_s).rows(rows);
    // The books have fewer than ten records each after the first ten: the
    // second position 10 belongs to the days.
    int tens = 0;
    m_tree.progress().onProgress = [this, &tens](int position) {
        if (position == 10 && ++tens == 2)
            m_tree.session().interruptRequested = true;
    };
    TStavUctuPokladenReport report(m_tree.session(), TStavUctuPokladenFilter());
    EXPECT_EQ(report.run(), -1);
    EXPECT_TRUE(report.isInterrupted());
    EXPECT_LT(report.days().recordCount(), 16);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

struct MissingTableCase
{
    const char *name;
    const char *missing;
};

class MissingTableTest : public testing::TestWithParam<MissingTableCase>
{
};

TEST_P(MissingTableTest, ReportsThePathAndGivesNoResult)
{
    BalancesTree tree;
    for (const QString &name : {u"SZUCPOKL"_s, u"POKLKNIH"_s, u"BANKKNIH"_s}) {
        if (name != QString::fromUtf8(GetParam().missing))
            tree.year().table(name);
    }
    TStavUctuPokladenReport report(tree.session(), TStavUctuPokladenFilter());
    EXPECT_EQ(report.run(), -1);
    EXPECT_FALSE(report.isInterrupted());
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Error, u"Nastala chyba při otevírání databáze "_s + tree.context().yearDir +
                                                     QString::fromUtf8(GetParam().missing) + u".DAT"_s}}));
    EXPECT_EQ(TestSupport::openTableFiles(tree.context().dataRoot), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Balances, MissingTableTest,
                         testing::Values(MissingTableCase{"Accounts", "SZUCPOKL"},
                                         MissingTableCase{"CashBook", "POKLKNIH"},
                                         MissingTableCase{"BankBook", "BANKKNIH"}),
                         TestSupport::rowName);

TEST_F(StavUctuPokladenReportTest, AmountOutOfRangeStopsWithItsRecord)
{
    m_tree.createBooks();
    m_tree.year().table(u"SZUCPOKL"_s).rows("Zkrat|Popis|Mena|PocStav\nPOK|Pokladna||0");
    m_tree.year()
        .table(u"POKLKNIH"_s)
        .rows("Doklad|DatPlat|Pokl|Celkem\nPP1|2018-02-01|POK|1\nPP2|2018-02-02|POK|1e300");
    TStavUctuPokladenReport report(m_tree.session(), TStavUctuPokladenFilter());
    EXPECT_EQ(report.run(), -1);
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Error, u"Částka mimo rozsah v databázi "_s + m_tree.context().yearDir +
                                                     u"POKLKNIH.DAT, záznam 2."_s}}));
}

} // namespace

namespace {

// The demo company's 2018: both currencies, the opening day first, days in
// strictly ascending order, the deleted documents left out.
TEST(BalancesOnTheDemoCompany, HomeCurrencyAndEuroByDay)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u"/demo"_s;
    ASSERT_TRUE(DemoCompany::build(root).ok);
    RunContext context;
    context.yearDir = FileNames::resolve(root + u"/AGENDA.001/ROK.2018/"_s);
    context.agendaCode = u"001"_s;
    context.currencySymbol = readCurrencySymbol(context.yearDir);
    ProgressLog progress;
    OperationSession session(context, progress);

    TStavUctuPokladenReport report(session, TStavUctuPokladenFilter());
    ASSERT_EQ(report.run(), 0);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    ASSERT_EQ(report.currencyCount(), 2);
    EXPECT_EQ(report.printCode(0), u"Kč"_s);
    EXPECT_EQ(report.printCode(1), u"EUR"_s);
    const MemTable &days = report.days();
    const int dateField = days.fieldIndex(u"Datum"_s);
    ASSERT_GT(days.recordCount(), 30);
    EXPECT_EQ(days.value(0, dateField).toDate(), QDate(2018, 1, 1));
    for (int row = 1; row < days.recordCount(); ++row)
        EXPECT_LT(days.value(row - 1, dateField).toDate(), days.value(row, dateField).toDate());

    // Only the euro bank account: its opening balance and its own movements.
    TStavUctuPokladenFilter onlyEuro;
    onlyEuro.useSelected = true;
    onlyEuro.selectedCodes = u"RBEUR;"_s;
    TStavUctuPokladenReport euro(session, onlyEuro);
    ASSERT_EQ(euro.run(), 0);
    ASSERT_EQ(euro.currencyCount(), 1);
    EXPECT_EQ(euro.printCode(0), u"EUR"_s);
    ASSERT_EQ(euro.accounts().recordCount(), 1);
    for (const auto &movement : euro.movements())
        EXPECT_EQ(movement.currencyId, 0);
}

} // namespace

// The balances by day over a year's books: 200,000 cash and bank records over
// 365 days in three currencies (the home currency, EUR and USD), all paid.
// The baseline walks the same records through the engine reading the same
// fields, so the difference is the computation's own cost.

#include "BenchmarkApplication.h"
#include "BenchmarkSeams.h"
#include "app/core/OperationSession.h"
#include "app/core/RunContext.h"
#include "common/UiSeam.h"
#include "fixture/HostTreeBuilder.h"
#include "hostdb/HostCatalogue.h"
#include "hostdb/HostTableDef.h"
#include "hostdb/SqliteSupport.h"
#include "ops/balances/BalancesReport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kCashRecords = 120000;
constexpr int kBankRecords = 80000;
constexpr int kDays = 365;

class BooksTree
{
public:
    static BooksTree &instance()
    {
        static BooksTree tree;
        return tree;
    }
    const RunContext &context() const { return m_context; }

private:
    BooksTree()
    {
        ensureBenchmarkApplication();
        UiSeam::setCurrent(&m_ui);

        HostTreeBuilder tree(m_dir.path() + u"/DATA"_s);
        YearBuilder &year = tree.agenda(u"001"_s).year(u"2018"_s);
        year.currencySymbol(u"Kč"_s).fiscalYear(QDate(2018, 1, 1), QDate(2018, 12, 31));
        year.table(u"SZUCPOKL"_s).rows(R"(
            Zkrat | Popis         | Mena | PocStav
            POK   | Pokladna      |      | 15000
            RBEUR | Devizový účet | EUR  | 12000
            RBUSD | Dolarový účet | USD  | 5000
        )");
        year.table(u"POKLKNIH"_s);
        year.table(u"BANKKNIH"_s);
        fill(year.dir() + u"POKLKNIH.DAT"_s, u"Pokl"_s, kCashRecords, 1);
        fill(year.dir() + u"BANKKNIH.DAT"_s, u"Ucet"_s, kBankRecords, 2);

        m_context.yearDir = year.dir();
        m_context.agendaCode = u"001"_s;
        m_context.currencySymbol = u"Kč"_s;
    }

    static void fill(const QString &path, const QString &accountField, int count, int seed)
    {
        const HostTableDef &definition =
            HostCatalogue::table(path.endsWith(u"POKLKNIH.DAT"_s) ? u"POKLKNIH" : u"BANKKNIH");
        const QStringList fields = {u"Doklad"_s, u"Cislo"_s,  u"DatPlat"_s,    accountField, u"Vydej"_s,
                                    u"Mena"_s,   u"Celkem"_s, u"ValutyKUhr"_s, u"Del"_s};
        QStringList columns, parameters;
        for (const QString &field : fields)
            columns.append(u"f"_s + QString::number(definition.fieldIndex(field)));
        columns.append(u"k"_s + QString::number(definition.fieldIndex(u"Doklad")));
        for (qsizetype i = 1; i <= columns.size(); ++i)
            parameters.append(u"?"_s + QString::number(i));

        SqlDatabase db;
        db.open(path, false);
        db.exec(u"BEGIN"_s);
        SqlStatement insert;
        insert.prepare(db, u"INSERT INTO tbf_data("_s + columns.join(u", "_s) + u") VALUES("_s +
                               parameters.join(u", "_s) + u")"_s);
        static const QString accounts[] = {u"POK"_s, u"RBEUR"_s, u"RBUSD"_s};
        static const QString currencies[] = {QString(), u"EUR"_s, u"USD"_s};
        for (int i = 0; i < count; ++i) {
            const int currency = (i * seed + i / 7) % 3;
            const QString number = u"D%1"_s.arg(i, 7, 10, QChar(u'0'));
            const double amount = 0.10 * (1 + (i * 37 + seed) % 9000); // 0.10 … 900.00
            insert.bind(1, number);
            insert.bindInt(2, i + 1);
            insert.bind(3, 43101.0 + (i * 13 + seed) % kDays); // a day of 2018
            insert.bind(4, accounts[currency]);
            insert.bindInt(5, i % 3 == 0 ? 1 : 0);
            insert.bind(6, currencies[currency]);
            insert.bind(7, currency == 0 ? amount : amount * 25.0);
            insert.bind(8, currency == 0 ? 0.0 : amount);
            insert.bindInt(9, i % 50 == 0 ? 1 : 0); // some deleted
            insert.bind(10, HostNames::keyText(number));
            insert.step();
            insert.reset();
        }
        insert.finalize();
        db.exec(u"COMMIT"_s);
    }

    QTemporaryDir m_dir;
    BenchmarkUi m_ui{true};
    RunContext m_context;
};

void BM_BalancesByDay(benchmark::State &state)
{
    RunContext context = BooksTree::instance().context();
    NoProgress progress;
    OperationSession session(context, progress);
    int days = 0;
    for (auto _ : state) {
        TStavUctuPokladenReport report(session, TStavUctuPokladenFilter());
        if (report.run() != 0) {
            state.SkipWithError("the computation failed");
            return;
        }
        days = report.days().recordCount();
        benchmark::DoNotOptimize(report.balance(days - 1, 2));
    }
    state.counters["days"] = days;
    state.SetItemsProcessed(state.iterations() * (kCashRecords + kBankRecords));
}
BENCHMARK(BM_BalancesByDay)->Unit(benchmark::kMillisecond);

// Baseline: the engine's walk over both books, reading the fields the
// computation reads.
void BM_BalancesBookWalkBaseline(benchmark::State &state)
{
    const RunContext &context = BooksTree::instance().context();
    for (auto _ : state) {
        double sum = 0;
        for (const auto &[name, account] : {std::pair{u"POKLKNIH"_s, u"Pokl"_s}, std::pair{u"BANKKNIH"_s, u"Ucet"_s}}) {
            TBFTable table;
            if (table.Open(context.yearDir + name) != HostResult::Ok) {
                state.SkipWithError("the book did not open");
                return;
            }
            table.GoTop();
            do {
                sum += table.Value(u"Del"_s).toBool() + table.Value(u"Doklad"_s).toString().size() +
                       table.Value(u"DatPlat"_s).toDateTime().isValid() + table.Value(account).toString().size() +
                       table.Value(u"Vydej"_s).toBool() + table.Value(u"Mena"_s).toString().size() +
                       table.Value(u"ValutyKUhr"_s).toDouble();
            } while (table.Skip() != HostResult::PastEnd && !table.Eof());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (kCashRecords + kBankRecords));
}
BENCHMARK(BM_BalancesBookWalkBaseline)->Unit(benchmark::kMillisecond);

} // namespace

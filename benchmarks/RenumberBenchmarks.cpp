// Renumbering: loading the list of a series and proposing new numbers for
// it, over a cash book of 10,000 documents of one series (plus documents of
// another series the load passes over), with EET records, VAT filings and a
// closing date, so every blocking check runs for every row.

#include "BenchmarkSeams.h"
#include "app/core/OperationSession.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/renumber/RenumberList.h"
#include "ops/renumber/RenumberProposal.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <set>

using namespace Qt::StringLiterals;

namespace {

constexpr int kListed = 10000;

class NoMarks final : public RenumberListView
{
public:
    int markCount() const override { return int(marked.size()); }
    bool isMarked(int row) const override { return marked.count(row) > 0; }
    void suspendRepaint(bool) override {}
    void updateListButtons(bool) override {}
    std::set<int> marked;
};

// The company, built once for the whole run.
class CashBook
{
public:
    static CashBook &instance()
    {
        static CashBook book;
        return book;
    }
    RunContext context;

private:
    CashBook()
    {
        UiSeam::setCurrent(&m_ui);
        HostTreeBuilder tree(m_dir.path() + u"/DATA"_s);
        AgendaBuilder &agenda = tree.agenda(u"001"_s);
        agenda.name(u"Demo s.r.o."_s).exchangeState(u"NORMAL"_s).lastClosing(u"31.12.2017"_s);
        agenda.table(u"SZDPH"_s).rows("DatumOd|DatumDo\n2017-01-01|2017-12-31\n2018-01-01|2018-03-31");
        YearBuilder &year = agenda.year(u"2018"_s);
        year.yearName(u"2018"_s).doubleEntry(true);
        auto cash = year.table(u"POKLKNIH"_s);
        auto eet = year.table(u"EETDOKL"_s);
        const QDate start(2018, 1, 1);
        for (int n = 1, cislo = 1; n <= kListed; ++n) {
            // Numbers out of date order every ninth document.
            const QDate date = start.addDays((n % 9 == 0 ? n - 5 : n) / 30);
            cash.row({{"Doklad", u"PD%1"_s.arg(n, 6, 10, QChar(u'0'))},
                      {"Cislo", cislo},
                      {"DCislo", n},
                      {"DatVyst", date},
                      {"DatUcPr", date},
                      {"DatPln", date},
                      {"Pokl", "POK"},
                      {"Celkem", 100.0 + n % 977},
                      {"Popis", "Tržba za zboží"}});
            if (n % 10 == 0)
                eet.row({{"Druh", "PK"}, {"CisDokl", cislo + 100000}});
            ++cislo;
            if (n % 4 == 0)
                cash.row({{"Doklad", u"VP%1"_s.arg(n, 6, 10, QChar(u'0'))}, {"Cislo", cislo++}, {"DatVyst", date}});
        }
        context.dataRoot = tree.dataRoot();
        context.agendaDir = agenda.dir();
        context.yearDir = year.dir();
    }

    BenchmarkUi m_ui{false, MessageAnswer::No}; // questions answered No, the rest OK
    QTemporaryDir m_dir;
};

void loadList(OperationSession &session, MemTable &list)
{
    defineRenumberList(list, RenumberModule::Cash, true);
    RenumberListLoader(session, RenumberModule::Cash, u"PD"_s).load(list);
    list.setSortFields(u"DatVyst;RecNo"_s);
}

// The load of the list window: 12,500 records read, 10,000 listed.
void BM_RenumberLoadList(benchmark::State &state)
{
    CashBook &book = CashBook::instance();
    NoProgress progress;
    OperationSession session(book.context, progress);
    for (auto _ : state) {
        MemTable list(u"mtDoklady"_s);
        loadList(session, list);
        benchmark::DoNotOptimize(list.recordCount());
    }
}
BENCHMARK(BM_RenumberLoadList)->Unit(benchmark::kMillisecond);

// "Navrhnout" over the whole list (argument 0: no marks) or over every second
// row (argument 2: the duplicate rule meets the unmarked rows' numbers).
void BM_RenumberPropose(benchmark::State &state)
{
    CashBook &book = CashBook::instance();
    NoProgress progress;
    OperationSession session(book.context, progress);
    MemTable list(u"mtDoklady"_s);
    loadList(session, list);
    NoMarks view;
    if (state.range(0) == 2) {
        for (int row = 0; row < list.recordCount(); row += 2)
            view.marked.insert(row);
    }
    RenumberState renumber;
    renumber.module = RenumberModule::Cash;
    renumber.seriesPrefix = u"PD"_s;
    renumber.leadingZeros = true;
    renumber.digitCount = 6;
    RenumberProposal proposal(session, list, renumber, view);
    // Start beyond the listed numbers: marked rows never collide.
    const qint64 start = state.range(0) == 2 ? kListed + 1 : 1;
    int result = 0;
    for (auto _ : state) {
        revertProposalRows(list, renumber);
        result = proposal.propose(start);
    }
    if (result != 0)
        state.SkipWithError("the proposal was refused");
    state.counters["rows"] = list.recordCount();
}
BENCHMARK(BM_RenumberPropose)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

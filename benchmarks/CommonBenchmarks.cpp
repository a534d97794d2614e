// In-memory tables back every list window; loading and re-sorting a year's
// documents must stay instant.

#include "common/MemTable.h"

#include <QDate>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void fill(MemTable &table, int rows)
{
    table.addField(u"Doklad"_s, FieldType::String, 10);
    table.addField(u"Datum"_s, FieldType::DateTime);
    table.addField(u"RecNo"_s, FieldType::Integer);
    table.beginUpdate();
    for (int i = 0; i < rows; ++i) {
        table.append();
        table.setValue(table.currentRow(), 0, u"PK%1"_s.arg((i * 7919) % rows, 6, 10, QChar(u'0')));
        table.setValue(table.currentRow(), 1, QDate(2018, 1, 1).addDays((i * 31) % 365));
        table.setValue(table.currentRow(), 2, i);
    }
    table.endUpdate();
}

void BM_MemTableSortByDateAndRecNo(benchmark::State &state)
{
    MemTable table;
    fill(table, int(state.range(0)));
    for (auto _ : state) {
        table.setSortFields(u"Datum;RecNo"_s);
        table.setSortFields(QString());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MemTableSortByDateAndRecNo)->Arg(1000)->Arg(20000);

void BM_MemTableSortByText(benchmark::State &state)
{
    MemTable table;
    fill(table, int(state.range(0)));
    for (auto _ : state) {
        table.setSortFields(u"Doklad"_s);
        table.setSortFields(QString());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MemTableSortByText)->Arg(1000)->Arg(20000);

} // namespace

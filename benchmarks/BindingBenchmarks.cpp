// A print run walks its in-memory table record by record through the data
// bridge: each record's field elements take their values and the user
// functions are computed. A long document list has tens of thousands of rows.

#include "common/MemTable.h"
#include "report/core/Report.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/data/RecordLoop.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 10000;

// A document list: number, amount, date, text.
void fill(MemTable &table)
{
    table.addField(u"Doklad"_s, FieldType::String, 10);
    table.addField(u"Celkem"_s, FieldType::Float);
    table.addField(u"DatVyst"_s, FieldType::DateTime);
    table.addField(u"Popis"_s, FieldType::String, 30);
    table.beginUpdate();
    for (int i = 0; i < kRows; ++i) {
        const int row = table.append();
        table.setValue(row, 0, u"PK%1"_s.arg(i, 6, 10, QChar(u'0')));
        if (i % 10 != 0) // every tenth amount is empty
            table.setValue(row, 1, (i * 37 % 1000) + 0.5);
        table.setValue(row, 2, QDateTime(QDate(2018, 1, 1).addDays(i % 365), QTime(8, 0)));
        table.setValue(row, 3, u"Tržba %1"_s.arg(i));
    }
    table.endUpdate();
    table.first();
}

// One run of the report over the table: the data check, the fields, the
// template, then the record loop with each record's values.
void walkTable(benchmark::State &state, const QStringList &functions)
{
    QTemporaryDir dir;
    TSestavaTyp::setProgramDir(dir.path());
    MemTable table;
    fill(table);
    MemTableDataSet dataSet(&table);
    ReportDataSource source(&dataSet);
    TSestava report;
    report.setDataSource(&source);
    report.setIsStored(true);
    report.setAllowNullValues(true);
    QStringList lines{u"I,1,6,40,27"_s};
    lines += functions;
    for (const QString &field : {u"Doklad"_s, u"Celkem"_s, u"DatVyst"_s, u"Popis"_s})
        lines.append(u"T,2,%1,0,0,100,20,Arial,10,0,0,0,0,238,\"\",0,0,0"_s.arg(field));
    report.setPredloha(lines);

    for (auto _ : state) {
        int records = 0;
        report.withData(TSestava::Purpose::Run, [&] {
            RecordLoop loop(report);
            loop.start();
            report.startFunctions();
            report.refreshValues(TSestavaTyp::Refresh::Start);
            while (loop.next())
                report.refreshValues(TSestavaTyp::Refresh::Record);
            report.refreshValues(TSestavaTyp::Refresh::End);
            records = loop.recordCount();
            return 0;
        });
        benchmark::DoNotOptimize(records);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    TSestavaTyp::setProgramDir(QString());
}

void BM_WalkTableThroughTheBridge(benchmark::State &state)
{
    walkTable(state, {});
}
BENCHMARK(BM_WalkTableThroughTheBridge)->Unit(benchmark::kMillisecond);

// A running sum, an average of the amount with VAT and the latest year.
void BM_WalkTableWithThreeUserFunctions(benchmark::State &state)
{
    walkTable(state, {u"F,0,Soucet,\"\",0,\"0\",0,\"#Celkem\",2,15,2,2"_s,
                      u"F,1,Prumer,\"\",0,\"0\",0,\"ROUND(#Celkem*1.21)\",3,15,2,2"_s,
                      u"F,2,Rok,\"\",0,\"0\",0,\"YEAR(#DatVyst)\",5,15,0,2"_s});
}
BENCHMARK(BM_WalkTableWithThreeUserFunctions)->Unit(benchmark::kMillisecond);

} // namespace

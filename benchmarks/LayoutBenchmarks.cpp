// Laying a report out into pages: a protocol of 60,000 lines (about 1,000
// pages, page header and footer with the page count, one variable-height text
// per line) and a 20,000-row list with two group levels and SUM footers.
// The peak resident memory of the process is reported as a counter.
//
// With TARNEK_BENCH_WRITE_DIR set, the benchmark also writes both reports as
// template and CSV files there (protocol.pts, protocol.csv, list.pts,
// list.csv), for tarnek-report.

#include "common/MemTable.h"
#include "common/TextFile.h"
#include "report/core/MemTableDataSet.h"
#include "report/core/PageSetup.h"
#include "report/core/ReportLayout.h"
#include "report/core/sestavy.h"

#include "BenchmarkApplication.h"
#include <QDir>
#include <QFile>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kProtocolLines = 60000;
constexpr int kListRows = 20000;

// Text is measured with the system's fonts: the process needs a GUI application.
void ensureGuiApplication()
{
    ensureBenchmarkApplication();
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

TRastelReportElement &add(TSestava &report, int sectionId, int kind, int reference, int left, int width, int height)
{
    TRastelReportElement &e = report.sections().find(sectionId)->addElement(&report);
    e.kind = kind;
    e.reference = reference;
    e.left = left;
    e.width = width;
    e.height = height;
    return e;
}

void pageSections(TSestava &report, const QString &title)
{
    report.sections().find(TOddilSestavy::PageHeader)->height = 40;
    add(report, TOddilSestavy::PageHeader, ElementKind::GraphicText, 0, 0, 400, 20).text = title;
    add(report, TOddilSestavy::PageHeader, ElementKind::SystemVariable, SystemVariable::PrintDate, 600, 120, 20);
    report.sections().find(TOddilSestavy::PageFooter)->height = 20;
    add(report, TOddilSestavy::PageFooter, ElementKind::SystemVariable, SystemVariable::PageNumber, 500, 100, 20).text =
        u"Strana %d"_s;
    add(report, TOddilSestavy::PageFooter, ElementKind::SystemVariable, SystemVariable::PageCount, 600, 100, 20).text =
        u"z %d"_s;
}

// The protocol: one memo line per record, of variable height.
void protocolModel(TSestava &report, MemTable &table)
{
    table.addField(u"Radek"_s, FieldType::Memo);
    table.beginUpdate();
    for (int i = 1; i <= kProtocolLines; ++i) {
        const int row = table.append();
        table.setValue(row, 0,
                       u"Doklad PK%1 přečíslován >> PK%2 (řádek %3)"_s.arg(i, 6, 10, QChar(u'0'))
                           .arg(i + 100, 6, 10, QChar(u'0'))
                           .arg(i));
    }
    table.endUpdate();
    table.first();
    pageSections(report, u"Protokol o přečíslování dokladů"_s);
    report.sections().find(TOddilSestavy::Body)->height = 16;
    add(report, TOddilSestavy::Body, ElementKind::Field, 0, 0, 700, 16).textFlags =
        TRastelReportElement::VariableHeight | TRastelReportElement::MultiLine;
}

// The list: centre, account, document, amount; groups by centre and account
// with sums in their footers and a grand total.
void listModel(TSestava &report, MemTable &table)
{
    table.addField(u"Stredisko"_s, FieldType::String, 10);
    table.addField(u"Ucet"_s, FieldType::String, 10);
    table.addField(u"Doklad"_s, FieldType::String, 10);
    table.addField(u"Castka"_s, FieldType::Float);
    table.beginUpdate();
    for (int i = 0; i < kListRows; ++i) {
        const int row = table.append();
        table.setValue(row, 0, u"S%1"_s.arg(i / 1000, 2, 10, QChar(u'0')));
        table.setValue(row, 1, u"%1"_s.arg(311000 + i / 100));
        table.setValue(row, 2, u"FV%1"_s.arg(i, 6, 10, QChar(u'0')));
        table.setValue(row, 3, (i * 37 % 1000) + 0.5);
    }
    table.endUpdate();
    table.first();
    pageSections(report, u"Přehled dokladů podle středisek a účtů"_s);
    for (int f = 0; f < 3; ++f) {
        TRadekFunkce &function = report.functions().add();
        function.expression = u"#Castka"_s;
        function.aggregateKind = TRadekFunkce::Sum;
        function.resetPoint = f == 2 ? TRadekFunkce::ResetPerReport : TRadekFunkce::resetPerGroup(f);
    }
    report.sections().find(TOddilSestavy::Body)->height = 16;
    add(report, TOddilSestavy::Body, ElementKind::Field, 2, 20, 120, 16);
    add(report, TOddilSestavy::Body, ElementKind::Field, 3, 400, 120, 16).alignmentValue =
        TRastelReportElement::AlignRight;
    for (int g = 0; g < 2; ++g) {
        TPolSkup &group = report.addGroup(g);
        group.header->height = 20;
        add(report, group.header->id, ElementKind::FieldLabel, g, 0, 100, 20);
        add(report, group.header->id, ElementKind::Field, g, 100, 100, 20);
        group.footer->height = 20;
        add(report, group.footer->id, ElementKind::GraphicText, 0, 0, 100, 20).text = u"Celkem"_s;
        add(report, group.footer->id, ElementKind::UserFunction, g == 0 ? 1 : 0, 400, 120, 20).alignmentValue =
            TRastelReportElement::AlignRight;
    }
    report.sections().find(TOddilSestavy::ReportFooter)->height = 20;
    add(report, TOddilSestavy::ReportFooter, ElementKind::UserFunction, 2, 400, 120, 20);
}

// The model through its template text, as a run reads it.
void storeTemplate(TSestava &report)
{
    pageSetup() = TPageSetup();
    report.setIsStored(true);
    report.setPredloha(report.writeTemplate());
}

void writeCsv(const MemTable &table, const QString &path, const QStringList &header)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(header.join(u',').toUtf8() + "\n");
    for (int r = 0; r < table.recordCount(); ++r) {
        QStringList fields;
        for (int f = 0; f < table.fieldCount(); ++f)
            fields << table.value(r, f).toString();
        file.write(fields.join(u',').toUtf8() + "\n");
    }
}

void writeInputs()
{
    const QString dir = qEnvironmentVariable("TARNEK_BENCH_WRITE_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    {
        TSestava report;
        MemTable table;
        protocolModel(report, table);
        TextFile::writeLines(dir + u"/protocol.pts"_s, report.writeTemplate());
        writeCsv(table, dir + u"/protocol.csv"_s, {u"Radek:memo"_s});
    }
    {
        TSestava report;
        MemTable table;
        listModel(report, table);
        TextFile::writeLines(dir + u"/list.pts"_s, report.writeTemplate());
        writeCsv(table, dir + u"/list.csv"_s,
                 {u"Stredisko:text(10)"_s, u"Ucet:text(10)"_s, u"Doklad:text(10)"_s, u"Castka:float"_s});
    }
}

void layOut(benchmark::State &state, void (*model)(TSestava &, MemTable &))
{
    ensureGuiApplication();
    writeInputs();
    QTemporaryDir dir;
    TSestavaTyp::setProgramDir(dir.path());
    MemTable table;
    MemTableDataSet dataSet(&table);
    ReportDataSource source(&dataSet);
    TSestava report;
    model(report, table);
    report.setDataSource(&source);
    storeTemplate(report);
    int pages = 0;
    for (auto _ : state) {
        const int result = ReportLayout::prepare(report);
        if (result != seOK)
            state.SkipWithError("the layout failed");
        pages = report.vystup().pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = peakMegabytes();
    TSestavaTyp::setProgramDir(QString());
}

void BM_LayoutProtocol60000Lines(benchmark::State &state)
{
    layOut(state, protocolModel);
}
BENCHMARK(BM_LayoutProtocol60000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LayoutGroupedList20000Rows(benchmark::State &state)
{
    layOut(state, listModel);
}
BENCHMARK(BM_LayoutGroupedList20000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

// Laying a report out into pages: a protocol of 60,000 lines (about 1,000
// pages, page header and footer with the page count, one variable-height text
// per line) and a 20,000-row list with two group levels and SUM footers.
// The peak resident memory of the process is reported as a counter. Then the
// laid-out protocol written by the output back-ends, in pages per second.
//
// With TARNEK_BENCH_WRITE_DIR set, the benchmark also writes both reports as
// template and CSV files there (protocol.pts, protocol.csv, list.pts,
// list.csv), for tarnek-report.

#include "common/MemTable.h"
#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/HtmlWriter.h"
#include "report/core/output/PdfWriter.h"
#include "report/core/output/RtfDocument.h"
#include "report/core/output/TextExport.h"

#include "BenchmarkApplication.h"
#include "LayoutFixtures.h"
#include <QBuffer>
#include <QDir>
#include <QFile>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

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
    TRastelReportElement &e = report.sections().find(sectionId)->addElement();
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
        TPolSkup &group = report.model().addGroup(g);
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
    pageSetup() = PageSetup();
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

void layOut(benchmark::State &state, const std::function<void(TSestava &, MemTable &)> &model)
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
        pages = report.output().pageCount();
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

// A template of many elements (a generated form): a one-record body with
// `state.range(0)` texts, eight to a row. The cost should grow with the
// number of elements, not with its square.
void BM_LayoutManyElements(benchmark::State &state)
{
    const int elements = int(state.range(0));
    layOut(state, [elements](TSestava &report, MemTable &table) {
        table.addField(u"Cislo"_s, FieldType::Integer);
        table.beginUpdate();
        table.setValue(table.append(), 0, 1);
        table.endUpdate();
        table.first();
        report.sections().find(TOddilSestavy::Body)->height = (elements / 8 + 1) * 20;
        for (int i = 0; i < elements; ++i) {
            TRastelReportElement &e =
                add(report, TOddilSestavy::Body, ElementKind::GraphicText, 0, (i % 8) * 90, 80, 20);
            e.top = (i / 8) * 20;
            e.text = u"t%1"_s.arg(i);
        }
    });
    state.counters["elements"] = elements;
}
BENCHMARK(BM_LayoutManyElements)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The output back-ends over the laid-out protocol (about 1,000 pages): the
// character text, RTF, HTML (every page, as the page-file export writes
// them) and PDF. The layout is done once, outside the timing.
class ProtocolOutput
{
public:
    static ProtocolOutput &instance()
    {
        static ProtocolOutput output;
        return output;
    }
    const TSestVystup &output() const { return m_report.output(); }
    bool ready() const { return m_ready; }

private:
    ProtocolOutput() : m_dataSet(&m_table), m_source(&m_dataSet)
    {
        ensureGuiApplication();
        TSestavaTyp::setProgramDir(m_dir.path());
        protocolModel(m_report, m_table);
        m_report.setDataSource(&m_source);
        storeTemplate(m_report);
        m_ready = ReportLayout::prepare(m_report) == seOK;
        TSestavaTyp::setProgramDir(QString());
    }

    QTemporaryDir m_dir;
    MemTable m_table;
    MemTableDataSet m_dataSet;
    ReportDataSource m_source;
    TSestava m_report;
    bool m_ready = false;
};

void exportProtocol(benchmark::State &state, const std::function<qint64(const TSestVystup &)> &write)
{
    const ProtocolOutput &protocol = ProtocolOutput::instance();
    if (!protocol.ready()) {
        state.SkipWithError("the layout failed");
        return;
    }
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = write(protocol.output());
        benchmark::DoNotOptimize(bytes);
    }
    const int pages = protocol.output().pageCount();
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["MB"] = double(bytes) / (1024.0 * 1024.0);
}

void BM_ExportProtocolText(benchmark::State &state)
{
    exportProtocol(state, [](const TSestVystup &output) {
        QByteArray text;
        QBuffer buffer(&text);
        buffer.open(QIODevice::WriteOnly);
        OutputText::exportText(output, buffer, {});
        return qint64(text.size());
    });
}
BENCHMARK(BM_ExportProtocolText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ExportProtocolRtf(benchmark::State &state)
{
    exportProtocol(state, [](const TSestVystup &output) { return qint64(SestRtf::exportRtf(output).size()); });
}
BENCHMARK(BM_ExportProtocolRtf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ExportProtocolHtml(benchmark::State &state)
{
    exportProtocol(state, [](const TSestVystup &output) {
        qint64 size = 0;
        QByteArray html;
        for (int p = 0; p < output.pageCount(); ++p) {
            html.clear();
            OutputHtml::exportPage(output, p, QString(), html);
            size += html.size();
        }
        return size;
    });
}
BENCHMARK(BM_ExportProtocolHtml)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ExportProtocolPdf(benchmark::State &state)
{
    exportProtocol(state, [](const TSestVystup &output) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        OutputPdf::exportPdf(output, buffer, u"Protokol"_s, false);
        return qint64(pdf.size());
    });
}
BENCHMARK(BM_ExportProtocolPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

namespace LayoutFixtures {

void protocolModel(TSestava &report, MemTable &table)
{
    ::protocolModel(report, table);
}

void storeTemplate(TSestava &report)
{
    ::storeTemplate(report);
}

} // namespace LayoutFixtures

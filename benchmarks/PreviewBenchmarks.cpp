// The preview window over the layout benchmark's 1,000-page protocol, laid
// out once: opening the window (the first page drawn) and paging to the last
// page (drawn). Only the shown page is ever drawn.

#include "BenchmarkApplication.h"
#include "LayoutFixtures.h"

#include "common/MemTable.h"
#include "report/core/Report.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/layout/ReportLayout.h"
#include "report/ui/preview/PreviewWindow.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The protocol laid out once for every benchmark of this file.
struct LaidOutProtocol
{
    QTemporaryDir dir;
    MemTable table;
    MemTableDataSet dataSet{&table};
    ReportDataSource source{&dataSet};
    TSestava report;
    bool ok = false;

    LaidOutProtocol()
    {
        TSestavaTyp::setProgramDir(dir.path());
        LayoutFixtures::protocolModel(report, table);
        report.setDataSource(&source);
        LayoutFixtures::storeTemplate(report);
        ok = ReportLayout::prepare(report) == seOK;
    }
};

LaidOutProtocol &protocol()
{
    ensureBenchmarkApplication();
    static LaidOutProtocol laidOut;
    return laidOut;
}

// Shows the window and lets it draw its page.
void showAndPaint(TFormSestP &form)
{
    form.show();
    if (QWidget *page = form.findChild<QWidget *>(QStringLiteral("panStranka")))
        page->repaint();
    QApplication::processEvents();
}

void BM_PreviewOpen1000Pages(benchmark::State &state)
{
    LaidOutProtocol &p = protocol();
    if (!p.ok) {
        state.SkipWithError("the layout failed");
        return;
    }
    for (auto _ : state) {
        TFormSestP form(p.report, PreviewOptions());
        showAndPaint(form);
        benchmark::DoNotOptimize(form.state().currentPage());
    }
    state.counters["pages"] = p.report.output().pageCount();
}
BENCHMARK(BM_PreviewOpen1000Pages)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PreviewPageToLast1000Pages(benchmark::State &state)
{
    LaidOutProtocol &p = protocol();
    if (!p.ok) {
        state.SkipWithError("the layout failed");
        return;
    }
    TFormSestP form(p.report, PreviewOptions());
    showAndPaint(form);
    QAction *first = form.findChild<QAction *>(QStringLiteral("ActionPgFi"));
    QAction *last = form.findChild<QAction *>(QStringLiteral("ActionPgLa"));
    QWidget *page = form.findChild<QWidget *>(QStringLiteral("panStranka"));
    for (auto _ : state) {
        state.PauseTiming();
        first->trigger();
        page->repaint();
        state.ResumeTiming();
        last->trigger();
        page->repaint();
        QApplication::processEvents();
    }
    state.counters["page"] = form.state().currentPage();
}
BENCHMARK(BM_PreviewPageToLast1000Pages)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

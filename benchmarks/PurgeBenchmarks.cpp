// Removal of deleted records over a large cash book: 100,000 documents of
// which 10,000 are deleted, each with two items, one distribution record and
// two journal lines. A real run removes 10,000 documents and 50,000
// dependants, each deletion its own transaction; the test mode reads the same
// and writes nothing.

#include "BenchmarkSeams.h"
#include "BulkInsert.h"
#include "app/core/OperationSession.h"
#include "common/UiSeam.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/purge/RemovalRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDocuments = 100000;
constexpr int kDeletedEvery = 10; // 10,000 deleted; the last document is valid

// The year with its tables, built once; each run works on a fresh copy.
class CashYear
{
public:
    static CashYear &instance()
    {
        static CashYear year;
        return year;
    }

    // A fresh copy of the year directory (tables and ROK.INI); its path with
    // a trailing "/".
    QString copy()
    {
        const QString target = m_dir.path() + u"/COPY/"_s;
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        for (const QString &file : QDir(m_yearDir).entryList(QDir::Files))
            QFile::copy(m_yearDir + file, target + file);
        return target;
    }

private:
    CashYear()
    {
        HostTreeBuilder tree(m_dir.path() + u"/DATA"_s);
        YearBuilder &year = tree.agenda(u"001"_s).year(u"2018"_s);
        year.yearName(u"2018"_s).doubleEntry(true);
        for (const QString &name : {u"POKLKNIH"_s, u"POLUCDPK"_s, u"ROZPUPK"_s, u"UCDENIK"_s})
            year.table(name);
        m_yearDir = year.dir();
        bulkInsert(m_yearDir + u"POKLKNIH.DAT"_s, {u"Doklad"_s, u"Cislo"_s, u"Del"_s}, kDocuments, [](int i) {
            const int cislo = i + 1;
            return QVariantList{u"PP%1"_s.arg(cislo, 6, 10, QChar(u'0')), cislo, cislo % kDeletedEvery == 5};
        });
        bulkInsert(m_yearDir + u"POLUCDPK.DAT"_s, {u"CISLO"_s, u"Poradi"_s, u"Castka"_s}, 2 * kDocuments, [](int i) {
            return QVariantList{i / 2 + 1, i % 2 + 1, 100.0};
        });
        bulkInsert(m_yearDir + u"ROZPUPK.DAT"_s, {u"CisDokladu"_s, u"Cislo"_s}, kDocuments, [](int i) {
            return QVariantList{i + 1, 1};
        });
        bulkInsert(m_yearDir + u"UCDENIK.DAT"_s, {u"Cislo"_s, u"Zdroj"_s, u"ZRadek"_s, u"Castka"_s}, 2 * kDocuments,
                   [](int i) {
                       return QVariantList{i + 1, u"PK"_s, i / 2 + 1, 50.0};
                   });
    }

    QTemporaryDir m_dir;
    QString m_yearDir;
};

void runRemoval(benchmark::State &state, bool testMode)
{
    CashYear &year = CashYear::instance();
    BenchmarkUi seam;
    UiSeam::setCurrent(&seam);
    QTemporaryDir settings;
    for (auto _ : state) {
        state.PauseTiming();
        RunContext context;
        context.yearDir = year.copy();
        context.dataRoot = QDir::cleanPath(context.yearDir + u"/.."_s) + u'/';
        context.addOnRoot = settings.path() + u'/';
        context.settingsDir = context.addOnRoot + u"Setting/"_s;
        NoProgress progress;
        OperationSession session(context, progress);
        RemovalOptions options;
        options.modules.at(0) = true;
        options.testMode = testMode;
        RemovalRun removal(session, progress, options);
        state.ResumeTiming();
        benchmark::DoNotOptimize(removal.runRemoval());
        state.PauseTiming();
        // Every deleted document listed (all lie below the last line number).
        if (session.protocol().lines().size() < kDocuments / kDeletedEvery || seam.messages != 0)
            state.SkipWithError("the run did not list every deleted document");
        state.ResumeTiming();
    }
    UiSeam::setCurrent(nullptr);
}

void BM_RemovalRealRun(benchmark::State &state)
{
    runRemoval(state, false);
}

void BM_RemovalTestMode(benchmark::State &state)
{
    runRemoval(state, true);
}

} // namespace

BENCHMARK(BM_RemovalRealRun)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RemovalTestMode)->Unit(benchmark::kMillisecond)->Iterations(3);

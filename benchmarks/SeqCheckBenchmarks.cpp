// The sequence check over one series of 1,000,000 numbers and a cash book of
// 200,000 documents holding every fifth number (every fiftieth of them
// deleted): one seek per number, the deletion flag read where a document is
// found, the message queue run and the progress set once per number, and
// about 800,000 missing numbers written to the protocol.

#include "BenchmarkApplication.h"
#include "BenchmarkSeams.h"
#include "app/core/OperationSession.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "hostdb/HostCatalogue.h"
#include "hostdb/HostTableDef.h"
#include "hostdb/SqliteSupport.h"
#include "hostdb/SqliteTableFile.h"
#include "ops/seqcheck/SequenceCheck.h"
#include "ops/seqcheck/SequenceCheckSetup.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDocuments = 200000;
constexpr int kNumbers = 1000000;
constexpr int kStep = kNumbers / kDocuments;

// The year directory with POKLKNIH, written once with raw statements.
class CashBook
{
public:
    static CashBook &instance()
    {
        static CashBook book;
        return book;
    }
    QString yearDir() const { return m_dir.path() + u'/'; }

private:
    CashBook()
    {
        const HostTableDef &definition = HostCatalogue::table(u"POKLKNIH");
        const QString path = m_dir.filePath(u"POKLKNIH.DAT"_s);
        SqliteTableFile::create(path, definition);
        const int doklad = definition.fieldIndex(u"Doklad");
        const int cislo = definition.fieldIndex(u"Cislo");
        const int del = definition.fieldIndex(u"Del");
        SqlDatabase db;
        db.open(path, false);
        db.exec(u"BEGIN"_s);
        SqlStatement insert;
        insert.prepare(db, u"INSERT INTO tbf_data(%1, %2, %3, %4) VALUES(?1, ?2, ?3, ?4)"_s.arg(
                               SqliteTableFile::fieldColumn(doklad), SqliteTableFile::keyColumn(doklad),
                               SqliteTableFile::fieldColumn(cislo), SqliteTableFile::fieldColumn(del)));
        for (int i = 1; i <= kDocuments; ++i) {
            const QString number = u"PK%1"_s.arg(i * kStep, 7, 10, QChar(u'0'));
            insert.bind(1, number);
            insert.bind(2, HostNames::keyText(number));
            insert.bindInt(3, i);
            insert.bindInt(4, i % 50 == 0 ? 1 : 0);
            insert.step();
            insert.reset();
        }
        insert.finalize();
        db.exec(u"COMMIT"_s);
    }

    QTemporaryDir m_dir;
};

void BM_SequenceCheckMillionNumbers(benchmark::State &state)
{
    ensureBenchmarkApplication();
    BenchmarkUi pumpingUi{true};
    UiSeam::setCurrent(&pumpingUi);

    RunContext context;
    context.yearDir = CashBook::instance().yearDir();
    context.yearName = u"2018"_s;
    NoProgress progress;
    OperationSession session(context, progress);
    SequenceCheckSetup setup;
    MemTable &series = setup.mtCisRady();
    series.append();
    series.setValue(u"Rada"_s, u"PK"_s);
    series.setValue(u"Cislo"_s, kNumbers + 1);
    series.setValue(u"Nuly"_s, true);
    series.setValue(u"PocetMist"_s, 7);
    series.setValue(u"PP"_s, true);
    series.setValue(u"Start"_s, 1);
    series.setValue(u"End"_s, kNumbers);
    series.setValue(u"Checked"_s, true);
    std::array<bool, kSequenceModuleCount> modules{};
    modules[0] = true;

    for (auto _ : state) {
        if (runSequenceCheck(session, series, modules, progress) != 0)
            state.SkipWithError("the check stopped");
    }
    // Missing: the four numbers between documents and every deleted one.
    const qsizetype expected = 5 + (kNumbers - kDocuments) + kDocuments / 50 + 2;
    if (session.protocol().lines().size() != expected)
        state.SkipWithError("unexpected protocol");
    state.counters["numbers"] = kNumbers;
    state.counters["missing"] = double(session.protocol().lines().size() - 7);
    UiSeam::setCurrent(nullptr);
}
BENCHMARK(BM_SequenceCheckMillionNumbers)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

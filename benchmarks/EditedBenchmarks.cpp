// The highlight list's load: 100,000 cash documents classified against an
// action log of 1,000,000 records, read once per load. The baseline is the
// search of the log once per document (one compound-key seek and a walk of
// that document's records), measured on the same files.

#include "BenchmarkSeams.h"
#include "app/core/OperationSession.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "hostdb/HostCatalogue.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostTableDef.h"
#include "hostdb/SqliteSupport.h"
#include "hostdb/SqliteTableFile.h"
#include "ops/edited/DocumentClassification.h"
#include "ops/edited/EditedDocumentsLoader.h"
#include "ops/edited/EditedModules.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDocuments = 100000;
constexpr int kLogRecords = 1000000;

QString documentNumber(int i)
{
    return u"PK"_s + QString::number(i).rightJustified(7, u'0');
}

// The data root with company 001, year 2018: a cash book of 100,000
// documents and an action log of 1,000,000 records. Of the log, 600,000
// records are the cash documents' own (a creation and up to ten edits, in
// shuffled order of writing, as users work), the rest belong to other
// companies, years and modules with the same numbers.
class EditedData
{
public:
    static EditedData &instance()
    {
        static EditedData data;
        return data;
    }
    QString dataRoot() const { return m_dir.path() + u"/"_s; }
    QString yearDir() const { return dataRoot() + u"AGENDA.001/ROK.2018/"_s; }

private:
    EditedData()
    {
        QDir().mkpath(yearDir());
        writeBook();
        writeLog();
    }

    void writeBook()
    {
        const HostTableDef &definition = HostCatalogue::table(u"POKLKNIH");
        const QString path = yearDir() + u"POKLKNIH.DAT"_s;
        SqliteTableFile::create(path, definition);
        const int doklad = definition.fieldIndex(u"Doklad");
        SqlDatabase db;
        db.open(path, false);
        db.exec(u"BEGIN"_s);
        SqlStatement insert;
        insert.prepare(db, u"INSERT INTO tbf_data(f%1, k%1, f%2, f%3, f%4, f%5, f%6, f%7) "
                           u"VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"_s.arg(doklad)
                               .arg(definition.fieldIndex(u"Cislo"))
                               .arg(definition.fieldIndex(u"DatVyst"))
                               .arg(definition.fieldIndex(u"Celkem"))
                               .arg(definition.fieldIndex(u"AdNazev"))
                               .arg(definition.fieldIndex(u"Popis"))
                               .arg(definition.fieldIndex(u"Vyst")));
        for (int i = 1; i <= kDocuments; ++i) {
            const QString number = documentNumber(i);
            insert.bind(1, number);
            insert.bind(2, HostNames::keyText(number));
            insert.bindInt(3, i);
            insert.bind(4, 43101.0 + i % 365);
            insert.bind(5, 100.0 + i % 977);
            insert.bind(6, u"Partner %1"_s.arg(i % 300));
            insert.bind(7, u"Tržba za zboží"_s);
            insert.bind(8, u"Eva"_s);
            insert.step();
            insert.reset();
        }
        insert.finalize();
        db.exec(u"COMMIT"_s);
    }

    void writeLog()
    {
        struct Entry
        {
            const char16_t *agenda;
            const char16_t *year;
            const char16_t *list;
            int document;
            bool creation;
            double price;
        };
        std::vector<Entry> entries;
        entries.reserve(kLogRecords);
        std::mt19937 random(7);
        // The cash documents' own actions: 6 per document on average.
        for (int i = 1; i <= kDocuments; ++i) {
            const double total = 100.0 + i % 977;
            entries.push_back({u"001", u"2018", u"UP", i, true, i % 5 == 0 ? total - 1 : total});
            const int edits = 1 + int(random() % 10);
            for (int e = 0; e < edits; ++e)
                entries.push_back({u"001", u"2018", u"UP", i, false, i % 7 == 0 && e == 0 ? total + 1 : total});
        }
        // Other companies, years and modules fill the log.
        const Entry others[] = {{u"002", u"2018", u"UP", 0, false, 1.0},
                                {u"001", u"2017", u"UP", 0, false, 1.0},
                                {u"001", u"2018", u"UB", 0, false, 1.0}};
        for (int i = 0; int(entries.size()) < kLogRecords; ++i) {
            Entry entry = others[i % 3];
            entry.document = 1 + int(random() % kDocuments);
            entries.push_back(entry);
        }
        std::shuffle(entries.begin(), entries.end(), random);

        const HostTableDef &definition = HostCatalogue::table(u"GLAKCE");
        const QString path = dataRoot() + u"GLAKCE.DAT"_s;
        SqliteTableFile::create(path, definition);
        auto f = [&](const char16_t *name) { return definition.fieldIndex(QStringView(name)); };
        SqlDatabase db;
        db.open(path, false);
        db.exec(u"BEGIN"_s);
        SqlStatement insert;
        insert.prepare(db, u"INSERT INTO tbf_data(f%1, k%1, f%2, k%2, f%3, k%3, f%4, k%4, f%5, f%6, f%7, f%8, f%9, "
                           u"f%10, f%11, f%12) VALUES(?1, ?1, ?2, ?2, ?3, ?3, ?4, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                           u"?11, ?12)"_s.arg(f(u"Agenda"))
                               .arg(f(u"Rok"))
                               .arg(f(u"KodSezn"))
                               .arg(f(u"DoklZkrat"))
                               .arg(f(u"Cislo"))
                               .arg(f(u"KodAkce"))
                               .arg(f(u"Cena"))
                               .arg(f(u"Datum"))
                               .arg(f(u"Cas"))
                               .arg(f(u"Uzivatel"))
                               .arg(f(u"Popis"))
                               .arg(f(u"Stanice")));
        int cislo = 0;
        for (const Entry &entry : entries) {
            ++cislo;
            insert.bind(1, QString::fromUtf16(entry.agenda));
            insert.bind(2, QString::fromUtf16(entry.year));
            insert.bind(3, QString::fromUtf16(entry.list));
            insert.bind(4, documentNumber(entry.document));
            insert.bindInt(5, cislo);
            insert.bind(6, entry.creation ? u"P"_s : u"Z"_s);
            insert.bind(7, entry.price);
            insert.bind(8, 43101.0 + cislo % 365);
            insert.bind(9, 0.5);
            insert.bind(10, cislo % 3 == 0 ? u"Jana"_s : u"Petr"_s);
            insert.bind(11, u"Oprava dokladu"_s);
            insert.bindInt(12, 1 + cislo % 3);
            insert.step();
            insert.reset();
        }
        insert.finalize();
        db.exec(u"COMMIT"_s);
    }

    QTemporaryDir m_dir;
};

RunContext contextFor(const EditedData &data)
{
    RunContext context;
    context.dataRoot = data.dataRoot();
    context.yearDir = data.yearDir();
    context.agendaCode = u"001"_s;
    context.yearCode = u"2018"_s;
    context.userName = u"Jana"_s;
    return context;
}

// The load as the operation runs it: documents into the row table, the log
// read once.
void BM_EditedLoad(benchmark::State &state)
{
    EditedData &data = EditedData::instance();
    BenchmarkUi quiet;
    UiSeam::setCurrent(&quiet);
    RunContext context = contextFor(data);
    NoProgress progress;
    OperationSession session(context, progress);
    EditedSettings settings;
    settings.ignoreOwn = state.range(0) != 0;
    int classes[3] = {0, 0, 0};
    for (auto _ : state) {
        MemTable rows;
        EditedModules::defineDocumentRows(rows);
        EditedCounts counts;
        if (loadEditedDocuments(session, settings, rows, counts) != 0 || rows.recordCount() != kDocuments) {
            state.SkipWithError("load failed");
            break;
        }
        classes[0] = counts.notEdited;
        classes[1] = counts.edited;
        classes[2] = counts.totalChanged;
    }
    state.counters["notEdited"] = classes[0];
    state.counters["edited"] = classes[1];
    state.counters["totalChanged"] = classes[2];
    UiSeam::setCurrent(nullptr);
}
BENCHMARK(BM_EditedLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Only the read of the log into the per-document groups.
void BM_EditedActionLogRead(benchmark::State &state)
{
    EditedData &data = EditedData::instance();
    for (auto _ : state) {
        TBFTable log;
        if (log.Open(data.dataRoot() + u"GLAKCE"_s) != HostResult::Ok ||
            log.SetIndex(actionLogIndex()) != HostResult::Ok) {
            state.SkipWithError("the action log did not open");
            return;
        }
        ActionLog actions;
        actions.load(log, u"001"_s, u"2018"_s, u"UP"_s);
        benchmark::DoNotOptimize(actions.documentCount());
    }
}
BENCHMARK(BM_EditedActionLogRead)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline: one compound-key seek per document and a walk of its records,
// classifying the same way; the document table is walked as the load does.
void BM_EditedSeekPerDocumentBaseline(benchmark::State &state)
{
    EditedData &data = EditedData::instance();
    const ClassifyOptions options{QDate(), false, u"Jana"_s, false};
    for (auto _ : state) {
        TBFTable book;
        TBFTable log;
        if (book.Open(data.yearDir() + u"POKLKNIH"_s) != HostResult::Ok ||
            log.Open(data.dataRoot() + u"GLAKCE"_s) != HostResult::Ok ||
            log.SetIndex(actionLogIndex()) != HostResult::Ok) {
            state.SkipWithError("the tables did not open");
            return;
        }
        int edited = 0;
        book.GoTop();
        while (!book.Eof()) {
            const QString number = book.Value(u"Doklad"_s).toString();
            std::vector<LoggedAction> actions;
            if (log.SeekKeys({u"001"_s, u"2018"_s, u"UP"_s, number}) == HostResult::Found) {
                while (logRecordMatches(log, u"001"_s, u"2018"_s, u"UP"_s, number)) {
                    LoggedAction action;
                    action.creation = log.Value(u"KodAkce"_s).toString() == u"P"_s;
                    action.price = log.Value(u"Cena"_s).toDouble();
                    action.user = log.Value(u"Uzivatel"_s).toString();
                    actions.push_back(action);
                    if (log.Skip() == HostResult::PastEnd)
                        break;
                }
            }
            edited += classifyActions(&actions, book.Value(u"Celkem"_s).toDouble(), options) > 0;
            if (book.Skip() == HostResult::PastEnd)
                break;
        }
        benchmark::DoNotOptimize(edited);
    }
}
BENCHMARK(BM_EditedSeekPerDocumentBaseline)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

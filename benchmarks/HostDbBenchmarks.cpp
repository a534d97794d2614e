// The host table engine against raw SQLite statements on the same file: the
// engine's overhead is the ratio of each pair. The table is a cash book of
// 100,000 records whose numbers are not in record order.

#include "hostdb/HostCatalogue.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostTableDef.h"
#include "hostdb/SqliteSupport.h"
#include "hostdb/SqliteTableFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRecords = 100000;

QString documentNumber(int i)
{
    return u"pp%1"_s.arg(i, 6, 10, QChar(u'0'));
}

// Record i holds the number of a shuffled counter, so index order and record
// order differ.
class BookFile
{
public:
    static BookFile &instance()
    {
        static BookFile file;
        return file;
    }
    QString path() const { return m_dir.filePath(u"POKLKNIH.DAT"_s); }
    // A fresh copy for benchmarks that change the table.
    QString copy(const QString &name) const
    {
        const QString target = m_dir.filePath(name + u".DAT"_s);
        QFile::remove(target);
        QFile::remove(m_dir.filePath(name + u".LCK"_s));
        QFile::copy(path(), target);
        return target;
    }
    const std::vector<int> &numbers() const { return m_numbers; }

private:
    BookFile()
    {
        const HostTableDef &definition = HostCatalogue::table(u"POKLKNIH");
        SqliteTableFile::create(path(), definition);
        m_numbers.resize(kRecords);
        for (int i = 0; i < kRecords; ++i)
            m_numbers[i] = i + 1;
        std::mt19937 random(1);
        std::shuffle(m_numbers.begin(), m_numbers.end(), random);

        const int doklad = definition.fieldIndex(u"Doklad");
        const int cislo = definition.fieldIndex(u"Cislo");
        const int celkem = definition.fieldIndex(u"Celkem");
        const int popis = definition.fieldIndex(u"Popis");
        const int datVyst = definition.fieldIndex(u"DatVyst");
        SqlDatabase db;
        db.open(path(), false);
        db.exec(u"BEGIN"_s);
        SqlStatement insert;
        insert.prepare(
            db, u"INSERT INTO tbf_data(f%1, k%1, f%2, f%3, f%4, f%5) VALUES(?1, ?2, ?3, ?4, ?5, ?6)"_s.arg(doklad)
                    .arg(cislo)
                    .arg(celkem)
                    .arg(popis)
                    .arg(datVyst));
        for (int i = 0; i < kRecords; ++i) {
            const QString number = documentNumber(m_numbers[i]);
            insert.bind(1, number);
            insert.bind(2, HostNames::keyText(number));
            insert.bindInt(3, i + 1);
            insert.bind(4, 100.0 + i % 977);
            insert.bind(5, u"Tržba za zboží %1"_s.arg(i));
            insert.bind(6, 43101.0 + i % 365);
            insert.step();
            insert.reset();
        }
        insert.finalize();
        db.exec(u"COMMIT"_s);
    }

    QTemporaryDir m_dir;
    std::vector<int> m_numbers;
};

// Keys to look for, in a fixed random order; written as a user types them.
std::vector<QString> searchKeys()
{
    std::vector<QString> keys;
    std::mt19937 random(2);
    std::uniform_int_distribution<int> pick(1, kRecords);
    for (int i = 0; i < 4096; ++i)
        keys.push_back(documentNumber(pick(random)).toUpper());
    return keys;
}

// Raw SQLite with the engine's connection settings. Column numbers of the
// cash book: f0 "Doklad", f1 "Cislo", f10 "Popis", f12 "Celkem"; in the
// record's select list each is one further on (recno comes first).
struct RawConnection
{
    explicit RawConnection(const QString &path)
    {
        const QByteArray name = QFile::encodeName(path);
        sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(db, 5000);
        sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    }
    ~RawConnection() { sqlite3_close_v2(db); }
    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        return statement;
    }
    sqlite3 *db = nullptr;
};

// --- Seek by key and read the record --------------------------------------

void BM_EngineSeekRead(benchmark::State &state)
{
    const auto keys = searchKeys();
    TBFTable table;
    if (table.Open(BookFile::instance().path()) != HostResult::Ok || table.SetIndex(u"Doklad"_s) != HostResult::Ok) {
        state.SkipWithError("the book did not open");
        return;
    }
    const QString doklad = u"Doklad"_s, cislo = u"Cislo"_s, celkem = u"Celkem"_s;
    size_t i = 0;
    for (auto _ : state) {
        if (table.Seek(keys[i++ % keys.size()]) != HostResult::Found)
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(table.Value(doklad));
        benchmark::DoNotOptimize(table.Value(cislo));
        benchmark::DoNotOptimize(table.Value(celkem));
    }
}
BENCHMARK(BM_EngineSeekRead);

void BM_RawSeekRead(benchmark::State &state)
{
    const auto keys = searchKeys();
    RawConnection raw(BookFile::instance().path());
    // The same work: a case-insensitive search on the number's key column,
    // the whole record read as the engine reads it.
    sqlite3_stmt *seek = raw.prepare("SELECT recno, f0, f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, "
                                     "f14, f15, f16, f17 FROM tbf_data WHERE k0 >= ?1 ORDER BY k0, recno LIMIT 1");
    size_t i = 0;
    for (auto _ : state) {
        const QByteArray key = keys[i++ % keys.size()].toUpper().toUtf8();
        sqlite3_bind_text(seek, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(seek) != SQLITE_ROW)
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(seek, 1))));
        benchmark::DoNotOptimize(sqlite3_column_int64(seek, 2));
        benchmark::DoNotOptimize(sqlite3_column_double(seek, 13));
        sqlite3_reset(seek);
    }
    sqlite3_finalize(seek);
}
BENCHMARK(BM_RawSeekRead);

// --- A full scan in index order -------------------------------------------

void BM_EngineScanIndexOrder(benchmark::State &state)
{
    TBFTable table;
    if (table.Open(BookFile::instance().path()) != HostResult::Ok || table.SetIndex(u"Doklad"_s) != HostResult::Ok) {
        state.SkipWithError("the book did not open");
        return;
    }
    const QString doklad = u"Doklad"_s, celkem = u"Celkem"_s;
    for (auto _ : state) {
        int records = 0;
        table.GoTop();
        while (!table.Eof()) {
            benchmark::DoNotOptimize(table.Value(doklad));
            benchmark::DoNotOptimize(table.Value(celkem));
            ++records;
            table.Skip();
        }
        if (records != kRecords)
            state.SkipWithError("wrong count");
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_EngineScanIndexOrder)->Unit(benchmark::kMillisecond);

void BM_RawScanIndexOrder(benchmark::State &state)
{
    RawConnection raw(BookFile::instance().path());
    sqlite3_stmt *scan = raw.prepare("SELECT recno, f0, f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, "
                                     "f14, f15, f16, f17 FROM tbf_data ORDER BY k0, recno");
    for (auto _ : state) {
        int records = 0;
        while (sqlite3_step(scan) == SQLITE_ROW) {
            benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(scan, 1))));
            benchmark::DoNotOptimize(sqlite3_column_double(scan, 13));
            ++records;
        }
        sqlite3_reset(scan);
        if (records != kRecords)
            state.SkipWithError("wrong count");
    }
    sqlite3_finalize(scan);
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_RawScanIndexOrder)->Unit(benchmark::kMillisecond);

// --- Update and post ------------------------------------------------------

void BM_EngineUpdatePost(benchmark::State &state)
{
    TBFTable table;
    if (table.Open(BookFile::instance().copy(u"UPDATE"_s)) != HostResult::Ok) {
        state.SkipWithError("the book did not open");
        return;
    }
    const QString popis = u"Popis"_s;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> pick(1, kRecords);
    int i = 0;
    for (auto _ : state) {
        if (table.GoTo(pick(random)) != HostResult::Ok || table.Lock() != HostResult::Ok)
            state.SkipWithError("lock failed");
        table.SetValue(popis, u"opraveno %1"_s.arg(++i));
        if (table.Post() != HostResult::Ok)
            state.SkipWithError("post failed");
    }
}
BENCHMARK(BM_EngineUpdatePost);

void BM_RawUpdatePost(benchmark::State &state)
{
    RawConnection raw(BookFile::instance().copy(u"UPDATERAW"_s));
    sqlite3_stmt *update = raw.prepare("UPDATE tbf_data SET f10 = ?1 WHERE recno = ?2");
    std::mt19937 random(3);
    std::uniform_int_distribution<int> pick(1, kRecords);
    int i = 0;
    for (auto _ : state) {
        const QByteArray text = u"opraveno %1"_s.arg(++i).toUtf8();
        sqlite3_bind_text(update, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(update, 2, pick(random));
        if (sqlite3_step(update) != SQLITE_DONE)
            state.SkipWithError("update failed");
        sqlite3_reset(update);
    }
    sqlite3_finalize(update);
}
BENCHMARK(BM_RawUpdatePost);

// --- Delete ---------------------------------------------------------------

void BM_EngineDelete(benchmark::State &state)
{
    TBFTable table;
    if (table.Open(BookFile::instance().copy(u"DELETE"_s)) != HostResult::Ok ||
        table.SetIndex(u"Doklad"_s) != HostResult::Ok) {
        state.SkipWithError("the book did not open");
        return;
    }
    table.GoTop();
    for (auto _ : state) {
        if (table.Lock() != HostResult::Ok || table.Delete() < 0)
            state.SkipWithError("delete failed");
    }
}
BENCHMARK(BM_EngineDelete)->Iterations(20000);

void BM_RawDelete(benchmark::State &state)
{
    RawConnection raw(BookFile::instance().copy(u"DELETERAW"_s));
    sqlite3_stmt *first = raw.prepare("SELECT recno FROM tbf_data ORDER BY k0, recno LIMIT 1");
    sqlite3_stmt *remove = raw.prepare("DELETE FROM tbf_data WHERE recno = ?1");
    for (auto _ : state) {
        sqlite3_step(first);
        const sqlite3_int64 recNo = sqlite3_column_int64(first, 0);
        sqlite3_reset(first);
        sqlite3_bind_int64(remove, 1, recNo);
        if (sqlite3_step(remove) != SQLITE_DONE)
            state.SkipWithError("delete failed");
        sqlite3_reset(remove);
    }
    sqlite3_finalize(first);
    sqlite3_finalize(remove);
}
BENCHMARK(BM_RawDelete)->Iterations(20000);

} // namespace

// The snapshot a renumbering write-back of 10,000 cash documents takes before
// its first write: the cash book (10,000 documents), its journal (three lines
// each, 30,000), the payments (10,000) and the action log (two entries each,
// 20,000), copied with the online backup and summarised for the manifest;
// and the end record, which summarises the same tables once more.
// The counter "bytes" is the size of the snapshot's copies.

#include "fixture/HostTreeBuilder.h"
#include "hostdb/SnapshotStore.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDocuments = 10000;

class WriteBackTables
{
public:
    static WriteBackTables &instance()
    {
        static WriteBackTables tables;
        return tables;
    }

    QString dataRoot() const { return m_dir.path() + u"/DATA/"_s; }
    QString snapshotsRoot() const { return m_dir.path() + u"/Zalohy"_s; }
    const QStringList &tables() const { return m_tables; }

    SnapshotManifest manifest() const
    {
        SnapshotManifest manifest;
        manifest.operation = u"precislovani"_s;
        manifest.company = u"Demo s.r.o."_s;
        manifest.agendaDir = dataRoot() + u"AGENDA.001/"_s;
        manifest.dataRoot = dataRoot();
        manifest.created = QDateTime(QDate(2018, 6, 30), QTime(14, 0));
        return manifest;
    }

private:
    WriteBackTables()
    {
        HostTreeBuilder tree(dataRoot());
        YearBuilder &year = tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).year(u"2018"_s);
        year.yearName(u"2018"_s).doubleEntry(true);
        {
            auto cash = year.table(u"POKLKNIH"_s);
            auto journal = year.table(u"UCDENIK"_s);
            auto payments = year.table(u"UHRADY"_s);
            auto log = tree.table(u"GLAKCE"_s);
            int line = 0;
            for (int cislo = 1; cislo <= kDocuments; ++cislo) {
                const QString number = u"PP%1"_s.arg(cislo, 6, 10, QChar(u'0'));
                const QDate date = QDate(2018, 1, 1).addDays(cislo % 365);
                cash.row({{"Doklad", number},
                          {"Cislo", cislo},
                          {"DatVyst", date},
                          {"Popis", "tržba za zboží"},
                          {"Celkem", 1210.0 + cislo}});
                for (int i = 0; i < 3; ++i) {
                    journal.row({{"Cislo", ++line},
                                 {"Zdroj", "PK"},
                                 {"ZRadek", cislo},
                                 {"Doklad", number},
                                 {"MD", i == 0 ? "211000" : "604000"},
                                 {"DAL", i == 0 ? "604000" : "343100"},
                                 {"Castka", 400.0 + i}});
                }
                payments.row({{"Poradi", 1},
                              {"TypeUDokl", "P"},
                              {"CisloUDokl", cislo},
                              {"URok", "2018"},
                              {"TypeHDokl", "FV"},
                              {"CisloHDokl", cislo},
                              {"HRok", "2018"},
                              {"Datum", date},
                              {"Castka", 1210.0 + cislo}});
                for (const char *action : {"N", "O"}) {
                    log.row({{"Agenda", "001"},
                             {"Rok", "2018"},
                             {"KodSezn", "UP"},
                             {"DoklZkrat", number},
                             {"Cislo", cislo},
                             {"KodAkce", action},
                             {"Datum", date},
                             {"Uzivatel", "Demo"}});
                }
            }
        }
        m_tables = QStringList{year.dir() + u"POKLKNIH.DAT"_s, year.dir() + u"UCDENIK.DAT"_s,
                               year.dir() + u"UHRADY.DAT"_s, dataRoot() + u"GLAKCE.DAT"_s};
    }

    QTemporaryDir m_dir;
    QStringList m_tables;
};

qint64 folderSize(const QString &folder)
{
    qint64 size = 0;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        size += it.nextFileInfo().size();
    return size;
}

void BM_SnapshotOfWriteBackTables(benchmark::State &state)
{
    WriteBackTables &tables = WriteBackTables::instance();
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(tables.snapshotsRoot()).removeRecursively();
        SnapshotManifest manifest = tables.manifest();
        QString error;
        state.ResumeTiming();
        const QString folder = SnapshotStore::take(tables.snapshotsRoot(), manifest, tables.tables(), &error);
        state.PauseTiming();
        if (folder.isEmpty() || manifest.tables.size() != 4 || manifest.tables.at(1).summary.records != 3 * kDocuments)
            state.SkipWithError(qPrintable(u"snapshot failed: "_s + error));
        bytes = folderSize(folder);
        state.ResumeTiming();
    }
    state.counters[u"bytes"_s.toStdString()] = double(bytes);
}

void BM_EndRecordOfWriteBackTables(benchmark::State &state)
{
    WriteBackTables &tables = WriteBackTables::instance();
    QDir(tables.snapshotsRoot()).removeRecursively();
    SnapshotManifest manifest = tables.manifest();
    QString error;
    const QString folder = SnapshotStore::take(tables.snapshotsRoot(), manifest, tables.tables(), &error);
    if (folder.isEmpty())
        state.SkipWithError(qPrintable(u"snapshot failed: "_s + error));
    for (auto _ : state)
        benchmark::DoNotOptimize(SnapshotStore::writeFinish(folder, manifest, 0));
}

} // namespace

BENCHMARK(BM_SnapshotOfWriteBackTables)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EndRecordOfWriteBackTables)->Unit(benchmark::kMillisecond)->Iterations(5);

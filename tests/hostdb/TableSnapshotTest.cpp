// The snapshot engine and its store without any operation: what counts as a
// change of a table, which folders count as snapshots, and a snapshot taken
// while another connection writes the table.

#include "HostDbTestSupport.h"

#include "hostdb/SnapshotRestore.h"
#include "hostdb/SnapshotStore.h"
#include "hostdb/SqliteSupport.h"

#include <QDir>
#include <QFile>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

class TableSnapshotTest : public HostDbTest
{
protected:
    TableSnapshotTest() { year().table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del|Celkem\nPP01|1|0|10.5\nPP02|2|1|20"); }

    QString table() const { return yearDir() + u"POKLKNIH.DAT"_s; }
    QString root() const { return tempDir() + u"/Zalohy"_s; }
    QString dataRoot() const { return tempDir() + u"/DATA/"_s; }

    SnapshotManifest manifest(const QDateTime &created) const
    {
        SnapshotManifest m;
        m.operation = u"odstraneni"_s;
        m.company = u"Demo s.r.o."_s;
        m.agendaDir = dataRoot() + u"AGENDA.001/"_s;
        m.dataRoot = dataRoot();
        m.created = created;
        return m;
    }

    QString take(const QDateTime &created = QDateTime(QDate(2018, 6, 30), QTime(14, 0)))
    {
        SnapshotManifest m = manifest(created);
        QString error;
        const QString folder = SnapshotStore::take(root(), m, {table()}, &error);
        EXPECT_FALSE(folder.isEmpty()) << error.toStdString();
        return folder;
    }
};

// What changes a table's summary: any record written, added or deleted;
// not the way the file stores it.
struct ChangeCase
{
    const char *name;
    std::function<void(TBFTable &, const QString &path)> change;
    bool changed;
};

class SummaryTest : public TableSnapshotTest, public testing::WithParamInterface<ChangeCase>
{
};

TEST_P(SummaryTest, ChangesTheSummaryExactlyWhenARecordChanges)
{
    const auto before = TableSnapshot::summarize(table());
    ASSERT_TRUE(before);
    EXPECT_EQ(before->records, 2);
    {
        auto t = open(u"POKLKNIH"_s);
        GetParam().change(*t, table());
    }
    const auto after = TableSnapshot::summarize(table());
    ASSERT_TRUE(after);
    EXPECT_EQ(*after != *before, GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(
    Snapshot, SummaryTest,
    testing::Values(ChangeCase{"NothingWritten", [](TBFTable &table, const QString &) { table.GoTop(); }, false},
                    ChangeCase{"VacuumedAndCheckpointed",
                               [](TBFTable &table, const QString &path) {
                                   table.Close();
                                   SqlDatabase db;
                                   ASSERT_TRUE(db.open(path, false));
                                   ASSERT_TRUE(db.exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s) && db.exec(u"VACUUM"_s));
                               },
                               false},
                    ChangeCase{"SameValueWrittenAgain",
                               [](TBFTable &table, const QString &) {
                                   table.GoTop();
                                   table.SetValue(u"Doklad"_s, u"PP01"_s);
                                   ASSERT_EQ(table.Post(), HostResult::Ok);
                               },
                               false},
                    ChangeCase{"TextChanged",
                               [](TBFTable &table, const QString &) {
                                   table.GoTop();
                                   table.SetValue(u"Doklad"_s, u"PP01A"_s);
                                   ASSERT_EQ(table.Post(), HostResult::Ok);
                               },
                               true},
                    ChangeCase{"AmountChangedInTheLastDecimal",
                               [](TBFTable &table, const QString &) {
                                   table.GoTop();
                                   table.SetValue(u"Celkem"_s, 10.5001);
                                   ASSERT_EQ(table.Post(), HostResult::Ok);
                               },
                               true},
                    ChangeCase{"RecordDeleted",
                               [](TBFTable &table, const QString &) {
                                   table.GoBottom();
                                   ASSERT_GE(table.Delete(), 0);
                               },
                               true},
                    // The next record number handed out differs: a restore must bring
                    // it back as well.
                    ChangeCase{"RecordAddedAndDeletedAgain",
                               [](TBFTable &table, const QString &) {
                                   ASSERT_EQ(table.AddNew(), HostResult::Ok);
                                   table.SetValue(u"Cislo"_s, 3);
                                   ASSERT_EQ(table.Post(), HostResult::Ok);
                                   ASSERT_GE(table.Delete(), 0);
                               },
                               true}),
    [](const testing::TestParamInfo<ChangeCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(TableSnapshotTest, TheCopyHoldsTheTableAsOneFileWithTheSameSummary)
{
    const QString folder = take();
    const QString copy = folder + u"/AGENDA.001/ROK.2018/POKLKNIH.DAT"_s;
    EXPECT_EQ(TableSnapshot::summarize(copy), TableSnapshot::summarize(table()));
    EXPECT_FALSE(QFile::exists(copy + u"-wal"_s));
    SqlDatabase db;
    ASSERT_TRUE(db.open(copy, SqlDatabase::Mode::ReadOnly));
    SqlStatement mode;
    ASSERT_TRUE(mode.prepare(db, u"PRAGMA journal_mode"_s) && mode.step());
    EXPECT_EQ(mode.columnText(0), u"delete"_s);
}

// A writer that holds its transaction open does not stop the snapshot, and
// the copy holds the table as it was before that transaction.
TEST_F(TableSnapshotTest, ReadsAroundAWriterInTheMiddleOfItsTransaction)
{
    const auto before = TableSnapshot::summarize(table());
    SqlDatabase writer;
    ASSERT_TRUE(writer.open(table(), false));
    ASSERT_TRUE(writer.exec(u"BEGIN IMMEDIATE"_s) && writer.exec(u"DELETE FROM tbf_data"_s));
    const QString folder = take();
    ASSERT_TRUE(writer.exec(u"COMMIT"_s));
    EXPECT_EQ(TableSnapshot::summarize(folder + u"/AGENDA.001/ROK.2018/POKLKNIH.DAT"_s), before);
    EXPECT_EQ(TableSnapshot::summarize(table())->records, 0);
}

// Only a folder with a whole manifest and every table it names is a snapshot.
struct DamageCase
{
    const char *name;
    std::function<void(const QString &folder)> damage;
};

class IncompleteSnapshotTest : public TableSnapshotTest, public testing::WithParamInterface<DamageCase>
{
};

void rewriteManifest(const QString &folder, const std::function<QByteArray(QByteArray)> &edit)
{
    QFile file(SnapshotStore::manifestPath(folder));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = edit(file.readAll());
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

TEST_P(IncompleteSnapshotTest, IsNeitherListedNorRestored)
{
    const QString good = take(QDateTime(QDate(2018, 6, 30), QTime(13, 0)));
    const QString folder = take();
    GetParam().damage(folder);
    const auto listed = SnapshotStore::list(root());
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed.first().folder, good);
    SnapshotRestore restore(folder, dataRoot());
    EXPECT_FALSE(restore.restore(true));
    EXPECT_TRUE(restore.error().contains(u"nemá úplný manifest"_s)) << restore.error().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Snapshot, IncompleteSnapshotTest,
    testing::Values(
        DamageCase{"NoManifest", [](const QString &folder) { QFile::remove(SnapshotStore::manifestPath(folder)); }},
        DamageCase{"ManifestCutShort",
                   [](const QString &folder) {
                       rewriteManifest(folder, [](QByteArray table) { return table.left(table.size() / 2); });
                   }},
        DamageCase{"ManifestWithoutItsEnd",
                   [](const QString &folder) {
                       rewriteManifest(folder, [](QByteArray table) { return table.replace("[Konec]", ""); });
                   }},
        DamageCase{"TableCountWrong",
                   [](const QString &folder) {
                       rewriteManifest(folder,
                                       [](QByteArray table) { return table.replace("Tabulek=1", "Tabulek=2"); });
                   }},
        DamageCase{"CopyMissing",
                   [](const QString &folder) { QFile::remove(folder + u"/AGENDA.001/ROK.2018/POKLKNIH.DAT"_s); }}),
    [](const testing::TestParamInfo<DamageCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(TableSnapshotTest, PruneKeepsTheNewestOfTheCompanyAndNeverNone)
{
    QStringList folders;
    for (int hour = 8; hour < 12; ++hour)
        folders.append(take(QDateTime(QDate(2018, 6, 30), QTime(hour, 0))));
    // Two within one second: their folders tell their order.
    folders.append(take(QDateTime(QDate(2018, 6, 30), QTime(12, 0))));
    folders.append(take(QDateTime(QDate(2018, 6, 30), QTime(12, 0))));
    EXPECT_TRUE(folders.last().endsWith(u"_2"_s));

    EXPECT_TRUE(SnapshotStore::prune(root(), dataRoot() + u"AGENDA.002/"_s, 1).isEmpty());
    EXPECT_EQ(SnapshotStore::prune(root(), dataRoot() + u"AGENDA.001"_s, 3), folders.mid(0, 3));
    EXPECT_EQ(SnapshotStore::prune(root(), dataRoot() + u"AGENDA.001/"_s, 0), folders.mid(3, 2));
    const auto listed = SnapshotStore::list(root());
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed.first().folder, folders.last());
    for (const QString &folder : folders.mid(0, 5))
        EXPECT_FALSE(QFileInfo::exists(folder));
}

// A manifest lies in a directory anybody with access to the data can write:
// the tables it names go only into the snapshot's company directory below
// the data root the restore is run for, whatever the manifest says.
struct EscapeCase
{
    const char *name;
    QByteArray path;                                   // "Soubor=" of the only table
    std::function<void(const QString &tempDir)> setup; // before the copy is placed
    QStringList watched;                               // below tempDir: must not change
};

class RestoreEscapeTest : public TableSnapshotTest, public testing::WithParamInterface<EscapeCase>
{
};

TEST_P(RestoreEscapeTest, IsRefusedAndWritesNothing)
{
    tree().agenda(u"002"_s).year(u"2018"_s).table(u"ROZPUPK"_s).rows("CisDokladu|Cislo\n7|1");
    const QString folder = take();
    const QByteArray original = "AGENDA.001/ROK.2018/POKLKNIH.DAT";
    if (GetParam().setup)
        GetParam().setup(tempDir());
    // The copy placed where the manifest's path finds it, so that only the
    // path itself can stop the restore.
    const QString placed = QDir::cleanPath(folder + u'/' + QString::fromUtf8(GetParam().path));
    if (!QFileInfo::exists(placed)) {
        QDir().mkpath(QFileInfo(placed).path());
        ASSERT_TRUE(QFile::copy(folder + u'/' + QString::fromUtf8(original), placed)) << placed.toStdString();
    }
    const QByteArray from = "Soubor=" + original;
    const QByteArray to = "Soubor=" + GetParam().path;
    rewriteManifest(folder, [&](QByteArray t) { return t.replace(from, to); });
    ASSERT_TRUE(SnapshotStore::readManifest(folder));
    const auto state = [&] {
        QList<std::optional<TableSummary>> summaries;
        for (const QString &path : GetParam().watched)
            summaries.append(TableSnapshot::summarize(tempDir() + u'/' + path));
        return summaries;
    };
    const auto before = state();

    SnapshotRestore restore(folder, dataRoot());
    EXPECT_FALSE(restore.restore(true));
    EXPECT_TRUE(restore.error().contains(u"neleží v adresáři agendy"_s)) << restore.error().toStdString();
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(QFileInfo::exists(tempDir() + u"/NEW.DAT"_s));
    EXPECT_FALSE(QFileInfo::exists(tempDir() + u"/OUT/NEW.DAT"_s));
}

void linkOut(const QString &tempDir, const QString &link)
{
    QDir().mkpath(tempDir + u"/OUT"_s);
    ASSERT_TRUE(QFile::link(tempDir + u"/OUT"_s + (link.endsWith(u".DAT"_s) ? u"/NEW.DAT"_s : QString()),
                            tempDir + u"/DATA/"_s + link));
}

INSTANTIATE_TEST_SUITE_P(
    Snapshot, RestoreEscapeTest,
    testing::Values(EscapeCase{"OutOfTheDataRoot", "AGENDA.001/../../NEW.DAT", {}, {u"NEW.DAT"_s}},
                    EscapeCase{"IntoAnotherCompanyByDots",
                               "AGENDA.001/../AGENDA.002/ROK.2018/ROZPUPK.DAT",
                               {},
                               {u"DATA/AGENDA.002/ROK.2018/ROZPUPK.DAT"_s}},
                    EscapeCase{"IntoAnotherCompany",
                               "AGENDA.002/ROK.2018/ROZPUPK.DAT",
                               {},
                               {u"DATA/AGENDA.002/ROK.2018/ROZPUPK.DAT"_s}},
                    EscapeCase{"Absolute", "/NEW.DAT", {}, {u"DATA/NEW.DAT"_s}},
                    // Only the catalogue's host-wide tables lie in the data root.
                    EscapeCase{"CompanyTableInTheDataRoot", "ROZPUPK.DAT", {}, {u"DATA/ROZPUPK.DAT"_s}},
                    EscapeCase{"ThroughALinkedDirectory",
                               "AGENDA.001/ROK.2019/NEW.DAT",
                               [](const QString &dir) { linkOut(dir, u"AGENDA.001/ROK.2019"_s); },
                               {u"OUT/NEW.DAT"_s}},
                    EscapeCase{"ThroughADanglingLinkedTable",
                               "AGENDA.001/ROK.2018/NEW.DAT",
                               [](const QString &dir) { linkOut(dir, u"AGENDA.001/ROK.2018/NEW.DAT"_s); },
                               {u"OUT/NEW.DAT"_s}}),
    [](const testing::TestParamInfo<EscapeCase> &paramInfo) { return std::string(paramInfo.param.name); });

// The manifest's data root never decides where the tables go.
TEST_F(TableSnapshotTest, RestoresIntoTheDataRootItIsRunForNotTheManifests)
{
    const QString folder = take();
    const QString elsewhere = tempDir() + u"/ELSE/"_s;
    rewriteManifest(folder, [&](QByteArray t) { return t.replace(dataRoot().toUtf8(), elsewhere.toUtf8()); });
    const auto before = TableSnapshot::summarize(table());
    {
        auto t = open(u"POKLKNIH"_s);
        t->GoTop();
        ASSERT_GE(t->Delete(), 0);
    }
    SnapshotRestore restore(folder, dataRoot());
    ASSERT_TRUE(restore.restore(true)) << restore.error().toStdString();
    EXPECT_EQ(TableSnapshot::summarize(table()), before);
    EXPECT_FALSE(QFileInfo::exists(elsewhere));
    ASSERT_EQ(restore.restored().size(), 1);
    EXPECT_EQ(restore.restored().first().relativePath, u"AGENDA.001/ROK.2018/POKLKNIH.DAT"_s);
    EXPECT_EQ(restore.restored().first().recordsBefore, 1);
    EXPECT_EQ(restore.restored().first().recordsAfter, 2);
}

// A renumbering also writes the action log, which lies in the data root
// and serves every company: its copy goes back there.
TEST_F(TableSnapshotTest, HostWideTableGoesBackIntoTheDataRoot)
{
    tree().table(u"GLAKCE"_s).rows("Agenda|Cislo\n001|1\n002|2");
    SnapshotManifest m = manifest(QDateTime(QDate(2018, 6, 30), QTime(14, 0)));
    QString error;
    const QString folder = SnapshotStore::take(root(), m, {table(), dataRoot() + u"GLAKCE.DAT"_s}, &error);
    ASSERT_FALSE(folder.isEmpty()) << error.toStdString();
    const auto before = TableSnapshot::summarize(dataRoot() + u"GLAKCE.DAT"_s);
    {
        TBFTable log;
        ASSERT_EQ(log.Open(dataRoot() + u"GLAKCE"_s), HostResult::Ok);
        log.GoTop();
        ASSERT_GE(log.Delete(), 0);
    }
    SnapshotRestore restore(folder, dataRoot());
    ASSERT_TRUE(restore.restore(true)) << restore.error().toStdString();
    EXPECT_EQ(TableSnapshot::summarize(dataRoot() + u"GLAKCE.DAT"_s), before);
}

// Folders a snapshot cut short left behind: no manifest, nobody taking them.
// A prune removes them, whatever company; nothing else in the folder.
TEST_F(TableSnapshotTest, PruneRemovesLeftoversWithoutAManifest)
{
    const QString kept = take();
    const QString leftover = root() + u"/2018-06-30_130000_odstraneni"_s;
    ASSERT_TRUE(QDir().mkpath(leftover + u"/AGENDA.001/ROK.2018"_s));
    ASSERT_TRUE(QFile::copy(table(), leftover + u"/AGENDA.001/ROK.2018/POKLKNIH.DAT"_s));
    const QString stray = root() + u"/2018-06-30_120000_odstraneni.lck"_s;
    ASSERT_TRUE(QFile(stray).open(QIODevice::WriteOnly));
    const QString other = root() + u"/vlastni"_s;
    ASSERT_TRUE(QDir().mkpath(other));

    EXPECT_EQ(SnapshotStore::prune(root(), dataRoot() + u"AGENDA.002/"_s, 10), QStringList{leftover});
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_FALSE(QFileInfo::exists(stray));
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_TRUE(QFileInfo::exists(SnapshotStore::manifestPath(kept)));
    EXPECT_EQ(QDir(root()).entryList(QDir::Files), QStringList());
}

// A manifest far larger than any real one is refused without being read:
// not listed, not restored, and the listing stays quick.
TEST_F(TableSnapshotTest, OversizedManifestIsRefusedUnread)
{
    const QString good = take(QDateTime(QDate(2018, 6, 30), QTime(13, 0)));
    const QString folder = take();
    const QByteArray padded = QByteArray("Vypln=") + QByteArray(2 * 1024 * 1024, 'x') + QByteArray("\n[Tabulka]");
    rewriteManifest(folder, [&](QByteArray t) { return t.replace("[Tabulka]", padded); });
    const auto listed = SnapshotStore::list(root());
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed.first().folder, good);
    SnapshotRestore restore(folder, dataRoot());
    EXPECT_FALSE(restore.restore(true));
    EXPECT_TRUE(restore.error().contains(u"je větší než 1048576 bajtů"_s)) << restore.error().left(300).toStdString();
}

} // namespace

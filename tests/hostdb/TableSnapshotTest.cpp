// The snapshot engine and its store without any operation: what counts as a
// change of a table, which folders count as snapshots, and a snapshot taken
// while another connection writes the table.

#include "HostDbTestSupport.h"

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
    QString error;
    EXPECT_FALSE(SnapshotStore::restore(folder, true, nullptr, &error));
    EXPECT_TRUE(error.contains(u"nemá úplný manifest"_s)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Snapshot, IncompleteSnapshotTest,
    testing::Values(
        DamageCase{"NoManifest", [](const QString &folder) { QFile::remove(SnapshotStore::manifestPath(folder)); }},
        DamageCase{
            "ManifestCutShort",
            [](const QString &folder) { rewriteManifest(folder, [](QByteArray table) { return table.left(table.size() / 2); }); }},
        DamageCase{"ManifestWithoutItsEnd",
                   [](const QString &folder) {
                       rewriteManifest(folder, [](QByteArray table) { return table.replace("[Konec]", ""); });
                   }},
        DamageCase{"TableCountWrong",
                   [](const QString &folder) {
                       rewriteManifest(folder, [](QByteArray table) { return table.replace("Tabulek=1", "Tabulek=2"); });
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

} // namespace

// The safety net of a real removal: the snapshot it takes of the tables it
// may write before its first write, the run that does not start when the
// snapshot cannot be taken, and the restore through the table tool with its
// refusals.

#include "PurgeFixture.h"

#include "app/core/RunSnapshot.h"
#include "common/Clock.h"
#include "common/IniFile.h"
#include "hostdb/SnapshotRestore.h"
#include "hostdb/SnapshotStore.h"
#include "support/TestSupport.h"
#include "tabletool/TableTool.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

struct ToolResult
{
    int code = 0;
    QString out;
    QString err;
};

ToolResult tableTool(const QStringList &arguments)
{
    ToolResult result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.code = TableTool::run(arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

const QString kRefusal = u"Před zahájením změn se nepodařilo pořídit zálohu dotčených tabulek, operace proto nebyla "
                         u"spuštěna a žádná data nebyla změněna.\r\r"_s;

// Cash documents 1 and 3 deleted (4 valid, the last), with items, distribution
// records and journal lines; journal line 9 is free. An issued invoice
// table is there too, which a cash-only run never writes.
class RemovalSnapshotTest : public RemovalTest
{
public:
    TableBuilder journal() { return year().table(u"UCDENIK"_s); }

protected:
    RemovalSnapshotTest()
    {
        year().table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP01|1|1\nPP02|2|0\nPP03|3|1\nPP04|4|0");
        year().table(u"POLUCDPK"_s).rows("CISLO|Popis\n1|a\n1|b\n2|c\n3|d\n4|e");
        year().table(u"ROZPUPK"_s).rows("CisDokladu|Cislo\n1|1\n3|1\n4|1");
        year()
            .table(u"UCDENIK"_s)
            .rows("Cislo|Zdroj|ZRadek|Free\n1|PK|1|0\n2|PK|1|0\n3|PK|2|0\n4|PK|3|0\n5|PK|4|0\n9|PK|7|1");
        year().table(u"VFAKTURY"_s).rows("Doklad|Cislo|FlagDel\nFV01|1|1\nFV02|2|0");
    }

    static RemovalOptions cashAndFreeLines()
    {
        RemovalOptions options = modules({u"POKLKNIH"_s});
        options.freeLines = true;
        return options;
    }

    // Every table of the year but `skip`, as CSV with record numbers.
    std::map<QString, QString> dumps(const QString &skip = QString())
    {
        std::map<QString, QString> all;
        for (const QString &file : QDir(yearDir()).entryList({u"*.DAT"_s}, QDir::Files, QDir::Name)) {
            if (file != skip)
                all[file] = dump(file.chopped(4));
        }
        return all;
    }

    QString snapshotsRoot() const { return dataRoot() + u"Velmar/Tarnek/Zalohy"_s; }
    QList<SnapshotStore::Snapshot> snapshots() const { return SnapshotStore::list(snapshotsRoot()); }

    // Runs a real removal that must succeed; the snapshot's folder, named by
    // the protocol's last line and listed.
    QString realRun()
    {
        EXPECT_EQ(run(cashAndFreeLines()), 0);
        const QString last = session().protocol().lines().last();
        EXPECT_TRUE(last.startsWith(kSnapshotLine)) << last.toStdString();
        const QString folder = last.mid(kSnapshotLine.size());
        const auto listed = snapshots();
        EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [&](const SnapshotStore::Snapshot &s) {
            return s.folder == folder;
        })) << folder.toStdString();
        return folder;
    }

    void changeDocument(int recNo, const QString &number)
    {
        TBFTable table;
        ASSERT_EQ(table.Open(yearDir() + u"POKLKNIH"_s), HostResult::Ok);
        ASSERT_EQ(table.GoTo(recNo), HostResult::Ok);
        table.SetValue(u"Doklad"_s, number);
        ASSERT_EQ(table.Post(), HostResult::Ok);
    }
};

TEST_F(RemovalSnapshotTest, RestoreAfterTheRunGivesTheTablesAsTheyWereBefore)
{
    const auto before = dumps();
    const QString folder = realRun();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_NE(dumps(), before) << "the run removed nothing";

    // The protocol ends with the folder; the snapshot holds exactly the
    // tables the run may write, with their records counted.
    EXPECT_EQ(session().protocol().lines().last(), kSnapshotLine + folder);
    EXPECT_EQ(QDir(folder).dirName(), u"2018-06-30_140509_odstraneni"_s);
    const SnapshotManifest manifest = snapshots().last().manifest;
    EXPECT_EQ(manifest.operation, u"odstraneni"_s);
    EXPECT_EQ(manifest.company, u"Demo s.r.o."_s);
    EXPECT_EQ(manifest.year, u"2018"_s);
    EXPECT_EQ(manifest.user, u"Demo"_s);
    QStringList tables;
    for (const SnapshotTable &table : manifest.tables)
        tables.append(table.relativePath + u' ' + QString::number(table.summary.records));
    EXPECT_EQ(tables, (QStringList{u"AGENDA.001/ROK.2018/UCDENIK.DAT 6"_s, u"AGENDA.001/ROK.2018/POKLKNIH.DAT 4"_s,
                                   u"AGENDA.001/ROK.2018/POLUCDPK.DAT 5"_s, u"AGENDA.001/ROK.2018/ROZPUPK.DAT 3"_s}));
    EXPECT_TRUE(QFile::exists(SnapshotStore::finishPath(folder)));

    const ToolResult listed = tableTool({u"snapshots"_s, dataRoot()});
    EXPECT_EQ(listed.code, 0) << listed.err.toStdString();
    EXPECT_TRUE(
        listed.out.startsWith(folder + u"\t2018-06-30T14:05:09\todstraneni\tDemo s.r.o.\t2018\tDemo\trun ended"_s))
        << listed.out.toStdString();

    const ToolResult restored = tableTool({u"restore"_s, folder});
    EXPECT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.out.endsWith(u"restored snapshot "_s + folder + u'\n')) << restored.out.toStdString();
    EXPECT_TRUE(restored.out.contains(u"POLUCDPK.DAT (2 -> 5 records)"_s)) << restored.out.toStdString();
    EXPECT_EQ(dumps(), before);

    // The restored tables work with the engine: the same run again removes
    // the same documents.
    ASSERT_EQ(run(cashAndFreeLines()), 0);
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s), (QStringList{u"PP02"_s, u"PP04"_s}));
}

TEST_F(RemovalSnapshotTest, TestModeTakesNoSnapshot)
{
    RemovalOptions options = cashAndFreeLines();
    options.testMode = true;
    ASSERT_EQ(run(options), 0);
    EXPECT_FALSE(QFileInfo::exists(snapshotsRoot()));
    EXPECT_FALSE(session().protocol().lines().last().startsWith(kSnapshotLine));
}

// A snapshot that cannot be taken stops the run before its first write (the
// free lines would go first): the reason is shown, no table changes, nothing
// is listed, and no protocol appears.
struct FailureCase
{
    const char *name;
    std::function<void(RemovalSnapshotTest &, const QString &snapshotsRoot, const QString &yearDir)> setup;
    QString reasonStart; // the message after the common text starts so
    rlim_t limit = 0;    // a file-size limit during the run
};

// The tests run as root, which ignores file permissions: a folder that
// cannot be created is simulated by a file in its place, a full disk by a
// file-size limit (writes past it fail as on a full disk, EFBIG instead of
// ENOSPC), an unreadable table by a file that is not a table.
class SnapshotFailureTest : public RemovalSnapshotTest, public testing::WithParamInterface<FailureCase>
{
public:
    ~SnapshotFailureTest() override { lift(); }
    void limitFileSize(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        m_limited = true;
    }
    void lift()
    {
        if (m_limited)
            setrlimit(RLIMIT_FSIZE, &m_saved);
        m_limited = false;
    }

private:
    rlimit m_saved{};
    bool m_limited = false;
};

// Enough free lines to make the journal's copy larger than the limit, which
// leaves room for the WAL index a reader of a table creates (32 KiB).
void manyFreeLines(RemovalSnapshotTest &test, const QString &, const QString &)
{
    auto journal = test.journal();
    for (int line = 10; line < 1000; ++line)
        journal.row({{"Cislo", line}, {"Zdroj", "PK"}, {"ZRadek", 7}, {"Free", true}, {"Popis", "volný řádek"}});
}

TEST_P(SnapshotFailureTest, StopsTheRunBeforeAnyTableIsWritten)
{
    QDir().mkpath(QFileInfo(snapshotsRoot()).absolutePath());
    GetParam().setup(*this, snapshotsRoot(), yearDir());
    // The unreadable table's case spoils that table itself.
    const auto before = dumps(u"POLUCDPK.DAT"_s);
    if (GetParam().limit)
        limitFileSize(GetParam().limit);
    const int result = run(cashAndFreeLines());
    lift();
    EXPECT_EQ(result, -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    const ScriptedUi::Message &message = scriptedUi().messages().first();
    EXPECT_EQ(message.kind, MessageKind::Error);
    EXPECT_TRUE(message.text.startsWith(kRefusal + GetParam().reasonStart)) << message.text.toStdString();
    EXPECT_EQ(dumps(u"POLUCDPK.DAT"_s), before);
    EXPECT_EQ(protocolsShown(), 0);
    EXPECT_FALSE(QFileInfo::exists(protocolFile()));
    if (QFileInfo(snapshotsRoot()).isDir()) {
        EXPECT_TRUE(QDir(snapshotsRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty())
            << "a failed snapshot leaves its folder behind";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Snapshot, SnapshotFailureTest,
    testing::Values(FailureCase{"FolderCannotBeCreated",
                                [](RemovalSnapshotTest &, const QString &root, const QString &) {
                                    QFile file(root);
                                    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                                },
                                u"složku zálohy "_s},
                    FailureCase{"DiskFull", &manyFreeLines, u"kopii tabulky "_s, 40000},
                    // A restore killed half-way: its journal is still there.
                    FailureCase{"RestoreLeftUnfinished",
                                [](RemovalSnapshotTest &, const QString &root, const QString &) {
                                    QDir().mkpath(root);
                                    QFile journal(SnapshotRestore::journalPath(root));
                                    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
                                },
                                u"předchozí obnova tabulek ze zálohy nebyla dokončena"_s},
                    FailureCase{"TableUnreadable",
                                [](RemovalSnapshotTest &, const QString &, const QString &yearDir) {
                                    QFile file(yearDir + u"POLUCDPK.DAT"_s);
                                    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                                    file.write(QByteArray(8192, 'x'));
                                },
                                u"tabulku "_s}),
    [](const testing::TestParamInfo<FailureCase> &paramInfo) { return std::string(paramInfo.param.name); });

// The tool puts the tables back into the data root the snapshot folder lies
// in, whatever data root the manifest names; a folder out of that place
// belongs to no data root and is refused.
TEST_F(RemovalSnapshotTest, RestoreGoesIntoTheDataRootTheFolderLiesIn)
{
    const auto before = dumps();
    const QString folder = realRun();
    QTemporaryDir elsewhere;
    {
        QFile manifest(SnapshotStore::manifestPath(folder));
        ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
        QByteArray text = manifest.readAll();
        manifest.close();
        ASSERT_TRUE(text.contains(dataRoot().toUtf8()));
        text.replace(dataRoot().toUtf8(), elsewhere.filePath(u"DATA/"_s).toUtf8());
        ASSERT_TRUE(manifest.open(QIODevice::WriteOnly | QIODevice::Truncate));
        manifest.write(text);
    }
    const ToolResult restored = tableTool({u"restore"_s, folder});
    EXPECT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_EQ(dumps(), before);
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath(u"DATA"_s)));

    const QString moved = elsewhere.filePath(u"moved"_s);
    ASSERT_TRUE(QDir().rename(folder, moved));
    const ToolResult refused = tableTool({u"restore"_s, moved, u"--force"_s});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, u"restore refused: "_s + moved + u" does not lie in DATAROOT/Velmar/Tarnek/Zalohy\n"_s);
}

// The program ignores SIGXFSZ: under a file-size limit the snapshot's write
// fails like on a full disk and the run stops with its message, instead of
// the process dying without a word.
TEST_F(RemovalSnapshotTest, FileSizeLimitInAProcessStopsTheRunWithItsMessage)
{
    manyFreeLines(*this, snapshotsRoot(), yearDir());
    const auto before = dumps();
    QProcess child;
    child.start(QString::fromUtf8(TARNEK_PURGE_CHILD), {yearDir(), context().settingsDir, u"file-size-limit=40000"_s});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString boxes = QString::fromUtf8(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 1) << boxes.toStdString();
    EXPECT_TRUE(boxes.contains(u"Před zahájením změn se nepodařilo pořídit zálohu"_s)) << boxes.toStdString();
    EXPECT_TRUE(boxes.contains(u"kopii tabulky "_s)) << boxes.toStdString();
    EXPECT_EQ(dumps(), before);
    EXPECT_TRUE(snapshots().isEmpty());
}

TEST_F(RemovalSnapshotTest, KilledDuringTheSnapshotLeavesNoneListedAndTheNextRunWorks)
{
    const auto before = dumps();
    QProcess child;
    child.start(QString::fromUtf8(TARNEK_PURGE_CHILD), {yearDir(), context().settingsDir, u"pause-in-snapshot"_s});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("B ") && child.waitForReadyRead(30000))
        output += child.readAllStandardOutput();
    ASSERT_TRUE(output.contains("B AGENDA.001/ROK.2018/")) << output.constData();
    // A snapshot still being taken is never pruned.
    EXPECT_TRUE(SnapshotStore::prune(snapshotsRoot(), dataRoot() + u"AGENDA.001/"_s, 1).isEmpty());
    ASSERT_EQ(QDir(snapshotsRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    // The copy of the first table is there, the manifest is not.
    const QStringList folders = QDir(snapshotsRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    EXPECT_FALSE(QFile::exists(SnapshotStore::manifestPath(snapshotsRoot() + u'/' + folders.first())));
    EXPECT_TRUE(snapshots().isEmpty());
    const ToolResult listed = tableTool({u"snapshots"_s, dataRoot()});
    EXPECT_EQ(listed.code, 0);
    EXPECT_EQ(listed.out, QString());
    const ToolResult restored = tableTool({u"restore"_s, snapshotsRoot() + u'/' + folders.first(), u"--force"_s});
    EXPECT_EQ(restored.code, 1);
    EXPECT_TRUE(restored.err.contains(u"nemá úplný manifest"_s)) << restored.err.toStdString();
    EXPECT_EQ(dumps(), before);

    realRun();
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s), (QStringList{u"PP02"_s, u"PP04"_s}));
    // The run that ended well pruned the killed one's leftover.
    EXPECT_FALSE(QFileInfo::exists(snapshotsRoot() + u'/' + folders.first()));
    EXPECT_EQ(QDir(snapshotsRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
}

// Refusals of a restore: a table in use or changed since the run stops it
// and changes nothing; --force puts the tables back over a change, never
// over a table in use.
TEST_F(RemovalSnapshotTest, RestoreRefusedWhileARecordIsLocked)
{
    const auto before = dumps();
    const QString folder = realRun();
    const auto after = dumps();
    QProcess holder;
    // Record 3: the item of document PP02, which the run keeps.
    holder.start(QString::fromUtf8(TARNEK_TABLE_TOOL), {u"lock"_s, yearDir() + u"POLUCDPK"_s, u"3"_s});
    ASSERT_TRUE(holder.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("LOCKED") && holder.waitForReadyRead(20000))
        output += holder.readAllStandardOutput();
    ASSERT_TRUE(output.contains("LOCKED")) << holder.readAllStandardError().constData();

    for (const QStringList &arguments :
         {QStringList{u"restore"_s, folder}, QStringList{u"restore"_s, folder, u"--force"_s}}) {
        const ToolResult refused = tableTool(arguments);
        EXPECT_EQ(refused.code, 1);
        EXPECT_TRUE(refused.err.startsWith(u"restore refused: "_s)) << refused.err.toStdString();
        EXPECT_TRUE(
            refused.err.contains(u"záznam 3 tabulky "_s + yearDir() + u"POLUCDPK.DAT je zamčen jiným procesem"_s))
            << refused.err.toStdString();
        EXPECT_EQ(dumps(), after);
    }
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(20000));

    const ToolResult restored = tableTool({u"restore"_s, folder});
    EXPECT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_EQ(dumps(), before);
}

TEST_F(RemovalSnapshotTest, RestoreRefusedAfterALaterChangeUnlessForced)
{
    const auto before = dumps();
    const QString folder = realRun();
    changeDocument(2, u"PP02X"_s);
    const auto changed = dumps();

    const ToolResult refused = tableTool({u"restore"_s, folder});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(u"tabulka AGENDA.001/ROK.2018/POKLKNIH.DAT byla po skončení běhu změněna"_s))
        << refused.err.toStdString();
    EXPECT_FALSE(refused.err.contains(u"POLUCDPK.DAT byla"_s)) << "only the changed table is named";
    EXPECT_EQ(dumps(), changed);

    const ToolResult forced = tableTool({u"restore"_s, folder, u"--force"_s});
    EXPECT_EQ(forced.code, 0) << forced.err.toStdString();
    EXPECT_TRUE(forced.out.endsWith(u" (forced)\n"_s)) << forced.out.toStdString();
    EXPECT_EQ(dumps(), before);
}

// Another user adds a journal line while the removal goes on: the table as
// the run left it holds that line, so only the run's own records tell that
// the restore would take it away. Refused, naming it; forced, it is lost.
TEST_F(RemovalSnapshotTest, RestoreRefusedOverAnotherUsersWorkDuringTheRun)
{
    const auto before = dumps();
    const QString csv = dataRoot() + u"line.csv"_s;
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Cislo,Zdroj,ZRadek,Free\n20,PK,4,0\n");
    }
    progress().onStatus = [&](const QString &status) {
        if (status != u"Pokladní doklady..."_s)
            return;
        QProcess other;
        other.start(QString::fromUtf8(TARNEK_TABLE_TOOL), {u"import"_s, yearDir() + u"UCDENIK.DAT"_s, csv});
        ASSERT_TRUE(other.waitForFinished(30000));
        ASSERT_EQ(other.exitCode(), 0) << other.readAllStandardError().constData();
    };
    const QString folder = realRun();
    progress().onStatus = {};
    const auto after = dumps();
    ASSERT_TRUE(column(u"UCDENIK"_s, u"Cislo"_s).contains(u"20"_s)) << after.at(u"UCDENIK.DAT"_s).toStdString();

    const ToolResult refused = tableTool({u"restore"_s, folder});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(u"v tabulce AGENDA.001/ROK.2018/UCDENIK.DAT se od zálohy změnily záznamy, které "
                                     u"běh nezapsal (práce jiného uživatele): 7"_s))
        << refused.err.toStdString();
    EXPECT_FALSE(refused.err.contains(u"po skončení běhu"_s)) << refused.err.toStdString();
    EXPECT_EQ(dumps(), after);

    const ToolResult forced = tableTool({u"restore"_s, folder, u"--force"_s});
    EXPECT_EQ(forced.code, 0) << forced.err.toStdString();
    EXPECT_EQ(dumps(), before);
}

TEST_F(RemovalSnapshotTest, RestoreOfARunThatNeverEndedNeedsForce)
{
    const auto before = dumps();
    const QString folder = realRun();
    // As a run killed after its snapshot leaves it: no end record.
    ASSERT_TRUE(QFile::remove(SnapshotStore::finishPath(folder)));

    const ToolResult refused = tableTool({u"restore"_s, folder});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(u"nezaznamenal svůj konec"_s)) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(u"--force"_s));
    EXPECT_NE(dumps(), before);

    EXPECT_EQ(tableTool({u"restore"_s, folder, u"--force"_s}).code, 0);
    EXPECT_EQ(dumps(), before);
}

TEST_F(RemovalSnapshotTest, RestoreRefusesADamagedCopyEvenWhenForced)
{
    const QString folder = realRun();
    const auto after = dumps();
    {
        TBFTable copy;
        ASSERT_EQ(copy.Open(folder + u"/AGENDA.001/ROK.2018/POKLKNIH"_s), HostResult::Ok);
        ASSERT_EQ(copy.GoTo(1), HostResult::Ok);
        copy.SetValue(u"Doklad"_s, u"ZZ"_s);
        ASSERT_EQ(copy.Post(), HostResult::Ok);
    }
    const ToolResult refused = tableTool({u"restore"_s, folder, u"--force"_s});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(u"POKLKNIH.DAT v záloze neodpovídá manifestu"_s)) << refused.err.toStdString();
    EXPECT_EQ(dumps(), after);
}

// Older snapshots of the company go after a successful run; main.ini's
// [ZALOHY] "POCET" sets how many stay, another company's are not counted.
TEST_F(RemovalSnapshotTest, KeepsTheNewestSnapshotsOfTheCompany)
{
    IniFile(mainIniPath(context())).WriteInteger(u"ZALOHY"_s, u"POCET"_s, 2);
    // Another company's snapshot, older than all.
    SnapshotManifest other;
    other.operation = u"odstraneni"_s;
    other.agendaDir = dataRoot() + u"AGENDA.002/"_s;
    other.dataRoot = dataRoot();
    other.created = QDateTime(QDate(2018, 1, 1), QTime(8, 0));
    QString error;
    ASSERT_FALSE(SnapshotStore::take(snapshotsRoot(), other, {yearDir() + u"VFAKTURY.DAT"_s}, &error).isEmpty())
        << error.toStdString();

    QStringList folders;
    for (int minute = 0; minute < 4; ++minute) {
        Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 6, 30), QTime(15, minute))));
        folders.append(QDir(realRun()).dirName());
    }
    QStringList kept;
    for (const SnapshotStore::Snapshot &snapshot : snapshots())
        kept.append(QDir(snapshot.folder).dirName());
    EXPECT_EQ(kept, (QStringList{u"2018-01-01_080000_odstraneni"_s, folders.at(2), folders.at(3)}));
    EXPECT_EQ(folders.at(3), u"2018-06-30_150300_odstraneni"_s);
}

TEST(RunSnapshotKeepCount, ReadFromMainIni)
{
    QTemporaryDir dir;
    RunContext context;
    context.settingsDir = dir.path() + u'/';
    const std::vector<std::pair<QString, int>> cases{
        {QString(), 10}, {u"3"_s, 3}, {u"0"_s, 1}, {u"-4"_s, 1}, {u"x"_s, 10}};
    for (const auto &[value, kept] : cases) {
        if (!value.isNull())
            IniFile(mainIniPath(context)).WriteString(u"ZALOHY"_s, u"POCET"_s, value);
        EXPECT_EQ(RunSnapshot::keepCount(context), kept) << value.toStdString();
    }
}

} // namespace

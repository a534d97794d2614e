// Putting a snapshot back: the refusals, all tables or none (a failing
// switch, a full disk, an interrupt, a kill), the undo of a restore, and
// other users' work done while the run went on.

#include "HostDbTestSupport.h"

#include "hostdb/FileClaim.h"
#include "hostdb/SnapshotRestore.h"
#include "hostdb/SnapshotStore.h"
#include "hostdb/SqliteSupport.h"
#include "hostdb/TableWriteLog.h"
#include "support/OtherUser.h"
#include "support/RecordHolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kTables{u"POKLKNIH.DAT"_s, u"UCDENIK.DAT"_s, u"POLUCDPK.DAT"_s};
const QString kYearPath = u"AGENDA.001/ROK.2018/"_s;
constexpr int kJournalLines = 300;

// Three documents (PP01 deleted), 300 journal lines spread over them, one
// item each. The snapshot holds the three tables in that order; "the run"
// removes PP01 with its lines and item and renames PP02.
class SnapshotRestoreTest : public HostDbTest
{
public:
    using State = QList<std::optional<TableSummary>>;

    SnapshotRestoreTest()
    {
        year().table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP01|1|1\nPP02|2|0\nPP03|3|0");
        auto journal = year().table(u"UCDENIK"_s);
        for (int line = 1; line <= kJournalLines; ++line) {
            journal.row({{"Cislo", line},
                         {"Zdroj", "PK"},
                         {"ZRadek", line % 3 + 1},
                         {"Popis", "řádek deníku s popisem, který zabere místo"}});
        }
        year().table(u"POLUCDPK"_s).rows("CISLO|Popis\n1|a\n2|b\n3|c");
    }
    ~SnapshotRestoreTest() override { SnapshotRestore::setFaultHook({}); }

    QString dataRoot() const { return tempDir() + u"/DATA/"_s; }
    QString root() const { return dataRoot() + u"Velmar/Tarnek/Zalohy"_s; }
    QString path(const QString &table) const { return yearDir() + table; }

    State state() const
    {
        State summaries;
        for (const QString &table : kTables)
            summaries.append(TableSnapshot::summarize(path(table)));
        return summaries;
    }

    // Another process appends journal lines (the table tool's import).
    void anotherUserAddsJournalLines(int count = 1)
    {
        const QString csv = tempDir() + u"/line.csv"_s;
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Cislo,Zdroj,ZRadek,Popis\n");
        for (int i = 0; i < count; ++i)
            file.write(QByteArray::number(1000 + i) + ",PK,3,cizi\n");
        file.close();
        QProcess tool;
        tool.start(QString::fromUtf8(TARNEK_TABLE_TOOL), {u"import"_s, path(u"UCDENIK.DAT"_s), csv});
        ASSERT_TRUE(tool.waitForFinished(30000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().constData();
    }

    void renameDocument(int recNo, const QString &number)
    {
        auto documents = open(u"POKLKNIH"_s);
        ASSERT_EQ(documents->GoTo(recNo), HostResult::Ok);
        documents->SetValue(u"Doklad"_s, number);
        ASSERT_EQ(documents->Post(), HostResult::Ok);
    }

    // Takes the snapshot, then writes as a run does (its writes recorded),
    // calling `duringRun` half-way, and records the run's end.
    QString snapshotAndRun(const std::function<void(SnapshotRestoreTest &)> &duringRun = {})
    {
        m_manifest = SnapshotManifest();
        m_manifest.operation = u"odstraneni"_s;
        m_manifest.company = u"Demo s.r.o."_s;
        m_manifest.agendaDir = dataRoot() + u"AGENDA.001/"_s;
        m_manifest.year = u"2018"_s;
        m_manifest.user = u"Demo"_s;
        m_manifest.dataRoot = dataRoot();
        m_manifest.created = QDateTime(QDate(2018, 6, 30), QTime(14, 5, 9));
        QStringList paths;
        for (const QString &table : kTables)
            paths.append(path(table));
        QString error;
        const QString folder = SnapshotStore::take(root(), m_manifest, paths, &error);
        EXPECT_FALSE(folder.isEmpty()) << error.toStdString();

        TableWriteLog::start(paths);
        {
            auto documents = open(u"POKLKNIH"_s);
            EXPECT_EQ(documents->GoTo(1), HostResult::Ok);
            EXPECT_GE(documents->Delete(), 0);
        }
        renameDocument(2, u"PP02A"_s);
        if (duringRun)
            duringRun(*this);
        {
            auto journal = open(u"UCDENIK"_s);
            QList<int> lines;
            for (journal->GoTop(); !journal->Eof(); journal->Skip()) {
                if (journal->Value(u"ZRadek"_s).toInt() == 1)
                    lines.append(journal->RecNo());
            }
            for (const int recNo : lines) {
                EXPECT_EQ(journal->GoTo(recNo), HostResult::Ok);
                EXPECT_GE(journal->Delete(), 0);
            }
            auto items = open(u"POLUCDPK"_s);
            EXPECT_EQ(items->GoTo(1), HostResult::Ok);
            EXPECT_GE(items->Delete(), 0);
        }
        const auto recorded = TableWriteLog::stop();
        QHash<QString, QList<qint64>> written;
        for (const QString &table : kTables)
            written.insert(kYearPath + table, recorded.value(path(table)));
        EXPECT_TRUE(SnapshotStore::writeFinish(folder, m_manifest, 0, written, &error)) << error.toStdString();
        return folder;
    }

    std::unique_ptr<RecordHolder> holder;
    FileClaim claim;

private:
    SnapshotManifest m_manifest;
};

std::string kindName(RestoreProblem::Kind kind)
{
    using Kind = RestoreProblem::Kind;
    switch (kind) {
    case Kind::NotASnapshot:
        return "NotASnapshot";
    case Kind::OutsideCompany:
        return "OutsideCompany";
    case Kind::CopyDamaged:
        return "CopyDamaged";
    case Kind::InUse:
        return "InUse";
    case Kind::Unwritable:
        return "Unwritable";
    case Kind::RestoreRunning:
        return "RestoreRunning";
    case Kind::NeverEnded:
        return "NeverEnded";
    case Kind::ChangedSinceRun:
        return "ChangedSinceRun";
    case Kind::ChangedByOthers:
        return "ChangedByOthers";
    }
    return "?";
}

// "Kind TABLE" per problem, sorted.
std::vector<std::string> described(const QList<RestoreProblem> &problems)
{
    std::vector<std::string> lines;
    for (const RestoreProblem &problem : problems) {
        lines.push_back(kindName(problem.kind) + (problem.table.isEmpty()
                                                      ? std::string()
                                                      : " " + QFileInfo(problem.table).fileName().toStdString()));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

struct RefusalCase
{
    const char *name;
    std::function<void(SnapshotRestoreTest &)> duringRun;
    std::function<void(SnapshotRestoreTest &, const QString &folder)> afterRun;
    std::vector<std::string> problems; // sorted, as described()
    bool forceRestores;                // whether --force puts the snapshot back
    QString textContains;
};

class RestoreRefusalTest : public SnapshotRestoreTest, public testing::WithParamInterface<RefusalCase>
{
};

// Refused without force: nothing changes and the problems are named. With
// force, what only names a loss is put back; what stands is refused again.
TEST_P(RestoreRefusalTest, RefusesChangingNothingAndForceOverridesOnlyALoss)
{
    const State before = state();
    const QString folder = snapshotAndRun(GetParam().duringRun);
    if (GetParam().afterRun)
        GetParam().afterRun(*this, folder);
    const State current = state();

    SnapshotRestore restore(folder, dataRoot());
    const bool restored = restore.restore(false);
    EXPECT_EQ(described(restore.problems()), GetParam().problems);
    if (GetParam().problems.empty()) {
        EXPECT_TRUE(restored) << restore.error().toStdString();
        EXPECT_EQ(state(), before);
        return;
    }
    EXPECT_FALSE(restored);
    EXPECT_TRUE(restore.error().contains(GetParam().textContains)) << restore.error().toStdString();
    EXPECT_EQ(state(), current);

    SnapshotRestore forced(folder, dataRoot());
    EXPECT_EQ(forced.restore(true), GetParam().forceRestores) << forced.error().toStdString();
    EXPECT_EQ(state(), GetParam().forceRestores ? before : current);
}

INSTANTIATE_TEST_SUITE_P(
    Restore, RestoreRefusalTest,
    testing::Values(
        RefusalCase{"NothingChangedSince", {}, {}, {}, true, {}},
        RefusalCase{
            "NoManifest",
            {},
            [](SnapshotRestoreTest &, const QString &folder) { QFile::remove(SnapshotStore::manifestPath(folder)); },
            {"NotASnapshot"},
            false,
            u"nemá úplný manifest"_s},
        RefusalCase{"CopyDamaged",
                    {},
                    [](SnapshotRestoreTest &, const QString &folder) {
                        SqlDatabase copy;
                        ASSERT_TRUE(copy.open(folder + u"/AGENDA.001/ROK.2018/POLUCDPK.DAT"_s, false));
                        ASSERT_TRUE(copy.exec(u"DELETE FROM tbf_data WHERE recno = 3"_s));
                    },
                    {"CopyDamaged POLUCDPK.DAT"},
                    false,
                    u"kopie tabulky AGENDA.001/ROK.2018/POLUCDPK.DAT v záloze neodpovídá manifestu"_s},
        RefusalCase{"RecordLockedByAnotherProcess",
                    {},
                    [](SnapshotRestoreTest &test, const QString &) {
                        test.holder = std::make_unique<RecordHolder>(QString::fromUtf8(TARNEK_TABLE_TOOL));
                        test.holder->hold(test.path(u"POLUCDPK.DAT"_s), 2);
                    },
                    {"InUse POLUCDPK.DAT"},
                    false,
                    u"záznam 2 tabulky "_s},
        RefusalCase{"AnotherRestoreRunning",
                    {},
                    [](SnapshotRestoreTest &test, const QString &) {
                        ASSERT_EQ(test.claim.take(test.root() + u"/obnova.lck"_s), FileClaim::Outcome::Taken);
                    },
                    {"RestoreRunning"},
                    false,
                    u"právě probíhá jiná obnova"_s},
        RefusalCase{
            "RunNeverEnded",
            {},
            [](SnapshotRestoreTest &, const QString &folder) { QFile::remove(SnapshotStore::finishPath(folder)); },
            {"NeverEnded"},
            true,
            u"nezaznamenal svůj konec"_s},
        // Record 2 is the run's own: only the change after the run's end
        // tells that somebody wrote it again.
        RefusalCase{"RunsOwnRecordChangedAfterItsEnd",
                    {},
                    [](SnapshotRestoreTest &test, const QString &) { test.renameDocument(2, u"PP02B"_s); },
                    {"ChangedSinceRun POKLKNIH.DAT"},
                    true,
                    u"tabulka AGENDA.001/ROK.2018/POKLKNIH.DAT byla po skončení běhu změněna"_s},
        RefusalCase{"LineAddedAfterTheRun",
                    {},
                    [](SnapshotRestoreTest &test, const QString &) { test.anotherUserAddsJournalLines(); },
                    {"ChangedByOthers UCDENIK.DAT", "ChangedSinceRun UCDENIK.DAT"},
                    true,
                    u"v tabulce AGENDA.001/ROK.2018/UCDENIK.DAT se od zálohy změnily záznamy, které běh nezapsal "
                    u"(práce jiného uživatele): 301"_s},
        // The table as the run left it already held the other user's line:
        // only the run's own records tell it apart.
        RefusalCase{"LineAddedWhileTheRunWentOn",
                    [](SnapshotRestoreTest &test) { test.anotherUserAddsJournalLines(); },
                    {},
                    {"ChangedByOthers UCDENIK.DAT"},
                    true,
                    u"(práce jiného uživatele): 301"_s},
        RefusalCase{
            "RunDidNotRecordItsWrites",
            {},
            [](SnapshotRestoreTest &, const QString &folder) { QFile::remove(SnapshotStore::writtenPath(folder)); },
            {"ChangedByOthers POKLKNIH.DAT", "ChangedByOthers POLUCDPK.DAT", "ChangedByOthers UCDENIK.DAT"},
            true,
            u"běh nezaznamenal, které záznamy zapsal"_s}),
    TestSupport::rowName);

// The user accepted the losses a check showed; another user's line added
// after that question is not among them.
TEST_F(SnapshotRestoreTest, AcceptsOnlyTheLossesTheUserWasShown)
{
    const QString folder = snapshotAndRun();
    renameDocument(2, u"PP02B"_s);
    SnapshotRestore restore(folder, dataRoot());
    QStringList shown;
    for (const RestoreProblem &problem : restore.check())
        shown.append(problem.text);
    ASSERT_EQ(shown.size(), 1);
    anotherUserAddsJournalLines();
    const State current = state();
    EXPECT_FALSE(restore.restore(shown));
    EXPECT_TRUE(restore.error().contains(u"(práce jiného uživatele): 301"_s)) << restore.error().toStdString();
    EXPECT_EQ(state(), current);

    for (const RestoreProblem &problem : restore.check())
        shown.append(problem.text);
    EXPECT_TRUE(restore.restore(shown)) << restore.error().toStdString();
}

// Many records of others are counted, not all listed.
TEST_F(SnapshotRestoreTest, NamesAtMostTenOfOthersRecords)
{
    const QString folder = snapshotAndRun();
    anotherUserAddsJournalLines(20);
    SnapshotRestore restore(folder, dataRoot());
    EXPECT_FALSE(restore.restore(false));
    EXPECT_TRUE(restore.error().contains(u"nezapsal (práce jiného uživatele): 301, 302, 303, 304, 305, 306, 307, 308, "
                                         u"309, 310 a 10 dalších"_s))
        << restore.error().toStdString();
}

// A switch that fails half-way puts back the table already switched: the
// table stays as it was, the journal and the snapshot taken before go.
struct SwitchFailureCase
{
    const char *name;
    std::function<QString(SnapshotRestore::Step)> fault; // at the journal's switch and undo
    QString reason;
};

class RestoreSwitchFailureTest : public SnapshotRestoreTest, public testing::WithParamInterface<SwitchFailureCase>
{
public:
    ~RestoreSwitchFailureTest() override { limitFileSize(RLIM_INFINITY); }

    // Writes past the limit fail as on a full disk (EFBIG instead of ENOSPC).
    static void limitFileSize(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = std::min(bytes, limit.rlim_max);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
};

TEST_P(RestoreSwitchFailureTest, PutsBackWhatItSwitchedAndLeavesNothingBehind)
{
    const QString folder = snapshotAndRun();
    const State current = state();
    SnapshotRestore::setFaultHook([](SnapshotRestore::Step step, const QString &table) {
        return table.endsWith(u"UCDENIK.DAT"_s) || step == SnapshotRestore::Step::Undo ? GetParam().fault(step)
                                                                                       : QString();
    });
    SnapshotRestore restore(folder, dataRoot());
    EXPECT_FALSE(restore.restore(false));
    limitFileSize(RLIM_INFINITY);
    EXPECT_TRUE(restore.error().contains(GetParam().reason)) << restore.error().toStdString();
    EXPECT_TRUE(restore.error().endsWith(u"; žádná tabulka nebyla změněna"_s)) << restore.error().toStdString();
    EXPECT_EQ(state(), current);
    EXPECT_FALSE(QFileInfo::exists(SnapshotRestore::journalPath(root())));
    EXPECT_EQ(SnapshotStore::list(root()).size(), 1) << "the snapshot taken before the switch is gone";
    EXPECT_EQ(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Restore, RestoreSwitchFailureTest,
                         testing::Values(SwitchFailureCase{"TableRefusesTheWrite",
                                                           [](SnapshotRestore::Step step) {
                                                               return step == SnapshotRestore::Step::Switch
                                                                          ? u"attempt to write a readonly database"_s
                                                                          : QString();
                                                           },
                                                           u"attempt to write a readonly database"_s},
                                         // The disk fills up while the journal is copied: the write fails for
                                         // real, and the room is back for the undo.
                                         SwitchFailureCase{"DiskFullHalfWay",
                                                           [](SnapshotRestore::Step step) {
                                                               RestoreSwitchFailureTest::limitFileSize(
                                                                   step == SnapshotRestore::Step::Switch
                                                                       ? 8192
                                                                       : RLIM_INFINITY);
                                                               return QString();
                                                           },
                                                           u"tabulku "_s}),
                         TestSupport::rowName);

// When even the undo fails, the journal stays, and the next restore first
// puts every table back as it was and then does its own work.
TEST_F(SnapshotRestoreTest, FailedUndoIsFinishedByTheNextRestore)
{
    const State before = state();
    const QString folder = snapshotAndRun();
    SnapshotRestore::setFaultHook([](SnapshotRestore::Step step, const QString &table) {
        return step == SnapshotRestore::Step::Undo || table.endsWith(u"UCDENIK.DAT"_s) ? u"disk full"_s : QString();
    });
    SnapshotRestore failed(folder, dataRoot());
    EXPECT_FALSE(failed.restore(false));
    EXPECT_TRUE(failed.error().contains(u"vrátí je příští obnova ze zálohy"_s)) << failed.error().toStdString();
    EXPECT_TRUE(QFileInfo::exists(SnapshotRestore::journalPath(root())));
    EXPECT_EQ(state().first(), before.first()) << "the documents were switched and not put back";

    SnapshotRestore::setFaultHook({});
    SnapshotRestore next(folder, dataRoot());
    EXPECT_TRUE(next.restore(false)) << next.error().toStdString();
    EXPECT_TRUE(next.recovered().contains(u"byla přerušena; tabulky byly vráceny do stavu před ní"_s))
        << next.recovered().toStdString();
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(QFileInfo::exists(SnapshotRestore::journalPath(root())));
}

TEST_F(SnapshotRestoreTest, InterruptPutsBackWhatItReplaced)
{
    const QString folder = snapshotAndRun();
    const State current = state();
    SnapshotRestore restore(folder, dataRoot());
    QStringList seen;
    restore.setProgress([&](int done, int total, const QString &table) {
        seen.append(u"%1/%2 %3"_s.arg(done).arg(total).arg(QFileInfo(table).fileName()));
        return done < 2;
    });
    EXPECT_FALSE(restore.restore(false));
    EXPECT_EQ(restore.error(), u"obnova byla přerušena; žádná tabulka nebyla změněna"_s);
    EXPECT_EQ(seen, (QStringList{u"0/3 POKLKNIH.DAT"_s, u"1/3 UCDENIK.DAT"_s, u"2/3 POLUCDPK.DAT"_s}));
    EXPECT_EQ(state(), current);
}

// The snapshot taken before a restore is one like any other: putting it
// back undoes the restore, without forcing when nobody wrote since.
TEST_F(SnapshotRestoreTest, RestoreThenUndoTheRestore)
{
    const State before = state();
    const QString folder = snapshotAndRun();
    const State current = state();
    SnapshotRestore restore(folder, dataRoot());
    restore.setUser(u"Účetní"_s);
    ASSERT_TRUE(restore.restore(false)) << restore.error().toStdString();
    EXPECT_EQ(state(), before);
    QStringList counts;
    for (const RestoredTable &table : restore.restored())
        counts.append(u"%1 %2 -> %3"_s.arg(QFileInfo(table.relativePath).fileName())
                          .arg(*table.recordsBefore)
                          .arg(table.recordsAfter));
    EXPECT_EQ(counts, (QStringList{u"POKLKNIH.DAT 2 -> 3"_s, u"UCDENIK.DAT 200 -> 300"_s, u"POLUCDPK.DAT 2 -> 3"_s}));

    const auto listed = SnapshotStore::list(root());
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed.last().folder, restore.undoFolder());
    EXPECT_EQ(listed.last().manifest.operation, u"obnoveni"_s);
    EXPECT_EQ(listed.last().manifest.user, u"Účetní"_s);
    EXPECT_TRUE(SnapshotStore::readFinish(restore.undoFolder()));

    SnapshotRestore undo(restore.undoFolder(), dataRoot());
    ASSERT_TRUE(undo.restore(false)) << undo.error().toStdString();
    EXPECT_EQ(state(), current);
}

// A table this user may not write: refused before any table is switched.
// The restore runs as another, unprivileged user (root writes anything).
TEST_F(SnapshotRestoreTest, UnwritableTableIsRefusedBeforeAnyIsSwitched)
{
    if (!OtherUser::isAnotherUser())
        GTEST_SKIP() << "needs root to run the restore as a user that may not write one table";
    const QString folder = snapshotAndRun();
    const State current = state();
    OtherUser::openPathTo(yearDir());
    const QStringList writable{dataRoot(),
                               dataRoot() + u"AGENDA.001"_s,
                               yearDir(),
                               dataRoot() + u"Velmar"_s,
                               dataRoot() + u"Velmar/Tarnek"_s,
                               root(),
                               folder};
    for (const QString &dir : writable)
        ::chmod(QFile::encodeName(dir).constData(), 0777);
    for (const QString &file : QDir(yearDir()).entryList(QDir::Files))
        ::chmod(QFile::encodeName(yearDir() + file).constData(), file == u"UCDENIK.DAT"_s ? 0444 : 0666);
    const QString seen = OtherUser::run([&]() -> QString {
        SnapshotRestore restore(folder, dataRoot());
        return restore.restore(true) ? u"restored"_s : restore.error();
    });
    EXPECT_TRUE(seen.contains(path(u"UCDENIK.DAT"_s))) << seen.toStdString();
    EXPECT_FALSE(seen.contains(u"restored"_s));
    EXPECT_EQ(state(), current);
    EXPECT_EQ(SnapshotStore::list(root()).size(), 1);
}

// Killed after the first table was switched: each table opens and is
// whole (as before the restore or as the snapshot), and the next restore,
// the table tool's, puts the rest right.
TEST_F(SnapshotRestoreTest, KilledHalfWayThenTheNextRestoreCompletes)
{
    const State before = state();
    const QString folder = snapshotAndRun();
    const State current = state();
    QProcess child;
    child.start(QString::fromUtf8(TARNEK_RESTORE_CHILD), {folder, dataRoot()});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("R 1 ") && child.waitForReadyRead(30000))
        output += child.readAllStandardOutput();
    ASSERT_TRUE(output.contains("R 1 AGENDA.001/ROK.2018/UCDENIK.DAT"))
        << output.constData() << child.readAllStandardError().constData();
    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    const State killed = state();
    for (qsizetype i = 0; i < kTables.size(); ++i) {
        auto table = open(kTables.at(i));
        EXPECT_TRUE(table->isOpen());
        EXPECT_TRUE(killed.at(i) == before.at(i) || killed.at(i) == current.at(i)) << kTables.at(i).toStdString();
    }
    EXPECT_EQ(killed.first(), before.first()) << "the first table had been switched";
    EXPECT_TRUE(QFileInfo::exists(SnapshotRestore::journalPath(root())));

    QProcess tool;
    tool.start(QString::fromUtf8(TARNEK_TABLE_TOOL), {u"restore"_s, folder});
    ASSERT_TRUE(tool.waitForFinished(60000));
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    EXPECT_EQ(tool.exitCode(), 0) << out.toStdString() << tool.readAllStandardError().constData();
    EXPECT_TRUE(out.contains(u"byla přerušena; tabulky byly vráceny do stavu před ní"_s)) << out.toStdString();
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(QFileInfo::exists(SnapshotRestore::journalPath(root())));
}

} // namespace

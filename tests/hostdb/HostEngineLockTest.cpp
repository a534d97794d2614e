// Record locks between table objects and between processes.

#include "hostdb/HostDbTestSupport.h"
#include "support/TestSupport.h"

#include "support/OtherUser.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class LockTest : public HostDbTest
{
protected:
    void SetUp() override { year().table(u"POKLKNIH"_s).rows("Doklad\nPP0001\nPP0002\nPP0003"); }
};

TEST_F(LockTest, ALockIsSeenByAnotherObjectNotByItsHolder)
{
    auto holder = open(u"POKLKNIH"_s);
    auto other = open(u"POKLKNIH"_s);
    ASSERT_EQ(holder->Lock(), HostResult::Ok);
    EXPECT_EQ(holder->IsLocked(), 0);
    EXPECT_NE(other->IsLocked(), 0);
    EXPECT_EQ(other->Lock(), HostResult::Failed);
    other->SetValue(u"Popis"_s, u"cizí"_s);
    EXPECT_EQ(other->Post(), HostResult::Failed) << "no write to a record another holder has";
    EXPECT_EQ(other->Delete(), HostResult::Failed);
    other->Skip();
    EXPECT_EQ(other->IsLocked(), 0) << "the next record is free";
    EXPECT_EQ(holder->Lock(), HostResult::Ok) << "locking again is harmless";
}

struct ReleaseCase
{
    const char *name;
    void (*release)(TBFTable &holder);
};

class LockReleaseTest : public LockTest, public testing::WithParamInterface<ReleaseCase>
{
};

TEST_P(LockReleaseTest, TheLockEnds)
{
    auto holder = open(u"POKLKNIH"_s);
    auto other = open(u"POKLKNIH"_s);
    ASSERT_EQ(holder->Lock(), HostResult::Ok);
    ASSERT_NE(other->IsLocked(), 0);
    GetParam().release(*holder);
    EXPECT_EQ(other->IsLocked(), 0);
    EXPECT_EQ(other->Lock(), HostResult::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    Releases, LockReleaseTest,
    testing::Values(ReleaseCase{"Post",
                                [](TBFTable &table) {
                                    table.SetValue(u"Popis"_s, u"x"_s);
                                    ASSERT_EQ(table.Post(), HostResult::Ok);
                                }},
                    ReleaseCase{"PostWithoutChanges", [](TBFTable &table) { ASSERT_EQ(table.Post(), HostResult::Ok); }},
                    ReleaseCase{"Close", [](TBFTable &table) { table.Close(); }},
                    ReleaseCase{"Skip", [](TBFTable &table) { table.Skip(); }},
                    ReleaseCase{"GoTop", [](TBFTable &table) { table.GoTop(); }},
                    ReleaseCase{"GoToAnother", [](TBFTable &table) { ASSERT_EQ(table.GoTo(2), HostResult::Ok); }},
                    ReleaseCase{"Seek",
                                [](TBFTable &table) {
                                    ASSERT_EQ(table.SetIndex(u"Doklad"_s), HostResult::Ok);
                                    table.Seek(u"PP0003"_s);
                                }},
                    ReleaseCase{"AddNew", [](TBFTable &table) { table.AddNew(); }}),
    TestSupport::rowName);

TEST_F(LockTest, TheLockFileIsSharedLikeTheTable)
{
    // Users who share the data directory must all be able to lock records,
    // whatever the umask of the first one who locked.
    const QString table = yearDir() + u"POKLKNIH.DAT"_s;
    QFile::remove(yearDir() + u"POKLKNIH.LCK"_s);
    ASSERT_TRUE(QFile::setPermissions(table, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                                 QFileDevice::WriteGroup | QFileDevice::ReadOther |
                                                 QFileDevice::WriteOther));
    const mode_t saved = ::umask(077);
    auto holder = open(u"POKLKNIH"_s);
    holder->GoTop();
    EXPECT_EQ(holder->Lock(), HostResult::Ok);
    ::umask(saved);
    const QFileDevice::Permissions lockPermissions = QFile::permissions(yearDir() + u"POKLKNIH.LCK"_s);
    EXPECT_TRUE(lockPermissions & QFileDevice::WriteGroup);
    EXPECT_TRUE(lockPermissions & QFileDevice::WriteOther);
}

// A user who may write the table may lock its records, whoever created the
// lock file; a lock file that cannot serve is named in the reason, never
// taken for a lock of another user. The second user runs in a child process.
class LockFileTest : public LockTest
{
protected:
    static constexpr unsigned kSharedGroup = 4242;

    QByteArray name(const QString &file) const { return QFile::encodeName(yearDir() + file); }
    QString lockFile() const { return yearDir() + u"POKLKNIH.LCK"_s; }

    // The second user opens the table, tries record 2 and reports.
    QString secondUserLocks(const QList<unsigned> &groups = {}) const
    {
        const QString dir = yearDir();
        return OtherUser::run(
            [dir]() -> QString {
                TBFTable table;
                if (table.Open(dir + u"POKLKNIH"_s) != HostResult::Ok)
                    return u"open failed: "_s + table.errorText();
                if (table.GoTo(2) != HostResult::Ok)
                    return u"GoTo failed"_s;
                const int locked = table.IsLocked();
                const int result = table.Lock();
                return u"IsLocked %1, Lock %2 %3"_s.arg(locked).arg(result).arg(table.errorText()).trimmed();
            },
            groups);
    }
    void TearDown() override { ::chmod(name(QString()).constData(), 0755); }
};

TEST_F(LockFileTest, ASecondUserOfTheTablesGroupLocksWhatTheFirstCreated)
{
    if (!OtherUser::isAnotherUser())
        GTEST_SKIP() << "needs root to act as two users";
    // The table and its directory belong to a group both users are in; the
    // first user's own group is another.
    OtherUser::openPathTo(yearDir());
    ASSERT_EQ(::chown(name(QString()).constData(), 0, kSharedGroup), 0);
    ASSERT_EQ(::chmod(name(QString()).constData(), 0770), 0);
    ASSERT_EQ(::chown(name(u"POKLKNIH.DAT"_s).constData(), 0, kSharedGroup), 0);
    ASSERT_EQ(::chmod(name(u"POKLKNIH.DAT"_s).constData(), 0660), 0);
    QFile::remove(lockFile());
    auto first = open(u"POKLKNIH"_s);
    ASSERT_EQ(first->Lock(), HostResult::Ok); // creates the lock file
    EXPECT_EQ(secondUserLocks({kSharedGroup}), u"IsLocked 0, Lock 0"_s);
    first->Close();
}

TEST_F(LockFileTest, ALockFileTheUserMayNotWriteIsNamed)
{
    if (!OtherUser::isAnotherUser())
        GTEST_SKIP() << "needs root to leave a lock file another user may not write";
    OtherUser::openPathTo(yearDir());
    ASSERT_EQ(::chmod(name(QString()).constData(), 0777), 0);
    ASSERT_EQ(::chmod(name(u"POKLKNIH.DAT"_s).constData(), 0666), 0);
    QFile lock(lockFile());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    ASSERT_EQ(::chmod(name(u"POKLKNIH.LCK"_s).constData(), 0644), 0);
    EXPECT_EQ(
        secondUserLocks(),
        u"IsLocked 0, Lock -1 záznamy nelze zamknout: soubor zámků %1 nelze otevřít pro zápis (Permission denied)"_s
            .arg(lockFile()));
}

// A lock file its owner created while the table was private follows the
// table once it is shared, the next time the owner locks.
TEST_F(LockFileTest, AnOwnLockFileFollowsTheTableOnceItIsShared)
{
    ASSERT_EQ(::chmod(name(u"POKLKNIH.DAT"_s).constData(), 0644), 0);
    QFile::remove(lockFile());
    {
        auto owner = open(u"POKLKNIH"_s);
        ASSERT_EQ(owner->Lock(), HostResult::Ok);
    }
    ASSERT_EQ(::chmod(name(u"POKLKNIH.LCK"_s).constData(), 0644), 0);
    ASSERT_EQ(::chmod(name(u"POKLKNIH.DAT"_s).constData(), 0666), 0);
    auto owner = open(u"POKLKNIH"_s);
    ASSERT_EQ(owner->Lock(), HostResult::Ok);
    struct stat lock = {};
    ASSERT_EQ(::stat(name(u"POKLKNIH.LCK"_s).constData(), &lock), 0);
    EXPECT_EQ(lock.st_mode & 0777, 0666u);
    if (OtherUser::isAnotherUser()) {
        OtherUser::openPathTo(yearDir());
        ASSERT_EQ(::chmod(name(QString()).constData(), 0777), 0);
        owner->Close();
        EXPECT_EQ(secondUserLocks(), u"IsLocked 0, Lock 0"_s);
    }
}

TEST_F(LockFileTest, ALockFileThatIsNoRegularFileIsNamed)
{
    QFile::remove(lockFile());
    ASSERT_TRUE(QDir().mkdir(lockFile()));
    auto table = open(u"POKLKNIH"_s);
    ASSERT_EQ(table->GoTo(2), HostResult::Ok);
    EXPECT_EQ(table->IsLocked(), 0);
    EXPECT_EQ(table->Lock(), HostResult::Failed);
    EXPECT_EQ(table->errorText(), u"záznamy nelze zamknout: soubor zámků %1 není obyčejný soubor"_s.arg(lockFile()))
        << table->errorText().toStdString();
    table->SetValue(u"Popis"_s, u"x"_s);
    EXPECT_EQ(table->Post(), HostResult::Failed);
    EXPECT_EQ(table->errorText(), u"záznamy nelze zamknout: soubor zámků %1 není obyčejný soubor"_s.arg(lockFile()));
}

TEST_F(LockTest, DeleteReleasesTheLockOfTheDeletedRecord)
{
    auto holder = open(u"POKLKNIH"_s);
    auto other = open(u"POKLKNIH"_s);
    ASSERT_EQ(holder->Lock(), HostResult::Ok);
    ASSERT_EQ(holder->Delete(), HostResult::Ok);
    EXPECT_EQ(holder->RecNo(), 2);
    EXPECT_EQ(other->IsLocked(), 0) << "the other object still stands on the deleted record";
    EXPECT_EQ(holder->IsLocked(), 0) << "the next record is free";
    EXPECT_EQ(other->Lock(), HostResult::Failed) << "the other object's record no longer exists";
}

TEST_F(LockTest, LockReadsTheRecordAgain)
{
    auto reader = open(u"POKLKNIH"_s);
    auto writer = open(u"POKLKNIH"_s);
    writer->SetValue(u"Popis"_s, u"nové"_s);
    ASSERT_EQ(writer->Post(), HostResult::Ok);
    EXPECT_EQ(reader->Value(u"Popis"_s).toString(), QString()) << "read when the cursor arrived";
    ASSERT_EQ(reader->Lock(), HostResult::Ok);
    EXPECT_EQ(reader->Value(u"Popis"_s).toString(), u"nové"_s);
}

// The record lock of another process: a real child holds it.
class CrossProcessLockTest : public LockTest
{
protected:
    void startHolder(int recNo)
    {
        m_holder.setProgram(QString::fromUtf8(TARNEK_TABLE_TOOL));
        m_holder.setArguments({u"lock"_s, yearDir() + u"POKLKNIH"_s, QString::number(recNo)});
        m_holder.start();
        ASSERT_TRUE(m_holder.waitForStarted(10000));
        QByteArray output;
        while (!output.contains("LOCKED") && m_holder.waitForReadyRead(20000))
            output += m_holder.readAllStandardOutput();
        ASSERT_TRUE(output.contains("LOCKED")) << output.constData() << m_holder.readAllStandardError().constData();
    }
    ~CrossProcessLockTest() override
    {
        if (m_holder.state() != QProcess::NotRunning) {
            m_holder.kill();
            m_holder.waitForFinished(10000);
        }
    }
    QProcess m_holder;
};

TEST_F(CrossProcessLockTest, ALockOfAnotherProcessIsSeenAndFreedWhenThatProcessDies)
{
    startHolder(2);
    auto table = open(u"POKLKNIH"_s);
    ASSERT_EQ(table->GoTo(2), HostResult::Ok);
    EXPECT_NE(table->IsLocked(), 0);
    EXPECT_EQ(table->Lock(), HostResult::Failed);
    ASSERT_EQ(table->GoTo(1), HostResult::Ok);
    EXPECT_EQ(table->IsLocked(), 0) << "only the one record is held";

    m_holder.kill(); // dies without closing anything
    ASSERT_TRUE(m_holder.waitForFinished(10000));
    ASSERT_EQ(table->GoTo(2), HostResult::Ok);
    EXPECT_EQ(table->IsLocked(), 0);
    EXPECT_EQ(table->Lock(), HostResult::Ok);
}

TEST_F(CrossProcessLockTest, ALockOfAnotherProcessEndsWhenItClosesTheTable)
{
    startHolder(3);
    auto table = open(u"POKLKNIH"_s);
    ASSERT_EQ(table->GoTo(3), HostResult::Ok);
    EXPECT_NE(table->IsLocked(), 0);
    m_holder.closeWriteChannel(); // the tool closes its table and ends
    ASSERT_TRUE(m_holder.waitForFinished(20000));
    EXPECT_EQ(m_holder.exitCode(), 0);
    EXPECT_TRUE(m_holder.readAllStandardOutput().contains("RELEASED 3"));
    EXPECT_EQ(table->IsLocked(), 0);
}

TEST_F(CrossProcessLockTest, TheChildCannotTakeARecordThisProcessHolds)
{
    auto table = open(u"POKLKNIH"_s);
    ASSERT_EQ(table->Lock(), HostResult::Ok);
    QProcess child;
    child.start(QString::fromUtf8(TARNEK_TABLE_TOOL), {u"lock"_s, yearDir() + u"POKLKNIH"_s, u"1"_s});
    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(child.exitCode(), 1);
    EXPECT_TRUE(child.readAllStandardError().startsWith("cannot lock record 1"));
}

TEST_F(CrossProcessLockTest, AWalkSeesARecordAnotherProcessPosts)
{
    auto reader = open(u"POKLKNIH"_s, u"Doklad"_s);
    reader->GoTop();
    ASSERT_EQ(reader->Skip(), HostResult::Ok); // on PP0002, PP0003 read ahead
    QFile csv(tempDir() + u"/novy.csv"_s);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Doklad\r\nPP0002A\r\n");
    csv.close();
    QProcess child;
    child.start(QString::fromUtf8(TARNEK_TABLE_TOOL), {u"import"_s, yearDir() + u"POKLKNIH"_s, csv.fileName()});
    ASSERT_TRUE(child.waitForFinished(20000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().constData();
    ASSERT_EQ(reader->Skip(), HostResult::Ok);
    EXPECT_EQ(reader->Value(u"Doklad"_s).toString(), u"PP0002A"_s);
    ASSERT_EQ(reader->Skip(), HostResult::Ok);
    EXPECT_EQ(reader->Value(u"Doklad"_s).toString(), u"PP0003"_s);
}

} // namespace

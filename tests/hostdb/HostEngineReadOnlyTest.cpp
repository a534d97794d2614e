// Company data the user may read but not write: a read-only share, another
// user's directory, write-protected table files. Every read works; writes
// fail with a clear reason. The reading side runs as another user.

#include "hostdb/HostDbTestSupport.h"

#include "support/OtherUser.h"
#include "support/TestSupport.h"

#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

struct ReadOnlyCase
{
    const char *name;
    mode_t dirMode;
    mode_t fileMode;
};

class ReadOnlyDataTest : public HostDbTest, public testing::WithParamInterface<ReadOnlyCase>
{
protected:
    void SetUp() override
    {
        year().table(u"POKLKNIH"_s).rows("Doklad|Popis\nPP0002|druhý\nPP0001|první\nPP0003|třetí");
        OtherUser::openPathTo(yearDir());
        protect(GetParam().dirMode, GetParam().fileMode);
    }
    void TearDown() override { protect(0755, 0644); }

    void protect(mode_t dirMode, mode_t fileMode)
    {
        ASSERT_EQ(::chmod(QFile::encodeName(yearDir() + u"POKLKNIH.DAT"_s).constData(), fileMode), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(yearDir()).constData(), dirMode), 0);
    }

    // Reads the table in index order, seeks, then tries each kind of write.
    QString readAndTryToWrite() const
    {
        QStringList seen;
        TBFTable table;
        if (table.Open(yearDir() + u"POKLKNIH"_s) != HostResult::Ok)
            return u"open failed: "_s + table.errorText();
        if (table.SetIndex(u"Doklad"_s) != HostResult::Ok)
            return u"no index"_s;
        table.GoTop();
        seen.append(walk(table, u"Popis"_s).join(u','));
        const int sought = table.Seek(u"pp0003"_s);
        seen.append(QString::number(sought) + u' ' + table.Value(u"Doklad"_s).toString());
        seen.append(QString::number(table.RecordCount()));
        seen.append(u"IsLocked "_s + QString::number(table.IsLocked()));
        const auto attempt = [&table](const QString &what, int result) -> QString {
            return what + u' ' + QString::number(result) + u' ' + table.errorText();
        };
        seen.append(attempt(u"Lock"_s, table.Lock()));
        table.SetValue(u"Popis"_s, u"změna"_s);
        seen.append(attempt(u"Post"_s, table.Post()));
        seen.append(attempt(u"Delete"_s, table.Delete()));
        table.AddNew();
        table.SetValue(u"Doklad"_s, u"PP0004"_s);
        seen.append(attempt(u"Post new"_s, table.Post()));
        return seen.join(u'\n');
    }
};

TEST_P(ReadOnlyDataTest, EveryReadWorksAndWritesSayWhyNot)
{
    const QString refused = u"-1 tabulku %1 lze jen číst (soubor nebo jeho adresář je chráněn proti zápisu)"_s.arg(
        yearDir() + u"POKLKNIH.DAT"_s);
    const QString seen = OtherUser::run([this]() -> QString { return readAndTryToWrite(); });
    EXPECT_EQ(seen, QStringList({u"první,druhý,třetí"_s, u"7 PP0003"_s, u"3"_s, u"IsLocked 0"_s, u"Lock "_s + refused,
                                 u"Post "_s + refused, u"Delete "_s + refused, u"Post new "_s + refused})
                        .join(u'\n'))
        << seen.toStdString();
    auto table = open(u"POKLKNIH"_s);
    EXPECT_EQ(table->RecordCount(), 3) << "nothing was written";
}

INSTANTIATE_TEST_SUITE_P(Places, ReadOnlyDataTest,
                         testing::Values(ReadOnlyCase{"AnotherUsersDirectory", 0555, 0444},
                                         ReadOnlyCase{"WriteProtectedFileInAWritableDirectory", 0777, 0444}),
                         TestSupport::rowName);

TEST(ReadOnlyData, AReaderSeesWhatTheWriterJustCommitted)
{
    if (!OtherUser::isAnotherUser())
        GTEST_SKIP() << "needs root to write where the other user may only read";
    class Fixture : public HostDbTest
    {
    public:
        void TestBody() override {}
        using HostDbTest::open;
        using HostDbTest::year;
        using HostDbTest::yearDir;
    } fixture;
    fixture.year().table(u"POKLKNIH"_s).rows("Doklad\nPP0001");
    OtherUser::openPathTo(fixture.yearDir());
    // The writer keeps its connection: the WAL and its index stay beside the
    // file, owned by the writer.
    auto writer = fixture.open(u"POKLKNIH"_s);
    writer->AddNew();
    writer->SetValue(u"Doklad"_s, u"PP0002"_s);
    ASSERT_EQ(writer->Post(), HostResult::Ok);
    ASSERT_TRUE(QFile::exists(fixture.yearDir() + u"POKLKNIH.DAT-wal"_s));
    const QString dir = fixture.yearDir();
    EXPECT_EQ(OtherUser::run([dir]() -> QString {
                  TBFTable table;
                  if (table.Open(dir + u"POKLKNIH"_s) != HostResult::Ok)
                      return u"open failed: "_s + table.errorText();
                  return QString::number(table.RecordCount());
              }),
              u"2"_s);
}

} // namespace

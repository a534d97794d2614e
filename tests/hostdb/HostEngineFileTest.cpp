// Files that are not tables, or are damaged, fail Open; they never crash.

#include "hostdb/HostDbTestSupport.h"

#include "hostdb/SqliteSupport.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class DamagedFileTest : public HostDbTest
{
protected:
    QString path(const QString &name) const { return yearDir() + name + u".DAT"_s; }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Opening fails with a negative result, leaves the object closed and
    // names a reason.
    void expectOpenFails(const QString &name)
    {
        TBFTable table;
        EXPECT_LT(table.Open(yearDir() + name), 0);
        EXPECT_EQ(table.Tag, 0);
        EXPECT_FALSE(table.isOpen());
        EXPECT_FALSE(table.errorText().isEmpty());
        EXPECT_THROW(table.GoTop(), HostEngineError);
    }
};

TEST_F(DamagedFileTest, AMissingFile)
{
    expectOpenFails(u"NENI"_s);
    EXPECT_FALSE(QFile::exists(path(u"NENI"_s))) << "opening creates nothing";
}

TEST_F(DamagedFileTest, GarbageBytes)
{
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i)
        bytes.append(char((i * 7919) % 251));
    write(u"SMETI"_s, bytes);
    expectOpenFails(u"SMETI"_s);
}

TEST_F(DamagedFileTest, AnEmptyFile)
{
    write(u"PRAZDNY"_s, QByteArray());
    expectOpenFails(u"PRAZDNY"_s);
}

TEST_F(DamagedFileTest, ADirectoryOfThatName)
{
    ASSERT_TRUE(QDir().mkpath(path(u"ADRESAR"_s)));
    expectOpenFails(u"ADRESAR"_s);
}

TEST_F(DamagedFileTest, ASqliteDatabaseThatIsNoTable)
{
    SqlDatabase db;
    ASSERT_TRUE(db.open(path(u"CIZI"_s), true));
    ASSERT_TRUE(db.exec(u"CREATE TABLE x(a); INSERT INTO x VALUES(1)"_s));
    db.close();
    expectOpenFails(u"CIZI"_s);
}

TEST_F(DamagedFileTest, ADescriptionThatDoesNotMatchTheRecords)
{
    year().table(u"POKLKNIH"_s).row({{"Doklad", "PP0001"}});
    SqlDatabase db;
    ASSERT_TRUE(db.open(path(u"POKLKNIH"_s), false));
    ASSERT_TRUE(db.exec(u"INSERT INTO tbf_fields VALUES(99, 'Navic', 'text', 5)"_s));
    db.close();
    expectOpenFails(u"POKLKNIH"_s);
}

class TruncatedFileTest : public DamagedFileTest, public testing::WithParamInterface<int>
{
};

TEST_P(TruncatedFileTest, FailsOpenOrRaisesTheException)
{
    {
        auto builder = year().table(u"UCDENIK"_s);
        for (int i = 1; i <= 2000; ++i)
            builder.row({{"Cislo", i}, {"Zdroj", "PK"}, {"ZRadek", i / 3}, {"Popis", u"řádek %1"_s.arg(i)}});
    }
    QFile file(path(u"UCDENIK"_s));
    const qint64 size = file.size();
    ASSERT_GT(size, 8192);
    ASSERT_TRUE(file.resize(size * GetParam() / 100));
    TBFTable table;
    if (table.Open(yearDir() + u"UCDENIK"_s) < 0) {
        EXPECT_EQ(table.Tag, 0);
        return;
    }
    // A damage Open could not see shows as the engine's exception.
    EXPECT_THROW(
        {
            (void)table.SetIndex(u"Zdroj+ZRadek+Cislo"_s);
            table.GoTop();
            while (table.Skip() == HostResult::Ok) {
            }
        },
        HostEngineError);
}

INSTANTIATE_TEST_SUITE_P(Fractions, TruncatedFileTest, testing::Values(10, 50, 90),
                         [](const testing::TestParamInfo<int> &paramInfo) {
                             return u"Percent%1"_s.arg(paramInfo.param).toStdString();
                         });

} // namespace

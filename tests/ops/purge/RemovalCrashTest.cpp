// A real run killed (SIGKILL) part-way: every table still opens, no item,
// distribution record or journal line is left without its document, and the
// next run finishes what the killed one began.

#include "PurgeFixture.h"

#include <QDir>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDocuments = 1200; // odd line numbers deleted, the last one valid

class RemovalCrashTest : public RemovalTest
{
protected:
    RemovalCrashTest()
    {
        auto documents = year().table(u"POKLKNIH"_s);
        auto items = year().table(u"POLUCDPK"_s);
        auto distribution = year().table(u"ROZPUPK"_s);
        auto journal = year().table(u"UCDENIK"_s);
        int line = 0;
        for (int cislo = 1; cislo <= kDocuments; ++cislo) {
            const bool deleted = cislo % 2 == 1 && cislo < kDocuments;
            documents.row({{"Doklad", u"PP%1"_s.arg(cislo)}, {"Cislo", cislo}, {"Del", deleted}});
            for (int i = 1; i <= 2; ++i) {
                items.row({{"CISLO", cislo}, {"Poradi", i}});
                journal.row({{"Cislo", ++line}, {"Zdroj", "PK"}, {"ZRadek", cislo}});
            }
            distribution.row({{"CisDokladu", cislo}, {"Cislo", 1}});
        }
    }

    // Line number → records holding it, per table (the tables must open and
    // be readable to the last record).
    std::map<int, int> countBy(const QString &table, const QString &field)
    {
        std::map<int, int> counts;
        TBFTable t;
        EXPECT_EQ(t.Open(yearDir() + table), HostResult::Ok) << table.toStdString();
        for (t.GoTop(); !t.Eof(); t.Skip())
            ++counts[t.Value(field).toInt()];
        return counts;
    }

    struct State
    {
        int removed = 0; // deleted documents gone with all their dependants
        int partial = 0; // deleted documents present with some dependants gone
    };

    State check()
    {
        for (const QString &file : QDir(yearDir()).entryList({u"*.DAT"_s}, QDir::Files)) {
            TBFTable t;
            EXPECT_EQ(t.Open(yearDir() + file), HostResult::Ok) << file.toStdString();
        }
        std::map<int, bool> documents;
        {
            TBFTable t;
            EXPECT_EQ(t.Open(yearDir() + u"POKLKNIH"_s), HostResult::Ok);
            for (t.GoTop(); !t.Eof(); t.Skip())
                documents[t.Value(u"Cislo"_s).toInt()] = t.Value(u"Del"_s).toBool();
        }
        auto items = countBy(u"POLUCDPK"_s, u"CISLO"_s);
        auto distribution = countBy(u"ROZPUPK"_s, u"CisDokladu"_s);
        auto journal = countBy(u"UCDENIK"_s, u"ZRadek"_s);
        State state;
        for (int cislo = 1; cislo <= kDocuments; ++cislo) {
            const bool present = documents.count(cislo) > 0;
            const bool whole = items[cislo] == 2 && distribution[cislo] == 1 && journal[cislo] == 2;
            const bool none = items[cislo] == 0 && distribution[cislo] == 0 && journal[cislo] == 0;
            const bool deleted = cislo % 2 == 1 && cislo < kDocuments;
            if (!deleted) {
                EXPECT_TRUE(present && whole) << "valid document " << cislo;
            } else if (!present) {
                EXPECT_TRUE(none) << "dependants of removed document " << cislo << " left behind";
                ++state.removed;
            } else if (!whole) {
                EXPECT_TRUE(documents[cislo]) << "document " << cislo << " lost its deletion flag";
                ++state.partial;
            }
        }
        return state;
    }
};

TEST_F(RemovalCrashTest, KilledPartWayLeavesEveryDocumentWholeOrGoneWithItsDependants)
{
    QProcess child;
    child.start(QString::fromUtf8(TARNEK_PURGE_CHILD), {yearDir(), context().settingsDir});
    ASSERT_TRUE(child.waitForStarted(10000));
    // Killed once the cash scan is a third of the way through.
    QByteArray output;
    bool killed = false;
    while (!killed && child.waitForReadyRead(60000)) {
        output += child.readAllStandardOutput();
        bool inCash = false;
        for (const QByteArray &line : output.split('\n')) {
            inCash = inCash || line == "S Pokladní doklady...";
            if (inCash && line.startsWith("P ") && line.mid(2).toInt() >= kDocuments / 3) {
                child.kill();
                killed = true;
                break;
            }
        }
    }
    ASSERT_TRUE(killed) << output.constData() << child.readAllStandardError().constData();
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    const State afterKill = check();
    EXPECT_GT(afterKill.removed, 0);
    EXPECT_LT(afterKill.removed, kDocuments / 2) << "the run was killed before it finished";
    EXPECT_LE(afterKill.partial, 1) << "only the document being removed may have lost part of its dependants";

    // The next run removes the rest, the interrupted document included.
    ASSERT_EQ(run(modules({u"POKLKNIH"_s})), 0);
    const State afterRerun = check();
    EXPECT_EQ(afterRerun.removed, kDocuments / 2);
    EXPECT_EQ(afterRerun.partial, 0);
}

} // namespace

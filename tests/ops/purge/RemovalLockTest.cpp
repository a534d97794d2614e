// A record held by another process keeps the removal waiting with the
// record's warning; nothing else is removed meanwhile, and the run completes
// once the record is free.

#include "PurgeFixture.h"

#include "support/RecordHolder.h"
#include "support/TestSupport.h"
#include "support/WarningHookUi.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

const QString kWait = u"je právě editován jiným uživatelem. Počkejte na uvolnění a pokračujte tlačítkem [OK]."_s;

// An item or distribution record of document line 2 in that table.
QString itemWarning(const QString &path)
{
    return u"Položka dokladu s číslem řádku 2 v databázi "_s + path +
           u".DAT je právě editována jiným uživatelem. Počkejte na uvolnění a pokračujte tlačítkem [OK]."_s;
}

struct LockCase
{
    const char *name;
    QString table;
    int recNo;
    std::function<QString(const QString &yearDir)> warning;
};

// Cash documents 1 and 2 deleted, 3 valid, with items, a distribution
// record and journal lines (3 is a free line); a second process can hold a
// record.
class HeldRecordTest : public RemovalTest
{
protected:
    HeldRecordTest()
    {
        year().table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP01|1|1\nPP02|2|1\nPP03|3|0");
        year().table(u"POLUCDPK"_s).rows("CISLO|Popis\n1|a\n2|b\n3|c");
        year().table(u"ROZPUPK"_s).rows("CisDokladu|Cislo\n2|1");
        year().table(u"UCDENIK"_s).rows("Cislo|Zdroj|ZRadek|Free\n1|PK|1|0\n2|PK|2|0\n3|PK|3|1\n4|PK|3|0");
        UiSeam::setCurrent(&m_ui);
    }
    ~HeldRecordTest() override { UiSeam::setCurrent(&scriptedUi()); }

    void hold(const QString &table, int recNo) { m_holder.hold(yearDir() + table, recNo); }
    void release() { m_holder.release(); }
    QStringList dumps()
    {
        QStringList all;
        for (const QString &file : QDir(yearDir()).entryList({u"*.DAT"_s}, QDir::Files, QDir::Name))
            all.append(dump(file.chopped(4)));
        return all;
    }

    WarningHookUi m_ui;
    RecordHolder m_holder{QString::fromUtf8(TARNEK_TABLE_TOOL)};
};

class RemovalLockTest : public HeldRecordTest, public testing::WithParamInterface<LockCase>
{
};

TEST_P(RemovalLockTest, WaitsForTheRecordAndTouchesNothingMeanwhile)
{
    hold(GetParam().table, GetParam().recNo);
    QStringList whileWaiting;
    int warnings = 0;
    m_ui.onWarning = [&](const QString &) {
        ++warnings;
        if (warnings == 1) {
            whileWaiting = dumps();
        } else if (warnings == 2) {
            EXPECT_EQ(dumps(), whileWaiting) << "something was removed while the run waited";
            release();
        }
    };
    RemovalOptions options = modules({u"POKLKNIH"_s});
    options.freeLines = true;
    ASSERT_EQ(run(options), 0);

    EXPECT_EQ(warnings, 2);
    const QString expected = GetParam().warning(yearDir());
    for (const ScriptedUi::Message &message : scriptedUi().messages()) {
        EXPECT_EQ(message.kind, MessageKind::Warning);
        EXPECT_EQ(message.text, expected);
    }
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s), QStringList{u"PP03"_s});
    EXPECT_EQ(column(u"POLUCDPK"_s, u"CISLO"_s), QStringList{u"3"_s});
    EXPECT_EQ(column(u"ROZPUPK"_s, u"CisDokladu"_s), QStringList());
    EXPECT_EQ(column(u"UCDENIK"_s, u"Cislo"_s), QStringList{u"4"_s});
}

INSTANTIATE_TEST_SUITE_P(
    Records, RemovalLockTest,
    testing::Values(
        LockCase{"Document", u"POKLKNIH"_s, 2,
                 [](const QString &) -> QString { return u"Řádek 2 v modulu Pokladní doklady "_s + kWait; }},
        LockCase{"Item", u"POLUCDPK"_s, 2, [](const QString &dir) { return itemWarning(dir + u"POLUCDPK"_s); }},
        LockCase{"Distribution", u"ROZPUPK"_s, 1, [](const QString &dir) { return itemWarning(dir + u"ROZPUPK"_s); }},
        LockCase{"JournalLineOfADocument", u"UCDENIK"_s, 2,
                 [](const QString &) -> QString { return u"Řádek 2 v účetním/peněžním deníku "_s + kWait; }},
        LockCase{"FreeLine", u"UCDENIK"_s, 3,
                 [](const QString &) -> QString { return u"Řádek 3 v účetním deníku "_s + kWait; }}),
    [](const testing::TestParamInfo<LockCase> &paramInfo) { return std::string(paramInfo.param.name); });

// Locking reads the document again: one its editor restored while the run
// waited stays, with everything that belongs to it.
TEST_F(HeldRecordTest, DocumentRestoredWhileTheRunWaitedStays)
{
    hold(u"POKLKNIH"_s, 2);
    m_ui.onWarning = [&](const QString &) {
        release();
        TBFTable editor;
        ASSERT_EQ(editor.Open(yearDir() + u"POKLKNIH"_s), HostResult::Ok);
        ASSERT_EQ(editor.GoTo(2), HostResult::Ok);
        ASSERT_EQ(editor.Lock(), HostResult::Ok);
        editor.SetValue(u"Del"_s, false);
        ASSERT_EQ(editor.Post(), HostResult::Ok);
    };
    ASSERT_EQ(run(modules({u"POKLKNIH"_s})), 0);
    EXPECT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(body(), (QStringList{QString(), u"Pokladní doklady:"_s, u"Doklad číslo PP01 (řádek 1)"_s,
                                   u"Celkem odstraněno dokladů: 1"_s}));
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s), (QStringList{u"PP02"_s, u"PP03"_s}));
    EXPECT_EQ(column(u"POLUCDPK"_s, u"CISLO"_s), (QStringList{u"2"_s, u"3"_s}));
    EXPECT_EQ(column(u"ROZPUPK"_s, u"CisDokladu"_s), QStringList{u"2"_s});
}

} // namespace

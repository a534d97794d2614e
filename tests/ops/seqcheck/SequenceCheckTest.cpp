// The sequence check run over small host trees: which numbers are missing,
// how the protocol groups them, the end message, the progress, the interrupt
// and the table errors.

#include "SeqCheckFixture.h"

#include "common/Clock.h"
#include "hostdb/HostCatalogue.h"
#include "ops/seqcheck/SequenceCheck.h"
#include "ops/seqcheck/SequenceCheckSetup.h"
#include "support/TestSupport.h"

#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString kNothingMissing = u"Kontrola byla dokončena.\r\rVe vybraných číselných řadách nebylo zjištěno žádné "
                                u"chybějící číslo dokladu."_s;

// The tables of every module, empty.
void createDocumentTables(SeqCheckTree &tree)
{
    for (const SequenceModule &module : sequenceModules())
        tree.year().table(QString::fromUtf16(module.table));
}

// Loads the set-up from the tree and runs the check over the given modules
// (1 … 9); `adjust` may change series rows first, as the list window does.
int runCheck(SeqCheckTree &tree, SequenceCheckSetup &setup, const std::vector<int> &modules,
             const std::function<void(MemTable &)> &adjust = nullptr)
{
    if (setup.load(tree.session()) != 0)
        return -2;
    if (adjust)
        adjust(setup.mtCisRady());
    std::array<bool, kSequenceModuleCount> checked{};
    for (const int module : modules)
        checked[size_t(module - 1)] = true;
    return runSequenceCheck(tree.session(), setup.mtCisRady(), checked, tree.progress());
}

// Sets a field of the series row with that code.
void setSeries(MemTable &series, const QString &code, const QString &field, const QVariant &value)
{
    series.setFilter(nullptr);
    ASSERT_TRUE(series.locate(u"Rada"_s, code, false)) << code.toStdString();
    series.setValue(field, value);
}

// --- What is listed ----------------------------------------------------------

struct CheckCase
{
    const char *name;
    std::function<void(SeqCheckTree &)> build;
    std::vector<int> modules;
    std::function<void(MemTable &)> adjust;
    QStringList body; // the protocol after its five header lines; empty: the end message
};

void PrintTo(const CheckCase &c, std::ostream *os)
{
    *os << c.name;
}

class SequenceCheckCases : public testing::TestWithParam<CheckCase>
{
};

TEST_P(SequenceCheckCases, ListsTheMissingNumbers)
{
    const CheckCase &c = GetParam();
    SeqCheckTree tree;
    tree.year().table(u"VOLNECIS"_s);
    createDocumentTables(tree);
    c.build(tree);
    SequenceCheckSetup setup;
    ASSERT_EQ(runCheck(tree, setup, c.modules, c.adjust), 0);

    if (c.body.isEmpty()) {
        EXPECT_EQ(scriptedUi().messageTexts(), QStringList{kNothingMissing});
        EXPECT_TRUE(tree.shownProtocols().isEmpty());
    } else {
        EXPECT_TRUE(scriptedUi().messages().isEmpty()) << scriptedUi().messageTexts().join(u'|').toStdString();
        ASSERT_EQ(tree.shownProtocols().size(), 1);
        EXPECT_EQ(tree.shownProtocols().first().mid(5), c.body);
    }
    EXPECT_EQ(tree.session().protocol().lines().mid(5), c.body);
}

const char *const kCashSeries = R"(
    Rada | Nazev           | Cislo | Nuly | PocetMist | PP | VP
    PPrr | Pokladní příjmy | 6     | 1    | 4         | 1  | 0
    VPrr | Pokladní výdaje | 4     | 1    | 4         | 0  | 1
)";

INSTANTIATE_TEST_SUITE_P(
    SequenceCheck, SequenceCheckCases,
    testing::Values(
        CheckCase{"GapIsListedUnderTheModuleTitle",
                  [](SeqCheckTree &tree) {
                      tree.series(kCashSeries);
                      tree.year()
                          .table(u"POKLKNIH"_s)
                          .rows("Doklad|Del\nPP180005|0\nPP180001|0\nPP180002|0\nPP180004|0\nVP180001|0\nVP180002|0\n"
                                "VP180003|0");
                  },
                  {1},
                  nullptr,
                  {QString(), u"Pokladní doklady:"_s, u"PP180003"_s}},
        CheckCase{"NothingMissingShowsTheEndMessage",
                  [](SeqCheckTree &tree) {
                      tree.series(kCashSeries);
                      tree.year()
                          .table(u"POKLKNIH"_s)
                          .rows(
                              "Doklad\nPP180001\nPP180002\nPP180003\nPP180004\nPP180005\nVP180001\nVP180002\nVP180003");
                  },
                  {1},
                  nullptr,
                  {}},
        // Deleted-only holders count missing; a deleted and a valid one present.
        CheckCase{"DeletedOnlyHolderIsMissing",
                  [](SeqCheckTree &tree) {
                      tree.series("Rada|Cislo|Nuly|PocetMist|PP\nPPrr|4|1|4|1");
                      tree.year().table(u"POKLKNIH"_s).rows(R"(
                          Doklad   | Del
                          PP180001 | 0
                          PP180002 | 1
                          PP180002 | 1
                          PP180003 | 1
                          PP180003 | 0
                      )");
                  },
                  {1},
                  nullptr,
                  {QString(), u"Pokladní doklady:"_s, u"PP180002"_s}},
        CheckCase{"InvoicesUseTheirOwnDeletionFlag",
                  [](SeqCheckTree &tree) {
                      tree.series("Rada|Cislo|Nuly|PocetMist|VF\nFVrr|3|1|4|1");
                      tree.year().table(u"VFAKTURY"_s).rows("Doklad|FlagDel\nFV180001|1\nFV180002|0");
                  },
                  {7},
                  nullptr,
                  {QString(), u"Vystavené faktury:"_s, u"FV180001"_s}},
        CheckCase{"StockDocumentsAndOrdersHaveNoDeletionFlag",
                  [](SeqCheckTree &tree) {
                      tree.series("Rada|Cislo|Nuly|PocetMist|SJ|PZ\nPRrr|4|1|4|1|0\nOPrr|3|1|4|0|1");
                      tree.year().table(u"SKSEZDOK"_s).rows("CisloDokla\nPR180003\nPR180001");
                      tree.year().table(u"OBSEZOBJ"_s).rows("Doklad\nOP180001\nOP180002");
                  },
                  {6, 9},
                  nullptr,
                  {QString(), u"Skladové doklady:"_s, u"PR180002"_s}},
        // The seek ignores case and trailing blanks, and so does the
        // comparison of the key read back.
        CheckCase{
            "PresenceIgnoresCase",
            [](SeqCheckTree &tree) {
                tree.series("Rada|Cislo|Nuly|PocetMist|PP\nPPrr|4|1|4|1");
                tree.year().table(u"POKLKNIH"_s).rows("Doklad|Del\npp180001|0\nPp180002|1\npP180002|0\nPP180003 |0");
            },
            {1},
            nullptr,
            {}},
        CheckCase{"TwoSeriesOfOneModuleUnderOneTitleAnotherModuleItsOwn",
                  [](SeqCheckTree &tree) {
                      tree.series(R"(
                          Rada | Cislo | Nuly | PocetMist | PP | VP | ID | PU
                          PPrr | 3     | 1    | 4         | 1  | 0  | 0  | 0
                          IDrr | 4     | 1    | 4         | 0  | 0  | 1  | 0
                          VPrr | 3     | 1    | 4         | 0  | 1  | 0  | 0
                          BUrr | 2     | 1    | 4         | 0  | 0  | 0  | 1
                      )");
                      tree.year().table(u"POKLKNIH"_s).rows("Doklad\nPP180002\nVP180002");
                      tree.year().table(u"INTDOKL"_s).rows("Doklad\nID180001\nID180003");
                      tree.year().table(u"BANKKNIH"_s).rows("Doklad\nBU180001");
                  },
                  {1, 2, 5},
                  nullptr,
                  {QString(), u"Pokladní doklady:"_s, u"PP180001"_s, u"VP180001"_s, QString(), u"Interní doklady:"_s,
                   u"ID180002"_s}},
        // One series flagged for cash and bank documents is checked against
        // both tables.
        CheckCase{
            "ASeriesInTwoModules",
            [](SeqCheckTree &tree) {
                tree.series("Rada|Cislo|Nuly|PocetMist|PP|PU\nFIN|4|0|0|1|1");
                tree.year().table(u"POKLKNIH"_s).rows("Doklad\nFIN1\nFIN3");
                tree.year().table(u"BANKKNIH"_s).rows("Doklad\nFIN2");
            },
            {1, 2},
            nullptr,
            {QString(), u"Pokladní doklady:"_s, u"FIN2"_s, QString(), u"Bankovní doklady:"_s, u"FIN1"_s, u"FIN3"_s}},
        CheckCase{"RaisedEndListsEveryNumberAboveTheLastIssued",
                  [](SeqCheckTree &tree) {
                      tree.series("Rada|Cislo|Nuly|PocetMist|ID\nrrrrV|3|1|2|1");
                      tree.year().table(u"INTDOKL"_s).rows("Doklad\n2018V01\n2018V02");
                  },
                  {5},
                  [](MemTable &s) { setSeries(s, u"rrrrV"_s, u"End"_s, 4); },
                  {QString(), u"Interní doklady:"_s, u"2018V03"_s, u"2018V04"_s}},
        CheckCase{"RaisedStartSkipsTheNumbersBelow",
                  [](SeqCheckTree &tree) {
                      tree.series("Rada|Cislo|Nuly|PocetMist|ID\nIDrr|6|1|4|1");
                      tree.year().table(u"INTDOKL"_s).rows("Doklad\nID180004");
                  },
                  {5},
                  [](MemTable &s) { setSeries(s, u"IDrr"_s, u"Start"_s, 3); },
                  {QString(), u"Interní doklady:"_s, u"ID180003"_s, u"ID180005"_s}},
        // Unchecked series and series without a range contribute nothing.
        CheckCase{"UncheckedAndEmptyRangesContributeNothing",
                  [](SeqCheckTree &tree) { tree.series("Rada|Cislo|PP\nPPrr|5|1\nVPrr|1|1\nPErr|0|1"); },
                  {1},
                  [](MemTable &s) { setSeries(s, u"PPrr"_s, u"Checked"_s, false); },
                  {}},
        CheckCase{"ModuleNotCheckedIsNotSearched",
                  [](SeqCheckTree &tree) { tree.series("Rada|Cislo|PP|ID\nPPrr|5|1|0\nIDrr|2|0|1"); },
                  {5},
                  nullptr,
                  {QString(), u"Interní doklady:"_s, u"ID181"_s}},
        // A counter wider than the series' digits cannot be composed: said
        // once, nothing searched or listed for it.
        CheckCase{"NumbersWiderThanTheSeriesAreNamedOnce",
                  [](SeqCheckTree &tree) {
                      tree.series("Rada|Cislo|Nuly|PocetMist|ID\nIDrr|9|1|1|1");
                      tree.year().table(u"INTDOKL"_s).rows("Doklad\nID181\nID182\nID183\nID184\nID185\nID186\nID188");
                  },
                  {5},
                  [](MemTable &s) { setSeries(s, u"IDrr"_s, u"End"_s, 12); },
                  {QString(), u"Interní doklady:"_s, u"ID187"_s, u"ID189"_s,
                   u"Řada ID18: čísla 10 až 12 přesahují počet míst řady (1) a nebyla zkontrolována."_s}}),
    TestSupport::rowName);

// --- Header, progress, interrupt, errors ---------------------------------------

class SequenceCheckRun : public testing::Test
{
protected:
    SequenceCheckRun()
    {
        tree.year().table(u"VOLNECIS"_s);
        tree.series("Rada|Cislo|Nuly|PocetMist|PP|VP\nPPrr|4|1|4|1|0\nVPrr|3|1|4|0|1");
    }
    ~SequenceCheckRun() override { Clock::setCurrent(nullptr); }

    SeqCheckTree tree;
    SequenceCheckSetup setup;
};

TEST_F(SequenceCheckRun, ProtocolStartsWithCompanyYearAndTime)
{
    Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 3, 5), QTime(14, 7, 9))));
    tree.year().table(u"POKLKNIH"_s);
    ASSERT_EQ(runCheck(tree, setup, {1}), 0);
    EXPECT_EQ(tree.session().protocol().lines().mid(0, 6),
              (QStringList{u"Agenda: Demo s.r.o."_s, u"Rok: 2018"_s, u"Datum: 5.3.2018 14:07:09 hod."_s, QString(),
                           u"Kontrola posloupnosti číselných řad - chybějící čísla"_s, QString()}));
}

TEST_F(SequenceCheckRun, StatusOncePerSeriesProgressOncePerNumber)
{
    tree.year().table(u"POKLKNIH"_s);
    ASSERT_EQ(runCheck(tree, setup, {1}), 0);
    EXPECT_EQ(tree.progress().statuses, (QStringList{u"Prefix PP18..."_s, u"Prefix VP18..."_s}));
    // The bar's range is set per series, to its end.
    EXPECT_EQ(tree.progress().starts, 2);
    EXPECT_EQ(tree.progress().maximum, 2);
    // One call with the status per series, one per number (3 + 2).
    EXPECT_EQ(tree.progress().updates, 2 + 5);
    EXPECT_EQ(tree.progress().position, 2);
}

TEST_F(SequenceCheckRun, InterruptStopsAfterTheCurrentNumberSilently)
{
    tree.year().table(u"POKLKNIH"_s);
    tree.progress().onProgress = [&](int position) {
        if (position == 2)
            tree.session().interruptRequested = true;
    };
    EXPECT_EQ(runCheck(tree, setup, {1}), -1);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_TRUE(tree.shownProtocols().isEmpty());
    // The numbers up to the interrupted one stay in the protocol.
    EXPECT_EQ(tree.session().protocol().lines().mid(5),
              (QStringList{QString(), u"Pokladní doklady:"_s, u"PP180001"_s, u"PP180002"_s}));
}

// Reading a large table lets the message queue run and stops on the interrupt.
TEST_F(SequenceCheckRun, InterruptWhileReadingTheTableStopsBeforeAnyNumber)
{
    auto cash = tree.year().table(u"POKLKNIH"_s);
    for (int n = 1; n <= 600; ++n)
        cash.row({{"Doklad", u"XX%1"_s.arg(n)}});
    QTimer::singleShot(0, [&] { tree.session().interruptRequested = true; });
    EXPECT_EQ(runCheck(tree, setup, {1}), -1);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(tree.session().protocol().lines().size(), 5);
    EXPECT_EQ(tree.progress().updates, 1); // the series' status only
}

TEST_F(SequenceCheckRun, InterruptFlagOfAnEarlierRunIsCleared)
{
    tree.year().table(u"POKLKNIH"_s).rows("Doklad\nPP180001\nPP180002\nPP180003\nVP180001\nVP180002");
    tree.session().interruptRequested = true;
    EXPECT_EQ(runCheck(tree, setup, {1}), 0);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{kNothingMissing});
}

TEST_F(SequenceCheckRun, MissingTableStopsTheRunWithItsError)
{
    tree.year().table(u"POKLKNIH"_s);
    EXPECT_EQ(runCheck(tree, setup, {1, 2}), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nastala chyba při otevírání databáze "_s + tree.context().yearDir + u"BANKKNIH.DAT"_s});
    EXPECT_TRUE(tree.shownProtocols().isEmpty());
}

TEST_F(SequenceCheckRun, KeyIndexMissingStopsTheRunAndClosesTheTables)
{
    HostTableDef withoutIndex = HostCatalogue::table(u"POKLKNIH");
    withoutIndex.indexes.clear();
    tree.year().table(withoutIndex).rows("Doklad\nPP180002");
    EXPECT_EQ(runCheck(tree, setup, {1}), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nastala chyba při nastavení indexu v "_s + tree.context().yearDir + u"POKLKNIH.DAT"_s});
    EXPECT_EQ(TestSupport::openTableFiles(tree.context().yearDir), QStringList());
    EXPECT_TRUE(tree.shownProtocols().isEmpty());
}

TEST_F(SequenceCheckRun, LeavesTheSeriesFilteredByTheLastModule)
{
    tree.year().table(u"POKLKNIH"_s);
    tree.year().table(u"INTDOKL"_s);
    ASSERT_EQ(runCheck(tree, setup, {1, 5}), 0);
    EXPECT_TRUE(setup.mtCisRady().isFiltered());
    EXPECT_EQ(setup.mtCisRady().recordCount(), 0);
}

} // namespace

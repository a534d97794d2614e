// The proposal of new numbers, its duplicate rule, the undo and the sequence
// check of the list, over small host trees.

#include "ops/renumber/RenumberProposal.h"
#include "RenumberFixture.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

// ---- The bounds of the start-number window --------------------------------

struct BoundsCase
{
    const char *name;
    const char16_t *prefix;
    int digitCount;
    bool leadingZeros;
    qint64 start;
    int count;
    const char16_t *lower;
    const char16_t *upper;
    bool ok;
};

class ProposalBoundsTest : public testing::TestWithParam<BoundsCase>
{
};

TEST_P(ProposalBoundsTest, ComposesBothBounds)
{
    const BoundsCase &c = GetParam();
    RenumberState state;
    state.seriesPrefix = QString::fromUtf16(c.prefix);
    state.digitCount = c.digitCount;
    state.leadingZeros = c.leadingZeros;
    const ProposalBounds bounds = proposalBounds(state, c.start, c.count);
    EXPECT_EQ(bounds.lower, QString::fromUtf16(c.lower));
    EXPECT_EQ(bounds.upper, QString::fromUtf16(c.upper));
    EXPECT_EQ(bounds.ok, c.ok);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ProposalBoundsTest,
    testing::Values(
        // 995 + 12 rows ends at 1006, beyond three digits.
        BoundsCase{"ThreeDigitsOverflow", u"PD", 3, true, 995, 12, u"PD995", u"NELZE SESTAVIT", false},
        BoundsCase{"ThreeDigitsFit", u"PD", 3, true, 988, 12, u"PD988", u"PD999", true},
        // Six digits set no limit: the seventh digit is written in full.
        BoundsCase{"SixDigitsNoLimit", u"PD", 6, true, 999999, 2, u"PD999999", u"PD1000000", true},
        // Without zeros only the field width counts: 10 characters.
        BoundsCase{"LongPrefixFits", u"ABCDEFGH", 0, false, 98, 2, u"ABCDEFGH98", u"ABCDEFGH99", true},
        BoundsCase{"LongPrefixTooLong", u"ABCDEFGH", 0, false, 99, 2, u"ABCDEFGH99", u"NELZE SESTAVIT", false}),
    TestSupport::rowName);

// ---- The proposal ----------------------------------------------------------

// Five cash documents PD0001 … PD0005 in date order.
class ProposalTest : public RenumberTest
{
protected:
    void fiveDocuments()
    {
        documents(R"(
            Doklad | Cislo | DCislo | DatVyst    | DatUcPr    | DatPln
            PD0001 | 11    | 1      | 2018-04-01 | 2018-04-01 | 2018-04-01
            PD0002 | 12    | 2      | 2018-04-02 | 2018-04-02 | 2018-04-02
            PD0003 | 13    | 3      | 2018-04-03 | 2018-04-03 | 2018-04-03
            PD0004 | 14    | 4      | 2018-04-04 | 2018-04-04 | 2018-04-04
            PD0005 | 15    | 5      | 2018-04-05 | 2018-04-05 | 2018-04-05
        )");
        ASSERT_EQ(load(), 0);
    }
    int propose(qint64 start)
    {
        RenumberProposal proposal(m_session, m_list, m_state, m_view);
        const int result = proposal.propose(start);
        m_unmarked.clear();
        MemTable &unmarked = proposal.unmarkedRows();
        for (int row = 0; row < unmarked.recordCount(); ++row)
            m_unmarked.append(unmarked.value(row, 0).toInt());
        return result;
    }
    QList<int> m_unmarked;
};

const QString kSuccess = u"Operace byla dokončena - pokud je navrhnuté přečíslování podle vašich představ, "
                         u"stiskněte [Přečíslovat] - teprve potom se změny promítnou i do Ledra.\r\rJestliže "
                         u"tomu tak není, zrušte návrh tlačítkem [Původní]"_s;

QString duplicateWarning(const QString &number)
{
    return u"Přečíslování nelze provést - vámi zadané číslování by vytvořilo duplicitu dokladu "_s + number +
           u". Musíte označit více záznamů nebo změnit počáteční číslo tak, aby nedošlo k duplicitě."_s;
}

TEST_F(ProposalTest, MarkedRowsTakingAKeptNumberRefuseTheWholeProposal)
{
    fiveDocuments();
    mark({2, 4});
    EXPECT_EQ(propose(1), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Warning);
    EXPECT_EQ(scriptedUi().messages().at(0).text, duplicateWarning(u"PD0001"_s));
    // Every row keeps its number, nothing stands, the host tables are closed.
    EXPECT_EQ(column(u"Doklad"_s), column(u"DokladPuv"_s));
    EXPECT_EQ(column(u"Nove"_s), QStringList(5, u"false"_s));
    EXPECT_EQ(column(u"Sufix"_s), column(u"SufixPuv"_s));
    EXPECT_FALSE(m_state.proposalExists);
    EXPECT_FALSE(TestSupport::isFileOpenHere(m_context.yearDir + u"POKLKNIH.DAT"_s));
    EXPECT_FALSE(m_progress.working);
    EXPECT_FALSE(m_view.repaintSuspended);
}

// The probe the proposal tests rely on sees a table while it is open.
TEST_F(ProposalTest, OpenFileProbeSeesAnOpenTable)
{
    fiveDocuments();
    TBFTable documents;
    ASSERT_EQ(documents.Open(m_context.yearDir + u"POKLKNIH"_s), 0);
    EXPECT_TRUE(TestSupport::isFileOpenHere(m_context.yearDir + u"POKLKNIH.DAT"_s));
    documents.Close();
    EXPECT_FALSE(TestSupport::isFileOpenHere(m_context.yearDir + u"POKLKNIH.DAT"_s));
}

TEST_F(ProposalTest, MarkedRowsGetFreeNumbersAndTheOthersStay)
{
    fiveDocuments();
    mark({2, 4});
    m_list.setCurrentRow(2);
    EXPECT_EQ(propose(6), 0);
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PD0001"_s, u"PD0006"_s, u"PD0003"_s, u"PD0007"_s, u"PD0005"_s}));
    EXPECT_EQ(column(u"Sufix"_s), QStringList({u"1"_s, u"6"_s, u"3"_s, u"7"_s, u"5"_s}));
    EXPECT_EQ(column(u"Nove"_s), QStringList({u"false"_s, u"true"_s, u"false"_s, u"true"_s, u"false"_s}));
    EXPECT_EQ(column(u"DokladPuv"_s), QStringList({u"PD0001"_s, u"PD0002"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s}));
    EXPECT_EQ(m_unmarked, QList<int>({1, 3, 5}));
    EXPECT_TRUE(m_state.proposalExists);
    EXPECT_EQ(m_list.currentRow(), 2);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList({kSuccess}));
    // The proposal leaves no table open: the write-back opens its own.
    EXPECT_FALSE(TestSupport::isFileOpenHere(m_context.yearDir + u"POKLKNIH.DAT"_s));
    EXPECT_EQ(m_progress.workingTexts, QStringList({u"Probíhá přečíslování dokladů\rčekejte prosím..."_s}));
    EXPECT_FALSE(m_progress.working);
}

TEST_F(ProposalTest, WithoutMarksEveryRowIsRenumberedAndNothingCollides)
{
    fiveDocuments();
    EXPECT_EQ(propose(3), 0);
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PD0003"_s, u"PD0004"_s, u"PD0005"_s, u"PD0006"_s, u"PD0007"_s}));
    EXPECT_EQ(column(u"Nove"_s), QStringList(5, u"true"_s));
    EXPECT_TRUE(m_unmarked.isEmpty());
}

TEST_F(ProposalTest, ANumberThatCannotBeComposedUndoesTheRowsBefore)
{
    fiveDocuments();
    m_state.digitCount = 1; // 9 is the highest number
    EXPECT_EQ(propose(7), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(scriptedUi().messages().at(0).text, u"Nelze sestavit nové číslo pro původní doklad PD0004"_s);
    EXPECT_EQ(column(u"Doklad"_s), column(u"DokladPuv"_s));
    EXPECT_FALSE(m_state.proposalExists);
}

// A host document marked deleted never holds a number; the first document
// that is not deleted does, and the seek finds it whatever its letter case.
struct HolderCase
{
    const char *name;
    const char *hostRows; // records before the listed ones, not in the series' list
    int expected;
};

class DuplicateHolderTest : public ProposalTest, public testing::WithParamInterface<HolderCase>
{
};

TEST_P(DuplicateHolderTest, FindsTheHolderOfTheNumber)
{
    // Two listed documents; row 2 is marked and gets PD0009.
    documents(GetParam().hostRows);
    documents(R"(
        Doklad | Cislo | DatVyst
        PD0001 | 1     | 2018-04-01
        PD0002 | 2     | 2018-04-02
    )");
    ASSERT_EQ(load(), 0);
    mark({2});
    EXPECT_EQ(propose(9), GetParam().expected);
    if (GetParam().expected == 0)
        EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PD0001"_s, u"PD0009"_s}));
    else
        EXPECT_EQ(scriptedUi().messageTexts(), QStringList({duplicateWarning(u"PD0009"_s)}));
}

INSTANTIATE_TEST_SUITE_P(Holders, DuplicateHolderTest,
                         testing::Values(
                             // Only a deleted record bears the number: free.
                             HolderCase{"DeletedHolderOnly", "Doklad|Cislo|Del|DatVyst\nPD0009|90|1|2018-05-01", 0},
                             // A listed, unmarked document bears it in lower case: the seek finds
                             // it and the stored value compares the seek's way.
                             HolderCase{"LowerCaseKeptHolder", "Doklad|Cislo|Del|DatVyst\npd0009|90|0|2018-05-01", -1}),
                         TestSupport::rowName);

TEST_F(ProposalTest, ADeletedRecordBeforeTheKeptHolderIsSkipped)
{
    // Record 1 (deleted, not listed) and record 4 (listed, unmarked) both
    // bear PD0009 in some case; the walk passes the deleted one.
    documents(R"(
        Doklad | Cislo | Del | DatVyst
        PD0009 | 1     | 1   | 2018-04-01
        PD0001 | 2     | 0   | 2018-04-02
        PD0002 | 3     | 0   | 2018-04-03
        pd0009 | 4     | 0   | 2018-04-04
    )");
    ASSERT_EQ(load(), 0);
    ASSERT_EQ(column(u"Doklad"_s), QStringList({u"PD0001"_s, u"PD0002"_s, u"pd0009"_s}));
    mark({1});
    EXPECT_EQ(propose(9), -1);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList({duplicateWarning(u"PD0009"_s)}));
    EXPECT_EQ(m_unmarked, QList<int>({3, 4}));
}

TEST_F(ProposalTest, AHolderRenumberedTooIsNoCollision)
{
    fiveDocuments();
    mark({4, 5}); // PD0005 is held by row 5, which gets PD0006 itself
    EXPECT_EQ(propose(5), 0);
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PD0001"_s, u"PD0002"_s, u"PD0003"_s, u"PD0005"_s, u"PD0006"_s}));
}

TEST_F(ProposalTest, TheAuxiliaryOrderFollowsTheNewNumbers)
{
    fiveDocuments();
    m_list.setSortFields(u"Doklad;RecNo"_s);
    numberAuxiliaryOrder(m_list, m_progress);
    m_list.setSortFields(u"XDoklad"_s);
    mark({1, 2}); // PD0001 and PD0002 move behind the others
    EXPECT_EQ(propose(6), 0);
    EXPECT_EQ(m_list.sortFields(), u"XDoklad"_s);
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PD0003"_s, u"PD0004"_s, u"PD0005"_s, u"PD0006"_s, u"PD0007"_s}));
    EXPECT_EQ(column(u"DokladPuv"_s), QStringList({u"PD0003"_s, u"PD0004"_s, u"PD0005"_s, u"PD0001"_s, u"PD0002"_s}));
    EXPECT_EQ(column(u"XDoklad"_s), QStringList({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
}

TEST_F(ProposalTest, RevertGivesEveryRowItsHostNumberBack)
{
    fiveDocuments();
    ASSERT_EQ(propose(3), 0);
    scriptedUi().reset();
    m_list.setCurrentRow(4);
    EXPECT_EQ(revertProposal(m_list, m_state, m_view, m_progress), 0);
    EXPECT_EQ(column(u"Doklad"_s), column(u"DokladPuv"_s));
    EXPECT_EQ(column(u"Sufix"_s), column(u"SufixPuv"_s));
    EXPECT_EQ(column(u"Nove"_s), QStringList(5, u"false"_s));
    EXPECT_FALSE(m_state.proposalExists);
    EXPECT_EQ(m_list.currentRow(), 4);
    EXPECT_FALSE(m_view.lastBusy);
    EXPECT_EQ(m_progress.workingTexts.last(), u"Pracuji\rčekejte prosím..."_s);
}

// ---- "Kontrola" -------------------------------------------------------------

class SequenceCheckTest : public ProposalTest
{
protected:
    void threeDocuments()
    {
        documents("Doklad|Cislo|DatVyst\nPD0001|1|2018-01-01\npd0002|2|2018-01-02\nPD0004|3|2018-01-03");
        ASSERT_EQ(load(), 0);
    }
    int check(bool checkAll, qint64 start)
    {
        return checkSequenceInList(m_session, m_list, m_state, m_view, checkAll, start, u"Prefix PD pokladní doklady"_s,
                                   u"dle sloupce [Dat. vystavení]"_s);
    }
};

TEST_F(SequenceCheckTest, ListsEachNumberOutOfSequence)
{
    threeDocuments();
    EXPECT_EQ(check(true, 1), 0);
    ASSERT_EQ(m_shownProtocols.size(), 1);
    EXPECT_EQ(m_shownProtocols.at(0),
              QStringList({u"Kontrola posloupnosti dokladů:"_s, u"Agenda: Demo s.r.o."_s, u"Rok: 2018"_s, QString(),
                           u"Prefix PD pokladní doklady"_s, u"Aktuální seřazení dat: dle sloupce [Dat. vystavení]"_s,
                           QString(), u"(současné číslo >> mělo by být)"_s, u"PD0004 >> PD0003"_s}));
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PD0001"_s, u"pd0002"_s, u"PD0004"_s}));
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(SequenceCheckTest, OnlyTheMarkedRowsWhenAsked)
{
    threeDocuments();
    mark({1, 3});
    EXPECT_EQ(check(false, 1), 0);
    ASSERT_EQ(m_shownProtocols.size(), 1);
    EXPECT_EQ(m_shownProtocols.at(0).mid(8), QStringList({u"PD0004 >> PD0002"_s}));
    m_shownProtocols.clear();
    EXPECT_EQ(check(true, 1), 0); // marks, but every row asked for
    ASSERT_EQ(m_shownProtocols.size(), 1);
    EXPECT_EQ(m_shownProtocols.at(0).mid(8), QStringList({u"PD0004 >> PD0003"_s}));
}

TEST_F(SequenceCheckTest, ASequenceInOrderIsReported)
{
    threeDocuments();
    mark({1, 2});
    EXPECT_EQ(check(false, 1), 0);
    EXPECT_TRUE(m_shownProtocols.isEmpty());
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList({u"Posloupnost kontrolovaných dokladů je v pořádku."_s}));
}

TEST_F(SequenceCheckTest, ANumberThatCannotBeComposedStopsTheCheck)
{
    threeDocuments();
    m_state.digitCount = 1;
    EXPECT_EQ(check(true, 8), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList({u"Nelze sestavit nové číslo pro kontrolovaný doklad PD0004"_s}));
    EXPECT_TRUE(m_shownProtocols.isEmpty());
    EXPECT_FALSE(m_progress.working);
}

} // namespace

// The removal's decisions without any table: which documents of a module go,
// which stay and why, what goes along with them, and which journal lines each
// pass takes.

#include "ops/purge/RemovalRules.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

using Kind = RemovalRefusal::Kind;

// --- The first look at a document ---------------------------------------------

struct VerdictCase
{
    const char *name;
    int number;
    bool deleted;
    int lastNumber;
    DocumentVerdict expected;
};

class DocumentVerdictTest : public testing::TestWithParam<VerdictCase>
{
};

TEST_P(DocumentVerdictTest, PassesRefusesOrTakes)
{
    const VerdictCase &c = GetParam();
    const DocumentVerdict verdict = judgeDocument(c.number, c.deleted, c.lastNumber);
    EXPECT_EQ(verdict.take, c.expected.take);
    EXPECT_EQ(verdict.refusal.has_value(), c.expected.refusal.has_value());
    if (verdict.refusal && c.expected.refusal) {
        EXPECT_EQ(verdict.refusal->kind, c.expected.refusal->kind);
        EXPECT_EQ(verdict.refusal->number, c.expected.refusal->number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RemovalRules, DocumentVerdictTest,
    testing::Values(
        VerdictCase{"ValidDocumentIsPassedOver", 3, false, 9, {}},
        VerdictCase{"ValidDocumentOnTheLastNumberIsPassedOver", 9, false, 9, {}},
        VerdictCase{"DeletedDocumentIsTaken", 3, true, 9, {true, std::nullopt}},
        // The host would hand the highest number out again.
        VerdictCase{
            "DeletedDocumentOnTheLastNumberIsRefused", 9, true, 9, {false, RemovalRefusal{Kind::LastRecord, 9}}},
        VerdictCase{"DeletedDocumentBelowTheLastIsTakenWhateverItsNumber", 0, true, 1, {true, std::nullopt}}),
    TestSupport::rowName);

// --- How a taken document goes -------------------------------------------------

struct RemovalCase
{
    const char *name;
    int number;
    QList<int> removed;   // numbers already removed in the module
    QList<int> heldValid; // numbers a valid document holds
    DocumentRemoval expected;
    bool asksForDuplicate; // whether the costly duplicate question is asked
};

class DocumentRemovalTest : public testing::TestWithParam<RemovalCase>
{
};

TEST_P(DocumentRemovalTest, DecidesWhatGoesAlong)
{
    const RemovalCase &c = GetParam();
    const QSet<int> removed(c.removed.begin(), c.removed.end());
    QList<int> asked;
    const DocumentRemoval removal = documentRemoval(c.number, removed, [&](int number) {
        asked.append(number);
        return c.heldValid.contains(number);
    });
    EXPECT_EQ(removal.dependants, c.expected.dependants);
    EXPECT_EQ(removal.newNumber, c.expected.newNumber);
    EXPECT_EQ(removal.refusal.has_value(), c.expected.refusal.has_value());
    if (removal.refusal && c.expected.refusal) {
        EXPECT_EQ(removal.refusal->kind, c.expected.refusal->kind);
        EXPECT_EQ(removal.refusal->number, c.expected.refusal->number);
    }
    EXPECT_EQ(asked, c.asksForDuplicate ? QList<int>{c.number} : QList<int>());
}

INSTANTIATE_TEST_SUITE_P(
    RemovalRules, DocumentRemovalTest,
    testing::Values(
        RemovalCase{"FirstOfItsNumberTakesTheDependants", 4, {}, {}, {true, true, std::nullopt}, true},
        RemovalCase{"ValidDocumentsOfOtherNumbersDoNotMatter", 4, {2}, {3, 5}, {true, true, std::nullopt}, true},
        // The items, distribution records and journal lines belong to the
        // valid document holding the same number.
        RemovalCase{
            "NumberHeldByAValidDocumentGoesAlone", 4, {}, {4}, {false, true, RemovalRefusal{Kind::Duplicate, 4}}, true},
        // An earlier deleted document of the number took its dependants and
        // listed the number; this one goes alone, without asking again.
        RemovalCase{"LaterDocumentOfARemovedNumberGoesAlone", 4, {4}, {}, {false, false, std::nullopt}, false},
        RemovalCase{
            "LaterDocumentOfADuplicateNumberIsNotListedAgain", 4, {4}, {4}, {false, false, std::nullopt}, false}),
    TestSupport::rowName);

// --- The journal passes ----------------------------------------------------------

struct JournalCase
{
    const char *name;
    JournalPass pass;
    JournalLine line;
    bool freeLinesChosen;
    bool goes;
};

class JournalLineTest : public testing::TestWithParam<JournalCase>
{
};

TEST_P(JournalLineTest, GoesInItsPass)
{
    const JournalCase &c = GetParam();
    EXPECT_EQ(journalLineGoes(c.pass, c.line, c.freeLinesChosen), c.goes);
}

INSTANTIATE_TEST_SUITE_P(
    RemovalRules, JournalLineTest,
    testing::Values(
        JournalCase{"FreePassTakesAFreeLine", JournalPass::FreeLines, {true, false, u"PK"_s}, true, true},
        JournalCase{"FreePassLeavesABookedLine", JournalPass::FreeLines, {false, true, u"SK"_s}, true, false},
        JournalCase{"StockPassTakesADeletedStockLine", JournalPass::StockLines, {false, true, u"SK"_s}, false, true},
        JournalCase{
            "StockPassComparesTheSourceAsTheSeekDoes", JournalPass::StockLines, {false, true, u"sk "_s}, false, true},
        JournalCase{"StockPassLeavesAValidStockLine", JournalPass::StockLines, {false, false, u"SK"_s}, false, false},
        JournalCase{"StockPassLeavesADeletedLineOfAnotherSource",
                    JournalPass::StockLines,
                    {false, true, u"PK"_s},
                    false,
                    false},
        // Removed, and listed, once: by the free pass.
        JournalCase{
            "StockPassLeavesAFreeLineToTheFreePass", JournalPass::StockLines, {true, true, u"SK"_s}, true, false},
        JournalCase{"StockPassTakesAFreeLineWhenTheFreePassDoesNotRun",
                    JournalPass::StockLines,
                    {true, true, u"SK"_s},
                    false,
                    true}),
    TestSupport::rowName);

} // namespace

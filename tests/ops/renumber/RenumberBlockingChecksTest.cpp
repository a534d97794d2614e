// The blocking checks of a proposal: locked documents, the closing date, the
// filed VAT periods and EET, their report and the refusals of "Přečíslovat".

#include "ops/renumber/RenumberBlockingChecks.h"
#include "RenumberFixture.h"
#include "ops/renumber/FiledReturnsChecker.h"
#include "ops/renumber/RenumberProposal.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSuccessStart = u"Operace byla dokončena - pokud je navrhnuté"_s;
const QString kClosingReport =
    u"Operace byla dokončena - datum účetního případu uvedené na některém dokladě je však nižší než datum poslední "
    u"závěrky v Ledra (%1). Chcete-li provést přečíslování, ukončete tento doplněk a dočasně upravte či vymažte datum "
    u"poslední závěrky (Ledra/Možnosti a nastavení/Nastavení agendy)."_s;
const QString kVatReport = u"Operace byla dokončena - datum plnění DPH uvedené na některém dokladě však spadá do "
                           u"uzamčeného období DPH. Chcete-li provést přečíslování, ukončete tento doplněk a vymažte "
                           u"příslušné podání přiznání k DPH."_s;
const QString kEetReport =
    u"Operace byla dokončena - některý doklad však spadá do režimu EET, přečíslování nebude možné."_s;
const QString kLockedQuestion = u"Operace byla dokončena - některé doklady jsou však uzamknuté, \"ostré\" přečíslování "
                                u"v Ledra proto nebude možné. Chcete zobrazit seznam uzamknutých dokladů?"_s;

class BlockingTest : public RenumberTest
{
protected:
    int propose(qint64 start = 1)
    {
        RenumberProposal proposal(m_session, m_list, m_state, m_view);
        return proposal.propose(start);
    }
    // One cash document PD0001 with these dates (empty: no date).
    void oneDocument(const QString &datUcPr, const QString &datPln = QString())
    {
        documents(QString(u"Doklad|Cislo|DatVyst|DatUcPr|DatPln\nPD0001|5|2018-01-01|"_s + datUcPr + u"|"_s + datPln)
                      .toUtf8()
                      .constData());
        ASSERT_EQ(load(), 0);
    }
};

// ---- Closing date -------------------------------------------------------------

struct ClosingCase
{
    const char *name;
    const char16_t *closing; // "Poslední závěrka" as AGENDA.INI holds it
    const char16_t *datUcPr; // the document's accounting-case date, empty for none
    bool blocked;
};

class ClosingDateTest : public BlockingTest, public testing::WithParamInterface<ClosingCase>
{
};

TEST_P(ClosingDateTest, BlocksDocumentsNotLaterThanTheClosing)
{
    const ClosingCase &c = GetParam();
    m_agenda.lastClosing(QString::fromUtf16(c.closing));
    oneDocument(QString::fromUtf16(c.datUcPr));
    EXPECT_EQ(propose(), 0);
    EXPECT_EQ(m_state.beforeClosingDate, c.blocked);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    if (c.blocked)
        EXPECT_EQ(scriptedUi().messages().at(0).text, kClosingReport.arg(QString::fromUtf16(c.closing)));
    else
        EXPECT_TRUE(scriptedUi().messages().at(0).text.startsWith(kSuccessStart));
}

INSTANTIATE_TEST_SUITE_P(Closing, ClosingDateTest,
                         testing::Values(ClosingCase{"OnTheClosingDay", u"31.12.2017", u"2017-12-31", true},
                                         ClosingCase{"TheDayAfter", u"31.12.2017", u"2018-01-01", false},
                                         ClosingCase{"NoClosing", u"", u"2017-06-30", false},
                                         ClosingCase{"NoClosingNoDate", u"", u"", false},
                                         ClosingCase{"ClosingWithoutDocumentDate", u"31.12.2017", u"", true},
                                         // Not a date: the closing stays at 30 December 1899.
                                         ClosingCase{"UnreadableClosingDated", u"abc", u"2017-06-30", false},
                                         ClosingCase{"UnreadableClosingUndated", u"abc", u"", true}),
                         TestSupport::rowName);

// ---- VAT periods ------------------------------------------------------------------

struct VatCase
{
    const char *name;
    QDate datPln; // invalid: no date
    bool inside;
};

class VatPeriodTest : public RenumberTest, public testing::WithParamInterface<VatCase>
{
};

TEST_P(VatPeriodTest, BothEndsOfAFiledPeriodCount)
{
    m_agenda.table(u"SZDPH"_s).rows(R"(
        DatumOd    | DatumDo    | Typ
        1899-12-30 | 1899-12-31 | R
        2018-01-01 | 2018-03-31 | R
    )");
    TSeznamPodaniChecker checker(m_context.agendaDir);
    ASSERT_TRUE(checker.LoadFilings());
    EXPECT_EQ(checker.periodCount(), 2);
    const DayNumber date = DayNumber::fromDate(GetParam().datPln);
    EXPECT_EQ(checker.IsInFiledPeriod(date), GetParam().inside);
    EXPECT_EQ(checker.IsInFiledPeriod(date), GetParam().inside); // from the cache
    // The empty date is never cached; every other date once.
    EXPECT_EQ(checker.cachedCount(), date.isEmpty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Vat, VatPeriodTest,
                         testing::Values(VatCase{"FirstDay", QDate(2018, 1, 1), true},
                                         VatCase{"LastDay", QDate(2018, 3, 31), true},
                                         VatCase{"DayAfter", QDate(2018, 4, 1), false},
                                         VatCase{"DayBefore", QDate(2017, 12, 31), false},
                                         // Even a filing that covers 30 December 1899.
                                         VatCase{"EmptyDate", QDate(), false}),
                         TestSupport::rowName);

TEST_F(BlockingTest, ADocumentInAFiledPeriodIsReported)
{
    m_agenda.table(u"SZDPH"_s).rows("DatumOd|DatumDo\n2018-01-01|2018-03-31");
    oneDocument(u"2018-03-31"_s, u"2018-03-31"_s);
    EXPECT_EQ(propose(), 0);
    EXPECT_TRUE(m_state.inFiledVatPeriod);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList({kVatReport}));
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Warning);
}

TEST_F(BlockingTest, FilingsThatCannotBeReadEndTheProposal)
{
    QFile::remove(m_context.agendaDir + u"SZDPH.DAT"_s);
    oneDocument(u"2018-03-31"_s);
    EXPECT_EQ(propose(), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList({u"Nastala chyba při načítání podání DPH. Nastala chyba při otevírání databáze "_s +
                           m_context.agendaDir + u"SZDPH.DAT"_s}));
    EXPECT_EQ(column(u"Nove"_s), QStringList({u"false"_s}));
    EXPECT_FALSE(m_state.proposalExists);
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList());
    EXPECT_FALSE(m_progress.working);
}

// ---- EET -------------------------------------------------------------------------

struct EetCase
{
    const char *name;
    const char *eetRows; // nullptr: no EETDOKL file
    bool registered;
};

class EetTest : public BlockingTest, public testing::WithParamInterface<EetCase>
{
};

TEST_P(EetTest, LooksTheDocumentUpByKindAndLine)
{
    if (GetParam().eetRows)
        m_year.table(u"EETDOKL"_s).rows(GetParam().eetRows);
    oneDocument(u"2018-04-01"_s);
    EXPECT_EQ(propose(), 0);
    EXPECT_EQ(m_state.hasEetDocument, GetParam().registered);
    // EETDOKL is read during the proposal only.
    EXPECT_FALSE(TestSupport::isFileOpenHere(m_context.yearDir + u"EETDOKL.DAT"_s));
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    if (GetParam().registered)
        EXPECT_EQ(scriptedUi().messages().at(0).text, kEetReport);
    else
        EXPECT_TRUE(scriptedUi().messages().at(0).text.startsWith(kSuccessStart));
}

INSTANTIATE_TEST_SUITE_P(Eet, EetTest,
                         testing::Values(EetCase{"Registered", "Druh|CisDokl\nID|5\nPK|5", true},
                                         // An internal document with the same line number is another document.
                                         EetCase{"OtherKind", "Druh|CisDokl\nID|5\nPK|6", false},
                                         EetCase{"NoEetTable", nullptr, false}),
                         TestSupport::rowName);

// ---- Locked documents and the order of the reports ------------------------------

TEST_F(BlockingTest, OnlyProcessedLockedDocumentsCount)
{
    documents(R"(
        Doklad | Cislo | DatVyst    | DatUcPr    | Uzamceni
        PD0001 | 1     | 2018-04-01 | 2018-04-01 | 1
        PD0002 | 2     | 2018-04-02 | 2018-04-02 | 0
        PD0003 | 3     | 2018-04-03 | 2018-04-03 | 1
    )");
    ASSERT_EQ(load(), 0);
    mark({2});
    EXPECT_EQ(propose(7), 0);
    EXPECT_FALSE(m_state.hasLockedDocument);
    scriptedUi().reset();
    revertProposalRows(m_list, m_state);

    m_view.marked.clear();
    mark({2, 3});
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(propose(7), 0);
    EXPECT_TRUE(m_state.hasLockedDocument);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).text, kLockedQuestion);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Warning);
    // The list names the number the document had before the proposal.
    ASSERT_EQ(m_shownProtocols.size(), 1);
    EXPECT_EQ(m_shownProtocols.at(0), QStringList({u"Uzamknuté doklady:"_s, u"================"_s, u"PD0003"_s}));
}

TEST_F(BlockingTest, TheFirstFlagDecidesTheReportAndTheRefusal)
{
    m_agenda.table(u"SZDPH"_s).rows("DatumOd|DatumDo\n2018-01-01|2018-03-31");
    documents(R"(
        Doklad | Cislo | DatVyst    | DatUcPr    | DatPln     | Uzamceni
        PD0001 | 1     | 2018-01-01 | 2018-01-01 | 2018-01-01 | 0
        PD0002 | 2     | 2018-04-02 | 2018-04-02 | 2018-04-02 | 1
        PD0003 | 3     | 2018-04-03 | 2018-04-03 | 2018-04-03 | 1
    )");
    ASSERT_EQ(load(), 0);
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(propose(), 0);
    EXPECT_TRUE(m_state.hasLockedDocument);
    EXPECT_TRUE(m_state.inFiledVatPeriod);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList({kLockedQuestion}));
    EXPECT_TRUE(m_shownProtocols.isEmpty()); // "Ne": the list is not shown
    EXPECT_TRUE(m_state.proposalExists);     // the proposal stands all the same

    scriptedUi().reset();
    EXPECT_EQ(RenumberBlockingChecks::refuseWriteBack(m_state), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList({u"Některé doklady jsou uzamknuté, \"ostré\" přečíslování v Ledra proto není možné - "
                           u"klepněte na tlačítko [Zavřít], v Ledra odemkněte požadované doklady a znovu spusťte "
                           u"tento doplněk."_s}));
}

struct RefusalCase
{
    const char *name;
    bool locked, closing, vat, eet;
    const char16_t *text; // nullptr: no refusal
};

class RefusalTest : public testing::TestWithParam<RefusalCase>
{
};

TEST_P(RefusalTest, RefusesOnTheFirstFlag)
{
    const RefusalCase &c = GetParam();
    RenumberState state;
    state.hasLockedDocument = c.locked;
    state.beforeClosingDate = c.closing;
    state.inFiledVatPeriod = c.vat;
    state.hasEetDocument = c.eet;
    EXPECT_EQ(RenumberBlockingChecks::refuseWriteBack(state), c.text ? -1 : 0);
    EXPECT_EQ(scriptedUi().messageTexts(), c.text ? QStringList({QString::fromUtf16(c.text)}) : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusalTest,
    testing::Values(
        RefusalCase{"Nothing", false, false, false, false, nullptr},
        RefusalCase{"ClosingBeforeVat", false, true, true, true,
                    u"Datum účetního případu uvedené na některém dokladě je nižší než datum poslední závěrky - "
                    u"\"ostré\" přečíslování v Ledra proto není možné\r\rUkončete tento doplněk a dočasně upravte "
                    u"či vymažte datum poslední závěrky (Ledra/Možnosti a nastavení/Nastavení agendy)."},
        RefusalCase{"VatBeforeEet", false, false, true, true,
                    u"Datum plnění DPH uvedené na některém dokladě spadá do uzamčeného období DPH - \"ostré\" "
                    u"přečíslování v Ledra proto není možné\r\rUkončete tento doplněk a vymažte příslušné podání "
                    u"přiznání k DPH."},
        RefusalCase{"Eet", false, false, false, true,
                    u"Některý doklad spadá do režimu EET - \"ostré\" přečíslování v Ledra proto není možné."}),
    TestSupport::rowName);

} // namespace

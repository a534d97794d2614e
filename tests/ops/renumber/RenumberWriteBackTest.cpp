// The write-back of a renumbering into the host's tables: every table that
// repeats a document's number follows its own document (also when two
// documents exchange numbers), the stops and their protocol, the rows that
// need no writing, single-entry years, and a failure part-way.

#include "WriteBackFixture.h"

#include "app/core/RunSnapshot.h"
#include "common/TextFile.h"
#include "hostdb/SqliteTableBackend.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString kErrorLine =
    u"OPERACE VŠAK SKONČILA CHYBOVÝM STAVEM (je možné, že přečíslování neproběhlo ve všech databázích)"_s;
const QString kConfirmation =
    u"Opravdu chcete přečíslovat doklady v Ledra podle návrhu?\r\rVAROVÁNÍ: tato operace je nevratná!"_s;
const QString kFinished = u"Přečíslování bylo dokončeno - protokol v následujícím okně doporučujeme vytisknout."_s;

// What tells the modules apart in the host's records.
struct ModuleCase
{
    const char *name;
    RenumberModule module;
    QString dateField;   // the list's initial sort
    QString source;      // journal "Zdroj", address-book "TypDokl"
    QString paymentKind; // payment "TypeUDokl"
    QString logCode;     // action log "KodSezn"
    // After the run (cash documents change stock documents, internal ones the
    // second number field of the asset movements and the reserves):
    QStringList stockAfter;
    QStringList assetDokladAfter;
    QStringList assetZauctAfter;
    QStringList reservesAfter; // "Doklad" of REZTVORB, REZCERP, OPPTVORB, OPPCERP
    QString noticeGap;
};

class ModuleWriteBackTest : public WriteBackTest, public testing::WithParamInterface<ModuleCase>
{
protected:
    // Three documents: PD0002 comes first by date, then PD0001, then PD0005.
    // The proposal from 1 exchanges PD0001 and PD0002 and moves PD0005 to
    // PD0003. Every table that repeats a number holds records of all three,
    // and records that must stay: other kinds, other years, other companies,
    // numbers that differ in case where the host compares exactly.
    void buildCompany()
    {
        const ModuleCase &c = GetParam();
        const QString src = c.source;
        const QString pay = c.paymentKind;
        m_year.table(RenumberModules::tableName(c.module))
            .rows(u"Doklad | Cislo | DCislo | "_s + c.dateField +
                  u"\n PD0001 | 10 | 1 | 2018-01-02"
                  u"\n PD0002 | 11 | 2 | 2018-01-01"
                  u"\n PD0005 | 12 | 5 | 2018-01-03"_s);
        m_year.table(u"UCDENIK"_s)
            .rows(u"Cislo | Zdroj | ZRadek | Doklad\n"_s + u"1 | "_s + src + u" | 10 | PD0001\n"_s + u"2 | "_s + src +
                  u" | 11 | PD0002\n"_s + u"3 | "_s + src + u" | 10 | PD0001\n"_s + u"4 | BK | 10 | BK0001\n"_s +
                  u"5 | "_s + src + u" | 12 | PD0005"_s);
        m_year.table(u"UHRADY"_s)
            .rows(u"Poradi | TypeUDokl | CisloUDokl | URok | TypeHDokl | CisloHDokl | HRok\n"_s + u"1 | "_s + pay +
                  u" | 10 |      | FP | 100 |\n"_s + u"2 | "_s + pay + u" | 10 |      | FP | 101 |\n"_s + u"3 | "_s +
                  pay + u" | 12 |      | FV | 200 | 2017\n"_s + u"4 | "_s + pay + u" | 11 | 2017 | KP | 300 |\n"_s +
                  u"5 | "_s + pay + u" | 11 |      | KZ | 400 |\n"_s + u"6 | B | 10 |      | FP | 102 |"_s);
        m_year.table(u"PFAKTURY"_s)
            .rows("Doklad | Cislo | UDoklad\n FP01 | 100 | PD0001\n FP02 | 101 | pd0001\n"
                  " FP03 | 102 | BV0001");
        m_year.table(u"VFAKTURY"_s).rows("Doklad | Cislo | UDoklad\n FV18 | 200 | PD0005");
        m_agenda.year(u"2017"_s).yearName(u"2017"_s).doubleEntry(true);
        m_agenda.year(u"2017"_s).table(u"VFAKTURY"_s).rows("Doklad | Cislo | UDoklad\n FV17 | 200 | PD0005");
        m_year.table(u"KNIHPOHL"_s).rows("Doklad | Cislo | UhDokl\n KP01 | 300 | PD0002");
        m_year.table(u"KNIHZAV"_s).rows("Doklad | Cislo | UhDokl\n KZ01 | 400 | PD0002");
        m_year.table(u"SKSEZDOK"_s).rows("CisloDokla | CPoklDok\n SK0001 | pd0005\n SK0002 |\n SK0003 | PD0002");
        m_agenda.table(u"MJINVPOH"_s).rows("Doklad | ZauctDokla\n PD0002 | ZZ0001\n XX0001 | pd0001\n PD0005 | PD0001");
        m_agenda.table(u"REZTVORB"_s).rows("Doklad\n PD0005");
        m_agenda.table(u"REZCERP"_s).rows("Doklad\n PD0001");
        m_agenda.table(u"OPPTVORB"_s).rows("Doklad\n PD0002");
        m_agenda.table(u"OPPCERP"_s).rows("Doklad\n XX0005");
        m_agenda.table(u"ADAKCE"_s)
            .rows(u"TypDokl | Rok | Doklad | Popis\n"_s + u"FV | 2018 | PD0001 | faktura PD0001\n"_s + src +
                  u" | 2018 | PD0001 | k dokladu pd0001 a PD0001\n"_s + src + u" | 2017 | PD0001 | loni PD0001\n"_s +
                  src + u" | 2018 | PD0002 | druhý PD0002"_s);
        m_tree.table(u"GLAKCE"_s)
            .rows(u"Agenda | Rok | KodSezn | DoklZkrat | Cislo\n"_s + u"001 | 2018 | "_s + c.logCode +
                  u" | PD0001 | 1\n"_s + u"001 | 2018 | "_s + c.logCode + u" | PD0001 | 2\n"_s + u"002 | 2018 | "_s +
                  c.logCode + u" | PD0001 | 3\n"_s + u"001 | 2017 | "_s + c.logCode + u" | PD0001 | 4\n"_s +
                  u"001 | 2018 | FV | PD0001 | 5\n"_s + u"001 | 2018 | "_s + c.logCode + u" | PD0002 | 6\n"_s +
                  u"001 | 2018 | "_s + c.logCode + u" | PD0005 | 7"_s);
        loadYears();
    }

    QString year(const QString &table) const { return m_context.yearDir + table; }
    QString agenda(const QString &table) const { return m_context.agendaDir + table; }
};

TEST_P(ModuleWriteBackTest, EveryRecordFollowsItsOwnDocument)
{
    const ModuleCase &c = GetParam();
    buildCompany();
    propose({"PD0001", "PD0002", "PD0003"}, c.module);
    ASSERT_EQ(renumber(), 0);

    // The documents, with their series and counter.
    const QString documents = year(RenumberModules::tableName(c.module));
    EXPECT_EQ(values(documents, u"Doklad"_s), (QStringList{u"PD0002"_s, u"PD0001"_s, u"PD0003"_s}));
    EXPECT_EQ(values(documents, u"DRada"_s), (QStringList{u"PD"_s, u"PD"_s, u"PD"_s}));
    EXPECT_EQ(values(documents, u"DCislo"_s), (QStringList{u"2"_s, u"1"_s, u"3"_s}));
    // Journal lines by their document's line number; another module's line
    // with the same line number stays.
    EXPECT_EQ(values(year(u"UCDENIK"_s), u"Doklad"_s),
              (QStringList{u"PD0002"_s, u"PD0001"_s, u"PD0002"_s, u"BK0001"_s, u"PD0003"_s}));
    // Paid documents: this year's and last year's by the payment's year; a
    // link that differs in case, a payment by another year's document and a
    // bank document's payment are not followed.
    EXPECT_EQ(values(year(u"PFAKTURY"_s), u"UDoklad"_s), (QStringList{u"PD0002"_s, u"pd0001"_s, u"BV0001"_s}));
    EXPECT_EQ(values(year(u"VFAKTURY"_s), u"UDoklad"_s), QStringList{u"PD0005"_s});
    EXPECT_EQ(values(m_agenda.year(u"2017"_s).dir() + u"VFAKTURY"_s, u"UDoklad"_s), QStringList{u"PD0003"_s});
    EXPECT_EQ(values(year(u"KNIHPOHL"_s), u"UhDokl"_s), QStringList{u"PD0002"_s});
    EXPECT_EQ(values(year(u"KNIHZAV"_s), u"UhDokl"_s), QStringList{u"PD0001"_s});
    // Numbers repeated without a link: compared without regard to case.
    EXPECT_EQ(values(year(u"SKSEZDOK"_s), u"CPoklDok"_s), c.stockAfter);
    EXPECT_EQ(values(agenda(u"MJINVPOH"_s), u"Doklad"_s), c.assetDokladAfter);
    EXPECT_EQ(values(agenda(u"MJINVPOH"_s), u"ZauctDokla"_s), c.assetZauctAfter);
    QStringList reserves;
    for (const QString &table : {u"REZTVORB"_s, u"REZCERP"_s, u"OPPTVORB"_s, u"OPPCERP"_s})
        reserves += values(agenda(table), u"Doklad"_s);
    EXPECT_EQ(reserves, c.reservesAfter);
    // Address-book actions of this year's documents of the module, the
    // mention in the description whatever its case.
    EXPECT_EQ(values(agenda(u"ADAKCE"_s), u"Doklad"_s),
              (QStringList{u"PD0001"_s, u"PD0002"_s, u"PD0001"_s, u"PD0001"_s}));
    EXPECT_EQ(values(agenda(u"ADAKCE"_s), u"Popis"_s),
              (QStringList{u"faktura PD0001"_s, u"k dokladu PD0002 a PD0002"_s, u"loni PD0001"_s, u"druhý PD0001"_s}));
    // The action log of this company's year and module only.
    EXPECT_EQ(values(m_tree.dataRoot() + u"GLAKCE"_s, u"DoklZkrat"_s),
              (QStringList{u"PD0002"_s, u"PD0002"_s, u"PD0001"_s, u"PD0001"_s, u"PD0001"_s, u"PD0001"_s, u"PD0003"_s}));

    // The list: written rows hold the host's new numbers; no proposal stands.
    EXPECT_EQ(column(u"DokladPuv"_s), (QStringList{u"PD0001"_s, u"PD0002"_s, u"PD0003"_s}));
    EXPECT_EQ(column(u"SufixPuv"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(column(u"Nove"_s), (QStringList{u"false"_s, u"false"_s, u"false"_s}));
    EXPECT_FALSE(m_state.proposalExists);
    EXPECT_EQ(m_state.renumberedCount, 3);
    EXPECT_FALSE(m_progress.working);
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList());

    // The protocol: the head, one line per document in the list's order,
    // the count; saved in Windows-1250 and shown.
    const QStringList lines = m_session.protocol().lines();
    ASSERT_GE(lines.size(), 11);
    EXPECT_EQ(lines.at(0), u"Agenda: Demo s.r.o."_s);
    EXPECT_EQ(lines.at(1), u"Rok: 2018"_s);
    EXPECT_TRUE(lines.at(2).startsWith(u"Datum: "_s) && lines.at(2).endsWith(u" hod."_s)) << lines.at(2).toStdString();
    EXPECT_EQ(lines.at(4), u"PŘEČTĚTE SI PROSÍM POZORNĚ TENTO TEXT:"_s);
    EXPECT_TRUE(lines.at(6).contains(u"Číselné řady,"_s + c.noticeGap + u"vyberte"_s)) << lines.at(6).toStdString();
    EXPECT_EQ(lines.at(8), u"Prefix PD pokladní doklady - seznam přečíslovaných dokladů:"_s);
    EXPECT_EQ(lines.at(10), u"(původní číslo >> nové číslo)"_s);
    EXPECT_EQ(protocolBody(), (QStringList{u"PD0002 >> PD0001"_s, u"PD0001 >> PD0002"_s, u"PD0005 >> PD0003"_s,
                                           QString(), u"Celkem přečíslováno dokladů: 3"_s}));
    EXPECT_EQ(protocolFile(), lines);
    QFile file(RenumberWriteBack::protocolFileName(m_context.settingsDir));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("\r\n\x95 pokud")) << "the bullet in Windows-1250, lines ending CR LF";
    ASSERT_EQ(m_shownProtocols.size(), 1);
    EXPECT_EQ(m_shownProtocols.at(0), lines);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Warning, kConfirmation}, {MessageKind::Information, kFinished}}));
    EXPECT_EQ(scriptedUi().messages().at(0).buttons, MessageButtons::YesNoDefaultNo) << "Enter must not write back";
}

INSTANTIATE_TEST_SUITE_P(Modules, ModuleWriteBackTest,
                         testing::Values(ModuleCase{"CashDocuments",
                                                    RenumberModule::Cash,
                                                    u"DatVyst"_s,
                                                    u"PK"_s,
                                                    u"P"_s,
                                                    u"UP"_s,
                                                    {u"PD0003"_s, QString(), u"PD0001"_s},
                                                    {u"PD0001"_s, u"XX0001"_s, u"PD0003"_s},
                                                    {u"ZZ0001"_s, u"pd0001"_s, u"PD0001"_s},
                                                    {u"PD0005"_s, u"PD0001"_s, u"PD0002"_s, u"XX0005"_s},
                                                    u"  "_s},
                                         ModuleCase{"InternalDocuments",
                                                    RenumberModule::Internal,
                                                    u"DatUcPr"_s,
                                                    u"ID"_s,
                                                    u"I"_s,
                                                    u"UI"_s,
                                                    {u"pd0005"_s, QString(), u"PD0002"_s},
                                                    {u"PD0001"_s, u"XX0001"_s, u"PD0003"_s},
                                                    {u"ZZ0001"_s, u"PD0002"_s, u"PD0002"_s},
                                                    {u"PD0003"_s, u"PD0002"_s, u"PD0001"_s, u"XX0005"_s},
                                                    u" "_s}),
                         TestSupport::rowName);

// ---- Rows that need no writing ---------------------------------------------------

struct NoWriteCase
{
    const char *name;
    std::vector<const char *> proposal;
    QStringList documentsAfter;
    QStringList journalAfter;
    QStringList body; // the protocol after its head
    QStringList noveAfter;
};

class RowsThatNeedNoWritingTest : public WriteBackTest, public testing::WithParamInterface<NoWriteCase>
{
};

// A row whose number already stands in the host is neither written nor
// counted nor listed, and stays proposed; a run that writes nothing still
// succeeds and ends its protocol with the count 0.
TEST_P(RowsThatNeedNoWritingTest, AreLeftAsTheyAre)
{
    documents("Doklad | Cislo | DCislo | DatVyst\n PD0001 | 1 | 1 | 2018-01-01\n PD0002 | 2 | 2 | 2018-01-02");
    m_year.table(u"UCDENIK"_s).rows("Cislo | Zdroj | ZRadek | Doklad\n 1 | PK | 1 | PD0001\n 2 | PK | 2 | PD0002");
    m_year.table(u"UHRADY"_s);
    m_year.table(u"SKSEZDOK"_s);
    m_agenda.table(u"MJINVPOH"_s);
    m_agenda.table(u"ADAKCE"_s);
    m_tree.table(u"GLAKCE"_s);
    propose(GetParam().proposal);
    ASSERT_EQ(renumber(), 0);
    EXPECT_EQ(values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s), GetParam().documentsAfter);
    EXPECT_EQ(values(m_context.yearDir + u"UCDENIK"_s, u"Doklad"_s), GetParam().journalAfter);
    EXPECT_EQ(protocolBody(), GetParam().body);
    EXPECT_EQ(column(u"Nove"_s), GetParam().noveAfter);
    EXPECT_FALSE(m_state.proposalExists);
    EXPECT_EQ(m_shownProtocols.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, RowsThatNeedNoWritingTest,
                         testing::Values(NoWriteCase{"EveryRowBearsItsNumber",
                                                     {"PD0001", "PD0002"},
                                                     {u"PD0001"_s, u"PD0002"_s},
                                                     {u"PD0001"_s, u"PD0002"_s},
                                                     {QString(), u"Celkem přečíslováno dokladů: 0"_s},
                                                     {u"true"_s, u"true"_s}},
                                         NoWriteCase{
                                             "TheFirstRowBearsItsNumber",
                                             {"PD0001", "PD0003"},
                                             {u"PD0001"_s, u"PD0003"_s},
                                             {u"PD0001"_s, u"PD0003"_s},
                                             {u"PD0002 >> PD0003"_s, QString(), u"Celkem přečíslováno dokladů: 1"_s},
                                             {u"true"_s, u"false"_s}}),
                         TestSupport::rowName);

// ---- Single-entry years -------------------------------------------------------------

struct SingleEntryCase
{
    const char *name;
    RenumberModule module;
    const char *documents;
    QString source;
    QStringList cashJournalAfter; // UCPENDEN
};

class SingleEntryYearTest : public WriteBackTest, public testing::WithParamInterface<SingleEntryCase>
{
};

// Cash documents renumber their lines of the cash journal; internal
// documents have no journal there (UCPENDEN is not opened, not even when a
// file of that name holds lines of their kind). The accounting journal of
// the year is never touched.
TEST_P(SingleEntryYearTest, TheJournalIsTheCashJournalOrNone)
{
    const SingleEntryCase &c = GetParam();
    m_year.doubleEntry(false);
    m_state.module = c.module;
    documents(c.documents, c.module);
    m_year.table(u"UCPENDEN"_s).rows(u"Cislo | Zdroj | ZRadek | Doklad\n 1 | "_s + c.source + u" | 1 | PD0001"_s);
    m_year.table(u"UCDENIK"_s).rows(u"Cislo | Zdroj | ZRadek | Doklad\n 1 | "_s + c.source + u" | 1 | PD0001"_s);
    m_year.table(u"UHRADY"_s);
    m_year.table(u"SKSEZDOK"_s);
    for (const QString &table : {u"MJINVPOH"_s, u"REZTVORB"_s, u"REZCERP"_s, u"OPPTVORB"_s, u"OPPCERP"_s, u"ADAKCE"_s})
        m_agenda.table(table);
    m_tree.table(u"GLAKCE"_s);
    propose({"PD0007"}, c.module);
    ASSERT_EQ(renumber(), 0);
    EXPECT_EQ(values(m_context.yearDir + RenumberModules::tableName(c.module), u"Doklad"_s), QStringList{u"PD0007"_s});
    EXPECT_EQ(values(m_context.yearDir + u"UCPENDEN"_s, u"Doklad"_s), c.cashJournalAfter);
    EXPECT_EQ(values(m_context.yearDir + u"UCDENIK"_s, u"Doklad"_s), QStringList{u"PD0001"_s});
}

INSTANTIATE_TEST_SUITE_P(Modules, SingleEntryYearTest,
                         testing::Values(SingleEntryCase{"CashDocuments", RenumberModule::Cash,
                                                         "Doklad | Cislo | DatVyst\n PD0001 | 1 | 2018-01-01", u"PK"_s,
                                                         QStringList{u"PD0007"_s}},
                                         SingleEntryCase{"InternalDocuments", RenumberModule::Internal,
                                                         "Doklad | Cislo | DatUcPr\n PD0001 | 1 | 2018-01-01", u"ID"_s,
                                                         QStringList{u"PD0001"_s}}),
                         TestSupport::rowName);

// ---- Stops -------------------------------------------------------------------------------

// The host's engine with the n-th post into the document table failing, as
// a full disk or a broken connection would make it fail.
class FailingPostBackend final : public HostTableBackend
{
public:
    static inline int failAt = 0;
    static inline int documentPosts = 0;

    int Open(const QString &fileName) override
    {
        m_documents = fileName.endsWith(u"POKLKNIH.DAT"_s, Qt::CaseInsensitive);
        return m_engine.Open(fileName);
    }
    void Close() override { m_engine.Close(); }
    int RecordCount() override { return m_engine.RecordCount(); }
    void GoTop() override { m_engine.GoTop(); }
    void GoBottom() override { m_engine.GoBottom(); }
    int Skip() override { return m_engine.Skip(); }
    int GoTo(int recNo) override { return m_engine.GoTo(recNo); }
    int RecNo() override { return m_engine.RecNo(); }
    bool Eof() override { return m_engine.Eof(); }
    QVariant Value(const QString &field) override { return m_engine.Value(field); }
    void SetValue(const QString &field, const QVariant &value) override { m_engine.SetValue(field, value); }
    int Seek(const QVariant &key) override { return m_engine.Seek(key); }
    int SeekKeys(const QVariantList &keys) override { return m_engine.SeekKeys(keys); }
    int Seek2(const QVariant &key1, const QVariant &key2) override { return m_engine.Seek2(key1, key2); }
    int AddNew() override { return m_engine.AddNew(); }
    int IsLocked() override { return m_engine.IsLocked(); }
    int Lock() override { return m_engine.Lock(); }
    int Post() override
    {
        if (m_documents && ++documentPosts == failAt)
            return HostResult::Failed;
        return m_engine.Post();
    }
    int Delete() override { return m_engine.Delete(); }
    int SetIndex(const QString &expression) override { return m_engine.SetIndex(expression); }

private:
    SqliteTableBackend m_engine;
    bool m_documents = false;
};

class WriteBackStopTest : public WriteBackTest
{
protected:
    // Five documents in date order, each with a journal line; the first paid
    // an invoice and has an address-book action and a log record.
    void fiveDocuments()
    {
        documents("Doklad | Cislo | DatVyst\n PD0001 | 1 | 2018-01-01\n PD0002 | 2 | 2018-01-02\n"
                  " PD0003 | 3 | 2018-01-03\n PD0004 | 4 | 2018-01-04\n PD0005 | 5 | 2018-01-05");
        m_year.table(u"UCDENIK"_s)
            .rows("Cislo | Zdroj | ZRadek | Doklad\n 1 | PK | 1 | PD0001\n 2 | PK | 2 | PD0002\n"
                  " 3 | PK | 3 | PD0003\n 4 | PK | 4 | PD0004\n 5 | PK | 5 | PD0005");
        m_year.table(u"UHRADY"_s).rows("TypeUDokl | CisloUDokl | TypeHDokl | CisloHDokl\n P | 1 | FP | 100");
        m_year.table(u"PFAKTURY"_s).rows("Doklad | Cislo | UDoklad\n FP01 | 100 | PD0001");
        m_year.table(u"SKSEZDOK"_s).rows("CisloDokla | CPoklDok\n SK01 | PD0001");
        m_agenda.table(u"MJINVPOH"_s).rows("Doklad\n PD0001");
        m_agenda.table(u"ADAKCE"_s).rows("TypDokl | Rok | Doklad\n PK | 2018 | PD0001");
        m_tree.table(u"GLAKCE"_s).rows("Agenda | Rok | KodSezn | DoklZkrat\n 001 | 2018 | UP | PD0001");
    }
    void proposeFive() { propose({"PD0011", "PD0012", "PD0013", "PD0014", "PD0015"}); }
    QStringList dependants() { return values(m_context.yearDir + u"PFAKTURY"_s, u"UDoklad"_s) + laterSteps(); }
    // What the steps after the paid documents write.
    QStringList laterSteps()
    {
        return values(m_context.yearDir + u"SKSEZDOK"_s, u"CPoklDok"_s) +
               values(m_context.agendaDir + u"MJINVPOH"_s, u"Doklad"_s) +
               values(m_context.agendaDir + u"ADAKCE"_s, u"Doklad"_s) +
               values(m_tree.dataRoot() + u"GLAKCE"_s, u"DoklZkrat"_s);
    }
    ~WriteBackStopTest() override { HostEngine::setFactory(nullptr); }
};

// The third of five documents cannot be posted: two documents and their
// journal lines carry the new numbers, nothing else does; the protocol lists
// the third (its line comes before its post) and ends with the error line.
// The proposal stands for the rows not written.
TEST_F(WriteBackStopTest, AFailedPostAtTheThirdDocumentStopsThere)
{
    fiveDocuments();
    // The engine chosen before the proposal and the write-back open their tables.
    FailingPostBackend::failAt = 3;
    FailingPostBackend::documentPosts = 0;
    HostEngine::setFactory(
        []() -> std::unique_ptr<HostTableBackend> { return std::make_unique<FailingPostBackend>(); });
    proposeFive();
    EXPECT_EQ(renumber(), -1);
    HostEngine::setFactory(nullptr);

    EXPECT_EQ(values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s),
              (QStringList{u"PD0011"_s, u"PD0012"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s}));
    EXPECT_EQ(values(m_context.yearDir + u"UCDENIK"_s, u"Doklad"_s),
              (QStringList{u"PD0011"_s, u"PD0012"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s}));
    EXPECT_EQ(dependants(), QStringList(5, u"PD0001"_s));
    EXPECT_EQ(protocolBody(), (QStringList{u"PD0001 >> PD0011"_s, u"PD0002 >> PD0012"_s, u"PD0003 >> PD0013"_s,
                                           QString(), u"Celkem přečíslováno dokladů: 2"_s, kErrorLine}));
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Warning, kConfirmation},
                                    {MessageKind::Error, u"Nastala chyba při ukládání záznamu v databázi POKLKNIH"_s},
                                    {MessageKind::Information, kFinished}}));
    EXPECT_EQ(column(u"Nove"_s), (QStringList{u"false"_s, u"false"_s, u"true"_s, u"true"_s, u"true"_s}));
    EXPECT_EQ(column(u"DokladPuv"_s), (QStringList{u"PD0011"_s, u"PD0012"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s}));
    EXPECT_TRUE(m_state.proposalExists);
    EXPECT_EQ(protocolFile(), m_session.protocol().lines());
    EXPECT_EQ(m_shownProtocols.size(), 1);
    EXPECT_FALSE(m_progress.working);
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList());

    // "Přečíslovat" again writes the rows still proposed; its protocol file
    // replaces the first.
    ASSERT_EQ(renumber(), 0);
    EXPECT_EQ(values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s),
              (QStringList{u"PD0011"_s, u"PD0012"_s, u"PD0013"_s, u"PD0014"_s, u"PD0015"_s}));
    EXPECT_EQ(protocolBody(), (QStringList{u"PD0003 >> PD0013"_s, u"PD0004 >> PD0014"_s, u"PD0005 >> PD0015"_s,
                                           QString(), u"Celkem přečíslováno dokladů: 3"_s}));
    EXPECT_EQ(protocolFile(), m_session.protocol().lines());
}

struct StopCase
{
    const char *name;
    std::function<void(AgendaBuilder &)> breakIt; // after the list was loaded
    std::function<QString(const RunContext &)> error;
    QStringList documentsAfter;
    QStringList body;
};

class WriteBackStopCaseTest : public WriteBackStopTest, public testing::WithParamInterface<StopCase>
{
};

// A table that does not open stops the run at its step: the protocol has
// the lines written so far, the count and the error line; later steps touch
// nothing.
TEST_P(WriteBackStopCaseTest, StopsAtTheFailingTable)
{
    fiveDocuments();
    propose({"PD0011", "PD0002", "PD0003", "PD0004", "PD0005"});
    GetParam().breakIt(m_agenda);
    EXPECT_EQ(renumber(), -1);
    EXPECT_EQ(values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s), GetParam().documentsAfter);
    EXPECT_EQ(laterSteps(), QStringList(4, u"PD0001"_s));
    QStringList body = GetParam().body;
    const QString count = u"Celkem přečíslováno dokladů: "_s + QString::number(body.size());
    body << QString() << count << kErrorLine;
    EXPECT_EQ(protocolBody(), body);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Warning, kConfirmation},
                                    {MessageKind::Error, GetParam().error(m_context)},
                                    {MessageKind::Information, kFinished}}));
    EXPECT_EQ(m_shownProtocols.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, WriteBackStopCaseTest,
    testing::Values(StopCase{"PaymentsBeforeAnyDocument",
                             [](AgendaBuilder &agenda) {
                                 ASSERT_TRUE(QFile::remove(agenda.year(u"2018"_s).dir() + u"UHRADY.DAT"_s));
                             },
                             [](const RunContext &c) -> QString {
                                 return u"Nastala chyba při otevírání databáze "_s + c.yearDir + u"UHRADY.DAT"_s;
                             },
                             {u"PD0001"_s, u"PD0002"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s},
                             {}},
                    StopCase{"PaidInvoicesAfterTheDocuments",
                             [](AgendaBuilder &agenda) {
                                 ASSERT_TRUE(QFile::remove(agenda.year(u"2018"_s).dir() + u"PFAKTURY.DAT"_s));
                             },
                             [](const RunContext &c) -> QString {
                                 return u"Nastala chyba při otevírání databáze "_s + c.agendaDir +
                                        u"ROK.2018/PFAKTURY.DAT"_s;
                             },
                             {u"PD0011"_s, u"PD0002"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s},
                             {u"PD0001 >> PD0011"_s}},
                    StopCase{"DocumentNotFound",
                             [](AgendaBuilder &agenda) {
                                 TBFTable documents;
                                 ASSERT_EQ(documents.Open(agenda.year(u"2018"_s).dir() + u"POKLKNIH"_s),
                                           HostResult::Ok);
                                 ASSERT_EQ(documents.GoTo(1), HostResult::Ok);
                                 ASSERT_GE(documents.Delete(), 0);
                             },
                             [](const RunContext &) -> QString { return u"Nastala chyba: nenalezen rekord číslo 1"_s; },
                             {u"PD0002"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s},
                             {}}),
    TestSupport::rowName);

// Without the snapshot before its first write the run does not start: the
// error says that nothing was changed and why, no "finished" message, and
// the last run's protocol file is not replaced by one without the reason.
TEST_F(WriteBackStopTest, ASnapshotThatCannotBeTakenChangesNothingAndSaysWhy)
{
    fiveDocuments();
    proposeFive();
    const QStringList earlier{u"protokol minulého běhu"_s};
    ASSERT_TRUE(TextFile::writeLines(RenumberWriteBack::protocolFileName(m_context.settingsDir), earlier));
    // A file where the snapshots' folder would be created.
    const QString snapshotsRoot = RunSnapshot::snapshotsRoot(m_context);
    QDir().mkpath(QFileInfo(snapshotsRoot).absolutePath());
    QFile blocker(snapshotsRoot);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    EXPECT_EQ(renumber(), -1);
    EXPECT_EQ(values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s),
              (QStringList{u"PD0001"_s, u"PD0002"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s}));
    EXPECT_EQ(dependants(), QStringList(5, u"PD0001"_s));
    const QList<ScriptedUi::Message> &messages = scriptedUi().messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages.at(1).kind, MessageKind::Error);
    EXPECT_TRUE(messages.at(1).text.startsWith(u"Před zahájením změn se nepodařilo pořídit zálohu dotčených tabulek, "
                                               u"operace proto nebyla spuštěna a žádná data nebyla změněna."_s))
        << messages.at(1).text.toStdString();
    EXPECT_EQ(protocolFile(), earlier);
    EXPECT_TRUE(m_shownProtocols.isEmpty());
    EXPECT_TRUE(m_state.proposalExists);
}

// A record the run cannot read because the proposal was undone meanwhile
// is no case here: "Přečíslovat" refuses while a blocking flag stands, and
// asks before writing.
TEST_F(WriteBackStopTest, RefusedOrNotConfirmedWritesNothing)
{
    fiveDocuments();
    proposeFive();
    m_state.hasEetDocument = true;
    EXPECT_EQ(m_writeBack.renumber(m_view, u"Prefix PD pokladní doklady"_s), -1);
    m_state.hasEetDocument = false;
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(m_writeBack.renumber(m_view, u"Prefix PD pokladní doklady"_s), -1);
    EXPECT_EQ(values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s),
              (QStringList{u"PD0001"_s, u"PD0002"_s, u"PD0003"_s, u"PD0004"_s, u"PD0005"_s}));
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning,
          u"Některý doklad spadá do režimu EET - \"ostré\" přečíslování v Ledra proto není možné."_s},
         {MessageKind::Warning, kConfirmation}}));
    EXPECT_TRUE(m_shownProtocols.isEmpty());
    EXPECT_TRUE(m_state.proposalExists);
}

} // namespace

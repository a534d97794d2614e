// A record another process holds keeps the write-back waiting: the warning
// names the record and comes again after every OK while the record is held;
// nothing is written meanwhile, and the run goes on and completes once the
// record is free.

#include "WriteBackFixture.h"

#include "support/RecordHolder.h"
#include "support/TestSupport.h"
#include "support/WarningHookUi.h"

using namespace Qt::StringLiterals;

namespace {

const QString kWaitText =
    u" je právě editován jiným uživatelem. Počkejte na uvolnění a pokračujte tlačítkem [OK].\r\rPoznámka: "
    u"jestliže jsou Ledra spuštěné pouze na vašem počítači a přesto se zobrazuje toto hlášení, pravděpodobně po "
    u"editaci dokladu nedošlo ke korektnímu uvolnění zámku v databázi.\r\rŘešení: kombinací Alt+Tab se přepněte "
    u"zpět do programu Ledra a aktivujte jiný seznam, než je právě přečíslovávaný modul (můžete místo seznamu "
    u"dokladů aktivovat libovolný modul, do kterého máte přístupová práva, např. Adresář firem, apod.). Poté se "
    u"opět kombinací Alt+Tab vraťte do tohoto doplňku a pokračujte tlačítkem [OK]."_s;

struct HeldCase
{
    const char *name;
    QString table;
    int recNo;
    QString leadText;
    QString (*dir)(const RunContext &) = [](const RunContext &context) { return context.yearDir; };
};

QString agendaDir(const RunContext &context)
{
    return context.agendaDir;
}

QString dataRoot(const RunContext &context)
{
    return context.dataRoot;
}

class WriteBackLockTest : public WriteBackTest, public testing::WithParamInterface<HeldCase>
{
protected:
    WriteBackLockTest() { UiSeam::setCurrent(&m_ui); }
    ~WriteBackLockTest() override { UiSeam::setCurrent(&scriptedUi()); }

    // Every number the run writes, table by table.
    QStringList numbers()
    {
        return values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s) +
               values(m_context.yearDir + u"UCDENIK"_s, u"Doklad"_s) +
               values(m_context.yearDir + u"PFAKTURY"_s, u"UDoklad"_s) +
               values(m_context.yearDir + u"SKSEZDOK"_s, u"CPoklDok"_s) +
               values(m_context.agendaDir + u"MJINVPOH"_s, u"Doklad"_s) +
               values(m_context.agendaDir + u"ADAKCE"_s, u"Doklad"_s) +
               values(m_tree.dataRoot() + u"GLAKCE"_s, u"DoklZkrat"_s);
    }

    WarningHookUi m_ui;
    RecordHolder m_holder{QString::fromUtf8(TARNEK_TABLE_TOOL)};
};

TEST_P(WriteBackLockTest, WaitsUntilTheRecordIsFreeAndLosesNothing)
{
    documents("Doklad | Cislo | DatVyst\n PD0001 | 1 | 2018-01-01\n PD0002 | 2 | 2018-01-02");
    m_year.table(u"UCDENIK"_s).rows("Cislo | Zdroj | ZRadek | Doklad\n 1 | PK | 1 | PD0001\n 2 | PK | 2 | PD0002");
    m_year.table(u"UHRADY"_s).rows("TypeUDokl | CisloUDokl | TypeHDokl | CisloHDokl\n P | 2 | FP | 100");
    m_year.table(u"PFAKTURY"_s).rows("Doklad | Cislo | UDoklad\n FP0001 | 100 | PD0002");
    m_year.table(u"SKSEZDOK"_s).rows("CisloDokla | CPoklDok\n SK0001 | PD0002");
    m_agenda.table(u"MJINVPOH"_s).rows("Doklad\n PD0002");
    m_agenda.table(u"ADAKCE"_s).rows("TypDokl | Rok | Doklad\n PK | 2018 | PD0002");
    m_tree.table(u"GLAKCE"_s).rows("Agenda | Rok | KodSezn | DoklZkrat\n 001 | 2018 | UP | PD0002");
    propose({"PD0011", "PD0012"});

    m_holder.hold(GetParam().dir(m_context) + GetParam().table, GetParam().recNo);
    QStringList whileWaiting;
    int warnings = 0;
    m_ui.onWarning = [&](const QString &) {
        ++warnings;
        if (warnings == 2) { // the first wait warning (the first is the confirmation)
            whileWaiting = numbers();
        } else if (warnings == 3) {
            EXPECT_EQ(numbers(), whileWaiting) << "something was written while the run waited";
            m_holder.release();
        }
    };
    scriptedUi().answer(MessageAnswer::Yes);
    ASSERT_EQ(m_writeBack.renumber(m_view, u"Prefix PD pokladní doklady"_s), 0);

    // The confirmation is the first warning; then the wait warning twice
    // until the record was released after the second OK.
    EXPECT_EQ(warnings, 3);
    const QString waitWarning = GetParam().leadText + kWaitText;
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning,
          u"Opravdu chcete přečíslovat doklady v Ledra podle návrhu?\r\rVAROVÁNÍ: tato operace je nevratná!"_s},
         {MessageKind::Warning, waitWarning},
         {MessageKind::Warning, waitWarning},
         {MessageKind::Information,
          u"Přečíslování bylo dokončeno - protokol v následujícím okně doporučujeme vytisknout."_s}}));
    EXPECT_EQ(numbers(), (QStringList{u"PD0011"_s, u"PD0012"_s, u"PD0011"_s, u"PD0012"_s, u"PD0012"_s, u"PD0012"_s,
                                      u"PD0012"_s, u"PD0012"_s, u"PD0012"_s}));
    EXPECT_EQ(m_state.renumberedCount, 2);
}

INSTANTIATE_TEST_SUITE_P(Records, WriteBackLockTest,
                         testing::Values(HeldCase{"Document", u"POKLKNIH"_s, 2, u"Doklad PD0002"_s},
                                         HeldCase{"JournalLine", u"UCDENIK"_s, 2,
                                                  u"Řádek v peněžním/účetním deníku 2"_s},
                                         HeldCase{"PaidInvoice", u"PFAKTURY"_s, 1, u"Doklad FP0001"_s},
                                         HeldCase{"StockDocument", u"SKSEZDOK"_s, 1, u"Doklad SK0001"_s},
                                         // The tables that repeat the number without a lock of their
                                         // own in the host are waited for all the same.
                                         HeldCase{"AssetMovement", u"MJINVPOH"_s, 1, u"Doklad PD0002"_s, agendaDir},
                                         HeldCase{"AddressAction", u"ADAKCE"_s, 1, u"Doklad PD0002"_s, agendaDir},
                                         HeldCase{"ActionLog", u"GLAKCE"_s, 1, u"Doklad PD0002"_s, dataRoot}),
                         TestSupport::rowName);

} // namespace

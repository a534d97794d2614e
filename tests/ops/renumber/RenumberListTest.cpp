// Loading the document list of a series, and the auxiliary order that stands
// in for sorting by the document number.

#include "RenumberFixture.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

using RenumberListTest = RenumberTest;

TEST_F(RenumberListTest, ListsTheSeriesByPrefixWithoutRegardToCase)
{
    documents(R"(
        Doklad | Cislo | DCislo | DatVyst    | DatUcPr    | Pokl | Vydej | Uzamceni | Del
        PP0001 | 1     | 1      | 2018-01-05 | 2018-01-06 | POK  | 0     | 0        | 0
        pp0002 | 2     | 2      | 2018-01-04 | 2018-01-04 | POK  | 1     | 1        | 0
        PPX01  | 3     | 1      | 2018-01-03 | 2018-01-03 | POK  | 0     | 0        | 0
               | 4     | 4      | 2018-01-02 | 2018-01-02 | POK  | 0     | 0        | 0
        PP0005 | 5     | 5      | 2018-01-01 | 2018-01-01 | POK  | 0     | 0        | 1
        VP0001 | 6     | 1      | 2018-01-01 | 2018-01-01 | POK  | 1     | 0        | 0
    )");
    ASSERT_EQ(load(u"PP"_s), 0);
    // Sorted by the date of issue: the empty number, the deleted document and
    // the other series are not listed.
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PPX01"_s, u"pp0002"_s, u"PP0001"_s}));
    EXPECT_EQ(column(u"DokladPuv"_s), column(u"Doklad"_s));
    EXPECT_EQ(column(u"RecNo"_s), QStringList({u"3"_s, u"2"_s, u"1"_s}));
    EXPECT_EQ(column(u"Sufix"_s), QStringList({u"1"_s, u"2"_s, u"1"_s}));
    EXPECT_EQ(column(u"Str30Free"_s), QStringList({u"Příjem"_s, u"Výdej"_s, u"Příjem"_s}));
    EXPECT_EQ(column(u"UcetPokl"_s), QStringList({u"POK"_s, u"POK"_s, u"POK"_s}));
    EXPECT_EQ(column(u"Nove"_s), QStringList({u"false"_s, u"false"_s, u"false"_s}));
    EXPECT_EQ(column(u"Uzamceni"_s), QStringList({u"false"_s, u"true"_s, u"false"_s}));
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList()); // closed again
}

TEST_F(RenumberListTest, AShorterSeriesListsTheLongerOnesToo)
{
    documents("Doklad|Cislo|DatVyst\nPP0001|1|2018-01-01\nP0002|2|2018-01-02\nVP0001|3|2018-01-03");
    ASSERT_EQ(load(u"P"_s), 0);
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PP0001"_s, u"P0002"_s}));
}

TEST_F(RenumberListTest, InternalDocumentsFillTheirFieldsOnly)
{
    documents("Doklad|Cislo|DCislo|DatUcPr|DatPln|Popis\nID0001|7|1|2018-02-01|2018-02-02|Odpisy",
              RenumberModule::Internal);
    ASSERT_EQ(load(u"ID"_s, RenumberModule::Internal), 0);
    EXPECT_EQ(column(u"Cislo"_s), QStringList({u"7"_s}));
    EXPECT_EQ(column(u"Popis"_s), QStringList({u"Odpisy"_s}));
    EXPECT_EQ(column(u"Str30Free"_s), QStringList({QString()}));
    EXPECT_EQ(m_progress.statuses, QStringList({u"Načítám interní doklady..."_s}));
}

TEST_F(RenumberListTest, ProgressEveryTenthListedDocument)
{
    auto table = m_year.table(u"POKLKNIH"_s);
    for (int n = 1; n <= 30; ++n) {
        // Every sixth record belongs to another series: the bar counts listed rows.
        const QString number = (n % 6 == 0 ? u"VP"_s : u"PD"_s) + QString::number(n).rightJustified(4, u'0');
        table.row({{"Doklad", number}, {"Cislo", n}, {"DatVyst", QDate(2018, 1, 1).addDays(n)}});
    }
    ASSERT_EQ(load(), 0);
    EXPECT_EQ(m_list.recordCount(), 25);
    // The bar counts in records of the table and moves at the 1st, 11th and
    // 21st listed document to the number listed before it.
    EXPECT_EQ(m_progress.maximum, 30);
    EXPECT_EQ(m_progress.position, 20);
    EXPECT_EQ(m_progress.statuses, QStringList({u"Načítám pokladní doklady..."_s}));
    EXPECT_FALSE(m_progress.progressVisible);
}

TEST_F(RenumberListTest, AnInterruptStopsAfterTheListedDocument)
{
    documents("Doklad|Cislo\nVP0001|1\nPD0001|2\nPD0002|3");
    m_session.interruptRequested = true;
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(m_list.recordCount(), 1);
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList());
    EXPECT_FALSE(m_progress.progressVisible);
}

TEST_F(RenumberListTest, AMissingTableIsReported)
{
    EXPECT_EQ(load(), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(scriptedUi().messages().at(0).text,
              u"Nastala chyba při otevírání databáze "_s + m_context.yearDir + u"POKLKNIH.DAT"_s);
}

TEST_F(RenumberListTest, AuxiliaryOrderFollowsTheCurrentOrder)
{
    documents("Doklad|Cislo|DatVyst\nPD0003|1|2018-01-01\nPD0001|2|2018-01-02\npd0002|3|2018-01-03");
    ASSERT_EQ(load(), 0);
    m_list.setSortFields(u"Doklad;RecNo"_s);
    numberAuxiliaryOrder(m_list, m_progress);
    m_list.setSortFields(u"XDoklad"_s);
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PD0001"_s, u"pd0002"_s, u"PD0003"_s}));
    EXPECT_EQ(column(u"XDoklad"_s), QStringList({u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(m_progress.workingTexts, QStringList({u"Změna třídění\rčekejte prosím..."_s}));
    EXPECT_FALSE(m_progress.working);
    EXPECT_EQ(sortFieldOf(m_list), u"XDoklad"_s);
}

} // namespace

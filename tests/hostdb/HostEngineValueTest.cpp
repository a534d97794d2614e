// Field names, value kinds, buffered writes, case-insensitive keys, the open
// flag and the engine's exception.

#include "hostdb/HostDbTestSupport.h"

#include "hostdb/HostCatalogue.h"
#include "hostdb/SqliteSupport.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

TEST_F(HostDbTest, CaseInsensitiveSeeksIgnoreTrailingBlanks)
{
    year().table(u"POKLKNIH"_s).rows(R"(
        Doklad
        pp0002
        PP0001
        čáp01
    )");
    auto table = open(u"POKLKNIH"_s, u"Doklad"_s);
    ASSERT_EQ(table->Seek(u"PP0002"_s), HostResult::Found);
    EXPECT_EQ(table->Value(u"Doklad"_s).toString(), u"pp0002"_s) << "stored as written";
    EXPECT_EQ(table->Seek(u"Pp0001   "_s), HostResult::Found);
    EXPECT_EQ(table->RecNo(), 2);
    EXPECT_EQ(table->Seek(u"ČÁP01"_s), HostResult::Found) << "Czech letters fold too";
    EXPECT_EQ(table->Seek(u"PP000"_s), HostResult::NotFound) << "a seek compares whole key parts";
    EXPECT_EQ(table->Seek(u" PP0001"_s), HostResult::NotFound) << "leading blanks count";
}

TEST_F(HostDbTest, IniTableFormSeek2MatchesSectionAndKeyWithoutCase)
{
    year().iniForm(IniForm::Table).yearName(u"2018"_s).doubleEntry(false);
    auto table = open(u"ROK"_s, u"Section1+Variable"_s);
    table->GoTop();
    ASSERT_EQ(table->Seek2(u"GLOBAL"_s, u"účetní rok"_s), HostResult::Found);
    EXPECT_EQ(table->Value(u"Value"_s).toString(), u"2018"_s);
    EXPECT_EQ(table->Seek2(u"Global"_s, u"Symbol měny"_s), HostResult::NotFound);
}

struct NameCase
{
    const char *name;
    QString table;
    QString field; // as the caller spells it
    QString defined;
};

class FieldNameTest : public HostDbTest, public testing::WithParamInterface<NameCase>
{
};

TEST_P(FieldNameTest, MatchesIgnoringCaseAndTrailingBlanks)
{
    const NameCase &c = GetParam();
    const HostTableDef &definition = HostCatalogue::table(c.table);
    year().table(definition).row({{c.defined, u"X"_s}});
    auto table = open(c.table);
    EXPECT_EQ(table->Value(c.field).toString(), u"X"_s);
    table->SetValue(c.field, u"Y"_s);
    ASSERT_EQ(table->Post(), HostResult::Ok);
    EXPECT_EQ(table->Value(c.defined).toString(), u"Y"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FieldNameTest,
    testing::Values(NameCase{"PaddedAsDefined", u"SKDOKTYP"_s, u"Zkratka   "_s, u"Zkratka   "_s},
                    NameCase{"PaddedDefinedPlainAsked", u"SKDOKTYP"_s, u"Zkratka"_s, u"Zkratka   "_s},
                    NameCase{"PaddedUpperCase", u"SKDOKTYP"_s, u"TYP       "_s, u"TYP       "_s},
                    NameCase{"LowerCase", u"POKLKNIH"_s, u"doklad"_s, u"Doklad"_s},
                    NameCase{"ExtraTrailingBlanks", u"POKLKNIH"_s, u"DOKLAD     "_s, u"Doklad"_s},
                    NameCase{"NameWithBlankAndDot", u"OBSEZOBJ"_s, u"druh DOKL."_s, u"Druh dokl."_s}),
    TestSupport::rowName);

TEST_F(HostDbTest, StockDateIsAskedForWithItsTrailingBlank)
{
    year().table(u"SKSEZDOK"_s).row({{"CisloDokla", "SP0001"}, {"Datum ", QDate(2018, 3, 5)}});
    auto table = open(u"SKSEZDOK"_s);
    EXPECT_EQ(table->Value(u"Datum "_s).toDateTime().date(), QDate(2018, 3, 5));
    EXPECT_EQ(table->Value(u"DATUM"_s).toDateTime().date(), QDate(2018, 3, 5));
}

TEST_F(HostDbTest, UnknownFieldRaisesTheEngineException)
{
    year().table(u"POKLKNIH"_s).row({{"Doklad", "PP0001"}});
    auto table = open(u"POKLKNIH"_s);
    try {
        table->Value(u"Dokl"_s);
        FAIL() << "no exception";
    } catch (const HostEngineError &error) {
        EXPECT_EQ(error.text(), u"Pole \"Dokl\" v tabulce POKLKNIH neexistuje. (%1)"_s.arg(table->fileName()));
    }
    EXPECT_THROW(table->SetValue(u" Doklad"_s, u"x"_s), HostEngineError) << "leading blanks are part of the name";
}

TEST_F(HostDbTest, ValuesKeepTheirKinds)
{
    year().table(u"POKLKNIH"_s).row({});
    auto table = open(u"POKLKNIH"_s);
    ASSERT_EQ(table->Lock(), HostResult::Ok);
    table->SetValue(u"Doklad"_s, u"PP00000000012"_s);
    table->SetValue(u"Cislo"_s, 42);
    table->SetValue(u"Celkem"_s, 1234.5);
    table->SetValue(u"Vydej"_s, true);
    table->SetValue(u"DatVyst"_s, QDate(2018, 1, 5));
    table->SetValue(u"DatUcPr"_s, QDateTime(QDate(2018, 1, 6), QTime(13, 30)));
    table->SetValue(u"DatPlat"_s, 43107.0); // a day number: 7 January 2018
    ASSERT_EQ(table->Post(), HostResult::Ok);

    auto other = open(u"POKLKNIH"_s);
    EXPECT_EQ(other->Value(u"Doklad"_s), QVariant(u"PP00000000"_s)) << "text is cut to the field's size";
    EXPECT_EQ(other->Value(u"Cislo"_s), QVariant(42));
    EXPECT_EQ(other->Value(u"Celkem"_s), QVariant(1234.5));
    EXPECT_EQ(other->Value(u"Vydej"_s), QVariant(true));
    EXPECT_EQ(other->Value(u"DatVyst"_s), QVariant(QDateTime(QDate(2018, 1, 5), QTime(0, 0))));
    EXPECT_EQ(other->Value(u"DatUcPr"_s), QVariant(QDateTime(QDate(2018, 1, 6), QTime(13, 30))));
    EXPECT_EQ(other->Value(u"DatPlat"_s).toDateTime().date(), QDate(2018, 1, 7));
    EXPECT_FALSE(other->Value(u"DatPln"_s).toDateTime().isValid()) << "an empty date reads as invalid";
    EXPECT_EQ(other->Value(u"Del"_s), QVariant(false));
    EXPECT_EQ(other->Value(u"Pokl"_s), QVariant(QString()));
}

TEST_F(HostDbTest, AValueThatDoesNotFitItsFieldRaisesTheException)
{
    year().table(u"POKLKNIH"_s).row({});
    auto table = open(u"POKLKNIH"_s);
    EXPECT_THROW(table->SetValue(u"Cislo"_s, u"dvanáct"_s), HostEngineError);
    EXPECT_THROW(table->SetValue(u"DatVyst"_s, u"5.1.2018"_s), HostEngineError);
    EXPECT_THROW(table->SetValue(u"Vydej"_s, u"možná"_s), HostEngineError);
    table->SetValue(u"Cislo"_s, u" 12 "_s);
    EXPECT_EQ(table->Value(u"Cislo"_s), QVariant(12)) << "numeric text converts";
}

// Integer fields hold 32 bits: a value beyond them is refused when written,
// never stored and read back wrapped (4294967297 as 1).
struct IntegerRangeCase
{
    const char *name;
    QVariant value;
    bool fits;
};

class IntegerRangeTest : public HostDbTest, public testing::WithParamInterface<IntegerRangeCase>
{
};

TEST_P(IntegerRangeTest, RefusedOrKeptExactly)
{
    year().table(u"POKLKNIH"_s).row({});
    auto table = open(u"POKLKNIH"_s);
    if (!GetParam().fits) {
        EXPECT_THROW(table->SetValue(u"Cislo"_s, GetParam().value), HostEngineError);
        return;
    }
    table->SetValue(u"Cislo"_s, GetParam().value);
    ASSERT_EQ(table->Post(), HostResult::Ok);
    auto other = open(u"POKLKNIH"_s);
    EXPECT_EQ(other->Value(u"Cislo"_s).toLongLong(), GetParam().value.toLongLong());
}

INSTANTIATE_TEST_SUITE_P(
    Values, IntegerRangeTest,
    testing::Values(IntegerRangeCase{"Largest", QVariant::fromValue<qint64>(2147483647), true},
                    IntegerRangeCase{"Smallest", QVariant::fromValue<qint64>(-2147483648LL), true},
                    IntegerRangeCase{"OneAboveTheLargest", QVariant::fromValue<qint64>(2147483648LL), false},
                    IntegerRangeCase{"OneBelowTheSmallest", QVariant::fromValue<qint64>(-2147483649LL), false},
                    IntegerRangeCase{"WrapsToOne", QVariant::fromValue<qint64>(4294967297LL), false},
                    IntegerRangeCase{"AsText", QVariant(u"4294967297"_s), false},
                    IntegerRangeCase{"AsFloat", QVariant(1e10), false}),
    TestSupport::rowName);

TEST_F(HostDbTest, AnIntegerBeyond32BitsInTheFileIsReadUnwrapped)
{
    year().table(u"POKLKNIH"_s).row({{"Cislo", 5}});
    {
        SqlDatabase db;
        ASSERT_TRUE(db.open(yearDir() + u"POKLKNIH.DAT"_s, false));
        const int field = HostCatalogue::find(u"POKLKNIH")->fieldIndex(u"Cislo");
        ASSERT_TRUE(db.exec(u"UPDATE tbf_data SET f%1 = 4294967297"_s.arg(field)));
    }
    auto table = open(u"POKLKNIH"_s, u"Cislo"_s);
    EXPECT_EQ(table->Value(u"Cislo"_s).toLongLong(), 4294967297LL);
    EXPECT_EQ(table->Seek(QVariant::fromValue<qint64>(4294967297LL)), HostResult::Found);
    EXPECT_EQ(table->Seek(QVariant::fromValue<qint64>(1)), HostResult::NotFound) << "no wrapped key";
}

TEST_F(HostDbTest, VariantFieldsKeepWhatTheyAreGiven)
{
    auto builder = year().table(u"ROK"_s);
    builder.row({{"Section1", "A"}, {"Variable", "int"}, {"Value", 5}});
    builder.row({{"Section1", "A"}, {"Variable", "text"}, {"Value", "Y"}});
    builder.row({{"Section1", "A"}, {"Variable", "float"}, {"Value", 43100.5}});
    builder.row({{"Section1", "A"}, {"Variable", "bool"}, {"Value", true}});
    builder.row({{"Section1", "A"}, {"Variable", "none"}});
    auto table = open(u"ROK"_s);
    table->GoTop();
    EXPECT_EQ(table->Value(u"Value"_s), QVariant(5));
    table->Skip();
    EXPECT_EQ(table->Value(u"Value"_s), QVariant(u"Y"_s));
    table->Skip();
    EXPECT_EQ(table->Value(u"Value"_s), QVariant(43100.5));
    table->Skip();
    EXPECT_EQ(table->Value(u"Value"_s), QVariant(1)) << "a boolean is kept as 1";
    table->Skip();
    EXPECT_FALSE(table->Value(u"Value"_s).isValid());
}

TEST_F(HostDbTest, WritesStayOnTheRecordUntilPost)
{
    year().table(u"POKLKNIH"_s).rows("Doklad\nPP0001\nPP0002");
    auto writer = open(u"POKLKNIH"_s);
    auto reader = open(u"POKLKNIH"_s);
    writer->SetValue(u"Popis"_s, u"opraveno"_s);
    EXPECT_EQ(writer->Value(u"Popis"_s).toString(), u"opraveno"_s);
    reader->GoTop();
    EXPECT_EQ(reader->Value(u"Popis"_s).toString(), QString()) << "not written before Post";
    ASSERT_EQ(writer->Post(), HostResult::Ok);
    reader->GoTop();
    EXPECT_EQ(reader->Value(u"Popis"_s).toString(), u"opraveno"_s);

    writer->SetValue(u"Popis"_s, u"zahozeno"_s);
    writer->Skip();
    writer->GoTop();
    EXPECT_EQ(writer->Value(u"Popis"_s).toString(), u"opraveno"_s) << "a move drops unposted writes";
}

TEST_F(HostDbTest, PostWritesOnlyTheFieldsWritten)
{
    year().table(u"POKLKNIH"_s).row({{"Doklad", "PP0001"}, {"Popis", "původní"}});
    auto first = open(u"POKLKNIH"_s);
    auto second = open(u"POKLKNIH"_s);
    first->SetValue(u"Popis"_s, u"první"_s);
    second->SetValue(u"Celkem"_s, 10.0);
    ASSERT_EQ(first->Post(), HostResult::Ok);
    ASSERT_EQ(second->Post(), HostResult::Ok);
    auto reader = open(u"POKLKNIH"_s);
    EXPECT_EQ(reader->Value(u"Popis"_s).toString(), u"první"_s);
    EXPECT_EQ(reader->Value(u"Celkem"_s).toDouble(), 10.0);
}

TEST_F(HostDbTest, AddNewStoresARecordOnPost)
{
    year().table(u"POKLKNIH"_s);
    auto table = open(u"POKLKNIH"_s, u"Doklad"_s);
    ASSERT_EQ(table->AddNew(), HostResult::Ok);
    EXPECT_EQ(table->Value(u"Cislo"_s), QVariant(0)) << "a new record starts empty";
    table->SetValue(u"Doklad"_s, u"PP0007"_s);
    EXPECT_EQ(table->RecordCount(), 0);
    ASSERT_EQ(table->Post(), HostResult::Ok);
    EXPECT_EQ(table->RecordCount(), 1);
    EXPECT_EQ(table->RecNo(), 1);
    EXPECT_EQ(table->Seek(u"pp0007"_s), HostResult::Found);

    table->AddNew();
    table->SetValue(u"Doklad"_s, u"PP0008"_s);
    EXPECT_EQ(table->Skip(), HostResult::PastEnd) << "a move drops an unposted new record";
    EXPECT_EQ(table->RecordCount(), 1);
}

TEST_F(HostDbTest, OpenTakesTheNameWithOrWithoutDatAndFindsItWithoutRegardToCase)
{
    year().table(u"POKLKNIH"_s).row({{"Doklad", "PP0001"}});
    QFile::rename(yearDir() + u"POKLKNIH.DAT"_s, yearDir() + u"PoklKnih.dat"_s);
    const QString upperDir = tree().dataRoot() + u"agenda.001/rok.2018/"_s;
    for (const QString &name :
         QStringList{upperDir + u"POKLKNIH"_s, upperDir + u"poklknih.DAT"_s, yearDir() + u"PoklKnih"_s}) {
        TBFTable table;
        ASSERT_EQ(table.Open(name), HostResult::Ok) << name.toStdString();
        EXPECT_EQ(table.Tag, 1);
        EXPECT_EQ(table.fileName(), yearDir() + u"PoklKnih.dat"_s);
        EXPECT_EQ(table.Value(u"Doklad"_s).toString(), u"PP0001"_s);
    }
}

TEST_F(HostDbTest, TheOpenFlagAndAClosedTable)
{
    year().table(u"POKLKNIH"_s);
    TBFTable table;
    EXPECT_EQ(table.Tag, 0);
    EXPECT_FALSE(table.isOpen());
    EXPECT_THROW(table.GoTop(), HostEngineError);
    ASSERT_EQ(table.Open(yearDir() + u"POKLKNIH"_s), HostResult::Ok);
    EXPECT_EQ(table.Tag, 1);
    table.Close();
    EXPECT_EQ(table.Tag, 0);
    try {
        table.RecordCount();
        FAIL() << "no exception";
    } catch (const HostEngineError &error) {
        EXPECT_EQ(error.text(), u"Tabulka není otevřena."_s);
    }
    table.Close(); // closing twice is harmless
    EXPECT_LT(table.Open(yearDir() + u"NENI"_s), 0);
    EXPECT_EQ(table.Tag, 0);
}

// A stand-in engine: the facade connects to whatever the factory makes.
class CountingBackend : public HostTableBackend
{
public:
    static inline int opened = 0;
    int Open(const QString &) override { return ++opened, 0; }
    void Close() override {}
    int RecordCount() override { return 42; }
    void GoTop() override {}
    void GoBottom() override {}
    int Skip() override { return 1; }
    int GoTo(int) override { return 0; }
    int RecNo() override { return 0; }
    bool Eof() override { return true; }
    QVariant Value(const QString &) override { return QVariant(); }
    void SetValue(const QString &, const QVariant &) override {}
    int Seek(const QVariant &) override { return 6; }
    int SeekKeys(const QVariantList &) override { return 6; }
    int Seek2(const QVariant &, const QVariant &) override { return 6; }
    int AddNew() override { return 0; }
    int IsLocked() override { return 0; }
    int Lock() override { return 0; }
    int Post() override { return 0; }
    int Delete() override { return 1; }
    int SetIndex(const QString &) override { return 0; }
};

TEST(HostEngineFactory, NewTableObjectsConnectToTheChosenEngine)
{
    HostEngine::setFactory([]() -> std::unique_ptr<HostTableBackend> { return std::make_unique<CountingBackend>(); });
    TBFTable table;
    EXPECT_EQ(table.Open(u"/nowhere/TABLE"_s), HostResult::Ok);
    EXPECT_EQ(table.RecordCount(), 42);
    EXPECT_EQ(CountingBackend::opened, 1);
    HostEngine::setFactory(nullptr);
    TBFTable sqlite;
    EXPECT_LT(sqlite.Open(u"/nowhere/TABLE"_s), 0) << "the SQLite engine again";
}

} // namespace

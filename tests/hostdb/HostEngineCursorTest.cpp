// The cursor rules callers rely on: walking a key from a partial seek, Skip
// past the last record, Delete moving on, key rewrites during a walk.

#include "hostdb/HostDbTestSupport.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

using namespace Qt::StringLiterals;

namespace {

class CursorTest : public HostDbTest
{
protected:
    void SetUp() override
    {
        // Journal lines of several documents, not in key order on disk.
        year().table(u"UCDENIK"_s).rows(R"(
            Cislo | Zdroj | ZRadek | Doklad
            1     | PK    | 2      | PP0002
            2     | PK    | 1      | PP0001
            3     | ID    | 1      | ID0001
            4     | PK    | 2      | PP0002
            5     | pk    | 2      | PP0002
            6     | PK    | 3      | PP0003
            7     | BK    | 2      | BU0001
        )");
    }
};

TEST_F(CursorTest, NaturalOrderFollowsRecordNumbersAndSkipPastTheLastReturnsOne)
{
    auto table = open(u"UCDENIK"_s);
    EXPECT_EQ(table->RecordCount(), 7);
    table->GoTop();
    QList<int> recNos;
    int result = HostResult::Ok;
    while (result == HostResult::Ok) {
        recNos.append(table->RecNo());
        result = table->Skip();
    }
    EXPECT_EQ(recNos, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(result, HostResult::PastEnd);
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->RecNo(), 0);
    EXPECT_EQ(table->Skip(), HostResult::PastEnd) << "Skip past the end stays there";
    EXPECT_EQ(table->Value(u"Doklad"_s).toString(), QString()) << "no current record: empty values";
}

TEST_F(CursorTest, IndexOrderIsTheKeyThenTheRecordNumber)
{
    auto table = open(u"UCDENIK"_s, u"Zdroj+ZRadek+Cislo"_s);
    table->GoTop();
    EXPECT_EQ(walk(*table, u"Cislo"_s), (QStringList{u"7"_s, u"3"_s, u"2"_s, u"1"_s, u"4"_s, u"5"_s, u"6"_s}));
    table->GoBottom();
    EXPECT_EQ(table->Value(u"Cislo"_s).toInt(), 6);
    EXPECT_EQ(table->Skip(), HostResult::PastEnd);
}

TEST_F(CursorTest, EqualKeysFollowRecordNumberOrder)
{
    auto table = open(u"UCDENIK"_s, u"Zdroj+ZRadek+Cislo"_s);
    // A one-part prefix of the index: every "PK" line, lower-case "pk" included,
    // in key order and then record order.
    ASSERT_EQ(table->Seek(u"PK"_s), HostResult::Found);
    QStringList lines;
    while (!table->Eof() && table->Value(u"Zdroj"_s).toString().toUpper() == u"PK"_s) {
        lines.append(table->Value(u"Cislo"_s).toString());
        table->Skip();
    }
    EXPECT_EQ(lines, (QStringList{u"2"_s, u"1"_s, u"4"_s, u"5"_s, u"6"_s}));
}

TEST_F(CursorTest, WalkingACompoundKeyFromAPartialSeekKeysUntilTheKeyChanges)
{
    auto table = open(u"UCDENIK"_s, u"Zdroj+ZRadek+Cislo"_s);
    ASSERT_EQ(table->SeekKeys({u"PK"_s, 2}), HostResult::Found);
    QStringList lines;
    while (table->Value(u"Zdroj"_s).toString().toUpper() == u"PK"_s && table->Value(u"ZRadek"_s).toInt() == 2) {
        lines.append(table->Value(u"Cislo"_s).toString());
        if (table->Skip() == HostResult::PastEnd)
            break;
    }
    EXPECT_EQ(lines, (QStringList{u"1"_s, u"4"_s, u"5"_s})) << "found on the first match, then index order";
    EXPECT_EQ(table->Value(u"Cislo"_s).toInt(), 6) << "the walk stopped on the first record of the next key";
}

TEST_F(CursorTest, SeekNotFoundStandsOnTheNextKeyOrPastTheEnd)
{
    auto table = open(u"UCDENIK"_s, u"Zdroj+ZRadek+Cislo"_s);
    EXPECT_EQ(table->SeekKeys({u"ID"_s, 2}), HostResult::NotFound);
    EXPECT_EQ(table->Value(u"Cislo"_s).toInt(), 2) << "the first record after where the key would stand";
    EXPECT_EQ(table->SeekKeys({u"ZZ"_s}), HostResult::NotFound);
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->Skip(), HostResult::PastEnd);
}

TEST_F(CursorTest, SeeksThatCannotRunFail)
{
    auto table = open(u"UCDENIK"_s);
    EXPECT_EQ(table->Seek(u"PK"_s), HostResult::Failed) << "natural order has no key";
    ASSERT_EQ(table->SetIndex(u"Zdroj+ZRadek+Cislo"_s), HostResult::Ok);
    EXPECT_EQ(table->SeekKeys({u"PK"_s, 2, 1, 9}), HostResult::Failed) << "more values than key parts";
    EXPECT_EQ(table->SeekKeys({}), HostResult::Failed);
    EXPECT_THROW(table->SeekKeys({u"PK"_s, u"two"_s}), HostEngineError) << "not a number for a number part";
}

// A seek compares the value as given: a value the field could not hold (a
// text longer than the field, a fraction in a whole-number field) is not cut
// or rounded into the key of another record.
struct SeekValueCase
{
    const char *name;
    QString index;
    QVariantList keys;
    int result;
    int recNo; // where the cursor stands afterwards, 0 = past the end
};

class SeekValueTest : public HostDbTest, public testing::WithParamInterface<SeekValueCase>
{
};

TEST_P(SeekValueTest, FindsOnlyEqualKeys)
{
    year().table(u"SKSEZDOK"_s).rows(R"(
        CisloDokla | CDokladu
        ABCDEFGH10 | 9
        ABCDEFGH11 | 10
    )");
    year().table(u"UCDENIK"_s).rows(R"(
        Cislo | Zdroj | ZRadek
        1     | PK    | 9
        2     | PK    | 10
    )");
    const SeekValueCase &c = GetParam();
    auto table = open(c.index == u"CisloDokla"_s ? u"SKSEZDOK"_s : u"UCDENIK"_s, c.index);
    EXPECT_EQ(table->SeekKeys(c.keys), c.result);
    EXPECT_EQ(table->RecNo(), c.recNo);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SeekValueTest,
    testing::Values(
        SeekValueCase{"TextOfTheFieldsSize", u"CisloDokla"_s, {u"abcdefgh10"_s}, HostResult::Found, 1},
        SeekValueCase{"TextLongerThanTheField", u"CisloDokla"_s, {u"ABCDEFGH100"_s}, HostResult::NotFound, 2},
        SeekValueCase{"TextLongerOnlyByBlanks", u"CisloDokla"_s, {u"ABCDEFGH10   "_s}, HostResult::Found, 1},
        SeekValueCase{"WholeNumberAsFloat", u"Zdroj+ZRadek+Cislo"_s, {u"PK"_s, 9.0}, HostResult::Found, 1},
        SeekValueCase{"WholeNumberAsText", u"Zdroj+ZRadek+Cislo"_s, {u"PK"_s, u"10"_s}, HostResult::Found, 2},
        SeekValueCase{"FractionInAWholeNumberPart", u"Zdroj+ZRadek+Cislo"_s, {u"PK"_s, 9.4}, HostResult::NotFound, 2},
        SeekValueCase{"FractionAboveTheLast", u"Zdroj+ZRadek+Cislo"_s, {u"PK"_s, 10.5}, HostResult::NotFound, 0}),
    TestSupport::rowName);

TEST_F(CursorTest, SetIndexAcceptsDeclaredExpressionsOnly)
{
    auto table = open(u"UCDENIK"_s);
    EXPECT_EQ(table->SetIndex(u"Zdroj+ZRadek"_s), HostResult::Failed);
    EXPECT_EQ(table->SetIndex(u"Doklad"_s), HostResult::Failed);
    EXPECT_EQ(table->SetIndex(u"zdroj+ZRADEK+cislo"_s), HostResult::Ok) << "parts compare like field names";
    EXPECT_EQ(table->SetIndex(QString()), HostResult::Ok) << "back to natural order";
    table->GoTop();
    EXPECT_EQ(table->RecNo(), 1);
}

TEST_F(CursorTest, SetIndexKeepsTheCurrentRecord)
{
    auto table = open(u"UCDENIK"_s);
    ASSERT_EQ(table->GoTo(4), HostResult::Ok);
    ASSERT_EQ(table->SetIndex(u"Zdroj+ZRadek+Cislo"_s), HostResult::Ok);
    EXPECT_EQ(table->RecNo(), 4);
    table->Skip();
    EXPECT_EQ(table->RecNo(), 5) << "Skip follows the new index from the current record";
}

TEST_F(CursorTest, GoToPositionsOnAPhysicalRecord)
{
    auto table = open(u"UCDENIK"_s, u"Zdroj+ZRadek+Cislo"_s);
    ASSERT_EQ(table->GoTo(3), HostResult::Ok);
    EXPECT_EQ(table->Value(u"Doklad"_s).toString(), u"ID0001"_s);
    EXPECT_EQ(table->GoTo(99), HostResult::Failed);
    EXPECT_EQ(table->RecNo(), 3) << "a failed GoTo leaves the cursor";
    EXPECT_EQ(table->GoTo(0), HostResult::Failed);
}

TEST_F(CursorTest, DeleteMovesToTheNextAndReturnsOneWhenNoneFollows)
{
    auto table = open(u"UCDENIK"_s, u"Zdroj+ZRadek+Cislo"_s);
    ASSERT_EQ(table->SeekKeys({u"PK"_s, 2}), HostResult::Found);
    // The removal's pattern: delete while the key matches.
    QList<int> deleted;
    int result = HostResult::Ok;
    while (result == HostResult::Ok && table->Value(u"Zdroj"_s).toString().toUpper() == u"PK"_s &&
           table->Value(u"ZRadek"_s).toInt() == 2) {
        ASSERT_EQ(table->Lock(), HostResult::Ok);
        deleted.append(table->RecNo());
        result = table->Delete();
    }
    EXPECT_EQ(deleted, (QList<int>{1, 4, 5}));
    EXPECT_EQ(result, HostResult::Ok);
    EXPECT_EQ(table->RecNo(), 6);
    EXPECT_EQ(table->Delete(), HostResult::PastEnd) << "the last record in index order: none follows";
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->Delete(), HostResult::Failed) << "nothing to delete past the end";
    EXPECT_EQ(table->RecordCount(), 3);
}

TEST_F(CursorTest, RecordNumbersAreNeverReused)
{
    auto table = open(u"UCDENIK"_s);
    table->GoBottom();
    ASSERT_EQ(table->RecNo(), 7);
    ASSERT_EQ(table->Delete(), HostResult::PastEnd);
    table->AddNew();
    table->SetValue(u"Doklad"_s, u"NEW"_s);
    ASSERT_EQ(table->Post(), HostResult::Ok);
    EXPECT_EQ(table->RecNo(), 8);
}

// Rewriting the key field of every record during a walk over that key visits
// each record once, wherever the new key falls.
struct RewriteCase
{
    const char *name;
    QString (*rewrite)(const QString &key);
};

class KeyRewriteTest : public HostDbTest, public testing::WithParamInterface<RewriteCase>
{
};

TEST_P(KeyRewriteTest, EveryRecordIsVisitedOnce)
{
    auto builder = year().table(u"POKLKNIH"_s);
    for (const char *number : {"PP0003", "PP0001", "PP0005", "PP0002", "PP0004", "PP0001"})
        builder.row({{"Doklad", number}});
    auto table = open(u"POKLKNIH"_s, u"Doklad"_s);
    table->GoTop();
    QList<int> visited;
    do {
        visited.append(table->RecNo());
        ASSERT_EQ(table->Lock(), HostResult::Ok);
        table->SetValue(u"Doklad"_s, GetParam().rewrite(table->Value(u"Doklad"_s).toString()));
        ASSERT_EQ(table->Post(), HostResult::Ok);
    } while (table->Skip() == HostResult::Ok);
    EXPECT_EQ(visited, (QList<int>{2, 6, 4, 1, 5, 3})) << "the old key order, each record once";

    table->GoTop();
    QStringList all = walk(*table, u"Doklad"_s);
    all.sort();
    QStringList expected;
    for (const char *number : {"PP0001", "PP0001", "PP0002", "PP0003", "PP0004", "PP0005"})
        expected.append(GetParam().rewrite(QString::fromUtf8(number)));
    expected.sort();
    EXPECT_EQ(all, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rewrites, KeyRewriteTest,
    testing::Values(
        RewriteCase{"ForwardPastEverything", [](const QString &k) -> QString { return u"ZZ"_s + k.right(4); }},
        RewriteCase{"BackwardBeforeEverything", [](const QString &k) -> QString { return u"AA"_s + k.right(4); }},
        RewriteCase{
            "ToTheNextKey",
            [](const QString &k) -> QString { return u"PP%1"_s.arg(k.right(4).toInt() + 1, 4, 10, QChar(u'0')); }},
        RewriteCase{"OnlyCase", [](const QString &k) -> QString { return k.toLower(); }}),
    TestSupport::rowName);

TEST_F(HostDbTest, ActionLogWalkRewritesEveryMatchingRecordAndNoOther)
{
    // The renumbering's last step: seek the old number, rewrite "DoklZkrat"
    // (a key part) while the leading parts match, Skip.
    tree().table(u"GLAKCE"_s).rows(R"(
        Agenda | Rok  | KodSezn | DoklZkrat | Cislo | KodAkce
        001    | 2018 | UP      | PP0001    | 1     | P
        001    | 2018 | UP      | PP0002    | 2     | P
        001    | 2018 | UP      | PP0001    | 3     | Z
        002    | 2018 | UP      | PP0001    | 4     | P
        001    | 2017 | UP      | PP0001    | 5     | P
        001    | 2018 | UP      | PP0001    | 6     | Z
    )");
    TBFTable log;
    ASSERT_EQ(log.Open(tree().dataRoot() + u"GLAKCE"_s), HostResult::Ok);
    ASSERT_EQ(log.SetIndex(u"Agenda+Rok+KodSezn+DoklZkrat+Cislo"_s), HostResult::Ok);
    ASSERT_EQ(log.SeekKeys({u"001"_s, u"2018"_s, u"UP"_s, u"PP0001"_s}), HostResult::Found);
    QList<int> rewritten;
    while (!log.Eof() && log.Value(u"Agenda"_s).toString() == u"001"_s && log.Value(u"Rok"_s) == u"2018"_s &&
           log.Value(u"KodSezn"_s) == u"UP"_s && log.Value(u"DoklZkrat"_s) == u"PP0001"_s) {
        rewritten.append(log.Value(u"Cislo"_s).toInt());
        log.SetValue(u"DoklZkrat"_s, u"PP0009"_s);
        ASSERT_EQ(log.Post(), HostResult::Ok);
        log.Skip();
    }
    EXPECT_EQ(rewritten, (QList<int>{1, 3, 6}));
    EXPECT_EQ(log.Value(u"Cislo"_s).toInt(), 2) << "the walk went on from where the records stood";
    ASSERT_EQ(log.SetIndex(QString()), HostResult::Ok);
    log.GoTop();
    EXPECT_EQ(walk(log, u"DoklZkrat"_s),
              (QStringList{u"PP0009"_s, u"PP0002"_s, u"PP0009"_s, u"PP0001"_s, u"PP0001"_s, u"PP0009"_s}));
}

TEST_F(HostDbTest, AWalkSeesRecordsOtherObjectsWriteMeanwhile)
{
    auto builder = year().table(u"POKLKNIH"_s);
    for (int i = 1; i <= 40; ++i)
        builder.row({{"Doklad", u"PP%1"_s.arg(i * 2, 4, 10, QChar(u'0'))}});
    auto reader = open(u"POKLKNIH"_s, u"Doklad"_s);
    auto writer = open(u"POKLKNIH"_s);
    reader->GoTop();
    reader->Skip(); // the reader now holds records ahead of it
    writer->AddNew();
    writer->SetValue(u"Doklad"_s, u"PP0005"_s);
    ASSERT_EQ(writer->Post(), HostResult::Ok);
    ASSERT_EQ(reader->Skip(), HostResult::Ok);
    EXPECT_EQ(reader->Value(u"Doklad"_s).toString(), u"PP0005"_s);
    EXPECT_EQ(reader->RecordCount(), 41);
}

TEST_F(HostDbTest, DeletingWhileAnotherObjectWritesSkipsNoRecord)
{
    // The removal's scan: delete flagged documents in line-number order while
    // another table object keeps posting, which drops what the walk read ahead.
    auto builder = year().table(u"POKLKNIH"_s);
    for (int i = 1; i <= 30; ++i)
        builder.row({{"Doklad", u"PP%1"_s.arg(i, 4, 10, QChar(u'0'))}, {"Cislo", 31 - i}, {"Del", i % 3 == 0}});
    auto scan = open(u"POKLKNIH"_s, u"Cislo"_s);
    auto other = open(u"POKLKNIH"_s);
    scan->GoTop();
    QList<int> seen;
    while (!scan->Eof()) {
        seen.append(scan->Value(u"Cislo"_s).toInt());
        if (seen.size() % 4 == 0) {
            other->SetValue(u"Popis"_s, u"změna %1"_s.arg(seen.size()));
            ASSERT_EQ(other->Post(), HostResult::Ok);
        }
        if (scan->Value(u"Del"_s).toBool()) {
            ASSERT_EQ(scan->Lock(), HostResult::Ok);
            ASSERT_GE(scan->Delete(), HostResult::Ok);
        } else {
            scan->Skip();
        }
    }
    QList<int> all;
    for (int i = 1; i <= 30; ++i)
        all.append(i);
    EXPECT_EQ(seen, all);
    EXPECT_EQ(scan->RecordCount(), 20);
}

TEST_F(HostDbTest, DateKeyPartsCompareAsDayNumbers)
{
    const HostTableDef definition{
        u"TERMINY"_s,
        HostLocation::Year,
        {HostField{u"Datum"_s, HostFieldType::DateTime, 0}, HostField{u"Kod"_s, HostFieldType::Text, 5}},
        {u"Datum+Kod"_s},
        QString()};
    year().table(definition).rows(R"(
        Datum               | Kod
        2018-01-05          | b
        2018-01-03          | a
        2018-01-05T10:00:00 | a
        2018-01-05          | A
    )");
    auto table = open(u"TERMINY"_s, u"Datum+Kod"_s);
    table->GoTop();
    QList<int> order;
    do {
        order.append(table->RecNo());
    } while (table->Skip() == HostResult::Ok);
    EXPECT_EQ(order, (QList<int>{2, 4, 1, 3})) << "by day number, then key text, then record number";
    EXPECT_EQ(table->Seek(QDate(2018, 1, 5)), HostResult::Found);
    EXPECT_EQ(table->RecNo(), 4);
    EXPECT_EQ(table->Seek(43105.0), HostResult::Found) << "the same day as a day number";
    EXPECT_EQ(table->RecNo(), 4);
    EXPECT_EQ(table->Seek2(QDate(2018, 1, 5), u"B  "_s), HostResult::Found);
    EXPECT_EQ(table->RecNo(), 1);
    EXPECT_EQ(table->Seek(QDateTime(QDate(2018, 1, 5), QTime(10, 0))), HostResult::Found);
    EXPECT_EQ(table->RecNo(), 3);
    EXPECT_EQ(table->Seek(QDate(2018, 1, 4)), HostResult::NotFound);
    EXPECT_EQ(table->RecNo(), 4);
}

} // namespace

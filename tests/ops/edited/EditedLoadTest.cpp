// Loading a module's documents into the list: the selection rules, the row
// fields, the counts, the progress and the failures, over small host trees.

#include "EditedTestSupport.h"
#include "common/MemTable.h"
#include "hostdb/HostCatalogue.h"
#include "ops/edited/EditedDocumentsLoader.h"
#include "ops/edited/EditedModules.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

struct LoadCase
{
    const char *name;
    std::function<void(YearBuilder &year, EditedSettings &settings)> setup;
    QStringList expected; // `Doklad` of the rows, in load order
};

void PrintTo(const LoadCase &c, std::ostream *os)
{
    *os << c.name;
}

QStringList numbers(const MemTable &rows)
{
    QStringList result;
    const int doklad = rows.fieldIndex(u"Doklad"_s);
    for (int row = 0; row < rows.recordCount(); ++row)
        result.append(rows.value(row, doklad).toString());
    return result;
}

void stockDocuments(YearBuilder &year)
{
    year.table(u"SKSEZDOK"_s).rows(R"(
        CisloDokla | CDokladu | Typ | Datum      | Celkem
        PR0001     | 1        | P   | 2018-01-05 | 10
        SV0001     | 2        | V   | 2018-01-06 | 20
        PR0002     | 3        | P   | 2018-01-07 | 30
        DL0001     | 4        | D   | 2018-01-08 | 40)");
}

class EditedLoadRules : public testing::TestWithParam<LoadCase>
{
};

TEST_P(EditedLoadRules, SelectsTheModulesDocuments)
{
    EditedFixture fixture;
    fixture.tree().table(u"GLAKCE"_s);
    EditedSettings settings;
    GetParam().setup(fixture.year(), settings);
    MemTable rows;
    EditedModules::defineDocumentRows(rows);
    EditedCounts counts;
    ASSERT_EQ(loadEditedDocuments(fixture.session(), settings, rows, counts), 0);
    EXPECT_EQ(numbers(rows), GetParam().expected);
    EXPECT_EQ(counts.notEdited, rows.recordCount()); // nothing in the log
}

INSTANTIATE_TEST_SUITE_P(Cases, EditedLoadRules,
                         testing::Values(LoadCase{"DeletedAndEmptyNumbersAreSkipped",
                                                  [](YearBuilder &year, EditedSettings &) {
                                                      year.table(u"POKLKNIH"_s).rows(R"(
                         Doklad | Cislo | DatVyst    | Del
                         PK0001 | 1     | 2018-01-05 | 0
                         PK0002 | 2     | 2018-01-06 | 1
                                | 3     | 2018-01-07 | 0
                         PK0004 | 4     | 2018-01-08 | 0)");
                                                  },
                                                  {u"PK0001"_s, u"PK0004"_s}},
                                         LoadCase{"DeletedInvoicesUseFlagDel",
                                                  [](YearBuilder &year, EditedSettings &settings) {
                                                      settings.module = 6;
                                                      year.table(u"VFAKTURY"_s).rows(R"(
                         Doklad | Cislo | FlagDel
                         FV0001 | 1     | 1
                         FV0002 | 2     | 0)");
                                                  },
                                                  {u"FV0002"_s}},
                                         LoadCase{"ProdejkyAreStockDocumentsOfTypeP",
                                                  [](YearBuilder &year, EditedSettings &settings) {
                                                      settings.module = 8;
                                                      stockDocuments(year);
                                                  },
                                                  {u"PR0001"_s, u"PR0002"_s}},
                                         LoadCase{"VydejkyAreStockDocumentsOfTypeV",
                                                  [](YearBuilder &year, EditedSettings &settings) {
                                                      settings.module = 9;
                                                      stockDocuments(year);
                                                  },
                                                  {u"SV0001"_s}},
                                         LoadCase{"OrdersAreSelectedByKind",
                                                  [](YearBuilder &year, EditedSettings &settings) {
                                                      settings.module = 16;
                                                      year.table(u"OBSEZOBJ"_s).rows(R"(
                         Doklad | CRadku | Druh dokl. | Vystaveno
                         OV0001 | 1      | O          | 2018-01-05
                         OP0001 | 2      | R          | 2018-01-05
                         OV0002 | 3      | O          | 2018-01-05)");
                                                  },
                                                  {u"OV0001"_s, u"OV0002"_s}},
                                         // Bounds are inclusive; a record without a date is never listed.
                                         LoadCase{"DateFilterIsInclusiveAndExcludesDatelessRecords",
                                                  [](YearBuilder &year, EditedSettings &settings) {
                                                      settings.dateFilter = true;
                                                      settings.dateFrom = QDate(2018, 1, 5);
                                                      settings.dateTo = QDate(2018, 1, 7);
                                                      year.table(u"POKLKNIH"_s).rows(R"(
                         Doklad | Cislo | DatVyst
                         PK0001 | 1     | 2018-01-04
                         PK0002 | 2     | 2018-01-05
                         PK0003 | 3     | 2018-01-07T18:30:00
                         PK0004 | 4     | 2018-01-08
                         PK0005 | 5     |)");
                                                  },
                                                  {u"PK0002"_s, u"PK0003"_s}},
                                         LoadCase{"WithoutTheDateFilterDatelessRecordsAreListed",
                                                  [](YearBuilder &year, EditedSettings &) {
                                                      year.table(u"POKLKNIH"_s).rows(R"(
                         Doklad | Cislo | DatVyst
                         PK0001 | 1     |)");
                                                  },
                                                  {u"PK0001"_s}},
                                         LoadCase{"InternalDocumentsFilterOnTheAccountingDate",
                                                  [](YearBuilder &year, EditedSettings &settings) {
                                                      settings.module = 5;
                                                      settings.dateFilter = true;
                                                      settings.dateFrom = QDate(2018, 2, 1);
                                                      settings.dateTo = QDate(2018, 2, 28);
                                                      year.table(u"INTDOKL"_s).rows(R"(
                         Doklad | Cislo | DatUcPr
                         ID0001 | 1     | 2018-01-31
                         ID0002 | 2     | 2018-02-01)");
                                                  },
                                                  {u"ID0002"_s}},
                                         LoadCase{"StockDatesAreReadFromDatumWithItsBlank",
                                                  [](YearBuilder &year, EditedSettings &settings) {
                                                      settings.module = 8;
                                                      settings.dateFilter = true;
                                                      settings.dateFrom = QDate(2018, 1, 6);
                                                      settings.dateTo = QDate(2018, 1, 31);
                                                      stockDocuments(year);
                                                  },
                                                  {u"PR0002"_s}}),
                         [](const testing::TestParamInfo<LoadCase> &paramInfo) {
                             return std::string(paramInfo.param.name);
                         });

class EditedLoadTest : public testing::Test
{
protected:
    EditedLoadTest() { EditedModules::defineDocumentRows(m_rows); }
    int load(const EditedSettings &settings)
    {
        return loadEditedDocuments(m_fixture.session(), settings, m_rows, m_counts);
    }
    QVariant value(int row, const char *field) const
    {
        return m_rows.value(row, m_rows.fieldIndex(QString::fromUtf8(field)));
    }

    EditedFixture m_fixture;
    MemTable m_rows;
    EditedCounts m_counts;
};

TEST_F(EditedLoadTest, RowsCarryTheModulesFieldsAndTheirClass)
{
    m_fixture.year().table(u"BANKKNIH"_s).rows(R"(
        Doklad | Cislo | DatVyst    | DatUcPr    | DatPlat    | DatPln     | Ucet | AdNazev | Celkem | Popis | Vydej | Vyst
        BK0001 | 7     | 2018-01-05 | 2018-01-06 | 2018-01-07 | 2018-01-08 | KB   | Alfa    | 100.5  | Nájem | 1     | Eva
        BK0002 | 8     | 2018-01-05 |            |            |            | KB   | Beta    | 200    | Tržba | 0     | Eva
        BK0003 | 9     | 2018-01-05 |            |            |            | KB   | Gama    | 300    | Tržba | 0     | Eva)");
    m_fixture.tree().table(u"GLAKCE"_s).rows(R"(
        Agenda | Rok  | KodSezn | DoklZkrat | Cislo | KodAkce | Cena  | Datum      | Uzivatel
        001    | 2018 | UB      | BK0001    | 1     | P       | 100.5 | 2018-01-05 | Eva
        001    | 2018 | UB      | BK0001    | 2     | Z       | 100.5 | 2018-01-09 | Petr
        001    | 2018 | UB      | BK0002    | 3     | P       | 150   | 2018-01-05 | Eva
        001    | 2018 | UP      | BK0003    | 4     | Z       | 1     | 2018-01-05 | Eva)");
    EditedSettings settings;
    settings.module = 2;
    ASSERT_EQ(load(settings), 0);
    ASSERT_EQ(m_rows.recordCount(), 3);
    EXPECT_EQ(value(0, "RecNo").toInt(), 1);
    EXPECT_EQ(value(0, "Cislo").toInt(), 7);
    EXPECT_EQ(value(0, "DatPlat").toDateTime().date(), QDate(2018, 1, 7));
    EXPECT_EQ(value(0, "DatPln").toDateTime().date(), QDate(2018, 1, 8));
    EXPECT_EQ(value(0, "UcetPokl").toString(), u"KB"_s);
    EXPECT_EQ(value(0, "AdNazev").toString(), u"Alfa"_s);
    EXPECT_EQ(value(0, "Celkem").toDouble(), 100.5);
    EXPECT_EQ(value(0, "Str30Free").toString(), u"Výdej"_s);
    EXPECT_EQ(value(1, "Str30Free").toString(), u"Příjem"_s);
    EXPECT_EQ(value(0, "Vystavil").toString(), u"Eva"_s);
    EXPECT_FALSE(value(1, "DatUcPr").isValid()); // an empty date stays empty
    EXPECT_EQ(value(0, "TypBarvy").toInt(), 1);
    EXPECT_EQ(value(1, "TypBarvy").toInt(), 2);
    EXPECT_EQ(value(2, "TypBarvy").toInt(), 0); // its log record is of the cash module
    EXPECT_EQ(m_counts.notEdited, 1);
    EXPECT_EQ(m_counts.edited, 1);
    EXPECT_EQ(m_counts.totalChanged, 1);
    EXPECT_EQ(TestSupport::openTableFiles(m_fixture.context().dataRoot), QStringList());
}

TEST_F(EditedLoadTest, ModulesTakeTheirOwnSourceFields)
{
    m_fixture.tree().table(u"GLAKCE"_s);
    m_fixture.year().table(u"PFAKTURY"_s).rows(R"(
        Doklad | Cislo | Vystaveno  | PlnenoDPH  | Ucet | O_NazevOb | D_NazevOb | KUhradeSDP | Vystavil
        FP0001 | 3     | 2018-01-05 | 2018-01-06 | KB   | Odběratel | Dodavatel | 1210       | Eva)");
    m_fixture.year().table(u"SKSEZDOK"_s).rows(R"(
        CisloDokla | CDokladu | Typ | Datum      | O_NazevOb | PopisX | Celkem | Vystavil
        PR0001     | 12       | P   | 2018-01-05 | Alfa      | Zboží  | 50     | Petr)");
    EditedSettings settings;
    settings.module = 7;
    ASSERT_EQ(load(settings), 0);
    ASSERT_EQ(m_rows.recordCount(), 1);
    EXPECT_EQ(value(0, "AdNazev").toString(), u"Dodavatel"_s);
    EXPECT_EQ(value(0, "DatVyst").toDateTime().date(), QDate(2018, 1, 5));
    EXPECT_EQ(value(0, "DatPln").toDateTime().date(), QDate(2018, 1, 6));
    EXPECT_EQ(value(0, "Celkem").toDouble(), 1210.0);
    EXPECT_EQ(value(0, "Vystavil").toString(), u"Eva"_s);

    settings.module = 8;
    ASSERT_EQ(load(settings), 0);
    ASSERT_EQ(m_rows.recordCount(), 1);
    EXPECT_EQ(value(0, "Doklad").toString(), u"PR0001"_s);
    EXPECT_EQ(value(0, "Cislo").toInt(), 12);
    EXPECT_EQ(value(0, "DatVyst").toDateTime().date(), QDate(2018, 1, 5));
    EXPECT_EQ(value(0, "Popis").toString(), u"Zboží"_s);
    EXPECT_FALSE(value(0, "Str30Free").isValid());
}

TEST_F(EditedLoadTest, ProgressMovesEveryTenRows)
{
    m_fixture.tree().table(u"GLAKCE"_s);
    auto book = m_fixture.year().table(u"POKLKNIH"_s);
    for (int n = 1; n <= 25; ++n)
        book.row({{"Doklad", u"PK"_s + QString::number(n).rightJustified(4, u'0')}, {"Cislo", n}, {"Del", n == 3}});
    ASSERT_EQ(load(EditedSettings()), 0);
    EXPECT_EQ(m_rows.recordCount(), 24);
    const RecordingProgress &progress = m_fixture.progress();
    EXPECT_EQ(progress.maxima, QList<int>{25}); // the record count
    EXPECT_EQ(progress.positions, (QList<int>{0, 10, 20}));
    EXPECT_EQ(progress.status, u"Načítám pokladní doklady..."_s);
    EXPECT_FALSE(progress.progressVisible);
}

TEST_F(EditedLoadTest, InterruptStopsTheWalk)
{
    m_fixture.tree().table(u"GLAKCE"_s);
    {
        // The builder holds its table open while it lives: closed before the load.
        auto book = m_fixture.year().table(u"POKLKNIH"_s);
        for (int n = 1; n <= 40; ++n)
            book.row({{"Doklad", u"PK"_s + QString::number(n).rightJustified(4, u'0')}, {"Cislo", n}});
    }
    m_fixture.progress().onPosition = [this](int position) {
        if (position == 20)
            m_fixture.session().interruptRequested = true; // "Přerušit"
    };
    ASSERT_EQ(load(EditedSettings()), 0);
    EXPECT_TRUE(m_fixture.session().interruptRequested);
    EXPECT_EQ(m_rows.recordCount(), 20);
    EXPECT_EQ(TestSupport::openTableFiles(m_fixture.context().dataRoot), QStringList());
}

TEST_F(EditedLoadTest, EmptyTableLoadsNothingWithoutProgress)
{
    m_fixture.tree().table(u"GLAKCE"_s);
    m_fixture.year().table(u"POKLKNIH"_s);
    ASSERT_EQ(load(EditedSettings()), 0);
    EXPECT_EQ(m_rows.recordCount(), 0);
    EXPECT_TRUE(m_fixture.progress().maxima.isEmpty());
}

TEST_F(EditedLoadTest, MissingDocumentTableIsReported)
{
    m_fixture.tree().table(u"GLAKCE"_s);
    ASSERT_EQ(load(EditedSettings()), -1);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Nastala chyba při otevírání databáze "_s +
                                                       m_fixture.context().yearDir + u"POKLKNIH.DAT"_s});
}

TEST_F(EditedLoadTest, MissingActionLogIsReportedAndClosesTheTables)
{
    m_fixture.year().table(u"POKLKNIH"_s);
    ASSERT_EQ(load(EditedSettings()), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nastala chyba při otevírání databáze "_s + m_fixture.context().dataRoot + u"GLAKCE.DAT"_s});
    EXPECT_EQ(TestSupport::openTableFiles(m_fixture.context().dataRoot), QStringList());
}

TEST_F(EditedLoadTest, ActionLogWithoutItsIndexIsReported)
{
    HostTableDef definition = *HostCatalogue::find(u"GLAKCE");
    definition.indexes.clear();
    m_fixture.tree().table(definition);
    m_fixture.year().table(u"POKLKNIH"_s);
    ASSERT_EQ(load(EditedSettings()), -1);
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nastala chyba při nastavení indexu v "_s + m_fixture.context().dataRoot + u"GLAKCE.DAT"_s});
    EXPECT_EQ(TestSupport::openTableFiles(m_fixture.context().dataRoot), QStringList());
}

// The load reads the log's day and user only for the switch that classifies
// by them; each switch, alone and together, still classifies as it should.
struct SwitchCase
{
    const char *name;
    bool useChangeFrom;
    bool ignoreOwn;
    QList<int> expected; // `TypBarvy` of PK0001, PK0002, PK0003
};

void PrintTo(const SwitchCase &c, std::ostream *os)
{
    *os << c.name;
}

class EditedLoadSwitches : public testing::TestWithParam<SwitchCase>
{
};

TEST_P(EditedLoadSwitches, ClassifyByTheDayAndUserOnlyWhenAsked)
{
    EditedFixture fixture;
    fixture.year().table(u"POKLKNIH"_s).rows(R"(
        Doklad | Cislo | Celkem
        PK0001 | 1     | 100
        PK0002 | 2     | 100
        PK0003 | 3     | 100)");
    // PK0001: changed before the change-from date only; PK0002: last changed
    // by the current user; PK0003: changed after the date by another user.
    fixture.tree().table(u"GLAKCE"_s).rows(R"(
        Agenda | Rok  | KodSezn | DoklZkrat | Cislo | KodAkce | Cena | Datum      | Uzivatel
        001    | 2018 | UP      | PK0001    | 1     | P       | 100  | 2018-01-02 | Eva
        001    | 2018 | UP      | PK0001    | 2     | Z       | 100  | 2018-01-03 | Eva
        001    | 2018 | UP      | PK0002    | 3     | P       | 100  | 2018-02-02 | Eva
        001    | 2018 | UP      | PK0002    | 4     | Z       | 100  | 2018-02-03 | jana
        001    | 2018 | UP      | PK0003    | 5     | P       | 100  | 2018-02-02 | Eva
        001    | 2018 | UP      | PK0003    | 6     | Z       | 90   | 2018-02-03 | Petr)");
    const SwitchCase &c = GetParam();
    EditedSettings settings;
    settings.useChangeFrom = c.useChangeFrom;
    settings.changeFrom = QDate(2018, 2, 1);
    settings.ignoreOwn = c.ignoreOwn;
    MemTable rows;
    EditedModules::defineDocumentRows(rows);
    EditedCounts counts;
    ASSERT_EQ(loadEditedDocuments(fixture.session(), settings, rows, counts), 0);
    QList<int> classes;
    for (int row = 0; row < rows.recordCount(); ++row)
        classes.append(rows.value(row, rows.fieldIndex(u"TypBarvy"_s)).toInt());
    EXPECT_EQ(classes, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditedLoadSwitches,
    testing::Values(SwitchCase{"Neither", false, false, {1, 1, 2}}, SwitchCase{"ChangeFrom", true, false, {0, 1, 2}},
                    SwitchCase{"IgnoreOwn", false, true, {1, 0, 2}}, SwitchCase{"Both", true, true, {0, 0, 2}}),
    [](const testing::TestParamInfo<SwitchCase> &paramInfo) { return std::string(paramInfo.param.name); });

} // namespace

// The removal's rules over small host trees: which documents go, what goes
// with them, what the protocol says, and the test mode's promise to list
// exactly what a real run removes while touching nothing.

#include "PurgeFixture.h"

#include "common/TextFile.h"
#include "hostdb/HostCatalogue.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

const QString kDuplicate = u"! nalezena duplicita řádku %1 - aby nebyl narušen platný (nesmazaný) doklad se stejným "
                           u"číslem řádku, bude odstraněn pouze smazaný (modře přeškrtnutý) doklad, nikoliv jeho "
                           u"případné položky a zaúčtování"_s;

QString lastWarning(const QString &document, int number)
{
    return u"UPOZORNĚNÍ: doklad číslo %1 (řádek %2) nyní nelze odstranit, protože se nachází na poslední pozici v "
           u"databázi. Tento řádek bude možné odstranit ve chvíli, kdy bude existovat libovolný nesmazaný doklad s "
           u"vyšším číslem řádku."_s.arg(document)
               .arg(number);
}

// What one table holds after the real run: one field of every record.
struct Remaining
{
    QString table;
    QString field;
    QStringList values;
};

struct RemovalCase
{
    const char *name;
    std::function<void(YearBuilder &)> setup;
    RemovalOptions options; // testMode is set by the test
    QStringList body;       // the protocol after its header, of both runs
    std::vector<Remaining> remaining;
    QStringList numbers; // the removed-numbers table of the last module
};

RemovalOptions cashOnly()
{
    RemovalOptions options;
    options.modules.at(0) = true;
    return options;
}

RemovalOptions freeLinesOnly()
{
    RemovalOptions options;
    options.freeLines = true;
    return options;
}

RemovalOptions journalPasses()
{
    RemovalOptions options;
    options.freeLines = true;
    options.stockLines = true;
    return options;
}

RemovalOptions issuedInvoices()
{
    RemovalOptions options;
    options.modules.at(5) = true;
    return options;
}

void cashTables(YearBuilder &year, const char *documents, const char *items, const char *distribution,
                const char *journal)
{
    year.table(u"POKLKNIH"_s).rows(documents);
    year.table(u"POLUCDPK"_s).rows(items);
    year.table(u"ROZPUPK"_s).rows(distribution);
    year.table(u"UCDENIK"_s).rows(journal);
}

class RemovalCaseTest : public RemovalTest, public testing::WithParamInterface<RemovalCase>
{
};

// Test mode first: the protocol, and every table byte for byte as before.
// Then the real run: the same protocol, and the tables as the case says.
TEST_P(RemovalCaseTest, TestModeListsWhatTheRealRunRemoves)
{
    const RemovalCase &c = GetParam();
    c.setup(year());
    const QStringList tables = QDir(yearDir()).entryList({u"*.DAT"_s}, QDir::Files, QDir::Name);
    std::map<QString, QString> before;
    for (const QString &file : tables)
        before[file] = dump(file.chopped(4));

    RemovalOptions options = c.options;
    options.testMode = true;
    ASSERT_EQ(run(options), 0);
    const QStringList testBody = body();
    EXPECT_EQ(session().protocol().lines().at(4), u"TESTOVACÍ REŽIM - následující změny nebyly provedeny!"_s);
    EXPECT_EQ(testBody, c.body);
    EXPECT_EQ(lastNumbers(), c.numbers);
    for (const QString &file : tables)
        EXPECT_EQ(dump(file.chopped(4)), before[file]) << file.toStdString() << " changed in test mode";

    options.testMode = false;
    ASSERT_EQ(run(options), 0);
    EXPECT_EQ(body(), testBody);
    EXPECT_EQ(lastNumbers(), c.numbers);
    for (const Remaining &r : c.remaining)
        EXPECT_EQ(column(r.table, r.field), r.values) << r.table.toStdString();
    EXPECT_EQ(protocolsShown(), 2);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemovalCaseTest,
    testing::Values(
        // The highest line number never goes: the engine would hand it out
        // again to the next document.
        RemovalCase{"OnlyDeletedIsTheLast",
                    [](YearBuilder &year) {
                        cashTables(year, "Doklad|Cislo|Del\nPP01|1|0\nPP02|2|1", "CISLO|Popis\n1|a\n2|b",
                                   "CisDokladu|Cislo\n2|1", "Cislo|Zdroj|ZRadek\n1|PK|1\n2|PK|2");
                    },
                    cashOnly(),
                    {QString(), u"Pokladní doklady:"_s, lastWarning(u"PP02"_s, 2), u"Celkem odstraněno dokladů: 0"_s},
                    {{u"POKLKNIH"_s, u"Doklad"_s, {u"PP01"_s, u"PP02"_s}},
                     {u"POLUCDPK"_s, u"CISLO"_s, {u"1"_s, u"2"_s}},
                     {u"UCDENIK"_s, u"ZRadek"_s, {u"1"_s, u"2"_s}}},
                    {}},
        RemovalCase{"LastNumberHeldByTwoDeleted",
                    [](YearBuilder &year) {
                        cashTables(year, "Doklad|Cislo|Del\nPP01|1|1\nPP02|3|1\nPP03|2|0\nPP04|3|1",
                                   "CISLO|Popis\n1|a\n3|b", "CisDokladu|Cislo\n1|1", "Cislo|Zdroj|ZRadek\n1|PK|1");
                    },
                    cashOnly(),
                    {QString(), u"Pokladní doklady:"_s, u"Doklad číslo PP01 (řádek 1)"_s, lastWarning(u"PP02"_s, 3),
                     lastWarning(u"PP04"_s, 3), u"Celkem odstraněno dokladů: 1"_s},
                    {{u"POKLKNIH"_s, u"Doklad"_s, {u"PP02"_s, u"PP03"_s, u"PP04"_s}},
                     {u"POLUCDPK"_s, u"CISLO"_s, {u"3"_s}},
                     {u"ROZPUPK"_s, u"CisDokladu"_s, {}},
                     {u"UCDENIK"_s, u"ZRadek"_s, {}}},
                    {u"1"_s}},
        // A valid document with the same line number keeps the items and
        // postings: they may be its own. Another module's line with that
        // number is never touched.
        RemovalCase{"DeletedSharesItsNumberWithAValidOne",
                    [](YearBuilder &year) {
                        cashTables(year, R"(
                            Doklad | Cislo | Del
                            PP01   | 1     | 0
                            PP02   | 2     | 1
                            PP02B  | 2     | 0
                            PP03   | 3     | 1
                            PP04   | 4     | 0)",
                                   "CISLO|Popis\n1|a\n2|b\n2|c\n3|d\n3|e\n4|f", "CisDokladu|Cislo\n2|1\n3|1",
                                   R"(
                            Cislo | Zdroj | ZRadek
                            1     | PK    | 2
                            2     | PK    | 3
                            3     | BK    | 3
                            4     | PK    | 3
                            5     | PK    | 4)");
                    },
                    cashOnly(),
                    {QString(), u"Pokladní doklady:"_s, u"Doklad číslo PP02 (řádek 2)"_s,
                     u"Doklad číslo PP03 (řádek 3)"_s, kDuplicate.arg(2), u"Celkem odstraněno dokladů: 2"_s},
                    {{u"POKLKNIH"_s, u"Doklad"_s, {u"PP01"_s, u"PP02B"_s, u"PP04"_s}},
                     {u"POLUCDPK"_s, u"Popis"_s, {u"a"_s, u"b"_s, u"c"_s, u"f"_s}},
                     {u"ROZPUPK"_s, u"CisDokladu"_s, {u"2"_s}},
                     {u"UCDENIK"_s, u"Cislo"_s, {u"1"_s, u"3"_s, u"5"_s}}},
                    {u"2!"_s, u"3"_s}},
        RemovalCase{"TwoDeletedShareANumber",
                    [](YearBuilder &year) {
                        cashTables(year, "Doklad|Cislo|Del\nPP01|1|0\nPP02|2|1\nPP02B|2|1\nPP03|3|0",
                                   "CISLO|Popis\n1|a\n2|b\n2|c\n3|d", "CisDokladu|Cislo\n2|1\n2|2\n3|1",
                                   "Cislo|Zdroj|ZRadek\n1|PK|2\n2|PK|2\n3|PK|2\n4|PK|3");
                    },
                    cashOnly(),
                    {QString(), u"Pokladní doklady:"_s, u"Doklad číslo PP02 (řádek 2)"_s,
                     u"Doklad číslo PP02B (řádek 2)"_s, u"Celkem odstraněno dokladů: 2"_s},
                    {{u"POKLKNIH"_s, u"Doklad"_s, {u"PP01"_s, u"PP03"_s}},
                     {u"POLUCDPK"_s, u"Popis"_s, {u"a"_s, u"d"_s}},
                     {u"ROZPUPK"_s, u"CisDokladu"_s, {u"3"_s}},
                     {u"UCDENIK"_s, u"Cislo"_s, {u"4"_s}}},
                    {u"2"_s}},
        // The journal's source code is found without regard to case, and the
        // walk over the found lines compares it the same way.
        RemovalCase{
            "JournalSourceInLowerCase",
            [](YearBuilder &year) {
                cashTables(year, "Doklad|Cislo|Del\nPP01|1|1\nPP02|2|0", "CISLO|Popis\n1|a", "CisDokladu|Cislo\n1|1",
                           "Cislo|Zdroj|ZRadek\n1|pk|1\n2|Pk|1\n3|PK|2");
            },
            cashOnly(),
            {QString(), u"Pokladní doklady:"_s, u"Doklad číslo PP01 (řádek 1)"_s, u"Celkem odstraněno dokladů: 1"_s},
            {{u"POKLKNIH"_s, u"Doklad"_s, {u"PP02"_s}},
             {u"POLUCDPK"_s, u"CISLO"_s, {}},
             {u"UCDENIK"_s, u"Cislo"_s, {u"3"_s}}},
            {u"1"_s}},
        // Free lines go from the whole journal, whatever the modules.
        RemovalCase{"FreeLinesOfUncheckedModules",
                    [](YearBuilder &year) {
                        year.table(u"UCDENIK"_s).rows(R"(
                            Cislo | Zdroj | ZRadek | Free | Del
                            1     | PK    | 1      | 0    | 0
                            2     | PK    | 1      | 1    | 0
                            3     | FV    | 4      | 1    | 0
                            4     | BK    | 2      | 0    | 1
                            5     | ID    | 9      | 1    | 1)");
                    },
                    freeLinesOnly(),
                    {u"Odstranění volných řádků v účetním deníku:"_s, u"Řádek číslo 2"_s, u"Řádek číslo 3"_s,
                     u"Řádek číslo 5"_s, u"Celkem odstraněno záznamů: 3"_s},
                    {{u"UCDENIK"_s, u"Cislo"_s, {u"1"_s, u"4"_s}}},
                    {}},
        // A deleted stock line that is also free goes once, with the free
        // lines.
        RemovalCase{"StockLinesOfDeletedStockDocuments",
                    [](YearBuilder &year) {
                        year.table(u"UCDENIK"_s).rows(R"(
                            Cislo | Zdroj | ZRadek | Free | Del
                            1     | SK    | 1      | 0    | 1
                            2     | SK    | 2      | 0    | 0
                            3     | PK    | 3      | 0    | 1
                            4     | SK    | 4      | 1    | 1
                            5     | sk    | 5      | 0    | 1)");
                    },
                    journalPasses(),
                    {u"Odstranění volných řádků v účetním deníku:"_s, u"Řádek číslo 4"_s,
                     u"Celkem odstraněno záznamů: 1"_s, QString(),
                     u"Odstranění smazaných řádků sklad. dokladů v účetním deníku:"_s, u"Řádek číslo 1"_s,
                     u"Řádek číslo 5"_s, u"Celkem odstraněno záznamů: 2"_s},
                    {{u"UCDENIK"_s, u"Cislo"_s, {u"2"_s, u"3"_s}}},
                    {}},
        RemovalCase{
            "InvoiceItems",
            [](YearBuilder &year) {
                year.table(u"VFAKTURY"_s).rows("Doklad|Cislo|FlagDel\nFV01|1|0\nFV02|2|1\nFV03|3|0");
                year.table(u"VFAKTPOL"_s).rows("Cislo|CisloSkPol|Popis\n2|2|b\n1|1|a\n2|1|c\n3|1|d");
                year.table(u"UCDENIK"_s).rows("Cislo|Zdroj|ZRadek\n1|FV|2\n2|FP|2\n3|FV|3");
            },
            issuedInvoices(),
            {QString(), u"Vystavené faktury:"_s, u"Doklad číslo FV02 (řádek 2)"_s, u"Celkem odstraněno dokladů: 1"_s},
            {{u"VFAKTURY"_s, u"Doklad"_s, {u"FV01"_s, u"FV03"_s}},
             {u"VFAKTPOL"_s, u"Popis"_s, {u"a"_s, u"d"_s}},
             {u"UCDENIK"_s, u"Cislo"_s, {u"2"_s, u"3"_s}}},
            {u"2"_s}}),
    [](const testing::TestParamInfo<RemovalCase> &paramInfo) { return std::string(paramInfo.param.name); });

// Every module over both kinds of bookkeeping: the deleted document goes with
// its items, the distribution records of the year's bookkeeping and its
// journal lines; the valid one keeps everything; a distribution table of the
// other bookkeeping is never touched.
struct ModuleCase
{
    const char *name;
    int module;
    bool doubleEntry;
};

class ModuleDependantsTest : public RemovalTest, public testing::WithParamInterface<ModuleCase>
{
protected:
    ModuleDependantsTest() : RemovalTest(GetParam().doubleEntry) {}
};

TEST_P(ModuleDependantsTest, DeletedDocumentGoesWithItsDependants)
{
    const RemovalModule &module = kRemovalModules.at(size_t(GetParam().module));
    const bool doubleEntry = GetParam().doubleEntry;
    const QString flag = QString::fromUtf16(module.deletionFlag);
    const QString itemsField = QString::fromUtf16(module.itemsField);
    const QString journal = doubleEntry ? u"UCDENIK"_s : u"UCPENDEN"_s;
    const QString code = QString::fromUtf16(module.sourceCode);
    year().table(QString::fromUtf16(module.table)).rows(u"Doklad|Cislo|"_s + flag + u"\nD1|1|1\nD2|2|0"_s);
    year().table(QString::fromUtf16(module.itemsTable)).rows(itemsField + u"|Popis\n1|a\n2|b\n1|c"_s);
    QStringList distributions;
    for (const char16_t *name : {module.distributionDE, module.distributionSE}) {
        if (name) {
            distributions.append(QString::fromUtf16(name));
            year().table(distributions.last()).rows("CisDokladu|Cislo\n1|1\n2|1");
        }
    }
    year().table(journal).rows(u"Cislo|Zdroj|ZRadek\n1|"_s + code + u"|1\n2|"_s + code + u"|2\n3|"_s + code + u"|1"_s);

    RemovalOptions options;
    options.testMode = false;
    options.modules.at(size_t(GetParam().module)) = true;
    ASSERT_EQ(run(options), 0);
    EXPECT_EQ(body(), (QStringList{QString(), QString::fromUtf16(module.title) + u':', u"Doklad číslo D1 (řádek 1)"_s,
                                   u"Celkem odstraněno dokladů: 1"_s}));
    EXPECT_EQ(column(QString::fromUtf16(module.table), u"Doklad"_s), QStringList{u"D2"_s});
    EXPECT_EQ(column(QString::fromUtf16(module.itemsTable), u"Popis"_s), QStringList{u"b"_s});
    EXPECT_EQ(column(journal, u"Cislo"_s), QStringList{u"2"_s});
    const QString used = module.distributionTable(doubleEntry);
    for (const QString &distribution : distributions) {
        const QStringList expected = distribution == used ? QStringList{u"2"_s} : QStringList{u"1"_s, u"2"_s};
        EXPECT_EQ(column(distribution, u"CisDokladu"_s), expected) << distribution.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ModuleDependantsTest,
    testing::Values(ModuleCase{"CashDoubleEntry", 0, true}, ModuleCase{"CashSingleEntry", 0, false},
                    ModuleCase{"BankDoubleEntry", 1, true}, ModuleCase{"BankSingleEntry", 1, false},
                    ModuleCase{"PayablesDoubleEntry", 2, true}, ModuleCase{"PayablesSingleEntry", 2, false},
                    ModuleCase{"ReceivablesDoubleEntry", 3, true}, ModuleCase{"ReceivablesSingleEntry", 3, false},
                    ModuleCase{"InternalDoubleEntry", 4, true}, ModuleCase{"InternalSingleEntry", 4, false},
                    ModuleCase{"IssuedInvoices", 5, true}, ModuleCase{"ReceivedInvoicesSingleEntry", 6, false}),
    [](const testing::TestParamInfo<ModuleCase> &paramInfo) { return std::string(paramInfo.param.name); });

// Cash documents 1-3 deleted, 4 valid, each with an item and a journal line;
// bank documents likewise.
void cashAndBank(YearBuilder &year)
{
    year.table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP01|1|1\nPP02|2|1\nPP03|3|1\nPP04|4|0");
    year.table(u"POLUCDPK"_s).rows("CISLO|Popis\n1|a\n2|b\n3|c\n4|d");
    year.table(u"ROZPUPK"_s);
    year.table(u"BANKKNIH"_s).rows("Doklad|Cislo|Del\nBU01|1|1\nBU02|2|0");
    year.table(u"POLUCDBK"_s).rows("CISLO|Popis\n1|a\n2|b");
    year.table(u"ROZPUBK"_s);
    year.table(u"UCDENIK"_s)
        .rows("Cislo|Zdroj|ZRadek|Free\n1|PK|1|0\n2|PK|2|0\n3|PK|3|0\n4|BK|1|0\n5|PK|4|1\n6|PK|4|1");
}

TEST_F(RemovalTest, InterruptEndsTheScanAndTheProtocolFileSaysSo)
{
    cashAndBank(year());
    progress().interruptAfter = u"Pokladní doklady..."_s;
    ASSERT_EQ(run(modules({u"POKLKNIH"_s, u"BANKKNIH"_s})), 0);
    const QStringList expected{QString(), u"Pokladní doklady:"_s, u"Doklad číslo PP01 (řádek 1)"_s,
                               u"Celkem odstraněno dokladů: 1"_s, u"Operace přerušena uživatelem."_s};
    EXPECT_EQ(body(), expected);
    EXPECT_EQ(progress().statuses.last(), u"Operace přerušena uživatelem."_s);
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s), (QStringList{u"PP02"_s, u"PP03"_s, u"PP04"_s}));
    EXPECT_EQ(column(u"POLUCDPK"_s, u"CISLO"_s), (QStringList{u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(column(u"BANKKNIH"_s, u"Doklad"_s), (QStringList{u"BU01"_s, u"BU02"_s})) << "the bank is not reached";

    // Saved as the host's text files are: Windows-1250, CR LF.
    EXPECT_EQ(TextFile::readLines(protocolFile()), session().protocol().lines());
    QFile file(protocolFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("Operace p\xf8"
                               "eru\x9a"
                               "ena u\x9eivatelem.\r\n"))
        << bytes.constData();
    EXPECT_EQ(protocolsShown(), 1);
}

TEST_F(RemovalTest, InterruptFinishesTheDocumentsSharingALineNumber)
{
    year().table(u"POKLKNIH"_s).rows("Doklad|Cislo|Del\nPP01|1|1\nPP01B|1|1\nPP02|2|1\nPP03|3|0");
    year().table(u"POLUCDPK"_s).rows("CISLO|Popis\n1|a\n2|b");
    year().table(u"ROZPUPK"_s);
    year().table(u"UCDENIK"_s);
    progress().interruptAfter = u"Pokladní doklady..."_s;
    ASSERT_EQ(run(modules({u"POKLKNIH"_s})), 0);
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s), (QStringList{u"PP02"_s, u"PP03"_s}));
    EXPECT_EQ(column(u"POLUCDPK"_s, u"CISLO"_s), QStringList{u"2"_s});
    EXPECT_EQ(body().mid(2, 2), (QStringList{u"Doklad číslo PP01 (řádek 1)"_s, u"Doklad číslo PP01B (řádek 1)"_s}));
}

TEST_F(RemovalTest, InterruptInTheFreeLinePassSkipsTheModules)
{
    cashAndBank(year());
    progress().interruptAfter = u"Odstranění volných řádků v účetním deníku..."_s;
    RemovalOptions options = modules({u"POKLKNIH"_s});
    options.freeLines = true;
    ASSERT_EQ(run(options), 0);
    const QStringList expected{u"Odstranění volných řádků v účetním deníku:"_s, u"Celkem odstraněno záznamů: 0"_s,
                               u"Operace přerušena uživatelem."_s};
    EXPECT_EQ(body(), expected) << "the walk ends after the first line, which is not free";
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s).size(), 4);
    EXPECT_TRUE(QFile::exists(protocolFile()));
}

// A module table that cannot be opened ends the run at once: no protocol
// is shown or saved (an older file stays), what earlier modules removed
// stays removed.
TEST_F(RemovalTest, ModuleTableThatCannotBeOpenedEndsWithoutProtocol)
{
    cashAndBank(year());
    QFile::remove(yearDir() + u"BANKKNIH.DAT"_s);
    ASSERT_TRUE(TextFile::writeLines(protocolFile(), {u"starý protokol"_s}));
    EXPECT_EQ(run(modules({u"POKLKNIH"_s, u"BANKKNIH"_s})), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(scriptedUi().messages().at(0).text,
              u"Nastala chyba při otevírání databáze "_s + yearDir() + u"BANKKNIH.DAT"_s);
    EXPECT_EQ(protocolsShown(), 0);
    EXPECT_EQ(TextFile::readLines(protocolFile()), QStringList{u"starý protokol"_s});
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s), QStringList{u"PP04"_s});
    EXPECT_EQ(TestSupport::openTableFiles(dataRoot()), QStringList());
}

// A dependent table that cannot be opened stops before anything of the
// document is removed; the protocol is shown and saved, without the total.
TEST_F(RemovalTest, DependentTableThatCannotBeOpenedLeavesTheDocumentWhole)
{
    cashAndBank(year());
    QFile::remove(yearDir() + u"POLUCDPK.DAT"_s);
    const QString journalBefore = dump(u"UCDENIK"_s);
    ASSERT_EQ(run(modules({u"POKLKNIH"_s, u"BANKKNIH"_s})), 0);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).text,
              u"Nastala chyba při otevírání databáze "_s + yearDir() + u"POLUCDPK.DAT"_s);
    EXPECT_EQ(body(), (QStringList{QString(), u"Pokladní doklady:"_s}));
    EXPECT_EQ(column(u"POKLKNIH"_s, u"Doklad"_s).size(), 4);
    EXPECT_EQ(dump(u"UCDENIK"_s), journalBefore);
    EXPECT_EQ(TextFile::readLines(protocolFile()), session().protocol().lines());
    EXPECT_EQ(protocolsShown(), 1);
    EXPECT_EQ(TestSupport::openTableFiles(dataRoot()), QStringList());
}

// A table without a field the run reads makes the engine raise its error in
// the middle of a pass: the run fails, the engine's message is the only one,
// and no table of the run stays open, whichever pass had opened it.
struct EngineErrorCase
{
    const char *name;
    const char16_t *table;
    const char16_t *missingField;
    const char *rows;
    RemovalOptions options;
};

void PrintTo(const EngineErrorCase &c, std::ostream *os)
{
    *os << c.name;
}

class RemovalEngineErrorTest : public RemovalTest, public testing::WithParamInterface<EngineErrorCase>
{
};

TEST_P(RemovalEngineErrorTest, FailsTheRunWithEveryTableClosed)
{
    const EngineErrorCase &c = GetParam();
    const std::vector<std::pair<const char16_t *, const char *>> tables{
        {u"POKLKNIH", "Doklad|Cislo|Del\nPP01|1|1\nPP02|2|0"},
        {u"POLUCDPK", "CISLO|Popis\n1|a"},
        {u"ROZPUPK", "CisDokladu|Cislo\n1|1"},
        {u"UCDENIK", "Cislo|Zdroj|ZRadek|Free|Del\n1|PK|1|0|0\n2|SK|7|1|1"}};
    for (const auto &[name, rows] : tables) {
        HostTableDef definition = HostCatalogue::table(name);
        if (QStringView(name) == QStringView(c.table)) {
            definition.fields.removeIf(
                [&](const HostField &field) { return field.name == QString::fromUtf16(c.missingField); });
            year().table(definition).rows(c.rows);
        } else {
            year().table(definition).rows(rows);
        }
    }

    EXPECT_EQ(run(c.options), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(protocolsShown(), 0);
    EXPECT_EQ(TestSupport::openTableFiles(dataRoot()), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Removal, RemovalEngineErrorTest,
                         testing::Values(
                             // The walk's table and the duplicate test's second cursor are open.
                             EngineErrorCase{"DocumentTableWithoutItsDeletionFlag", u"POKLKNIH", u"Del",
                                             "Doklad|Cislo\nPP01|1\nPP02|2", cashOnly()},
                             EngineErrorCase{"JournalWithoutItsFreeFlagInTheFreeLinePass", u"UCDENIK", u"Free",
                                             "Cislo|Zdroj|ZRadek|Del\n1|PK|1|0", freeLinesOnly()},
                             EngineErrorCase{"JournalWithoutItsDeletionFlagInTheStockLinePass", u"UCDENIK", u"Del",
                                             "Cislo|Zdroj|ZRadek|Free\n1|SK|1|0", journalPasses()}),
                         TestSupport::rowName);

TEST_F(RemovalTest, HeaderAndEmptyTable)
{
    year().table(u"INTDOKL"_s);
    ASSERT_EQ(run(modules({u"INTDOKL"_s}, true)), 0);
    EXPECT_EQ(session().protocol().lines(),
              (QStringList{u"Agenda: Demo s.r.o."_s, u"Rok: 2018"_s, u"Datum: 30.6.2018 14:05:09 hod."_s, QString(),
                           u"TESTOVACÍ REŽIM - následující změny nebyly provedeny!"_s, QString(), QString(),
                           u"Interní doklady:"_s, u"Celkem odstraněno dokladů: 0"_s}));
    EXPECT_EQ(progress().statuses, (QStringList{u"Interní doklady..."_s, u"Dokončeno"_s}));
}

TEST(RemovalOptions, AnythingChosen)
{
    RemovalOptions options;
    EXPECT_FALSE(options.anyChosen());
    options.freeLines = true;
    EXPECT_TRUE(options.anyChosen());
    options = RemovalOptions();
    options.stockLines = true;
    EXPECT_TRUE(options.anyChosen());
    options = RemovalOptions();
    options.modules.at(6) = true;
    EXPECT_TRUE(options.anyChosen());
}

} // namespace

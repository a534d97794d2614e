#include "demo/DemoCompany.h"

#include "fixture/HostTreeBuilder.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QTime>

#include <cmath>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

using namespace Qt::StringLiterals;

namespace DemoCompany {

namespace {

const QStringList kPartners = {u"ALFA stavby s.r.o."_s,   u"Beta obchod a.s."_s, u"Cyklo Vysočina"_s,
                               u"Drogerie Nováková"_s,    u"Elektro Šťastný"_s,  u"Fiala a syn"_s,
                               u"Gastro Morava s.r.o."_s, u"Hotel Pod Lípou"_s,  u"Instalatérství Žák"_s,
                               u"Jízdní kola Řehoř"_s};
const QStringList kUsers = {u"Demo"_s, u"Jana Nováková"_s, u"Petr Svoboda"_s, u"Eva Dvořáková"_s};
constexpr double kEuroRate = 25.5;

QString composeNumber(const QString &prefix, int n)
{
    return prefix + u"%1"_s.arg(n, 4, 10, QChar(u'0'));
}

// One document as the generator remembers it for the tables that refer to it.
struct Document
{
    QString number;
    int cislo = 0;
    QDate date;
    double total = 0;
    bool deleted = false;
    QString user;
};

// A paid document of another module that a cash document settles.
struct PaidLink
{
    QString kind; // "FV", "FP", "KP", "KZ"
    int cislo = 0;
    QString year; // empty for the open year
};

// One action of the host's action log.
struct Action
{
    QString agenda, year, list, number, code, user, description;
    double price = 0;
    QDate date;
    QTime time;
};

struct SeriesPlan
{
    QString code; // with placeholders, e.g. "PPrr"
    QString name;
    QStringList flags;
    int issued = 0; // last number issued
};

class Generator
{
public:
    explicit Generator(HostTreeBuilder &tree) : m_tree(tree) {}

    void run();

private:
    // Randomness from one fixed seed.
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    double amount(double low, double high)
    {
        return std::round(std::uniform_real_distribution<double>(low, high)(m_random) * 100.0) / 100.0;
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString partner() { return kPartners.at(between(0, int(kPartners.size()) - 1)); }
    QString user() { return kUsers.at(between(0, int(kUsers.size()) - 1)); }

    void buildAgenda001();
    void buildAgenda002();
    void buildRights();
    void writeActionLog();

    void buildYear(AgendaBuilder &agenda, YearBuilder &year, int yearNumber, bool doubleEntry);
    void buildCodeLists(YearBuilder &year, bool euro);
    void buildSeries(YearBuilder &year, const std::vector<SeriesPlan> &series);

    // A book of cash or bank documents; returns the documents written. The
    // document numbered `lockedNumber` is locked (0: none).
    std::vector<Document> buildBook(TableBuilder &book, const QString &accountField, const QString &account,
                                    const QString &currency, const QString &prefix, int count, bool expense,
                                    int firstCislo, const QDate &start, const QList<int> &missing,
                                    const QList<int> &deleted, int lockedNumber = 3);
    void journalLines(TableBuilder &journal, const QString &source, const Document &document, const QString &debit,
                      const QString &credit);
    void logDocument(const QString &agenda, const QString &year, const QString &list, const Document &document);
    // A payment record: the cash document `payer` paid document `paidCislo`
    // of kind `kind` (of `paidYear`, empty for the open year).
    static void payment(TableBuilder &payments, const Document &payer, const QString &kind, int paidCislo,
                        double amount, const QString &paidYear = QString());
    // An issued or received invoice with its one item.
    void invoice(TableBuilder &invoices, TableBuilder &items, const QString &prefix, const Document &document,
                 const QString &partnerField, const QString &text, const QString &paidBy);

    HostTreeBuilder &m_tree;
    std::mt19937 m_random{2018};
    std::vector<Action> m_actions;
    int m_journalLine = 0;
    // Invoices of 2017 that cash documents of 2018 pay: (number of the
    // paying cash document, invoice line number).
    std::vector<std::pair<QString, int>> m_lateInvoices;
};

void Generator::run()
{
    buildAgenda001();
    buildAgenda002();
    buildRights();
    writeActionLog();
}

void Generator::buildAgenda001()
{
    AgendaBuilder &agenda = m_tree.agenda(u"001"_s);
    agenda.name(u"Demo s.r.o."_s).exchangeState(u"NORMAL"_s).lastClosing(u"31.12.2017"_s);

    YearBuilder &y2017 = agenda.year(u"2017"_s);
    y2017.yearName(u"2017"_s).doubleEntry(true).currencySymbol(u"Kč"_s);
    y2017.fiscalYear(QDate(2017, 1, 1), QDate(2017, 12, 31)).postsStockMovements(true);
    buildYear(agenda, y2017, 2017, true);

    YearBuilder &y2018 = agenda.year(u"2018"_s);
    y2018.iniForm(IniForm::Table);
    y2018.yearName(u"2018"_s).doubleEntry(true).currencySymbol(u"Kč"_s);
    y2018.fiscalYear(QDate(2018, 1, 1), QDate(2018, 12, 31)).postsStockMovements(true);
    buildYear(agenda, y2018, 2018, true);

    // VAT returns filed for every month of 2017 and the first quarter of 2018.
    auto filings = agenda.table(u"SZDPH"_s);
    for (int month = 1; month <= 12; ++month) {
        const QDate from(2017, month, 1);
        filings.row({{"DatumOd", from},
                     {"DatumDo", from.addMonths(1).addDays(-1)},
                     {"Podano", from.addMonths(1).addDays(24)},
                     {"Typ", "R"}});
    }
    filings.row({{"DatumOd", QDate(2018, 1, 1)},
                 {"DatumDo", QDate(2018, 3, 31)},
                 {"Podano", QDate(2018, 4, 25)},
                 {"Typ", "R"}});

    // Asset movements, reserves and adjustments posted by internal documents.
    agenda.table(u"MJINVPOH"_s).rows(R"(
        Doklad   | ZauctDokla | Datum      | InvCislo | Castka   | Popis
        ID180002 | ID180002   | 2018-01-31 | HM0001   | 12500    | Odpis osobního automobilu
        ID180005 |            | 2018-02-28 | HM0001   | 12500    | Odpis osobního automobilu
                 | ID180009   | 2018-03-31 | HM0002   | 4800     | Odpis serveru
        PP180004 | ID180011   | 2018-04-10 | DM0007   | 1500     | Vyřazení drobného majetku
    )");
    agenda.table(u"REZTVORB"_s).rows(R"(
        Doklad   | Datum      | Ucet   | Castka | Popis
        ID180003 | 2018-01-31 | 459100 | 20000  | Rezerva na opravu střechy
    )");
    agenda.table(u"REZCERP"_s).rows(R"(
        Doklad   | Datum      | Ucet   | Castka | Popis
        ID180012 | 2018-05-31 | 459100 | 8000   | Čerpání rezervy na opravu střechy
    )");
    agenda.table(u"OPPTVORB"_s).rows(R"(
        Doklad   | Datum      | Ucet   | Castka | Popis
        ID180006 | 2018-02-28 | 391100 | 3500   | Opravná položka k pohledávce FV170003
    )");
    agenda.table(u"OPPCERP"_s);
    agenda.table(u"OBJTYPY"_s).rows(R"(
        Zkratka | Popis                  | TYP
        OBJ     | Objednávka přijatá     | R
        NAB     | Nabídka vystavená      | N
        POP     | Poptávka přijatá       | J
        OBV     | Objednávka vystavená   | O
    )");
}

void Generator::buildAgenda002()
{
    AgendaBuilder &agenda = m_tree.agenda(u"002"_s);
    agenda.name(u"Jednoduchá s.r.o."_s).exchangeState(u"NORMAL"_s);
    YearBuilder &year = agenda.year(u"2018"_s);
    year.yearName(u"2018"_s).doubleEntry(false).currencySymbol(u"Kč"_s);
    year.fiscalYear(QDate(2018, 1, 1), QDate(2018, 12, 31));
    buildYear(agenda, year, 2018, false);
    agenda.table(u"SZDPH"_s);
}

void Generator::buildCodeLists(YearBuilder &year, bool euro)
{
    auto accounts = year.table(u"SZUCPOKL"_s);
    accounts.rows(R"(
        Zkrat | Popis                     | Typ | CisloUctu           | Mena | PocStav
        POK   | Hlavní pokladna           | P   |                     |      | 15000
        KB    | Běžný účet Komerční banka | B   | 123456789/0100      |      | 250000
    )");
    if (euro) {
        accounts.rows(R"(
            Zkrat  | Popis                  | Typ | CisloUctu                | Mena | PocStav
            POKEUR | Pokladna EUR           | P   |                          | EUR  | 800
            RBEUR  | Devizový účet EUR      | B   | CZ6555000000001234567890 | EUR  | 12000
        )");
    }
    year.table(u"SZCINN"_s).rows("Zkrat|Nazev\nVYR|Výroba\nOBCH|Obchod\nSLUZ|Služby");
    year.table(u"SZSTRED"_s).rows("Zkrat|Nazev\nPRAHA|Provozovna Praha\nBRNO|Provozovna Brno");
    year.table(u"ZAKAZKY"_s).rows("Zkrat|Nazev\nZ001|Rekonstrukce kanceláří\nZ002|Dodávka kol");
    year.table(u"VFAKTTYP"_s).rows("Zkratka|Nazev\nFV|Faktura vydaná\nZAL|Zálohová faktura");
    year.table(u"SKDOKTYP"_s).rows(R"(
        Zkratka | Popis              | TYP
        PRO     | Prodejka           | P
        DL      | Dodací list        | D
        VYD     | Výdejka            | V
    )");
}

void Generator::buildSeries(YearBuilder &year, const std::vector<SeriesPlan> &series)
{
    auto table = year.table(u"CISRADY"_s);
    auto freeNumbers = year.table(u"VOLNECIS"_s);
    for (const SeriesPlan &plan : series) {
        std::vector<FixtureField> fields{
            {"Rada", plan.code}, {"Nazev", plan.name}, {"Cislo", plan.issued + 1}, {"Nuly", true}, {"PocetMist", 4}};
        for (const QString &flag : plan.flags)
            fields.emplace_back(flag, true);
        table.row(fields);
    }
    // Numbers handed back for re-use: the last two cash receipts (they trim
    // the checked range), one in the middle of the bank series and one not
    // offered again.
    freeNumbers.row({{"Rada", "PPrr"}, {"Cislo", 41}, {"Nenab", false}});
    freeNumbers.row({{"Rada", "PPrr"}, {"Cislo", 42}, {"Nenab", false}});
    freeNumbers.row({{"Rada", "BUrr"}, {"Cislo", 9}, {"Nenab", false}});
    freeNumbers.row({{"Rada", "VPrr"}, {"Cislo", 26}, {"Nenab", true}});
}

void Generator::journalLines(TableBuilder &journal, const QString &source, const Document &document,
                             const QString &debit, const QString &credit)
{
    const int lines = document.total > 5000 ? 2 : 1;
    double rest = document.total;
    for (int i = 0; i < lines; ++i) {
        const double part = i + 1 == lines ? rest : std::round(document.total * 0.79 * 100.0) / 100.0;
        rest -= part;
        journal.row({{"Cislo", ++m_journalLine},
                     {"Zdroj", source},
                     {"ZRadek", document.cislo},
                     {"Doklad", document.number},
                     {"Datum", document.date},
                     {"MD", debit},
                     {"DAL", i == 0 ? credit : u"343100"_s},
                     {"Castka", part},
                     {"Popis", u"Zaúčtování "_s + document.number},
                     {"Del", document.deleted}});
    }
}

std::vector<Document> Generator::buildBook(TableBuilder &book, const QString &accountField, const QString &account,
                                           const QString &currency, const QString &prefix, int count, bool expense,
                                           int firstCislo, const QDate &start, const QList<int> &missing,
                                           const QList<int> &deleted, int lockedNumber)
{
    std::vector<Document> documents;
    QDate date = start;
    int cislo = firstCislo;
    for (int n = 1; n <= count; ++n) {
        date = date.addDays(between(0, 4));
        if (missing.contains(n))
            continue; // a number the series issued but no document kept
        Document document;
        document.number = composeNumber(prefix, n);
        document.cislo = cislo++;
        // Numbers out of date order: every ninth document was entered late,
        // dated a few days before the previous one.
        document.date = n % 9 == 0 ? date.addDays(-between(3, 6)) : date;
        document.deleted = deleted.contains(n);
        document.user = user();
        const double euro = currency.isEmpty() ? 0.0 : amount(20, 900);
        document.total = currency.isEmpty() ? amount(150, 24000) : std::round(euro * kEuroRate * 100.0) / 100.0;
        const bool locked = n == lockedNumber;
        // One number typed in lower case, as the host allows.
        const QString stored = n == 22 ? document.number.toLower() : document.number;
        book.row({{"Doklad", stored},
                  {"Cislo", document.cislo},
                  {"DRada", prefix},
                  {"DCislo", n},
                  {"DatVyst", document.date},
                  {"DatUcPr", document.date},
                  {"DatPlat", document.date},
                  {"DatPln", document.date},
                  {accountField, account},
                  {"AdNazev", partner()},
                  {"Popis", expense ? u"Nákup materiálu"_s : u"Tržba za zboží"_s},
                  {"Vydej", expense},
                  {"Celkem", document.total},
                  {"Mena", currency},
                  {"ValutyKUhr", euro},
                  {"Uzamceni", locked},
                  {"Vyst", document.user},
                  {"Del", document.deleted}});
        documents.push_back(document);
    }
    return documents;
}

void Generator::logDocument(const QString &agenda, const QString &year, const QString &list, const Document &document)
{
    // Creation, then for some documents edits by other users: some keep the
    // total, some change it (the creation logged the earlier total).
    const int pattern = between(1, 100);
    const bool changedTotal = pattern > 82;
    const bool edited = pattern > 55;
    const double created = changedTotal ? std::round(document.total * 0.9 * 100.0) / 100.0 : document.total;
    const QTime time(between(7, 17), between(0, 59), between(0, 59));
    m_actions.push_back({agenda, year, list, document.number, u"P"_s, document.user, u"Přidání dokladu"_s, created,
                         document.date, time});
    if (edited) {
        const int edits = between(1, 3);
        for (int i = 0; i < edits; ++i) {
            const bool last = i + 1 == edits;
            m_actions.push_back({agenda, year, list, document.number, u"Z"_s, user(), u"Oprava dokladu"_s,
                                 last ? document.total : created, document.date.addDays(between(1, 40)),
                                 QTime(between(7, 17), between(0, 59))});
        }
    }
    if (document.deleted)
        m_actions.push_back({agenda, year, list, document.number, u"R"_s, user(), u"Zrušení dokladu"_s, document.total,
                             document.date.addDays(between(1, 10)), QTime(16, 5)});
}

void Generator::payment(TableBuilder &payments, const Document &payer, const QString &kind, int paidCislo,
                        double amount, const QString &paidYear)
{
    payments.row({{"Poradi", 1},
                  {"TypeUDokl", "P"},
                  {"CisloUDokl", payer.cislo},
                  {"TypeHDokl", kind},
                  {"CisloHDokl", paidCislo},
                  {"HRok", paidYear},
                  {"Datum", payer.date},
                  {"Castka", amount}});
}

void Generator::invoice(TableBuilder &invoices, TableBuilder &items, const QString &prefix, const Document &document,
                        const QString &partnerField, const QString &text, const QString &paidBy)
{
    invoices.row({{"Doklad", document.number},
                  {"Cislo", document.cislo},
                  {"DRada", prefix},
                  {"DCislo", document.cislo},
                  {"Vystaveno", document.date},
                  {"DatUcPr", document.date},
                  {"PlnenoDPH", document.date},
                  {"Splatno", document.date.addDays(14)},
                  {"Ucet", u"KB"_s},
                  {partnerField, partner()},
                  {"Popis", text},
                  {"KUhradeSDP", document.total},
                  {"UDoklad", paidBy},
                  {"Vystavil", document.user},
                  {"FlagDel", document.deleted}});
    items.row({{"Cislo", document.cislo},
               {"CisloSkPol", 1},
               {"Popis", text},
               {"Mnozstvi", 1.0},
               {"MJ", u"ks"_s},
               {"Cena", document.total},
               {"SazbaDPH", 21}});
}

void Generator::buildYear(AgendaBuilder &agenda, YearBuilder &year, int yearNumber, bool doubleEntry)
{
    const QString yy = QString::number(yearNumber % 100).rightJustified(2, u'0');
    const QString yearCode = year.code();
    const QString agendaCode = agenda.code();
    const QDate start(yearNumber, 1, 2);
    const bool full = agendaCode == u"001"_s;

    buildCodeLists(year, full);
    std::vector<SeriesPlan> series{
        {u"PPrr"_s, u"Pokladní příjmy"_s, {u"PP"_s}, 42},
        {u"VPrr"_s, u"Pokladní výdaje"_s, {u"VP"_s}, 26},
        {u"IDrr"_s, u"Interní doklady"_s, {u"ID"_s}, 20},
    };
    if (full) {
        const std::vector<SeriesPlan> more{
            {u"PErr"_s, u"Pokladna EUR"_s, {u"PP"_s, u"VP"_s}, 10},
            {u"BUrr"_s, u"Banka KB"_s, {u"PU"_s, u"VU"_s}, 30},
            {u"BErr"_s, u"Banka EUR"_s, {u"PU"_s, u"VU"_s}, 8},
            {u"ZArr"_s, u"Ostatní závazky"_s, {u"ZA"_s}, 6},
            {u"POrr"_s, u"Ostatní pohledávky"_s, {u"PO"_s}, 6},
            {u"FVrr"_s, u"Faktury vydané"_s, {u"VF"_s}, 16},
            {u"FPrr"_s, u"Faktury přijaté"_s, {u"PF"_s}, 12},
            {u"PRrr"_s, u"Prodejky"_s, {u"SJ"_s, u"PD"_s}, 8},
            {u"SVrr"_s, u"Výdejky"_s, {u"SV"_s}, 5},
            {u"DLrr"_s, u"Dodací listy"_s, {u"DL"_s}, 5},
            {u"SPrr"_s, u"Příjemky"_s, {u"SM"_s, u"SD"_s}, 6},
            {u"SArr"_s, u"Převodky a výroba"_s, {u"SA"_s}, 4},
            {u"OPrr"_s, u"Objednávky přijaté"_s, {u"PZ"_s}, 6},
            {u"OVrr"_s, u"Objednávky vystavené"_s, {u"VO"_s}, 4},
            {u"NArr"_s, u"Nabídky"_s, {u"Na"_s, u"NP"_s}, 5},
            {u"PTrr"_s, u"Poptávky"_s, {u"PtV"_s, u"PtP"_s}, 4},
        };
        series.insert(series.end(), more.begin(), more.end());
    }
    buildSeries(year, series);

    auto journal = year.table(doubleEntry ? u"UCDENIK"_s : u"UCPENDEN"_s);
    auto cashItems = year.table(u"POLUCDPK"_s);
    auto cashDistribution = year.table(doubleEntry ? u"ROZPUPK"_s : u"ROZJUPK"_s);
    auto payments = year.table(u"UHRADY"_s);
    m_journalLine = 0;

    // Cash book: receipts with a gap (7), a number only held by a deleted
    // document (20), a locked document (3), one in lower case (22); payments.
    auto cash = year.table(u"POKLKNIH"_s);
    const std::vector<Document> receipts =
        buildBook(cash, u"Pokl"_s, u"POK"_s, QString(), u"PP"_s + yy, 40, false, 1, start, {7, 33}, {20, 15});
    const std::vector<Document> expenses =
        buildBook(cash, u"Pokl"_s, u"POK"_s, QString(), u"VP"_s + yy, 25, true, 101, start.addDays(1), {12}, {5});
    // The euro cash desk opened in April, after the filed first quarter, and
    // locks nothing: its receipts can be renumbered and written back, all
    // but the last, which is registered in EET.
    const std::vector<Document> euroCash = full ? buildBook(cash, u"Pokl"_s, u"POKEUR"_s, u"EUR"_s, u"PE"_s + yy, 10,
                                                            false, 201, QDate(yearNumber, 4, 3), {}, {}, 0)
                                                : std::vector<Document>();
    for (const auto *documents : {&receipts, &expenses, &euroCash}) {
        for (const Document &document : *documents) {
            journalLines(journal, u"PK"_s, document, u"211100"_s, u"604000"_s);
            cashItems.row({{"CISLO", document.cislo},
                           {"Poradi", 1},
                           {"Popis", u"Položka dokladu"_s},
                           {"Castka", document.total},
                           {"SazbaDPH", 21}});
            cashDistribution.row(
                {{"CisDokladu", document.cislo}, {"Cislo", 1}, {"Stred", u"PRAHA"_s}, {"Castka", document.total}});
            logDocument(agendaCode, yearCode, u"UP"_s, document);
        }
    }
    // Free lines left behind by re-posted documents.
    for (int i = 0; i < 3; ++i)
        journal.row({{"Cislo", ++m_journalLine},
                     {"Zdroj", "PK"},
                     {"ZRadek", receipts.at(size_t(i) * 5).cislo},
                     {"Doklad", receipts.at(size_t(i) * 5).number},
                     {"Free", true},
                     {"Castka", 0.0}});

    // Internal documents: a gap (4), deleted (8), out of date order.
    auto internal = year.table(u"INTDOKL"_s);
    auto internalItems = year.table(u"POLUCDID"_s);
    std::optional<TableBuilder> internalDistribution;
    if (doubleEntry)
        internalDistribution.emplace(year.table(u"ROZPUID"_s));
    QDate date = start;
    int internalCislo = 0;
    for (int n = 1; n <= 20; ++n) {
        date = date.addDays(between(3, 15));
        if (n == 4)
            continue;
        Document document{composeNumber(u"ID"_s + yy, n),
                          ++internalCislo,
                          n % 7 == 0 ? date.addDays(-20) : date,
                          amount(500, 40000),
                          n == 8,
                          user()};
        internal.row({{"Doklad", document.number},
                      {"Cislo", document.cislo},
                      {"DRada", u"ID"_s + yy},
                      {"DCislo", n},
                      {"DatUcPr", document.date},
                      {"DatPln", document.date},
                      {"AdNazev", partner()},
                      {"Popis", n % 3 == 0 ? u"Odpisy majetku"_s : u"Časové rozlišení"_s},
                      {"Celkem", document.total},
                      {"Uzamceni", n == 10},
                      {"Vyst", document.user},
                      {"Del", document.deleted}});
        if (doubleEntry)
            journalLines(journal, u"ID"_s, document, u"551000"_s, u"082100"_s);
        internalItems.row(
            {{"CISLO", document.cislo}, {"Poradi", 1}, {"Popis", u"Položka"_s}, {"Castka", document.total}});
        if (internalDistribution)
            internalDistribution->row(
                {{"CisDokladu", document.cislo}, {"Cislo", 1}, {"Stred", u"BRNO"_s}, {"Castka", document.total}});
        logDocument(agendaCode, yearCode, u"UI"_s, document);
    }

    if (!full)
        return;

    // EET: some cash receipts were registered, and the last euro receipt.
    auto eet = year.table(u"EETDOKL"_s);
    std::vector<const Document *> registered;
    for (size_t i = 1; i < receipts.size(); i += 6)
        registered.push_back(&receipts.at(i));
    registered.push_back(&euroCash.back());
    for (size_t i = 0; i < registered.size(); ++i)
        eet.row({{"Druh", "PK"},
                 {"CisDokl", registered.at(i)->cislo},
                 {"Datum", registered.at(i)->date},
                 {"Celkem", registered.at(i)->total},
                 {"FIK", u"%1-0000-4c3e-a1b2-demo"_s.arg(i * 6 + 1, 8, 10, QChar(u'0'))}});

    // Bank book in CZK and EUR.
    auto bank = year.table(u"BANKKNIH"_s);
    auto bankItems = year.table(u"POLUCDBK"_s);
    auto bankDistribution = year.table(u"ROZPUBK"_s);
    const std::vector<Document> bankCzk =
        buildBook(bank, u"Ucet"_s, u"KB"_s, QString(), u"BU"_s + yy, 30, false, 1, start, {9}, {14});
    const std::vector<Document> bankEur =
        buildBook(bank, u"Ucet"_s, u"RBEUR"_s, u"EUR"_s, u"BE"_s + yy, 8, true, 101, start.addDays(2), {}, {});
    for (const auto *documents : {&bankCzk, &bankEur}) {
        for (const Document &document : *documents) {
            journalLines(journal, u"BK"_s, document, u"221000"_s, u"311000"_s);
            bankItems.row({{"CISLO", document.cislo}, {"Poradi", 1}, {"Castka", document.total}});
            bankDistribution.row(
                {{"CisDokladu", document.cislo}, {"Cislo", 1}, {"Stred", u"PRAHA"_s}, {"Castka", document.total}});
            logDocument(agendaCode, yearCode, u"UB"_s, document);
        }
    }

    // Other liabilities and receivables, some paid by cash documents.
    auto payables = year.table(u"KNIHZAV"_s);
    auto receivables = year.table(u"KNIHPOHL"_s);
    auto payableItems = year.table(u"POLUCDKZ"_s);
    auto receivableItems = year.table(u"POLUCDKP"_s);
    auto payableDistribution = year.table(u"ROZPUKZ"_s);
    auto receivableDistribution = year.table(u"ROZPUKP"_s);
    struct LedgerKind
    {
        TableBuilder &table;
        TableBuilder &items;
        TableBuilder &distribution;
        QString prefix, kind, list, text;
        int spacing, deletedNumber, paidUpTo;
        const std::vector<Document> &payers;
        size_t firstPayer;
    };
    const LedgerKind ledgers[] = {
        {payables, payableItems, payableDistribution, u"ZA"_s + yy, u"KZ"_s, u"UZ"_s, u"Nájemné"_s, 11, 5, 2, expenses,
         3},
        {receivables, receivableItems, receivableDistribution, u"PO"_s + yy, u"KP"_s, u"UH"_s,
         u"Přefakturace energií"_s, 13, 6, 1, receipts, 11},
    };
    for (const LedgerKind &ledger : ledgers) {
        for (int n = 1; n <= 6; ++n) {
            const Document document{
                composeNumber(ledger.prefix, n), n,     start.addDays(qint64(n) * ledger.spacing), amount(1000, 9000),
                n == ledger.deletedNumber,       user()};
            const Document &payer = ledger.payers.at(ledger.firstPayer + size_t(n) - 1);
            const bool paid = n <= ledger.paidUpTo;
            ledger.table.row({{"Doklad", document.number},
                              {"Cislo", n},
                              {"DRada", ledger.prefix},
                              {"DCislo", n},
                              {"DatVyst", document.date},
                              {"DatUcPr", document.date},
                              {"DatPln", document.date},
                              {"UcPokl", u"POK"_s},
                              {"AdNazev", partner()},
                              {"Popis", ledger.text},
                              {"Celkem", document.total},
                              {"UhDokl", paid ? payer.number : QString()},
                              {"Vyst", document.user},
                              {"Del", document.deleted}});
            ledger.items.row({{"CISLO", n}, {"Poradi", 1}, {"Popis", ledger.text}, {"Castka", document.total}});
            ledger.distribution.row(
                {{"CisDokladu", n}, {"Cislo", 1}, {"Stred", u"BRNO"_s}, {"Castka", document.total}});
            if (paid)
                payment(payments, payer, ledger.kind, n, document.total);
            logDocument(agendaCode, yearCode, ledger.list, document);
        }
    }

    // Invoices: issued ones paid by cash receipts, received ones by cash
    // payments; the last two issued invoices of 2017 are paid in 2018.
    auto issued = year.table(u"VFAKTURY"_s);
    auto issuedItems = year.table(u"VFAKTPOL"_s);
    for (int n = 1; n <= 16; ++n) {
        const Document document{composeNumber(u"FV"_s + yy, n),
                                n,
                                start.addDays(n * 9 + between(0, 5)),
                                amount(2000, 60000),
                                n == 11,
                                user()};
        QString paidBy;
        if (n <= 4) {
            const Document &payer = receipts.at(size_t(n) + 20);
            paidBy = payer.number;
            payment(payments, payer, u"FV"_s, n, document.total);
        } else if (yearNumber == 2017 && n >= 15) {
            // Paid by the first receipts of the next year.
            paidBy = composeNumber(u"PP18"_s, n - 13);
            m_lateInvoices.emplace_back(paidBy, n);
        }
        invoice(issued, issuedItems, u"FV"_s + yy, document, u"O_NazevOb"_s, u"Prodej zboží"_s, paidBy);
        logDocument(agendaCode, yearCode, u"FV"_s, document);
    }
    if (yearNumber == 2018) {
        for (const auto &[payer, invoiceCislo] : m_lateInvoices) {
            for (const Document &receipt : receipts) {
                if (receipt.number == payer)
                    payment(payments, receipt, u"FV"_s, invoiceCislo, receipt.total, u"2017"_s);
            }
        }
    }
    auto received = year.table(u"PFAKTURY"_s);
    auto receivedItems = year.table(u"PFAKTPOL"_s);
    for (int n = 1; n <= 12; ++n) {
        const Document document{
            composeNumber(u"FP"_s + yy, n), n, start.addDays(qint64(n) * 12), amount(800, 30000), n == 7, user()};
        const Document &payer = expenses.at(size_t(n) + 6);
        const bool paid = n <= 3;
        invoice(received, receivedItems, u"FP"_s + yy, document, u"D_NazevOb"_s, u"Nákup materiálu"_s,
                paid ? payer.number : QString());
        if (paid)
            payment(payments, payer, u"FP"_s, n, document.total);
        logDocument(agendaCode, yearCode, u"FP"_s, document);
    }

    // Stock documents of every kind; cash sales name their cash receipt.
    struct StockKind
    {
        QString type, prefix, list;
        int count;
    };
    const std::vector<StockKind> stockKinds{{u"P"_s, u"PR"_s, u"SR"_s, 8}, {u"V"_s, u"SV"_s, u"SV"_s, 5},
                                            {u"D"_s, u"DL"_s, u"SD"_s, 5}, {u"S"_s, u"SP"_s, u"SP"_s, 6},
                                            {u"A"_s, u"SP"_s, u"SL"_s, 0}, {u"R"_s, u"SA"_s, u"SO"_s, 2},
                                            {u"Z"_s, u"SA"_s, u"SB"_s, 2}};
    auto stock = year.table(u"SKSEZDOK"_s);
    int stockCislo = 0;
    int transferNumber = 0;
    for (const StockKind &kind : stockKinds) {
        for (int n = 1; n <= kind.count; ++n) {
            const int number = kind.prefix == u"SA"_s ? ++transferNumber : n;
            Document document{composeNumber(kind.prefix + yy, number),
                              ++stockCislo,
                              start.addDays(number * 17 + between(0, 9)),
                              amount(300, 15000),
                              false,
                              user()};
            const QString cashDocument = kind.type == u"P"_s && n <= 5 ? receipts.at(size_t(n) + 1).number : QString();
            stock.row({{"CisloDokla", document.number},
                       {"CDokladu", document.cislo},
                       {"Typ", kind.type},
                       {"Datum ", document.date},
                       {"O_NazevOb", partner()},
                       {"PopisX", u"Pohyb zásob"_s},
                       {"Celkem", document.total},
                       {"CPoklDok", cashDocument},
                       {"Vystavil", document.user}});
            logDocument(agendaCode, yearCode, kind.list, document);
            if (doubleEntry) {
                Document posted = document;
                posted.deleted = n == 2; // lines of a stock document deleted in the host
                journalLines(journal, u"SK"_s, posted, u"504000"_s, u"132000"_s);
            }
        }
    }

    // Orders, offers and enquiries.
    struct OrderKind
    {
        QString kind, prefix, list;
        int count;
    };
    const std::vector<OrderKind> orderKinds{{u"R"_s, u"OP"_s, u"OP"_s, 6}, {u"O"_s, u"OV"_s, u"OV"_s, 4},
                                            {u"N"_s, u"NA"_s, u"ON"_s, 3}, {u"P"_s, u"NA"_s, u"OI"_s, 2},
                                            {u"T"_s, u"PT"_s, u"OT"_s, 2}, {u"J"_s, u"PT"_s, u"OJ"_s, 2}};
    auto orders = year.table(u"OBSEZOBJ"_s);
    int orderLine = 0;
    QHash<QString, int> orderNumbers;
    for (const OrderKind &kind : orderKinds) {
        for (int n = 1; n <= kind.count; ++n) {
            const int number = ++orderNumbers[kind.prefix];
            Document document{composeNumber(kind.prefix + yy, number),
                              ++orderLine,
                              start.addDays(number * 21 + between(0, 9)),
                              amount(1000, 80000),
                              false,
                              user()};
            orders.row({{"Doklad", document.number},
                        {"CRadku", document.cislo},
                        {"Druh dokl.", kind.kind},
                        {"Vystaveno", document.date},
                        {"O_NazevOb", partner()},
                        {"Popis", u"Kola a příslušenství"_s},
                        {"Celkem", document.total},
                        {"Vystavil", document.user}});
            logDocument(agendaCode, yearCode, kind.list, document);
        }
    }

    // Address-book actions that name cash documents.
    auto actions = agenda.table(u"ADAKCE"_s);
    for (size_t i = 2; i < receipts.size(); i += 9)
        actions.row({{"TypDokl", "PK"},
                     {"Rok", yearCode},
                     {"Doklad", receipts.at(i).number},
                     {"Datum", receipts.at(i).date},
                     {"Popis", u"Platba v hotovosti, doklad "_s + receipts.at(i).number.toLower()},
                     {"Uzivatel", receipts.at(i).user}});
}

void Generator::buildRights()
{
    m_tree.table(u"PRISUZIV"_s).rows(R"(
        Jmeno          | Password | UzivOS   | PrihlZp | ID_Pristup
        Demo           | demo     | demo     | 1       | 1
        Jana Nováková  | jana     | novakova | 1       | 2
        Petr Svoboda   | petr     | svoboda  | 0       | 3
    )");
    // Demo has full access (an item without a record is full); Jana may only
    // read the bank documents and may not verify data.
    m_tree.table(u"PRISPOL"_s).rows(R"(
        FL_Pristup | Polozka              | Hodnota
        1          | Verifikace           | A
        2          | Verifikace           | N
        2          | SeznamBankovnichDokl | R
        3          | SeznamPokladnichDokl | N
    )");
}

void Generator::writeActionLog()
{
    auto log = m_tree.table(u"GLAKCE"_s);
    int cislo = 0;
    for (const Action &action : m_actions) {
        log.row({{"Agenda", action.agenda},
                 {"Rok", action.year},
                 {"KodSezn", action.list},
                 {"DoklZkrat", action.number},
                 {"Cislo", ++cislo},
                 {"KodAkce", action.code},
                 {"Cena", action.price},
                 {"Datum", action.date},
                 {"Cas", action.time},
                 {"Uzivatel", action.user},
                 {"Popis", action.description},
                 {"Stanice", 1 + cislo % 3}});
    }
}

} // namespace

Result build(const QString &targetDir)
{
    Result result;
    const QDir dir(targetDir);
    if (dir.exists() && !dir.isEmpty()) {
        result.error = u"the target directory is not empty: "_s + targetDir;
        return result;
    }
    try {
        HostTreeBuilder tree(targetDir);
        Generator(tree).run();
        HostLogin login;
        login.password = u"demo"_s;
        login.user = u"Demo"_s;
        login.configuration = u"Default"_s;
        login.hostVersion = u"13.100"_s;
        result.commandLine = tree.commandLine(tree.agenda(u"001"_s).year(u"2018"_s), login);
        result.ok = true;
    } catch (const std::exception &error) {
        result.error = QString::fromUtf8(error.what());
    }
    return result;
}

} // namespace DemoCompany

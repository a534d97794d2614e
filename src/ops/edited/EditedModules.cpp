#include "ops/edited/EditedModules.h"

#include "common/MemTable.h"

using namespace Qt::StringLiterals;

namespace EditedModules {

namespace {

constexpr EditedRowSources book(QStringView account)
{
    return {u"Doklad", u"Cislo",   u"DatVyst", u"DatUcPr", u"DatPlat", u"DatPln",
            account,   u"AdNazev", u"Celkem",  u"Popis",   u"Vydej",   u"Vyst"};
}
constexpr EditedRowSources ledger{u"Doklad", u"Cislo",   u"DatVyst", u"DatUcPr", {}, u"DatPln",
                                  u"UcPokl", u"AdNazev", u"Celkem",  u"Popis",   {}, u"Vyst"};
constexpr EditedRowSources internal{u"Doklad", u"Cislo",   {},        u"DatUcPr", {}, u"DatPln",
                                    {},        u"AdNazev", u"Celkem", u"Popis",   {}, u"Vyst"};
constexpr EditedRowSources invoice(QStringView partner)
{
    return {u"Doklad", u"Cislo", u"Vystaveno",  u"DatUcPr", {}, u"PlnenoDPH",
            u"Ucet",   partner,  u"KUhradeSDP", u"Popis",   {}, u"Vystavil"};
}
constexpr EditedRowSources stock{u"CisloDokla", u"CDokladu", u"Datum ", {}, {},         {}, {},
                                 u"O_NazevOb",  u"Celkem",   u"PopisX", {}, u"Vystavil"};
constexpr EditedRowSources order{u"Doklad", u"CRadku",    u"Vystaveno", {},       {}, {},
                                 {},        u"O_NazevOb", u"Celkem",    u"Popis", {}, u"Vystavil"};

// The stock date is asked for as "Datum " with its trailing blank, as the
// host spells it.
const std::array<EditedModule, 20> kModules = {{
    {1,
     u"rbPokl",
     u"pokladní doklady",
     u"pokladní doklady",
     u"POKLKNIH",
     u"Doklad",
     u"Del",
     u"Celkem",
     u"DatVyst",
     {},
     {},
     3,
     u"UP",
     book(u"Pokl")},
    {2,
     u"rbBank",
     u"bankovní doklady",
     u"bankovní doklady",
     u"BANKKNIH",
     u"Doklad",
     u"Del",
     u"Celkem",
     u"DatVyst",
     {},
     {},
     4,
     u"UB",
     book(u"Ucet")},
    {3,
     u"rbOstZav",
     u"ostatní závazky",
     u"ostatní závazky",
     u"KNIHZAV",
     u"Doklad",
     u"Del",
     u"Celkem",
     u"DatVyst",
     {},
     {},
     5,
     u"UZ",
     ledger},
    {4,
     u"rbOstPohl",
     u"ostatní pohledávky",
     u"ostatní pohledávky",
     u"KNIHPOHL",
     u"Doklad",
     u"Del",
     u"Celkem",
     u"DatVyst",
     {},
     {},
     6,
     u"UH",
     ledger},
    {5,
     u"rbIntDokl",
     u"interní doklady",
     u"interní doklady",
     u"INTDOKL",
     u"Doklad",
     u"Del",
     u"Celkem",
     u"DatUcPr",
     {},
     {},
     7,
     u"UI",
     internal},
    {6,
     u"rbVystFa",
     u"vystavené faktury",
     u"vystavené faktury",
     u"VFAKTURY",
     u"Doklad",
     u"FlagDel",
     u"KUhradeSDP",
     u"Vystaveno",
     {},
     {},
     8,
     u"FV",
     invoice(u"O_NazevOb")},
    {7,
     u"rbPrijFa",
     u"přijaté faktury",
     u"přijaté faktury",
     u"PFAKTURY",
     u"Doklad",
     u"FlagDel",
     u"KUhradeSDP",
     u"Vystaveno",
     {},
     {},
     9,
     u"FP",
     invoice(u"D_NazevOb")},
    {8,
     u"rbSkladProd",
     u"skladové prodejky",
     u"skladové prodejky",
     u"SKSEZDOK",
     u"CisloDokla",
     {},
     u"Celkem",
     u"Datum ",
     u"Typ",
     u"P",
     10,
     u"SR",
     stock},
    {9,
     u"rbSkladVyd",
     u"skladové výdejky",
     u"skladové výdejky",
     u"SKSEZDOK",
     u"CisloDokla",
     {},
     u"Celkem",
     u"Datum ",
     u"Typ",
     u"V",
     11,
     u"SV",
     stock},
    {10,
     u"rbVystDod",
     u"vyst. dodací listy",
     u"vystavené dodací listy",
     u"SKSEZDOK",
     u"CisloDokla",
     {},
     u"Celkem",
     u"Datum ",
     u"Typ",
     u"D",
     12,
     u"SD",
     stock},
    {11,
     u"rbSkladPrij",
     u"skladové příjemky",
     u"skladové příjemky",
     u"SKSEZDOK",
     u"CisloDokla",
     {},
     u"Celkem",
     u"Datum ",
     u"Typ",
     u"S",
     13,
     u"SP",
     stock},
    {12,
     u"rbPrijDod",
     u"přijaté dodací listy",
     u"přijaté dodací listy",
     u"SKSEZDOK",
     u"CisloDokla",
     {},
     u"Celkem",
     u"Datum ",
     u"Typ",
     u"A",
     14,
     u"SL",
     stock},
    {13,
     u"rbSkladPrev",
     u"skladové převodky",
     u"skladové převodky",
     u"SKSEZDOK",
     u"CisloDokla",
     {},
     u"Celkem",
     u"Datum ",
     u"Typ",
     u"R",
     15,
     u"SO",
     stock},
    {14,
     u"rbSkladVyr",
     u"doklady o výrobě",
     u"skladové výrobky",
     u"SKSEZDOK",
     u"CisloDokla",
     {},
     u"Celkem",
     u"Datum ",
     u"Typ",
     u"Z",
     16,
     u"SB",
     stock},
    {15,
     u"rbPrijObj",
     u"přijaté objednávky",
     u"přijaté objednávky",
     u"OBSEZOBJ",
     u"Doklad",
     {},
     u"Celkem",
     u"Vystaveno",
     u"Druh dokl.",
     u"R",
     17,
     u"OP",
     order},
    {16,
     u"rbVystObj",
     u"vystavené objednávky",
     u"vystavené objednávky",
     u"OBSEZOBJ",
     u"Doklad",
     {},
     u"Celkem",
     u"Vystaveno",
     u"Druh dokl.",
     u"O",
     18,
     u"OV",
     order},
    {17,
     u"rbNabVyst",
     u"nabídky vystavené",
     u"nabídky vystavené",
     u"OBSEZOBJ",
     u"Doklad",
     {},
     u"Celkem",
     u"Vystaveno",
     u"Druh dokl.",
     u"N",
     19,
     u"ON",
     order},
    {18,
     u"rbNabPrij",
     u"nabídky přijaté",
     u"nabídky přijaté",
     u"OBSEZOBJ",
     u"Doklad",
     {},
     u"Celkem",
     u"Vystaveno",
     u"Druh dokl.",
     u"P",
     20,
     u"OI",
     order},
    {19,
     u"rbPoptVyst",
     u"poptávky vystavené",
     u"poptávky vystavené",
     u"OBSEZOBJ",
     u"Doklad",
     {},
     u"Celkem",
     u"Vystaveno",
     u"Druh dokl.",
     u"T",
     21,
     u"OT",
     order},
    {20,
     u"rbPoptPrij",
     u"poptávky přijaté",
     u"poptávky přijaté",
     u"OBSEZOBJ",
     u"Doklad",
     {},
     u"Celkem",
     u"Vystaveno",
     u"Druh dokl.",
     u"J",
     22,
     u"OJ",
     order},
}};

} // namespace

const std::array<EditedModule, 20> &all()
{
    return kModules;
}

const EditedModule *find(int number)
{
    if (number < 1 || number > int(kModules.size()))
        return nullptr;
    return &kModules.at(size_t(number - 1));
}

QList<ListColumn> listColumns(int module)
{
    const ListColumn doklad{u"Doklad"_s, u"Doklad"_s, 108};
    const ListColumn datVyst{u"DatVyst"_s, u"Dat. vystavení"_s, 105};
    const ListColumn datUcPr{u"DatUcPr"_s, u"Dat. úč. případu"_s, 116};
    const ListColumn datPlat{u"DatPlat"_s, u"Dat. platby"_s, 85};
    const ListColumn datPln{u"DatPln"_s, u"Dat. plnění DPH"_s, 116};
    const ListColumn cislo{u"Cislo"_s, u"Řádek"_s, 60};
    const ListColumn ucet{u"UcetPokl"_s, u"Účet"_s, 80};
    const ListColumn adNazev{u"AdNazev"_s, u"Adresa - název"_s, 180};
    const ListColumn celkem{u"Celkem"_s, u"Celkem s DPH"_s, 110};
    const ListColumn popis{u"Popis"_s, u"Popis"_s, 210};
    const ListColumn druh{u"Str30Free"_s, u"Druh dokladu"_s, 100};
    const ListColumn vystavil{u"Vystavil"_s, u"Vystavil"_s, 150};

    if (module == 1 || module == 2) {
        const ListColumn account{u"UcetPokl"_s, module == 1 ? u"Pokladna"_s : u"Účet"_s, 80};
        return {doklad, datVyst, datUcPr, datPlat, datPln, cislo, account, adNazev, celkem, popis, druh, vystavil};
    }
    if (module == 5)
        return {doklad, datUcPr, datPln, cislo, adNazev, celkem, popis, vystavil};
    if (module >= 3 && module <= 7)
        return {doklad, datVyst, datUcPr, datPln, cislo, ucet, adNazev, celkem, popis, vystavil};
    return {doklad, datVyst, cislo, adNazev, celkem, popis, vystavil};
}

void defineDocumentRows(MemTable &rows)
{
    // Fields in the order the columns are shown; the hidden ones last.
    rows.addField(u"Doklad"_s, FieldType::String, 10);
    rows.addField(u"DatVyst"_s, FieldType::DateTime);
    rows.addField(u"DatUcPr"_s, FieldType::DateTime);
    rows.addField(u"DatPlat"_s, FieldType::DateTime);
    rows.addField(u"DatPln"_s, FieldType::DateTime);
    rows.addField(u"Cislo"_s, FieldType::Integer);
    rows.addField(u"UcetPokl"_s, FieldType::String, 10);
    rows.addField(u"AdNazev"_s, FieldType::String, 50);
    FieldDef celkem;
    celkem.name = u"Celkem"_s;
    celkem.type = FieldType::Float;
    celkem.displayFormat = u"# ### ### ##0.00"_s;
    rows.addField(celkem);
    rows.addField(u"Popis"_s, FieldType::String, 50);
    rows.addField(u"Str30Free"_s, FieldType::String, 30);
    rows.addField(u"Vystavil"_s, FieldType::String, 50);
    rows.addField(u"RecNo"_s, FieldType::Integer);
    rows.addField(u"Vydej"_s, FieldType::Boolean);
    rows.addField(u"TypBarvy"_s, FieldType::Integer);
}

void layOutColumns(MemTable &rows, int module)
{
    for (int f = 0; f < rows.fieldCount(); ++f)
        rows.field(f).visible = false;
    for (const ListColumn &column : listColumns(module)) {
        const int f = rows.fieldIndex(column.field);
        if (f < 0)
            continue;
        FieldDef &field = rows.field(f);
        field.visible = true;
        field.displayLabel = column.title;
        field.displayWidth = column.width;
    }
}

} // namespace EditedModules

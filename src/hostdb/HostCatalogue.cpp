#include "hostdb/HostCatalogue.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

// Sizes follow what the host shows and what Tarnek keeps of a value: document
// numbers are at most ten characters, names and descriptions fifty, codes of
// accounts, cash desks and code lists ten, currencies three, year and company
// codes ten (the length of a year list entry). Text fields that only carry a
// one- or two-letter code have that size.

namespace HostCatalogue {

namespace {

HostField text(const QString &name, int size)
{
    return HostField{name, HostFieldType::Text, size};
}
HostField integer(const QString &name)
{
    return HostField{name, HostFieldType::Integer, 0};
}
HostField number(const QString &name)
{
    return HostField{name, HostFieldType::Float, 0};
}
HostField boolean(const QString &name)
{
    return HostField{name, HostFieldType::Boolean, 0};
}
HostField date(const QString &name)
{
    return HostField{name, HostFieldType::DateTime, 0};
}
HostField variant(const QString &name)
{
    return HostField{name, HostFieldType::Variant, 0};
}

HostTableDef def(const QString &name, HostLocation location, const QString &description, QList<HostField> fields,
                 QStringList indexes)
{
    return HostTableDef{name, location, std::move(fields), std::move(indexes), description};
}

// The table form of AGENDA.INI and ROK.INI: one record per key.
QList<HostField> iniFields()
{
    return {text(u"Section1"_s, 50), text(u"Variable"_s, 50), text(u"TypeVar"_s, 10), variant(u"Value"_s)};
}

// Cash and bank book entries share their shape; the cash desk is "Pokl", the
// bank account "Ucet".
QList<HostField> bookFields(const QString &accountField)
{
    return {text(u"Doklad"_s, 10),  integer(u"Cislo"_s),    text(u"DRada"_s, 10),    integer(u"DCislo"_s),
            date(u"DatVyst"_s),     date(u"DatUcPr"_s),     date(u"DatPlat"_s),      date(u"DatPln"_s),
            text(accountField, 10), text(u"AdNazev"_s, 50), text(u"Popis"_s, 50),    boolean(u"Vydej"_s),
            number(u"Celkem"_s),    text(u"Mena"_s, 3),     number(u"ValutyKUhr"_s), boolean(u"Uzamceni"_s),
            text(u"Vyst"_s, 50),    boolean(u"Del"_s)};
}

// Other liabilities and receivables; "UhDokl" is the number of the document
// that paid them.
QList<HostField> ledgerFields()
{
    return {text(u"Doklad"_s, 10), integer(u"Cislo"_s),    text(u"DRada"_s, 10),   integer(u"DCislo"_s),
            date(u"DatVyst"_s),    date(u"DatUcPr"_s),     date(u"DatPln"_s),      date(u"DatSplat"_s),
            text(u"UcPokl"_s, 10), text(u"AdNazev"_s, 50), text(u"Popis"_s, 50),   number(u"Celkem"_s),
            text(u"UhDokl"_s, 10), text(u"Vyst"_s, 50),    boolean(u"Uzamceni"_s), boolean(u"Del"_s)};
}

// Issued and received invoices; "UDoklad" is the number of the document that
// paid them.
QList<HostField> invoiceFields()
{
    return {text(u"Doklad"_s, 10),   integer(u"Cislo"_s),      text(u"DRada"_s, 10),     integer(u"DCislo"_s),
            date(u"Vystaveno"_s),    date(u"DatUcPr"_s),       date(u"PlnenoDPH"_s),     date(u"Splatno"_s),
            text(u"Ucet"_s, 10),     text(u"O_NazevOb"_s, 50), text(u"D_NazevOb"_s, 50), text(u"Popis"_s, 50),
            number(u"KUhradeSDP"_s), text(u"Mena"_s, 3),       text(u"UDoklad"_s, 10),   text(u"Vystavil"_s, 50),
            boolean(u"Uzamceni"_s),  boolean(u"FlagDel"_s)};
}

// Items of cash, bank, liability, receivable and internal documents: "CISLO"
// (so spelt by the host) is the document's line number.
HostTableDef documentItems(const QString &name, const QString &module)
{
    return def(name, HostLocation::Year, u"položky dokladů: "_s + module,
               {integer(u"CISLO"_s), integer(u"Poradi"_s), text(u"Popis"_s, 50), number(u"Castka"_s),
                integer(u"SazbaDPH"_s), number(u"DPH"_s)},
               {u"CISLO"_s});
}

HostTableDef invoiceItems(const QString &name, const QString &module)
{
    return def(name, HostLocation::Year, u"položky faktur: "_s + module,
               {integer(u"Cislo"_s), integer(u"CisloSkPol"_s), text(u"Popis"_s, 50), number(u"Mnozstvi"_s),
                text(u"MJ"_s, 10), number(u"Cena"_s), integer(u"SazbaDPH"_s)},
               {u"Cislo+CisloSkPol"_s});
}

// Distribution records ("rozpis") of a document by centre, job and activity.
HostTableDef distribution(const QString &name, const QString &module)
{
    return def(name, HostLocation::Year, u"rozpis dokladů: "_s + module,
               {integer(u"CisDokladu"_s), integer(u"Cislo"_s), text(u"Stred"_s, 10), text(u"Zakazka"_s, 10),
                text(u"Cinnost"_s, 10), number(u"Castka"_s)},
               {u"CisDokladu"_s});
}

HostTableDef journal(const QString &name, const QString &description)
{
    return def(name, HostLocation::Year, description,
               {integer(u"Cislo"_s), text(u"Zdroj"_s, 2), integer(u"ZRadek"_s), text(u"Doklad"_s, 10), date(u"Datum"_s),
                text(u"MD"_s, 10), text(u"DAL"_s, 10), number(u"Castka"_s), text(u"Popis"_s, 50), boolean(u"Free"_s),
                boolean(u"Del"_s)},
               {u"Zdroj+ZRadek+Cislo"_s});
}

HostTableDef codeList(const QString &name, const QString &description)
{
    return def(name, HostLocation::Year, description, {text(u"Zkrat"_s, 10), text(u"Nazev"_s, 50)}, {});
}

// Stock and order document types; the host pads these field names to ten.
QList<HostField> documentTypeFields()
{
    return {text(u"Zkratka   "_s, 10), text(u"Popis     "_s, 50), text(u"TYP       "_s, 1)};
}

HostTableDef reservation(const QString &name, const QString &description)
{
    return def(
        name, HostLocation::Agenda, description,
        {text(u"Doklad"_s, 10), date(u"Datum"_s), text(u"Ucet"_s, 10), number(u"Castka"_s), text(u"Popis"_s, 50)}, {});
}

// Old-format user rights: one column per item, names cut to ten characters.
QList<HostField> rightColumns(const QStringList &names)
{
    QList<HostField> fields;
    for (const QString &name : names)
        fields.append(text(name, 1));
    return fields;
}

QList<HostTableDef> buildTables()
{
    const HostLocation root = HostLocation::DataRoot;
    const HostLocation agenda = HostLocation::Agenda;
    const HostLocation year = HostLocation::Year;

    QList<HostTableDef> t;

    // Documents of the year.
    t << def(u"POKLKNIH"_s, year, u"pokladní kniha (pokladní doklady)"_s, bookFields(u"Pokl"_s),
             {u"Doklad"_s, u"Cislo"_s});
    t << def(u"BANKKNIH"_s, year, u"bankovní kniha (bankovní doklady)"_s, bookFields(u"Ucet"_s),
             {u"Doklad"_s, u"Cislo"_s});
    t << def(u"KNIHZAV"_s, year, u"ostatní závazky"_s, ledgerFields(), {u"Doklad"_s, u"Cislo"_s});
    t << def(u"KNIHPOHL"_s, year, u"ostatní pohledávky"_s, ledgerFields(), {u"Doklad"_s, u"Cislo"_s});
    t << def(u"INTDOKL"_s, year, u"interní doklady"_s,
             {text(u"Doklad"_s, 10), integer(u"Cislo"_s), text(u"DRada"_s, 10), integer(u"DCislo"_s),
              date(u"DatUcPr"_s), date(u"DatPln"_s), text(u"AdNazev"_s, 50), text(u"Popis"_s, 50), number(u"Celkem"_s),
              boolean(u"Uzamceni"_s), text(u"Vyst"_s, 50), boolean(u"Del"_s)},
             {u"Doklad"_s, u"Cislo"_s});
    t << def(u"VFAKTURY"_s, year, u"vystavené faktury"_s, invoiceFields(), {u"Doklad"_s, u"Cislo"_s});
    t << def(u"PFAKTURY"_s, year, u"přijaté faktury"_s, invoiceFields(), {u"Doklad"_s, u"Cislo"_s});
    // The host asks for the stock document's date as "Datum " (one trailing blank).
    t << def(u"SKSEZDOK"_s, year, u"skladové doklady"_s,
             {text(u"CisloDokla"_s, 10), integer(u"CDokladu"_s), text(u"Typ"_s, 1), date(u"Datum "_s),
              text(u"O_NazevOb"_s, 50), text(u"PopisX"_s, 50), number(u"Celkem"_s), text(u"CPoklDok"_s, 10),
              text(u"Vystavil"_s, 50)},
             {u"CisloDokla"_s});
    t << def(u"OBSEZOBJ"_s, year, u"objednávky, nabídky a poptávky"_s,
             {text(u"Doklad"_s, 10), integer(u"CRadku"_s), text(u"Druh dokl."_s, 1), date(u"Vystaveno"_s),
              text(u"O_NazevOb"_s, 50), text(u"Popis"_s, 50), number(u"Celkem"_s), text(u"Vystavil"_s, 50)},
             {u"Doklad"_s});

    // Items and distribution records.
    t << documentItems(u"POLUCDPK"_s, u"pokladní doklady"_s);
    t << documentItems(u"POLUCDBK"_s, u"bankovní doklady"_s);
    t << documentItems(u"POLUCDKZ"_s, u"ostatní závazky"_s);
    t << documentItems(u"POLUCDKP"_s, u"ostatní pohledávky"_s);
    t << documentItems(u"POLUCDID"_s, u"interní doklady"_s);
    t << invoiceItems(u"VFAKTPOL"_s, u"vystavené faktury"_s);
    t << invoiceItems(u"PFAKTPOL"_s, u"přijaté faktury"_s);
    t << distribution(u"ROZPUPK"_s, u"pokladní doklady, podvojné účetnictví"_s);
    t << distribution(u"ROZJUPK"_s, u"pokladní doklady, jednoduché účetnictví"_s);
    t << distribution(u"ROZPUBK"_s, u"bankovní doklady, podvojné účetnictví"_s);
    t << distribution(u"ROZJUBK"_s, u"bankovní doklady, jednoduché účetnictví"_s);
    t << distribution(u"ROZPUKZ"_s, u"ostatní závazky, podvojné účetnictví"_s);
    t << distribution(u"ROZPUKP"_s, u"ostatní pohledávky, podvojné účetnictví"_s);
    t << distribution(u"ROZPUID"_s, u"interní doklady, podvojné účetnictví"_s);

    // Journals, payments, EET.
    t << journal(u"UCDENIK"_s, u"účetní deník (podvojné účetnictví)"_s);
    t << journal(u"UCPENDEN"_s, u"peněžní deník (jednoduché účetnictví)"_s);
    // "URok" is empty when the paying document belongs to the open year,
    // "HRok" likewise for the paid document; otherwise the other year's code.
    t << def(u"UHRADY"_s, year, u"úhrady: který doklad platil který"_s,
             {integer(u"Poradi"_s), text(u"TypeUDokl"_s, 1), integer(u"CisloUDokl"_s), text(u"URok"_s, 10),
              text(u"TypeHDokl"_s, 2), integer(u"CisloHDokl"_s), text(u"HRok"_s, 10), date(u"Datum"_s),
              number(u"Castka"_s), text(u"Mena"_s, 3)},
             {u"TypeUDokl+CisloUDokl+URok+Poradi"_s});
    t << def(u"EETDOKL"_s, year, u"doklady evidované v EET"_s,
             {text(u"Druh"_s, 2), integer(u"CisDokl"_s), date(u"Datum"_s), number(u"Celkem"_s), text(u"FIK"_s, 39),
              text(u"BKP"_s, 44)},
             {u"Druh+CisDokl"_s});

    // Number series and free numbers.
    t << def(u"CISRADY"_s, year, u"číselné řady"_s,
             QList<HostField>{text(u"Rada"_s, 5), text(u"Nazev"_s, 50), integer(u"Cislo"_s), boolean(u"Nuly"_s),
                              integer(u"PocetMist"_s)} +
                 QList<HostField>{boolean(u"VF"_s),  boolean(u"PF"_s), boolean(u"PP"_s), boolean(u"VP"_s),
                                  boolean(u"PU"_s),  boolean(u"VU"_s), boolean(u"ZA"_s), boolean(u"PO"_s),
                                  boolean(u"ID"_s),  boolean(u"SJ"_s), boolean(u"SV"_s), boolean(u"DL"_s),
                                  boolean(u"SM"_s),  boolean(u"PD"_s), boolean(u"SD"_s), boolean(u"SA"_s),
                                  boolean(u"PZ"_s),  boolean(u"VO"_s), boolean(u"Na"_s), boolean(u"NP"_s),
                                  boolean(u"PtV"_s), boolean(u"PtP"_s)},
             {});
    t << def(u"VOLNECIS"_s, year, u"volná čísla číselných řad"_s,
             {text(u"Rada"_s, 5), integer(u"Cislo"_s), boolean(u"Nenab"_s)}, {});

    // Code lists of the year.
    t << codeList(u"SZCINN"_s, u"seznam činností"_s);
    t << codeList(u"SZSTRED"_s, u"seznam středisek"_s);
    t << codeList(u"ZAKAZKY"_s, u"seznam zakázek"_s);
    t << def(u"SZUCPOKL"_s, year, u"bankovní účty a pokladny"_s,
             {text(u"Zkrat"_s, 10), text(u"Popis"_s, 50), text(u"Typ"_s, 1), text(u"CisloUctu"_s, 30),
              text(u"Mena"_s, 3), number(u"PocStav"_s)},
             {});
    t << def(u"VFAKTTYP"_s, year, u"typy vystavených faktur"_s, {text(u"Zkratka"_s, 10), text(u"Nazev"_s, 50)}, {});
    t << def(u"SKDOKTYP"_s, year, u"typy skladových dokladů"_s, documentTypeFields(), {});

    // The table form of ROK.INI.
    t << def(u"ROK"_s, year, u"nastavení účetního roku (tabulková podoba ROK.INI)"_s, iniFields(),
             {u"Section1+Variable"_s});

    // Company-wide tables.
    t << def(u"AGENDA"_s, agenda, u"nastavení agendy (tabulková podoba AGENDA.INI)"_s, iniFields(),
             {u"Section1+Variable"_s});
    t << def(u"OBJTYPY"_s, agenda, u"typy objednávek, nabídek a poptávek"_s, documentTypeFields(), {});
    t << def(u"SZDPH"_s, agenda, u"podaná přiznání k DPH"_s,
             {date(u"DatumOd"_s), date(u"DatumDo"_s), date(u"Podano"_s), text(u"Typ"_s, 1)}, {});
    t << def(u"MJINVPOH"_s, agenda, u"pohyby majetku"_s,
             {text(u"Doklad"_s, 10), text(u"ZauctDokla"_s, 10), date(u"Datum"_s), text(u"InvCislo"_s, 10),
              number(u"Castka"_s), text(u"Popis"_s, 50)},
             {});
    t << reservation(u"REZTVORB"_s, u"tvorba rezerv"_s);
    t << reservation(u"REZCERP"_s, u"čerpání rezerv"_s);
    t << reservation(u"OPPTVORB"_s, u"tvorba opravných položek"_s);
    t << reservation(u"OPPCERP"_s, u"čerpání opravných položek"_s);
    t << def(u"ADAKCE"_s, agenda, u"akce adresáře vázané na doklady"_s,
             {text(u"TypDokl"_s, 2), text(u"Rok"_s, 10), text(u"Doklad"_s, 10), date(u"Datum"_s), text(u"Popis"_s, 50),
              text(u"Uzivatel"_s, 50)},
             {u"Doklad"_s});

    // Host-wide tables in the data root.
    t << def(u"GLAKCE"_s, root, u"globální historie akcí uživatelů"_s,
             {text(u"Agenda"_s, 10), text(u"Rok"_s, 10), text(u"KodSezn"_s, 2), text(u"DoklZkrat"_s, 10),
              integer(u"Cislo"_s), text(u"KodAkce"_s, 1), number(u"Cena"_s), date(u"Datum"_s), date(u"Cas"_s),
              text(u"Uzivatel"_s, 50), text(u"Popis"_s, 50), integer(u"Stanice"_s)},
             {u"Agenda+Rok+KodSezn+DoklZkrat+Cislo"_s});
    t << def(u"PRISTUP"_s, root, u"přístupová práva (starý formát), část 1"_s,
             QList<HostField>{integer(u"ID"_s), text(u"Jmeno"_s, 30), text(u"Password"_s, 30)} +
                 rightColumns({u"Verifikace"_s, u"SeznamPokl"_s, u"JUSzPkDok"_s, u"SeznamBank"_s, u"JUSeznamBa"_s,
                               u"SeznamZava"_s, u"JUSeznamZa"_s, u"SeznamPohl"_s, u"JUSzPohled"_s, u"InterniDok"_s,
                               u"VystaveneF"_s, u"PrijateFak"_s, u"SzSkladDok"_s, u"SeznamPrij"_s, u"SeznamVyst"_s,
                               u"SeznamNabi"_s}),
             {u"Jmeno"_s, u"Password"_s});
    t << def(u"PRISTUP2"_s, root, u"přístupová práva (starý formát), část 2"_s,
             QList<HostField>{integer(u"ID"_s), text(u"Password"_s, 30)} +
                 rightColumns({u"JUInterniD"_s, u"SeznamPNab"_s, u"SeznamVPop"_s, u"SeznamPPop"_s}),
             {});
    t << def(u"PRISUZIV"_s, root, u"uživatelé (nový formát přístupových práv)"_s,
             {text(u"Jmeno"_s, 30), text(u"Password"_s, 30), text(u"UzivOS"_s, 50), integer(u"PrihlZp"_s),
              integer(u"ID_Pristup"_s)},
             {u"Jmeno"_s, u"Password"_s, u"UzivOS"_s});
    // "Polozka" holds item names of up to twenty characters ("JUSeznamBankovnichDo").
    t << def(u"PRISPOL"_s, root, u"práva uživatelů k položkám (nový formát)"_s,
             {integer(u"FL_Pristup"_s), text(u"Polozka"_s, 20), text(u"Hodnota"_s, 1)}, {u"FL_Pristup+Polozka"_s});
    return t;
}

} // namespace

const QList<HostTableDef> &tables()
{
    static const QList<HostTableDef> all = buildTables();
    return all;
}

const HostTableDef *find(QStringView name)
{
    for (const HostTableDef &table : tables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

const HostTableDef &table(QStringView name)
{
    if (const HostTableDef *found = find(name))
        return *found;
    throw std::out_of_range("unknown host table " + name.toString().toStdString());
}

QString locationName(HostLocation location)
{
    switch (location) {
    case HostLocation::DataRoot:
        return u"data root"_s;
    case HostLocation::Agenda:
        return u"agenda"_s;
    case HostLocation::Year:
        return u"year"_s;
    }
    return QString();
}

} // namespace HostCatalogue

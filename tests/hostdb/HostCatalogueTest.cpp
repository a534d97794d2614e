// The catalogue is the one source of the host tables' structure.

#include "hostdb/HostDbTestSupport.h"

#include "hostdb/HostCatalogue.h"
#include "hostdb/SqliteTableFile.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

class CatalogueTableTest : public HostDbTest, public testing::WithParamInterface<QString>
{
};

TEST_P(CatalogueTableTest, CreatesOpensAndSelectsEveryIndex)
{
    const HostTableDef &definition = HostCatalogue::table(GetParam());
    const QString path = yearDir() + definition.name + u".DAT"_s;
    QString error;
    ASSERT_TRUE(SqliteTableFile::create(path, definition, &error)) << error.toStdString();
    TBFTable table;
    ASSERT_EQ(table.Open(path), HostResult::Ok);
    const HostTableDef stored = table.definition();
    EXPECT_EQ(stored.name, definition.name);
    ASSERT_EQ(stored.fields.size(), definition.fields.size());
    for (qsizetype i = 0; i < stored.fields.size(); ++i) {
        EXPECT_EQ(stored.fields.at(i).name, definition.fields.at(i).name) << "names are kept exactly";
        EXPECT_EQ(stored.fields.at(i).type, definition.fields.at(i).type);
    }
    EXPECT_EQ(stored.indexes, definition.indexes);
    for (const QString &expression : definition.indexes)
        EXPECT_EQ(table.SetIndex(expression), HostResult::Ok) << expression.toStdString();
}

QStringList catalogueNames()
{
    QStringList names;
    for (const HostTableDef &table : HostCatalogue::tables())
        names.append(table.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(AllTables, CatalogueTableTest, testing::ValuesIn(catalogueNames()),
                         [](const testing::TestParamInfo<QString> &paramInfo) {
                             return paramInfo.param.toStdString();
                         });

TEST(HostCatalogue, NamesAreUniqueAndUpperCase)
{
    QSet<QString> names;
    for (const HostTableDef &table : HostCatalogue::tables()) {
        EXPECT_EQ(table.name, table.name.toUpper());
        EXPECT_FALSE(names.contains(table.name)) << table.name.toStdString();
        names.insert(table.name);
        QSet<QString> fields;
        for (const HostField &field : table.fields) {
            EXPECT_FALSE(fields.contains(HostNames::fieldKey(field.name)))
                << table.name.toStdString() << "." << field.name.toStdString();
            fields.insert(HostNames::fieldKey(field.name));
            EXPECT_EQ(field.type == HostFieldType::Text, field.size > 0) << field.name.toStdString();
        }
    }
    EXPECT_EQ(HostCatalogue::find(u"poklknih"), HostCatalogue::find(u"POKLKNIH"));
    EXPECT_EQ(HostCatalogue::find(u"NENI"), nullptr);
    EXPECT_THROW(HostCatalogue::table(u"NENI"), std::out_of_range);
}

// The tables, fields, indexes and places the operations rely on.
struct Usage
{
    QString table;
    HostLocation location;
    QStringList fields;  // spelt as the operations pass them
    QStringList indexes; // selected with SetIndex
};

class CatalogueUsageTest : public testing::TestWithParam<Usage>
{
};

TEST_P(CatalogueUsageTest, HasWhatTheOperationsUse)
{
    const Usage &usage = GetParam();
    const HostTableDef *definition = HostCatalogue::find(usage.table);
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(definition->location, usage.location);
    for (const QString &field : usage.fields)
        EXPECT_TRUE(definition->hasField(field)) << usage.table.toStdString() << "." << field.toStdString();
    for (const QString &index : usage.indexes)
        EXPECT_GE(definition->indexOf(index), 0) << usage.table.toStdString() << " " << index.toStdString();
}

const HostLocation Root = HostLocation::DataRoot;
const HostLocation Agenda = HostLocation::Agenda;
const HostLocation Year = HostLocation::Year;

INSTANTIATE_TEST_SUITE_P(
    Operations, CatalogueUsageTest,
    testing::Values(
        Usage{u"POKLKNIH"_s,
              Year,
              {u"Doklad"_s, u"Cislo"_s, u"DatVyst"_s, u"DatUcPr"_s, u"DatPlat"_s, u"DatPln"_s, u"Pokl"_s, u"AdNazev"_s,
               u"Celkem"_s, u"Popis"_s, u"Vydej"_s, u"Uzamceni"_s, u"DCislo"_s, u"DRada"_s, u"Del"_s, u"Mena"_s,
               u"ValutyKUhr"_s, u"Vyst"_s},
              {u"Doklad"_s, u"Cislo"_s}},
        Usage{u"BANKKNIH"_s,
              Year,
              {u"Ucet"_s, u"DatPlat"_s, u"Vydej"_s, u"Mena"_s, u"ValutyKUhr"_s},
              {u"Doklad"_s, u"Cislo"_s}},
        Usage{u"INTDOKL"_s,
              Year,
              {u"Doklad"_s, u"DRada"_s, u"DCislo"_s, u"DatUcPr"_s, u"DatPln"_s, u"Uzamceni"_s},
              {u"Doklad"_s, u"Cislo"_s}},
        Usage{u"KNIHZAV"_s, Year, {u"UhDokl"_s, u"UcPokl"_s, u"Del"_s}, {u"Doklad"_s, u"Cislo"_s}},
        Usage{u"KNIHPOHL"_s, Year, {u"UhDokl"_s, u"UcPokl"_s, u"Del"_s}, {u"Doklad"_s, u"Cislo"_s}},
        Usage{u"VFAKTURY"_s,
              Year,
              {u"UDoklad"_s, u"FlagDel"_s, u"KUhradeSDP"_s, u"Vystaveno"_s, u"PlnenoDPH"_s, u"O_NazevOb"_s,
               u"Vystavil"_s, u"Ucet"_s},
              {u"Doklad"_s, u"Cislo"_s}},
        Usage{u"PFAKTURY"_s, Year, {u"UDoklad"_s, u"FlagDel"_s, u"D_NazevOb"_s}, {u"Doklad"_s, u"Cislo"_s}},
        Usage{u"SKSEZDOK"_s,
              Year,
              {u"CisloDokla"_s, u"CDokladu"_s, u"Typ"_s, u"Datum "_s, u"O_NazevOb"_s, u"PopisX"_s, u"Celkem"_s,
               u"CPoklDok"_s, u"Vystavil"_s},
              {u"CisloDokla"_s}},
        Usage{u"OBSEZOBJ"_s, Year, {u"Doklad"_s, u"CRadku"_s, u"Druh dokl."_s, u"Vystaveno"_s}, {u"Doklad"_s}},
        Usage{u"UCDENIK"_s,
              Year,
              {u"Zdroj"_s, u"ZRadek"_s, u"Cislo"_s, u"Doklad"_s, u"Del"_s, u"Free"_s},
              {u"Zdroj+ZRadek+Cislo"_s}},
        Usage{u"UCPENDEN"_s,
              Year,
              {u"Zdroj"_s, u"ZRadek"_s, u"Cislo"_s, u"Doklad"_s, u"Del"_s, u"Free"_s},
              {u"Zdroj+ZRadek+Cislo"_s}},
        Usage{u"UHRADY"_s,
              Year,
              {u"TypeUDokl"_s, u"CisloUDokl"_s, u"URok"_s, u"TypeHDokl"_s, u"CisloHDokl"_s, u"HRok"_s},
              {u"TypeUDokl+CisloUDokl+URok+Poradi"_s}},
        Usage{u"EETDOKL"_s, Year, {u"Druh"_s, u"CisDokl"_s}, {u"Druh+CisDokl"_s}},
        Usage{u"CISRADY"_s,
              Year,
              {u"Rada"_s, u"Nazev"_s, u"Cislo"_s, u"Nuly"_s, u"PocetMist"_s, u"VF"_s, u"PF"_s, u"PP"_s,  u"VP"_s,
               u"PU"_s,   u"VU"_s,    u"ZA"_s,    u"PO"_s,   u"ID"_s,        u"SJ"_s, u"SV"_s, u"DL"_s,  u"SM"_s,
               u"PD"_s,   u"SD"_s,    u"SA"_s,    u"PZ"_s,   u"VO"_s,        u"Na"_s, u"NP"_s, u"PtV"_s, u"PtP"_s},
              {}},
        Usage{u"VOLNECIS"_s, Year, {u"Rada"_s, u"Nenab"_s, u"Cislo"_s}, {}},
        Usage{u"POLUCDPK"_s, Year, {u"CISLO"_s}, {u"CISLO"_s}}, Usage{u"POLUCDID"_s, Year, {u"CISLO"_s}, {u"CISLO"_s}},
        Usage{u"VFAKTPOL"_s, Year, {u"Cislo"_s}, {u"Cislo+CisloSkPol"_s}},
        Usage{u"PFAKTPOL"_s, Year, {u"Cislo"_s}, {u"Cislo+CisloSkPol"_s}},
        Usage{u"ROZPUPK"_s, Year, {u"CisDokladu"_s}, {u"CisDokladu"_s}},
        Usage{u"ROZJUBK"_s, Year, {u"CisDokladu"_s}, {u"CisDokladu"_s}},
        Usage{u"SZUCPOKL"_s, Year, {u"Zkrat"_s, u"Popis"_s, u"Mena"_s, u"PocStav"_s}, {}},
        Usage{u"SZCINN"_s, Year, {u"Zkrat"_s, u"Nazev"_s}, {}},
        Usage{u"VFAKTTYP"_s, Year, {u"Zkratka"_s, u"Nazev"_s}, {}},
        Usage{u"SKDOKTYP"_s, Year, {u"Zkratka   "_s, u"Popis     "_s, u"TYP       "_s}, {}},
        Usage{u"OBJTYPY"_s, Agenda, {u"Zkratka   "_s, u"Popis     "_s, u"TYP       "_s}, {}},
        Usage{u"ROK"_s, Year, {u"Section1"_s, u"Variable"_s, u"TypeVar"_s, u"Value"_s}, {u"Section1+Variable"_s}},
        Usage{u"AGENDA"_s, Agenda, {u"Section1"_s, u"Variable"_s, u"TypeVar"_s, u"Value"_s}, {u"Section1+Variable"_s}},
        Usage{u"SZDPH"_s, Agenda, {u"DatumOd"_s, u"DatumDo"_s}, {}},
        Usage{u"MJINVPOH"_s, Agenda, {u"Doklad"_s, u"ZauctDokla"_s}, {}},
        Usage{u"REZTVORB"_s, Agenda, {u"Doklad"_s}, {}}, Usage{u"OPPCERP"_s, Agenda, {u"Doklad"_s}, {}},
        Usage{u"ADAKCE"_s, Agenda, {u"TypDokl"_s, u"Rok"_s, u"Doklad"_s, u"Popis"_s}, {u"Doklad"_s}},
        Usage{u"GLAKCE"_s,
              Root,
              {u"Agenda"_s, u"Rok"_s, u"KodSezn"_s, u"DoklZkrat"_s, u"Cislo"_s, u"KodAkce"_s, u"Cena"_s, u"Datum"_s,
               u"Cas"_s, u"Uzivatel"_s, u"Popis"_s, u"Stanice"_s},
              {u"Agenda+Rok+KodSezn+DoklZkrat+Cislo"_s}},
        Usage{u"PRISTUP"_s,
              Root,
              {u"Password"_s, u"ID"_s, u"Verifikace"_s, u"JUSzPkDok"_s, u"SeznamNabi"_s},
              {u"Jmeno"_s, u"Password"_s}},
        Usage{u"PRISTUP2"_s,
              Root,
              {u"Password"_s, u"JUInterniD"_s, u"SeznamPNab"_s, u"SeznamVPop"_s, u"SeznamPPop"_s},
              {}},
        Usage{u"PRISUZIV"_s,
              Root,
              {u"Password"_s, u"UzivOS"_s, u"PrihlZp"_s, u"ID_Pristup"_s},
              {u"Jmeno"_s, u"Password"_s, u"UzivOS"_s}},
        Usage{u"PRISPOL"_s, Root, {u"FL_Pristup"_s, u"Polozka"_s, u"Hodnota"_s}, {u"FL_Pristup+Polozka"_s}}),
    [](const testing::TestParamInfo<Usage> &paramInfo) { return paramInfo.param.table.toStdString(); });

TEST(HostCatalogue, RightsItemNamesFitTheirColumn)
{
    const HostTableDef &rights = HostCatalogue::table(u"PRISPOL");
    EXPECT_GE(rights.fields.at(rights.fieldIndex(u"Polozka")).size, int(QStringLiteral("JUSeznamBankovnichDo").size()));
}

TEST(SqliteTableFile, RefusesUnusableDefinitions)
{
    QTemporaryDir dir;
    QString error;
    HostTableDef definition{u"T"_s, HostLocation::Year, {{u"A"_s, HostFieldType::Text, 5}}, {u"B"_s}, QString()};
    EXPECT_FALSE(SqliteTableFile::create(dir.filePath(u"T.DAT"_s), definition, &error));
    EXPECT_EQ(error, u"index \"B\" tabulky T uvádí neznámé pole"_s);
    definition.indexes = {u"A"_s};
    definition.fields.append({u"a  "_s, HostFieldType::Integer, 0});
    EXPECT_FALSE(SqliteTableFile::create(dir.filePath(u"T.DAT"_s), definition, &error));
    EXPECT_EQ(error, u"pole \"a  \" je v tabulce T dvakrát"_s);
    definition.fields = {{u"M"_s, HostFieldType::Memo, 0}};
    definition.indexes = {u"M"_s};
    EXPECT_FALSE(SqliteTableFile::create(dir.filePath(u"T.DAT"_s), definition, &error));
    EXPECT_EQ(error, u"index \"M\" tabulky T nemůže obsahovat pole typu memo"_s);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"T.DAT"_s)));
}

} // namespace

#include "ops/seqcheck/SequenceModules.h"

using namespace Qt::StringLiterals;

const std::array<SequenceModule, kSequenceModuleCount> &sequenceModules()
{
    static const std::array<SequenceModule, kSequenceModuleCount> modules = {{
        {u"chckPokl",
         u"pokladní doklady",
         u"lblDetPokl",
         u"Pokl",
         {u"PP"_s, u"VP"_s},
         u"POKLKNIH",
         u"Doklad",
         u"Del",
         u"Pokladní doklady"},
        {u"chckBank",
         u"bankovní doklady",
         u"lblDetBank",
         u"Bank",
         {u"PU"_s, u"VU"_s},
         u"BANKKNIH",
         u"Doklad",
         u"Del",
         u"Bankovní doklady"},
        {u"chckZav",
         u"ostatní závazky",
         u"lblDetZav",
         u"Zav",
         {u"ZA"_s},
         u"KNIHZAV",
         u"Doklad",
         u"Del",
         u"Ostatní závazky"},
        {u"chckPohl",
         u"ostatní pohledávky",
         u"lblDetPohl",
         u"Pohl",
         {u"PO"_s},
         u"KNIHPOHL",
         u"Doklad",
         u"Del",
         u"Ostatní pohledávky"},
        {u"chckInt",
         u"interní doklady",
         u"lblDetInt",
         u"Int",
         {u"ID"_s},
         u"INTDOKL",
         u"Doklad",
         u"Del",
         u"Interní doklady"},
        {u"chckSklad",
         u"skladové doklady",
         u"lblDetSklad",
         u"Sklad",
         {u"SJ"_s, u"SV"_s, u"DL"_s, u"SM"_s, u"PD"_s, u"SD"_s, u"SA"_s},
         u"SKSEZDOK",
         u"CisloDokla",
         u"",
         u"Skladové doklady"},
        {u"chckVF",
         u"vystavené faktury",
         u"lblDetVF",
         u"VF",
         {u"VF"_s},
         u"VFAKTURY",
         u"Doklad",
         u"FlagDel",
         u"Vystavené faktury"},
        {u"chckPF",
         u"přijaté faktury",
         u"lblDetPF",
         u"PF",
         {u"PF"_s},
         u"PFAKTURY",
         u"Doklad",
         u"FlagDel",
         u"Přijaté faktury"},
        {u"chckObj",
         u"objednávky/nab./popt.",
         u"lblDetObj",
         u"Obj",
         {u"PZ"_s, u"VO"_s, u"Na"_s, u"NP"_s, u"PtV"_s, u"PtP"_s},
         u"OBSEZOBJ",
         u"Doklad",
         u"",
         u"Objednávky/nabídky/poptávky"},
    }};
    return modules;
}

const QStringList &seriesUsageFlags()
{
    static const QStringList flags = {u"VF"_s, u"PF"_s, u"PP"_s, u"VP"_s, u"PU"_s,  u"VU"_s, u"ZA"_s, u"PO"_s,
                                      u"ID"_s, u"SJ"_s, u"SV"_s, u"DL"_s, u"SM"_s,  u"PD"_s, u"SD"_s, u"SA"_s,
                                      u"PZ"_s, u"VO"_s, u"Na"_s, u"NP"_s, u"PtV"_s, u"PtP"_s};
    return flags;
}

QString seriesFilterFor(int module)
{
    if (module < 1 || module > kSequenceModuleCount)
        return QString();
    const QStringList &flags = sequenceModules().at(size_t(module - 1)).flags;
    if (flags.size() == 1)
        return flags.first() + u" = True"_s;
    QStringList terms;
    for (const QString &flag : flags)
        terms.append(u'(' + flag + u" = True)"_s);
    return terms.join(u" OR "_s);
}

MemTable::RowFilter seriesRowFilter(const MemTable &series, int module)
{
    if (module < 1 || module > kSequenceModuleCount)
        return nullptr;
    QList<int> fields;
    for (const QString &flag : sequenceModules().at(size_t(module - 1)).flags)
        fields.append(series.fieldIndex(flag));
    return [fields](const MemTable &table, int storageRow) {
        for (const int field : fields) {
            if (field >= 0 && table.storageValue(storageRow, field).toBool())
                return true;
        }
        return false;
    };
}

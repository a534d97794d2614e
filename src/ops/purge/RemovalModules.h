#pragma once

#include <QString>

#include <array>

// The document modules the removal works through, in the order it processes
// them. Every document table is searched by its index "Cislo", the document's
// line number, under which its items, distribution records and journal lines
// refer to it.
struct RemovalModule
{
    const char16_t *checkBox;       // the window's check box
    const char16_t *caption;        // its caption
    const char16_t *title;          // in the protocol and the status label
    const char16_t *table;          // the document table (year directory)
    const char16_t *deletionFlag;   // true: shown deleted in the host
    const char16_t *sourceCode;     // `Zdroj` of its journal lines
    const char16_t *itemsTable;     // its items
    const char16_t *itemsIndex;     // the items' index, led by the line number
    const char16_t *itemsField;     // the items' field holding the line number
    const char16_t *distributionDE; // distribution records, double-entry year (or none)
    const char16_t *distributionSE; // distribution records, single-entry year (or none)
    bool invoice;                   // items removed by `removeInvoiceItems`

    QString text(const char16_t *value) const { return value ? QString::fromUtf16(value) : QString(); }
    // The distribution table of the year's bookkeeping; empty when none.
    QString distributionTable(bool doubleEntry) const { return text(doubleEntry ? distributionDE : distributionSE); }
};

inline constexpr std::array<RemovalModule, 7> kRemovalModules = {{
    {u"chckPokl", u"pokladní doklady", u"Pokladní doklady", u"POKLKNIH", u"Del", u"PK", u"POLUCDPK", u"CISLO", u"CISLO",
     u"ROZPUPK", u"ROZJUPK", false},
    {u"chckBank", u"bankovní doklady", u"Bankovní doklady", u"BANKKNIH", u"Del", u"BK", u"POLUCDBK", u"CISLO", u"CISLO",
     u"ROZPUBK", u"ROZJUBK", false},
    {u"chckZav", u"ostatní závazky", u"Ostatní závazky", u"KNIHZAV", u"Del", u"KZ", u"POLUCDKZ", u"CISLO", u"CISLO",
     u"ROZPUKZ", nullptr, false},
    {u"chckPohl", u"ostatní pohledávky", u"Ostatní pohledávky", u"KNIHPOHL", u"Del", u"KP", u"POLUCDKP", u"CISLO",
     u"CISLO", u"ROZPUKP", nullptr, false},
    {u"chckInt", u"interní doklady", u"Interní doklady", u"INTDOKL", u"Del", u"ID", u"POLUCDID", u"CISLO", u"CISLO",
     u"ROZPUID", nullptr, false},
    {u"chckVF", u"vystavené faktury", u"Vystavené faktury", u"VFAKTURY", u"FlagDel", u"FV", u"VFAKTPOL",
     u"Cislo+CisloSkPol", u"Cislo", nullptr, nullptr, true},
    {u"chckPF", u"přijaté faktury", u"Přijaté faktury", u"PFAKTURY", u"FlagDel", u"FP", u"PFAKTPOL",
     u"Cislo+CisloSkPol", u"Cislo", nullptr, nullptr, true},
}};

inline constexpr int kRemovalModuleCount = int(kRemovalModules.size());

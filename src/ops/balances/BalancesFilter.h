#pragma once

#include <QString>

// The balances' filter settings: all bank accounts and cash desks, or only
// the chosen ones. Kept per company in the per-configuration settings file,
// section "StavUctuPokladenFilter" + agenda code.
class TStavUctuPokladenFilter
{
public:
    bool useSelected = false; // only the chosen accounts and cash desks
    QString selectedCodes;    // code list, each code followed by ";"

    static QString sectionName(const QString &agendaCode);
    void load(const QString &configIniPath, const QString &agendaCode);
    // False when the settings file could not be written.
    bool save(const QString &configIniPath, const QString &agendaCode) const;

    // Whether an account or cash desk code takes part: always without
    // "jen vybrané", otherwise when the code is one of the list's. The host
    // finds "Pokl"/"Ucet" in its account list by a seek, which ignores case
    // and trailing blanks; the list is compared the same way, so "pk1" in a
    // book record and "PK1" in the list name one cash desk. An empty code is
    // never in the list.
    bool includes(const QString &code) const;
};

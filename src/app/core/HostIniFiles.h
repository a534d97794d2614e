#pragma once

#include <QDate>
#include <QString>

// The keys the add-on reads from the host's AGENDA.INI (agenda directory) and
// ROK.INI (year directory). Each read opens a fresh host ini reader and frees
// it at once, so it sees the file's current content; a missing file or key
// gives the default.

QString readYearName(const QString &yearDir);       // [Global] "Účetní rok", "---"
QString readCurrencySymbol(const QString &yearDir); // [Global] "Symbol měny", ""
bool isDoubleEntry(const QString &yearDir);         // [Global] "Podvojné účetnictví" is "Y", any case
bool postsStockMovements(const QString &yearDir);   // [Účetnictví] "Sklad/UctovatPohyby"
QString readCompanyName(const QString &agendaDir);  // [Údaje o firmě] "Název-obchodní", ""
bool isBranchExchange(const QString &agendaDir);    // [Export/Import] "Stav" other than "NORMAL"
QString lastClosingDate(const QString &agendaDir);  // [Účetnictví] "Poslední závěrka", ""

// The fiscal year's first and last day ("Hospodářský rok od"/"do"): the
// stored value plus 1 is the day number, so 0 gives 31 December 1899.
struct FiscalYear
{
    QDate from;
    QDate to;
};
FiscalYear fiscalYear(const QString &yearDir);

// A number series prefix with its year placeholders filled in from a year's
// display name: "rrrr" and "rrr" give the whole year, "rr" its last two
// digits, "r" its last digit (each the first occurrence only, lower case
// only). A year name that is not a four-character whole number leaves the
// prefix unchanged.
QString expandSeriesPrefix(const QString &prefix, const QString &yearName);

#pragma once

#include <QString>
#include <QStringList>

// The demo company: a host data tree for trying Tarnek's five operations.
//
// Data root with the action log (creations, edits and changed totals by
// several users) and new-format user rights; AGENDA.001 "Demo s.r.o."
// (double-entry) with the years 2017 (ROK.INI as text) and 2018 (ROK.INI in
// its table form); AGENDA.002 "Jednoduchá s.r.o." (single-entry, 2018).
// Each year has number series with year placeholders and free numbers; cash,
// bank, internal documents, liabilities, receivables and invoices with gaps,
// numbers out of date order, deleted and locked documents, items,
// distribution records and journal lines (free lines among them); payments
// of invoices of both years; bank accounts and cash desks in CZK and EUR
// with opening balances; stock documents, orders, offers and enquiries; EET
// records; VAT filings; asset movements and reserves naming internal
// documents. Built from a fixed seed, so every run gives the same data.
namespace DemoCompany {

struct Result
{
    bool ok = false;
    QString error;
    QStringList commandLine; // Ledra's arguments for AGENDA.001, year 2018
};

// Builds the company in `targetDir`, which must not exist or be empty.
Result build(const QString &targetDir);

} // namespace DemoCompany

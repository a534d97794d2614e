#pragma once

#include <QString>

class MemTable;
class TBFTable;

namespace ActionHistory {

// The history's row table `mtAkce`: `Datum`, `Cas` (shown "hh:mm"), `Akce`,
// `Cena`, `Uzivatel`, `Popis`, `Stanice`.
void defineActionRows(MemTable &rows);

// Empties `rows` and appends one row per action-log record of the document,
// in log order. `log` open and indexed on
// "Agenda+Rok+KodSezn+DoklZkrat+Cislo"; a seek that raises the engine's
// exception counts as not found. The records belong to the document while
// their keys equal the sought ones the way the seek compares them (without
// regard to case, trailing blanks ignored). Unreadable fields stay empty
// (dates, price and workstation 0).
void load(TBFTable &log, const QString &agendaCode, const QString &yearCode, const QString &listCode,
          const QString &documentNumber, MemTable &rows);

} // namespace ActionHistory

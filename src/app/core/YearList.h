#pragma once

#include <QString>

class MemTable;

// The year list `mtYear`: one row per accounting year of the open company,
// column `YearNumber` (the year directory's extension, at most 10 characters).
void defineYearTable(MemTable &mtYear);

// Rebuilds the list from the "Rok.*" directories of the agenda directory.
// 0 when at least one year was found (the first row is then current); -1
// after reporting "Chyba: vybraná agenda neobsahuje žádný účetní rok.".
int loadYearList(const QString &agendaDir, MemTable &mtYear);

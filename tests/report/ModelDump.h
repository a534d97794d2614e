#pragma once

#include <QString>

class TSestavaTyp;

// The whole model of a report as text, one line per object, for comparing
// models and for readable failures.
QString dumpModel(const TSestavaTyp &report);

// Compares a dump with the golden file `name` under tests/report/data; the
// failure shows the first differing line. With TARNEK_UPDATE_GOLDEN=1 the
// file is written instead (review its diff before committing it).
void expectGoldenDump(const QString &dump, const QString &name);

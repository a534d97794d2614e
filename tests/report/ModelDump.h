#pragma once

#include <QString>

class TSestavaTyp;

// The whole model of a report as text, one line per object, for comparing
// models and for readable failures.
QString dumpModel(const TSestavaTyp &report);

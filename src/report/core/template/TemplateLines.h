#pragma once

#include <QStringList>

// A report's template: its text lines (the report's "Predloha").
using TPredloha = QStringList;

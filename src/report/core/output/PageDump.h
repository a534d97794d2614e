#pragma once

#include <QString>

struct TSestVystup;

// A laid-out report as text: each page with its items in drawing order, their
// order numbers, kinds, sections, positions and sizes, texts and the range of
// wrapped lines each shows. Tests compare it with golden files; the
// command-line tool writes it with "--format dump".
QString dumpOutput(const TSestVystup &output);

#pragma once

#include <functional>

class TSestava;

// The generator's windows and its printer output live in report/ui, above
// the engine; the engine reaches them through these hooks. report/ui installs
// the real ones at start-up, tests install their own. Each hook returns a
// TSestError code; an unset hook makes the operation fail with
// seDataOrNothing (the window could not be opened).
struct ReportWindows
{
    // Called by Print inside the one-run-at-a-time guard, between BeforePrint
    // and AfterPrint: selects printer `printerIndex` (-1 keeps the current
    // one), prepares the report at that printer's page (ReportLayout::prepare),
    // prints the pages and selects the previous printer again.
    std::function<int(TSestava &report, int printerIndex)> print;
    // Called by Preview once the report is prepared: shows the preview window
    // over the report's output and returns when it closes.
    std::function<int(TSestava &report)> preview;
    // Called by Design with the report's data fetched and its template
    // loaded: runs the designer; 0 when closed with OK, 3 when cancelled.
    std::function<int(TSestava &report)> design;

    static ReportWindows &current();
};

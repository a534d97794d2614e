#pragma once

#include <functional>

class TSestava;
class DesignerDocument;

// One run of the designer's edited copy over the report's data: its preview
// or its print. The copy becomes the report's template for the run alone;
// afterwards the report is as it was: its template lines and model, how it
// loads its template (a file, Predloha, the application's handler), the
// output and the counters of its last run. The process-wide page setup is
// the one the designer shows again. Saving is the designer's business: the
// copy still counts as modified exactly as before.
class DesignerRun
{
public:
    // Runs `body` (the report's Preview or Print, which prepare the report
    // and load its template) with the editor's copy as the template; body's
    // result, a TSestError code.
    static int run(DesignerDocument &editor, const std::function<int(TSestava &report)> &body);
};

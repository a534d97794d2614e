#pragma once

#include <QString>

class TSestava;

// One printing of a report's laid-out output.
struct PrintRun
{
    int printerIndex = -1; // CurrentPrinter index; -1 the selected printer
    int firstPage = 1;     // 1-based, clamped to the output
    int lastPage = 9999;
    int copies = 1;
    bool printBackground = false; // draw the background picture
    QString jobTitle;             // empty: the report's Popis
    QString outputFile;           // non-empty: print to this file (the "FILE:" port)
};

// The report's printer output: graphic pages through Qt's print support, or
// the character text on a text-only printer.
class ReportPrinter
{
public:
    // Prints the report's output as it is laid out now (graphic mode, or character mode
    // when the printer's driver is the generic text-only one). A TSestError code.
    static int printOutput(TSestava &report, const PrintRun &run);
    // Sets ReportWindows::current().print: select the printer, prepare, printOutput, restore the printer.
    static void install();
};

#pragma once

#include <QString>

#include <array>

// The report settings the template header carries besides the page setup.
struct ReportOptions
{
    std::array<int, 3> version{6, 40, 27}; // major, minor, release
    int printColumns = 1;
    int columnGap = 0;

    // Layout grid; grid type 1 is the character grid (character mode).
    int gridType = 0;
    int gridX = 8;       // in character mode: the column width
    int gridY = 8;       // in character mode: the row height
    int lineSpacing = 0; // 0: 6, 1: 4, 2: 3 lines per inch
    int pitch = 1;       // 0: 10, 1: 12, 2: 17 characters per inch
    bool showGrid = false;
    bool snapToGrid = false;

    // Background picture.
    bool ownBackground = false; // the template names its picture
    bool printBackground = false;
    bool partialPlacement = false; // not "Celý papír"
    int backgroundLeft = 0;
    int backgroundTop = 0;
    int backgroundWidth = 0; // 0: the paper's
    int backgroundHeight = 0;
    QString backgroundFile;

    // Pagination switches.
    bool newBodyOnNewPage = false;         // "Nové tělo na novou stránku"
    bool breakAfterReportHeader = false;   // "Odstránkovat po začátku sestavy"
    bool breakBeforeReportFooter = false;  // "Odstránkovat před koncem sestavy"
    bool reportFooterAtPageFooter = false; // "Konec sestavy zarovnat k patě"
    bool noPageHeaderOnFirstPage = false;  // "Na první stránce netisknout hlavu"
    bool noPageFooterOnLastPage = false;   // "Na poslední stránce netisknout patu"

    int storedValue = 0; // I,5: kept and written back

    bool isCharacterMode() const { return gridType == 1; }
    // A template older than 1.x.3 numbers the system variables without the page count.
    bool isBeforePageCount() const { return version[0] <= 1 && version[2] < 3; }

    friend bool operator==(const ReportOptions &, const ReportOptions &) = default;
};

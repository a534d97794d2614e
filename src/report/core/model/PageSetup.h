#pragma once

// The page setup of every report in the process. Loading the header of any
// main report's template replaces it; every report prints with the setup
// loaded last. Lengths in hundredths of an inch.
struct PageSetup
{
    enum Orientation { Portrait = 0, Landscape = 1 };

    int paperWidth = 826; // A4
    int paperHeight = 1169;
    int orientation = Portrait;
    bool allowOrientationChange = false; // "Povolit změnu orientace"
    int leftMargin = 50;
    int rightMargin = 50;
    int topMargin = 70;
    int bottomMargin = 70;

    // The orientation code of the template header: 0 portrait, 1 landscape,
    // plus 2 when the printer's own orientation may stand.
    int orientationCode() const { return orientation + (allowOrientationChange ? 2 : 0); }
    void setOrientationCode(int code);

    friend bool operator==(const PageSetup &, const PageSetup &) = default;
};

// The process-wide page setup.
PageSetup &pageSetup();

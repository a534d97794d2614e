#pragma once

// Result codes of the report operations.
enum TSestError : int {
    seOK = 0,
    seNoPrinter = 2,      // no printer installed
    seCancelled = 3,      // interrupted by the user, designer or preview cancelled
    seTemplateLoad = 4,   // the template could not be loaded
    seTemplateSave = 5,   // the template could not be saved
    seOutputWrite = 6,    // writing an output stream or file failed
    seAlreadyRunning = 7, // a print or preview was already running
    seDataOrNothing = 8,  // data check failed, designer not opened, nothing to export
};

// Code page of character-printer and text output.
enum TSestLanguage : int { slUndefined = 0, slASCII, slCP867, slCP852, slCP1250 };

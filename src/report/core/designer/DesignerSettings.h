#pragma once

#include <QString>

// The template designer's environment and the defaults of new elements, kept
// in the report's ini file (IniFileName) under "EditorSestav" and "Oddily".
// The environment dialog edits them; the designer reads them when it opens.
struct DesignerSettings
{
    // ---- "EditorSestav"
    int zoomIndex = 6;              // "ImplMeritko": index into zoomPercents()
    int gridX = 8;                  // "RastrX", units
    int gridY = 8;                  // "RastrY"
    bool showGrid = true;           // "RastrZobrazovat"
    bool snapToGrid = true;         // "RastrZarovnavat"
    bool confirmDeleteOne = false;  // "MazaniJedne": "Smazat vybraný prvek?"
    bool confirmDeleteMany = true;  // "MazaniVice": "Smazat všechny vybrané prvky?"
    bool allowMoveOutside = false;  // "PosunMimo"
    int undoLimit = 10;             // "PocetUndo"
    bool undoAfterSave = false;     // "UndoSave"
    bool showTree = false;          // "ShowTree"
    bool followByName = false;      // "SledPodle"
    bool labelsForNames = false;    // "PopisyPol"
    bool fontsAlphabetical = false; // "PismaAbec"

    // ---- "Oddily": a new element
    int newWidth = 200;                            // "ImplSirka"
    int newHeight = 20;                            // "ImplVyska"
    int newTextAlignment = 0;                      // "ImplZarovnani"
    int newNumberAlignment = 1;                    // "ImplZarovnaniCi"
    int newFontColour = 0;                         // "ImplBarvaFontu": index into the report colours
    int newFontSize = 10;                          // "ImplVyskaFontu": negative, a pixel height at 100 per inch
    QString newFontName = QStringLiteral("Arial"); // "ImplNazevFontu"
    int newFontStyle = 0;                          // "ImplStylFontu"
    int newFontCharset = 1;                        // "ImplSkriptFontu"

    static constexpr int ZoomCount = 11;
    // 32, 40, 50, 64, 75, 83, 100, 120, 150, 200, 300.
    static int zoomPercent(int index);
    // The zoom index bounded to the list (a hand-edited file may hold anything).
    int boundedZoomIndex() const;

    // Missing keys keep the defaults above. An empty path reads the defaults.
    static DesignerSettings load(const QString &iniPath);
    // Writes every key; false when the file could not be written.
    bool save(const QString &iniPath) const;

    friend bool operator==(const DesignerSettings &, const DesignerSettings &) = default;
};

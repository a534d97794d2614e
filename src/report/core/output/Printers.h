#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the generator reads from a printer, in device pixels.
struct PrinterFacts
{
    int resolutionX = 100; // pixels per inch
    int resolutionY = 100;
    int offsetX = 50; // physical printing offset
    int offsetY = 72;
    int physicalWidth = 0; // the whole sheet
    int physicalHeight = 0;
    int printableWidth = 0; // the area the printer can reach
    int printableHeight = 0;
    int orientation = 0; // 0 portrait, 1 landscape
};

// Margins in hundredths of an inch.
struct PrinterMargins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const PrinterMargins &, const PrinterMargins &) = default;
};

// The installed printers. The program installs the platform's list; tests
// install none, a fake, or a real CUPS queue.
class PrinterList
{
public:
    virtual ~PrinterList() = default;

    virtual QStringList names() const = 0;
    // The system's current (default) printer, -1 when none.
    virtual int defaultIndex() const = 0;
    // The printer's driver (its make and model).
    virtual QString driverName(int index) const = 0;
    // Facts of printer `index` with that orientation set and one copy;
    // nullopt when the printer cannot be asked.
    virtual std::optional<PrinterFacts> facts(int index, int orientation) const = 0;
};

// The printer the generator prints on, for the whole process: the selection,
// the facts with their fallbacks when no printer is installed, the scale
// factors of layout and output, and the margin check.
class CurrentPrinter
{
public:
    static CurrentPrinter &current();

    // The list is not owned; nullptr means no printer is installed. The
    // system's current printer becomes the selected one.
    void setPrinterList(const PrinterList *list);
    const PrinterList *printerList() const { return m_list; }
    QStringList names() const;
    int count() const;

    // -1 keeps the current printer; an index outside the list selects none.
    // Sets the scale factors. Returns whether a printer is present.
    bool selectPrinter(int index);
    int selectedIndex() const { return isPresent() ? m_index : -1; }
    // At least one printer installed and a valid selection.
    bool isPresent() const;
    QString selectedName() const;

    // Device pixels per unit (resolution / 100); 1 after a reset.
    double scaleX() const { return m_scaleX; }
    double scaleY() const { return m_scaleY; }
    void resetScale();

    // The selected printer's facts; without a printer: 100 pixels per inch,
    // offsets 50 and 72, the report's paper as the page (turned for landscape).
    PrinterFacts facts(int orientation) const;
    // Whether the selected printer's driver is the generic text-only one,
    // which prints in character mode.
    bool isTextOnly() const;
    static bool isTextOnlyDriver(const QString &driverName);

    // The smallest margins the printer allows with that orientation.
    PrinterMargins minimumMargins(int orientation) const;
    // True without a printer, or when every margin reaches the printer's minimum.
    bool checkMargins(int orientation, const PrinterMargins &margins) const;
    // Each margin raised to the printer's minimum when below it.
    PrinterMargins fitMargins(int orientation, const PrinterMargins &margins) const;
    // The check made when the report settings are confirmed: when it fails,
    // asks whether to fit the margins (Yes fits them, No keeps them). False
    // on Cancel: the settings stay open.
    bool confirmMargins(int orientation, PrinterMargins &margins) const;

private:
    const PrinterList *m_list = nullptr;
    int m_index = -1;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
};

#pragma once

#include "report/core/output/Printers.h"

#include <QSize>

// How a report's paper goes onto a printer whose page is smaller: cut off,
// scaled down, or spread over several sheets. Plain arithmetic behind the
// print options window; sizes in units (hundredths of an inch).
class PrintSheets
{
public:
    enum Option { Crop = 0, Scale = 1, MultipleSheets = 2 };

    // `paper` is the report's paper with its orientation applied, `printerPage`
    // the printer's physical page in the orientation it prints with.
    PrintSheets(QSize paper, QSize printerPage, const PrinterMargins &margins);

    // Whether the printer's page is smaller than 99 % of the paper's width or
    // height, so the options must be asked for before printing.
    static bool needsOptions(QSize paper, QSize printerPage);
    // Pixels of a printer page in units: pixels x 100 / resolution.
    static QSize pageInUnits(int widthPixels, int heightPixels, int resolutionX, int resolutionY);

    Option option() const { return m_option; }
    void setOption(Option option);
    // The printer's medium turned: the printer page's width and height swap.
    bool rotated() const { return m_rotated; }
    void setRotated(bool rotated);
    // A new printer page (read again after the printer's set-up).
    void setPrinterPage(QSize printerPage);

    QSize paper() const { return m_paper; }
    const PrinterMargins &margins() const { return m_margins; }
    // The printer page the sheets are computed with: turned when rotated and
    // never smaller than the margins at the zoom plus one unit.
    QSize printerPage() const { return m_page; }
    int zoom() const { return m_zoom; }     // percent
    int across() const { return m_across; } // sheets in a row
    int down() const { return m_down; }     // rows of sheets
    int sheets() const { return m_across * m_down; }

    // Where the sheet in `row` and `column` (from 0) starts on the paper: the
    // first sheet covers the whole printer page, each further one the page
    // less its margins, in units of the paper at the zoom.
    QPoint sheetOffset(int row, int column) const;

private:
    void recompute();
    // Sheets needed along one side: one, then one more while the paper not
    // yet covered exceeds 1 % of the page.
    static int sheetsAlong(int paper, int page, int marginSum);

    QSize m_paper;
    QSize m_rawPage;
    PrinterMargins m_margins;
    Option m_option = Crop;
    bool m_rotated = false;
    QSize m_page;
    int m_zoom = 100;
    int m_across = 1;
    int m_down = 1;
};

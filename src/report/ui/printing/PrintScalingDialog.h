#pragma once

#include "report/core/output/PrintSheets.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPrinter;
class QRadioButton;

// "Rastel - možnosti tisku": asked before printing when the printer's page is
// smaller than the report's paper. Cut the report off, scale it down, or
// spread it over several sheets; the printer's medium may be turned and the
// printer set up. The arithmetic lives in PrintSheets.
class TFormRastelReportZoom final : public QDialog
{
    Q_OBJECT

public:
    // `printer` is the one that will print: its set-up dialog is offered and
    // its orientation switched when the dialog is confirmed with the medium
    // turned.
    TFormRastelReportZoom(QPrinter &printer, const PrintSheets &sheets, QWidget *parent = nullptr);
    ~TFormRastelReportZoom() override;

    const PrintSheets &sheets() const { return m_sheets; }

    void accept() override;

    // The printer's physical page in units, in the orientation it has now.
    static QSize printerPage(const QPrinter &printer);

private:
    void optionChanged();
    void setUpPrinter();
    void showSheets();

    class SheetPicture;

    QPrinter &m_printer;
    PrintSheets m_sheets;
    QLabel *m_paperSize;
    QLabel *m_mediumSize;
    QLabel *m_zoom;
    QRadioButton *m_crop;
    QRadioButton *m_scale;
    QRadioButton *m_multiple;
    QCheckBox *m_rotate;
    SheetPicture *m_picture;
};

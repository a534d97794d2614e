#pragma once

#include <QDialog>
#include <QPixmap>

class DataGrid;
class MemTable;
class QLabel;
class QPushButton;

// "Seznam číselných řad": the series table as the set-up window filtered it,
// with the check mark column `Checked` (frozen on the left), toggled by a
// double click, marked or unmarked on every row at once, and each row's range
// edited in the series edit window. Works directly on the series table.
class TfrmKontrPoslSeznam : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmKontrPoslSeznam(MemTable &series, QWidget *parent = nullptr);
    ~TfrmKontrPoslSeznam() override;

    DataGrid *grid() const { return m_grSeznamCR; }
    // The check mark picture `imgCheck`, drawn in the column and the panel.
    static QPixmap checkPicture();

    // Sets `Checked` of every row of the view; the current row stays.
    void setAllChecked(bool checked);
    void toggleCurrent();
    // "Upravit": the series edit window for the current row.
    void editCurrent();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void keepOutOfFrozenColumn();

    MemTable &m_series;
    DataGrid *m_grSeznamCR;
    QPushButton *m_btnUpravit;
    QPushButton *m_btnOznacitVse;
    QPushButton *m_btnOdznacitVse;
};

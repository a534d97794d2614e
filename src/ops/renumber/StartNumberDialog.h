#pragma once

#include "ops/renumber/RenumberList.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QSpinBox;

// The start-number window shared by "Navrhnout" and "Kontrola": the series
// prefix, the start number (1 to 999999) and what it leads to — the current
// sort, the number of rows counted and the first and last number. "OK" is
// refused while a bound cannot be composed.
class TfrmNastavPrecisl : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Propose, Check };

    // `count`: the rows the numbers are given to; `sortDescription`:
    // "dle sloupce [...]".
    TfrmNastavPrecisl(Mode mode, const RenumberState &state, int count, const QString &sortDescription,
                      QWidget *parent = nullptr);

    qint64 startNumber() const;
    // Shows both bounds for the current start number; 0 when both can be
    // composed, -1 otherwise ("NELZE SESTAVIT").
    int updateBoundLabels();

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const RenumberState &m_state;
    int m_count;
    QLineEdit *m_edtPrefix;
    QSpinBox *m_edtPocCislo;
    QLabel *m_lblPocetKPrec;
    QLabel *m_lblNoveCislDolni;
    QLabel *m_lblNoveCisloHorni;
};

// The caption of the grid column the list is sorted by, as the window shows
// it: "dle sloupce [" + title + "]".
QString sortDescription(const QString &columnTitle);

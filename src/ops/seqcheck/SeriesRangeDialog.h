#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;

// "Úprava hodnot": the range and the check mark of one number series. "OK"
// refuses an end below the start; the caller writes the values back.
class TfrmKontrPoslDetail : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmKontrPoslDetail(QWidget *parent = nullptr);

    void setValues(const QString &code, int start, int end, bool checked);
    int start() const;
    int end() const;
    bool isChecked() const;

private:
    void okClicked();

    QLineEdit *m_edtRada;
    QSpinBox *m_edtZacatek;
    QSpinBox *m_edtKonec;
    QCheckBox *m_chckKontrolovat;
};

#pragma once

#include "ops/edited/EditedSettings.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The module-choice window of the highlight list ("Výběr modulu"): the
// twenty modules, the filter by issue date with its period list, the
// change-from date and the ignore-own switch. "OK" checks the dates it needs.
class TfrmVyberModulu : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmVyberModulu(QWidget *parent = nullptr);

    void setUserName(const QString &userName);
    // Puts saved choices into the controls; a module outside 1-20 leaves
    // `rbPokl` checked.
    void setSettings(const EditedSettings &settings);
    // The choices as the controls hold them (dates that do not parse are
    // invalid).
    EditedSettings settings() const;

    // The calendar buttons of the three date boxes.
    QAction *calendarAction(QLineEdit *edit) const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *addDateEdit(const QString &objectName);
    void updateControls();
    void periodChanged();
    void openCalendar(QLineEdit *edit);
    void okClicked();

    QList<QRadioButton *> m_modules; // by module number - 1
    QCheckBox *m_chckIgnorUzivatel;
    QLabel *m_lblAktUzivatel;
    QCheckBox *m_chckDatVystaveni;
    QComboBox *m_cbxDatVystObdobi;
    QLineEdit *m_edtDatumVystOd;
    QLineEdit *m_edtDatumVystDo;
    QCheckBox *m_chckUseZmenaOd;
    QLineEdit *m_edtZmenaOd;
};

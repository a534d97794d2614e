#pragma once

#include "ops/edited/EditedListRules.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

// The highlight list's filter ("Filtr"), created afresh for each use: the
// filter switch, the state switch that stays checked, and the choice of
// classes.
class TfrmSeznamOdlisDoklFiltr : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSeznamOdlisDoklFiltr(QWidget *parent = nullptr);

    bool isFilterActive() const;
    EditedListRules::Choice choice() const;

private:
    QCheckBox *m_chckFiltrAktivni;
    QCheckBox *m_chckDleStavu;
    QComboBox *m_cbxDleStavu;
};

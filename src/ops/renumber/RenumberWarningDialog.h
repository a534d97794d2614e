#pragma once

#include <QDialog>

// The warning before renumbering: what the user must make sure of first.
// "Ano" goes on, "Ne" (Esc) stops.
class TfrmPrecisVarovani : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPrecisVarovani(QWidget *parent = nullptr);
};

// True when the user chose "Ano".
bool confirmRenumberWarning();

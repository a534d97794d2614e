#pragma once

#include <QDialog>

// The general warning shown before an irreversible operation: "Ano" goes on,
// "Ne" (or Esc) stops.
class TfrmObecneVarovani : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmObecneVarovani(QWidget *parent = nullptr);
};

// True when the user chose "Ano".
bool confirmIrreversible();

#pragma once

#include "ops/renumber/RenumberList.h"

#include <QDialog>

#include <optional>

class QRadioButton;

// "Výběr modulu": which documents to renumber, cash ("pokladní doklady",
// preselected) or internal ("interní doklady"); "OK" and "Storno".
class TfrmVyberModuluPrecisl : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmVyberModuluPrecisl(QWidget *parent = nullptr);

    RenumberModule module() const;

private:
    QRadioButton *m_rbPoklDokl;
    QRadioButton *m_rbIntDokl;
};

// The module the user chose, nothing after "Storno" or closing the window.
std::optional<RenumberModule> chooseRenumberModule();

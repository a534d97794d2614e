#pragma once

#include "print/PrintSettings.h"
#include "print/PrintTemplates.h"

#include <QDialog>

class MemTable;
class QCheckBox;
class QLineEdit;
class QPushButton;
class TComboBoxPrinter;
class TSestava;
class TSestDetail;

// "Tisk": every printed output goes through this dialog. The user picks a
// printer and a template ("formulář"), prints or previews; after
// "Nastavení" another template can be chosen, the standard one restored or
// a copy edited in the designer. The printer and the template can be
// remembered per print function and company.
class TfrmTisk : public QDialog
{
    Q_OBJECT

public:
    TfrmTisk(int function, const TiskContext &context, QWidget *parent = nullptr);
    ~TfrmTisk() override;

    // Prints `table` (print function `function`: 1 the protocol table of the
    // information window, 2 the highlight list's rows in their current order)
    // through the dialog, and writes the choices whose box is checked
    // however the dialog was closed. The table must stay as it is while the
    // dialog is shown. Always 0: the report shows its own errors.
    static int Print(int function, MemTable &table, const TiskContext &context);

    int function() const { return m_function; }
    TSestava &sestava1() const { return *m_sestava1; }
    TSestDetail &sestDetail1() const { return *m_sestDetail1; }

    // Step 2 of printing: the remembered printer and template.
    void loadChoices();
    // Step 5: what the checked boxes ask to remember.
    void saveChoices();

private:
    void tiskClicked();
    void nahledClicked();
    void nastaveniClicked();
    void vyberClicked();
    void editovatClicked();

    int m_function;
    TiskContext m_context;
    TiskTemplates m_templates;
    TSestava *m_sestava1;
    TSestDetail *m_sestDetail1;
    TComboBoxPrinter *m_comboBoxPrinter1;
    QCheckBox *m_chckVychTiskarna;
    QLineEdit *m_edtFormular;
    QCheckBox *m_chckVychFormular;
    QWidget *m_separator;
    QPushButton *m_btnNastaveni;
    QPushButton *m_btnVyber;
    QPushButton *m_btnStandard;
    QPushButton *m_btnEditovat;
    QPushButton *m_btnHelp;
};

#pragma once

#include "report/ui/printing/PrintDialogTyp.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TComboBoxPredloha;
class TComboBoxPrinter;

// "Nastavení tisku": printer, page range and print template. The visible
// groups are stacked from the top (printer, pages, template); the buttons
// stand 6 pixels below the last one, "Tisknout pozadí" 10 pixels below it,
// and the client area is the groups' height + 33.
class TSestPrintDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int PrinterGroupHeight = 112;
    static constexpr int PagesGroupHeight = 80;
    static constexpr int TemplateGroupHeight = 88;
    static constexpr int ClientWidth = 420;

    explicit TSestPrintDlg(QWidget *parent = nullptr);

    // Fills the form from the component.
    void load(const TPrintDialogTyp &settings);
    // Takes the user's choice back into the component.
    void store(TPrintDialogTyp &settings) const;
    TPrintDialogTyp::Answer answer() const { return m_answer; }

    // Where the printer is connected ("Kde:"), as the printing system names it.
    static QString printerPort(const QString &printerName);

private:
    void placeGroups();
    void printerChosen();
    void properties();
    void currentPageToggled();
    void finish(TPrintDialogTyp::Answer answer);

    TPrintDialogTyp::Answer m_answer = TPrintDialogTyp::Answer::Cancelled;
    bool m_noPrinter = false;
    std::array<QGroupBox *, TPrintDialogTyp::GroupCount> m_groups{};
    std::array<bool, TPrintDialogTyp::GroupCount> m_groupShown{true, true, true};
    std::array<QCheckBox *, TPrintDialogTyp::CheckCount> m_checks{};
    std::array<QPushButton *, TPrintDialogTyp::ButtonCount> m_buttons{};
    QPushButton *m_storno = nullptr;
    TComboBoxPrinter *m_printer = nullptr;
    QLabel *m_type = nullptr;
    QLabel *m_port = nullptr;
    QSpinBox *m_from = nullptr;
    QSpinBox *m_to = nullptr;
    QSpinBox *m_copies = nullptr;
    TComboBoxPredloha *m_template = nullptr;
};

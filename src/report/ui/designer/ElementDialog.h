#pragma once

#include "report/core/model/ReportElement.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;
class TSestavaTyp;

// "Nastavení vlastností prvku": every setting of one report element. Only the
// controls that apply to the element's kind are shown. The window edits a
// copy; "OK" writes it back. The report whose model holds the element offers
// the fields, parameters, groups and functions to choose from.
class TDlgKonfPrvku : public QDialog
{
    Q_OBJECT

public:
    // `fontsAlphabetical`: the designer setting "Nabídku písem řadit podle abecedy".
    TDlgKonfPrvku(const TSestavaTyp &report, const TRastelReportElement &element, bool fontsAlphabetical,
                  QWidget *parent = nullptr);

    // Shows the window for the element. On "OK" the edited copy replaces the
    // element; true when that changed anything (the designer then records
    // the undo step "nastavení prvku"). "Storno" changes nothing.
    static bool edit(const TSestavaTyp &report, TRastelReportElement &element, bool fontsAlphabetical = false,
                     QWidget *parent = nullptr);

    // The element as the controls show it.
    TRastelReportElement edited() const;

private:
    // A row of the form shown only when `applies` holds for the element's kind.
    void addRow(const QString &label, QWidget *field, bool applies);
    QComboBox *colourCombo(const QString &name, const QColor &colour);
    void fillReferences();
    void choosePicture();

    const TSestavaTyp &m_report;
    TRastelReportElement m_element;
    QFormLayout *m_form;
    QSpinBox *m_left;
    QSpinBox *m_top;
    QSpinBox *m_width;
    QSpinBox *m_height;
    QLineEdit *m_text = nullptr;
    QComboBox *m_reference = nullptr;
    QSpinBox *m_number = nullptr;
    QLineEdit *m_referenceName = nullptr;
    QComboBox *m_font = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QCheckBox *m_strikeOut = nullptr;
    QComboBox *m_fontColour = nullptr;
    QComboBox *m_alignment = nullptr;
    QCheckBox *m_multiLine = nullptr;
    QCheckBox *m_justify = nullptr;
    QCheckBox *m_variableHeight = nullptr;
    QCheckBox *m_rtf = nullptr;
    std::vector<QCheckBox *> m_lines; // option bits 0x01 … 0x40 as the kind uses them
    QComboBox *m_penColour = nullptr;
    QComboBox *m_penStyle = nullptr;
    QSpinBox *m_penWidth = nullptr;
    QComboBox *m_fillColour = nullptr;
    QComboBox *m_fillStyle = nullptr;
    QSpinBox *m_spacing = nullptr;
    QSpinBox *m_angle = nullptr;
    QRadioButton *m_pictureNatural = nullptr;
    QRadioButton *m_pictureStretch = nullptr;
    QRadioButton *m_pictureAspect = nullptr;
    QCheckBox *m_pictureChanges = nullptr;
    QComboBox *m_barcodeType = nullptr;
    QCheckBox *m_checkDigit = nullptr;
    QCheckBox *m_barcodeText = nullptr;
    QComboBox *m_scale = nullptr;
};

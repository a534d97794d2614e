#pragma once

#include "report/core/designer/NewReportDesign.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class TSestavaTyp;

// "Návrh nové předlohy": the user picks fields and a style, and the template
// is generated (NewReportDesign) or started empty.
class TDlgNovaSestava : public QDialog
{
    Q_OBJECT

public:
    enum Outcome { Cancelled = 0, Designed = 1, Manual = 2 };

    explicit TDlgNovaSestava(TSestavaTyp &report, QWidget *parent = nullptr);

    // Shows the wizard for the report. "&Navrhnout" replaces the report's
    // model by the generated template, "&Ručně" by an empty one; cancelling
    // leaves it as it was.
    static Outcome run(TSestavaTyp &report, const DesignerSettings &defaults, QWidget *parent = nullptr);

    // The choice as the window shows it.
    NewReportChoice choice() const;

private:
    void move(QListWidget *from, QListWidget *to, bool all);
    void updateButtons();

    QList<NewReportField> m_fields;
    QList<TFormatPapiru> m_formats;
    QListWidget *m_available;
    QListWidget *m_chosen;
    QPushButton *m_add;
    QPushButton *m_addAll;
    QPushButton *m_remove;
    QPushButton *m_removeAll;
    QRadioButton *m_columns;
    QRadioButton *m_rows;
    QCheckBox *m_labels;
    QCheckBox *m_byName;
    QCheckBox *m_labelsAsText;
    QComboBox *m_paper;
    QComboBox *m_orientation;
    QPushButton *m_design;
    bool m_manual = false;
};

#pragma once

#include "report/core/designer/ReportSetup.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TSestava;

// "Nastavení parametrů sestavy": the report's header settings on the tabs
// "Sestava", "Papír", "Rastr", "Oddíly" and "Skupiny". The window edits a
// ReportSetup taken from the report; OK applies it back in one step.
class TSestDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TSestDlg(TSestava &report, QWidget *parent = nullptr);

    // The values as the inputs show them.
    ReportSetup setup() const;

    // Shows the window over `report`; on OK (after the margin check) the
    // values are applied to the report and the page setup. True when OK
    // applied them, false on Storno (the report unchanged).
    static bool edit(TSestava &report, QWidget *parent = nullptr);

    // "Odebrat" on the group page: asks, and removes the selected group from
    // the working values when the answer is Yes.
    void removeSelectedGroup();
    void addGroup();

    static QString removeGroupQuestion()
    {
        return QStringLiteral("Opravdu smazat vybranou skupinu včetně případných vložených prvků sestavy?");
    }

private:
    QWidget *buildReportTab();
    QWidget *buildPaperTab();
    QWidget *buildGridTab();
    QWidget *buildSectionsTab();
    QWidget *buildGroupsTab();
    void load();
    void collect(ReportSetup &setup) const;
    void fillGroupList();
    void showGroup(int index);
    void storeGroup();
    void confirm();
    // "Papír": the report's format list, kept in its ini file.
    void fillFormats(int current);
    bool saveFormats();
    void addFormat();
    void editFormat();
    void removeFormat();

    TSestava &m_report;
    ReportSetup m_setup; // the group list is edited here directly
    bool m_loading = false;

    // "Sestava"
    QLineEdit *m_file = nullptr;
    QSpinBox *m_copies = nullptr;
    QSpinBox *m_startPage = nullptr;
    QSpinBox *m_endPage = nullptr;
    QSpinBox *m_maxRecords = nullptr;
    QLineEdit *m_popis = nullptr;
    // "Papír"
    QListWidget *m_formats = nullptr;
    QPushButton *m_editFormat = nullptr;
    QPushButton *m_removeFormat = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QCheckBox *m_orientationChange = nullptr;
    QSpinBox *m_marginLeft = nullptr;
    QSpinBox *m_marginRight = nullptr;
    QSpinBox *m_marginTop = nullptr;
    QSpinBox *m_marginBottom = nullptr;
    QSpinBox *m_columns = nullptr;
    QSpinBox *m_columnGap = nullptr;
    // "Rastr"
    QRadioButton *m_graphicGrid = nullptr;
    QRadioButton *m_characterGrid = nullptr;
    QComboBox *m_pitch = nullptr;
    QComboBox *m_lineSpacing = nullptr;
    QSpinBox *m_gridX = nullptr;
    QSpinBox *m_gridY = nullptr;
    QCheckBox *m_showGrid = nullptr;
    QCheckBox *m_snapToGrid = nullptr;
    QCheckBox *m_ownBackground = nullptr;
    QCheckBox *m_printBackground = nullptr;
    QLineEdit *m_backgroundFile = nullptr;
    QCheckBox *m_wholePaper = nullptr;
    QSpinBox *m_backgroundLeft = nullptr;
    QSpinBox *m_backgroundTop = nullptr;
    QSpinBox *m_backgroundWidth = nullptr;
    QSpinBox *m_backgroundHeight = nullptr;
    // "Oddíly"
    std::array<QCheckBox *, 5> m_sectionVisible{};
    std::array<QSpinBox *, 5> m_sectionHeight{};
    std::array<QCheckBox *, 6> m_pagination{};
    // "Skupiny"
    QListWidget *m_groups = nullptr;
    QCheckBox *m_groupHeaderVisible = nullptr;
    QSpinBox *m_groupHeaderHeight = nullptr;
    QCheckBox *m_groupFooterVisible = nullptr;
    QSpinBox *m_groupFooterHeight = nullptr;
    QComboBox *m_groupField = nullptr;
    QCheckBox *m_groupNewPage = nullptr;
    QCheckBox *m_groupByName = nullptr;
};

#pragma once

#include "report/core/designer/DesignerSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

// "Prostředí editoru sestav": the template designer's environment and the
// defaults of new elements. A thin window over a DesignerSettings.
class TSestKonfigDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TSestKonfigDlg(QWidget *parent = nullptr);

    void setSettings(const DesignerSettings &settings);
    // The settings as the inputs show them.
    DesignerSettings settings() const;

    // Shows the dialog over `settings`; on OK they take the edited values.
    // True on OK.
    static bool edit(DesignerSettings &settings, QWidget *parent = nullptr);
    // Reads the settings from the ini file, shows them, and on OK writes them
    // back to the same keys. 0 on OK, -1 on Storno or when the file could not
    // be written (said to the user).
    static int editIni(const QString &iniPath, QWidget *parent = nullptr);

    // The installed font families as the font list shows them: in the
    // platform's order, or sorted alphabetically (Czech collation).
    static QStringList fontNames(const QStringList &installed, bool alphabetical);

private:
    QWidget *buildEnvironmentTab();
    QWidget *buildDefaultsTab();
    void fillFonts(const QString &current);

    QCheckBox *m_mazaniJedne = nullptr;
    QCheckBox *m_mazaniVice = nullptr;
    QCheckBox *m_posunMimo = nullptr;
    QSpinBox *m_pocetUndo = nullptr;
    QCheckBox *m_undoSave = nullptr;
    QCheckBox *m_showTree = nullptr;
    QCheckBox *m_sledPodle = nullptr;
    QCheckBox *m_popisyPol = nullptr;
    QCheckBox *m_pismaAbec = nullptr;
    QComboBox *m_meritko = nullptr;
    QSpinBox *m_rastrX = nullptr;
    QSpinBox *m_rastrY = nullptr;
    QCheckBox *m_rastrZobrazovat = nullptr;
    QCheckBox *m_rastrZarovnavat = nullptr;

    QSpinBox *m_sirka = nullptr;
    QSpinBox *m_vyska = nullptr;
    QComboBox *m_zarovnani = nullptr;
    QComboBox *m_zarovnaniCi = nullptr;
    QComboBox *m_fontName = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QCheckBox *m_fontBold = nullptr;
    QCheckBox *m_fontItalic = nullptr;
    QCheckBox *m_fontUnderline = nullptr;
    QCheckBox *m_fontStrikeOut = nullptr;
    QComboBox *m_fontColour = nullptr;
    QSpinBox *m_fontCharset = nullptr;
    int m_otherStyle = 0; // style bits without a check box, kept
};

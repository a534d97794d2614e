#include "report/ui/designer/DesignerSettingsDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "report/core/template/ReportColors.h"
#include "report/core/template/ReportFonts.h"
#include "report/ui/designer/DesignerInputs.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace DesignerInputs;

namespace {

// The alignments of a new element, in the order of their stored values.
QComboBox *alignmentBox(const QString &name, QWidget *parent)
{
    return comboBox(name, {u"vlevo"_s, u"vpravo"_s, u"na střed"_s}, parent);
}

} // namespace

TSestKonfigDlg::TSestKonfigDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TSestKonfigDlg"_s);
    setWindowTitle(u"Prostředí editoru sestav"_s);
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(u"pcKonfig"_s);
    tabs->addTab(buildEnvironmentTab(), u"Prostředí editoru"_s);
    tabs->addTab(buildDefaultsTab(), u"Předvolené hodnoty"_s);
    layout->addWidget(tabs);
    QPushButton *ok = DialogParts::addOkStorno(this, layout);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setSettings(DesignerSettings());
}

QWidget *TSestKonfigDlg::buildEnvironmentTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(u"tsProstredi"_s);
    auto *form = new QFormLayout(page);
    m_mazaniJedne = checkBox(u"Potvrdit mazání jednoho prvku"_s, u"chbMazaniJedne"_s, page);
    m_mazaniVice = checkBox(u"Potvrdit mazání více prvků"_s, u"chbMazaniVice"_s, page);
    m_posunMimo = checkBox(u"Povolit přesun prvku mimo oddíl"_s, u"chbPosunMimo"_s, page);
    m_pocetUndo = spinBox(u"sePocetUndo"_s, 0, 999, page);
    m_undoSave = checkBox(u"Sledovat změny i po uložení na disk"_s, u"chbUndoSave"_s, page);
    m_showTree = checkBox(u"Zobrazit strom prvků předlohy"_s, u"chbShowTree"_s, page);
    m_sledPodle = checkBox(u"Sledovat podle názvu"_s, u"chbSledPodle"_s, page);
    m_popisyPol = checkBox(u"Místo názvů položek používat popisy"_s, u"chbPopisyPol"_s, page);
    m_pismaAbec = checkBox(u"Nabídku písem řadit podle abecedy"_s, u"chbPismaAbec"_s, page);
    m_meritko = new QComboBox(page);
    m_meritko->setObjectName(u"cbMeritko"_s);
    for (int i = 0; i < DesignerSettings::ZoomCount; ++i)
        m_meritko->addItem(QString::number(DesignerSettings::zoomPercent(i)) + u" %"_s);
    m_rastrX = spinBox(u"seRastrX"_s, 1, 999, page);
    m_rastrY = spinBox(u"seRastrY"_s, 1, 999, page);
    m_rastrZobrazovat = checkBox(u"Zobrazovat rastr"_s, u"chbRastrZobrazovat"_s, page);
    m_rastrZarovnavat = checkBox(u"Zarovnávat do rastru"_s, u"chbRastrZarovnavat"_s, page);

    form->addRow(m_mazaniJedne);
    form->addRow(m_mazaniVice);
    form->addRow(m_posunMimo);
    form->addRow(u"Maximální počet kroků sledování změn:"_s, m_pocetUndo);
    form->addRow(m_undoSave);
    form->addRow(m_showTree);
    form->addRow(m_sledPodle);
    form->addRow(m_popisyPol);
    form->addRow(m_pismaAbec);
    form->addRow(u"Předvolené měřítko:"_s, m_meritko);
    form->addRow(u"Rastr vodorovně:"_s, m_rastrX);
    form->addRow(u"Rastr svisle:"_s, m_rastrY);
    form->addRow(m_rastrZobrazovat);
    form->addRow(m_rastrZarovnavat);
    // The font list follows the switch at once, as the designer's menu will.
    connect(m_pismaAbec, &QCheckBox::toggled, this, [this] { fillFonts(m_fontName->currentText()); });
    return page;
}

QWidget *TSestKonfigDlg::buildDefaultsTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(u"tsPredvolene"_s);
    auto *form = new QFormLayout(page);
    m_sirka = spinBox(u"seSirka"_s, 1, 99999, page);
    m_vyska = spinBox(u"seVyska"_s, 1, 99999, page);
    m_zarovnani = alignmentBox(u"cbZarovnani"_s, page);
    m_zarovnaniCi = alignmentBox(u"cbZarovnaniCi"_s, page);
    m_fontName = new QComboBox(page);
    m_fontName->setObjectName(u"cbNazevFontu"_s);
    m_fontSize = spinBox(u"seVyskaFontu"_s, -999, 999, page);
    m_fontBold = checkBox(u"Tučné"_s, u"chbTucne"_s, page);
    m_fontItalic = checkBox(u"Kurzíva"_s, u"chbKurziva"_s, page);
    m_fontUnderline = checkBox(u"Podtržené"_s, u"chbPodtrzene"_s, page);
    m_fontStrikeOut = checkBox(u"Přeškrtnuté"_s, u"chbPreskrtnute"_s, page);
    m_fontColour = new QComboBox(page);
    m_fontColour->setObjectName(u"cbBarvaFontu"_s);
    for (int i = 0; i < 16; ++i)
        m_fontColour->addItem(ReportColors::name(i));
    // The character set is the number the templates store; shown as it is so
    // that any value read is written back unchanged.
    m_fontCharset = spinBox(u"seSkriptFontu"_s, 0, 255, page);

    form->addRow(u"Šířka položky:"_s, m_sirka);
    form->addRow(u"Výška položky:"_s, m_vyska);
    form->addRow(u"Zarovnání textu:"_s, m_zarovnani);
    form->addRow(u"Zarovnání čísel:"_s, m_zarovnaniCi);
    form->addRow(u"Písmo:"_s, m_fontName);
    form->addRow(u"Velikost písma:"_s, m_fontSize);
    auto *styles = new QHBoxLayout;
    for (QCheckBox *box : {m_fontBold, m_fontItalic, m_fontUnderline, m_fontStrikeOut})
        styles->addWidget(box);
    form->addRow(u"Řez písma:"_s, styles);
    form->addRow(u"Barva písma:"_s, m_fontColour);
    form->addRow(u"Znaková sada:"_s, m_fontCharset);
    return page;
}

QStringList TSestKonfigDlg::fontNames(const QStringList &installed, bool alphabetical)
{
    QStringList names = installed;
    if (alphabetical) {
        QCollator collator{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(names.begin(), names.end(), collator);
    }
    return names;
}

void TSestKonfigDlg::fillFonts(const QString &current)
{
    QStringList names = fontNames(ReportFonts::installedFamilies(), m_pismaAbec->isChecked());
    // A default font that is not installed stays the default (the templates
    // name the host's fonts, which the font matcher maps).
    if (!current.isEmpty() && !names.contains(current, Qt::CaseInsensitive))
        names.prepend(current);
    m_fontName->clear();
    m_fontName->addItems(names);
    const int index = m_fontName->findText(current, Qt::MatchFixedString);
    m_fontName->setCurrentIndex(index);
}

void TSestKonfigDlg::setSettings(const DesignerSettings &s)
{
    m_mazaniJedne->setChecked(s.confirmDeleteOne);
    m_mazaniVice->setChecked(s.confirmDeleteMany);
    m_posunMimo->setChecked(s.allowMoveOutside);
    m_pocetUndo->setValue(s.undoLimit);
    m_undoSave->setChecked(s.undoAfterSave);
    m_showTree->setChecked(s.showTree);
    m_sledPodle->setChecked(s.followByName);
    m_popisyPol->setChecked(s.labelsForNames);
    m_pismaAbec->setChecked(s.fontsAlphabetical);
    m_meritko->setCurrentIndex(s.boundedZoomIndex());
    m_rastrX->setValue(s.gridX);
    m_rastrY->setValue(s.gridY);
    m_rastrZobrazovat->setChecked(s.showGrid);
    m_rastrZarovnavat->setChecked(s.snapToGrid);

    m_sirka->setValue(s.newWidth);
    m_vyska->setValue(s.newHeight);
    selectKeeping(m_zarovnani, s.newTextAlignment);
    selectKeeping(m_zarovnaniCi, s.newNumberAlignment);
    fillFonts(s.newFontName);
    m_fontSize->setValue(s.newFontSize);
    m_otherStyle = s.newFontStyle & ~(FontDef::Bold | FontDef::Italic | FontDef::Underline | FontDef::StrikeOut);
    m_fontBold->setChecked(s.newFontStyle & FontDef::Bold);
    m_fontItalic->setChecked(s.newFontStyle & FontDef::Italic);
    m_fontUnderline->setChecked(s.newFontStyle & FontDef::Underline);
    m_fontStrikeOut->setChecked(s.newFontStyle & FontDef::StrikeOut);
    selectKeeping(m_fontColour, s.newFontColour);
    m_fontCharset->setValue(s.newFontCharset);
}

DesignerSettings TSestKonfigDlg::settings() const
{
    DesignerSettings s;
    s.confirmDeleteOne = m_mazaniJedne->isChecked();
    s.confirmDeleteMany = m_mazaniVice->isChecked();
    s.allowMoveOutside = m_posunMimo->isChecked();
    s.undoLimit = m_pocetUndo->value();
    s.undoAfterSave = m_undoSave->isChecked();
    s.showTree = m_showTree->isChecked();
    s.followByName = m_sledPodle->isChecked();
    s.labelsForNames = m_popisyPol->isChecked();
    s.fontsAlphabetical = m_pismaAbec->isChecked();
    s.zoomIndex = m_meritko->currentIndex();
    s.gridX = m_rastrX->value();
    s.gridY = m_rastrY->value();
    s.showGrid = m_rastrZobrazovat->isChecked();
    s.snapToGrid = m_rastrZarovnavat->isChecked();

    s.newWidth = m_sirka->value();
    s.newHeight = m_vyska->value();
    s.newTextAlignment = keptValue(m_zarovnani);
    s.newNumberAlignment = keptValue(m_zarovnaniCi);
    s.newFontName = m_fontName->currentText();
    s.newFontSize = m_fontSize->value();
    // Bits the check boxes do not show are kept.
    int style = m_otherStyle;
    style |= m_fontBold->isChecked() ? FontDef::Bold : 0;
    style |= m_fontItalic->isChecked() ? FontDef::Italic : 0;
    style |= m_fontUnderline->isChecked() ? FontDef::Underline : 0;
    style |= m_fontStrikeOut->isChecked() ? FontDef::StrikeOut : 0;
    s.newFontStyle = style;
    s.newFontColour = keptValue(m_fontColour);
    s.newFontCharset = m_fontCharset->value();
    return s;
}

bool TSestKonfigDlg::edit(DesignerSettings &settings, QWidget *parent)
{
    TSestKonfigDlg dialog(parent);
    dialog.setSettings(settings);
    if (ui().execModal(dialog) != QDialog::Accepted)
        return false;
    settings = dialog.settings();
    return true;
}

int TSestKonfigDlg::editIni(const QString &iniPath, QWidget *parent)
{
    DesignerSettings settings = DesignerSettings::load(iniPath);
    if (!edit(settings, parent))
        return -1;
    if (!settings.save(iniPath)) {
        ui().error(u"Nastavení prostředí editoru sestav se nepodařilo uložit do souboru "_s + iniPath + u"."_s);
        return -1;
    }
    return 0;
}

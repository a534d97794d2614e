#include "report/ui/designer/ReportSettingsDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/output/Printers.h"
#include "report/ui/designer/DesignerInputs.h"
#include "report/ui/designer/PaperFormatDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace DesignerInputs;

namespace {

constexpr int MaxUnits = 99999;

QRadioButton *radio(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// The pagination switches in the order of ReportOptions.
const std::array<QString, 6> &paginationCaptions()
{
    static const std::array<QString, 6> captions{
        u"Nové tělo na novou stránku"_s,        u"Odstránkovat po začátku sestavy"_s,
        u"Odstránkovat před koncem sestavy"_s,  u"Konec sestavy zarovnat k patě"_s,
        u"Na první stránce netisknout hlavu"_s, u"Na poslední stránce netisknout patu"_s};
    return captions;
}

std::array<bool *, 6> paginationFields(ReportOptions &s)
{
    return {&s.newBodyOnNewPage,         &s.breakAfterReportHeader,  &s.breakBeforeReportFooter,
            &s.reportFooterAtPageFooter, &s.noPageHeaderOnFirstPage, &s.noPageFooterOnLastPage};
}

} // namespace

TSestDlg::TSestDlg(TSestava &report, QWidget *parent)
    : QDialog(parent), m_report(report), m_setup(ReportSetup::fromReport(report))
{
    setObjectName(u"TSestDlg"_s);
    setWindowTitle(u"Nastavení parametrů sestavy"_s);
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(u"pcSestava"_s);
    tabs->addTab(buildReportTab(), u"Sestava"_s);
    tabs->addTab(buildPaperTab(), u"Papír"_s);
    tabs->addTab(buildGridTab(), u"Rastr"_s);
    tabs->addTab(buildSectionsTab(), u"Oddíly"_s);
    tabs->addTab(buildGroupsTab(), u"Skupiny"_s);
    layout->addWidget(tabs);
    QPushButton *ok = DialogParts::addOkStorno(this, layout);
    connect(ok, &QPushButton::clicked, this, &TSestDlg::confirm);
    load();
}

QWidget *TSestDlg::buildReportTab()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    // The file is shown only: another file is "Uložit předlohu jako...".
    m_file = lineEdit(u"edtSoubor"_s, page);
    m_file->setReadOnly(true);
    m_copies = spinBox(u"seKopie"_s, 1, 999, page);
    m_startPage = spinBox(u"seOdStrany"_s, 1, 9999, page);
    m_endPage = spinBox(u"seDoStrany"_s, 1, 9999, page);
    m_maxRecords = spinBox(u"seMaxZaznamu"_s, 0, 999999999, page);
    m_popis = lineEdit(u"edtPopis"_s, page);
    form->addRow(u"Soubor:"_s, m_file);
    form->addRow(u"Počet tištěných kopií:"_s, m_copies);
    auto *pages = new QHBoxLayout;
    pages->addWidget(m_startPage);
    pages->addWidget(new QLabel(u"až"_s, page));
    pages->addWidget(m_endPage);
    form->addRow(u"Tištěné stránky:"_s, pages);
    form->addRow(u"Maximální počet záznamů:"_s, m_maxRecords);
    form->addRow(u"Popis:"_s, m_popis);
    return page;
}

QWidget *TSestDlg::buildPaperTab()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_formats = new QListWidget(page);
    m_formats->setObjectName(u"lbFormaty"_s);
    m_portrait = radio(u"na výšku"_s, u"rbNaVysku"_s, page);
    m_landscape = radio(u"na šířku"_s, u"rbNaSirku"_s, page);
    m_orientationChange = checkBox(u"Povolit změnu orientace"_s, u"chbZmenaOrientace"_s, page);
    m_marginLeft = spinBox(u"seOkrajLevy"_s, 0, MaxUnits, page);
    m_marginRight = spinBox(u"seOkrajPravy"_s, 0, MaxUnits, page);
    m_marginTop = spinBox(u"seOkrajHorni"_s, 0, MaxUnits, page);
    m_marginBottom = spinBox(u"seOkrajDolni"_s, 0, MaxUnits, page);
    m_columns = spinBox(u"seSloupcu"_s, 1, 99, page);
    m_columnGap = spinBox(u"seMezeraSloupcu"_s, 0, MaxUnits, page);
    form->addRow(u"Formát papíru:"_s, m_formats);
    QPushButton *add = DialogParts::button(u"Přidej"_s, u"btnPridej"_s, page);
    m_editFormat = DialogParts::button(u"Ukaž"_s, u"btnOprav"_s, page);
    m_removeFormat = DialogParts::button(u"Vynech"_s, u"btnVynech"_s, page);
    form->addRow(DialogParts::centredRow({add, m_editFormat, m_removeFormat}));
    connect(add, &QPushButton::clicked, this, &TSestDlg::addFormat);
    connect(m_editFormat, &QPushButton::clicked, this, &TSestDlg::editFormat);
    connect(m_removeFormat, &QPushButton::clicked, this, &TSestDlg::removeFormat);
    connect(m_formats, &QListWidget::currentRowChanged, this, [this](int row) {
        const bool user = TListFormatu::isUserFormat(row);
        m_editFormat->setText(user ? u"Oprav"_s : u"Ukaž"_s);
        m_removeFormat->setEnabled(user);
    });
    auto *orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    form->addRow(u"Orientace:"_s, orientation);
    form->addRow(m_orientationChange);
    form->addRow(u"Levý okraj:"_s, m_marginLeft);
    form->addRow(u"Pravý okraj:"_s, m_marginRight);
    form->addRow(u"Horní okraj:"_s, m_marginTop);
    form->addRow(u"Dolní okraj:"_s, m_marginBottom);
    form->addRow(u"Počet sloupců tisku:"_s, m_columns);
    form->addRow(u"Mezera mezi sloupci:"_s, m_columnGap);
    return page;
}

QWidget *TSestDlg::buildGridTab()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_graphicGrid = radio(u"Grafický"_s, u"rbGraficky"_s, page);
    m_characterGrid = radio(u"Znakový"_s, u"rbZnakovy"_s, page);
    auto *type = new QHBoxLayout;
    type->addWidget(m_graphicGrid);
    type->addWidget(m_characterGrid);
    form->addRow(u"Typ rastru:"_s, type);
    m_pitch = new QComboBox(page);
    m_pitch->setObjectName(u"cbRoztec"_s);
    m_pitch->addItems({u"10 znaků/palec"_s, u"12 znaků/palec"_s, u"17 znaků/palec"_s});
    m_lineSpacing = new QComboBox(page);
    m_lineSpacing->setObjectName(u"cbRadkovani"_s);
    m_lineSpacing->addItems({u"6 řádků/palec"_s, u"4 řádky/palec"_s, u"3 řádky/palec"_s});
    m_gridX = spinBox(u"seRastrX"_s, 1, 999, page);
    m_gridY = spinBox(u"seRastrY"_s, 1, 999, page);
    m_showGrid = checkBox(u"Zobrazovat rastr"_s, u"chbZobrazovat"_s, page);
    m_snapToGrid = checkBox(u"Zarovnávat do rastru"_s, u"chbZarovnavat"_s, page);
    form->addRow(u"Rozteč znaků:"_s, m_pitch);
    form->addRow(u"Řádkování:"_s, m_lineSpacing);
    form->addRow(u"Rastr vodorovně:"_s, m_gridX);
    form->addRow(u"Rastr svisle:"_s, m_gridY);
    form->addRow(m_showGrid);
    form->addRow(m_snapToGrid);

    m_ownBackground = checkBox(u"Vlastní obrázek pozadí"_s, u"chbVlastniPozadi"_s, page);
    m_printBackground = checkBox(u"Tisknout pozadí"_s, u"chbTiskPozadi"_s, page);
    m_backgroundFile = lineEdit(u"edtPozadi"_s, page);
    QPushButton *browse = DialogParts::button(u"..."_s, u"btnPozadi"_s, page);
    m_wholePaper = checkBox(u"Celý papír"_s, u"chbCelyPapir"_s, page);
    m_backgroundLeft = spinBox(u"sePozadiLevy"_s, -MaxUnits, MaxUnits, page);
    m_backgroundTop = spinBox(u"sePozadiHorni"_s, -MaxUnits, MaxUnits, page);
    m_backgroundWidth = spinBox(u"sePozadiSirka"_s, 0, MaxUnits, page);
    m_backgroundHeight = spinBox(u"sePozadiVyska"_s, 0, MaxUnits, page);
    form->addRow(m_ownBackground);
    form->addRow(m_printBackground);
    auto *file = new QHBoxLayout;
    file->addWidget(m_backgroundFile);
    file->addWidget(browse);
    form->addRow(u"Obrázek pozadí:"_s, file);
    form->addRow(m_wholePaper);
    form->addRow(u"Vlevo:"_s, m_backgroundLeft);
    form->addRow(u"Nahoře:"_s, m_backgroundTop);
    form->addRow(u"Šířka:"_s, m_backgroundWidth);
    form->addRow(u"Výška:"_s, m_backgroundHeight);
    connect(browse, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.title = u"Obrázek pozadí"_s;
        request.filter = u"Obrázky (*.bmp;*.jpg;*.png)|*.bmp;*.jpg;*.png|Všechny soubory (*.*)|*.*"_s;
        request.fileName = m_backgroundFile->text();
        const QString chosen = ui().openFileName(request);
        if (!chosen.isEmpty())
            m_backgroundFile->setText(chosen);
    });
    auto placement = [this] {
        const bool partial = !m_wholePaper->isChecked();
        for (QSpinBox *box : {m_backgroundLeft, m_backgroundTop, m_backgroundWidth, m_backgroundHeight})
            box->setEnabled(partial);
    };
    connect(m_wholePaper, &QCheckBox::toggled, this, placement);
    return page;
}

QWidget *TSestDlg::buildSectionsTab()
{
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);
    static const std::array<QString, 5> names{u"Zacatek"_s, u"Hlava"_s, u"Telo"_s, u"Konec"_s, u"Pata"_s};
    grid->addWidget(new QLabel(u"Výška"_s, page), 0, 1);
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        m_sectionVisible[size_t(id)] = checkBox(TOddilSestavy::caption(id), u"chbOddil"_s + names[size_t(id)], page);
        m_sectionHeight[size_t(id)] = spinBox(u"seOddil"_s + names[size_t(id)], 0, MaxUnits, page);
        grid->addWidget(m_sectionVisible[size_t(id)], id + 1, 0);
        grid->addWidget(m_sectionHeight[size_t(id)], id + 1, 1);
    }
    for (size_t i = 0; i < m_pagination.size(); ++i) {
        m_pagination[i] = checkBox(paginationCaptions()[i], u"chbStrankovani"_s + QString::number(i + 1), page);
        grid->addWidget(m_pagination[i], int(i) + 7, 0, 1, 2);
    }
    return page;
}

QWidget *TSestDlg::buildGroupsTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    m_groups = new QListWidget(page);
    m_groups->setObjectName(u"lbSkupiny"_s);
    left->addWidget(m_groups);
    QPushButton *add = DialogParts::button(u"Přidat"_s, u"btnPridatSkupinu"_s, page);
    QPushButton *remove = DialogParts::button(u"Odebrat"_s, u"btnOdebratSkupinu"_s, page);
    left->addLayout(DialogParts::centredRow({add, remove}));
    layout->addLayout(left);

    auto *form = new QFormLayout;
    m_groupField = new QComboBox(page);
    m_groupField->setObjectName(u"cbSkupinovaPolozka"_s);
    m_groupField->addItems(m_report.fieldNames());
    m_groupHeaderVisible = checkBox(u"Začátek skupiny"_s, u"chbHlavaSkupiny"_s, page);
    m_groupHeaderHeight = spinBox(u"seHlavaSkupiny"_s, 0, MaxUnits, page);
    m_groupFooterVisible = checkBox(u"Konec skupiny"_s, u"chbPataSkupiny"_s, page);
    m_groupFooterHeight = spinBox(u"sePataSkupiny"_s, 0, MaxUnits, page);
    m_groupNewPage = checkBox(u"Novou skupinu na novou stránku"_s, u"chbNovaStranka"_s, page);
    m_groupByName = checkBox(u"Skupinová položka podle názvu"_s, u"chbPodleNazvu"_s, page);
    form->addRow(u"Skupinová položka:"_s, m_groupField);
    form->addRow(m_groupHeaderVisible, m_groupHeaderHeight);
    form->addRow(m_groupFooterVisible, m_groupFooterHeight);
    form->addRow(m_groupNewPage);
    form->addRow(m_groupByName);
    layout->addLayout(form);

    connect(add, &QPushButton::clicked, this, &TSestDlg::addGroup);
    connect(remove, &QPushButton::clicked, this, &TSestDlg::removeSelectedGroup);
    connect(m_groups, &QListWidget::currentRowChanged, this, &TSestDlg::showGroup);
    for (QCheckBox *box : {m_groupHeaderVisible, m_groupFooterVisible, m_groupNewPage, m_groupByName})
        connect(box, &QCheckBox::toggled, this, &TSestDlg::storeGroup);
    for (QSpinBox *box : {m_groupHeaderHeight, m_groupFooterHeight})
        connect(box, &QSpinBox::valueChanged, this, &TSestDlg::storeGroup);
    connect(m_groupField, &QComboBox::currentIndexChanged, this, &TSestDlg::storeGroup);
    return page;
}

void TSestDlg::load()
{
    const ReportSetup &s = m_setup;
    m_file->setText(m_report.reportName());
    m_copies->setValue(s.printCopies);
    m_startPage->setValue(s.startPage);
    m_endPage->setValue(s.endPage);
    m_maxRecords->setValue(s.maxRecords);
    m_popis->setText(s.popis);

    // The report's paper size is matched to a format of its list (a size
    // that matches none becomes a user format of the list, as when the
    // designer opens the report).
    fillFormats(m_report.paperFormats().find(s.page.paperWidth, s.page.paperHeight));
    (s.page.orientation == PageSetup::Landscape ? m_landscape : m_portrait)->setChecked(true);
    m_orientationChange->setChecked(s.page.allowOrientationChange);
    m_marginLeft->setValue(s.page.leftMargin);
    m_marginRight->setValue(s.page.rightMargin);
    m_marginTop->setValue(s.page.topMargin);
    m_marginBottom->setValue(s.page.bottomMargin);
    m_columns->setValue(s.settings.printColumns);
    m_columnGap->setValue(s.settings.columnGap);

    (s.settings.isCharacterMode() ? m_characterGrid : m_graphicGrid)->setChecked(true);
    m_pitch->setCurrentIndex(qBound(0, s.settings.pitch, 2));
    m_lineSpacing->setCurrentIndex(qBound(0, s.settings.lineSpacing, 2));
    m_gridX->setValue(s.settings.gridX);
    m_gridY->setValue(s.settings.gridY);
    m_showGrid->setChecked(s.settings.showGrid);
    m_snapToGrid->setChecked(s.settings.snapToGrid);
    m_ownBackground->setChecked(s.settings.ownBackground);
    m_printBackground->setChecked(s.settings.printBackground);
    m_backgroundFile->setText(s.settings.backgroundFile);
    m_wholePaper->setChecked(!s.settings.partialPlacement);
    m_backgroundLeft->setValue(s.settings.backgroundLeft);
    m_backgroundTop->setValue(s.settings.backgroundTop);
    m_backgroundWidth->setValue(s.settings.backgroundWidth);
    m_backgroundHeight->setValue(s.settings.backgroundHeight);
    for (QSpinBox *box : {m_backgroundLeft, m_backgroundTop, m_backgroundWidth, m_backgroundHeight})
        box->setEnabled(s.settings.partialPlacement);

    for (size_t id = 0; id < m_sectionVisible.size(); ++id) {
        m_sectionVisible[id]->setChecked(s.sections[id].visible);
        m_sectionHeight[id]->setValue(s.sections[id].height);
    }
    ReportOptions settings = s.settings;
    const auto switches = paginationFields(settings);
    for (size_t i = 0; i < m_pagination.size(); ++i)
        m_pagination[i]->setChecked(*switches[i]);

    fillGroupList();
}

void TSestDlg::fillFormats(int current)
{
    const TListFormatu &formats = m_report.paperFormats();
    m_formats->clear();
    for (int i = 0; i < formats.count(); ++i) {
        auto *item = new QListWidgetItem(formats.at(i).name, m_formats);
        item->setData(Qt::UserRole, formats.at(i).width);
        item->setData(Qt::UserRole + 1, formats.at(i).height);
    }
    m_formats->setCurrentRow(qBound(0, current, formats.count() - 1));
}

bool TSestDlg::saveFormats()
{
    const QString path = m_report.iniFilePath();
    if (m_report.paperFormats().save(path))
        return true;
    ui().error(u"Formáty papíru se nepodařilo uložit do souboru "_s + path + u"."_s);
    return false;
}

void TSestDlg::addFormat()
{
    TListFormatu &formats = m_report.paperFormats();
    const int row = m_formats->currentRow();
    TFormatPapiru format{TListFormatu::newUserFormatName(), 0, 0};
    if (row >= 0 && row < formats.count()) {
        format.width = formats.at(row).width;
        format.height = formats.at(row).height;
    }
    // Edited in a copy of the list: Zpět leaves the list as it was.
    TListFormatu edited = formats;
    const int index = edited.append(format);
    if (!TDlgFormatPapiru::edit(edited, index, true, this))
        return;
    formats.append(edited.at(index));
    saveFormats();
    fillFormats(index);
}

void TSestDlg::editFormat()
{
    const int row = m_formats->currentRow();
    if (!TDlgFormatPapiru::edit(m_report.paperFormats(), row, TListFormatu::isUserFormat(row), this))
        return;
    if (TListFormatu::isUserFormat(row))
        saveFormats();
    fillFormats(row);
}

void TSestDlg::removeFormat()
{
    const int row = m_formats->currentRow();
    if (!TListFormatu::isUserFormat(row))
        return;
    if (!ui().askYesNo(MessageKind::Confirmation, u"Zrušit vybraný uživatelský formát?"_s, SestCaption::potvrzeni()))
        return;
    m_report.paperFormats().removeUserFormat(row);
    saveFormats();
    fillFormats(0);
}

void TSestDlg::collect(ReportSetup &s) const
{
    s.printCopies = m_copies->value();
    s.startPage = m_startPage->value();
    s.endPage = m_endPage->value();
    s.maxRecords = m_maxRecords->value();
    s.popis = m_popis->text();

    if (const QListWidgetItem *item = m_formats->currentItem()) {
        s.page.paperWidth = item->data(Qt::UserRole).toInt();
        s.page.paperHeight = item->data(Qt::UserRole + 1).toInt();
    }
    s.page.orientation = m_landscape->isChecked() ? PageSetup::Landscape : PageSetup::Portrait;
    s.page.allowOrientationChange = m_orientationChange->isChecked();
    s.page.leftMargin = m_marginLeft->value();
    s.page.rightMargin = m_marginRight->value();
    s.page.topMargin = m_marginTop->value();
    s.page.bottomMargin = m_marginBottom->value();
    s.settings.printColumns = m_columns->value();
    s.settings.columnGap = m_columnGap->value();

    s.settings.gridType = m_characterGrid->isChecked() ? 1 : 0;
    s.settings.pitch = m_pitch->currentIndex();
    s.settings.lineSpacing = m_lineSpacing->currentIndex();
    s.settings.gridX = m_gridX->value();
    s.settings.gridY = m_gridY->value();
    s.settings.showGrid = m_showGrid->isChecked();
    s.settings.snapToGrid = m_snapToGrid->isChecked();
    s.settings.ownBackground = m_ownBackground->isChecked();
    s.settings.printBackground = m_printBackground->isChecked();
    s.settings.backgroundFile = m_backgroundFile->text();
    s.settings.partialPlacement = !m_wholePaper->isChecked();
    s.settings.backgroundLeft = m_backgroundLeft->value();
    s.settings.backgroundTop = m_backgroundTop->value();
    s.settings.backgroundWidth = m_backgroundWidth->value();
    s.settings.backgroundHeight = m_backgroundHeight->value();

    for (size_t id = 0; id < m_sectionVisible.size(); ++id) {
        s.sections[id].visible = m_sectionVisible[id]->isChecked();
        s.sections[id].height = m_sectionHeight[id]->value();
    }
    const auto switches = paginationFields(s.settings);
    for (size_t i = 0; i < m_pagination.size(); ++i)
        *switches[i] = m_pagination[i]->isChecked();
}

ReportSetup TSestDlg::setup() const
{
    ReportSetup s = m_setup;
    collect(s);
    return s;
}

void TSestDlg::fillGroupList()
{
    const int current = m_groups->currentRow();
    m_loading = true;
    m_groups->clear();
    TListSkupin names;
    for (size_t i = 0; i < m_setup.groups.size(); ++i)
        m_groups->addItem(names.name(int(i)));
    m_loading = false;
    const int count = int(m_setup.groups.size());
    m_groups->setCurrentRow(count == 0 ? -1 : qBound(0, current, count - 1));
    showGroup(m_groups->currentRow());
}

void TSestDlg::showGroup(int index)
{
    if (m_loading)
        return;
    const bool valid = index >= 0 && index < int(m_setup.groups.size());
    for (QWidget *input :
         std::initializer_list<QWidget *>{m_groupField, m_groupHeaderVisible, m_groupHeaderHeight, m_groupFooterVisible,
                                          m_groupFooterHeight, m_groupNewPage, m_groupByName})
        input->setEnabled(valid);
    if (!valid)
        return;
    const ReportSetup::Group &group = m_setup.groups[size_t(index)];
    m_loading = true;
    // A field the report does not know (a name kept from the template) is
    // shown as it is, so that it is written back unchanged.
    int field =
        group.fieldName.isEmpty() ? group.fieldIndex : m_groupField->findText(group.fieldName, Qt::MatchFixedString);
    if (field < 0 || field >= m_groupField->count()) {
        m_groupField->addItem(group.fieldName.isEmpty() ? QString::number(group.fieldIndex) : group.fieldName);
        field = m_groupField->count() - 1;
    }
    m_groupField->setCurrentIndex(field);
    m_groupHeaderVisible->setChecked(group.header.visible);
    m_groupHeaderHeight->setValue(group.header.height);
    m_groupFooterVisible->setChecked(group.footer.visible);
    m_groupFooterHeight->setValue(group.footer.height);
    m_groupNewPage->setChecked(group.newPage);
    m_groupByName->setChecked(!group.fieldName.isEmpty());
    m_loading = false;
}

void TSestDlg::storeGroup()
{
    const int index = m_groups->currentRow();
    if (m_loading || index < 0 || index >= int(m_setup.groups.size()))
        return;
    ReportSetup::Group &group = m_setup.groups[size_t(index)];
    const int field = m_groupField->currentIndex();
    const int fieldCount = int(m_report.fieldNames().size());
    if (field >= 0 && field < fieldCount) {
        group.fieldIndex = field;
        group.fieldName = m_groupByName->isChecked() ? m_groupField->currentText() : QString();
    } else if (!m_groupByName->isChecked()) {
        // An unknown name kept from the template cannot be followed by number.
        group.fieldName.clear();
    }
    group.header.visible = m_groupHeaderVisible->isChecked();
    group.header.height = m_groupHeaderHeight->value();
    group.footer.visible = m_groupFooterVisible->isChecked();
    group.footer.height = m_groupFooterHeight->value();
    group.newPage = m_groupNewPage->isChecked();
}

void TSestDlg::addGroup()
{
    m_setup.addGroup(0);
    fillGroupList();
    m_groups->setCurrentRow(int(m_setup.groups.size()) - 1);
}

void TSestDlg::removeSelectedGroup()
{
    const int index = m_groups->currentRow();
    if (index < 0 || index >= int(m_setup.groups.size()))
        return;
    if (!ui().askYesNo(MessageKind::Confirmation, removeGroupQuestion(), SestCaption::potvrzeni()))
        return;
    m_setup.removeGroup(index);
    fillGroupList();
}

void TSestDlg::confirm()
{
    ReportSetup s = setup();
    // With the graphic grid the margins are checked against the printer;
    // the character grid prints on the printer's own text lines.
    if (!s.settings.isCharacterMode()) {
        PrinterMargins margins{s.page.leftMargin, s.page.topMargin, s.page.rightMargin, s.page.bottomMargin};
        if (!CurrentPrinter::current().confirmMargins(s.page.orientation, margins))
            return;
        m_marginLeft->setValue(margins.left);
        m_marginTop->setValue(margins.top);
        m_marginRight->setValue(margins.right);
        m_marginBottom->setValue(margins.bottom);
    }
    accept();
}

bool TSestDlg::edit(TSestava &report, QWidget *parent)
{
    TSestDlg dialog(report, parent);
    if (ui().execModal(dialog) != QDialog::Accepted)
        return false;
    dialog.setup().applyTo(report);
    return true;
}

#include "report/ui/designer/NewReportDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TDlgNovaSestava::TDlgNovaSestava(TSestavaTyp &report, QWidget *parent)
    : QDialog(parent), m_fields(NewReportDesign::availableFields(report))
{
    setObjectName(u"TDlgNovaSestava"_s);
    setWindowTitle(u"Návrh nové předlohy"_s);
    auto *layout = new QVBoxLayout(this);

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(u"Dostupné položky:"_s, this), 0, 0);
    lists->addWidget(new QLabel(u"Vybrané položky:"_s, this), 0, 2);
    m_available = new QListWidget(this);
    m_available->setObjectName(u"lstDostupne"_s);
    m_available->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_chosen = new QListWidget(this);
    m_chosen->setObjectName(u"lstVybrane"_s);
    m_chosen->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A list item keeps the field's index in the report's field list.
    for (int i = 0; i < m_fields.size(); ++i) {
        auto *item = new QListWidgetItem(m_fields.at(i).caption(), m_available);
        item->setData(Qt::UserRole, i);
    }
    lists->addWidget(m_available, 1, 0);
    auto *moves = new QVBoxLayout;
    m_add = DialogParts::button(u">"_s, u"btnPridat"_s, this);
    m_addAll = DialogParts::button(u">>"_s, u"btnPridatVse"_s, this);
    m_remove = DialogParts::button(u"<"_s, u"btnOdebrat"_s, this);
    m_removeAll = DialogParts::button(u"<<"_s, u"btnOdebratVse"_s, this);
    moves->addStretch();
    for (QPushButton *b : {m_add, m_addAll, m_remove, m_removeAll})
        moves->addWidget(b);
    moves->addStretch();
    lists->addLayout(moves, 1, 1);
    lists->addWidget(m_chosen, 1, 2);
    layout->addLayout(lists);

    auto *options = new QHBoxLayout;
    auto *style = new QGroupBox(u"Styl"_s, this);
    auto *styleLayout = new QVBoxLayout(style);
    m_columns = new QRadioButton(u"Sloupcový"_s, style);
    m_columns->setObjectName(u"rbSloupce"_s);
    m_columns->setChecked(true);
    m_rows = new QRadioButton(u"Řádkový"_s, style);
    m_rows->setObjectName(u"rbRadky"_s);
    styleLayout->addWidget(m_columns);
    styleLayout->addWidget(m_rows);
    options->addWidget(style);
    auto *checks = new QVBoxLayout;
    m_labels = new QCheckBox(u"Popisy položek"_s, this);
    m_labels->setObjectName(u"chkPopisy"_s);
    m_labels->setChecked(true);
    m_byName = new QCheckBox(u"Pol. podle názvu"_s, this);
    m_byName->setObjectName(u"chkPodleNazvu"_s);
    m_labelsAsText = new QCheckBox(u"Popisy textem"_s, this);
    m_labelsAsText->setObjectName(u"chkPopisyTextem"_s);
    for (QCheckBox *c : {m_labels, m_byName, m_labelsAsText})
        checks->addWidget(c);
    options->addLayout(checks);
    layout->addLayout(options);

    auto *paper = new QFormLayout;
    m_paper = new QComboBox(this);
    m_paper->setObjectName(u"cbFormat"_s);
    // The formats the report offers; the one of the current page setup is
    // preselected, A4 when none is of that size.
    const TListFormatu &formats = report.paperFormats();
    int current = -1;
    for (int i = 0; i < formats.count(); ++i) {
        m_formats.append(formats.at(i));
        m_paper->addItem(formats.at(i).name);
        if (current < 0 && i > 0 && formats.at(i).width == pageSetup().paperWidth &&
            formats.at(i).height == pageSetup().paperHeight)
            current = i;
    }
    m_paper->setCurrentIndex(current >= 0 ? current : std::min(8, int(m_formats.size()) - 1));
    m_orientation = new QComboBox(this);
    m_orientation->setObjectName(u"cbOrientace"_s);
    m_orientation->addItems({u"na výšku"_s, u"na šířku"_s});
    m_orientation->setCurrentIndex(pageSetup().orientation == PageSetup::Landscape ? 1 : 0);
    paper->addRow(u"Formát papíru:"_s, m_paper);
    paper->addRow(u"Orientace:"_s, m_orientation);
    layout->addLayout(paper);

    m_design = DialogParts::button(u"&Navrhnout"_s, u"btnNavrhnout"_s, this);
    m_design->setDefault(true);
    auto *manual = DialogParts::button(u"&Ručně"_s, u"btnRucne"_s, this);
    auto *cancel = DialogParts::button(u"Storno"_s, u"btnStorno"_s, this);
    layout->addLayout(DialogParts::centredRow({m_design, manual, cancel}));

    connect(m_add, &QPushButton::clicked, this, [this] { move(m_available, m_chosen, false); });
    connect(m_addAll, &QPushButton::clicked, this, [this] { move(m_available, m_chosen, true); });
    connect(m_remove, &QPushButton::clicked, this, [this] { move(m_chosen, m_available, false); });
    connect(m_removeAll, &QPushButton::clicked, this, [this] { move(m_chosen, m_available, true); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, [this] { move(m_available, m_chosen, false); });
    connect(m_chosen, &QListWidget::itemDoubleClicked, this, [this] { move(m_chosen, m_available, false); });
    connect(m_available, &QListWidget::itemSelectionChanged, this, &TDlgNovaSestava::updateButtons);
    connect(m_chosen, &QListWidget::itemSelectionChanged, this, &TDlgNovaSestava::updateButtons);
    // "Popisy textem" and "Pol. podle názvu" of labels only mean something with labels.
    connect(m_labels, &QCheckBox::toggled, this, &TDlgNovaSestava::updateButtons);
    connect(m_design, &QPushButton::clicked, this, &QDialog::accept);
    connect(manual, &QPushButton::clicked, this, [this] {
        m_manual = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateButtons();
}

void TDlgNovaSestava::move(QListWidget *from, QListWidget *to, bool all)
{
    QList<QListWidgetItem *> items;
    for (int i = 0; i < from->count(); ++i)
        if (all || from->item(i)->isSelected())
            items.append(from->item(i));
    for (QListWidgetItem *item : items) {
        // Chosen fields keep the order they were chosen in; fields put back
        // return to their place in the field list.
        QListWidgetItem *moved = from->takeItem(from->row(item));
        moved->setSelected(false);
        if (to == m_chosen) {
            to->addItem(moved);
            continue;
        }
        int row = 0;
        while (row < to->count() && to->item(row)->data(Qt::UserRole).toInt() < moved->data(Qt::UserRole).toInt())
            ++row;
        to->insertItem(row, moved);
    }
    updateButtons();
}

void TDlgNovaSestava::updateButtons()
{
    m_add->setEnabled(!m_available->selectedItems().isEmpty());
    m_addAll->setEnabled(m_available->count() > 0);
    m_remove->setEnabled(!m_chosen->selectedItems().isEmpty());
    m_removeAll->setEnabled(m_chosen->count() > 0);
    m_labelsAsText->setEnabled(m_labels->isChecked());
    // A design needs at least one field; "&Ručně" is there for an empty one.
    m_design->setEnabled(m_chosen->count() > 0);
}

NewReportChoice TDlgNovaSestava::choice() const
{
    NewReportChoice v;
    for (int i = 0; i < m_chosen->count(); ++i)
        v.fields.append(m_fields.at(m_chosen->item(i)->data(Qt::UserRole).toInt()));
    v.style = m_rows->isChecked() ? NewReportChoice::Rows : NewReportChoice::Columns;
    v.labels = m_labels->isChecked();
    v.byName = m_byName->isChecked();
    v.labelsAsText = m_labels->isChecked() && m_labelsAsText->isChecked();
    if (m_paper->currentIndex() >= 0)
        v.paper = m_formats.at(m_paper->currentIndex());
    v.orientation = m_orientation->currentIndex() == 1 ? PageSetup::Landscape : PageSetup::Portrait;
    return v;
}

TDlgNovaSestava::Outcome TDlgNovaSestava::run(TSestavaTyp &report, const DesignerSettings &defaults, QWidget *parent)
{
    TDlgNovaSestava dialog(report, parent);
    if (ui().execModal(dialog) != QDialog::Accepted)
        return Cancelled;
    if (dialog.m_manual) {
        NewReportDesign::generateEmpty(report.model());
        return Manual;
    }
    NewReportDesign::generate(report, dialog.choice(), defaults);
    return Designed;
}

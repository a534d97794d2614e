#include "report/ui/designer/PaperFormatDialog.h"

#include "common/UiSeam.h"
#include "report/core/template/PaperFormats.h"
#include "report/core/template/TemplateFields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TDlgFormatPapiru::TDlgFormatPapiru(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TDlgFormatPapiru"_s);
    setWindowTitle(u"Formát papíru"_s);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(u"edtNazev"_s);
    m_name->setMaxLength(48);
    m_width = new QLineEdit(this);
    m_width->setObjectName(u"edtSirka"_s);
    m_height = new QLineEdit(this);
    m_height->setObjectName(u"edtVyska"_s);
    form->addRow(u"Název formátu:"_s, m_name);
    form->addRow(u"Šířka papíru:"_s, m_width);
    form->addRow(u"Výška papíru:"_s, m_height);
    layout->addLayout(form);
    auto *buttons = new QHBoxLayout;
    auto *konec = new QPushButton(u"Konec"_s, this);
    konec->setObjectName(u"btnKonec"_s);
    konec->setDefault(true);
    auto *zpet = new QPushButton(u"Zpět"_s, this);
    zpet->setObjectName(u"btnZpet"_s);
    buttons->addStretch();
    buttons->addWidget(konec);
    buttons->addWidget(zpet);
    layout->addLayout(buttons);
    connect(konec, &QPushButton::clicked, this, &QDialog::accept);
    connect(zpet, &QPushButton::clicked, this, &QDialog::reject);
}

bool TDlgFormatPapiru::edit(TListFormatu &formats, int index, bool editable, QWidget *parent)
{
    if (index < 0 || index >= formats.count())
        return false;
    TFormatPapiru &format = formats.at(index);
    TDlgFormatPapiru dialog(parent);
    dialog.m_name->setText(format.name);
    dialog.m_width->setText(QString::number(format.width));
    dialog.m_height->setText(QString::number(format.height));
    for (QLineEdit *edit : {dialog.m_name, dialog.m_width, dialog.m_height})
        edit->setEnabled(editable);
    if (ui().execModal(dialog) != QDialog::Accepted)
        return false;
    if (!editable)
        return true;
    format.name = dialog.m_name->text().left(TFormatPapiru::MaxName);
    int value = 0;
    if (TemplateFields::parseInt(dialog.m_width->text().trimmed(), &value))
        format.width = value;
    if (TemplateFields::parseInt(dialog.m_height->text().trimmed(), &value))
        format.height = value;
    return true;
}

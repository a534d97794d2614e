#include "common/widgets/DialogParts.h"

#include "common/widgets/DataGrid.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace DialogParts {

QLabel *richTextLabel(const QString &html, QWidget *parent)
{
    auto *label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    return label;
}

QPushButton *button(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

QHBoxLayout *centredRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *button : buttons)
        row->addWidget(button);
    row->addStretch();
    return row;
}

QHBoxLayout *yesNoRow(QWidget *dialog)
{
    QPushButton *btnAno = button(u"Ano"_s, u"btnAno"_s, dialog);
    btnAno->setDefault(true);
    QPushButton *btnNe = button(u"Ne"_s, u"btnNe"_s, dialog);
    btnNe->setAutoDefault(false);
    if (auto *asDialog = qobject_cast<QDialog *>(dialog)) {
        QObject::connect(btnAno, &QPushButton::clicked, asDialog, &QDialog::accept);
        QObject::connect(btnNe, &QPushButton::clicked, asDialog, &QDialog::reject);
    }
    return centredRow({btnAno, btnNe});
}

QPushButton *addOkStorno(QDialog *dialog, QBoxLayout *layout)
{
    QPushButton *btnOK = button(u"OK"_s, u"btnOK"_s, dialog);
    btnOK->setDefault(true);
    QPushButton *btnStorno = button(u"Storno"_s, u"btnStorno"_s, dialog);
    btnStorno->setAutoDefault(false);
    QObject::connect(btnStorno, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(btnOK);
    row->addWidget(btnStorno);
    layout->addLayout(row);
    return btnOK;
}

PickList addPickList(QDialog *dialog, QVBoxLayout *layout, const QString &gridName, MemTable *table)
{
    PickList parts;
    parts.grid = new DataGrid(dialog);
    parts.grid->setObjectName(gridName);
    parts.grid->setRowSelect(true);
    parts.grid->setSearchEnabled(false);
    parts.grid->setTable(table);
    layout->addWidget(parts.grid, 1);

    parts.btnOK = button(u"OK"_s, u"btnOK"_s, dialog);
    parts.btnOK->setDefault(true);
    QPushButton *btnZavrit = button(u"Zavřít"_s, u"btnZavrit"_s, dialog);
    btnZavrit->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(parts.btnOK);
    row->addWidget(btnZavrit);
    layout->addLayout(row);

    QPushButton *btnOK = parts.btnOK;
    QObject::connect(btnOK, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(btnZavrit, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(parts.grid, &DataGrid::activated, dialog, [dialog, btnOK] {
        if (btnOK->isEnabled())
            dialog->accept();
    });
    return parts;
}

} // namespace DialogParts

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
    btnAno->setAutoDefault(false);
    QPushButton *btnNe = button(u"Ne"_s, u"btnNe"_s, dialog);
    btnNe->setDefault(true);
    // The focus starts on "Ne" as well: a space bar pressed out of habit
    // must not start the step either.
    btnNe->setFocus();
    if (auto *asDialog = qobject_cast<QDialog *>(dialog)) {
        QObject::connect(btnAno, &QPushButton::clicked, asDialog, &QDialog::accept);
        QObject::connect(btnNe, &QPushButton::clicked, asDialog, &QDialog::reject);
    }
    return centredRow({btnAno, btnNe});
}

namespace {

// "OK" (default) and the closing button (rejects), right-aligned in a row
// added to `layout`.
OkRow addOkRow(QDialog *dialog, QBoxLayout *layout, QStringView okName, const QString &closeCaption,
               const QString &closeName)
{
    OkRow parts;
    parts.btnOK = button(u"OK"_s, okName.toString(), dialog);
    parts.btnOK->setDefault(true);
    parts.btnClose = button(closeCaption, closeName, dialog);
    parts.btnClose->setAutoDefault(false);
    QObject::connect(parts.btnClose, &QPushButton::clicked, dialog, &QDialog::reject);
    parts.row = new QHBoxLayout;
    parts.row->addStretch();
    parts.row->addWidget(parts.btnOK);
    parts.row->addWidget(parts.btnClose);
    layout->addLayout(parts.row);
    return parts;
}

} // namespace

QPushButton *addOkStorno(QDialog *dialog, QBoxLayout *layout)
{
    return addOkStornoRow(dialog, layout).btnOK;
}

OkRow addOkStornoRow(QDialog *dialog, QBoxLayout *layout, QStringView okName)
{
    return addOkRow(dialog, layout, okName, u"Storno"_s, u"btnStorno"_s);
}

OkRow addOkZavritRow(QDialog *dialog, QBoxLayout *layout, QStringView okName)
{
    return addOkRow(dialog, layout, okName, u"Zavřít"_s, u"btnZavrit"_s);
}

QPushButton *addZavrit(QDialog *dialog, QBoxLayout *layout)
{
    QPushButton *btnZavrit = button(u"Zavřít"_s, u"btnZavrit"_s, dialog);
    btnZavrit->setDefault(true);
    QObject::connect(btnZavrit, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(btnZavrit);
    layout->addLayout(row);
    return btnZavrit;
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

    parts.btnOK = addOkZavritRow(dialog, layout).btnOK;
    QPushButton *btnOK = parts.btnOK;
    QObject::connect(btnOK, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(parts.grid, &DataGrid::activated, dialog, [dialog, btnOK] {
        if (btnOK->isEnabled())
            dialog->accept();
    });
    return parts;
}

} // namespace DialogParts

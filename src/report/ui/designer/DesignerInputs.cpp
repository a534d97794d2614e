#include "report/ui/designer/DesignerInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

namespace DesignerInputs {

QCheckBox *checkBox(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    return box;
}

QSpinBox *spinBox(const QString &objectName, int minimum, int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(minimum, maximum);
    return box;
}

QLineEdit *lineEdit(const QString &objectName, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

QComboBox *comboBox(const QString &objectName, const QStringList &items, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->addItems(items);
    return box;
}

void selectKeeping(QComboBox *box, int value)
{
    if (value < 0 || value >= box->count()) {
        box->addItem(QString::number(value), value);
        box->setCurrentIndex(box->count() - 1);
        return;
    }
    box->setCurrentIndex(value);
}

int keptValue(const QComboBox *box)
{
    const QVariant own = box->currentData();
    return own.isValid() ? own.toInt() : box->currentIndex();
}

} // namespace DesignerInputs

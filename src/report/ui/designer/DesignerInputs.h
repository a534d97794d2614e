#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

// Inputs of the designer's dialogs, each with its component name.
namespace DesignerInputs {

QCheckBox *checkBox(const QString &caption, const QString &objectName, QWidget *parent);
QSpinBox *spinBox(const QString &objectName, int minimum, int maximum, QWidget *parent);
QLineEdit *lineEdit(const QString &objectName, QWidget *parent);
QComboBox *comboBox(const QString &objectName, const QStringList &items, QWidget *parent);

// Selects the item of a stored value (its index). A value the list does not
// know (a hand-edited file) becomes an item of its own, so that it is written
// back unchanged.
void selectKeeping(QComboBox *box, int value);
// The stored value of the selected item.
int keptValue(const QComboBox *box);

} // namespace DesignerInputs

#pragma once

#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

// Setting a dialog's inputs by object name, and finding a window's action;
// a missing one fails the test.
namespace DialogInputs {

inline void check(QWidget &dialog, const QString &name, bool on)
{
    if (auto *box = TestSupport::child<QAbstractButton>(dialog, name))
        box->setChecked(on);
}

inline void setSpin(QWidget &dialog, const QString &name, int value)
{
    if (auto *box = TestSupport::child<QSpinBox>(dialog, name))
        box->setValue(value);
}

inline void setText(QWidget &dialog, const QString &name, const QString &text)
{
    if (auto *edit = TestSupport::child<QLineEdit>(dialog, name))
        edit->setText(text);
}

inline void choose(QWidget &dialog, const QString &name, const QString &text)
{
    auto *box = TestSupport::child<QComboBox>(dialog, name);
    ASSERT_TRUE(box);
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
}

inline QAction *action(QWidget &window, const QString &name)
{
    QAction *found = window.findChild<QAction *>(name);
    if (!found)
        ADD_FAILURE() << "no action " << name.toStdString();
    return found;
}

} // namespace DialogInputs

#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

class DataGrid;
class MemTable;
class QDialog;
class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Pieces the program's small windows are built from.
namespace DialogParts {

// A word-wrapped label of rich text (bold words, lists).
QLabel *richTextLabel(const QString &html, QWidget *parent);

// A push button with its component name.
QPushButton *button(const QString &caption, const QString &objectName, QWidget *parent);

// The buttons side by side, centred in their row.
QHBoxLayout *centredRow(std::initializer_list<QPushButton *> buttons);

// The "Ano"/"Ne" row of a warning before an irreversible step: "Ano" accepts
// the dialog, "Ne" (the default, also Enter and Esc) rejects it.
QHBoxLayout *yesNoRow(QWidget *dialog);

// The buttons that end a small window, on the right of their own row.
struct OkRow
{
    QHBoxLayout *row = nullptr; // room for more buttons beside them
    QPushButton *btnOK = nullptr;
    QPushButton *btnClose = nullptr; // "Storno" or "Zavřít"
};

// Adds to `layout` a row with "OK" (default) and "Storno" (rejects) on the
// right; returns "OK" for the caller to connect.
QPushButton *addOkStorno(QDialog *dialog, QBoxLayout *layout);
// The same row with both buttons, "OK" under the component name `okName`.
OkRow addOkStornoRow(QDialog *dialog, QBoxLayout *layout, QStringView okName = u"btnOK");

// Adds to `layout` a row with "OK" (default) and "Zavřít" (rejects) on the
// right; the caller connects "OK".
OkRow addOkZavritRow(QDialog *dialog, QBoxLayout *layout, QStringView okName = u"btnOK");

// Adds to `layout` a row with "Zavřít" alone on the right: the default
// button, it rejects the dialog.
QPushButton *addZavrit(QDialog *dialog, QBoxLayout *layout);

// The grid and buttons of a window that picks one row of a table.
struct PickList
{
    DataGrid *grid = nullptr;
    QPushButton *btnOK = nullptr;
};

// Adds to `layout` a grid over `table` (whole rows selected, no search
// strip) and below it, on the right, "OK" (default, accepts) and "Zavřít"
// (rejects); a row chosen in the grid accepts while "OK" is enabled.
PickList addPickList(QDialog *dialog, QVBoxLayout *layout, const QString &gridName, MemTable *table);

} // namespace DialogParts

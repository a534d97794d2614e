#include "report/ui/printing/PrinterComboBox.h"

#include "report/core/output/Printers.h"

TComboBoxPrinter::TComboBoxPrinter(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    fill();
}

void TComboBoxPrinter::fill()
{
    clear();
    addItems(CurrentPrinter::current().names());
}

void TComboBoxPrinter::refresh()
{
    const QString selected = currentIndex() >= 0 ? currentText() : QString();
    fill();
    setCurrentIndex(selected.isEmpty() ? -1 : findText(selected));
}

void TComboBoxPrinter::selectIndex(int index)
{
    if (index == -1) {
        CurrentPrinter &printer = CurrentPrinter::current();
        int current = printer.selectedIndex();
        if (current < 0 && printer.printerList())
            current = printer.printerList()->defaultIndex();
        setCurrentIndex(current >= 0 && current < count() ? current : -1);
        return;
    }
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

int TComboBoxPrinter::selectedIndex() const
{
    if (currentIndex() < 0)
        return -1;
    return int(CurrentPrinter::current().names().indexOf(currentText()));
}

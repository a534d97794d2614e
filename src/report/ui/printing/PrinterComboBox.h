#pragma once

#include <QComboBox>

// The installed printers by name (through CurrentPrinter's printer list).
class TComboBoxPrinter : public QComboBox
{
    Q_OBJECT

public:
    explicit TComboBoxPrinter(QWidget *parent = nullptr);

    // Fills the list with the installed printers' names.
    void fill();
    // Fills again and selects the printer that was selected before.
    void refresh();
    // -1 selects the current printer (when there is any); an index below -1
    // or beyond the list selects none.
    void selectIndex(int index);
    // The selected printer's index in the system's printer list, -1 for none.
    int selectedIndex() const;
};

#pragma once

#include <QString>

#include <array>

class QWidget;

// The generator's own print dialog as a component: what it shows and what
// the user chose. Created once by the preview and kept; the form behind it
// is TSestPrintDlg ("Nastavení tisku").
class TPrintDialogTyp
{
public:
    enum class Answer { Cancelled, Preview, Print, Edit };
    enum Button { ButtonProperties, ButtonEdit, ButtonPreview, ButtonPrint, ButtonCount };
    enum Group { GroupPrinter, GroupPages, GroupTemplate, GroupCount };
    enum Check { CheckToFile, CheckCurrentPage, CheckOneRecord, CheckDefaultTemplate, CheckBackground, CheckCount };

    QString title = QStringLiteral("Nastavení tisku");
    // The template list: directory, mask, the chosen template, the switch.
    QString reportDir;
    QString reportMask = QStringLiteral("*.pts");
    QString reportName;
    bool reportDirIgnore = true;

    int printerIndex = -1; // -1 when no printer is installed
    int firstPage = 1;
    int lastPage = 9999;
    int copies = 1;

    std::array<bool, ButtonCount> buttonEnabled{true, true, true, true};
    std::array<bool, GroupCount> groupVisible{true, true, true};
    std::array<bool, CheckCount> checkVisible{};
    std::array<bool, CheckCount> checked{};

    // Shows the form modally. On any answer but Cancelled the template name,
    // the page fields, the copies, the printer index and the check boxes
    // are taken back from it.
    Answer execute(QWidget *parent = nullptr);
};

#include "report/ui/printing/PrintDialogTyp.h"

#include "common/UiSeam.h"
#include "report/ui/printing/PrintSetupDialog.h"

TPrintDialogTyp::Answer TPrintDialogTyp::execute(QWidget *parent)
{
    TSestPrintDlg dialog(parent);
    dialog.load(*this);
    ui().execModal(dialog);
    const Answer answer = dialog.answer();
    if (answer != Answer::Cancelled)
        dialog.store(*this);
    return answer;
}

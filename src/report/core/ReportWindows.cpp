// The operations of a main report that open windows or print: the events
// around them and the one-run guard here, the windows behind ReportWindows.
#include "report/core/ReportWindows.h"
#include "common/UiSeam.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/output/Printers.h"

using namespace Qt::StringLiterals;

ReportWindows &ReportWindows::current()
{
    static ReportWindows windows;
    return windows;
}

int TSestava::Print(int printerIndex)
{
    return runExclusive([&] {
        if (BeforePrint)
            BeforePrint(this);
        const auto &print = ReportWindows::current().print;
        const int result = print ? print(*this, printerIndex) : int(seDataOrNothing);
        if (AfterPrint)
            AfterPrint(this);
        return result;
    });
}

int TSestava::PrintOnCurrent()
{
    if (!CurrentPrinter::current().isPresent()) {
        ui().warning(noPrinterMessage(), SestCaption::varovani());
        return seNoPrinter;
    }
    return Print(CurrentPrinter::current().selectedIndex());
}

QString TSestava::noPrinterMessage()
{
    return u"V systému není nainstalovaná žádná tiskárna."_s;
}

int TSestava::Preview()
{
    return Preview(ReportWindows::current().preview);
}

int TSestava::Preview(const std::function<int(TSestava &report)> &window)
{
    return runExclusive([&] {
        if (BeforePreview)
            BeforePreview(this);
        int result = ReportLayout::prepare(*this);
        if (result == seOK)
            result = window ? window(*this) : int(seDataOrNothing);
        if (AfterPreview)
            AfterPreview(this);
        return result;
    });
}

int TSestava::Design()
{
    if (BeforeEdit)
        BeforeEdit(this);
    const int result = withData(Purpose::Design, [&] {
        const auto &design = ReportWindows::current().design;
        return design ? design(*this) : int(seDataOrNothing);
    });
    if (AfterEdit)
        AfterEdit(this);
    return result;
}

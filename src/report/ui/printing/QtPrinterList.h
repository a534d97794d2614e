#pragma once

#include "report/core/output/Printers.h"

// The installed printers as Qt's print support (CUPS here) sees them. The
// printer driver name is the printer's make and model. A CUPS queue prints in
// character mode when its make and model is a generic text-only one (its PPD's
// model "Generic Text-Only Printer"); a raw queue without a PPD ("Local Raw
// Printer") is not taken for one, as it may feed a printer of any language.
class QtPrinterList final : public PrinterList
{
public:
    QStringList names() const override;
    int defaultIndex() const override;
    QString driverName(int index) const override;
    std::optional<PrinterFacts> facts(int index, int orientation) const override;
};

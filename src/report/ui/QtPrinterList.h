#pragma once

#include "report/core/sestprn.h"

// The installed printers as Qt's print support (CUPS here) sees them. The
// printer driver name is the printer's make and model.
class QtPrinterList final : public TPrinterList
{
public:
    QStringList names() const override;
    int defaultIndex() const override;
    QString driverName(int index) const override;
    std::optional<TPrinterFacts> facts(int index, int orientation) const override;
};

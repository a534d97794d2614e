#include "report/ui/printing/QtPrinterList.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

QStringList QtPrinterList::names() const
{
    return QPrinterInfo::availablePrinterNames();
}

int QtPrinterList::defaultIndex() const
{
    const QStringList all = names();
    const int index = int(all.indexOf(QPrinterInfo::defaultPrinterName()));
    return index >= 0 ? index : (all.isEmpty() ? -1 : 0);
}

QString QtPrinterList::driverName(int index) const
{
    const QStringList all = names();
    if (index < 0 || index >= all.size())
        return QString();
    return QPrinterInfo::printerInfo(all.at(index)).makeAndModel();
}

std::optional<PrinterFacts> QtPrinterList::facts(int index, int orientation) const
{
    const QStringList all = names();
    if (index < 0 || index >= all.size())
        return std::nullopt;
    const QPrinterInfo info = QPrinterInfo::printerInfo(all.at(index));
    if (info.isNull())
        return std::nullopt;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setCopyCount(1);
    printer.setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    const int resolution = printer.resolution();
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    const QRect full = layout.fullRectPixels(resolution);
    const QRect printable = layout.paintRectPixels(resolution);

    PrinterFacts f;
    f.resolutionX = resolution;
    f.resolutionY = resolution;
    f.offsetX = printable.left() - full.left();
    f.offsetY = printable.top() - full.top();
    f.physicalWidth = full.width();
    f.physicalHeight = full.height();
    f.printableWidth = printable.width();
    f.printableHeight = printable.height();
    f.orientation = orientation == 1 ? 1 : 0;
    return f;
}

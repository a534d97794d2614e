#include "report/core/output/Printers.h"

#include "common/UiSeam.h"
#include "report/core/ReportCaptions.h"
#include "report/core/model/PageSetup.h"

#include <algorithm>

using namespace Qt::StringLiterals;

CurrentPrinter &CurrentPrinter::current()
{
    static CurrentPrinter printer;
    return printer;
}

void CurrentPrinter::setPrinterList(const PrinterList *list)
{
    m_list = list;
    m_index = list ? list->defaultIndex() : -1;
    if (m_list && m_index < 0 && count() > 0)
        m_index = 0;
    resetScale();
}

QStringList CurrentPrinter::names() const
{
    return m_list ? m_list->names() : QStringList();
}

int CurrentPrinter::count() const
{
    return int(names().size());
}

bool CurrentPrinter::isPresent() const
{
    return m_index >= 0 && m_index < count();
}

QString CurrentPrinter::selectedName() const
{
    return isPresent() ? names().at(m_index) : QString();
}

bool CurrentPrinter::selectPrinter(int index)
{
    if (index == -1) {
        if (!isPresent() && m_list)
            m_index = m_list->defaultIndex();
    } else {
        m_index = (index >= 0 && index < count()) ? index : -1;
    }
    const PrinterFacts f = facts(pageSetup().orientation);
    m_scaleX = f.resolutionX / 100.0;
    m_scaleY = f.resolutionY / 100.0;
    return isPresent();
}

void CurrentPrinter::resetScale()
{
    m_scaleX = 1.0;
    m_scaleY = 1.0;
}

PrinterFacts CurrentPrinter::facts(int orientation) const
{
    if (isPresent()) {
        if (const std::optional<PrinterFacts> f = m_list->facts(m_index, orientation))
            return *f;
    }
    // No printer: the paper of the report at 100 pixels per inch, the whole
    // sheet taken as printable.
    PrinterFacts f;
    const PageSetup &page = pageSetup();
    const bool landscape = orientation == PageSetup::Landscape;
    f.physicalWidth = landscape ? page.paperHeight : page.paperWidth;
    f.physicalHeight = landscape ? page.paperWidth : page.paperHeight;
    f.printableWidth = f.physicalWidth;
    f.printableHeight = f.physicalHeight;
    f.orientation = orientation;
    return f;
}

bool CurrentPrinter::isTextOnly() const
{
    return isPresent() && isTextOnlyDriver(m_list->driverName(m_index));
}

bool CurrentPrinter::isTextOnlyDriver(const QString &driverName)
{
    // The host's driver names in English and Czech, and the make and model
    // CUPS gives its generic text-only queue.
    static const QStringList textOnly{u"Generic / Text Only"_s, u"Obecná nebo jen textová"_s,
                                      u"Generic Text-Only Printer"_s};
    return textOnly.contains(driverName.trimmed(), Qt::CaseInsensitive);
}

namespace {
// pixels × 100 / resolution, rounded up so that a fitted margin passes the check.
int toUnitsUp(qint64 pixels, int resolution)
{
    if (resolution <= 0 || pixels <= 0)
        return 0;
    return int((pixels * 100 + resolution - 1) / resolution);
}
} // namespace

PrinterMargins CurrentPrinter::minimumMargins(int orientation) const
{
    if (!isPresent())
        return PrinterMargins{};
    const PrinterFacts f = facts(orientation);
    PrinterMargins m;
    m.left = toUnitsUp(f.offsetX, f.resolutionX);
    m.top = toUnitsUp(f.offsetY, f.resolutionY);
    m.right = toUnitsUp(qint64(f.physicalWidth) - f.printableWidth - f.offsetX, f.resolutionX);
    m.bottom = toUnitsUp(qint64(f.physicalHeight) - f.printableHeight - f.offsetY, f.resolutionY);
    return m;
}

bool CurrentPrinter::checkMargins(int orientation, const PrinterMargins &margins) const
{
    if (!isPresent())
        return true;
    const PrinterMargins m = minimumMargins(orientation);
    return margins.left >= m.left && margins.top >= m.top && margins.right >= m.right && margins.bottom >= m.bottom;
}

PrinterMargins CurrentPrinter::fitMargins(int orientation, const PrinterMargins &margins) const
{
    const PrinterMargins m = minimumMargins(orientation);
    return PrinterMargins{std::max(margins.left, m.left), std::max(margins.top, m.top),
                          std::max(margins.right, m.right), std::max(margins.bottom, m.bottom)};
}

bool CurrentPrinter::confirmMargins(int orientation, PrinterMargins &margins) const
{
    if (checkMargins(orientation, margins))
        return true;
    switch (ui().message(MessageKind::Confirmation,
                         u"Nastavené okraje tisku jsou menší, než umožňuje připojená tiskárna. Upravit velikost okrajů "
                         u"podle možností tiskárny?"_s,
                         MessageButtons::YesNoCancel, SestCaption::potvrzeni())) {
    case MessageAnswer::Yes:
        margins = fitMargins(orientation, margins);
        return true;
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

#include "report/core/layout/ReportOutput.h"

#include "report/core/model/ReportElement.h"

std::shared_ptr<const ItemStyle> ItemStyle::of(const TRastelReportElement &element)
{
    auto style = std::make_shared<ItemStyle>();
    style->kind = element.kind;
    style->reference = element.reference;
    style->font = element.font;
    style->alignment = element.alignment();
    style->textFlags = element.textFlags;
    style->optionFlags = element.optionFlags;
    style->penColour = element.penColour;
    style->penStyle = element.penStyle;
    style->penWidth = element.penWidth;
    style->fillColour = element.fillColour;
    style->fillStyle = element.fillStyle;
    style->spacing = element.spacing;
    style->angle = element.angle;
    return style;
}

bool TStranaPrvku::ranksBefore(const TVystPrvek &a, const TVystPrvek &b)
{
    const int ka = a.kind();
    const int kb = b.kind();
    const bool textA = ElementKind::isText(ka);
    const bool textB = ElementKind::isText(kb);
    if (textA != textB)
        return !textA; // graphics lie under texts
    if (textA)
        return a.style->textFlags < b.style->textFlags;
    const auto plainGraphic = [](int kind) { return kind >= ElementKind::Line && kind <= ElementKind::Barcode; };
    if (plainGraphic(ka) && plainGraphic(kb))
        return false;
    return ka > kb;
}

void TStranaPrvku::add(TVystPrvek item)
{
    auto it = m_items.begin();
    while (it != m_items.end() && ranksBefore(*it, item))
        ++it;
    // Before an equal-ranking item the new one takes that item's number, so
    // among equals a newer item precedes the older ones.
    if (it != m_items.end() && !ranksBefore(item, *it))
        item.order = it->order;
    else
        item.order = m_nextOrder++;
    m_items.insert(it, std::move(item));
}

int LayoutPage::paperWidth() const
{
    return setup.orientation == PageSetup::Landscape ? setup.paperHeight : setup.paperWidth;
}

int LayoutPage::paperHeight() const
{
    return setup.orientation == PageSetup::Landscape ? setup.paperWidth : setup.paperHeight;
}

LayoutPage LayoutPage::current()
{
    LayoutPage page;
    page.setup = pageSetup();
    page.printer = CurrentPrinter::current().facts(page.setup.orientation);
    return page;
}

TStranaPrvku &TSestVystup::pageAt(int index)
{
    if (index >= int(pages.size()))
        pages.resize(size_t(index) + 1);
    return pages.at(size_t(index));
}

void TSestVystup::clear()
{
    pages.clear();
    linePosition = 0;
    pageOffset = 0;
    column = 1;
    columnOffset = 0;
    currentPage = 0;
}

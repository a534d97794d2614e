#include "report/core/layout/ReportOutput.h"

#include "report/core/model/ReportElement.h"

#include <algorithm>
#include <iterator>

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

TStranaPrvku::Rank TStranaPrvku::rankOf(const TVystPrvek &item)
{
    const int kind = item.kind();
    if (ElementKind::isText(kind))
        return {true, item.style->textFlags};
    // Lines to barcodes rank alike; the other graphics by kind, higher first
    // (they lie outside that range, so -Line places them right).
    const bool plainGraphic = kind >= ElementKind::Line && kind <= ElementKind::Barcode;
    return {false, plainGraphic ? -ElementKind::Line : -kind};
}

bool TStranaPrvku::ranksBefore(const TVystPrvek &a, const TVystPrvek &b)
{
    return rankOf(a) < rankOf(b);
}

void TStranaPrvku::add(TVystPrvek item)
{
    const Rank rank = rankOf(item);
    auto known = std::find_if(m_rankOrders.cbegin(), m_rankOrders.cend(),
                              [&](const std::pair<Rank, int> &entry) { return entry.first == rank; });
    if (known == m_rankOrders.cend()) {
        m_rankOrders.emplace_back(rank, m_nextOrder++);
        known = std::prev(m_rankOrders.cend());
    }
    item.order = known->second;
    m_added.push_back(std::move(item));
}

void TStranaPrvku::putInDrawingOrder() const
{
    if (m_added.empty())
        return;
    // Newest first among equals: reversed, a stable sort keeps that, and the
    // added items go before the ordered ones of their rank.
    std::reverse(m_added.begin(), m_added.end());
    const auto byRank = [](const TVystPrvek &a, const TVystPrvek &b) { return ranksBefore(a, b); };
    std::stable_sort(m_added.begin(), m_added.end(), byRank);
    std::vector<TVystPrvek> merged;
    merged.reserve(m_items.size() + m_added.size());
    std::merge(std::make_move_iterator(m_added.begin()), std::make_move_iterator(m_added.end()),
               std::make_move_iterator(m_items.begin()), std::make_move_iterator(m_items.end()),
               std::back_inserter(merged), byRank);
    m_items = std::move(merged);
    m_added.clear();
}

const std::vector<TVystPrvek> &TStranaPrvku::items() const
{
    putInDrawingOrder();
    return m_items;
}

std::vector<TVystPrvek> &TStranaPrvku::items()
{
    putInDrawingOrder();
    return m_items;
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

#include "report/core/layout/ReportLayout.h"

#include "common/Clock.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/data/RecordLoop.h"
#include "report/core/expr/ExpressionEvaluator.h"
#include "report/core/layout/LayoutProgress.h"
#include "report/core/layout/TextFlow.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;

struct ReportLayout::ElementCache
{
    TSestavaD *report = nullptr; // the report whose model holds the element
    std::shared_ptr<const ItemStyle> style;
    std::unique_ptr<TextFlow> flow; // text kinds, made when first needed
};

namespace {
bool isVariableText(const TRastelReportElement &element)
{
    return ElementKind::isText(element.kind) && (element.textFlags & TRastelReportElement::VariableHeight);
}

int ceilUnits(double value)
{
    return int(std::ceil(value - 1e-9));
}
} // namespace

ReportLayout::ReportLayout(TSestavaD &report, TSestVystup &output, const LayoutPage &page, LayoutProgress *progress)
    : m_report(report), m_model(report.model()), m_out(output), m_page(page), m_progress(progress)
{}

ReportLayout::ReportLayout(TSestavaD &detail, ReportLayout &master, int left)
    : m_report(detail), m_model(detail.model()), m_out(master.m_out), m_page(master.m_page),
      m_progress(master.m_progress), m_master(&master), m_root(master.m_root), m_left(left)
{}

ReportLayout::~ReportLayout() = default;

QString ReportLayout::progressText(int record)
{
    return u"Připravuji tisk položky číslo: "_s + QString::number(record);
}

int ReportLayout::prepare(TSestava &report, LayoutProgress *progress, const std::optional<LayoutPage> &page)
{
    return report.withData(TSestava::Purpose::Run, [&] {
        ReportLayout layout(report, report.output(), page.value_or(LayoutPage::current()), progress);
        return layout.run();
    });
}

// ---------------------------------------------------------------- the run

void ReportLayout::startCounters()
{
    m_report.setRowNumber(1);
    m_report.setPageNumber(1);
    TListSkupin &groups = m_model.groups();
    for (int g = 0; g < groups.count(); ++g) {
        TPolSkup &group = groups.at(g);
        group.lastValue = groupText(g);
        group.changed = false;
        group.rowInGroup = 1;
        group.groupCount = 1;
    }
    m_report.startFunctions();
}

int ReportLayout::run()
{
    const ReportOptions &settings = m_model.settings();
    m_out.clear();
    m_out.page = m_page;
    m_out.pageBottom = m_page.contentHeight();
    m_out.firstPage = m_report.startPage();
    m_out.lastPage = m_report.endPage();
    m_out.copies = m_report.printCopies();
    m_out.codePage = m_report.exportLanguage();
    m_out.characterMode = settings.isCharacterMode();
    m_out.backgroundFile = settings.ownBackground ? settings.backgroundFile : m_report.background();
    if (settings.partialPlacement)
        m_out.backgroundRect =
            QRect(settings.backgroundLeft, settings.backgroundTop, settings.backgroundWidth, settings.backgroundHeight);
    m_report.clearNewPageRequest();
    m_report.registerAsResolver();

    RecordLoop loop(m_report);
    loop.start();
    if (m_progress)
        m_progress->start(SestCaption::informace(), progressText(1), u"Přerušit"_s);
    m_report.setPrintTimestamp(DayNumber::fromDateTime(Clock::current().now()));
    startCounters();
    m_report.refreshValues(TSestavaTyp::Refresh::Start);

    TListOddilu &sections = m_model.sections();
    TOddilSestavy *reportHeader = sections.find(TOddilSestavy::ReportHeader);
    for (int i = 0; reportHeader && i < reportHeader->count(); ++i) {
        if (reportHeader->at(i).kind == ElementKind::Picture)
            m_report.loadPicture(reportHeader->at(i));
    }
    layoutSection(reportHeader);
    if (reportHeader && reportHeader->visible && settings.breakAfterReportHeader)
        pageBreak(false);
    else if (!settings.noPageHeaderOnFirstPage)
        layoutSection(sections.find(TOddilSestavy::PageHeader));
    for (int g = 0; g < m_model.groups().count(); ++g)
        layoutSection(m_model.groups().at(g).header);

    for (bool first = true;; first = false) {
        if (!first) {
            if (!recordStep())
                break;
        } else if (!fits(sectionHeight(TOddilSestavy::Body))) {
            pageBreak(false);
        }
        if (m_stopped || m_interrupted)
            break;
        layoutSection(sections.find(TOddilSestavy::Body));
        if (!loop.next(m_stopped || m_interrupted))
            break;
        if (m_progress)
            m_progress->setText(progressText(loop.recordCount() + 1));
    }
    layoutEnd();
    if (m_stopped && int(m_out.pages.size()) > m_report.endPage())
        m_out.pages.resize(size_t(std::max(m_report.endPage(), 0)));
    fillPageCount();
    m_out.column = m_column;
    m_out.columnOffset = m_columnOffset;
    if (m_progress)
        m_progress->finish();
    return m_interrupted ? seCancelled : seOK;
}

void ReportLayout::layoutEnd()
{
    const ReportOptions &settings = m_model.settings();
    TListOddilu &sections = m_model.sections();
    finishColumns();
    for (int g = m_model.groups().count() - 1; g >= 0; --g)
        layoutSection(m_model.groups().at(g).footer);
    TOddilSestavy *reportFooter = sections.find(TOddilSestavy::ReportFooter);
    const bool footerShown = reportFooter && reportFooter->visible;
    if (footerShown && settings.breakBeforeReportFooter && !m_stopped && !m_interrupted)
        pageBreak(false);
    m_report.refreshValues(TSestavaTyp::Refresh::End);
    if (footerShown && settings.reportFooterAtPageFooter && !m_master && !m_stopped && !m_interrupted) {
        const int bottom = m_out.pageBottom - (settings.noPageFooterOnLastPage ? 0 : pageFooterHeight());
        const int target = bottom - reportFooter->height;
        if (m_out.linePosition > target)
            pageBreak(false);
        m_out.linePosition = std::max(target, m_out.linePosition);
    }
    layoutSection(reportFooter);
    if (!m_master && !settings.noPageFooterOnLastPage)
        placePageFooter();
}

bool ReportLayout::recordStep()
{
    TListSkupin &groups = m_model.groups();
    const ReportOptions &settings = m_model.settings();

    // Group change: the first group whose field text differs, and every inner one.
    int changedFrom = -1;
    for (int g = 0; g < groups.count() && changedFrom < 0; ++g) {
        if (groupText(g) != groups.at(g).lastValue)
            changedFrom = g;
    }
    for (int g = 0; g < groups.count(); ++g)
        groups.at(g).changed = changedFrom >= 0 && g >= changedFrom;

    int needed = 0;
    bool newPage = false;
    if (changedFrom >= 0) {
        finishColumns();
        for (int g = groups.count() - 1; g >= changedFrom; --g) {
            TPolSkup &group = groups.at(g);
            layoutSection(group.footer);
            m_report.requestGroupReset(g);
            newPage = newPage || group.newPage;
            if (group.header && group.header->visible)
                needed += group.header->height;
        }
    }
    if (m_stopped || m_interrupted)
        return false;
    const bool pageBreakNeeded =
        newPage || settings.newBodyOnNewPage || !fits(sectionHeight(TOddilSestavy::Body), needed);
    // The page that ends shows the counters of its last record.
    if (pageBreakNeeded)
        leavePage(true);

    m_report.setRowNumber(m_report.rowNumber() + 1);
    for (int g = 0; g < groups.count(); ++g) {
        TPolSkup &group = groups.at(g);
        group.lastValue = groupText(g);
        ++group.rowInGroup;
        if (group.changed) {
            group.rowInGroup = 1;
            ++group.groupCount;
            if (g > 0 && groups.at(g - 1).changed)
                group.groupCount = 1;
        }
    }
    m_report.refreshValues(TSestavaTyp::Refresh::Record);
    if (pageBreakNeeded && !m_stopped && !m_master)
        layoutSection(m_model.sections().find(TOddilSestavy::PageHeader));

    for (int g = 0; g < groups.count(); ++g) {
        TPolSkup &group = groups.at(g);
        const bool changed = group.changed;
        group.changed = false;
        if (changed)
            layoutSection(group.header);
    }
    if (!m_master && m_report.endPage() < m_out.currentPage + 1)
        m_stopped = true;
    return !m_stopped && !m_interrupted;
}

// ---------------------------------------------------------------- pages

bool ReportLayout::fits(int height, int extra) const
{
    return m_out.pageBottom - pageFooterHeight() - m_out.linePosition >= height + extra;
}

int ReportLayout::sectionHeight(int sectionId) const
{
    const TOddilSestavy *section = m_model.sections().find(sectionId);
    return section && section->visible ? section->height : 0;
}

int ReportLayout::pageHeaderHeight() const
{
    return m_master ? m_master->pageHeaderHeight() : sectionHeight(TOddilSestavy::PageHeader);
}

int ReportLayout::pageFooterHeight() const
{
    return m_master ? m_master->pageFooterHeight() : sectionHeight(TOddilSestavy::PageFooter);
}

int ReportLayout::columns() const
{
    return std::max(1, m_model.settings().printColumns);
}

void ReportLayout::placePageFooter()
{
    TOddilSestavy *footer = m_model.sections().find(TOddilSestavy::PageFooter);
    if (!footer || !footer->visible)
        return;
    const int saved = m_out.linePosition;
    m_out.linePosition = m_out.pageBottom - footer->height;
    layoutSection(footer);
    m_out.linePosition = saved;
}

void ReportLayout::leavePage(bool fromRecordStep)
{
    m_column = 1;
    m_columnOffset = 0;
    if (m_master) {
        // A detail leaves room for its master's page header; the master
        // emits the footers and headers of the pages the detail ran over.
        ++m_out.currentPage;
        m_out.linePosition = pageHeaderHeight();
        return;
    }
    placePageFooter();
    m_report.setPageNumber(m_report.pageNumber() + 1);
    if (fromRecordStep)
        m_report.requestPageReset();
    ++m_out.currentPage;
    m_out.linePosition = 0;
    if (m_report.endPage() < m_out.currentPage + 1)
        m_stopped = true;
}

void ReportLayout::pageBreak(bool fromRecordStep)
{
    leavePage(fromRecordStep);
    if (!m_master && !m_stopped)
        layoutSection(m_model.sections().find(TOddilSestavy::PageHeader));
}

void ReportLayout::finishColumns()
{
    if (columns() > 1 && m_column > 1) {
        m_column = 1;
        m_columnOffset = 0;
        m_out.linePosition += sectionHeight(TOddilSestavy::Body);
    }
}

bool ReportLayout::poll()
{
    if (!m_interrupted && m_progress && m_progress->interrupted())
        m_root->m_interrupted = m_interrupted = true;
    if (m_master && m_root->m_interrupted)
        m_interrupted = true;
    return !m_interrupted;
}

// ---------------------------------------------------------------- sections

void ReportLayout::layoutSection(TOddilSestavy *section)
{
    if (!section || !section->visible || m_stopped || !poll())
        return;
    if (m_report.OnTiskOddilu) {
        bool print = true;
        m_report.OnTiskOddilu(&m_report, section->id, print);
        if (!print)
            return;
    }
    const int id = section->id;
    const bool pageSection = id == TOddilSestavy::PageHeader || id == TOddilSestavy::PageFooter;
    if (id == TOddilSestavy::PageHeader)
        m_report.clearNewPageRequest();
    const bool mayBreak = !pageSection && !(id == TOddilSestavy::ReportHeader && !m_master) &&
                          !(id == TOddilSestavy::ReportFooter && m_model.settings().noPageFooterOnLastPage);
    if (mayBreak && (!fits(section->height) || m_report.isNewPageRequested())) {
        m_report.clearNewPageRequest();
        pageBreak(false);
        if (m_stopped)
            return;
    }
    int origin = m_out.linePosition;
    const bool multiColumnBody = id == TOddilSestavy::Body && columns() > 1;
    std::vector<Band> bands;
    if (!pageSection && !multiColumnBody)
        bands = buildBands(*section);
    if (bands.empty())
        placeAll(*section, origin);
    else
        layoutBands(*section, bands, origin);
    if (m_stopped)
        return;
    if (id != TOddilSestavy::PageFooter)
        advance(*section, origin);
}

bool ReportLayout::isBandElement(const TOddilSestavy &section, const TRastelReportElement &element)
{
    return isVariableText(element) || (section.id == TOddilSestavy::Body && element.kind == ElementKind::Detail);
}

std::vector<ReportLayout::Band> ReportLayout::buildBands(const TOddilSestavy &section) const
{
    std::map<int, Band> byTop; // one band per top, in the order of their tops
    for (int i = 0; i < section.count(); ++i) {
        const TRastelReportElement &element = section.at(i);
        if (!isBandElement(section, element))
            continue;
        Band &band = byTop.try_emplace(element.top, Band{element.top, element.top, {}}).first->second;
        band.bottom = std::max(band.bottom, element.top + element.height);
        band.elements.push_back(&element);
    }
    std::vector<Band> bands;
    bands.reserve(byTop.size());
    for (auto &entry : byTop)
        bands.push_back(std::move(entry.second));
    return bands;
}

namespace {

// The section's elements of fixed size by their tops, so that each slice
// between bands finds its own without a pass over the whole section.
class FixedElements
{
public:
    FixedElements(const TOddilSestavy &section, const std::function<bool(const TRastelReportElement &)> &inBand)
    {
        for (int i = 0; i < section.count(); ++i) {
            if (!inBand(section.at(i)))
                m_byTop.emplace_back(section.at(i).top, i);
        }
        std::stable_sort(m_byTop.begin(), m_byTop.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
    }

    // The indexes of the elements whose top lies in [start, end) (or from
    // `start` on for the last slice), in section order.
    std::vector<int> inSlice(int start, int end, bool last) const
    {
        const auto byTop = [](const std::pair<int, int> &entry, int top) { return entry.first < top; };
        const auto from = std::lower_bound(m_byTop.cbegin(), m_byTop.cend(), start, byTop);
        const auto to = last ? m_byTop.cend() : std::lower_bound(from, m_byTop.cend(), std::max(start, end), byTop);
        std::vector<int> indexes;
        indexes.reserve(size_t(to - from));
        for (auto it = from; it != to; ++it)
            indexes.push_back(it->second);
        std::sort(indexes.begin(), indexes.end());
        return indexes;
    }

private:
    std::vector<std::pair<int, int>> m_byTop; // top, index in the section
};

} // namespace

void ReportLayout::layoutBands(const TOddilSestavy &section, std::vector<Band> &bands, int &origin)
{
    const int bandCount = int(bands.size());
    const FixedElements fixed(section, [&](const TRastelReportElement &e) { return isBandElement(section, e); });
    for (int r = 0; r <= bandCount && !m_stopped && !m_interrupted; ++r) {
        const int sliceStart = r == 0 ? 0 : bands.at(size_t(r - 1)).bottom;
        const int sliceEnd = r < bandCount ? bands.at(size_t(r)).bottom : section.height;
        // A slice that does not fit starts right below the next page's header.
        if (r > 0 && origin + sliceEnd > m_out.pageBottom - pageFooterHeight()) {
            pageBreak(false);
            if (m_stopped)
                return;
            origin = m_out.linePosition - sliceStart;
        }
        for (const int i : fixed.inSlice(sliceStart, sliceEnd, r == bandCount))
            placeElement(section.at(i), section.id, origin + section.at(i).top);
        if (r == bandCount)
            break;
        const Band &band = bands.at(size_t(r));
        Place furthest{m_out.currentPage, origin + band.top};
        for (const TRastelReportElement *element : band.elements) {
            const Place end = element->kind == ElementKind::Detail
                                  ? layoutDetail(*element, origin + element->top)
                                  : wrapText(*element, section.id, origin + element->top);
            if (end.page > furthest.page || (end.page == furthest.page && end.position > furthest.position))
                furthest = end;
        }
        while (m_out.currentPage < furthest.page && !m_stopped)
            pageBreak(false);
        if (m_stopped)
            return;
        m_out.linePosition = furthest.position;
        origin = furthest.position - band.bottom;
    }
}

void ReportLayout::advance(const TOddilSestavy &section, int origin)
{
    if (section.id == TOddilSestavy::Body && columns() > 1) {
        if (m_column < columns()) {
            ++m_column;
            m_columnOffset += (m_page.contentWidth() + m_model.settings().columnGap) / columns();
            return;
        }
        m_column = 1;
        m_columnOffset = 0;
        m_out.linePosition += section.height;
    } else {
        m_out.linePosition = origin + section.height;
    }
    const ReportOptions &settings = m_model.settings();
    if (settings.isCharacterMode() && settings.gridY > 0) {
        // Whole text rows; rounded up, so that no section overlaps the row before.
        const int rows = (m_out.linePosition + settings.gridY - 1) / settings.gridY;
        m_out.linePosition = rows * settings.gridY;
    }
}

// ---------------------------------------------------------------- elements

ReportLayout::ElementCache &ReportLayout::cacheFor(const TRastelReportElement &element)
{
    auto &slot = m_root->m_cache[&element];
    if (!slot) {
        slot = std::make_unique<ElementCache>();
        slot->report = &m_report;
        slot->style = ItemStyle::of(element);
    }
    return *slot;
}

void ReportLayout::placeAll(const TOddilSestavy &section, int origin)
{
    for (int i = 0; i < section.count(); ++i)
        placeElement(section.at(i), section.id, origin + section.at(i).top);
}

void ReportLayout::placeElement(const TRastelReportElement &element, int sectionId, int top)
{
    const int kind = element.kind;
    if (!ElementKind::isText(kind) && !ElementKind::isGraphic(kind))
        return; // details are laid out in their bands; unknown kinds print nothing
    ElementCache &cache = cacheFor(element);
    TVystPrvek item;
    item.element = &element;
    item.style = cache.style;
    item.sectionId = sectionId;
    item.left = m_left + m_columnOffset + element.left;
    item.top = top;
    item.width = element.width;
    item.height = element.height;

    if (ElementKind::isText(kind)) {
        if (kind == ElementKind::Field && !element.picture.isNull()) {
            item.picture = element.picture; // a picture field
        } else {
            item.text = m_report.elementText(element);
            item.pageCount = kind == ElementKind::SystemVariable && element.reference == SystemVariable::PageCount;
            if (element.textFlags & (TRastelReportElement::MultiLine | TRastelReportElement::VariableHeight)) {
                // Without room to grow, only the lines that fit in its height (at least one).
                if (!cache.flow)
                    cache.flow = std::make_unique<TextFlow>(element.font, element.spacing);
                auto lines = std::make_shared<TextLines>(cache.flow->flow(item.text, element.width));
                int last = 0;
                double height = lines->count() > 0 ? lines->lines.front().height : 0;
                while (last + 1 < lines->count() && height + lines->lines.at(size_t(last + 1)).height <= element.height)
                    height += lines->lines.at(size_t(++last)).height;
                item.firstLine = 0;
                item.lastLine = lines->count() > 0 ? last : -1;
                item.lines = std::move(lines);
            }
        }
    } else if (kind == ElementKind::Picture) {
        item.pictureFile = element.pictureFile;
        if (element.optionFlags & TRastelReportElement::PictureChanges)
            item.picture = element.picture;
    } else if (kind == ElementKind::Barcode) {
        const CalcResult result = evaluateExpression(element.text);
        item.text = result.error == 0 ? result.value.text : QString();
    } else if (kind == ElementKind::PaintBox) {
        if (m_report.OnPaintBox) {
            const int scale = std::clamp(element.fillStyle, 1, 6);
            QImage picture(std::max(1, element.width * scale), std::max(1, element.height * scale),
                           QImage::Format_ARGB32_Premultiplied);
            picture.setDotsPerMeterX(3937 * scale);
            picture.setDotsPerMeterY(3937 * scale);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            m_report.OnPaintBox(&m_report, element.reference, picture.width(), picture.height(), &painter);
            painter.end();
            item.picture = std::move(picture);
        }
    }
    page(m_out.currentPage).add(std::move(item));
}

ReportLayout::Place ReportLayout::wrapText(const TRastelReportElement &element, int sectionId, int top)
{
    ElementCache &cache = cacheFor(element);
    if (!cache.flow)
        cache.flow = std::make_unique<TextFlow>(element.font, element.spacing);
    const QString text = m_report.elementText(element);
    const auto lines = std::make_shared<const TextLines>(cache.flow->flow(text, element.width));
    const int limit = m_out.pageBottom - pageFooterHeight();
    const int needed = ceilUnits(lines->height());

    TVystPrvek item;
    item.element = &element;
    item.style = cache.style;
    item.sectionId = sectionId;
    item.left = m_left + m_columnOffset + element.left;
    item.width = element.width;
    item.text = text;
    item.lines = lines;
    item.pageCount = element.kind == ElementKind::SystemVariable && element.reference == SystemVariable::PageCount;

    if (needed <= element.height || top + needed <= limit) {
        item.top = top;
        item.height = std::max(element.height, needed);
        item.firstLine = 0;
        item.lastLine = lines->count() - 1;
        const int bottom = top + item.height;
        page(m_out.currentPage).add(std::move(item));
        return Place{m_out.currentPage, bottom};
    }
    // The lines that fit stay here; the rest continue below the following
    // pages' headers, each page taking as many lines as fit.
    int pageIndex = m_out.currentPage;
    int first = 0;
    for (;;) {
        const int room = limit - top;
        int last = first - 1;
        double height = 0;
        while (last + 1 < lines->count() && height + lines->lines.at(size_t(last + 1)).height <= room)
            height += lines->lines.at(size_t(++last)).height;
        if (last < first && pageIndex > m_out.currentPage) {
            last = first; // a line taller than a page still goes somewhere
            height = lines->lines.at(size_t(first)).height;
        }
        if (last >= first) {
            TVystPrvek part = item;
            part.top = top;
            part.height = ceilUnits(height);
            part.firstLine = first;
            part.lastLine = last;
            page(pageIndex).add(std::move(part));
            if (last == lines->count() - 1)
                return Place{pageIndex, top + ceilUnits(height)};
            first = last + 1;
        }
        ++pageIndex;
        top = pageHeaderHeight();
    }
}

ReportLayout::Place ReportLayout::layoutDetail(const TRastelReportElement &element, int top)
{
    const auto &details = m_report.details();
    if (element.reference < 0 || element.reference >= int(details.size()))
        return Place{m_out.currentPage, top}; // takes no room
    const int savedPage = m_out.currentPage;
    const int savedLine = m_out.linePosition;
    m_out.linePosition = top;
    ReportLayout detail(*details.at(size_t(element.reference)), *this, m_left + m_columnOffset + element.left);
    const Place end = detail.runDetail();
    m_out.currentPage = savedPage;
    m_out.linePosition = savedLine;
    m_report.registerAsResolver();
    return end;
}

ReportLayout::Place ReportLayout::runDetail()
{
    const Place start{m_out.currentPage, m_out.linePosition};
    RecordLoop loop(m_report);
    if (!loop.start())
        return start;
    m_report.registerAsResolver();
    startCounters();
    m_report.refreshValues(TSestavaTyp::Refresh::Start);
    TListOddilu &sections = m_model.sections();
    layoutSection(sections.find(TOddilSestavy::ReportHeader));
    for (int g = 0; g < m_model.groups().count(); ++g)
        layoutSection(m_model.groups().at(g).header);
    for (bool first = true;; first = false) {
        if (!first && !recordStep())
            break;
        if (m_interrupted)
            break;
        layoutSection(sections.find(TOddilSestavy::Body));
        if (!loop.next(m_interrupted))
            break;
    }
    layoutEnd();
    return Place{m_out.currentPage, m_out.linePosition};
}

void ReportLayout::fillPageCount()
{
    const int count = m_out.pageCount();
    m_report.setPageCount(count);
    for (TSestDetail *detail : m_report.details())
        detail->setPageCount(count);
    // Each item's text comes from the report whose model holds its element.
    for (TStranaPrvku &p : m_out.pages) {
        for (TVystPrvek &item : p.items()) {
            if (!item.pageCount || !item.element)
                continue;
            const auto cached = m_cache.find(item.element);
            if (cached != m_cache.end() && cached->second->report)
                item.text = cached->second->report->elementText(*item.element);
        }
    }
}

QString ReportLayout::groupText(int group) const
{
    const TPolSkup &g = m_model.groups().at(group);
    const int index = g.fieldName.isEmpty() ? g.fieldIndex : m_report.findField(g.fieldName);
    return m_report.fieldDisplayText(index);
}

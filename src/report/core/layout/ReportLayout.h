#pragma once

#include "report/core/layout/ReportOutput.h"

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class LayoutProgress;
class ReportModel;
class TOddilSestavy;
class TRastelReportElement;
class TSestava;
class TSestavaD;
class TextFlow;

// Lays a report out into pages of placed items: the sections stacked down
// the page once per record, group headers and footers where the group field
// changes, page headers and footers at every break, variable-height texts
// and detail reports growing and splitting over pages, the page count filled
// in at the end. The sections, groups and settings come from the report's
// model; the report answers the data, the expressions, the counters and the
// events. The page geometry and the printer facts come in as values.
class ReportLayout
{
public:
    ReportLayout(TSestavaD &report, TSestVystup &output, const LayoutPage &page, LayoutProgress *progress = nullptr);
    ~ReportLayout();
    ReportLayout(const ReportLayout &) = delete;
    ReportLayout &operator=(const ReportLayout &) = delete;

    // The run: 0, or 3 when the user interrupted (the pages built so far stay).
    int run();

    // Preparing a run of a main report: the data check, the fields, the
    // template, then the layout into the report's output. Without a page the
    // page setup the template loaded and the selected printer's facts are
    // taken. A TSestError code.
    static int prepare(TSestava &report, LayoutProgress *progress = nullptr,
                       const std::optional<LayoutPage> &page = std::nullopt);

    static QString progressText(int record);

private:
    struct Place
    {
        int page = 0;
        int position = 0;
    };
    struct Band
    {
        int top = 0;
        int bottom = 0;
        std::vector<const TRastelReportElement *> elements;
    };
    struct ElementCache;
    // A variable-height text, or a detail report in the body: laid out in a band of its top.
    static bool isBandElement(const TOddilSestavy &section, const TRastelReportElement &element);

    // A detail report laid out inside an element of its master.
    ReportLayout(TSestavaD &detail, ReportLayout &master, int left);
    Place runDetail();

    void startCounters();
    void layoutSection(TOddilSestavy *section);
    void layoutBands(const TOddilSestavy &section, std::vector<Band> &bands, int &origin);
    std::vector<Band> buildBands(const TOddilSestavy &section) const;
    void placeAll(const TOddilSestavy &section, int origin);
    void placeElement(const TRastelReportElement &element, int sectionId, int top);
    Place wrapText(const TRastelReportElement &element, int sectionId, int top);
    Place layoutDetail(const TRastelReportElement &element, int top);
    void advance(const TOddilSestavy &section, int origin);

    bool recordStep();
    void pageBreak(bool fromRecordStep);
    // The first half of a break: the footer, the page number, the next page.
    void leavePage(bool fromRecordStep);
    void placePageFooter();
    void finishColumns();
    void layoutEnd();
    void fillPageCount();
    bool poll();

    bool fits(int height, int extra = 0) const;
    int sectionHeight(int sectionId) const;
    int pageHeaderHeight() const;
    int pageFooterHeight() const;
    int columns() const;
    QString groupText(int group) const;
    ElementCache &cacheFor(const TRastelReportElement &element);
    TStranaPrvku &page(int index) { return m_out.pageAt(index); }

    TSestavaD &m_report;
    ReportModel &m_model; // the report's
    TSestVystup &m_out;
    LayoutPage m_page;
    LayoutProgress *m_progress;
    ReportLayout *m_master = nullptr;
    ReportLayout *m_root = this;
    int m_left = 0; // a detail's horizontal offset
    int m_column = 1;
    int m_columnOffset = 0;
    bool m_stopped = false;     // the last page was passed
    bool m_interrupted = false; // "Přerušit"
    std::unordered_map<const TRastelReportElement *, std::unique_ptr<ElementCache>> m_cache;
};

#include "report/core/designer/DesignerRun.h"

#include "report/core/Report.h"
#include "report/core/designer/DesignerDocument.h"
#include "report/core/model/PageSetup.h"

#include <utility>

namespace {

// What a run changes on the report, taken before and put back afterwards
// (also when the run throws).
class SavedReport
{
public:
    explicit SavedReport(TSestava &report)
        : m_report(report), m_lines(report.predloha()), m_stored(report.isStored()),
          m_load(std::move(report.OnNactiPredlohu)), m_output(std::exchange(report.output(), TSestVystup())),
          m_timestamp(report.printTimestamp()), m_row(report.rowNumber()), m_page(report.pageNumber()),
          m_pageCount(report.pageCount()), m_pageSetup(pageSetup())
    {
        report.OnNactiPredlohu = nullptr;
    }
    ~SavedReport()
    {
        // Reading the template back loads its header's page setup; the
        // designer's copy (maybe with another paper) is what is shown again.
        m_report.setPredloha(m_lines);
        pageSetup() = m_pageSetup;
        m_report.setIsStored(m_stored);
        m_report.OnNactiPredlohu = std::move(m_load);
        m_report.output() = std::move(m_output);
        m_report.setPrintTimestamp(m_timestamp);
        m_report.setRowNumber(m_row);
        m_report.setPageNumber(m_page);
        m_report.setPageCount(m_pageCount);
    }
    SavedReport(const SavedReport &) = delete;
    SavedReport &operator=(const SavedReport &) = delete;

private:
    TSestava &m_report;
    TPredloha m_lines;
    bool m_stored;
    std::function<bool(TSestavaTyp *)> m_load;
    TSestVystup m_output;
    DayNumber m_timestamp;
    int m_row;
    int m_page;
    int m_pageCount;
    PageSetup m_pageSetup;
};

} // namespace

int DesignerRun::run(DesignerDocument &editor, const std::function<int(TSestava &report)> &body)
{
    TSestava &report = editor.report();
    SavedReport saved(report);
    // The run loads the template again: from Predloha, which holds the copy,
    // and never from the file or the application's handler, which hold what
    // was saved.
    report.setIsStored(true);
    editor.apply();
    return body ? body(report) : int(seOK);
}

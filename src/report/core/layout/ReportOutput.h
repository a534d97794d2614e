#pragma once

#include "report/core/layout/TextFlow.h"
#include "report/core/model/PageSetup.h"
#include "report/core/model/ReportResult.h"
#include "report/core/output/Printers.h"
#include "report/core/template/ReportFonts.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class TRastelReportElement;

// How an element draws, taken from the element once per run and shared by
// every item placed from it: the back-ends need nothing else of the model.
struct ItemStyle
{
    int kind = 0;
    int reference = 0;
    FontDef font;
    int alignment = 0; // 0 left, 1 right, 2 centre, 3 justified
    int textFlags = 0;
    int optionFlags = 0; // frame lines, picture and barcode options, kind 7's lines
    QColor penColour;
    int penStyle = 0; // barcode: the barcode type
    int penWidth = 1; // barcode: the bar width code
    QColor fillColour;
    int fillStyle = 0;
    int spacing = 0; // "Rozteč znaků", 0 natural
    int angle = 0;

    static std::shared_ptr<const ItemStyle> of(const TRastelReportElement &element);
};

// One placed item: an element at its final place on a page with its text
// fixed when it was placed. Plain value; positions in hundredths of an inch
// from the top-left corner of the printable area.
struct TVystPrvek
{
    const TRastelReportElement *element = nullptr; // the element it comes from (valid while the model stands)
    std::shared_ptr<const ItemStyle> style;
    int sectionId = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int order = 0; // order number within the page

    QString text; // the display text (kinds 1-6), the barcode's value (12)
    // Wrapped texts: the lines of the whole text and the range shown here
    // (from firstLine to lastLine inclusive). Null for a text drawn as one
    // line (the back-ends then apply the text-flow rule for single lines).
    std::shared_ptr<const TextLines> lines;
    int firstLine = 0;
    int lastLine = -1;

    QImage picture;         // picture fields, changing pictures (0x40), paint boxes
    QString pictureFile;    // picture elements: the file their picture came from
    bool pageCount = false; // system variable 4, filled in when the layout ends

    bool hasLines() const { return lines != nullptr; }
    int kind() const { return style ? style->kind : 0; }
    QRect rect() const { return QRect(left, top, width, height); }
};

// The placed items of one page, in drawing order.
class TStranaPrvku
{
public:
    // Adds the item before the first item that does not rank before it:
    // graphics under texts, texts by their flags, equal ranks newest first.
    // Items of one rank share the order number the first of them was given.
    void add(TVystPrvek item);
    const std::vector<TVystPrvek> &items() const;
    std::vector<TVystPrvek> &items();
    int count() const { return int(m_items.size() + m_added.size()); }

    // Whether `a` is drawn before (under) `b`.
    static bool ranksBefore(const TVystPrvek &a, const TVystPrvek &b);

private:
    // The drawing rank as a value: graphics (first) before texts, then the
    // graphic's place or the text's flags.
    using Rank = std::pair<bool, int>;
    static Rank rankOf(const TVystPrvek &item);
    void putInDrawingOrder() const;

    // A page of many items inserted in place was quadratic; new items are
    // appended and put in drawing order when the page is read.
    mutable std::vector<TVystPrvek> m_items;        // in drawing order
    mutable std::vector<TVystPrvek> m_added;        // added since the page was last read
    std::vector<std::pair<Rank, int>> m_rankOrders; // order number per rank seen
    int m_nextOrder = 0;
};

// The page geometry and printer facts a layout works with, as values.
struct LayoutPage
{
    PageSetup setup;
    PrinterFacts printer;

    int paperWidth() const;  // orientation applied
    int paperHeight() const; // orientation applied
    int contentWidth() const { return paperWidth() - setup.leftMargin - setup.rightMargin; }
    int contentHeight() const { return paperHeight() - setup.topMargin - setup.bottomMargin; }

    // The process-wide page setup and the selected printer's facts.
    static LayoutPage current();
};

// The laid-out report: its pages and what the back-ends need besides them.
// Rebuilt by every run; the preview and the back-ends read it afterwards.
struct TSestVystup
{
    std::vector<TStranaPrvku> pages; // created on demand up to the highest page used
    LayoutPage page;

    // The run's state while it lays out.
    int linePosition = 0;
    // Pages the section being laid out has run over. This layout moves the
    // current page as soon as a section runs over one, so it is always 0
    // between sections; kept for the back-ends' and the preview's view.
    int pageOffset = 0;
    int column = 1;
    int columnOffset = 0;
    int pageBottom = 0;
    int currentPage = 0;

    // The print range.
    int firstPage = 1;
    int lastPage = 9999;
    int copies = 1;
    TSestLanguage codePage = slUndefined;
    QString backgroundFile;
    QImage background;
    QRect backgroundRect;
    bool characterMode = false;

    int pageCount() const { return int(pages.size()); }
    // The page of that index, created (with the ones before it) when missing.
    TStranaPrvku &pageAt(int index);
    void clear();
};

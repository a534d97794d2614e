#pragma once

#include <QSize>
#include <QString>

#include <array>

// What the preview window shows, without widgets: the pages, the range the
// user pages through, the current page and the zoom.
class PreviewState
{
public:
    static constexpr std::array<int, 11> Zooms{32, 40, 50, 64, 75, 83, 100, 120, 150, 200, 300};

    // The output's pages and its print range (StartPage, EndPage); the range
    // is clamped to the pages there are and the first page of it is shown.
    void setPages(int pageCount, int startPage, int endPage);

    int pageCount() const { return m_pageCount; }
    int firstPage() const { return m_first; } // 0 when there is no page
    int lastPage() const { return m_last; }
    int currentPage() const { return m_current; }

    // Moves within the range; each is possible only when it changes the page.
    bool canGoFirst() const { return m_current > m_first; }
    bool canGoPrevious() const { return m_current > m_first; }
    bool canGoNext() const { return m_current < m_last; }
    bool canGoLast() const { return m_current < m_last; }
    void goFirst();
    void goPrevious();
    void goNext();
    void goLast();

    // "Zobrazit stránku ...": the proposal is the range's first page; an
    // answer that is not a number keeps it; the number is clamped to
    // 1 … page count (not to the range: any laid-out page may be shown).
    QString pageProposal() const { return QString::number(m_first); }
    int pageOfAnswer(const QString &answer) const;
    // Shows the page, clamped to 1 … page count.
    void showPage(int page);

    int zoom() const { return m_zoom; }
    // Only the listed zooms are taken; false for any other value.
    bool setZoom(int zoom);
    static bool isZoom(int zoom);
    // The size in screen pixels of a length in units (at 100 % one unit is one pixel).
    int scaled(int units) const;
    // The paper's panel: paper width and height × zoom.
    QSize paperSize(int paperWidth, int paperHeight) const { return QSize(scaled(paperWidth), scaled(paperHeight)); }

private:
    int clampToPages(int page) const;

    int m_pageCount = 0;
    int m_first = 0;
    int m_last = 0;
    int m_current = 0;
    int m_zoom = 100;
};

#include "report/core/output/PrintSheets.h"

#include <QPoint>

#include <algorithm>

PrintSheets::PrintSheets(QSize paper, QSize printerPage, const PrinterMargins &margins)
    : m_paper(paper), m_rawPage(printerPage), m_margins(margins)
{
    recompute();
}

bool PrintSheets::needsOptions(QSize paper, QSize printerPage)
{
    // In whole units: page < 99 % of paper  <=>  page x 100 < paper x 99.
    return qint64(printerPage.width()) * 100 < qint64(paper.width()) * 99 ||
           qint64(printerPage.height()) * 100 < qint64(paper.height()) * 99;
}

QSize PrintSheets::pageInUnits(int widthPixels, int heightPixels, int resolutionX, int resolutionY)
{
    const auto units = [](int pixels, int resolution) {
        return resolution > 0 ? int(qint64(pixels) * 100 / resolution) : pixels;
    };
    return QSize(units(widthPixels, resolutionX), units(heightPixels, resolutionY));
}

void PrintSheets::setOption(Option option)
{
    m_option = option;
    recompute();
}

void PrintSheets::setRotated(bool rotated)
{
    m_rotated = rotated;
    recompute();
}

void PrintSheets::setPrinterPage(QSize printerPage)
{
    m_rawPage = printerPage;
    recompute();
}

int PrintSheets::sheetsAlong(int paper, int page, int marginSum)
{
    // The page is at least the margins plus one, so every further sheet
    // covers at least one unit and the loop ends.
    const int step = std::max(1, page - marginSum);
    int sheets = 1;
    qint64 covered = page;
    while (qint64(paper - covered) * 100 > page) {
        ++sheets;
        covered += step;
    }
    return sheets;
}

void PrintSheets::recompute()
{
    QSize page = m_rotated ? m_rawPage.transposed() : m_rawPage;
    const int marginsX = m_margins.left + m_margins.right;
    const int marginsY = m_margins.top + m_margins.bottom;
    m_zoom = 100;
    m_across = 1;
    m_down = 1;
    if (m_option == Scale && m_paper.width() > 0 && m_paper.height() > 0) {
        // Whole percent, rounded down; between 1 (something still prints) and
        // 100: the option reduces, it never enlarges a page that fits.
        const qint64 zoomX = qint64(std::max(page.width(), 0)) * 100 / m_paper.width();
        const qint64 zoomY = qint64(std::max(page.height(), 0)) * 100 / m_paper.height();
        m_zoom = int(std::clamp<qint64>(std::min(zoomX, zoomY), 1, 100));
    }
    page.setWidth(std::max(page.width(), marginsX * m_zoom / 100 + 1));
    page.setHeight(std::max(page.height(), marginsY * m_zoom / 100 + 1));
    m_page = page;
    if (m_option == MultipleSheets) {
        m_across = sheetsAlong(m_paper.width(), page.width(), marginsX);
        m_down = sheetsAlong(m_paper.height(), page.height(), marginsY);
    }
}

QPoint PrintSheets::sheetOffset(int row, int column) const
{
    return QPoint(column * (m_page.width() - m_margins.left - m_margins.right),
                  row * (m_page.height() - m_margins.top - m_margins.bottom));
}

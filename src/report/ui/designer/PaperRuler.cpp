#include "report/ui/designer/PaperRuler.h"

#include "report/core/designer/DesignerDocument.h"
#include "report/ui/designer/DesignerPaper.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The caption strips' colour on the paper, so that the vertical ruler's
// plain strip lines up with what it stands beside.
const QColor CaptionColour(0xD4, 0xD0, 0xC8);
const QColor MarkColour(0xC8, 0xDC, 0xF4);

int tickLength(PaperRuler::Tick::Kind kind)
{
    switch (kind) {
    case PaperRuler::Tick::Centimetre:
        return 12;
    case PaperRuler::Tick::HalfCentimetre:
        return 8;
    case PaperRuler::Tick::Millimetre:
        break;
    }
    return 4;
}

} // namespace

QList<PaperRuler::Tick> PaperRuler::ticks(double pixelsPerUnit, int offsetPixels, int lengthPixels)
{
    QList<Tick> result;
    if (pixelsPerUnit <= 0 || lengthPixels <= 0)
        return result;
    const double millimetre = UnitsPerMm * pixelsPerUnit;
    const bool millimetres = millimetre >= MinTickDistance;
    const bool halves = 5 * millimetre >= MinTickDistance;
    // Each tick from its own distance to the zero, so that rounding never adds up along the ruler.
    for (int n = 0;; ++n) {
        const int distance = int(std::lround(n * millimetre));
        // Only on the stretch's own pixels: the row after a band's body is the next caption strip.
        if (distance >= lengthPixels)
            break;
        Tick::Kind kind = Tick::Millimetre;
        if (n % 10 == 0)
            kind = Tick::Centimetre;
        else if (n % 5 == 0)
            kind = Tick::HalfCentimetre;
        if ((kind == Tick::Millimetre && !millimetres) || (kind == Tick::HalfCentimetre && !halves))
            continue;
        result.append(Tick{offsetPixels + distance, n, kind});
    }
    return result;
}

PaperRuler::PaperRuler(Qt::Orientation orientation, const DesignerPaper &canvas, const DesignerDocument &editor,
                       QWidget *parent)
    : QWidget(parent), m_orientation(orientation), m_canvas(canvas), m_editor(editor)
{
    setObjectName(orientation == Qt::Horizontal ? u"RulerVodorovne"_s : u"RulerSvisle"_s);
    if (orientation == Qt::Horizontal)
        setFixedHeight(Thickness);
    else
        setFixedWidth(Thickness);
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
}

int PaperRuler::along(QPoint canvasPixel) const
{
    // Through the screen, so that the scrolled position, the scroll area's
    // frame and wherever the layout put the ruler all count.
    const QPoint here = mapFromGlobal(m_canvas.mapToGlobal(canvasPixel));
    return m_orientation == Qt::Horizontal ? here.x() : here.y();
}

void PaperRuler::refresh()
{
    m_ticks.clear();
    m_paper.clear();
    m_captions.clear();
    m_marked.reset();
    const double scale = m_canvas.scale();
    const QList<DesignerPaper::BandGeometry> bands = m_canvas.layout();
    if (m_orientation == Qt::Horizontal) {
        // Every band has the same left edge and width: the ruler measures from there.
        if (!bands.isEmpty()) {
            const QRect body = bands.first().body;
            const int from = along(body.topLeft());
            m_paper.append({from, from + body.width() - 1});
            m_ticks = ticks(scale, from, body.width());
        }
    } else {
        for (const DesignerPaper::BandGeometry &g : bands) {
            m_captions.append({along(g.caption.topLeft()), along(g.caption.bottomLeft())});
            const int from = along(g.body.topLeft());
            m_paper.append({from, from + g.body.height() - 1});
            m_ticks.append(ticks(scale, from, g.body.height()));
        }
    }
    // The paper shows an element only inside its band's body: so does the shading.
    const TRastelReportElement *focused = m_editor.focused();
    const int section = focused ? m_editor.sectionOf(focused) : -1;
    for (const DesignerPaper::BandGeometry &g : bands) {
        if (!focused || g.band.sectionId != section)
            continue;
        const QRect box = m_canvas.elementRect(focused).intersected(g.body);
        if (!box.isEmpty())
            m_marked = {along(box.topLeft()), along(box.bottomRight())};
    }
    update();
}

void PaperRuler::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void PaperRuler::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    refresh();
}

void PaperRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool horizontal = m_orientation == Qt::Horizontal;
    const auto stretch = [&](QPair<int, int> s) {
        return horizontal ? QRect(s.first, 0, s.second - s.first + 1, height())
                          : QRect(0, s.first, width(), s.second - s.first + 1);
    };
    p.fillRect(rect(), palette().color(QPalette::Dark));
    for (const QPair<int, int> &s : m_captions)
        p.fillRect(stretch(s), CaptionColour);
    for (const QPair<int, int> &s : m_paper)
        p.fillRect(stretch(s), Qt::white);
    if (m_marked)
        p.fillRect(stretch(*m_marked), MarkColour);

    p.setPen(Qt::black);
    const QFontMetrics metrics = fontMetrics();
    // A number is left out where it would run into the one before (a narrow zoom).
    int labelEnd = INT_MIN;
    for (const Tick &tick : m_ticks) {
        const int length = tickLength(tick.kind);
        if (horizontal)
            p.drawLine(tick.position, height() - length, tick.position, height() - 1);
        else
            p.drawLine(width() - length, tick.position, width() - 1, tick.position);
        if (tick.kind != Tick::Centimetre)
            continue;
        const QString label = QString::number(tick.millimetres / 10);
        const int start = tick.position + 2;
        const int end = start + (horizontal ? metrics.horizontalAdvance(label) : metrics.height()) - 1;
        // Nor where it would run off its band (onto the next caption strip).
        const auto own = std::find_if(m_paper.cbegin(), m_paper.cend(), [&tick](const QPair<int, int> &s) {
            return tick.position >= s.first && tick.position <= s.second;
        });
        if (start <= labelEnd || own == m_paper.cend() || end > own->second)
            continue;
        if (horizontal)
            p.drawText(QPoint(start, metrics.ascent() + 1), label);
        else
            p.drawText(QPoint(1, start + metrics.ascent()), label);
        labelEnd = end + 2;
    }
}

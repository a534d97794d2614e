#include "report/ui/designer/DesignerPaper.h"

#include "report/core/layout/TextFlow.h"
#include "report/core/model/ReportSections.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Pixels around the paper and the height of a band's caption strip; neither
// follows the zoom, so that the captions stay readable at 32 %.
constexpr int Margin = 10;
constexpr int CaptionHeight = 16;
constexpr int HandleSize = 6;
// Pixels above and below a band's lower edge that grip it for a drag of its
// height: the last few rows of the body and the first of what lies under it
// (the next caption strip or the margin, where no element is).
constexpr int EdgeGrip = 3;

} // namespace

DesignerPaper::DesignerPaper(DesignerDocument &editor, QWidget *parent)
    : QWidget(parent), m_editor(editor), m_zoom(DesignerSettings::zoomPercent(editor.environment().boundedZoomIndex()))
{
    setObjectName(u"PaintBoxPapir"_s);
    setFocusPolicy(Qt::StrongFocus);
    // Tracking shows the height cursor over a band's lower edge.
    setMouseTracking(true);
    refresh();
}

QList<DesignerPaper::BandGeometry> DesignerPaper::layout() const
{
    QList<BandGeometry> result;
    const int width = int(std::lround(m_editor.bandWidth() * scale()));
    int y = Margin;
    for (const DesignerBand &band : m_editor.bands()) {
        if (!band.visible)
            continue;
        BandGeometry g;
        g.band = band;
        g.caption = QRect(Margin, y, width, CaptionHeight);
        y += CaptionHeight;
        g.body = QRect(Margin, y, width, int(std::lround(band.height * scale())));
        y += g.body.height();
        result.append(g);
    }
    return result;
}

QRect DesignerPaper::boxIn(const BandGeometry &g, const TRastelReportElement *element) const
{
    const double s = scale();
    return QRect(g.body.left() + int(std::lround(element->left * s)), g.body.top() + int(std::lround(element->top * s)),
                 std::max(1, int(std::lround(element->width * s))), std::max(1, int(std::lround(element->height * s))));
}

QRect DesignerPaper::elementRect(const TRastelReportElement *element) const
{
    const int section = m_editor.sectionOf(element);
    for (const BandGeometry &g : layout()) {
        if (g.band.sectionId == section)
            return boxIn(g, element);
    }
    return {};
}

std::optional<std::pair<int, QPoint>> DesignerPaper::bandPoint(QPoint pixel) const
{
    for (const BandGeometry &g : layout()) {
        if (g.body.contains(pixel)) {
            const QPoint offset = pixel - g.body.topLeft();
            return std::pair{g.band.sectionId,
                             QPoint(int(std::floor(offset.x() / scale())), int(std::floor(offset.y() / scale())))};
        }
    }
    return std::nullopt;
}

std::pair<int, QPoint> DesignerPaper::pastePoint() const
{
    if (m_lastPoint)
        return *m_lastPoint;
    const QList<BandGeometry> bands = layout();
    return {bands.isEmpty() ? int(TOddilSestavy::Body) : bands.first().band.sectionId, QPoint()};
}

std::optional<int> DesignerPaper::bandEdgeAt(QPoint pixel) const
{
    for (const BandGeometry &g : layout()) {
        const int edge = g.body.top() + g.body.height(); // the first row under the body
        if (pixel.x() >= g.body.left() && pixel.x() <= g.body.right() && pixel.y() >= edge - EdgeGrip &&
            pixel.y() < edge + EdgeGrip)
            return g.band.sectionId;
    }
    return std::nullopt;
}

void DesignerPaper::setTool(std::optional<DesignerTool> tool)
{
    m_tool = tool;
}

void DesignerPaper::setZoom(int percent)
{
    if (percent <= 0 || percent == m_zoom)
        return;
    m_zoom = percent;
    refresh();
}

void DesignerPaper::refresh()
{
    const QList<BandGeometry> bands = layout();
    const int bottom = bands.isEmpty() ? Margin : bands.last().body.bottom() + 1;
    setFixedSize(int(std::lround(m_editor.bandWidth() * scale())) + 2 * Margin, bottom + Margin);
    update();
}

QString DesignerPaper::elementText(const TRastelReportElement &element) const
{
    const TSestava &model = m_editor.model();
    switch (element.kind) {
    case ElementKind::GraphicText:
        return element.text;
    case ElementKind::Field: {
        // The field's name, or its label where the environment asks for labels.
        QString label = model.fieldLabel(element.reference);
        if (m_editor.environment().labelsForNames && !label.isEmpty())
            return label;
        const QString name = model.fieldNames().value(element.reference, element.referenceName);
        return name.isEmpty() ? ElementKind::designerName(element.kind) : name;
    }
    case ElementKind::SystemVariable:
        // A format ("strana %d", "dd.mm.yyyy") tells the author more than
        // the variable's name, and fits the box the author sized for it.
        return element.text.isEmpty() ? SystemVariable::caption(element.reference) : element.text;
    case ElementKind::UserFunction:
        // A function has no value while the template is edited: its name
        // tells the author which one the element shows.
        if (element.reference >= 0 && element.reference < model.functions().count())
            return model.functions().at(element.reference).name;
        break;
    default:
        break;
    }
    const QString shown = ElementKind::isText(element.kind) ? model.elementText(element) : QString();
    return shown.isEmpty() ? ElementKind::designerName(element.kind) : shown;
}

void DesignerPaper::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    const double s = scale();
    const QSize grid = m_editor.gridStep();
    for (const BandGeometry &g : layout()) {
        p.fillRect(g.caption, QColor(0xD4, 0xD0, 0xC8));
        p.setPen(Qt::black);
        p.setFont(font());
        p.drawText(g.caption.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   u"%1 (%2)"_s.arg(g.band.caption).arg(g.band.height));
        p.fillRect(g.body, Qt::white);
        if (m_editor.environment().showGrid && grid.width() > 0 && grid.height() > 0 && grid.width() * s >= 3 &&
            grid.height() * s >= 3) {
            p.setPen(Qt::gray);
            for (int y = 0; y < g.band.height; y += grid.height())
                for (int x = 0; x < m_editor.bandWidth(); x += grid.width())
                    p.drawPoint(g.body.left() + int(std::lround(x * s)), g.body.top() + int(std::lround(y * s)));
        }
        p.save();
        p.setClipRect(g.body);
        for (const TRastelReportElement *element : m_editor.elements(g.band.sectionId)) {
            const QRect box = boxIn(g, element);
            const QRect shown =
                m_editor.isSelected(element) && m_drag == Drag::Move ? box.translated(m_dragOffset) : box;
            p.setPen(QPen(Qt::darkGray, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            switch (element->kind) {
            case ElementKind::Line:
                p.setPen(QPen(element->penColour, 1));
                p.drawLine(shown.topLeft(), shown.bottomRight());
                break;
            case ElementKind::Ellipse:
                p.setPen(QPen(element->penColour, 1));
                p.drawEllipse(shown);
                break;
            case ElementKind::RoundRectangle:
                p.setPen(QPen(element->penColour, 1));
                p.drawRoundedRect(shown, 4, 4);
                break;
            case ElementKind::Rectangle:
                p.setPen(QPen(element->penColour, 1));
                p.drawRect(shown);
                break;
            default:
                p.drawRect(shown);
                break;
            }
            // The text in the element's own font, scaled with the paper and clipped to its box.
            const QString text = elementText(*element);
            if (!text.isEmpty() && element->kind != ElementKind::Line && element->kind != ElementKind::Rectangle &&
                element->kind != ElementKind::RoundRectangle && element->kind != ElementKind::Ellipse) {
                QFont f = TextFlow::canvasFont(element->font);
                f.setPointSizeF(f.pointSizeF() * s * 100.0 / std::max(1, logicalDpiY()));
                p.save();
                p.setClipRect(shown.intersected(g.body));
                p.setFont(f);
                p.setPen(ElementKind::isText(element->kind) ? element->font.colour : QColor(Qt::darkGray));
                int align = Qt::AlignLeft;
                if (element->alignment() == TRastelReportElement::AlignRight)
                    align = Qt::AlignRight;
                else if (element->alignment() == TRastelReportElement::AlignCenter)
                    align = Qt::AlignHCenter;
                const bool multi = element->textFlags & TRastelReportElement::MultiLine;
                p.drawText(shown, align | Qt::AlignTop | (multi ? Qt::TextWordWrap : 0), text);
                p.restore();
            }
            if (m_editor.isSelected(element)) {
                const QColor colour = element == m_editor.focused() ? QColor(Qt::blue) : QColor(Qt::darkBlue);
                p.setPen(QPen(colour, 1));
                p.drawRect(shown.adjusted(0, 0, -1, -1));
                for (const QPoint corner : {shown.topLeft(), shown.topRight(), shown.bottomLeft()})
                    p.fillRect(QRect(corner - QPoint(HandleSize / 2, HandleSize / 2), QSize(HandleSize, HandleSize)),
                               colour);
                p.fillRect(handleRect(shown), colour);
            }
        }
        p.restore();
    }
    if (m_drag == Drag::Resize && m_resized) {
        const QRect box = elementRect(m_resized);
        p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(box.topLeft(), QSize(int(m_resizeTo.width() * s), int(m_resizeTo.height() * s))));
    }
    if (m_drag == Drag::Select && !m_rubberBand.isEmpty()) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(m_rubberBand.adjusted(0, 0, -1, -1));
    }
    if (m_drag == Drag::Height) {
        // Where the band's lower edge lands when the button is let go.
        for (const BandGeometry &g : layout()) {
            if (g.band.sectionId != m_heightSection)
                continue;
            const int y = g.body.top() + int(std::lround(m_heightTo * s));
            p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
            p.drawLine(g.body.left(), y, g.body.right(), y);
            p.drawText(QRect(g.body.left(), y, g.body.width(), CaptionHeight).adjusted(4, 0, -4, 0),
                       Qt::AlignVCenter | Qt::AlignRight, QString::number(m_heightTo));
        }
    }
}

QRect DesignerPaper::handleRect(const QRect &box) const
{
    return QRect(box.bottomRight() - QPoint(HandleSize / 2, HandleSize / 2), QSize(HandleSize, HandleSize));
}

TRastelReportElement *DesignerPaper::elementAt(QPoint pixel) const
{
    const auto at = bandPoint(pixel);
    if (!at)
        return nullptr;
    // The topmost one: later elements are drawn over earlier ones.
    const QList<TRastelReportElement *> elements = m_editor.elements(at->first);
    for (auto it = elements.crbegin(); it != elements.crend(); ++it) {
        if (elementRect(*it).contains(pixel))
            return *it;
    }
    return nullptr;
}

void DesignerPaper::notify()
{
    refresh();
    if (changed)
        changed();
}

void DesignerPaper::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus();
    const QPoint pixel = event->position().toPoint();
    m_pressPixel = pixel;
    const auto at = bandPoint(pixel);
    if (at)
        m_lastPoint = at;
    if (m_tool) {
        // One click inserts one element; the toolbox goes back to selecting.
        if (at) {
            m_editor.insertElement(*m_tool, at->first, m_editor.snap(at->second));
            m_tool.reset();
            setCursor(Qt::ArrowCursor);
            notify();
        }
        return;
    }
    // The bottom-right handle of a selected element resizes it.
    for (TRastelReportElement *element : m_editor.selection()) {
        if (handleRect(elementRect(element)).contains(pixel)) {
            m_drag = Drag::Resize;
            m_resized = element;
            m_resizeTo = QSize(element->width, element->height);
            return;
        }
    }
    // The lower edge of a band drags its height.
    if (const std::optional<int> edge = bandEdgeAt(pixel)) {
        m_drag = Drag::Height;
        m_heightSection = *edge;
        m_heightTo = draggedHeight(pixel);
        update();
        return;
    }
    TRastelReportElement *element = elementAt(pixel);
    const bool add = event->modifiers() & Qt::ShiftModifier;
    if (!element) {
        if (!add)
            m_editor.clearSelection();
        // From an empty spot of a band the mouse draws the rectangle to select with.
        if (at) {
            m_drag = Drag::Select;
            m_rubberBand = QRect();
        }
        notify();
        return;
    }
    // A click on a selected element keeps the selection (to move it all) and focuses it.
    m_editor.select(element, add || m_editor.isSelected(element));
    m_drag = Drag::Move;
    m_dragOffset = QPoint();
    notify();
}

int DesignerPaper::draggedHeight(QPoint pixel) const
{
    int height = 0;
    for (const BandGeometry &g : layout()) {
        if (g.band.sectionId == m_heightSection)
            height = g.band.height;
    }
    // Pressing on the edge without moving changes nothing, even off the grid.
    if (pixel.y() == m_pressPixel.y())
        return height;
    height += int(std::lround((pixel.y() - m_pressPixel.y()) / scale()));
    // The editor's grid and its limit, so that the line drawn is where the band ends.
    return std::max(m_editor.minimumSectionHeight(m_heightSection), m_editor.snap(QPoint(0, height)).y());
}

void DesignerPaper::selectInRubberBand()
{
    // An element is taken when its box meets the rectangle anywhere, not
    // only when the rectangle holds it whole: a long line or a wide text is
    // then caught without dragging across the whole band. Only the part of
    // the box inside its band counts, as only that part is drawn.
    for (const BandGeometry &g : layout()) {
        for (TRastelReportElement *element : m_editor.elements(g.band.sectionId)) {
            if (boxIn(g, element).intersected(g.body).intersects(m_rubberBand))
                m_editor.select(element, true);
        }
    }
}

void DesignerPaper::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pixel = event->position().toPoint();
    if (m_drag == Drag::None) {
        // Over a band's lower edge the cursor tells that it drags the height;
        // a chosen tool keeps its own cursor.
        if (!m_tool)
            setCursor(bandEdgeAt(pixel) ? Qt::SizeVerCursor : Qt::ArrowCursor);
    } else if (m_drag == Drag::Select) {
        // Nothing until the mouse leaves the pixel it was pressed on: a click selects nothing.
        m_rubberBand = pixel == m_pressPixel ? QRect() : QRect(m_pressPixel, pixel).normalized();
        update();
    } else if (m_drag == Drag::Height) {
        m_heightTo = draggedHeight(pixel);
        update();
    } else if (m_drag == Drag::Move) {
        m_dragOffset = pixel - m_pressPixel;
        update();
    } else if (m_drag == Drag::Resize && m_resized) {
        const QRect box = elementRect(m_resized);
        m_resizeTo = QSize(std::max(1, int(std::lround((pixel.x() - box.left()) / scale()))),
                           std::max(1, int(std::lround((pixel.y() - box.top()) / scale()))));
        update();
    }
}

void DesignerPaper::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    mouseMoveEvent(event);
    const Drag drag = std::exchange(m_drag, Drag::None);
    if (drag == Drag::Move) {
        const QPoint offset(int(std::lround(m_dragOffset.x() / scale())), int(std::lround(m_dragOffset.y() / scale())));
        m_dragOffset = QPoint();
        if (!offset.isNull())
            m_editor.moveSelection(offset);
        notify();
    } else if (drag == Drag::Resize && m_resized) {
        m_editor.resizeElement(std::exchange(m_resized, nullptr), m_resizeTo);
        notify();
    } else if (drag == Drag::Select) {
        if (!m_rubberBand.isEmpty())
            selectInRubberBand();
        m_rubberBand = QRect();
        notify();
    } else if (drag == Drag::Height) {
        // One step per drag; the editor keeps the band over its elements.
        m_editor.setSectionHeight(std::exchange(m_heightSection, -1), m_heightTo);
        notify();
    }
}

void DesignerPaper::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click on an element activates it; anywhere else (or with a
    // tool chosen) it counts as a second press.
    TRastelReportElement *element =
        event->button() == Qt::LeftButton && !m_tool ? elementAt(event->position().toPoint()) : nullptr;
    if (!element || !elementActivated) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_drag = Drag::None;
    elementActivated(element);
}

void DesignerPaper::contextMenuEvent(QContextMenuEvent *event)
{
    if (!popup || m_drag != Drag::None)
        return;
    // The menu acts on what is under the mouse: an element outside the
    // selection becomes the selection, and pasting goes where the menu opened.
    const QPoint pixel = event->pos();
    if (const auto at = bandPoint(pixel))
        m_lastPoint = at;
    TRastelReportElement *element = m_tool ? nullptr : elementAt(pixel);
    if (element && !m_editor.isSelected(element))
        m_editor.select(element);
    notify();
    popup->popup(event->globalPos());
}

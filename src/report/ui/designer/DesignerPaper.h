#pragma once

#include "report/core/designer/DesignerDocument.h"

#include <QList>
#include <QRect>
#include <QWidget>

class QMenu;

#include <functional>
#include <optional>

// The designer's paper: the bands stacked under their caption strips, the
// grid, the elements with their texts and the selection's handles, at the
// environment's zoom. The mouse selects (a click, or a rectangle dragged
// from an empty spot), moves and resizes through the editor, and the lower
// edge of a band drags its height; with a tool of the toolbox chosen, a
// click on a band inserts.
class DesignerPaper : public QWidget
{
    Q_OBJECT

public:
    DesignerPaper(DesignerDocument &editor, QWidget *parent = nullptr);

    // The band's drawn parts, in pixels of the canvas.
    struct BandGeometry
    {
        DesignerBand band;
        QRect caption;
        QRect body;
    };
    QList<BandGeometry> layout() const;
    double scale() const { return m_zoom / 100.0; }
    int zoom() const { return m_zoom; }
    // Draws the paper at another zoom (percent); what is selected stays selected.
    void setZoom(int percent);
    // The pixel box of an element of the copy (empty when it is in no band).
    QRect elementRect(const TRastelReportElement *element) const;
    // The band under a pixel and the point in its units; nullopt outside every band.
    std::optional<std::pair<int, QPoint>> bandPoint(QPoint pixel) const;
    // The band and point where pasting puts the clipboard's elements: the
    // last click on a band, the first band's corner before any.
    std::pair<int, QPoint> pastePoint() const;
    // The band whose lower edge is under a pixel (the grip that drags its
    // height); nullopt elsewhere.
    std::optional<int> bandEdgeAt(QPoint pixel) const;

    // The tool of the toolbox that the next click inserts with; none: selecting.
    void setTool(std::optional<DesignerTool> tool);
    std::optional<DesignerTool> tool() const { return m_tool; }
    // Called after every change the canvas makes (the window refreshes its actions).
    std::function<void()> changed;
    // A double click on an element (the window opens its properties).
    std::function<void(TRastelReportElement *)> elementActivated;
    // The pop-up menu of the paper (the window's editing actions); the
    // element under the mouse is selected before it shows.
    QMenu *popup = nullptr;

    // Sizes the widget to the paper and repaints.
    void refresh();
    // The text an element shows on the paper.
    QString elementText(const TRastelReportElement &element) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    enum class Drag { None, Move, Resize, Select, Height };
    // The pixel box of an element in its band's drawn geometry.
    QRect boxIn(const BandGeometry &g, const TRastelReportElement *element) const;
    TRastelReportElement *elementAt(QPoint pixel) const;
    QRect handleRect(const QRect &box) const;
    void notify();
    void selectInRubberBand();
    int draggedHeight(QPoint pixel) const;

    DesignerDocument &m_editor;
    int m_zoom = 100;
    std::optional<DesignerTool> m_tool;
    Drag m_drag = Drag::None;
    QPoint m_pressPixel;
    QPoint m_dragOffset; // pixels, while moving
    TRastelReportElement *m_resized = nullptr;
    QSize m_resizeTo;   // units, while resizing
    QRect m_rubberBand; // pixels, while selecting with a rectangle
    int m_heightSection = -1;
    int m_heightTo = 0; // units, while dragging a band's edge
    std::optional<std::pair<int, QPoint>> m_lastPoint;
};

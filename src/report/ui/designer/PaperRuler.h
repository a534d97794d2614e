#pragma once

#include <QList>
#include <QPair>
#include <QWidget>

#include <optional>

class DesignerPaper;
class DesignerDocument;

// A ruler beside the designer's paper, in centimetres: a long tick and the
// number each centimetre, a half tick at 5 mm and a short one per millimetre
// where the zoom leaves room for them. The horizontal ruler counts from the
// bands' left edge; the vertical one starts again at the top of every band's
// body (a band's height and its elements' tops are measured from there) and
// shows a plain strip over the caption strips. The focused element's extent
// is shaded. The ruler keeps what it draws until refresh(): the window calls
// it after every change, a zoom and a scroll.
class PaperRuler : public QWidget
{
    Q_OBJECT

public:
    // Units of the template per millimetre (a unit is 1/100 inch).
    static constexpr double UnitsPerMm = 100.0 / 25.4;
    // Ticks closer together than this are left out.
    static constexpr int MinTickDistance = 3;
    static constexpr int Thickness = 20;

    struct Tick
    {
        enum Kind { Centimetre, HalfCentimetre, Millimetre };
        int position;    // pixels along the ruler
        int millimetres; // from the zero
        Kind kind;
        bool operator==(const Tick &) const = default;
    };
    // The ticks of a stretch of lengthPixels pixels whose zero is at
    // offsetPixels, at pixelsPerUnit (the zoom): every centimetre, and the half
    // centimetres and millimetres while they are at least MinTickDistance apart.
    static QList<Tick> ticks(double pixelsPerUnit, int offsetPixels, int lengthPixels);

    PaperRuler(Qt::Orientation orientation, const DesignerPaper &canvas, const DesignerDocument &editor,
               QWidget *parent = nullptr);

    Qt::Orientation orientation() const { return m_orientation; }
    // The ticks drawn now, in the ruler's pixels (the vertical ruler's run per band, top down).
    const QList<Tick> &shownTicks() const { return m_ticks; }
    // The focused element's extent in the ruler's pixels (first, last), as
    // far as it lies on its band; nullopt when nothing is focused.
    std::optional<QPair<int, int>> marked() const { return m_marked; }

    // Takes the paper's layout, zoom, scrolled position and selection again and repaints.
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // From the canvas's pixels to the ruler's, along the ruler.
    int along(QPoint canvasPixel) const;

    Qt::Orientation m_orientation;
    const DesignerPaper &m_canvas;
    const DesignerDocument &m_editor;
    QList<Tick> m_ticks;
    QList<QPair<int, int>> m_paper;    // the measured stretches (band bodies)
    QList<QPair<int, int>> m_captions; // the caption strips (vertical ruler only)
    std::optional<QPair<int, int>> m_marked;
};

#pragma once

#include <QImage>
#include <QPicture>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class TextFlow;
struct TSestVystup;
struct TVystPrvek;

// The page image: the placed items of a page drawn in their order onto any
// paint device. The preview, the printer, the PDF writer and the HTML
// export's pictures all draw through it.
namespace OutputPageImage {

// The page image's scale: 6 pixels per unit (600 per inch).
constexpr double ImageScale = 6;

struct PaintOptions
{
    double scale = ImageScale; // device pixels per unit
    bool background = false;   // draw the background picture first
};

// Draws the page (index from 0) with the painter's origin at the printable
// area's top-left corner; the painter's current transformation maps device
// pixels, `options.scale` of them per unit.
void paintPage(QPainter &painter, const TSestVystup &output, int pageIndex, const PaintOptions &options);
// Draws one item the same way (the HTML export's pictures).
void paintItem(QPainter &painter, const TVystPrvek &item, double scale);

// The page as a recorded picture of the content area at 6 pixels per unit.
QPicture pageImage(const TSestVystup &output, int pageIndex, bool background);
// The page drawn into an image of the content area (white) at `scale`.
QImage pageBitmap(const TSestVystup &output, int pageIndex, double scale, bool background);

// The x positions of a line's characters within [x0, x0 + width]: aligned,
// at the flow's advances (or its pitch), stretched to the width when
// `stretch`; one more entry, the position after the last character. The
// page image and the metafile writers place text by it.
std::vector<double> linePositions(const TextFlow &flow, const QString &line, double x0, double width, int alignment,
                                  bool stretch);
// Where a picture item's picture is drawn (units): stretched to the box
// (option 0x10), fitted keeping its aspect ratio (0x10 and 0x20) or at its
// natural size on a device of `scale` pixels per unit, aligned in the box.
QRectF pictureTarget(const TVystPrvek &item, double scale);

// The corner size of a rounded rectangle in units: 40, at most half the height.
double cornerSize(double height);
// A pen width in device pixels: round((width - 1) x scale) + 1.
int scaledPenWidth(int penWidth, double scale);

} // namespace OutputPageImage

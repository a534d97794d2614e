#pragma once

#include <QImage>
#include <QPicture>

class QPainter;
struct TSestVystup;
struct TVystPrvek;

// The page image: the placed items of a page drawn in their order onto any
// paint device. The preview, the printer, the PDF writer and the HTML
// export's pictures all draw through it.
namespace OutputPageImage {

// The page image's scale: 6 pixels per unit (600 per inch).
constexpr double ImageScale = 6;

struct TPaintOptions
{
    double scale = ImageScale; // device pixels per unit
    bool background = false;   // draw the background picture first
};

// Draws the page (index from 0) with the painter's origin at the printable
// area's top-left corner; the painter's current transformation maps device
// pixels, `options.scale` of them per unit.
void paintPage(QPainter &painter, const TSestVystup &output, int pageIndex, const TPaintOptions &options);
// Draws one item the same way (the HTML export's pictures).
void paintItem(QPainter &painter, const TVystPrvek &item, double scale);

// The page as a recorded picture of the content area at 6 pixels per unit.
QPicture pageImage(const TSestVystup &output, int pageIndex, bool background);
// The page drawn into an image of the content area (white) at `scale`.
QImage pageBitmap(const TSestVystup &output, int pageIndex, double scale, bool background);

// The corner size of a rounded rectangle in units: 40, at most half the height.
double cornerSize(double height);
// A pen width in device pixels: round((width - 1) x scale) + 1.
int scaledPenWidth(int penWidth, double scale);

} // namespace OutputPageImage

#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

// Barcode types by the element's stored index (its pen style).
namespace BarcodeType {
enum : int {
    Interleaved2of5 = 0, // "2/5 interleaved"
    Industrial2of5 = 1,  // "2/5 industrial"
    Matrix2of5 = 2,      // "2/5 matrix"
    Code39 = 3,          // "Code 39"
    Code39Full = 4,      // "Code 39 Full"
    Code128A = 5,        // "Code 128A"
    Code128B = 6,        // "Code 128B"
    Code128C = 7,        // "Code 128C"
    Code93 = 8,          // "Code 93"
    Code93Full = 9,      // "Code 93 Full"
    Msi = 10,            // "MSI"
    PostNet = 11,        // "PostNet"
    Codabar = 12,        // "Codebar"
    Ean8 = 13,           // "EAN 8"
    Ean13 = 14,          // "EAN 13"
    UpcA = 15,           // "UPC-A"
    UpcE0 = 16,          // "UPC-E0"
    UpcE1 = 17,          // "UPC-E1"
    UpcSupp2 = 18,       // "UPC Supp2"
    UpcSupp5 = 19,       // "UPC Supp5"
    Count = 20
};
// The type's name; "EAN 13" for an index outside the list.
QString name(int type);
// Whether the type encodes digits only.
bool digitsOnly(int type);
// The type an index stands for: the index, or EAN 13 when outside the list.
int normalized(int type);
} // namespace BarcodeType

// One dark bar of a symbol, in modules from the symbol's left edge.
struct BarcodeBar
{
    int x = 0;
    int width = 1;
    bool tall = true; // PostNet's short bars are 2/5 of the height
    bool operator==(const BarcodeBar &) const = default;
};

// An encoded symbol: its bars on a grid of modules and the text it carries
// (the characters encoded, check characters included, without start and
// stop characters).
struct BarcodeSymbol
{
    QString text;
    std::vector<BarcodeBar> bars;
    int modules = 0; // the symbol's width in modules

    // The modules as a string, "1" dark and "0" light (short bars ",").
    QString moduleString() const;
};

// Encodes barcode contents by the published symbologies. Wide elements are
// two modules wide.
class BarcodeEncoder
{
public:
    // The content as the type reads it: digits-only types trimmed, every
    // character that is not a digit turned into "0".
    static QString prepared(int type, const QString &content);
    // `check` is the element's check flag: EAN and UPC-A take their data
    // digits (zero-padded) followed by the computed check digit, which thus
    // replaces the last digit of a full-length content; without it the
    // content is zero-padded to the full length and encoded as given. The
    // other types add their optional check character with it (types whose
    // check characters are mandatory always carry them).
    static BarcodeSymbol encode(int type, const QString &content, bool check);

    // The EAN/UPC check digit of `digits` (weights 3 and 1 from the right,
    // modulo 10).
    static int eanCheckDigit(const QString &digits);
};

// How a barcode element is drawn: geometry in units, shared by the page
// image and the metafile writers.
struct BarcodePicture
{
    std::vector<QPolygonF> bars; // filled black
    QPolygonF background;        // the symbol's area, filled white first
    // The human-readable text (option 0x20), empty when not printed: drawn
    // at `textOrigin` (the element's top-left corner, text top) in "Arial"
    // `textPixelSize` units high, rotated by `angle`, black on white.
    QString text;
    QPointF textOrigin;
    double textPixelSize = 0;
    int angle = 0;
};

namespace BarcodeDrawing {

// The module width in device pixels: round(scale x code / 6); a result
// outside 1-49 keeps the previous barcode's module width (1 at start).
// `previous` holds that width between barcodes.
int moduleWidth(double scale, int barWidthCode, int &previous);
// The module width of the barcode drawn now, the process's previous barcode
// remembered (the page image, printer, preview, PDF and metafiles share it).
int nextModuleWidth(double scale, int barWidthCode);

// The geometry of a barcode element with its box `box` (units) on a device
// of `scale` pixels per unit.
BarcodePicture layout(const BarcodeSymbol &symbol, const QRectF &box, int angle, int modulePixels, double scale,
                      bool withText);

} // namespace BarcodeDrawing

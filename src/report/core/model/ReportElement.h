#pragma once

#include "report/core/expr/ExpressionEvaluator.h"
#include "report/core/template/ReportFonts.h"

#include <QColor>
#include <QImage>
#include <QString>

// Element kinds.
namespace ElementKind {
enum : int {
    GraphicText = 1,    // "Grafický text"
    Field = 2,          // "Položka tabulky"
    FieldLabel = 3,     // "Popis položky"
    Parameter = 4,      // "Parametr"
    SystemVariable = 5, // "Proměnná"
    UserFunction = 6,   // "Funkce"
    Line = 7,           // "Úsečka"
    Rectangle = 8,      // "Rámeček"
    RoundRectangle = 9, // "Zaoblený rámeček"
    Ellipse = 10,       // "Elipsa"
    Picture = 11,       // "Obrázek"
    Barcode = 12,       // "Čárový kód"
    PaintBox = 13,      // "Kreslicí plocha"
    Detail = 15,
};
constexpr bool isText(int kind)
{
    return kind >= GraphicText && kind <= UserFunction;
}
constexpr bool isGraphic(int kind)
{
    return kind >= Line && kind <= PaintBox;
}
// The designer's name of a kind; "Neznámý" for any other.
QString designerName(int kind);
} // namespace ElementKind

// System variables (element kind 5, "%" in expressions).
namespace SystemVariable {
enum : int { PrintDate = 0, PrintTime = 1, RowNumber = 2, PageNumber = 3, PageCount = 4, FirstGroup = 5 };
// 5 + 2g: row in group g; 6 + 2g: group count of group g.
constexpr int rowInGroup(int group)
{
    return FirstGroup + 2 * group;
}
constexpr int groupCount(int group)
{
    return FirstGroup + 1 + 2 * group;
}
// The designer's caption ("Datum tisku", "Číslo řádku ve skupině 1" …).
QString caption(int index);
} // namespace SystemVariable

// One element of a section, one element record of the template. A plain
// value: what it shows in a record (its field's value, a parameter, a
// function) the report that holds it answers (TSestavaTyp::elementText);
// the template reader and writer read and write its record.
class TRastelReportElement
{
public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2, AlignJustify = 3 };
    enum TextFlag { RtfText = 0x08, MultiLine = 0x10, Justify = 0x20, VariableHeight = 0x40 };
    enum OptionFlag {
        FrameLeft = 0x01,
        FrameTop = 0x02,
        FrameRight = 0x04,
        FrameBottom = 0x08,
        Stretch = 0x10,       // picture stretched to the box; barcode check digit
        KeepAspect = 0x20,    // keep aspect ratio; barcode text printed
        PictureChanges = 0x40 // "Povolit změnu"
    };
    static constexpr int MaxReferenceName = 32;

    int kind = 0;
    int reference = 0;     // field, parameter, system variable, function, detail or paint-box index
    QString referenceName; // the field or function the element follows by name; empty: by number
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    FontDef font;
    int alignmentValue = AlignLeft; // as stored; see alignment()
    int textFlags = 0;
    int optionFlags = 0;
    QColor penColour = QColor(Qt::black);
    int penStyle = 0; // barcode: the barcode type
    int penWidth = 1; // barcode: the bar width code
    QColor fillColour = QColor(Qt::white);
    int fillStyle = 0; // kinds 8-10: brush style; kind 13: drawing scale 1-6
    int spacing = 0;   // "Rozteč znaků", 0 natural
    int angle = 0;     // degrees
    int extra = 0;     // kept and written back
    QString text;      // literal text, format, picture file, barcode expression
    QImage picture;
    QString pictureFile;
    TCalcType value; // the value in the current record

    // Justified ("Zarovnat do bloku") reads as alignment 3.
    int alignment() const { return (textFlags & Justify) ? AlignJustify : alignmentValue; }

    void setText(const QString &newText) { text = newText; }
    // Cut to 32 characters.
    void setReferenceName(const QString &name) { referenceName = name.left(MaxReferenceName); }
};

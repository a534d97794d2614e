#pragma once

#include "report/core/expr/ExpressionEvaluator.h"
#include "report/core/template/ReportFonts.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TSestavaTyp;
class TemplateFields;

// A report's template: its text lines.
using TPredloha = QStringList;

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

// One element of a section, one element record of the template.
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

    explicit TRastelReportElement(TSestavaTyp *owner) : m_owner(owner) {}

    TSestavaTyp *owner() const { return m_owner; }

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

    // Reads the fields after the section tag of an element record.
    void readRecord(TemplateFields &fields);
    // The element record with the given section tag.
    QString writeRecord(const QString &sectionTag) const;

    // A data-field element (kind 2) takes its field's value in the current
    // record: number, display text and null flag, the memo text for memo
    // fields, the picture for picture fields. An unreadable value shows "????".
    void refreshValue();
    // The text the element shows for the current record: its literal text
    // (kind 1), its field's value (2), the field's label (3), the parameter
    // (4), the system variable, through the element's text as a format when
    // it has one (5), the user function's display text (6); empty for the
    // other kinds. A user function outside the list shows "????".
    QString displayText() const;

    void setText(const QString &newText) { text = newText; }
    // Cut to 32 characters.
    void setReferenceName(const QString &name) { referenceName = name.left(MaxReferenceName); }
    // Loads the picture named by the element's text (through the report's
    // OnNactiObraz when assigned). False when there is none.
    bool loadPicture();

private:
    void readTextKind(TemplateFields &fields);
    void readGraphicKind(TemplateFields &fields);

    TSestavaTyp *m_owner;
};

// A section of the report: the five fixed ones and two per group.
class TOddilSestavy
{
public:
    enum Id { ReportHeader = 0, PageHeader = 1, Body = 2, ReportFooter = 3, PageFooter = 4, FirstGroup = 5 };
    static constexpr int FixedCount = 5;

    explicit TOddilSestavy(int sectionId) : id(sectionId) {}

    int id;
    int height = 0;
    int stored = 0; // 50 for group sections, no further use
    bool visible = true;
    int columns = 1;
    int columnGap = 0;

    int count() const { return int(m_elements.size()); }
    TRastelReportElement &at(int index) const { return *m_elements.at(size_t(index)); }
    TRastelReportElement &addElement(TSestavaTyp *owner);
    void removeElement(int index) { m_elements.erase(m_elements.begin() + index); }
    void clearElements() { m_elements.clear(); }

    // 5 + 2g header of group g, 6 + 2g its footer.
    static int groupHeaderId(int group) { return FirstGroup + 2 * group; }
    static int groupFooterId(int group) { return FirstGroup + 1 + 2 * group; }
    // "Začátek sestavy", "Hlava stránky", … "Začátek skupiny", "Konec skupiny".
    static QString caption(int sectionId);

private:
    std::vector<std::unique_ptr<TRastelReportElement>> m_elements;
};

// The sections in list order: ids 0-4 at positions 0-4, then the groups'.
class TListOddilu
{
public:
    TListOddilu();
    int count() const { return int(m_sections.size()); }
    TOddilSestavy &at(int index) const { return *m_sections.at(size_t(index)); }
    // The section with that id, nullptr when none.
    TOddilSestavy *find(int sectionId) const;
    TOddilSestavy &add(int sectionId);
    void remove(const TOddilSestavy *section);

private:
    std::vector<std::unique_ptr<TOddilSestavy>> m_sections;
};

// One group of the report.
struct TPolSkup
{
    int number = 0;       // position from 0; group 0 is the outermost
    int fieldIndex = 0;   // the data field that defines the group
    QString fieldName;    // the name the template gave; empty when it gave a number
    bool newPage = false; // "Novou skupinu na novou stránku"
    TOddilSestavy *header = nullptr;
    TOddilSestavy *footer = nullptr;
    QString lastValue;
    bool changed = false;
    int rowInGroup = 1;
    int groupCount = 1;
};

// The groups, named "Skupina " and their number from 1.
class TListSkupin
{
public:
    int count() const { return int(m_groups.size()); }
    TPolSkup &at(int index) const { return *m_groups.at(size_t(index)); }
    QString name(int index) const { return QStringLiteral("Skupina ") + QString::number(index + 1); }
    TPolSkup &add();
    void removeLast() { m_groups.pop_back(); }
    void clear() { m_groups.clear(); }

private:
    std::vector<std::unique_ptr<TPolSkup>> m_groups;
};

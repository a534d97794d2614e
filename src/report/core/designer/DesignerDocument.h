#pragma once

#include "report/core/Report.h"
#include "report/core/designer/DesignerSettings.h"
#include "report/core/designer/DesignerUndo.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>

// One band of the designer's paper: a section of the report.
struct DesignerBand
{
    int sectionId = 0;
    QString caption; // "Začátek sestavy" …, group bands with the group number: "Začátek skupiny 1"
    int height = 0;
    bool visible = true;
};

// The tools of the element toolbox, one per kind of element.
enum class DesignerTool {
    DataField,    // kind 2, reference: the field
    FieldLabel,   // kind 3, reference: the field
    Parameter,    // kind 4, reference: the parameter line
    UserFunction, // kind 6, reference: the function
    PrintDate,    // kind 5, system variables …
    PrintTime,
    RowNumber,
    PageNumber,
    PageCount,
    RowInGroup,     // reference: the group
    GroupNumber,    // reference: the group
    GraphicText,    // kind 1
    Line,           // kind 7
    Rectangle,      // kind 8
    RoundRectangle, // kind 9
    Ellipse,        // kind 10
    Picture,        // kind 11
    Barcode,        // kind 12
    PaintBox,       // kind 13, reference: the paint box index
    Detail,         // kind 15, reference: the detail report
};

// The template designer's editing logic, without its window.
//
// The designer edits its own copy of the report's model (filled from the
// report's template lines); "apply" and saving write the copy's lines back
// into the report's Predloha. Every change is one undo step named after the
// change. Elements are addressed by pointer into the copy; taking a step
// back or forth rebuilds the copy, so it clears the selection.
class DesignerDocument
{
public:
    DesignerDocument(TSestava &report, const DesignerSettings &environment);

    TSestava &report() const { return m_report; }
    // The edited copy; dialogs read it. Change it only through the routines
    // below or edit(), so that the change can be taken back.
    const TSestava &model() const { return m_copy; }
    // A scratch report for a dialog that must not touch the copy (the
    // new-report wizard, the function dialog): the copy's fields, directory,
    // ini file and template lines, and the report's data source.
    void copyModelTo(TSestava &scratch) const;
    const DesignerSettings &environment() const { return m_env; }
    // After the environment dialog: the undo limit follows at once.
    void setEnvironment(const DesignerSettings &environment);

    // ---- Bands: report header, page header, group headers from the
    // outermost, body, group footers from the innermost, report footer, page
    // footer: the order in which a page prints them.
    QList<DesignerBand> bands() const;
    // The section of an element of the copy, -1 when it is none of them.
    int sectionOf(const TRastelReportElement *element) const;
    // The elements of a band in drawing order (later ones over earlier ones).
    QList<TRastelReportElement *> elements(int sectionId) const;

    // ---- Grid: the character cell in character mode, otherwise the
    // environment's grid ("RastrX", "RastrY"); snapping follows the
    // environment's "RastrZarovnavat".
    QSize gridStep() const;
    bool snapsToGrid() const { return m_env.snapToGrid; }
    // The point on the nearest grid crossing (unchanged while snapping is off).
    QPoint snap(QPoint point) const;
    // The width a band offers: the paper's width between the margins.
    int bandWidth() const;

    // ---- Selection
    const QList<TRastelReportElement *> &selection() const { return m_selection; }
    TRastelReportElement *focused() const { return m_focused; }
    bool isSelected(const TRastelReportElement *element) const;
    // Selects the element (added to the selection with `add`) and focuses it.
    void select(TRastelReportElement *element, bool add = false);
    void deselect(TRastelReportElement *element);
    void selectAll();
    void clearSelection();

    // ---- Changes; each returns whether it changed anything (no undo step otherwise)
    // A new element at the point of the band ("vložení prvku"), with the
    // environment's defaults; it becomes the selection.
    TRastelReportElement *insertElement(DesignerTool tool, int sectionId, QPoint position, int reference = 0);
    // Moves the selection by the offset ("posun prvku"): the focused element
    // lands on the grid, the others keep their distance to it; without
    // "PosunMimo" each element is kept inside its band.
    bool moveSelection(QPoint offset);
    // Moves one element to a position of its band (it becomes the selection).
    bool moveElement(TRastelReportElement *element, QPoint position);
    // New size of an element ("posun prvku"): its right and bottom edge on
    // the grid, at least one unit, inside the band without "PosunMimo".
    bool resizeElement(TRastelReportElement *element, QSize size);
    // "zrušení prvku"
    bool deleteSelection();
    // The question to ask before deleting the selection ("Smazat vybraný
    // prvek?" / "Smazat všechny vybrané prvky?"); empty when none is due.
    QString deleteQuestion() const;
    // "Vyrovnat vše do rastru" / "Vyrovnat vybrané" ("posun prvku").
    bool alignToGrid(bool selectedOnly);
    // The selection drawn over / under the rest of its band ("posun prvku").
    bool bringToFront();
    bool sendToBack();
    // "změna výšky oddílu": never below the lowest height the band may take
    // (see minimumSectionHeight).
    bool setSectionHeight(int sectionId, int height);
    // The bottom edge of the band's lowest element, 0 for an empty band; a
    // band already lower than its elements (a hand-edited template, an
    // element moved out with "PosunMimo") is not raised by this rule, so
    // its own height is the limit then. -1 for no such band.
    int minimumSectionHeight(int sectionId) const;
    // "nastavení oddílů a skupin": a group appended (innermost) with the
    // environment's element height for its bands; its index.
    int addGroup(int fieldIndex, const QString &fieldName = QString());
    // "nastavení oddílů a skupin": the group, its bands and their elements
    // go; later groups move up one number.
    bool removeGroup(int index);
    // User functions: "přidání funkce" (its index), "oprava funkce", "zrušení funkce".
    int addFunction(const TRadekFunkce &function);
    bool editFunction(int index, const TRadekFunkce &function);
    bool deleteFunction(int index);
    // The element properties dialog's result ("nastavení prvku"): every
    // setting of `settings` but the element's identity.
    bool replaceElement(TRastelReportElement *element, const TRastelReportElement &settings);
    // The font of the selection ("změna písma").
    bool setFont(const FontDef &font);
    // The text alignment (0-3) of the selected text elements ("změna zarovnávání").
    bool setAlignment(int alignment);
    // "změna textu"
    bool setText(TRastelReportElement *element, const QString &text);
    // The detail report shown by a detail element ("změna detailu").
    bool setDetail(TRastelReportElement *element, int detail);
    // Any other edit of the copy (report settings, the new-report wizard),
    // one undo step with the given name.
    bool edit(const QString &undoName, const std::function<void(TSestava &model)> &change);
    // The whole template replaced (a new template; the wizard's result).
    bool replaceTemplate(const TPredloha &lines, const QString &undoName);

    // ---- Undo: "Zrušit" / "Znovu" with the step's name
    bool canUndo() const { return m_undo.canUndo(); }
    bool canRedo() const { return m_undo.canRedo(); }
    QString undoName() const { return m_undo.undoName(); }
    QString redoName() const { return m_undo.redoName(); }
    int undoCount() const { return m_undo.undoCount(); }
    bool undo();
    bool redo();

    // ---- Clipboard text
    QString copySelection() const;
    // The text, then the selection deleted ("vystřižení do úschovy"); empty
    // when nothing is selected.
    QString cutSelection();
    // "vložení z úschovy": the elements of the text into the band, the anchor
    // element at the point (on the grid), the others around it as they were;
    // they become the selection. False (nothing changed) for a text that is
    // not the designer's.
    bool paste(const QString &text, int sectionId, QPoint position);

    // ---- The document
    // Whether the copy differs from what was last applied or saved.
    bool isModified() const;
    // The copy's template lines, the report's detail templates after them.
    TPredloha templateLines() const;
    // The copy's lines become the report's Predloha.
    void apply();
    // Applies, then saves through `saveHandler` when set, else the report's
    // SaveTemplate. On success the copy counts as unmodified and the undo
    // steps go (unless "UndoSave"). A failure keeps everything and returns
    // the TSestError code (the save routine has shown its message).
    int save();
    std::function<int(TSestava &report)> saveHandler;

private:
    bool change(const QString &name, const std::function<bool()> &body);
    void restore(const TPredloha &lines);
    TOddilSestavy *sectionOfElement(const TRastelReportElement *element) const;
    FontDef newFont() const;
    int newAlignment(int kind, int reference) const;
    // The position kept inside the band unless moving outside is allowed.
    QPoint keptInside(const TOddilSestavy &section, QPoint position, QSize size) const;
    QList<const TRastelReportElement *> orderedSelection() const;
    bool restack(bool toFront);
    // Rebuilds the section's elements in that order of their positions.
    void reorder(TOddilSestavy &section, const QList<int> &order);
    TRastelReportElement &appendCopy(TOddilSestavy &section, const TRastelReportElement &source);

    // The edited copy's model.
    ReportModel &edited() { return m_copy.model(); }
    const ReportModel &edited() const { return m_copy.model(); }

    TSestava &m_report;
    TSestava m_copy;
    DesignerSettings m_env;
    DesignerUndo m_undo;
    TPredloha m_detailLines;
    TPredloha m_savedLines;
    QList<TRastelReportElement *> m_selection;
    TRastelReportElement *m_focused = nullptr;
};

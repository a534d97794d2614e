#include "report/core/designer/DesignerDocument.h"

#include "report/core/designer/DesignerClipboard.h"
#include "report/core/designer/ReportSetup.h"
#include "report/core/model/PageSetup.h"
#include "report/core/template/ReportColors.h"
#include "report/core/template/ReportFonts.h"
#include "report/core/template/TemplateFields.h"
#include "report/core/template/TemplateReader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The position of an element in its section, -1.
int indexIn(const TOddilSestavy &section, const TRastelReportElement *element)
{
    for (int i = 0; i < section.count(); ++i) {
        if (&section.at(i) == element)
            return i;
    }
    return -1;
}

bool isDetailLine(const QString &line)
{
    return line.size() > 1 && line.startsWith(TemplateReader::kDetailTag) && line.at(1).isDigit();
}

int nearestMultiple(int value, int step)
{
    return int(std::lround(double(value) / step)) * step;
}

struct ToolKind
{
    int kind;
    int reference; // -1: the caller's reference
};

ToolKind toolKind(DesignerTool tool, int reference)
{
    switch (tool) {
    case DesignerTool::DataField:
        return {ElementKind::Field, reference};
    case DesignerTool::FieldLabel:
        return {ElementKind::FieldLabel, reference};
    case DesignerTool::Parameter:
        return {ElementKind::Parameter, reference};
    case DesignerTool::UserFunction:
        return {ElementKind::UserFunction, reference};
    case DesignerTool::PrintDate:
        return {ElementKind::SystemVariable, SystemVariable::PrintDate};
    case DesignerTool::PrintTime:
        return {ElementKind::SystemVariable, SystemVariable::PrintTime};
    case DesignerTool::RowNumber:
        return {ElementKind::SystemVariable, SystemVariable::RowNumber};
    case DesignerTool::PageNumber:
        return {ElementKind::SystemVariable, SystemVariable::PageNumber};
    case DesignerTool::PageCount:
        return {ElementKind::SystemVariable, SystemVariable::PageCount};
    case DesignerTool::RowInGroup:
        return {ElementKind::SystemVariable, SystemVariable::rowInGroup(qMax(0, reference))};
    case DesignerTool::GroupNumber:
        return {ElementKind::SystemVariable, SystemVariable::groupCount(qMax(0, reference))};
    case DesignerTool::GraphicText:
        return {ElementKind::GraphicText, 0};
    case DesignerTool::Line:
        return {ElementKind::Line, 0};
    // The reader makes the reference of the boxes their kind.
    case DesignerTool::Rectangle:
        return {ElementKind::Rectangle, ElementKind::Rectangle};
    case DesignerTool::RoundRectangle:
        return {ElementKind::RoundRectangle, ElementKind::RoundRectangle};
    case DesignerTool::Ellipse:
        return {ElementKind::Ellipse, ElementKind::Ellipse};
    case DesignerTool::Picture:
        return {ElementKind::Picture, 0};
    case DesignerTool::Barcode:
        return {ElementKind::Barcode, 0};
    case DesignerTool::PaintBox:
        return {ElementKind::PaintBox, reference};
    case DesignerTool::Detail:
        return {ElementKind::Detail, reference};
    }
    return {ElementKind::GraphicText, 0};
}

// A copy of a report reads field references and pictures as the report
// does, and finds the paper formats in the report's ini file.
void takeSources(TSestava &copy, const TSestava &from)
{
    copy.setFieldNames(from.fieldNames());
    copy.setFieldLabels(from.fieldLabels());
    copy.setFieldDisplayValues(from.fieldDisplayValues());
    copy.setParametry(from.parametry());
    copy.setReportDirIgnore(from.reportDirIgnore());
    copy.setReportDir(from.reportDir());
    copy.setReportName(from.reportName());
    copy.setIniFileName(from.iniFileName());
    copy.setIsStored(true);
}

} // namespace

DesignerDocument::DesignerDocument(TSestava &report, const DesignerSettings &environment)
    : m_report(report), m_env(environment), m_undo(environment.undoLimit)
{
    takeSources(m_copy, report);

    // The copy has no detail reports: their template lines are kept aside and
    // written back after the copy's own, so that editing never loses them.
    TPredloha own;
    for (const QString &line : report.writeTemplate()) {
        if (isDetailLine(line))
            m_detailLines << line;
        else
            own << line;
    }
    m_copy.setPredloha(own);
    m_savedLines = m_copy.writeTemplate();
}

void DesignerDocument::copyModelTo(TSestava &scratch) const
{
    takeSources(scratch, m_copy);
    // The report's data: the wizard sizes fields by it, and the expression
    // editor's check reads it.
    scratch.setDataSource(m_report.dataSource());
    scratch.setPredloha(m_copy.writeTemplate());
}

void DesignerDocument::setEnvironment(const DesignerSettings &environment)
{
    m_env = environment;
    m_undo.setLimit(environment.undoLimit);
}

// ---------------------------------------------------------------- bands

QList<DesignerBand> DesignerDocument::bands() const
{
    QList<DesignerBand> result;
    const auto add = [&](const TOddilSestavy *section, int group) {
        if (!section)
            return;
        QString caption = TOddilSestavy::caption(section->id);
        if (group >= 0)
            caption += u' ' + QString::number(group + 1);
        result.append({section->id, caption, section->height, section->visible});
    };
    const TListOddilu &sections = edited().sections();
    const TListSkupin &groups = edited().groups();
    add(sections.find(TOddilSestavy::ReportHeader), -1);
    add(sections.find(TOddilSestavy::PageHeader), -1);
    for (int g = 0; g < groups.count(); ++g)
        add(groups.at(g).header, g);
    add(sections.find(TOddilSestavy::Body), -1);
    for (int g = groups.count() - 1; g >= 0; --g)
        add(groups.at(g).footer, g);
    add(sections.find(TOddilSestavy::ReportFooter), -1);
    add(sections.find(TOddilSestavy::PageFooter), -1);
    return result;
}

TOddilSestavy *DesignerDocument::sectionOfElement(const TRastelReportElement *element) const
{
    if (!element)
        return nullptr;
    const TListOddilu &sections = edited().sections();
    for (int i = 0; i < sections.count(); ++i) {
        if (indexIn(sections.at(i), element) >= 0)
            return &sections.at(i);
    }
    return nullptr;
}

int DesignerDocument::sectionOf(const TRastelReportElement *element) const
{
    const TOddilSestavy *section = sectionOfElement(element);
    return section ? section->id : -1;
}

QList<TRastelReportElement *> DesignerDocument::elements(int sectionId) const
{
    QList<TRastelReportElement *> result;
    if (const TOddilSestavy *section = edited().sections().find(sectionId)) {
        for (int i = 0; i < section->count(); ++i)
            result << &section->at(i);
    }
    return result;
}

// ---------------------------------------------------------------- grid

QSize DesignerDocument::gridStep() const
{
    const ReportOptions &s = edited().settings();
    if (s.isCharacterMode())
        return {TemplateReader::columnWidthOfPitch(s.pitch), TemplateReader::rowHeightOfSpacing(s.lineSpacing)};
    return {qMax(1, m_env.gridX), qMax(1, m_env.gridY)};
}

QPoint DesignerDocument::snap(QPoint point) const
{
    if (!snapsToGrid())
        return point;
    const QSize step = gridStep();
    return {nearestMultiple(point.x(), step.width()), nearestMultiple(point.y(), step.height())};
}

int DesignerDocument::bandWidth() const
{
    LayoutPage page;
    page.setup = pageSetup();
    return page.contentWidth();
}

QPoint DesignerDocument::keptInside(const TOddilSestavy &section, QPoint position, QSize size) const
{
    if (m_env.allowMoveOutside)
        return position;
    // An element larger than its band stays at the band's top-left corner.
    return {qBound(0, position.x(), qMax(0, bandWidth() - size.width())),
            qBound(0, position.y(), qMax(0, section.height - size.height()))};
}

// ---------------------------------------------------------------- selection

bool DesignerDocument::isSelected(const TRastelReportElement *element) const
{
    return std::find(m_selection.cbegin(), m_selection.cend(), element) != m_selection.cend();
}

void DesignerDocument::select(TRastelReportElement *element, bool add)
{
    if (!sectionOfElement(element))
        return;
    if (!add)
        m_selection.clear();
    if (!isSelected(element))
        m_selection << element;
    m_focused = element;
}

void DesignerDocument::deselect(TRastelReportElement *element)
{
    m_selection.removeAll(element);
    if (m_focused == element)
        m_focused = m_selection.isEmpty() ? nullptr : m_selection.last();
}

void DesignerDocument::selectAll()
{
    m_selection.clear();
    for (const DesignerBand &band : bands())
        m_selection << elements(band.sectionId);
    m_focused = m_selection.isEmpty() ? nullptr : m_selection.first();
}

void DesignerDocument::clearSelection()
{
    m_selection.clear();
    m_focused = nullptr;
}

QList<const TRastelReportElement *> DesignerDocument::orderedSelection() const
{
    QList<const TRastelReportElement *> result;
    for (const DesignerBand &band : bands()) {
        for (TRastelReportElement *e : elements(band.sectionId)) {
            if (isSelected(e))
                result << e;
        }
    }
    return result;
}

// ---------------------------------------------------------------- changes

bool DesignerDocument::change(const QString &name, const std::function<bool()> &body)
{
    const TPredloha before = m_copy.writeTemplate();
    const bool done = body();
    // Elements that went with the change leave the selection.
    QList<TRastelReportElement *> kept;
    for (TRastelReportElement *e : std::as_const(m_selection)) {
        if (sectionOfElement(e))
            kept << e;
    }
    m_selection = kept;
    if (!isSelected(m_focused))
        m_focused = m_selection.isEmpty() ? nullptr : m_selection.last();
    if (!done || m_copy.writeTemplate() == before)
        return false;
    m_undo.record(name, before);
    return true;
}

FontDef DesignerDocument::newFont() const
{
    FontDef font;
    QString name = m_env.newFontName;
    int charset = m_env.newFontCharset;
    // As the reader would read the name back.
    ReportFonts::resolveSuffix(name, charset);
    font.name = name;
    const int size = m_env.newFontSize;
    font.size = size < 0 ? (-size * 72 + 50) / 100 : size;
    font.colour = ReportColors::fromIndex(m_env.newFontColour);
    font.style = m_env.newFontStyle;
    font.charset = charset;
    return font;
}

int DesignerDocument::newAlignment(int kind, int reference) const
{
    bool number = false;
    switch (kind) {
    case ElementKind::Field:
        number = reference >= 0 && reference < m_report.fieldCount() &&
                 TSestavaTyp::valueKindOfDataType(m_report.fieldDataType(reference)) == TCalcType::Number;
        break;
    case ElementKind::UserFunction:
        number = reference >= 0 && reference < edited().functions().count() &&
                 edited().functions().at(reference).resultType == TRadekFunkce::ResultNumber;
        break;
    case ElementKind::SystemVariable:
        // The counters are numbers; the print date and time are texts.
        number = reference >= SystemVariable::RowNumber;
        break;
    default:
        break;
    }
    return number ? m_env.newNumberAlignment : m_env.newTextAlignment;
}

TRastelReportElement *DesignerDocument::insertElement(DesignerTool tool, int sectionId, QPoint position, int reference)
{
    TOddilSestavy *section = edited().sections().find(sectionId);
    if (!section)
        return nullptr;
    TRastelReportElement *inserted = nullptr;
    change(u"vložení prvku"_s, [&] {
        const ToolKind k = toolKind(tool, qMax(0, reference));
        TRastelReportElement &e = section->addElement();
        e.kind = k.kind;
        e.reference = k.reference;
        e.width = qMax(1, m_env.newWidth);
        e.height = qMax(1, m_env.newHeight);
        const QPoint at = keptInside(*section, snap(position), QSize(e.width, e.height));
        e.left = at.x();
        e.top = at.y();
        if (ElementKind::isText(k.kind)) {
            e.font = newFont();
            e.alignmentValue = qBound(0, newAlignment(k.kind, k.reference), 2);
        }
        if (k.kind == ElementKind::GraphicText)
            e.text = u"Text"_s;
        if (k.kind == ElementKind::PaintBox)
            e.fillStyle = 1; // the drawing scale
        if (m_env.followByName) {
            if (k.kind == ElementKind::Field && k.reference < m_copy.fieldNames().size())
                e.setReferenceName(m_copy.fieldNames().at(k.reference));
            if (k.kind == ElementKind::UserFunction && k.reference < edited().functions().count())
                e.setReferenceName(edited().functions().at(k.reference).name);
        }
        inserted = &e;
        return true;
    });
    if (inserted)
        select(inserted);
    return inserted;
}

bool DesignerDocument::moveSelection(QPoint offset)
{
    if (m_selection.isEmpty())
        return false;
    TRastelReportElement *lead = m_focused ? m_focused : m_selection.first();
    const QPoint from(lead->left, lead->top);
    const QPoint delta = snap(from + offset) - from;
    return change(u"posun prvku"_s, [&] {
        for (TRastelReportElement *e : std::as_const(m_selection)) {
            const QPoint at =
                keptInside(*sectionOfElement(e), QPoint(e->left, e->top) + delta, QSize(e->width, e->height));
            e->left = at.x();
            e->top = at.y();
        }
        return true;
    });
}

bool DesignerDocument::moveElement(TRastelReportElement *element, QPoint position)
{
    if (!sectionOfElement(element))
        return false;
    select(element);
    return moveSelection(position - QPoint(element->left, element->top));
}

bool DesignerDocument::resizeElement(TRastelReportElement *element, QSize size)
{
    const TOddilSestavy *section = sectionOfElement(element);
    if (!section)
        return false;
    const QPoint corner = snap(QPoint(element->left + size.width(), element->top + size.height()));
    int width = qMax(1, corner.x() - element->left);
    int height = qMax(1, corner.y() - element->top);
    if (!m_env.allowMoveOutside) {
        width = qMin(width, qMax(1, bandWidth() - element->left));
        height = qMin(height, qMax(1, section->height - element->top));
    }
    return change(u"posun prvku"_s, [&] {
        element->width = width;
        element->height = height;
        return true;
    });
}

bool DesignerDocument::deleteSelection()
{
    if (m_selection.isEmpty())
        return false;
    return change(u"zrušení prvku"_s, [&] {
        for (TRastelReportElement *e : std::as_const(m_selection)) {
            TOddilSestavy *section = sectionOfElement(e);
            section->removeElement(indexIn(*section, e));
        }
        return true;
    });
}

QString DesignerDocument::deleteQuestion() const
{
    if (m_selection.size() == 1 && m_env.confirmDeleteOne)
        return u"Smazat vybraný prvek?"_s;
    if (m_selection.size() > 1 && m_env.confirmDeleteMany)
        return u"Smazat všechny vybrané prvky?"_s;
    return QString();
}

bool DesignerDocument::alignToGrid(bool selectedOnly)
{
    // An explicit command: it aligns even while snapping is off.
    const QSize step = gridStep();
    QList<TRastelReportElement *> targets;
    if (selectedOnly) {
        targets = m_selection;
    } else {
        for (const DesignerBand &band : bands())
            targets << elements(band.sectionId);
    }
    if (targets.isEmpty())
        return false;
    return change(u"posun prvku"_s, [&] {
        for (TRastelReportElement *e : std::as_const(targets)) {
            const QPoint grid(nearestMultiple(e->left, step.width()), nearestMultiple(e->top, step.height()));
            const QPoint at = keptInside(*sectionOfElement(e), grid, QSize(e->width, e->height));
            e->left = at.x();
            e->top = at.y();
        }
        return true;
    });
}

bool DesignerDocument::bringToFront()
{
    return restack(true);
}

bool DesignerDocument::sendToBack()
{
    return restack(false);
}

bool DesignerDocument::restack(bool toFront)
{
    if (m_selection.isEmpty())
        return false;
    return change(u"posun prvku"_s, [&] {
        const TListOddilu &sections = edited().sections();
        for (int s = 0; s < sections.count(); ++s) {
            TOddilSestavy &section = sections.at(s);
            QList<int> selected;
            QList<int> others;
            for (int i = 0; i < section.count(); ++i)
                (isSelected(&section.at(i)) ? selected : others) << i;
            if (!selected.isEmpty())
                reorder(section, toFront ? others + selected : selected + others);
        }
        return true;
    });
}

void DesignerDocument::reorder(TOddilSestavy &section, const QList<int> &order)
{
    // The section's elements are rebuilt in the new order; the selection
    // follows them by position, as the old addresses go.
    std::vector<TRastelReportElement> copies;
    QList<int> selectedAt;
    int focusAt = -1;
    for (int k = 0; k < order.size(); ++k) {
        TRastelReportElement *e = &section.at(order.at(k));
        copies.push_back(*e);
        if (isSelected(e))
            selectedAt << k;
        if (m_focused == e)
            focusAt = k;
        m_selection.removeAll(e);
    }
    if (focusAt >= 0)
        m_focused = nullptr;
    section.clearElements();
    for (int k = 0; k < int(copies.size()); ++k) {
        TRastelReportElement &e = appendCopy(section, copies[size_t(k)]);
        if (selectedAt.contains(k))
            m_selection << &e;
        if (k == focusAt)
            m_focused = &e;
    }
}

TRastelReportElement &DesignerDocument::appendCopy(TOddilSestavy &section, const TRastelReportElement &source)
{
    return section.addElement(source);
}

bool DesignerDocument::setSectionHeight(int sectionId, int height)
{
    TOddilSestavy *section = edited().sections().find(sectionId);
    if (!section)
        return false;
    // The rule holds whoever asks (the paper's drag, a typed height): a band
    // never cuts off the elements it holds.
    const int lowest = minimumSectionHeight(sectionId);
    return change(u"změna výšky oddílu"_s, [&] {
        section->height = qMax(lowest, height);
        return true;
    });
}

int DesignerDocument::minimumSectionHeight(int sectionId) const
{
    const TOddilSestavy *section = edited().sections().find(sectionId);
    if (!section)
        return -1;
    int bottom = 0;
    for (int i = 0; i < section->count(); ++i)
        bottom = qMax(bottom, section->at(i).top + section->at(i).height);
    return qMin(qMax(0, section->height), bottom);
}

int DesignerDocument::addGroup(int fieldIndex, const QString &fieldName)
{
    int index = -1;
    change(u"nastavení oddílů a skupin"_s, [&] {
        TPolSkup &group = edited().addGroup(qMax(0, fieldIndex), fieldName);
        group.header->height = qMax(0, m_env.newHeight);
        group.footer->height = qMax(0, m_env.newHeight);
        index = group.number;
        return true;
    });
    return index;
}

bool DesignerDocument::removeGroup(int index)
{
    const TListSkupin &groups = edited().groups();
    if (index < 0 || index >= groups.count())
        return false;
    return change(u"nastavení oddílů a skupin"_s, [&] {
        // The group's elements leave the selection before their bands go.
        for (const TOddilSestavy *section : {groups.at(index).header, groups.at(index).footer}) {
            for (int i = 0; i < section->count(); ++i)
                deselect(&section->at(i));
        }
        // The rule is the report settings window's: the later groups move
        // up with their bands, counters and functions that reset per group.
        ReportSetup setup = ReportSetup::fromReport(m_copy);
        setup.removeGroup(index);
        setup.applyGroupsTo(edited());
        return true;
    });
}

int DesignerDocument::addFunction(const TRadekFunkce &function)
{
    int index = -1;
    change(u"přidání funkce"_s, [&] {
        TRadekFunkce &added = edited().functions().add();
        const QString defaultName = added.name;
        added = function;
        if (added.name.trimmed().isEmpty())
            added.name = defaultName;
        index = edited().functions().count() - 1;
        return true;
    });
    return index;
}

bool DesignerDocument::editFunction(int index, const TRadekFunkce &function)
{
    TListFunkci &functions = edited().functions();
    if (index < 0 || index >= functions.count())
        return false;
    return change(u"oprava funkce"_s, [&] {
        const QString previousName = functions.at(index).name;
        functions.at(index) = function;
        if (functions.at(index).name.trimmed().isEmpty())
            functions.at(index).name = previousName;
        return true;
    });
}

bool DesignerDocument::deleteFunction(int index)
{
    TListFunkci &functions = edited().functions();
    if (index < 0 || index >= functions.count())
        return false;
    return change(u"zrušení funkce"_s, [&] {
        const QString name = functions.at(index).name;
        functions.removeAt(index);
        // Elements of later functions keep showing them. Elements of the
        // removed one are kept and show "????" (a number outside the list)
        // rather than silently another function.
        const TListOddilu &sections = edited().sections();
        for (int s = 0; s < sections.count(); ++s) {
            for (int i = 0; i < sections.at(s).count(); ++i) {
                TRastelReportElement &e = sections.at(s).at(i);
                if (e.kind != ElementKind::UserFunction)
                    continue;
                if (e.reference == index ||
                    (!e.referenceName.isEmpty() && e.referenceName.compare(name, Qt::CaseInsensitive) == 0)) {
                    e.reference = std::numeric_limits<short>::max();
                    e.referenceName.clear();
                } else if (e.reference > index) {
                    --e.reference;
                }
            }
        }
        return true;
    });
}

bool DesignerDocument::replaceElement(TRastelReportElement *element, const TRastelReportElement &settings)
{
    if (!sectionOfElement(element))
        return false;
    return change(u"nastavení prvku"_s, [&] {
        *element = settings;
        return true;
    });
}

bool DesignerDocument::setFont(const FontDef &font)
{
    return change(u"změna písma"_s, [&] {
        for (TRastelReportElement *e : std::as_const(m_selection)) {
            if (ElementKind::isText(e->kind))
                e->font = font;
        }
        return true;
    });
}

bool DesignerDocument::setAlignment(int alignment)
{
    if (alignment < TRastelReportElement::AlignLeft || alignment > TRastelReportElement::AlignJustify)
        return false;
    return change(u"změna zarovnávání"_s, [&] {
        for (TRastelReportElement *e : std::as_const(m_selection)) {
            if (!ElementKind::isText(e->kind))
                continue;
            if (alignment == TRastelReportElement::AlignJustify) {
                e->textFlags |= TRastelReportElement::Justify;
            } else {
                e->textFlags &= ~TRastelReportElement::Justify;
                e->alignmentValue = alignment;
            }
        }
        return true;
    });
}

bool DesignerDocument::setText(TRastelReportElement *element, const QString &text)
{
    if (!sectionOfElement(element))
        return false;
    return change(u"změna textu"_s, [&] {
        element->setText(text);
        return true;
    });
}

bool DesignerDocument::setDetail(TRastelReportElement *element, int detail)
{
    if (!sectionOfElement(element) || element->kind != ElementKind::Detail || detail < 0)
        return false;
    return change(u"změna detailu"_s, [&] {
        element->reference = detail;
        return true;
    });
}

bool DesignerDocument::edit(const QString &undoName, const std::function<void(TSestava &)> &body)
{
    return change(undoName, [&] {
        body(m_copy);
        return true;
    });
}

bool DesignerDocument::replaceTemplate(const TPredloha &lines, const QString &undoName)
{
    return change(undoName, [&] {
        clearSelection();
        m_copy.setPredloha(lines);
        return true;
    });
}

// ---------------------------------------------------------------- undo

void DesignerDocument::restore(const TPredloha &lines)
{
    clearSelection();
    m_copy.setPredloha(lines);
}

bool DesignerDocument::undo()
{
    const std::optional<TPredloha> lines = m_undo.undo(m_copy.writeTemplate());
    if (!lines)
        return false;
    restore(*lines);
    return true;
}

bool DesignerDocument::redo()
{
    const std::optional<TPredloha> lines = m_undo.redo(m_copy.writeTemplate());
    if (!lines)
        return false;
    restore(*lines);
    return true;
}

// ---------------------------------------------------------------- clipboard

QString DesignerDocument::copySelection() const
{
    const QList<const TRastelReportElement *> ordered = orderedSelection();
    if (ordered.isEmpty())
        return QString();
    return DesignerClipboard::write(ordered, int(ordered.indexOf(m_focused)));
}

QString DesignerDocument::cutSelection()
{
    QString text = copySelection();
    if (text.isEmpty())
        return text;
    change(u"vystřižení do úschovy"_s, [&] {
        for (TRastelReportElement *e : std::as_const(m_selection)) {
            TOddilSestavy *section = sectionOfElement(e);
            section->removeElement(indexIn(*section, e));
        }
        return true;
    });
    return text;
}

bool DesignerDocument::paste(const QString &text, int sectionId, QPoint position)
{
    const std::optional<DesignerClipboard::Content> content = DesignerClipboard::read(text);
    TOddilSestavy *section = edited().sections().find(sectionId);
    if (!content || !section)
        return false;
    // Records of kinds the designer does not know are left out; their place
    // in the list still counts for the focused index.
    std::vector<std::unique_ptr<TRastelReportElement>> read;
    const TemplateReader::Context context = m_copy.templateContext();
    for (const QString &record : content->records) {
        TemplateFields fields(record);
        fields.skip(); // the section tag
        int kind = 0;
        if (!TemplateFields::parseInt(fields.peek(), &kind) ||
            !(ElementKind::isText(kind) || ElementKind::isGraphic(kind) || kind == ElementKind::Detail)) {
            read.push_back(nullptr);
            continue;
        }
        read.push_back(std::make_unique<TRastelReportElement>(TemplateReader::readElement(fields, edited(), context)));
    }
    if (std::none_of(read.cbegin(), read.cend(), [](const auto &e) { return bool(e); }))
        return false;

    QList<TRastelReportElement *> pasted;
    TRastelReportElement *focus = nullptr;
    const QPoint target = snap(position);
    change(u"vložení z úschovy"_s, [&] {
        for (size_t i = 0; i < read.size(); ++i) {
            if (!read[i])
                continue;
            TRastelReportElement &e = appendCopy(*section, *read[i]);
            const QPoint at =
                keptInside(*section, target + QPoint(e.left, e.top) - content->anchor, QSize(e.width, e.height));
            e.left = at.x();
            e.top = at.y();
            pasted << &e;
            if (int(i) == content->focusIndex)
                focus = &e;
        }
        return true;
    });
    m_selection = pasted;
    m_focused = focus ? focus : pasted.first();
    return true;
}

// ---------------------------------------------------------------- document

bool DesignerDocument::isModified() const
{
    return m_copy.writeTemplate() != m_savedLines;
}

TPredloha DesignerDocument::templateLines() const
{
    return m_copy.writeTemplate() + m_detailLines;
}

void DesignerDocument::apply()
{
    m_report.setPredloha(templateLines());
}

int DesignerDocument::save()
{
    apply();
    const int result = saveHandler ? saveHandler(m_report) : m_report.SaveTemplate();
    if (result != seOK)
        return result;
    m_savedLines = m_copy.writeTemplate();
    if (!m_env.undoAfterSave)
        m_undo.clear();
    return seOK;
}

#include "report/core/designer/NewReportDesign.h"

#include "report/core/Report.h"
#include "report/core/expr/CalcValue.h"
#include "report/core/model/PageSetup.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

// The geometry of a generated template (units are hundredths of an inch).
// The wizard only fixes what goes where; the sizes are ours:
// - a font of S points is S * 100 / 72 units high (a negative size is already
//   a height in units); a line of text takes 1.25 times that, never less than
//   the default element height of the designer settings;
// - a field is as wide as its display width in characters at an average
//   character width of 0.55 of the font height (the average of digits and
//   lower-case letters in the proportional fonts templates use), plus 4 units
//   of padding, and never wider than the printable width;
// - elements on a row are Gap units apart; a field that no longer fits the
//   printable width (paper width less the margins) starts a further row;
// - under the page header's labels and under the body's rows lies a rule: a
//   line element RuleHeight high drawing its top edge over the full width;
// - column style puts the labels in the page header above their fields; row
//   style puts every field on its own body row with its label in front of it
//   in the body (a page header above rows would not line up with anything),
//   the label column as wide as the longest label;
// - the report header holds the title over the full width and, on the row
//   below, "Datum:" and the print date flush with the right margin;
// - the page footer holds the page number centred, as "Strana %d".
namespace {

int fontHeightUnits(int fontSize)
{
    return fontSize < 0 ? -fontSize : int(std::lround(fontSize * 100.0 / 72.0));
}

FontDef defaultFont(const DesignerSettings &defaults)
{
    FontDef font;
    font.name = defaults.newFontName;
    font.size = defaults.newFontSize;
    font.style = defaults.newFontStyle;
    font.charset = defaults.newFontCharset;
    return font;
}

class Builder
{
public:
    Builder(TSestavaTyp &report, const NewReportChoice &choice, const DesignerSettings &defaults)
        : m_report(report), m_model(report.model()), m_choice(choice), m_defaults(defaults),
          m_font(defaultFont(defaults))
    {
        m_rowHeight = std::max(defaults.newHeight, NewReportDesign::lineHeight(defaults.newFontSize));
        const bool landscape = choice.orientation == PageSetup::Landscape;
        const int paperWidth = landscape ? choice.paper.height : choice.paper.width;
        const PageSetup &page = pageSetup();
        m_printable = std::max(100, paperWidth - page.leftMargin - page.rightMargin);
    }

    void build()
    {
        reportHeader();
        if (m_choice.style == NewReportChoice::Columns)
            columns();
        else
            rows();
        pageFooter();
    }

private:
    TRastelReportElement &add(int sectionId, int kind, int reference, QRect box)
    {
        TRastelReportElement &element = m_model.sections().find(sectionId)->addElement();
        element.kind = kind;
        element.reference = reference;
        element.left = box.left();
        element.top = box.top();
        element.width = box.width();
        element.height = box.height();
        element.font = m_font;
        element.alignmentValue = m_defaults.newTextAlignment;
        return element;
    }

    void rule(int sectionId, int top)
    {
        TRastelReportElement &line =
            add(sectionId, ElementKind::Line, 0, QRect(0, top, m_printable, NewReportDesign::RuleHeight));
        line.optionFlags = TRastelReportElement::FrameTop;
    }

    void setHeight(int sectionId, int height) { m_model.sections().find(sectionId)->height = height; }

    void reportHeader()
    {
        const int titleHeight = NewReportDesign::lineHeight(NewReportDesign::TitleSize);
        TRastelReportElement &title =
            add(TOddilSestavy::ReportHeader, ElementKind::GraphicText, 0, QRect(0, 0, m_printable, titleHeight));
        title.text = u"Nadpis sestavy"_s;
        title.font.size = NewReportDesign::TitleSize;
        title.font.style = FontDef::Bold;
        title.alignmentValue = TRastelReportElement::AlignCenter;

        const int dateWidth = NewReportDesign::fieldWidth(10, m_font.size);
        const int labelWidth = NewReportDesign::fieldWidth(6, m_font.size);
        const int top = titleHeight + NewReportDesign::Gap;
        const int dateLeft = m_printable - dateWidth;
        TRastelReportElement &label =
            add(TOddilSestavy::ReportHeader, ElementKind::GraphicText, 0,
                QRect(dateLeft - NewReportDesign::Gap - labelWidth, top, labelWidth, m_rowHeight));
        label.text = u"Datum:"_s;
        label.alignmentValue = TRastelReportElement::AlignRight;
        TRastelReportElement &date = add(TOddilSestavy::ReportHeader, ElementKind::SystemVariable,
                                         SystemVariable::PrintDate, QRect(dateLeft, top, dateWidth, m_rowHeight));
        date.alignmentValue = TRastelReportElement::AlignRight;
        setHeight(TOddilSestavy::ReportHeader, top + m_rowHeight + NewReportDesign::Gap);
    }

    int widthOf(const NewReportField &field) const
    {
        return std::min(m_printable, NewReportDesign::fieldWidth(field.displayWidth, m_font.size));
    }

    void field(int sectionId, const NewReportField &field, QRect box)
    {
        TRastelReportElement &element = add(sectionId, ElementKind::Field, field.index, box);
        const bool number = TSestavaTyp::valueKindOfDataType(m_report.fieldDataType(field.index)) == TCalcType::Number;
        element.alignmentValue = number ? m_defaults.newNumberAlignment : m_defaults.newTextAlignment;
        if (m_choice.byName)
            element.setReferenceName(field.name);
    }

    void label(int sectionId, const NewReportField &field, QRect box)
    {
        if (m_choice.labelsAsText) {
            add(sectionId, ElementKind::GraphicText, 0, box).text = field.caption();
            return;
        }
        TRastelReportElement &element = add(sectionId, ElementKind::FieldLabel, field.index, box);
        if (m_choice.byName)
            element.setReferenceName(field.name);
    }

    void columns()
    {
        int left = 0;
        int top = 0;
        for (const NewReportField &f : m_choice.fields) {
            const int width = widthOf(f);
            if (left > 0 && left + width > m_printable) {
                left = 0;
                top += m_rowHeight + NewReportDesign::Gap;
            }
            const QRect box(left, top, width, m_rowHeight);
            field(TOddilSestavy::Body, f, box);
            if (m_choice.labels)
                label(TOddilSestavy::PageHeader, f, box);
            left += width + NewReportDesign::Gap;
        }
        const int rulesTop = m_choice.fields.isEmpty() ? 0 : top + m_rowHeight + NewReportDesign::Gap / 2;
        rule(TOddilSestavy::Body, rulesTop);
        setHeight(TOddilSestavy::Body, rulesTop + NewReportDesign::RuleHeight);
        if (m_choice.labels) {
            rule(TOddilSestavy::PageHeader, rulesTop);
            setHeight(TOddilSestavy::PageHeader, rulesTop + NewReportDesign::RuleHeight);
        } else {
            setHeight(TOddilSestavy::PageHeader, 0);
        }
    }

    void rows()
    {
        int labelWidth = 0;
        if (m_choice.labels) {
            for (const NewReportField &f : m_choice.fields)
                labelWidth = std::max(labelWidth, NewReportDesign::fieldWidth(int(f.caption().size()), m_font.size));
            labelWidth = std::min(labelWidth, m_printable / 2);
        }
        const int fieldLeft = labelWidth > 0 ? labelWidth + NewReportDesign::Gap : 0;
        int top = 0;
        for (const NewReportField &f : m_choice.fields) {
            if (labelWidth > 0)
                label(TOddilSestavy::Body, f, QRect(0, top, labelWidth, m_rowHeight));
            field(TOddilSestavy::Body, f,
                  QRect(fieldLeft, top, std::min(widthOf(f), m_printable - fieldLeft), m_rowHeight));
            top += m_rowHeight + NewReportDesign::Gap;
        }
        const int rulesTop = std::max(0, top - NewReportDesign::Gap / 2);
        rule(TOddilSestavy::Body, rulesTop);
        setHeight(TOddilSestavy::Body, rulesTop + NewReportDesign::RuleHeight);
        setHeight(TOddilSestavy::PageHeader, 0);
    }

    void pageFooter()
    {
        const int width = NewReportDesign::fieldWidth(12, m_font.size);
        TRastelReportElement &page =
            add(TOddilSestavy::PageFooter, ElementKind::SystemVariable, SystemVariable::PageNumber,
                QRect((m_printable - width) / 2, NewReportDesign::Gap, width, m_rowHeight));
        page.text = u"Strana %d"_s;
        page.alignmentValue = TRastelReportElement::AlignCenter;
        setHeight(TOddilSestavy::PageFooter, NewReportDesign::Gap + m_rowHeight);
    }

    TSestavaTyp &m_report;
    ReportModel &m_model; // the report's
    const NewReportChoice &m_choice;
    const DesignerSettings &m_defaults;
    FontDef m_font;
    int m_rowHeight = 0;
    int m_printable = 0;
};

} // namespace

QList<NewReportField> NewReportDesign::availableFields(const TSestavaTyp &report)
{
    QList<NewReportField> fields;
    const QStringList names = report.fieldNames();
    for (int i = 0; i < names.size(); ++i)
        fields.append(NewReportField{i, names.at(i), report.fieldLabel(i), std::max(1, report.fieldSize(i))});
    return fields;
}

int NewReportDesign::fieldWidth(int characters, int fontSize)
{
    return int(std::ceil(std::max(1, characters) * fontHeightUnits(fontSize) * 0.55)) + 4;
}

int NewReportDesign::lineHeight(int fontSize)
{
    return int(std::ceil(fontHeightUnits(fontSize) * 1.25));
}

void NewReportDesign::generateEmpty(ReportModel &model)
{
    model.clear();
    // The old functions go too: one reset by a group would otherwise point
    // at a group the new template does not have.
    model.functions().clear();
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        TOddilSestavy *section = model.sections().find(id);
        section->height = 0;
        section->visible = true;
    }
}

void NewReportDesign::generate(TSestavaTyp &report, const NewReportChoice &choice, const DesignerSettings &defaults)
{
    generateEmpty(report.model());
    PageSetup &page = pageSetup();
    page.paperWidth = choice.paper.width;
    page.paperHeight = choice.paper.height;
    page.orientation = choice.orientation;
    Builder(report, choice, defaults).build();
}

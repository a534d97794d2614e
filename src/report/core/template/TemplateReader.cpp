// The template reader: the template's lines become the report model
// (settings, page setup, user functions, groups, elements).

#include "report/core/template/TemplateReader.h"

#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/model/ReportModel.h"
#include "report/core/template/ReportColors.h"
#include "report/core/template/TemplateFields.h"

#include <QHash>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;
using namespace TemplateReader;

namespace {

QString firstField(const QString &line)
{
    return TemplateFields(line).next();
}

// The first field is a name when it is not empty and does not begin with a digit.
bool isName(const QString &field)
{
    return !field.isEmpty() && !field.at(0).isDigit();
}

int findField(const Context &context, const QString &name)
{
    for (qsizetype i = 0; i < context.fieldNames.size(); ++i) {
        if (context.fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

// Reads the records of one template into a model.
class Reader
{
public:
    explicit Reader(const Context &context) : m_context(context)
    {
        m_model.setDescription(context.description);
        m_model.setPage(context.page);
    }

    ReportModel read(const TPredloha &lines);

private:
    void readHeader(const QString &line);
    void readGroupRecord(TemplateFields &fields);
    void readFunction(const QString &line);

    const Context &m_context;
    ReportModel m_model;
};

ReportModel Reader::read(const TPredloha &lines)
{
    // The lines of each record tag, in file order.
    QHash<QString, QList<qsizetype>> byTag;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).size() > 1)
            byTag[firstField(lines.at(i))].append(i);
    }

    // 1. Header records.
    for (qsizetype i : byTag.value(kHeaderTag))
        readHeader(lines.at(i));

    // 2. User functions.
    for (qsizetype i : byTag.value(kFunctionTag))
        readFunction(lines.at(i));

    // 3. Elements, section by section.
    QList<int> order{TOddilSestavy::ReportHeader, TOddilSestavy::PageHeader, TOddilSestavy::Body,
                     TOddilSestavy::ReportFooter, TOddilSestavy::PageFooter};
    if (m_context.detail)
        order = {TOddilSestavy::ReportHeader, TOddilSestavy::Body, TOddilSestavy::ReportFooter};
    for (int g = 0; g < m_model.groups().count(); ++g)
        order << TOddilSestavy::groupHeaderId(g) << TOddilSestavy::groupFooterId(g);
    for (int id : order) {
        TOddilSestavy *section = m_model.sections().find(id);
        for (qsizetype i : byTag.value(sectionTag(id))) {
            TemplateFields fields(lines.at(i));
            fields.skip();
            section->addElement(readElement(fields, m_model, m_context));
        }
    }
    return std::move(m_model);
}

void Reader::readHeader(const QString &line)
{
    ReportOptions &s = m_model.settings();
    TemplateFields f(line);
    f.skip();
    switch (f.nextInt(0)) {
    case 0:
        m_model.setDescription(f.next());
        break;
    case 1:
        for (int &part : s.version)
            part = f.nextInt(0);
        break;
    case 2: {
        // The page setup belongs to the main report: a detail skips it.
        if (m_context.detail) {
            f.skip(7);
        } else {
            PageSetup page = m_model.page();
            page.setOrientationCode(f.nextInt(0));
            if (s.version[0] > 0) {
                page.paperWidth = f.nextInt(0);
                page.paperHeight = f.nextInt(0);
            }
            page.leftMargin = f.nextInt(0);
            page.rightMargin = f.nextInt(0);
            page.topMargin = f.nextInt(0);
            page.bottomMargin = f.nextInt(0);
            m_model.setPage(page);
        }
        // No column count below one: the body's columns divide the page.
        s.printColumns = std::max(1, f.nextInt(1));
        s.columnGap = f.nextInt(0);
        f.skip(); // reserved
        break;
    }
    case 3: {
        const int id = f.nextInt(0);
        if (id < 0 || id >= TOddilSestavy::FixedCount)
            break;
        TOddilSestavy &section = *m_model.sections().find(id);
        section.visible = f.nextBool(false);
        section.height = f.nextInt(0);
        const int switches = f.nextInt(0);
        section.columns = s.printColumns;
        section.columnGap = s.columnGap;
        const bool bit0 = switches & 1;
        switch (id) {
        case TOddilSestavy::ReportHeader:
            s.breakAfterReportHeader = bit0;
            break;
        case TOddilSestavy::PageHeader:
            s.noPageHeaderOnFirstPage = bit0;
            break;
        case TOddilSestavy::Body:
            s.newBodyOnNewPage = bit0;
            break;
        case TOddilSestavy::ReportFooter:
            s.breakBeforeReportFooter = bit0;
            s.reportFooterAtPageFooter = (switches & 2) != 0;
            break;
        case TOddilSestavy::PageFooter:
            s.noPageFooterOnLastPage = bit0;
            break;
        }
        break;
    }
    case 4:
        readGroupRecord(f);
        break;
    case 5:
        s.storedValue = f.nextInt(0);
        break;
    case 6:
        s.gridType = f.nextInt(0);
        s.gridX = f.nextInt(8);
        s.gridY = f.nextInt(8);
        s.lineSpacing = f.nextInt(0);
        s.pitch = f.nextInt(1);
        s.showGrid = f.nextBool(false);
        s.snapToGrid = f.nextBool(false);
        if (s.gridX < 1)
            s.gridX = 8;
        if (s.gridY < 1)
            s.gridY = 8;
        if (s.isCharacterMode()) {
            s.gridX = columnWidthOfPitch(s.pitch);
            s.gridY = rowHeightOfSpacing(s.lineSpacing);
        }
        break;
    case 7:
        s.ownBackground = f.nextBool(false);
        s.printBackground = f.nextBool(false);
        s.partialPlacement = f.nextBool(false);
        s.backgroundLeft = f.nextInt(0);
        s.backgroundTop = f.nextInt(0);
        s.backgroundWidth = f.nextInt(0);
        s.backgroundHeight = f.nextInt(0);
        s.backgroundFile = f.next();
        break;
    default:
        break;
    }
}

void Reader::readGroupRecord(TemplateFields &f)
{
    // The group's number is its position: the sections and the S<n>/U<n>
    // records follow the order of the I,4 records.
    f.skip();
    const QString field = f.next();
    int fieldIndex = 0;
    QString fieldName;
    if (field.isEmpty() || field.at(0).isDigit()) {
        TemplateFields::parseInt(field, &fieldIndex);
    } else {
        fieldName = field;
        fieldIndex = std::max(0, findField(m_context, field));
    }
    TPolSkup &group = m_model.addGroup(fieldIndex, fieldName);
    group.header->visible = f.nextBool(false);
    group.header->height = f.nextInt(0);
    group.footer->visible = f.nextBool(false);
    group.footer->height = f.nextInt(0);
    group.newPage = f.nextBool(false);
}

void Reader::readFunction(const QString &line)
{
    TemplateFields f(line);
    f.skip(2); // tag, running number
    TRadekFunkce &function = m_model.functions().add();
    const QString name = f.next();
    if (!name.isEmpty())
        function.name = name;
    function.description = f.next();
    function.resultType = f.nextInt(0);
    function.initialValue = f.next();
    function.resetPoint = f.nextInt(0);
    function.expression = f.next();
    function.aggregateKind = f.nextInt(0);
    function.precision = f.nextInt(0);
    function.digits = f.nextInt(0);
    function.format = f.nextInt(TRadekFunkce::Fixed);
    if (function.format < TRadekFunkce::General || function.format > TRadekFunkce::Currency)
        function.format = TRadekFunkce::Fixed;
}

// ---------------------------------------------------------------- element records

void readTextKind(TRastelReportElement &e, TemplateFields &fields, const ReportModel &model, const Context &context)
{
    QString fontName = fields.next();
    const qint64 size = fields.nextInt(0);
    const int colour = fields.nextInt(0);
    const int style = fields.nextInt(0);
    const int alignField = fields.nextInt(0);
    const int options = fields.nextInt(0);
    int charset = fields.nextInt(0);
    const QString recordText = fields.next();
    e.spacing = fields.nextInt(0);
    e.angle = fields.nextInt(0);
    e.extra = fields.nextInt(0);

    // Kind 5 of templates older than 1.x.3: the page count (4) came later.
    if (e.kind == ElementKind::SystemVariable && model.settings().isBeforePageCount() && e.reference > 3 &&
        e.reference < std::numeric_limits<int>::max())
        ++e.reference;
    if ((e.kind == ElementKind::Field || e.kind == ElementKind::FieldLabel) &&
        (e.reference < 0 || e.reference >= context.fieldNames.size()))
        e.reference = 0;

    e.alignmentValue = alignField & 3;
    e.textFlags = alignField & 0xF8;
    ReportFonts::resolveSuffix(fontName, charset);
    e.font.name = fontName;
    // A negative size is a height in pixels at 100 pixels per inch.
    e.font.size = size < 0 ? int((-size * 72 + 50) / 100) : int(size);
    e.font.style = style;
    e.font.colour = ReportColors::fromIndex(colour);
    e.font.charset = charset;
    e.optionFlags = options;

    if (e.kind == ElementKind::GraphicText || e.kind == ElementKind::SystemVariable)
        e.text = recordText;
    else
        e.text.clear();
}

void readGraphicKind(TRastelReportElement &e, TemplateFields &fields, const Context &context)
{
    fields.skip(); // empty: no font
    int penField = fields.nextInt(0);
    const int pen = fields.nextInt(0);
    const int style = fields.nextInt(0);
    const int options = fields.nextInt(0);
    const int fill = fields.nextInt(0);
    const int fillOrScale = fields.nextInt(0);
    if (penField < 0)
        penField = 1;
    e.penWidth = penField;
    e.penColour = ReportColors::fromIndex(pen);
    e.penStyle = style;
    // A line thicker than one pixel is drawn solid.
    if (e.kind == ElementKind::Line && e.penWidth != 1)
        e.penStyle = 0;
    e.optionFlags = options;
    e.fillColour = ReportColors::fromIndex(fill);
    e.fillStyle = fillOrScale;
    e.text.clear();

    switch (e.kind) {
    case ElementKind::Rectangle:
    case ElementKind::RoundRectangle:
    case ElementKind::Ellipse:
        e.reference = e.kind;
        break;
    case ElementKind::Picture:
        e.text = fields.next();
        if (context.loadPicture)
            context.loadPicture(e);
        break;
    case ElementKind::Barcode:
        e.text = fields.next();
        e.spacing = fields.nextInt(0);
        e.angle = fields.nextInt(0);
        e.extra = fields.nextInt(0);
        break;
    case ElementKind::PaintBox:
        e.fillStyle = qBound(1, fillOrScale, 6);
        break;
    default:
        break;
    }
}

} // namespace

QString TemplateReader::sectionTag(int sectionId)
{
    static const QStringList fixed{u"Z"_s, u"H"_s, u"T"_s, u"K"_s, u"P"_s};
    if (sectionId >= 0 && sectionId < TOddilSestavy::FixedCount)
        return fixed.at(sectionId);
    const int offset = sectionId - TOddilSestavy::FirstGroup;
    return (offset % 2 == 0 ? u"S"_s : u"U"_s) + QString::number(offset / 2);
}

int TemplateReader::columnWidthOfPitch(int pitch)
{
    switch (pitch) {
    case 0:
        return 10; // 10 characters per inch
    case 2:
        return 6; // 17 characters per inch
    default:
        return 8; // 12 characters per inch; also for an unknown pitch
    }
}

int TemplateReader::rowHeightOfSpacing(int lineSpacing)
{
    switch (lineSpacing) {
    case 1:
        return 25; // 4 lines per inch
    case 2:
        return 33; // 3 lines per inch
    default:
        return 17; // 6 lines per inch; also for an unknown spacing
    }
}

ReportModel TemplateReader::read(const TPredloha &lines, const Context &context)
{
    return Reader(context).read(lines);
}

TRastelReportElement TemplateReader::readElement(TemplateFields &fields, const ReportModel &model,
                                                 const Context &context)
{
    TRastelReportElement e;
    e.kind = fields.nextInt(0);
    const QString ref = fields.next();
    if (isName(ref)) {
        int found = 0;
        if (e.kind == ElementKind::Field || e.kind == ElementKind::FieldLabel)
            found = findField(context, ref);
        else if (e.kind == ElementKind::UserFunction)
            found = model.functions().findByName(ref);
        e.reference = std::max(found, 0);
        if (e.kind == ElementKind::Field || e.kind == ElementKind::FieldLabel || e.kind == ElementKind::UserFunction)
            e.setReferenceName(ref);
        else
            e.referenceName.clear();
    } else {
        int number = 0;
        TemplateFields::parseInt(ref, &number);
        e.reference = number;
        e.referenceName.clear();
    }
    e.left = fields.nextInt(0);
    e.top = fields.nextInt(0);
    e.width = fields.nextInt(0);
    e.height = fields.nextInt(0);

    if (ElementKind::isText(e.kind))
        readTextKind(e, fields, model, context);
    else if (ElementKind::isGraphic(e.kind))
        readGraphicKind(e, fields, context);
    // Details (15) and unknown kinds carry only their box.
    return e;
}

TPredloha TemplateReader::detailLines(const TPredloha &lines, int detail)
{
    const QString tag = kDetailTag + QString::number(detail);
    TPredloha out;
    for (const QString &line : lines) {
        if (line.size() <= 1 || firstField(line) != tag)
            continue;
        const qsizetype comma = line.indexOf(u',');
        out.append(comma < 0 ? QString() : line.mid(comma + 1));
    }
    return out;
}

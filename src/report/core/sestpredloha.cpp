// The template reader and writer of TSestavaTyp.

#include "report/core/sestavy.h"
#include "report/core/TemplateFields.h"
#include "report/core/PageSetup.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {
const QString kHeaderTag = u"I"_s;
const QString kFunctionTag = u"F"_s;
const QString kDetailTag = u"D"_s;

QString firstField(const QString &line)
{
    return TemplateFields(line).next();
}

QString number(int value)
{
    return QString::number(value);
}

QString flag(bool value)
{
    return value ? u"1"_s : u"0"_s;
}

// Character grid: the cell of a pitch and a line spacing, in units.
int columnWidthOfPitch(int pitch)
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

int rowHeightOfSpacing(int lineSpacing)
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
} // namespace

QString TSestavaTyp::sectionTag(int sectionId)
{
    static const QStringList fixed{u"Z"_s, u"H"_s, u"T"_s, u"K"_s, u"P"_s};
    if (sectionId >= 0 && sectionId < TOddilSestavy::FixedCount)
        return fixed.at(sectionId);
    const int offset = sectionId - TOddilSestavy::FirstGroup;
    return (offset % 2 == 0 ? u"S"_s : u"U"_s) + QString::number(offset / 2);
}

void TSestavaTyp::setPredloha(const TPredloha &lines)
{
    m_predloha = lines;
    parseTemplate();
    if (OnSetPredloha)
        OnSetPredloha(this);
}

void TSestavaTyp::resetSettings()
{
    // Every reading starts from the settings of a new report, so that the same
    // lines always give the same model.
    m_settings = TSestNastaveni();
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        TOddilSestavy &section = *m_sections.find(id);
        section = TOddilSestavy(id);
    }
}

void TSestavaTyp::parseTemplate()
{
    clearModel();
    resetSettings();

    // The lines of each record tag, in file order.
    QHash<QString, QList<qsizetype>> byTag;
    for (qsizetype i = 0; i < m_predloha.size(); ++i) {
        if (m_predloha.at(i).size() > 1)
            byTag[firstField(m_predloha.at(i))].append(i);
    }

    // 1. Header records.
    for (qsizetype i : byTag.value(kHeaderTag))
        readHeader(m_predloha.at(i));

    // 2. User functions.
    m_functions.clear();
    for (qsizetype i : byTag.value(kFunctionTag))
        readFunction(m_predloha.at(i));

    // 3. Elements, section by section.
    QList<int> order{TOddilSestavy::ReportHeader, TOddilSestavy::PageHeader, TOddilSestavy::Body,
                     TOddilSestavy::ReportFooter, TOddilSestavy::PageFooter};
    if (isDetail())
        order = {TOddilSestavy::ReportHeader, TOddilSestavy::Body, TOddilSestavy::ReportFooter};
    for (int g = 0; g < m_groups.count(); ++g)
        order << TOddilSestavy::groupHeaderId(g) << TOddilSestavy::groupFooterId(g);
    for (int id : order) {
        TOddilSestavy *section = m_sections.find(id);
        for (qsizetype i : byTag.value(sectionTag(id))) {
            TemplateFields fields(m_predloha.at(i));
            fields.skip();
            section->addElement(this).readRecord(fields);
        }
    }

    // 4. Detail templates.
    const std::vector<TSestDetail *> details = m_details;
    for (size_t n = 0; n < details.size(); ++n) {
        TPredloha detailLines;
        for (qsizetype i : byTag.value(kDetailTag + QString::number(n))) {
            const QString &line = m_predloha.at(i);
            const qsizetype comma = line.indexOf(u',');
            detailLines.append(comma < 0 ? QString() : line.mid(comma + 1));
        }
        details[n]->setPredloha(detailLines);
    }
}

void TSestavaTyp::readHeader(const QString &line)
{
    TemplateFields f(line);
    f.skip();
    switch (f.nextInt(0)) {
    case 0:
        m_popis = f.next();
        break;
    case 1:
        for (int &part : m_settings.version)
            part = f.nextInt(0);
        break;
    case 2: {
        // The page setup belongs to the main report: a detail skips it.
        if (isDetail()) {
            f.skip(7);
        } else {
            TPageSetup &page = pageSetup();
            page.setOrientationCode(f.nextInt(0));
            if (m_settings.version[0] > 0) {
                page.paperWidth = f.nextInt(0);
                page.paperHeight = f.nextInt(0);
            }
            page.leftMargin = f.nextInt(0);
            page.rightMargin = f.nextInt(0);
            page.topMargin = f.nextInt(0);
            page.bottomMargin = f.nextInt(0);
        }
        // No column count below one: the body's columns divide the page.
        m_settings.printColumns = std::max(1, f.nextInt(1));
        m_settings.columnGap = f.nextInt(0);
        f.skip(); // reserved
        break;
    }
    case 3: {
        const int id = f.nextInt(0);
        if (id < 0 || id >= TOddilSestavy::FixedCount)
            break;
        TOddilSestavy &section = *m_sections.find(id);
        section.visible = f.nextBool(false);
        section.height = f.nextInt(0);
        const int switches = f.nextInt(0);
        section.columns = m_settings.printColumns;
        section.columnGap = m_settings.columnGap;
        const bool bit0 = switches & 1;
        switch (id) {
        case TOddilSestavy::ReportHeader:
            m_settings.breakAfterReportHeader = bit0;
            break;
        case TOddilSestavy::PageHeader:
            m_settings.noPageHeaderOnFirstPage = bit0;
            break;
        case TOddilSestavy::Body:
            m_settings.newBodyOnNewPage = bit0;
            break;
        case TOddilSestavy::ReportFooter:
            m_settings.breakBeforeReportFooter = bit0;
            m_settings.reportFooterAtPageFooter = (switches & 2) != 0;
            break;
        case TOddilSestavy::PageFooter:
            m_settings.noPageFooterOnLastPage = bit0;
            break;
        }
        break;
    }
    case 4:
        readGroupRecord(f);
        break;
    case 5:
        m_settings.storedValue = f.nextInt(0);
        break;
    case 6: {
        TSestNastaveni &s = m_settings;
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
    }
    case 7: {
        TSestNastaveni &s = m_settings;
        s.ownBackground = f.nextBool(false);
        s.printBackground = f.nextBool(false);
        s.partialPlacement = f.nextBool(false);
        s.backgroundLeft = f.nextInt(0);
        s.backgroundTop = f.nextInt(0);
        s.backgroundWidth = f.nextInt(0);
        s.backgroundHeight = f.nextInt(0);
        s.backgroundFile = f.next();
        break;
    }
    default:
        break;
    }
}

void TSestavaTyp::readGroupRecord(TemplateFields &f)
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
        fieldIndex = std::max(0, findField(field));
    }
    TPolSkup &group = addGroup(fieldIndex, fieldName);
    group.header->visible = f.nextBool(false);
    group.header->height = f.nextInt(0);
    group.footer->visible = f.nextBool(false);
    group.footer->height = f.nextInt(0);
    group.newPage = f.nextBool(false);
}

void TSestavaTyp::readFunction(const QString &line)
{
    TemplateFields f(line);
    f.skip(2); // tag, running number
    TRadekFunkce &function = m_functions.add();
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

// ---------------------------------------------------------------- writer

QString TSestavaTyp::writeElement(const TRastelReportElement &element, const QString &tag)
{
    return element.writeRecord(tag);
}

TPredloha TSestavaTyp::writeTemplate() const
{
    TPredloha out;
    const TSestNastaveni &s = m_settings;
    const TPageSetup &page = pageSetup();

    out << u"I,0,"_s + TemplateText::quoted(m_popis);
    out << u"I,1,6,40,27"_s;
    out << QStringList{u"I,2"_s,
                       number(page.orientationCode()),
                       number(page.paperWidth),
                       number(page.paperHeight),
                       number(page.leftMargin),
                       number(page.rightMargin),
                       number(page.topMargin),
                       number(page.bottomMargin),
                       number(s.printColumns),
                       number(s.columnGap)}
               .join(u',');
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        const TOddilSestavy &section = *m_sections.find(id);
        int switches = 0;
        switch (id) {
        case TOddilSestavy::ReportHeader:
            switches = s.breakAfterReportHeader ? 1 : 0;
            break;
        case TOddilSestavy::PageHeader:
            switches = s.noPageHeaderOnFirstPage ? 1 : 0;
            break;
        case TOddilSestavy::Body:
            switches = s.newBodyOnNewPage ? 1 : 0;
            break;
        case TOddilSestavy::ReportFooter:
            switches = (s.breakBeforeReportFooter ? 1 : 0) | (s.reportFooterAtPageFooter ? 2 : 0);
            break;
        case TOddilSestavy::PageFooter:
            switches = s.noPageFooterOnLastPage ? 1 : 0;
            break;
        }
        out << QStringList{u"I,3"_s, number(id), flag(section.visible), number(section.height), number(switches)}.join(
            u',');
    }
    for (int g = 0; g < m_groups.count(); ++g) {
        const TPolSkup &group = m_groups.at(g);
        const QString field =
            group.fieldName.isEmpty() ? number(group.fieldIndex) : TemplateText::bare(group.fieldName);
        out << QStringList{u"I,4"_s,
                           number(g),
                           field,
                           flag(group.header->visible),
                           number(group.header->height),
                           flag(group.footer->visible),
                           number(group.footer->height),
                           flag(group.newPage)}
                   .join(u',');
    }
    out << u"I,5,"_s + number(s.storedValue);
    out << QStringList{u"I,6"_s,        number(s.gridType), number(s.gridX),   number(s.gridY), number(s.lineSpacing),
                       number(s.pitch), flag(s.showGrid),   flag(s.snapToGrid)}
               .join(u',');
    out << QStringList{u"I,7"_s,
                       flag(s.ownBackground),
                       flag(s.printBackground),
                       flag(s.partialPlacement),
                       number(s.backgroundLeft),
                       number(s.backgroundTop),
                       number(s.backgroundWidth),
                       number(s.backgroundHeight),
                       TemplateText::bare(s.backgroundFile)}
               .join(u',');

    // The description and the initial value are quoted like every other
    // text, inner quotes doubled, so that they read back as written.
    for (int i = 0; i < m_functions.count(); ++i) {
        const TRadekFunkce &fn = m_functions.at(i);
        out << QStringList{u"F"_s,
                           number(i),
                           TemplateText::bare(fn.name),
                           TemplateText::quoted(fn.description),
                           number(fn.resultType),
                           TemplateText::quoted(fn.initialValue),
                           number(fn.resetPoint),
                           TemplateText::quoted(fn.expression),
                           number(fn.aggregateKind),
                           number(fn.precision),
                           number(fn.digits),
                           number(fn.format)}
                   .join(u',');
    }

    QList<int> order{TOddilSestavy::ReportHeader, TOddilSestavy::PageHeader, TOddilSestavy::Body,
                     TOddilSestavy::ReportFooter, TOddilSestavy::PageFooter};
    for (int g = 0; g < m_groups.count(); ++g)
        order << TOddilSestavy::groupHeaderId(g) << TOddilSestavy::groupFooterId(g);
    for (int id : order) {
        const TOddilSestavy &section = *m_sections.find(id);
        const QString tag = sectionTag(id);
        for (int e = 0; e < section.count(); ++e)
            out << section.at(e).writeRecord(tag);
    }

    for (size_t n = 0; n < m_details.size(); ++n) {
        const QString prefix = kDetailTag + QString::number(n) + u',';
        for (const QString &line : m_details[n]->writeTemplate())
            out << prefix + line;
    }
    return out;
}

// The template reader of TSestavaTyp: the template's lines become the
// report model (settings, user functions, elements, detail templates).

#include "report/core/template/TemplateReader.h"

#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/template/TemplateFields.h"

#include <QHash>

using namespace Qt::StringLiterals;
using namespace TemplateReader;

namespace {

QString firstField(const QString &line)
{
    return TemplateFields(line).next();
}

} // namespace

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
    m_settings = ReportOptions();
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
            PageSetup &page = pageSetup();
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
        ReportOptions &s = m_settings;
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
        ReportOptions &s = m_settings;
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

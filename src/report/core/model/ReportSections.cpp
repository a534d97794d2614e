#include "report/core/model/ReportSections.h"

#include "common/FileNames.h"
#include "report/core/Report.h"
#include "report/core/template/ReportColors.h"
#include "report/core/template/TemplateFields.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

using namespace Qt::StringLiterals;

// ---------------------------------------------------------------- captions

QString ElementKind::designerName(int kind)
{
    switch (kind) {
    case GraphicText:
        return u"Grafický text"_s;
    case Field:
        return u"Položka tabulky"_s;
    case FieldLabel:
        return u"Popis položky"_s;
    case Parameter:
        return u"Parametr"_s;
    case SystemVariable:
        return u"Proměnná"_s;
    case UserFunction:
        return u"Funkce"_s;
    case Line:
        return u"Úsečka"_s;
    case Rectangle:
        return u"Rámeček"_s;
    case RoundRectangle:
        return u"Zaoblený rámeček"_s;
    case Ellipse:
        return u"Elipsa"_s;
    case Picture:
        return u"Obrázek"_s;
    case Barcode:
        return u"Čárový kód"_s;
    case PaintBox:
        return u"Kreslicí plocha"_s;
    case Detail:
        return u"Detail"_s;
    default:
        return u"Neznámý"_s;
    }
}

QString SystemVariable::caption(int index)
{
    switch (index) {
    case PrintDate:
        return u"Datum tisku"_s;
    case PrintTime:
        return u"Čas tisku"_s;
    case RowNumber:
        return u"Pořadové číslo řádku"_s;
    case PageNumber:
        return u"Číslo strany"_s;
    case PageCount:
        return u"Celkový počet stran"_s;
    default:
        break;
    }
    if (index < FirstGroup)
        return QString();
    const int group = (index - FirstGroup) / 2;
    const QString number = QString::number(group + 1);
    return (index - FirstGroup) % 2 == 0 ? u"Číslo řádku ve skupině "_s + number : u"Číslo skupiny "_s + number;
}

QString TOddilSestavy::caption(int sectionId)
{
    switch (sectionId) {
    case ReportHeader:
        return u"Začátek sestavy"_s;
    case PageHeader:
        return u"Hlava stránky"_s;
    case Body:
        return u"Tělo sestavy"_s;
    case ReportFooter:
        return u"Konec sestavy"_s;
    case PageFooter:
        return u"Pata stránky"_s;
    default:
        return sectionId >= FirstGroup && (sectionId - FirstGroup) % 2 == 0 ? u"Začátek skupiny"_s : u"Konec skupiny"_s;
    }
}

// ---------------------------------------------------------------- sections and groups

TRastelReportElement &TOddilSestavy::addElement(TSestavaTyp *owner)
{
    m_elements.push_back(std::make_unique<TRastelReportElement>(owner));
    return *m_elements.back();
}

TListOddilu::TListOddilu()
{
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id)
        add(id);
}

TOddilSestavy *TListOddilu::find(int sectionId) const
{
    for (const auto &section : m_sections) {
        if (section->id == sectionId)
            return section.get();
    }
    return nullptr;
}

TOddilSestavy &TListOddilu::add(int sectionId)
{
    m_sections.push_back(std::make_unique<TOddilSestavy>(sectionId));
    return *m_sections.back();
}

void TListOddilu::remove(const TOddilSestavy *section)
{
    for (auto it = m_sections.begin(); it != m_sections.end(); ++it) {
        if (it->get() == section) {
            m_sections.erase(it);
            return;
        }
    }
}

TPolSkup &TListSkupin::add()
{
    m_groups.push_back(std::make_unique<TPolSkup>());
    m_groups.back()->number = count() - 1;
    return *m_groups.back();
}

// ---------------------------------------------------------------- element records

namespace {
// The first field is a name when it is not empty and does not begin with a digit.
bool isName(const QString &field)
{
    return !field.isEmpty() && !field.at(0).isDigit();
}

// The directory part of a picture file is not written: pictures are looked
// for in the report's picture directory.
QString withoutDirectory(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}
} // namespace

void TRastelReportElement::readRecord(TemplateFields &fields)
{
    kind = fields.nextInt(0);
    const QString ref = fields.next();
    if (isName(ref)) {
        int found = 0;
        if (m_owner && (kind == ElementKind::Field || kind == ElementKind::FieldLabel))
            found = m_owner->findField(ref);
        else if (m_owner && kind == ElementKind::UserFunction)
            found = m_owner->findFunction(ref);
        reference = std::max(found, 0);
        if (kind == ElementKind::Field || kind == ElementKind::FieldLabel || kind == ElementKind::UserFunction)
            setReferenceName(ref);
        else
            referenceName.clear();
    } else {
        int number = 0;
        TemplateFields::parseInt(ref, &number);
        reference = number;
        referenceName.clear();
    }
    left = fields.nextInt(0);
    top = fields.nextInt(0);
    width = fields.nextInt(0);
    height = fields.nextInt(0);

    if (ElementKind::isText(kind))
        readTextKind(fields);
    else if (ElementKind::isGraphic(kind))
        readGraphicKind(fields);
    // Details (15) and unknown kinds carry only their box.
}

void TRastelReportElement::readTextKind(TemplateFields &fields)
{
    QString fontName = fields.next();
    const qint64 size = fields.nextInt(0);
    const int colour = fields.nextInt(0);
    const int style = fields.nextInt(0);
    const int alignField = fields.nextInt(0);
    const int options = fields.nextInt(0);
    int charset = fields.nextInt(0);
    const QString recordText = fields.next();
    spacing = fields.nextInt(0);
    angle = fields.nextInt(0);
    extra = fields.nextInt(0);

    // Kind 5 of templates older than 1.x.3: the page count (4) came later.
    if (kind == ElementKind::SystemVariable && m_owner && m_owner->settings().isBeforePageCount() && reference > 3 &&
        reference < std::numeric_limits<int>::max())
        ++reference;
    if ((kind == ElementKind::Field || kind == ElementKind::FieldLabel) &&
        (reference < 0 || !m_owner || reference >= m_owner->fieldCount()))
        reference = 0;

    alignmentValue = alignField & 3;
    textFlags = alignField & 0xF8;
    ReportFonts::resolveSuffix(fontName, charset);
    font.name = fontName;
    // A negative size is a height in pixels at 100 pixels per inch.
    font.size = size < 0 ? int((-size * 72 + 50) / 100) : int(size);
    font.style = style;
    font.colour = ReportColors::fromIndex(colour);
    font.charset = charset;
    optionFlags = options;

    if (kind == ElementKind::GraphicText || kind == ElementKind::SystemVariable)
        text = recordText;
    else
        text.clear();
}

void TRastelReportElement::readGraphicKind(TemplateFields &fields)
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
    penWidth = penField;
    penColour = ReportColors::fromIndex(pen);
    penStyle = style;
    // A line thicker than one pixel is drawn solid.
    if (kind == ElementKind::Line && penWidth != 1)
        penStyle = 0;
    optionFlags = options;
    fillColour = ReportColors::fromIndex(fill);
    fillStyle = fillOrScale;
    text.clear();

    switch (kind) {
    case ElementKind::Rectangle:
    case ElementKind::RoundRectangle:
    case ElementKind::Ellipse:
        reference = kind;
        break;
    case ElementKind::Picture:
        text = fields.next();
        loadPicture();
        break;
    case ElementKind::Barcode:
        text = fields.next();
        spacing = fields.nextInt(0);
        angle = fields.nextInt(0);
        extra = fields.nextInt(0);
        break;
    case ElementKind::PaintBox:
        fillStyle = qBound(1, fillOrScale, 6);
        break;
    default:
        break;
    }
}

QString TRastelReportElement::writeRecord(const QString &sectionTag) const
{
    QStringList f;
    f << sectionTag << QString::number(kind);
    if (ElementKind::isText(kind) && !referenceName.isEmpty())
        f << TemplateText::bare(referenceName);
    else
        f << QString::number(reference);
    f << QString::number(left) << QString::number(top) << QString::number(width) << QString::number(height);
    if (ElementKind::isText(kind)) {
        f << TemplateText::bare(font.name) << QString::number(font.size)
          << QString::number(ReportColors::toIndex(font.colour)) << QString::number(font.style)
          << QString::number(alignmentValue | textFlags) << QString::number(optionFlags)
          << QString::number(font.charset) << TemplateText::quoted(text) << QString::number(spacing)
          << QString::number(angle) << QString::number(extra);
    } else if (ElementKind::isGraphic(kind)) {
        f << QString() << QString::number(penWidth) << QString::number(ReportColors::toIndex(penColour))
          << QString::number(penStyle) << QString::number(optionFlags)
          << QString::number(ReportColors::toIndex(fillColour)) << QString::number(fillStyle);
        if (kind == ElementKind::Picture)
            f << TemplateText::quoted(withoutDirectory(text));
        // A barcode's text is an expression, not a file: it is written whole
        // (cutting it at a "/" or "\" would change what the barcode encodes).
        if (kind == ElementKind::Barcode) {
            f << TemplateText::quoted(text) << QString::number(spacing) << QString::number(angle)
              << QString::number(extra);
        }
    }
    return f.join(u',');
}

// ---------------------------------------------------------------- values

void TRastelReportElement::refreshValue()
{
    if (kind != ElementKind::Field || !m_owner)
        return;
    const int dataType = m_owner->fieldDataType(reference);
    if (dataType == ftBlob || dataType == ftGraphic || dataType == ftTypedBinary) {
        picture = m_owner->fieldPicture(reference);
        return;
    }
    try {
        value = m_owner->fieldValue(reference);
        if (dataType == ftMemo || dataType == ftFmtMemo)
            value.text = m_owner->fieldMemoText(reference);
    } catch (...) {
        value.clear();
        value.text = QStringLiteral("????");
    }
}

QString TRastelReportElement::displayText() const
{
    if (!m_owner)
        return kind == ElementKind::GraphicText ? text : QString();
    switch (kind) {
    case ElementKind::GraphicText:
        return text;
    case ElementKind::Field:
        return value.text;
    case ElementKind::FieldLabel:
        return m_owner->fieldLabel(reference);
    case ElementKind::Parameter:
        return m_owner->parameter(reference);
    case ElementKind::SystemVariable:
        return m_owner->systemVariableText(reference, text);
    case ElementKind::UserFunction:
        if (reference < 0 || reference >= m_owner->functions().count())
            return QStringLiteral("????");
        return m_owner->functions().displayText(reference);
    default:
        return QString();
    }
}

bool TRastelReportElement::loadPicture()
{
    picture = QImage();
    pictureFile.clear();
    const QString name = text.trimmed();
    if (name.isEmpty() || !m_owner)
        return false;
    if (m_owner->OnNactiObraz) {
        if (!m_owner->OnNactiObraz(m_owner, name, picture))
            return false;
        pictureFile = name;
        return true;
    }
    const QString path = QDir::isAbsolutePath(name) ? name : m_owner->pictureDir() + withoutDirectory(name);
    const QString resolved = FileNames::resolve(path);
    if (!QFileInfo(resolved).isFile() || !picture.load(resolved))
        return false;
    pictureFile = resolved;
    return true;
}

#include "report/ui/designer/ElementDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "report/core/Report.h"
#include "report/core/output/Barcode.h"
#include "report/core/template/ReportColors.h"
#include "report/core/template/TemplateWriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using Flag = TRastelReportElement;

QSpinBox *spin(QWidget *parent, const QString &name, int minimum, int maximum, int value)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QCheckBox *check(QWidget *parent, const QString &caption, const QString &name, bool on)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(on);
    return box;
}

QComboBox *combo(QWidget *parent, const QString &name, const QStringList &items, int current)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(std::clamp(current, 0, int(items.size()) - 1));
    return box;
}

// Several controls side by side as one form row.
QWidget *row(QWidget *parent, std::initializer_list<QWidget *> widgets)
{
    auto *box = new QWidget(parent);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : widgets)
        layout->addWidget(w);
    layout->addStretch();
    return box;
}

} // namespace

TDlgKonfPrvku::TDlgKonfPrvku(const TSestavaTyp &report, const TRastelReportElement &element, bool fontsAlphabetical,
                             QWidget *parent)
    : QDialog(parent), m_report(report), m_element(element)
{
    setObjectName(u"TDlgKonfPrvku"_s);
    setWindowTitle(u"Nastavení vlastností prvku"_s);
    const int kind = element.kind;
    const bool text = ElementKind::isText(kind);
    auto *layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    layout->addLayout(m_form);
    addRow(u"Druh prvku:"_s, new QLabel(ElementKind::designerName(kind), this), true);

    m_left = spin(this, u"edtLeft"_s, -10000, 100000, element.left);
    m_top = spin(this, u"edtTop"_s, -10000, 100000, element.top);
    m_width = spin(this, u"edtWidth"_s, 0, 100000, element.width);
    m_height = spin(this, u"edtHeight"_s, 0, 100000, element.height);
    addRow(u"Poloha:"_s, row(this, {m_left, m_top}), true);
    addRow(u"Rozměry:"_s, row(this, {m_width, m_height}), true);

    // The text field carries what the kind keeps in the element's text.
    const bool hasText = kind == ElementKind::GraphicText || kind == ElementKind::SystemVariable ||
                         kind == ElementKind::Picture || kind == ElementKind::Barcode;
    m_text = new QLineEdit(element.text, this);
    m_text->setObjectName(u"edtText"_s);
    QString textLabel = u"Text:"_s;
    if (kind == ElementKind::SystemVariable)
        textLabel = u"Formát:"_s;
    else if (kind == ElementKind::Barcode)
        textLabel = u"Výraz:"_s;
    else if (kind == ElementKind::Picture)
        textLabel = u"Soubor obrázku:"_s;
    if (kind == ElementKind::Picture) {
        auto *browse = DialogParts::button(u"..."_s, u"btnSoubor"_s, this);
        connect(browse, &QPushButton::clicked, this, &TDlgKonfPrvku::choosePicture);
        addRow(textLabel, row(this, {m_text, browse}), true);
    } else {
        addRow(textLabel, m_text, hasText);
    }

    m_reference = new QComboBox(this);
    m_reference->setObjectName(u"cbReference"_s);
    fillReferences();
    const bool listed = kind >= ElementKind::Field && kind <= ElementKind::UserFunction;
    addRow(u"Odkaz:"_s, m_reference, listed);
    m_number = spin(this, u"edtCislo"_s, 0, 9999, element.reference);
    addRow(kind == ElementKind::Detail ? u"Číslo detailu:"_s : u"Číslo plochy:"_s, m_number,
           kind == ElementKind::Detail || kind == ElementKind::PaintBox);
    m_referenceName = new QLineEdit(element.referenceName, this);
    m_referenceName->setObjectName(u"edtNazevOdkazu"_s);
    m_referenceName->setMaxLength(TRastelReportElement::MaxReferenceName);
    addRow(u"Sledovat podle názvu:"_s, m_referenceName,
           kind == ElementKind::Field || kind == ElementKind::FieldLabel || kind == ElementKind::UserFunction);

    // Font: the installed families, sorted when the designer asks for it; a
    // name that is not installed stays in the list so that it is not lost.
    m_font = new QComboBox(this);
    m_font->setObjectName(u"cbFont"_s);
    m_font->setEditable(true);
    QStringList families = QFontDatabase::families();
    if (!families.contains(element.font.name))
        families.prepend(element.font.name);
    if (fontsAlphabetical)
        families.sort(Qt::CaseInsensitive);
    m_font->addItems(families);
    m_font->setCurrentText(element.font.name);
    m_fontSize = spin(this, u"edtFontSize"_s, -1000, 1000, element.font.size);
    const bool fonted = text || kind == ElementKind::Barcode;
    addRow(u"Písmo:"_s, row(this, {m_font, m_fontSize}), fonted);
    m_bold = check(this, u"Tučné"_s, u"chkBold"_s, element.font.style & FontDef::Bold);
    m_italic = check(this, u"Kurzíva"_s, u"chkItalic"_s, element.font.style & FontDef::Italic);
    m_underline = check(this, u"Podtržené"_s, u"chkUnderline"_s, element.font.style & FontDef::Underline);
    m_strikeOut = check(this, u"Přeškrtnuté"_s, u"chkStrikeOut"_s, element.font.style & FontDef::StrikeOut);
    addRow(u"Řez:"_s, row(this, {m_bold, m_italic, m_underline, m_strikeOut}), fonted);
    m_fontColour = colourCombo(u"cbFontColour"_s, element.font.colour);
    addRow(u"Barva písma:"_s, m_fontColour, fonted);

    m_alignment = combo(this, u"cbAlign"_s, {u"vlevo"_s, u"vpravo"_s, u"na střed"_s}, element.alignmentValue);
    addRow(u"Zarovnání:"_s, m_alignment, text || kind == ElementKind::Picture || kind == ElementKind::PaintBox);
    m_multiLine = check(this, u"Víceřádkový"_s, u"chkMultiLine"_s, element.textFlags & Flag::MultiLine);
    m_justify = check(this, u"Zarovnat do bloku"_s, u"chkJustify"_s, element.textFlags & Flag::Justify);
    m_variableHeight =
        check(this, u"Proměnná výška"_s, u"chkVariableHeight"_s, element.textFlags & Flag::VariableHeight);
    m_rtf = check(this, u"RTF text"_s, u"chkRtf"_s, element.textFlags & Flag::RtfText);
    addRow(u"Vlastnosti textu:"_s, row(this, {m_multiLine, m_justify, m_variableHeight, m_rtf}), text);

    // The option bits: the frame of a box, or a line element's lines.
    const bool line = kind == ElementKind::Line;
    const QStringList lineNames = line ? QStringList{u"vlevo"_s,        u"nahoře"_s,        u"vpravo"_s, u"dole"_s,
                                                     u"úhlopříčka /"_s, u"úhlopříčka \\"_s, u"elipsa"_s}
                                       : QStringList{u"vlevo"_s, u"nahoře"_s, u"vpravo"_s, u"dole"_s};
    auto *lines = new QWidget(this);
    auto *linesLayout = new QHBoxLayout(lines);
    linesLayout->setContentsMargins(0, 0, 0, 0);
    for (int bit = 0; bit < lineNames.size(); ++bit) {
        m_lines.push_back(check(lines, lineNames.at(bit), u"chkCara%1"_s.arg(bit), element.optionFlags & (1 << bit)));
        linesLayout->addWidget(m_lines.back());
    }
    const bool framed = text || line || kind == ElementKind::Picture || kind == ElementKind::Barcode ||
                        kind == ElementKind::PaintBox || kind == ElementKind::Detail;
    addRow(line ? u"Čáry:"_s : u"Rámeček:"_s, lines, framed);

    // Pen: the lines and frames; a barcode keeps its type and bar width there.
    const bool barcode = kind == ElementKind::Barcode;
    m_penColour = colourCombo(u"cbPenColour"_s, element.penColour);
    addRow(u"Barva čáry:"_s, m_penColour, framed || ElementKind::isGraphic(kind));
    m_penStyle =
        combo(this, u"cbPenStyle"_s, {u"plná"_s, u"čárkovaná"_s, u"tečkovaná"_s, u"čerchovaná"_s, u"dvojtečkovaná"_s},
              barcode ? 0 : element.penStyle);
    m_penWidth = spin(this, u"edtPenWidth"_s, 1, 100, barcode ? 1 : element.penWidth);
    addRow(u"Styl a tloušťka čáry:"_s, row(this, {m_penStyle, m_penWidth}),
           !barcode && (framed || ElementKind::isGraphic(kind)));
    m_fillColour = colourCombo(u"cbFillColour"_s, element.fillColour);
    addRow(u"Barva výplně:"_s, m_fillColour,
           text || (kind >= ElementKind::Rectangle && kind <= ElementKind::Ellipse) || barcode);
    m_fillStyle = combo(this, u"cbFillStyle"_s,
                        {u"plná"_s, u"žádná"_s, u"vodorovné šrafy"_s, u"svislé šrafy"_s, u"šikmé šrafy \\"_s,
                         u"šikmé šrafy /"_s, u"mřížka"_s, u"šikmá mřížka"_s},
                        kind == ElementKind::PaintBox ? 0 : element.fillStyle);
    addRow(u"Výplň:"_s, m_fillStyle, kind >= ElementKind::Rectangle && kind <= ElementKind::Ellipse);

    m_spacing = spin(this, u"edtSpacing"_s, -1000, 1000, element.spacing);
    addRow(u"Rozteč znaků:"_s, m_spacing, text);
    m_angle = spin(this, u"edtAngle"_s, -360, 360, element.angle);
    addRow(u"Sklon textu:"_s, m_angle, text);

    // Picture placement: natural size, stretched to the box, or fitted keeping its proportions.
    m_pictureNatural = new QRadioButton(u"Skutečná velikost"_s, this);
    m_pictureNatural->setObjectName(u"rbObrazSkutecna"_s);
    m_pictureStretch = new QRadioButton(u"Velikost podle okna"_s, this);
    m_pictureStretch->setObjectName(u"rbObrazOkno"_s);
    m_pictureAspect = new QRadioButton(u"Zachovat poměr stran"_s, this);
    m_pictureAspect->setObjectName(u"rbObrazPomer"_s);
    const int placement = element.optionFlags & (Flag::Stretch | Flag::KeepAspect);
    (placement == (Flag::Stretch | Flag::KeepAspect) ? m_pictureAspect
     : placement & Flag::Stretch                     ? m_pictureStretch
                                                     : m_pictureNatural)
        ->setChecked(true);
    const bool picture = kind == ElementKind::Picture;
    addRow(u"Umístění obrázku:"_s, row(this, {m_pictureNatural, m_pictureStretch, m_pictureAspect}), picture);
    m_pictureChanges =
        check(this, u"Povolit změnu"_s, u"chkPovolitZmenu"_s, element.optionFlags & Flag::PictureChanges);
    addRow(QString(), m_pictureChanges, picture);

    QStringList types;
    for (int t = 0; t < BarcodeType::Count; ++t)
        types << BarcodeType::name(t);
    m_barcodeType = combo(this, u"cbBarcodeType"_s, types, barcode ? BarcodeType::normalized(element.penStyle) : 0);
    addRow(u"Typ kódu:"_s, m_barcodeType, barcode);
    m_checkDigit =
        check(this, u"Vytvářet kontrolní součet"_s, u"chkKontrolniSoucet"_s, element.optionFlags & Flag::Stretch);
    m_barcodeText = check(this, u"Tisknout text"_s, u"chkTisknoutText"_s, element.optionFlags & Flag::KeepAspect);
    addRow(QString(), row(this, {m_checkDigit, m_barcodeText}), barcode);
    if (barcode)
        addRow(u"Šířka čáry kódu:"_s, m_penWidth = spin(this, u"edtBarWidth"_s, 0, 100, element.penWidth), true);

    m_scale = combo(this, u"cbScale"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s},
                    std::clamp(element.fillStyle, 1, 6) - 1);
    addRow(u"Měřítko kreslení:"_s, m_scale, kind == ElementKind::PaintBox);

    QPushButton *ok = DialogParts::addOkStorno(this, layout);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TDlgKonfPrvku::addRow(const QString &label, QWidget *field, bool applies)
{
    m_form->addRow(label, field);
    m_form->setRowVisible(field, applies);
}

QComboBox *TDlgKonfPrvku::colourCombo(const QString &name, const QColor &colour)
{
    QStringList names;
    for (int i = 0; i < ReportColors::Count; ++i)
        names << ReportColors::name(i);
    return combo(this, name, names, ReportColors::toIndex(colour));
}

void TDlgKonfPrvku::fillReferences()
{
    const ReportModel &model = m_report.model();
    QStringList items;
    switch (m_element.kind) {
    case ElementKind::Field:
    case ElementKind::FieldLabel:
        items = m_report.fieldNames();
        break;
    case ElementKind::Parameter:
        items = m_report.parametry();
        break;
    case ElementKind::SystemVariable:
        for (int i = 0; i < SystemVariable::FirstGroup + 2 * model.groups().count(); ++i)
            items << SystemVariable::caption(i);
        break;
    case ElementKind::UserFunction:
        for (int i = 0; i < model.functions().count(); ++i)
            items << model.functions().at(i).name;
        break;
    default:
        break;
    }
    // A reference outside the list (a template made for other data) stays as it was.
    while (items.size() <= m_element.reference && m_element.reference >= 0 && m_element.reference < 10000)
        items << u"%1 (?)"_s.arg(items.size());
    m_reference->addItems(items);
    m_reference->setCurrentIndex(m_element.reference);
}

void TDlgKonfPrvku::choosePicture()
{
    FileDialogRequest request;
    request.title = u"Soubor obrázku"_s;
    request.filter =
        u"Obrázky (*.bmp;*.jpg;*.png;*.wmf;*.emf)|*.bmp;*.jpg;*.png;*.wmf;*.emf|Všechny soubory (*.*)|*.*"_s;
    request.fileName = m_text->text();
    const QString file = ui().openFileName(request);
    if (!file.isEmpty())
        m_text->setText(file);
}

TRastelReportElement TDlgKonfPrvku::edited() const
{
    TRastelReportElement e = m_element;
    const int kind = e.kind;
    e.left = m_left->value();
    e.top = m_top->value();
    e.width = m_width->value();
    e.height = m_height->value();
    if (kind == ElementKind::Picture || m_form->isRowVisible(m_text))
        e.setText(m_text->text());
    if (kind >= ElementKind::Field && kind <= ElementKind::UserFunction)
        e.reference = m_reference->currentIndex();
    else if (kind == ElementKind::Detail || kind == ElementKind::PaintBox)
        e.reference = m_number->value();
    if (m_form->isRowVisible(m_referenceName))
        e.setReferenceName(m_referenceName->text().trimmed());
    if (ElementKind::isText(kind) || kind == ElementKind::Barcode) {
        e.font.name = m_font->currentText().trimmed().isEmpty() ? e.font.name : m_font->currentText().trimmed();
        e.font.size = m_fontSize->value();
        e.font.style = (m_bold->isChecked() ? FontDef::Bold : 0) | (m_italic->isChecked() ? FontDef::Italic : 0) |
                       (m_underline->isChecked() ? FontDef::Underline : 0) |
                       (m_strikeOut->isChecked() ? FontDef::StrikeOut : 0);
        e.font.colour = ReportColors::fromIndex(m_fontColour->currentIndex());
    }
    if (m_form->isRowVisible(m_alignment))
        e.alignmentValue = m_alignment->currentIndex();
    if (ElementKind::isText(kind)) {
        int flags = e.textFlags & ~(Flag::MultiLine | Flag::Justify | Flag::VariableHeight | Flag::RtfText);
        flags |= (m_multiLine->isChecked() ? int(Flag::MultiLine) : 0) |
                 (m_justify->isChecked() ? int(Flag::Justify) : 0) |
                 (m_variableHeight->isChecked() ? int(Flag::VariableHeight) : 0) |
                 (m_rtf->isChecked() ? int(Flag::RtfText) : 0);
        e.textFlags = flags;
        e.spacing = m_spacing->value();
        e.angle = m_angle->value();
    }
    int options = e.optionFlags;
    if (m_form->isRowVisible(m_lines.front()->parentWidget()))
        for (size_t bit = 0; bit < m_lines.size(); ++bit)
            options = m_lines[bit]->isChecked() ? options | (1 << bit) : options & ~(1 << bit);
    if (kind == ElementKind::Picture) {
        options &= ~(Flag::Stretch | Flag::KeepAspect | Flag::PictureChanges);
        if (m_pictureStretch->isChecked())
            options |= Flag::Stretch;
        else if (m_pictureAspect->isChecked())
            options |= Flag::Stretch | Flag::KeepAspect;
        if (m_pictureChanges->isChecked())
            options |= Flag::PictureChanges;
    }
    if (kind == ElementKind::Barcode) {
        options &= ~(Flag::Stretch | Flag::KeepAspect);
        options |= (m_checkDigit->isChecked() ? int(Flag::Stretch) : 0) |
                   (m_barcodeText->isChecked() ? int(Flag::KeepAspect) : 0);
        e.penStyle = m_barcodeType->currentIndex();
        e.penWidth = m_penWidth->value();
    } else if (m_form->isRowVisible(m_penStyle->parentWidget())) {
        e.penStyle = m_penStyle->currentIndex();
        e.penWidth = m_penWidth->value();
    }
    e.optionFlags = options;
    if (m_form->isRowVisible(m_penColour))
        e.penColour = ReportColors::fromIndex(m_penColour->currentIndex());
    if (m_form->isRowVisible(m_fillColour))
        e.fillColour = ReportColors::fromIndex(m_fillColour->currentIndex());
    if (m_form->isRowVisible(m_fillStyle))
        e.fillStyle = m_fillStyle->currentIndex();
    if (kind == ElementKind::PaintBox)
        e.fillStyle = m_scale->currentIndex() + 1;
    return e;
}

bool TDlgKonfPrvku::edit(const TSestavaTyp &report, TRastelReportElement &element, bool fontsAlphabetical,
                         QWidget *parent)
{
    TDlgKonfPrvku dialog(report, element, fontsAlphabetical, parent);
    if (ui().execModal(dialog) != QDialog::Accepted)
        return false;
    TRastelReportElement changed = dialog.edited();
    // Compared as the template stores them, so a control that only shows a
    // value (a colour the table cannot name) does not count as a change.
    const bool differs =
        TemplateWriter::elementRecord(changed, u"X"_s) != TemplateWriter::elementRecord(element, u"X"_s);
    if (differs)
        element = changed;
    return differs;
}

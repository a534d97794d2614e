// "Nastavení vlastností prvku": the controls of an element's kind, a changed
// value reaching the element, "Storno" leaving it alone.
#include "DataFixture.h"

#include "report/core/output/Barcode.h"
#include "report/core/template/TemplateWriter.h"
#include "report/ui/designer/ElementDialog.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;
using namespace TestSupport;

class ElementDialogTest : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        m_report.collectFields(); // the field list the dialog offers
    }
    TRastelReportElement &textElement()
    {
        TRastelReportElement &e =
            add(TOddilSestavy::Body, ElementKind::GraphicText, 0, QRect(10, 20, 200, 30), u"Součet"_s);
        e.font.name = u"Liberation Sans"_s;
        return e;
    }
    TRastelReportElement &barcodeElement()
    {
        TRastelReportElement &e = add(TOddilSestavy::Body, ElementKind::Barcode, 0, QRect(0, 0, 300, 80), u"Doklad"_s);
        e.penStyle = BarcodeType::Code39;
        e.penWidth = 2;
        return e;
    }
    static bool shown(QDialog &w, const QString &name)
    {
        return !child<QWidget>(w, name)->isHidden() && child<QWidget>(w, name)->isVisibleTo(&w);
    }
};

TEST_F(ElementDialogTest, TextElementShowsTextControlsAndTakesANewText)
{
    TRastelReportElement &element = textElement();
    const QString before = TemplateWriter::elementRecord(element, u"X"_s);
    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Nastavení vlastností prvku"_s);
        EXPECT_TRUE(shown(w, u"edtText"_s));
        EXPECT_TRUE(shown(w, u"cbFont"_s));
        EXPECT_TRUE(shown(w, u"chkMultiLine"_s));
        EXPECT_TRUE(shown(w, u"edtAngle"_s));
        EXPECT_FALSE(shown(w, u"cbBarcodeType"_s));
        EXPECT_FALSE(shown(w, u"rbObrazOkno"_s));
        EXPECT_FALSE(shown(w, u"cbReference"_s));
        EXPECT_FALSE(shown(w, u"cbScale"_s));
        EXPECT_EQ(child<QLineEdit>(w, u"edtText"_s)->text(), u"Součet"_s);
        EXPECT_EQ(child<QSpinBox>(w, u"edtLeft"_s)->value(), 10);
        child<QLineEdit>(w, u"edtText"_s)->setText(u"Celkem"_s);
        child<QCheckBox>(w, u"chkBold"_s)->setChecked(true);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TDlgKonfPrvku::edit(m_report, element));
    EXPECT_EQ(element.text, u"Celkem"_s);
    EXPECT_EQ(element.font.style, int(FontDef::Bold));
    // Nothing else moved.
    EXPECT_EQ(element.left, 10);
    EXPECT_EQ(element.width, 200);
    EXPECT_EQ(element.font.name, u"Liberation Sans"_s);
    EXPECT_NE(TemplateWriter::elementRecord(element, u"X"_s), before);
}

TEST_F(ElementDialogTest, BarcodeElementShowsBarcodeControlsAndTakesANewType)
{
    TRastelReportElement &element = barcodeElement();
    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) {
        EXPECT_TRUE(shown(w, u"cbBarcodeType"_s));
        EXPECT_TRUE(shown(w, u"chkKontrolniSoucet"_s));
        EXPECT_TRUE(shown(w, u"edtText"_s)); // the expression
        EXPECT_FALSE(shown(w, u"chkMultiLine"_s));
        EXPECT_FALSE(shown(w, u"cbPenStyle"_s)); // the pen style holds the type
        auto *type = child<QComboBox>(w, u"cbBarcodeType"_s);
        EXPECT_EQ(type->currentText(), BarcodeType::name(BarcodeType::Code39));
        EXPECT_EQ(child<QSpinBox>(w, u"edtBarWidth"_s)->value(), 2);
        type->setCurrentIndex(BarcodeType::Ean13);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TDlgKonfPrvku::edit(m_report, element));
    EXPECT_EQ(element.penStyle, BarcodeType::Ean13);
    EXPECT_EQ(element.penWidth, 2);
    EXPECT_EQ(element.text, u"Doklad"_s);
    EXPECT_EQ(element.optionFlags, 0);
}

TEST_F(ElementDialogTest, BarcodeOptionsAreItsOptionBits)
{
    TRastelReportElement &element = barcodeElement();
    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) {
        child<QCheckBox>(w, u"chkKontrolniSoucet"_s)->setChecked(true);
        child<QCheckBox>(w, u"chkTisknoutText"_s)->setChecked(true);
        child<QCheckBox>(w, u"chkCara1"_s)->setChecked(true); // frame at the top
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TDlgKonfPrvku::edit(m_report, element));
    EXPECT_EQ(element.optionFlags,
              TRastelReportElement::Stretch | TRastelReportElement::KeepAspect | TRastelReportElement::FrameTop);
}

TEST_F(ElementDialogTest, StornoAndAnUnchangedOkChangeNothing)
{
    TRastelReportElement &element = textElement();
    const QString before = TemplateWriter::elementRecord(element, u"X"_s);
    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) {
        child<QLineEdit>(w, u"edtText"_s)->setText(u"jiný"_s);
        child<QSpinBox>(w, u"edtWidth"_s)->setValue(5);
        click(w, u"btnStorno"_s);
    });
    EXPECT_FALSE(TDlgKonfPrvku::edit(m_report, element));
    EXPECT_EQ(TemplateWriter::elementRecord(element, u"X"_s), before);

    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) { click(w, u"btnOK"_s); });
    EXPECT_FALSE(TDlgKonfPrvku::edit(m_report, element));
    EXPECT_EQ(TemplateWriter::elementRecord(element, u"X"_s), before);
}

TEST_F(ElementDialogTest, FieldElementChoosesItsFieldAndFollowsByName)
{
    TRastelReportElement &element = add(TOddilSestavy::Body, ElementKind::Field, Doklad, QRect(0, 0, 100, 20));
    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) {
        auto *reference = child<QComboBox>(w, u"cbReference"_s);
        EXPECT_EQ(reference->currentText(), u"Doklad"_s);
        EXPECT_FALSE(shown(w, u"edtText"_s));
        reference->setCurrentIndex(Castka);
        child<QLineEdit>(w, u"edtNazevOdkazu"_s)->setText(u"Castka"_s);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TDlgKonfPrvku::edit(m_report, element));
    EXPECT_EQ(element.reference, Castka);
    EXPECT_EQ(element.referenceName, u"Castka"_s);
}

TEST_F(ElementDialogTest, PictureAndPaintBoxShowTheirOwnSettings)
{
    TRastelReportElement &picture =
        add(TOddilSestavy::Body, ElementKind::Picture, 0, QRect(0, 0, 100, 100), u"logo.bmp"_s);
    picture.optionFlags = TRastelReportElement::Stretch | TRastelReportElement::FrameLeft;
    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) {
        EXPECT_TRUE(child<QRadioButton>(w, u"rbObrazOkno"_s)->isChecked());
        EXPECT_FALSE(shown(w, u"cbFont"_s));
        child<QRadioButton>(w, u"rbObrazPomer"_s)->setChecked(true);
        child<QCheckBox>(w, u"chkPovolitZmenu"_s)->setChecked(true);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TDlgKonfPrvku::edit(m_report, picture));
    EXPECT_EQ(picture.optionFlags, TRastelReportElement::Stretch | TRastelReportElement::KeepAspect |
                                       TRastelReportElement::PictureChanges | TRastelReportElement::FrameLeft);
    EXPECT_EQ(picture.text, u"logo.bmp"_s);

    TRastelReportElement &paintBox = add(TOddilSestavy::Body, ElementKind::PaintBox, 3, QRect(0, 0, 100, 100));
    paintBox.fillStyle = 2;
    scriptedUi().onWindow(u"TDlgKonfPrvku"_s, [](QDialog &w) {
        EXPECT_FALSE(shown(w, u"rbObrazOkno"_s));
        EXPECT_EQ(child<QSpinBox>(w, u"edtCislo"_s)->value(), 3);
        auto *scale = child<QComboBox>(w, u"cbScale"_s);
        EXPECT_EQ(scale->currentText(), u"2"_s);
        scale->setCurrentIndex(5);
        click(w, u"btnOK"_s);
    });
    EXPECT_TRUE(TDlgKonfPrvku::edit(m_report, paintBox));
    EXPECT_EQ(paintBox.fillStyle, 6);
    EXPECT_EQ(paintBox.reference, 3);
}

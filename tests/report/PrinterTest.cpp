// The printer the generator prints on: selection, facts and their fallbacks,
// the margin check and fit, the printer list control.

#include "ReportFixture.h"

#include "report/core/model/PageSetup.h"
#include "report/ui/printing/PrinterComboBox.h"
#include "report/ui/printing/QtPrinterList.h"

using namespace Qt::StringLiterals;

namespace {

class Printers : public ReportFixture
{
protected:
    void install()
    {
        // The second printer cannot print on its left 0.25 inch (75 pixels at 300 per inch).
        m_list.printers << FakePrinterList::a4(u"Kancelář"_s, 50, 50, 50, 50)
                        << FakePrinterList::a4(u"Sklad"_s, 75, 60, 40, 90);
        m_list.printers << FakePrinterList::textOnly(u"Jehličková"_s, 850, 1200);
        m_list.systemDefault = 1;
        CurrentPrinter::current().setPrinterList(&m_list);
    }

    FakePrinterList m_list;
};

TEST_F(Printers, WithoutPrintersEveryFactTakesItsFallback)
{
    CurrentPrinter &printer = CurrentPrinter::current();
    pageSetup().paperWidth = 850;
    pageSetup().paperHeight = 1100;
    EXPECT_FALSE(printer.selectPrinter(0));
    EXPECT_FALSE(printer.isPresent());
    EXPECT_EQ(printer.selectedIndex(), -1);
    const PrinterFacts f = printer.facts(PageSetup::Portrait);
    EXPECT_EQ(f.resolutionX, 100);
    EXPECT_EQ(f.resolutionY, 100);
    EXPECT_EQ(f.offsetX, 50);
    EXPECT_EQ(f.offsetY, 72);
    EXPECT_EQ(f.physicalWidth, 850);
    EXPECT_EQ(f.physicalHeight, 1100);
    EXPECT_EQ(f.orientation, 0);
    EXPECT_EQ(printer.facts(PageSetup::Landscape).physicalWidth, 1100);
    EXPECT_EQ(printer.scaleX(), 1.0);
    EXPECT_TRUE(printer.checkMargins(0, PrinterMargins{0, 0, 0, 0}));
    EXPECT_EQ(printer.fitMargins(0, PrinterMargins{1, 2, 3, 4}), (PrinterMargins{1, 2, 3, 4}));
    EXPECT_FALSE(printer.isTextOnly());
}

TEST_F(Printers, SelectionKeepsTheCurrentOrChoosesNone)
{
    install();
    CurrentPrinter &printer = CurrentPrinter::current();
    EXPECT_EQ(printer.selectedIndex(), 1); // the system's current printer
    EXPECT_TRUE(printer.selectPrinter(0));
    EXPECT_TRUE(printer.selectPrinter(-1));
    EXPECT_EQ(printer.selectedIndex(), 0);
    EXPECT_EQ(printer.selectedName(), u"Kancelář"_s);
    EXPECT_FALSE(printer.selectPrinter(3));
    EXPECT_EQ(printer.selectedIndex(), -1);
    EXPECT_TRUE(printer.selectPrinter(-1)); // back to the system's current printer
    EXPECT_EQ(printer.selectedIndex(), 1);
    EXPECT_FALSE(printer.selectPrinter(-2));
}

TEST_F(Printers, SelectingSetsTheScaleFactors)
{
    install();
    CurrentPrinter &printer = CurrentPrinter::current();
    printer.selectPrinter(1);
    EXPECT_EQ(printer.scaleX(), 3.0);
    EXPECT_EQ(printer.scaleY(), 3.0);
    printer.selectPrinter(2);
    EXPECT_EQ(printer.scaleX(), 1.0);
    printer.resetScale();
    EXPECT_EQ(printer.scaleY(), 1.0);
}

TEST_F(Printers, LeftEdgeOfAQuarterInchFailsATwentyUnitMarginAndFitRaisesIt)
{
    install();
    CurrentPrinter &printer = CurrentPrinter::current();
    printer.selectPrinter(1);
    EXPECT_EQ(printer.minimumMargins(0), (PrinterMargins{25, 20, 14, 30}));
    EXPECT_FALSE(printer.checkMargins(0, PrinterMargins{20, 50, 50, 50}));
    EXPECT_TRUE(printer.checkMargins(0, PrinterMargins{25, 20, 14, 30}));
    EXPECT_FALSE(printer.checkMargins(0, PrinterMargins{25, 20, 13, 30}));
    EXPECT_EQ(printer.fitMargins(0, PrinterMargins{20, 50, 10, 50}), (PrinterMargins{25, 50, 14, 50}));
    // Turned, the printer's left edge is its top one.
    EXPECT_EQ(printer.minimumMargins(1).left, 20);
    EXPECT_TRUE(printer.checkMargins(1, PrinterMargins{20, 25, 30, 14}));
}

TEST_F(Printers, ConfirmingMarginsAsksToFitThem)
{
    install();
    CurrentPrinter &printer = CurrentPrinter::current();
    printer.selectPrinter(1);
    const QString question =
        u"Nastavené okraje tisku jsou menší, než umožňuje připojená tiskárna. Upravit velikost okrajů podle možností "
        u"tiskárny?"_s;

    PrinterMargins margins{20, 50, 50, 50};
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_TRUE(printer.confirmMargins(0, margins));
    EXPECT_EQ(margins, (PrinterMargins{25, 50, 50, 50}));
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).text, question);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Confirmation);
    EXPECT_EQ(scriptedUi().messages().at(0).buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(scriptedUi().messages().at(0).caption, u"Potvrzení"_s);

    EXPECT_TRUE(printer.confirmMargins(0, margins)); // passes now: no question
    EXPECT_EQ(scriptedUi().messages().size(), 1);

    PrinterMargins kept{20, 50, 50, 50};
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_TRUE(printer.confirmMargins(0, kept));
    EXPECT_EQ(kept, (PrinterMargins{20, 50, 50, 50}));
    scriptedUi().answer(MessageAnswer::Cancel);
    EXPECT_FALSE(printer.confirmMargins(0, kept));
    EXPECT_EQ(kept.left, 20);
}

TEST_F(Printers, TextOnlyDriverSelectsCharacterMode)
{
    install();
    CurrentPrinter &printer = CurrentPrinter::current();
    printer.selectPrinter(2);
    EXPECT_TRUE(printer.isTextOnly());
    printer.selectPrinter(0);
    EXPECT_FALSE(printer.isTextOnly());
    EXPECT_TRUE(CurrentPrinter::isTextOnlyDriver(u"Obecná nebo jen textová"_s));
    EXPECT_TRUE(CurrentPrinter::isTextOnlyDriver(u"Generic Text-Only Printer"_s));
    EXPECT_FALSE(CurrentPrinter::isTextOnlyDriver(u"Generic PostScript Printer"_s));
}

TEST_F(Printers, ComboBoxShowsThePrintersAndTheirSelection)
{
    install();
    TComboBoxPrinter combo;
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), u"Kancelář"_s);
    combo.selectIndex(-1);
    EXPECT_EQ(combo.currentText(), u"Sklad"_s);
    EXPECT_EQ(combo.selectedIndex(), 1);
    combo.selectIndex(2);
    EXPECT_EQ(combo.selectedIndex(), 2);
    combo.selectIndex(5);
    EXPECT_EQ(combo.selectedIndex(), -1);
    combo.selectIndex(-3);
    EXPECT_EQ(combo.selectedIndex(), -1);

    combo.selectIndex(1);
    m_list.printers.prepend(FakePrinterList::a4(u"Nová"_s, 0, 0, 0, 0));
    combo.refresh();
    EXPECT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.currentText(), u"Sklad"_s);
    EXPECT_EQ(combo.selectedIndex(), 2);
}

TEST_F(Printers, ComboBoxWithoutPrintersSelectsNothing)
{
    TComboBoxPrinter combo;
    EXPECT_EQ(combo.count(), 0);
    combo.selectIndex(-1);
    EXPECT_EQ(combo.selectedIndex(), -1);
}

// The platform's list: whatever is installed here (often nothing). With a
// CUPS queue the facts must describe a sane page.
TEST_F(Printers, PlatformListAnswersConsistently)
{
    QtPrinterList list;
    const QStringList names = list.names();
    EXPECT_EQ(list.defaultIndex() >= 0, !names.isEmpty());
    EXPECT_FALSE(list.facts(int(names.size()), 0).has_value());
    EXPECT_EQ(list.driverName(-1), QString());
    TARNEK_REQUIRE_PRINTER(!names.isEmpty());
    const std::optional<PrinterFacts> f = list.facts(0, 0);
    ASSERT_TRUE(f);
    EXPECT_GT(f->resolutionX, 0);
    EXPECT_GT(f->physicalWidth, 0);
    EXPECT_LE(f->printableWidth + f->offsetX, f->physicalWidth);
    const std::optional<PrinterFacts> turned = list.facts(0, 1);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->physicalWidth, f->physicalHeight);
}

} // namespace

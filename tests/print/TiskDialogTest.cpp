// The print dialog "Tisk" driven by its components: what it proposes, what it
// remembers, the template buttons, and what the report's printer and preview
// receive from it.

#include "PrintFixture.h"

#include "common/MemTable.h"
#include "common/widgets/MinimiseAsApplication.h"
#include "print/PrintDialog.h"
#include "print/PrintTemplates.h"
#include "report/core/Report.h"
#include "report/core/layout/ReportLayout.h"
#include "report/ui/printing/PrinterComboBox.h"
#include "report/ui/printing/QtPrinterList.h"
#include "report/ui/printing/ReportPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

class TiskDialog : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        fillProtocol(m_protocol, {u"Agenda: Kovárna Šťastný s.r.o."_s, u"Rok: 2018"_s,
                                  u"Datum: 5.1.2019 10:00:00 hod."_s, QString(), u"PK0001 >> PK0002"_s});
    }

    // Opens the dialog for the protocol; `inside` works it while it is shown.
    void printProtocol(const ScriptedUi::WindowAction &inside)
    {
        scriptedUi().onWindow(u"TfrmTisk"_s, inside);
        EXPECT_EQ(TfrmTisk::Print(tfProtokol, m_protocol, m_context), 0);
    }
    static QLineEdit *formular(QDialog &w) { return child<QLineEdit>(w, u"edtFormular"_s); }
    static TComboBoxPrinter *printers(QDialog &w) { return child<TComboBoxPrinter>(w, u"ComboBoxPrinter1"_s); }
    static void check(QDialog &w, const QString &box) { child<QCheckBox>(w, box)->setChecked(true); }

    MemTable m_protocol{u"mtProtokol"_s};
};

TEST_F(TiskDialog, OpensWithItsComponentsAsDesigned)
{
    printProtocol([](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Tisk"_s);
        EXPECT_EQ(child<QCheckBox>(w, u"chckVychTiskarna"_s)->text(),
                  u"pro tuto tiskovou funkci nastavit tiskárnu jako výchozí"_s);
        EXPECT_TRUE(child<QCheckBox>(w, u"chckVychTiskarna"_s)->isEnabled());
        EXPECT_FALSE(formular(w)->isEnabled());
        EXPECT_EQ(child<QCheckBox>(w, u"chckVychFormular"_s)->text(), u"nastavit jako výchozí"_s);
        EXPECT_FALSE(child<QCheckBox>(w, u"chckVychFormular"_s)->isEnabled());
        const struct
        {
            QString name;
            QString caption;
            bool visible;
        } buttons[] = {{u"btnTisk"_s, u"Tisk"_s, true},          {u"btnNahled"_s, u"Náhled"_s, true},
                       {u"btnZpet"_s, u"Zpět"_s, true},          {u"btnNastaveni"_s, u"Nastavení"_s, true},
                       {u"btnVyber"_s, u"Výběr"_s, false},       {u"btnStandard"_s, u"Standardní"_s, false},
                       {u"btnEditovat"_s, u"Editovat"_s, false}, {u"btnHelp"_s, u"?"_s, false}};
        for (const auto &b : buttons) {
            QPushButton *button = child<QPushButton>(w, b.name);
            ASSERT_TRUE(button);
            EXPECT_EQ(button->text(), b.caption);
            EXPECT_EQ(button->isVisible(), b.visible) << b.name.toStdString();
        }
        EXPECT_TRUE(child<QPushButton>(w, u"btnTisk"_s)->isDefault());
        EXPECT_EQ(printers(w)->count(), 2);

        auto &dialog = static_cast<TfrmTisk &>(w);
        EXPECT_EQ(dialog.sestava1().objectName(), u"Sestava1"_s);
        EXPECT_FALSE(dialog.sestava1().reportDirIgnore());
        EXPECT_FALSE(dialog.sestava1().isStored());
        EXPECT_EQ(dialog.sestDetail1().popis(), u"Protokol"_s);
        EXPECT_EQ(dialog.sestDetail1().masterSestava(), nullptr);
        click(w, u"btnZpet"_s);
    });
}

TEST_F(TiskDialog, TheReportLooksForTemplatesAndPaperFormatsInTheProgramsTree)
{
    printProtocol([this](QDialog &w) {
        auto &dialog = static_cast<TfrmTisk &>(w);
        EXPECT_EQ(dialog.sestava1().reportDir(), formsDir());
        EXPECT_EQ(dialog.sestava1().iniFileName(), m_context.configIniPath);
        EXPECT_EQ(dialog.sestDetail1().iniFileName(), m_context.configIniPath);
        click(w, u"btnZpet"_s);
    });
}

struct FirstUseCase
{
    const char *name;
    int function;
    QString templ;
};

class FirstUse : public TiskDialog, public testing::WithParamInterface<FirstUseCase>
{
};

TEST_P(FirstUse, ProposesTheFirstPrinterAndTheStandardTemplateAndWritesNothing)
{
    scriptedUi().onWindow(u"TfrmTisk"_s, [](QDialog &w) {
        EXPECT_EQ(printers(w)->currentText(), u"Kancelář"_s); // the first, not the system's current one
        EXPECT_EQ(printers(w)->selectedIndex(), 0);
        EXPECT_EQ(formular(w)->text(), GetParam().templ);
        click(w, u"btnNastaveni"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_EQ(TfrmTisk::Print(GetParam().function, m_protocol, m_context), 0);
    EXPECT_FALSE(QFileInfo::exists(m_context.configIniPath));
}

INSTANTIATE_TEST_SUITE_P(TiskDialog, FirstUse,
                         testing::Values(FirstUseCase{"Protocol", tfProtokol, u"_PROTOKOL"_s},
                                         FirstUseCase{"DocumentList", tfSeznamDokladu, u"_SZOPRAVDOKL"_s}),
                         TestSupport::rowName);

TEST_F(TiskDialog, CheckedBoxesAreRememberedHoweverTheDialogCloses)
{
    printProtocol([](QDialog &w) {
        printers(w)->setCurrentIndex(1);
        click(w, u"btnNastaveni"_s);
        formular(w)->setText(u"Protokol pro účetní"_s);
        check(w, u"chckVychTiskarna"_s);
        check(w, u"chckVychFormular"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_EQ(settingsLines(),
              (QStringList{u"[PRINT001]"_s, u"DefaultPrinter1=1"_s, u"FRMName1=\"Protokol pro účetní\""_s}));

    // Shown again next time, the name with its blanks.
    printProtocol([](QDialog &w) {
        EXPECT_EQ(printers(w)->currentText(), u"Sklad"_s);
        EXPECT_EQ(formular(w)->text(), u"Protokol pro účetní"_s);
        click(w, u"btnZpet"_s);
    });
}

TEST_F(TiskDialog, OnlyTheCheckedChoiceIsWritten)
{
    writeFile(m_context.configIniPath, {u"[PRINT001]"_s, u"FRMName1=\"MUJ\""_s});
    printProtocol([](QDialog &w) {
        printers(w)->setCurrentIndex(1);
        click(w, u"btnNastaveni"_s);
        formular(w)->setText(u"JINY"_s);
        check(w, u"chckVychTiskarna"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_EQ(settingsLines(), (QStringList{u"[PRINT001]"_s, u"FRMName1=\"MUJ\""_s, u"DefaultPrinter1=1"_s}));
}

TEST_F(TiskDialog, ARememberedPrinterOutsideTheListSelectsNone)
{
    writeFile(m_context.configIniPath, {u"[PRINT001]"_s, u"DefaultPrinter1=5"_s});
    printProtocol([](QDialog &w) {
        EXPECT_EQ(printers(w)->currentIndex(), -1);
        check(w, u"chckVychTiskarna"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_EQ(settingsLines(), (QStringList{u"[PRINT001]"_s, u"DefaultPrinter1=-1"_s}));

    // -1: the system's current printer.
    printProtocol([](QDialog &w) {
        EXPECT_EQ(printers(w)->currentText(), u"Sklad"_s);
        click(w, u"btnZpet"_s);
    });
}

TEST_F(TiskDialog, SettingsRevealTheTemplateButtons)
{
    printProtocol([](QDialog &w) {
        click(w, u"btnNastaveni"_s);
        for (const QString &name : {u"btnVyber"_s, u"btnStandard"_s, u"btnEditovat"_s, u"btnHelp"_s})
            EXPECT_TRUE(child<QPushButton>(w, name)->isVisible()) << name.toStdString();
        EXPECT_TRUE(formular(w)->isEnabled());
        EXPECT_TRUE(child<QCheckBox>(w, u"chckVychFormular"_s)->isEnabled());
        EXPECT_FALSE(child<QWidget>(w, u"pnlOddelovac"_s)->isVisible());
        EXPECT_FALSE(child<QPushButton>(w, u"btnNastaveni"_s)->isEnabled());
        // No designer in this build: editing is not offered.
        EXPECT_FALSE(child<QPushButton>(w, u"btnEditovat"_s)->isEnabled());

        formular(w)->setText(u"JINY"_s);
        click(w, u"btnStandard"_s);
        EXPECT_EQ(formular(w)->text(), u"_PROTOKOL"_s);

        click(w, u"btnHelp"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Information, TiskTemplates::helpText()}}));
}

TEST_F(TiskDialog, ChoosingAnotherTemplateTakesItsName)
{
    ASSERT_TRUE(QDir(m_temp.path()).mkpath(u"jinde"_s));
    writeFile(tempPath(u"jinde/Seznam2.pts"_s), {u"I,0,\"Jinde\""_s});
    scriptedUi().chooseFile(tempPath(u"jinde/Seznam2.pts"_s));
    printProtocol([this](QDialog &w) {
        click(w, u"btnNastaveni"_s);
        click(w, u"btnVyber"_s);
        EXPECT_EQ(formular(w)->text(), u"SEZNAM2"_s);
        // It is looked for in the template directory.
        click(w, u"btnTisk"_s);
        EXPECT_TRUE(w.isVisible());
        click(w, u"btnZpet"_s);
        EXPECT_TRUE(scriptedUi().shown(
            {{MessageKind::Warning, u"Nebyl nalezen formulářový soubor "_s + formsDir() + u"SEZNAM2.PTS"_s}}));
    });
}

struct MissingTemplateCase
{
    const char *name;
    QString button;
    QString field;
    QString warning; // %1 the template directory
};

class MissingTemplate : public TiskDialog, public testing::WithParamInterface<MissingTemplateCase>
{
};

TEST_P(MissingTemplate, WarnsAndStaysOpen)
{
    bool ran = false;
    ReportWindows::current().print = [&ran](TSestava &, int) { return ran = true, int(seOK); };
    ReportWindows::current().preview = [&ran](TSestava &) { return ran = true, int(seOK); };
    printProtocol([](QDialog &w) {
        click(w, u"btnNastaveni"_s);
        formular(w)->setText(GetParam().field);
        click(w, GetParam().button);
        EXPECT_TRUE(w.isVisible());
        click(w, u"btnZpet"_s);
    });
    EXPECT_FALSE(ran);
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Warning, QString(GetParam().warning).replace(u"%1"_s, formsDir())}}));
}

INSTANTIATE_TEST_SUITE_P(TiskDialog, MissingTemplate,
                         testing::Values(MissingTemplateCase{"PrintWithoutName", u"btnTisk"_s, u"  "_s,
                                                             u"Nejprve vyberte formulář."_s},
                                         MissingTemplateCase{"PreviewWithoutName", u"btnNahled"_s, QString(),
                                                             u"Nejprve vyberte formulář."_s},
                                         MissingTemplateCase{"PrintWithoutFile", u"btnTisk"_s, u"_PROTOKOL"_s,
                                                             u"Nebyl nalezen formulářový soubor %1_PROTOKOL.PTS"_s},
                                         MissingTemplateCase{"PreviewWithoutFile", u"btnNahled"_s, u"MUJ"_s,
                                                             u"Nebyl nalezen formulářový soubor %1MUJ.PTS"_s}),
                         TestSupport::rowName);

TEST_F(TiskDialog, PrintGoesToTheChosenPrinterAndCloses)
{
    installShipped(u"_PROTOKOL"_s);
    QStringList printed;
    ReportWindows::current().print = [&printed](TSestava &report, int printerIndex) {
        printed
            << u"%1 on %2, %3 parameters"_s.arg(report.reportName()).arg(printerIndex).arg(report.parametry().size());
        return int(seOK);
    };
    printProtocol([](QDialog &w) {
        static_cast<TfrmTisk &>(w).sestava1().setParametry({u"zbytek"_s});
        printers(w)->setCurrentIndex(1);
        click(w, u"btnTisk"_s);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(printed, QStringList{u"_PROTOKOL.pts on 1, 0 parameters"_s});
}

TEST_F(TiskDialog, PrintClosesAlsoWhenTheReportFails)
{
    installShipped(u"_PROTOKOL"_s);
    ReportWindows::current().print = [](TSestava &, int) { return int(seNoPrinter); };
    printProtocol([](QDialog &w) {
        click(w, u"btnTisk"_s);
        EXPECT_FALSE(w.isVisible());
    });
}

TEST_F(TiskDialog, PreviewMakesTheChosenPrinterCurrent)
{
    installShipped(u"_PROTOKOL"_s);
    CurrentPrinter::current().selectPrinter(1);
    int pages = 0;
    ReportWindows::current().preview = [&pages](TSestava &report) {
        pages = report.output().pageCount();
        EXPECT_EQ(CurrentPrinter::current().selectedName(), u"Kancelář"_s);
        return int(seOK);
    };
    printProtocol([](QDialog &w) {
        printers(w)->setCurrentIndex(0);
        click(w, u"btnNahled"_s);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(CurrentPrinter::current().selectedIndex(), 0);
}

TEST_F(TiskDialog, EditingOffersACopyOnceADesignerIsInstalled)
{
    installShipped(u"_PROTOKOL"_s);
    QStringList designed;
    ReportWindows::current().design = [&designed](TSestava &report) {
        designed << report.reportName();
        return int(seOK);
    };
    scriptedUi().answer(MessageAnswer::Yes);
    printProtocol([](QDialog &w) {
        click(w, u"btnNastaveni"_s);
        click(w, u"btnEditovat"_s);
        EXPECT_EQ(formular(w)->text(), u"PROTOKOL1"_s);
        check(w, u"chckVychFormular"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_EQ(designed, QStringList{u"PROTOKOL1.pts"_s});
    EXPECT_TRUE(QFileInfo(formsDir() + u"PROTOKOL1.PTS"_s).isFile());
    EXPECT_EQ(TiskSettings(m_context, tfProtokol).templateName(), u"PROTOKOL1"_s);
}

TEST_F(TiskDialog, MinimisingTheDialogMinimisesTheApplication)
{
    MinimiseAsApplication filter; // as the program installs it
    qApp->installEventFilter(&filter);
    QWidget main;
    main.show();
    printProtocol([&main](QDialog &w) {
        w.setWindowState(w.windowState() | Qt::WindowMinimized);
        EXPECT_TRUE(main.windowState() & Qt::WindowMinimized);
        main.setWindowState(main.windowState() & ~Qt::WindowMinimized);
        EXPECT_FALSE(w.windowState() & Qt::WindowMinimized);
        click(w, u"btnZpet"_s);
    });
    qApp->removeEventFilter(&filter);
}

// ---------------------------------------------------------------- a long protocol

// A page as text: the texts of its items in drawing order, the wrapped
// lines of each text it shows.
struct PageText
{
    QStringList items;
    QStringList memoLines;
};

std::vector<PageText> pagesOf(const TSestVystup &output)
{
    std::vector<PageText> pages;
    for (const TStranaPrvku &page : output.pages) {
        PageText text;
        for (const TVystPrvek &item : page.items()) {
            if (item.hasLines()) {
                for (int line = item.firstLine; line <= item.lastLine; ++line)
                    text.memoLines << QString(item.lines->line(line)).remove(u'\r');
            } else {
                text.items << item.text;
            }
        }
        pages.push_back(text);
    }
    return pages;
}

TEST_F(TiskDialog, AProtocolOfThreePagesReachesThePrinterWholeAndInOrder)
{
    installShipped(u"_PROTOKOL"_s);
    QStringList lines{u"Agenda: Kovárna Šťastný s.r.o."_s, u"Rok: 2018"_s, u"Datum: 5.1.2019 10:00:00 hod."_s,
                      QString()};
    for (int i = 1; i <= 150; ++i)
        lines << u"PK%1 >> PK%2"_s.arg(i, 4, 10, QChar(u'0')).arg(i + 1000, 4, 10, QChar(u'0'));
    MemTable protocol(u"mtProtokol"_s);
    fillProtocol(protocol, lines);

    std::vector<PageText> pages;
    int printer = -2;
    ReportWindows::current().print = [&](TSestava &report, int printerIndex) {
        printer = printerIndex;
        const int result = ReportLayout::prepare(report);
        pages = pagesOf(report.output());
        return result;
    };
    scriptedUi().onWindow(u"TfrmTisk"_s, [](QDialog &w) { click(w, u"btnTisk"_s); });
    EXPECT_EQ(TfrmTisk::Print(tfProtokol, protocol, m_context), 0);

    EXPECT_EQ(printer, 0);
    ASSERT_EQ(pages.size(), 3u);
    QStringList printed;
    for (size_t p = 0; p < pages.size(); ++p) {
        const QStringList &items = pages[p].items;
        for (const QString &header : {u"Kovárna Šťastný s.r.o."_s, u"Rok:"_s, u"2018"_s, u"Datum tisku:"_s,
                                      u"strana %1"_s.arg(p + 1), u"z 3"_s})
            EXPECT_TRUE(items.contains(header))
                << "page " << p + 1 << ": " << header.toStdString() << " in " << items.join(u" | "_s).toStdString();
        EXPECT_FALSE(pages[p].memoLines.isEmpty()) << "page " << p + 1;
        printed << pages[p].memoLines;
    }
    EXPECT_EQ(printed, lines);
}

// The protocol through the dialog on the CUPS-PDF queue that
// scripts/start-printer.sh sets up, remembered as the protocol's printer.
TEST_F(TiskDialog, AProtocolOfThreePagesPrintsOnTheCupsQueue)
{
    QtPrinterList list;
    CurrentPrinter::current().setPrinterList(&list);
    int queue = -1;
    for (int i = 0; i < list.names().size() && queue < 0; ++i) {
        if (!CurrentPrinter::isTextOnlyDriver(list.driverName(i)))
            queue = i;
    }
    TARNEK_REQUIRE_PRINTER(queue >= 0);
    ASSERT_FALSE(QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        << "poppler-utils is needed beside the printer";
    ReportPrinter::install();
    installShipped(u"_PROTOKOL"_s);
    writeFile(m_context.configIniPath, {u"[PRINT001]"_s, u"DefaultPrinter1=%1"_s.arg(queue)});

    // The company names this run, so the PDF is told from other jobs.
    const QString company =
        u"Kovárna %1-%2"_s.arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
    QStringList lines{u"Agenda: "_s + company, u"Rok: 2018"_s, u"Datum: 5.1.2019 10:00:00 hod."_s, QString()};
    for (int i = 1; i <= 150; ++i)
        lines << u"PK%1 >> PK%2"_s.arg(i, 4, 10, QChar(u'0')).arg(i + 1000, 4, 10, QChar(u'0'));
    MemTable protocol(u"mtProtokol"_s);
    fillProtocol(protocol, lines);

    // CUPS-PDF writes the job into the PDF folder of the user who printed.
    const passwd *user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const QDir pdfDir(QDir(QString::fromLocal8Bit(user->pw_dir)).filePath(u"PDF"_s));
    const QStringList before = pdfDir.entryList({u"*.pdf"_s}, QDir::Files);

    scriptedUi().onWindow(u"TfrmTisk"_s, [queue](QDialog &w) {
        EXPECT_EQ(printers(w)->selectedIndex(), queue);
        click(w, u"btnTisk"_s);
    });
    EXPECT_EQ(TfrmTisk::Print(tfProtokol, protocol, m_context), 0);
    EXPECT_TRUE(scriptedUi().messages().isEmpty()) << scriptedUi().messageTexts().join(u" | "_s).toStdString();

    QString pdf;
    QString text;
    QElapsedTimer timer;
    timer.start();
    while (pdf.isEmpty() && timer.elapsed() < 60000) {
        for (const QString &name : pdfDir.entryList({u"*.pdf"_s}, QDir::Files)) {
            if (before.contains(name))
                continue;
            const QString shown = runTool(u"pdftotext"_s, {u"-layout"_s, pdfDir.filePath(name), u"-"_s});
            if (shown.contains(company) && shown.contains(u"PK0150"_s)) {
                pdf = pdfDir.filePath(name);
                text = shown;
            }
        }
        QThread::msleep(250);
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of the protocol from the queue " << list.names().at(queue).toStdString();
    EXPECT_EQ(text.count(u'\f'), 3);
    text.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(text.contains(u"strana %1 z 3"_s.arg(page))) << page;
    EXPECT_EQ(text.count(company), 4); // the page headers and the protocol's first line
    qsizetype from = 0;
    for (const QString &line : lines.mid(4)) {
        const qsizetype at = text.indexOf(line, from);
        EXPECT_GE(at, from) << line.toStdString();
        if (at >= 0)
            from = at + line.size();
    }
    QFile::remove(pdf);
}

} // namespace

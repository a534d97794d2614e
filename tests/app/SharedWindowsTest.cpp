// The windows the operations share: the information window, the code-list
// editor, the irreversible-operation warning and the pick list's failures.

#include "AppTestSupport.h"
#include "app/ui/CodeListEditor.h"
#include "app/ui/InformationWindow.h"
#include "app/ui/IrreversibleWarning.h"
#include "app/ui/PickListWindow.h"
#include "app/ui/WorkingOverlay.h"
#include "common/IniFile.h"
#include "common/MemTable.h"
#include "common/TextFile.h"
#include "common/widgets/DataGrid.h"
#include "print/PrintDialog.h"
#include "report/core/Report.h"
#include "support/FakeSession.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FreeTextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window.clearText();
        m_window.addLine(u"Agenda: Kovárna Šťastný s.r.o."_s);
        m_window.addLine(u"Rok: 2018"_s);
        m_window.addLine(QString());
        m_window.addLine(u"PK0001 >> PK0002"_s);
    }

    TfrmFreeText m_window;
};

TEST_F(FreeTextTest, SaveWritesTheLinesInWindows1250)
{
    TextHostTree tree;
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) {
        click(w, u"btnUlozit"_s);
        EXPECT_TRUE(w.isVisible()); // saving leaves the window open
        click(w, u"btnZavrit"_s);
    });
    scriptedUi().chooseFile(tree.root() + u"protokol"_s);
    EXPECT_EQ(m_window.showModal(), QDialog::Rejected);

    ASSERT_EQ(scriptedUi().fileRequests().size(), 1);
    const FileDialogRequest &request = scriptedUi().fileRequests().at(0);
    EXPECT_EQ(request.title, u"Uložit do souboru"_s);
    EXPECT_EQ(request.filter, u"Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*"_s);
    EXPECT_EQ(request.defaultExtension, u"TXT"_s);
    EXPECT_EQ(request.fileName, QString());
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(fileBytes(tree.root() + u"protokol.txt"_s),
              QByteArray("Agenda: Kov\xE1rna \x8A\x9D\x61stn\xFD s.r.o.\r\nRok: 2018\r\n\r\nPK0001 >> PK0002\r\n"));
}

TEST_F(FreeTextTest, CancelledSaveWritesNothing)
{
    scriptedUi().chooseFile(QString());
    EXPECT_EQ(m_window.saveToFile(), -1);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(FreeTextTest, UnwritableFileIsReportedAndTheWindowStaysOpen)
{
    TextHostTree tree;
    const QString path = tree.root() + u"missing/dir/protokol.txt"_s;
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) {
        click(w, u"btnUlozit"_s);
        EXPECT_TRUE(w.isVisible());
    });
    scriptedUi().chooseFile(path);
    m_window.showModal();
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Nelze vytvořit soubor \""_s + path + u"\"."_s});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
}

TEST_F(FreeTextTest, ShowsItsTextWithTheCaretAtTheStart)
{
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Informace"_s);
        auto *text = child<QPlainTextEdit>(w, u"reProtokol"_s);
        EXPECT_TRUE(text->isReadOnly());
        EXPECT_EQ(text->textCursor().position(), 0);
        EXPECT_FALSE(text->textCursor().hasSelection());
        EXPECT_EQ(QApplication::focusWidget(), text);
        EXPECT_TRUE(child<QPushButton>(w, u"btnVytisknout"_s)->isEnabled());
        EXPECT_EQ(child<QPushButton>(w, u"btnVytisknout"_s)->text(), u"Vytisknout"_s);
    });
    m_window.showModal();
}

TEST_F(FreeTextTest, PrintTableHoldsTheWholeTextInOneRowUntilClosed)
{
    m_window.fillPrintTable();
    m_window.fillPrintTable();
    ASSERT_EQ(m_window.mtProtokol().recordCount(), 1);
    EXPECT_EQ(m_window.mtProtokol().value(u"Text"_s).toString(),
              u"Agenda: Kovárna Šťastný s.r.o.\r\nRok: 2018\r\n\r\nPK0001 >> PK0002"_s);
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) { click(w, u"btnZavrit"_s); });
    EXPECT_EQ(m_window.showModal(), QDialog::Rejected);
    EXPECT_EQ(m_window.mtProtokol().recordCount(), 0);
}

// "Vytisknout" hands the whole text to the print dialog as the protocol's
// print function, with the templates and settings of the run.
TEST_F(FreeTextTest, PrintOpensThePrintDialogOverTheWholeText)
{
    TextHostTree tree;
    RunContext context;
    context.printFormsDir = tree.root() + u"PrintFrm/"_s;
    context.configIniPath = tree.root() + u"Spravce.ini"_s;
    context.agendaCode = u"001"_s;
    m_window.setRunContext(&context);
    QString shownText;
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) {
        click(w, u"btnVytisknout"_s);
        EXPECT_TRUE(w.isVisible()); // printing leaves the window open
        click(w, u"btnZavrit"_s);
    });
    scriptedUi().onWindow(u"TfrmTisk"_s, [&](QDialog &w) {
        auto &dialog = static_cast<TfrmTisk &>(w);
        EXPECT_EQ(dialog.function(), int(tfProtokol));
        EXPECT_EQ(child<QLineEdit>(w, u"edtFormular"_s)->text(), u"_PROTOKOL"_s);
        EXPECT_EQ(dialog.sestava1().reportDir(), context.printFormsDir);
        EXPECT_EQ(dialog.sestava1().iniFileName(), context.configIniPath);
        ReportDataSet *data = dialog.sestava1().dataSource()->dataSet();
        EXPECT_EQ(data->fieldName(0), u"Text"_s);
        shownText = data->fieldValue(0).toString();
        child<QCheckBox>(w, u"chckVychTiskarna"_s)->setChecked(true);
        click(w, u"btnZpet"_s);
    });
    m_window.showModal();
    EXPECT_EQ(shownText, u"Agenda: Kovárna Šťastný s.r.o.\r\nRok: 2018\r\n\r\nPK0001 >> PK0002"_s);
    // The choice went to the run's settings file, in the company's section.
    EXPECT_TRUE(IniFile(context.configIniPath).ValueExists(u"PRINT001"_s, u"DefaultPrinter1"_s));
}

// Long lines wrap on screen, where nothing needs scrolling sideways; the
// window opens wider than a protocol's usual line; saving keeps the lines.
TEST(FreeTextProtocol, LongLinesWrapOnScreenButKeepTheirLinesWhenSaved)
{
    TextHostTree tree;
    OperationProtocol protocol;
    protocol.addLine(u"• pokud došlo přečíslováním k posunutí posledního čísla, UPRAVTE ČÍSELNOU ŘADU v Ledra: zvolte "
                     u"Ledra/Možnosti a nastavení/Číselné řady, vyberte požadovanou řadu a stiskněte [Opravit]."_s);
    protocol.addLine(u"Záloha tabulek před změnami: "_s + tree.root() +
                     u"DATA/Velmar/Tarnek/Zalohy/20261211-113000-odstraneni-smazanych-zaznamu-v-agende-001/"_s);
    const QString usualLine = QString(80, u'8');
    protocol.addLine(usualLine);
    TfrmFreeText window;
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) {
        auto *text = child<QPlainTextEdit>(w, u"reProtokol"_s);
        EXPECT_GT(w.width(), 640);
        EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
        const QTextDocument *document = text->document();
        ASSERT_EQ(document->blockCount(), 3); // one block per protocol line
        const auto lineCount = [document](int block) {
            const QTextBlock shown = document->findBlockByNumber(block);
            qobject_cast<QPlainTextDocumentLayout *>(document->documentLayout())->ensureBlockLayout(shown);
            return shown.layout()->lineCount();
        };
        EXPECT_GT(lineCount(0), 1);
        EXPECT_GT(lineCount(1), 1) << "a folder wraps without blanks";
        EXPECT_EQ(lineCount(2), 1) << "an 80-character line fits";
        click(w, u"btnUlozit"_s);
        click(w, u"btnZavrit"_s);
    });
    scriptedUi().chooseFile(tree.root() + u"p.txt"_s);
    EXPECT_EQ(window.showProtocol(protocol), QDialog::Rejected);
    EXPECT_EQ(TextFile::readLines(tree.root() + u"p.txt"_s).value_or(QStringList()), protocol.lines());
}

// The window shows and saves a protocol given as data: the lines as the
// operation wrote them, blank and indented lines included.
TEST(FreeTextProtocol, ShowsAndSavesTheProtocolsLines)
{
    TextHostTree tree;
    OperationProtocol protocol;
    protocol.addLine(u"Kontrola číselných řad"_s);
    protocol.addLine(QString());
    protocol.addLine(u"   chybí: PK0003"_s);
    TfrmFreeText window;
    window.addLine(u"z minulého běhu"_s); // replaced, not appended to
    scriptedUi().onWindow(u"TfrmFreeText"_s, [](QDialog &w) {
        EXPECT_EQ(child<QPlainTextEdit>(w, u"reProtokol"_s)->toPlainText(),
                  u"Kontrola číselných řad\n\n   chybí: PK0003"_s);
        EXPECT_TRUE(child<QPushButton>(w, u"btnVytisknout"_s)->isEnabled());
        click(w, u"btnUlozit"_s);
        click(w, u"btnZavrit"_s);
    });
    scriptedUi().chooseFile(tree.root() + u"p.txt"_s);
    EXPECT_EQ(window.showProtocol(protocol), QDialog::Rejected);
    EXPECT_EQ(window.lines(), protocol.lines());
    EXPECT_EQ(fileBytes(tree.root() + u"p.txt"_s), QByteArray("Kontrola \xE8\xEDseln\xFD"
                                                              "ch \xF8\x61\x64\r\n\r\n   chyb\xED: PK0003\r\n"));
    window.fillPrintTable();
    EXPECT_EQ(window.mtProtokol().value(u"Text"_s).toString(), protocol.text());
}

// A source of codes standing in for the pick list: answers in turn, records the types asked for.
struct ScriptedPicker
{
    QStringList answers;
    QList<int> types;
    QString operator()(int type)
    {
        types.append(type);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

TEST(EditCodeList, TrailingPartWithoutSemicolonIsDropped)
{
    scriptedUi().onWindow(u"TfrmEditorPol"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Seznam položek"_s);
        EXPECT_EQ(child<DataGrid>(w, u"grSeznamPol"_s)->table()->recordCount(), 1);
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(editCodeList(u"A;B"_s, 2, ScriptedPicker{}), u"A;"_s);
}

TEST(EditCodeList, DuplicateInOtherCaseIsRefused)
{
    auto picker = std::make_shared<ScriptedPicker>(ScriptedPicker{{u"a1"_s, QString(), u"C3"_s}, {}});
    scriptedUi().onWindow(u"TfrmEditorPol"_s, [](QDialog &w) {
        click(w, u"btnPridat"_s); // "a1": already there
        click(w, u"btnPridat"_s); // nothing picked
        click(w, u"btnPridat"_s); // "C3"
        click(w, u"btnOK"_s);
    });
    const QString result = editCodeList(u"A1;B2;"_s, 4, [picker](int type) { return (*picker)(type); });
    EXPECT_EQ(result, u"A1;B2;C3;"_s);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Zkratka \"a1\" již v seznamu existuje."_s});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Information);
    EXPECT_EQ(picker->types, QList<int>({4, 4, 4}));
}

TEST(EditCodeList, ZpetReturnsTheTextAsGiven)
{
    scriptedUi().onWindow(u"TfrmEditorPol"_s, [](QDialog &w) {
        click(w, u"btnVyjmout"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_EQ(editCodeList(u"A;B;x"_s, 1, ScriptedPicker{}), u"A;B;x"_s);
}

TEST(EditCodeList, VyjmoutRemovesTheCurrentRowWhileThereAreRows)
{
    scriptedUi().onWindow(u"TfrmEditorPol"_s, [](QDialog &w) {
        auto *remove = child<QPushButton>(w, u"btnVyjmout"_s);
        EXPECT_TRUE(remove->isEnabled());
        child<DataGrid>(w, u"grSeznamPol"_s)->table()->setCurrentRow(1);
        click(w, u"btnVyjmout"_s); // B
        click(w, u"btnVyjmout"_s); // C, the row that followed
        EXPECT_TRUE(remove->isEnabled());
        click(w, u"btnVyjmout"_s); // A
        EXPECT_FALSE(remove->isEnabled());
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(editCodeList(u"A;B;C;"_s, 1, ScriptedPicker{}), QString());
}

TEST(EditCodeList, EmptyListStartsWithVyjmoutDisabled)
{
    scriptedUi().onWindow(u"TfrmEditorPol"_s, [](QDialog &w) {
        EXPECT_FALSE(child<QPushButton>(w, u"btnVyjmout"_s)->isEnabled());
        click(w, u"btnPridat"_s);
        EXPECT_TRUE(child<QPushButton>(w, u"btnVyjmout"_s)->isEnabled());
        click(w, u"btnOK"_s);
    });
    EXPECT_EQ(editCodeList(QString(), 5, ScriptedPicker{{u"POK1"_s}, {}}), u"POK1;"_s);
}

TEST(ConfirmIrreversible, OnlyAnoGoesOn)
{
    scriptedUi().onWindow(u"TfrmObecneVarovani"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Informace"_s);
        EXPECT_EQ(w.size(), QSize(433, 264));
        EXPECT_FALSE(child<QPushButton>(w, u"btnAno"_s)->isDefault());
        EXPECT_TRUE(child<QPushButton>(w, u"btnNe"_s)->isDefault());
        click(w, u"btnAno"_s);
    });
    EXPECT_TRUE(confirmIrreversible());
    scriptedUi().onWindow(u"TfrmObecneVarovani"_s, [](QDialog &w) { click(w, u"btnNe"_s); });
    EXPECT_FALSE(confirmIrreversible());
    // Enter pressed out of habit answers "Ne".
    scriptedUi().onWindow(u"TfrmObecneVarovani"_s, [](QDialog &w) {
        w.show();
        QTest::keyClick(&w, Qt::Key_Return);
    });
    EXPECT_FALSE(confirmIrreversible());
    scriptedUi().onWindow(u"TfrmObecneVarovani"_s, [](QDialog &) {}); // closed with Esc or the close box
    EXPECT_FALSE(confirmIrreversible());
}

TEST(PickFromListWithoutTables, TableThatDoesNotOpenIsReportedWithoutTheList)
{
    TextHostTree tree;
    FakeSession fake;
    fake.context.yearDir = tree.yearDir();
    EXPECT_EQ(pickFromList(fake.session, 1), QString());
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Nastala chyba při otevírání databáze "_s + tree.yearDir() + u"SZCINN.DAT"_s});
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
    EXPECT_EQ(fake.progress.workingTexts, QStringList{u"Načtení seznamu\rčekejte prosím..."_s});
    EXPECT_FALSE(fake.progress.working);
    EXPECT_EQ(TestSupport::openTableFiles(tree.root()), QStringList());
}

TEST(PickFromListWithoutTables, UnknownTypeOffersNothing)
{
    FakeSession fake;
    EXPECT_EQ(pickFromList(fake.session, 6), QString());
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

} // namespace

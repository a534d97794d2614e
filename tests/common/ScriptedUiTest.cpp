// The scripted seam drives a real modal window by the object names of its
// widgets, the way every window test does.

#include "support/TestSupport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest-spi.h>

using namespace Qt::StringLiterals;

namespace {

// A small window in the program's style: an edit, OK asks for confirmation.
class TfrmZadani : public QDialog
{
public:
    TfrmZadani()
    {
        setObjectName(u"TfrmZadani"_s);
        auto *layout = new QVBoxLayout(this);
        m_edit = new QLineEdit(this);
        m_edit->setObjectName(u"edtHodnota"_s);
        auto *ok = new QPushButton(u"OK"_s, this);
        ok->setObjectName(u"btnOK"_s);
        layout->addWidget(m_edit);
        layout->addWidget(ok);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (ui().askYesNo(MessageKind::Confirmation, u"Uložit \""_s + m_edit->text() + u"\"?"_s))
                accept();
        });
    }
    QString value() const { return m_edit->text(); }

private:
    QLineEdit *m_edit;
};

TEST(ScriptedUi, DrivesAModalWindowAndAnswersItsQuestion)
{
    scriptedUi().onWindow(u"TfrmZadani"_s, [](QDialog &w) {
        TestSupport::child<QLineEdit>(w, u"edtHodnota"_s)->setText(u"PK0001"_s);
        TestSupport::click(w, u"btnOK"_s);
    });
    scriptedUi().answer(MessageAnswer::Yes);
    TfrmZadani window;
    EXPECT_EQ(ui().execModal(window), QDialog::Accepted);
    EXPECT_EQ(window.value(), u"PK0001"_s);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).text, u"Uložit \"PK0001\"?"_s);
    EXPECT_EQ(scriptedUi().windowsShown(), QStringList{u"TfrmZadani"_s});
}

TEST(ScriptedUi, AnswerNoKeepsTheWindowOpenUntilTheScriptEnds)
{
    scriptedUi().onWindow(u"TfrmZadani"_s, [](QDialog &w) { TestSupport::click(w, u"btnOK"_s); });
    scriptedUi().answer(MessageAnswer::No);
    TfrmZadani window;
    EXPECT_EQ(ui().execModal(window), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
}

TEST(ScriptedUi, FileDialogsGetTheDefaultExtension)
{
    scriptedUi().chooseFile(u"/tmp/protokol"_s);
    FileDialogRequest request;
    request.title = u"Uložit do souboru"_s;
    request.defaultExtension = u"TXT"_s;
    EXPECT_EQ(ui().saveFileName(request), u"/tmp/protokol.txt"_s);
    EXPECT_EQ(scriptedUi().fileRequests().at(0).title, u"Uložit do souboru"_s);
}

// A scripted answer belongs to a question: an error or information box on
// the way does not use it up, and an answer the box cannot give fails.
TEST(ScriptedUi, PlainBoxLeavesTheAnswerForTheQuestion)
{
    scriptedUi().answer(MessageAnswer::No);
    ui().error(u"Nastala chyba"_s);
    EXPECT_FALSE(ui().askYesNo(MessageKind::Confirmation, u"Pokračovat?"_s));
    ASSERT_EQ(scriptedUi().messages().size(), 2);
    EXPECT_EQ(scriptedUi().messages().at(0).answer, MessageAnswer::Ok);
    EXPECT_EQ(scriptedUi().messages().at(1).answer, MessageAnswer::No);
}

TEST(ScriptedUi, AnswerThatIsNotOneOfTheButtonsFails)
{
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_NONFATAL_FAILURE(ui().message(MessageKind::Warning, u"Uložit?"_s, MessageButtons::OkCancel),
                            "not a button of");
}

TEST(FileDialogs, HostFiltersBecomeQtFilters)
{
    const QString host = u"Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*"_s;
    EXPECT_EQ(FileDialogs::toQtFilter(host), u"Textové soubory (*.txt);;Všechny soubory (*.*)"_s);
    EXPECT_EQ(FileDialogs::qtFilterAt(host, 2), u"Všechny soubory (*.*)"_s);
    EXPECT_EQ(FileDialogs::toQtFilter(u"Šablony|*.pts;*.PTS"_s), u"Šablony (*.pts *.PTS)"_s);
    EXPECT_EQ(FileDialogs::withDefaultExtension(u"a.rtf"_s, u"TXT"_s), u"a.rtf"_s);
}

} // namespace

namespace {

TEST(ScriptedUiExpectedMessages, KindTextAndCaptionMustAllMatch)
{
    ui().error(u"Soubor chybí."_s, u"Chyba"_s);
    ui().information(u"Hotovo."_s);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Error, u"Soubor chybí."_s, u"Chyba"_s}, {MessageKind::Information, u"Hotovo."_s}}));
    EXPECT_FALSE(
        scriptedUi().shown({{MessageKind::Error, u"Soubor chybí."_s}, {MessageKind::Information, u"Hotovo."_s}}))
        << "the caption differs";
    EXPECT_FALSE(scriptedUi().shown(
        {{MessageKind::Warning, u"Soubor chybí."_s, u"Chyba"_s}, {MessageKind::Information, u"Hotovo."_s}}))
        << "the kind differs";
    EXPECT_FALSE(scriptedUi().shown({{MessageKind::Error, u"Soubor chybí."_s, u"Chyba"_s}})) << "one box is missing";
    const testing::AssertionResult failure = scriptedUi().shown({});
    EXPECT_NE(std::string(failure.message()).find("Error [Chyba] Soubor"), std::string::npos) << failure.message();
}

} // namespace

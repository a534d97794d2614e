#pragma once

#include "common/UiSeam.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

#include <gtest/gtest.h>

class QDialog;

// The UI seam of the tests. It records every message, file dialog, window and
// opened document, and answers from a script:
//
//   ui.answer(MessageAnswer::Yes);                        // the next question
//   ui.onWindow("TfrmSeznam1", [](QDialog &w) { click(w, "btnOK"); });
//   ui.chooseFile("/tmp/x.txt");                          // the next file dialog
//
// A question (Yes/No, OK/Cancel) or a modal window without a scripted answer
// fails the test, and so does an answer that is not one of the box's buttons;
// a plain OK box is answered OK and leaves other scripted answers for the
// questions. What the script still holds when the test ends fails it too.
class ScriptedUi final : public UiSeam
{
public:
    struct Message
    {
        MessageKind kind;
        QString text;
        MessageButtons buttons;
        MessageAnswer answer;
        QString caption; // empty: the program's name
    };

    // A message box a test expects: kind, text and caption (empty: the
    // program's name).
    struct ExpectedMessage
    {
        MessageKind kind;
        QString text;
        QString caption = QString();
    };

    using WindowAction = std::function<void(QDialog &)>;

    void answer(MessageAnswer answer);
    void onWindow(const QString &objectName, WindowAction action);
    void chooseFile(const QString &path); // an empty path cancels the dialog

    void reset();
    // Fails the running test for every unused scripted entry.
    void verifyAllUsed();

    const QList<Message> &messages() const { return m_messages; }
    QStringList messageTexts() const;
    // Whether exactly these boxes were shown, in this order; the failure names
    // every difference. EXPECT_TRUE(scriptedUi().shown({{MessageKind::Error, text}}));
    testing::AssertionResult shown(const QList<ExpectedMessage> &expected) const;
    const QList<FileDialogRequest> &fileRequests() const { return m_fileRequests; }
    const QStringList &windowsShown() const { return m_windowsShown; }
    const QStringList &openedDocuments() const { return m_openedDocuments; }

    using UiSeam::message;
    MessageAnswer message(MessageKind kind, const QString &text, MessageButtons buttons,
                          const QString &caption) override;
    QString openFileName(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;
    int execModal(QDialog &dialog) override;
    void openDocument(const QString &pathOrAddress) override;
    void processEvents() override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() override;

private:
    QString nextFile(const FileDialogRequest &request);

    std::deque<MessageAnswer> m_answers;
    std::deque<std::pair<QString, WindowAction>> m_windowActions;
    std::deque<QString> m_files;
    QList<Message> m_messages;
    QList<FileDialogRequest> m_fileRequests;
    QStringList m_windowsShown;
    QStringList m_openedDocuments;
    QString m_clipboard;
};

// The scripted seam installed for the whole test run (reset before each test).
ScriptedUi &scriptedUi();

#include "support/ScriptedUi.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

void ScriptedUi::answer(MessageAnswer answer)
{
    m_answers.push_back(answer);
}

void ScriptedUi::onWindow(const QString &objectName, WindowAction action)
{
    m_windowActions.emplace_back(objectName, std::move(action));
}

void ScriptedUi::chooseFile(const QString &path)
{
    m_files.push_back(path);
}

void ScriptedUi::reset()
{
    m_answers.clear();
    m_windowActions.clear();
    m_files.clear();
    m_messages.clear();
    m_fileRequests.clear();
    m_windowsShown.clear();
    m_openedDocuments.clear();
    m_clipboard.clear();
}

void ScriptedUi::verifyAllUsed()
{
    for (const MessageAnswer a : m_answers)
        ADD_FAILURE() << "scripted message answer " << int(a) << " was never asked for";
    for (const auto &[name, action] : m_windowActions)
        ADD_FAILURE() << "scripted window " << name.toStdString() << " never opened";
    for (const QString &file : m_files)
        ADD_FAILURE() << "scripted file " << file.toStdString() << " was never asked for";
}

QStringList ScriptedUi::messageTexts() const
{
    QStringList texts;
    for (const Message &m : m_messages)
        texts.append(m.text);
    return texts;
}

namespace {

const char *kindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return "Information";
    case MessageKind::Warning:
        return "Warning";
    case MessageKind::Error:
        return "Error";
    case MessageKind::Confirmation:
        return "Confirmation";
    }
    return "?";
}

} // namespace

testing::AssertionResult ScriptedUi::shown(const QList<ExpectedMessage> &expected) const
{
    bool same = expected.size() == m_messages.size();
    for (qsizetype i = 0; same && i < expected.size(); ++i) {
        const ExpectedMessage &e = expected.at(i);
        const Message &m = m_messages.at(i);
        same = e.kind == m.kind && e.text == m.text && e.caption == m.caption;
    }
    if (same)
        return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "expected " << expected.size() << " message box(es):";
    for (const ExpectedMessage &e : expected)
        failure << "\n  " << kindName(e.kind) << " [" << e.caption.toStdString() << "] " << e.text.toStdString();
    failure << "\nshown " << m_messages.size() << ":";
    for (const Message &m : m_messages)
        failure << "\n  " << kindName(m.kind) << " [" << m.caption.toStdString() << "] " << m.text.toStdString();
    return failure;
}

namespace {

bool isButtonOf(MessageAnswer answer, MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return answer == MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoDefaultNo:
        return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return answer == MessageAnswer::Yes || answer == MessageAnswer::No || answer == MessageAnswer::Cancel;
    }
    return false;
}

} // namespace

MessageAnswer ScriptedUi::message(MessageKind kind, const QString &text, MessageButtons buttons, const QString &caption)
{
    MessageAnswer answer = MessageAnswer::Ok;
    const bool plainBox = buttons == MessageButtons::Ok;
    // A plain OK box is answered OK; it takes a scripted answer only when
    // that answer is OK, so an error shown instead of a question cannot use up
    // the question's answer.
    if (!m_answers.empty() && (!plainBox || m_answers.front() == MessageAnswer::Ok)) {
        answer = m_answers.front();
        m_answers.pop_front();
        if (!isButtonOf(answer, buttons)) {
            ADD_FAILURE() << "scripted answer " << int(answer) << " is not a button of: " << text.toStdString();
            answer = isYesNo(buttons) ? MessageAnswer::No : MessageAnswer::Cancel;
        }
    } else if (!plainBox) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        answer = isYesNo(buttons) ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    m_messages.append({kind, text, buttons, answer, caption});
    return answer;
}

QString ScriptedUi::nextFile(const FileDialogRequest &request)
{
    m_fileRequests.append(request);
    if (m_files.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << request.title.toStdString();
        return QString();
    }
    const QString path = m_files.front();
    m_files.pop_front();
    return path.isEmpty() ? path : FileDialogs::withDefaultExtension(path, request.defaultExtension);
}

QString ScriptedUi::openFileName(const FileDialogRequest &request)
{
    return nextFile(request);
}

QString ScriptedUi::saveFileName(const FileDialogRequest &request)
{
    return nextFile(request);
}

int ScriptedUi::execModal(QDialog &dialog)
{
    const QString name = dialog.objectName();
    m_windowsShown.append(name);
    const auto it = std::find_if(m_windowActions.begin(), m_windowActions.end(),
                                 [&](const auto &entry) { return entry.first == name; });
    if (it == m_windowActions.end()) {
        ADD_FAILURE() << "unscripted modal window: " << name.toStdString();
        return QDialog::Rejected;
    }
    const WindowAction action = it->second;
    m_windowActions.erase(it);
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QApplication::processEvents();
    action(dialog);
    if (dialog.isVisible()) {
        // The script left the window open: as if the user closed it.
        dialog.reject();
    }
    return dialog.result();
}

void ScriptedUi::openDocument(const QString &pathOrAddress)
{
    m_openedDocuments.append(pathOrAddress);
}

void ScriptedUi::processEvents()
{
    QApplication::processEvents();
}

void ScriptedUi::setClipboardText(const QString &text)
{
    m_clipboard = text;
}

QString ScriptedUi::clipboardText()
{
    return m_clipboard;
}

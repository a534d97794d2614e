#pragma once

#include <QString>

class QDialog;

enum class MessageKind { Error, Warning, Information, Confirmation };
// YesNoDefaultNo: a question whose "Ano" changes data for good; Enter answers
// "Ne" so that nothing irreversible starts by a habitual key press.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// "Ano" and "Ne" without "Storno", whichever is the default.
constexpr bool isYesNo(MessageButtons buttons)
{
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoDefaultNo;
}

// A common file dialog, described the host's way.
struct FileDialogRequest
{
    QString title;
    // Pairs of description and patterns separated by "|":
    // "Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*".
    QString filter;
    int filterIndex = 1;      // 1-based, as the host counts
    QString defaultExtension; // without the dot ("TXT"); added when the name has none
    QString initialDir;
    QString fileName;
    bool overwritePrompt = false;
};

// Every message box, file dialog, modal window, document opening, clipboard
// access and message-queue pump goes through this seam. The program installs
// the Qt implementation; tests install a scripted one that records what was
// shown and answers from a script.
class UiSeam
{
public:
    virtual ~UiSeam() = default;

    // "\r" in `text` is a line break. An empty caption shows the program's name.
    virtual MessageAnswer message(MessageKind kind, const QString &text, MessageButtons buttons,
                                  const QString &caption) = 0;
    MessageAnswer message(MessageKind kind, const QString &text, MessageButtons buttons)
    {
        return message(kind, text, buttons, QString());
    }
    // The chosen file's full name, empty when cancelled.
    virtual QString openFileName(const FileDialogRequest &request) = 0;
    virtual QString saveFileName(const FileDialogRequest &request) = 0;
    // Shows the window modally; returns its QDialog::DialogCode.
    virtual int execModal(QDialog &dialog) = 0;
    // Hands a path or web address to the desktop; the result is ignored.
    virtual void openDocument(const QString &pathOrAddress) = 0;
    // Lets the message queue run (repaints, the interrupt button).
    virtual void processEvents() = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual QString clipboardText() = 0;

    // Shorthands for the common boxes.
    void error(const QString &text, const QString &caption = QString())
    {
        message(MessageKind::Error, text, MessageButtons::Ok, caption);
    }
    void warning(const QString &text, const QString &caption = QString())
    {
        message(MessageKind::Warning, text, MessageButtons::Ok, caption);
    }
    void information(const QString &text, const QString &caption = QString())
    {
        message(MessageKind::Information, text, MessageButtons::Ok, caption);
    }
    bool askYesNo(MessageKind kind, const QString &text, const QString &caption = QString())
    {
        return message(kind, text, MessageButtons::YesNo, caption) == MessageAnswer::Yes;
    }
    // The question before a step that cannot be undone: "Ne" is the default.
    bool askBeforeIrreversible(const QString &text, const QString &caption = QString())
    {
        return message(MessageKind::Warning, text, MessageButtons::YesNoDefaultNo, caption) == MessageAnswer::Yes;
    }

    static UiSeam &current();
    // The seam in use, nullptr when none is installed (a tool that installs
    // its own for a while and puts the previous one back).
    static UiSeam *installed();
    // The seam is owned by whoever installs it (main, the test runner).
    static void setCurrent(UiSeam *seam);
};

// Short form for the seam in use.
inline UiSeam &ui()
{
    return UiSeam::current();
}

namespace FileDialogs {
// "Text (*.txt)|*.txt|All|*.*" → Qt's "Text (*.txt);;All (*.*)" (patterns added
// to descriptions that lack them).
QString toQtFilter(const QString &hostFilter);
// The n-th (1-based) Qt filter entry, for the initially selected filter.
QString qtFilterAt(const QString &hostFilter, int index);
// Adds ".ext" (lower-cased) when the name has no extension.
QString withDefaultExtension(const QString &fileName, const QString &defaultExtension);
} // namespace FileDialogs

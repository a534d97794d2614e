#pragma once

#include <QString>

// The progress window of a layout run ("Připravuji tisk položky číslo: …"
// with "Přerušit"). The layout only calls this interface; the report's windows
// provide the Qt window, the command-line tool a terminal line, tests a fake.
class LayoutProgress
{
public:
    virtual ~LayoutProgress() = default;

    // Shows the window with its caption, text and interrupt button.
    virtual void start(const QString &caption, const QString &text, const QString &button) = 0;
    virtual void setText(const QString &text) = 0;
    // Lets the message queue run; true once the user asked to stop.
    virtual bool interrupted() = 0;
    // Closes the window.
    virtual void finish() = 0;
};

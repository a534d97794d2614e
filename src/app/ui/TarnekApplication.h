#pragma once

#include <QApplication>

#include <functional>

class OperationSession;

// The program's application object. An engine error (a damaged data page, a
// full disk, a vanished file) thrown from an event handler — a slot of an
// operation's modal window, a timer — would otherwise leave Qt's event
// dispatch and end the program; here it reaches the user as the engine's
// message box and ends the running operation cleanly.
class TarnekApplication : public QApplication
{
    Q_OBJECT
public:
    TarnekApplication(int &argc, char **argv);

    // The session whose operation an engine error ends (the main window's).
    void setSession(OperationSession *session) { m_session = session; }

    bool notify(QObject *receiver, QEvent *event) override;

    // Runs `deliver` (the delivery of one event). An engine error escaping it
    // is reported through `session` (or shown alone without one), the modal
    // windows open above the main window are rejected, so that the
    // operation's exec loops return and its entry ends, and the event counts
    // as not handled. Other exceptions are programming errors and pass.
    static bool deliverGuarded(OperationSession *session, const std::function<bool()> &deliver);

private:
    OperationSession *m_session = nullptr;
};

#include "app/ui/TarnekApplication.h"

#include "app/core/OperationSession.h"
#include "common/UiSeam.h"
#include "hostdb/HostTableBackend.h"

#include <QDialog>

namespace {

// Rejects the modal windows from the topmost down. A window that refuses to
// close is left alone (and stops the loop), so this always ends.
void closeModalWindows()
{
    QList<QWidget *> tried;
    while (QWidget *window = QApplication::activeModalWidget()) {
        if (tried.contains(window))
            break;
        tried.append(window);
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    }
}

} // namespace

TarnekApplication::TarnekApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TarnekApplication::notify(QObject *receiver, QEvent *event)
{
    return deliverGuarded(m_session, [&] { return QApplication::notify(receiver, event); });
}

bool TarnekApplication::deliverGuarded(OperationSession *session, const std::function<bool()> &deliver)
{
    try {
        return deliver();
    } catch (const HostEngineError &error) {
        if (session)
            session->reportEngineError(error);
        else
            ui().error(error.text());
        closeModalWindows();
        return false;
    }
}

#pragma once

#include <QWidget>

class QLabel;

// The working overlay: a small borderless window in the middle of the screen
// saying what the add-on is busy with. One instance lives for the whole run;
// it is never modal.
class TfrmWorking : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmWorking(QWidget *parent = nullptr);

    // Lets the message queue run; when `visible`, shows `text` ("\r" breaks
    // the line) and lets the queue run again so that it is painted;
    // otherwise hides the overlay.
    void showWorking(bool visible, const QString &text = QString());
    QString text() const { return m_text; } // as given, "\r" included

private:
    QLabel *m_lblInfo;
    QString m_text;
};

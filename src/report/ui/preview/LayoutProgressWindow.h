#pragma once

#include "report/core/layout/LayoutProgress.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The layout's progress window: a caption, a line of text and "Přerušit".
// Shown without blocking while the layout runs; the layout lets the message
// queue run at every section, so the button is seen.
class LayoutProgressWindow final : public QDialog, public LayoutProgress
{
    Q_OBJECT

public:
    explicit LayoutProgressWindow(QWidget *parent = nullptr);

    void start(const QString &caption, const QString &text, const QString &button) override;
    void setText(const QString &text) override;
    bool interrupted() override;
    void finish() override;

private:
    QLabel *m_label;
    QPushButton *m_button;
    bool m_interrupted = false;
};

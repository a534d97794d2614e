#include "report/ui/preview/LayoutProgressWindow.h"

#include "common/UiSeam.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

LayoutProgressWindow::LayoutProgressWindow(QWidget *parent)
    : QDialog(parent), m_label(new QLabel(this)), m_button(new QPushButton(this))
{
    setObjectName(u"frmProgress"_s);
    m_label->setObjectName(u"lblText"_s);
    m_label->setMinimumWidth(300);
    m_button->setObjectName(u"btnPrerusit"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    connect(m_button, &QPushButton::clicked, this, [this] { m_interrupted = true; });
}

void LayoutProgressWindow::start(const QString &caption, const QString &text, const QString &button)
{
    m_interrupted = false;
    setWindowTitle(caption);
    m_label->setText(text);
    m_button->setText(button);
    m_button->setVisible(!button.isEmpty()); // some runs cannot be interrupted
    show();
    ui().processEvents();
}

void LayoutProgressWindow::setText(const QString &text)
{
    m_label->setText(text);
}

bool LayoutProgressWindow::interrupted()
{
    ui().processEvents();
    return m_interrupted;
}

void LayoutProgressWindow::finish()
{
    hide();
}

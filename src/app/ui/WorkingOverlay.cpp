#include "app/ui/WorkingOverlay.h"

#include "common/UiSeam.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmWorking::TfrmWorking(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"TfrmWorking"_s);
    setFixedSize(346, 46);
    setAutoFillBackground(true);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    outer->addWidget(frame);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(8, 4, 8, 4);
    m_lblInfo = new QLabel(frame);
    m_lblInfo->setObjectName(u"lblInfo"_s);
    m_lblInfo->setAlignment(Qt::AlignCenter);
    m_lblInfo->setWordWrap(true);
    layout->addWidget(m_lblInfo);
}

void TfrmWorking::showWorking(bool visible, const QString &text)
{
    ui().processEvents();
    if (!visible) {
        hide();
        return;
    }
    m_text = text;
    m_lblInfo->setText(QString(text).replace(u'\r', u'\n'));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    ui().processEvents();
}

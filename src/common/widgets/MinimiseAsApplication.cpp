#include "common/widgets/MinimiseAsApplication.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindowStateChangeEvent>

MinimiseAsApplication::MinimiseAsApplication(QObject *parent) : QObject(parent) {}

bool MinimiseAsApplication::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::WindowStateChange || m_propagating)
        return QObject::eventFilter(watched, event);
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window || !window->isWindow())
        return QObject::eventFilter(watched, event);

    const auto *change = static_cast<QWindowStateChangeEvent *>(event);
    const bool minimised = window->windowState() & Qt::WindowMinimized;
    const bool wasMinimised = change->oldState() & Qt::WindowMinimized;
    if (minimised == wasMinimised)
        return QObject::eventFilter(watched, event);

    m_propagating = true;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *other : windows) {
        if (other == window || !other->isVisible() || other->windowType() == Qt::ToolTip ||
            other->windowType() == Qt::Popup)
            continue;
        const Qt::WindowStates state = other->windowState();
        if (minimised && !(state & Qt::WindowMinimized))
            other->setWindowState(state | Qt::WindowMinimized);
        else if (!minimised && (state & Qt::WindowMinimized))
            other->setWindowState(state & ~Qt::WindowMinimized);
    }
    m_propagating = false;
    return QObject::eventFilter(watched, event);
}

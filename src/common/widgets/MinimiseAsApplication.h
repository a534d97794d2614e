#pragma once

#include <QObject>

// The host's add-ons shrink as a whole: the system's minimise command on any
// of their windows minimises every visible top-level window of the
// application, and restoring one restores the others. Installed once on the
// application object.
class MinimiseAsApplication : public QObject
{
    Q_OBJECT
public:
    explicit MinimiseAsApplication(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_propagating = false;
};

#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

// The main window's private message that destroys one designed control after
// the command that asked for it has returned.
constexpr int WM_DELETECONTROL = 1024 + 777;

class TDeleteControlEvent : public QEvent
{
public:
    explicit TDeleteControlEvent(QWidget *control)
        : QEvent(static_cast<QEvent::Type>(WM_DELETECONTROL)), Control(control)
    {
    }

    QPointer<QWidget> Control;
};

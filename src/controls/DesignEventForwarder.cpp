#include "controls/DesignEventForwarder.h"

#include "controls/DesignRouter.h"
#include "controls/LXDesigned.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

TDesignEventForwarder::TDesignEventForwarder(TLXDesigned *owner, bool paintOnly, QObject *parent)
    : QObject(parent), FOwner(owner), FPaintOnly(paintOnly)
{
}

void TDesignEventForwarder::Attach(TLXDesigned *owner, QWidget *inner)
{
    Install(owner, inner, false);
}

void TDesignEventForwarder::AttachPaint(TLXDesigned *owner, QWidget *inner)
{
    Install(owner, inner, true);
}

void TDesignEventForwarder::Install(TLXDesigned *owner, QWidget *inner, bool paintOnly)
{
    static const char *const marker = "designEventForwarder";
    if (!inner || inner->property(marker).toBool())
        return;
    inner->setProperty(marker, true);
    inner->installEventFilter(new TDesignEventForwarder(owner, paintOnly, inner));
}

bool TDesignEventForwarder::eventFilter(QObject *watched, QEvent *event)
{
    TDesignRouter *router = TDesignRouter::Current();
    // The event being re-delivered below passes to the widget untouched.
    if (!router || event == FCurrent || !watched->isWidgetType() ||
        (FPaintOnly && event->type() != QEvent::Paint))
        return false;
    auto *inner = static_cast<QWidget *>(watched);
    QWidget *control = FOwner->Widget();
    const TControlStatus status = FOwner->ControlStatus();
    if (router->BeforeMessage(control, event, status, inner)) {
        // Deliver now, through the remaining filters and the widget itself,
        // so that the after-hook sees the processed event.
        QPointer<TDesignEventForwarder> alive(this);
        QPointer<QWidget> controlAlive(control);
        QEvent *previous = FCurrent;
        FCurrent = event;
        QCoreApplication::sendEvent(inner, event);
        if (!alive || !controlAlive)
            return true;
        FCurrent = previous;
    }
    router->AfterMessage(control, event, status, inner);
    // Delivered (or consumed) here: the outer dispatch must not deliver or
    // propagate it again.
    event->accept();
    return true;
}

#include "designer/SelectionOverlay.h"

#include "designer/DesignerMessagesHandler.h"

#include <QChildEvent>
#include <QEvent>
#include <QPainter>

TSelectionOverlay::TSelectionOverlay()
{
    setObjectName(QStringLiteral("SelectionOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TSelectionOverlay::Show(const std::vector<QWidget *> &controls)
{
    Watch(false);
    FControls.assign(controls.begin(), controls.end());
    QWidget *container = controls.empty() ? nullptr : controls.front()->parentWidget();
    if (!container) {
        FContainer = nullptr;
        hide();
        return;
    }
    if (container != FContainer) {
        FContainer = container;
        setParent(container);
    }
    Watch(true);
    Follow();
}

void TSelectionOverlay::Watch(bool on)
{
    for (const QPointer<QWidget> &c : FControls)
        if (c)
            on ? c->installEventFilter(this) : c->removeEventFilter(this);
    if (FContainer)
        on ? FContainer->installEventFilter(this) : FContainer->removeEventFilter(this);
}

bool TSelectionOverlay::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ZOrderChange:
        RequestFollow();
        break;
    case QEvent::ChildAdded:
        // A control added to the container lies on top of the overlay.
        if (watched == FContainer && static_cast<QChildEvent *>(event)->child() != this)
            RequestFollow();
        break;
    default:
        break;
    }
    return false;
}

void TSelectionOverlay::RequestFollow()
{
    if (FFollowPending)
        return;
    FFollowPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FFollowPending = false;
            Follow();
        },
        Qt::QueuedConnection);
}

void TSelectionOverlay::Follow()
{
    QRect bounds;
    for (const QPointer<QWidget> &c : FControls)
        if (c && c->parentWidget() == FContainer)
            bounds |= c->geometry();
    if (!FContainer || bounds.isEmpty() || !DesignerHandler || !DesignerHandler->Enabled()) {
        hide();
        return;
    }
    setGeometry(bounds);
    raise();
    show();
    update();
}

void TSelectionOverlay::paintEvent(QPaintEvent *)
{
    if (!DesignerHandler)
        return;
    QPainter painter(this);
    for (const QPointer<QWidget> &c : FControls) {
        if (!c || c->parentWidget() != FContainer)
            continue;
        painter.save();
        painter.translate(c->pos() - pos());
        for (int handle = 1; handle <= 8; ++handle)
            painter.fillRect(DesignerHandler->HandleRect(c->rect(), handle),
                             DesignerHandler->SelectedBrush);
        painter.restore();
    }
}

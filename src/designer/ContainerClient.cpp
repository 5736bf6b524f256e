#include "designer/ContainerClient.h"

#include "designer/LXControlsContainer.h"

#include <QChildEvent>
#include <QMouseEvent>

TContainerClient::TContainerClient(TLXControlsContainer *container)
    : QWidget(container), FContainer(container)
{
    setAutoFillBackground(true);
}

void TContainerClient::UpdateExtent()
{
    QRect bounds;
    for (QObject *child : children())
        if (child->isWidgetType())
            bounds |= static_cast<QWidget *>(child)->geometry();
    setMinimumSize(std::max(bounds.right() + 1, 0), std::max(bounds.bottom() + 1, 0));
}

bool TContainerClient::event(QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::ChildRemoved) {
        UpdateExtent();
    }
    return QWidget::event(event);
}

bool TContainerClient::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->parent() == this &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        UpdateExtent();
    return false;
}

void TContainerClient::dragEnterEvent(QDragEnterEvent *event)
{
    FContainer->DragEnter(event);
}

void TContainerClient::dragMoveEvent(QDragMoveEvent *event)
{
    FContainer->DragMove(event);
}

void TContainerClient::dropEvent(QDropEvent *event)
{
    FContainer->Drop(event);
}

void TContainerClient::mousePressEvent(QMouseEvent *event)
{
    FPressed = event->button() == Qt::LeftButton;
}

void TContainerClient::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        FPressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    FPressed = false;
    if (click && FContainer->OnClick)
        FContainer->OnClick();
}

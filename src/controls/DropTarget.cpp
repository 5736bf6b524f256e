#include "controls/DropTarget.h"

#include <QDropEvent>
#include <QWidget>

void TDropTarget::SetOnDragOver(TDragOverEvent handler)
{
    FOnDragOver = std::move(handler);
    UpdateAcceptDrops();
}

void TDropTarget::SetOnDragDrop(TDragDropEvent handler)
{
    FOnDragDrop = std::move(handler);
    UpdateAcceptDrops();
}

void TDropTarget::UpdateAcceptDrops()
{
    ClientWidget()->setAcceptDrops(FOnDragOver || FOnDragDrop);
}

void TDropTarget::DragEnter(QDragEnterEvent *event)
{
    DragMove(event);
}

void TDropTarget::DragMove(QDragMoveEvent *event)
{
    bool accept = static_cast<bool>(FOnDragDrop);
    if (FOnDragOver)
        FOnDragOver(TargetWidget(), event->source(), event->position().toPoint(), accept);
    if (accept)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDropTarget::Drop(QDropEvent *event)
{
    if (!FOnDragDrop) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    FOnDragDrop(TargetWidget(), event->source(), event->position().toPoint());
}

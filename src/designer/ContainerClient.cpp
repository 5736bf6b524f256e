#include "designer/ContainerClient.h"

#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"

#include <QAbstractItemModel>
#include <QChildEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QResizeEvent>

TContainerClient::TContainerClient(TLXControlsContainer *container)
    : QWidget(container), FContainer(container)
{
    setAutoFillBackground(true);
    // Keys typed while designing come here, not to the designed controls.
    setFocusPolicy(Qt::StrongFocus);
}

// The selection model of a list or combo box view is deleted later when its
// item model is destroyed first, as destroying those controls does; the view
// then takes it along at once, and taking a pending deletion back searches
// the whole event queue. Replacing a design just opened, whose new controls
// still have thousands of events pending, cost n squared that way. Cut off
// the deferred deletion: the selection models still go with their views.
TContainerClient::~TContainerClient()
{
    for (QItemSelectionModel *selection : findChildren<QItemSelectionModel *>())
        if (QAbstractItemModel *model = selection->model())
            disconnect(model, SIGNAL(destroyed()), selection, SLOT(deleteLater()));
}

void TContainerClient::UpdateExtent()
{
    FExtentPending = false;
    QRect bounds;
    for (QObject *child : children())
        if (child->isWidgetType())
            bounds |= static_cast<QWidget *>(child)->geometry();
    setMinimumSize(std::max(bounds.right() + 1, 0), std::max(bounds.bottom() + 1, 0));
}

// Walking every child on each move or resize would make placing n controls
// cost n squared. A child that reaches beyond the extent widens it at once;
// only a child that leaves the edge, or is removed, may shrink the extent,
// and that full walk runs once after the current command, for all changes
// made meanwhile.
void TContainerClient::ChildGeometryChanged(const QRect &before, const QRect &after)
{
    const QSize extent = minimumSize();
    const int right = after.isNull() ? 0 : after.right() + 1;
    const int bottom = after.isNull() ? 0 : after.bottom() + 1;
    if (right > extent.width() || bottom > extent.height())
        setMinimumSize(std::max(right, extent.width()), std::max(bottom, extent.height()));
    const bool leftEdge =
        !before.isNull() && ((before.right() + 1 == extent.width() && right < extent.width()) ||
                             (before.bottom() + 1 == extent.height() && bottom < extent.height()));
    if (leftEdge)
        RequestExtentUpdate();
}

void TContainerClient::RequestExtentUpdate()
{
    if (FExtentPending)
        return;
    FExtentPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (FExtentPending)
                UpdateExtent();
        },
        Qt::QueuedConnection);
}

bool TContainerClient::event(QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::ChildRemoved) {
        RequestExtentUpdate();
    }
    return QWidget::event(event);
}

bool TContainerClient::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->parent() != this)
        return false;
    const QWidget *child = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::Move) {
        const auto *move = static_cast<QMoveEvent *>(event);
        ChildGeometryChanged(QRect(move->oldPos(), child->size()), child->geometry());
    } else if (event->type() == QEvent::Resize) {
        const auto *resize = static_cast<QResizeEvent *>(event);
        ChildGeometryChanged(QRect(child->pos(), resize->oldSize()), child->geometry());
    }
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
    // The keyboard goes to the surface, which moves the selection with it.
    FContainer->setFocus(Qt::MouseFocusReason);
    if (FPressed && DesignerHandler && DesignerHandler->Enabled())
        FBand.Press(this, event->pos(), event->modifiers() & Qt::ShiftModifier);
}

void TContainerClient::mouseMoveEvent(QMouseEvent *event)
{
    FBand.Move(event->pos());
}

void TContainerClient::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && FBand.Release(event->pos())) {
        FPressed = false;
        return;
    }
    const bool click =
        FPressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    FPressed = false;
    if (click && FContainer->OnClick)
        FContainer->OnClick();
}

void TContainerClient::paintEvent(QPaintEvent *event)
{
    if (DesignerHandler)
        DesignerHandler->PaintGrid(this, event->rect());
}

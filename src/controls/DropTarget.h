#pragma once

#include <QPoint>
#include <functional>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QObject;
class QWidget;

enum TDragKind { dkDrag = 0, dkDock = 1 };
enum TDragMode { dmManual = 0, dmAutomatic = 1 };

// A control that accepts palette drops: the design surface, and the panels
// and group boxes created on it. Positions are in the client coordinates of
// the widget that holds the dropped controls.
class TDropTarget
{
public:
    using TDragOverEvent =
        std::function<void(QWidget *sender, QObject *source, const QPoint &pos, bool &accept)>;
    using TDragDropEvent = std::function<void(QWidget *sender, QObject *source, const QPoint &pos)>;

    virtual ~TDropTarget() = default;

    // The drop target as a widget, and the widget its dropped controls live in.
    virtual QWidget *TargetWidget() = 0;
    virtual QWidget *ClientWidget() { return TargetWidget(); }

    int DragKind() const { return FDragKind; }
    void SetDragKind(int kind) { FDragKind = kind; }
    int DragMode() const { return FDragMode; }
    void SetDragMode(int mode) { FDragMode = mode; }

    const TDragOverEvent &OnDragOver() const { return FOnDragOver; }
    const TDragDropEvent &OnDragDrop() const { return FOnDragDrop; }
    void SetOnDragOver(TDragOverEvent handler);
    void SetOnDragDrop(TDragDropEvent handler);

    // Called from the client widget's drag and drop events.
    void DragEnter(QDragEnterEvent *event);
    void DragMove(QDragMoveEvent *event);
    void Drop(QDropEvent *event);

private:
    void UpdateAcceptDrops();

    int FDragKind = dkDrag;
    int FDragMode = dmManual;
    TDragOverEvent FOnDragOver;
    TDragDropEvent FOnDragDrop;
};

#pragma once

#include "controls/ControlStatus.h"
#include "controls/DesignRouter.h"
#include "designer/RubberBandSelector.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <vector>

class QEvent;
class QMenu;
class QPainter;
class QRect;
class QWidget;

// Geometry of a selected control captured when a drag starts.
struct TControlPositionData {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Turns the mouse input that reaches designed controls into selecting,
// moving and resizing them with grab handles, and opening the control popup
// menu. Every event of a designed control is offered to BeforeMessage first
// and shown to AfterMessage afterwards.
class TDesignerMessagesHandler : public QObject, public TDesignRouter
{
public:
    using TSelectEvent = std::function<void(QObject *sender, QWidget *control, bool cleared)>;
    using TNotifyEvent = std::function<void(QObject *sender)>;

    TDesignerMessagesHandler();
    ~TDesignerMessagesHandler() override;

    const int HandleSize = 4;
    const int GridStep = 5;

    // target is the inner widget that received the event when it is not the
    // control itself (a list box's viewport, a combo box's editor).
    bool BeforeMessage(QWidget *control, QEvent *event, TControlStatus status,
                       QWidget *target = nullptr) override;
    void AfterMessage(QWidget *control, QEvent *event, TControlStatus status,
                      QWidget *target = nullptr) override;

    void SelectControl(QWidget *control, bool add);
    // Selects the controls (added to the selection with add) and raises
    // OnSelect once.
    void SelectControls(const std::vector<QWidget *> &controls, bool add);
    void ClearSelection();
    // Posts one deletion per selected control to the main window.
    void DeleteSelected(QObject *mainWindow);

    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool value);

    const std::vector<QWidget *> &Selection() const { return FSelection; }
    bool IsSelected(const QWidget *control) const;

    QMenu *PopupMenu = nullptr;
    TSelectEvent OnSelect;
    TNotifyEvent OnChange;
    // A move or resize drag of the selection starts (DragHandle tells which).
    TNotifyEvent OnBeginDrag;
    // A double click on a control, which it selected; no drag starts.
    std::function<void(QWidget *control)> OnDoubleClick;

    int Snap(int value) const { return value - value % GridStep; }
    QRect HandleRect(const QRect &client, int handle) const;
    int HandleAt(const QWidget *control, const QPoint &point) const;

    bool Dragging() const { return FDragging; }
    int DragHandle() const { return FDragHandle; }
    int SavedCursor() const { return FSavedCursor; }

    const QColor HotBrush{128, 0, 0};
    const QColor SelectedBrush{128, 128, 128};

private:
    // A press on the inner area of a panel or group box that is not
    // selected may draw a selection band instead of moving it.
    bool StartsBand(QWidget *control, const QPoint &point) const;
    void BeginMove(QWidget *control, const QPoint &point);
    void BeginResize(QWidget *control, const QPoint &point);
    void MoveSelection(QWidget *control, const QPoint &point);
    void ResizeSelection(QWidget *control, const QPoint &point);
    void EndDrag(QWidget *control);
    void UpdateHoverCursor(QWidget *control, const QPoint &point);
    void CapturePositions();
    void InvalidateSelection();
    void DrawHandles(QPainter &painter, const QRect &client, const QColor &brush) const;
    void PaintHandles(QWidget *control, QWidget *target);
    void Forget(QObject *control);
    void SetHot(QWidget *control);

    std::vector<QWidget *> FSelection;
    std::vector<TControlPositionData> FPositions;
    bool FEnabled = true;
    int FSavedCursor = 0;
    QPoint FDragStart;
    bool FDragging = false;
    int FDragHandle = 0;
    QPointer<QWidget> FHot;
    TRubberBandSelector FBand;
};

// The one design-time handler, created when the program starts; the
// designed controls route their events to it.
extern TDesignerMessagesHandler *DesignerHandler;

#pragma once

#include "controls/ControlStatus.h"
#include "controls/DesignRouter.h"
#include "designer/GuideOverlay.h"
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
    // How far an edge is pulled onto a guide.
    const int GuideReach = 4;
    // The grid positions snap to and the surface shows; the user's choices
    // (Tools > Options), kept by TDesignerOptions.
    int GridStep = 5;
    bool ShowGrid = true;
    bool SnapToGrid = true;
    bool SnapToGuides = true;

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
    // A double click on a control, which it selected; no drag starts. The
    // point is on the screen: a string grid edits the cell under it.
    std::function<void(QWidget *control, const QPoint &global)> OnDoubleClick;

    int Snap(int value) const;
    // Dots at the grid's points inside area of a container's client widget.
    void PaintGrid(QWidget *client, const QRect &area) const;
    // The guides and distances drawn during the current drag; none between
    // drags.
    const TGuideOverlay *Overlay() const { return FOverlay; }
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
    void MoveSelection(QWidget *control, const QPoint &point, bool free);
    void ResizeSelection(QWidget *control, const QPoint &point, bool free);
    // Indexes the controls beside the selection and puts up the overlay.
    void BeginGuides();
    // Shows the guides the given edges of the selection lie on and the gaps
    // around it.
    void ShowGuides(int edges);
    void EndGuides();
    // The selection's bounds at the start of the drag, shifted by delta.
    QRect StartBounds(const QPoint &delta) const;
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
    TGuideIndex FGuides;
    QPointer<TGuideOverlay> FOverlay;
    TRubberBandSelector FBand;
};

// The one design-time handler, created when the program starts; the
// designed controls route their events to it.
extern TDesignerMessagesHandler *DesignerHandler;

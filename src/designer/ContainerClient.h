#pragma once

#include "designer/RubberBandSelector.h"

#include <QWidget>

class TLXControlsContainer;

// The design surface's inner widget: the parent of the top-level designed
// controls. It grows to hold every control, so the surface scrolls to
// controls beyond its visible area.
class TContainerClient : public QWidget
{
public:
    explicit TContainerClient(TLXControlsContainer *container);
    ~TContainerClient() override;

    // Sets the minimum size to the bounds of every child widget at once.
    void UpdateExtent();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void ChildGeometryChanged(const QRect &before, const QRect &after);
    void RequestExtentUpdate();

    TLXControlsContainer *FContainer;
    bool FPressed = false;
    TRubberBandSelector FBand;
    bool FExtentPending = false;
};

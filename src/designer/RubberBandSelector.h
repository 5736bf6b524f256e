#pragma once

#include <QPoint>
#include <QPointer>
#include <memory>

class QRubberBand;
class QWidget;

// Selection by a rectangle drawn with the mouse on the empty surface or on
// an empty area of a panel or group box: once the mouse has moved far enough
// from the press, a band follows it; on release, the controls of that
// container that the band touches are selected (added with Shift).
class TRubberBandSelector
{
public:
    TRubberBandSelector();
    ~TRubberBandSelector();

    // A press at pos (in container's client coordinates) that may become a
    // band; container is the surface's client or a panel or group box.
    void Press(QWidget *container, const QPoint &pos, bool add);
    // Answers whether the band is shown.
    bool Move(const QPoint &pos);
    // Ends the press; answers whether it was a band (which then selected).
    bool Release(const QPoint &pos);
    bool Pending() const { return !FContainer.isNull(); }
    bool Active() const { return FActive; }
    void Cancel();

private:
    QPointer<QWidget> FContainer;
    std::unique_ptr<QRubberBand> FBand;
    QPoint FOrigin;
    bool FAdd = false;
    bool FActive = false;
};

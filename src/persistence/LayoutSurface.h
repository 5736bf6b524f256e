#pragma once

class QWidget;

// The widget a layout is written from and read onto: the design surface.
// Opening a layout builds the new design on a hidden client of the surface's
// own, so that a file that fails half-way leaves the design untouched. The
// reader decides: BeginReplace starts that client (controls created on the
// surface go to it), CommitReplace shows it in place of the current design,
// which is destroyed, and CancelReplace destroys it.
class TLayoutSurface
{
public:
    virtual ~TLayoutSurface() = default;

    virtual QWidget *SurfaceWidget() = 0;
    virtual void BeginReplace() = 0;
    virtual void CommitReplace() = 0;
    virtual void CancelReplace() = 0;
};

#pragma once

#include "controls/ControlStatus.h"

class QEvent;
class QWidget;

// The design-time side of the designed controls' events. Every event of a
// designed control is offered to BeforeMessage first (the control processes
// it only when that answers true) and shown to AfterMessage afterwards. The
// designer implements it and installs the lookup of its current handler;
// without a router the controls behave as plain widgets.
class TDesignRouter
{
public:
    using TLookup = TDesignRouter *(*)();

    virtual ~TDesignRouter() = default;

    // target is the inner widget that received the event when it is not the
    // control itself (a list box's viewport, a combo box's editor).
    virtual bool BeforeMessage(QWidget *control, QEvent *event, TControlStatus status,
                               QWidget *target = nullptr) = 0;
    virtual void AfterMessage(QWidget *control, QEvent *event, TControlStatus status,
                              QWidget *target = nullptr) = 0;
    // While designing, controls that are not visible stay on the surface.
    virtual bool Enabled() const = 0;

    // The router in charge now, or none.
    static TDesignRouter *Current() { return FLookup ? FLookup() : nullptr; }
    // Installs how the current router is found; returns the lookup it replaces.
    static TLookup Install(TLookup lookup);

private:
    static inline TLookup FLookup = nullptr;
};

#pragma once

#include "controls/DropTarget.h"

#include <QScrollArea>
#include <functional>

class TRSObjectInspector;

// The design surface: a scroll box whose inner client widget holds the
// top-level designed controls. Drops on the client go to the surface's drop
// handlers; a click on empty surface raises OnClick.
class TLXControlsContainer : public QScrollArea, public TDropTarget
{
public:
    TLXControlsContainer(QWidget *owner, TRSObjectInspector *inspector);

    TRSObjectInspector *Inspector() const { return FInspector; }
    QWidget *TargetWidget() override { return this; }
    QWidget *ClientWidget() override { return widget(); }

    // The designed controls on the surface, in stacking order.
    QList<QWidget *> Controls();

    std::function<void()> OnClick;

private:
    TRSObjectInspector *FInspector;
};

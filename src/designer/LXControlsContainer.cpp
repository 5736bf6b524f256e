#include "designer/LXControlsContainer.h"

#include "controls/ControlsFactory.h"
#include "designer/ContainerClient.h"

TLXControlsContainer::TLXControlsContainer(QWidget *owner, TRSObjectInspector *inspector)
    : QScrollArea(owner), FInspector(inspector)
{
    setWidgetResizable(true);
    setWidget(new TContainerClient(this));
}

QList<QWidget *> TLXControlsContainer::Controls()
{
    return TControlsFactory::DesignedChildren(this);
}

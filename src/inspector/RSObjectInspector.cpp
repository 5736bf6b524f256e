#include "inspector/RSObjectInspector.h"

#include "inspector/RSCustomObjectInspector.h"

TRSObjectInspector::TRSObjectInspector(QWidget *parent)
    : TRSItemListView(parent, std::make_unique<TRSCustomObjectInspector>())
{
}

TRSCustomObjectInspector *TRSObjectInspector::Inspector() const
{
    return static_cast<TRSCustomObjectInspector *>(Grid());
}

TPersistent *TRSObjectInspector::Component() const
{
    return Inspector()->Component();
}

void TRSObjectInspector::SetComponent(TPersistent *component)
{
    Inspector()->SetComponent(component);
}

void TRSObjectInspector::Rebuild()
{
    Inspector()->Rebuild();
}

#include "inspector/RSInspectorObject.h"

#include "inspector/RSInspectorObjects.h"
#include "reflection/Persistent.h"
#include "reflection/TypInfo.h"

TRSInspectorObject::TRSInspectorObject(TRSInspectorObjects *list) : FList(list) {}

TRSInspectorObject::~TRSInspectorObject()
{
    Unwatch(FInstance, FInstanceWatch);
    Unwatch(FLinkedComponent, FLinkedWatch);
}

void TRSInspectorObject::Watch(TPersistent *object, int &id)
{
    if (!object || !object->IsComponent() || !FList || !FList->OwnerInspector())
        return;
    TRSInspectorObjects *list = FList;
    id = object->AddFreeObserver([list, this](TPersistent *freed) {
        // The object is going: forget the watch before the entry goes.
        if (FInstance == freed)
            FInstanceWatch = 0;
        if (FLinkedComponent == freed)
            FLinkedWatch = 0;
        list->RemoveObject(freed);
    });
}

void TRSInspectorObject::Unwatch(TPersistent *object, int &id)
{
    if (object && id)
        object->RemoveFreeObserver(id);
    id = 0;
}

void TRSInspectorObject::SetInstance(TPersistent *object)
{
    if (object == FInstance)
        return;
    if (FList)
        FList->Changing();
    Unwatch(FInstance, FInstanceWatch);
    FInstance = object;
    Watch(object, FInstanceWatch);
    if (FList)
        FList->Changed(this);
}

void TRSInspectorObject::SetLinkedComponent(TPersistent *component)
{
    if (component == FLinkedComponent)
        return;
    Unwatch(FLinkedComponent, FLinkedWatch);
    FLinkedComponent = component;
    Watch(component, FLinkedWatch);
}

TPersistent *TRSInspectorObject::Component() const
{
    return FInstance && FInstance->IsComponent() ? FInstance : nullptr;
}

void TRSInspectorObject::Assign(const TRSInspectorObject &source)
{
    SetInstance(source.FInstance);
    SetLinkedComponent(source.FLinkedComponent);
    if (FList)
        FList->Changed(this);
}

std::string TRSInspectorObject::DisplayName() const
{
    if (TPersistent *component = Component())
        return component->ComponentName();
    if (const TClassInfo *info = TypInfo::ClassInfoOf(FInstance))
        return info->Name;
    return "TRSInspectorObject";
}

int TRSInspectorObject::Index() const
{
    return FList ? FList->IndexOf(this) : -1;
}

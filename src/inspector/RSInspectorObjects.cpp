#include "inspector/RSInspectorObjects.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorObject.h"

TRSInspectorObjects::TRSInspectorObjects(TRSCustomObjectInspector *owner) : FOwner(owner) {}

TRSInspectorObjects::~TRSInspectorObjects()
{
    // Entries go without change signals.
    FOwner = nullptr;
    FItems.clear();
}

int TRSInspectorObjects::IndexOf(const TRSInspectorObject *entry) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == entry)
            return static_cast<int>(i);
    return -1;
}

TRSInspectorObject *TRSInspectorObjects::Add()
{
    Changing();
    FItems.push_back(std::make_unique<TRSInspectorObject>(this));
    TRSInspectorObject *entry = FItems.back().get();
    Changed(entry);
    return entry;
}

TRSInspectorObject *TRSInspectorObjects::AddObject(TPersistent *object)
{
    BeginUpdate();
    const int index = IndexOfObject(object);
    TRSInspectorObject *entry = index >= 0 ? Item(index) : Add();
    entry->SetInstance(object);
    EndUpdate();
    return entry;
}

TRSInspectorObject *TRSInspectorObjects::AddLinkedObject(TPersistent *component,
                                                         TPersistent *object)
{
    TRSInspectorObject *entry = AddObject(object);
    entry->SetLinkedComponent(component);
    return entry;
}

int TRSInspectorObjects::IndexOfObject(const TPersistent *object) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->Instance() == object)
            return static_cast<int>(i);
    return -1;
}

int TRSInspectorObjects::RemoveObject(const TPersistent *object)
{
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i]->Instance() == object || FItems[i]->LinkedComponent() == object) {
            BeginUpdate();
            Delete(static_cast<int>(i));
            EndUpdate();
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TRSInspectorObjects::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed(nullptr);
}

void TRSInspectorObjects::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed(nullptr);
}

void TRSInspectorObjects::CopyFrom(const TRSInspectorObjects &source)
{
    BeginUpdate();
    Clear();
    for (const auto &entry : source.FItems)
        if (entry->Instance())
            Add()->Assign(*entry);
    EndUpdate();
}

void TRSInspectorObjects::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        FChangingAnnounced = false;
}

void TRSInspectorObjects::EndUpdate()
{
    if (FUpdateCount <= 0 || --FUpdateCount > 0)
        return;
    if (FChangingAnnounced && FOwner)
        FOwner->ObjectsChanged(nullptr);
    FChangingAnnounced = false;
}

void TRSInspectorObjects::Changing()
{
    if (FChangingAnnounced)
        return;
    if (FUpdateCount > 0)
        FChangingAnnounced = true;
    if (FOwner)
        FOwner->ObjectsChanging();
}

void TRSInspectorObjects::Changed(TRSInspectorObject *entry)
{
    if (FUpdateCount == 0 && FOwner)
        FOwner->ObjectsChanged(entry);
}

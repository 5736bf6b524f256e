#pragma once

#include <memory>
#include <vector>

class TPersistent;
class TRSInspectorObject;
class TRSCustomObjectInspector;

// The ordered list of objects an inspector shows. Changes are announced to
// the owner inspector: before the first change of an update it drops its
// rows, after a change (or the outermost update) it asks for a rebuild.
class TRSInspectorObjects
{
public:
    explicit TRSInspectorObjects(TRSCustomObjectInspector *owner = nullptr);
    ~TRSInspectorObjects();
    TRSInspectorObjects(const TRSInspectorObjects &) = delete;
    TRSInspectorObjects &operator=(const TRSInspectorObjects &) = delete;

    TRSCustomObjectInspector *OwnerInspector() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TRSInspectorObject *Item(int index) const
    {
        return FItems.at(static_cast<size_t>(index)).get();
    }
    int IndexOf(const TRSInspectorObject *entry) const;

    TRSInspectorObject *Add();
    TRSInspectorObject *AddObject(TPersistent *object);
    TRSInspectorObject *AddLinkedObject(TPersistent *component, TPersistent *object);
    int IndexOfObject(const TPersistent *object) const;
    int RemoveObject(const TPersistent *object);
    void Delete(int index);
    void Clear();
    void CopyFrom(const TRSInspectorObjects &source);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

private:
    friend class TRSInspectorObject;
    void Changing();
    void Changed(TRSInspectorObject *entry);

    TRSCustomObjectInspector *FOwner;
    std::vector<std::unique_ptr<TRSInspectorObject>> FItems;
    int FUpdateCount = 0;
    bool FChangingAnnounced = false;
};

#pragma once

#include <string>

class TPersistent;
class TRSInspectorObjects;

// One inspected object of an inspector's list, and the component it depends
// on (the owner of an inspected collection item).
class TRSInspectorObject
{
public:
    explicit TRSInspectorObject(TRSInspectorObjects *list);
    ~TRSInspectorObject();
    TRSInspectorObject(const TRSInspectorObject &) = delete;
    TRSInspectorObject &operator=(const TRSInspectorObject &) = delete;

    TPersistent *Instance() const { return FInstance; }
    void SetInstance(TPersistent *object);
    TPersistent *LinkedComponent() const { return FLinkedComponent; }
    void SetLinkedComponent(TPersistent *component);
    // The Instance when it is a component.
    TPersistent *Component() const;
    void SetComponent(TPersistent *component) { SetInstance(component); }
    void Assign(const TRSInspectorObject &source);
    std::string DisplayName() const;
    int Index() const;

private:
    friend class TRSInspectorObjects;
    // Watches a component so that the list forgets it when it is destroyed.
    void Watch(TPersistent *object, int &id);
    void Unwatch(TPersistent *object, int &id);

    TRSInspectorObjects *FList;
    TPersistent *FInstance = nullptr;
    TPersistent *FLinkedComponent = nullptr;
    int FInstanceWatch = 0;
    int FLinkedWatch = 0;
};

#pragma once

#include "reflection/Collection.h"

#include <initializer_list>
#include <vector>

class TRSCustomObjectInspector;
class TRSItemProperty;
class TRSPropertyPreset;
struct TClassInfo;

// A preset class: the description of a class descending from
// TRSPropertyPreset, which can make presets by name.
using TRSPropertyPresetClass = const TClassInfo *;

// The presets of an inspector, in the order they are applied. Adding or
// removing a preset and any change of one are reported to the inspector.
class TRSPropertyPresets : public TCollection
{
public:
    explicit TRSPropertyPresets(TRSCustomObjectInspector *inspector);

    TRSCustomObjectInspector *Inspector() const { return FInspector; }
    TRSPropertyPreset *Item(int index) const;

    // Applies every active preset that matches the row, in order; stops when
    // the row no longer refreshes.
    void ApplyToItem(TRSItemProperty *row);
    // The first preset whose class is exactly that class, -1 if none.
    int IndexOfPresetClass(TRSPropertyPresetClass cls) const;
    TRSPropertyPreset *AddPresetOfClass(TRSPropertyPresetClass cls);

protected:
    void Update(TCollectionItem *item) override;
    void Notify(TCollectionItem *item, TCollectionNotification action) override;

private:
    TRSCustomObjectInspector *FInspector;
};

// The process-wide registry of preset classes, in registration order.
// Registering a class registers it by name with the published-property
// model and adds it, then its ancestors below TRSPropertyPreset, stopping
// at the first one already registered. Unregistering removes the class and
// then its ancestors while they are registered.
void RegisterPropertyPreset(TRSPropertyPresetClass cls);
void RegisterPropertyPresets(std::initializer_list<TRSPropertyPresetClass> classes);
void UnregisterPropertyPreset(TRSPropertyPresetClass cls);
void UnregisterPropertyPresets(std::initializer_list<TRSPropertyPresetClass> classes);
// A copy of the registry, safe to walk while others register.
std::vector<TRSPropertyPresetClass> RegisteredPropertyPresets();

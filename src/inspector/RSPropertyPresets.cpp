#include "inspector/RSPropertyPresets.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSPropertyPreset.h"
#include "reflection/TypInfo.h"

#include <algorithm>
#include <mutex>

namespace
{

struct TPresetRegistry {
    std::mutex Lock;
    std::vector<TRSPropertyPresetClass> Classes;
};

TPresetRegistry &Registry()
{
    static TPresetRegistry registry;
    return registry;
}

bool Registered(const std::vector<TRSPropertyPresetClass> &list, TRSPropertyPresetClass cls)
{
    return std::find(list.begin(), list.end(), cls) != list.end();
}

} // namespace

TRSPropertyPresets::TRSPropertyPresets(TRSCustomObjectInspector *inspector)
    : TCollection(nullptr, typeid(TRSPropertyPreset),
                  [](TCollection *c) { return new TRSPropertyPreset(c); }),
      FInspector(inspector)
{
    TRSPropertyPreset::ClassType();
}

TRSPropertyPreset *TRSPropertyPresets::Item(int index) const
{
    return static_cast<TRSPropertyPreset *>(Items(index));
}

void TRSPropertyPresets::ApplyToItem(TRSItemProperty *row)
{
    for (int i = 0; i < Count(); ++i) {
        TRSPropertyPreset *preset = Item(i);
        if (!preset->Active() || !preset->MatchesItem(row))
            continue;
        preset->ApplyPreset(row);
        if (!row->RefreshValue())
            break;
    }
}

int TRSPropertyPresets::IndexOfPresetClass(TRSPropertyPresetClass cls) const
{
    for (int i = 0; i < Count(); ++i)
        if (TypInfo::ClassInfoOf(Items(i)) == cls)
            return i;
    return -1;
}

TRSPropertyPreset *TRSPropertyPresets::AddPresetOfClass(TRSPropertyPresetClass cls)
{
    BeginUpdate();
    try {
        auto *preset = static_cast<TRSPropertyPreset *>(AddItemOfClass(cls));
        EndUpdate();
        return preset;
    } catch (...) {
        EndUpdate();
        throw;
    }
}

void TRSPropertyPresets::Update(TCollectionItem *item)
{
    TCollection::Update(item);
    if (FInspector)
        FInspector->PresetsChanged(static_cast<TRSPropertyPreset *>(item));
}

void TRSPropertyPresets::Notify(TCollectionItem *item, TCollectionNotification action)
{
    TCollection::Notify(item, action);
    if (!FInspector)
        return;
    FInspector->PresetNotify(static_cast<TRSPropertyPreset *>(item), action);
    // Rows hold the handlers of the presets applied to them: once a preset
    // leaves, they are dropped at once and made again without it.
    if (action != cnAdded) {
        if (TRSGridHost *host = FInspector->Host())
            host->HideEditor();
        FInspector->Items()->Clear();
        FInspector->RequestRebuild();
    }
}

void RegisterPropertyPreset(TRSPropertyPresetClass cls)
{
    const TClassInfo *base = TRSPropertyPreset::ClassType();
    if (!cls || !cls->InheritsFrom(base))
        return;
    TPresetRegistry &r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    for (const TClassInfo *c = cls; c && c != base; c = c->Parent) {
        if (Registered(r.Classes, c))
            break;
        r.Classes.push_back(c);
    }
}

void RegisterPropertyPresets(std::initializer_list<TRSPropertyPresetClass> classes)
{
    for (TRSPropertyPresetClass cls : classes)
        RegisterPropertyPreset(cls);
}

void UnregisterPropertyPreset(TRSPropertyPresetClass cls)
{
    const TClassInfo *base = TRSPropertyPreset::ClassType();
    TPresetRegistry &r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    for (const TClassInfo *c = cls; c && c != base; c = c->Parent) {
        auto it = std::find(r.Classes.begin(), r.Classes.end(), c);
        if (it == r.Classes.end())
            break;
        r.Classes.erase(it);
    }
}

void UnregisterPropertyPresets(std::initializer_list<TRSPropertyPresetClass> classes)
{
    for (TRSPropertyPresetClass cls : classes)
        UnregisterPropertyPreset(cls);
}

std::vector<TRSPropertyPresetClass> RegisteredPropertyPresets()
{
    TPresetRegistry &r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    return r.Classes;
}

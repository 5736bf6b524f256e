#pragma once

#include "inspector/RSInspectorObjects.h"
#include "inspector/RSItemProperty.h"
#include "propgrid/RSItemListEditor.h"

#include <memory>
#include <string>
#include <vector>

class QObject;
class TPersistent;
class TRSPropertyPreset;
class TRSPropertyPresets;

// Events of the presets that have no handler of their own.
using TRSCustomPresetItemEvent =
    std::function<void(TRSObject *Sender, TRSPropertyPreset *Preset, TRSItemProperty *Item)>;
using TRSCustomPresetItemQueryEvent = std::function<void(
    TRSObject *Sender, TRSPropertyPreset *Preset, TRSItemProperty *Item, bool &Result)>;

// The property grid bound to objects: it lists the published properties
// common to the inspected objects as property rows, nests the properties of
// sub-objects under their owner's row, hides filtered properties, arranges
// rows by category on request, writes edited values back to every inspected
// object and refreshes the rows afterwards. Rebuilds and refreshes after a
// write are deferred until the current event has been handled.
class TRSCustomObjectInspector : public TRSCustomItemListEditor
{
public:
    TRSCustomObjectInspector();
    ~TRSCustomObjectInspector() override;

    TRSInspectorObjects &Objects() { return *FObjects; }
    void SetObjects(const TRSInspectorObjects &value) { FObjects->CopyFrom(value); }
    TRSStringList &Filters() { return FFilters; }
    void SetFilters(TRSStringList &value);
    TTypeKinds DisplayKinds() const { return FDisplayKinds; }
    void SetDisplayKinds(TTypeKinds value);
    bool InplaceComponents() const { return FInplaceComponents; }
    void SetInplaceComponents(bool value);
    bool DynamicTitleCaptions() const { return FDynamicTitleCaptions; }
    void SetDynamicTitleCaptions(bool value);
    bool ShowValueChangedFont() const { return FShowValueChangedFont; }
    void SetShowValueChangedFont(bool value);
    TRSCustomDeltaFont &ValueChangedFont() { return FValueChangedFont; }

    // The first inspected object when it is a component.
    TPersistent *Component() const;
    // The component becomes the only inspected object; none empties the list.
    void SetComponent(TPersistent *component);

    void Rebuild();
    void RequestRebuild();
    bool RefreshValues(TRSItemProps *rows);
    void RefreshAll();
    void ScanProperties(const std::vector<TPersistent *> &objects, TRSItemProps *rows);
    void FillProperty(TRSItemProperty *row, const std::vector<TPersistent *> &objects,
                      const std::string &name);
    std::string GetPropText(TPersistent *object, TRSItemProperty *row);
    bool SetPropText(TPersistent *object, TRSItemProperty *row, const std::string &text);
    // The object that owns the last segment of path (which keeps that
    // segment), walking from object along the row's ancestors; or none.
    TPersistent *ResolveInstance(TPersistent *object, std::string &path, TRSItemProperty *row);
    void ApplyItem(TRSItemProperty *row);
    void BeginChange(TRSItemProperty *row);
    void EndChange(int position);
    void ApplyFilters();

    // Editing presets: every row is handed to them after each scan.
    TRSPropertyPresets &Presets() { return *FPresets; }
    // Copies the given presets, each as a preset of its own class.
    void SetPresets(const TRSPropertyPresets &value);
    void ApplyPresets();
    virtual TRSPropertyPresets *CreatePresets();
    // One preset of each registered preset class not yet held, in
    // registration order.
    virtual void AddRegisteredPresets();
    virtual void DoCustomPreset(TRSPropertyPreset *preset, TRSItemProperty *row);
    virtual void DoMatchPreset(TRSPropertyPreset *preset, TRSItemProperty *row, bool &result);
    virtual void PresetNotify(TRSPropertyPreset *preset, TCollectionNotification action);
    virtual void PresetsChanged(TRSPropertyPreset *preset);
    TRSCustomPresetItemEvent OnCustomPreset;
    TRSCustomPresetItemQueryEvent OnMatchPreset;

    // Told by the objects list.
    void ObjectsChanging();
    void ObjectsChanged(TRSInspectorObject *entry);

    TRSItemPropertyQueryEvent OnBeforeScan;
    TRSItemPropertyEvent OnAfterScan;
    TRSItemPropertyEvent OnPropertyChanging;
    TRSItemPropertyEvent OnPropertyChanged;
    TRSItemPropertyEvent OnRefreshValue;
    TNotifyEvent OnFiltersChanging;
    TNotifyEvent OnFiltersChanged;

    // The property-changed message (a write finished) and the rebuild
    // request, handled after the current event.
    static constexpr int WM_PROPERTYCHANGED = 2475;
    static constexpr int WM_REBUILD = 2476;

    // TRSCustomItemListEditor
    void InitCategories() override;
    std::string GetCellText(int col, int row) const override;
    TRSEditStyle GetEditStyle(int col, int row) override;
    void SetArrangeByCategory(bool value) override;
    void SetDisplayOptions(TILEDisplayOptions value) override;
    TRSItemProps *CreateItems(TRSItemProp *owner) override;
    const TRSFont *GetBaseFont(TRSCustomDeltaFont *font) const override;
    void FontChanged() override;
    void ValueFontChanged() override;

    // The text of a value that a column shows: the property's text for one
    // object; also used by the rows.
    int ValueColumns() const;
    // The inspected objects, or those with an assigned instance.
    std::vector<TPersistent *> InspectedObjects() const;

private:
    bool DoBeforeScan(TRSItemProperty *row);
    void DoAfterScan(TRSItemProperty *row);
    void Scan();
    // Moves a top-level row under its categories (copies under the further
    // ones), or under the default category when it has none.
    void PlaceInCategories(TRSItemProperty *row);
    void PropertiesChanged();
    void Post(const std::function<void()> &action);

    std::unique_ptr<TRSInspectorObjects> FObjects;
    std::unique_ptr<TRSPropertyPresets> FPresets;
    TRSStringList FFilters;
    TTypeKinds FDisplayKinds;
    bool FInplaceComponents = true;
    bool FDynamicTitleCaptions = false;
    bool FShowValueChangedFont = true;
    TRSCustomDeltaFont FValueChangedFont;
    std::vector<TPersistent *> FScanGuard;
    bool FScanning = false;
    bool FScanBegun = false;
    std::string FRememberedPath;
    bool FRebuildPending = false;
    std::vector<int> FChangedPositions;
    // Context of the posted messages: destroyed with the inspector, so that
    // pending messages of a gone inspector never run.
    std::unique_ptr<QObject> FPoster;
};

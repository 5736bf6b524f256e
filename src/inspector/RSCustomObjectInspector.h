#pragma once

#include "inspector/RSInspectorObjects.h"
#include "inspector/RSItemProperty.h"
#include "propgrid/RSItemListEditor.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TFiler;
class QObject;
class TPersistent;
class TStrings;
class TCollection;
class TRSPropertyPreset;
class TRSPropertyPresets;
class TRSScanRecord;

// How the lines of string-list properties are listed in place.
enum TInplaceTStringsOption : uint8_t { isUseNameValue, isSort };
using TInplaceTStringsOptions = uint8_t;
constexpr TInplaceTStringsOptions InplaceOption(TInplaceTStringsOption option)
{
    return static_cast<TInplaceTStringsOptions>(1u << option);
}

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
    // The kinds of properties listed unless presets say otherwise.
    static constexpr TTypeKinds DefaultDisplayKinds =
        KindBit(tkInteger) | KindBit(tkChar) | KindBit(tkEnumeration) | KindBit(tkFloat) |
        KindBit(tkString) | KindBit(tkSet) | KindBit(tkClass) | KindBit(tkWChar) |
        KindBit(tkLString) | KindBit(tkWString) | KindBit(tkVariant) | KindBit(tkInterface) |
        KindBit(tkInt64);
    TTypeKinds DisplayKinds() const { return FDisplayKinds; }
    void SetDisplayKinds(TTypeKinds value);
    bool InplaceComponents() const { return FInplaceComponents; }
    void SetInplaceComponents(bool value);
    bool InplaceCollections() const { return FInplaceCollections; }
    void SetInplaceCollections(bool value);
    // Name of a collection item row, formatted with the item's index.
    const std::string &CollectionItemFormat() const { return FCollectionItemFormat; }
    void SetCollectionItemFormat(const std::string &value);
    bool InplaceTStrings() const { return FInplaceTStrings; }
    void SetInplaceTStrings(bool value);
    TInplaceTStringsOptions InplaceTStringsOptions() const { return FInplaceTStringsOptions; }
    void SetInplaceTStringsOptions(TInplaceTStringsOptions value);
    // Name of a line row, formatted with the line's index ("Items[%d]").
    const std::string &StringsItemFormat() const { return FStringsItemFormat; }
    void SetStringsItemFormat(const std::string &value);
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
    void SetPropText(TPersistent *object, TRSItemProperty *row, const std::string &text);
    // SetPropText on the owner of the row's property, once it is resolved:
    // name is the property's name there, prop its description when known.
    void SetOwnerPropText(TPersistent *owner, const std::string &name, const TPropInfo *prop,
                          TRSItemProperty *row, const std::string &text);
    // The object that owns the last segment of path (which keeps that
    // segment), walking from object along the row's ancestors; or none.
    TPersistent *ResolveInstance(TPersistent *object, std::string &path, TRSItemProperty *row);
    // Whether name is a category that rows are arranged under, whether or
    // not they are arranged so now.
    bool IsCategoryName(std::string_view name) const;
    // The row of a path as a layout holds it, written with categories or
    // without: as the rows name it; else, when its first segment names a
    // category, by the rest; else under whichever category holds it.
    TRSItemProp *FindStoredPath(TRSItemProps *rows, const std::string &path) const;
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
    // Rows come from the inspected objects: the blank line of an empty
    // inspector has nothing to edit.
    bool CanEditShow() const override { return CurrentRow() != nullptr; }
    TRSEditStyle GetEditStyle(int col, int row) override;
    void SetArrangeByCategory(bool value) override;
    void SetDisplayOptions(TILEDisplayOptions value) override;
    TRSItemProps *CreateItems(TRSItemProp *owner) override;
    const TRSFont *GetBaseFont(TRSCustomDeltaFont *font) const override;
    void FontChanged() override;
    void ValueFontChanged() override;
    // The presets read while loading are applied once, at the end.
    void Loaded() override;
    // Stores the presets and the rows besides the published properties.
    void DefineProperties(TFiler &filer) override;

    // The text of a value that a column shows: the property's text for one
    // object; also used by the rows.
    int ValueColumns() const;
    // The inspected objects, or those with an assigned instance.
    std::vector<TPersistent *> InspectedObjects() const;

private:
    friend class TRSScanRecord;
    friend class TRSDirectWriter;

    bool DoBeforeScan(TRSItemProperty *row);
    void DoAfterScan(TRSItemProperty *row);
    void Scan();
    // Moves a top-level row under its categories (copies under the further
    // ones), or under the default category when it has none.
    void PlaceInCategories(TRSItemProperty *row);
    void PropertiesChanged();
    // The rows of the items of the collections (one per object) under row.
    void AddCollectionItems(TRSItemProperty *row, const std::vector<TCollection *> &collections);
    // The line rows of the string lists (one per object) under row.
    void AddStringLines(TRSItemProperty *row, const std::vector<TStrings *> &lists);
    // Makes a row that reads and writes a line of the inspected string lists.
    TRSItemProperty *AddLineRow(TRSItemProps *rows, const std::string &name, int line,
                                bool nameValue);
    std::string ReadLine(TRSItemProperty *row, TPersistent *instance, bool nameValue);
    void WriteLine(TRSItemProperty *row, TPersistent *instance, const std::string &text,
                   bool nameValue);
    // The line's name of a name/value line row: its names up to the string
    // list's row.
    std::string LinePath(const TRSItemProperty *row) const;
    // The value text of a row's property for one object, through the
    // property's description and the value read when they are known.
    std::string PropText(TPersistent *object, const TPropInfo *prop, TRSItemProperty *row,
                         const TVariant *read = nullptr);
    const std::vector<std::string> &PickListOf(const TTypeInfo *type);
    void Post(const std::function<void()> &action);
    // Keeps the rows and reads only their values when the inspected object
    // would get rows of the same make-up (from the grid or from the rows
    // put aside when the objects changed); false when they must be made.
    bool ReuseRows(const std::vector<TPersistent *> &objects);
    // The record of rows, shown or put aside, that a scan of an object of
    // type made; none when there is none.
    TRSScanRecord *ScanRecordFor(const std::type_info &type) const;

    std::unique_ptr<TRSInspectorObjects> FObjects;
    std::unique_ptr<TRSPropertyPresets> FPresets;
    TRSStringList FFilters;
    TTypeKinds FDisplayKinds;
    bool FInplaceComponents = true;
    bool FInplaceCollections = false;
    std::string FCollectionItemFormat = "Items[%d]";
    bool FInplaceTStrings = false;
    TInplaceTStringsOptions FInplaceTStringsOptions = 0;
    std::string FStringsItemFormat = "Items[%d]";
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
    std::unordered_map<const TTypeInfo *, std::vector<std::string>> FPickLists;
    // Counts changes of the presets and fonts that rows take at a scan.
    uint64_t FScanSettingsStamp = 0;
    // The record of the rows shown, and the rows of objects of other
    // classes inspected before, put aside with their records for reuse.
    std::unique_ptr<TRSScanRecord> FScanRecord;
    std::vector<std::unique_ptr<TRSScanRecord>> FSpareRows;
};

#pragma once

#include "propgrid/RSItemProp.h"
#include "reflection/TypInfo.h"
#include "reflection/Variant.h"

#include <functional>
#include <string>
#include <vector>

class TCollection;
class TPersistent;
class TRSCustomObjectInspector;
class TRSItemProperty;

// What a property row stands for.
enum TRSItemKind : uint8_t { ikProperty, ikSet, ikSetElement, ikCollection, ikCollectionItem };

using TRSItemGetPropertyEvent =
    std::function<void(TRSItemProperty *Sender, TPersistent *Instance, const std::string &PropName,
                       std::string &Value)>;
using TRSItemSetPropertyEvent =
    std::function<void(TRSItemProperty *Sender, TPersistent *Instance, const std::string &PropName,
                       const std::string &Value)>;
using TRSItemPropertyEvent = std::function<void(TRSObject *Sender, TRSItemProperty *Item)>;
using TRSItemPropertyQueryEvent =
    std::function<void(TRSObject *Sender, TRSItemProperty *Item, bool &Result)>;

// A row of the object inspector bound to one published property of the
// inspected objects: it reads the value text of every inspected object,
// writes a text back to all of them, and tells values that differ from the
// declared default.
class TRSItemProperty : public TRSItemProp
{
public:
    TRSCustomObjectInspector *Inspector() const;
    TRSItemProperty *ParentProperty() const;

    const std::string &PropName() const { return FPropName; }
    void SetPropName(const std::string &value);
    const std::string &TypeName() const { return FTypeName; }
    void SetTypeName(const std::string &value);
    TTypeKind TypeKind() const { return FTypeKind; }
    void SetTypeKind(TTypeKind value);
    TRSItemKind ItemKind() const { return FItemKind; }
    void SetItemKind(TRSItemKind value)
    {
        FItemKind = value;
        NoteRowsChanged();
    }
    bool HasTypeData() const { return FHasTypeData; }
    void SetHasTypeData(bool value)
    {
        FHasTypeData = value;
        NoteRowsChanged();
    }
    bool IsAllEqual() const { return FIsAllEqual; }
    void SetIsAllEqual(bool value);

    // One raw value per value column, resized to the grid's column count.
    std::vector<TVariant> &StoredValues();
    TVariant StoredValue(int column);
    void SetStoredValue(int column, const TVariant &value);
    bool AreStoredValuesEqual();

    // The row's names from the top, joined by the grid's path delimiter.
    std::string PropPath() const;

    bool RefreshValue();
    void Apply();
    virtual void ChildChanged(TRSItemProperty *child);

    bool IsValueChanged(int column);
    bool AnyValueChanged();

    // Typed access for one inspected object (column -1: the current one).
    int64_t GetOrdValue(int column = -1);
    void SetOrdValue(int64_t value, int column = -1);
    std::string GetStrValue(int column = -1);
    void SetStrValue(const std::string &value, int column = -1);
    double GetFloatValue(int column = -1);
    void SetFloatValue(double value, int column = -1);
    int64_t GetInt64Value(int column = -1);
    void SetInt64Value(int64_t value, int column = -1);
    TVariant GetVariantValue(int column = -1);
    void SetVariantValue(const TVariant &value, int column = -1);
    TPersistent *GetObjectValue(int column = -1);
    void SetObjectValue(TPersistent *value, int column = -1);
    const TClassInfo *GetPropClass();

    TRSItemGetPropertyEvent OnGetProperty;
    TRSItemSetPropertyEvent OnSetProperty;
    TRSItemPropertyEvent OnRefreshValue;

    // TRSItemProp
    void SetName(const std::string &value) override;
    bool GetReadOnly() const override;
    bool IsDisplayed() const override;
    void Validate() override;
    const TRSFont &GetValueFont() const override;
    const TRSFont &GetColumnValueFont(int index) const override;
    void AssignEvents(const TRSItemProp &source) override;
    void Assign(TRSItemProp &source) override;

protected:
    TRSItemProps *CreateItems() override;

private:
    // The owner object of this row's property for the object of a column,
    // and the property's own name; none when the path leads nowhere.
    TPersistent *ResolveFor(int objectIndex, std::string &name) const;
    int ResolveColumn(int column) const;
    [[noreturn]] void NotReal() const;
    // Writes through the facility to the objects a typed writer addresses.
    void WriteTyped(int column,
                    const std::function<void(TPersistent *, const std::string &)> &write);
    TRSItemProperty *NearestAncestor(TRSItemKind kind) const;
    // The collection of the nearest collection row above, for a column.
    TCollection *OwningCollection(int column);

    std::string FPropName;
    std::string FTypeName;
    TTypeKind FTypeKind = tkUnknown;
    TRSItemKind FItemKind = ikProperty;
    bool FHasTypeData = false;
    bool FIsAllEqual = false;
    std::vector<TVariant> FStoredValues;
    mutable TRSCustomItemListEditor *FGridSeen = nullptr;
    mutable TRSCustomObjectInspector *FInspectorSeen = nullptr;
};

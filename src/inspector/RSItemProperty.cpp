#include "inspector/RSItemProperty.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorObject.h"
#include "inspector/RSItemProperties.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemProps.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/Persistent.h"
#include "reflection/RSConsts.h"
#include "reflection/StrUtils.h"

TRSCustomObjectInspector *TRSItemProperty::Inspector() const
{
    // Asked for every value read; the answer is kept until the row is seen
    // in another grid.
    TRSCustomItemListEditor *grid = Grid();
    if (grid != FGridSeen) {
        FGridSeen = grid;
        FInspectorSeen = dynamic_cast<TRSCustomObjectInspector *>(grid);
    }
    return FInspectorSeen;
}

TRSItemProperty *TRSItemProperty::ParentProperty() const
{
    return dynamic_cast<TRSItemProperty *>(ParentItem());
}

TRSItemProps *TRSItemProperty::CreateItems()
{
    return new TRSItemProperties(this);
}

void TRSItemProperty::SetPropName(const std::string &value)
{
    if (value == FPropName)
        return;
    FPropName = value;
    Changed();
}

void TRSItemProperty::SetTypeName(const std::string &value)
{
    if (value == FTypeName)
        return;
    FTypeName = value;
    Changed();
}

void TRSItemProperty::SetTypeKind(TTypeKind value)
{
    if (value == FTypeKind)
        return;
    FTypeKind = value;
    Changed();
}

void TRSItemProperty::SetIsAllEqual(bool value)
{
    if (value == FIsAllEqual)
        return;
    FIsAllEqual = value;
    ValueChanged();
}

void TRSItemProperty::SetName(const std::string &value)
{
    if (FPropName.empty())
        FPropName = value;
    TRSItemProp::SetName(value);
}

std::vector<TVariant> &TRSItemProperty::StoredValues()
{
    const TRSCustomObjectInspector *inspector = Inspector();
    const size_t columns = inspector ? static_cast<size_t>(inspector->ValueColumns()) : 1;
    FStoredValues.resize(columns);
    return FStoredValues;
}

TVariant TRSItemProperty::StoredValue(int column)
{
    std::vector<TVariant> &values = StoredValues();
    return column >= 0 && column < static_cast<int>(values.size()) ? values[column] : TVariant();
}

void TRSItemProperty::SetStoredValue(int column, const TVariant &value)
{
    if (column < 0)
        return;
    std::vector<TVariant> &values = StoredValues();
    if (column >= static_cast<int>(values.size()))
        values.resize(static_cast<size_t>(column) + 1);
    TVariant &entry = values[static_cast<size_t>(column)];
    if (entry.IsEmpty() || entry != value || entry.VarType() != value.VarType()) {
        entry = value;
        ValueChanged();
    }
}

bool TRSItemProperty::AreStoredValuesEqual()
{
    const std::vector<TVariant> &values = StoredValues();
    for (size_t i = 1; i < values.size(); ++i)
        if (values[i] != values[0])
            return false;
    return true;
}

std::string TRSItemProperty::PropPath() const
{
    const TRSItemProperty *parent = ParentProperty();
    if (!parent)
        return FPropName;
    const TRSCustomObjectInspector *inspector = Inspector();
    const std::string delimiter = inspector ? inspector->PathDelimiter() : std::string(".");
    return parent->PropPath() + delimiter + FPropName;
}

TPersistent *TRSItemProperty::ResolveFor(int objectIndex, std::string &name) const
{
    TRSCustomObjectInspector *inspector = Inspector();
    if (!inspector || objectIndex < 0 || objectIndex >= inspector->Objects().Count())
        return nullptr;
    TPersistent *object = inspector->Objects().Item(objectIndex)->Instance();
    if (!object)
        return nullptr;
    name = PropPath();
    return inspector->ResolveInstance(object, name, const_cast<TRSItemProperty *>(this));
}

TRSItemProperty *TRSItemProperty::NearestAncestor(TRSItemKind kind) const
{
    for (TRSItemProperty *p = ParentProperty(); p; p = p->ParentProperty())
        if (p->ItemKind() == kind)
            return p;
    return nullptr;
}

bool TRSItemProperty::RefreshValue()
{
    TRSCustomObjectInspector *inspector = Inspector();
    // Collection item rows are refreshed too, so that they show their
    // item's name as it is now.
    const bool applies = FHasTypeData || OnGetProperty || FItemKind == ikSetElement ||
                         FItemKind == ikCollection || FItemKind == ikCollectionItem;
    if (inspector && inspector->Objects().Count() > 0 && applies) {
        const bool multi = inspector->DisplayOptions() & doMultiColValues;
        const int columns = multi ? inspector->Objects().Count() : 1;
        TRSItemPropValueStrings *values = Values();
        values->BeginUpdate();
        try {
            for (int c = 0; c < columns; ++c) {
                std::string name;
                TPersistent *owner = ResolveFor(c, name);
                if (OnGetProperty) {
                    std::string text = name;
                    OnGetProperty(this, owner, FPropName, text);
                    values->Put(c, text);
                    // The raw value follows too, or the value-changed font
                    // would keep judging the value first read.
                    if (FHasTypeData && owner)
                        SetStoredValue(c, TypInfo::ReadAsVariant(owner, name, false));
                } else if (FItemKind == ikSetElement) {
                    TRSItemProperty *set = NearestAncestor(ikSet);
                    const uint32_t mask =
                        set ? static_cast<uint32_t>(set->StoredValue(c).AsInt64()) : 0;
                    const int64_t bit = StoredValue(c).AsInt64();
                    values->Put(c, bit >= 0 && bit < 32 && (mask & (1u << bit)) ? "True" : "False");
                } else {
                    if (!owner) {
                        values->EndUpdate();
                        return false;
                    }
                    if (auto *collection = dynamic_cast<TCollection *>(owner);
                        collection && FItemKind == ikCollectionItem) {
                        const int64_t index = StoredValue(c).AsInt64();
                        if (index < 0 || index >= collection->Count()) {
                            values->EndUpdate();
                            return false;
                        }
                        values->Put(c, collection->Items(static_cast<int>(index))->DisplayName());
                        continue;
                    }
                    values->Put(c, inspector->GetPropText(owner, this));
                    if (FHasTypeData)
                        SetStoredValue(c, TypInfo::ReadAsVariant(owner, name, false));
                }
            }
        } catch (...) {
            values->EndUpdate();
            throw;
        }
        values->EndUpdate();
    }
    if (OnRefreshValue)
        OnRefreshValue(inspector, this);
    else if (inspector && inspector->OnRefreshValue)
        inspector->OnRefreshValue(inspector, this);
    return true;
}

void TRSItemProperty::Apply()
{
    if (FHasTypeData || OnSetProperty) {
        if (TRSCustomObjectInspector *inspector = Inspector())
            inspector->ApplyItem(this);
    } else if (TRSItemProperty *parent = ParentProperty()) {
        parent->ChildChanged(this);
    }
}

void TRSItemProperty::ChildChanged(TRSItemProperty *)
{
    if (FTypeKind != tkSet || !FHasTypeData)
        return;
    TRSCustomObjectInspector *inspector = Inspector();
    const bool multi = inspector && (inspector->DisplayOptions() & doMultiColValues);
    const int columns = multi ? inspector->Objects().Count() : 1;
    for (int c = 0; c < columns; ++c) {
        std::string text;
        for (int i = 0; i < Items()->Count(); ++i) {
            TRSItemProp *element = Items()->Item(i);
            if (StrUtils::SameText(element->Values()->Get(c), "True")) {
                if (!text.empty())
                    text += ',';
                text += element->Name();
            }
        }
        Values()->Put(c, text);
    }
    Apply();
}

bool TRSItemProperty::GetReadOnly() const
{
    return TRSItemProp::GetReadOnly() || FTypeKind == tkSet;
}

bool TRSItemProperty::IsDisplayed() const
{
    if (!GetVisible())
        return false;
    const TRSCustomObjectInspector *inspector = Inspector();
    const bool shown = !inspector || (inspector->DisplayOptions() & doShowReadOnly) ||
                       !GetReadOnly() || Category() ||
                       (FHasTypeData && (FTypeKind == tkSet || FTypeKind == tkClass)) ||
                       FItemKind != ikProperty;
    return shown && TRSItemProp::IsDisplayed();
}

void TRSItemProperty::Validate()
{
    const std::string old = Value();
    try {
        TRSItemProp::Validate();
        Apply();
    } catch (const std::exception &error) {
        TRSCustomObjectInspector *inspector = Inspector();
        if (!inspector || !inspector->Host() || !inspector->Host()->EditorExists())
            throw;
        inspector->Host()->RestoreEditor();
        if (FHasTypeData) {
            std::string message = RSFormat(RSConsts::SInvalidTypedValue, old);
            message = RSFormat(message, FTypeName);
            throw ERSException(RSFormat(message, std::string(error.what())));
        }
        throw ERSException(RSFormat(RSConsts::SInvalidPropertyValue, old));
    }
}

bool TRSItemProperty::IsValueChanged(int column)
{
    TRSCustomObjectInspector *inspector = Inspector();
    if (!inspector || !FHasTypeData)
        return false;
    std::string name;
    TPersistent *owner = ResolveFor(column, name);
    if (!owner)
        return true;
    const TPropInfo *prop = TypInfo::FindPublishedProperty(owner, name);
    if (!prop)
        return true;
    if (prop->Stored && !prop->Stored(owner))
        return false;
    switch (FTypeKind) {
    case tkString:
    case tkLString:
    case tkWString:
        return true;
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkWChar: {
        if (!prop->HasDefault)
            return true;
        const TVariant stored = StoredValue(column);
        if (stored.IsBoolean())
            return prop->Default != TypInfo::EnumValueOf(prop->PropType, stored.AsString());
        return prop->Default != stored.AsInt64();
    }
    default:
        return false;
    }
}

bool TRSItemProperty::AnyValueChanged()
{
    TRSCustomObjectInspector *inspector = Inspector();
    if (!inspector || !FHasTypeData)
        return false;
    if (!(inspector->DisplayOptions() & doMultiColValues))
        return IsValueChanged(0);
    for (int c = 0; c < inspector->Objects().Count(); ++c)
        if (IsValueChanged(c))
            return true;
    return false;
}

const TRSFont &TRSItemProperty::GetValueFont() const
{
    auto *self = const_cast<TRSItemProperty *>(this);
    TRSCustomObjectInspector *inspector = Inspector();
    if (inspector && inspector->ShowValueChangedFont() && inspector->Objects().Count() > 0 &&
        FHasTypeData && self->AnyValueChanged())
        return inspector->ValueChangedFont();
    return TRSItemProp::GetValueFont();
}

const TRSFont &TRSItemProperty::GetColumnValueFont(int index) const
{
    auto *self = const_cast<TRSItemProperty *>(this);
    TRSCustomObjectInspector *inspector = Inspector();
    if (!inspector || !inspector->ShowValueChangedFont() || inspector->Objects().Count() == 0 ||
        !FHasTypeData)
        return TRSItemProp::GetValueFont();
    const bool changed = (inspector->DisplayOptions() & doMultiColValues)
                             ? self->IsValueChanged(index)
                             : self->AnyValueChanged();
    return changed ? inspector->ValueChangedFont() : TRSItemProp::GetValueFont();
}

void TRSItemProperty::AssignEvents(const TRSItemProp &source)
{
    TRSItemProp::AssignEvents(source);
    if (const auto *p = dynamic_cast<const TRSItemProperty *>(&source)) {
        OnSetProperty = p->OnSetProperty;
        OnGetProperty = p->OnGetProperty;
        OnRefreshValue = p->OnRefreshValue;
    }
}

void TRSItemProperty::Assign(TRSItemProp &source)
{
    TRSItemProp::Assign(source);
    if (auto *p = dynamic_cast<TRSItemProperty *>(&source)) {
        FIsAllEqual = p->FIsAllEqual;
        FPropName = p->FPropName;
        FStoredValues = p->FStoredValues;
        FTypeKind = p->FTypeKind;
        FTypeName = p->FTypeName;
        FHasTypeData = p->FHasTypeData;
        FItemKind = p->FItemKind;
    }
}

// ---- typed access -----------------------------------------------------

int TRSItemProperty::ResolveColumn(int column) const
{
    if (column >= 0)
        return column;
    const TRSCustomObjectInspector *inspector = Inspector();
    return inspector ? std::max(inspector->CurrentField() - 1, 0) : 0;
}

void TRSItemProperty::NotReal() const
{
    throw ERSException(RSFormat(RSConsts::SNotARealProperty, PropPath()));
}

void TRSItemProperty::WriteTyped(
    int column, const std::function<void(TPersistent *, const std::string &)> &write)
{
    TRSCustomObjectInspector *inspector = Inspector();
    if (!inspector)
        return;
    inspector->BeginChange(this);
    const int position = AbsoluteIndex();
    try {
        const bool multi = inspector->DisplayOptions() & doMultiColValues;
        const int target = column >= 0 ? column : (multi ? ResolveColumn(-1) : -1);
        for (int i = 0; i < inspector->Objects().Count(); ++i) {
            if (target >= 0 && i != target)
                continue;
            std::string name;
            if (TPersistent *owner = ResolveFor(i, name))
                write(owner, name);
        }
    } catch (...) {
        inspector->EndChange(position);
        throw;
    }
    inspector->EndChange(position);
}

int64_t TRSItemProperty::GetOrdValue(int column)
{
    if (!FHasTypeData)
        NotReal();
    std::string name;
    TPersistent *owner = ResolveFor(ResolveColumn(column), name);
    return owner ? TypInfo::GetOrdProp(owner, name) : 0;
}

void TRSItemProperty::SetOrdValue(int64_t value, int column)
{
    if (!FHasTypeData) {
        SetTypeKind(tkInteger);
        SetValue(std::to_string(value));
        return;
    }
    WriteTyped(column,
               [value](TPersistent *o, const std::string &n) { TypInfo::SetOrdProp(o, n, value); });
}

std::string TRSItemProperty::GetStrValue(int column)
{
    if (!FHasTypeData)
        return Value();
    std::string name;
    TPersistent *owner = ResolveFor(ResolveColumn(column), name);
    return owner ? TypInfo::GetStrProp(owner, name) : std::string();
}

void TRSItemProperty::SetStrValue(const std::string &value, int column)
{
    if (!FHasTypeData) {
        SetTypeKind(tkString);
        SetValue(value);
        return;
    }
    WriteTyped(column, [&value](TPersistent *o, const std::string &n) {
        TypInfo::SetStrProp(o, n, value);
    });
}

double TRSItemProperty::GetFloatValue(int column)
{
    if (!FHasTypeData) {
        double value;
        if (!StrUtils::ParseFloat(Value(), value))
            return TVariant(Value()).AsDouble();
        return value;
    }
    std::string name;
    TPersistent *owner = ResolveFor(ResolveColumn(column), name);
    return owner ? TypInfo::GetFloatProp(owner, name) : 0;
}

void TRSItemProperty::SetFloatValue(double value, int column)
{
    if (!FHasTypeData) {
        SetTypeKind(tkFloat);
        SetValue(StrUtils::FormatFloat(value));
        return;
    }
    WriteTyped(column, [value](TPersistent *o, const std::string &n) {
        TypInfo::SetFloatProp(o, n, value);
    });
}

int64_t TRSItemProperty::GetInt64Value(int column)
{
    if (!FHasTypeData)
        return TVariant(Value()).AsInt64();
    std::string name;
    TPersistent *owner = ResolveFor(ResolveColumn(column), name);
    return owner ? TypInfo::GetInt64Prop(owner, name) : 0;
}

void TRSItemProperty::SetInt64Value(int64_t value, int column)
{
    if (!FHasTypeData) {
        SetTypeKind(tkInt64);
        SetValue(std::to_string(value));
        return;
    }
    WriteTyped(column, [value](TPersistent *o, const std::string &n) {
        TypInfo::SetInt64Prop(o, n, value);
    });
}

TVariant TRSItemProperty::GetVariantValue(int column)
{
    if (!FHasTypeData)
        return TVariant(Value());
    std::string name;
    TPersistent *owner = ResolveFor(ResolveColumn(column), name);
    return owner ? TypInfo::GetVariantProp(owner, name) : TVariant();
}

void TRSItemProperty::SetVariantValue(const TVariant &value, int column)
{
    if (!FHasTypeData) {
        SetTypeKind(tkVariant);
        SetValue(value.AsString());
        return;
    }
    WriteTyped(column, [&value](TPersistent *o, const std::string &n) {
        TypInfo::SetVariantProp(o, n, value);
    });
}

TCollection *TRSItemProperty::OwningCollection(int column)
{
    TRSItemProperty *owner = NearestAncestor(ikCollection);
    return owner ? dynamic_cast<TCollection *>(owner->GetObjectValue(column)) : nullptr;
}

TPersistent *TRSItemProperty::GetObjectValue(int column)
{
    if (!FHasTypeData && FItemKind == ikCollectionItem) {
        TCollection *collection = OwningCollection(column);
        const int64_t index = StoredValue(ResolveColumn(column)).AsInt64();
        return collection && index >= 0 && index < collection->Count()
                   ? collection->Items(static_cast<int>(index))
                   : nullptr;
    }
    if (!FHasTypeData)
        NotReal();
    std::string name;
    TPersistent *owner = ResolveFor(ResolveColumn(column), name);
    return owner ? TypInfo::GetObjectProp(owner, name) : nullptr;
}

void TRSItemProperty::SetObjectValue(TPersistent *value, int column)
{
    if (!FHasTypeData)
        NotReal();
    WriteTyped(column, [value](TPersistent *o, const std::string &n) {
        TypInfo::SetObjectProp(o, n, value);
    });
}

const TClassInfo *TRSItemProperty::GetPropClass()
{
    if (!FHasTypeData && FItemKind == ikCollectionItem) {
        TCollection *collection = OwningCollection(0);
        return collection ? collection->ItemClass() : nullptr;
    }
    if (!FHasTypeData)
        NotReal();
    std::string name;
    TPersistent *owner = ResolveFor(0, name);
    return owner ? TypInfo::GetObjectPropClass(owner, name) : nullptr;
}

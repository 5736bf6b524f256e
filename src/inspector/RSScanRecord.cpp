#include "inspector/RSScanRecord.h"

#include "controls/Strings.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperties.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/Collection.h"
#include "reflection/Persistent.h"
#include "reflection/TypInfo.h"

#include <algorithm>

namespace
{

enum TValueFlag : uint8_t {
    vfAssigned = 1,
    vfComponent = 2,
    vfCollection = 4,
    vfStrings = 8,
    vfNested = 16,
};

bool SameType(const std::type_info *a, const std::type_info *b)
{
    return a == b || (a && b && *a == *b);
}

} // namespace

bool TRSScanRecord::TEntry::operator==(const TEntry &other) const
{
    return Row == other.Row && Prop == other.Prop && ValueFlags == other.ValueFlags &&
           SameType(OwnerType, other.OwnerType) && SameType(ValueType, other.ValueType);
}

TRSScanRecord::TRSScanRecord(TRSCustomObjectInspector &inspector) : FInspector(inspector) {}

TRSScanRecord::~TRSScanRecord() = default;

bool TRSScanRecord::Current() const
{
    return FValid && FInspector.RowsStamp() == FRowsStamp;
}

void TRSScanRecord::PutAside(TRSItemProps *rows)
{
    FAside = std::make_unique<TRSItemProperties>();
    rows->MoveAllTo(*FAside);
}

void TRSScanRecord::TakenBack()
{
    FAside.reset();
    FRowsStamp = FInspector.RowsStamp();
}

namespace
{
uint64_t NextGeneration()
{
    static uint64_t generation = 0;
    return ++generation;
}
} // namespace

void TRSScanRecord::Clear()
{
    FGeneration = NextGeneration();
    FValid = false;
    FEntries.clear();
    FObjectType = nullptr;
}

bool TRSScanRecord::Allowed(bool inspected) const
{
    const TRSCustomObjectInspector &i = FInspector;
    if (i.OnBeforeScan || i.OnAfterScan || i.OnMatchPreset || i.OnCustomPreset ||
        i.OnRefreshValue || i.ArrangeByCategory() || (inspected && i.FObjects->Count() != 1) ||
        (i.FDisplayOptions & doMultiColValues))
        return false;
    for (int p = 0; p < i.FPresets->Count(); ++p) {
        const TRSPropertyPreset *preset = i.FPresets->Item(p);
        if (preset->OnMatchPreset || preset->OnCustomPreset)
            return false;
    }
    return true;
}

TRSScanRecord::TSettings TRSScanRecord::CurrentSettings() const
{
    TSettings s;
    s.Stamp = FInspector.FScanSettingsStamp;
    s.DisplayKinds = FInspector.FDisplayKinds;
    s.DisplayOptions = FInspector.FDisplayOptions;
    s.Sorted = FInspector.Sorted();
    s.CaseSensitive = FInspector.CaseSensitive();
    s.InplaceComponents = FInspector.FInplaceComponents;
    s.InplaceCollections = FInspector.FInplaceCollections;
    s.InplaceTStrings = FInspector.FInplaceTStrings;
    s.InplaceTStringsOptions = static_cast<uint32_t>(FInspector.FInplaceTStringsOptions);
    s.CollectionItemFormat = FInspector.FCollectionItemFormat;
    s.StringsItemFormat = FInspector.FStringsItemFormat;
    s.PathDelimiter = FInspector.PathDelimiter();
    s.Filters = FInspector.FFilters.Lines();
    return s;
}

void TRSScanRecord::Record(TPersistent *object)
{
    Clear();
    if (!object || !Allowed(true))
        return;
    FSeen.assign(1, object);
    if (!Collect(FInspector.Items(), object, FEntries)) {
        FEntries.clear();
        return;
    }
    for (TEntry &e : FEntries)
        e.Expanded = e.Row->Expanded();
    FObjectType = &typeid(*object);
    FSettings = CurrentSettings();
    FRowsStamp = FInspector.RowsStamp();
    FValid = true;
    FGeneration = NextGeneration();
}

bool TRSScanRecord::Matches(TRSItemProps *rows, TPersistent *object, bool inspected)
{
    // Rows put aside cannot have changed; the inspector's own may have.
    const bool aside = FAside && rows == FAside.get();
    if (!FValid || !object || typeid(*object) != *FObjectType || !Allowed(inspected) ||
        (!aside && FInspector.RowsStamp() != FRowsStamp) || !(CurrentSettings() == FSettings))
        return false;
    FScratch.clear();
    FSeen.assign(1, object);
    return Collect(rows, object, FScratch) && FScratch == FEntries;
}

bool TRSScanRecord::Retarget(TRSItemProps *rows, TPersistent *object)
{
    if (!Matches(rows, object, true))
        return false;
    for (size_t k = 0; k < FScratch.size(); ++k)
        FScratch[k].Expanded = FEntries[k].Expanded;
    FEntries.swap(FScratch);
    Refresh(FEntries);
    return true;
}

bool TRSScanRecord::Fits(TPersistent *object)
{
    if (!FValid || !object || typeid(*object) != *FObjectType || !Allowed(false) ||
        (!FAside && FInspector.RowsStamp() != FRowsStamp) || !(CurrentSettings() == FSettings))
        return false;
    // The rows are the recorded ones, so a scan of object decides alike
    // unless the values of its class properties lead elsewhere: only those
    // are followed, as Collect follows them.
    FSeen.assign(1, object);
    std::vector<std::pair<const TRSItemProperty *, TPersistent *>> nested;
    TPersistent *checked = nullptr;
    for (const TEntry &e : FEntries) {
        if (!e.Prop)
            continue;
        TPersistent *owner = object;
        if (const TRSItemProperty *parent = e.Row->ParentProperty()) {
            const auto it = std::find_if(nested.begin(), nested.end(),
                                         [parent](const auto &n) { return n.first == parent; });
            if (it == nested.end())
                return false;
            owner = it->second;
        }
        if (owner != checked && !SameType(&typeid(*owner), e.OwnerType))
            return false;
        checked = owner;
        if (e.Row->TypeKind() != tkClass)
            continue;
        TEntry now;
        TPersistent *value = e.Prop->Get(owner).AsObject();
        if (!DescribeValue(value, now) || now.ValueFlags != e.ValueFlags ||
            !SameType(now.ValueType, e.ValueType))
            return false;
        if (now.ValueFlags & vfNested) {
            FSeen.push_back(value);
            nested.emplace_back(e.Row, value);
        }
    }
    return true;
}

TRSItemProps *TRSScanRecord::Rows() const
{
    return FAside ? FAside.get() : FInspector.Items();
}

const TPropInfo *TRSScanRecord::PropOf(const TRSItemProperty *row) const
{
    for (const TEntry &e : FEntries)
        if (e.Row == row)
            return e.Prop;
    return nullptr;
}

bool TRSScanRecord::DescribeValue(TPersistent *value, TEntry &e) const
{
    if (!value)
        return true;
    e.ValueType = &typeid(*value);
    e.ValueFlags |= vfAssigned;
    if (value->IsComponent())
        e.ValueFlags |= vfComponent;
    if (auto *c = dynamic_cast<TCollection *>(value)) {
        e.ValueFlags |= vfCollection;
        if (FInspector.InplaceCollections() && c->Count() > 0)
            return false;
    }
    if (auto *s = dynamic_cast<TStrings *>(value)) {
        e.ValueFlags |= vfStrings;
        if (FInspector.InplaceTStrings() && s->Count() > 0)
            return false;
    }
    if (!value->IsComponent() || FInspector.InplaceComponents()) {
        // An object met twice is listed once only; keep such layouts to a
        // new scan.
        if (std::find(FSeen.begin(), FSeen.end(), value) != FSeen.end())
            return false;
        e.ValueFlags |= vfNested;
    }
    return true;
}

bool TRSScanRecord::Collect(TRSItemProps *rows, TPersistent *owner, std::vector<TEntry> &out)
{
    for (int r = 0; r < rows->Count(); ++r) {
        auto *row = dynamic_cast<TRSItemProperty *>(rows->Item(r));
        if (!row || row->Category())
            return false;
        const TRSItemKind kind = row->ItemKind();
        if ((kind != ikProperty && kind != ikSet && kind != ikCollection) || !row->HasTypeData() ||
            row->TypeKind() == tkInterface)
            return false;
        TEntry e;
        e.Row = row;
        e.Owner = owner;
        e.OwnerType = &typeid(*owner);
        // The property found for the same row of an object of the same class
        // before is the same description.
        const size_t k = out.size();
        if (&out != &FEntries && k < FEntries.size() && FEntries[k].Row == row &&
            SameType(FEntries[k].OwnerType, e.OwnerType))
            e.Prop = FEntries[k].Prop;
        else
            e.Prop = TypInfo::FindPublishedProperty(owner, row->PropName());
        if (!e.Prop || e.Prop->PropType->Kind != row->TypeKind())
            return false;
        TPersistent *value = nullptr;
        if (row->TypeKind() == tkClass) {
            value = e.Prop->Get(owner).AsObject();
            if (!DescribeValue(value, e))
                return false;
        }
        out.push_back(e);
        if (kind == ikSet) {
            TRSItemProps *elements = row->Items();
            for (int i = 0; i < elements->Count(); ++i) {
                auto *element = dynamic_cast<TRSItemProperty *>(elements->Item(i));
                if (!element || element->ItemKind() != ikSetElement ||
                    element->Items()->Count() > 0)
                    return false;
                TEntry x;
                x.Row = element;
                out.push_back(x);
            }
        } else if (e.ValueFlags & vfNested) {
            FSeen.push_back(value);
            if (!Collect(row->Items(), value, out))
                return false;
        } else if (row->Items()->Count() > 0) {
            return false;
        }
    }
    return true;
}

void TRSScanRecord::Refresh(const std::vector<TEntry> &entries)
{
    for (const TEntry &e : entries) {
        TRSItemProperty *row = e.Row;
        if (!e.Prop) {
            // An element of a set shows its bit of the set row's value.
            TRSItemProperty *set = row->ParentProperty();
            const uint32_t mask = set ? static_cast<uint32_t>(set->StoredValue(0).AsInt64()) : 0;
            const int64_t bit = row->StoredValue(0).AsInt64();
            row->Values()->Put(0, bit >= 0 && bit < 32 && (mask & (1u << bit)) ? "True" : "False");
        } else {
            const TVariant read = e.Prop->Get(e.Owner);
            row->SetStoredValue(0, TypInfo::ReadAsVariant(*e.Prop, read, false));
            row->Values()->Put(0, FInspector.PropText(e.Owner, e.Prop, row, &read));
        }
        row->SetIsAllEqual(true);
        row->SetExpanded(e.Expanded);
    }
}

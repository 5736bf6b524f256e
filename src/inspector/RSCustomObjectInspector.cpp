#include "inspector/RSCustomObjectInspector.h"

#include "controls/Strings.h"
#include "inspector/RSCategoryTable.h"
#include "inspector/RSInspectorFiler.h"
#include "inspector/RSInspectorObject.h"
#include "inspector/RSItemProperties.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "inspector/RSScanRecord.h"
#include "inspector/RSStringLineRows.h"
#include "platform/CodePage.h"
#include "platform/ColorValue.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/Persistent.h"
#include "reflection/RSConsts.h"
#include "reflection/StrUtils.h"

#include <QMetaObject>
#include <QObject>
#include <algorithm>

namespace
{

// How many classes' rows are kept for reuse while other objects are shown.
constexpr size_t kSpareRowSets = 16;

TRSItemProperty *AsProperty(TRSItemProp *row)
{
    return dynamic_cast<TRSItemProperty *>(row);
}

// The objects that are of class T, in order.
template <class T> std::vector<T *> AllOfClass(const std::vector<TPersistent *> &objects)
{
    std::vector<T *> result;
    for (TPersistent *o : objects)
        if (auto *t = dynamic_cast<T *>(o))
            result.push_back(t);
    return result;
}

bool Contains(const std::vector<TPersistent *> &list, const TPersistent *object)
{
    return std::find(list.begin(), list.end(), object) != list.end();
}

} // namespace

TRSCustomObjectInspector::TRSCustomObjectInspector()
    : FObjects(std::make_unique<TRSInspectorObjects>(this)), FDisplayKinds(DefaultDisplayKinds),
      FPoster(std::make_unique<QObject>())
{
    // The inspector and its grid are inspectable objects themselves, once
    // start-up registered their classes.
    TypInfo::RequireRegisteredClass("TRSCustomObjectInspector");
    FFilters.OnChange = [this] {
        if (OnFiltersChanged)
            OnFiltersChanged(this);
        RequestRebuild();
    };
    SetSorted(true);
    SetCaseSensitive(false);
    SetColor(ColorValue::ButtonFace);
    SetDeleteBlanks(false);
    ValueFont().SetColor(0x000080); // navy
    FValueChangedFont.OnGetParentFont = [this](TRSCustomDeltaFont *f) { return GetBaseFont(f); };
    FValueChangedFont.ApplyParent(&ValueFont());
    FValueChangedFont.SetStyle(FValueChangedFont.Style() | TRSFont::fsBold);
    FValueChangedFont.ComputeDelta(&ValueFont());
    // Every new inspector starts with the presets the program registered.
    FPresets.reset(CreatePresets());
    AddRegisteredPresets();
    FScanRecord = std::make_unique<TRSScanRecord>(*this);
}

TRSCustomObjectInspector::~TRSCustomObjectInspector()
{
    FDestroying = true;
    FPoster.reset();
    FSpareRows.clear();
    FObjects->Clear();
    FPresets.reset();
}

void TRSCustomObjectInspector::Post(const std::function<void()> &action)
{
    if (FPoster)
        QMetaObject::invokeMethod(FPoster.get(), action, Qt::QueuedConnection);
}

void TRSCustomObjectInspector::SetFilters(TRSStringList &value)
{
    if (OnFiltersChanging)
        OnFiltersChanging(this);
    FFilters.Assign(value);
}

namespace
{

// Settings that decide which rows exist ask for a rebuild when they change.
template <class T>
void ChangeAndRebuild(TRSCustomObjectInspector &inspector, T &field, const T &value)
{
    if (value == field)
        return;
    field = value;
    inspector.RequestRebuild();
}

} // namespace

void TRSCustomObjectInspector::SetDisplayKinds(TTypeKinds value)
{
    value &= ~(KindBit(tkArray) | KindBit(tkRecord) | KindBit(tkDynArray));
    ChangeAndRebuild(*this, FDisplayKinds, value);
}

void TRSCustomObjectInspector::SetInplaceComponents(bool value)
{
    ChangeAndRebuild(*this, FInplaceComponents, value);
}

void TRSCustomObjectInspector::SetDynamicTitleCaptions(bool value)
{
    if (value == FDynamicTitleCaptions)
        return;
    FDynamicTitleCaptions = value;
    UpdateDisplay();
}

void TRSCustomObjectInspector::SetShowValueChangedFont(bool value)
{
    FShowValueChangedFont = value;
    if (FHost)
        FHost->InvalidateGrid();
}

TPersistent *TRSCustomObjectInspector::Component() const
{
    if (FObjects->Count() == 0)
        return nullptr;
    TPersistent *first = FObjects->Item(0)->Instance();
    return first && first->IsComponent() ? first : nullptr;
}

void TRSCustomObjectInspector::SetComponent(TPersistent *component)
{
    FObjects->BeginUpdate();
    FObjects->Clear();
    if (component)
        FObjects->AddObject(component);
    FObjects->EndUpdate();
}

std::vector<TPersistent *> TRSCustomObjectInspector::InspectedObjects() const
{
    std::vector<TPersistent *> list;
    for (int i = 0; i < FObjects->Count(); ++i)
        if (TPersistent *o = FObjects->Item(i)->Instance())
            list.push_back(o);
    return list;
}

int TRSCustomObjectInspector::ValueColumns() const
{
    return std::max(ValueColumnCount(), 1);
}

void TRSCustomObjectInspector::ObjectsChanging()
{
    if (FHost)
        FHost->HideEditor();
    if (TRSItemProp *current = CurrentRow(); current && !FLoading)
        FRememberedPath = current->GetFullName();
    // Rows that another object of the same class may take again are put
    // aside whole instead of being destroyed; a few classes are kept.
    if (!FDestroying && FScanRecord->Current()) {
        const std::type_info *type = FScanRecord->ObjectType();
        std::erase_if(FSpareRows, [type](const auto &r) { return *r->ObjectType() == *type; });
        if (FSpareRows.size() >= kSpareRowSets)
            FSpareRows.erase(FSpareRows.begin());
        FScanRecord->PutAside(Items());
        FSpareRows.push_back(std::move(FScanRecord));
        FScanRecord = std::make_unique<TRSScanRecord>(*this);
    } else {
        Items()->Clear();
    }
}

bool TRSCustomObjectInspector::ReuseRows(const std::vector<TPersistent *> &objects)
{
    if (objects.size() != 1)
        return false;
    TPersistent *object = objects.front();
    if (Items()->Count() > 0)
        return FScanRecord->Retarget(Items(), object);
    const auto spare = std::find_if(FSpareRows.begin(), FSpareRows.end(), [object](const auto &r) {
        return *r->ObjectType() == typeid(*object);
    });
    if (spare == FSpareRows.end())
        return false;
    std::unique_ptr<TRSScanRecord> record = std::move(*spare);
    FSpareRows.erase(spare);
    if (!record->Retarget(record->Aside(), object))
        return false;
    record->Aside()->MoveAllTo(*Items());
    record->TakenBack();
    FScanRecord = std::move(record);
    return true;
}

TRSScanRecord *TRSCustomObjectInspector::ScanRecordFor(const std::type_info &type) const
{
    if (FScanRecord->Current() && *FScanRecord->ObjectType() == type)
        return FScanRecord.get();
    for (const auto &spare : FSpareRows)
        if (*spare->ObjectType() == type)
            return spare.get();
    return nullptr;
}

void TRSCustomObjectInspector::ObjectsChanged(TRSInspectorObject *)
{
    if (!FDestroying)
        RequestRebuild();
}

void TRSCustomObjectInspector::RequestRebuild()
{
    if (FLoading || FDestroying || FRebuildPending)
        return;
    // Requests made before the rebuild runs share it: the result is the same.
    FRebuildPending = true;
    Post([this] {
        FRebuildPending = false;
        Rebuild();
    });
}

bool TRSCustomObjectInspector::DoBeforeScan(TRSItemProperty *row)
{
    bool result = true;
    if (OnBeforeScan)
        OnBeforeScan(this, row, result);
    return result;
}

void TRSCustomObjectInspector::DoAfterScan(TRSItemProperty *row)
{
    if (OnAfterScan)
        OnAfterScan(this, row);
}

void TRSCustomObjectInspector::Rebuild()
{
    if (FLoading || FDestroying || FObjects->UpdateCount() > 0)
        return;
    if (TRSItemProp *current = CurrentRow())
        FRememberedPath = current->GetFullName();
    FScanning = DoBeforeScan(nullptr);
    if (FScanning) {
        Items()->BeginUpdate();
        BeginUpdate();
    }
    auto finish = [this] {
        const bool began = FScanning;
        FScanning = false;
        if (began) {
            EndUpdate();
            Items()->EndUpdate();
        }
        DoAfterScan(nullptr);
        if (!FRememberedPath.empty()) {
            if (TRSItemProp *row = Items()->FindPath(FRememberedPath)) {
                const auto &shown = DisplayedRows();
                auto it = std::find(shown.begin(), shown.end(), row);
                if (it != shown.end())
                    SetCurrentItem(FixedItems() + static_cast<int>(it - shown.begin()));
            }
        }
    };
    const bool scanning = FScanning;
    const std::vector<TPersistent *> objects = InspectedObjects();
    bool reused = false;
    try {
        reused = scanning && ReuseRows(objects);
        if (!reused) {
            FScanRecord->Clear();
            Items()->Clear();
            if (scanning)
                Scan();
        }
        UpdateDisplay();
    } catch (...) {
        FScanRecord->Clear();
        finish();
        throw;
    }
    finish();
    if (!reused && scanning && objects.size() == 1)
        FScanRecord->Record(objects.front());
}

void TRSCustomObjectInspector::Scan()
{
    const std::vector<TPersistent *> objects = InspectedObjects();
    if (objects.empty() || !FObjects->Item(0)->Instance()) {
        if (FDisplayOptions & doMultiColValues)
            SetFieldCount(2);
        return;
    }
    BeginUpdate();
    try {
        SetFieldCount(
            1 + ((FDisplayOptions & doMultiColValues) ? static_cast<int>(objects.size()) : 1));
        ScanProperties(objects, Items());
        ApplyFilters();
        ApplyPresets();
    } catch (...) {
        EndUpdate();
        FScanGuard.clear();
        throw;
    }
    EndUpdate();
    FScanGuard.clear();
}

void TRSCustomObjectInspector::ScanProperties(const std::vector<TPersistent *> &objects,
                                              TRSItemProps *rows)
{
    if (objects.empty())
        return;
    for (TPersistent *o : objects)
        FScanGuard.push_back(o);
    const TClassInfo *info = TypInfo::ClassInfoOf(objects.front());
    if (!info)
        return;
    const std::vector<const TPropInfo *> props =
        TypInfo::ListPublishedProperties(info, FDisplayKinds);
    rows->BeginUpdate();
    try {
        for (const TPropInfo *prop : props) {
            // Only properties every object has, with the same kind and type.
            bool common = true;
            for (size_t i = 1; i < objects.size() && common; ++i) {
                const TPropInfo *other = TypInfo::FindPublishedProperty(objects[i], prop->Name);
                common = other && other->PropType->Kind == prop->PropType->Kind &&
                         other->PropType->Name == prop->PropType->Name;
            }
            if (!common)
                continue;
            auto *row = static_cast<TRSItemProperty *>(rows->Add());
            FillProperty(row, objects, prop->Name);
            if (prop->PropType->Kind != tkClass) {
                if (FArrangeByCategory && rows == Items())
                    PlaceInCategories(row);
                continue;
            }
            std::vector<TPersistent *> nested;
            for (TPersistent *o : objects) {
                TPersistent *value = TypInfo::GetObjectProp(o, prop->Name);
                if (!value || (value->IsComponent() && !FInplaceComponents) ||
                    Contains(FScanGuard, value))
                    continue;
                if (!Contains(nested, value))
                    nested.push_back(value);
            }
            if (!nested.empty() && nested.size() == objects.size()) {
                if (DoBeforeScan(row))
                    ScanProperties(nested, row->Items());
                DoAfterScan(row);
            }
            if (FArrangeByCategory && rows == Items())
                PlaceInCategories(row);
        }
        TRSItemProperty *owner = AsProperty(rows->OwnerRow());
        if (FInplaceCollections && owner && owner->ItemKind() == ikCollection &&
            owner->IsAllEqual()) {
            const auto collections = AllOfClass<TCollection>(objects);
            if (collections.size() == objects.size())
                AddCollectionItems(owner, collections);
        } else if (FInplaceTStrings && owner && owner->TypeKind() == tkClass &&
                   owner->IsAllEqual()) {
            const auto lists = AllOfClass<TStrings>(objects);
            if (lists.size() == objects.size())
                AddStringLines(owner, lists);
        }
    } catch (...) {
        rows->EndUpdate();
        throw;
    }
    rows->EndUpdate();
}

void TRSCustomObjectInspector::FillProperty(TRSItemProperty *row,
                                            const std::vector<TPersistent *> &objects,
                                            const std::string &name)
{
    row->SetName(name);
    row->SetPropName(name);
    TPersistent *first = objects.front();
    const TPropInfo *prop = TypInfo::FindPublishedProperty(first, name);
    if (!prop)
        throw ERSException(RSFormat(RSConsts::SPropertyDoesNotExist, name));
    const TTypeInfo *type = prop->PropType;
    const TTypeKind kind = type->Kind;
    row->SetTypeKind(kind);
    row->SetTypeName(type->Name);
    const bool multi = FDisplayOptions & doMultiColValues;
    // The first object's value is read once, for the stored value and the text.
    const TVariant read = prop->Get(first);
    if (kind != tkInterface) {
        row->SetStoredValue(0, TypInfo::ReadAsVariant(*prop, read, false));
        if (multi)
            for (size_t i = 1; i < objects.size(); ++i)
                row->SetStoredValue(static_cast<int>(i),
                                    TypInfo::ReadAsVariant(objects[i], name, false));
    }
    if (kind == tkClass && dynamic_cast<TCollection *>(read.AsObject()))
        row->SetItemKind(ikCollection);
    else
        row->SetItemKind(kind == tkSet ? ikSet : ikProperty);
    const std::string firstText = PropText(first, prop, row, &read);
    if (multi) {
        row->Values()->Put(0, firstText);
        for (size_t i = 1; i < objects.size(); ++i)
            row->Values()->Put(static_cast<int>(i), GetPropText(objects[i], row));
    } else {
        // The column holds the whole text: Value would split it at line
        // breaks and trim trailing blanks.
        row->Values()->Put(0, firstText);
    }
    row->SetHasTypeData(kind != tkInterface);
    bool allEqual = true;
    if (objects.size() > 1) {
        if (multi) {
            allEqual = false;
        } else {
            const std::string text = row->Value();
            for (size_t i = 1; i < objects.size() && allEqual; ++i)
                allEqual = CodePage::SameText(GetPropText(objects[i], row), text);
        }
    }
    row->SetIsAllEqual(allEqual);
    bool readOnly = !prop->HasWriter() || kind == tkMethod || kind == tkInterface;
    if (kind == tkClass && prop->HasWriter()) {
        TPersistent *value = read.AsObject();
        readOnly = !row->IsBlank() && !(value && value->IsComponent());
    }
    row->SetReadOnly(readOnly);
    if (kind == tkEnumeration) {
        row->GetPickList()->SetLines(PickListOf(type));
        row->SetEditStyle(esPickList);
    } else if (kind == tkSet) {
        const TTypeInfo *elements = type->CompType ? type->CompType : type;
        static const std::vector<std::string> kBooleanPick{"False", "True"};
        row->Items()->SetSorted(false);
        for (int64_t e = elements->MinValue; e <= elements->MaxValue && e < 32; ++e) {
            auto *child = static_cast<TRSItemProperty *>(row->Items()->Add());
            const std::string element = TypInfo::EnumNameOf(elements, e);
            child->SetName(element);
            child->SetPropName(element);
            const int columns = multi ? static_cast<int>(objects.size()) : 1;
            for (int c = 0; c < columns; ++c) {
                child->SetStoredValue(c, TVariant(static_cast<int>(e)));
                const uint32_t mask = static_cast<uint32_t>(row->StoredValue(c).AsInt64());
                child->Values()->Put(c, (mask & (1u << e)) ? "True" : "False");
            }
            child->SetItemKind(ikSetElement);
            child->SetTypeKind(tkEnumeration);
            child->SetTypeName("Boolean");
            child->SetHasTypeData(false);
            child->SetIsAllEqual(
                objects.size() == 1 ? true : (multi ? false : row->AreStoredValuesEqual()));
            child->GetPickList()->SetLines(kBooleanPick);
            child->SetEditStyle(esPickList);
        }
    }
}

const std::vector<std::string> &TRSCustomObjectInspector::PickListOf(const TTypeInfo *type)
{
    // Element names of an enumeration in sorted order, made once per type.
    auto it = FPickLists.find(type);
    if (it != FPickLists.end())
        return it->second;
    TRSStringList pick;
    const TTypeInfo *base = type->Base();
    if (base->Name == "WordBool" || base->Name == "LongBool") {
        pick.Add("False");
        pick.Add("True");
    } else {
        for (int64_t i = type->MinValue; i <= type->MaxValue; ++i)
            pick.Add(TypInfo::EnumNameOf(type, i));
    }
    pick.SetSorted(true);
    return FPickLists.emplace(type, pick.Lines()).first->second;
}

void TRSCustomObjectInspector::SetInplaceCollections(bool value)
{
    ChangeAndRebuild(*this, FInplaceCollections, value);
}

void TRSCustomObjectInspector::SetCollectionItemFormat(const std::string &value)
{
    ChangeAndRebuild(*this, FCollectionItemFormat, value);
}

void TRSCustomObjectInspector::SetInplaceTStrings(bool value)
{
    ChangeAndRebuild(*this, FInplaceTStrings, value);
}

void TRSCustomObjectInspector::SetInplaceTStringsOptions(TInplaceTStringsOptions value)
{
    ChangeAndRebuild(*this, FInplaceTStringsOptions, value);
}

void TRSCustomObjectInspector::SetStringsItemFormat(const std::string &value)
{
    ChangeAndRebuild(*this, FStringsItemFormat, value);
}

void TRSCustomObjectInspector::AddCollectionItems(TRSItemProperty *row,
                                                  const std::vector<TCollection *> &collections)
{
    const int count = collections.front()->Count();
    for (TCollection *c : collections)
        if (c->Count() != count)
            return;
    const bool multi = FDisplayOptions & doMultiColValues;
    const TClassInfo *itemClass = collections.front()->ItemClass();
    for (int i = 0; i < count; ++i) {
        auto *itemRow = static_cast<TRSItemProperty *>(row->Items()->Add());
        const std::string name = RSFormat(FCollectionItemFormat, i);
        itemRow->SetName(name);
        itemRow->SetPropName(name);
        itemRow->SetTypeKind(tkClass);
        itemRow->SetTypeName(itemClass ? itemClass->Name : std::string());
        for (int c = 0; c < ValueColumns(); ++c)
            itemRow->SetStoredValue(c, TVariant(i));
        itemRow->SetHasTypeData(false);
        itemRow->SetItemKind(ikCollectionItem);
        const std::string text = collections.front()->Items(i)->DisplayName();
        if (multi) {
            for (int c = 0; c < ValueColumns(); ++c)
                itemRow->Values()->Put(c, text);
        } else {
            itemRow->Values()->Put(0, text);
        }
        itemRow->SetIsAllEqual(true);
        itemRow->SetReadOnly(true);
        std::vector<TPersistent *> items;
        for (TCollection *c : collections) {
            TCollectionItem *item = c->Items(i);
            if (!Contains(FScanGuard, item))
                items.push_back(item);
        }
        if (items.empty())
            continue;
        if (DoBeforeScan(itemRow))
            ScanProperties(items, itemRow->Items());
        DoAfterScan(itemRow);
    }
}

void TRSCustomObjectInspector::PlaceInCategories(TRSItemProperty *row)
{
    TRSStringList &table = Items()->Categories();
    std::vector<std::string> categories;
    for (const std::string &line : table.Lines()) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && StrUtils::SameText(line.substr(0, eq), row->Name()))
            categories.push_back(line.substr(eq + 1));
    }
    if (categories.empty()) {
        row->SetCollection(Items()->GetDefaultCategory()->Items());
        return;
    }
    // The row is shown under each of its categories; the copies read and
    // write the same property, since category names are skipped in paths.
    // A named row goes to its first category by itself; copies are moved on
    // after they took the name.
    for (size_t i = 1; i < categories.size(); ++i) {
        TRSItemProp *copy = row->Collection()->Add();
        copy->Assign(*row);
        copy->SetCollection(Items()->AddCategory(categories[i], false)->Items());
    }
    TRSItemProps *first = Items()->AddCategory(categories.front(), false)->Items();
    if (row->Collection() != first)
        row->SetCollection(first);
}

bool TRSCustomObjectInspector::IsCategoryName(std::string_view name) const
{
    TRSItemProps *rows = Items();
    if (StrUtils::SameText(name, rows->DefaultCategoryName()))
        return true;
    for (const std::string &line : rows->Categories().Lines()) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos &&
            StrUtils::SameText(std::string_view(line).substr(eq + 1), name))
            return true;
    }
    return false;
}

TRSItemProp *TRSCustomObjectInspector::FindStoredPath(TRSItemProps *rows,
                                                      const std::string &path) const
{
    if (TRSItemProp *row = rows->FindPath(path))
        return row;
    // Only paths that no row has are looked at again, so a property named
    // like a category keeps its own row.
    std::string rest = path;
    const size_t cut = path.find(PathDelimiter());
    if (cut != std::string::npos && IsCategoryName(std::string_view(path).substr(0, cut))) {
        rest = path.substr(cut + PathDelimiter().size());
        if (TRSItemProp *row = rows->FindPath(rest))
            return row;
    }
    for (int i = 0; i < rows->Count(); ++i) {
        TRSItemProp *category = rows->Item(i);
        if (!category->Category())
            continue;
        if (TRSItemProp *row = category->Items()->FindPath(rest))
            return row;
    }
    return nullptr;
}

std::string TRSCustomObjectInspector::GetPropText(TPersistent *object, TRSItemProperty *row)
{
    return PropText(object, nullptr, row);
}

std::string TRSCustomObjectInspector::PropText(TPersistent *object, const TPropInfo *prop,
                                               TRSItemProperty *row, const TVariant *read)
{
    if (row->OnGetProperty) {
        std::string value;
        row->OnGetProperty(row, object, row->PropName(), value);
        return value;
    }
    if (!prop)
        prop = TypInfo::FindPublishedProperty(object, row->PropName());
    if (!prop)
        throw ERSException(RSFormat(RSConsts::SPropertyDoesNotExist, row->PropName()));
    const TTypeInfo *type = prop->PropType;
    const TVariant value = read ? *read : prop->Get(object);
    switch (type->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64:
        return std::to_string(value.AsInt64());
    case tkEnumeration:
        return TypInfo::EnumNameOf(type, value.AsInt64());
    case tkFloat:
        return StrUtils::FormatFloat(value.AsDouble());
    case tkString:
    case tkLString:
    case tkWString:
    case tkVariant:
        return value.AsString();
    case tkSet:
        return TypInfo::SetTextOf(type, static_cast<uint32_t>(value.AsInt64()), true);
    case tkClass: {
        TPersistent *referenced = value.AsObject();
        if (!referenced)
            return {};
        if (referenced->IsComponent())
            return referenced->ComponentName();
        return "(" + type->Name + ")";
    }
    case tkMethod:
    case tkInterface:
        return type->Name;
    default:
        throw ERSException(RSFormat(RSConsts::SInvalidPropertyType, type->Name));
    }
}

void TRSCustomObjectInspector::SetPropText(TPersistent *object, TRSItemProperty *row,
                                           const std::string &text)
{
    std::string name = row->PropPath();
    TPersistent *owner = ResolveInstance(object, name, row);
    if (!owner)
        return;
    const TPropInfo *prop =
        row->OnGetProperty ? nullptr : TypInfo::FindPublishedProperty(owner, row->PropName());
    SetOwnerPropText(owner, name, prop && name == row->PropName() ? prop : nullptr, row, text);
}

void TRSCustomObjectInspector::SetOwnerPropText(TPersistent *owner, const std::string &name,
                                                const TPropInfo *prop, TRSItemProperty *row,
                                                const std::string &text)
{
    // A reference that already shows the text is left alone: object
    // references cannot be written from text, and a layout holding an empty
    // reference must still open.
    if (row->TypeKind() == tkClass && !row->OnSetProperty && PropText(owner, prop, row) == text)
        return;
    if (row->OnSetProperty) {
        row->OnSetProperty(row, owner, name, text);
        return;
    }
    const TVariant value = row->TypeKind() == tkEnumeration && row->TypeName() == "WordBool"
                               ? TVariant(TVariant(text).AsBoolean())
                               : TVariant(text);
    if (prop)
        TypInfo::WriteFromVariant(owner, *prop, value);
    else
        TypInfo::WriteFromVariant(owner, name, value);
}

TPersistent *TRSCustomObjectInspector::ResolveInstance(TPersistent *object, std::string &path,
                                                       TRSItemProperty *row)
{
    std::vector<TRSItemProp *> ancestors;
    for (TRSItemProp *p = row->ParentItem(); p; p = p->ParentItem())
        ancestors.insert(ancestors.begin(), p);
    const std::string &delimiter = PathDelimiter();
    size_t depth = 0;
    for (size_t cut; object && (cut = path.find(delimiter)) != std::string::npos; ++depth) {
        const std::string segment = path.substr(0, cut);
        path.erase(0, cut + delimiter.size());
        TRSItemProp *ancestor = depth < ancestors.size() ? ancestors[depth] : nullptr;
        // Categories group rows, and the leading names of a string list's
        // name/value lines are rows of the list itself: neither leads on.
        if (ancestor && (ancestor->Category() || IsLineRow(ancestor)))
            continue;
        TRSItemProperty *item = AsProperty(ancestor);
        if (item && item->ItemKind() == ikCollectionItem && FInplaceCollections) {
            auto *collection = dynamic_cast<TCollection *>(object);
            const std::vector<TVariant> &stored = item->StoredValues();
            const int64_t index =
                stored.empty() || stored.front().IsEmpty() ? -1 : stored.front().AsInt64();
            object = collection && index >= 0 && index < collection->Count()
                         ? collection->Items(static_cast<int>(index))
                         : nullptr;
            continue;
        }
        const TPropInfo *prop = TypInfo::FindPublishedProperty(object, segment);
        if (!prop) {
            object = nullptr;
            break;
        }
        object = prop->PropType->Kind == tkClass ? prop->Get(object).AsObject() : nullptr;
    }
    return object;
}

void TRSCustomObjectInspector::ApplyItem(TRSItemProperty *row)
{
    BeginChange(row);
    const int position = row->AbsoluteIndex();
    try {
        const bool multi = FDisplayOptions & doMultiColValues;
        const std::vector<TPersistent *> objects = InspectedObjects();
        const std::string single =
            multi || row->Values()->Count() == 0 ? std::string() : row->Values()->Get(0);
        for (size_t i = 0; i < objects.size(); ++i)
            SetPropText(objects[i], row, multi ? row->Values()->Get(static_cast<int>(i)) : single);
    } catch (...) {
        EndChange(position);
        throw;
    }
    EndChange(position);
}

void TRSCustomObjectInspector::BeginChange(TRSItemProperty *row)
{
    row->SetIsAllEqual(!(FDisplayOptions & doMultiColValues));
    if (OnPropertyChanging)
        OnPropertyChanging(this, row);
}

void TRSCustomObjectInspector::EndChange(int position)
{
    // Writes made before the refresh runs share one refresh of all rows.
    FChangedPositions.push_back(position);
    if (FChangedPositions.size() == 1)
        Post([this] { PropertiesChanged(); });
}

void TRSCustomObjectInspector::PropertiesChanged()
{
    const std::vector<int> positions = std::move(FChangedPositions);
    FChangedPositions.clear();
    if (!RefreshValues(Items()))
        RequestRebuild();
    if (!OnPropertyChanged)
        return;
    for (int position : positions) {
        const auto &all = AllRows();
        if (position >= 0 && position < static_cast<int>(all.size()))
            OnPropertyChanged(this, AsProperty(all[static_cast<size_t>(position)]));
    }
}

bool TRSCustomObjectInspector::RefreshValues(TRSItemProps *rows)
{
    if (FDestroying || FObjects->UpdateCount() > 0)
        return true;
    const int shownBefore = static_cast<int>(DisplayedRows().size());
    bool result = true;
    BeginUpdate();
    try {
        for (int i = 0; i < rows->Count() && result; ++i) {
            TRSItemProperty *row = AsProperty(rows->Item(i));
            if (!row)
                continue;
            if (!row->RefreshValue())
                result = false;
            else if (row->Items()->Count() > 0 && !RefreshValues(row->Items()))
                result = false;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    if (FHost) {
        FHost->InvalidateGrid();
        if (FUpdateCount == 0 && shownBefore != static_cast<int>(DisplayedRows().size()) &&
            FHost->EditorVisible()) {
            FHost->UpdateEditor();
            FHost->SelectEditorText();
        }
    }
    return result;
}

void TRSCustomObjectInspector::RefreshAll()
{
    if (FDestroying || FObjects->UpdateCount() > 0)
        return;
    if (!RefreshValues(Items()))
        RequestRebuild();
}

void TRSCustomObjectInspector::ApplyFilters()
{
    if (FFilters.Count() == 0)
        return;
    auto filtered = [this](const std::string &text) {
        for (const std::string &f : FFilters.Lines())
            if (StrUtils::SameText(f, text))
                return true;
        return false;
    };
    // From the last row to the first, so that deleting a row with its
    // descendants never skips one.
    for (int i = static_cast<int>(AllRows().size()) - 1; i >= 0; --i) {
        if (i >= static_cast<int>(AllRows().size()))
            continue;
        TRSItemProp *row = AllRows()[static_cast<size_t>(i)];
        // Filters name properties; a category row sharing such a name
        // (Action) holds other properties that must stay.
        if (row->Category())
            continue;
        if (filtered(row->Name()) || filtered(row->GetFullName()))
            row->Collection()->Delete(row->Index());
    }
}

void TRSCustomObjectInspector::InitCategories()
{
    TRSStringList &categories = Items()->Categories();
    categories.BeginUpdate();
    for (const char *entry : CategoryTable())
        categories.Add(entry);
    categories.EndUpdate();
}

std::string TRSCustomObjectInspector::GetCellText(int col, int row) const
{
    const int field = FieldOf(col, row);
    const int item = ItemOf(col, row);
    if ((FDisplayOptions & doColumnTitles) && item == 0) {
        if (field >= 1 && FDynamicTitleCaptions && FObjects->Count() >= field) {
            if (TPersistent *o = FObjects->Item(field - 1)->Instance()) {
                if (o->IsComponent())
                    return o->ComponentName();
                if (const auto *item = dynamic_cast<const TCollectionItem *>(o))
                    return item->DisplayName();
                const TClassInfo *info = TypInfo::ClassInfoOf(o);
                return info ? info->Name : std::string();
            }
        }
        return TRSCustomItemListEditor::GetCellText(col, row);
    }
    TRSItemProp *r = ItemAt(col, row, true);
    if (!r || field == 0 || (FDisplayOptions & doMultiColValues))
        return TRSCustomItemListEditor::GetCellText(col, row);
    TRSItemProperty *p = AsProperty(r);
    // Only the value being typed shows where the objects differ.
    const bool current = Editing() && CurrentRow() == r && CurrentField() == field;
    if (current || !p || p->IsAllEqual() || FObjects->Count() == 1)
        return r->Values()->Get(0);
    return {};
}

TRSEditStyle TRSCustomObjectInspector::GetEditStyle(int col, int row)
{
    const TRSEditStyle style = TRSCustomItemListEditor::GetEditStyle(col, row);
    TRSItemProp *r = ItemAt(col, row, true);
    if (style == esPickList && r && r->GetReadOnly())
        return esSimple;
    return style;
}

void TRSCustomObjectInspector::SetArrangeByCategory(bool value)
{
    const bool changed = value != FArrangeByCategory;
    TRSCustomItemListEditor::SetArrangeByCategory(value);
    if (changed)
        RequestRebuild();
}

void TRSCustomObjectInspector::SetDisplayOptions(TILEDisplayOptions value)
{
    const bool multiFlips = (value ^ FDisplayOptions) & doMultiColValues;
    if (multiFlips)
        Items()->Clear();
    TRSCustomItemListEditor::SetDisplayOptions(value);
    if (multiFlips)
        RequestRebuild();
}

TRSItemProps *TRSCustomObjectInspector::CreateItems(TRSItemProp *owner)
{
    if (owner)
        return new TRSItemProperties(owner);
    return new TRSItemProperties(this);
}

const TRSFont *TRSCustomObjectInspector::GetBaseFont(TRSCustomDeltaFont *font) const
{
    if (font == &FValueChangedFont)
        return &FValueFont;
    return TRSCustomItemListEditor::GetBaseFont(font);
}

// ---- presets ------------------------------------------------------------

TRSPropertyPresets *TRSCustomObjectInspector::CreatePresets()
{
    return new TRSPropertyPresets(this);
}

void TRSCustomObjectInspector::AddRegisteredPresets()
{
    FPresets->BeginUpdate();
    try {
        for (TRSPropertyPresetClass cls : RegisteredPropertyPresets())
            if (FPresets->IndexOfPresetClass(cls) < 0)
                FPresets->AddPresetOfClass(cls);
    } catch (...) {
        FPresets->EndUpdate();
        throw;
    }
    FPresets->EndUpdate();
}

void TRSCustomObjectInspector::SetPresets(const TRSPropertyPresets &value)
{
    if (&value == FPresets.get())
        return;
    FPresets->BeginUpdate();
    try {
        FPresets->Clear();
        for (int i = 0; i < value.Count(); ++i) {
            TRSPropertyPreset *source = value.Item(i);
            FPresets->AddPresetOfClass(TypInfo::ClassInfoOf(source))->Assign(*source);
        }
    } catch (...) {
        FPresets->EndUpdate();
        throw;
    }
    FPresets->EndUpdate();
}

void TRSCustomObjectInspector::ApplyPresets()
{
    if (FDestroying || !FPresets || FPresets->Count() == 0)
        return;
    // A copy: an alias may move a row within its sorted collection.
    const std::vector<TRSItemProp *> rows = AllRows();
    for (TRSItemProp *row : rows)
        if (TRSItemProperty *p = AsProperty(row))
            FPresets->ApplyToItem(p);
}

void TRSCustomObjectInspector::DoCustomPreset(TRSPropertyPreset *preset, TRSItemProperty *row)
{
    if (OnCustomPreset)
        OnCustomPreset(this, preset, row);
}

void TRSCustomObjectInspector::DoMatchPreset(TRSPropertyPreset *preset, TRSItemProperty *row,
                                             bool &result)
{
    if (OnMatchPreset)
        OnMatchPreset(this, preset, row, result);
}

void TRSCustomObjectInspector::PresetNotify(TRSPropertyPreset *, TCollectionNotification)
{
    ++FScanSettingsStamp;
}

void TRSCustomObjectInspector::PresetsChanged(TRSPropertyPreset *)
{
    ++FScanSettingsStamp;
    if (!FLoading)
        ApplyPresets();
}

void TRSCustomObjectInspector::Loaded()
{
    ApplyPresets();
}

void TRSCustomObjectInspector::DefineProperties(TFiler &filer)
{
    TRSInspectorFiler(*this).DefineProperties(filer);
}

void TRSCustomObjectInspector::FontChanged()
{
    TRSCustomItemListEditor::FontChanged();
    ++FScanSettingsStamp;
    if (!FPresets)
        return;
    FPresets->BeginUpdate();
    for (int i = 0; i < FPresets->Count(); ++i)
        FPresets->Item(i)->ParentFontsChanged();
    FPresets->EndUpdate();
}

void TRSCustomObjectInspector::ValueFontChanged()
{
    TRSCustomItemListEditor::ValueFontChanged();
    ++FScanSettingsStamp;
    FValueChangedFont.ApplyParent(&FValueFont);
    if (!FPresets)
        return;
    FPresets->BeginUpdate();
    for (int i = 0; i < FPresets->Count(); ++i)
        FPresets->Item(i)->ParentFontsChanged();
    FPresets->EndUpdate();
}

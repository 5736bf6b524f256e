#include "inspector/RSPropertyPreset.h"

#include "controls/published/DesignerProps.h"
#include "controls/published/DesignerTypes.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorObject.h"
#include "inspector/RSPresetEmptyFlags.h"
#include "inspector/RSPropertyPresets.h"
#include "propgrid/RSStringList.h"
#include "reflection/StrUtils.h"

#include <typeinfo>

using namespace DesignerProps;

namespace
{

void Enumeration(TTypeInfo &type, const char *name, std::vector<std::string> names)
{
    type.Kind = tkEnumeration;
    type.Name = name;
    type.MinValue = 0;
    type.MaxValue = static_cast<int64_t>(names.size()) - 1;
    type.Names = std::move(names);
}

void SetOf(TTypeInfo &type, const char *name, const TTypeInfo &elements)
{
    type.Kind = tkSet;
    type.Name = name;
    type.MinValue = elements.MinValue;
    type.MaxValue = elements.MaxValue;
    type.CompType = &elements;
}

// The types of the published settings of a preset.
struct TPresetTypes {
    TTypeInfo MatchType, MatchTypes, TypeKind, TypeKinds, PresetType, PresetTypes, EditStyle;

    TPresetTypes()
    {
        Enumeration(MatchType, "TRSPresetMatchType",
                    {"mtPropertyName", "mtFullPropertyName", "mtPropertyType", "mtClassName",
                     "mtParentPropertyName", "mtParentFullPropertyName", "mtParentPropertyType"});
        SetOf(MatchTypes, "TRSPresetMatchTypes", MatchType);
        Enumeration(TypeKind, "TTypeKind",
                    {"tkUnknown", "tkInteger", "tkChar", "tkEnumeration", "tkFloat", "tkString",
                     "tkSet", "tkClass", "tkMethod", "tkWChar", "tkLString", "tkWString",
                     "tkVariant", "tkArray", "tkRecord", "tkInterface", "tkInt64", "tkDynArray"});
        SetOf(TypeKinds, "TTypeKinds", TypeKind);
        Enumeration(PresetType, "TRSPropertyPresetType",
                    {"pftCustom", "pftAlias", "pftReadOnly", "pftWritable", "pftVisible",
                     "pftHidden", "pftHint", "pftEditStyle", "pftEditMask", "pftValidate",
                     "pftFont", "pftValueFont"});
        SetOf(PresetTypes, "TRSPropertyPresetTypes", PresetType);
        Enumeration(EditStyle, "TEditStyle", {"esSimple", "esEllipsis", "esPickList"});
    }
};

using P = TRSPropertyPreset;

TPropInfo ListProp(const char *name, TStrings &(P::*list)())
{
    return Obj<P>(
        name, DesignerTypes().TStrings, [list](P &p) -> TPersistent * { return &(p.*list)(); },
        [list](P &p, TPersistent *v) {
            if (auto *lines = dynamic_cast<TStrings *>(v))
                (p.*list)().Assign(*lines);
            else
                (p.*list)().Clear();
        });
}

TPropInfo TextProp(const char *name, const std::string &(P::*get)() const,
                   void (P::*set)(const std::string &))
{
    return Str<P>(
        name, DesignerTypes().String, [get](P &p) { return (p.*get)(); },
        [set](P &p, const std::string &v) { (p.*set)(v); });
}

TPropInfo FontProp(const char *name, TRSFontProperties &(P::*font)())
{
    return Obj<P>(
        name, TRSFontProperties::PropertyType(),
        [font](P &p) -> TPersistent * { return &(p.*font)(); },
        [font](P &p, TPersistent *v) {
            if (auto *other = dynamic_cast<TRSFontProperties *>(v))
                (p.*font)().Assign(*other);
        });
}

std::vector<TPropInfo> PresetProps(const TPresetTypes &t)
{
    return {
        Ord<P>(
            "Actions", t.PresetTypes, [](P &p) { return p.Actions(); },
            [](P &p, int64_t v) { p.SetActions(static_cast<TRSPropertyPresetTypes>(v)); },
            NoDefault),
        Bool<P>(
            "Active", [](P &p) { return p.Active(); }, [](P &p, bool v) { p.SetActive(v); }, true),
        TextProp("Alias", &P::Alias, &P::SetAlias),
        TextProp("EditMask", &P::EditMask, &P::SetEditMask),
        Ord<P>(
            "EditStyle", t.EditStyle, [](P &p) { return p.EditStyle(); },
            [](P &p, int64_t v) { p.SetEditStyle(static_cast<TEditStyle>(v)); }, esSimple),
        FontProp("Font", &P::FontProperties),
        TextProp("Hint", &P::Hint, &P::SetHint),
        Bool<P>(
            "Inclusive", [](P &p) { return p.Inclusive(); },
            [](P &p, bool v) { p.SetInclusive(v); }, true),
        Ord<P>(
            "MatchTypes", t.MatchTypes, [](P &p) { return p.MatchTypes(); },
            [](P &p, int64_t v) { p.SetMatchTypes(static_cast<TRSPresetMatchTypes>(v)); }, 0),
        TextProp("Name", &P::Name, &P::SetName),
        ListProp("ParentClassNames", &P::ParentClassNames),
        ListProp("ParentPropNames", &P::ParentPropNames),
        Ord<P>(
            "ParentTypeKinds", t.TypeKinds, [](P &p) { return p.ParentTypeKinds(); },
            [](P &p, int64_t v) { p.SetParentTypeKinds(static_cast<TTypeKinds>(v)); }, 0),
        ListProp("ParentTypeNames", &P::ParentTypeNames),
        ListProp("PickList", &P::PickList),
        ListProp("PropNames", &P::PropNames),
        Ord<P>(
            "TypeKinds", t.TypeKinds, [](P &p) { return p.TypeKinds(); },
            [](P &p, int64_t v) { p.SetTypeKinds(static_cast<TTypeKinds>(v)); }, 0),
        ListProp("TypeNames", &P::TypeNames),
        FontProp("ValueFont", &P::ValueFontProperties),
    };
}

} // namespace

bool RSNameInList(const std::vector<std::string> &list, const std::string &name)
{
    for (const std::string &entry : list)
        if (StrUtils::SameText(entry, name))
            return true;
    return false;
}

const TClassInfo *TRSPropertyPreset::ClassType()
{
    static const TClassInfo *info = [] {
        // The string-list and collection item classes the description names
        // are registered at start-up.
        const TClassInfo *parent = TypInfo::RequireRegisteredClass("TCollectionItem");
        static const TPresetTypes types;
        static TClassInfo cls;
        cls.Name = "TRSPropertyPreset";
        cls.Parent = parent;
        cls.Properties = PresetProps(types);
        cls.Construct = [](TPersistent *owner) -> TPersistent * {
            return new TRSPropertyPreset(dynamic_cast<TCollection *>(owner));
        };
        TypInfo::RegisterClass(typeid(TRSPropertyPreset), &cls);
        return &cls;
    }();
    return info;
}

TRSPropertyPreset::TRSPropertyPreset(TCollection *collection) : TCollectionItem(nullptr)
{
    WatchList(FPropNames, mtPropertyName);
    WatchList(FTypeNames, mtPropertyType);
    WatchList(FParentClassNames, mtClassName);
    WatchList(FParentPropNames, mtParentPropertyName);
    WatchList(FParentTypeNames, mtParentPropertyType);
    auto *presets = dynamic_cast<TRSPropertyPresets *>(collection);
    if (TRSCustomObjectInspector *inspector = presets ? presets->Inspector() : nullptr) {
        FFont.Assign(inspector->Font());
        FFont.OnGetParentFont = [inspector](TRSCustomDeltaFont *) { return &inspector->Font(); };
        FValueFont.ApplyParent(&inspector->ValueFont());
        FValueFont.OnGetParentFont = [inspector](TRSCustomDeltaFont *) {
            return &inspector->ValueFont();
        };
    }
    FFont.OnChange = [this](TRSFont *) { FontChanged(false); };
    FValueFont.OnChange = [this](TRSFont *) { FontChanged(true); };
    // Joins the collection only once it is whole, since joining is reported.
    SetCollection(collection);
}

TRSPropertyPreset::~TRSPropertyPreset()
{
    // Leaves the presets while still a preset, so that the inspector is
    // told about a whole one.
    SetCollection(nullptr);
    FFont.OnChange = nullptr;
    FValueFont.OnChange = nullptr;
}

void TRSPropertyPreset::WatchList(TNameList &list, TRSPresetMatchType bit)
{
    list.List.OnChange = [this, &list, bit] {
        list.Lines = list.List.Strings();
        if (FAssigning)
            return;
        ToggleMatch(bit, !list.Lines.empty());
        PresetChanged();
    };
}

TRSPropertyPresets *TRSPropertyPreset::Presets() const
{
    // Asked for every row a preset is matched against: the exact class is
    // recognised without a full cast.
    TCollection *collection = Collection();
    if (collection && typeid(*collection) == typeid(TRSPropertyPresets))
        return static_cast<TRSPropertyPresets *>(collection);
    return dynamic_cast<TRSPropertyPresets *>(collection);
}

TRSCustomObjectInspector *TRSPropertyPreset::Inspector() const
{
    TRSPropertyPresets *presets = Presets();
    return presets ? presets->Inspector() : nullptr;
}

TPersistent *TRSPropertyPreset::InspectedComponent() const
{
    TRSCustomObjectInspector *inspector = Inspector();
    return inspector ? inspector->Component() : nullptr;
}

void TRSPropertyPreset::DefineProperties(TFiler &filer)
{
    DefinePresetEmptyFlags(filer, *this);
}

std::string TRSPropertyPreset::DisplayName() const
{
    return FName.empty() ? TCollectionItem::DisplayName() : FName;
}

void TRSPropertyPreset::ToggleAction(TRSPropertyPresetType type, bool on)
{
    if (on)
        FActions |= PresetBit(type);
    else
        FActions &= static_cast<TRSPropertyPresetTypes>(~PresetBit(type));
}

void TRSPropertyPreset::ToggleMatch(TRSPresetMatchType type, bool on)
{
    if (on)
        FMatchTypes |= MatchBit(type);
    else
        FMatchTypes &= ~MatchBit(type);
}

void TRSPropertyPreset::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    PresetChanged();
}

void TRSPropertyPreset::SetName(const std::string &value)
{
    if (value == FName)
        return;
    FName = value;
    PresetChanged();
}

void TRSPropertyPreset::SetMatchTypes(TRSPresetMatchTypes value)
{
    if (value == FMatchTypes)
        return;
    FMatchTypes = value;
    PresetChanged();
}

void TRSPropertyPreset::SetInclusive(bool value)
{
    if (value == FInclusive)
        return;
    FInclusive = value;
    PresetChanged();
}

void TRSPropertyPreset::SetTypeKinds(TTypeKinds value)
{
    if (value == FTypeKinds)
        return;
    FTypeKinds = value;
    PresetChanged();
}

void TRSPropertyPreset::SetParentTypeKinds(TTypeKinds value)
{
    if (value == FParentTypeKinds)
        return;
    FParentTypeKinds = value;
    PresetChanged();
}

void TRSPropertyPreset::SetActions(TRSPropertyPresetTypes value)
{
    const auto both = [value](TRSPropertyPresetType a, TRSPropertyPresetType b) {
        return (value & PresetBit(a)) && (value & PresetBit(b));
    };
    if (both(pftReadOnly, pftWritable) || both(pftVisible, pftHidden) || value == FActions)
        return;
    FActions = value;
    PresetChanged();
}

void TRSPropertyPreset::SetAlias(const std::string &value)
{
    if (value == FAlias)
        return;
    FAlias = value;
    ToggleAction(pftAlias, !value.empty());
    PresetChanged();
}

void TRSPropertyPreset::SetHint(const std::string &value)
{
    if (value == FHint)
        return;
    FHint = value;
    ToggleAction(pftHint, !value.empty());
    PresetChanged();
}

void TRSPropertyPreset::SetEditMask(const std::string &value)
{
    if (value == FEditMask)
        return;
    FEditMask = value;
    ToggleAction(pftEditMask, !value.empty());
    PresetChanged();
}

void TRSPropertyPreset::SetEditStyle(TEditStyle value)
{
    if (value == FEditStyle)
        return;
    FEditStyle = value;
    ToggleAction(pftEditStyle, true);
    PresetChanged();
}

TStrings &TRSPropertyPreset::PickList()
{
    if (!FPickList) {
        FPickList = std::make_unique<TStrings>();
        FPickList->OnChange = [this] { PickListChanged(); };
    }
    return *FPickList;
}

void TRSPropertyPreset::PickListChanged()
{
    FPickListLines = FPickList->Strings();
    if (FAssigning)
        return;
    if (FEditStyle == esSimple && !FPickListLines.empty())
        SetEditStyle(esPickList);
    else if (FEditStyle == esPickList && FPickListLines.empty())
        SetEditStyle(esSimple);
    PresetChanged();
}

void TRSPropertyPreset::FontChanged(bool value)
{
    // Following the inspector's fonts is no setting of the preset's own.
    if (!FFollowing && !FAssigning)
        ToggleAction(value ? pftValueFont : pftFont, true);
    if (!FAssigning)
        PresetChanged();
}

void TRSPropertyPreset::ParentFontsChanged()
{
    TRSCustomObjectInspector *inspector = Inspector();
    if (!inspector)
        return;
    FFollowing = true;
    FFont.ApplyParent(&inspector->Font());
    FValueFont.ApplyParent(&inspector->ValueFont());
    FFollowing = false;
}

void TRSPropertyPreset::Assign(const TRSPropertyPreset &source)
{
    if (&source == this)
        return;
    FAssigning = true;
    FActive = source.FActive;
    FAlias = source.FAlias;
    FActions = source.FActions;
    FInclusive = source.FInclusive;
    FPropNames.List.Assign(source.FPropNames.List);
    FTypeNames.List.Assign(source.FTypeNames.List);
    FParentClassNames.List.Assign(source.FParentClassNames.List);
    FParentPropNames.List.Assign(source.FParentPropNames.List);
    FParentTypeNames.List.Assign(source.FParentTypeNames.List);
    FHint = source.FHint;
    FEditStyle = source.FEditStyle;
    FEditMask = source.FEditMask;
    FMatchTypes = source.FMatchTypes;
    FName = source.FName;
    FTypeKinds = source.FTypeKinds;
    FParentTypeKinds = source.FParentTypeKinds;
    OnEditButtonClick = source.OnEditButtonClick;
    OnGetPickList = source.OnGetPickList;
    OnValidate = source.OnValidate;
    OnGetProperty = source.OnGetProperty;
    OnSetProperty = source.OnSetProperty;
    if (source.HasPickList())
        PickList().Assign(*source.FPickList);
    else
        FPickList.reset();
    if (!FPickList)
        FPickListLines.clear();
    FFont.Assign(source.FFont);
    FFont.SetDelta(source.FFont.Delta());
    FValueFont.Assign(source.FValueFont);
    FValueFont.SetDelta(source.FValueFont.Delta());
    FAssigning = false;
    PresetChanged();
}

bool TRSPropertyPreset::NameTest(const std::vector<std::string> &names, bool full, bool plain,
                                 TRSItemProperty *row) const
{
    if (!row)
        return false;
    return (full && RSNameInList(names, row->GetFullName())) ||
           (plain && RSNameInList(names, row->Name()));
}

bool TRSPropertyPreset::TypeTest(TTypeKinds kinds, const std::vector<std::string> &names,
                                 TRSItemProperty *row) const
{
    if (!row)
        return false;
    if (kinds == KindBit(tkUnknown))
        return true;
    const TTypeKind kind = row->TypeKind();
    if ((kinds & KindBit(kind)) && (names.empty() || RSNameInList(names, row->TypeName())))
        return true;
    if (!(kinds & KindBit(tkClass)) || kind != tkClass)
        return false;
    const TClassInfo *cls = TypInfo::FindRegisteredClass(row->TypeName());
    if (!cls && row->HasTypeData()) {
        try {
            cls = row->GetPropClass();
        } catch (const std::exception &) {
            cls = nullptr;
        }
    }
    for (; cls; cls = cls->Parent)
        if (RSNameInList(names, cls->Name))
            return true;
    return false;
}

bool TRSPropertyPreset::MatchesItem(TRSItemProperty *row)
{
    bool result = FMatchTypes != 0;
    const auto has = [this](TRSPresetMatchType type) {
        return (FMatchTypes & MatchBit(type)) != 0;
    };
    if (result && (has(mtPropertyName) || has(mtFullPropertyName)))
        result = NameTest(FPropNames.Lines, has(mtFullPropertyName), has(mtPropertyName), row);
    if (result && has(mtPropertyType))
        result = TypeTest(FTypeKinds, FTypeNames.Lines, row);
    if (result && has(mtClassName) && !FParentClassNames.Lines.empty()) {
        TRSCustomObjectInspector *inspector = Inspector();
        result = false;
        if (inspector && inspector->Objects().Count() > 0) {
            const TClassInfo *cls = TypInfo::ClassInfoOf(inspector->Objects().Item(0)->Instance());
            for (; cls && !result; cls = cls->Parent)
                result = RSNameInList(FParentClassNames.Lines, cls->Name);
        }
    }
    const bool parentTests =
        has(mtParentPropertyType) || has(mtParentPropertyName) || has(mtParentFullPropertyName);
    if (result && parentTests) {
        TRSItemProperty *parent = row ? row->ParentProperty() : nullptr;
        while (parent && parent->TypeKind() != tkClass)
            parent = parent->ParentProperty();
        if (has(mtParentPropertyType))
            result = TypeTest(FParentTypeKinds, FParentTypeNames.Lines, parent);
        if (result && (has(mtParentPropertyName) || has(mtParentFullPropertyName)))
            result = NameTest(FParentPropNames.Lines, has(mtParentFullPropertyName),
                              has(mtParentPropertyName), parent);
    }
    if (!FInclusive)
        result = !result;
    if (OnMatchPreset)
        OnMatchPreset(this, row, result);
    else if (TRSCustomObjectInspector *inspector = Inspector())
        inspector->DoMatchPreset(this, row, result);
    return result;
}

void TRSPropertyPreset::ApplyPreset(TRSItemProperty *row)
{
    const auto has = [this](TRSPropertyPresetType type) {
        return (FActions & PresetBit(type)) != 0;
    };
    if (has(pftAlias))
        row->SetName(FAlias);
    if (has(pftReadOnly))
        row->SetReadOnly(true);
    else if (has(pftWritable))
        row->SetReadOnly(false);
    if (has(pftVisible))
        row->SetVisible(true);
    else if (has(pftHidden))
        row->SetVisible(false);
    if (has(pftHint))
        row->SetHint(FHint);
    if (has(pftEditStyle)) {
        row->SetEditStyle(FEditStyle);
        if (FEditStyle == esEllipsis) {
            row->OnEditButtonClick = OnEditButtonClick;
        } else if (FEditStyle == esPickList) {
            if (HasPickList()) {
                TRSStringList list;
                for (const std::string &line : FPickListLines)
                    list.Add(line);
                row->SetPickList(list);
            }
            row->OnGetPickList = OnGetPickList;
        }
    }
    if (has(pftEditMask))
        row->SetEditMask(FEditMask);
    if (has(pftValidate)) {
        row->OnValidate = OnValidate;
        row->OnGetProperty = OnGetProperty;
        row->OnSetProperty = OnSetProperty;
    }
    if (has(pftFont))
        row->SetFont(FFont);
    if (has(pftValueFont))
        row->SetValueFont(FValueFont);
    if (has(pftCustom)) {
        if (OnCustomPreset)
            OnCustomPreset(this, row);
        else if (TRSCustomObjectInspector *inspector = Inspector())
            inspector->DoCustomPreset(this, row);
    }
}

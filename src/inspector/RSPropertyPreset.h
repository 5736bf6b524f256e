#pragma once

#include "controls/Strings.h"
#include "inspector/RSFontProperties.h"
#include "inspector/RSItemProperty.h"
#include "propgrid/RSDeltaFont.h"
#include "reflection/CollectionItem.h"
#include "reflection/RSTypes.h"
#include "reflection/TypInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TRSCustomObjectInspector;
class TRSPropertyPresets;

// Which tests decide whether a preset matches a row (bit positions).
enum TRSPresetMatchType : uint8_t {
    mtPropertyName,
    mtFullPropertyName,
    mtPropertyType,
    mtClassName,
    mtParentPropertyName,
    mtParentFullPropertyName,
    mtParentPropertyType,
};
using TRSPresetMatchTypes = uint32_t;

// What applying a preset does to a row (bit positions).
enum TRSPropertyPresetType : uint8_t {
    pftCustom,
    pftAlias,
    pftReadOnly,
    pftWritable,
    pftVisible,
    pftHidden,
    pftHint,
    pftEditStyle,
    pftEditMask,
    pftValidate,
    pftFont,
    pftValueFont,
};
using TRSPropertyPresetTypes = uint16_t;

constexpr TRSPresetMatchTypes MatchBit(TRSPresetMatchType type)
{
    return 1u << type;
}
constexpr TRSPropertyPresetTypes PresetBit(TRSPropertyPresetType type)
{
    return static_cast<TRSPropertyPresetTypes>(1u << type);
}

using TEditStyle = TRSEditStyle;

// A rule that picks inspector rows by property name, path, type, the
// inspected object's class or the type of the owning property, and changes
// how those rows are shown and edited.
class TRSPropertyPreset : public TCollectionItem, public TRSObject
{
public:
    explicit TRSPropertyPreset(TCollection *collection);
    ~TRSPropertyPreset() override;

    // The description of the class's published properties; made and
    // registered with the published-property model on first use.
    static const TClassInfo *ClassType();

    TRSPropertyPresets *Presets() const;
    TRSCustomObjectInspector *Inspector() const;

    bool Active() const { return FActive; }
    void SetActive(bool value);
    const std::string &Name() const { return FName; }
    void SetName(const std::string &value);
    TRSPresetMatchTypes MatchTypes() const { return FMatchTypes; }
    void SetMatchTypes(TRSPresetMatchTypes value);
    bool Inclusive() const { return FInclusive; }
    void SetInclusive(bool value);
    TTypeKinds TypeKinds() const { return FTypeKinds; }
    void SetTypeKinds(TTypeKinds value);
    TTypeKinds ParentTypeKinds() const { return FParentTypeKinds; }
    void SetParentTypeKinds(TTypeKinds value);
    TRSPropertyPresetTypes Actions() const { return FActions; }
    // A value asking for read-only and writable, or visible and hidden, at
    // once is ignored.
    void SetActions(TRSPropertyPresetTypes value);
    const std::string &Alias() const { return FAlias; }
    void SetAlias(const std::string &value);
    const std::string &Hint() const { return FHint; }
    void SetHint(const std::string &value);
    TEditStyle EditStyle() const { return FEditStyle; }
    void SetEditStyle(TEditStyle value);
    const std::string &EditMask() const { return FEditMask; }
    void SetEditMask(const std::string &value);

    // The name lists; editing one turns its match test on when it holds a
    // name and off when it is empty.
    TStrings &PropNames() { return FPropNames.List; }
    TStrings &TypeNames() { return FTypeNames.List; }
    TStrings &ParentClassNames() { return FParentClassNames.List; }
    TStrings &ParentPropNames() { return FParentPropNames.List; }
    TStrings &ParentTypeNames() { return FParentTypeNames.List; }
    // Made on first use.
    TStrings &PickList();
    bool HasPickList() const { return FPickList && !FPickListLines.empty(); }
    const std::vector<std::string> &PickListLines() const { return FPickListLines; }

    // Relative to the inspector's Font and ValueFont; changing them adds
    // pftFont or pftValueFont.
    TRSCustomDeltaFont &Font() { return FFont; }
    TRSCustomDeltaFont &ValueFont() { return FValueFont; }
    TRSFontProperties &FontProperties() { return FFontProperties; }
    TRSFontProperties &ValueFontProperties() { return FValueFontProperties; }
    void SetFont(const TRSFont &value) { FFont.Assign(value); }
    void SetValueFont(const TRSFont &value) { FValueFont.Assign(value); }
    // The inspector's fonts changed: attributes not set here follow them.
    void ParentFontsChanged();

    TRSItemPropertyEvent OnCustomPreset;
    TRSItemPropertyQueryEvent OnMatchPreset;
    TNotifyEvent OnEditButtonClick;
    TRSGetPickListEvent OnGetPickList;
    TRSItemGetPropertyEvent OnGetProperty;
    TRSItemSetPropertyEvent OnSetProperty;
    TRSOnValidateEvent OnValidate;

    virtual bool MatchesItem(TRSItemProperty *row);
    virtual void ApplyPreset(TRSItemProperty *row);
    // Copies the settings of another preset.
    virtual void Assign(const TRSPropertyPreset &source);

    // TCollectionItem
    std::string DisplayName() const override;
    // TPersistent: the "...Empty" flags of the emptied lists.
    void DefineProperties(TFiler &filer) override;

protected:
    // Signals a change of the preset to its collection.
    void PresetChanged() { Changed(false); }
    // The inspected component, or none.
    TPersistent *InspectedComponent() const;

private:
    // A name list with a copy of its lines kept for fast matching.
    struct TNameList {
        TStrings List;
        std::vector<std::string> Lines;
    };
    void WatchList(TNameList &list, TRSPresetMatchType bit);
    void PickListChanged();
    void ToggleAction(TRSPropertyPresetType type, bool on);
    void ToggleMatch(TRSPresetMatchType type, bool on);
    bool TypeTest(TTypeKinds kinds, const std::vector<std::string> &names,
                  TRSItemProperty *row) const;
    bool NameTest(const std::vector<std::string> &names, bool full, bool plain,
                  TRSItemProperty *row) const;
    void FontChanged(bool value);

    bool FActive = true;
    std::string FName;
    TRSPresetMatchTypes FMatchTypes = 0;
    bool FInclusive = true;
    TNameList FPropNames, FTypeNames, FParentClassNames, FParentPropNames, FParentTypeNames;
    TTypeKinds FTypeKinds = 0;
    TTypeKinds FParentTypeKinds = 0;
    TRSPropertyPresetTypes FActions = 0;
    std::string FAlias;
    std::string FHint;
    TEditStyle FEditStyle = esSimple;
    std::string FEditMask;
    std::unique_ptr<TStrings> FPickList;
    std::vector<std::string> FPickListLines;
    TRSCustomDeltaFont FFont;
    TRSCustomDeltaFont FValueFont;
    // The two fonts as published properties.
    TRSFontProperties FFontProperties{FFont};
    TRSFontProperties FValueFontProperties{FValueFont};
    bool FFollowing = false;
    bool FAssigning = false;
};

// True when the name is in the list, compared without regard to case.
bool RSNameInList(const std::vector<std::string> &list, const std::string &name);

#include "presets/RSTStringsPropertyPreset.h"

#include "controls/Strings.h"
#include "controls/published/DesignerProps.h"
#include "inspector/RSCustomObjectInspector.h"
#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"

namespace
{

struct TViewTypes {
    TTypeInfo View, Views;
    TViewTypes()
    {
        View.Kind = tkEnumeration;
        View.Name = "TStringsView";
        View.MaxValue = 1;
        View.Names = {"svNormal", "svINI"};
        Views.Kind = tkSet;
        Views.Name = "TStringsViews";
        Views.MaxValue = 1;
        Views.CompType = &View;
    }
};

} // namespace

const TClassInfo *TRSTStringsPropertyPreset::ClassType()
{
    static const TViewTypes types;
    using S = TRSTStringsPropertyPreset;
    static const TClassInfo *info = RSPresetSupport::DescribePresetClass<S>(
        "TRSTStringsPropertyPreset", TRSPropertyPreset::ClassType(),
        {DesignerProps::Ord<S>(
            "StringsViews", types.Views, [](S &p) { return p.StringsViews(); },
            [](S &p, int64_t v) { p.SetStringsViews(static_cast<TStringsViews>(v)); },
            1 << svNormal)});
    return info;
}

TRSTStringsPropertyPreset::TRSTStringsPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TStrings Property Editor");
    SetTypeKinds(KindBit(tkClass));
    TypeNames().SetStrings({"TStrings"});
    SetEditStyle(esEllipsis);
    OnEditButtonClick = [this](TRSObject *sender) {
        TRSItemProperty *row = RSPresetSupport::SenderRow(sender);
        const auto &editor = PresetDialogs().StringsEditor;
        if (!row || !editor)
            return;
        auto *lines = dynamic_cast<TStrings *>(row->GetObjectValue(-1));
        const std::vector<std::string> before =
            lines ? lines->Strings() : std::vector<std::string>();
        const auto edited = editor(before, (FStringsViews & (1u << svINI)) != 0,
                                   (FStringsViews & (1u << svNormal)) != 0);
        if (!edited)
            return;
        TStrings result;
        result.SetStrings(*edited);
        row->SetObjectValue(&result, -1);
        if (TRSCustomObjectInspector *inspector = row->Inspector())
            inspector->RequestRebuild();
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}

void TRSTStringsPropertyPreset::SetStringsViews(TStringsViews value)
{
    if (value == FStringsViews)
        return;
    FStringsViews = value;
    PresetChanged();
}

void TRSTStringsPropertyPreset::Assign(const TRSPropertyPreset &source)
{
    if (const auto *strings = dynamic_cast<const TRSTStringsPropertyPreset *>(&source))
        FStringsViews = strings->FStringsViews;
    TRSPropertyPreset::Assign(source);
}

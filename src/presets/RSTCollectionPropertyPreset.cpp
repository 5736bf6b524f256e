#include "presets/RSTCollectionPropertyPreset.h"

#include "inspector/RSCustomObjectInspector.h"
#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"
#include "reflection/Collection.h"

const TClassInfo *TRSTCollectionPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTCollectionPropertyPreset>(
            "TRSTCollectionPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTCollectionPropertyPreset::TRSTCollectionPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TCollection Property Editor");
    SetTypeKinds(KindBit(tkClass));
    TypeNames().SetStrings({"TCollection"});
    SetEditStyle(esEllipsis);
    OnEditButtonClick = [](TRSObject *sender) {
        TRSItemProperty *row = RSPresetSupport::SenderRow(sender);
        const auto &editor = PresetDialogs().CollectionEditor;
        TRSCustomObjectInspector *inspector = row ? row->Inspector() : nullptr;
        if (!inspector || !editor)
            return;
        auto *collection = dynamic_cast<TCollection *>(row->GetObjectValue(-1));
        if (!collection)
            return;
        std::string caption = row->GetFullName();
        if (TPersistent *component = inspector->Component())
            caption = component->ComponentName() + inspector->PathDelimiter() + caption;
        editor(inspector, collection, caption);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}

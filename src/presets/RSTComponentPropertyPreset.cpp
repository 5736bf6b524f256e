#include "presets/RSTComponentPropertyPreset.h"

#include "controls/LXDesigned.h"
#include "inspector/RSCustomObjectInspector.h"
#include "presets/RSPresetSupport.h"
#include "propgrid/RSStringList.h"
#include "reflection/StrUtils.h"

#include <QWidget>
#include <algorithm>

namespace
{

// The designed controls the inspector's window holds.
void CollectComponents(QWidget *parent, std::vector<TLXDesigned *> &list)
{
    for (QObject *child : parent->children()) {
        if (!child->isWidgetType())
            continue;
        auto *widget = static_cast<QWidget *>(child);
        if (TLXDesigned *designed = AsDesigned(widget))
            list.push_back(designed);
        CollectComponents(widget, list);
    }
}

// The components of the inspector's window in the order they came to it.
// The toolkit's child order would not do: bringing a control to front or
// sending it to back reorders it.
std::vector<TPersistent *> OwnedComponents(TRSCustomObjectInspector *inspector)
{
    std::vector<TLXDesigned *> controls;
    auto *view = inspector ? dynamic_cast<QWidget *>(inspector->Host()) : nullptr;
    if (view)
        CollectComponents(view->window(), controls);
    std::sort(controls.begin(), controls.end(), [](const TLXDesigned *a, const TLXDesigned *b) {
        return a->CreationNumber() < b->CreationNumber();
    });
    return {controls.begin(), controls.end()};
}

} // namespace

const TClassInfo *TRSTComponentPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTComponentPropertyPreset>(
            "TRSTComponentPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTComponentPropertyPreset::TRSTComponentPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TComponent Drop Down List Property Editor");
    SetTypeKinds(KindBit(tkClass));
    TypeNames().SetStrings({"TComponent"});
    SetEditStyle(esPickList);
    Font().SetColor(0x800000); // maroon
    OnGetPickList = [this](TRSObject *sender, const std::string &propName, TRSStringList *values) {
        TRSItemProperty *row = RSPresetSupport::ServedRow(*this, sender, propName);
        const TClassInfo *cls = row && row->HasTypeData() ? row->GetPropClass() : nullptr;
        if (!cls)
            return;
        values->BeginUpdate();
        values->Clear();
        for (TPersistent *component : OwnedComponents(Inspector())) {
            const TClassInfo *own = TypInfo::ClassInfoOf(component);
            if (own && own->InheritsFrom(cls))
                values->Add(component->ComponentName());
        }
        if (values->Count() == 0)
            values->Add("");
        values->EndUpdate();
    };
    OnSetProperty = [this](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                           const std::string &value) {
        if (!instance)
            return;
        // An empty name refers to none; only a name is looked up among the
        // components, which opening a layout asks for every reference.
        TPersistent *found = nullptr;
        if (!value.empty())
            for (TPersistent *component : OwnedComponents(Inspector()))
                if (StrUtils::SameText(component->ComponentName(), value))
                    found = component;
        TypInfo::SetObjectProp(instance, propName, found);
        if (TRSCustomObjectInspector *inspector = Inspector())
            inspector->RequestRebuild();
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle) | PresetBit(pftValidate) | PresetBit(pftFont));
}

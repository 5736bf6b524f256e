#include "inspector/RSPresetEmptyFlags.h"

#include "controls/Strings.h"
#include "inspector/RSPropertyPreset.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"

namespace
{

// Empties the list, keeping the match tests already read: emptying a name
// list would otherwise turn its test off.
void Empty(TRSPropertyPreset &preset, TStrings &list)
{
    if (list.Count() == 0)
        return;
    const TRSPresetMatchTypes match = preset.MatchTypes();
    list.Clear();
    preset.SetMatchTypes(match);
}

void DefineFlag(TFiler &filer, const char *name, TRSPropertyPreset &preset,
                TStrings &(TRSPropertyPreset::*list)(), bool empty)
{
    filer.DefineProperty(
        name,
        [&preset, list](TReader &r) {
            if (r.ReadBoolean())
                Empty(preset, (preset.*list)());
        },
        [](TWriter &w) { w.WriteBoolean(true); }, empty);
}

} // namespace

void DefinePresetEmptyFlags(TFiler &filer, TRSPropertyPreset &preset)
{
    DefineFlag(filer, "TypeNamesEmpty", preset, &TRSPropertyPreset::TypeNames,
               preset.TypeNames().Count() == 0);
    DefineFlag(filer, "ParentClassNamesEmpty", preset, &TRSPropertyPreset::ParentClassNames,
               preset.ParentClassNames().Count() == 0);
    DefineFlag(filer, "PropNamesEmpty", preset, &TRSPropertyPreset::PropNames,
               preset.PropNames().Count() == 0);
    DefineFlag(filer, "ParentPropNamesEmpty", preset, &TRSPropertyPreset::ParentPropNames,
               preset.ParentPropNames().Count() == 0);
    DefineFlag(filer, "ParentTypeNamesEmpty", preset, &TRSPropertyPreset::ParentTypeNames,
               preset.ParentTypeNames().Count() == 0);
    // The pick list is made on first use: an unmade one is empty too.
    DefineFlag(filer, "PickListEmpty", preset, &TRSPropertyPreset::PickList, !preset.HasPickList());
}

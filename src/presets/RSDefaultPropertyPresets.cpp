#include "presets/RSDefaultPropertyPresets.h"

#include "inspector/RSPropertyPresets.h"
#include "presets/RSFilenamePropPropertyPreset.h"
#include "presets/RSTCollectionPropertyPreset.h"
#include "presets/RSTColorPropertyPreset.h"
#include "presets/RSTComponentPropertyPreset.h"
#include "presets/RSTCursorPropertyPreset.h"
#include "presets/RSTDatePropertyPreset.h"
#include "presets/RSTDateTimePropertyPreset.h"
#include "presets/RSTFontDlgPropertyPreset.h"
#include "presets/RSTFontNamePropertyPreset.h"
#include "presets/RSTINIStringsPropertyPreset.h"
#include "presets/RSTListItemsDlgPropertyPreset.h"
#include "presets/RSTModalResultPropertyPreset.h"
#include "presets/RSTParentComponentPropertyPreset.h"
#include "presets/RSTPicturePropertyPreset.h"
#include "presets/RSTTimePropertyPreset.h"
#include "presets/RSTTreeNodesDlgPropertyPreset.h"

#include <initializer_list>

namespace
{

// The more specific string-list and file-name presets come after the
// general ones, so that they win.
std::initializer_list<TRSPropertyPresetClass> DefaultClasses()
{
    static const std::initializer_list<TRSPropertyPresetClass> classes = {
        TRSTComponentPropertyPreset::ClassType(),    TRSTParentComponentPropertyPreset::ClassType(),
        TRSTFontNamePropertyPreset::ClassType(),     TRSTColorPropertyPreset::ClassType(),
        TRSTCursorPropertyPreset::ClassType(),       TRSTFontDlgPropertyPreset::ClassType(),
        TRSTStringsPropertyPreset::ClassType(),      TRSTPicturePropertyPreset::ClassType(),
        TRSTCollectionPropertyPreset::ClassType(),   TRSTDatePropertyPreset::ClassType(),
        TRSTTimePropertyPreset::ClassType(),         TRSTDateTimePropertyPreset::ClassType(),
        TRSTFilenamePropertyPreset::ClassType(),     TRSTModalResultPropertyPreset::ClassType(),
        TRSTINIStringsPropertyPreset::ClassType(),   TRSTListItemsDlgPropertyPreset::ClassType(),
        TRSTTreeNodesDlgPropertyPreset::ClassType(), TRSFilenamePropPropertyPreset::ClassType(),
    };
    return classes;
}

} // namespace

void RegisterDefaultPropertyPresets()
{
    RegisterPropertyPresets(DefaultClasses());
}

void UnregisterDefaultPropertyPresets()
{
    UnregisterPropertyPresets(DefaultClasses());
}

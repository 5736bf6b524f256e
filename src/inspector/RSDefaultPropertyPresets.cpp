#include "inspector/RSDefaultPropertyPresets.h"

#include "inspector/RSFilenamePropPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "inspector/RSTCollectionPropertyPreset.h"
#include "inspector/RSTColorPropertyPreset.h"
#include "inspector/RSTComponentPropertyPreset.h"
#include "inspector/RSTCursorPropertyPreset.h"
#include "inspector/RSTDatePropertyPreset.h"
#include "inspector/RSTDateTimePropertyPreset.h"
#include "inspector/RSTFontDlgPropertyPreset.h"
#include "inspector/RSTFontNamePropertyPreset.h"
#include "inspector/RSTINIStringsPropertyPreset.h"
#include "inspector/RSTListItemsDlgPropertyPreset.h"
#include "inspector/RSTModalResultPropertyPreset.h"
#include "inspector/RSTParentComponentPropertyPreset.h"
#include "inspector/RSTPicturePropertyPreset.h"
#include "inspector/RSTTimePropertyPreset.h"
#include "inspector/RSTTreeNodesDlgPropertyPreset.h"

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

// Registered while the program runs; unregistered in the same order at
// its end.
struct TDefaultRegistration {
    TDefaultRegistration() { RegisterPropertyPresets(DefaultClasses()); }
    ~TDefaultRegistration() { UnregisterPropertyPresets(DefaultClasses()); }
};

} // namespace

void RegisterDefaultPropertyPresets()
{
    static const TDefaultRegistration registration;
}

namespace
{

const bool Registered = (RegisterDefaultPropertyPresets(), true);

} // namespace

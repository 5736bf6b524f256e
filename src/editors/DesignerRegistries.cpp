#include "editors/DesignerRegistries.h"

#include "controls/published/DesignerClasses.h"
#include "editors/ItemsViewClasses.h"
#include "inspector/ItemListEditorClasses.h"
#include "presets/RSDefaultPropertyPresets.h"

void RegisterDesignerRegistries()
{
    RegisterDesignerClasses();
    RegisterItemListEditorClasses();
    RegisterItemsViewClasses();
    RegisterDefaultPropertyPresets();
}

void UnregisterDesignerRegistries()
{
    UnregisterDefaultPropertyPresets();
}

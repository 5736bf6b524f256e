#include "app/LayoutInspector.h"

#include "inspector/RSCustomObjectInspector.h"

void ConfigureLayoutInspector(TRSCustomObjectInspector &inspector)
{
    inspector.SetDisplayOptions(doAutoColResize | doKeyColFixed | doShowReadOnly);
    inspector.SetDynamicTitleCaptions(true);
    inspector.SetFixedRows(0);
    inspector.SetIndent(11);
    inspector.SetPathDelimiter(".");
    inspector.SetSorted(true);
    // Properties the designer keeps to itself.
    TRSStringList filters{
        "DragKind",    "DragMode",     "DockSite",       "DragCursor",  "Action",  "Tag",
        "Constraints", "Ctl3D",        "Cursor",         "Helpcontext", "Enabled", "BiDiMode",
        "PopupMenu",   "FocusControl", "ParentBiDiMode", "HelpKeyword", "HelpType"};
    inspector.SetFilters(filters);
}

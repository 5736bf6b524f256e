#include "persistence/LayoutInspector.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"

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

std::unique_ptr<TRSObjectInspector> MakeLayoutInspector()
{
    auto inspector = std::make_unique<TRSObjectInspector>();
    inspector->hide();
    ConfigureLayoutInspector(*inspector->Inspector());
    return inspector;
}

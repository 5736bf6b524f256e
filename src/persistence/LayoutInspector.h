#pragma once

#include <memory>

class TRSCustomObjectInspector;
class TRSObjectInspector;

// The inspector settings that decide which properties a layout file holds
// and how their paths read. Every reader and writer of layouts (saving,
// opening, exports, undo steps, recovery copies, the command-line exporter)
// uses an inspector made by MakeLayoutInspector, so all of them read and
// write the same files; the inspector the user sees is configured alike.
void ConfigureLayoutInspector(TRSCustomObjectInspector &inspector);

// A hidden inspector of its own for walking the layout: the one the user
// sees is never moved from control to control by a save or an export.
std::unique_ptr<TRSObjectInspector> MakeLayoutInspector();

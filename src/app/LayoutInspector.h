#pragma once

class TRSCustomObjectInspector;

// The inspector settings that decide which properties a layout file holds
// and how their paths read: the main window's inspector and the command-line
// exporter share them, so both read and write the same files.
void ConfigureLayoutInspector(TRSCustomObjectInspector &inspector);

#pragma once

// Describes the published properties of the property grid and of the
// object inspector built on it, with their declared defaults and stored
// rules, and registers the descriptions with the published-property model.
// Runs with the registration of the designer's classes; later calls do
// nothing.
void RegisterItemListEditorClasses();

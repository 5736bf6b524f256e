#pragma once

// Describes the published properties of the property grid and of the
// object inspector built on it, with their declared defaults and stored
// rules, and registers the descriptions with the published-property model.
// Called once at start-up, after the designer's classes; a second call is
// a program fault.
void RegisterItemListEditorClasses();

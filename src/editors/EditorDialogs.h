#pragma once

// Puts the property editor dialogs behind the inspector presets' ellipsis
// buttons: the strings editor, the date pop-up, the collection editor and
// the list items and tree nodes dialogs.
void InstallEditorDialogs();

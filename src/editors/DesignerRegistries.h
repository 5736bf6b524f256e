#pragma once

// Registers every class description and the ready-made presets the
// designer's programs work with: the designed controls' classes first, then
// those that name them (the property grid and inspector, the list and tree
// views, the presets). Each program calls it once at start, before it makes
// a designed control, an inspector or a dialog.
void RegisterDesignerRegistries();
// Takes the ready-made presets out again at the program's end; the class
// descriptions stay until the process ends.
void UnregisterDesignerRegistries();

#pragma once

// Registers the ready-made preset classes in the order every new inspector
// holds them; the program calls it once at start-up, after the designer's
// classes.
void RegisterDefaultPropertyPresets();
// Takes them out again in the same order, at the program's end.
void UnregisterDefaultPropertyPresets();

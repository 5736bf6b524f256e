#pragma once

// Registers the ready-made preset classes in the order every new inspector
// holds them; runs by itself at start-up, later calls do nothing.
void RegisterDefaultPropertyPresets();

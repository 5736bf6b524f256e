#pragma once

class TFiler;
class TRSPropertyPreset;

// The preset's "...Empty" properties: for each of its name lists and its
// pick list that is empty, a Boolean stored as true; reading true empties
// the list. So a preset whose constructor fills a list can be stored with
// that list emptied.
void DefinePresetEmptyFlags(TFiler &filer, TRSPropertyPreset &preset);

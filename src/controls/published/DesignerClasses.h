#pragma once

// Describes the published properties of every designed control kind and of
// their sub-objects (fonts, size constraints, string lists, pictures) and
// registers the descriptions with the published-property model. Called
// once at start-up, before anything looks a class up; a second call is a
// program fault.
void RegisterDesignerClasses();

#pragma once

#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "controls/published/DesignerClasses.h"

// Makes the process-wide design-time handler and controls registry and
// registers the designer's classes with the published-property model, as
// the program does at start-up; tests may replace the handler for a while.
inline void EnsureDesignerSingletons()
{
    static TDesignerMessagesHandler handler;
    if (!DesignerHandler)
        DesignerHandler = &handler;
    CreateControlsFactory();
    RegisterDesignerClasses();
}

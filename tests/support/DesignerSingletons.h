#pragma once

#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"

// Makes the process-wide design-time handler and controls registry, as the
// program does at start-up (the test's main registered the classes); tests
// may replace the handler for a while.
inline void EnsureDesignerSingletons()
{
    static TDesignerMessagesHandler handler;
    if (!DesignerHandler)
        DesignerHandler = &handler;
    CreateControlsFactory();
}

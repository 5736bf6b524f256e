#include "designer/DesignCommand.h"

#include "designer/DesignHistory.h"

TDesignCommand::TDesignCommand(TDesignHistory &history, const QString &text, bool alreadyDone)
    : QUndoCommand(text), History(history), FSkipRedo(alreadyDone)
{
}

void TDesignCommand::undo()
{
    Undo();
    History.Touch(Touched(true));
}

void TDesignCommand::redo()
{
    if (FSkipRedo) {
        FSkipRedo = false;
        return;
    }
    Redo();
    History.Touch(Touched(false));
}

#include "designer/DesignCommand.h"

#include "designer/DesignHistory.h"

TDesignCommand::TDesignCommand(TDesignHistory &history, const QString &text, bool alreadyDone)
    : QUndoCommand(text), History(history), FSkipRedo(alreadyDone)
{
}

void TDesignCommand::undo()
{
    Run(&TDesignCommand::Undo, true);
    History.Touch(Touched(true));
}

void TDesignCommand::redo()
{
    if (FSkipRedo) {
        // Done before the step was made: only those following the design
        // have yet to learn of it.
        FSkipRedo = false;
        History.Changed(ChangeKind(), Touched(false));
        return;
    }
    Run(&TDesignCommand::Redo, false);
    History.Touch(Touched(false));
}

void TDesignCommand::Run(void (TDesignCommand::*change)(), bool undone)
{
    try {
        (this->*change)();
    } catch (...) {
        History.Changed(TDesignChange::Structure, {});
        throw;
    }
    History.Changed(ChangeKind(), Touched(undone));
}

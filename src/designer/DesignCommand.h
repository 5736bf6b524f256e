#pragma once

#include "designer/ControlPath.h"
#include "designer/DesignChange.h"

#include <QUndoCommand>
#include <vector>

class TDesignHistory;

// A step of the design's undo history. A step made after its change was
// already carried out (a drop, a drag, an inspector edit) skips its first
// redo, which pushing it onto the stack runs.
class TDesignCommand : public QUndoCommand
{
public:
    TDesignCommand(TDesignHistory &history, const QString &text, bool alreadyDone);

    void undo() final;
    void redo() final;

protected:
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // The controls to select once the step was undone or redone.
    virtual std::vector<TControlPath> Touched(bool undone) const = 0;
    // What kind of change the step makes to the touched controls; anything
    // not known to stay within their containers counts as structural.
    virtual TDesignChange::TKind ChangeKind() const { return TDesignChange::Structure; }

    TDesignHistory &History;

private:
    // Carries out the change and tells the history; when it fails half way
    // the design may have changed anywhere.
    void Run(void (TDesignCommand::*change)(), bool undone);

    bool FSkipRedo;
};

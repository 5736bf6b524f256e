#pragma once

#include "designer/DesignCommand.h"

// Brings controls to the front or sends them to the back: the order of the
// designed children of their parent before and after.
class TStackingCommand : public TDesignCommand
{
public:
    // Made before the change; redo applies it.
    TStackingCommand(TDesignHistory &history, const QString &text,
                     const std::vector<QWidget *> &controls, bool toFront);

protected:
    void Undo() override;
    void Redo() override;
    std::vector<TControlPath> Touched(bool undone) const override;
    TDesignChange::TKind ChangeKind() const override { return TDesignChange::Geometry; }

private:
    TControlPath FParent;
    // The place before the change of each child, in the order after it.
    std::vector<int> FFrom;
    std::vector<TControlPath> FMovedAfter;
    std::vector<TControlPath> FMovedBefore;
};

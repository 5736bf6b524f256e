#pragma once

#include "designer/DesignCommand.h"

#include <QPointer>

class QWidget;

// Adds controls to the design or removes them (drop, paste, duplicate,
// delete, cut, clear). A control out of the design is kept whole, with
// everything inside it, by the step, hidden; it goes back to the same
// parent and the same place in the stacking order, so the design reads as
// it did before, to the byte.
class TStructureCommand : public TDesignCommand
{
public:
    enum TKind { Insert, Remove };

    // The controls must share the design: an insert is made after the
    // controls were added, a remove before they are taken out.
    TStructureCommand(TDesignHistory &history, const QString &text, TKind kind,
                      const std::vector<QWidget *> &controls);
    ~TStructureCommand() override;

protected:
    void Undo() override;
    void Redo() override;
    std::vector<TControlPath> Touched(bool undone) const override;

private:
    struct TEntry {
        TControlPath Parent;
        int Index = 0;
        TControlPath Self;
        QPointer<QWidget> Kept;
    };

    void TakeOut();
    void PutBack();

    TKind FKind;
    std::vector<TEntry> FEntries;
};

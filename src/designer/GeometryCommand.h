#pragma once

#include "designer/DesignCommand.h"

#include <QRect>

// Moves or resizes controls: each control's geometry before and after.
// Consecutive keyboard steps on the same controls merge into one.
class TGeometryCommand : public TDesignCommand
{
public:
    struct TEntry {
        TControlPath Path;
        QRect Before;
        QRect After;
    };

    // Keyboard steps carry a merge id; mouse drags and alignment do not.
    enum { KeyboardMove = 1, KeyboardResize = 2 };

    TGeometryCommand(TDesignHistory &history, const QString &text, std::vector<TEntry> entries,
                     bool alreadyDone, int mergeId = -1);

    int id() const override { return FMergeId; }
    bool mergeWith(const QUndoCommand *other) override;

    const std::vector<TEntry> &Entries() const { return FEntries; }

protected:
    void Undo() override;
    void Redo() override;
    std::vector<TControlPath> Touched(bool undone) const override;
    TDesignChange::TKind ChangeKind() const override { return TDesignChange::Geometry; }

private:
    void Place(bool after);

    std::vector<TEntry> FEntries;
    int FMergeId;
};

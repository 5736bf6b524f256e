#pragma once

#include "designer/DesignCommand.h"
#include "designer/LayoutSnapshot.h"

// A property edit committed in the inspector, on one or several controls:
// per control, only the values that the edit changed, before and after.
class TPropertyCommand : public TDesignCommand
{
public:
    struct TEntry {
        // The control's path before and after the edit (a new Name moves it).
        TControlPath PathBefore;
        TControlPath PathAfter;
        TStateDelta Delta;
    };

    TPropertyCommand(TDesignHistory &history, const QString &text, std::vector<TEntry> entries);

    // The memory the step holds.
    size_t Bytes() const;

protected:
    void Undo() override;
    void Redo() override;
    std::vector<TControlPath> Touched(bool undone) const override;
    TDesignChange::TKind ChangeKind() const override { return TDesignChange::Properties; }

private:
    std::vector<TEntry> FEntries;
};

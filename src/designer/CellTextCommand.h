#pragma once

#include "designer/DesignCommand.h"

#include <QString>

class TLXStringGrid;

// Changes the text of one cell of a string grid: the text before and after.
class TCellTextCommand : public TDesignCommand
{
public:
    // Made before the change; redo applies it.
    TCellTextCommand(TDesignHistory &history, TLXStringGrid *grid, int col, int row,
                     const QString &text);

protected:
    void Undo() override;
    void Redo() override;
    std::vector<TControlPath> Touched(bool undone) const override;

private:
    void Apply(const QString &text);

    TControlPath FGrid;
    int FCol;
    int FRow;
    QString FBefore;
    QString FAfter;
};

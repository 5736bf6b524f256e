#include "designer/CellTextCommand.h"

#include "controls/LXStringGrid.h"
#include "designer/DesignHistory.h"
#include "platform/Exception.h"

TCellTextCommand::TCellTextCommand(TDesignHistory &history, TLXStringGrid *grid, int col, int row,
                                   const QString &text)
    : TDesignCommand(history,
                     QStringLiteral("Cell %1, %2 of %3").arg(col).arg(row).arg(grid->objectName()),
                     false),
      FGrid(TControlPath::Of(grid, history.Root())), FCol(col), FRow(row),
      FBefore(grid->Cell(col, row)), FAfter(text)
{
}

void TCellTextCommand::Apply(const QString &text)
{
    auto *grid = dynamic_cast<TLXStringGrid *>(History.Resolve({FGrid}).front());
    // A step made on a grid that has fewer rows or columns since cannot be
    // carried out.
    if (!grid || FCol >= grid->ColCount() || FRow >= grid->RowCount())
        throw Exception("The string grid no longer holds the cell that this step changed.");
    grid->SetCell(FCol, FRow, text);
}

void TCellTextCommand::Undo()
{
    Apply(FBefore);
}

void TCellTextCommand::Redo()
{
    Apply(FAfter);
}

std::vector<TControlPath> TCellTextCommand::Touched(bool) const
{
    return {FGrid};
}

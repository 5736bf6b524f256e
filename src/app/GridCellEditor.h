#pragma once

#include <QLineEdit>
#include <functional>

class TLXStringGrid;

// Edits one cell of a designed string grid in place, over the cell: Enter
// or leaving the editor hands the text to OnCommit, Esc drops it. The
// editor goes once it closed and gives the keyboard back to the grid.
class TGridCellEditor : public QLineEdit
{
public:
    TGridCellEditor(TLXStringGrid *grid, int col, int row);

    // Runs inside the command net: an error it raises is shown.
    std::function<void(const QString &text)> OnCommit;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void Close(bool commit);

    TLXStringGrid *FGrid;
    bool FClosed = false;
};

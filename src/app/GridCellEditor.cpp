#include "app/GridCellEditor.h"

#include "controls/LXStringGrid.h"
#include "crash/Command.h"

#include <QFocusEvent>
#include <QKeyEvent>

TGridCellEditor::TGridCellEditor(TLXStringGrid *grid, int col, int row)
    : QLineEdit(grid->viewport()), FGrid(grid)
{
    setObjectName(QStringLiteral("GridCellEditor"));
    setFrame(false);
    setFont(grid->font());
    const QModelIndex index = grid->model()->index(row, col);
    grid->scrollTo(index);
    // The grid's lines along the cell's right and bottom edge stay in sight.
    const int line = grid->GridLineWidth();
    setGeometry(grid->visualRect(index).adjusted(0, 0, -line, -line));
    setText(grid->Cell(col, row));
    selectAll();
    show();
    setFocus(Qt::OtherFocusReason);
}

bool TGridCellEditor::event(QEvent *event)
{
    // Enter and Esc belong to the editor, not to a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TGridCellEditor::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Close(true);
        return;
    case Qt::Key_Escape:
        Close(false);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void TGridCellEditor::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // The editor's own context menu takes the focus for a while.
    if (event->reason() != Qt::PopupFocusReason)
        Close(true);
}

void TGridCellEditor::Close(bool commit)
{
    if (FClosed)
        return;
    FClosed = true;
    // A grid taken out of the design (an undone drop, a closed layout)
    // hides the editor with it: what was typed goes with it.
    commit = commit && FGrid->isVisible();
    const QString typed = text();
    hide();
    FGrid->setFocus(Qt::OtherFocusReason);
    deleteLater();
    if (commit && OnCommit)
        Command::Run([this, &typed] { OnCommit(typed); });
}

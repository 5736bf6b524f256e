#include "app/ControlDoubleClick.h"

#include "app/GridCellEditor.h"
#include "controls/LXComboBox.h"
#include "controls/LXDesigned.h"
#include "controls/LXListBox.h"
#include "controls/LXMemo.h"
#include "controls/LXStringGrid.h"
#include "designer/DesignHistory.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"

TControlDoubleClick::TControlDoubleClick(TRSObjectInspector *inspector, TDesignHistory *history)
    : FInspector(inspector), FHistory(history)
{
}

void TControlDoubleClick::Run(QWidget *control, const QPoint &global)
{
    if (auto *table = dynamic_cast<TLXStringGrid *>(control)) {
        const QModelIndex cell = table->indexAt(table->viewport()->mapFromGlobal(global));
        if (!cell.isValid())
            return;
        auto *editor = new TGridCellEditor(table, cell.column(), cell.row());
        editor->OnCommit = [history = FHistory, table, col = cell.column(),
                            row = cell.row()](const QString &text) {
            history->SetCellText(table, col, row, text);
        };
        return;
    }
    TRSCustomObjectInspector *grid = FInspector->Inspector();
    // The inspector shows the control the click selected, and only it.
    const std::vector<TPersistent *> shown = grid->InspectedObjects();
    if (shown.size() != 1 || shown.front() != AsDesigned(control))
        return;
    const bool strings = dynamic_cast<TLXListBox *>(control) ||
                         dynamic_cast<TLXComboBox *>(control) || dynamic_cast<TLXMemo *>(control);
    TRSItemProp *row = nullptr;
    if (strings)
        row = grid->Items()->FindPath(dynamic_cast<TLXMemo *>(control) ? "Lines" : "Items");
    else if (!(row = grid->Items()->FindPath("Caption")))
        row = grid->Items()->FindPath("Text");
    if (!row || (!strings && row->GetReadOnly()))
        return;
    grid->SelectItem(row);
    grid->SetCurrentField(1);
    if (strings) {
        grid->EditButtonClick();
        return;
    }
    FInspector->setFocus(Qt::OtherFocusReason);
    FInspector->ShowEditor();
    FInspector->SelectEditorText();
}

#pragma once

class QPoint;
class QWidget;
class TDesignHistory;
class TRSObjectInspector;

// What a double click on a designed control does, through the inspector
// that shows it, so that the change is one undo step like any inspector
// edit: a list box's or combo box's items and a memo's lines open in the
// strings editor; on a control with a caption (or a text) the inspector's
// editor opens on that value, ready to type. On a string grid the cell under
// the click is edited in place, its new text one step of the history.
class TControlDoubleClick
{
public:
    TControlDoubleClick(TRSObjectInspector *inspector, TDesignHistory *history);

    // global: where the click was, on the screen.
    void Run(QWidget *control, const QPoint &global);

private:
    TRSObjectInspector *FInspector;
    TDesignHistory *FHistory;
};

#pragma once

class QWidget;
class TRSObjectInspector;

// What a double click on a designed control does, through the inspector
// that shows it, so that the change is one undo step like any inspector
// edit: a list box's or combo box's items and a memo's lines open in the
// strings editor; on a control with a caption (or a text) the inspector's
// editor opens on that value, ready to type.
class TControlDoubleClick
{
public:
    explicit TControlDoubleClick(TRSObjectInspector *inspector);

    void Run(QWidget *control);

private:
    TRSObjectInspector *FInspector;
};

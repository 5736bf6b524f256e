#pragma once

#include "editors/RSCustomItemsDialog.h"
#include "editors/itemviews/ListView.h"

class TListItems;

// Edits the items of a list view: each item is a top-level node carrying an
// editable copy of the item, each of its sub-items a child node.
class TfrmTListItemsDlg : public TfrmCustomItemsDlg
{
public:
    explicit TfrmTListItemsDlg(QWidget *parent = nullptr);

    // Takes the view's items as the target and shows them.
    void Open(TListView *view);

protected:
    void FillImageBox(QTreeWidgetItem *node) override;
    void WriteBack() override;

private:
    TListView *FView = nullptr;
    TImageList *FSmallImages = nullptr;
    TImageList *FLargeImages = nullptr;
    TViewStyle FViewStyle = vsIcon;
};

#pragma once

#include "editors/RSCustomItemsDialog.h"

class TTreeNode;
class TTreeView;

// Edits the nodes of a tree view on a copy of them; edits go to the copied
// nodes themselves.
class TfrmTTreeNodesDlg : public TfrmCustomItemsDlg
{
public:
    explicit TfrmTTreeNodesDlg(QWidget *parent = nullptr);

    // Takes the view's nodes as the target and shows a copy of them.
    void Open(TTreeView *view);

protected:
    void FillImageBox(QTreeWidgetItem *node) override;
    void WriteBack() override;

private:
    void CopyNodes(const TTreeNode *source, QTreeWidgetItem *parent);
    void CopyRows(const QTreeWidgetItem *source, TTreeNode *parent);

    TTreeView *FView = nullptr;
};

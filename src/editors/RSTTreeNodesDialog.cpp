#include "editors/RSTTreeNodesDialog.h"

#include "editors/itemviews/TreeNode.h"
#include "editors/itemviews/TreeNodes.h"
#include "editors/itemviews/TreeView.h"
#include "platform/CodePage.h"

#include <QComboBox>
#include <QLabel>

TfrmTTreeNodesDlg::TfrmTTreeNodesDlg(QWidget *parent) : TfrmCustomItemsDlg(parent)
{
    setWindowTitle(QStringLiteral("TreeView Items Editor"));
    lblCustomIndex->setText(QStringLiteral("Selected I&ndex"));
}

void TfrmTTreeNodesDlg::Open(TTreeView *view)
{
    FView = view;
    FillIndexBox(cbeStateIndex, view->StateImages());
    FillIndexBox(cbeCustomIndex, view->Images());
    CopyNodes(view->Items()->Root(), nullptr);
    ShowNode(nullptr);
}

void TfrmTTreeNodesDlg::CopyNodes(const TTreeNode *source, QTreeWidgetItem *parent)
{
    for (int i = 0; i < source->Count(); ++i) {
        const TTreeNode *child = source->Item(i);
        QTreeWidgetItem *node = AddNode(parent, CodePage::ToQString(child->Text()));
        node->setData(0, ImageRole, child->ImageIndex());
        node->setData(0, StateRole, child->StateIndex());
        node->setData(0, SelectedRole, child->SelectedIndex());
        CopyNodes(child, node);
    }
}

void TfrmTTreeNodesDlg::FillImageBox(QTreeWidgetItem *)
{
    FillIndexBox(cbeImageIndex, FView ? FView->Images() : nullptr);
}

void TfrmTTreeNodesDlg::CopyRows(const QTreeWidgetItem *source, TTreeNode *parent)
{
    for (int i = 0; i < source->childCount(); ++i) {
        const QTreeWidgetItem *row = source->child(i);
        TTreeNode *node = parent->AddChild(CodePage::FromQString(row->text(0)));
        node->SetImageIndex(NodeIndex(row, ImageRole));
        node->SetStateIndex(NodeIndex(row, StateRole));
        node->SetSelectedIndex(NodeIndex(row, SelectedRole));
        CopyRows(row, node);
    }
}

void TfrmTTreeNodesDlg::WriteBack()
{
    if (!FView)
        return;
    TTreeNodes copy(nullptr);
    CopyRows(TreeView1->invisibleRootItem(), copy.Root());
    FView->Items()->Assign(copy);
}

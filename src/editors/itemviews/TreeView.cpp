#include "editors/itemviews/TreeView.h"

#include "editors/itemviews/ImageList.h"
#include "editors/itemviews/TreeNode.h"
#include "editors/itemviews/TreeNodes.h"
#include "platform/CodePage.h"

TTreeView::TTreeView(QWidget *parent)
    : QTreeWidget(parent), FItems(std::make_unique<TTreeNodes>(this))
{
    setHeaderHidden(true);
    setColumnCount(1);
}

TTreeView::~TTreeView() = default;

std::string TTreeView::ComponentName() const
{
    return CodePage::FromQString(objectName());
}

void TTreeView::NodesChanged()
{
    if (!FItems)
        return;
    clear();
    AddRows(invisibleRootItem(), FItems->Root());
    expandAll();
}

void TTreeView::AddRows(QTreeWidgetItem *parent, const TTreeNode *node)
{
    for (int i = 0; i < node->Count(); ++i) {
        const TTreeNode *child = node->Item(i);
        auto *row = new QTreeWidgetItem(parent);
        row->setText(0, CodePage::ToQString(child->Text()));
        if (FImages)
            row->setIcon(0, QIcon(FImages->Image(child->ImageIndex())));
        AddRows(row, child);
    }
}

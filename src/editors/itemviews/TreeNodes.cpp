#include "editors/itemviews/TreeNodes.h"

#include "editors/itemviews/TreeNode.h"
#include "editors/itemviews/TreeView.h"

namespace
{

int CountBelow(const TTreeNode *node)
{
    int count = node->Count();
    for (int i = 0; i < node->Count(); ++i)
        count += CountBelow(node->Item(i));
    return count;
}

} // namespace

TTreeNodes::TTreeNodes(TTreeView *owner) : FOwner(owner), FRoot(std::make_unique<TTreeNode>()) {}

TTreeNodes::~TTreeNodes() = default;

int TTreeNodes::Count() const
{
    return FRoot->Count();
}

TTreeNode *TTreeNodes::Item(int index) const
{
    return FRoot->Item(index);
}

int TTreeNodes::TotalCount() const
{
    return CountBelow(FRoot.get());
}

TTreeNode *TTreeNodes::AddChild(TTreeNode *parent, const std::string &text)
{
    TTreeNode *node = (parent ? parent : FRoot.get())->AddChild(text);
    Changed();
    return node;
}

void TTreeNodes::Clear()
{
    FRoot->DeleteChildren();
    Changed();
}

void TTreeNodes::Assign(const TTreeNodes &source)
{
    FRoot->Assign(*source.FRoot);
    Changed();
}

void TTreeNodes::Changed()
{
    if (FOwner)
        FOwner->NodesChanged();
}

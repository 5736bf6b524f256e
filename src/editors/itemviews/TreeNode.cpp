#include "editors/itemviews/TreeNode.h"

int TTreeNode::Level() const
{
    int level = -1;
    for (const TTreeNode *node = FParent; node; node = node->FParent)
        ++level;
    return level;
}

int TTreeNode::Index() const
{
    if (!FParent)
        return -1;
    for (int i = 0; i < FParent->Count(); ++i)
        if (FParent->Item(i) == this)
            return i;
    return -1;
}

TTreeNode *TTreeNode::AddChild(const std::string &text)
{
    FChildren.push_back(std::make_unique<TTreeNode>(this));
    FChildren.back()->FText = text;
    return FChildren.back().get();
}

void TTreeNode::Assign(const TTreeNode &source)
{
    if (&source == this)
        return;
    FText = source.FText;
    FImageIndex = source.FImageIndex;
    FStateIndex = source.FStateIndex;
    FSelectedIndex = source.FSelectedIndex;
    FChildren.clear();
    for (const auto &child : source.FChildren)
        AddChild({})->Assign(*child);
}

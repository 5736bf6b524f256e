#pragma once

#include "reflection/Persistent.h"

#include <memory>
#include <string>

class TTreeNode;
class TTreeView;

// The owned nodes of a tree view; the view shows every change made here.
class TTreeNodes : public TPersistent
{
public:
    explicit TTreeNodes(TTreeView *owner);
    ~TTreeNodes() override;

    TTreeView *Owner() const { return FOwner; }
    // The top-level nodes.
    int Count() const;
    TTreeNode *Item(int index) const;
    // All nodes, at every level.
    int TotalCount() const;
    // A node at the end of the parent's children (none: the top level).
    TTreeNode *AddChild(TTreeNode *parent, const std::string &text);
    void Clear();
    // Replaces the nodes by copies of the source's.
    void Assign(const TTreeNodes &source);
    // The hidden node whose children are the top-level nodes.
    TTreeNode *Root() const { return FRoot.get(); }
    // Tells the view that nodes changed.
    void Changed();

private:
    TTreeView *FOwner;
    std::unique_ptr<TTreeNode> FRoot;
};

#pragma once

#include <memory>
#include <string>
#include <vector>

// One node of a tree view: a text, image indexes for the normal, state and
// selected look, and owned child nodes.
class TTreeNode
{
public:
    explicit TTreeNode(TTreeNode *parent = nullptr) : FParent(parent) {}
    TTreeNode(const TTreeNode &) = delete;
    TTreeNode &operator=(const TTreeNode &) = delete;

    TTreeNode *Parent() const { return FParent; }
    // Depth below the top level (0 for a top-level node).
    int Level() const;
    int Index() const;
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode *Item(int index) const { return FChildren.at(static_cast<size_t>(index)).get(); }
    TTreeNode *AddChild(const std::string &text);
    void DeleteChildren() { FChildren.clear(); }

    const std::string &Text() const { return FText; }
    void SetText(const std::string &value) { FText = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int value) { FStateIndex = value; }
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int value) { FSelectedIndex = value; }

    // Copies the text, the indexes and, deeply, the children.
    void Assign(const TTreeNode &source);

private:
    TTreeNode *FParent;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    std::string FText;
    int FImageIndex = -1;
    int FStateIndex = -1;
    int FSelectedIndex = -1;
};

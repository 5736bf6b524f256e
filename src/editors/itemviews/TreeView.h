#pragma once

#include "reflection/Persistent.h"

#include <QTreeWidget>
#include <memory>

class TImageList;
class TTreeNode;
class TTreeNodes;

// A tree view whose nodes are kept in TTreeNodes; the widget shows them
// with the images of its image lists.
class TTreeView : public QTreeWidget, public TPersistent
{
public:
    explicit TTreeView(QWidget *parent = nullptr);
    ~TTreeView() override;

    bool IsComponent() const override { return true; }
    std::string ComponentName() const override;

    TTreeNodes *Items() const { return FItems.get(); }
    // The image lists are the caller's; the view refers to them.
    TImageList *Images() const { return FImages; }
    void SetImages(TImageList *images) { FImages = images; }
    TImageList *StateImages() const { return FStateImages; }
    void SetStateImages(TImageList *images) { FStateImages = images; }

    // Shows the nodes again after they changed.
    void NodesChanged();

private:
    void AddRows(QTreeWidgetItem *parent, const TTreeNode *node);

    std::unique_ptr<TTreeNodes> FItems;
    TImageList *FImages = nullptr;
    TImageList *FStateImages = nullptr;
};

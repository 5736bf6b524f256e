#include "editors/CustomNodeItem.h"

#include "editors/itemviews/ListItem.h"
#include "editors/itemviews/TreeNode.h"

void TCustomNodeItem::AssignFrom(const TListItem &item)
{
    FCaption = item.Caption();
    FImageIndex = item.ImageIndex();
    FStateIndex = item.StateIndex();
    FCustomIndex = item.OverlayIndex();
}

void TCustomNodeItem::AssignTo(TListItem &item) const
{
    item.SetCaption(FCaption);
    item.SetImageIndex(FImageIndex);
    item.SetStateIndex(FStateIndex);
    item.SetOverlayIndex(FCustomIndex);
}

void TCustomNodeItem::AssignFrom(const TTreeNode &node)
{
    FCaption = node.Text();
    FImageIndex = node.ImageIndex();
    FStateIndex = node.StateIndex();
    FCustomIndex = node.SelectedIndex();
}

void TCustomNodeItem::AssignTo(TTreeNode &node) const
{
    node.SetText(FCaption);
    node.SetImageIndex(FImageIndex);
    node.SetStateIndex(FStateIndex);
    node.SetSelectedIndex(FCustomIndex);
}

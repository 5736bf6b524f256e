#include "editors/NodeListItem.h"

#include "editors/itemviews/ListItem.h"

void TNodeListItem::SetSubItems(const std::vector<std::string> &value)
{
    FSubItems = value;
    FSubItemImages.resize(FSubItems.size(), -1);
}

void TNodeListItem::AddSubItem(const std::string &text)
{
    FSubItems.push_back(text);
    FSubItemImages.push_back(-1);
}

void TNodeListItem::SetSubItem(int k, const std::string &text)
{
    if (Has(k))
        FSubItems[static_cast<size_t>(k)] = text;
}

void TNodeListItem::DeleteSubItem(int k)
{
    if (!Has(k))
        return;
    FSubItems.erase(FSubItems.begin() + k);
    FSubItemImages.erase(FSubItemImages.begin() + k);
}

void TNodeListItem::SetSubItemImage(int k, int imageIndex)
{
    if (Has(k))
        FSubItemImages[static_cast<size_t>(k)] = imageIndex;
}

void TNodeListItem::AssignFrom(const TListItem &item)
{
    TCustomNodeItem::AssignFrom(item);
    SetSubItems(item.SubItems());
    for (size_t k = 0; k < FSubItems.size(); ++k)
        FSubItemImages[k] = item.SubItemImage(static_cast<int>(k));
}

void TNodeListItem::AssignTo(TListItem &item) const
{
    TCustomNodeItem::AssignTo(item);
    item.ClearSubItems();
    for (size_t k = 0; k < FSubItems.size(); ++k)
        item.AddSubItem(FSubItems[k], FSubItemImages[k]);
}

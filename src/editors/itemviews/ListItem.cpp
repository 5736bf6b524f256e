#include "editors/itemviews/ListItem.h"

#include "editors/itemviews/ListItems.h"

int TListItem::Index() const
{
    return FOwner ? FOwner->IndexOf(this) : -1;
}

void TListItem::AddSubItem(const std::string &text, int imageIndex)
{
    FSubItems.push_back(text);
    FSubItemImages.push_back(imageIndex);
}

void TListItem::ClearSubItems()
{
    FSubItems.clear();
    FSubItemImages.clear();
}

int TListItem::SubItemImage(int k) const
{
    if (k < 0 || k >= static_cast<int>(FSubItemImages.size()))
        return -1;
    return FSubItemImages[static_cast<size_t>(k)];
}

void TListItem::SetSubItemImage(int k, int imageIndex)
{
    if (k >= 0 && k < static_cast<int>(FSubItemImages.size()))
        FSubItemImages[static_cast<size_t>(k)] = imageIndex;
}

void TListItem::Assign(const TListItem &source)
{
    FCaption = source.FCaption;
    FImageIndex = source.FImageIndex;
    FStateIndex = source.FStateIndex;
    FOverlayIndex = source.FOverlayIndex;
    FSubItems = source.FSubItems;
    FSubItemImages = source.FSubItemImages;
}

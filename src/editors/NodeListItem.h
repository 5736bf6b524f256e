#pragma once

#include "editors/CustomNodeItem.h"

#include <vector>

// The editable copy of a list item: the sub-item texts, each with its image
// index (-1 for none); both lists always have the same length.
class TNodeListItem : public TCustomNodeItem
{
public:
    const std::vector<std::string> &SubItems() const { return FSubItems; }
    void SetSubItems(const std::vector<std::string> &value);
    const std::vector<int> &SubItemImages() const { return FSubItemImages; }
    void AddSubItem(const std::string &text);
    void SetSubItem(int k, const std::string &text);
    // Removes sub-item k and its image index; the later ones move down.
    void DeleteSubItem(int k);
    void SetSubItemImage(int k, int imageIndex);

    void AssignFrom(const TListItem &item) override;
    void AssignTo(TListItem &item) const override;
    using TCustomNodeItem::AssignFrom;
    using TCustomNodeItem::AssignTo;

private:
    bool Has(int k) const { return k >= 0 && k < static_cast<int>(FSubItems.size()); }

    std::vector<std::string> FSubItems;
    std::vector<int> FSubItemImages;
};

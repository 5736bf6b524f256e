#pragma once

#include "reflection/Persistent.h"

#include <string>
#include <vector>

class TListItems;

// One item of a list view: a caption, image indexes into the view's image
// lists, and sub-item texts (the further columns of the report style),
// each with an image index of its own.
class TListItem : public TPersistent
{
public:
    explicit TListItem(TListItems *owner) : FOwner(owner) {}

    TListItems *Owner() const { return FOwner; }
    int Index() const;

    const std::string &Caption() const { return FCaption; }
    void SetCaption(const std::string &value) { FCaption = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int value) { FStateIndex = value; }
    int OverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int value) { FOverlayIndex = value; }

    const std::vector<std::string> &SubItems() const { return FSubItems; }
    void AddSubItem(const std::string &text, int imageIndex = -1);
    void ClearSubItems();
    // The image index of sub-item k; -1 outside the sub-items.
    int SubItemImage(int k) const;
    void SetSubItemImage(int k, int imageIndex);

    void Assign(const TListItem &source);

private:
    TListItems *FOwner;
    std::string FCaption;
    int FImageIndex = -1;
    int FStateIndex = -1;
    int FOverlayIndex = -1;
    std::vector<std::string> FSubItems;
    std::vector<int> FSubItemImages;
};

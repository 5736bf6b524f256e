#pragma once

#include "reflection/Persistent.h"

#include <string>

class TListItem;
class TTreeNode;

// The editable copy of one list item or tree node. CustomIndex stands for a
// list item's overlay index and for a tree node's selected index.
class TCustomNodeItem : public TPersistent
{
public:
    TCustomNodeItem() = default;

    const std::string &Caption() const { return FCaption; }
    void SetCaption(const std::string &value) { FCaption = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int value) { FStateIndex = value; }
    int CustomIndex() const { return FCustomIndex; }
    void SetCustomIndex(int value) { FCustomIndex = value; }

    virtual void AssignFrom(const TListItem &item);
    virtual void AssignTo(TListItem &item) const;
    void AssignFrom(const TTreeNode &node);
    void AssignTo(TTreeNode &node) const;

private:
    std::string FCaption;
    int FImageIndex = -1;
    int FStateIndex = -1;
    int FCustomIndex = -1;
};

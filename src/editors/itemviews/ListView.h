#pragma once

#include "reflection/Persistent.h"

#include <QTreeWidget>
#include <memory>

class TImageList;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// A list view whose items (caption, image indexes, sub-items) are kept in
// TListItems; the widget shows them, sub-items as further columns, once
// asked to update its items.
class TListView : public QTreeWidget, public TPersistent
{
public:
    explicit TListView(QWidget *parent = nullptr);
    ~TListView() override;

    bool IsComponent() const override { return true; }
    std::string ComponentName() const override;

    TListItems *Items() const { return FItems.get(); }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle value) { FViewStyle = value; }
    // The image lists are the caller's; the view refers to them.
    TImageList *SmallImages() const { return FSmallImages; }
    void SetSmallImages(TImageList *images) { FSmallImages = images; }
    TImageList *LargeImages() const { return FLargeImages; }
    void SetLargeImages(TImageList *images) { FLargeImages = images; }
    TImageList *StateImages() const { return FStateImages; }
    void SetStateImages(TImageList *images) { FStateImages = images; }

    // Shows the items first to last (clamped to the items) as they are now;
    // rows past the items go.
    void UpdateItems(int first, int last);

private:
    std::unique_ptr<TListItems> FItems;
    TViewStyle FViewStyle = vsIcon;
    TImageList *FSmallImages = nullptr;
    TImageList *FLargeImages = nullptr;
    TImageList *FStateImages = nullptr;
};

#pragma once

#include "reflection/Persistent.h"

#include <QPixmap>
#include <vector>

// An ordered list of images of one size that list and tree views draw
// beside their items by index.
class TImageList : public TPersistent
{
public:
    explicit TImageList(int width = 16, int height = 16);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return static_cast<int>(FImages.size()); }
    // Adds the image scaled to the list's size; its index is returned.
    int Add(const QPixmap &image);
    // The image at index, or a null pixmap outside the list.
    QPixmap Image(int index) const;

private:
    int FWidth;
    int FHeight;
    std::vector<QPixmap> FImages;
};

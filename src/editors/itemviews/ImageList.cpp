#include "editors/itemviews/ImageList.h"

TImageList::TImageList(int width, int height) : FWidth(width), FHeight(height) {}

int TImageList::Add(const QPixmap &image)
{
    FImages.push_back(image.scaled(FWidth, FHeight));
    return Count() - 1;
}

QPixmap TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return FImages[static_cast<size_t>(index)];
}

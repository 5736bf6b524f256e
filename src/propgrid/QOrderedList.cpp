#include "propgrid/QOrderedList.h"

#include "platform/Exception.h"

#include <QObject>

TQOrderedList::TQOrderedList() : items_(16, nullptr), mask_(15) {}

TQOrderedList::~TQOrderedList() = default;

const char *TQOrderedList::ClassName() const
{
    return "TQOrderedList";
}

void TQOrderedList::IndexError(int index)
{
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

void TQOrderedList::Grow()
{
    std::vector<void *> larger(items_.size() * 2, nullptr);
    for (int i = 0; i < count_; ++i)
        larger[i] = items_[Slot(i)];
    items_.swap(larger);
    mask_ = int(items_.size()) - 1;
    head_ = 0;
}

void TQOrderedList::InsertInside(int index, void *item)
{
    if (index < 0 || index > count_)
        IndexError(index);
    if (count_ > mask_)
        Grow();
    if (index == 0) {
        head_ = Slot(-1);
    } else {
        for (int i = count_; i > index; --i)
            items_[Slot(i)] = items_[Slot(i - 1)];
    }
    items_[Slot(index)] = item;
    ++count_;
}

void TQOrderedList::DeleteInside(int index)
{
    if (index < 0 || index >= count_)
        IndexError(index);
    if (index == 0) {
        head_ = Slot(1);
    } else {
        for (int i = index; i < count_ - 1; ++i)
            items_[Slot(i)] = items_[Slot(i + 1)];
    }
    --count_;
}

void TQOrderedList::Assign(const TQOrderedList *source)
{
    if (!source)
        throw EProgramFault(std::string("Error assigning nil to ") + ClassName());
    if (source == this)
        return;
    Clear();
    for (int i = 0; i < source->Count(); ++i)
        Add(source->Get(i));
}

void TQOrderedList::Assign(const QObject *source)
{
    const char *sourceName = source ? source->metaObject()->className() : "nil";
    throw EProgramFault(std::string("Error assigning ") + sourceName + " to " + ClassName());
}

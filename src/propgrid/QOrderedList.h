#pragma once

#include <vector>

class QObject;

// An ordered list of untyped entries with a taking discipline chosen by the
// descendant (Put, Pop, Peek). Entries are kept in a circular buffer, so
// adding or removing at either end is cheap; the regular-expression matcher
// relies on that when it inserts branch states at the front of its queue.
// The end operations are inline because the matcher runs them per character.
class TQOrderedList
{
public:
    TQOrderedList();
    virtual ~TQOrderedList();
    TQOrderedList(const TQOrderedList &) = delete;
    TQOrderedList &operator=(const TQOrderedList &) = delete;

    virtual void *Pop() = 0;
    virtual void Put(void *item) = 0;
    virtual void *Peek() = 0;
    bool IsEmpty() const { return count_ == 0; }

    int Count() const { return count_; }
    void *Get(int index) const
    {
        if (unsigned(index) >= unsigned(count_))
            IndexError(index);
        return items_[Slot(index)];
    }
    void Add(void *item)
    {
        if (count_ > mask_)
            Grow();
        items_[Slot(count_)] = item;
        ++count_;
    }
    void Insert(int index, void *item)
    {
        if (index != 0 || count_ > mask_) {
            InsertInside(index, item);
            return;
        }
        head_ = Slot(-1);
        items_[head_] = item;
        ++count_;
    }
    void Delete(int index)
    {
        if (index != 0 || count_ == 0) {
            DeleteInside(index);
            return;
        }
        head_ = Slot(1);
        --count_;
    }
    void Clear()
    {
        head_ = 0;
        count_ = 0;
    }

    // Replaces the entries with those of another list, in order.
    void Assign(const TQOrderedList *source);
    // Any other object cannot be the source of a list: always raises.
    void Assign(const QObject *source);

    virtual const char *ClassName() const;

protected:
    // Removes and returns the front entry of a list known not to be empty.
    void *TakeFirst()
    {
        void *item = items_[head_];
        head_ = Slot(1);
        --count_;
        return item;
    }

private:
    int Slot(int index) const { return (head_ + index) & mask_; }
    void Grow();
    void InsertInside(int index, void *item);
    void DeleteInside(int index);
    [[noreturn]] static void IndexError(int index);

    std::vector<void *> items_; // capacity is a power of two
    int mask_;                  // capacity - 1
    int head_ = 0;
    int count_ = 0;
};

#pragma once

#include "propgrid/QOrderedList.h"

// First in, first out: Put appends at the back, Pop and Peek use the front.
class TQQueue : public TQOrderedList
{
public:
    void *Pop() override
    {
        if (IsEmpty())
            EmptyError();
        return TakeFirst();
    }
    void Put(void *item) override { Add(item); }
    void *Peek() override
    {
        if (IsEmpty())
            EmptyError();
        return Get(0);
    }
    const char *ClassName() const override;

private:
    [[noreturn]] static void EmptyError();
};

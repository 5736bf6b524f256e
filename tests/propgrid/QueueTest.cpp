#include "platform/Exception.h"
#include "propgrid/QQueue.h"

#include <QObject>
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>

namespace
{

void *Item(std::intptr_t n)
{
    return reinterpret_cast<void *>(n);
}

std::string ErrorOf(auto &&action)
{
    try {
        action();
    } catch (const Exception &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(QQueue, EmptyQueueRefusesPopAndPeek)
{
    TQQueue queue;
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(ErrorOf([&] { queue.Pop(); }), "List is empty");
    EXPECT_EQ(ErrorOf([&] { queue.Peek(); }), "List is empty");
    queue.Put(Item(7));
    EXPECT_EQ(queue.Peek(), Item(7));
    EXPECT_EQ(queue.Pop(), Item(7));
    EXPECT_EQ(ErrorOf([&] { queue.Pop(); }), "List is empty");
    EXPECT_EQ(ErrorOf([&] { queue.Get(0); }), "List index out of bounds (0)");
    EXPECT_EQ(ErrorOf([&] { queue.Insert(2, nullptr); }), "List index out of bounds (2)");
}

// Both ends and the middle, across growth and wrap-around, against a reference.
TEST(QQueue, KeepsOrderWhenUsedFromBothEnds)
{
    TQQueue queue;
    std::deque<void *> expected;
    for (std::intptr_t n = 0; n < 600; ++n) {
        switch (n % 7) {
        case 0:
        case 3:
            queue.Insert(0, Item(n));
            expected.push_front(Item(n));
            break;
        case 5:
            queue.Insert(queue.Count() / 2, Item(n));
            expected.insert(expected.begin() + expected.size() / 2, Item(n));
            break;
        case 6:
            ASSERT_EQ(queue.Pop(), expected.front());
            expected.pop_front();
            break;
        default:
            queue.Put(Item(n));
            expected.push_back(Item(n));
        }
        if (n % 50 == 49) {
            queue.Delete(queue.Count() - 2);
            expected.erase(expected.end() - 2);
        }
    }
    ASSERT_EQ(queue.Count(), int(expected.size()));
    for (int i = 0; i < queue.Count(); ++i)
        ASSERT_EQ(queue.Get(i), expected[i]) << i;
}

TEST(QQueue, AssignsOnlyFromAnotherList)
{
    TQQueue source;
    for (std::intptr_t n = 1; n <= 3; ++n)
        source.Put(Item(n));
    TQQueue queue;
    queue.Put(Item(9));
    queue.Assign(&source);
    ASSERT_EQ(queue.Count(), 3);
    EXPECT_EQ(queue.Pop(), Item(1));
    EXPECT_EQ(queue.Pop(), Item(2));
    EXPECT_EQ(queue.Pop(), Item(3));

    QObject other;
    EXPECT_EQ(ErrorOf([&] { queue.Assign(&other); }), "Error assigning QObject to TQQueue");
    EXPECT_EQ(ErrorOf([&] { queue.Assign(static_cast<const TQOrderedList *>(nullptr)); }),
              "Error assigning nil to TQQueue");
}

// Brindle::RingBuffer: contents oldest first before and after wrapping.
#include "option/RingBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<int> Contents(const Brindle::RingBuffer<int>& ring)
{
    std::vector<int> out;
    int value = 0;
    for (int32_t cursor = ring.Begin(); ring.GetNext(value, cursor);)
        out.push_back(value);
    return out;
}

}  // namespace

TEST(RingBuffer, EmptyRingYieldsNothing)
{
    Brindle::RingBuffer<int> ring(4);
    EXPECT_TRUE(Contents(ring).empty());
    EXPECT_EQ(0, ring.GetCount());
}

TEST(RingBuffer, HoldsCapacityMinusOneOnceWrapped)
{
    Brindle::RingBuffer<int> ring(4);
    ring.Push(1);
    ring.Push(2);
    ring.Push(3);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Contents(ring));
    EXPECT_FALSE(ring.IsFull());
    // The fourth push fills the last slot and drops the oldest at once.
    ring.Push(4);
    EXPECT_TRUE(ring.IsFull());
    EXPECT_EQ((std::vector<int>{2, 3, 4}), Contents(ring));
    ring.Push(5);
    EXPECT_EQ((std::vector<int>{3, 4, 5}), Contents(ring));
}

TEST(RingBuffer, KeepsOrderThroughManyWraps)
{
    Brindle::RingBuffer<int> ring(5);
    for (int i = 1; i <= 23; ++i) {
        ring.Push(i);
        std::vector<int> expected;
        for (int v = std::max(1, i - 3); v <= i; ++v)
            expected.push_back(v);
        ASSERT_EQ(expected, Contents(ring)) << "after " << i;
        ASSERT_EQ(static_cast<int32_t>(expected.size()), ring.GetCount());
    }
}

TEST(RingBuffer, ClearEmptiesAndStartsOver)
{
    Brindle::RingBuffer<int> ring(3);
    for (int i = 0; i < 7; ++i)
        ring.Push(i);
    ring.Clear();
    EXPECT_TRUE(Contents(ring).empty());
    ring.Push(42);
    EXPECT_EQ((std::vector<int>{42}), Contents(ring));
}

TEST(RingBuffer, RefusesCursorOutsideTheSlots)
{
    Brindle::RingBuffer<int> ring(3);
    ring.Push(1);
    int value = 7;
    int32_t cursor = -1;
    EXPECT_FALSE(ring.GetNext(value, cursor));
    cursor = 3;
    EXPECT_FALSE(ring.GetNext(value, cursor));
    EXPECT_EQ(7, value);
}

TEST(RingBuffer, TooSmallCapacityStillHoldsOneElement)
{
    Brindle::RingBuffer<int> ring(1);
    ring.Push(1);
    ring.Push(2);
    EXPECT_EQ((std::vector<int>{2}), Contents(ring));
    Brindle::RingBuffer<int> none(0);
    none.Push(3);
    EXPECT_EQ((std::vector<int>{3}), Contents(none));
}

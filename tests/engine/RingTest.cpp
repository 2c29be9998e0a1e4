#include "engine/Ring.h"

#include <gtest/gtest.h>
#include <vector>

namespace kesto
{
namespace
{

std::vector<int> Contents(const Ring<int>& ring) { return {ring.begin(), ring.end()}; }

TEST(Ring, KeepsTheNewestItemsOldestFirst)
{
    struct Case
    {
        int pushed;
        std::vector<int> kept;
    };
    const Case cases[] = {
        {0, {}}, {2, {1, 2}}, {3, {1, 2, 3}}, {4, {2, 3, 4}}, {10, {8, 9, 10}},
    };
    for (const Case& c : cases)
    {
        Ring<int> ring(3);
        for (int i = 1; i <= c.pushed; ++i)
        {
            ring.Push(i);
        }
        EXPECT_EQ(Contents(ring), c.kept) << c.pushed;
        EXPECT_EQ(ring.Size(), c.kept.size()) << c.pushed;
        EXPECT_EQ(ring.IsEmpty(), c.kept.empty()) << c.pushed;
        if (!c.kept.empty())
        {
            EXPECT_EQ(ring.Back(), c.kept.back()) << c.pushed;
            EXPECT_EQ(ring[0], c.kept.front()) << c.pushed;
        }
    }
}

TEST(Ring, ClearingStartsAfreshAndCapacityIsAtLeastOne)
{
    Ring<int> ring(2);
    for (int i = 1; i <= 5; ++i)
    {
        ring.Push(i);
    }
    ring.Clear();
    ring.Push(7);
    ring.Push(8);
    ring.Push(9);
    EXPECT_EQ(Contents(ring), (std::vector<int>{8, 9}));

    Ring<int> tiny(0);
    tiny.Push(1);
    tiny.Push(2);
    EXPECT_EQ(tiny.Capacity(), 1u);
    EXPECT_EQ(Contents(tiny), std::vector<int>{2});
}

} // namespace
} // namespace kesto

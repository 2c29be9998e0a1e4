#include "graphics/BatchOrder.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace kesto
{
namespace
{

bool Overlap(const BatchOrder::Box& a, const BatchOrder::Box& b)
{
    return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}

// Where each submission lands in the drawing: batch by batch, members in arrival order.
std::vector<std::size_t> DrawPositions(const BatchOrder& order)
{
    std::vector<std::size_t> position(order.SubmissionCount());
    std::size_t next = 0;
    for (std::size_t b = 0; b < order.BatchCount(); ++b)
    {
        for (const std::uint32_t member : order.BatchAt(b).members)
        {
            position[member] = next++;
        }
    }
    return position;
}

TEST(BatchOrder, SubmissionsThatShareAPixelAreDrawnInArrivalOrder)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> place(-1.2f, 1.2f);
    std::uniform_real_distribution<float> size(0.01f, 0.4f);
    std::uniform_int_distribution<int> state(0, 3);
    BatchOrder order;
    for (int frame = 0; frame < 20; ++frame)
    {
        order.Clear();
        std::vector<BatchOrder::Box> boxes;
        for (int i = 0; i < 400; ++i)
        {
            const float x = place(random);
            const float y = place(random);
            const BatchOrder::Box box{x, y, x + size(random), y + size(random)};
            boxes.push_back(box);
            order.Place(state(random), box);
        }
        const std::vector<std::size_t> drawn = DrawPositions(order);
        for (std::size_t i = 0; i < boxes.size(); ++i)
        {
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
            {
                if (Overlap(boxes[i], boxes[j]))
                {
                    ASSERT_LT(drawn[i], drawn[j]) << "frame " << frame << ": " << i << " and " << j;
                }
            }
        }
        // Batching happened: far fewer draw calls than submissions.
        EXPECT_LT(order.BatchCount(), boxes.size() / 2);
    }
}

TEST(BatchOrder, OneStateMakesOneBatchAndAlternatingStatesWithoutOverlapMakeTwo)
{
    BatchOrder order;
    // Apart by more than the grid's cells (1/32 across).
    for (int i = 0; i < 20; ++i)
    {
        const float x = -1.0f + 0.1f * static_cast<float>(i);
        order.Place(i % 2, {x, 0.0f, x + 0.03f, 0.03f});
    }
    EXPECT_EQ(order.BatchCount(), 2u);
    order.Clear();
    EXPECT_EQ(order.BatchCount(), 0u);
    for (int i = 0; i < 5; ++i)
    {
        order.Place(7, {-1.0f, -1.0f, 1.0f, 1.0f});
    }
    ASSERT_EQ(order.BatchCount(), 1u);
    EXPECT_EQ(order.BatchAt(0).members, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
}

TEST(BatchOrder, ABoxThatCannotBePlacedCoversEverything)
{
    BatchOrder order;
    order.Place(0, {0.5f, 0.5f, 0.6f, 0.6f});
    order.Place(1, {NAN, 0.0f, 0.1f, 0.1f});
    // Far from the first, but the batch between them may cover anything.
    order.Place(0, {-0.9f, -0.9f, -0.8f, -0.8f});
    EXPECT_EQ(order.BatchCount(), 3u);
}

} // namespace
} // namespace kesto

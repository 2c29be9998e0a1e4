#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kesto
{

// Groups submissions, in the order they arrive, into as few batches (one draw call each) as the picture allows.
// A submission joins the newest batch of its draw state unless something in a later batch may share a pixel with it;
// pixels that two submissions do not share look the same whatever order they are drawn in, so drawing the batches
// one after another gives the picture of drawing every submission in arrival order. Sharing is judged on a coarse
// grid over the screen and errs only towards keeping the order. GL-free.
class BatchOrder
{
public:
    // Screen box of a submission in normalised device coordinates (-1..1, y up).
    struct Box
    {
        float minX = -1.0f;
        float minY = -1.0f;
        float maxX = 1.0f;
        float maxY = 1.0f;
    };

    // Grid cells over the screen; one 64-bit word holds a row.
    static constexpr int columns = 64;
    static constexpr int rows = 32;
    // How many batches back a submission may move; bounds the cost of a submission.
    static constexpr std::size_t lookback = 48;

    struct Batch
    {
        int state = 0;                        // the caller's identifier of the draw state
        std::vector<std::uint32_t> members;   // submission numbers, in arrival order
        std::array<std::uint64_t, rows> used; // cells its members may cover
        int firstRow = rows;                  // rows [firstRow, lastRow] hold a set bit
        int lastRow = -1;
    };

    // Forgets every batch; storage is kept for the next frame.
    void Clear();
    // Places the next submission (numbered from 0 in arrival order) and returns the batch it went to.
    std::size_t Place(int state, const Box& box);

    std::size_t BatchCount() const { return count; }
    const Batch& BatchAt(std::size_t index) const { return batches[index]; }
    std::size_t SubmissionCount() const { return submissions; }

private:
    struct Cells
    {
        int firstRow = 0;
        int lastRow = 0;
        std::uint64_t mask = 0;
    };

    static Cells CellsOf(const Box& box);
    static bool Overlaps(const Batch& batch, const Cells& cells);

    std::vector<Batch> batches; // the first `count` are in use; the rest keep their storage
    std::size_t count = 0;
    std::uint32_t submissions = 0;
};

} // namespace kesto

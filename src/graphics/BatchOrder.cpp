#include "graphics/BatchOrder.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// Cell index of a coordinate in -1..1 over `cells` cells; anything off the screen lands in the border cells.
int CellOf(float ndc, int cells)
{
    const float scaled = (ndc + 1.0f) * 0.5f * static_cast<float>(cells);
    if (!(scaled > 0.0f))
    {
        return 0;
    }
    return scaled >= static_cast<float>(cells - 1) ? cells - 1 : static_cast<int>(scaled);
}

} // namespace

void BatchOrder::Clear()
{
    for (std::size_t i = 0; i < count; ++i)
    {
        batches[i].members.clear();
    }
    count = 0;
    submissions = 0;
}

BatchOrder::Cells BatchOrder::CellsOf(const Box& box)
{
    Cells cells;
    if (!std::isfinite(box.minX) || !std::isfinite(box.minY) || !std::isfinite(box.maxX) || !std::isfinite(box.maxY))
    {
        // A box that cannot be placed may cover anything.
        cells.firstRow = 0;
        cells.lastRow = rows - 1;
        cells.mask = ~std::uint64_t{0};
        return cells;
    }
    const int firstColumn = CellOf(box.minX, columns);
    const int lastColumn = CellOf(box.maxX, columns);
    cells.firstRow = CellOf(box.minY, rows);
    cells.lastRow = CellOf(box.maxY, rows);
    const std::uint64_t upTo =
        lastColumn == columns - 1 ? ~std::uint64_t{0} : (std::uint64_t{1} << (lastColumn + 1)) - 1;
    cells.mask = upTo & ~((std::uint64_t{1} << firstColumn) - 1);
    return cells;
}

bool BatchOrder::Overlaps(const Batch& batch, const Cells& cells)
{
    const int from = std::max(batch.firstRow, cells.firstRow);
    const int to = std::min(batch.lastRow, cells.lastRow);
    for (int row = from; row <= to; ++row)
    {
        if ((batch.used[static_cast<std::size_t>(row)] & cells.mask) != 0)
        {
            return true;
        }
    }
    return false;
}

std::size_t BatchOrder::Place(int state, const Box& box)
{
    const Cells cells = CellsOf(box);
    std::size_t target = count;
    const std::size_t oldest = count > lookback ? count - lookback : 0;
    for (std::size_t j = count; j-- > oldest;)
    {
        if (batches[j].state == state)
        {
            target = j;
            break;
        }
        if (Overlaps(batches[j], cells))
        {
            break;
        }
    }
    if (target == count)
    {
        if (batches.size() == count)
        {
            batches.emplace_back();
        }
        Batch& opened = batches[count++];
        opened.state = state;
        opened.used.fill(0);
        opened.firstRow = rows;
        opened.lastRow = -1;
    }
    Batch& batch = batches[target];
    batch.members.push_back(submissions++);
    for (int row = cells.firstRow; row <= cells.lastRow; ++row)
    {
        batch.used[static_cast<std::size_t>(row)] |= cells.mask;
    }
    batch.firstRow = std::min(batch.firstRow, cells.firstRow);
    batch.lastRow = std::max(batch.lastRow, cells.lastRow);
    return target;
}

} // namespace kesto

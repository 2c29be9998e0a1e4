#include "gameplay/BoidGrid.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// Cell coordinates are kept well inside 32 bits so that the neighbouring cells of the outermost ones exist too.
constexpr double cellLimit = 1.0e9;

} // namespace

std::int64_t BoidGrid::CellOf(float coordinate) const
{
    const double index = std::floor(static_cast<double>(coordinate) / static_cast<double>(cell));
    return static_cast<std::int64_t>(std::clamp(index, -cellLimit, cellLimit));
}

std::uint64_t BoidGrid::Key(std::int64_t x, std::int64_t y)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
           static_cast<std::uint64_t>(static_cast<std::uint32_t>(y));
}

std::pair<std::size_t, std::size_t> BoidGrid::CellRange(std::uint64_t key, std::uint32_t after) const
{
    const auto [cellBegin, cellEnd] = std::equal_range(sortedKeys.begin(), sortedKeys.end(), key);
    const auto begin = static_cast<std::size_t>(cellBegin - sortedKeys.begin());
    const auto end = static_cast<std::size_t>(cellEnd - sortedKeys.begin());
    // Within a cell the entries are in index order.
    const auto first = std::upper_bound(order.begin() + static_cast<std::ptrdiff_t>(begin),
                                        order.begin() + static_cast<std::ptrdiff_t>(end), after);
    return {static_cast<std::size_t>(first - order.begin()), end};
}

void BoidGrid::Build(const std::vector<Vec2>& points, float cellSize)
{
    order.clear();
    sortedKeys.clear();
    cell = std::isfinite(cellSize) && cellSize > 0.0f ? cellSize : 0.0f;
    if (cell == 0.0f)
    {
        return;
    }
    keys.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const Vec2 p = points[i];
        if (std::isfinite(p.x) && std::isfinite(p.y))
        {
            keys[i] = Key(CellOf(p.x), CellOf(p.y));
            order.push_back(static_cast<std::uint32_t>(i));
        }
    }
    std::sort(order.begin(), order.end(),
              [this](std::uint32_t a, std::uint32_t b) { return keys[a] != keys[b] ? keys[a] < keys[b] : a < b; });
    for (std::uint32_t index : order)
    {
        sortedKeys.push_back(keys[index]);
    }
}

} // namespace kesto

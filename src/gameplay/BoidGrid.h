#pragma once

#include "engine/Vector.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kesto
{

// A uniform grid over points, rebuilt every frame, that lists the points near a given one without testing every
// pair: cells are as wide as the search radius, so a point's neighbours lie in its own cell and the eight around it.
// Its buffers are kept between rebuilds, so a warm grid does not allocate.
class BoidGrid
{
public:
    // Files `points` (by index) in cells of `cellSize`; a size that is not above 0 files nothing. Points with a
    // coordinate that is not finite are left out.
    void Build(const std::vector<Vec2>& points, float cellSize);
    // Calls visit(index) for the filed points in the 3 x 3 cells around `at` whose index is above `after`, in index
    // order within each cell, at most `perCell` of them per cell; a visit returning false ends the search. The
    // caller checks the distance. The limit keeps a search linear however many points crowd into one cell. A point
    // with a coordinate that is not finite has no neighbours.
    template <typename Visit>
    void ForEachNearAfter(Vec2 at, std::uint32_t after, std::size_t perCell, Visit&& visit) const
    {
        if (cell <= 0.0f || !std::isfinite(at.x) || !std::isfinite(at.y))
        {
            return;
        }
        const std::int64_t cx = CellOf(at.x);
        const std::int64_t cy = CellOf(at.y);
        for (std::int64_t y = cy - 1; y <= cy + 1; ++y)
        {
            for (std::int64_t x = cx - 1; x <= cx + 1; ++x)
            {
                const auto [first, last] = CellRange(Key(x, y), after);
                for (std::size_t i = first; i < last && i - first < perCell; ++i)
                {
                    if (!visit(order[i]))
                    {
                        return;
                    }
                }
            }
        }
    }

private:
    std::int64_t CellOf(float coordinate) const;
    // The entries of `order` in the cell of `key` whose point index is above `after`, as [first, last).
    std::pair<std::size_t, std::size_t> CellRange(std::uint64_t key, std::uint32_t after) const;
    static std::uint64_t Key(std::int64_t x, std::int64_t y);

    float cell = 0.0f;
    std::vector<std::uint64_t> keys;       // each point's cell key, by point index
    std::vector<std::uint32_t> order;      // indices of the filed points, sorted by cell, then by index
    std::vector<std::uint64_t> sortedKeys; // the cell key of each entry of `order`
};

} // namespace kesto

#include "ui/ProgressBar.h"

#include <array>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 3> scaleDirectionNames = {"x", "y", "x and y"};
constexpr std::array<const char*, 9> alignNames = {"middle",   "top",       "bottom",      "left",        "right",
                                                   "top_left", "top_right", "bottom_left", "bottom_right"};

} // namespace

const FieldTable<ProgressBar>& ProgressBar::Fields()
{
    using P = ProgressBar;
    // Progress bars never compare equal.
    static const FieldTable<ProgressBar> fields(
        {
            Field<&P::min>("min_value").Label("min value").Drag(0.1f).OnEdit(&P::MarkDirty),
            Field<&P::current>("current_value").Label("current value").Drag(0.1f).OnEdit(&P::MarkDirty),
            Field<&P::max>("max_value").Label("max value").Drag(0.1f).OnEdit(&P::MarkDirty),
            Field<&P::maxScale>("max_scale"),
            Field<&P::anchorPosition>("original_position"),
            Field<&P::scaleDirection>("scaledirection")
                .Label("Progress Bar scale direction")
                .Combo(scaleDirectionNames)
                .OnEdit(&P::MarkDirty),
            Field<&P::align>("align").Label("Align").Combo(alignNames).OnEdit(&P::MarkDirty),
        },
        Equality::Never);
    return fields;
}

bool ProgressBar::Inspect(SystemRegistry* registry)
{
    return Fields().InspectOnly(*this, registry,
                                {"min_value", "max_value", "current_value", "scaledirection", "align"});
}

} // namespace kesto

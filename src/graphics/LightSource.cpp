#include "graphics/LightSource.h"

#include <cmath>

namespace kesto
{

const FieldTable<LightSource>& LightSource::Fields()
{
    static const FieldTable<LightSource> fields{
        Field<&LightSource::color>("color").Label("Color").Color(),
        Field<&LightSource::dir>("dir").Label("Direction").Drag(0.1f).OnEdit(&LightSource::NormaliseDirection),
        Field<&LightSource::angle>("angle").Label("Angle").Slider(-1.0f, 1.0f).Format("%.3f"),
        Field<&LightSource::bidirectional>("bidirectional").Label("Bidirectional"),
        Field<&LightSource::edgeSmooth>("edgeSmooth").Label("Edge Smoothing").Slider(0.0f, 1.0f),
        Field<&LightSource::intensity>("intensity").Label("Intensity").Drag(0.1f),
        Field<&LightSource::radius>("radius").Label("Radius").Drag(10.0f).Range(0.0f),
        Field<&LightSource::depth>("depth").Label("Depth").Slider(-1.0f, 1.0f),
        Field<&LightSource::depthPositioned>("depthPositioned").Label("Positon Affected by Depth"),
    };
    return fields;
}

void LightSource::NormaliseDirection()
{
    const float length = std::sqrt(dir.x * dir.x + dir.y * dir.y + dir.z * dir.z);
    if (length > 0.0f)
    {
        dir = dir * (1.0f / length);
    }
}

} // namespace kesto

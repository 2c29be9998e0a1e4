#pragma once

#include "ecs/Fields.h"

#include <type_traits>
#include <variant>

namespace kesto::test
{

// A value of the same kind that differs from `value` and survives its field's limits.
inline void Perturb(FieldValue& value, const FieldLook& look)
{
    std::visit(
        [&](auto& v)
        {
            using V = std::decay_t<decltype(v)>;
            const auto shift = [&](float x)
            {
                const float up = x + 0.25f;
                const float down = x - 0.25f;
                return up <= look.max ? up : down >= look.min ? down : (look.min + look.max) * 0.5f;
            };
            if constexpr (std::is_same_v<V, bool>)
            {
                v = !v;
            }
            else if constexpr (std::is_same_v<V, int>)
            {
                v = look.choices.empty()
                        ? v + 3
                        : (v + 1 + static_cast<int>(look.choices.size())) % static_cast<int>(look.choices.size());
            }
            else if constexpr (std::is_same_v<V, float>)
            {
                v = shift(v);
            }
            else if constexpr (std::is_same_v<V, std::string>)
            {
                v += "-changed";
            }
            else if constexpr (std::is_same_v<V, Vec2>)
            {
                v = {shift(v.x), shift(v.y)};
            }
            else if constexpr (std::is_same_v<V, Vec3>)
            {
                v = {shift(v.x), shift(v.y), shift(v.z)};
            }
            else if constexpr (std::is_same_v<V, Vec4>)
            {
                v = {shift(v.x), shift(v.y), shift(v.z), shift(v.w)};
            }
            else
            {
                v = {{1.5f, 2.5f}, {-3.5f, 4.5f}};
            }
        },
        value);
}

} // namespace kesto::test

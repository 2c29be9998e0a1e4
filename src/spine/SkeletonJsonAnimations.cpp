#include "spine/SkeletonJsonInternal.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace kesto::spine::detail
{
namespace
{

using KeyReader = std::function<bool(const JsonValue& key, const std::string& where)>;

// Walks an array of keys: each must be an object whose "time" (default 0) does not go backwards. times receives
// the key times.
bool ReadKeys(JsonInput& input, const JsonValue& keys, const std::string& where, std::vector<float>& times,
              const KeyReader& readKey)
{
    if (!keys.IsArray())
    {
        return input.Fail(where, "expected an array of keys");
    }
    times.reserve(keys.Items().size());
    for (std::size_t i = 0; i < keys.Items().size(); ++i)
    {
        const JsonValue& key = keys.Items()[i];
        const std::string keyWhere = where + ", key " + std::to_string(i);
        float time = 0.0f;
        if (!key.IsObject())
        {
            return input.Fail(keyWhere, "expected an object");
        }
        if (!input.Float(key, "time", keyWhere, time))
        {
            return false;
        }
        if (!times.empty() && time < times.back())
        {
            return input.Fail(keyWhere, "its time goes back before the previous key's");
        }
        times.push_back(time);
        if (!readKey(key, keyWhere))
        {
            return false;
        }
    }
    return true;
}

bool ReadCurve(JsonInput& input, const JsonValue& key, const std::string& where, Curve& curve)
{
    const JsonValue* found = key.Find("curve");
    if (!found)
    {
        return true;
    }
    const JsonValue& value = *found;
    const std::string curveWhere = where + ", \"curve\"";
    if (value.IsString())
    {
        const std::string& name = value.String();
        if (name != "stepped" && name != "linear")
        {
            return input.Fail(curveWhere, "unknown curve " + Quoted(name));
        }
        curve.type = name == "stepped" ? CurveType::Stepped : CurveType::Linear;
        return true;
    }
    curve.type = CurveType::Bezier;
    if (value.IsArray())
    {
        // The form written before 3.8: [c1, c2, c3, c4].
        if (value.Items().size() != 4)
        {
            return input.Fail(curveWhere, "a curve array needs four numbers");
        }
        if (!input.ToFloat(value.Items()[0], curveWhere, curve.c1) ||
            !input.ToFloat(value.Items()[1], curveWhere, curve.c2) ||
            !input.ToFloat(value.Items()[2], curveWhere, curve.c3) ||
            !input.ToFloat(value.Items()[3], curveWhere, curve.c4))
        {
            return false;
        }
    }
    else if (!input.ToFloat(value, curveWhere, curve.c1) || !input.Float(key, "c2", where, curve.c2) ||
             !input.Float(key, "c3", where, curve.c3) || !input.Float(key, "c4", where, curve.c4))
    {
        return false;
    }
    // Handles outside 0..1 in time would make the curve run backwards.
    curve.c1 = std::clamp(curve.c1, 0.0f, 1.0f);
    curve.c3 = std::clamp(curve.c3, 0.0f, 1.0f);
    return true;
}

template <std::size_t N>
bool ReadCurveKeys(JsonInput& input, const JsonValue& keys, const std::string& where, CurveTimeline<N>& timeline,
                   const std::function<bool(const JsonValue&, const std::string&, std::array<float, N>&)>& readValues)
{
    return ReadKeys(input, keys, where, timeline.times,
                    [&](const JsonValue& key, const std::string& keyWhere)
                    {
                        timeline.values.emplace_back();
                        timeline.curves.emplace_back();
                        return readValues(key, keyWhere, timeline.values.back()) &&
                               ReadCurve(input, key, keyWhere, timeline.curves.back());
                    });
}

// The latest key time in a section that is read past (events, deform, constraints); keys there are objects with
// a "time" inside arrays, at most a few objects deep.
float LatestKeyTime(const JsonValue& value, int depth)
{
    float latest = 0.0f;
    if (depth > 5)
    {
        return latest;
    }
    if (value.IsArray())
    {
        for (const JsonValue& element : value.Items())
        {
            const JsonValue* time = element.Find("time");
            if (time && time->IsNumber() && std::fabs(time->Number()) <= std::numeric_limits<float>::max())
            {
                latest = std::max(latest, static_cast<float>(time->Number()));
            }
        }
    }
    else if (value.IsObject())
    {
        for (const auto& member : value.Members())
        {
            latest = std::max(latest, LatestKeyTime(member.value, depth + 1));
        }
    }
    return latest;
}

// A timeline without keys would have nothing to sample; it is dropped.
template <typename T> void AddKeyed(Animation& animation, std::unique_ptr<T> timeline)
{
    if (!timeline->times.empty())
    {
        animation.timelines.push_back(std::move(timeline));
    }
}

} // namespace

bool SkeletonReader::ReadAnimations(const JsonValue& root)
{
    const JsonValue* animations = nullptr;
    if (!input.Object(root, "animations", "", animations))
    {
        return false;
    }
    if (!animations)
    {
        return true;
    }
    for (const auto& member : animations->Members())
    {
        if (!ReadAnimation(member.key, member.value))
        {
            return false;
        }
    }
    return true;
}

bool SkeletonReader::ReadAnimation(const std::string& name, const JsonValue& value)
{
    const std::string where = "animation " + Quoted(name);
    if (!animationNames.insert(name).second)
    {
        return input.Fail(where, "is defined twice");
    }
    if (!value.IsObject())
    {
        return input.Fail(where, "expected an object");
    }
    Animation animation;
    animation.name = name;
    const JsonValue* bones = nullptr;
    const JsonValue* slots = nullptr;
    if (!input.Object(value, "bones", where, bones) || !input.Object(value, "slots", where, slots) ||
        (bones && !ReadBoneTimelines(*bones, animation, where)) ||
        (slots && !ReadSlotTimelines(*slots, animation, where)))
    {
        return false;
    }
    for (const char* drawOrder : {"drawOrder", "draworder"})
    {
        if (value.Find(drawOrder) && !ReadDrawOrder(*value.Find(drawOrder), animation, where))
        {
            return false;
        }
    }
    for (const auto& timeline : animation.timelines)
    {
        animation.duration = std::max(animation.duration, timeline->Duration());
    }
    for (const char* skipped : {"events", "deform", "ik", "transform", "path"})
    {
        if (value.Find(skipped))
        {
            animation.duration = std::max(animation.duration, LatestKeyTime(*value.Find(skipped), 0));
        }
    }
    animation.IndexProperties();
    data.animations.push_back(std::move(animation));
    return true;
}

bool SkeletonReader::ReadBoneTimelines(const JsonValue& bones, Animation& animation, const std::string& where)
{
    for (const auto& bone : bones.Members())
    {
        const std::string boneWhere = where + ", bone " + Quoted(bone.key);
        std::size_t found = 0;
        if (!IndexOf(bone, "bone", boneIndices, boneWhere, found))
        {
            return false;
        }
        const int boneIndex = static_cast<int>(found);
        for (const auto& member : bone.value.Members())
        {
            const std::string& kind = member.key;
            const std::string timelineWhere = boneWhere + ", " + Quoted(kind);
            if (kind == "rotate")
            {
                auto timeline = std::make_unique<RotateTimeline>();
                timeline->boneIndex = boneIndex;
                if (!ReadCurveKeys<1>(
                        input, member.value, timelineWhere, *timeline,
                        [&](const JsonValue& key, const std::string& keyWhere, std::array<float, 1>& values)
                        { return input.Float(key, "angle", keyWhere, values[0]); }))
                {
                    return false;
                }
                AddKeyed(animation, std::move(timeline));
                continue;
            }
            BoneProperty property = BoneProperty::Translate;
            if (kind == "scale")
            {
                property = BoneProperty::Scale;
            }
            else if (kind == "shear")
            {
                property = BoneProperty::Shear;
            }
            else if (kind != "translate")
            {
                // Not a bone timeline of this format; read past like the other unknown sections.
                continue;
            }
            auto timeline = std::make_unique<BonePairTimeline>(property);
            timeline->boneIndex = boneIndex;
            const float fallback = property == BoneProperty::Scale ? 1.0f : 0.0f;
            if (!ReadCurveKeys<2>(input, member.value, timelineWhere, *timeline,
                                  [&](const JsonValue& key, const std::string& keyWhere, std::array<float, 2>& values)
                                  {
                                      values = {fallback, fallback};
                                      return input.Float(key, "x", keyWhere, values[0]) &&
                                             input.Float(key, "y", keyWhere, values[1]);
                                  }))
            {
                return false;
            }
            AddKeyed(animation, std::move(timeline));
        }
    }
    return true;
}

bool SkeletonReader::ReadSlotTimelines(const JsonValue& slots, Animation& animation, const std::string& where)
{
    for (const auto& slot : slots.Members())
    {
        const std::string slotWhere = where + ", slot " + Quoted(slot.key);
        std::size_t found = 0;
        if (!IndexOf(slot, "slot", slotIndices, slotWhere, found))
        {
            return false;
        }
        const int slotIndex = static_cast<int>(found);
        for (const auto& member : slot.value.Members())
        {
            const std::string& kind = member.key;
            const std::string timelineWhere = slotWhere + ", " + Quoted(kind);
            if (kind == "attachment")
            {
                auto timeline = std::make_unique<AttachmentTimeline>();
                timeline->slotIndex = slotIndex;
                if (!ReadKeys(input, member.value, timelineWhere, timeline->times,
                              [&](const JsonValue& key, const std::string& keyWhere)
                              {
                                  timeline->names.emplace_back();
                                  return input.NullableString(key, "name", keyWhere, timeline->names.back());
                              }))
                {
                    return false;
                }
                AddKeyed(animation, std::move(timeline));
            }
            else if (kind == "color" || kind == "twoColor")
            {
                // A two-colour key's light colour tints like a plain colour; its dark colour is not drawn.
                const char* field = kind == "color" ? "color" : "light";
                auto timeline = std::make_unique<ColorTimeline>();
                timeline->slotIndex = slotIndex;
                if (!ReadCurveKeys<4>(
                        input, member.value, timelineWhere, *timeline,
                        [&](const JsonValue& key, const std::string& keyWhere, std::array<float, 4>& values)
                        {
                            Color color;
                            if (!key.Find(field))
                            {
                                return input.Fail(keyWhere, "needs " + Quoted(field));
                            }
                            if (!input.ColorHex(key, field, keyWhere, color))
                            {
                                return false;
                            }
                            values = {color.r, color.g, color.b, color.a};
                            return true;
                        }))
                {
                    return false;
                }
                AddKeyed(animation, std::move(timeline));
            }
        }
    }
    return true;
}

bool SkeletonReader::ReadDrawOrder(const JsonValue& keys, Animation& animation, const std::string& where)
{
    const std::size_t slotCount = data.slots.size();
    auto timeline = std::make_unique<DrawOrderTimeline>();
    const bool read =
        ReadKeys(input, keys, where + ", \"drawOrder\"", timeline->times,
                 [&](const JsonValue& key, const std::string& keyWhere)
                 {
                     const JsonValue* offsets = nullptr;
                     if (!input.Array(key, "offsets", keyWhere, offsets))
                     {
                         return false;
                     }
                     timeline->orders.emplace_back();
                     if (!offsets)
                     {
                         return true;
                     }
                     // Slots with an offset move to their setup position plus it; the rest fill the gaps in setup
                     // order.
                     std::vector<int> order(slotCount, -1);
                     std::vector<bool> moved(slotCount, false);
                     for (std::size_t i = 0; i < offsets->Items().size(); ++i)
                     {
                         const JsonValue& entry = offsets->Items()[i];
                         const std::string entryWhere = keyWhere + ", offset " + std::to_string(i);
                         std::string slotName;
                         int offset = 0;
                         const int limit = static_cast<int>(slotCount);
                         if (!entry.IsObject())
                         {
                             return input.Fail(entryWhere, "expected an object");
                         }
                         if (!input.String(entry, "slot", entryWhere, slotName) ||
                             !input.Int(entry, "offset", entryWhere, -limit, limit, offset))
                         {
                             return false;
                         }
                         const auto found = slotIndices.find(slotName);
                         if (found == slotIndices.end())
                         {
                             return input.Fail(entryWhere, "slot " + Quoted(slotName) + " does not exist");
                         }
                         const std::size_t slot = found->second;
                         const int position = static_cast<int>(slot) + offset;
                         if (moved[slot])
                         {
                             return input.Fail(entryWhere, "slot " + Quoted(slotName) + " is moved twice");
                         }
                         if (position < 0 || position >= limit || order[static_cast<std::size_t>(position)] != -1)
                         {
                             return input.Fail(entryWhere, "slot " + Quoted(slotName) + " cannot move to position " +
                                                               std::to_string(position));
                         }
                         order[static_cast<std::size_t>(position)] = static_cast<int>(slot);
                         moved[slot] = true;
                     }
                     std::size_t next = 0;
                     for (std::size_t slot = 0; slot < slotCount; ++slot)
                     {
                         if (moved[slot])
                         {
                             continue;
                         }
                         while (order[next] != -1)
                         {
                             ++next;
                         }
                         order[next] = static_cast<int>(slot);
                     }
                     timeline->orders.back() = std::move(order);
                     return true;
                 });
    if (!read)
    {
        return false;
    }
    AddKeyed(animation, std::move(timeline));
    return true;
}

} // namespace kesto::spine::detail

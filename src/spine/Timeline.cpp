#include "spine/Timeline.h"

#include "spine/Skeleton.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kesto::spine
{
namespace
{

// Property kinds, in the top bits of a property id; the low bits hold the bone or slot index.
enum class PropertyKind : int
{
    Rotate,
    Translate,
    Scale,
    Shear,
    Color,
    Attachment,
    DrawOrder,
};

int MakePropertyId(PropertyKind kind, int index) { return (static_cast<int>(kind) << 24) + index; }

// One coordinate of a cubic Bezier from 0 to 1 with handle coordinates h1 and h2, at parameter s.
float Bezier(float s, float h1, float h2)
{
    const float u = 1.0f - s;
    return 3.0f * u * u * s * h1 + 3.0f * u * s * s * h2 + s * s * s;
}

// Index of the last key at or before time; time is at or after the first key.
std::size_t KeyAt(const std::vector<float>& times, float time)
{
    return static_cast<std::size_t>(std::upper_bound(times.begin(), times.end(), time) - times.begin()) - 1;
}

Bone& BoneAt(Skeleton& skeleton, int index)
{
    const auto bones = skeleton.Bones();
    if (index < 0 || static_cast<std::size_t>(index) >= bones.size())
    {
        throw std::out_of_range("Timeline::Apply: the animation is not of this skeleton");
    }
    return bones[static_cast<std::size_t>(index)];
}

Slot& SlotAt(Skeleton& skeleton, int index)
{
    const auto slots = skeleton.Slots();
    if (index < 0 || static_cast<std::size_t>(index) >= slots.size())
    {
        throw std::out_of_range("Timeline::Apply: the animation is not of this skeleton");
    }
    return slots[static_cast<std::size_t>(index)];
}

float Blend(float current, float setup, float keyed, float alpha, MixBlend blend)
{
    return blend == MixBlend::Setup ? setup + (keyed - setup) * alpha : current + (keyed - current) * alpha;
}

} // namespace

float Curve::Apply(float percent) const
{
    percent = std::clamp(percent, 0.0f, 1.0f);
    switch (type)
    {
    case CurveType::Linear:
        return percent;
    case CurveType::Stepped:
        return 0.0f;
    case CurveType::Bezier:
        break;
    }
    // X(s) rises monotonically (c1 and c3 lie in 0..1), so bisection finds the s whose X is the time fraction.
    float low = 0.0f;
    float high = 1.0f;
    for (int i = 0; i < 24; ++i)
    {
        const float middle = (low + high) * 0.5f;
        if (Bezier(middle, c1, c3) < percent)
        {
            low = middle;
        }
        else
        {
            high = middle;
        }
    }
    return Bezier((low + high) * 0.5f, c2, c4);
}

template <std::size_t N> std::optional<std::array<float, N>> CurveTimeline<N>::Sample(float time, bool angular) const
{
    if (time < times.front())
    {
        return std::nullopt;
    }
    if (time >= times.back())
    {
        return values.back();
    }
    // times[key] <= time < times[key + 1], so the segment is never empty.
    const std::size_t key = KeyAt(times, time);
    const float percent = curves[key].Apply((time - times[key]) / (times[key + 1] - times[key]));
    std::array<float, N> result{};
    for (std::size_t i = 0; i < N; ++i)
    {
        float change = values[key + 1][i] - values[key][i];
        if (angular)
        {
            change = std::remainder(change, 360.0f);
        }
        result[i] = values[key][i] + change * percent;
    }
    return result;
}

template class CurveTimeline<1>;
template class CurveTimeline<2>;
template class CurveTimeline<4>;

void RotateTimeline::Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const
{
    Bone& bone = BoneAt(skeleton, boneIndex);
    const auto sample = Sample(time, true);
    if (!sample)
    {
        if (blend == MixBlend::Setup)
        {
            bone.rotation = bone.data.rotation;
        }
        return;
    }
    if (blend == MixBlend::Setup)
    {
        bone.rotation = bone.data.rotation + (*sample)[0] * alpha;
    }
    else
    {
        bone.rotation += std::remainder(bone.data.rotation + (*sample)[0] - bone.rotation, 360.0f) * alpha;
    }
}

int RotateTimeline::PropertyId() const { return MakePropertyId(PropertyKind::Rotate, boneIndex); }

void BonePairTimeline::Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const
{
    Bone& bone = BoneAt(skeleton, boneIndex);
    float* fields[2] = {&bone.x, &bone.y};
    float setup[2] = {bone.data.x, bone.data.y};
    if (property == BoneProperty::Scale)
    {
        fields[0] = &bone.scaleX;
        fields[1] = &bone.scaleY;
        setup[0] = bone.data.scaleX;
        setup[1] = bone.data.scaleY;
    }
    else if (property == BoneProperty::Shear)
    {
        fields[0] = &bone.shearX;
        fields[1] = &bone.shearY;
        setup[0] = bone.data.shearX;
        setup[1] = bone.data.shearY;
    }
    const auto sample = Sample(time);
    for (std::size_t i = 0; i < 2; ++i)
    {
        if (!sample)
        {
            if (blend == MixBlend::Setup)
            {
                *fields[i] = setup[i];
            }
            continue;
        }
        const float keyed = property == BoneProperty::Scale ? setup[i] * (*sample)[i] : setup[i] + (*sample)[i];
        *fields[i] = Blend(*fields[i], setup[i], keyed, alpha, blend);
    }
}

int BonePairTimeline::PropertyId() const { return MakePropertyId(static_cast<PropertyKind>(property), boneIndex); }

void ColorTimeline::Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const
{
    Slot& slot = SlotAt(skeleton, slotIndex);
    const Color& setup = slot.data.color;
    const auto sample = Sample(time);
    if (!sample)
    {
        if (blend == MixBlend::Setup)
        {
            slot.color = setup;
        }
        return;
    }
    const auto& keyed = *sample;
    slot.color.r = Blend(slot.color.r, setup.r, keyed[0], alpha, blend);
    slot.color.g = Blend(slot.color.g, setup.g, keyed[1], alpha, blend);
    slot.color.b = Blend(slot.color.b, setup.b, keyed[2], alpha, blend);
    slot.color.a = Blend(slot.color.a, setup.a, keyed[3], alpha, blend);
}

int ColorTimeline::PropertyId() const { return MakePropertyId(PropertyKind::Color, slotIndex); }

void AttachmentTimeline::Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const
{
    Slot& slot = SlotAt(skeleton, slotIndex);
    if (alpha <= 0.0f || time < times.front())
    {
        if (blend == MixBlend::Setup)
        {
            slot.SetToSetupAttachment();
        }
        return;
    }
    const std::optional<std::string>& name = names[KeyAt(times, time)];
    slot.attachment = name ? skeleton.GetAttachment(static_cast<std::size_t>(slotIndex), *name) : nullptr;
}

int AttachmentTimeline::PropertyId() const { return MakePropertyId(PropertyKind::Attachment, slotIndex); }

void DrawOrderTimeline::Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const
{
    const auto drawOrder = skeleton.DrawOrder();
    const auto slots = skeleton.Slots();
    const bool beforeKeys = alpha <= 0.0f || time < times.front();
    if (beforeKeys && blend == MixBlend::Replace)
    {
        return;
    }
    const std::vector<int>* order = beforeKeys ? nullptr : &orders[KeyAt(times, time)];
    if (!order || order->empty())
    {
        for (std::size_t i = 0; i < slots.size(); ++i)
        {
            drawOrder[i] = &slots[i];
        }
        return;
    }
    if (order->size() != slots.size())
    {
        throw std::out_of_range("DrawOrderTimeline::Apply: the animation is not of this skeleton");
    }
    for (std::size_t i = 0; i < order->size(); ++i)
    {
        drawOrder[i] = &slots[static_cast<std::size_t>((*order)[i])];
    }
}

int DrawOrderTimeline::PropertyId() const { return MakePropertyId(PropertyKind::DrawOrder, 0); }

} // namespace kesto::spine

#pragma once

#include "spine/SpineTypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kesto::spine
{

class Skeleton;

// How a timeline's value meets what the skeleton already has.
enum class MixBlend : std::uint8_t
{
    // From the setup pose: value = setup + (keyed - setup) * alpha; before the first key, the setup value.
    Setup,
    // From the current pose: value += (keyed - value) * alpha; before the first key, unchanged.
    Replace,
};

enum class CurveType : std::uint8_t
{
    Linear,
    Stepped,
    Bezier,
};

// The easing of the segment from one key to the next.
struct Curve
{
    CurveType type = CurveType::Linear;
    float c1 = 0.0f; // Bezier handles (c1, c2) and (c3, c4) of a curve from (0, 0) to (1, 1); c1, c3 in 0..1
    float c2 = 0.0f;
    float c3 = 1.0f;
    float c4 = 1.0f;

    // Eased fraction of the value change for a fraction of the segment's time; Bezier curves may overshoot.
    float Apply(float percent) const;
};

// One property animated over time. Keys are in ascending time order and there is at least one.
class Timeline
{
public:
    virtual ~Timeline() = default;

    // Poses the skeleton at time (seconds into the animation). alpha (0..1) weighs the keyed value against what
    // blend starts from. Attachment and draw order timelines set their key's value when alpha > 0 and fall back
    // to the setup value under MixBlend::Setup otherwise.
    virtual void Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const = 0;
    // Which property it animates; two timelines with the same id fight over one value.
    virtual int PropertyId() const = 0;
    virtual float Duration() const = 0;
    // Switches between values instead of blending them.
    virtual bool IsDiscrete() const { return false; }
};

// Keys of N numbers with a curve each (the last key's curve is never used).
template <std::size_t N> class CurveTimeline : public Timeline
{
public:
    float Duration() const override { return times.back(); }
    // The interpolated key values at time, or nothing before the first key. angular wraps each segment's change
    // into -180..180 degrees so rotations take the shorter way round.
    std::optional<std::array<float, N>> Sample(float time, bool angular = false) const;

    std::vector<float> times;
    std::vector<std::array<float, N>> values;
    std::vector<Curve> curves;
};

enum class BoneProperty : std::uint8_t
{
    Rotate,    // angle added to the setup rotation
    Translate, // x, y added to the setup position
    Scale,     // x, y multiplying the setup scale
    Shear,     // x, y added to the setup shear
};

class RotateTimeline : public CurveTimeline<1>
{
public:
    void Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const override;
    int PropertyId() const override;

    int boneIndex = 0;
};

// Translate, scale or shear: two numbers per key.
class BonePairTimeline : public CurveTimeline<2>
{
public:
    explicit BonePairTimeline(BoneProperty animated) : property(animated) {}
    void Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const override;
    int PropertyId() const override;

    BoneProperty property;
    int boneIndex = 0;
};

// Slot colour, each channel interpolated on its own.
class ColorTimeline : public CurveTimeline<4>
{
public:
    void Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const override;
    int PropertyId() const override;

    int slotIndex = 0;
};

// Keys that each hold their value until the next one.
class SteppedTimeline : public Timeline
{
public:
    float Duration() const override { return times.back(); }
    bool IsDiscrete() const override { return true; }

    std::vector<float> times;
};

// Switches a slot's attachment by name (no name empties it).
class AttachmentTimeline : public SteppedTimeline
{
public:
    void Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const override;
    int PropertyId() const override;

    int slotIndex = 0;
    std::vector<std::optional<std::string>> names;
};

// Reorders the slots.
class DrawOrderTimeline : public SteppedTimeline
{
public:
    void Apply(Skeleton& skeleton, float time, float alpha, MixBlend blend) const override;
    int PropertyId() const override;

    // Per key, the slot index drawn at each position; empty restores the setup order.
    std::vector<std::vector<int>> orders;
};

} // namespace kesto::spine

#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "ecs/Transform.h"
#include "gameplay/BehaviorBoidComponent.h"
#include "gameplay/BehaviorFalling.h"
#include "gameplay/BehaviorFlying.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BoidControllerComponent.h"
#include "gameplay/Checkpoint.h"
#include "gameplay/Laser.h"
#include "gameplay/Rotator.h"
#include "gameplay/TriggerComponent.h"
#include "graphics/FlashingLight.h"
#include "graphics/GraphicsWorld.h"
#include "graphics/LightSource.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteText.h"
#include "graphics/Video.h"
#include "input/ControllerSprite.h"
#include "particles/ParticleEmitter.h"
#include "physics/Collider.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"
#include "support/HeadlessImGui.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ProgressBar.h"
#include "ui/Slider.h"
#include "ui/SliderBackground.h"
#include "ui/SliderBar.h"
#include "ui/UI.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>

namespace kesto
{
namespace
{

template <typename... T> struct ComponentList
{
    using Types = ::testing::Types<T...>;
    // Every type index exactly once.
    static constexpr bool coversEveryIndex =
        sizeof...(T) == componentTypeCount && (0u | ... | (1u << T::typeIndex)) == (1u << componentTypeCount) - 1u;
};

using Components = ComponentList<Transform, Rigidbody, Sprite, Animation, BehaviorFlying, BehaviorPlayer, SoundEmitter,
                                 ParticleEmitter, Gravity, Collider, UI, Button, FlashingLight, TriggerComponent,
                                 BehaviorBoidComponent, BoidControllerComponent, ProgressBar, BehaviorFalling,
                                 LightSource, Video, Checkpoint, Slider, SliderBackground, CheckBox, Laser, SpriteText,
                                 Rotator, SliderBar, ControllerSprite>;
static_assert(Components::coversEveryIndex, "the typed tests cover every component type");

// A value of the same kind that differs from `value` and survives its field's limits.
void Perturb(FieldValue& value, const FieldLook& look)
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

template <typename T> class ComponentFields : public ::testing::Test
{
protected:
    std::string Write(const T& component)
    {
        JsonWriter writer;
        component.Write(writer);
        return writer.Finish();
    }

    T Read(const std::string& text)
    {
        JsonReader reader;
        EXPECT_TRUE(reader.Parse(text, "written.json", graphics.world.trace)) << text;
        T component;
        component.Read(reader, &graphics.world.registry);
        return component;
    }

    test::GraphicsWorld graphics;
};

TYPED_TEST_SUITE(ComponentFields, Components::Types);

TYPED_TEST(ComponentFields, WriteThenReadKeepsEveryDescribedField)
{
    const auto& fields = TypeParam::Fields();
    TypeParam original;
    for (const FieldDesc<TypeParam>& field : fields.Entries())
    {
        FieldValue value = field.get(original);
        Perturb(value, field.look);
        field.set(original, std::move(value));
    }
    TypeParam untouched;
    EXPECT_TRUE(fields.Entries().empty() || !fields.Same(original, untouched)) << "every field was changed";

    const std::string text = this->Write(original);
    for (const FieldDesc<TypeParam>& field : fields.Entries())
    {
        EXPECT_NE(text.find('"' + std::string(field.key) + "\":"), std::string::npos)
            << field.key << " is not written:\n"
            << text;
    }
    const TypeParam copy = this->Read(text);
    for (const FieldDesc<TypeParam>& field : fields.Entries())
    {
        EXPECT_TRUE(field.get(copy) == field.get(original)) << field.key << " is not read back from\n" << text;
    }
    EXPECT_TRUE(fields.Same(copy, original));

    // Whatever a component compares beyond its description, two equal readings of one text agree with it.
    const TypeParam again = this->Read(this->Write(copy));
    EXPECT_EQ(copy.Equals(again), fields.Equals(copy, again));
    EXPECT_TRUE(this->graphics.world.trace->Text().empty()) << this->graphics.world.trace->Text();
}

TYPED_TEST(ComponentFields, InspectorDrawsAndReportsNoChangeWithoutInput)
{
    test::HeadlessImGui gui;
    TypeParam component;
    for (SystemRegistry* registry : {static_cast<SystemRegistry*>(nullptr), &this->graphics.world.registry})
    {
        EXPECT_FALSE(gui.Frame([&] { return component.Inspect(registry); }));
        EXPECT_FALSE(gui.Frame([&] { return component.Inspect(registry); }));
    }
}

} // namespace
} // namespace kesto

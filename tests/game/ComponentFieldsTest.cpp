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
#include "support/FieldPerturb.h"
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
        test::Perturb(value, field.look);
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

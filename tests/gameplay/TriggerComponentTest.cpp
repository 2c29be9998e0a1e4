#include "gameplay/TriggerComponent.h"

#include "gameplay/Rotator.h"
#include "gameplay/TriggerKindsAudio.h"
#include "gameplay/TriggerKindsPlayer.h"
#include "gameplay/TriggerKindsWorld.h"
#include "support/ComponentJson.h"
#include "support/FieldPerturb.h"
#include "support/HeadlessImGui.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using test::QuietTrace;
using test::ReadJson;
using test::RoundTrip;

// The function at `index` as its kind; fails the test when it is another kind.
template <typename Kind> const Kind& As(const TriggerComponent& trigger, std::size_t index)
{
    const auto* kind = dynamic_cast<const Kind*>(trigger.functions.at(index).get());
    EXPECT_NE(kind, nullptr) << "function " << index << " is not a " << Kind::editorName;
    static const Kind fallback;
    return kind ? *kind : fallback;
}

TEST(TriggerFunction, EveryKindNameCreatesAFunctionWithTheSharedDefaults)
{
    ASSERT_EQ(TriggerFunction::KindNames().size(), 18u);
    EXPECT_EQ(TriggerFunction::KindNames().front(), "Dash Reset");
    EXPECT_EQ(TriggerFunction::KindNames().back(), "FadeOut");
    for (const std::string& name : TriggerFunction::KindNames())
    {
        const std::unique_ptr<TriggerFunction> function = TriggerFunction::Create(name);
        ASSERT_TRUE(function) << name;
        EXPECT_EQ(function->EditorName(), name);
        EXPECT_EQ(function->event, TriggerEvent::OnCollide);
        EXPECT_EQ(function->delay, 0.0f);
        EXPECT_EQ(function->pendingTimer, 0.0f);
        EXPECT_FALSE(function->dashRequired);
        EXPECT_FALSE(function->happensOnce);
    }
    EXPECT_FALSE(TriggerFunction::Create("Change level"));
}

TEST(TriggerFunction, KindsStartWithTheirOwnDefaults)
{
    const auto level = TriggerFunction::Create("Change Level");
    const auto* change = dynamic_cast<const TriggerNextLevel*>(level.get());
    ASSERT_TRUE(change);
    EXPECT_EQ(change->level, "");
    EXPECT_EQ(change->fadeHoldLength, 0.5f);
    EXPECT_EQ(change->type, ScreenTransition::Slide);

    const auto zoom = TriggerFunction::Create("Camera Zoom");
    EXPECT_EQ(dynamic_cast<const TriggerCameraZoom&>(*zoom).scalar, 1.0f);
    EXPECT_EQ(dynamic_cast<const TriggerCameraZoom&>(*zoom).speed, 10.0f);

    const auto fade = TriggerFunction::Create("FadeOut");
    EXPECT_TRUE(dynamic_cast<const FadeOut&>(*fade).removeFade);
    EXPECT_TRUE(dynamic_cast<const TriggerSwitch&>(*TriggerFunction::Create("Switch")).enabled);
    EXPECT_EQ(test::WriteJson(*TriggerFunction::Create("Dash Reset")),
              test::WriteJson(*TriggerFunction::Create("StopMusic")));
}

TEST(TriggerComponent, StartsEmptyAndUntouched)
{
    const TriggerComponent trigger;
    EXPECT_TRUE(trigger.functions.empty());
    EXPECT_FALSE(trigger.otherEntity.IsValid());
    EXPECT_FALSE(trigger.touching);
    EXPECT_FALSE(trigger.wasTouching);
    EXPECT_STREQ(trigger.TypeName(), "Trigger");
}

TEST(TriggerComponent, ReadsFunctionsInDocumentOrderWithRepeatedKinds)
{
    TriggerComponent trigger;
    ReadJson(trigger, R"({
        "Set State": {"event": 0, "delay": 0.25, "dashRequired": true, "happensOnce": true, "state": 2},
        "Spawn Archetype": {"name": "Spark", "position": [3, -4], "relative": 1},
        "Set State": {"state": 7},
        "Ambient Light": {"color": [0.5, 0.25, 1], "time": 2.0}
    })");
    ASSERT_EQ(trigger.functions.size(), 4u);
    const auto& kill = As<TriggerSetState>(trigger, 0);
    EXPECT_EQ(kill.EditorName(), "Set State");
    EXPECT_EQ(kill.event, TriggerEvent::OnEnter);
    EXPECT_EQ(kill.delay, 0.25f);
    EXPECT_TRUE(kill.dashRequired);
    EXPECT_TRUE(kill.happensOnce);
    EXPECT_EQ(kill.state, PlayerState::Dead);

    const auto& spawn = As<TriggerSpawnArchetype>(trigger, 1);
    EXPECT_EQ(spawn.name, "Spark");
    EXPECT_EQ(spawn.position, (Vec2{3.0f, -4.0f}));
    EXPECT_EQ(spawn.relative, SpawnOrigin::Trigger);

    EXPECT_EQ(trigger.functions[2]->EditorName(), "Set State");
    EXPECT_EQ(As<TriggerSetState>(trigger, 2).state, PlayerState::Frozen);
    EXPECT_FALSE(trigger.functions[2]->happensOnce);

    EXPECT_EQ(As<TriggerAmbientLight>(trigger, 3).color, (Vec3{0.5f, 0.25f, 1.0f}));
    EXPECT_EQ(As<TriggerAmbientLight>(trigger, 3).time, 2.0f);
}

TEST(TriggerComponent, MistypedKeysKeepTheirDefaults)
{
    TriggerComponent trigger;
    ReadJson(trigger, R"({"Change Level": {"delay": 2, "event": "On Enter", "level": 5, "fadeInLength": 1,
                                           "type": 2.0, "fadeOutLength": 1.5}})");
    ASSERT_EQ(trigger.functions.size(), 1u);
    const auto& change = As<TriggerNextLevel>(trigger, 0);
    EXPECT_EQ(change.delay, 0.0f);
    EXPECT_EQ(change.event, TriggerEvent::OnCollide);
    EXPECT_EQ(change.level, "");
    EXPECT_EQ(change.fadeInLength, 0.5f);
    EXPECT_EQ(change.type, ScreenTransition::Slide);
    EXPECT_EQ(change.fadeOutLength, 1.5f);
}

TEST(TriggerComponent, UnknownKindsAndArraysAreReportedAndSkipped)
{
    QuietTrace quiet;
    TriggerComponent trigger;
    ReadJson(trigger, R"({"Teleport": {"delay": 1.0}, "Switch": {"number": 3}, "points": [1, 2],
                          "Frame Freeze": {"time": 0.5}})",
             &quiet.registry);
    ASSERT_EQ(trigger.functions.size(), 2u);
    EXPECT_EQ(As<TriggerSwitch>(trigger, 0).number, 3);
    EXPECT_EQ(trigger.functions[1]->EditorName(), "Frame Freeze");
    const std::string log = quiet.trace->Text();
    EXPECT_NE(log.find("test.json: unknown trigger function \"Teleport\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"points\" is not an object"), std::string::npos) << log;
}

TEST(TriggerComponent, ReadingReplacesTheList)
{
    TriggerComponent trigger;
    ReadJson(trigger, R"({"Switch": {}, "Timer": {}})");
    ReadJson(trigger, R"({"StopMusic": {}})");
    ASSERT_EQ(trigger.functions.size(), 1u);
    EXPECT_EQ(trigger.functions[0]->EditorName(), "StopMusic");
    ReadJson(trigger, "{}");
    EXPECT_TRUE(trigger.functions.empty());
}

TEST(TriggerComponent, WriteThenReadGivesAnEqualTrigger)
{
    TriggerComponent trigger;
    ReadJson(trigger, R"({
        "Change Level": {"event": 0, "delay": 1.5, "level": "Lab", "fadeOutLength": 0.25, "type": 2},
        "Camera Offset": {"offset": [10, 20]},
        "Change Level": {"level": "Roof", "happensOnce": true},
        "SoundInstance": {"EventName": "event:/SFX/Door", "PositionalAudio": true},
        "FadeOut": {"Fadeout Time": 3.0, "Remove Fade": false}
    })");
    const TriggerComponent copy = RoundTrip(trigger);
    EXPECT_TRUE(copy.Equals(trigger));
    ASSERT_EQ(copy.functions.size(), 5u);
    EXPECT_EQ(copy.functions[0]->event, TriggerEvent::OnEnter);
    EXPECT_EQ(As<TriggerNextLevel>(copy, 2).level, "Roof");
    EXPECT_FALSE(As<FadeOut>(copy, 4).removeFade);
}

TEST(TriggerComponent, EmptySlotsAreNotWritten)
{
    TriggerComponent trigger;
    trigger.functions.emplace_back();
    trigger.functions.push_back(TriggerFunction::Create("Tutorial"));
    const TriggerComponent copy = RoundTrip(trigger);
    ASSERT_EQ(copy.functions.size(), 1u);
    EXPECT_EQ(copy.functions[0]->EditorName(), "Tutorial");
}

TEST(TriggerComponent, CloneCopiesFunctionsAndContactStateIndependently)
{
    TriggerComponent trigger;
    ReadJson(trigger, R"({"Switch": {"number": 4}})");
    trigger.functions[0]->pendingTimer = 0.5f;
    trigger.otherEntity = Entity::FromId(7, "Player");
    trigger.touching = true;
    trigger.wasTouching = true;

    const std::unique_ptr<Component> cloned = trigger.Clone();
    auto& copy = static_cast<TriggerComponent&>(*cloned);
    EXPECT_EQ(copy.functions[0]->pendingTimer, 0.5f);
    EXPECT_EQ(copy.otherEntity.id, 7u);
    EXPECT_TRUE(copy.touching);
    EXPECT_TRUE(copy.wasTouching);

    dynamic_cast<TriggerSwitch&>(*copy.functions[0]).number = 9;
    copy.functions.clear();
    ASSERT_EQ(trigger.functions.size(), 1u);
    EXPECT_EQ(As<TriggerSwitch>(trigger, 0).number, 4);
}

TEST(TriggerComponent, EqualityComparesSlotsPairwise)
{
    TriggerComponent a;
    ReadJson(a, R"({"Frame Freeze": {"time": 0.5}})");
    TriggerComponent b = a;
    EXPECT_TRUE(a.Equals(b));

    // The event takes no part in equality.
    b.functions[0]->event = TriggerEvent::OnEnter;
    EXPECT_TRUE(a.Equals(b));

    b.functions[0]->delay = 1.0f;
    EXPECT_FALSE(a.Equals(b));

    b = a;
    dynamic_cast<TriggerFrameFreeze&>(*b.functions[0]).time = 0.25f;
    EXPECT_FALSE(a.Equals(b));

    b = a;
    b.functions[0] = TriggerFunction::Create("Switch");
    EXPECT_FALSE(a.Equals(b));

    a.functions.emplace_back();
    b = a;
    EXPECT_TRUE(a.Equals(b));
    b.functions[1] = TriggerFunction::Create("Timer");
    EXPECT_FALSE(a.Equals(b));
    EXPECT_TRUE(a.NotEquals(b));
    EXPECT_FALSE(a.Equals(Rotator{}));
}

TEST(TriggerComponent, LevelOverridesReadThroughTheEntityStore)
{
    test::TestWorld world;
    world.Init();
    const Entity door("Door");
    world.Store().AddComponent<TriggerComponent>(door);
    world.Store().AddComponent<Rotator>(door);
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(R"({"Name": "Door", "Trigger": {"Change Level": {"level": "Lab"}, "StopMusic": {}},
                                 "Rotator": {"speed": 2.5}})",
                             "level.json", nullptr));
    world.Store().ReadComponents(door, reader, &world.registry);

    const auto* trigger = world.Store().GetComponent<TriggerComponent>(door);
    ASSERT_EQ(trigger->functions.size(), 2u);
    EXPECT_EQ(As<TriggerNextLevel>(*trigger, 0).level, "Lab");
    // The walk through the trigger's members must leave the reader where the next component expects it.
    EXPECT_EQ(world.Store().GetComponent<Rotator>(door)->speed, 2.5f);
}

} // namespace
} // namespace kesto

namespace kesto
{
namespace
{

using Kinds = ::testing::Types<TriggerDashReset, TriggerNextLevel, TriggerCameraOffset, TriggerCameraZoom,
                               TriggerSpawnArchetype, TriggerSetState, TriggerGlobalParameter, TriggerDashResetVFX,
                               TriggerFrameFreeze, TriggerAmbientLight, TriggerTutorial, TriggerSwitch, SoundInstance,
                               TriggerAnimationPlay, TriggerSetFrame, TriggerTimer, StopMusic, FadeOut>;

template <typename Kind> class TriggerKindFields : public ::testing::Test
{
protected:
    // Every described field of `kind` changed, the shared ones included.
    static void PerturbAll(Kind& kind)
    {
        for (const FieldDesc<TriggerFunction>& field : TriggerFunction::Fields().Entries())
        {
            FieldValue value = field.get(kind);
            test::Perturb(value, field.look);
            field.set(kind, std::move(value));
        }
        for (const FieldDesc<Kind>& field : Kind::Fields().Entries())
        {
            FieldValue value = field.get(kind);
            test::Perturb(value, field.look);
            field.set(kind, std::move(value));
        }
    }

    test::QuietTrace quiet;
};

TYPED_TEST_SUITE(TriggerKindFields, Kinds);

TYPED_TEST(TriggerKindFields, WriteThenReadKeepsEverySharedAndOwnField)
{
    TypeParam original;
    this->PerturbAll(original);
    const std::string text = test::WriteJson(original);
    const std::unique_ptr<TriggerFunction> copy = TriggerFunction::Create(original.EditorName());
    ASSERT_NE(dynamic_cast<TypeParam*>(copy.get()), nullptr) << "the name does not create its own kind";
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(text, "written.json", nullptr)) << text;
    copy->Read(reader, &this->quiet.registry);

    EXPECT_TRUE(TriggerFunction::Fields().Same(*copy, original)) << text;
    EXPECT_TRUE(TypeParam::Fields().Same(static_cast<const TypeParam&>(*copy), original)) << text;
    EXPECT_TRUE(copy->Equals(original));
    EXPECT_FALSE(copy->Equals(TypeParam{}) && !TypeParam::Fields().Entries().empty());
    EXPECT_TRUE(copy->Clone()->Equals(*copy));
    EXPECT_TRUE(this->quiet.trace->Text().empty()) << this->quiet.trace->Text();
}

TYPED_TEST(TriggerKindFields, EqualityTellsApartEveryOwnField)
{
    for (const FieldDesc<TypeParam>& field : TypeParam::Fields().Entries())
    {
        TypeParam changed;
        FieldValue value = field.get(changed);
        test::Perturb(value, field.look);
        field.set(changed, std::move(value));
        EXPECT_FALSE(changed.Equals(TypeParam{})) << field.key;
    }
}

TYPED_TEST(TriggerKindFields, InspectorDrawsAndReportsNoChangeWithoutInput)
{
    test::HeadlessImGui gui;
    test::TestWorld world;
    world.Init();
    TypeParam kind;
    for (SystemRegistry* registry : {static_cast<SystemRegistry*>(nullptr), &world.registry})
    {
        EXPECT_FALSE(gui.Frame([&] { return kind.Inspect(registry); }));
        EXPECT_FALSE(gui.Frame([&] { return kind.Inspect(registry); }));
    }
}

TEST(TriggerFunction, ChoiceNumbersOutsideTheirListsAreReportedAndTheDefaultKept)
{
    QuietTrace quiet;
    TriggerComponent trigger;
    ReadJson(trigger, R"({"Set State": {"state": 42, "event": 5}, "Timer": {"function": -1},
                          "Change Level": {"type": 3, "level": "Lab"}, "Tutorial": {"tutorial": 2}})",
             &quiet.registry);
    ASSERT_EQ(trigger.functions.size(), 4u);
    EXPECT_EQ(As<TriggerSetState>(trigger, 0).state, PlayerState::Normal);
    EXPECT_EQ(trigger.functions[0]->event, TriggerEvent::OnCollide);
    EXPECT_EQ(As<TriggerTimer>(trigger, 1).function, TimerFunction::Start);
    EXPECT_EQ(As<TriggerNextLevel>(trigger, 2).type, ScreenTransition::Slide);
    EXPECT_EQ(As<TriggerNextLevel>(trigger, 2).level, "Lab");
    EXPECT_EQ(As<TriggerTutorial>(trigger, 3).tutorial, 2);
    const std::string log = quiet.trace->Text();
    for (const char* line : {"test.json: Set State \"state\" 42 is not one of its 8 choices",
                             "test.json: Set State \"event\" 5 is not one of its 2 choices",
                             "test.json: Timer \"function\" -1", "test.json: Change Level \"type\" 3"})
    {
        EXPECT_NE(log.find(line), std::string::npos) << line << " in\n" << log;
    }
    EXPECT_EQ(quiet.trace->ReportCount(), 4u) << log;
}

TEST(TriggerComponent, InspectorMovesAndRemovesFunctions)
{
    test::HeadlessImGui gui;
    TriggerComponent trigger;
    ReadJson(trigger, R"({"Camera Zoom": {}, "Timer": {}, "Switch": {}})");
    const auto draw = [&] { return trigger.Inspect(nullptr); };
    const auto order = [&]
    {
        std::string names;
        for (const auto& function : trigger.functions)
        {
            names += std::string(function ? function->EditorName() : "(empty)") + ";";
        }
        return names;
    };
    EXPECT_FALSE(gui.Frame(draw));

    // Rows: 0 "Function Count"; per function a heading, "Event", "Delay", "Dash Required" with "Happens Once", its
    // own fields, then the up, down and "Remove" buttons. Camera Zoom's buttons are on row 7.
    constexpr float up = 17.0f;
    constexpr float down = 44.0f;
    constexpr float remove = 85.0f;
    EXPECT_TRUE(gui.Click(7, down, draw));
    EXPECT_EQ(order(), "Timer;Camera Zoom;Switch;");
    // Switch's buttons: Timer takes rows 1-6, Camera Zoom 7-13, Switch 14-19.
    EXPECT_TRUE(gui.Click(19, up, draw));
    EXPECT_EQ(order(), "Timer;Switch;Camera Zoom;");
    // The first function cannot move up.
    EXPECT_FALSE(gui.Click(6, up, draw));
    EXPECT_EQ(order(), "Timer;Switch;Camera Zoom;");
    EXPECT_TRUE(gui.Click(6, remove, draw));
    EXPECT_EQ(order(), "Switch;Camera Zoom;");
    // Switch's "Delay" on row 3.
    EXPECT_TRUE(gui.Drag(3, 20.0f, draw));
    EXPECT_GT(trigger.functions[0]->delay, 0.0f);
    EXPECT_EQ(trigger.functions[1]->delay, 0.0f);
}

} // namespace
} // namespace kesto

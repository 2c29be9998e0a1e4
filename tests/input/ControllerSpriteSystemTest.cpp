#include "input/ControllerSpriteSystem.h"

#include "ecs/JsonReader.h"
#include "ecs/Transform.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "input/ControllerInputManager.h"
#include "input/ControllerSprite.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class ControllerSpriteSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        world.Init();
        sources = world.registry.GetSystem<SpriteSourceManager>();
        for (const char* name : {"KeyPrompt", "PadPrompt"})
        {
            sources->sources[name].name = name;
        }
        EntityStore& store = world.Store();
        store.AddComponent<Transform>(prompt)->SetScale({64.0f, 32.0f});
        store.AddComponent<Sprite>(prompt)->spriteSource = sources->Find("KeyPrompt");
        store.AddComponent<ControllerSprite>(prompt)->controllerSprite = "PadPrompt";
    }

    void Frame()
    {
        world.registry.GetSystem<ControllerInputManager>()->Update(0.016f);
        SystemStore& systems = world.Systems();
        systems.GetSystem<ControllerSpriteSystem>()->Update(systems.GetEntityList<ControllerSpriteSystem>(), 0.016f);
    }

    void UsePad()
    {
        world.pad->connected = true;
        world.pad->state.buttons = 0x1000;
        world.pad->state.packetNumber += 1;
    }

    std::string Shown() { return world.Store().GetComponent<Sprite>(prompt)->spriteSource->name; }
    Vec2 Scale() { return world.Store().GetComponent<Transform>(prompt)->GetScale(); }

    test::TestWorld world;
    SpriteSourceManager* sources = nullptr;
    Entity prompt{"Prompt"};
};

TEST_F(ControllerSpriteSystemTest, KeyboardKeepsTheCapturedImageAndScale)
{
    Frame();
    EXPECT_EQ(Shown(), "KeyPrompt");
    world.Store().GetComponent<Transform>(prompt)->SetScale({1.0f, 1.0f});
    Frame();
    EXPECT_EQ(Scale(), (Vec2{64.0f, 32.0f})); // held at the captured value
}

TEST_F(ControllerSpriteSystemTest, ThePadSwapsTheImageAndOnlyAGivenSize)
{
    Frame();
    UsePad();
    Frame();
    EXPECT_EQ(Shown(), "PadPrompt");
    EXPECT_EQ(Scale(), (Vec2{64.0f, 32.0f})); // "Size" (0, 0) keeps the scale
    world.Store().GetComponent<ControllerSprite>(prompt)->controllerSize = {40.0f, -5.0f};
    Frame();
    EXPECT_EQ(Scale(), (Vec2{40.0f, 0.0f}));
}

TEST_F(ControllerSpriteSystemTest, AnUnknownImageShowsNoSource)
{
    world.Store().GetComponent<ControllerSprite>(prompt)->controllerSprite = "Missing";
    UsePad();
    Frame();
    EXPECT_EQ(world.Store().GetComponent<Sprite>(prompt)->spriteSource, nullptr);
}

TEST(ControllerSprite, ReadsAndComparesSpriteAndSize)
{
    ControllerSprite a;
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(R"({"Sprite": "AButton", "Size": [48, 48]})", "inline", nullptr));
    a.Read(reader, nullptr);
    EXPECT_EQ(a.controllerSprite, "AButton");
    EXPECT_EQ(a.controllerSize, (Vec2{48.0f, 48.0f}));
    ControllerSprite b = a;
    b.keyboardSprite = "Other";
    EXPECT_TRUE(a.Equals(b));
    b.controllerSize = {1.0f, 1.0f};
    EXPECT_FALSE(a.Equals(b));
}

} // namespace
} // namespace kesto

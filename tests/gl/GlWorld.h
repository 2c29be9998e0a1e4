#pragma once

#include "ecs/Entity.h"
#include "engine/SystemRegistry.h"
#include "engine/Vector.h"
#include "gl/Screenshot.h"
#include "input/FakePad.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
class Camera;
class EntityStore;
class RendererSystem;
class Sprite;
class SpriteSourceManager;
class Trace;
class WindowHandler;
} // namespace kesto

namespace kesto::test
{

// The engine with a real window and GL context, shared by every GL test of the run: a display server may refuse
// connections for a moment after its last client leaves, so the run keeps one connection. Runs from the
// repository root (shaders from Assets/, art from tests/data/graphics/).
class GlWorld : public ::testing::Environment
{
public:
    static constexpr int width = 320;
    static constexpr int height = 180;

    void SetUp() override;
    void TearDown() override;

    // The one world of the run; null before the environment is set up.
    static GlWorld* Get();

    SystemRegistry* registry = nullptr;

private:
    test::FakePad pad; // no pad is plugged in; outlives the engine
    std::unique_ptr<SystemRegistry> owned;
};

// Each test starts from a small window, the start view, no effects, every texture uploaded; entities it makes
// with Add* are destroyed after it.
class GlTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs frames of every system (events pumped first, as the input system does) with a step of 1/16 s.
    void Frames(int count, float dt = 0.0625f);
    // A sprite of a source from the test art table; order and depth as given.
    Entity AddSprite(const std::string& source, Vec2 position, float side, int order = 0, float depth = 0.0f);
    Entity AddLight(Vec2 position, Vec3 color, float radius);
    Sprite& SpriteOf(const Entity& entity);
    // Where a world point lands on the window at the default zoom, y from the top.
    Vec2 ToPixel(Vec2 world) const;
    Pixels Window() const;
    Pixels Scene() const;

    SystemRegistry& registry = *GlWorld::Get()->registry;
    EntityStore& store;
    RendererSystem& renderer;
    Camera& camera;
    WindowHandler& window;
    SpriteSourceManager& sources;
    Trace& trace;

public:
    GlTest();

private:
    std::vector<Entity> created;
};

// Colour closeness with room for rounding and filtering.
::testing::AssertionResult Near(Pixels::Color actual, Pixels::Color expected, int tolerance = 3);

} // namespace kesto::test

#include "editor/EditorSystem.h"

#include "editor/EditorWorld.h"
#include "engine/SystemRegistry.h"
#include "input/PCInputManager.h"
#include "physics/Collider.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

class EditorSystemTest : public ::testing::Test
{
protected:
    void SetUp() override { editor.Init(); }

    std::string SelectedName() const { return editor.editor->Selection().name; }
    EntityList& Listed() { return editor.world.Systems().GetEntityList<EditorSystem>(); }

    test::EditorWorld editor;
};

TEST_F(EditorSystemTest, PicksTheHighestSpriteOrderWhereItIsDrawnPassingOverLockedEntities)
{
    editor.Add("Back", {0, 0}, {200, 200}, 1);
    editor.Add("Front", {0, 0}, {100, 100}, 5);
    editor.Add("FrontTie", {0, 0}, {100, 100}, 5);
    // Half way to the camera: drawn at (500, 0), not where its transform is.
    editor.Add("Far", {1000, 0}, {200, 200}, 0, 0.5f);
    editor.Add("Over", {-1000, 0}, {200, 200}, 9);
    editor.Add("Bare", {-1000, 0}, {200, 200});
    const Entity locked = editor.Add("Locked", {-600, 0}, {200, 200});
    editor.TransformOf(locked).locked = true;
    editor.Add("UnderLocked", {-600, 0}, {300, 300}, 0);

    struct Case
    {
        Vec2 point;
        std::string picked; // empty: nothing
    };
    const std::vector<Case> cases{
        {{0, 0}, "FrontTie"},       // equal orders: the later entity
        {{90, 90}, "Back"},         // outside the small ones
        {{500, 0}, "Far"},          // where the parallax draws it
        {{1000, 0}, ""},            // where its transform alone would put it
        {{-1000, 0}, "Bare"},       // no sprite: taken at once, whatever the orders
        {{-600, 0}, "UnderLocked"}, // the locked entity is passed over
        {{3000, 3000}, ""},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(editor.editor->Pick(Listed(), c.point).name, c.picked) << c.point.x << ", " << c.point.y;
    }
}

TEST_F(EditorSystemTest, ClicksSelectAndEmptySpaceRightClickOrEscapeClear)
{
    editor.Add("Crate", {0, 0}, {200, 200});
    struct Case
    {
        const char* what;
        int code;
        Vec2 at;
    };
    for (const Case& c :
         {Case{"left click on empty space", GLFW_MOUSE_BUTTON_LEFT, {500, 500}},
          Case{"right click", GLFW_MOUSE_BUTTON_RIGHT, {0, 0}}, Case{"Escape", GLFW_KEY_ESCAPE, {0, 0}}})
    {
        editor.CursorAt({0, 0});
        editor.Click();
        ASSERT_EQ(SelectedName(), "Crate") << c.what;
        editor.CursorAt(c.at);
        editor.Click(c.code);
        EXPECT_FALSE(editor.editor->Selection().IsValid()) << c.what;
    }
}

TEST_F(EditorSystemTest, DraggingMovesTheSelectionAndShiftKeepsTheLargerAxis)
{
    const Entity crate = editor.Add("Crate", {0, 0}, {200, 200});
    struct Case
    {
        bool shift;
        Vec2 drag;
        Vec2 expected;
    };
    const std::vector<Case> cases{
        {false, {300, 100}, {300, 100}},
        {true, {300, 100}, {300, 0}},
        {true, {-40, 200}, {0, 200}},
    };
    for (const Case& c : cases)
    {
        editor.TransformOf(crate).SetTranslation({0, 0});
        editor.editor->Select(crate);
        if (c.shift)
        {
            editor.world.keyboardMouse->Press(GLFW_KEY_LEFT_SHIFT);
        }
        editor.Drag({20, 20}, Vec2{20, 20} + c.drag);
        editor.world.keyboardMouse->Release(GLFW_KEY_LEFT_SHIFT);
        const Vec2 position = editor.TransformOf(crate).GetTranslation();
        EXPECT_NEAR(position.x, c.expected.x, 0.01f) << c.shift << " " << c.drag.x << ", " << c.drag.y;
        EXPECT_NEAR(position.y, c.expected.y, 0.01f) << c.shift << " " << c.drag.x << ", " << c.drag.y;
        EXPECT_FALSE(editor.editor->IsDragging());
        EXPECT_EQ(SelectedName(), "Crate");
    }
    EXPECT_TRUE(editor.world.registry.unsavedChanges);
    EXPECT_TRUE(editor.levels->levelChanged);
}

TEST_F(EditorSystemTest, ResizingFromAnEdgeKeepsTheOppositeEdgeAndStopsAtZero)
{
    // A 200 x 100 box centred on (0, 0); the grab band is 16 units (zoom 1600 x 0.01) outside each edge.
    const Entity box = editor.Add("Box", {0, 0}, {200, 100});
    struct Case
    {
        const char* what;
        Vec2 grab;
        Vec2 to;
        bool shift;
        Vec2 scale;
        Vec2 position;
    };
    const std::vector<Case> cases{
        {"right edge out", {108, 0}, {208, 0}, false, {300, 100}, {50, 0}},
        {"left edge out", {-108, 0}, {-158, 30}, false, {250, 100}, {-25, 0}},
        {"top edge in", {0, 58}, {40, 18}, false, {200, 60}, {0, -20}},
        {"bottom edge out", {0, -58}, {0, -98}, false, {200, 140}, {0, -20}},
        {"top right corner", {108, 58}, {128, 98}, false, {220, 140}, {10, 20}},
        {"right edge with Shift keeps the aspect", {108, 0}, {208, 0}, true, {280, 140}, {40, 0}},
        {"right edge past the left edge", {108, 0}, {-400, 0}, false, {0, 100}, {-100, 0}},
        {"bottom edge past the top edge", {0, -58}, {0, 400}, false, {200, 0}, {0, 50}},
    };
    for (const Case& c : cases)
    {
        editor.TransformOf(box).SetTranslation({0, 0});
        editor.TransformOf(box).SetScale({200, 100});
        editor.editor->Select(box);
        if (c.shift)
        {
            editor.world.keyboardMouse->Press(GLFW_KEY_LEFT_SHIFT);
        }
        editor.Drag(c.grab, c.to);
        editor.world.keyboardMouse->Release(GLFW_KEY_LEFT_SHIFT);
        const Transform& transform = editor.TransformOf(box);
        EXPECT_NEAR(transform.GetScale().x, c.scale.x, 0.05f) << c.what;
        EXPECT_NEAR(transform.GetScale().y, c.scale.y, 0.05f) << c.what;
        EXPECT_NEAR(transform.GetTranslation().x, c.position.x, 0.05f) << c.what;
        EXPECT_NEAR(transform.GetTranslation().y, c.position.y, 0.05f) << c.what;
    }
}

TEST_F(EditorSystemTest, AnEdgeIsGrabbedOnlyAlongItsLength)
{
    const Entity box = editor.Add("Box", {0, 0}, {200, 100});
    editor.editor->Select(box);
    // Level with the right edge but far above it: a click there picks, it does not resize.
    editor.CursorAt({108, 400});
    editor.Frame();
    EXPECT_FALSE(editor.editor->edges.Any());
    editor.CursorAt({108, 0});
    editor.Frame();
    EXPECT_TRUE(editor.editor->edges.right);
    EXPECT_FALSE(editor.editor->edges.top || editor.editor->edges.bottom || editor.editor->edges.left);
}

TEST_F(EditorSystemTest, ControlSnapsTheNearestCornerWithinThreeHundredthsOfTheZoom)
{
    // Zoom 1600: corners within 48 units snap.
    editor.Add("Ground", {0, 0}, {200, 200});
    const Entity far = editor.Add("Scenery", {600, 0}, {200, 200}, 0, 0.3f);
    (void)far;
    const Entity crate = editor.Add("Crate", {-1000, 0}, {100, 100});
    struct Case
    {
        const char* what;
        Vec2 dropAt; // where the crate's centre is dragged
        Vec2 expected;
    };
    const std::vector<Case> cases{
        // Its bottom-left corner lands 30 right and 20 above the ground's top-right corner (100, 100).
        {"near a corner", {180, 170}, {150, 150}},
        {"beyond reach", {250, 250}, {250, 250}},
        // The scenery sits at another depth, so its corners do not count.
        {"near a corner at another depth", {760, 160}, {760, 160}},
    };
    for (const Case& c : cases)
    {
        editor.TransformOf(crate).SetTranslation({-1000, 0});
        editor.editor->Select(crate);
        editor.world.keyboardMouse->Press(GLFW_KEY_LEFT_CONTROL);
        editor.Drag({-1000, 0}, c.dropAt);
        editor.world.keyboardMouse->Release(GLFW_KEY_LEFT_CONTROL);
        editor.Frame();
        const Vec2 position = editor.TransformOf(crate).GetTranslation();
        EXPECT_NEAR(position.x, c.expected.x, 0.01f) << c.what;
        EXPECT_NEAR(position.y, c.expected.y, 0.01f) << c.what;
    }
}

TEST_F(EditorSystemTest, SnappingComparesColliderCornersWhenBothHaveColliders)
{
    const Entity ground = editor.Add("Ground", {0, 0}, {200, 200});
    const Entity crate = editor.Add("Crate", {190, 0}, {100, 100});
    // The crate's transform corners are 64 units from the ground's; its collider, twice as tall, reaches to 40.
    EXPECT_EQ(editor.editor->SnapOffset(Listed(), crate), (Vec2{0, 0}));
    editor.world.Store().AddComponent<Collider>(crate)->SetScale({1, 2});
    EXPECT_EQ(editor.editor->SnapOffset(Listed(), crate), (Vec2{0, 0})) << "only one of them has a collider";
    editor.world.Store().AddComponent<Collider>(ground);
    const Vec2 offset = editor.editor->SnapOffset(Listed(), crate);
    EXPECT_NEAR(offset.x, -40.0f, 0.01f);
    EXPECT_NEAR(offset.y, 0.0f, 0.01f);
}

TEST_F(EditorSystemTest, ControlDDuplicatesAndDeleteRemovesTheSelectionButNothingWithoutOne)
{
    const Entity crate = editor.Add("Crate", {100, 50}, {80, 60}, 3);
    struct Case
    {
        const char* what;
        bool selected;
        bool duplicate; // Ctrl+D, else Delete
        std::size_t crates;
    };
    const std::vector<Case> cases{
        {"Ctrl+D with nothing selected", false, true, 1},
        {"Delete with nothing selected", false, false, 1},
        {"Ctrl+D", true, true, 2},
        {"Delete", true, false, 1},
    };
    for (const Case& c : cases)
    {
        c.selected ? editor.editor->Select(crate) : editor.editor->ClearSelection();
        if (c.duplicate)
        {
            editor.world.keyboardMouse->Press(GLFW_KEY_LEFT_CONTROL);
            editor.Press(GLFW_KEY_D);
            editor.Release(GLFW_KEY_D);
            editor.Release(GLFW_KEY_LEFT_CONTROL);
        }
        else
        {
            editor.Press(GLFW_KEY_DELETE);
            editor.Release(GLFW_KEY_DELETE);
        }
        EXPECT_EQ(editor.levels->levelEntities[0].size(), c.crates) << c.what;
        EXPECT_EQ(editor.world.Store().GetEntities({ComponentType::Transform}).size(), c.crates) << c.what;
    }
    // The copy survives the original's deletion with every component and value.
    const Entity copy = editor.levels->levelEntities[0].at(0);
    EXPECT_NE(copy.id, crate.id);
    EXPECT_EQ(copy.name, "Crate");
    EXPECT_FALSE(editor.world.Store().HasComponent<Transform>(crate));
    EXPECT_EQ(editor.TransformOf(copy).GetTranslation(), (Vec2{100, 50}));
    EXPECT_EQ(editor.TransformOf(copy).GetScale(), (Vec2{80, 60}));
    EXPECT_EQ(editor.world.Store().GetComponent<Sprite>(copy)->order, 3);
    EXPECT_FALSE(editor.editor->Selection().IsValid());
}

TEST_F(EditorSystemTest, TheMiddleButtonPansAndTheWheelZoomsAboutTheCursor)
{
    editor.CursorAt({100, 100});
    editor.Press(GLFW_MOUSE_BUTTON_MIDDLE);
    editor.CursorAt({300, 0});
    editor.Frame();
    editor.Frame();
    editor.Release(GLFW_MOUSE_BUTTON_MIDDLE);
    // The world followed the mouse: the point that was under it is under it again.
    EXPECT_NEAR(editor.camera->GetPosition().x, -200.0f, 0.01f);
    EXPECT_NEAR(editor.camera->GetPosition().y, 100.0f, 0.01f);

    const Vec2 under{-100, 300};
    editor.CursorAt(under);
    const auto pixels = editor.world.keyboardMouse->cursor;
    editor.world.registry.GetSystem<PCInputManager>()->scroll = 2;
    editor.world.Systems().GetSystem<EditorSystem>()->Update(Listed(), 0.0f);
    EXPECT_NEAR(editor.camera->GetZoom(), 1600.0f - 2 * 160.0f, 0.01f);
    const Vec2 after = editor.camera->ScreenToWorld({static_cast<float>(pixels.x), static_cast<float>(pixels.y)});
    EXPECT_NEAR(after.x, under.x, 0.05f);
    EXPECT_NEAR(after.y, under.y, 0.05f);
}

} // namespace
} // namespace kesto

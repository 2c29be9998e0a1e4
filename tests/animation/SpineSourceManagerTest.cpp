#include "animation/SpineSourceManager.h"

#include "graphics/Sprite.h"
#include "support/ComponentJson.h"
#include "support/HeadlessImGui.h"
#include "support/TestWorld.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

const fs::path banner = fs::path(KESTO_SPINE_ASSETS) / "Banner";

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class SpineSourceManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { world.Init(); }

    // A manager of its own on `folder`, with the world's Trace.
    void Start(const std::string& folder)
    {
        manager.registry = &world.registry;
        manager.folder = folder;
        manager.Init();
    }

    // A skeleton folder `name` under the test's Spine folder, with the banner's files as `edit` leaves them.
    fs::path MakeFolder(const std::string& name)
    {
        const fs::path folder = root / name;
        fs::create_directories(folder);
        fs::copy_file(banner / "Banner.png", folder / "Banner.png");
        WriteText(folder / (name + ".atlas"), ReadText(banner / "Banner.atlas"));
        WriteText(folder / (name + ".json"), ReadText(banner / "Banner.json"));
        return folder;
    }

    void TearDown() override { fs::remove_all(root); }

    test::TestWorld world;
    SpineSourceManager manager;
    const fs::path root = fs::temp_directory_path() /
                          ("kesto_spine_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(SpineSourceManagerTest, BadSkeletonFoldersGiveEmptySourcesWithOneLineEach)
{
    struct Case
    {
        const char* name;
        void (*spoil)(const fs::path& folder, const std::string& name);
    };
    const Case cases[] = {
        {"NoAtlas", [](const fs::path& f, const std::string& n) { fs::remove(f / (n + ".atlas")); }},
        {"NoJson", [](const fs::path& f, const std::string& n) { fs::remove(f / (n + ".json")); }},
        {"Truncated",
         [](const fs::path& f, const std::string& n)
         {
             const std::string text = ReadText(f / (n + ".json"));
             WriteText(f / (n + ".json"), text.substr(0, text.size() / 2));
         }},
        {"MissingPage", [](const fs::path& f, const std::string&) { fs::remove(f / "Banner.png"); }},
        {"NotJson", [](const fs::path& f, const std::string& n) { WriteText(f / (n + ".json"), "\x89PNG"); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        fs::remove_all(root);
        c.spoil(MakeFolder(c.name), c.name);
        MakeFolder("Good");
        const std::size_t before = world.trace->ReportCount();
        SpineSourceManager own;
        own.registry = &world.registry;
        own.folder = (root.generic_string() + "\\");
        own.Init();

        ASSERT_EQ(own.Names(), (std::vector<std::string>{"Good", c.name}));
        EXPECT_TRUE(own.Find("Good")->IsLoaded());
        EXPECT_FALSE(own.Find(c.name)->IsLoaded());
        EXPECT_EQ(world.trace->ReportCount() - before, 1u) << world.trace->Text();
        EXPECT_NE(world.trace->Text().find(c.name), std::string::npos);
        EXPECT_FALSE(SpineInstance(own.Find(c.name)).HasSkeleton());
    }
}

TEST_F(SpineSourceManagerTest, AMissingSpineFolderIsOneLineAndNoSources)
{
    const std::size_t before = world.trace->ReportCount();
    Start((root / "Absent").generic_string());
    EXPECT_TRUE(manager.Names().empty());
    EXPECT_EQ(world.trace->ReportCount() - before, 1u);
}

TEST_F(SpineSourceManagerTest, ClonedSpritesAnimateIndependentlyAndLoop)
{
    Start(KESTO_SPINE_ASSETS);
    ASSERT_TRUE(manager.Find("Lamp") && manager.Find("Lamp")->IsLoaded());
    Sprite original;
    original.usingSpine = true;
    original.spine = SpineInstance(manager.Find("Lamp"));
    const std::unique_ptr<Component> copy = original.Clone();
    Sprite& clone = static_cast<Sprite&>(*copy);
    ASSERT_TRUE(clone.spine.HasSkeleton());
    ASSERT_NE(clone.spine.skeleton.get(), original.spine.skeleton.get());

    auto swing = [](Sprite& sprite) { return sprite.spine.skeleton->FindBone("swing")->rotation; };
    const float duration = manager.Find("Lamp")->skeletonData->FindAnimation("animation")->duration;
    // Only the original plays; the clone stays in its setup pose.
    for (int i = 0; i < 5; ++i)
    {
        original.spine.Advance(0.1f);
    }
    EXPECT_NE(swing(original), swing(clone));
    // The same steps give the clone the same pose; a whole loop later both are back where they were.
    for (int i = 0; i < 5; ++i)
    {
        clone.spine.Advance(0.1f);
    }
    EXPECT_FLOAT_EQ(swing(original), swing(clone));
    const float before = swing(original);
    original.spine.Advance(duration);
    EXPECT_NEAR(swing(original), before, 1e-3f);
    EXPECT_STREQ(original.spine.state->GetCurrent(0)->animation->name.c_str(), "animation");
}

TEST_F(SpineSourceManagerTest, ASpriteNamingAMissingSkeletonShowsNothingButKeepsTheName)
{
    const std::size_t before = world.trace->ReportCount();
    Sprite sprite;
    test::ReadJson(sprite, R"({"usingSpine": true, "name": "Ghost"})", &world.registry);
    EXPECT_EQ(world.trace->ReportCount() - before, 1u);
    EXPECT_NE(world.trace->Text().find("\"Ghost\""), std::string::npos) << world.trace->Text();
    EXPECT_FALSE(sprite.spine.HasSkeleton());
    sprite.spine.Advance(0.5f);
    // Written back (an editor save) and cloned, the name stays.
    EXPECT_NE(test::WriteJson(*sprite.Clone()).find(R"("name": "Ghost")"), std::string::npos)
        << test::WriteJson(sprite);
}

TEST_F(SpineSourceManagerTest, TheSpriteInspectorsSpineComboGivesTheSpriteAFreshSkeleton)
{
    auto& skeletons = *world.registry.GetSystem<SpineSourceManager>();
    skeletons.folder = KESTO_SPINE_ASSETS;
    skeletons.Init();
    ASSERT_EQ(skeletons.Names(), (std::vector<std::string>{"Banner", "Lamp"}));
    test::HeadlessImGui gui;
    Sprite sprite;
    const auto draw = [&] { return sprite.Inspect(&world.registry); };
    // Rows: "Using Spine", then "Spine" whose list opens below it, one name a row.
    EXPECT_TRUE(gui.Click(0, 10.0f, draw));
    ASSERT_TRUE(sprite.usingSpine);
    EXPECT_FALSE(sprite.spine.HasSkeleton());
    EXPECT_FALSE(gui.Click(1, 20.0f, draw));
    EXPECT_TRUE(gui.Click(3, 20.0f, draw));
    ASSERT_EQ(sprite.spine.Name(), "Lamp");
    ASSERT_TRUE(sprite.spine.HasSkeleton());
    // Switching Spine off drops the skeleton with it.
    EXPECT_TRUE(gui.Click(0, 10.0f, draw));
    EXPECT_FALSE(sprite.usingSpine);
    EXPECT_FALSE(sprite.spine.HasSkeleton());
}

} // namespace
} // namespace kesto

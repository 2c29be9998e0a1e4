#include "ecs/ArchetypeFactory.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "levels/LevelManager.h"
#include "particles/ParticleEmitter.h"
#include "support/TestWorld.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

// A JSON object whose only member holds arrays and objects nested `levels` deep.
std::string DeeplyNested(int levels)
{
    std::string text = "{\"Transform\": ";
    for (int i = 0; i < levels; ++i)
    {
        text += i % 2 == 0 ? "[" : "{\"a\": ";
    }
    text += "0";
    for (int i = levels - 1; i >= 0; --i)
    {
        text += i % 2 == 0 ? "]" : "}";
    }
    return text + "}";
}

// The game's engine over an asset root written by the test: content a careless or hostile designer could ship.
class HostileContent : public ::testing::Test
{
protected:
    HostileContent()
        : root(fs::temp_directory_path() /
               ("kesto-hostile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
    {
        fs::remove_all(root);
        fs::create_directories(root / "Data/Levels");
        fs::create_directories(root / "Data/Archetypes");
        fs::create_directories(root / "Data/Files");
    }
    ~HostileContent() override { fs::remove_all(root); }

    void Write(const std::string& relative, const std::string& text) { std::ofstream(root / relative) << text; }

    // Builds, initialises and runs the engine for a few frames; returns its Trace's lines.
    std::string Run()
    {
        EngineDef def = test::HeadlessDef(keyboardMouse, pad);
        def.assetRoot = root.string() + "/";
        RegisterEngineSystems(registry, def);
        registry.GetSystem<Trace>()->echo = nullptr;
        registry.InitAll();
        for (int frame = 1; frame <= 3; ++frame)
        {
            registry.StepFrame(static_cast<float>(frame) / 60.0f);
        }
        return registry.GetSystem<Trace>()->Text();
    }

    static int LinesNaming(const std::string& log, const std::string& fragment)
    {
        std::istringstream lines(log);
        int count = 0;
        for (std::string line; std::getline(lines, line);)
        {
            count += line.find(fragment) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    fs::path root;
    test::FakeKeyboardMouse keyboardMouse;
    test::FakePad pad;
    SystemRegistry registry;
};

TEST_F(HostileContent, FilesNested105000DeepAreReportedOnceAndSkipped)
{
    const std::string deep = DeeplyNested(105000);
    Write("Data/Levels/default.txt", "Deep\n");
    Write("Data/Levels/Deep.json", deep);
    Write("Data/Archetypes/Deep.json", deep);
    Write("Data/Files/KeyBindings.json", deep);

    const std::string log = Run();

    for (const char* file : {"Levels/Deep.json", "Archetypes/Deep.json", "Files/KeyBindings.json"})
    {
        EXPECT_EQ(LinesNaming(log, file), 1) << file << "\n" << log;
        EXPECT_EQ(LinesNaming(log, std::string(file) + ": nested deeper than"), 1) << file << "\n" << log;
    }
    EXPECT_EQ(registry.GetSystem<LevelManager>()->currentLevel, "Deep");
    EXPECT_TRUE(registry.GetSystem<ArchetypeFactory>()->HasArchetype("Deep"));
}

TEST_F(HostileContent, AnEmissionCountOfTwoBillionInA74ByteArchetypeReadsWhatTheFileHolds)
{
    const std::string emitter = R"({"ParticleEmitter": {"Emissions Count": 2000000000, "Emission0": {"x":1}}})";
    ASSERT_EQ(emitter.size(), 74u);
    Write("Data/Archetypes/Sparks.json", emitter);

    const std::string log = Run();

    const ArchetypeFactory& factory = *registry.GetSystem<ArchetypeFactory>();
    ASSERT_TRUE(factory.HasArchetype("Sparks"));
    const auto& prototype = factory.GetArchetype("Sparks")[static_cast<std::size_t>(ComponentType::ParticleEmitter)];
    ASSERT_NE(prototype, nullptr);
    EXPECT_TRUE(static_cast<const ParticleEmitter&>(*prototype).emissions.empty());
    EXPECT_EQ(LinesNaming(log, "\"Emissions Count\" 2000000000 is more than the 2 members"), 1) << log;
    // Beside the count, Emission0 (no name) and Emission1 (absent) are named; not the other 1,999,999,998.
    EXPECT_EQ(LinesNaming(log, "Sparks.json"), 3) << log;
}

} // namespace
} // namespace kesto

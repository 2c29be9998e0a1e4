#include "ecs/ArchetypeFactory.h"
#include "ecs/Transform.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "input/MasterInputManager.h"
#include "levels/LevelManager.h"
#include "particles/ParticleTemplateManager.h"
#include "support/TestWorld.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

const std::string bom = "\xEF\xBB\xBF";

// One malformed file: the engine must load everything, keep `Holds`, and name the file in exactly one Trace line
// (none when `lines` is 0: the file is read as meant).
struct BadFile
{
    const char* what;
    std::string file; // under the asset root
    std::string text;
    std::function<void(SystemRegistry&)> holds;
    int lines = 1;
    bool checking = false; // wrong shapes are reported when data is checked (kesto-check); the game skips them
};

std::string HugeArray(int count)
{
    std::string text = "[";
    for (int i = 0; i < count; ++i)
    {
        text += i == 0 ? "1.0" : ",1.0";
    }
    return text + "]";
}

const Transform* CrateTransform(SystemRegistry& registry)
{
    const auto& prototypes = registry.GetSystem<ArchetypeFactory>()->GetArchetype("Crate");
    return static_cast<const Transform*>(prototypes[static_cast<std::size_t>(ComponentType::Transform)].get());
}

void NoLevelEntities(SystemRegistry& registry)
{
    const LevelManager& levels = *registry.GetSystem<LevelManager>();
    EXPECT_EQ(levels.currentLevel, "Start");
    ASSERT_FALSE(levels.levelEntities.empty());
    EXPECT_TRUE(levels.levelEntities[0].empty());
}

void DefaultView(SystemRegistry& registry)
{
    NoLevelEntities(registry);
    EXPECT_FLOAT_EQ(registry.GetSystem<Camera>()->GetZoom(), 1600.0f);
}

void CrateHasDefaultTransform(SystemRegistry& registry)
{
    ASSERT_TRUE(registry.GetSystem<ArchetypeFactory>()->HasArchetype("Crate"));
    const Transform* transform = CrateTransform(registry);
    ASSERT_NE(transform, nullptr);
    EXPECT_FLOAT_EQ(transform->GetRotation(), 0.0f);
    EXPECT_FLOAT_EQ(transform->GetScale().x, 100.0f);
}

void CrateIsEmpty(SystemRegistry& registry)
{
    ASSERT_TRUE(registry.GetSystem<ArchetypeFactory>()->HasArchetype("Crate"));
    EXPECT_EQ(CrateTransform(registry), nullptr);
}

void NoSpriteSources(SystemRegistry& registry)
{
    EXPECT_TRUE(registry.GetSystem<SpriteSourceManager>()->sources.empty());
}

void NoShaders(SystemRegistry& registry) { EXPECT_TRUE(registry.GetSystem<ShaderManager>()->shaders.empty()); }

void NoTemplates(SystemRegistry& registry)
{
    EXPECT_TRUE(registry.GetSystem<ParticleTemplateManager>()->Names().empty());
}

void DefaultJump(SystemRegistry& registry)
{
    const auto& bindings = registry.GetSystem<MasterInputManager>()->keyBindings;
    const auto jump = bindings.find("Jump");
    ASSERT_NE(jump, bindings.end());
    EXPECT_FALSE(jump->second.empty());
}

const std::vector<BadFile>& Cases()
{
    const std::string level = "Data/Levels/Start.json";
    const std::string crate = "Data/Archetypes/Crate.json";
    const std::string art = "Data/Files/Art.json";
    const std::string shaders = "Data/Files/Shaders.json";
    const std::string particles = "Data/Files/Particles.json";
    const std::string keys = "Data/Files/KeyBindings.json";
    static const std::vector<BadFile> cases{
        // Levels
        {"level: truncated", level, R"({"Camera": {"Zoom": 900.0)", DefaultView},
        {"level: binary garbage", level, std::string("\x00\xff\x13\x37{\x80", 6), DefaultView},
        {"level: a number past the largest double", level, R"({"Camera": {"Zoom": 1e999}})", DefaultView},
        {"level: a sublevel that does not exist", level, R"({"Sublevels": ["Nowhere"]})", NoLevelEntities, 0},
        {"level: an archetype that does not exist", level, R"({"Archetype": {"Name": "Ghost"}})", NoLevelEntities},
        {"level: the root is an array", level, R"([{"Archetype": {"Name": "Crate"}}])", NoLevelEntities},
        {"level: depth scaling written as an integer", level, R"({"Lighting": {"DepthScaling": 5}})",
         [](SystemRegistry& registry)
         {
             NoLevelEntities(registry);
             EXPECT_FLOAT_EQ(registry.GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>()->depthScaling, 1000.0f);
         },
         1, true},
        {"level: a UTF-8 byte-order mark", level, bom + R"({"Camera": {"Zoom": 900.0}})",
         [](SystemRegistry& registry) { EXPECT_FLOAT_EQ(registry.GetSystem<Camera>()->GetZoom(), 900.0f); }, 0},
        // Archetypes
        {"archetype: truncated", crate, R"({"Transform": {"rotation": 0.5)", CrateIsEmpty},
        {"archetype: a float written as an integer", crate, R"({"Transform": {"rotation": 2}})",
         CrateHasDefaultTransform, 1, true},
        {"archetype: a vector of 100000 numbers", crate, R"({"Transform": {"scale": )" + HugeArray(100000) + "}}",
         CrateHasDefaultTransform, 1, true},
        {"archetype: a component that is a string", crate, R"({"Transform": "big"})", CrateIsEmpty, 1, true},
        {"archetype: non-finite numbers are not JSON", crate, R"({"Transform": {"rotation": NaN}})", CrateIsEmpty},
        {"archetype: a UTF-8 byte-order mark", crate, bom + R"({"Transform": {"rotation": 0.5}})",
         [](SystemRegistry& registry) { EXPECT_FLOAT_EQ(CrateTransform(registry)->GetRotation(), 0.5f); }, 0},
        // Asset tables
        {"Art.json: truncated", art, R"({"SpriteSource": {"name": "A")", NoSpriteSources},
        {"Art.json: an entry without a name", art, R"({"SpriteSource": {"path": "A.png"}})", NoSpriteSources},
        {"Shaders.json: binary garbage", shaders, "\x7f\x45\x4c\x46\x02\x01", NoShaders},
        {"Shaders.json: an entry without a fragment file", shaders,
         R"({"Shader": {"name": "S", "vertPath": "S.vert"}})", NoShaders},
        {"Particles.json: truncated", particles, R"({"ParticleTemplate": {"Name": "P")", NoTemplates},
        {"Particles.json: a template without a name", particles, R"({"ParticleTemplate": {"Lifetime": 1.0}})",
         NoTemplates},
        {"KeyBindings.json: names where codes belong", keys, R"({"Jump": {"PC": ["space"]}})", DefaultJump},
        {"KeyBindings.json: an action that is a number", keys, R"({"Jump": 32})", DefaultJump},
    };
    return cases;
}

int LinesNaming(const std::string& log, const std::string& fragment)
{
    std::istringstream lines(log);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
    {
        count += line.find(fragment) != std::string::npos ? 1 : 0;
    }
    return count;
}

TEST(BadData, EveryFormatLoadsAroundItsMistakesKeepsDefaultsAndNamesTheFileOnce)
{
    const fs::path root = fs::temp_directory_path() / "kesto-bad-data";
    const std::map<std::string, std::string> base{
        {"Data/Levels/default.txt", "Start\n"},
        {"Data/Levels/Start.json", "{}"},
        {"Data/Archetypes/Crate.json", R"({"Transform": {}})"},
        {"Data/Files/Shaders.json", "{}"},
        {"Data/Files/Art.json", "{}"},
        {"Data/Files/Particles.json", "{}"},
        {"Data/Files/KeyBindings.json", "{}"},
        {"Audio/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/GUIDs.txt", ""},
    };
    for (const BadFile& bad : Cases())
    {
        SCOPED_TRACE(bad.what);
        fs::remove_all(root);
        for (const auto& [file, text] : base)
        {
            fs::create_directories((root / file).parent_path());
            std::ofstream(root / file, std::ios::binary) << (file == bad.file ? bad.text : text);
        }
        test::FakeKeyboardMouse keyboardMouse;
        test::FakePad pad;
        std::string log;
        {
            SystemRegistry registry;
            EngineDef def = test::HeadlessDef(keyboardMouse, pad);
            def.assetRoot = root.string() + "/";
            RegisterEngineSystems(registry, def);
            Trace& trace = *registry.GetSystem<Trace>();
            trace.echo = nullptr;
            trace.checkingData = bad.checking;
            registry.InitAll();
            for (int frame = 1; frame <= 3; ++frame)
            {
                registry.StepFrame(static_cast<float>(frame) / 60.0f);
            }
            bad.holds(registry);
            log = trace.Text();
        }
        const std::string name = fs::path(bad.file).filename().string();
        EXPECT_EQ(LinesNaming(log, name), bad.lines) << log;
        if (std::string(bad.what).find("does not exist") != std::string::npos && bad.lines == 0)
        {
            EXPECT_EQ(LinesNaming(log, "Nowhere.json"), 1) << log;
        }
    }
    fs::remove_all(root);
}

} // namespace
} // namespace kesto

#include "check/DataCheck.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

// The game's shader table, naming the shader files where they are (data names them from the game's folder).
std::string GameShaders()
{
    std::ifstream file(KESTO_ASSETS "/Data/Files/Shaders.json");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (std::size_t at = text.find("\"Assets/"); at != std::string::npos; at = text.find("\"Assets/", at))
    {
        text.replace(at + 1, 6, KESTO_ASSETS);
        ++at;
    }
    return text;
}

// A small asset folder the checker finds clean, with the game's sounds and skeletons; each case changes or adds
// files and expects its lines.
const std::map<std::string, std::string>& CleanFiles()
{
    static const std::map<std::string, std::string> files{
        {"Data/Levels/default.txt", "Start\n"},
        {"Data/Levels/Start.json", R"({"Other": {"CanPause": true}, "Archetype": {"Name": "Crate"}})"},
        {"Data/Archetypes/Crate.json", R"({"Transform": {"translation": [0.0, 0.0], "rotation": 0.5}})"},
        {"Data/Files/Shaders.json", GameShaders()},
        {"Data/Files/Art.json", "{}"},
        {"Data/Files/Particles.json", "{}"},
        {"Data/Files/KeyBindings.json", "{}"},
    };
    return files;
}

struct BrokenCase
{
    const char* name;
    std::map<std::string, std::string> files;
    std::vector<std::string> lines; // each expected line, exactly; the checker prints nothing else
};

class DataCheck : public ::testing::Test
{
protected:
    // One folder per case: ctest runs the shares of the test program side by side.
    DataCheck()
        : root(fs::temp_directory_path() /
               ("kesto-check-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
    {
        fs::remove_all(root);
    }
    ~DataCheck() override { fs::remove_all(root); }

    std::string Write(const std::map<std::string, std::string>& changes)
    {
        fs::remove_all(root);
        fs::create_directories(root / "Art");
        fs::create_directory_symlink(KESTO_ASSETS "/Audio", root / "Audio");
        fs::create_directory_symlink(KESTO_ASSETS "/Art/Spine", root / "Art/Spine");
        std::map<std::string, std::string> files = CleanFiles();
        for (const auto& [path, text] : changes)
        {
            files[path] = text;
        }
        for (const auto& [path, text] : files)
        {
            fs::create_directories((root / path).parent_path());
            std::ofstream(root / path) << text;
        }
        return root.string() + "/";
    }

    fs::path root;
};

TEST_F(DataCheck, TheCleanFolderHasNoProblems)
{
    const std::vector<std::string> lines = CheckAssets(Write({}));
    EXPECT_TRUE(lines.empty()) << testing::PrintToString(lines);
}

TEST_F(DataCheck, EachMistakeIsOneLineWithFileJsonPathAndWhatTheGameDoes)
{
    const std::string a = "Data/Archetypes/Crate.json";
    const std::string l = "Data/Levels/Start.json";
    const std::vector<BrokenCase> cases{
        {"a float written as an integer",
         {{a, R"({"Transform": {"rotation": 2}})"}},
         {"DATA: ROOT" + a +
          ": Transform.rotation: the float is written as an integer (2, not 2.0); skipped, the "
          "default is kept"}},
        {"an unknown key in a component",
         {{a, R"({"Transform": {"rotaton": 0.5}})"}},
         {"DATA: ROOT" + a + ": Transform.rotaton: unknown key; ignored"}},
        {"a vector of the wrong length",
         {{a, R"({"Transform": {"scale": [1.0]}})"}},
         {"DATA: ROOT" + a +
          ": Transform.scale: expected an array of 2 numbers, found an array of 1; skipped, the "
          "default is kept"}},
        {"a string where a bool belongs, in a level's entity override",
         {{l, R"({"Archetype": {"Name": "Crate"}, "Archetype": {"Name": "Crate", "Transform": {"rotation": "x"}}})"}},
         {"DATA: ROOT" + l +
          ": Archetype[1].Transform.rotation: expected a float (a number with a fraction), found "
          "a string; skipped, the default is kept"}},
        {"an archetype that does not exist",
         {{l, R"({"Archetype": {"Name": "Ghost"}})"}},
         {"DATA: ROOT" + l +
          ": Archetype[0]: entity names the archetype \"Ghost\", which does not exist; no entity "
          "created"}},
        {"a sublevel that does not exist",
         {{l, R"({"Sublevels": ["Nowhere"]})"}},
         {"DATA: ROOT" + std::string("Data/Levels/Nowhere.json") +
          ": cannot open the file (No such file or directory)"}},
        {"a level setting of the wrong shape",
         {{l, R"({"Lighting": {"Ambient": [1.0, 1.0]}, "Camera": 3})"}},
         {"DATA: ROOT" + l + ": Camera: expected an object, found the integer 3; skipped, the default is kept",
          "DATA: ROOT" + l +
              ": Lighting.Ambient: expected an array of 3 numbers, found an array of 2; skipped, the "
              "default is kept"}},
        {"a trigger kind that does not exist",
         {{a, R"({"Trigger": {"Teleport Home": {}}})"}},
         {"DATA: ROOT" + a + ": Trigger.Teleport Home: unknown trigger function \"Teleport Home\""}},
        {"a sprite source that is not in Art.json",
         {{a, R"({"Sprite": {"spriteSource": "Nothing"}})"}},
         {"DATA: ROOT" + a +
          ": Sprite: Sprite spriteSource \"Nothing\" is not in Art.json; the sprite shows nothing "
          "for it"}},
        {"a level that is a folder",
         {{"Data/Levels/default.txt", "Folder\n"}, {"Data/Levels/Folder.json/readme.txt", "not a level"}},
         {"DATA: ROOT" + std::string("Data/Levels/Folder.json") + ": is a folder, not a file; read as empty"}},
    };
    for (const BrokenCase& broken : cases)
    {
        const std::string prefix = Write(broken.files);
        std::vector<std::string> expected;
        for (std::string line : broken.lines)
        {
            line.replace(line.find("ROOT"), 4, prefix);
            expected.push_back(line);
        }
        EXPECT_EQ(CheckAssets(prefix), expected) << broken.name;
    }
}

} // namespace
} // namespace kesto

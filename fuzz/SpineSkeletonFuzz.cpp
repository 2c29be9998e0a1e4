// Any text as a Spine skeleton on the game's atlases: it loads (with at most one line of warnings) or is refused
// with one message; a loaded one is posed and played for a few steps, every attachment's world vertices computed.
#include "spine/Spine.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using namespace kesto::spine;

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The game's atlases as one, so attachments can name any of their regions.
const Atlas& GameAtlas()
{
    static const std::unique_ptr<Atlas> atlas = []
    {
        Host host;
        host.createTexture = [](AtlasPage&, const std::string&) { return true; };
        const std::string text = ReadText(KESTO_SPINE_ASSETS "/Lamp/Lamp.atlas") + "\n" +
                                 ReadText(KESTO_SPINE_ASSETS "/Banner/Banner.atlas");
        auto loaded = LoadAtlasFromText(text, "", "game.atlas", host, [](std::string_view) {});
        if (!loaded)
        {
            throw std::runtime_error("the game's atlases do not load from " KESTO_SPINE_ASSETS);
        }
        return loaded;
    }();
    return *atlas;
}

void Play(const SkeletonData& data)
{
    AnimationStateData stateData(data);
    Skeleton skeleton(data);
    AnimationState state(stateData);
    for (const Animation& animation : data.animations)
    {
        state.AddAnimationByName(0, animation.name, true, 0.0f);
    }
    std::vector<float> world;
    for (int step = 0; step < 4; ++step)
    {
        state.Update(0.3f);
        state.Apply(skeleton);
        skeleton.UpdateWorldTransform();
        for (const Slot* slot : skeleton.DrawOrder())
        {
            if (!slot->attachment)
            {
                continue;
            }
            if (slot->attachment->type == AttachmentType::Region)
            {
                world.resize(8);
                static_cast<const RegionAttachment&>(*slot->attachment).ComputeWorldVertices(slot->bone, world, 0, 2);
            }
            else
            {
                const auto& mesh = static_cast<const MeshAttachment&>(*slot->attachment);
                world.resize(mesh.worldVerticesLength);
                mesh.ComputeWorldVertices(*slot, 0, mesh.worldVerticesLength, world, 0, 2);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    int reports = 0;
    const auto data =
        SkeletonJson(GameAtlas(), [&reports](std::string_view) { ++reports; }).ReadSkeletonData(text, "fuzz.json");
    if (data ? reports > 1 : reports != 1)
    {
        throw std::logic_error("a refused skeleton gives exactly one message, a loaded one at most one");
    }
    if (data)
    {
        Play(*data);
    }
    return 0;
}

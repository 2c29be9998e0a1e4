#include "animation/SpineSourceManager.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/JsonReader.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTemplateManager.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

// The game's particle content: every template of Particles.json finds its art and program, and every emission of
// the game's archetypes finds its template.
TEST(ParticleContent, TemplatesFindTheirArtAndEmissionsTheirTemplates)
{
    // The engine headless with the game's art table (names only), stand-in programs and the game's data.
    test::TestWorld world(KESTO_ASSETS "/Data/Archetypes");
    const std::string files = KESTO_ASSETS "/Data/Files/";
    auto& sources = *world.registry.GetSystem<SpriteSourceManager>();
    JsonReader art;
    ASSERT_TRUE(art.Open(files, "Art.json", world.trace));
    while (art.NextObjectMember("SpriteSource"))
    {
        SpriteSource source;
        art.TryReadString("name", source.name);
        art.TryReadInt("rows", source.rows);
        art.TryReadInt("columns", source.columns);
        sources.sources.emplace(source.name, std::move(source));
    }
    auto& shaders = *world.registry.GetSystem<ShaderManager>();
    for (const char* name : {"Texture", "TextureFlat", "Emissive", "Screen", "Video", "DebugLine"})
    {
        shaders.shaders.emplace(name, std::make_unique<Shader>(name));
    }
    auto& templates = *world.registry.GetSystem<ParticleTemplateManager>();
    templates.folder = files;
    // The game's skeletons (without their pages), which the Spine archetypes name.
    world.registry.GetSystem<SpineSourceManager>()->folder = KESTO_ASSETS "/Art/Spine";
    world.Init();
    EXPECT_EQ(world.trace->Text(), "");
    for (const char* name : {"LightParticle", "PlayerDash", "DashReset", "Switch", "Ember"})
    {
        EXPECT_NE(templates.Find(name), nullptr) << name;
    }

    const ArchetypeFactory& factory = *world.factory;
    const auto emitterOf = [&](const char* archetype) -> const ParticleEmitter&
    {
        const auto& component = factory.GetArchetype(archetype)[ParticleEmitter::typeIndex];
        EXPECT_NE(component, nullptr) << archetype;
        return static_cast<const ParticleEmitter&>(*component);
    };
    int emissions = 0;
    for (const char* archetype : {"Player", "LandingDust", "LampMotes", "CrystalSparks"})
    {
        for (const EmissionSlot& slot : emitterOf(archetype).emissions)
        {
            EXPECT_NE(slot.emission.particleTemplate, nullptr) << archetype << " " << slot.emission.name;
            ++emissions;
        }
    }
    EXPECT_EQ(emissions, 6);
    // The player's steps start these by name; only the landing dust and the ambient ones play from the start.
    ParticleEmitter player = emitterOf("Player");
    for (const char* name : {"Dash", "Death", "Respawn"})
    {
        ASSERT_NE(player.FindEmission(name), nullptr) << name;
        EXPECT_FALSE(player.FindEmission(name)->active) << name;
    }
    EXPECT_TRUE(player.FindEmission("Dash")->trail);
}

} // namespace
} // namespace kesto

#include "ecs/ArchetypeFactory.h"

#include "ecs/JsonReader.h"
#include "ecs/Transform.h"
#include "graphics/Sprite.h"
#include "physics/Collider.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class ArchetypeFactoryTest : public ::testing::Test
{
protected:
    void SetUp() override { world.Init(); }

    std::vector<Entity> LoadLevel()
    {
        JsonReader reader;
        reader.Open(KESTO_TEST_DATA "/json/", "level.json", world.trace);
        std::vector<Entity> created;
        while (reader.NextObjectMember("Archetype"))
        {
            created.push_back(world.factory->CreateFromJSON(reader));
        }
        return created;
    }

    test::TestWorld world{KESTO_TEST_DATA "/archetypes"};
    EntityStore& store = world.Store();
};

TEST_F(ArchetypeFactoryTest, ArchetypeHoldsExactlyItsComponentMembers)
{
    const auto& crate = world.factory->GetArchetype("Crate");
    for (int index = 0; index < componentTypeCount; ++index)
    {
        const bool expected = index == Transform::typeIndex || index == Collider::typeIndex;
        EXPECT_EQ(crate[static_cast<std::size_t>(index)] != nullptr, expected) << ComponentTypeName(index);
    }
    EXPECT_TRUE(world.factory->HasArchetype("Wall"));
}

TEST_F(ArchetypeFactoryTest, UnparsableArchetypeIsReportedAndEmpty)
{
    EXPECT_NE(world.trace->Text().find("Broken.json: JSON parse error"), std::string::npos) << world.trace->Text();
    const Entity e = world.factory->CreateFromArchetype("Broken", false);
    EXPECT_FALSE(store.HasComponent<Transform>(e));
}

TEST_F(ArchetypeFactoryTest, CreateCopiesThePrototypesUnderTheArchetypeName)
{
    const Entity a = world.factory->CreateFromArchetype("Crate", false);
    const Entity b = world.factory->CreateFromArchetype("Crate", false);
    EXPECT_NE(a.id, b.id);
    EXPECT_EQ(a.name, "Crate");
    ASSERT_TRUE(store.HasComponent<Collider>(a));
    Transform* ta = store.GetComponent<Transform>(a);
    Transform* tb = store.GetComponent<Transform>(b);
    ASSERT_NE(ta, tb);
    EXPECT_EQ(ta->GetScale(), (Vec2{50.0f, 40.0f}));
    ta->SetScale({1.0f, 1.0f});
    EXPECT_EQ(tb->GetScale(), (Vec2{50.0f, 40.0f}));
}

TEST_F(ArchetypeFactoryTest, LevelObjectsOverrideOnlyWhatTheyName)
{
    const std::vector<Entity> created = LoadLevel();
    ASSERT_EQ(created.size(), 4u);
    const Transform* first = store.GetComponent<Transform>(created[0]);
    EXPECT_EQ(first->GetTranslation(), (Vec2{3.0f, 4.0f}));
    EXPECT_EQ(first->GetRotation(), 0.5f);
    EXPECT_EQ(first->GetScale(), (Vec2{50.0f, 40.0f}));
    EXPECT_EQ(store.NameOf(created[0].id), "Crate");
}

TEST_F(ArchetypeFactoryTest, MissingArchetypeIsReportedAndLoadingGoesOn)
{
    const std::vector<Entity> created = LoadLevel();
    EXPECT_FALSE(created[1].IsValid());
    EXPECT_NE(world.trace->Text().find("level.json: entity names the archetype \"Ghost\""), std::string::npos)
        << world.trace->Text();
    EXPECT_TRUE(created[2].IsValid());
    EXPECT_TRUE(created[3].IsValid());
}

TEST_F(ArchetypeFactoryTest, OverridesCannotAddComponentsOrBreakTheNumberRule)
{
    const std::vector<Entity> created = LoadLevel();
    EXPECT_FALSE(store.HasComponent<Sprite>(created[2]));
    EXPECT_EQ(store.GetComponent<Transform>(created[2])->GetRotation(), 0.5f);
    EXPECT_EQ(store.GetComponent<Transform>(created[3])->GetRotation(), 2.0f);
}

TEST_F(ArchetypeFactoryTest, UnknownNamesAreReportedOrRejected)
{
    EXPECT_FALSE(world.factory->CreateFromArchetype("Nope", true).IsValid());
    EXPECT_NE(world.trace->Text().find("Nope: no such archetype"), std::string::npos);
    // Spawners may ask every frame; the name is reported the first time only.
    const std::size_t reports = world.trace->ReportCount();
    EXPECT_FALSE(world.factory->CreateFromArchetype("Nope", true).IsValid());
    EXPECT_EQ(world.trace->ReportCount(), reports);
    EXPECT_THROW(world.factory->GetArchetype("Nope"), std::out_of_range);
}

TEST(ArchetypeFactory, MissingFolderIsReportedAndLeavesTheTableEmpty)
{
    test::TestWorld world{"no/such/archetypes"};
    world.Init();
    EXPECT_NE(world.trace->Text().find("no/such/archetypes: cannot list the archetype folder"), std::string::npos);
    EXPECT_TRUE(world.factory->archetypeNames.empty());
}

} // namespace
} // namespace kesto

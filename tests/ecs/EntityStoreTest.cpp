#include "ecs/EntityStore.h"

#include "animation/Animation.h"
#include "ecs/Transform.h"
#include "graphics/Sprite.h"
#include "physics/Collider.h"
#include "support/TestWorld.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class EntityStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { world.Init(); }

    test::TestWorld world;
    EntityStore& store = world.Store();
};

TEST(Entity, IdsCountUpAndAreNeverReused)
{
    const Entity a;
    const Entity b("Crate");
    const Entity copy = b;
    EXPECT_GT(a.id, 0u);
    EXPECT_GT(b.id, a.id);
    EXPECT_EQ(copy, b);
    EXPECT_FALSE(Entity::None().IsValid());
}

TEST_F(EntityStoreTest, SecondComponentOfATypeKeepsTheFirst)
{
    const Entity e("Crate");
    Transform* first = store.AddComponent<Transform>(e);
    first->SetTranslation({5.0f, 6.0f});
    Transform other;
    Component* again = store.AddComponent(e, other, Transform::typeIndex);
    EXPECT_EQ(again, first);
    EXPECT_EQ(store.GetComponent<Transform>(e)->GetTranslation(), (Vec2{5.0f, 6.0f}));
}

TEST_F(EntityStoreTest, AddCopiesThePrototype)
{
    const Entity e;
    Transform prototype;
    prototype.SetScale({7.0f, 8.0f});
    Component* stored = store.AddComponent(e, prototype, Transform::typeIndex);
    EXPECT_NE(stored, &prototype);
    prototype.SetScale({1.0f, 1.0f});
    EXPECT_EQ(store.GetComponent<Transform>(e)->GetScale(), (Vec2{7.0f, 8.0f}));
}

TEST_F(EntityStoreTest, RemovingAMissingComponentDoesNothing)
{
    const Entity e;
    store.AddComponent<Transform>(e);
    store.RemoveComponent<Sprite>(e);
    EXPECT_TRUE(store.HasComponent<Transform>(e));
}

TEST_F(EntityStoreTest, DestroyRemovesEveryComponent)
{
    const Entity e("Thing");
    store.AddComponent<Transform>(e);
    store.AddComponent<Sprite>(e);
    store.AddComponent<Collider>(e);
    store.DestroyEntity(e);
    for (int index = 0; index < componentTypeCount; ++index)
    {
        EXPECT_FALSE(store.HasComponent(e, index));
    }
    EXPECT_EQ(store.NameOf(e.id), "Thing"); // names outlive the entity; ids are never reused
}

TEST_F(EntityStoreTest, GetEntitiesReturnsOnlyThoseWithEveryType)
{
    const Entity both("Both");
    const Entity spriteOnly("SpriteOnly");
    const Entity animationOnly("AnimationOnly");
    store.AddComponent<Sprite>(both);
    store.AddComponent<Animation>(both);
    store.AddComponent<Sprite>(spriteOnly);
    store.AddComponent<Animation>(animationOnly);
    const std::vector<Entity> found = store.GetEntities({ComponentType::Sprite, ComponentType::Animation});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], both);
    EXPECT_EQ(found[0].name, "Both");
    EXPECT_TRUE(store.GetEntities({}).empty());
}

TEST_F(EntityStoreTest, NameIsTheLastNonEmptyOneAdded)
{
    const Entity named("First");
    store.AddComponent<Transform>(named);
    store.AddComponent<Sprite>(Entity::FromId(named.id, ""));
    EXPECT_EQ(store.NameOf(named.id), "First");
    store.AddComponent<Collider>(Entity::FromId(named.id, "Second"));
    EXPECT_EQ(store.NameOf(named.id), "Second");
}

TEST_F(EntityStoreTest, DefaultComponentsKnowTheirTypeNames)
{
    EXPECT_STREQ(store.GetDefaultComponent(0)->TypeName(), "Transform");
    EXPECT_STREQ(store.GetDefaultComponent(13)->TypeName(), "Trigger");
    EXPECT_STREQ(store.GetDefaultComponent(14)->TypeName(), "BehaviorBoid");
    EXPECT_STREQ(store.GetDefaultComponent(28)->TypeName(), "ControllerSprite");
    EXPECT_EQ(store.GetDefaultComponent(29), nullptr);
    EXPECT_EQ(store.GetDefaultComponent(-1), nullptr);
    for (int index = 0; index < componentTypeCount; ++index)
    {
        EXPECT_EQ(store.GetDefaultComponent(index)->TypeIndex(), index);
    }
}

} // namespace
} // namespace kesto

#include "gameplay/BehaviorBoidSystem.h"

#include "animation/Animation.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "gameplay/BehaviorBoidComponent.h"
#include "gameplay/BoidControllerComponent.h"
#include "gameplay/Steering.h"
#include "graphics/RendererSystem.h"
#include "graphics/Sprite.h"
#include "physics/Rigidbody.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <numbers>

namespace kesto
{

namespace
{

constexpr float degrees = 180.0f / std::numbers::pi_v<float>;
constexpr int launchedOrder = 7; // sprite order of a launched boid

float Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
Vec2 Direction(float headingDegrees)
{
    return {std::cos(headingDegrees / degrees), std::sin(headingDegrees / degrees)};
}
Vec2 DirectionOfRadians(float radians) { return {std::cos(radians), std::sin(radians)}; }

// Turns `heading` towards `target` as seen from velocity `v`: by `strength` x the angle between them, in the
// direction the cross product gives; nothing when they are parallel.
void TurnTowards(float& heading, Vec2 target, Vec2 v, float strength)
{
    const float side = Cross(target, v);
    if (side == 0.0f)
    {
        return;
    }
    const float angle = std::acos(std::clamp(Dot(UnitOrZero(v), UnitOrZero(target)), -1.0f, 1.0f));
    heading += side < 0.0f ? strength * angle : -strength * angle;
}

// A heading kept to one turn, so that steady turning does not wear away its precision; a broken one starts over.
float Tidy(float heading) { return std::isfinite(heading) ? std::fmod(heading, 360.0f) : 0.0f; }

int ModeOf(const BehaviorBoidComponent& boid) { return boid.state; }

} // namespace

void BehaviorBoidSystem::Init() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

void BehaviorBoidSystem::Update(EntityList& entities, float dt)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    const auto* flock = store.GetComponent<BoidControllerComponent>(controller);
    if (!flock)
    {
        return;
    }
    const bool boxUsable = CheckBox(*flock);
    members.clear();
    for (const Entity& entity : entities)
    {
        auto& boid = *store.GetComponent<BehaviorBoidComponent>(entity);
        auto* transform = store.GetComponent<Transform>(entity);
        if (!transform)
        {
            continue;
        }
        auto& body = *store.GetComponent<Rigidbody>(entity);
        auto* sprite = store.GetComponent<Sprite>(entity);
        Member m{
            transform, &body, &boid, sprite, transform->GetTranslation(), body.velocity, sprite ? sprite->order : 0};
        if (!boid.active)
        {
            if (std::rand() % 10 != 0)
            {
                continue;
            }
            Launch(entity, boid, *flock);
            m.order = sprite ? sprite->order : 0;
        }
        else if (boid.respawnTimer > 0.0f)
        {
            boid.respawnTimer -= dt;
        }
        else if (boxUsable)
        {
            ApplyEdgeRule(m, *flock);
        }
        boid.neighbourCount = 0;
        boid.positionSum = {};
        boid.velocitySum = {};
        boid.recruited = false;
        boid.heading = Tidy(boid.heading);
        members.push_back(m);
    }
    if (flock->state == static_cast<int>(BoidMode::Stop))
    {
        for (Member& m : members)
        {
            m.body->velocity = {};
        }
        return;
    }
    positions.clear();
    for (const Member& m : members)
    {
        positions.push_back(m.position);
    }
    grid.Build(positions, flock->attractRadius);
    debugPairs.clear();
    FlockAsBoids(*flock, dt);
    FlyInFormation(*flock, dt);
    FlyCyclone(*flock, dt);
    for (Member& m : members)
    {
        const int mode = ModeOf(*m.boid);
        if (mode == static_cast<int>(BoidMode::Straight))
        {
            m.body->velocity = DirectionOfRadians(m.transform->GetRotation()) * m.boid->speed;
        }
        else if (mode == static_cast<int>(BoidMode::Stop))
        {
            m.body->velocity = {};
        }
    }
    ShowHeadings();
    if (registry->GetSystem<ECS>()->systemStore.debugDraw || flock->showBox)
    {
        DrawDebug(*flock);
    }
}

void BehaviorBoidSystem::Launch(const Entity& entity, BehaviorBoidComponent& boid, const BoidControllerComponent& flock)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    if (auto* animation = store.GetComponent<Animation>(entity))
    {
        animation->Restart();
    }
    if (auto* sprite = store.GetComponent<Sprite>(entity))
    {
        sprite->order = launchedOrder;
    }
    auto& transform = *store.GetComponent<Transform>(entity);
    transform.SetScale({60.0f, 60.0f});
    // Level files give a boid its launch heading, in degrees, as the body's angular velocity.
    boid.heading = store.GetComponent<Rigidbody>(entity)->angularVelocity;
    boid.startPosition = transform.GetTranslation();
    boid.active = true;
    if (flock.state != static_cast<int>(BoidMode::Unique))
    {
        boid.state = flock.state;
    }
}

void BehaviorBoidSystem::ApplyEdgeRule(Member& m, const BoidControllerComponent& flock)
{
    BehaviorBoidComponent& boid = *m.boid;
    Vec2 p = m.transform->GetTranslation();
    // minY is the top edge and maxY the bottom one.
    const bool outside = p.x < flock.minX || p.x > flock.maxX || p.y > flock.minY || p.y < flock.maxY;
    if (!boid.edgeFlag)
    {
        if (outside)
        {
            boid.edgeFlag = true;
            boid.respawnTimer = boid.respawnDelay;
        }
        return;
    }
    boid.edgeFlag = false;
    if (boid.loop)
    {
        if (outside)
        {
            p = boid.startPosition;
        }
    }
    else
    {
        if (p.x < flock.minX)
        {
            p.x = flock.maxX;
        }
        else if (p.x > flock.maxX)
        {
            p.x = flock.minX;
        }
        if (p.y > flock.minY)
        {
            p.y = flock.maxY;
        }
        else if (p.y < flock.maxY)
        {
            p.y = flock.minY;
        }
    }
    if (!(p == m.transform->GetTranslation()))
    {
        m.transform->SetTranslation(p);
        m.transform->SetPreviousTranslation(p);
        m.position = p;
    }
}

void BehaviorBoidSystem::FlockAsBoids(const BoidControllerComponent& flock, float dt)
{
    const float radiusSquared = flock.attractRadius * flock.attractRadius;
    const bool debugging = registry->GetSystem<ECS>()->systemStore.debugDraw;
    for (std::size_t ai = 0; ai < members.size(); ++ai)
    {
        Member& a = members[ai];
        BehaviorBoidComponent& boidA = *a.boid;
        if (ModeOf(boidA) != static_cast<int>(BoidMode::Boid))
        {
            continue;
        }
        if (boidA.neighbourCount < maxNeighbours)
        {
            grid.ForEachNearAfter(a.position, static_cast<std::uint32_t>(ai), scanLimit,
                                  [&](std::uint32_t bi)
                                  {
                                      Member& b = members[bi];
                                      BehaviorBoidComponent& boidB = *b.boid;
                                      const Vec2 offset = b.position - a.position;
                                      const float d2 = Dot(offset, offset);
                                      if (ModeOf(boidB) != static_cast<int>(BoidMode::Boid) || b.order != a.order ||
                                          boidB.neighbourCount >= maxNeighbours || !(d2 < radiusSquared))
                                      {
                                          return true;
                                      }
                                      ++boidA.neighbourCount;
                                      ++boidB.neighbourCount;
                                      // Boids in the very same spot have no side to turn away to.
                                      if (d2 > 0.0f)
                                      {
                                          const float sideA = Cross(offset, a.velocity);
                                          const float sideB = Cross(-offset, b.velocity);
                                          boidA.heading += sideA > 0.0f   ? flock.turnAway / d2
                                                           : sideA < 0.0f ? -flock.turnAway / d2
                                                                          : 0.0f;
                                          boidB.heading += sideB > 0.0f   ? flock.turnAway / d2
                                                           : sideB < 0.0f ? -flock.turnAway / d2
                                                                          : 0.0f;
                                      }
                                      boidA.positionSum += b.position;
                                      boidA.velocitySum += b.velocity;
                                      boidB.positionSum += a.position;
                                      boidB.velocitySum += a.velocity;
                                      if (debugging)
                                      {
                                          debugPairs.emplace_back(a.position, b.position);
                                      }
                                      return boidA.neighbourCount < maxNeighbours;
                                  });
        }
        if (boidA.neighbourCount > 0)
        {
            const float count = static_cast<float>(boidA.neighbourCount);
            const Vec2 averageVelocity = boidA.velocitySum / count;
            const Vec2 averagePosition = boidA.positionSum / count;
            TurnTowards(boidA.heading, averageVelocity, a.velocity, flock.turnVector * dt);
            TurnTowards(boidA.heading, averagePosition - a.position, a.velocity, flock.turnPosition * dt);
        }
        const float speed = boidA.speed - static_cast<float>(a.order - 5) * 50.0f;
        a.body->velocity = Direction(boidA.heading) * speed;
    }
}

void BehaviorBoidSystem::FlyInFormation(const BoidControllerComponent& flock, float dt)
{
    const float radiusSquared = flock.attractRadius * flock.attractRadius;
    const float slotDistance = flock.attractRadius * 0.5f;
    std::vector<std::uint32_t> recruits;
    for (std::size_t ai = 0; ai < members.size(); ++ai)
    {
        Member& a = members[ai];
        const BehaviorBoidComponent& leader = *a.boid;
        if (ModeOf(leader) != static_cast<int>(BoidMode::VFormation))
        {
            continue;
        }
        recruits.clear();
        grid.ForEachNearAfter(a.position, static_cast<std::uint32_t>(ai), scanLimit,
                              [&](std::uint32_t bi)
                              {
                                  const Member& b = members[bi];
                                  const Vec2 offset = b.position - a.position;
                                  if (ModeOf(*b.boid) == static_cast<int>(BoidMode::VFormation) && b.order == a.order &&
                                      !b.boid->recruited && Dot(offset, offset) < radiusSquared)
                                  {
                                      recruits.push_back(bi);
                                  }
                                  return true;
                              });
        // The first two later boids in list order follow.
        std::sort(recruits.begin(), recruits.end());
        bool firstOnRight = false;
        for (std::size_t r = 0; r < recruits.size() && r < 2; ++r)
        {
            Member& b = members[recruits[r]];
            BehaviorBoidComponent& follower = *b.boid;
            follower.recruited = true;
            const Vec2 leaderDirection = Direction(leader.heading);
            follower.velocitySum = leaderDirection * leader.speed;
            TurnTowards(follower.heading, leaderDirection, b.velocity, flock.turnVector * flock.vecMultiplier * dt);
            const bool onRight = r == 0 ? Cross(b.position - a.position, a.velocity) > 0.0f : !firstOnRight;
            firstOnRight = r == 0 ? onRight : firstOnRight;
            // Behind the leader, 45 degrees off its heading on the follower's side.
            const float slotAngle = leader.heading + (onRight ? 45.0f : -45.0f);
            const Vec2 slot = a.position - Direction(slotAngle) * slotDistance;
            follower.positionSum = slot;
            const float side = Cross(slot - b.position, b.velocity);
            if (side < -5.0f || side > 5.0f)
            {
                TurnTowards(follower.heading, slot - b.position, b.velocity,
                            flock.turnPosition * flock.turnMultiplier * dt);
            }
        }
    }
    for (Member& m : members)
    {
        BehaviorBoidComponent& boid = *m.boid;
        if (ModeOf(boid) != static_cast<int>(BoidMode::VFormation))
        {
            continue;
        }
        float speed = boid.speed;
        if (boid.recruited && (boid.positionSum - m.position).Length() > flock.distanceBuffer)
        {
            speed *= flock.speedDampener;
        }
        m.body->velocity = Direction(boid.heading) * speed;
        boid.recruited = false;
    }
}

void BehaviorBoidSystem::FlyCyclone(const BoidControllerComponent& flock, float dt)
{
    bool any = false;
    bool allStarted = true;
    for (Member& m : members)
    {
        BehaviorBoidComponent& boid = *m.boid;
        if (ModeOf(boid) != static_cast<int>(BoidMode::Cyclone))
        {
            continue;
        }
        any = true;
        if (boid.cyclonePhase == 0.0f)
        {
            if (std::rand() % 10 == 0)
            {
                boid.cyclonePhase = 2.0f * dt;
            }
        }
        else
        {
            boid.cyclonePhase += static_cast<float>((std::rand() % 100) / 25) * dt;
        }
        allStarted = allStarted && boid.cyclonePhase != 0.0f;
    }
    if (!any || !allStarted)
    {
        return;
    }
    const float wave = static_cast<float>(flock.wavelength);
    for (Member& m : members)
    {
        const BehaviorBoidComponent& boid = *m.boid;
        if (ModeOf(boid) != static_cast<int>(BoidMode::Cyclone))
        {
            continue;
        }
        const float r = m.transform->GetRotation();
        const Vec2 along = DirectionOfRadians(r);
        const Vec2 across{-along.y, along.x};
        const float k = flock.amplitude * wave * std::cos(boid.cyclonePhase * wave / degrees);
        m.body->velocity = (along + across * k) * (boid.speed / (1.0f + k * k));
    }
}

void BehaviorBoidSystem::ShowHeadings()
{
    for (Member& m : members)
    {
        const int mode = ModeOf(*m.boid);
        if (mode != static_cast<int>(BoidMode::Boid) && mode != static_cast<int>(BoidMode::VFormation))
        {
            continue;
        }
        m.transform->SetRotation(m.boid->heading / degrees);
        if (m.sprite)
        {
            m.sprite->flippedY = std::cos(m.boid->heading / degrees) <= 0.0f;
        }
    }
}

void BehaviorBoidSystem::DrawDebug(const BoidControllerComponent& flock)
{
    RendererSystem& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    const Vec2 centre{(flock.minX + flock.maxX) * 0.5f, (flock.minY + flock.maxY) * 0.5f};
    renderer.AddDebugRect(centre, flock.maxX - flock.minX, flock.minY - flock.maxY, {1.0f, 0.6f, 0.1f}, 2.0f);
    for (const auto& [from, to] : debugPairs)
    {
        renderer.AddDebugLine(from, to, {0.2f, 1.0f, 0.3f});
    }
    for (const Member& m : members)
    {
        const BehaviorBoidComponent& boid = *m.boid;
        if (ModeOf(boid) != static_cast<int>(BoidMode::Boid) || boid.neighbourCount == 0)
        {
            continue;
        }
        const float count = static_cast<float>(boid.neighbourCount);
        renderer.AddDebugLine(m.position, m.position + boid.velocitySum / count, {0.3f, 0.5f, 1.0f});
        renderer.AddDebugLine(m.position, boid.positionSum / count, {1.0f, 0.3f, 0.8f});
    }
}

bool BehaviorBoidSystem::CheckBox(const BoidControllerComponent& flock)
{
    const bool usable = flock.minX < flock.maxX && flock.maxY < flock.minY;
    if (!usable && reportedBox != controller.id)
    {
        reportedBox = controller.id;
        registry->GetSystem<Trace>()->Report("GAMEPLAY", controller.name,
                                             "the flock's box is empty (it needs minX < maxX and maxY < minY, minY "
                                             "being the top); boids fly on without wrapping or returning");
    }
    return usable;
}

} // namespace kesto

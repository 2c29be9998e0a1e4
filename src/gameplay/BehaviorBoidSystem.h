#pragma once

#include "ecs/ESystem.h"
#include "engine/Vector.h"
#include "gameplay/BoidGrid.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kesto
{

class Animation;
class BehaviorBoidComponent;
class BoidControllerComponent;
class Rigidbody;
class Sprite;
class Transform;

// Boid modes by state number.
enum class BoidMode : int
{
    Unique = -1, // the controller leaves each boid its own mode
    Boid = 0,
    VFormation = 1,
    Cyclone = 2,
    Straight = 3,
    Stop = 4,
};

// Flies the boids of the flock whose controller the controller system hands over: launches them one by one, keeps
// them in (or brings them back to) the flock's box and turns their headings by the flock's mode. Uses the C library's
// rand(), seeded once at Init, so every run's flock differs.
class BehaviorBoidSystem : public ESystem
{
public:
    void Init() override;
    // Nothing happens while no controller is handed over.
    void Update(EntityList& entities, float dt) override;

    // A boid pairs with at most this many others a frame, so a flock crowded into one spot stays linear in its size.
    static constexpr int maxNeighbours = 64;
    // A boid looks at no more than this many later boids in each grid cell around it, for the same reason.
    static constexpr std::size_t scanLimit = 256;

    Entity controller = Entity::None(); // handed over every frame by the controller system

private:
    // One boid's components and its position and velocity at the start of the frame.
    struct Member
    {
        Transform* transform;
        Rigidbody* body;
        BehaviorBoidComponent* boid;
        Sprite* sprite; // may be null
        Vec2 position;
        Vec2 velocity;
        int order; // sprite order; boids flock only with their own layer
    };

    void Launch(const Entity& entity, BehaviorBoidComponent& boid, const BoidControllerComponent& flock);
    void ApplyEdgeRule(Member& m, const BoidControllerComponent& flock);
    void FlockAsBoids(const BoidControllerComponent& flock, float dt);
    void FlyInFormation(const BoidControllerComponent& flock, float dt);
    void FlyCyclone(const BoidControllerComponent& flock, float dt);
    // Heading and mirroring follow the boid's heading in the modes that steer it.
    void ShowHeadings();
    void DrawDebug(const BoidControllerComponent& flock);
    // True for a box a boid can be inside; reports an empty one once per controller.
    bool CheckBox(const BoidControllerComponent& flock);

    std::vector<Member> members; // this frame's active boids, in list order
    std::vector<Vec2> positions; // their positions, for the grid
    BoidGrid grid;
    std::vector<std::pair<Vec2, Vec2>> debugPairs; // neighbour lines of the frame, drawn when debug drawing is on
    std::uint32_t reportedBox = 0;                 // the controller whose empty box was reported
};

} // namespace kesto

#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Picks and edits entities in editor mode.
// Not built yet: its Init and Update do nothing.
class EditorSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto

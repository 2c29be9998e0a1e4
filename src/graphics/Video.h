#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A cinematic video played on a sprite.
class Video : public ComponentOf<Video, ComponentType::Video>
{
};

} // namespace kesto

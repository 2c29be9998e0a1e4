#include "ecs/Component.h"

namespace kesto
{

bool Component::Equals(const Component&) const { return false; }

} // namespace kesto

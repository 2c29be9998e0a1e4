#include "physics/Rigidbody.h"

namespace kesto
{

bool Rigidbody::Equals(const Component&) const { return true; }

} // namespace kesto

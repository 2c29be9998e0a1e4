#pragma once

#include <cstddef>
#include <optional>

namespace kesto::bench
{

// How many times operator new has been called in this process so far; none in a sanitizer build, whose runtime
// owns the allocator and is not replaced.
std::optional<std::size_t> AllocationCount();

} // namespace kesto::bench

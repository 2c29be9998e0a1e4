#pragma once

namespace kesto
{

// Hands memory the program has freed back to the system. Freed blocks otherwise stay in the C library's pools,
// those of the worker threads that decoded images and sounds included, and count as resident long after the level
// that needed them is gone. Does nothing where the C library offers no way to do it.
void ReturnFreedMemory();

} // namespace kesto

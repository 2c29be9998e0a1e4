#include "engine/FreedMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kesto
{

void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace kesto

#include "platform/MemoryRelease.h"

#include <malloc.h>

namespace platform
{

void releaseFreeMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace platform

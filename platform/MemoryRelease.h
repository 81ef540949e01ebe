#pragma once

namespace platform
{

// Hands the memory the allocator holds free back to the system: after a burst of work whose
// buffers are gone, the program's resident size comes down to what it still uses.
void releaseFreeMemory();

} // namespace platform

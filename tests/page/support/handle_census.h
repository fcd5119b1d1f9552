// Counting what a process holds, for leak tests where the system's own
// counters are not kept: GDI objects by how many more can be made before
// creation is refused, USER objects as the windows of the process.
// Window thread.
#pragma once

#include <cstddef>

namespace nuv::page_test {

// How many more GDI objects (solid brushes) the process can create now; all
// of them are freed again before this returns.
std::size_t FreeGdiSlots();

// The windows of this process, top-level and child, hidden ones included.
std::size_t ProcessWindowCount();

}  // namespace nuv::page_test

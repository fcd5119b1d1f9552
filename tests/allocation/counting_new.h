// Counts the allocations made through the global operator new between
// OpenCount and CloseCount. Linked into one test program only, whose
// operator new it replaces. Test thread only.
#pragma once

namespace nuv::testing {

void OpenCount();
// The number of allocations since OpenCount.
long CloseCount();

}  // namespace nuv::testing

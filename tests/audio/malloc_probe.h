#pragma once
#include <cstddef>

// The largest block asked of malloc since the last reset, to show that a
// decoder allocates nothing for a file it refuses.
void ResetLargestAllocation();
size_t LargestAllocation();

#pragma once
// Allocation for the runtime's own blocks, which never returns null.
#include <cstddef>

// Allocation for the runtime's own blocks (collected objects, string
// representations). Running out of memory ends the process with a fatal
// message instead of handing back a null block.
void* vx_malloc(size_t size);

// Writes the out-of-memory message and exits with -1. Allocates nothing.
[[noreturn]] void vx_out_of_memory();

// The runtime's allocator: one place that turns an exhausted heap into the
// fatal out-of-memory message.
#include "runtime/memory.h"

#include <cstdio>
#include <cstdlib>

void vx_out_of_memory() {
  // The usual error path builds strings, which needs the memory we lack.
  fputs("Quibbo Runtime Error : Out of memory\n", stdout);
  fflush(stdout);
  exit(-1);
}

void* vx_malloc(size_t size) {
  void* p = malloc(size ? size : 1);
  if (!p) vx_out_of_memory();
  return p;
}

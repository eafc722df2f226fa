#include "tests/audio/malloc_probe.h"

#include <atomic>

// glibc's own allocator, which this executable's malloc hands every request
// to after noting its size.
extern "C" void* __libc_malloc(size_t size);

namespace {
std::atomic<size_t> largest{0};
}  // namespace

extern "C" void* malloc(size_t size) {
  size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
  return __libc_malloc(size);
}

void ResetLargestAllocation() { largest = 0; }
size_t LargestAllocation() { return largest; }

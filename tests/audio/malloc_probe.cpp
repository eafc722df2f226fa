#include "tests/audio/malloc_probe.h"

#include <atomic>

namespace {
std::atomic<size_t> largest{0};

void Note(size_t size) {
  size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
}
}  // namespace

#ifdef VX_SANITIZE
// The sanitizer owns malloc; it tells of each allocation through its hook.
#include <sanitizer/allocator_interface.h>

namespace {
void OnAllocation(const volatile void*, size_t size) { Note(size); }
void OnFree(const volatile void*) {}
const int installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree);
}  // namespace
#else
// glibc's own allocator, which this executable's malloc hands every request
// to after noting its size.
extern "C" void* __libc_malloc(size_t size);

extern "C" void* malloc(size_t size) {
  Note(size);
  return __libc_malloc(size);
}
#endif

void ResetLargestAllocation() { largest = 0; }
size_t LargestAllocation() { return largest; }

#pragma once
// What the fuzz targets share: the bytes of one input as an open stream, and
// a check that stops the run the way a sanitizer report would.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "runtime/collector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// A read-only stream over the input's bytes; fmemopen wants at least one.
inline FILE* OpenInput(const uint8_t* data, size_t size) {
  static const uint8_t kNothing = 0;
  FILE* file = fmemopen(const_cast<uint8_t*>(size ? data : &kNothing), size ? size : 1, "rb");
  if (file && !size) fgetc(file);  // at the end at once
  return file;
}

// Reads every `step`th byte of a block and its last one, so that the
// sanitizer sees a block shorter than its reported size.
inline volatile unsigned fuzz_sink;
inline void ReadBlock(const void* block, size_t size, size_t step = 1) {
  const unsigned char* bytes = static_cast<const unsigned char*>(block);
  for (size_t i = 0; i < size; i += step) fuzz_sink = fuzz_sink + bytes[i];
  if (size) fuzz_sink = fuzz_sink + bytes[size - 1];
}

#define FUZZ_CHECK(condition)                                                     \
  do {                                                                            \
    if (!(condition)) {                                                           \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      abort();                                                                    \
    }                                                                             \
  } while (0)

// The collector started before the first input, and a collection before
// each one, so that the garbage of collected objects does not pile up over
// millions of runs.
inline void CollectBeforeInput() {
  static bool started = false;
  if (!started) {
    gc_init1();
    gc_init2();
    started = true;
  }
  gc_collect();
}

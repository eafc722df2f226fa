// Whole-file reads in chunks into a block that doubles as it fills, every
// size checked before it can wrap.
#include "runtime/file_bytes.h"

#include <climits>
#include <cstdlib>

namespace {
const int kChunk = 4096;
}  // namespace

unsigned char* vx_read_file(FILE* file, int* size) {
  unsigned char* data = nullptr;
  int capacity = 0;
  int used = 0;
  for (;;) {
    if (capacity - used < kChunk) {
      // Room for one more chunk must still be countable.
      if (used > INT_MAX - kChunk) {
        free(data);
        return nullptr;
      }
      int wanted = capacity > INT_MAX / 2 ? INT_MAX : capacity * 2;
      if (wanted < used + kChunk) wanted = used + kChunk;
      unsigned char* grown = static_cast<unsigned char*>(realloc(data, wanted));
      if (!grown) {
        free(data);
        return nullptr;
      }
      data = grown;
      capacity = wanted;
    }
    int n = static_cast<int>(fread(data + used, 1, kChunk, file));
    used += n;
    if (n != kChunk) break;
  }
  *size = used;
  return data;
}

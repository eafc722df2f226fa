// Ogg Vorbis files, decoded whole to interleaved 16-bit samples.
#include <climits>
#include <cstdlib>

#include "audio/audio_decoders.h"

// The decoder itself lives in libstb; only its declarations are wanted here.
#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

namespace {
// Room kept free per channel: more than one Vorbis frame ever yields.
const int kFrameRoom = 4096;
}  // namespace

unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz) {
  int error = 0;
  stb_vorbis* vorbis = stb_vorbis_open_file(file, 0, &error, nullptr);
  if (!vorbis) return nullptr;
  stb_vorbis_info info = stb_vorbis_get_info(vorbis);
  int room = info.channels * kFrameRoom;
  int capacity = room;
  short* data = static_cast<short*>(malloc(sizeof(short) * capacity));
  int used = 0;
  int frames = 0;
  while (data) {
    int n = stb_vorbis_get_frame_short_interleaved(vorbis, info.channels, data + used, capacity - used);
    if (n == 0) break;
    used += n * info.channels;
    frames += n;
    if (capacity - used < room) {
      short* grown = capacity <= INT_MAX / 2 / static_cast<int>(sizeof(short))
                         ? static_cast<short*>(realloc(data, sizeof(short) * capacity * 2))
                         : nullptr;
      if (!grown) free(data);
      data = grown;
      capacity *= 2;
    }
  }
  stb_vorbis_close(vorbis);
  if (!data) return nullptr;
  *length = frames;
  *channels = info.channels;
  *format = 2;
  *hertz = static_cast<int>(info.sample_rate);
  return reinterpret_cast<unsigned char*>(data);
}

// Ogg Vorbis files, decoded whole to interleaved 16-bit samples by the
// reference decoder.
#include <vorbis/vorbisfile.h>

#include <climits>
#include <cstdlib>

#include "audio/audio_decoders.h"

namespace {

const int kChunkBytes = 4096;

size_t ReadFrom(void* buffer, size_t size, size_t count, void* file) {
  return fread(buffer, size, count, static_cast<FILE*>(file));
}

int SeekIn(void* file, ogg_int64_t offset, int whence) {
  return fseeko(static_cast<FILE*>(file), static_cast<off_t>(offset), whence);
}

long Tell(void* file) { return static_cast<long>(ftello(static_cast<FILE*>(file))); }

// The caller opened the file and closes it.
const ov_callbacks kFileCallbacks = {ReadFrom, SeekIn, nullptr, Tell};

// Every sample of the stream's first layout, or null when memory runs out
// or the sound is longer than an int can count. A later link of the chain
// with another layout ends the sound.
unsigned char* DecodeAll(OggVorbis_File* vorbis, int channels, long hertz, int* bytes) {
  unsigned char* data = nullptr;
  int capacity = 0;
  int used = 0;
  for (;;) {
    if (capacity - used < kChunkBytes) {
      unsigned char* grown = nullptr;
      int grown_capacity = capacity ? capacity * 2 : kChunkBytes * 4;
      if (capacity <= INT_MAX / 2) grown = static_cast<unsigned char*>(realloc(data, grown_capacity));
      if (!grown) {
        free(data);
        return nullptr;
      }
      data = grown;
      capacity = grown_capacity;
    }
    int link = 0;
    long n = ov_read(vorbis, reinterpret_cast<char*>(data + used), capacity - used, 0, 2, 1, &link);
    if (n == OV_HOLE) continue;  // a gap in the data; decoding goes on after it
    if (n <= 0) break;
    vorbis_info* info = ov_info(vorbis, link);
    if (!info || info->channels != channels || info->rate != hertz) break;
    used += static_cast<int>(n);
  }
  *bytes = used;
  return data;
}

}  // namespace

unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz) {
  OggVorbis_File vorbis;
  if (ov_open_callbacks(file, &vorbis, nullptr, 0, kFileCallbacks) != 0) return nullptr;
  vorbis_info* info = ov_info(&vorbis, -1);
  int stream_channels = info ? info->channels : 0;
  long stream_hertz = info ? info->rate : 0;
  unsigned char* data = nullptr;
  int bytes = 0;
  if (stream_channels > 0 && stream_hertz > 0 && stream_hertz <= INT_MAX) {
    data = DecodeAll(&vorbis, stream_channels, stream_hertz, &bytes);
  }
  ov_clear(&vorbis);
  int frames = bytes / (2 * (stream_channels > 0 ? stream_channels : 1));
  if (!frames) {
    free(data);
    return nullptr;
  }
  *length = frames;
  *channels = stream_channels;
  *format = 2;
  *hertz = static_cast<int>(stream_hertz);
  return data;
}

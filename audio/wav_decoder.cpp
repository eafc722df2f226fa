// RIFF WAVE files of 8- or 16-bit integer PCM, mono or stereo.
#include <cstdlib>
#include <cstring>

#include "audio/audio_decoders.h"

namespace {

const int kPcmFormat = 1;
const int kFmtMinimumSize = 16;

// False on a short read; `tag` is then empty.
bool ReadTag(FILE* file, char tag[5]) {
  tag[4] = 0;
  if (fread(tag, 1, 4, file) == 4) return true;
  tag[0] = 0;
  return false;
}

bool ExpectTag(FILE* file, const char* expected) {
  char tag[5];
  return ReadTag(file, tag) && memcmp(tag, expected, 4) == 0;
}

// How many bytes remain from the current position, or -1 when the file
// cannot tell.
long BytesLeft(FILE* file) {
  long here = ftell(file);
  if (here < 0 || fseek(file, 0, SEEK_END) != 0) return -1;
  long end = ftell(file);
  if (fseek(file, here, SEEK_SET) != 0 || end < here) return -1;
  return end - here;
}

// The header's sizes are not trusted: a size that is negative or runs past
// the end of the file is refused before anything is read or allocated.
bool Fits(FILE* file, int size) { return size >= 0 && size <= BytesLeft(file); }

bool Skip(FILE* file, int size) { return Fits(file, size) && fseek(file, size, SEEK_CUR) == 0; }

}  // namespace

int readShort(FILE* file) {
  unsigned char bytes[2];
  if (fread(bytes, 1, 2, file) != 2) return -1;
  return bytes[0] | bytes[1] << 8;
}

int readInt(FILE* file) {
  unsigned char bytes[4];
  if (fread(bytes, 1, 4, file) != 4) return -1;
  return static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<unsigned>(bytes[3]) << 24);
}

unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz) {
  if (!ExpectTag(file, "RIFF")) return nullptr;
  readInt(file);  // the RIFF size says nothing the chunks do not
  if (!ExpectTag(file, "WAVE") || !ExpectTag(file, "fmt ")) return nullptr;

  int fmt_size = readInt(file);
  if (fmt_size < kFmtMinimumSize) return nullptr;
  if (readShort(file) != kPcmFormat) return nullptr;  // compressed or float
  int wav_channels = readShort(file);
  int wav_hertz = readInt(file);
  readInt(file);    // byte rate
  readShort(file);  // block align
  int bits = readShort(file);
  if (wav_channels != 1 && wav_channels != 2) return nullptr;
  if (bits != 8 && bits != 16) return nullptr;
  if (wav_hertz <= 0) return nullptr;
  if (!Skip(file, fmt_size - kFmtMinimumSize)) return nullptr;

  // Chunks follow one another without padding to even sizes.
  for (;;) {
    char tag[5];
    ReadTag(file, tag);
    if (feof(file)) return nullptr;
    int size = readInt(file);
    if (!Fits(file, size)) return nullptr;
    if (memcmp(tag, "data", 4) != 0) {
      if (!Skip(file, size)) return nullptr;
      continue;
    }
    // At least one byte, so that an empty sound is still a block.
    unsigned char* data = static_cast<unsigned char*>(malloc(size ? size : 1));
    if (!data) return nullptr;
    if (fread(data, 1, size, file) != static_cast<size_t>(size)) {
      free(data);
      continue;
    }
    *format = bits / 8;
    *channels = wav_channels;
    *length = size / (*format * wav_channels);
    *hertz = wav_hertz;
    return data;
  }
}

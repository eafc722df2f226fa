// Any bytes read as an Ogg Vorbis file: a sound comes back with a layout the
// stream declares and every sample readable, or nothing is kept.
#include "audio/audio_decoders.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = OpenInput(data, size);
  int length = -1, channels = -1, format = -1, hertz = -1;
  unsigned char* samples = LoadOGG(file, &length, &channels, &format, &hertz);
  fclose(file);
  if (!samples) return 0;
  FUZZ_CHECK(length > 0);
  FUZZ_CHECK(channels > 0 && channels <= 255);
  FUZZ_CHECK(format == 2);
  FUZZ_CHECK(hertz > 0);
  ReadBlock(samples, static_cast<size_t>(length) * channels * 2);
  free(samples);
  return 0;
}

// Any bytes read as a WAV file: a sound comes back only with sizes that the
// file's own bytes can hold, and nothing is kept when it does not.
#include "audio/audio_decoders.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = OpenInput(data, size);
  int length = -1, channels = -1, format = -1, hertz = -1;
  unsigned char* samples = LoadWAV(file, &length, &channels, &format, &hertz);
  fclose(file);
  if (!samples) return 0;
  FUZZ_CHECK(channels == 1 || channels == 2);
  FUZZ_CHECK(format == 1 || format == 2);
  FUZZ_CHECK(hertz > 0);
  FUZZ_CHECK(length >= 0);
  FUZZ_CHECK(static_cast<size_t>(length) * channels * format <= size);
  // Every sample is there to be read.
  ReadBlock(samples, static_cast<size_t>(length) * channels * format);
  free(samples);
  return 0;
}

#pragma once
#include <cstdio>

// Whole-file decoders behind the host's LoadAudioData. Each returns a
// malloc'ed block of interleaved PCM samples (the caller frees it) and fills
// in the frames per channel, the channel count, the bytes per sample and the
// sample rate; or returns null and allocates nothing.
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);
unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz);

// Little-endian reads; -1 when the read fails.
int readShort(FILE* file);
int readInt(FILE* file);

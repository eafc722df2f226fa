#pragma once
// Sound files decoded to PCM samples, for the audio device.
#include <cstdio>

#include "runtime/string.h"

// The samples of the sound file at the path, by its extension (".wav" or
// ".ogg", any case): a malloc'ed block of interleaved PCM samples (the
// caller frees it), with the frames per channel, the channel count, the bytes
// per sample and the sample rate filled in. Null when there is no host, the
// file cannot be opened or does not decode; then nothing is allocated.
unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz);

// The whole-file decoders behind it, with the same results.
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);
unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz);

// Little-endian reads; -1 when the read fails.
int readShort(FILE* file);
int readInt(FILE* file);

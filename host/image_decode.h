#pragma once
// Image files decoded to pixels, behind the host's LoadImageData.
#include <cstdio>

// The pixels of the open file, top row first, in the file's own channel
// count (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA): a malloc'ed block the
// caller frees. Null when the file is no image the decoder knows, declares a
// side larger than a texture can have, or is cut short.
unsigned char* vx_decode_image(FILE* file, int* width, int* height, int* depth);

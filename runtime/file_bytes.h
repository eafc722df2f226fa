#pragma once
// A whole open file read into one block, for the string decoder and the
// host's data loader alike.
#include <cstdio>

// The bytes from the current position to the end, as a malloc'ed block the
// caller frees, their count in `size`. Null when memory runs out or the file
// holds more bytes than an int can count; a read error stops the reading
// early and is left for the caller to see with ferror.
unsigned char* vx_read_file(FILE* file, int* size);

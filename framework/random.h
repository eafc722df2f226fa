#pragma once
// The shared random generator.

// The shared generator: a 32-bit linear congruential rule whose every draw
// the game's behaviour depends on, so it is kept exactly.
extern int vx_random_Seed;

// Advances the seed once; the new seed's top 24 bits as a fraction of 2^24.
inline float vx_random_Next() {
  unsigned int seed = static_cast<unsigned int>(vx_random_Seed) * 1664525u + 1013904223u;
  vx_random_Seed = static_cast<int>(seed);
  return static_cast<float>(seed >> 8) * (1.0f / 16777216.0f);
}

// A float in [0, 1).
float vx_random_Rnd();
// low + (high - low) * r, rounded to float once.
float vx_random_Rnd2(float low, float high);
// r * range.
float vx_random_Rnd3(float range);
// An int from lo to hi, both included: lo + r * (hi + 0.99 - lo) in double,
// rounded down. The game's board and its music player draw with it.
int vx_random_Rand(float lo, float hi);

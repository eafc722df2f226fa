// The shared random generator and its ranges.
#include "framework/random.h"

int vx_random_Seed = 1234;

float vx_random_Rnd() { return vx_random_Next(); }

float vx_random_Rnd2(float low, float high) {
  double r = vx_random_Next();
  double span = static_cast<double>(high) - static_cast<double>(low);
  return static_cast<float>(low + span * r);
}

float vx_random_Rnd3(float range) {
  double r = vx_random_Next();
  return static_cast<float>(r * range);
}

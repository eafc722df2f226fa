// The shared random generator and its ranges.
#include "framework/random.h"

#include <cmath>

int vx_random_Seed = 1234;

float vx_random_Rnd() { return vx_random_Next(); }

float vx_random_Rnd2(float low, float high) {
  double r = vx_random_Next();
  double span = static_cast<double>(high) - static_cast<double>(low);
  return static_cast<float>(low + span * r);
}

int vx_random_Rand(float lo, float hi) {
  double r = vx_random_Next();
  double low = lo;
  double span = (static_cast<double>(hi) + 0.99) - low;
  return static_cast<int>(std::floor(low + r * span));
}

float vx_random_Rnd3(float range) {
  double r = vx_random_Next();
  return static_cast<float>(r * range);
}

// Integer and float magnitudes.
#include "framework/maths.h"

// The build wraps integer overflow, so negating INT_MIN is defined.
int vx_math_Abs(int value) { return value < 0 ? -value : value; }

float vx_math_Abs2(float value) { return value < 0 ? -value : value; }

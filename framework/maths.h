#pragma once
// The framework's small maths: magnitudes, and the graphics module's angle
// units for the code that uses them.
#include "graphics/angles.h"

// Two's complement: the most negative int is its own negation.
int vx_math_Abs(int value);
float vx_math_Abs2(float value);

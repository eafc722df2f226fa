#pragma once
// The angle constants are the graphics module's.
#include "graphics/angles.h"

// Two's complement: the most negative int is its own negation.
int vx_math_Abs(int value);
float vx_math_Abs2(float value);

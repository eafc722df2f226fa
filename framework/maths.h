#pragma once

// Degrees per radian and radians per degree, as floats.
const float R2D = 57.29578f;
const float D2R = 0.017453292f;

// Two's complement: the most negative int is its own negation.
int vx_math_Abs(int value);
float vx_math_Abs2(float value);

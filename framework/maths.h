#pragma once
// The framework's small maths: angle units and magnitudes.

// Degrees per radian and radians per degree, as floats.
const float R2D = 57.29578f;
const float D2R = 0.017453292f;

// Two's complement: the most negative int is its own negation.
int vx_math_Abs(int value);
float vx_math_Abs2(float value);

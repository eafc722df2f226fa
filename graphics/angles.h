#pragma once
// Angles: the graphics module and everything drawn through it turn by
// degrees. The conversion lives here, the lowest layer that needs it, so
// every turn in the program rounds the same way.
#include <cmath>

// Degrees per radian and radians per degree, as floats.
const float R2D = 57.29578f;
const float D2R = 0.017453292f;

// Sine and cosine of an angle in degrees: the angle is turned into radians
// as a float, then the double function's result is rounded to float.
inline float DegSin(float degrees) { return static_cast<float>(std::sin(static_cast<double>(degrees * D2R))); }
inline float DegCos(float degrees) { return static_cast<float>(std::cos(static_cast<double>(degrees * D2R))); }

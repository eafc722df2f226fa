#pragma once
// The window-system callbacks that feed keys, characters and the mouse to
// the host.
#include "runtime/array.h"

struct GLFWwindow;

// The window-system callbacks; each turns what GLFW reports into framework
// events for the host.
void OnKey(GLFWwindow* window, int key, int scancode, int action, int mods);
void OnChar(GLFWwindow* window, unsigned int codepoint);
void OnMouseButton(GLFWwindow* window, int button, int action, int mods);
void OnMousePos(GLFWwindow* window, double x, double y);
void OnWindowClose(GLFWwindow* window);

// A joystick's axes as two sticks' x, y and z values, by its axis count.
void MapJoystickAxes(const float* axes, int axisCount, Array<float> joyx, Array<float> joyy,
                     Array<float> joyz);

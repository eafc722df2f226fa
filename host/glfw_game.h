#pragma once
// The desktop host on GLFW and what it adds to the platform-neutral host.
#include "host/game.h"

struct GLFWwindow;

// The desktop host on GLFW: the window, the fixed-rate main loop, input
// callbacks, file paths and the decoding of image files.
class VxGlfwGame : public VxGame {
 public:
  VxGlfwGame();

  void SetUpdateRate(int updatesPerSecond) override;
  int Millisecs() override;
  bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                    Array<bool> buttons) override;
  void OpenUrl(String url) override;
  void SetMouseVisible(bool visible) override;
  String PathToFilePath(String path) override;

  // Pixels of an image file, or null (host/image_decode.cpp).
  virtual unsigned char* LoadImageData(String path, int* width, int* height, int* depth);
  virtual void Run();
  // Switches between the window and a borderless fullscreen window on the
  // monitor the window is on; switching back restores the window's size and
  // position. The game sees only a change of window size.
  virtual void ToggleFullscreen();
  // Shows the game's icon on the window, when the data folder has one.
  void SetWindowIcon();
  // For the next window: a framebuffer of colour only, no alpha, depth or
  // stencil, as the game has always asked for (0 bits meaning none). The 2D
  // drawing never reads them, and a software renderer fills flat shapes a
  // quarter to a third faster without a depth buffer.
  static void ColourOnlyFramebuffer();

  static VxGlfwGame* _glfwGame;
  // The one window, opened at start-up.
  static GLFWwindow* _window;

 protected:
  // What the main loop asks of the platform; tests replace these to drive
  // the loop with their own clock and window state.
  virtual double Now();
  virtual void Sleep(double seconds);
  virtual void PollEvents();
  virtual void WaitEvents();
  virtual bool WindowOpen();
  virtual bool WindowIconified();
  virtual bool WindowActive();
  virtual void InstallCallbacks();
  // The window system's number of the unit-th joystick present, or -1.
  virtual int JoystickOfUnit(int unit);
  // A mapped gamepad's buttons and axes, in the gamepad order; false for a
  // joystick without a mapping.
  virtual bool GamepadState(int joystick, unsigned char* pressed, float* axes);

  // One pass of the main loop; false once the window is gone.
  bool RunPass();

  static const int kJoystickUnits = 4;
  // Units that reported a joystick at their last poll.
  bool _joystickSeen[kJoystickUnits] = {};
  bool _iconified;
  double _nextUpdate;
  double _updatePeriod;
  // Where the window was before it went fullscreen.
  int _windowedX, _windowedY, _windowedWidth, _windowedHeight;
};

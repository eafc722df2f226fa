#pragma once
// The game object on the real framework, driven one step at a time: a host
// whose clock and events are the test's, a real window and real audio, and
// a scratch folder with the game's data beside it.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "game/my_app.h"
#include "graphics/graphics_device.h"
#include "host/glfw_game.h"
#include "host/key_codes.h"
#include "tests/support/test_support.h"

// The main loop's platform with the test's clock. Its one joystick is the
// test's gamepad, when plugged in, read by the host's own joystick poll.
class GameHost : public VxGlfwGame {
 public:
  double clock = 100.0;
  int Millisecs() override { return static_cast<int>(clock * 1000); }

  // The gamepad, in the window system's gamepad order (buttons A, B, X, Y,
  // bumpers, back, start, guide, thumbs, D-pad up, right, down, left; axes
  // left x, y, right x, y, triggers).
  bool padPlugged = false;
  unsigned char padButtons[15] = {};
  float padAxes[6] = {0, 0, 0, 0, -1, -1};

 protected:
  int JoystickOfUnit(int unit) override { return padPlugged && unit == 0 ? 0 : -1; }
  bool GamepadState(int, unsigned char* pressed, float* axes) override;
  double Now() override { return clock; }
  void Sleep(double seconds) override { clock += seconds; }
  void PollEvents() override {}
  void WaitEvents() override {}
  bool WindowOpen() override { return true; }
  bool WindowIconified() override { return false; }
  bool WindowActive() override { return true; }
};

// The real device, which can also report a window of no size and keep the
// last frame's pixels before the buffers are swapped.
class HostGraphics : public gxtkGraphics {
 public:
  bool zeroSize = false;
  bool capture = false;
  int frameWidth = 0, frameHeight = 0;
  std::vector<uint32_t> frame;  // 0xAARRGGBB, bottom row first

  int BeginRender() override;
  void EndRender() override;
};

// The process's one game window, opened on first use; false without a display.
bool OpenGameWindow();
// Puts `graphics` where the started game's delegate keeps its device and
// draws a first frame. Made after the start: nothing but the game holds it.
void UseDevice(GameHost* host, HostGraphics* graphics);

// One draw command, its floats named by CommandField.
struct Command {
  float f[kCommandFloats];
  float kind() const { return f[kCommandKind]; }
};

// A started game driven one step at a time: its clock, the input the
// window would deliver, and what it draws. Tests and the benchmark share it.
class GameDriver {
 public:
  // Starts the game `makeApp` gives on `host` and swaps in the device
  // `makeGraphics` gives; both are made once the collector may hold them.
  void Start(GameHost* host, const std::function<c_MyApp*()>& makeApp,
             const std::function<HostGraphics*()>& makeGraphics);

  // One update (clock moved on by 1/60 s), one render, or both.
  void Update(int count = 1);
  void Render();
  void Step(int count = 1);
  // Steps until the asset loader is done; false if it never finishes.
  bool RunLoader();

  // Input through the host, as the window callbacks deliver it. Positions
  // are virtual-screen units, turned into window pixels with the scale.
  void Press(float x, float y);
  void MoveTo(float x, float y);
  void Release();
  void KeyDown(int code);
  void KeyUp(int code);
  // Holds a key for `updates` updates, then lets it go for one more.
  void Tap(int code, int updates = 1);
  // One step of the benchmarks' random pointer play on a 640x480 screen,
  // given the step's draw `r` in [0, 1): now and then a press, drags while
  // held, now and then a release.
  void RandomPointer(std::mt19937& random, float r, bool* down);

  // The commands of the current draw list; the first of `kind` (an image id
  // or a shape) whose width or scale is `w` (any with 0), -1 if none; one
  // command by its place.
  std::vector<Command> Commands();
  int Find(float kind, float w = 0);
  Command At(int index) { return Commands().at(index); }
  // One pixel of the last captured frame (window pixels, y down).
  uint32_t Pixel(int x, int y);

  GameHost* host = nullptr;
  HostGraphics* graphics = nullptr;
  c_MyApp* app = nullptr;
  float mouseX = 0, mouseY = 0;
};

// Each test gets a fresh game object on a fresh host in its own folder; the
// window is the process's one window, sized per test.
class GameTest : public ::testing::Test, public GameDriver {
 protected:
  static void SetUpTestSuite();

  void SetUp() override;
  void TearDown() override;

  // The window size the test starts with (client pixels).
  virtual int StartWidth() { return 640; }
  virtual int StartHeight() { return 480; }

  // The game object under test; a test may put a variant in its place.
  virtual c_MyApp* NewApp() { return new c_MyApp(); }
  // Resizes the window and waits until it has the size.
  void ResizeWindow(int width, int height);

  std::string StatePath() const { return dir.Path(".quibbostate"); }

  TempDir dir;
  std::string oldDir;
};

// The title menu, loaded and slid into place.
class MenuTest : public GameTest {
 protected:
  void SetUp() override;
};

// A game in play on a 640x432 window: jscrw 640, jscrh 432, board scale
// 0.75, so a cell is 36 units and the board's numbers are exact.
// Cell (x, y) is centred at (158 + 36x, 36y).
class PlayTest : public GameTest {
 protected:
  int StartHeight() override { return 432; }
  void SetUp() override;

  static float CellX(int x) { return 158 + 36.0f * x; }
  static float CellY(int y) { return 36.0f * y; }
  float& Cell(int x, int y, int field) { return app->m_Cells[c_MyApp::p_CellIndex(x, y) + field]; }
  float Type(int x, int y) { return Cell(x, y, kCellType); }

  // Lays out the board. `rows` describe the rows just above the floor (the
  // last string is row 11), eight characters for columns 1..8: '.' empty,
  // '1'..'9' a block of that colour, 'B' a bomb, '#' a solid. Walls and the
  // floor are solid; every float of every other cell is zero; nothing is
  // held; drops wait; danger, score and game over are cleared.
  void LayBoard(const std::vector<std::string>& rows);
  // Two rows that block drops: 16 blocks of colours 5 and 6, no two
  // neighbours alike.
  static std::vector<std::string> WithFiller(std::vector<std::string> rows);

  int AliveParticles();
};

// The string's characters as bytes (the tests' texts are ASCII).
std::string Std(const String& text);
// Splits on a character, keeping empty pieces.
std::vector<std::string> SplitOn(const std::string& text, char separator);

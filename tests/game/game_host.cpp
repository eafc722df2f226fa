// The game test host: the real framework and game object in a real window,
// with the clock, the window size and the input in the test's hands.
#include "tests/game/game_host.h"

#include <GLFW/glfw3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "framework/app.h"
#include "framework/game_delegate.h"
#include "graphics/graphics.h"
#include "runtime/collector.h"
#include "tests/framework/framework_test_support.h"

int HostGraphics::BeginRender() {
  int mode = gxtkGraphics::BeginRender();
  if (zeroSize) width = height = 0;
  return mode;
}

void HostGraphics::EndRender() {
  Flush();
  if (capture && width > 0 && height > 0) {
    frameWidth = width;
    frameHeight = height;
    frame.assign(static_cast<size_t>(width) * height, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, frame.data());
  }
  gxtkGraphics::EndRender();
}

bool GameHost::GamepadState(int, unsigned char* pressed, float* axes) {
  for (int b = 0; b < 15; ++b) pressed[b] = padButtons[b];
  for (int a = 0; a < 6; ++a) axes[a] = padAxes[a];
  return true;
}

bool OpenGameWindow() {
  if (VxGlfwGame::_window) return true;
  setenv("ALSOFT_DRIVERS", "null", 0);
  if (!StartGlfw()) return false;
  VxGlfwGame::ColourOnlyFramebuffer();
  glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
  VxGlfwGame::_window = glfwCreateWindow(640, 480, "Tumblast - Ridazoz", nullptr, nullptr);
  if (!VxGlfwGame::_window) return false;
  glfwMakeContextCurrent(VxGlfwGame::_window);
  glfwSwapInterval(0);
  return true;
}

void UseDevice(GameHost* host, HostGraphics* graphics) {
  // The delegate's own device, replaced by one the caller can look into.
  gc_assign(vx_app__delegate->m_graphics, graphics);
  vx_graphics_SetGraphicsDevice(graphics);
  // A first frame gives the game its screen scale before any update reads
  // the pointer.
  host->RenderGame();
}

void GameTest::SetUpTestSuite() { ASSERT_TRUE(OpenGameWindow()) << "the suite runs on an X display"; }

void GameTest::SetUp() {
  ASSERT_NE(VxGlfwGame::_window, nullptr);
  oldDir = std::filesystem::current_path().string();
  std::filesystem::create_directory_symlink(VX_GAME_DATA_DIR, dir.Path("data"));
  std::filesystem::current_path(dir.path());
  ResizeWindow(StartWidth(), StartHeight());
  if (HasFatalFailure()) return;

  Start(new GameHost(), [this] { return NewApp(); }, [] { return new HostGraphics(); });
}

void GameDriver::Start(GameHost* gameHost, const std::function<c_MyApp*()>& makeApp,
                       const std::function<HostGraphics*()>& makeGraphics) {
  host = gameHost;
  StartFramework(host);
  app = makeApp()->m_new();
  host->StartGame();
  UseDevice(host, graphics = makeGraphics());
}

void GameTest::TearDown() {
  if (!oldDir.empty()) std::filesystem::current_path(oldDir);
  delete host;
  host = nullptr;
}

void GameTest::ResizeWindow(int width, int height) {
  glfwSetWindowSize(VxGlfwGame::_window, width, height);
  int w = 0, h = 0;
  for (int tries = 0; tries < 200; ++tries) {
    glfwPollEvents();
    glfwGetWindowSize(VxGlfwGame::_window, &w, &h);
    if (w == width && h == height) return;
    usleep(5000);
  }
  FAIL() << "the window stayed " << w << "x" << h << ", not " << width << "x" << height;
}

void GameDriver::Update(int count) {
  for (int i = 0; i < count; ++i) {
    host->clock += 1.0 / 60;
    host->UpdateGame();
  }
}

void GameDriver::Render() { host->RenderGame(); }

void GameDriver::Step(int count) {
  for (int i = 0; i < count; ++i) {
    Update();
    Render();
  }
}

bool GameDriver::RunLoader() {
  for (int i = 0; i < 60 && app->m_NeedLoad > 0; ++i) Step();
  return app->m_NeedLoad == 0;
}

void GameDriver::Press(float x, float y) {
  mouseX = x * app->m_ScaleX;
  mouseY = y * app->m_ScaleY;
  host->MouseEvent(VX_EVENT_MOUSE_DOWN, 0, mouseX, mouseY);
}

void GameDriver::MoveTo(float x, float y) {
  mouseX = x * app->m_ScaleX;
  mouseY = y * app->m_ScaleY;
  host->MouseEvent(VX_EVENT_MOUSE_MOVE, 0, mouseX, mouseY);
}

void GameDriver::Release() { host->MouseEvent(VX_EVENT_MOUSE_UP, 0, mouseX, mouseY); }

void GameDriver::KeyDown(int code) { host->KeyEvent(VX_EVENT_KEY_DOWN, code); }

void GameDriver::KeyUp(int code) { host->KeyEvent(VX_EVENT_KEY_UP, code); }

void GameDriver::Tap(int code, int updates) {
  KeyDown(code);
  Update(updates);
  KeyUp(code);
  Update();
}

void GameDriver::RandomPointer(std::mt19937& random, float r, bool* down) {
  std::uniform_real_distribution<float> x(0, 640), y(0, 480);
  if (!*down && r < 0.05f) {
    Press(x(random), y(random));
    *down = true;
  } else if (*down && r < 0.04f) {
    MoveTo(x(random), y(random));
    Release();
    *down = false;
  } else if (*down) {
    MoveTo(x(random), y(random));
  }
}

std::vector<Command> GameDriver::Commands() {
  std::vector<Command> list;
  for (int i = 0; i + kCommandFloats - 1 < app->m_DrawCount; i += kCommandFloats) {
    Command c;
    for (int j = 0; j < kCommandFloats; ++j) c.f[j] = app->m_DrawList[i + j];
    list.push_back(c);
  }
  return list;
}

int GameDriver::Find(float kind, float w) {
  std::vector<Command> list = Commands();
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].kind() == kind && (w == 0 || list[i].f[kCommandW] == w)) return static_cast<int>(i);
  }
  return -1;
}

uint32_t GameDriver::Pixel(int x, int y) {
  const std::vector<uint32_t>& frame = graphics->frame;
  if (x < 0 || y < 0 || x >= graphics->frameWidth || y >= graphics->frameHeight) return 0;
  return frame[static_cast<size_t>(graphics->frameHeight - 1 - y) * graphics->frameWidth + x];
}

void MenuTest::SetUp() {
  GameTest::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(RunLoader());
  ASSERT_EQ(app->m_Screen, kScreenMenu);
  Update(32);
}

void PlayTest::SetUp() {
  GameTest::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(RunLoader());
  // Difficulty 1: four colours, so drops never match the filler's 5 and 6.
  app->m_Difficulty = 1;
  app->m_Screen = kScreenNewGame;
  Update();
  ASSERT_EQ(app->m_Screen, kScreenPlay);
  ASSERT_EQ(app->m_Colours, 4);
  Update();  // the board's first update lays out the board scale
  ASSERT_EQ(app->m_BoardScale, 0.75f);
}

void PlayTest::LayBoard(const std::vector<std::string>& rows) {
  for (int i = 0; i < app->m_Cells.Length(); ++i) app->m_Cells[i] = 0;
  for (int i = 0; i < 220; ++i) app->m_Labels[i] = app->m_LabelCount[i] = 0;
  for (int i = 0; i < app->m_Particles.Length(); ++i) app->m_Particles[i] = 0;
  for (int y = 0; y <= 16; ++y) {
    Cell(0, y, kCellType) = Cell(9, y, kCellType) = kWall;
    if (y >= 12) {
      for (int x = 1; x <= 8; ++x) Cell(x, y, kCellType) = kWall;
    }
  }
  int top = 12 - static_cast<int>(rows.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    for (int x = 1; x <= 8 && x <= static_cast<int>(rows[r].size()); ++x) {
      char c = rows[r][x - 1];
      float type = 0;
      if (c >= '1' && c <= '9') type = c - '0';
      if (c == 'B') type = kBomb;
      if (c == '#') type = kWall + 1;  // a solid that is not a wall
      Cell(x, top + static_cast<int>(r), kCellType) = type;
    }
  }
  app->m_Holding = 0;
  app->m_HeldCol = app->m_HeldRow = 0;
  app->m_Fuse = 0;
  app->m_DangerFrames = 0;
  app->m_SpawnTimer = 1000000;
  app->m_Score = app->m_ScoreShown = 0;
  app->m_GameOver = app->m_GameOverTimer = 0;
  app->m_LandCue = 0;
}

std::vector<std::string> PlayTest::WithFiller(std::vector<std::string> rows) {
  rows.push_back("56565656");
  rows.push_back("65656565");
  return rows;
}

int PlayTest::AliveParticles() {
  int alive = 0;
  for (int i = 0; i < kParticleSlots; ++i) alive += app->m_Particles[i * kParticleFloats + kParticleFrame] > 0;
  return alive;
}

std::string Std(const String& text) {
  std::string out;
  for (int i = 0; i < text.Length(); ++i) out += static_cast<char>(text[i]);
  return out;
}

std::vector<std::string> SplitOn(const std::string& text, char separator) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == separator) {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

// The delegate between a host with the test's clock and events and an
// application that records its hooks, on real devices in a real window.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "framework/app.h"
#include "framework/game_delegate.h"
#include "framework/input.h"
#include "graphics/graphics.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"
#include "runtime/startup.h"
#include "tests/framework/framework_test_support.h"
#include "tests/support/test_support.h"

namespace {

std::vector<std::string> calls;

class TestHost : public VxGlfwGame {
 public:
  double clock = 10.0;
  bool iconified = false;
  std::vector<std::function<void()>> pending;  // delivered by the next poll
  int joystickPolls = 0;

  bool Pass() { return RunPass(); }
  int Millisecs() override { return static_cast<int>(clock * 1000); }
  bool PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) override {
    calls.push_back("poll");
    return false;
  }

 protected:
  double Now() override { return clock; }
  void Sleep(double seconds) override { clock += seconds; }
  void PollEvents() override {
    for (auto& event : pending) event();
    pending.clear();
  }
  void WaitEvents() override {}
  bool WindowOpen() override { return true; }
  bool WindowIconified() override { return iconified; }
  bool WindowActive() override { return !iconified; }
};

// Notes every hook, and what the input and render state were at the time.
class RecordingApp : public c_App {
 public:
  bool devicesAtCreate = false;
  int mouseHits = -1;
  bool mouseDown = true;
  gxtkGraphics* renderDevice = nullptr;

  int p_OnCreate() override {
    calls.push_back("create");
    devicesAtCreate = vx_graphics_device && vx_audio_device && vx_input_device;
    vx_app_SetUpdateRate(60);
    return 0;
  }
  int p_OnSuspend() override {
    calls.push_back("suspend");
    return 0;
  }
  int p_OnResume() override {
    calls.push_back("resume");
    return 0;
  }
  int p_OnUpdate() override {
    calls.push_back("update");
    mouseHits = vx_input_MouseHit(0);
    mouseDown = vx_input_MouseDown(0);
    return 0;
  }
  int p_OnLoading() override {
    calls.push_back("loading");
    renderDevice = vx_graphics_renderDevice;
    return 0;
  }
  int p_OnRender() override {
    calls.push_back("render");
    renderDevice = vx_graphics_renderDevice;
    return 0;
  }
};

class RecordingAudio : public gxtkAudio {
 public:
  void Suspend() override {
    calls.push_back("audio suspend");
    gxtkAudio::Suspend();
  }
  void Resume() override {
    calls.push_back("audio resume");
    gxtkAudio::Resume();
  }
};

class RecordingGraphics : public gxtkGraphics {
 public:
  int mode = 1;
  int BeginRender() override {
    calls.push_back("begin render");
    gxtkGraphics::BeginRender();
    return mode;
  }
  void EndRender() override {
    calls.push_back("end render");
    gxtkGraphics::EndRender();
  }
  void DiscardGraphics() override { calls.push_back("discard"); }
};

class RecordingInput : public c_InputDevice {
 public:
  static std::vector<RecordingInput*> destroyed;
  ~RecordingInput() override { destroyed.push_back(this); }
  static bool Destroyed(c_InputDevice* device) {
    for (RecordingInput* d : destroyed) {
      if (d == device) return true;
    }
    return false;
  }
  int p_BeginUpdate() override {
    calls.push_back("begin update");
    return c_InputDevice::p_BeginUpdate();
  }
  int p_EndUpdate() override {
    calls.push_back("end update");
    return c_InputDevice::p_EndUpdate();
  }
  int p_KeyEvent(int event, int code) override {
    calls.push_back("key " + std::to_string(event) + " " + std::to_string(code));
    return c_InputDevice::p_KeyEvent(event, code);
  }
};

std::vector<RecordingInput*> RecordingInput::destroyed;

class Delegate : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("ALSOFT_DRIVERS", "null", 0);
    ASSERT_TRUE(StartGlfw()) << "the suite runs on an X display";
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    VxGlfwGame::_window = glfwCreateWindow(640, 480, "delegate", nullptr, nullptr);
    ASSERT_NE(VxGlfwGame::_window, nullptr);
    glfwMakeContextCurrent(VxGlfwGame::_window);
  }
  static void TearDownTestSuite() {
    glfwDestroyWindow(VxGlfwGame::_window);
    VxGlfwGame::_window = nullptr;
    glfwTerminate();
  }

  void SetUp() override {
    host = new TestHost();
    StartFramework(host);
    app = new RecordingApp();
    app->m_new();
    calls.clear();
  }
  void TearDown() override { delete host; }

  // Starts the game, then puts recording devices where the delegate keeps
  // its own, so that the order of their calls shows.
  void Start() {
    host->StartGame();
    delegate = vx_app__delegate;
    gc_assign(delegate->m_graphics, graphics = new RecordingGraphics());
    vx_graphics_SetGraphicsDevice(graphics);
    gc_assign(delegate->m_audio, audio = new RecordingAudio());
    vx_audio_SetAudioDevice(audio);
    gc_assign(delegate->m_input, input = new RecordingInput());
    vx_input_SetInputDevice(input);
    calls.clear();
  }

  // Moves the clock on to the next due update and runs one pass.
  std::vector<std::string> NextPass() {
    calls.clear();
    host->clock += 1.0 / 60;
    EXPECT_TRUE(host->Pass());
    return calls;
  }

  TestHost* host = nullptr;
  RecordingApp* app = nullptr;
  c_GameDelegate* delegate = nullptr;
  RecordingGraphics* graphics = nullptr;
  RecordingAudio* audio = nullptr;
  RecordingInput* input = nullptr;
};

using Calls = std::vector<std::string>;

TEST_F(Delegate, RegistrationAttachesTheDelegateAndStartCreatesTheDevices) {
  EXPECT_EQ(vx_app__app, app);
  ASSERT_NE(vx_app__delegate, nullptr);
  EXPECT_EQ(host->Delegate(), vx_app__delegate);
  host->StartGame();
  c_GameDelegate* d = vx_app__delegate;
  EXPECT_EQ(calls, Calls{"create"});
  EXPECT_TRUE(app->devicesAtCreate);
  EXPECT_EQ(vx_graphics_device, d->m_graphics);
  EXPECT_EQ(vx_audio_device, d->m_audio);
  EXPECT_EQ(vx_input_device, d->m_input);
  EXPECT_EQ(d->m_graphics->Width(), 640);
  EXPECT_EQ(d->m_graphics->Height(), 480);
  EXPECT_EQ(vx_graphics_context->firstChar, 32);
  EXPECT_EQ(vx_app__updateRate, 60);
  EXPECT_EQ(host->UpdateRate(), 60);
  EXPECT_EQ(vx_app_Millisecs(), 10000);
}

TEST_F(Delegate, AnUpdateIsFramedByTheInputDeviceAndARenderByTheGraphicsDevice) {
  Start();
  EXPECT_EQ(NextPass(), (Calls{"begin update", "poll", "update", "end update", "begin render", "render",
                               "end render"}));
  EXPECT_EQ(app->renderDevice, graphics);
  EXPECT_EQ(vx_graphics_renderDevice, nullptr);
}

TEST_F(Delegate, SuspendSavesBeforeTheSoundStopsAndResumeHearsItFirst) {
  Start();
  host->iconified = true;
  calls.clear();
  host->Pass();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ((Calls{calls[0], calls[1]}), (Calls{"suspend", "audio suspend"}));
  host->iconified = false;
  calls.clear();
  host->Pass();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ((Calls{calls[0], calls[1]}), (Calls{"audio resume", "resume"}));
}

TEST_F(Delegate, RenderModes) {
  Start();
  graphics->mode = 2;
  host->RenderGame();
  EXPECT_EQ(calls, (Calls{"begin render", "loading", "end render"}));
  EXPECT_EQ(app->renderDevice, graphics);
  EXPECT_EQ(vx_graphics_renderDevice, nullptr);

  // A device that cannot render still runs the hook, but outside the
  // module's frame, so nothing it draws reaches the device.
  calls.clear();
  app->renderDevice = graphics;
  graphics->mode = 0;
  host->RenderGame();
  EXPECT_EQ(calls, (Calls{"begin render", "render", "end render"}));
  EXPECT_EQ(app->renderDevice, nullptr);

  calls.clear();
  host->DiscardGraphics();
  EXPECT_EQ(calls, Calls{"discard"});
}

TEST_F(Delegate, AClickBetweenTwoTicksReachesTheNextUpdateOnce) {
  Start();
  host->pending.push_back([this] { host->MouseEvent(VX_EVENT_MOUSE_DOWN, 0, 100, 50); });
  host->pending.push_back([this] { host->MouseEvent(VX_EVENT_MOUSE_UP, 0, 100, 50); });
  host->pending.push_back([this] { host->KeyEvent(VX_EVENT_KEY_DOWN, 65); });
  Calls first = NextPass();
  EXPECT_EQ(first[0], "key 1 1");  // the mouse button arrives as its key
  EXPECT_EQ(first[1], "key 2 1");
  EXPECT_EQ(first[2], "key 1 65");
  EXPECT_EQ(app->mouseHits, 1);
  EXPECT_TRUE(app->mouseDown) << "held for the one update that follows the click";
  EXPECT_EQ(vx_input_MouseX(), 100);
  NextPass();
  EXPECT_EQ(app->mouseHits, 0);
  EXPECT_FALSE(app->mouseDown);
  EXPECT_TRUE(vx_input_KeyDown(65));

  host->pending.push_back([this] { host->TouchEvent(VX_EVENT_TOUCH_MOVE, 2, 7, 8); });
  host->pending.push_back([this] { host->MotionEvent(VX_EVENT_ACCELEROMETER, 0, 1, 2, 3); });
  NextPass();
  EXPECT_EQ(vx_input_TouchX(2), 7);
  EXPECT_EQ(vx_input_AccelY(), 2);
}

TEST_F(Delegate, TheDelegateKeepsItsDevicesAliveThroughCollections) {
  Start();
  // Only the delegate still refers to its input device once the module
  // global lets go; an unreferenced one shows that the sweeps ran.
  RecordingInput* unreferenced = new RecordingInput();
  vx_input_device = nullptr;
  RecordingInput::destroyed.clear();
  for (int i = 0; i < 4; ++i) {
    gc_force_sweep = true;
    host->gc_collect();
  }
  EXPECT_TRUE(RecordingInput::Destroyed(unreferenced));
  ASSERT_FALSE(RecordingInput::Destroyed(delegate->m_input));
  vx_input_SetInputDevice(delegate->m_input);
  EXPECT_EQ(NextPass()[0], "begin update");
  EXPECT_EQ(delegate->m_input->keyDown.Length(), 512);
}

TEST(App, ASecondApplicationIsAFatalError) {
  std::string out;
  int code = RunInChild(
      [] {
        if (!freopen("/dev/null", "r", stdin)) return 100;
        new TestHost();
        gc_init1();
        vxInit();
        (new c_App())->m_new();
        (new c_App())->m_new();
        return 0;
      },
      &out);
  EXPECT_EQ(code, 255);
  EXPECT_EQ(out.rfind("Quibbo Runtime Error : App has already been created\n", 0), 0u) << out;
}

}  // namespace

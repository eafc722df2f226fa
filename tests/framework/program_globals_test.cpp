// The program's start values and its collector roots.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "audio/audio.h"
#include "framework/app.h"
#include "framework/async_event.h"
#include "framework/input.h"
#include "framework/random.h"
#include "game/globals.h"
#include "graphics/graphics.h"
#include "runtime/collector.h"
#include "tests/framework/framework_test_support.h"

namespace {

std::vector<const void*> destroyed;

bool Destroyed(const void* p) { return std::find(destroyed.begin(), destroyed.end(), p) != destroyed.end(); }

class NotedApp : public c_App {
 public:
  ~NotedApp() override { destroyed.push_back(this); }
};

class NotedStack : public c_Stack {
 public:
  ~NotedStack() override { destroyed.push_back(this); }
};

class NotedContext : public c_GraphicsContext {
 public:
  ~NotedContext() override { destroyed.push_back(this); }
};

class NotedInput : public c_InputDevice {
 public:
  ~NotedInput() override { destroyed.push_back(this); }
};

// Reached only through the interface the pump holds it by.
class NotedSource : public Object, public c_IAsyncEventSource {
 public:
  ~NotedSource() override { destroyed.push_back(this); }
  int p_ServiceEvents() override { return 0; }
};

void Sweeps(VxGame* host) {
  for (int i = 0; i < 4; ++i) {
    gc_force_sweep = true;
    host->gc_collect();
  }
}

TEST(ProgramGlobals, StartValues) {
  JoystickHost host;
  vx_random_Seed = 99;
  vx_TumblastEndless_jscrw = 1;
  vx_app__updateRate = 7;
  StartFramework(&host);
  EXPECT_EQ(vx_app__app, nullptr);
  EXPECT_EQ(vx_app__delegate, nullptr);
  EXPECT_EQ(vx_app__game, &host);
  EXPECT_EQ(vx_graphics_device, nullptr);
  EXPECT_EQ(vx_graphics_renderDevice, nullptr);
  ASSERT_NE(vx_graphics_context, nullptr);
  EXPECT_EQ(vx_audio_device, nullptr);
  EXPECT_EQ(vx_input_device, nullptr);
  EXPECT_EQ(vx_app__updateRate, 0);
  EXPECT_EQ(vx_asyncevent__current, nullptr);
  ASSERT_NE(vx_asyncevent__sources, nullptr);
  EXPECT_EQ(vx_asyncevent__sources->p_Length(), 0);
  EXPECT_EQ(vx_random_Seed, 1234);
  EXPECT_EQ(vx_TumblastEndless_HasMusic, 0);
  EXPECT_EQ(vx_TumblastEndless_DebugMode, 0);
  EXPECT_EQ(vx_TumblastEndless_iCadeControls, 0);
  EXPECT_EQ(vx_TumblastEndless_OnScreenControls, 0);
  EXPECT_EQ(vx_TumblastEndless_AccelerometerControls, 0);
  EXPECT_EQ(vx_TumblastEndless_rawscrw, 640.0f);
  EXPECT_EQ(vx_TumblastEndless_rawscrh, 480.0f);
  EXPECT_EQ(vx_TumblastEndless_jscrw, 640.0f);
  EXPECT_EQ(vx_TumblastEndless_jscrh, 480.0f);
}

TEST(ProgramGlobals, EveryGlobalReferenceKeepsItsObjectThroughSweeps) {
  JoystickHost host;
  StartFramework(&host);
  NotedApp* app = new NotedApp();
  gc_assign(vx_app__app, app);
  NotedStack* stack = new NotedStack();
  gc_assign(vx_asyncevent__sources, stack->m_new());
  NotedSource* source = new NotedSource();
  gc_assign(vx_asyncevent__current, static_cast<c_IAsyncEventSource*>(source));
  NotedContext* context = new NotedContext();
  gc_assign(vx_graphics_context, context->m_new());
  NotedInput* input = new NotedInput();
  vx_input_SetInputDevice(input->m_new());
  // An object no global holds shows that the sweeps did run.
  NotedInput* loose = new NotedInput();
  destroyed.clear();
  Sweeps(&host);
  EXPECT_TRUE(Destroyed(loose));
  EXPECT_FALSE(Destroyed(app));
  EXPECT_FALSE(Destroyed(stack));
  EXPECT_FALSE(Destroyed(source));
  EXPECT_FALSE(Destroyed(context));
  EXPECT_FALSE(Destroyed(input));
  EXPECT_EQ(vx_graphics_context->matrixStack.Length(), 192);

  // Let go of them and they go too.
  vx_app__app = nullptr;
  vx_asyncevent__current = nullptr;
  vx_input_device = nullptr;
  Sweeps(&host);
  EXPECT_TRUE(Destroyed(app));
  EXPECT_TRUE(Destroyed(source));
  EXPECT_TRUE(Destroyed(input));
  vx_app__game = nullptr;
}

}  // namespace

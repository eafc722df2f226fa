// The program's globals, their initialisation, the collector's roots and
// the creation of the application object.
#include <GLFW/glfw3.h>

#include "audio/audio.h"
#include "graphics/graphics.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"
#include "runtime/errors.h"
#include "runtime/startup.h"

namespace {

// Stands in for the application until the framework exists: keeps the
// window alive and quits on the close key.
class PlaceholderDelegate : public VxGameDelegate {
 public:
  void StartGame() override { VxGame::_game->SetUpdateRate(60); }
  void RenderGame() override {
    glClearColor(0.1f, 0.1f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glfwSwapBuffers(VxGlfwGame::_window);
  }
  void KeyEvent(int event, int data) override {
    if (event == VX_EVENT_KEY_DOWN && data == VX_KEY_CLOSE) Error(String());
  }
};

VxGameDelegate* placeholder;

}  // namespace

void vxInit() { gc_assign(vx_graphics_context, (new c_GraphicsContext())->m_new()); }

void gc_mark() {
  gc_mark_q(placeholder);
  gc_mark_q(vx_audio_device);
  gc_mark_q(vx_graphics_device);
  gc_mark_q(vx_graphics_renderDevice);
  gc_mark_q(vx_graphics_context);
}

int vxMain() {
  gc_assign(placeholder, new PlaceholderDelegate());
  VxGame::_game->SetDelegate(placeholder);
  return 0;
}

// Cost of the framework's per-update work: the input device's tick with all
// four joysticks present, a busy frame of mouse and key events, and random
// draws. The music player's construction is timed too, since its note table
// is the largest single allocation the game makes at start.
#include <chrono>
#include <cstdio>

#include "framework/app.h"
#include "framework/input.h"
#include "framework/random.h"
#include "music/kz_player.h"
#include "runtime/collector.h"
#include "runtime/startup.h"

namespace {

class FourPads : public VxGame {
 public:
  int tick = 0;
  bool PollJoystick(int port, Array<float> joyx, Array<float>, Array<float>, Array<bool> buttons) override {
    joyx[0] = 0.5f;
    for (int b = 0; b < 32; ++b) buttons[b] = ((tick + port + b) & 7) == 0;
    return true;
  }
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  FourPads host;
  gc_init1();
  vxInit();
  gc_init2();
  c_InputDevice* device = (new c_InputDevice())->m_new();
  vx_input_SetInputDevice(device);

  const int ticks = 200000;
  auto start = std::chrono::steady_clock::now();
  for (int t = 0; t < ticks; ++t) {
    host.tick = t;
    device->p_BeginUpdate();
    device->p_EndUpdate();
  }
  printf("input tick, 4 joysticks:        %8.1f ns\n", Seconds(start) / ticks * 1e9);

  start = std::chrono::steady_clock::now();
  long long sink = 0;
  for (int t = 0; t < ticks; ++t) {
    for (int e = 0; e < 8; ++e) device->p_MouseEvent(VX_EVENT_MOUSE_MOVE, -1, e, t);
    device->p_MouseEvent(VX_EVENT_MOUSE_DOWN, 0, 1, 2);
    device->p_KeyEvent(VX_EVENT_KEY_DOWN, 65);
    device->p_KeyEvent(VX_EVENT_KEY_CHAR, 'a');
    device->p_MouseEvent(VX_EVENT_MOUSE_UP, 0, 1, 2);
    device->p_KeyEvent(VX_EVENT_KEY_UP, 65);
    sink += vx_input_MouseHit(0) + vx_input_KeyHit(65) + vx_input_GetChar();
    device->p_EndUpdate();
  }
  printf("13 events + polls + end update: %8.1f ns\n", Seconds(start) / ticks * 1e9);

  const int draws = 50000000;
  float total = 0;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < draws; ++i) total += vx_random_Rnd2(-1, 1);
  printf("random draw (Rnd2):             %8.2f ns\n", Seconds(start) / draws * 1e9);

  const int players = 200;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < players; ++i) {
    (new c_KzPlayer())->m_new();
    gc_collect();
  }
  printf("music player construction:      %8.1f us\n", Seconds(start) / players * 1e6);
  printf("(checksum %lld %g)\n", sink, total);
  return 0;
}

#include "tests/framework/framework_test_support.h"

#include "framework/app.h"
#include "runtime/collector.h"
#include "runtime/startup.h"

bool JoystickHost::PollJoystick(int port, Array<float> joyx, Array<float>, Array<float>, Array<bool> buttons) {
  polled.push_back(port);
  if (!present[port]) return false;
  joyx[0] = stickX[port];
  for (int b = 0; b < 32; ++b) buttons[b] = held[port][b];
  return true;
}

void StartFramework(VxGame* host) {
  VxGame::_game = host;
  gc_init1();
  vxInit();
  gc_init2();
}

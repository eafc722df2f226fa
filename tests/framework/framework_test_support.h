#pragma once
#include <array>
#include <vector>

#include "host/game.h"

// A host whose joysticks are the test's: which units are present, which of
// their buttons are held, and which units were asked for.
class JoystickHost : public VxGame {
 public:
  std::array<bool, 4> present{};
  std::array<std::array<bool, 32>, 4> held{};
  std::array<float, 4> stickX{};
  std::vector<int> polled;

  bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                    Array<bool> buttons) override;
};

// The program's start-up without a window: the collector (once), the
// program's globals with `host` as the host, the roots queued.
void StartFramework(VxGame* host);

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/glfw_game.h"

namespace {

// A host whose clock and window are the test's.
class ScriptedHost : public VxGlfwGame {
 public:
  double clock = 100.0;
  bool open = true;
  bool iconified = false;
  bool active = true;
  int collections = 0;
  std::vector<double> sleeps;
  std::vector<std::string> calls;

  bool Pass() { return RunPass(); }
  double NextUpdate() const { return _nextUpdate; }
  void gc_collect() override { ++collections; }

 protected:
  double Now() override { return clock; }
  void Sleep(double seconds) override {
    sleeps.push_back(seconds);
    clock += seconds;
  }
  void PollEvents() override {}
  void WaitEvents() override { calls.push_back("wait"); }
  bool WindowOpen() override { return open; }
  bool WindowIconified() override { return iconified; }
  bool WindowActive() override { return active; }
};

// Records what the host asks of the program and spends time doing it.
class TimedDelegate : public VxGameDelegate {
 public:
  explicit TimedDelegate(ScriptedHost* h) : host(h) {}
  ScriptedHost* host;
  int rate = 60;
  double updateCost = 0;
  double renderCost = 0;
  int stopRateAfter = -1;
  int updates = 0;

  void StartGame() override {
    host->calls.push_back("start");
    host->SetUpdateRate(rate);
  }
  void SuspendGame() override { host->calls.push_back("suspend"); }
  void ResumeGame() override { host->calls.push_back("resume"); }
  void UpdateGame() override {
    host->calls.push_back("update");
    host->clock += updateCost;
    if (++updates == stopRateAfter) host->SetUpdateRate(0);
  }
  void RenderGame() override {
    host->calls.push_back("render");
    host->clock += renderCost;
  }
  void KeyEvent(int event, int data) override {
    host->calls.push_back("key " + std::to_string(event) + " " + std::to_string(data));
  }
};

class MainLoop : public ::testing::Test {
 protected:
  ScriptedHost host;
  TimedDelegate* program = new TimedDelegate(&host);
  const double period = 1.0 / 60;

  void Start() {
    host.SetDelegate(program);
    host.StartGame();
    host.calls.clear();
  }

  std::vector<std::string> PassCalls() {
    host.calls.clear();
    EXPECT_TRUE(host.Pass());
    return host.calls;
  }

  static int Count(const std::vector<std::string>& calls, const std::string& what) {
    int n = 0;
    for (const auto& c : calls) n += c == what;
    return n;
  }
};

TEST_F(MainLoop, NeverUpdatesEarlyAndSleepsExactlyUntilDue) {
  Start();
  EXPECT_DOUBLE_EQ(host.NextUpdate(), 100.0 + period);
  EXPECT_TRUE(PassCalls().empty());  // not yet due: sleep only
  ASSERT_EQ(host.sleeps.size(), 1u);
  EXPECT_NEAR(host.sleeps[0], period, 1e-9);
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"update", "render"}));
  EXPECT_TRUE(PassCalls().empty());
  EXPECT_NEAR(host.sleeps[1], period, 1e-9);
}

TEST_F(MainLoop, SlowRendersRunFourUpdatesThenDropTheBacklog) {
  program->renderCost = 10 * period;
  Start();
  host.clock += period;
  EXPECT_EQ(Count(PassCalls(), "update"), 1);  // on time; then each render makes it late
  for (int pass = 0; pass < 5; ++pass) {
    std::vector<std::string> calls = PassCalls();
    EXPECT_EQ(calls, (std::vector<std::string>{"update", "update", "update", "update", "render"}));
    // Reset to the time the pass began: the backlog is dropped.
    EXPECT_DOUBLE_EQ(host.NextUpdate(), host.clock - program->renderCost);
  }
  EXPECT_TRUE(host.sleeps.empty());
}

TEST_F(MainLoop, ALittleBehindCatchesUpWithinTheCap) {
  Start();
  host.clock += 2.5 * period;  // two more updates are due
  EXPECT_EQ(Count(PassCalls(), "update"), 2);
  EXPECT_GT(host.NextUpdate(), host.clock);
}

TEST_F(MainLoop, IconifiedSuspendsWithoutUpdatesOrRendersAndResumesWithoutCatchUp) {
  Start();
  host.iconified = true;
  host.active = false;
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"suspend", "wait"}));
  for (int i = 0; i < 3; ++i) {
    host.clock += 10;
    EXPECT_EQ(PassCalls(), (std::vector<std::string>{"wait"}));
  }
  host.iconified = false;  // restored but not yet focused: still suspended
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"wait"}));
  host.active = true;
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"resume", "update", "render"}));
  EXPECT_TRUE(PassCalls().empty());  // and then the normal rhythm
}

TEST_F(MainLoop, WithoutAnUpdateRateRendersOnlyOnEvents) {
  program->rate = 0;
  Start();
  host.clock += 5;
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"render", "wait"}));
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"render", "wait"}));
}

TEST_F(MainLoop, RateDroppedToZeroStopsTheBurst) {
  program->stopRateAfter = 2;
  Start();
  host.clock += 10 * period;
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"update", "update", "render"}));
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"render", "wait"}));
}

TEST_F(MainLoop, ClosedWindowEndsTheLoop) {
  Start();
  host.open = false;
  EXPECT_FALSE(host.Pass());
  EXPECT_TRUE(host.calls.empty());
}

TEST(GuardedCalls, StateChangesWithoutEffectDoNothingAtAll) {
  ScriptedHost host;
  TimedDelegate* program = new TimedDelegate(&host);
  host.SetDelegate(program);
  host.UpdateGame();  // not started
  host.RenderGame();
  host.KeyEvent(1, 65);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(host.collections, 0);

  host.StartGame();
  host.StartGame();
  EXPECT_EQ(host.collections, 1);
  host.ResumeGame();  // not suspended
  EXPECT_EQ(host.collections, 1);
  host.SuspendGame();
  host.SuspendGame();
  EXPECT_EQ(host.collections, 2);
  host.UpdateGame();  // suspended: no update
  EXPECT_EQ(host.collections, 2);
  host.RenderGame();  // renders and events still arrive
  host.KeyEvent(1, 65);
  EXPECT_EQ(host.collections, 4);
  host.ResumeGame();
  EXPECT_EQ(host.collections, 5);
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"start", "suspend", "render", "key 1 65", "resume"}));
}

TEST(GuardedCalls, MillisecsTruncatesAndWrapsLikeAnInt) {
  ScriptedHost host;
  host.clock = 1.2345678;
  EXPECT_EQ(host.Millisecs(), 1234);
  host.clock = 3e6;  // about 35 days
  EXPECT_EQ(host.Millisecs(), static_cast<int>(3000000000LL - 4294967296LL));
}

TEST(GuardedCalls, SetUpdateRateSchedulesOnePeriodAhead) {
  ScriptedHost host;
  host.SetUpdateRate(5);
  EXPECT_EQ(host.UpdateRate(), 5);
  EXPECT_DOUBLE_EQ(host.NextUpdate(), 100.2);
  host.SetUpdateRate(0);
  EXPECT_EQ(host.UpdateRate(), 0);
  EXPECT_DOUBLE_EQ(host.NextUpdate(), 100.2);
}

// A close request reaches the program as the close key: one made before
// the program started waits for the start, and a suspended program gets an
// update to act on it, so that a minimised game ends as a shown one does.
TEST_F(MainLoop, CloseRequestsReachTheProgramStartingRunningOrSuspended) {
  const std::vector<std::string> closeKey = {"key 1 432", "key 2 432"};
  host.SetDelegate(program);
  host.RequestClose();
  host.StartGame();
  host.clock += period;
  std::vector<std::string> expected = closeKey;
  expected.insert(expected.end(), {"update", "render"});
  EXPECT_EQ(PassCalls(), expected);

  host.iconified = true;
  host.active = false;
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"suspend", "wait"}));
  host.RequestClose();
  expected = closeKey;
  expected.insert(expected.end(), {"update", "wait"});
  EXPECT_EQ(PassCalls(), expected);
  EXPECT_EQ(PassCalls(), (std::vector<std::string>{"wait"}));  // once only
}

}  // namespace

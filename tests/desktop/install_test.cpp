// The installed game as players meet it: a scratch prefix from the build's
// install rules, the launcher started with each player's HOME and
// XDG_DATA_HOME, and each player's settings and scores in their own folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/support/test_support.h"
#include "tests/support/x_window.h"

namespace {

std::string RealPath(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  std::string result = real ? real : "";
  free(real);
  return result;
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

class InstalledGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ProcessResult r = RunProcess({CMAKE_COMMAND, "--install", BUILD_DIR, "--prefix", scratch.Path("usr")});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
  }
  // Starts the launcher from a folder of no meaning to the game and closes
  // the game's window; the game's working directory is left in `ranIn`.
  int PlayAndClose(const std::vector<std::string>& env, std::string* ranIn) {
    Display* display = XOpenDisplay(nullptr);
    pid_t game = StartProgram({scratch.Path("usr/bin/tumblast")}, scratch.path(), env);
    Window window = display ? WaitForWindowOf(game, 20) : 0;
    *ranIn = RealPath("/proc/" + std::to_string(game) + "/cwd");
    if (window) RequestClose(display, window);
    int code = WaitForExit(game, 20);
    if (display) XCloseDisplay(display);
    return window ? code : -3000;
  }
  TempDir scratch;
};

TEST_F(InstalledGame, EachPlayerPlaysInTheirOwnFolder) {
  const std::string data = RealPath(scratch.Path("usr/share/tumblast/data"));
  // Player one names a data home, where an older install left its link.
  const std::string one = scratch.Path("one/xdg/tumblast");
  WriteFile(one + "/.keep", "");
  ASSERT_EQ(symlink("/gone/tumblast/data", (one + "/data").c_str()), 0);
  std::string ranIn;
  EXPECT_EQ(PlayAndClose({"HOME=" + scratch.Path("one"), "XDG_DATA_HOME=" + scratch.Path("one/xdg")}, &ranIn), 0);
  EXPECT_EQ(ranIn, RealPath(one));
  EXPECT_EQ(RealPath(one + "/data"), data);
  // Player two's data home is relative, which means the default below HOME.
  const std::string two = scratch.Path("two/.local/share/tumblast");
  EXPECT_EQ(PlayAndClose({"HOME=" + scratch.Path("two"), "XDG_DATA_HOME=share"}, &ranIn), 0);
  EXPECT_EQ(ranIn, RealPath(two));
  EXPECT_EQ(RealPath(two + "/data"), data);
  EXPECT_TRUE(Exists(two + "/data/logo.png"));

  // Each state file is its player's own; another player's game leaves it be.
  ASSERT_TRUE(Exists(one + "/.quibbostate"));
  EXPECT_TRUE(Exists(two + "/.quibbostate"));
  struct stat before, after;
  stat((one + "/.quibbostate").c_str(), &before);
  EXPECT_EQ(PlayAndClose({"HOME=" + scratch.Path("two"), "XDG_DATA_HOME="}, &ranIn), 0);
  stat((one + "/.quibbostate").c_str(), &after);
  EXPECT_EQ(after.st_mtim.tv_sec * 1000000000LL + after.st_mtim.tv_nsec,
            before.st_mtim.tv_sec * 1000000000LL + before.st_mtim.tv_nsec);
  EXPECT_FALSE(Exists(scratch.Path(".quibbostate")));
}

TEST_F(InstalledGame, WithoutAHomeTheLauncherRefusesToStart) {
  ProcessResult r = RunProcess({"/usr/bin/env", "-u", "HOME", "-u", "XDG_DATA_HOME", scratch.Path("usr/bin/tumblast")});
  EXPECT_NE(r.code, 0);
  EXPECT_NE(r.err.find("HOME"), std::string::npos) << r.err;
}

}  // namespace

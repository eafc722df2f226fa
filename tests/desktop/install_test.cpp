// The installed game as players meet it: a scratch prefix from the build's
// own install rules, the launcher started with each player's HOME and
// XDG_DATA_HOME, and each player's settings and scores in their own folder.
#include <gtest/gtest.h>
// After gtest: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "tests/support/test_support.h"
#include "tests/support/x_window.h"

namespace {

bool IsFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string LinkTarget(const std::string& path) {
  char target[PATH_MAX];
  ssize_t n = readlink(path.c_str(), target, sizeof target);
  return n > 0 ? std::string(target, n) : std::string();
}

std::string RealPath(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  std::string result = real ? real : "";
  free(real);
  return result;
}

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& path) {
  std::string bytes = ReadFile(path);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto word = [&](int at) {
    return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
           (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
  };
  return {word(16), word(20)};
}

class InstalledGame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch = new TempDir();
    ProcessResult r = RunProcess({CMAKE_COMMAND, "--install", BUILD_DIR, "--prefix", Prefix()});
    installed = r.code == 0;
    if (!installed) fprintf(stderr, "install failed:\n%s%s", r.out.c_str(), r.err.c_str());
  }
  static void TearDownTestSuite() { delete scratch; }
  void SetUp() override { ASSERT_TRUE(installed); }

  static std::string Prefix() { return scratch->Path("prefix"); }

  // Starts the launcher as a player would, from a folder of no meaning to
  // the game, and lets it run until a close request ends it. The game's
  // working directory while it ran is left in `ranIn`.
  static int PlayAndClose(const std::vector<std::string>& env, std::string* ranIn) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return -2000;
    pid_t game = StartProgram({Prefix() + "/bin/tumblast"}, scratch->path(), env);
    Window window = WaitForWindowOf(display, game, 20);
    *ranIn = RealPath("/proc/" + std::to_string(game) + "/cwd");
    if (window) RequestClose(display, window);
    int code = WaitForExit(game, 20);
    XCloseDisplay(display);
    return window ? code : -3000;
  }

  static TempDir* scratch;
  static bool installed;
};

TempDir* InstalledGame::scratch;
bool InstalledGame::installed;

TEST_F(InstalledGame, PutsEveryPieceWhereTheDesktopLooks) {
  const std::string p = Prefix();
  EXPECT_EQ(access((p + "/bin/tumblast").c_str(), X_OK), 0);
  EXPECT_EQ(access((p + "/libexec/tumblast/tumblast").c_str(), X_OK), 0);
  EXPECT_TRUE(IsFile(p + "/share/tumblast/data/logo.png"));
  EXPECT_TRUE(IsFile(p + "/share/tumblast/data/sfx/001.wav"));
  EXPECT_TRUE(IsFile(p + "/share/applications/org.tumblast.Tumblast.desktop"));
  EXPECT_TRUE(IsFile(p + "/share/metainfo/org.tumblast.Tumblast.metainfo.xml"));
  EXPECT_TRUE(IsFile(p + "/share/doc/tumblast/copyright"));
  for (int size : {48, 64, 128, 256}) {
    std::string icon = p + "/share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
                       "/apps/tumblast.png";
    EXPECT_EQ(PngSize(icon), std::make_pair(size, size)) << icon;
  }
}

TEST_F(InstalledGame, EachPlayerPlaysInTheirOwnFolder) {
  const std::string data = RealPath(Prefix() + "/share/tumblast/data");
  // Player one names a data home; a link left by an older install is
  // pointed at this one.
  const std::string one = scratch->Path("one/xdg/tumblast");
  WriteFile(scratch->Path("one/xdg/tumblast/.keep"), "");
  ASSERT_EQ(symlink("/nonexistent/tumblast/data", (one + "/data").c_str()), 0);
  std::string ranIn;
  EXPECT_EQ(PlayAndClose({"HOME=" + scratch->Path("one"), "XDG_DATA_HOME=" + scratch->Path("one/xdg")}, &ranIn),
            0);
  EXPECT_EQ(ranIn, RealPath(one));
  EXPECT_EQ(LinkTarget(one + "/data"), data);
  EXPECT_TRUE(IsFile(one + "/data/logo.png"));

  // Player two has no usable data home (a relative one is to be ignored):
  // the default folder below HOME is created.
  const std::string two = scratch->Path("two/.local/share/tumblast");
  EXPECT_EQ(PlayAndClose({"HOME=" + scratch->Path("two"), "XDG_DATA_HOME=relative/share"}, &ranIn), 0);
  EXPECT_EQ(ranIn, RealPath(two));
  EXPECT_EQ(LinkTarget(two + "/data"), data);
  EXPECT_FALSE(IsFile(scratch->Path("relative/share/tumblast/data/logo.png")));

#if GAME_SAVES_ON_CLOSE
  // Each player's state file is their own; nothing lands beside the game.
  EXPECT_TRUE(IsFile(one + "/.quibbostate"));
  EXPECT_TRUE(IsFile(two + "/.quibbostate"));
  std::string saved = ReadFile(one + "/.quibbostate");
  struct stat before, after;
  ASSERT_EQ(stat((one + "/.quibbostate").c_str(), &before), 0);
  EXPECT_EQ(PlayAndClose({"HOME=" + scratch->Path("two"), "XDG_DATA_HOME="}, &ranIn), 0);
  ASSERT_EQ(stat((one + "/.quibbostate").c_str(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(ReadFile(one + "/.quibbostate"), saved);
  EXPECT_FALSE(IsFile(scratch->Path(".quibbostate")));
  EXPECT_FALSE(IsFile(Prefix() + "/share/tumblast/.quibbostate"));
#endif
}

TEST_F(InstalledGame, WithoutAHomeTheLauncherRefusesToStart) {
  ProcessResult r = RunProcess({"/usr/bin/env", "-u", "HOME", "-u", "XDG_DATA_HOME", Prefix() + "/bin/tumblast"});
  EXPECT_NE(r.code, 0);
  EXPECT_NE(r.err.find("HOME"), std::string::npos) << r.err;
}

}  // namespace

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/app.h"
#include "host/data_path.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"
#include "tests/support/test_support.h"

namespace {

std::string Narrow(const String& s) {
  std::string out;
  for (int i = 0; i < s.Length(); ++i) out += static_cast<char>(s[i]);
  return out;
}

// Each test works in a fresh directory of its own, the game's working directory.
class Files : public ::testing::Test {
 protected:
  VxGlfwGame host;
  std::string dir;

  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tumblast-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    ASSERT_EQ(chdir(dir.c_str()), 0);
    mkdir("data", 0755);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  // Every name in the working directory but the data folder.
  std::vector<std::string> Leftovers() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("."))
      if (entry.path().filename() != "data") names.push_back(entry.path().filename().string());
    return names;
  }
};

TEST(DataPaths, PlainNamesGoIntoTheDataFolder) {
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("images/a.png"))), "quibbo://data/images/a.png");
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("sfx/01.wav"))), "quibbo://data/sfx/01.wav");
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("quibbo://data/x"))), "quibbo://data/x");
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("c:/x"))), "c:/x");
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("./x"))), "./x");
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("/x"))), "/x");
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("a/b:/c"))), "quibbo://data/a/b:/c");
  EXPECT_EQ(Narrow(vx_data_FixDataPath(String("a:b:/c"))), "quibbo://data/a:b:/c");
}

TEST(DataPaths, SchemesMapToFoldersBesideTheWorkingDirectory) {
  VxGlfwGame host;
  EXPECT_EQ(Narrow(host.PathToFilePath(String("quibbo://data/images/a.png"))), "./data/images/a.png");
  EXPECT_EQ(Narrow(host.PathToFilePath(String("quibbo://internal/s"))), "./internal/s");
  EXPECT_EQ(Narrow(host.PathToFilePath(String("quibbo://external/s"))), "./external/s");
  EXPECT_EQ(Narrow(host.PathToFilePath(String("quibbo://cache/x"))), "");
  EXPECT_EQ(Narrow(host.PathToFilePath(String("./.quibbostate"))), "./.quibbostate");
  EXPECT_EQ(host.OpenFile(String("quibbo://cache/x"), String("rb")), nullptr);
  VxGame plain;  // the platform-neutral host has no files at all
  EXPECT_EQ(Narrow(plain.PathToFilePath(String("./x"))), "");
}

TEST_F(Files, LoadStringDecodesAndMissingFilesAreEmpty) {
  WriteFile("data/text.txt", "\xEF\xBB\xBF" "caf\xC3\xA9");
  String text = host.LoadString(String("quibbo://data/text.txt"));
  ASSERT_EQ(text.Length(), 4);
  EXPECT_EQ(text[3], 0xE9);
  EXPECT_EQ(host.LoadString(String("quibbo://data/missing.txt")).Length(), 0);
}

TEST_F(Files, LoadDataReadsEveryByteAndRequestsASweep) {
  std::string bytes(10000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  WriteFile("data/blob.bin", bytes);
  int length = -5;
  EXPECT_EQ(host.LoadData(String("quibbo://data/missing.bin"), &length), nullptr);
  EXPECT_EQ(length, -5);
  EXPECT_FALSE(gc_force_sweep);
  unsigned char* data = host.LoadData(String("quibbo://data/blob.bin"), &length);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(length, 10000);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), length), bytes);
  EXPECT_TRUE(gc_force_sweep);
  free(data);

  WriteFile("data/empty.bin", "");
  data = host.LoadData(String("quibbo://data/empty.bin"), &length);
  EXPECT_NE(data, nullptr);
  EXPECT_EQ(length, 0);
  free(data);

  // A file that opens but cannot be read is not data.
  WriteFile("data/folder/inside.bin", "x");
  length = -5;
  EXPECT_EQ(host.LoadData(String("quibbo://data/folder"), &length), nullptr);
  EXPECT_EQ(length, -5);
}

TEST_F(Files, StateRoundTripsAsUtf8) {
  const String::Char units[] = {'1', '|', 0x20AC, '|'};
  String state(units, 4);
  EXPECT_EQ(host.SaveState(state), 0);
  EXPECT_EQ(ReadFile(".quibbostate"), "1|\xE2\x82\xAC|");
  EXPECT_TRUE(host.LoadState() == state);
  EXPECT_EQ(Leftovers(), std::vector<std::string>{".quibbostate"});  // nothing left behind
}

TEST_F(Files, TheAppModuleSavesAndLoadsThroughTheHost) {
  VxGame* before = vx_app__game;
  vx_app__game = &host;
  EXPECT_EQ(vx_app_LoadState().Length(), 0);
  EXPECT_EQ(vx_app_SaveState(String("3|1|4|")), 0);
  EXPECT_EQ(ReadFile(".quibbostate"), "3|1|4|");
  EXPECT_EQ(Narrow(vx_app_LoadState()), "3|1|4|");
  vx_app__game = before;
}

TEST_F(Files, EmptyAndMissingState) {
  EXPECT_EQ(host.LoadState().Length(), 0);
  EXPECT_EQ(host.SaveState(String()), 0);
  EXPECT_EQ(ReadFile(".quibbostate"), "");
  EXPECT_EQ(access(".quibbostate", F_OK), 0);
  EXPECT_EQ(host.LoadState().Length(), 0);
}

TEST_F(Files, StateWrittenInAnotherEncodingStillLoads) {
  WriteFile(".quibbostate", std::string("\xFF\xFE" "5\0|\0", 6));
  EXPECT_EQ(Narrow(host.LoadState()), "5|");
}

TEST_F(Files, ShortWriteReportsMinusTwoAndKeepsTheOldState) {
  ASSERT_EQ(host.SaveState(String("old|scores|")), 0);
  pid_t child = fork();
  if (child == 0) {
    // A disk that fills up: no file may grow beyond 4 bytes.
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {4, 4};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(host.SaveState(String("new|and|longer|scores|")) == -2 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadFile(".quibbostate"), "old|scores|");
  EXPECT_EQ(Leftovers(), std::vector<std::string>{".quibbostate"});
}

TEST_F(Files, SaveInterruptedBeforeItsRenameLeavesTheOldState) {
  ASSERT_EQ(host.SaveState(String("old|scores|")), 0);
  // What a crash part-way through the next save leaves behind.
  WriteFile(".quibbostate.new", "new|sco");
  EXPECT_EQ(Narrow(host.LoadState()), "old|scores|");
  EXPECT_EQ(host.SaveState(String("new|scores|")), 0);
  EXPECT_EQ(Narrow(host.LoadState()), "new|scores|");
}

TEST_F(Files, ALinkPlantedBesideTheStateIsNeverFollowed) {
  WriteFile("victim", "precious");
  // The names a save might pick are unknown; plant at the likely ones.
  for (const char* name : {".quibbostate.new", ".quibbostate.tmp", ".quibbostate~"})
    ASSERT_EQ(symlink("victim", name), 0);
  EXPECT_EQ(host.SaveState(String("new|scores|")), 0);
  EXPECT_EQ(ReadFile("victim"), "precious");
  EXPECT_EQ(ReadFile(".quibbostate"), "new|scores|");
  struct stat info;
  ASSERT_EQ(lstat(".quibbostate", &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
}

TEST_F(Files, SavedStateKeepsTheUsualPermissions) {
  mode_t before = umask(027);
  EXPECT_EQ(host.SaveState(String("x")), 0);
  umask(before);
  struct stat info;
  ASSERT_EQ(stat(".quibbostate", &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(Files, TwoRunningCopiesNeverMixTheirSaves) {
  // Long enough that one write takes many system calls.
  const std::string a(64 * 1024, 'a'), b(48 * 1024, 'b');
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = fork();
    if (writers[w] == 0) {
      const std::string& mine = w ? b : a;
      String text(reinterpret_cast<const unsigned char*>(mine.data()), static_cast<int>(mine.size()));
      // Each save must succeed, whatever the other copy does meanwhile.
      for (int i = 0; i < 60; ++i)
        if (host.SaveState(text) != 0) _exit(1);
      _exit(0);
    }
  }
  int torn = 0, reads = 0, status[2] = {-1, -1};
  for (int running = 2; running;) {
    std::string seen = ReadFile(".quibbostate");
    if (!seen.empty() && seen != a && seen != b) ++torn;
    ++reads;
    running = 0;
    for (int w = 0; w < 2; ++w)
      if (status[w] == -1 && waitpid(writers[w], &status[w], WNOHANG) == 0) {
        status[w] = -1;
        ++running;
      }
  }
  EXPECT_EQ(status[0], 0);
  EXPECT_EQ(status[1], 0);
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  std::string last = ReadFile(".quibbostate");
  EXPECT_TRUE(last == a || last == b);
  EXPECT_EQ(Leftovers(), std::vector<std::string>{".quibbostate"});
}

TEST_F(Files, StateThatCannotBeCreatedReportsMinusOne) {
  ASSERT_EQ(rmdir("data"), 0);
  ASSERT_EQ(rmdir(dir.c_str()), 0);  // the working directory is gone
  EXPECT_EQ(host.SaveState(String("x")), -1);
}

TEST(Date, FillsAsManyFieldsAsTheArrayHolds) {
  VxGame host;
  Array<int> none;
  host.GetDate(none);
  Array<int> day(3);
  host.GetDate(day);
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  EXPECT_EQ(day[0], local.tm_year + 1900);
  EXPECT_EQ(day[1], local.tm_mon + 1);
  EXPECT_EQ(day[2], local.tm_mday);
  Array<int> full(8);
  full[6] = full[7] = 99;
  host.GetDate(full);
  EXPECT_GE(full[3], 0);
  EXPECT_LE(full[3], 23);
  EXPECT_LE(full[5], 60);
  EXPECT_EQ(full[6], 0);
  EXPECT_EQ(full[7], 99);
}

}  // namespace

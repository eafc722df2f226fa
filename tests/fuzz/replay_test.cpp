// Replays every kept input of one fuzz target through its entry point: the
// seed corpus and each input that ever failed. Runs in every build, so a
// fault once found stays found.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_input.h"

namespace {

std::vector<std::filesystem::path> Inputs(const char* folder) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

void Replay(const char* folder, int* count) {
  for (const auto& path : Inputs(folder)) {
    SCOPED_TRACE(path.string());
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++*count;
  }
}

TEST(FuzzReplay, SeedsPass) {
  int count = 0;
  Replay(FUZZ_SEEDS, &count);
  EXPECT_GT(count, 0) << "no seeds in " << FUZZ_SEEDS;
}

TEST(FuzzReplay, EveryInputThatEverFailedPasses) {
  int count = 0;
  Replay(FUZZ_REGRESSIONS, &count);
  if (!count) GTEST_SKIP() << "no input of this target has failed yet";
}

}  // namespace

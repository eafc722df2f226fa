// Any text as an asset name: the data-path mapping keeps names that carry a
// scheme or an explicit folder, files plain names under the data folder, and
// the host turns the game's schemes into folders beside the working
// directory and nothing else.
#include "host/data_path.h"
#include "host/glfw_game.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Outside the collector's lists: it lives as long as the process.
  static VxGlfwGame host;
  CollectBeforeInput();
  String path = String::Load(data, static_cast<int>(size < 4096 ? size : 4096));
  String fixed = vx_data_FixDataPath(path);
  FUZZ_CHECK(fixed == path || fixed == String("quibbo://data/") + path);
  FUZZ_CHECK(vx_data_FixDataPath(fixed) == fixed);
  if (path.StartsWith(String("./")) || path.StartsWith(String("/"))) FUZZ_CHECK(fixed == path);

  String file = host.PathToFilePath(fixed);
  if (!fixed.StartsWith(String("quibbo:"))) {
    FUZZ_CHECK(file == fixed);
  } else if (fixed.StartsWith(String("quibbo://data/"))) {
    FUZZ_CHECK(file == String("./data/") + fixed.Slice(14));
  } else if (file.Length()) {
    // The only other places a game's name may lead.
    FUZZ_CHECK(file.StartsWith(String("./internal/")) || file.StartsWith(String("./external/")));
  }
  return 0;
}

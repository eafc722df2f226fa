// Any bytes as the saved state file: loading never fails, keeps the pad's
// limits, and whatever it loaded saves and loads back to the same settings,
// badges and scores.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "framework/app.h"
#include "game/my_app.h"
#include "host/glfw_game.h"
#include "runtime/startup.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// What start-up leaves before the state is read.
void Defaults(c_MyApp* app) {
  for (int i = 0; i < 25; ++i) app->m_Settings[i] = 0;
  app->m_Settings[5] = 1;
  for (int i = 0; i < 256; ++i) app->m_Badges[i] = false;
  for (int i = 0; i < 150; ++i) app->m_HighScores[i] = 0;
}

struct Stored {
  int settings[25];
  bool badges[256];
  int scores[60];
};

Stored Read(c_MyApp* app) {
  Stored s;
  for (int i = 0; i < 25; ++i) s.settings[i] = app->m_Settings[i];
  for (int i = 0; i < 256; ++i) s.badges[i] = app->m_Badges[i];
  for (int i = 0; i < 60; ++i) s.scores[i] = app->m_HighScores[i];
  return s;
}

c_MyApp* Start() {
  // The state file lives in the working directory: one of the target's own.
  char folder[] = "/tmp/state_load_fuzz.XXXXXX";
  if (!mkdtemp(folder) || chdir(folder) != 0) abort();
  // The desktop host: it maps the state file's name into the working folder.
  VxGame::_game = new VxGlfwGame();
  CollectBeforeInput();
  vxInit();
  c_MyApp* app = new c_MyApp();
  // Kept alive as the program's application, without starting a framework.
  gc_assign(vx_app__app, app);
  return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static c_MyApp* app = Start();
  CollectBeforeInput();
  if (size > (1 << 20)) return 0;
  FILE* file = fopen(".quibbostate", "wb");
  if (!file || fwrite(data, 1, size, file) != size) abort();
  fclose(file);

  Defaults(app);
  app->p_Load();
  FUZZ_CHECK(app->m_Settings[10] >= 64 && app->m_Settings[11] >= 64 && app->m_Settings[12] >= 8);
  Stored loaded = Read(app);

  app->p_Save();
  Defaults(app);
  app->p_Load();
  Stored again = Read(app);
  for (int i = 0; i < 25; ++i) FUZZ_CHECK(again.settings[i] == loaded.settings[i]);
  for (int i = 0; i < 256; ++i) FUZZ_CHECK(again.badges[i] == loaded.badges[i]);
  for (int i = 0; i < 60; ++i) FUZZ_CHECK(again.scores[i] == loaded.scores[i]);
  return 0;
}

// The game's own costs, measured through the game test host (real window,
// real devices, the test's clock): one update and one render on a busy board
// (every playing cell filled, all 251 particles alive), the collector's step
// after each call, draw calls per frame on every screen; then a soak of
// random pointer play on every difficulty, watching resident memory and the
// collector. With "frames", the CPU time of whole frames instead (update,
// render and swap, counting the software renderer's threads) on four screens
// at three window sizes.
// Needs a display: xvfb-run -a build/bench/game_bench [soak updates]
//                  xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/game_bench frames
#include <GLFW/glfw3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/game_delegate.h"
#include "game/badge_set.h"
#include "graphics/graphics.h"
#include "host/key_codes.h"
#include "runtime/collector.h"
#include "tests/framework/framework_test_support.h"
#include "tests/game/game_host.h"

namespace {

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// The device with a clock on the CPU side of a frame: from the start of the
// render to the last draw call handed to OpenGL, before the swap.
class TimedGraphics : public HostGraphics {
 public:
  double drawnAt = 0;
  void EndRender() override {
    Flush();
    drawnAt = Now();
    HostGraphics::EndRender();
  }
};

// The host with a clock on the collector's step that follows every call.
class TimedHost : public GameHost {
 public:
  std::vector<double> steps;
  bool timing = false;
  void gc_collect() override {
    double t0 = Now();
    GameHost::gc_collect();
    if (timing) steps.push_back((Now() - t0) * 1e6);
  }
};

// The test host's driver, with the timed host and device in reach.
struct Game : GameDriver {
  TimedHost* timedHost = nullptr;
  TimedGraphics* timedGraphics = nullptr;
};

void Start(Game& game) {
  game.timedHost = new TimedHost();
  game.Start(game.timedHost, [] { return new c_MyApp(); },
             [&game] { return game.timedGraphics = new TimedGraphics(); });
  game.RunLoader();
}

void StartRound(Game& game, int difficulty) {
  game.app->m_Difficulty = difficulty;
  game.app->m_Screen = kScreenNewGame;
  game.Update();
}

// Every playing cell below the top two rows holds a resting block, no two
// neighbours alike; every particle slot is alive; no drop and no danger.
void MakeBusy(c_MyApp* app) {
  for (int y = 2; y <= 11; ++y) {
    for (int x = 1; x <= 8; ++x) {
      float* cell = &app->m_Cells[c_MyApp::p_CellIndex(x, y)];
      if (cell[kCellType] == kEmpty || cell[kCellType] > kDissolving) {
        for (int i = 0; i < kCellFloats; ++i) cell[i] = 0;
        cell[kCellType] = static_cast<float>(1 + (x + 3 * y) % 6);
      }
    }
  }
  for (int i = 0; i < kParticleSlots; ++i) {
    float* p = &app->m_Particles[i * kParticleFloats];
    if (p[kParticleFrame] == 0) {
      p[kParticleFrame] = static_cast<float>(1 + i % 16);
      p[kParticleX] = static_cast<float>(40 + (i * 37) % 560);
      p[kParticleY] = static_cast<float>(20 + (i * 53) % 400);
      p[kParticleVX] = p[kParticleVY] = 0;
      p[kParticleLife] = 1;
    } else {
      p[kParticleY] = static_cast<float>(20 + (i * 53) % 400);
      p[kParticleVY] = 0;
    }
  }
  app->m_SpawnTimer = 1000;
  app->m_DangerFrames = 0;
}

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(fraction * (values.size() - 1))];
}

long ResidentKiB() {
  long pages = 0, resident = 0;
  FILE* f = fopen("/proc/self/statm", "r");
  if (f && fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
  if (f) fclose(f);
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Draw calls and commands of the frame the last update built.
void PrintFrame(Game& game, const char* screen) {
  int calls = game.graphics->drawCalls;
  game.Render();
  printf("%-22s %4d draw calls, %4d commands\n", screen, game.graphics->drawCalls - calls,
         game.app->m_DrawCount / kCommandFloats);
}

void MeasureScreens(Game& game) {
  c_MyApp* app = game.app;
  printf("draw calls per frame:\n");
  game.Update(40);  // the menu slides in
  PrintFrame(game, "  title menu");
  app->m_ShowCredits = 1;
  game.Update(40);
  PrintFrame(game, "  credits box");
  app->m_ShowCredits = 0;
  game.Update(40);
  app->m_ShowBadges = 1;
  game.Update(10);
  PrintFrame(game, "  badge gallery");
  app->m_BadgeDetailId = kBadgeSet[0].id;
  game.Update();
  PrintFrame(game, "  badge detail");
  app->m_ShowBadges = 0;
  app->m_BadgeDetailId = -1;
  StartRound(game, 2);
  game.Update(200);
  PrintFrame(game, "  game in play");
  app->m_Paused = 1;
  app->m_PauseState = 1;
  game.Update(30);
  PrintFrame(game, "  pause overlay");
  app->m_Paused = 0;
  app->m_GameOver = 1;
  game.Update(60);
  PrintFrame(game, "  game-over banner");
  while (app->m_Screen != kScreenMenu) game.Update();
  game.Update(40);
}

void MeasureCosts(Game& game) {
  const int kFrames = getenv("GAME_BENCH_FRAMES") ? atoi(getenv("GAME_BENCH_FRAMES")) : 2000;
  c_MyApp* app = game.app;
  MeasureScreens(game);

  StartRound(game, 3);
  for (int i = 0; i < 300; ++i) {  // the board falls into place
    MakeBusy(app);
    game.Update();
  }
  std::vector<double> update, render, renderCpu;
  int drawCalls = 0, commands = 0;
  game.timedHost->timing = true;
  for (int i = 0; i < kFrames; ++i) {
    MakeBusy(app);
    double t0 = Now();
    game.Update();
    double t1 = Now();
    int calls = game.graphics->drawCalls;
    game.Render();
    double t2 = Now();
    update.push_back((t1 - t0) * 1e6);
    render.push_back((t2 - t1) * 1e6);
    renderCpu.push_back((game.timedGraphics->drawnAt - t1) * 1e6);
    drawCalls = game.graphics->drawCalls - calls;
    commands = app->m_DrawCount / kCommandFloats;
  }
  game.timedHost->timing = false;
  std::vector<double>& steps = game.timedHost->steps;
  printf("\nbusy board (%d frames): %d commands, %d draw calls per frame\n", kFrames, commands, drawCalls);
  printf("update:               median %8.1f us   p99 %8.1f us   (aim: median <= 25 us)\n",
         Percentile(update, 0.5), Percentile(update, 0.99));
  printf("render, CPU side:     median %8.1f us   p99 %8.1f us   (aim: <= 1500 us)\n",
         Percentile(renderCpu, 0.5), Percentile(renderCpu, 0.99));
  printf("render, with swap:    median %8.1f us   p99 %8.1f us\n", Percentile(render, 0.5),
         Percentile(render, 0.99));
  printf("collector step:       median %8.2f us   p99 %8.2f us   max %8.2f us (%zu steps)\n",
         Percentile(steps, 0.5), Percentile(steps, 0.99), Percentile(steps, 1.0), steps.size());
  steps.clear();
}

// Random pointer play: presses, drags and releases anywhere, now and then the
// back key; whenever the title menu shows, the next difficulty is started.
void Soak(Game& game, int updates) {
  c_MyApp* app = game.app;
  std::mt19937 random(20261208);
  std::uniform_real_distribution<float> chance(0, 1);
  int rounds[4] = {0, 0, 0, 0};
  int nextDifficulty = 1;
  bool down = false;
  long warmResident = 0, peakResident = 0;
  int peakHeap = 0;
  double start = Now();
  printf("\nsoak: %d updates with renders of random pointer play\n", updates);
  printf("%9s %10s %12s %12s %9s\n", "updates", "rss KiB", "heap bytes", "heap objs", "rounds");
  for (int i = 1; i <= updates; ++i) {
    if (app->m_Screen == kScreenMenu && app->m_NeedLoad == 0 && app->m_ShowCredits == 0 && app->m_GameOverTimer == 0) {
      rounds[nextDifficulty] += 1;
      StartRound(game, nextDifficulty);
      nextDifficulty = nextDifficulty % 3 + 1;
    }
    float r = chance(random);
    game.RandomPointer(random, r, &down);
    if (r > 0.999f) {
      game.KeyDown(VX_KEY_ESCAPE);
      game.KeyUp(VX_KEY_ESCAPE);
    }
    game.Update();
    game.Render();
    long resident = ResidentKiB();
    peakResident = std::max(peakResident, resident);
    peakHeap = std::max(peakHeap, gc_alloced_bytes);
    if (i == updates / 10) warmResident = resident;
    if (i % (updates / 10) == 0) {
      printf("%9d %10ld %12d %12d %3d/%d/%d\n", i, resident, gc_alloced_bytes, gc_alloced_objs, rounds[1],
             rounds[2], rounds[3]);
      fflush(stdout);
    }
  }
  printf("resident memory after warm-up %ld KiB, peak %ld KiB (growth %+ld KiB)\n", warmResident,
         peakResident, peakResident - warmResident);
  printf("collector heap peak %d bytes; %.1f s for the soak\n", peakHeap, Now() - start);
}

// Resizes the window, waits until it has the size and lets the game load
// the images for it.
bool Resize(Game& game, int width, int height) {
  glfwSetWindowSize(VxGlfwGame::_window, width, height);
  int w = 0, h = 0;
  for (int tries = 0; tries < 400 && (w != width || h != height); ++tries) {
    glfwPollEvents();
    glfwGetWindowSize(VxGlfwGame::_window, &w, &h);
    usleep(5000);
  }
  game.Render();
  while (game.app->m_NeedLoad > 0) {
    game.Update();
    game.Render();
  }
  return w == width && h == height;
}

// Process CPU time (user + system, every thread) in seconds.
double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// CPU milliseconds per frame of one update and one render with its swap,
// the median of three runs of `frames` frames; `prepare` runs before each
// update and is not counted.
template <typename Prepare>
double FrameCpuMs(Game& game, int frames, Prepare prepare) {
  std::vector<double> runs;
  for (int run = 0; run < 3; ++run) {
    double spent = 0;
    for (int i = 0; i < frames; ++i) {
      prepare();
      double t0 = CpuSeconds();
      game.Update();
      game.Render();
      spent += CpuSeconds() - t0;
    }
    runs.push_back(spent * 1e3 / frames);
  }
  return Percentile(runs, 0.5);
}

std::string LoadAverage() {
  char text[64] = "?";
  FILE* f = fopen("/proc/loadavg", "r");
  if (f && !fgets(text, sizeof text, f)) text[0] = 0;
  if (f) fclose(f);
  std::string load(text);
  return load.substr(0, load.find(' '));
}

void MeasureFrames(Game& game) {
  const int kFrames = getenv("GAME_BENCH_FRAMES") ? atoi(getenv("GAME_BENCH_FRAMES")) : 60;
  c_MyApp* app = game.app;
  const int sizes[][2] = {{640, 480}, {1280, 720}, {1920, 1080}};
  printf("CPU time per frame (update, render and swap; user + system of every thread), median of 3 x %d "
         "frames:\n",
         kFrames);
  printf("  %-10s %8s %8s %8s %8s   %s\n", "window", "title", "play", "busy", "pause", "load");
  for (const auto& size : sizes) {
    if (!Resize(game, size[0], size[1])) {
      printf("  %dx%d: the window did not take the size (screen too small?)\n", size[0], size[1]);
      continue;
    }
    std::string load = LoadAverage();
    auto nothing = [] {};
    game.Update(40);  // the menu slides in
    double title = FrameCpuMs(game, kFrames, nothing);
    StartRound(game, 2);
    game.Update(200);
    double play = FrameCpuMs(game, kFrames, nothing);
    double busy = FrameCpuMs(game, kFrames, [&] { MakeBusy(app); });
    app->m_Paused = 1;
    app->m_PauseState = 1;
    double pause = FrameCpuMs(game, kFrames, nothing);
    app->m_Paused = 0;
    app->m_Screen = kScreenMenu;
    game.Update();
    printf("  %4dx%-5d %6.2fms %6.2fms %6.2fms %6.2fms   %s\n", size[0], size[1], title, play, busy, pause,
           load.c_str());
    fflush(stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool frames = argc > 1 && std::string(argv[1]) == "frames";
  int soakUpdates = argc > 1 && !frames ? atoi(argv[1]) : 100000;
  if (!OpenGameWindow()) return 1;

  // The game reads its data beside it and writes its state there.
  std::filesystem::path folder = std::filesystem::temp_directory_path() / ("game_bench." + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::create_directory_symlink(VX_GAME_DATA_DIR, folder / "data");
  std::filesystem::current_path(folder);

  Game game;
  Start(game);
  if (frames) {
    MeasureFrames(game);
    std::filesystem::remove_all(folder);
    return 0;
  }
  MeasureCosts(game);
  if (soakUpdates > 0) Soak(game, soakUpdates);
  std::filesystem::remove_all(folder);
  return 0;
}

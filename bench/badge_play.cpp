// What games earn, measured to set the badge thresholds: games played
// through the game's test host by two players, one pressing at random (a
// first game) and one that looks for the best one-cell move (a practised
// player). Per difficulty it prints how long games last and what they reach:
// score, the largest group, the longest run of blasts in quick succession,
// bombs set off and danger countdowns survived after their fourth warning.
// Needs a display: xvfb-run -a build/bench/badge_play [games per player and difficulty]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

#include "tests/game/game_host.h"

namespace {

// How many cells the practised player slides a block at most.
const int kReach = 1;
// Blasts at most this many updates apart count as one run.
const int kChainWindows[] = {60, 90, 120};

struct Round {
  int updates = 0, score = 0, largestGroup = 0, bombs = 0, closeCalls = 0;
  int chain[3] = {0, 0, 0};
};

float Type(c_MyApp* app, int x, int y) { return app->m_Cells[(x + kBoardColumns * y) * kCellFloats + kCellType]; }

bool Resting(c_MyApp* app, int x, int y) { return app->p_Static(x, y); }

// Size of the group of `colour` that a block landing at (x, y) would join.
int GroupAt(c_MyApp* app, int fromX, int fromY, int x, int y, float colour) {
  std::vector<int> seen(220, 0), todo = {x + 10 * y};
  seen[x + 10 * y] = 1;
  int size = 0;
  while (!todo.empty()) {
    int cell = todo.back();
    todo.pop_back();
    size += 1;
    int cx = cell % 10, cy = cell / 10;
    const int next[4][2] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
    for (const auto& n : next) {
      if (n[0] < 1 || n[0] > 8 || n[1] < 0 || n[1] > 11) continue;
      int k = n[0] + 10 * n[1];
      if (seen[k] || (n[0] == fromX && n[1] == fromY)) continue;
      if (Type(app, n[0], n[1]) != colour || !Resting(app, n[0], n[1])) continue;
      seen[k] = 1;
      todo.push_back(k);
    }
  }
  return size;
}

// The practised player's choice: the slide that joins the largest group;
// failing that, with the top rows filling, a bomb to hold. False when none
// helps. (Longer slides and levelling tall columns measured worse.)
bool ChooseMove(c_MyApp* app, int* col, int* row, int* side, int* cells, bool* bomb) {
  int best = 0;
  bool danger = false;
  for (int x = 1; x <= 8; ++x) danger |= Type(app, x, 2) > 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 0; y <= 11; ++y) {
      float t = Type(app, x, y);
      if (!(t > 0 && t < 11) || !Resting(app, x, y) || Type(app, x, y + 1) == 0) continue;
      if (t == kBomb) {
        if (danger && best < 50) best = 50, *col = x, *row = y, *side = 0, *cells = 0, *bomb = true;
        continue;
      }
      for (int s : {-1, 1}) {
        for (int d = 1; d <= kReach; ++d) {
          int tx = x + s * d;
          if (tx < 1 || tx > 8 || Type(app, tx, y) != 0 || !Resting(app, tx, y)) break;
          int land = y;
          while (land < 11 && Type(app, tx, land + 1) == 0) land += 1;
          int size = GroupAt(app, x, y, tx, land, t);
          // A group scores most; else, in danger, lowering a block helps.
          int value = size >= 3 ? 100 * size - d : 0;
          if (value > best) best = value, *col = x, *row = y, *side = s, *cells = d, *bomb = false;
          if (land != y) break;  // it falls there: no further
        }
      }
    }
  }
  return best > 0;
}

Round Play(GameDriver& game, int difficulty, bool practised, std::mt19937& random) {
  c_MyApp* app = game.app;
  app->m_Difficulty = difficulty;
  app->m_Screen = kScreenNewGame;
  game.Update();
  Round round;
  std::uniform_real_distribution<float> chance(0, 1);
  int lastBlast = -1000000, runs[3] = {0, 0, 0};
  bool down = false;
  int hold = 0, wait = 0;
  while (app->m_GameOver == 0) {
    if (practised) {
      if (hold > 0) {
        if (--hold == 0) {
          game.Release();
          wait = 12;
        }
      } else if (wait > 0) {
        wait -= 1;
      } else {
        int c = 0, r = 0, s = 0, d = 1;
        bool bomb;
        if (ChooseMove(app, &c, &r, &s, &d, &bomb)) {
          float sc = app->m_BoardScale, cx = app->m_BoardLeft + 48 * sc * c, cy = 48 * sc * r;
          game.Press(cx, cy);
          game.Update();
          // Led past each cell but the last by more than 28 units: it stops there.
          if (!bomb) game.MoveTo(cx + s * (48 * d - 8) * sc, cy);
          hold = bomb ? 90 : 8 * d + 2;
        } else {
          wait = 10;
        }
      }
    } else {
      game.RandomPointer(random, chance(random), &down);
    }
    const int scoreBefore = app->m_Score, dangerBefore = app->m_DangerFrames;
    game.Update();
    round.updates += 1;
    const int gained = app->m_Score - scoreBefore;
    if (gained > 0) {
      // One group blasts per update and scores 5 n n.
      const int n = static_cast<int>(std::lround(std::sqrt(gained / 5.0)));
      round.largestGroup = std::max(round.largestGroup, n);
      for (int w = 0; w < 3; ++w) {
        runs[w] = round.updates - lastBlast <= kChainWindows[w] ? runs[w] + 1 : 1;
        round.chain[w] = std::max(round.chain[w], runs[w]);
      }
      lastBlast = round.updates;
    }
    if (app->m_HeldType == kBomb && app->m_Fuse > 79) round.bombs += 1;
    if (dangerBefore >= 240 && app->m_DangerFrames == 0 && app->m_GameOver == 0) round.closeCalls += 1;
    if (round.updates > 60 * 60 * 30) break;  // half an hour is enough of one game
  }
  round.score = app->m_Score;
  if (down || hold > 0) game.Release();
  while (app->m_Screen != kScreenMenu || app->m_GameOverTimer > 0) game.Update();
  return round;
}

template <typename F>
void Line(const char* what, std::vector<Round>& rounds, F value) {
  std::vector<double> v;
  for (const Round& r : rounds) v.push_back(value(r));
  std::sort(v.begin(), v.end());
  double sum = 0;
  for (double x : v) sum += x;
  auto at = [&](double f) { return v[static_cast<size_t>(f * (v.size() - 1))]; };
  printf("  %-22s mean %9.1f  p10 %8.0f  median %8.0f  p90 %8.0f  max %8.0f\n", what, sum / v.size(), at(0.1),
         at(0.5), at(0.9), at(1.0));
}

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? atoi(argv[1]) : 20;
  if (!OpenGameWindow()) return 1;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("badge_play." + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::create_directory_symlink(VX_GAME_DATA_DIR, folder / "data");
  std::filesystem::current_path(folder);

  GameDriver game;
  game.Start(new GameHost(), [] { return new c_MyApp(); }, [] { return new HostGraphics(); });
  game.RunLoader();

  std::mt19937 random(20261209);
  for (int practised = 0; practised <= 1; ++practised) {
    for (int difficulty = 1; difficulty <= 3; ++difficulty) {
      std::vector<Round> rounds;
      for (int i = 0; i < games; ++i) rounds.push_back(Play(game, difficulty, practised == 1, random));
      printf("%s player, difficulty %d, %d games:\n", practised ? "practised" : "random", difficulty, games);
      Line("seconds", rounds, [](const Round& r) { return r.updates / 60.0; });
      Line("score", rounds, [](const Round& r) { return r.score; });
      Line("largest group", rounds, [](const Round& r) { return r.largestGroup; });
      for (int w = 0; w < 3; ++w) {
        char name[40];
        snprintf(name, sizeof name, "run, %d updates apart", kChainWindows[w]);
        Line(name, rounds, [w](const Round& r) { return r.chain[w]; });
      }
      Line("bombs set off", rounds, [](const Round& r) { return r.bombs; });
      Line("close calls", rounds, [](const Round& r) { return r.closeCalls; });
      fflush(stdout);
    }
  }
  std::filesystem::remove_all(folder);
  return 0;
}

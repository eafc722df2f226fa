// Ten thousand updates of scripted pointer play on each difficulty, from a
// fixed clock: taps, drags, bombs held until they go off or let go, pauses,
// games lost and new ones started from the title menu. Every thousand updates
// the board, the score, the particles and the generator's seed are reduced to
// a digest and checked against the digests this game produced when they were
// recorded. Any change to a rule of play, or to the number or order of its
// random draws, changes them.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/random.h"
#include "tests/game/game_host.h"

namespace {

const int kUpdates = 10000;
const int kEvery = 1000;

// Recorded digests, one row per difficulty, one entry per thousand updates.
const uint64_t kDigests[3][kUpdates / kEvery] = {
    {0x3e5d8084ba730aac, 0xeff9eb318e6e233b, 0x2c6f8a8e6ad670eb, 0xa525770a0fe5c1ec, 0xe1beee986d13ae5c,
     0x62573d4171d185ee, 0x33f7451609924d55, 0xadff9e8d9dbab699, 0xaee566d5fe10e1e4, 0x07d7d89f6c9c3f07},
    {0xf639b7373660b250, 0xd2f3207a212910f6, 0x2d245b911118385e, 0xec8b2b8a243cfe36, 0x80a451ee28e7c9c6,
     0xf6b055903ae22da2, 0xcaf2f3575a36e62f, 0x31bf5d28615fe0bb, 0x7f6e37b7070ceb10, 0x636aaf8ba464ea0a},
    {0xfea5c1ef9c647b13, 0xc6f1723b0c9d499e, 0x0203bead3c4f254e, 0x80e0098fb5f4a736, 0x4050e8e13a60d448,
     0x038c68a32fa833b9, 0x4da2269a980f2ba7, 0x31515100ef94c81e, 0x6603485bd63feaba, 0x801721298426464a},
};

// The script's own choices, apart from the game's generator.
struct ScriptRandom {
  uint32_t state;
  int Below(int n) {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) % static_cast<uint32_t>(n));
  }
};

enum Phase { kIdle, kTap, kDrag, kHoldBomb, kPause };

class Replay : public PlayTest, public ::testing::WithParamInterface<int> {
 protected:
  // Sets the pointer for the coming update.
  void Script() {
    if (app->m_Screen != kScreenPlay) {
      OnMenu();
      return;
    }
    if (left_ == 0) Choose();
    left_ -= 1;
    step_ += 1;
    switch (phase_) {
      case kDrag:
        x_ += dx_;
        MoveTo(x_, y_);
        break;
      case kHoldBomb:
        // Now and then the pointer strays off the marker, which restarts the fuse.
        if (stray_ > 0 && step_ == stray_) MoveTo(x_, y_ - 30);
        if (stray_ > 0 && step_ == stray_ + 3) MoveTo(x_, y_);
        break;
      case kPause:
        if (step_ == 2) Up();
        if (left_ == 1) Down(quit_ ? 180.0f : 320.0f, static_cast<float>(app->m_PauseSlide) - (quit_ ? 64 : 0));
        break;
      default:
        break;
    }
    if (left_ == 0) Up();
  }

  // A new phase for the coming updates.
  void Choose() {
    step_ = 0;
    int roll = random_.Below(100);
    if (roll < 25) {
      phase_ = kIdle;
      left_ = 5 + random_.Below(56);
    } else if (roll < 50) {
      phase_ = kTap;
      left_ = 2 + random_.Below(3);
      // One choice per statement: the order of a call's arguments is the compiler's.
      const int y = 2 + random_.Below(10);
      const int x = 1 + random_.Below(8);
      Down(CellX(x), CellY(y));
    } else if (roll < 75) {
      phase_ = kDrag;
      left_ = 20 + random_.Below(31);
      int cell = FindCell(1, 9);  // a coloured block
      x_ = cell >= 0 ? CellX(cell % 10) : CellX(1 + random_.Below(8));
      y_ = cell >= 0 ? CellY(cell / 10) : CellY(2 + random_.Below(10));
      const int step = 2 + random_.Below(5);
      dx_ = static_cast<float>(step * (random_.Below(2) ? 1 : -1));
      Down(x_, y_);
    } else if (roll < 90 && FindCell(kBomb, kBomb) >= 0) {
      phase_ = kHoldBomb;
      left_ = 60 + random_.Below(41);
      int cell = FindCell(kBomb, kBomb);
      x_ = CellX(cell % 10);
      y_ = CellY(cell / 10);
      stray_ = random_.Below(3) == 0 ? 10 + random_.Below(40) : 0;
      Down(x_, y_);
    } else if (roll >= 90 && CanPause()) {
      phase_ = kPause;
      left_ = 20 + random_.Below(21);
      quit_ = random_.Below(8) == 0;
      Down(16, 16);
    } else {
      phase_ = kIdle;
      left_ = 10;
    }
  }

  // A pause only where the danger countdown stands at zero and cannot start,
  // so the script never depends on what the countdown does behind the pause.
  bool CanPause() {
    return app->m_Paused == 0 && app->m_GameOver == 0 && app->m_DangerFrames == 0 && app->m_Danger == 0 &&
           app->m_BlockCount > 20;
  }

  // Off the board: the result fades, the menu slides in, and the script's
  // difficulty button starts the next game.
  void OnMenu() {
    left_ = 0;
    if (down_) {
      Up();
      return;
    }
    if (app->m_Screen == kScreenMenu && app->m_MenuSlide == 0 && app->m_GameOverTimer == 0) {
      const float across[3] = {0.2f, 0.4f, 0.6f};
      Down(vx_TumblastEndless_jscrw * across[GetParam() - 1], vx_TumblastEndless_jscrh * 0.7f);
    }
  }

  // The first resting cell, counted from a script-chosen start, whose type
  // lies in lo..hi; -1 if none. Returns x + 10 * y.
  int FindCell(int lo, int hi) {
    int start = random_.Below(80);
    for (int i = 0; i < 80; ++i) {
      int n = (start + i) % 80;
      int x = 1 + n % 8, y = 2 + n / 8;
      float type = Type(x, y);
      if (type >= lo && type <= hi && app->p_Static(x, y)) return x + 10 * y;
    }
    return -1;
  }

  void Down(float x, float y) {
    Press(x, y);
    down_ = true;
  }
  void Up() {
    if (down_) Release();
    down_ = false;
  }

  // FNV-1a over the board, the particles, the score, the seed and the screen.
  uint64_t Digest() {
    uint64_t hash = 14695981039346656037ull;
    auto add = [&](uint32_t word) {
      for (int i = 0; i < 4; ++i) {
        hash ^= (word >> (8 * i)) & 0xFF;
        hash *= 1099511628211ull;
      }
    };
    auto addFloat = [&](float value) {
      uint32_t bits;
      std::memcpy(&bits, &value, sizeof bits);
      add(bits);
    };
    for (int i = 0; i < app->m_Cells.Length(); ++i) addFloat(app->m_Cells[i]);
    for (int i = 0; i < app->m_Particles.Length(); ++i) addFloat(app->m_Particles[i]);
    add(static_cast<uint32_t>(app->m_Score));
    add(static_cast<uint32_t>(vx_random_Seed));
    add(static_cast<uint32_t>(app->m_Screen));
    return hash;
  }

  ScriptRandom random_{20261209};
  Phase phase_ = kIdle;
  int left_ = 0, step_ = 0, stray_ = 0;
  bool quit_ = false, down_ = false;
  float x_ = 0, y_ = 0, dx_ = 0;
};

TEST_P(Replay, TenThousandUpdatesPlayAsRecorded) {
  const int difficulty = GetParam();
  host->clock = 5000 + difficulty;
  app->m_Difficulty = difficulty;
  app->m_Screen = kScreenNewGame;
  Update();
  ASSERT_EQ(app->m_Screen, kScreenPlay);

  int games = 1, bombs = 0, pauses = 0, lost = 0;
  std::string row;
  bool same = true;
  for (int update = 1; update <= kUpdates; ++update) {
    Script();
    int screen = app->m_Screen, holding = app->m_Holding, paused = app->m_Paused;
    Update();
    games += screen != 10 && app->m_Screen == kScreenPlay;
    bombs += holding == 1 && app->m_HeldType == kBomb && app->m_Holding == 0 && app->m_Fuse > 79;
    pauses += paused == 0 && app->m_Paused == 1;
    lost += app->m_DangerFrames == 300;
    if (update % kEvery == 0) {
      uint64_t digest = Digest();
      char text[24];
      std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(digest));
      row += (row.empty() ? "" : ", ") + std::string(text);
      same = same && digest == kDigests[difficulty - 1][update / kEvery - 1];
    }
  }
  EXPECT_TRUE(same) << "difficulty " << difficulty << " now plays as {" << row << "}";
  // The script reaches what it is meant to reach.
  EXPECT_GE(games, 2);
  EXPECT_GE(pauses, 2);
  EXPECT_GE(bombs, 1);
  std::printf("difficulty %d: %d games, %d lost to the danger countdown, %d bombs went off while held, %d pauses\n",
              difficulty, games, lost, bombs, pauses);
}

INSTANTIATE_TEST_SUITE_P(Difficulties, Replay, ::testing::Values(1, 2, 3));

}  // namespace

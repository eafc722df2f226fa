// One update of a running game: sliding the held block, the bomb's fuse,
// new blocks, the danger countdown, the score display and a new game.
#include <cmath>

#include "framework/random.h"
#include "game/globals.h"
#include "tests/game/game_host.h"

namespace {

// The generator's rule, to know which blocks the game must draw.
struct Draws {
  unsigned seed;
  double r() {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) * (1.0f / 16777216.0f);
  }
  int Rand(float lo, float hi) { return static_cast<int>(std::floor(lo + r() * ((hi + 0.99) - lo))); }
};

using Play = PlayTest;

// Held block at (4, 9): centred at (302, 324), marker at (296, 330).
class Slide : public PlayTest {
 protected:
  void Grab(int x) {
    Press(CellX(x), CellY(9));
    Update();
    ASSERT_EQ(app->m_Holding, 1);
    ASSERT_EQ(app->m_HeldCol, x);
    ASSERT_EQ(app->m_HeldRow, 9);
  }
};

TEST_F(Slide, NeedsALeadOfMoreThan28Units) {
  LayBoard(WithFiller({"...1...."}));
  Grab(4);
  Update();
  EXPECT_EQ(app->m_HeldX, 296);
  EXPECT_EQ(app->m_HeldY, 330);
  MoveTo(275, 324);  // exactly 21 left of the marker: not more
  Update(2);
  EXPECT_EQ(app->m_HeldCol, 4);
  MoveTo(274, 324);
  Update();
  EXPECT_EQ(app->m_HeldCol, 3);
  EXPECT_EQ(Type(3, 9), 1);
  EXPECT_EQ(Type(4, 9), 0);
  EXPECT_EQ(Cell(3, 9, kCellOffsetX), 48) << "drawn where it was, easing in";
  Update(6);  // at rest at column 3, marker at 260
  MoveTo(281, 324);
  Update(2);
  EXPECT_EQ(app->m_HeldCol, 3);
  MoveTo(282, 324);
  Update();
  EXPECT_EQ(app->m_HeldCol, 4);
  // Drawn where it was; the column to the right is visited later in the
  // same pass, so its offset has already eased once.
  EXPECT_GE(Cell(4, 9, kCellOffsetX), -40);
  EXPECT_LE(Cell(4, 9, kCellOffsetX), -32);
}

TEST_F(Slide, OneCellPerUpdateAndOnlyOnceAtRestAgain) {
  LayBoard(WithFiller({"......1."}));
  Grab(7);
  MoveTo(170, 324);
  int slides = 0, sinceSlide = 99;
  for (int i = 0; i < 60; ++i) {
    int before = app->m_HeldCol;
    Update();
    int col = app->m_HeldCol;
    float offset = Cell(col, 9, kCellOffsetX);
    sinceSlide += 1;
    if (col != before) {
      ASSERT_EQ(before - col, 1) << "update " << i;
      EXPECT_EQ(offset, 48) << "update " << i;
      if (slides > 0) {
        EXPECT_GE(sinceSlide, 3) << "an offset of 48 takes at least three updates to ease";
        EXPECT_LE(sinceSlide, 6) << "and at most six";
      }
      slides += 1;
      sinceSlide = 0;
    } else if (col > 1) {
      EXPECT_GT(offset, 0) << "update " << i << ": at rest beside a free cell, it should have slid";
    }
  }
  EXPECT_EQ(slides, 6);
  EXPECT_EQ(Type(1, 9), 1) << "the wall stops it at column 1";
  EXPECT_EQ(Cell(1, 9, kCellOffsetX), 0);
}

TEST_F(Slide, NotWhileHoveringOverAnEmptyCell) {
  LayBoard(WithFiller({"...1...."}));
  // The cell below is empty but not at rest, so the block cannot fall.
  Cell(4, 10, kCellType) = 0;
  Cell(4, 10, 3) = 1;
  Grab(4);
  MoveTo(170, 324);
  Update(4);
  MoveTo(460, 324);
  Update(4);
  EXPECT_EQ(app->m_HeldCol, 4);
  EXPECT_EQ(Type(4, 9), 1);
}

TEST_F(Slide, HeldBombExplodesOnTheUpdateTheFuseRuleGives) {
  LayBoard(WithFiller({"...3....", "..1B2..."}));
  Press(CellX(4), CellY(9));
  std::vector<std::pair<int, float>> checks = {{1, 0}, {2, 0}, {3, 1}, {21, 19}, {22, 21},
                                               {40, 39}, {41, 41}, {59, 59}, {60, 61}, {78, 79}};
  size_t next = 0;
  for (int update = 1; update <= 78; ++update) {
    Update();
    if (next < checks.size() && checks[next].first == update) {
      EXPECT_EQ(app->m_Fuse, checks[next].second) << "after update " << update;
      next += 1;
    }
  }
  ASSERT_EQ(Type(4, 9), 10) << "still a bomb with the fuse at 79";
  Update();
  EXPECT_EQ(Type(4, 9), 40);
  EXPECT_EQ(Type(3, 9), 31);
  EXPECT_EQ(Type(5, 9), 32);
  EXPECT_EQ(Type(4, 8), 33);
  EXPECT_EQ(Type(4, 10), 36);
  EXPECT_EQ(Type(2, 9), 0);
  EXPECT_EQ(app->m_Holding, 0);
  EXPECT_EQ(app->m_Score, 0) << "exploded blocks do not score";
  EXPECT_EQ(AliveParticles(), 17 + 4 * 13);
}

TEST_F(Slide, BombFuseRestartsWhenThePointerLeavesTheMarker) {
  LayBoard(WithFiller({"...B...."}));
  Press(CellX(4), CellY(9));
  Update(31);
  EXPECT_EQ(app->m_Fuse, 30);
  MoveTo(CellX(4), 306);  // 24 units above the marker: still on it
  Update();
  EXPECT_EQ(app->m_Fuse, 31);
  MoveTo(CellX(4), 305);  // 25 units: away
  Update();
  EXPECT_EQ(app->m_Fuse, 0);
  MoveTo(CellX(4), CellY(9));
  Update();
  EXPECT_EQ(app->m_Fuse, 1);
  EXPECT_EQ(Type(4, 9), 10);
}

// The top cell (3, 0) is dissolving: one draw for it, and no drop there.
class Drops : public PlayTest {
 protected:
  void LayWith(const char* secondRow) {
    LayBoard({secondRow, "65656565"});
    Cell(3, 0, kCellType) = 31;
    Cell(3, 0, kCellFade) = 1;
  }
  // What the update draws, from `seed`: the column, the type and the seed after.
  void Expect(unsigned seed, int* column, int* type, unsigned* after) {
    Draws d{seed};
    d.r();  // the dissolving cell
    *column = 0;
    for (int x = 1; x <= 8; ++x) {
      if (x != 3 && d.Rand(0, 8) < 2) *column = x;
    }
    *type = 0;
    if (*column) {
      *type = d.Rand(1, 4);
      if (d.Rand(0, 10) == 0) *type = 10;
    }
    *after = d.seed;
  }
};

TEST_F(Drops, BelowFifteenBlocksARandomFreeColumnGetsOne) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    LayWith("565656..");  // 14 blocks
    int column, type;
    unsigned after;
    Expect(seed, &column, &type, &after);
    vx_random_Seed = static_cast<int>(seed);
    Update();
    EXPECT_EQ(static_cast<unsigned>(vx_random_Seed), after) << "seed " << seed << ": number of draws";
    for (int x = 1; x <= 8; ++x) {
      if (x == 3) continue;
      EXPECT_EQ(Type(x, 0), x == column ? type : 0) << "seed " << seed << ", column " << x;
      if (x == column) {
        EXPECT_EQ(Cell(x, 0, kCellOffsetY), -64);
        EXPECT_EQ(app->m_SpawnTimer, app->m_SpawnInterval);
      }
    }
  }
}

TEST_F(Drops, FromFifteenBlocksNothingDropsBeforeTheTimer) {
  LayWith("5656565.");  // 15 blocks
  vx_random_Seed = 1;
  Draws d{1};
  d.r();
  Update();
  EXPECT_EQ(static_cast<unsigned>(vx_random_Seed), d.seed);
  for (int x = 1; x <= 8; ++x) {
    if (x != 3) {
      EXPECT_EQ(Type(x, 0), 0) << "column " << x;
    }
  }
}

TEST_F(Drops, FromFifteenBlocksColumnFourEveryIntervalShrinkingTo20) {
  LayBoard(WithFiller({}));
  app->m_SpawnTimer = 3;
  app->m_SpawnInterval = 22;
  std::vector<int> dropUpdates;
  for (int update = 1; update <= 70; ++update) {
    Update();
    for (int x = 1; x <= 8; ++x) {
      if (x != 4) {
        ASSERT_EQ(Type(x, 0), 0) << "update " << update << ", column " << x;
      }
    }
    if (Type(4, 0) > 0 && Cell(4, 0, kCellOffsetY) == -64) dropUpdates.push_back(update);
    if (update == 3 || update == 25 || update == 46) {
      EXPECT_EQ(app->m_SpawnInterval, update == 3 ? 21 : 20) << "after the drop of update " << update;
    }
  }
  EXPECT_EQ(dropUpdates, (std::vector<int>{3, 25, 46, 66}));
}

// Column 1 is solid up to row 1; 16 blocks keep drops away.
std::vector<std::string> DangerRows() {
  std::vector<std::string> rows(8, "#.......");
  rows.push_back("#56.....");
  rows.push_back("#6565656");
  rows.push_back("#5656565");
  return rows;
}

TEST_F(Play, DangerEndsTheGameAfter300Updates) {
  LayBoard(DangerRows());
  for (int update = 1; update < 300; ++update) {
    Update();
    if (update == 60) {
      EXPECT_EQ(app->m_BgRed, 120) << "warning flash";
      EXPECT_EQ(app->m_BgGreen, 0);
    }
  }
  EXPECT_EQ(app->m_DangerFrames, 299);
  EXPECT_EQ(app->m_GameOver, 0);
  Update();
  EXPECT_EQ(app->m_GameOver, 1);
}

TEST_F(Play, OneClearUpdateRestartsTheCount) {
  LayBoard(DangerRows());
  Update(200);
  Cell(1, 1, kCellType) = 0;
  Update();
  EXPECT_EQ(app->m_DangerFrames, 0);
  Cell(1, 1, kCellType) = 12;
  Update(300);
  EXPECT_EQ(app->m_GameOver, 1);
}

// The pause holds the countdown where it stood, through warnings, the end
// and a clear row alike; after the resume it goes on from there.
TEST_F(Play, ThePauseHoldsTheDangerCountdown) {
  LayBoard(DangerRows());
  Update(29);
  Tap(VX_KEY_ESCAPE);  // pauses in the update after the key goes down
  ASSERT_EQ(app->m_Paused, 1);
  const int stood = app->m_DangerFrames;
  EXPECT_EQ(stood, 30);
  // Long past every warning and the end; one clear update on the way.
  app->m_BgGreen = 60;
  int flashes = 0;
  for (int update = 0; update < 400; ++update) {
    if (update == 200) Cell(1, 1, kCellType) = 0;
    if (update == 201) Cell(1, 1, kCellType) = 12;
    Update();
    if (app->m_BgGreen < 50) ++flashes;
  }
  EXPECT_EQ(app->m_DangerFrames, stood);
  EXPECT_EQ(app->m_GameOver, 0);
  EXPECT_EQ(flashes, 0) << "no warning while paused";

  Tap(VX_KEY_ENTER);  // resume
  for (int i = 0; i < 30 && app->m_Paused; ++i) Update();
  ASSERT_EQ(app->m_Paused, 0);
  EXPECT_EQ(app->m_DangerFrames, stood);
  Update(299 - stood);
  EXPECT_EQ(app->m_GameOver, 0);
  Update();
  EXPECT_EQ(app->m_GameOver, 1);
}

TEST_F(Play, ScoreDisplayEasesTowardsTheScore) {
  LayBoard(WithFiller({}));
  app->m_Score = 45;
  std::vector<int> shown;
  for (int i = 0; i < 15; ++i) {
    Update();
    shown.push_back(app->m_ScoreShown);
    if (i == 0) {
      // Eight digits, centred at the top at size 2 (advance 14).
      std::string digits;
      std::vector<float> xs;
      for (const Command& c : Commands()) {
        if (c.kind() == kImgFont && c.f[kCommandY] == 32 && c.f[kCommandW] == 2) {
          digits += static_cast<char>(c.f[kCommandFrame] + 32);
          xs.push_back(c.f[kCommandX]);
        }
      }
      EXPECT_EQ(digits, "00000007");
      ASSERT_FALSE(xs.empty());
      EXPECT_EQ(xs[0], 271);
    }
  }
  EXPECT_EQ(shown, (std::vector<int>{7, 13, 18, 22, 25, 28, 30, 32, 34, 35, 36, 37, 38, 39, 45}));
}

TEST_F(Play, NewGameBoardComesFromTheClockSeed) {
  app->m_Difficulty = 3;
  app->m_Screen = kScreenNewGame;
  Update();
  ASSERT_EQ(app->m_Screen, kScreenPlay);
  EXPECT_EQ(app->m_Colours, 8);
  EXPECT_EQ(app->m_SpawnTimer, 360);
  EXPECT_EQ(app->m_SpawnInterval, 90);
  Draws d{static_cast<unsigned>(host->Millisecs())};
  for (int x = 0; x <= 9; ++x) {
    for (int y = 0; y <= 16; ++y) {
      int type = d.Rand(-8, 8);
      if (y <= 4) type = 0;
      else if (y >= 12) type = d.Rand(11, 20);
      if (type < 0) type = 0;
      if (x == 0 || x == 9) type = 11;
      ASSERT_EQ(Type(x, y), type) << "cell " << x << ", " << y;
      ASSERT_EQ(Cell(x, y, kCellOffsetY), -3 * 432) << "cell " << x << ", " << y;
    }
  }
}

TEST_F(Play, NewGameClearsWhatTheLastGameLeftInEveryCell) {
  Cell(3, 6, kCellType) = 35;
  Cell(3, 6, kCellFade) = 0.5f;
  Cell(3, 6, kCellOffsetX) = 12;
  Cell(6, 2, 3) = 1;
  Cell(5, 14, 9) = 2;
  app->m_Screen = kScreenNewGame;
  Update();
  ASSERT_EQ(app->m_Screen, kScreenPlay);
  for (int x = 0; x <= 9; ++x) {
    for (int y = 0; y <= 16; ++y) {
      for (int f = 1; f < 10; ++f) {
        if (f != 2) {
          EXPECT_EQ(Cell(x, y, f), 0) << "cell " << x << ", " << y << ", float " << f;
        }
      }
      EXPECT_LT(Type(x, y), 21) << "cell " << x << ", " << y;
    }
  }
}

}  // namespace

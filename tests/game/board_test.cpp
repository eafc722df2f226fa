// Groups of one colour: which blocks form one, which group blasts first,
// and what it scores.
#include "tests/game/game_host.h"

namespace {

using Board = PlayTest;

TEST_F(Board, ThreeInARowBlastAndScore45) {
  LayBoard(WithFiller({"222....."}));
  Update();
  for (int x = 1; x <= 3; ++x) {
    EXPECT_EQ(Type(x, 9), 32) << "column " << x;
    EXPECT_EQ(Cell(x, 9, kCellFade), 1) << "column " << x;
  }
  EXPECT_EQ(app->m_Score, 45);
  // The flash of colour 2, and nine particles per block.
  EXPECT_EQ(app->m_BgRed, 80);
  EXPECT_EQ(app->m_BgGreen, 60);
  EXPECT_EQ(app->m_BgBlue, 30);
  EXPECT_EQ(AliveParticles(), 27);
  EXPECT_GT(app->m_Particles[250 * 10], 0) << "particles take the highest free slots";
}

TEST_F(Board, FourInARowScore80) {
  LayBoard(WithFiller({"2222...."}));
  Update();
  EXPECT_EQ(app->m_Score, 80);
}

TEST_F(Board, LShapeOfThreeBlasts) {
  LayBoard(WithFiller({"4.......", "44......"}));
  Update();
  EXPECT_EQ(Type(1, 8), 34);
  EXPECT_EQ(Type(1, 9), 34);
  EXPECT_EQ(Type(2, 9), 34);
  EXPECT_EQ(app->m_Score, 45);
}

TEST_F(Board, LeftmostGroupBlastsFirstThenTheOtherNextUpdate) {
  // The right group reaches higher, the left one is further left.
  LayBoard(WithFiller({".....3..", ".....3..", "222..3.."}));
  Update();
  EXPECT_EQ(Type(1, 9), 32);
  EXPECT_EQ(Type(6, 7), 3) << "only one group blasts per update";
  EXPECT_EQ(app->m_Score, 45);
  Update();
  EXPECT_EQ(Type(6, 7), 33);
  EXPECT_EQ(Type(6, 9), 33);
  EXPECT_EQ(app->m_Score, 90);
}

TEST_F(Board, InOneColumnTheTopmostGroupBlastsFirst) {
  LayBoard(WithFiller({"2.......", "2.......", "2.......", "111....."}));
  Update();
  EXPECT_EQ(Type(1, 6), 32);
  EXPECT_EQ(Type(1, 9), 1);
  EXPECT_EQ(app->m_Score, 45);
  Update();
  EXPECT_EQ(Type(1, 9), 31);
  EXPECT_EQ(Type(3, 9), 31);
  EXPECT_EQ(app->m_Score, 90);
}

TEST_F(Board, BlockOverAGapNeverBlasts) {
  // The middle block rests over an empty cell that still carries a leftover,
  // so it cannot fall into it either.
  LayBoard(WithFiller({"222....."}));
  Cell(2, 10, kCellType) = 0;
  Cell(2, 10, 5) = 1;
  Update(3);
  for (int x = 1; x <= 3; ++x) EXPECT_EQ(Type(x, 9), 2) << "column " << x;
  EXPECT_EQ(app->m_Score, 0);
}

TEST_F(Board, MovingBlockBesideItsColourDoesNotTurnUnlabelledCellsIntoAGroup) {
  // Column 2 holds a group of three 1s; the 1 at (3, 9) is still sliding in,
  // so it has no label; the 3 at (1, 8) falls into (1, 9) during the update.
  // Merging "no label" into the group would relabel every loose cell, and
  // the group would blast with them or vanish.
  LayBoard(WithFiller({".1......", "31......", ".11....."}));
  Cell(3, 9, kCellOffsetX) = 40;
  Update();
  EXPECT_EQ(Type(2, 7), 31);
  EXPECT_EQ(Type(2, 8), 31);
  EXPECT_EQ(Type(2, 9), 31);
  EXPECT_EQ(Type(3, 9), 1) << "a moving block joins no group";
  EXPECT_EQ(Type(1, 9), 3) << "a falling block of another colour must not dissolve";
  for (int x = 1; x <= 8; ++x) {
    EXPECT_LT(Type(x, 10), 10) << "filler at column " << x;
    EXPECT_LT(Type(x, 11), 10) << "filler at column " << x;
  }
  EXPECT_EQ(app->m_Score, 45);
}

}  // namespace

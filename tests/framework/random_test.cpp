#include <gtest/gtest.h>

#include <climits>

#include "framework/maths.h"
#include "framework/random.h"

namespace {

unsigned Seed() { return static_cast<unsigned>(vx_random_Seed); }

TEST(Random, FirstDrawsFromTheStartingSeed) {
  vx_random_Seed = 1234;
  EXPECT_EQ(vx_random_Rnd(), 11984094 / 16777216.0f);
  EXPECT_EQ(Seed(), 3067928073u);
  EXPECT_EQ(vx_random_Rnd(), 3473103 / 16777216.0f);
  EXPECT_EQ(Seed(), 889114580u);
  EXPECT_NEAR(3473103 / 16777216.0, 0.2070131, 1e-7);
}

TEST(Random, EveryFormAdvancesTheSeedOnce) {
  vx_random_Seed = 1234;
  EXPECT_EQ(vx_random_Rnd2(5, 5), 5.0f);
  EXPECT_EQ(Seed(), 3067928073u);
  EXPECT_EQ(vx_random_Rnd3(0), 0.0f);
  EXPECT_EQ(Seed(), 889114580u);
}

TEST(Random, RangesAreScaledInDoubleAndRoundedOnce) {
  vx_random_Seed = 1234;
  double r = 11984094 / 16777216.0;
  float low = 0.1f, high = 1e7f;
  EXPECT_EQ(vx_random_Rnd2(low, high), static_cast<float>(low + (static_cast<double>(high) - low) * r));
  vx_random_Seed = 1234;
  EXPECT_EQ(vx_random_Rnd3(3.3f), static_cast<float>(r * 3.3f));
  // A reversed range still maps r into it.
  vx_random_Seed = 1234;
  float down = vx_random_Rnd2(10, 0);
  EXPECT_LT(down, 10.0f);
  EXPECT_GT(down, 0.0f);
}

TEST(Random, SeedWrapsAndDrawsStayBelowOne) {
  vx_random_Seed = -1;  // 2^32 - 1
  float r = vx_random_Rnd();
  EXPECT_EQ(Seed(), 0xFFFFFFFFu * 1664525u + 1013904223u);
  EXPECT_EQ(r, static_cast<float>(Seed() >> 8) / 16777216.0f);
  // The seed whose top 24 bits are all set gives the largest value, still below 1.
  vx_random_Seed = static_cast<int>((0xFFFFFFFFu - 1013904223u) * 4276115653u);  // 1664525^-1 mod 2^32
  EXPECT_EQ(vx_random_Rnd(), 16777215 / 16777216.0f);
  EXPECT_LT(16777215 / 16777216.0f, 1.0f);
}

TEST(Maths, AbsoluteValues) {
  EXPECT_EQ(vx_math_Abs(-7), 7);
  EXPECT_EQ(vx_math_Abs(7), 7);
  EXPECT_EQ(vx_math_Abs(INT_MIN), INT_MIN);
  EXPECT_EQ(vx_math_Abs2(-2.5f), 2.5f);
  EXPECT_EQ(vx_math_Abs2(0.0f), 0.0f);
  EXPECT_FLOAT_EQ(R2D * D2R, 1.0f);
}

}  // namespace

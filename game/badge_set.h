#pragma once
// The badges a player can earn: their ids, texts and the settings entries
// that count across games. A badge's icon is the frame of the badge sheet
// with its id (row = metal or colour, column = symbol), so each id is chosen
// for its picture.
#include "game/names.h"

// Rows of the badge sheet: gold, silver, bronze, blue, green, red, purple, teal;
// columns: star, lightning, heart, crown, flame, blocks, target, clock.
enum BadgeId {
  kBadgeTest = 0,
  // Score in one game, three tiers per difficulty (Easy green, Normal blue, Hard red).
  kBadgeEasyScore1 = 32,
  kBadgeEasyScore2 = 36,
  kBadgeEasyScore3 = 35,
  kBadgeNormalScore1 = 24,
  kBadgeNormalScore2 = 28,
  kBadgeNormalScore3 = 27,
  kBadgeHardScore1 = 40,
  kBadgeHardScore2 = 44,
  kBadgeHardScore3 = 43,
  // One blasted group of many blocks.
  kBadgeGroup1 = 21,
  kBadgeGroup2 = 13,
  kBadgeGroup3 = 5,
  // Blasts in quick succession.
  kBadgeChain1 = 17,
  kBadgeChain2 = 9,
  kBadgeChain3 = 1,
  // Bombs set off: the first, then many over all games.
  kBadgeBomb1 = 22,
  kBadgeBomb2 = 14,
  kBadgeBomb3 = 6,
  // Danger countdowns survived after their fourth warning.
  kBadgeCloseCall = 42,
  kBadgeCloseCalls = 2,
  // Games played.
  kBadgeGames1 = 23,
  kBadgeGames2 = 15,
  kBadgeGames3 = 7,
  kBadgeGames4 = 63,
  // Score over all games.
  kBadgeTotal1 = 48,
  kBadgeTotal2 = 52,
  kBadgeTotal3 = 51,
  // Every difficulty played; first place in a best-scores table.
  kBadgeAllDifficulties = 56,
  kBadgeFirstPlace = 3,
};

// Settings entries that count across games (saved and checksummed with the
// settings; no other setting uses them).
enum BadgeCounter {
  kCounterGames = kSettingBadgeCounters,
  kCounterTotalScore = kSettingBadgeCounters + 1,
  kCounterBombs = kSettingBadgeCounters + 2,
  // Bit d - 1 set once a game of difficulty d has been played.
  kCounterDifficulties = kSettingBadgeCounters + 3,
  kCounterCloseCalls = kSettingBadgeCounters + 4,
};

struct BadgeInfo {
  int id;
  const char* name;  // at most 15 characters: the pop-up's width
  const char* description;
};

// The gallery's badges, in the order it shows them; the test badge is not one.
extern const BadgeInfo kBadgeSet[];
extern const int kBadgeSetCount;

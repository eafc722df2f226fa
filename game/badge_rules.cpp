// The rules that earn badges. They only watch the game: each is called where
// an event happens (a blast, an explosion, the end of a danger countdown, a
// recorded game) and never changes the board, the random draws or the score.
// Counts that span games live in settings entries, so they are saved and
// checksummed with the settings.
#include <climits>

#include "game/badge_set.h"
#include "game/my_app.h"

namespace {

struct Tier {
  int id;
  int threshold;
};

// Thresholds come from measured play (bench/badge_play): a random first game
// reaches a group of 5 or a run of 4 blasts about one time in ten; a quick
// one-cell player scores about 1600 on Easy and 100 to 170 on Normal and Hard
// in games of half a minute to four minutes.
// Score in one game, by difficulty.
const Tier kScoreTiers[3][3] = {
    {{kBadgeEasyScore1, 1000}, {kBadgeEasyScore2, 4000}, {kBadgeEasyScore3, 12000}},
    {{kBadgeNormalScore1, 400}, {kBadgeNormalScore2, 1500}, {kBadgeNormalScore3, 5000}},
    {{kBadgeHardScore1, 250}, {kBadgeHardScore2, 1000}, {kBadgeHardScore3, 3000}},
};
const Tier kGroupTiers[] = {{kBadgeGroup1, 5}, {kBadgeGroup2, 7}, {kBadgeGroup3, 10}};
const Tier kChainTiers[] = {{kBadgeChain1, 4}, {kBadgeChain2, 8}, {kBadgeChain3, 15}};
const Tier kBombTiers[] = {{kBadgeBomb1, 1}, {kBadgeBomb2, 25}, {kBadgeBomb3, 200}};
const Tier kCloseCallTiers[] = {{kBadgeCloseCall, 1}, {kBadgeCloseCalls, 10}};
const Tier kGameTiers[] = {{kBadgeGames1, 1}, {kBadgeGames2, 10}, {kBadgeGames3, 100}, {kBadgeGames4, 500}};
const Tier kTotalTiers[] = {{kBadgeTotal1, 5000}, {kBadgeTotal2, 50000}, {kBadgeTotal3, 500000}};

// A blast this many updates or fewer after the last one continues its run.
const int kChainWindow = 90;
// The fourth warning of the danger countdown comes at this count.
const int kLastWarning = 240;
const int kAllDifficulties = 7;

}  // namespace

const BadgeInfo kBadgeSet[] = {
    {kBadgeGames1, "First Game", "Play a game to its end."},
    {kBadgeGroup1, "Handful", "Blast a group of 5 blocks."},
    {kBadgeGroup2, "Bunch", "Blast a group of 7 blocks."},
    {kBadgeGroup3, "Landslide", "Blast a group of 10 blocks."},
    {kBadgeChain1, "Quick Hands", "Blast 4 groups, each within 1.5 seconds of the last."},
    {kBadgeChain2, "Chain Gang", "Blast 8 groups, each within 1.5 seconds of the last."},
    {kBadgeChain3, "Lightning", "Blast 15 groups, each within 1.5 seconds of the last."},
    {kBadgeEasyScore1, "Easy Does It", "Score 1000 in one Easy game."},
    {kBadgeEasyScore2, "Easy Blaze", "Score 4000 in one Easy game."},
    {kBadgeEasyScore3, "Easy Crown", "Score 12000 in one Easy game."},
    {kBadgeNormalScore1, "Normal Star", "Score 400 in one Normal game."},
    {kBadgeNormalScore2, "Normal Blaze", "Score 1500 in one Normal game."},
    {kBadgeNormalScore3, "Normal Crown", "Score 5000 in one Normal game."},
    {kBadgeHardScore1, "Hard Star", "Score 250 in one Hard game."},
    {kBadgeHardScore2, "Hard Blaze", "Score 1000 in one Hard game."},
    {kBadgeHardScore3, "Hard Crown", "Score 3000 in one Hard game."},
    {kBadgeBomb1, "Kaboom", "Set off a bomb."},
    {kBadgeBomb2, "Demolisher", "Set off 25 bombs over all games."},
    {kBadgeBomb3, "Bombardier", "Set off 200 bombs over all games."},
    {kBadgeCloseCall, "Close Call", "Clear the top rows after the fourth danger warning."},
    {kBadgeCloseCalls, "Nerves of Steel", "Clear the top rows after the fourth warning 10 times."},
    {kBadgeAllDifficulties, "Explorer", "Play a game on each difficulty."},
    {kBadgeFirstPlace, "Table Topper", "Beat the best score of a difficulty."},
    {kBadgeGames2, "Regular", "Play 10 games."},
    {kBadgeGames3, "Devoted", "Play 100 games."},
    {kBadgeGames4, "Timeless", "Play 500 games."},
    {kBadgeTotal1, "Saver", "Score 5000 over all games."},
    {kBadgeTotal2, "Hoarder", "Score 50000 over all games."},
    {kBadgeTotal3, "Millionaire", "Score 500000 over all games."},
};
const int kBadgeSetCount = static_cast<int>(sizeof kBadgeSet / sizeof kBadgeSet[0]);

namespace {

// Every tier whose threshold the value has reached.
template <int N>
void AwardTiers(c_MyApp* app, const Tier (&tiers)[N], int value) {
  for (const Tier& tier : tiers) {
    if (value >= tier.threshold) app->p_AwardBadge(tier.id);
  }
}

// A count that only grows, held at the int's top instead of wrapping.
int& Count(c_MyApp* app, int entry, int add) {
  int& value = app->m_Settings[entry];
  value = value > INT_MAX - add ? INT_MAX : value + add;
  return value;
}

}  // namespace

void c_MyApp::p_AwardBadge(int id) {
  if (id < 0 || id >= m_Badges.Length() || m_Badges[id]) return;
  m_Badges[id] = true;
  p_QueueBadge(id);
}

void c_MyApp::p_QueueBadge(int id) {
  for (int i = 0; i < kBadgePopUpSlots; ++i) {
    if (m_BadgeQueueB[i] != 0) continue;
    // Badges earned together share one jingle.
    bool heard = false;
    for (int j = 0; j < kBadgePopUpSlots; ++j) heard |= m_BadgeQueueB[j] == 1;
    m_BadgeQueueA[i] = id;
    m_BadgeQueueB[i] = 1;
    if (!heard) p_PlaySFX(kSfxBadge, 1, 1, 0);
    return;
  }
  // Every slot shows a badge: this one waits for the first to leave.
  if (m_BadgeWaitingCount < kBadgeWaitingRoom) m_BadgeWaiting[m_BadgeWaitingCount++] = id;
}

void c_MyApp::p_QueueWaitingBadges() {
  int taken = 0;
  while (taken < m_BadgeWaitingCount) {
    bool free = false;
    for (int i = 0; i < kBadgePopUpSlots; ++i) free |= m_BadgeQueueB[i] == 0;
    if (!free) break;
    p_QueueBadge(m_BadgeWaiting[taken++]);
  }
  for (int i = taken; i < m_BadgeWaitingCount; ++i) m_BadgeWaiting[i - taken] = m_BadgeWaiting[i];
  m_BadgeWaitingCount -= taken;
}

void c_MyApp::p_BadgeGameStart() {
  m_BadgeChain = 0;
  m_BadgeChainClock = kChainWindow + 1;
}

void c_MyApp::p_BadgeTick() {
  if (m_BadgeChainClock <= kChainWindow) m_BadgeChainClock += 1;
}

void c_MyApp::p_BadgeBlast(int size) {
  if (m_GameOver != 0) return;
  m_BadgeChain = m_BadgeChainClock <= kChainWindow ? m_BadgeChain + 1 : 1;
  m_BadgeChainClock = 0;
  AwardTiers(this, kGroupTiers, size);
  AwardTiers(this, kChainTiers, m_BadgeChain);
  if (m_Difficulty >= 1 && m_Difficulty <= kDifficulties) AwardTiers(this, kScoreTiers[m_Difficulty - 1], m_Score);
}

void c_MyApp::p_BadgeExplosion() {
  if (m_GameOver != 0) return;
  AwardTiers(this, kBombTiers, Count(this, kCounterBombs, 1));
}

void c_MyApp::p_BadgeDangerOver(int frames) {
  // Ended by the game itself, the countdown is no escape.
  if (frames < kLastWarning || m_GameOver != 0) return;
  AwardTiers(this, kCloseCallTiers, Count(this, kCounterCloseCalls, 1));
}

void c_MyApp::p_BadgeGameRecorded() {
  if (m_Difficulty < 1 || m_Difficulty > kDifficulties) return;
  // Before the score enters the table: first place means beating its top.
  const int best = m_HighScores[(m_Difficulty - 1) * kTableEntries];
  AwardTiers(this, kGameTiers, Count(this, kCounterGames, 1));
  AwardTiers(this, kTotalTiers, Count(this, kCounterTotalScore, m_Score > 0 ? m_Score : 0));
  int& played = m_Settings[kCounterDifficulties];
  played |= 1 << (m_Difficulty - 1);
  if ((played & kAllDifficulties) == kAllDifficulties) p_AwardBadge(kBadgeAllDifficulties);
  // An empty table is no contest.
  if (best > 0 && m_Score > best) p_AwardBadge(kBadgeFirstPlace);
}

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "audio/audio.h"
#include "framework/random.h"
#include "graphics/graphics.h"
#include "music/kz_player.h"
#include "tests/framework/framework_test_support.h"

namespace {

class ClockHost : public VxGame {
 public:
  int ms = 0;
  int Millisecs() override { return ms; }
};

class StopRecorder : public gxtkAudio {
 public:
  std::vector<int> stopped;
  int StopChannel(int channel) override {
    stopped.push_back(channel);
    return gxtkAudio::StopChannel(channel);
  }
};

class ClsRecorder : public gxtkGraphics {
 public:
  std::vector<std::vector<float>> clears;
  int Cls(float r, float g, float b) override {
    clears.push_back({r, g, b});
    return 0;
  }
};

class KzPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ALSOFT_DRIVERS", "null", 0);
    StartFramework(&host);
    vx_audio_SetAudioDevice(audio = new StopRecorder());
    player = (new c_KzPlayer())->m_new();
  }

  // Voices 0, 2 and 3 sounding on the game's channels below 32; voice 4
  // has a channel below 1, which disables it.
  void Sounding() {
    player->p_Kz_Init(32, 4, 3, 3, 4);
    player->voiceChannel[0] = 31;
    player->voiceChannel[2] = 29;
    player->voiceChannel[3] = 28;
    player->voiceChannel[4] = 0;
    player->voicePlaying[0] = 1;
    player->voicePlaying[2] = 1;
    player->voicePlaying[4] = 1;
    player->voiceChannel[1] = 30;  // has a channel but plays nothing
  }

  ClockHost host;
  StopRecorder* audio = nullptr;
  c_KzPlayer* player = nullptr;
};

TEST_F(KzPlayer, ConstructedIdleWithEveryTableAllocated) {
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(player->loadStep, 0);
  EXPECT_EQ(player->voiceCount, 5);
  EXPECT_EQ(player->tempo, 95);
  EXPECT_EQ(player->masterVolume, 0.5f);
  EXPECT_EQ(player->key, 0.0f);
  EXPECT_EQ(player->songImage, nullptr);
  EXPECT_EQ(player->songImagePath.Length(), 0);
  EXPECT_EQ(player->chordString.Length(), 0);
  EXPECT_EQ(player->patternData.Length(), 262145);
  EXPECT_EQ(player->kitA.Length(), 9);
  EXPECT_EQ(player->kitB.Length(), 9);
  EXPECT_EQ(player->tone.Length(), 8);
  for (Array<int> a : {player->instrumentSet, player->lastPattern, player->voiceChannel, player->voicePlaying,
                       player->voicePattern, player->voiceMuted, player->voiceLeadIn, player->voiceMutedNext}) {
    ASSERT_EQ(a.Length(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(a[i], 0);
  }
  for (Array<float> a : {player->voiceRate, player->voiceEnvelope, player->voiceVolume}) {
    ASSERT_EQ(a.Length(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(a[i], 0.0f);
  }
  int nonzero = 0;
  for (int i = 0; i < player->patternData.Length(); ++i) nonzero += player->patternData[i] != 0;
  EXPECT_EQ(nonzero, 0);
}

TEST_F(KzPlayer, InitStoresTheChannelAndFourSelectorsOnly) {
  player->p_Kz_Init(32, 4, 3, 3, 4);
  EXPECT_EQ(player->baseChannel, 32);
  EXPECT_EQ(player->instrumentSet[0], 0);
  EXPECT_EQ(player->instrumentSet[1], 4);
  EXPECT_EQ(player->instrumentSet[2], 3);
  EXPECT_EQ(player->instrumentSet[3], 3);
  EXPECT_EQ(player->instrumentSet[4], 4);
  EXPECT_EQ(player->instrumentSet[5], 0);
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(player->loadStep, 0);
}

TEST_F(KzPlayer, AnIdlePlayerStaysIdleAndSilent) {
  player->p_Kz_Init(32, 4, 3, 3, 4);
  host.ms = 5000;
  for (int tick = 0; tick < 10; ++tick) player->p_Kz_Alive_U(0, 1);
  player->p_Kz_Stop(1);
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(player->loadStep, 0);
  EXPECT_EQ(player->nextStepTime, 0);
  EXPECT_TRUE(audio->stopped.empty());
}

TEST_F(KzPlayer, StopSilencesOnlyTheVoicesThatSound) {
  Sounding();
  player->state = 2;
  player->p_Kz_Stop(0);
  EXPECT_EQ(audio->stopped, (std::vector<int>{31, 29}));
  EXPECT_EQ(player->voicePlaying[0], 0);
  EXPECT_EQ(player->voicePlaying[2], 0);
  EXPECT_EQ(player->voicePlaying[4], 1);  // a disabled voice sends nothing
  EXPECT_EQ(player->state, 2);
  player->p_Kz_Stop(1);
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(audio->stopped.size(), 2u);
}

TEST_F(KzPlayer, PausingPushesTheNextRowAndStopsTheVoices) {
  Sounding();
  player->state = 2;
  player->row = 17;
  host.ms = 1000;
  player->p_Kz_Alive_U(1, 1);
  host.ms = 1016;
  player->p_Kz_Alive_U(1, 1);
  EXPECT_EQ(player->nextStepTime, 1166);
  EXPECT_EQ(audio->stopped, (std::vector<int>{31, 29}));
  EXPECT_EQ(player->state, 2);
  EXPECT_EQ(player->row, 17);

  // Music switched off while playing stops the voices but keeps the song.
  Sounding();
  audio->stopped.clear();
  player->p_Kz_Alive_U(0, 0);
  EXPECT_EQ(audio->stopped, (std::vector<int>{31, 29}));
  EXPECT_EQ(player->state, 2);
  EXPECT_EQ(player->nextStepTime, 1166);
}

TEST_F(KzPlayer, TheRenderDriverClearsTheFrameToBlack) {
  ClsRecorder* device = new ClsRecorder();
  vx_graphics_renderDevice = device;
  player->p_Kz_Alive_R();
  player->p_Kz_Alive_R();
  EXPECT_EQ(device->clears, (std::vector<std::vector<float>>{{0, 0, 0}, {0, 0, 0}}));
  vx_graphics_renderDevice = nullptr;
  player->p_Kz_Alive_R();  // outside a frame there is nothing to clear
  EXPECT_EQ(device->clears.size(), 2u);
}

TEST_F(KzPlayer, RandDrawsWholeNumbersFromTheSharedSeed) {
  vx_random_Seed = 1234;
  EXPECT_EQ(player->p_Rand(0, 1), 1);  // 0.7143 * 1.99
  EXPECT_EQ(static_cast<unsigned>(vx_random_Seed), 3067928073u);
  EXPECT_EQ(player->p_Rand(0, 1), 0);  // 0.2070 * 1.99
  EXPECT_EQ(static_cast<unsigned>(vx_random_Seed), 889114580u);

  std::set<int> zeroOne, doubled, fromOneToFive;
  for (int i = 0; i < 2000; ++i) {
    EXPECT_EQ(player->p_Rand(0, 0), 0);
    zeroOne.insert(player->p_Rand(0, 1));
    doubled.insert(player->p_Rand(1, 2) * 2);
    fromOneToFive.insert(player->p_Rand(1, 5));
  }
  EXPECT_EQ(zeroOne, (std::set<int>{0, 1}));
  EXPECT_EQ(doubled, (std::set<int>{2, 4}));
  EXPECT_EQ(fromOneToFive, (std::set<int>{1, 2, 3, 4, 5}));
}

TEST_F(KzPlayer, PitchTablesAgreeAndAreEqualTempered) {
  const char* letters = "zsxdcvgbhnjmq2w3er5t6y7ui9o0p[=]";
  for (int note = 1; note <= 32; ++note) {
    EXPECT_EQ(player->p_GetPitch_Alpha(letters[note - 1]), player->p_GetPitch(note)) << note;
  }
  EXPECT_EQ(player->p_GetPitch(1), 0.5f);
  EXPECT_EQ(player->p_GetPitch(13), 1.0f);
  EXPECT_EQ(player->p_GetPitch(25), 2.0f);
  EXPECT_EQ(player->p_GetPitch(32), 2.996f);
  EXPECT_EQ(player->p_GetPitch_Alpha('j'), 0.891f);
  EXPECT_EQ(player->p_GetPitch_Alpha('b'), 0.749f);
  // The lower octave is the upper one halved.
  for (int note = 1; note <= 12; ++note) {
    EXPECT_EQ(player->p_GetPitch(note) * 2, player->p_GetPitch(note + 12)) << note;
  }
  for (int note = 1; note < 32; ++note) {
    double step = player->p_GetPitch(note + 1) / player->p_GetPitch(note);
    EXPECT_NEAR(step, std::pow(2.0, 1 / 12.0), 0.002) << note;
  }
  for (int other : {0, 33, -1, 1000}) EXPECT_EQ(player->p_GetPitch(other), 0.0f) << other;
  for (int other : {0, int('a'), int('Q'), int(' '), 0x100 + 'q'}) {
    EXPECT_EQ(player->p_GetPitch_Alpha(other), 0.0f) << other;
  }
}

TEST_F(KzPlayer, ChordPatterns) {
  const char* expected[] = {"qqqq", "qqjj", "qqbb", "qbqb", "qqqj", "qqzz"};
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(player->p_Kz_GetChord(k) == String(expected[k])) << k;
  EXPECT_TRUE(player->p_Kz_GetChord(6) == String("qqjj"));
  EXPECT_TRUE(player->p_Kz_GetChord(-1) == String("qqjj"));
  // Every letter of every pattern is a key the pitch table knows.
  for (int k = 0; k < 6; ++k) {
    String chord = player->p_Kz_GetChord(k);
    for (int i = 0; i < chord.Length(); ++i) EXPECT_GT(player->p_GetPitch_Alpha(chord[i]), 0.0f);
  }
}

}  // namespace
